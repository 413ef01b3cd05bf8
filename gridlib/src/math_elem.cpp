// Element-wise math: abs, sqrt, exp, log, the trigonometric functions, rounding, and
// the binary atan2, mod and rem with scalar and implicit expansion.
#include "math_util.h"

#include <limits>

using namespace grl;
using namespace grl::mth;

namespace {

// Real inputs take the real loop; complex inputs the complex one.
template <class FR, class FC> Mt unary(const Mt& x, FR fr, FC fc) {
  return x.isc() ? map_cplx(x, fc) : map_real(x, fr);
}

bool any_below(const Mt& x, m_type lim) {
  const m_type* p = x.cre();
  const std::size_t n = x.numel();
  for (std::size_t k = 0; k < n; ++k)
    if (p[k] < lim) return true;
  return false;
}

void no_complex(const Mt& a, const Mt& b, const char* fn) {
  if (a.isc() || b.isc()) grl_fail("%s: not defined for complex numbers", fn);
}

// x/y within rounding of an integer: mod and rem give exactly 0 there.
inline bool near_integer(m_type q) {
  const m_type n = std::round(q);
  return q == n || std::fabs(q - n) < std::numeric_limits<m_type>::epsilon() * std::fabs(n);
}

inline m_type mod1(m_type x, m_type y) {
  if (y == 0) return x;
  if (std::isinf(x) || std::isinf(y) || x != x || y != y) return std::numeric_limits<m_type>::quiet_NaN();
  const m_type q = x / y;
  if (near_integer(q)) return 0;
  m_type r = x - std::floor(q) * y;
  if (r != 0 && ((r < 0) != (y < 0))) r += y;
  return r;
}

inline m_type rem1(m_type x, m_type y) {
  if (y == 0 || std::isinf(x) || std::isinf(y) || x != x || y != y)
    return std::numeric_limits<m_type>::quiet_NaN();
  const m_type q = x / y;
  if (near_integer(q)) return 0;
  return x - std::trunc(q) * y;
}

// Rounding of a complex value rounds both parts.
template <class F> cplx both(cplx v, F f) { return cplx(f(v.real()), f(v.imag())); }

}  // namespace

Mt abs_M(const Mt& x) {
  if (x.isc()) {
    const m_type* a = x.cre();
    const m_type* b = x.cim();
    Mt o = Mt::alloc(x.rows(), x.cols());
    m_type* p = o.pr();
    const std::size_t n = x.numel();
    for (std::size_t k = 0; k < n; ++k) p[k] = std::hypot(a[k], b[k]);
    return o;
  }
  return map_real(x, [](m_type v) { return std::fabs(v); });
}

Mt sqrt_M(const Mt& x) {
  if (!x.isc() && !any_below(x, 0)) return map_real(x, [](m_type v) { return std::sqrt(v); });
  return map_cplx(x, [](cplx v) {
    if (v.imag() == 0 && v.real() < 0) return cplx(0, std::sqrt(-v.real()));
    return std::sqrt(v);
  });
}

Mt exp_M(const Mt& x) {
  return unary(x, [](m_type v) { return std::exp(v); }, [](cplx v) { return std::exp(v); });
}

Mt log_M(const Mt& x) {
  if (!x.isc() && !any_below(x, 0)) return map_real(x, [](m_type v) { return std::log(v); });
  return map_cplx(x, [](cplx v) {
    if (v.imag() == 0 && v.real() < 0)
      return cplx(std::log(-v.real()), m_type(3.14159265358979323846));
    return std::log(v);
  });
}

Mt sin_M(const Mt& x) {
  return unary(x, [](m_type v) { return std::sin(v); }, [](cplx v) { return std::sin(v); });
}
Mt cos_M(const Mt& x) {
  return unary(x, [](m_type v) { return std::cos(v); }, [](cplx v) { return std::cos(v); });
}
Mt tan_M(const Mt& x) {
  return unary(x, [](m_type v) { return std::tan(v); }, [](cplx v) { return std::tan(v); });
}

Mt floor_M(const Mt& x) {
  auto f = [](m_type v) { return std::floor(v); };
  return unary(x, f, [f](cplx v) { return both(v, f); });
}
Mt ceil_M(const Mt& x) {
  auto f = [](m_type v) { return std::ceil(v); };
  return unary(x, f, [f](cplx v) { return both(v, f); });
}
// Halves round away from zero.
Mt round_M(const Mt& x) {
  auto f = [](m_type v) { return std::round(v); };
  return unary(x, f, [f](cplx v) { return both(v, f); });
}
Mt fix(const Mt& x) {
  auto f = [](m_type v) { return std::trunc(v); };
  return unary(x, f, [f](cplx v) { return both(v, f); });
}

Mt atan2_M(const Mt& y, const Mt& x) {
  no_complex(y, x, "atan2");
  return zip_real(y, x, "atan2", [](m_type a, m_type b) { return std::atan2(a, b); });
}

// mod: the result has the sign of y; mod(x,0) is x.
Mt mod(const Mt& x, const Mt& y) {
  no_complex(x, y, "mod");
  return zip_real(x, y, "mod", mod1);
}

// rem: the result has the sign of x; rem(x,0) is NaN.
Mt rem(const Mt& x, const Mt& y) {
  no_complex(x, y, "rem");
  return zip_real(x, y, "rem", rem1);
}

// --- cells are not numbers ------------------------------------------------------------
#define GRL_NOT_FOR_CELL(F, NAME) \
  Mt F(const Mc&) { grl_fail("%s: not defined for cell", NAME); }
GRL_NOT_FOR_CELL(abs_M, "abs")
GRL_NOT_FOR_CELL(sqrt_M, "sqrt")
GRL_NOT_FOR_CELL(exp_M, "exp")
GRL_NOT_FOR_CELL(log_M, "log")
GRL_NOT_FOR_CELL(sin_M, "sin")
GRL_NOT_FOR_CELL(cos_M, "cos")
GRL_NOT_FOR_CELL(tan_M, "tan")
GRL_NOT_FOR_CELL(floor_M, "floor")
GRL_NOT_FOR_CELL(ceil_M, "ceil")
GRL_NOT_FOR_CELL(round_M, "round")
GRL_NOT_FOR_CELL(fix, "fix")
#undef GRL_NOT_FOR_CELL

#define GRL_CELL_BINARY(F, NAME)                                 \
  Mt F(const Mc&, const Mt&) { wrong_type_cell(NAME); }          \
  Mt F(const Mt&, const Mc&) { wrong_type_cell(NAME); }          \
  Mt F(const Mc&, const Mc&) { wrong_type_cell(NAME); }
GRL_CELL_BINARY(mod, "mod")
GRL_CELL_BINARY(rem, "rem")
GRL_CELL_BINARY(atan2_M, "atan2")
#undef GRL_CELL_BINARY
