// The type argument of sum, prod and cumsum ('native', 'double', 'default', 'extra'),
// the reductions in the class of their input that 'native' asks for, and the class of
// a reduction of single values.
//
// Integer classes sum and multiply as their arithmetic does: every step is rounded to
// the class's range, so sum(int8([100 100 -100]), 'native') is 127 - 100 = 27. int64
// and uint64 go through their exact values.
#include "int64_util.h"
#include "math_util.h"

#include <string>
#include <vector>

using namespace grl;

namespace grl {
namespace mth {

int type_arg(const Mt& t, const char* fn) {
  std::string v = t.ischar() ? text(t) : std::string();
  for (char& ch : v) ch = char(std::tolower((unsigned char)ch));
  if (v == "native") return type_native;
  if (v == "double") return type_double;
  if (v == "default" || v == "extra") return type_usual;
  grl_fail("%s: unrecognized type argument '%s'", fn, v.c_str());
}

void single_result(Mt& o, const Mt& x) {
  if (!x.flags_ && x.cls_ == mc_single && !o.flags_ && !o.holds_cell()) apply_class(o, mc_single);
}

namespace {

// x's extents with extent d (from 1) made 1.
sizes reduced_extents(const Mt& x, int d) {
  sizes e;
  for (std::size_t k = 0; k < x.ndims(); ++k) e.push_back(x.extent(k));
  if (d <= int(e.size())) e[std::size_t(d - 1)] = 1;
  return e;
}

}  // namespace

Mt native_reduce(const Mt& x, const Mt* d, char op, const char* fn) {
  const mclass c = class_of(x);
  if (!is_int_class(c)) return Mt();   // the caller's usual path
  const int dim = d ? dim_arg(*d, fn) : default_dim(x);
  const bool cumulative = op == 'c';
  const bool empty_to_one = !cumulative && !d && x.rows() == 0 && x.cols() == 0;
  Mt o;
  if (cumulative) {
    o = Mt::alloc(x.rows(), x.cols());
    o.same_shape(x);
  } else if (empty_to_one) {
    o = Mt::alloc(1, 1);
  } else {
    const sizes e = reduced_extents(x, dim);
    o = Mt::alloc(x.ndims() > 2 ? e : sizes{e[0], e[1]});
  }
  const w64::ld lo = class_min(c), hi = class_max(c);
  const w64::ld start = op == '*' ? 1 : 0;
  std::vector<w64::ld> acc(o.numel(), start);
  const groups_of G(x, dim);
  const bool wide = w64::wide(c);
  const m_type* a = x.cre();
  for (std::size_t g = 0; g < G.count; ++g) {
    w64::ld s = start;
    const std::size_t b = G.base(g);
    for (std::size_t t = 0; t < G.n; ++t) {
      const std::size_t k = b + t * G.stride;
      const w64::ld v = wide ? w64::at(x, k) : w64::ld(a[k]);
      s = op == '*' ? s * v : s + v;
      s = s < lo ? lo : s > hi ? hi : s;
      if (cumulative) acc[k] = s;
    }
    if (!cumulative) acc[g] = s;
  }
  if (wide) {
    std::vector<std::uint64_t> bits(acc.size());
    for (std::size_t k = 0; k < acc.size(); ++k) bits[k] = w64::bits(acc[k], c);
    w64::store(o, c, std::move(bits));
  } else {
    m_type* p = o.numel() ? o.pr() : nullptr;
    for (std::size_t k = 0; k < acc.size(); ++k) p[k] = m_type(acc[k]);
    apply_class(o, c);
  }
  return o;
}

}  // namespace mth
}  // namespace grl
