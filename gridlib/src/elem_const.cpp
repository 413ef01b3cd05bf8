// The constants e, realmax and realmin, alone or as filled matrices.
#include "elem_util.h"

#include <limits>

using namespace grl;

namespace {

Mt filled(std::size_t r, std::size_t c, m_type v) {
  Mt o = Mt::alloc(r, c);
  m_type* p = o.pr();
  for (std::size_t k = 0; k < r * c; ++k) p[k] = v;
  return o;
}

// A class name picks the precision ('double' or 'single'); a size makes a matrix of
// the main type's value.
template <class D, class S> Mt one_arg(const Mt& a, const char* fn, D dbl, S sgl, m_type v) {
  if (a.ischar()) {
    const std::string w = mth::text(a);
    if (w == "double") return Mt(m_type(dbl));
    if (w == "single") {
      Mt m{m_type(sgl)};
      m.set_class(mc_single);
      return m;
    }
    grl_fail("%s: invalid class name", fn);
  }
  std::size_t r, c;
  mth::dims1(a, fn, r, c);
  return filled(r, c, v);
}

Mt two_args(const Mt& a, const Mt& b, const char* fn, m_type v) {
  std::size_t r, c;
  mth::dims2(a, b, fn, r, c);
  return filled(r, c, v);
}

const m_type kE = m_type(2.71828182845904523536);
const m_type kMax = std::numeric_limits<m_type>::max();
const m_type kMin = std::numeric_limits<m_type>::min();

}  // namespace

Mt e() { return Mt(kE); }
Mt e(const Mt& n) { return one_arg(n, "e", 2.71828182845904523536, 2.71828182845904523536f, kE); }
Mt e(const Mt& r, const Mt& c) { return two_args(r, c, "e", kE); }
Mt realmax() { return Mt(kMax); }
Mt realmax(const Mt& n) {
  return one_arg(n, "realmax", std::numeric_limits<double>::max(), std::numeric_limits<float>::max(), kMax);
}
Mt realmax(const Mt& r, const Mt& c) { return two_args(r, c, "realmax", kMax); }
Mt realmin() { return Mt(kMin); }
Mt realmin(const Mt& n) {
  return one_arg(n, "realmin", std::numeric_limits<double>::min(), std::numeric_limits<float>::min(), kMin);
}
Mt realmin(const Mt& r, const Mt& c) { return two_args(r, c, "realmin", kMin); }
