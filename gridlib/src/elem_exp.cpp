// Exponentials and logarithms: expm1, log1p, log2 (also the mantissa and exponent
// form), log10, pow2 and nextpow2. Logarithms of negative reals are complex.
#include "elem_util.h"

#include <limits>

using namespace grl;
using namespace grl::elem;

namespace {

const m_type kPi = m_type(3.14159265358979323846);
const m_type kLn2 = m_type(0.693147180559945309417);
const m_type kLn10 = m_type(2.30258509299404568402);

bool not_negative(m_type v) { return !(v < 0); }

// log(v) for a real v below 0 is log(-v) + i*pi; divided by the base's logarithm.
cplx log_base(cplx v, m_type ln_base) {
  if (v.imag() == 0 && v.real() < 0) return cplx(std::log(-v.real()), kPi) / ln_base;
  return std::log(v) / ln_base;
}

}  // namespace

Mt expm1_M(const Mt& x) {
  return split_map(x, [](m_type v) { return std::expm1(v); },
                   [](cplx v) { return std::exp(v) - m_type(1); });
}

// log1p(x) is log(1 + x), accurate for small x; below -1 it is complex.
Mt log1p_M(const Mt& x) {
  return domain_map(x, [](m_type v) { return !(v < -1); }, [](m_type v) { return std::log1p(v); },
                    [](cplx v) {
                      if (v.imag() == 0 && v.real() < -1) return cplx(std::log(-1 - v.real()), kPi);
                      return std::log(m_type(1) + v);
                    });
}

Mt log2_M(const Mt& x) {
  return domain_map(x, not_negative, [](m_type v) { return std::log2(v); },
                    [](cplx v) { return log_base(v, kLn2); });
}

Mt log10_M(const Mt& x) {
  return domain_map(x, not_negative, [](m_type v) { return std::log10(v); },
                    [](cplx v) { return log_base(v, kLn10); });
}

void log2_M(const Mt& x, i_o_t, Mr<m_type> y) { y = log2_M(x); }

// [f, e] = log2(x): x = f .* 2.^e with 0.5 <= |f| < 1; f is 0 for x 0, and x itself
// (e 0) for Inf and NaN. A complex x splits its real part.
void log2_M(const Mt& x, i_o_t, Mr<m_type> f, Mr<m_type> e) {
  const std::size_t n = x.numel();
  Mt fo = Mt::alloc(x.rows(), x.cols(), x.isc()), eo = Mt::alloc(x.rows(), x.cols());
  fo.same_shape(x);
  eo.same_shape(x);
  const m_type* p = x.cre();
  const m_type* q = x.cim();
  m_type* pf = fo.pr();
  m_type* qf = x.isc() ? fo.pi() : nullptr;
  m_type* pe = eo.pr();
  for (std::size_t k = 0; k < n; ++k) {
    int ex = 0;
    // A complex element scales both parts by the exponent of its magnitude.
    const m_type mag = q ? std::hypot(p[k], q[k]) : p[k];
    if (std::isfinite(mag) && mag != 0) std::frexp(mag, &ex);
    pf[k] = std::isfinite(mag) ? std::ldexp(p[k], -ex) : p[k];
    if (qf) qf[k] = std::isfinite(mag) ? std::ldexp(q[k], -ex) : q[k];
    pe[k] = m_type(ex);
  }
  f = mth::narrow(fo);
  e = eo;
}

Mt pow2(const Mt& x) {
  return split_map(x, [](m_type v) { return std::exp2(v); },
                   [](cplx v) { return std::exp(v * kLn2); });
}

Mt pow2(const Mt& f, const Mt& e) {
  if (f.isc() || e.isc()) grl_fail("pow2: F and E must be real");
  return mth::zip_real(f, e, "pow2", [](m_type a, m_type b) { return a * std::exp2(b); });
}

// The smallest n with 2^n >= |x|; 0 for x 0, Inf and NaN kept.
Mt nextpow2(const Mt& x) {
  if (x.isc()) grl_fail("nextpow2: X must be real");
  return mth::map_real(x, [](m_type v) -> m_type {
    v = std::fabs(v);
    if (v == 0) return 0;
    if (!std::isfinite(v)) return v;
    int ex = 0;
    const m_type f = std::frexp(v, &ex);   // v = f * 2^ex, 0.5 <= f < 1
    return m_type(f == m_type(0.5) ? ex - 1 : ex);
  });
}

// nthroot(x, n): the real n-th root; a negative x needs an odd integer n. One Newton
// step corrects the power's rounding, so that exact roots come out exact
// (nthroot(27, 3) is 3, where the power alone gives 3.0000000000000004).
Mt nthroot(const Mt& x, const Mt& n) {
  if (x.isc()) grl_fail("nthroot: X must not contain complex values");
  if (n.numel() != 1 || n.isc() || n.cre()[0] == 0 || std::isnan(double(n.cre()[0])))
    grl_fail("nthroot: N must be a real nonzero scalar");
  const m_type nv = n.cre()[0];
  const bool odd = nv == std::floor(nv) && std::fmod(std::fabs(nv), m_type(2)) == 1;
  const m_type* p = x.cre();
  for (std::size_t k = 0; k < x.numel(); ++k)
    if (p[k] < 0 && !odd) grl_fail("nthroot: N must be an odd integer if X contains negative values");
  return mth::map_real(x, [nv](m_type v) -> m_type {
    if (v == 0 || !std::isfinite(v)) return nv > 0 ? v : 1 / v;
    m_type y = std::copysign(std::pow(std::fabs(v), 1 / nv), v);
    if (nv == std::floor(nv) && std::fabs(nv) <= 64 && std::isfinite(y) && y != 0) {
      const m_type e = nv > 0 ? nv : -nv;
      // base is the |n|-th root of v; y is base or its reciprocal.
      const m_type base = nv > 0 ? y : 1 / y;
      const m_type corrected = base - (std::pow(base, e) - v) / (e * std::pow(base, e - 1));
      if (std::isfinite(corrected)) y = nv > 0 ? corrected : 1 / corrected;
    }
    return y;
  });
}

#define GRL_NOT_FOR_CELL(F, NAME) \
  Mt F(const Mc&) { grl_fail("%s: not defined for cell", NAME); }
GRL_NOT_FOR_CELL(expm1_M, "expm1")
GRL_NOT_FOR_CELL(log1p_M, "log1p")
GRL_NOT_FOR_CELL(log2_M, "log2")
GRL_NOT_FOR_CELL(log10_M, "log10")
GRL_NOT_FOR_CELL(pow2, "pow2")
GRL_NOT_FOR_CELL(nextpow2, "nextpow2")
#undef GRL_NOT_FOR_CELL
