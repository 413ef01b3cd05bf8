// Angles in degrees: deg2rad, rad2deg, and the trigonometric functions of degrees
// (sind, cosd, tand) with their inverses (asind, acosd, atand, atan2d). The direct ones
// reduce the angle exactly (fmod by 360 is exact) before any rounding, so multiples of
// 90 degrees and the angles 30, 45 and 60 give exact results.
#include "math_util.h"
#include "gridlib_extra.h"

#include <cmath>
#include <complex>
#include <limits>

using namespace grl;
using namespace grl::mth;

namespace {

constexpr double k_pi = 3.14159265358979323846;

bool is_float(const Mt& x) {
  const mclass c = class_of(x);
  return c == mc_double || c == mc_single;
}

// The number argument of fn: no cell or structure.
void numbers_only(const Mt& x, const char* fn) {
  if (x.holds_cell() || x.holds_struct() || (x.flags_ & F_HANDLE))
    grl_fail("%s: wrong type argument '%s'", fn, class_name(class_of(x)));
}

// A result of x's kind: single stays single, anything else gives double.
Mt as_input_float(Mt o, const Mt& x) {
  if (class_of(x) == mc_single) apply_class(o, mc_single);
  return o;
}

// Multiplies every part of x (real and imaginary) by f; x keeps single.
Mt scaled(const Mt& x, double f, const char* fn, const char* arg) {
  if (!is_float(x)) grl_fail("%s: %s must be a floating point class (double or single)", fn, arg);
  Mt o = Mt::alloc(x.rows(), x.cols(), x.isc());
  o.same_shape(x);
  const std::size_t n = x.numel();
  for (std::size_t k = 0; k < n; ++k) {
    o.pr()[k] = m_type(double(x.cre()[k]) * f);
    if (x.isc()) o.pi()[k] = m_type(double(x.cim()[k]) * f);
  }
  return as_input_float(narrow(o), x);
}

// sin of an angle a in [0, 90) degrees, exact at 0, 30 and 90 - 60 ...
double sin_first(double a) { return a == 0 ? 0 : a == 30 ? 0.5 : std::sin(a * k_pi / 180); }
double cos_first(double a) { return a == 0 ? 1 : a == 60 ? 0.5 : std::cos(a * k_pi / 180); }

// The angle as a quadrant (0..3) and the angle within it, [0, 90).
void quadrant(double x, int& q, double& a) {
  double r = std::fmod(x, 360.0);
  if (r < 0) r += 360;
  if (r >= 360) r = 0;
  q = int(r / 90);
  if (q > 3) q = 3;
  a = r - 90.0 * q;
}

double sind1(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  int q;
  double a;
  quadrant(x, q, a);
  switch (q) {
    case 0: return sin_first(a);
    case 1: return cos_first(a);
    case 2: return a == 0 ? 0 : -sin_first(a);
    default: return -cos_first(a);
  }
}

double cosd1(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  int q;
  double a;
  quadrant(x, q, a);
  switch (q) {
    case 0: return cos_first(a);
    case 1: return a == 0 ? 0 : -sin_first(a);
    case 2: return -cos_first(a);
    default: return sin_first(a);
  }
}

// tan of degrees: 0 at multiples of 180, Inf at the odd multiples of 90 (either side),
// exactly 1 and -1 at 45 and 135.
double tand1(double x) {
  if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
  double r = std::fmod(x, 180.0);
  if (r < 0) r += 180;
  if (r >= 180) r = 0;
  if (r == 0) return 0;
  if (r == 90) return std::numeric_limits<double>::infinity();
  if (r == 45) return 1;
  if (r == 135) return -1;
  return r < 90 ? std::tan(r * k_pi / 180) : -std::tan((180 - r) * k_pi / 180);
}

template <class F, class G> Mt degrees_fn(const Mt& x, const char* fn, F real_f, G cplx_f) {
  numbers_only(x, fn);
  if (x.isc()) {
    const Mt o = map_cplx(x, [&](cplx z) { return cplx_f(z * cplx(k_pi / 180)); });
    return as_input_float(o, x);
  }
  Mt o = Mt::alloc(x.rows(), x.cols());
  o.same_shape(x);
  const std::size_t n = x.numel();
  for (std::size_t k = 0; k < n; ++k) o.pr()[k] = m_type(real_f(double(x.cre()[k])));
  return as_input_float(o, x);
}

// The inverse functions give radians; the result in degrees keeps a complex part.
Mt in_degrees(const Mt& radians, const Mt& x) {
  Mt o = radians;
  const std::size_t n = o.numel();
  Mt r = Mt::alloc(o.rows(), o.cols(), o.isc());
  r.same_shape(o);
  for (std::size_t k = 0; k < n; ++k) {
    r.pr()[k] = m_type(double(o.cre()[k]) * (180 / k_pi));
    if (o.isc()) r.pi()[k] = m_type(double(o.cim()[k]) * (180 / k_pi));
  }
  return as_input_float(narrow(r), x);
}

}  // namespace

Mt deg2rad(const Mt& x) { return scaled(x, k_pi / 180, "deg2rad", "DEG"); }
Mt rad2deg(const Mt& x) { return scaled(x, 180 / k_pi, "rad2deg", "RAD"); }

Mt sind(const Mt& x) {
  return degrees_fn(x, "sind", sind1, [](cplx z) { return std::sin(z); });
}
Mt cosd(const Mt& x) {
  return degrees_fn(x, "cosd", cosd1, [](cplx z) { return std::cos(z); });
}
Mt tand(const Mt& x) {
  return degrees_fn(x, "tand", tand1, [](cplx z) { return std::tan(z); });
}

Mt asind(const Mt& x) {
  numbers_only(x, "asind");
  return in_degrees(asin_M(x), x);
}
Mt acosd(const Mt& x) {
  numbers_only(x, "acosd");
  return in_degrees(acos_M(x), x);
}
Mt atand(const Mt& x) {
  numbers_only(x, "atand");
  return in_degrees(atan_M(x), x);
}
Mt atan2d(const Mt& y, const Mt& x) {
  numbers_only(y, "atan2d");
  numbers_only(x, "atan2d");
  const Mt o = in_degrees(atan2_M(y, x), y);
  return class_of(x) == mc_single ? as_input_float(o, x) : o;
}
