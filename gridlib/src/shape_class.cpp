// class, the name of a value's class, isa, and the conversions to logical: logical and xor.
#include "shape_util.h"
#include "object_map.h"
#include "object_parser.h"

#include <type_traits>

using namespace grl;
using namespace grl::mth;

Mt class_M(const Mt& x) {
  if (grl::is_map(x)) return TM("containers.Map");
  if (grl::is_parser(x)) return TM("inputParser");
  return TM(grl::class_name(grl::class_of(x)));
}

Mt class_M(const Mc&) { return TM("cell"); }

// isa(x, name): x is of class name, or name is a group its class belongs to:
// "float" holds double and single, "integer" the integer classes, "numeric" both.
Mt grl::class_is(const char* cls, const Mt& name) {
  if (!name.ischar() || name.rows() > 1) grl_fail("isa: CLASSNAME must be a string or cell array of strings");
  const std::string n = text_of(name), c = cls;
  const bool floating = c == "double" || c == "single";
  const bool integer = is_int_class(class_named(c));
  return grl::boolean(n == c || (n == "float" && floating) || (n == "integer" && integer) ||
                      (n == "numeric" && (floating || integer)));
}
Mt isa(const Mt& x, const Mt& name) { return grl::class_is(text_of(class_M(x)).c_str(), name); }
Mt isa(const Mc&, const Mt& name) { return grl::class_is("cell", name); }

namespace {
// The truth of one element; NaN has none.
bool truth(m_type re, m_type im) {
  if (re != re || im != im) grl_fail("invalid conversion from NaN to logical");
  return re != 0 || im != 0;
}
}  // namespace

Mt logical_M(const Mt& x) {
  if (x.ischar()) grl_fail("logical: wrong type argument '%s'", x.rows() == 1 ? "sq_string" : "char matrix");
  Mt o = Mt::alloc(x.rows(), x.cols());
  o.same_shape(x);
  m_type* p = o.pr();
  for (std::size_t k = 0; k < x.numel(); ++k) p[k] = truth(x.elem(k), x.ielem(k)) ? 1 : 0;
  return logical(o);
}

Mt logical_M(const Mc&) { grl_fail("logical: wrong type argument 'cell array'"); }

// xor(a, b): true where exactly one is true, with scalar and implicit expansion.
Mt xor_M(const Mt& a, const Mt& b) {
  std::size_t r, c;
  conform(a, b, "xor", r, c);
  Mt o = Mt::alloc(r, c);
  m_type* p = o.pr();
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) {
      const std::size_t ka = expand_at(a, i, j), kb = expand_at(b, i, j);
      p[i + j * r] = truth(a.elem(ka), a.ielem(ka)) != truth(b.elem(kb), b.ielem(kb)) ? 1 : 0;
    }
  // Operands of more dimensions have one shape (or the other is a scalar): keep it.
  if (a.ndims() > 2) o.same_shape(a);
  else if (b.ndims() > 2) o.same_shape(b);
  return logical(o);
}
