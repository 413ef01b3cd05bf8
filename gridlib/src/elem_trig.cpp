// Reciprocal, inverse and hyperbolic trigonometric functions. The inverse functions of
// a real argument outside their real domain (asin(2), acosh(0), atanh(-3)) are complex,
// on the same side of the branch cut as the other M systems put them.
#include "elem_util.h"

using namespace grl;
using namespace grl::elem;

namespace {

const m_type kPi = m_type(3.14159265358979323846);
const m_type kHalfPi = kPi / 2;

bool in_unit(m_type v) { return !(v < -1 || v > 1); }

// asin of a real v with |v| > 1: sign(v)*pi/2 - i*sign(v)*acosh(|v|).
cplx asin_off(m_type v) {
  const m_type s = v < 0 ? m_type(-1) : m_type(1);
  return cplx(s * kHalfPi, -s * std::acosh(std::fabs(v)));
}

cplx asin_c(cplx z) {
  if (z.imag() == 0 && !in_unit(z.real())) return asin_off(z.real());
  return std::asin(z);
}

cplx acos_c(cplx z) {
  if (z.imag() == 0 && !in_unit(z.real())) return cplx(kHalfPi, 0) - asin_off(z.real());
  return std::acos(z);
}

// acosh of a real v below 1: i*acos(v) between -1 and 1, acosh(-v) + i*pi below -1.
cplx acosh_c(cplx z) {
  if (z.imag() == 0 && z.real() < 1) {
    const m_type v = z.real();
    if (v >= -1) return cplx(0, std::acos(v));
    return cplx(std::acosh(-v), kPi);
  }
  return std::acosh(z);
}

// atanh of a real v with |v| > 1: 0.5*log|(1+v)/(1-v)| + i*pi/2.
cplx atanh_c(cplx z) {
  if (z.imag() == 0 && !in_unit(z.real())) {
    const m_type v = z.real();
    return cplx(m_type(0.5) * std::log1p(m_type(2) / (v - 1)), kHalfPi);
  }
  return std::atanh(z);
}

}  // namespace

Mt sec(const Mt& x) {
  return split_map(x, [](m_type v) { return 1 / std::cos(v); },
                   [](cplx v) { return m_type(1) / std::cos(v); });
}
Mt csc(const Mt& x) {
  return split_map(x, [](m_type v) { return 1 / std::sin(v); },
                   [](cplx v) { return m_type(1) / std::sin(v); });
}
Mt cot(const Mt& x) {
  return split_map(x, [](m_type v) { return 1 / std::tan(v); },
                   [](cplx v) { return m_type(1) / std::tan(v); });
}

Mt asin_M(const Mt& x) { return domain_map(x, in_unit, [](m_type v) { return std::asin(v); }, asin_c); }
Mt acos_M(const Mt& x) { return domain_map(x, in_unit, [](m_type v) { return std::acos(v); }, acos_c); }
Mt atan_M(const Mt& x) {
  return split_map(x, [](m_type v) { return std::atan(v); }, [](cplx v) { return std::atan(v); });
}
Mt sinh_M(const Mt& x) {
  return split_map(x, [](m_type v) { return std::sinh(v); }, [](cplx v) { return std::sinh(v); });
}
Mt cosh_M(const Mt& x) {
  return split_map(x, [](m_type v) { return std::cosh(v); }, [](cplx v) { return std::cosh(v); });
}
Mt tanh_M(const Mt& x) {
  return split_map(x, [](m_type v) { return std::tanh(v); }, [](cplx v) { return std::tanh(v); });
}
Mt asinh_M(const Mt& x) {
  return split_map(x, [](m_type v) { return std::asinh(v); }, [](cplx v) { return std::asinh(v); });
}
Mt acosh_M(const Mt& x) {
  return domain_map(x, [](m_type v) { return !(v < 1); }, [](m_type v) { return std::acosh(v); },
                    acosh_c);
}
Mt atanh_M(const Mt& x) {
  return domain_map(x, in_unit, [](m_type v) { return std::atanh(v); }, atanh_c);
}

// Octave names the function a cell reaches first: sec calls cos, cot calls tan.
#define GRL_NOT_FOR_CELL(F, NAME) \
  Mt F(const Mc&) { grl_fail("%s: not defined for cell", NAME); }
GRL_NOT_FOR_CELL(sec, "cos")
GRL_NOT_FOR_CELL(csc, "sin")
GRL_NOT_FOR_CELL(cot, "tan")
GRL_NOT_FOR_CELL(asin_M, "asin")
GRL_NOT_FOR_CELL(acos_M, "acos")
GRL_NOT_FOR_CELL(atan_M, "atan")
GRL_NOT_FOR_CELL(sinh_M, "sinh")
GRL_NOT_FOR_CELL(cosh_M, "cosh")
GRL_NOT_FOR_CELL(tanh_M, "tanh")
GRL_NOT_FOR_CELL(asinh_M, "asinh")
GRL_NOT_FOR_CELL(acosh_M, "acosh")
GRL_NOT_FOR_CELL(atanh_M, "atanh")
#undef GRL_NOT_FOR_CELL
