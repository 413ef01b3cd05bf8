// Signs and the parts of complex values: sign, real, imag, conj, angle and hypot. The
// results are plain numbers: a logical or char argument gives doubles.
#include "elem_util.h"

using namespace grl;
using namespace grl::elem;

namespace {

m_type sign1(m_type v) { return v > 0 ? m_type(1) : v < 0 ? m_type(-1) : v == v ? m_type(0) : v; }

// A copy of one part of x (or zeros when x has no imaginary part).
Mt part(const Mt& x, bool imag_part) {
  Mt o = Mt::alloc(x.rows(), x.cols());
  o.same_shape(x);
  const m_type* p = imag_part ? x.cim() : x.cre();
  m_type* q = o.pr();
  const std::size_t n = x.numel();
  for (std::size_t k = 0; k < n; ++k) q[k] = p ? p[k] : m_type(0);
  return o;
}

}  // namespace

// sign of a complex z is z/abs(z) (0 for 0).
Mt sign(const Mt& x) {
  Mt r = split_map(x, sign1, [](cplx v) {
    if (v.real() == 0 && v.imag() == 0) return cplx(0, 0);
    return v / std::abs(v);
  });
  if (x.cls_) apply_class(r, x.num_class());
  return r;
}

Mt real(const Mt& x) {
  if (x.holds_cell()) grl_fail("real: not defined for cell");
  return part(x, false);
}
Mt imag(const Mt& x) {
  if (x.holds_cell()) grl_fail("imag: not defined for cell");
  return part(x, true);
}

Mt conj(const Mt& x) {
  if (!x.isc()) return part(x, false);
  Mt o = Mt::alloc(x.rows(), x.cols(), true);
  o.same_shape(x);
  const std::size_t n = x.numel();
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  m_type* p = o.pr();
  m_type* q = o.pi();
  for (std::size_t k = 0; k < n; ++k) {
    p[k] = a[k];
    q[k] = -b[k];
  }
  return o;
}

Mt complex(const Mt& a) { return complex(a, Mt(m_type(0))); }

Mt complex(const Mt& a, const Mt& b) {
  for (const Mt* x : {&a, &b}) {
    if (x->holds_cell() || x->holds_struct() || x->ischar()) grl_fail("complex: invalid conversion");
    if (x->isc()) grl_fail("complex: invalid conversion");
  }
  // The real parts of both, expanded to one shape; the second becomes the imaginary part.
  const Mt re = mth::zip_real(a, b, "complex", [](m_type x, m_type) { return x; });
  const Mt im = mth::zip_real(a, b, "complex", [](m_type, m_type y) { return y; });
  Mt o = Mt::alloc(re.rows(), re.cols(), true);
  o.same_shape(re);
  const std::size_t n = re.numel();
  std::copy(re.cre(), re.cre() + n, o.pr());
  std::copy(im.cre(), im.cre() + n, o.pi());
  if (a.num_class() == mc_single || b.num_class() == mc_single) apply_class(o, mc_single);
  return o;
}

Mt angle(const Mt& x) {
  Mt o = Mt::alloc(x.rows(), x.cols());
  o.same_shape(x);
  const std::size_t n = x.numel();
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  m_type* p = o.pr();
  for (std::size_t k = 0; k < n; ++k) p[k] = std::atan2(b ? b[k] : m_type(0), a[k]);
  return o;
}

// hypot of complex arguments takes their magnitudes.
Mt hypot_M(const Mt& x, const Mt& y) {
  const Mt ax = x.isc() ? abs_M(x) : x, ay = y.isc() ? abs_M(y) : y;
  return mth::zip_real(ax, ay, "hypot", [](m_type a, m_type b) { return std::hypot(a, b); });
}
Mt hypot_M(const Mt& x, const Mt& y, const Mt& z) { return hypot_M(hypot_M(x, y), z); }

Mt sign(const Mc&) { grl_fail("signum: not defined for cell"); }
Mt real(const Mc&) { grl_fail("real: not defined for cell"); }
Mt imag(const Mc&) { grl_fail("imag: not defined for cell"); }
Mt conj(const Mc&) { grl_fail("conj: not defined for cell"); }
Mt angle(const Mc&) { grl_fail("arg: not defined for cell"); }
