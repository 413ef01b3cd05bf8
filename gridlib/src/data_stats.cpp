// Covariance, correlation coefficients and quantiles.
#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "math_util.h"

using namespace grl;
using namespace grl::mth;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

void numeric_only(const Mt& x, const char* msg) {
  if (x.ischar() || x.holds_cell() || (x.flags_ & F_HANDLE)) grl_fail("%s", msg);
}

// The observations as columns of complex numbers: a vector is one variable.
std::vector<std::vector<cplx>> variables(const Mt& x) {
  const bool vec = x.rows() == 1 || x.cols() == 1;
  const std::size_t n = vec ? x.numel() : x.rows(), m = vec ? 1 : x.cols();
  std::vector<std::vector<cplx>> v(m, std::vector<cplx>(n));
  for (std::size_t j = 0; j < m; ++j)
    for (std::size_t i = 0; i < n; ++i) v[j][i] = cplx(x.cre()[j * n + i], x.ielem(j * n + i));
  return v;
}

Mt covariance(const std::vector<std::vector<cplx>>& v, bool by_n) {
  const std::size_t m = v.size(), n = m ? v[0].size() : 0;
  Mt out = Mt::zeros(m, m, true);
  if (m == 0) return narrow(out);
  std::vector<cplx> mean(m);
  for (std::size_t j = 0; j < m; ++j) {
    cplx s = 0;
    for (const cplx& e : v[j]) s += e;
    mean[j] = n ? s / m_type(n) : cplx(kNaN, 0);
  }
  const m_type div = by_n || n == 1 ? m_type(n) : m_type(n - 1);
  m_type* re = out.pr();
  m_type* im = out.pi();
  for (std::size_t a = 0; a < m; ++a)
    for (std::size_t b = 0; b < m; ++b) {
      cplx s = 0;
      for (std::size_t i = 0; i < n; ++i) s += std::conj(v[a][i] - mean[a]) * (v[b][i] - mean[b]);
      s = n ? s / div : cplx(kNaN, 0);
      re[a + b * m] = s.real();
      im[a + b * m] = s.imag();
    }
  return narrow(out);
}

bool is_opt(const Mt& y) {
  return y.numel() == 1 && !y.isc() && !y.ischar() && (y.cre()[0] == 0 || y.cre()[0] == 1);
}

bool opt_value(const Mt& o) {
  if (!is_opt(o)) grl_fail("cov: normalization OPT must be 0 or 1");
  return o.cre()[0] == 1;
}

std::vector<std::vector<cplx>> two_variables(const Mt& x, const Mt& y, const char* who) {
  if (x.numel() != y.numel()) grl_fail("%s: X and Y must have the same number of observations", who);
  Mt a = x, b = y;
  a.reshape_to(a.numel(), 1);
  b.reshape_to(b.numel(), 1);
  std::vector<std::vector<cplx>> v = variables(a);
  v.push_back(variables(b)[0]);
  if (x.numel() == 0) { v[0].clear(); v[1].clear(); }
  return v;
}

Mt correlation(const Mt& c) {
  const std::size_t m = c.rows();
  Mt r = c;
  m_type* re = r.pr();
  m_type* im = r.isc() ? r.pi() : nullptr;
  for (std::size_t a = 0; a < m; ++a)
    for (std::size_t b = 0; b < m; ++b) {
      const double d = std::sqrt(double(c.cre()[a * m + a]) * double(c.cre()[b * m + b]));
      re[a + b * m] = m_type(double(c.cre()[a + b * m]) / d);
      if (im) im[a + b * m] = m_type(double(c.ielem(a + b * m)) / d);
      if (a == b && !std::isnan(double(re[a + b * m]))) re[a + b * m] = 1;
    }
  return narrow(r);
}

}  // namespace

Mt cov(const Mt& x) {
  numeric_only(x, "cov: X must be a numeric vector or matrix");
  if (x.isempty()) return Mt(m_type(kNaN));
  return covariance(variables(x), false);
}

Mt cov(const Mt& x, const Mt& y) {
  numeric_only(x, "cov: X and Y must be numeric matrices or vectors");
  numeric_only(y, "cov: X and Y must be numeric matrices or vectors");
  if (is_opt(y) && x.numel() != 1) {
    if (x.isempty()) return Mt(m_type(kNaN));
    return covariance(variables(x), opt_value(y));
  }
  return covariance(two_variables(x, y, "cov"), false);
}

Mt cov(const Mt& x, const Mt& y, const Mt& opt) {
  numeric_only(x, "cov: X and Y must be numeric matrices or vectors");
  numeric_only(y, "cov: X and Y must be numeric matrices or vectors");
  return covariance(two_variables(x, y, "cov"), opt_value(opt));
}

