// Helpers of the element-wise built-ins: the choice between a real and a complex loop,
// and the checks of arguments that must be real or integer.
#ifndef GRIDLIB_ELEM_UTIL_H
#define GRIDLIB_ELEM_UTIL_H

#include "math_util.h"

namespace grl {
namespace elem {

using mth::cplx;

// A real input whose every element satisfies in_domain takes the real loop; any other
// input (complex, or with an element outside the real domain) the complex one, where
// real elements inside the domain still take the real function (so their imaginary
// part is +0 and NaN stays NaN + 0i).
template <class D, class FR, class FC> Mt domain_map(const Mt& x, D in_domain, FR fr, FC fc) {
  if (!x.isc()) {
    const m_type* p = x.cre();
    const std::size_t n = x.numel();
    bool real_ok = true;
    for (std::size_t k = 0; k < n && real_ok; ++k)
      if (!in_domain(p[k])) real_ok = false;
    if (real_ok) return mth::map_real(x, fr);
  }
  return mth::map_cplx(x, [&](cplx v) {
    if (v.imag() == 0 && in_domain(v.real())) return cplx(fr(v.real()), 0);
    return fc(v);
  });
}

// The same without a domain: real in, real out.
template <class FR, class FC> Mt split_map(const Mt& x, FR fr, FC fc) {
  return x.isc() ? mth::map_cplx(x, fc) : mth::map_real(x, fr);
}

// "fn: not defined for complex scalar|matrix" unless x is real.
void need_real(const Mt& x, const char* fn);
// Whether every element is an integer (NaN and Inf are not).
bool all_integers(const Mt& x);

}  // namespace elem
}  // namespace grl

#endif
