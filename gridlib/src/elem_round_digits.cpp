// round(x, n) and round(x, n, type): rounding to n decimal digits (after the point, or
// before it when n is negative) or to n significant digits. Halves go away from zero,
// as round does; real and imaginary parts are rounded alone.
#include "math_util.h"
#include "gridlib_extra.h"
#include "strutil.h"

#include <cmath>
#include <string>

using namespace grl;
using namespace grl::mth;

namespace {

// v to d digits after the point. A negative d divides by an exact power of ten
// rather than multiplying by an inexact one (10^-2 is no binary number).
double to_decimals(double v, int d) {
  if (!std::isfinite(v) || v == 0) return v;
  if (d > 308) return v;
  if (d >= 0) {
    const double s = std::pow(10.0, d);
    const double scaled = v * s;
    if (!std::isfinite(scaled)) return v;
    return std::round(scaled) / s;
  }
  const double s = std::pow(10.0, -d);
  return std::round(v / s) * s;
}

double to_significant(double v, int d) {
  if (!std::isfinite(v) || v == 0) return v;
  const int before = int(std::floor(std::log10(std::fabs(v)))) + 1;
  return to_decimals(v, d - before);
}

}  // namespace

M<m_type> round_M(const M<m_type>& x, const M<m_type>& n, const M<m_type>& type) {
  std::string t = type.ischar() ? su::text(type) : std::string();
  for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (t != "decimals" && t != "significant")
    grl_fail("round: TYPE must be 'decimals' or 'significant'");
  if (n.numel() != 1 || n.isc() || n.holds_cell() || n.holds_struct() || !std::isfinite(double(n.cre()[0])) ||
      double(n.cre()[0]) != std::floor(double(n.cre()[0])))
    grl_fail("round: N must be an integer scalar");
  const double nd = double(n.cre()[0]);
  const int d = nd > 400 ? 400 : nd < -400 ? -400 : int(nd);
  if (t == "significant" && d < 1) grl_fail("round: N must be a positive integer for 'significant'");
  if (x.holds_cell() || x.holds_struct() || (x.flags_ & F_HANDLE))
    grl_fail("round: wrong type argument '%s'", class_name(class_of(x)));
  const mclass c = class_of(x);
  // Integers have no digits after the point; other requests round through double.
  if (c != mc_double && c != mc_single && c != mc_logical && c != mc_char && d >= 0) return x;
  const bool significant = t == "significant";
  auto one = [&](double v) { return significant ? to_significant(v, d) : to_decimals(v, d); };
  Mt o = Mt::alloc(x.rows(), x.cols(), x.isc());
  o.same_shape(x);
  for (std::size_t k = 0; k < x.numel(); ++k) {
    o.pr()[k] = m_type(one(double(x.cre()[k])));
    if (x.isc()) o.pi()[k] = m_type(one(double(x.cim()[k])));
  }
  if (c == mc_single) apply_class(o, mc_single);
  else if (c != mc_double && c != mc_logical && c != mc_char) apply_class(o, c);
  return narrow(o);
}

M<m_type> round_M(const M<m_type>& x, const M<m_type>& n) { return round_M(x, n, su::str("decimals")); }