Mt corrcoef(const Mt& x) {
  numeric_only(x, "corrcoef: X must be a numeric vector or matrix");
  if (x.rows() == 1 || x.cols() == 1) {
    // One variable: its correlation with itself.
    return Mt(m_type(x.numel() > 1 ? 1 : kNaN));
  }
  return correlation(covariance(variables(x), false));
}

Mt corrcoef(const Mt& x, const Mt& y) {
  numeric_only(x, "corrcoef: X and Y must be numeric");
  numeric_only(y, "corrcoef: X and Y must be numeric");
  return correlation(covariance(two_variables(x, y, "corrcoef"), false));
}

// --- quantiles ---------------------------------------------------------------------------

namespace {

// The quantile p of the sorted values s (NaN left out): linear between the points
// (k - 0.5)/n, the ends held beyond them.
double quantile_of(const std::vector<double>& s, double p) {
  const std::size_t n = s.size();
  if (n == 0) return kNaN;
  const double pos = n * p + 0.5;   // position from 1
  if (pos <= 1) return s[0];
  if (pos >= double(n)) return s[n - 1];
  const std::size_t lo = std::size_t(std::floor(pos));
  const double f = pos - double(lo);
  return s[lo - 1] + f * (s[lo] - s[lo - 1]);
}

Mt quantiles(const char* who, const Mt& x, const Mt& p0, const Mt* dim, double scale) {
  if (x.ischar() || x.holds_cell() || x.isc() || x.isempty())
    grl_fail("%s: X must be a non-empty numeric vector or matrix", who);
  Mt p = p0;
  if (p.isempty() && !dim) {
    p = Mt::alloc(1, 5);
    for (int k = 0; k < 5; ++k) p.pr()[k] = m_type(k * 0.25 * scale);
  }
  if (p.ischar() || p.isc() || (p.rows() != 1 && p.cols() != 1 && !p.isempty()))
    grl_fail("%s: P must be a numeric vector", who);
  std::vector<double> ps(p.numel());
  for (std::size_t k = 0; k < ps.size(); ++k) {
    ps[k] = double(p.cre()[k]) / scale;
    if (!(ps[k] >= 0 && ps[k] <= 1)) grl_fail("%s: P must be in the range [0, %g]", who, scale);
  }
  int d;
  bool vector_case = false;
  if (dim) {
    d = dim_arg(*dim, who);
  } else if (x.rows() == 1 || x.cols() == 1) {
    d = x.rows() == 1 ? 2 : 1;
    vector_case = true;
  } else {
    d = 1;
  }
  if (d > 2 && ps.size() != 1) grl_fail("%s: results of more than two dimensions are not supported", who);
  const std::size_t n = d == 1 ? x.rows() : d == 2 ? x.cols() : 1;
  const std::size_t groups = x.numel() / (n ? n : 1);
  const std::size_t stride = d == 1 ? 1 : d == 2 ? x.rows() : 1;
  const std::size_t np = ps.size();
  Mt out = d == 1 ? Mt::alloc(np, x.cols()) : d == 2 ? Mt::alloc(x.rows(), np) : Mt::alloc(x.rows(), x.cols());
  std::vector<double> s;
  for (std::size_t g = 0; g < groups; ++g) {
    const std::size_t base = d == 1 ? g * x.rows() : g;
    s.clear();
    for (std::size_t t = 0; t < n; ++t) {
      const double v = double(x.cre()[base + t * stride]);
      if (!std::isnan(v)) s.push_back(v);
    }
    std::sort(s.begin(), s.end());
    for (std::size_t k = 0; k < (d > 2 ? 1 : np); ++k) {
      const double q = d > 2 ? double(x.cre()[g]) : quantile_of(s, ps[k]);
      const std::size_t at = d == 1 ? k + g * np : d == 2 ? g + k * x.rows() : g;
      out.pr()[at] = m_type(q);
    }
  }
  // A vector's quantiles take the orientation of p.
  if (vector_case) out.reshape_to(p.rows() == 1 ? 1 : np, p.rows() == 1 ? np : 1);
  return out;
}

}  // namespace

Mt quantile(const Mt& x) { return quantiles("quantile", x, Mt(), nullptr, 1); }
Mt quantile(const Mt& x, const Mt& p) { return quantiles("quantile", x, p, nullptr, 1); }
Mt quantile(const Mt& x, const Mt& p, const Mt& dim) { return quantiles("quantile", x, p, &dim, 1); }
Mt prctile(const Mt& x) { return quantiles("prctile", x, Mt(), nullptr, 100); }
Mt prctile(const Mt& x, const Mt& p) { return quantiles("prctile", x, p, nullptr, 100); }
Mt prctile(const Mt& x, const Mt& p, const Mt& dim) { return quantiles("prctile", x, p, &dim, 100); }
