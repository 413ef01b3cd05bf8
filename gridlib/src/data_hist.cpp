// histcounts: counts of values in bins. The bins are given as edges, as a count, as a
// width or chosen from the data (Scott's rule, or one bin per integer for integer data
// of a short range), their edges at "nice" multiples of the width unless limits are
// given. Every bin is [e(k), e(k+1)) except the last, which holds its right edge too.
#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "math_util.h"

using namespace grl;
using namespace grl::mth;

namespace {

// The most bins a call may make (their counts and edges must fit in memory).
constexpr double kMostBins = 134217728;

// A number of bins worked out from the data: at least one, and no more than fit.
std::size_t bin_count(double nb) {
  if (!(nb <= kMostBins)) fail_too_large();
  return nb < 1 ? 1 : std::size_t(nb);
}

enum method_t { M_AUTO, M_SCOTT, M_FD, M_INTEGERS, M_STURGES, M_SQRT };
enum norm_t { N_COUNT, N_PROBABILITY, N_COUNTDENSITY, N_PDF, N_CUMCOUNT, N_CDF };

struct hist_call {
  const m_type* x = nullptr;      // the values, column by column
  std::size_t nx = 0;
  std::vector<double> edges;      // given edges (BinEdges or the second input)
  bool have_edges = false;
  double nbins = 0;               // given count (0: none)
  double width = 0;               // given BinWidth (0: none)
  bool have_limits = false;
  double lo = 0, hi = 0;          // BinLimits
  method_t method = M_AUTO;
  norm_t norm = N_COUNT;
};

std::string lower_text(const Mt& v) {
  std::string t = text(v);
  for (char& c : t) c = char(std::tolower((unsigned char)c));
  return t;
}

bool numeric_value(const Mt& v) {
  return !v.holds_cell() && !v.holds_struct() && !(v.flags_ & F_HANDLE) && !v.ischar();
}

double positive_integer(const Mt& v, const char* what) {
  if (!numeric_value(v) || v.numel() != 1 || v.isc())
    grl_fail("histcounts: %s must be a positive integer", what);
  const double n = double(v.cre()[0]);
  if (!(n >= 1) || n != std::floor(n)) grl_fail("histcounts: %s must be a positive integer", what);
  if (n > kMostBins) fail_too_large();
  return n;
}

void read_edges(hist_call& c, const Mt& v) {
  if (!numeric_value(v) || v.isc() || (v.rows() > 1 && v.cols() > 1) || v.numel() < 2)
    grl_fail("histcounts: EDGES must be a vector of at least two monotonically nondecreasing values");
  c.edges.assign(v.cre(), v.cre() + v.numel());
  for (std::size_t k = 0; k < c.edges.size(); ++k)
    if (std::isnan(c.edges[k]) || (k && c.edges[k] < c.edges[k - 1]))
      grl_fail("histcounts: EDGES must be a vector of at least two monotonically nondecreasing values");
  c.have_edges = true;
}

hist_call parse(const deal_t& d) {
  hist_call c;
  if (d.in.empty()) grl_fail("Invalid call to histcounts");
  const Mt& x = d.in[0];
  if (!numeric_value(x)) grl_fail("histcounts: X must be a numeric or logical array");
  if (x.isc()) grl_fail("histcounts: X must be real");
  c.x = x.cre();
  c.nx = x.numel();
  std::size_t k = 1;
  if (k < d.in.size() && !d.in[k].ischar()) {
    const Mt& b = d.in[k];
    if (numeric_value(b) && b.numel() == 1) c.nbins = positive_integer(b, "NBINS");
    else read_edges(c, b);
    ++k;
  }
  for (; k < d.in.size(); k += 2) {
    const Mt& name = d.in[k];
    if (!name.ischar()) grl_fail("histcounts: options must be given as name, value pairs");
    const std::string n = lower_text(name);
    if (k + 1 >= d.in.size()) grl_fail("histcounts: the option '%s' has no value", text(name).c_str());
    const Mt& v = d.in[k + 1];
    if (n == "binedges") {
      read_edges(c, v);
    } else if (n == "numbins") {
      c.nbins = positive_integer(v, "NumBins");
    } else if (n == "binwidth") {
      if (!numeric_value(v) || v.numel() != 1 || v.isc() || !(double(v.cre()[0]) > 0) ||
          !std::isfinite(double(v.cre()[0])))
        grl_fail("histcounts: BinWidth must be a positive finite scalar");
      c.width = double(v.cre()[0]);
    } else if (n == "binlimits") {
      if (!numeric_value(v) || v.numel() != 2 || v.isc() || !std::isfinite(double(v.cre()[0])) ||
          !std::isfinite(double(v.cre()[1])) || v.cre()[1] < v.cre()[0])
        grl_fail("histcounts: BinLimits must be a vector of two finite nondecreasing values");
      c.have_limits = true;
      c.lo = double(v.cre()[0]);
      c.hi = double(v.cre()[1]);
    } else if (n == "binmethod") {
      const std::string m = v.ischar() ? lower_text(v) : "";
      if (m == "auto") c.method = M_AUTO;
      else if (m == "scott") c.method = M_SCOTT;
      else if (m == "fd") c.method = M_FD;
      else if (m == "integers") c.method = M_INTEGERS;
      else if (m == "sturges") c.method = M_STURGES;
      else if (m == "sqrt") c.method = M_SQRT;
      else grl_fail("histcounts: BinMethod must be 'auto', 'scott', 'fd', 'integers', 'sturges' or 'sqrt'");
    } else if (n == "normalization") {
      const std::string m = v.ischar() ? lower_text(v) : "";
      if (m == "count") c.norm = N_COUNT;
      else if (m == "probability") c.norm = N_PROBABILITY;
      else if (m == "countdensity") c.norm = N_COUNTDENSITY;
      else if (m == "pdf") c.norm = N_PDF;
      else if (m == "cumcount") c.norm = N_CUMCOUNT;
      else if (m == "cdf") c.norm = N_CDF;
      else grl_fail("histcounts: Normalization must be 'count', 'probability', 'countdensity', 'pdf', 'cumcount' or 'cdf'");
    } else {
      grl_fail("histcounts: unknown option '%s'", text(name).c_str());
    }
  }
  return c;
}

// The spacing of doubles at x (MATLAB's eps(x)).
double spacing(double x) {
  x = std::fabs(x);
  if (x < DBL_MIN) return std::numeric_limits<double>::denorm_min();
  return std::nextafter(x, INFINITY) - x;
}

// n + 1 edges from left, width apart, the last one right.
std::vector<double> even_edges(double left, double width, std::size_t n, double right) {
  std::vector<double> e(n + 1);
  for (std::size_t k = 0; k < n; ++k) e[k] = left + double(k) * width;
  e[n] = right;
  return e;
}

// Edges covering [lo, hi] for a wanted width: the width rounded to 1, 2, 3, 5 or 10
// times a power of ten and the left edge at a multiple of it. With a count of bins
// instead, exactly that many bins from a left edge at a multiple of the rounded-down
// width, the width the shortest one (at the precision its range allows) that leaves
// hi in the last bin.
std::vector<double> nice_edges(double lo, double hi, double raw_width, double nbins) {
  const double scale = std::max(std::fabs(lo), std::fabs(hi));
  const double range = hi - lo;
  raw_width = std::max(raw_width, spacing(scale));
  if (!(range > std::max(std::sqrt(spacing(scale)), DBL_MIN))) {
    // (Nearly) constant data: bins of whole or half units around them.
    const double n = nbins > 0 ? nbins : 1;
    const double pad = std::max(1.0, std::ceil(n * spacing(scale)));
    const double left = std::floor(2 * (lo - pad / 4)) / 2;
    const double right = std::ceil(2 * (hi + pad / 4)) / 2;
    return even_edges(left, (right - left) / n, std::size_t(n), right);
  }
  const double p10 = std::pow(10.0, std::floor(std::log10(raw_width)));
  const double rel = raw_width / p10;
  double width, left;
  std::size_t n;
  if (nbins <= 0) {
    width = p10 * (rel < 1.5 ? 1 : rel < 2.5 ? 2 : rel < 4 ? 3 : rel < 7.5 ? 5 : 10);
    left = std::max(std::min(width * std::floor(lo / width), lo), -DBL_MAX);
    n = bin_count(std::ceil((hi - left) / width));
  } else {
    width = p10 * std::floor(rel);
    left = std::max(std::min(width * std::floor(lo / width), lo), -DBL_MAX);
    n = std::size_t(nbins);
    if (n > 1) {
      const double least = (hi - left) / double(n);        // hi on the last right edge
      const double most = (hi - left) / double(n - 1);     // hi on the last left edge
      const double step = std::pow(10.0, std::floor(std::log10(most - least)));
      width = step * std::ceil(least / step);
    }
  }
  const double right = std::min(std::max(left + double(n) * width, hi), DBL_MAX);
  return even_edges(left, width, n, right);
}

// The finite values of x (inside the limits when there are some).
std::vector<double> finite_values(const hist_call& c) {
  std::vector<double> v;
  v.reserve(c.nx);
  for (std::size_t k = 0; k < c.nx; ++k) {
    const double t = double(c.x[k]);
    if (std::isfinite(t) && (!c.have_limits || (t >= c.lo && t <= c.hi))) v.push_back(t);
  }
  return v;
}

double std_dev(const std::vector<double>& v) {
  if (v.size() < 2) return 0;
  double m = 0;
  for (double t : v) m += t;
  m /= double(v.size());
  double s = 0;
  for (double t : v) s += (t - m) * (t - m);
  return std::sqrt(s / double(v.size() - 1));
}

// The interquartile range of sorted values, by linear interpolation between the
// points (k - 0.5) / n.
double iqr(const std::vector<double>& v) {
  const std::size_t n = v.size();
  if (n == 0) return 0;
  auto q = [&](double p) {
    const double pos = p * double(n) + 0.5;   // 1-based
    if (pos <= 1) return v.front();
    if (pos >= double(n)) return v.back();
    const std::size_t i = std::size_t(std::floor(pos));
    const double f = pos - double(i);
    return v[i - 1] + f * (v[i] - v[i - 1]);
  };
  return q(0.75) - q(0.25);
}

// One bin per integer, centred on it (wider bins of a power of ten when the range is
// very long).
std::vector<double> integer_edges(double lo, double hi) {
  const double scale = std::max(std::fabs(lo), std::fabs(hi));
  const double range = hi - lo;
  const double most_bins = 65536;
  double w = 1;
  if (range > most_bins) w = std::pow(10.0, std::ceil(std::log10(range / most_bins)));
  else if (spacing(scale) > 1) w = std::pow(10.0, std::ceil(std::log10(spacing(scale))));
  const double a = w * std::round(lo / w), b = w * std::round(hi / w);
  const double left = std::floor(a) - w / 2, right = std::ceil(b) + w / 2;
  const std::size_t n = bin_count(std::round((right - left) / w));
  return even_edges(left, w, n, right);
}

std::vector<double> choose_edges(const hist_call& c) {
  if (c.have_edges) return c.edges;
  if (c.have_limits) {
    const double lo = c.lo, hi = c.hi;
    if (c.nbins > 0) {
      const std::size_t n = std::size_t(c.nbins);
      std::vector<double> e(n + 1);
      for (std::size_t k = 0; k <= n; ++k) e[k] = lo + (hi - lo) * double(k) / double(n);
      e[n] = hi;
      return e;
    }
    if (c.width > 0) {
      const double nb = std::max(1.0, std::ceil((hi - lo) / c.width));
      if (!(nb <= kMostBins)) fail_too_large();
      return even_edges(lo, c.width, std::size_t(nb), hi);
    }
  }
  std::vector<double> v = finite_values(c);
  const bool none = v.empty();
  double lo = c.have_limits ? c.lo : 0, hi = c.have_limits ? c.hi : 0;
  if (!none && !c.have_limits) {
    const auto mm = std::minmax_element(v.begin(), v.end());
    lo = *mm.first;
    hi = *mm.second;
  }
  if (none && !c.have_limits) {
    if (c.nbins > 0) {
      std::vector<double> e(std::size_t(c.nbins) + 1);
      for (std::size_t k = 0; k < e.size(); ++k) e[k] = double(k);
      return e;
    }
    return {0, 1};
  }
  if (c.nbins > 0) return nice_edges(lo, hi, (hi - lo) / c.nbins, c.nbins);
  if (c.width > 0) {
    const double left = c.width * std::floor(lo / c.width);
    const double nb = std::max(1.0, std::ceil((hi - left) / c.width));
    if (!(nb <= kMostBins)) fail_too_large();
    const std::size_t n = std::size_t(nb);
    return even_edges(left, c.width, n, left + double(n) * c.width);
  }
  method_t m = c.method;
  if (m == M_AUTO) {
    bool integers = !none && hi - lo <= 50 && hi <= 4503599627370496.0 && lo >= -4503599627370496.0;
    for (double t : v) integers = integers && t == std::round(t);
    m = integers ? M_INTEGERS : M_SCOTT;
  }
  std::vector<double> e;
  const double n = double(v.size());
  switch (m) {
    case M_INTEGERS: e = integer_edges(lo, hi); break;
    case M_FD:
      std::sort(v.begin(), v.end());
      e = nice_edges(lo, hi, 2 * iqr(v) * std::pow(n, -1.0 / 3), 0);
      break;
    case M_STURGES: e = nice_edges(lo, hi, (hi - lo) / std::ceil(std::log2(n) + 1), 0); break;
    case M_SQRT: e = nice_edges(lo, hi, (hi - lo) / std::ceil(std::sqrt(n)), 0); break;
    default: e = nice_edges(lo, hi, 3.5 * std_dev(v) * std::pow(n, -1.0 / 3), 0); break;
  }
  if (c.have_limits) {
    // The chosen width inside the given limits.
    const double w = e.size() > 1 ? e[1] - e[0] : hi - lo;
    const std::size_t k = bin_count(std::ceil((hi - lo) / w));
    std::vector<double> r(k + 1);
    for (std::size_t j = 0; j <= k; ++j) r[j] = lo + (hi - lo) * double(j) / double(k);
    r[k] = hi;
    return r;
  }
  return e;
}

// The bin of t (1-based), 0 when outside the edges or NaN.
std::size_t bin_of(double t, const std::vector<double>& e, bool uniform, double w) {
  const std::size_t nb = e.size() - 1;
  if (!(t >= e.front()) || !(t <= e.back())) return 0;
  if (t == e.back()) {
    // The last bin holds its right edge; equal edges before it hold nothing.
    std::size_t k = nb;
    while (k > 1 && e[k - 1] == e.back()) --k;
    return k;
  }
  std::size_t k;
  if (uniform) {
    const double g = std::floor((t - e.front()) / w);
    k = g < 0 ? 0 : g >= double(nb) ? nb - 1 : std::size_t(g);
    while (k > 0 && t < e[k]) --k;
    while (k + 1 < nb && t >= e[k + 1]) ++k;
  } else {
    k = std::size_t(std::upper_bound(e.begin(), e.end(), t) - e.begin()) - 1;
    if (k >= nb) k = nb - 1;
  }
  return k + 1;
}

Mt row_of(const std::vector<double>& v) {
  Mt r = Mt::alloc(1, v.size());
  for (std::size_t k = 0; k < v.size(); ++k) r.pr()[k] = m_type(v[k]);
  return r;
}

}  // namespace

