// erfinv and erfcinv: the inverse error functions, by Newton's method on erf and erfc
// from a starting point close enough for quadratic convergence. erfcinv works on erfc
// itself, so that tiny arguments (far tails) keep their precision.
#include "math_util.h"
#include "gridlib_extra.h"

#include <cmath>
#include <limits>

using namespace grl;
using namespace grl::mth;

namespace {

constexpr double k_sqrt_pi = 1.77245385090551602729;
constexpr double inf_v = std::numeric_limits<double>::infinity();
constexpr double nan_v = std::numeric_limits<double>::quiet_NaN();

// erfcinv of y in (0, 1]: the normal quantile's approximation for the start, then
// Newton steps on erfc (erfc' = -2/sqrt(pi) exp(-x^2)).
double erfcinv_low(double y) {
  double x;
  if (y > 0.5) {
    const double v = 1 - y;   // erfinv(v) near 0: its series
    x = k_sqrt_pi / 2 * (v + k_sqrt_pi * k_sqrt_pi / 12 * v * v * v);
  } else {
    const double t = std::sqrt(-2 * std::log(y / 2));
    const double z = t - (2.515517 + 0.802853 * t + 0.010328 * t * t) /
                             (1 + 1.432788 * t + 0.189269 * t * t + 0.001308 * t * t * t);
    x = z / std::sqrt(2.0);
  }
  for (int k = 0; k < 8; ++k) {
    const double step = (std::erfc(x) - y) / (-2 / k_sqrt_pi * std::exp(-x * x));
    x -= step;
    if (std::fabs(step) <= 1e-16 * std::fabs(x)) break;
  }
  return x;
}

double erfcinv1(double y) {
  if (std::isnan(y) || y < 0 || y > 2) return nan_v;
  if (y == 0) return inf_v;
  if (y == 2) return -inf_v;
  if (y == 1) return 0;
  return y < 1 ? erfcinv_low(y) : -erfcinv_low(2 - y);
}

double erfinv1(double y) {
  if (std::isnan(y) || y < -1 || y > 1) return nan_v;
  if (y == 1) return inf_v;
  if (y == -1) return -inf_v;
  if (y == 0) return y;
  if (std::fabs(y) > 0.5) return y > 0 ? erfcinv_low(1 - y) : -erfcinv_low(1 + y);
  double x = k_sqrt_pi / 2 * (y + k_sqrt_pi * k_sqrt_pi / 12 * y * y * y);
  for (int k = 0; k < 8; ++k) {
    const double step = (std::erf(x) - y) / (2 / k_sqrt_pi * std::exp(-x * x));
    x -= step;
    if (std::fabs(step) <= 1e-16 * std::fabs(x)) break;
  }
  return x;
}

template <class F> Mt inverse(const Mt& x, const char* fn, F f) {
  if (x.holds_cell() || x.holds_struct() || (x.flags_ & F_HANDLE) || x.isc())
    grl_fail("%s: X must be real", fn);
  const mclass c = class_of(x);
  if (c != mc_double && c != mc_single) grl_fail("%s: X must be of class double or single", fn);
  Mt o = Mt::alloc(x.rows(), x.cols());
  o.same_shape(x);
  for (std::size_t k = 0; k < x.numel(); ++k) o.pr()[k] = m_type(f(double(x.cre()[k])));
  if (c == mc_single) apply_class(o, mc_single);
  return o;
}

}  // namespace

Mt erfinv(const Mt& x) { return inverse(x, "erfinv", erfinv1); }
Mt erfcinv(const Mt& x) { return inverse(x, "erfcinv", erfcinv1); }

// fft2 and ifft2: the transform along the columns, then along the rows (each padded or
// cut to m rows and n columns when given).
Mt fft2(const Mt& x) { return fft(fft(x, Mt(), Mt(1.0)), Mt(), Mt(2.0)); }
Mt fft2(const Mt& x, const Mt& m, const Mt& n) { return fft(fft(x, m, Mt(1.0)), n, Mt(2.0)); }
Mt ifft2(const Mt& x) { return ifft(ifft(x, Mt(), Mt(1.0)), Mt(), Mt(2.0)); }
Mt ifft2(const Mt& x, const Mt& m, const Mt& n) { return ifft(ifft(x, m, Mt(1.0)), n, Mt(2.0)); }
