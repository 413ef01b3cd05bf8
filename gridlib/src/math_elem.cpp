// Element-wise math: abs, sqrt, exp, log, the trigonometric functions, rounding, and
// the binary atan2, mod and rem with scalar and implicit expansion.
#include "gridlib_fast.h"
#include "int64_util.h"
#include "math_util.h"

#include <limits>

using namespace grl;
using namespace grl::mth;

namespace {

// Real inputs take the real loop; complex inputs the complex one. t is x itself when
// x is a temporary whose storage a real result may take.
template <class FR, class FC> Mt unary(const Mt& x, FR fr, FC fc, Mt* t) {
  return x.isc() ? map_cplx(x, fc) : map_real(x, fr, t);
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

// Quotients below this size convert to an integer exactly, so their floor and the
// nearest integer come without a call into the math library.
const m_type kExactInt = 1 / std::numeric_limits<m_type>::epsilon();

// floor(q) for |q| < kExactInt (a zero result is +0).
inline m_type floor_small(m_type q) {
  const m_type t = m_type(static_cast<long long>(q));
  return t > q ? t - 1 : t;
}

// x/y within rounding of an integer: mod and rem give exactly 0 there, a zero with the
// sign of y for mod and of x for rem (as the results around it have). f is floor(q)
// for |q| < kExactInt; the nearest integer, halves away from zero as round() has it, is
// f or f + 1. q - f is exact except for -0.5 < q < 0 (then the nearest integer is 0
// or -1, and q is near neither), and a zero's sign does not change the answer.
inline bool near_integer(m_type q, m_type f) {
  const m_type d = q - f;
  const m_type n = d < m_type(0.5) ? f : d > m_type(0.5) ? f + 1 : q < 0 ? f : f + 1;
  return q == n || std::fabs(q - n) < std::numeric_limits<m_type>::epsilon() * std::fabs(n);
}
inline bool near_integer(m_type q) {
  const m_type n = std::round(q);
  return q == n || std::fabs(q - n) < std::numeric_limits<m_type>::epsilon() * std::fabs(n);
}

inline m_type mod1(m_type x, m_type y) {
  if (y == 0) return x;
  if (std::isinf(x) || std::isinf(y) || x != x || y != y) return std::numeric_limits<m_type>::quiet_NaN();
  const m_type q = x / y;
  m_type f;
  if (std::fabs(q) < kExactInt) {
    f = floor_small(q);
    if (near_integer(q, f)) return std::copysign(m_type(0), y);
  } else {
    if (near_integer(q)) return std::copysign(m_type(0), y);
    f = std::floor(q);
  }
  m_type r = x - f * y;
  if (r != 0 && ((r < 0) != (y < 0))) r += y;
  return r;
}

inline m_type rem1(m_type x, m_type y) {
  if (y == 0 || std::isinf(x) || std::isinf(y) || x != x || y != y)
    return std::numeric_limits<m_type>::quiet_NaN();
  const m_type q = x / y;
  m_type t;
  if (std::fabs(q) < kExactInt) {
    if (near_integer(q, floor_small(q))) return std::copysign(m_type(0), x);
    t = m_type(static_cast<long long>(q));
  } else {
    if (near_integer(q)) return std::copysign(m_type(0), x);
    t = std::trunc(q);
  }
  return x - t * y;
}

Mt abs_of(const Mt& x, Mt* t) {
  if (x.isc()) {
    const m_type* a = x.cre();
    const m_type* b = x.cim();
    Mt o = Mt::alloc(x.rows(), x.cols());
    o.same_shape(x);
    m_type* p = o.pr();
    const std::size_t n = x.numel();
    for (std::size_t k = 0; k < n; ++k) p[k] = std::hypot(a[k], b[k]);
    return o;
  }
  return map_real(x, [](m_type v) { return std::fabs(v); }, t);
}

Mt sqrt_of(const Mt& x, Mt* t) {
  if (!x.isc() && !any_below(x, 0)) return map_real(x, [](m_type v) { return std::sqrt(v); }, t);
  return map_cplx(x, [](cplx v) {
    if (v.imag() == 0 && v.real() < 0) return cplx(0, std::sqrt(-v.real()));
    return std::sqrt(v);
  });
}

Mt log_of(const Mt& x, Mt* t) {
  if (!x.isc() && !any_below(x, 0)) return map_real(x, [](m_type v) { return std::log(v); }, t);
  return map_cplx(x, [](cplx v) {
    if (v.imag() == 0 && v.real() < 0)
      return cplx(std::log(-v.real()), m_type(3.14159265358979323846));
    return std::log(v);
  });
}

// The result of a function that keeps its argument's numeric class (abs, rounding,
// mod, rem): converted to the class c, which abs(int8(-128)) needs (127).
Mt in_class(Mt r, mclass c) {
  if (c != mc_double) apply_class(r, c);
  return r;
}
// The class of the result of a function whose result is a float: single stays single.
mclass float_class(const Mt& x) { return x.num_class() == mc_single ? mc_single : mc_double; }
}  // namespace

Mt abs_M(const Mt& x) {
  if (w64::wide(x)) return w64::abs(x);
  return in_class(abs_of(x, nullptr), x.num_class());
}
Mt abs_M(Mt&& x) {
  if (w64::wide(x)) return w64::abs(x);
  const mclass c = x.num_class();
  return in_class(abs_of(x, &x), c);
}
Mt sqrt_M(const Mt& x) { return in_class(sqrt_of(x, nullptr), float_class(x)); }
Mt sqrt_M(Mt&& x) { const mclass c = float_class(x); return in_class(sqrt_of(x, &x), c); }
Mt log_M(const Mt& x) { return in_class(log_of(x, nullptr), float_class(x)); }
Mt log_M(Mt&& x) { const mclass c = float_class(x); return in_class(log_of(x, &x), c); }

// f(x) and f of a temporary x, whose storage a real result may take. The functions
// of floats keep single; the rounding functions keep every numeric class.
#define GRL_UNARY(F, REAL, CPLX)                                                          \
  Mt F(const Mt& x) { return in_class(unary(x, REAL, CPLX, nullptr), float_class(x)); }    \
  Mt F(Mt&& x) { const mclass c = float_class(x); return in_class(unary(x, REAL, CPLX, &x), c); }
// An integer class is whole already: rounding gives the value itself (exact for int64).
#define GRL_ROUNDING(F, REAL, CPLX)                                                        \
  Mt F(const Mt& x) {                                                                      \
    if (is_int_class(x.num_class()) && !x.flags_) return x;                                \
    return in_class(unary(x, REAL, CPLX, nullptr), x.num_class());                         \
  }                                                                                        \
  Mt F(Mt&& x) {                                                                           \
    if (is_int_class(x.num_class()) && !x.flags_) return std::move(x);                     \
    const mclass c = x.num_class();                                                        \
    return in_class(unary(x, REAL, CPLX, &x), c);                                          \
  }
GRL_UNARY(exp_M, [](m_type v) { return std::exp(v); }, [](cplx v) { return std::exp(v); })
GRL_UNARY(sin_M, [](m_type v) { return std::sin(v); }, [](cplx v) { return std::sin(v); })
GRL_UNARY(cos_M, [](m_type v) { return std::cos(v); }, [](cplx v) { return std::cos(v); })
GRL_UNARY(tan_M, [](m_type v) { return std::tan(v); }, [](cplx v) { return std::tan(v); })
// Rounding of a complex value rounds both parts; halves round away from zero.
GRL_ROUNDING(floor_M, [](m_type v) { return std::floor(v); },
          [](cplx v) { return cplx(std::floor(v.real()), std::floor(v.imag())); })
GRL_ROUNDING(ceil_M, [](m_type v) { return std::ceil(v); },
          [](cplx v) { return cplx(std::ceil(v.real()), std::ceil(v.imag())); })
GRL_ROUNDING(round_M, [](m_type v) { return std::round(v); },
          [](cplx v) { return cplx(std::round(v.real()), std::round(v.imag())); })
GRL_ROUNDING(fix, [](m_type v) { return std::trunc(v); },
          [](cplx v) { return cplx(std::trunc(v.real()), std::trunc(v.imag())); })
#undef GRL_UNARY
#undef GRL_ROUNDING

Mt atan2_M(const Mt& y, const Mt& x) {
  no_complex(y, x, "atan2");
  return zip_real(y, x, "atan2", [](m_type a, m_type b) { return std::atan2(a, b); });
}

m_type grl::mod_scalar(m_type x, m_type y) { return mod1(x, y); }
m_type grl::rem_scalar(m_type x, m_type y) { return rem1(x, y); }

// mod: the result has the sign of y; mod(x,0) is x. (A lambda rather than mod1 itself,
// so that the loop inlines it.)
// With an integer class or single operand the result takes the class arithmetic gives.
Mt mod(const Mt& x, const Mt& y) {
  no_complex(x, y, "mod");
  const mclass c = (x.cls_ | y.cls_) ? arith_class(x, y, "mod") : mc_double;
  if (w64::wide(c)) return w64::zip(x, y, c, "mod", [c](w64::ld a, w64::ld b) { return w64::mod(a, b, c); });
  return in_class(zip_real(x, y, "mod", [](m_type a, m_type b) { return mod1(a, b); }), c);
}
Mt mod(Mt&& x, const Mt& y) {
  no_complex(x, y, "mod");
  const mclass c = (x.cls_ | y.cls_) ? arith_class(x, y, "mod") : mc_double;
  if (w64::wide(c)) return w64::zip(x, y, c, "mod", [c](w64::ld a, w64::ld b) { return w64::mod(a, b, c); });
  return in_class(zip_real(x, y, "mod", [](m_type a, m_type b) { return mod1(a, b); }, &x), c);
}

// rem: the result has the sign of x; rem(x,0) is NaN (0 in an integer class).
Mt rem(const Mt& x, const Mt& y) {
  no_complex(x, y, "rem");
  const mclass c = (x.cls_ | y.cls_) ? arith_class(x, y, "rem") : mc_double;
  if (w64::wide(c)) return w64::zip(x, y, c, "rem", [c](w64::ld a, w64::ld b) { return w64::rem(a, b, c); });
  return in_class(zip_real(x, y, "rem", [](m_type a, m_type b) { return rem1(a, b); }), c);
}
Mt rem(Mt&& x, const Mt& y) {
  no_complex(x, y, "rem");
  const mclass c = (x.cls_ | y.cls_) ? arith_class(x, y, "rem") : mc_double;
  if (w64::wide(c)) return w64::zip(x, y, c, "rem", [c](w64::ld a, w64::ld b) { return w64::rem(a, b, c); });
  return in_class(zip_real(x, y, "rem", [](m_type a, m_type b) { return rem1(a, b); }, &x), c);
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