Mt grl::histcounts_run(const deal_t& d) {
  const hist_call c = parse(d);
  const std::vector<double> e = choose_edges(c);
  const std::size_t nb = e.size() - 1;
  const double w = (e.back() - e.front()) / double(nb);
  bool uniform = std::isfinite(w) && w > 0;
  for (std::size_t k = 0; uniform && k < e.size(); ++k)
    uniform = std::fabs(e[k] - (e.front() + double(k) * w)) <= 1e-9 * std::max(1.0, std::fabs(e[k]));
  std::vector<double> n(nb, 0);
  const bool want_bins = d.out.size() >= 3;
  Mt bins = want_bins ? Mt::alloc(d.in[0].rows(), d.in[0].cols()) : Mt();
  for (std::size_t k = 0; k < c.nx; ++k) {
    const std::size_t b = bin_of(double(c.x[k]), e, uniform, w);
    if (b) n[b - 1] += 1;
    if (want_bins) bins.pr()[k] = m_type(b);
  }
  const double total = double(c.nx);
  switch (c.norm) {
    case N_PROBABILITY: for (double& t : n) t /= total; break;
    case N_COUNTDENSITY: for (std::size_t k = 0; k < nb; ++k) n[k] /= e[k + 1] - e[k]; break;
    case N_PDF: for (std::size_t k = 0; k < nb; ++k) n[k] /= total * (e[k + 1] - e[k]); break;
    case N_CUMCOUNT: for (std::size_t k = 1; k < nb; ++k) n[k] += n[k - 1]; break;
    case N_CDF:
      for (std::size_t k = 1; k < nb; ++k) n[k] += n[k - 1];
      for (double& t : n) t /= total;
      break;
    default: break;
  }
  const Mt counts = row_of(n);
  if (d.out.size() >= 1) {
    Mr<m_type> r0 = d.out[0];
    r0 = counts;
  }
  if (d.out.size() >= 2) {
    Mr<m_type> r1 = d.out[1];
    r1 = row_of(e);
  }
  if (want_bins) {
    bins.same_shape(d.in[0]);
    Mr<m_type> r2 = d.out[2];
    r2 = bins;
  }
  return counts;
}
