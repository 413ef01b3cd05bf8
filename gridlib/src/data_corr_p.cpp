// [r, p] = corrcoef(...): with the coefficients, the probability of a correlation as
// large by chance when the true one is 0 (two-sided, Student's t with n - 2 degrees of
// freedom, n the number of observations).
#include <cmath>

#include "gridlib_extra.h"

namespace {

using grl::Mt;

// The regularized incomplete beta function I_x(a, b), by its continued fraction
// (Lentz's method) on the side where it converges fast.
double incomplete_beta(double x, double a, double b) {
  if (x <= 0) return 0;
  if (x >= 1) return 1;
  const double front =
      std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
  if (x > (a + 1) / (a + b + 2)) return 1 - incomplete_beta(1 - x, b, a);
  const double tiny = 1e-300;
  double f = 1, c = 1, d = 1 - (a + b) * x / (a + 1);
  if (std::fabs(d) < tiny) d = tiny;
  d = 1 / d;
  f = d;
  for (int m = 1; m < 300; ++m) {
    for (int half = 0; half < 2; ++half) {
      const double num = half == 0 ? m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m))
                                   : -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
      d = 1 + num * d;
      if (std::fabs(d) < tiny) d = tiny;
      c = 1 + num / c;
      if (std::fabs(c) < tiny) c = tiny;
      d = 1 / d;
      f *= d * c;
    }
    if (std::fabs(d * c - 1) < 1e-15) break;
  }
  return front * f / a;
}

Mt p_values(const Mt& r, double n) {
  Mt p = Mt::alloc(r.rows(), r.cols());
  const double df = n - 2;
  for (std::size_t k = 0; k < r.numel(); ++k) {
    const double v = double(r.cre()[k]);
    double q;
    if (std::isnan(v) || df <= 0) q = NAN;
    else if (k % (r.rows() + 1) == 0 && r.rows() == r.cols()) q = 1;   // the diagonal
    else if (std::fabs(v) >= 1) q = 0;
    else {
      const double t2 = v * v * df / (1 - v * v);
      q = incomplete_beta(df / (df + t2), df / 2, 0.5);
    }
    p.pr()[k] = m_type(q);
  }
  return p;
}

double observations(const Mt& x) { return double(x.rows() == 1 ? x.numel() : x.rows()); }

}  // namespace

void corrcoef(const Mt& x, i_o_t, Mr<m_type> r, Mr<m_type> p) {
  const Mt v = corrcoef(x);
  p = p_values(v, observations(x));
  r = v;
}
void corrcoef(const Mt& x, const Mt& y, i_o_t, Mr<m_type> r, Mr<m_type> p) {
  const Mt v = corrcoef(x, y);
  p = p_values(v, observations(x));
  r = v;
}
