// The logarithm of the gamma function and the beta function, block-diagonal matrices,
// linear systems with options (linsolve), this moment as a date number (now) and days
// of the week (weekday).
#include "math_util.h"
#include "strutil.h"
#include "gridlib_extra.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace grl;
using namespace grl::mth;

namespace {

const double pi = 3.14159265358979323846;

// log(gamma(v)) as a real part and an imaginary part (pi where gamma(v) < 0).
void log_gamma(double v, double& re, double& im) {
  im = 0;
  if (std::isnan(v)) {
    re = v;
    return;
  }
  if (v <= 0 && v == std::floor(v)) {   // the poles: gamma is infinite there
    re = std::numeric_limits<double>::infinity();
    return;
  }
  int sign = 1;
  re = lgamma_r(v, &sign);
  if (sign < 0) im = pi;
}

void real_numbers(const Mt& x, const char* fn) {
  if (x.holds_cell() || x.holds_struct() || (x.flags_ & F_HANDLE)) grl_fail("%s: X must be real", fn);
  if (x.isc()) grl_fail("%s: X must be real", fn);
}

// The number (or the value of the one-element structure field) fn reads as true.
bool option_set(const Mt& opts, const char* name) {
  const auto names = field_names(opts);
  for (const std::string& n : names)
    if (n == name) {
      const Mt v = field(opts, name);
      return !v.isempty() && double(v.cre()[0]) != 0;
    }
  return false;
}

}  // namespace

Mt gammaln(const Mt& x) {
  real_numbers(x, "gammaln");
  Mt o = Mt::alloc(x.rows(), x.cols(), true);
  bool any_im = false;
  for (std::size_t k = 0; k < x.numel(); ++k) {
    double re = 0, im = 0;
    log_gamma(double(x.cre()[k]), re, im);
    o.pr()[k] = m_type(re);
    o.pi()[k] = m_type(im);
    any_im = any_im || im != 0;
  }
  o.same_shape(x);
  if (!any_im) o.drop_imag();
  if (class_of(x) == mc_single) apply_class(o, mc_single);
  return o;
}

Mt beta(const Mt& a, const Mt& b) {
  real_numbers(a, "beta");
  real_numbers(b, "beta");
  if (!a.isscalar() && !b.isscalar() && a.shape() != b.shape())
    grl_fail("beta: A and B must have consistent sizes");
  const Mt& shape = a.isscalar() ? b : a;
  Mt o = Mt::alloc(shape.rows(), shape.cols());
  for (std::size_t k = 0; k < shape.numel(); ++k) {
    const double av = double(a.cre()[a.isscalar() ? 0 : k]), bv = double(b.cre()[b.isscalar() ? 0 : k]);
    double ra, ia, rb, ib, rs, is;
    log_gamma(av, ra, ia);
    log_gamma(bv, rb, ib);
    log_gamma(av + bv, rs, is);
    // The real part of exp(log gamma(a) + log gamma(b) - log gamma(a + b)).
    o.pr()[k] = m_type(std::exp(ra + rb - rs) * std::cos(ia + ib - is));
  }
  o.same_shape(shape);
  if (class_of(a) == mc_single || class_of(b) == mc_single) apply_class(o, mc_single);
  return o;
}

Mt now() { return datenum(clock_M()); }

Mt grl::blkdiag_run(const deal_t& d) {
  if (d.in.empty()) grl_fail("Invalid call to blkdiag");
  if (!d.out.empty() && d.out.size() > 1) grl_fail("blkdiag: function called with too many outputs");
  std::size_t rows = 0, cols = 0;
  bool cplx = false;
  for (const Mt& b : d.in) {
    if (b.holds_cell() || b.holds_struct() || b.ischar() || (b.flags_ & F_HANDLE))
      grl_fail("blkdiag: all arguments must be numeric");
    if (b.ndims() > 2) grl_fail("blkdiag: all arguments must be 2-dimensional matrices");
    rows += b.rows();
    cols += b.cols();
    cplx = cplx || b.isc();
  }
  Mt o = Mt::alloc(rows, cols, cplx);
  for (std::size_t k = 0; k < rows * cols; ++k) {
    o.pr()[k] = 0;
    if (cplx) o.pi()[k] = 0;
  }
  std::size_t r0 = 0, c0 = 0;
  for (const Mt& b : d.in) {
    for (std::size_t j = 0; j < b.cols(); ++j)
      for (std::size_t i = 0; i < b.rows(); ++i) {
        const std::size_t at = (r0 + i) + (c0 + j) * rows;
        o.pr()[at] = b.elem(i + j * b.rows());
        if (cplx) o.pi()[at] = b.ielem(i + j * b.rows());
      }
    r0 += b.rows();
    c0 += b.cols();
  }
  Mt out = narrow(o);
  if (!d.out.empty()) {
    Mr<m_type> r = d.out[0];
    r = out;
  }
  return out;
}

Mt grl::linsolve_run(const deal_t& d) {
  if (d.in.size() < 2 || d.in.size() > 3) grl_fail("Invalid call to linsolve");
  if (d.out.size() > 1) grl_fail("linsolve: function called with too many outputs");
  const Mt& a = d.in[0];
  const Mt& b = d.in[1];
  for (const Mt* m : {&a, &b})
    if (m->holds_cell() || m->holds_struct() || m->ischar() || m->ndims() > 2)
      grl_fail("linsolve: A and B must be numeric 2-D matrices");
  if (a.rows() != b.rows() && !(d.in.size() == 3 && d.in[2].holds_struct() && option_set(d.in[2], "TRANSA")))
    grl_fail("linsolve: operator \\: nonconformant arguments (op1 is %zux%zu, op2 is %zux%zu)", a.rows(), a.cols(),
             b.rows(), b.cols());
  bool trans = false;
  if (d.in.size() == 3) {
    if (!d.in[2].holds_struct() || d.in[2].numel() != 1) grl_fail("linsolve: OPTS must be a structure");
    trans = option_set(d.in[2], "TRANSA");
  }
  // The solution is A\b (or A'\b); the other options tell only what A is like.
  Mt x = trans ? ::mldivide(::ctranspose(a), b) : ::mldivide(a, b);
  if (!d.out.empty()) {
    Mr<m_type> r = d.out[0];
    r = x;
  }
  return x;
}

Mt grl::weekday_run(const deal_t& d) {
  static const char* const shortname[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const longname[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  if (d.in.size() < 1 || d.in.size() > 2) grl_fail("Invalid call to weekday");
  if (d.out.size() > 2) grl_fail("weekday: function called with too many outputs");
  bool long_names = false;
  if (d.in.size() == 2) {
    const std::string f = su::text(d.in[1]);
    if (!d.in[1].ischar() || (f != "long" && f != "short")) grl_fail("weekday: FORMAT must be \"long\" or \"short\"");
    long_names = f == "long";
  }
  const Mt& in = d.in[0];
  if (in.holds_struct() || (in.flags_ & F_HANDLE)) grl_fail("weekday: D must be a date number or a date text");
  const Mt days = in.ischar() || in.holds_cell() ? datenum(in) : in;
  if (days.isc()) grl_fail("weekday: D must be real");
  Mt n = Mt::alloc(days.rows(), days.cols());
  std::vector<std::string> names;
  for (std::size_t k = 0; k < days.numel(); ++k) {
    const double v = double(days.cre()[k]);
    if (!std::isfinite(v)) grl_fail("weekday: D must be finite");
    // Day number 1 (1 January of year 0) was a Saturday.
    const double w = std::fmod(std::floor(v) + 5, 7.0);
    const int day = int(w < 0 ? w + 7 : w);
    n.pr()[k] = m_type(day + 1);
    names.push_back(long_names ? longname[day] : shortname[day]);
  }
  n.same_shape(days);
  if (d.out.size() > 1) {
    Mr<m_type> r = d.out[1];
    r = su::char_rows(names);
  }
  if (!d.out.empty()) {
    Mr<m_type> r = d.out[0];
    r = n;
  }
  return n;
}
