// The k smallest or largest elements (mink, maxk), spreads that leave NaN out or keep it
// (iqr, mad), bins of edges (discretize), polynomial trends (detrend), the Hamming and
// Hann windows and the cross-correlation of two signals (xcorr).
#include "data_lanes.h"
#include "shape_util.h"
#include "strutil.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

using namespace grl;
using namespace grl::mth;

namespace {

const double pi = 3.14159265358979323846;
const double nan_v = std::numeric_limits<double>::quiet_NaN();

bool is_word(const Mt& a) { return a.ischar() && (a.rows() == 1 || a.numel() == 0); }

std::string lower_text(const Mt& a) {
  std::string s = su::text(a);
  for (char& c : s) c = char(std::tolower((unsigned char)c));
  return s;
}

// Writes the values to the outputs that the call asked for (past the first).
void give(const deal_t& d, std::size_t k, const Mt& v) {
  if (d.out.size() > k) {
    Mr<m_type> r = d.out[k];
    r = v;
  }
}

void count_inputs(const deal_t& d, std::size_t least, std::size_t most, const char* fn) {
  if (d.in.size() < least || d.in.size() > most) grl_fail("Invalid call to %s", fn);
  if (d.out.size() > 2) grl_fail("%s: function called with too many outputs", fn);
}

// A whole number >= lo given as a real scalar.
double whole_arg(const Mt& a, double lo, const char* msg) {
  if (a.numel() != 1 || a.isc() || a.holds_cell() || a.holds_struct() || a.ischar()) grl_fail("%s", msg);
  const double v = double(a.cre()[0]);
  if (!(v >= lo) || !std::isfinite(v) || v != std::floor(v)) grl_fail("%s", msg);
  return v;
}

// --- mink, maxk ------------------------------------------------------------------------
Mt k_extremes(const deal_t& d, bool largest) {
  const char* fn = largest ? "maxk" : "mink";
  count_inputs(d, 2, 3, fn);
  const Mt& x = d.in[0];
  lane::numbers_only(x, fn);
  const double kv = whole_arg(d.in[1], 1, largest ? "maxk: K must be a positive integer" : "mink: K must be a positive integer");
  const std::size_t dim = d.in.size() > 2 ? lane::dim_of(d.in[2], fn) : std::size_t(mth::default_dim(x));
  const lane::layout w = lane::of(x, dim);
  const std::size_t k = std::size_t(std::min(kv, double(w.n)));
  Mt b = Mt::alloc(lane::with_extent(x, dim, k));
  Mt at = Mt::alloc(lane::with_extent(x, dim, k));
  lane::layout o = w;
  o.n = k;
  std::vector<std::size_t> order(w.n);
  for (std::size_t l = 0; l < w.count; ++l) {
    std::iota(order.begin(), order.end(), std::size_t(0));
    auto value = [&](std::size_t t) { return double(x.cre()[w.at(l, t)]); };
    // Ascending (descending for maxk) with NaN after every number; ties keep their order.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t p, std::size_t q) {
      const double a = value(p), c = value(q);
      if (std::isnan(a) || std::isnan(c)) return !std::isnan(a) && std::isnan(c);
      return largest ? a > c : a < c;
    });
    for (std::size_t t = 0; t < k; ++t) {
      b.pr()[o.at(l, t)] = x.cre()[w.at(l, order[t])];
      at.pr()[o.at(l, t)] = m_type(order[t] + 1);
    }
  }
  if (class_of(x) != mc_double) apply_class(b, class_of(x));
  give(d, 1, at);
  give(d, 0, b);
  return b;
}

// --- iqr, mad ------------------------------------------------------------------------
// The sorted values of lane l (NaN left out when omit; true in has_nan otherwise).
std::vector<double> lane_of(const Mt& x, const lane::layout& w, std::size_t l, bool omit, bool& has_nan) {
  std::vector<double> v;
  has_nan = false;
  for (std::size_t t = 0; t < w.n; ++t) {
    const double e = double(x.cre()[w.at(l, t)]);
    if (std::isnan(e)) {
      has_nan = true;
      if (omit) continue;
    }
    v.push_back(e);
  }
  return v;
}

// The p-quantile of sorted values: position n p + 1/2, linear between neighbours.
double quantile_of(const std::vector<double>& s, double p) {
  const double n = double(s.size());
  const double pos = std::min(std::max(n * p + 0.5, 1.0), n);
  const std::size_t lo = std::size_t(std::floor(pos));
  const double f = pos - double(lo);
  if (lo >= s.size()) return s.back();
  return s[lo - 1] + f * (s[lo] - s[lo - 1]);
}

double median_of(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <class F> Mt per_lane(const Mt& x, std::size_t dim, bool omit, F f) {
  const lane::layout w = lane::of(x, dim);
  Mt o = Mt::alloc(lane::with_extent(x, dim, 1));
  lane::layout one = w;
  one.n = 1;
  for (std::size_t l = 0; l < w.count; ++l) {
    bool has_nan = false;
    std::vector<double> v = lane_of(x, w, l, omit, has_nan);
    o.pr()[one.at(l, 0)] = m_type(v.empty() || (has_nan && !omit) ? nan_v : f(v));
  }
  return lane::float_result(o, x);
}

// --- discretize -----------------------------------------------------------------------
// The bin of v among the edges (1 to n - 1; 0 outside): [e(k), e(k+1)) with the last
// bin closed, or (e(k), e(k+1)] with the first closed when right.
std::size_t bin_of(double v, const std::vector<double>& e, bool right) {
  const std::size_t n = e.size();
  if (!(v >= e[0] && v <= e[n - 1])) return 0;
  if (!right) {
    if (v == e[n - 1]) return n - 1;
    return std::size_t(std::upper_bound(e.begin(), e.end(), v) - e.begin());
  }
  if (v == e[0]) return 1;
  return std::size_t(std::lower_bound(e.begin(), e.end(), v) - e.begin());
}

// --- detrend -------------------------------------------------------------------------
Mt column_fit_removed(const Mt& x, std::size_t order) {
  const std::size_t r = x.rows(), c = x.cols();
  Mt basis = Mt::alloc(r, order + 1);
  for (std::size_t j = 0; j <= order; ++j)
    for (std::size_t i = 0; i < r; ++i) basis.pr()[i + j * r] = m_type(std::pow(double(i + 1), double(j)));
  const Mt coef = ::mldivide(basis, x);
  const Mt fit = ::mtimes(basis, coef);
  Mt o = Mt::alloc(r, c, x.isc());
  for (std::size_t k = 0; k < r * c; ++k) {
    o.pr()[k] = x.elem(k) - fit.elem(k);
    if (x.isc()) o.pi()[k] = x.ielem(k) - fit.ielem(k);
  }
  return narrow(o);
}

// --- windows --------------------------------------------------------------------------
// a - (1 - a) cos(2 pi k / (m - 1)) for k = 0 .. n - 1, m = n (symmetric) or n + 1
// (periodic); one point is 1.
Mt cosine_window(const deal_t& d, double a, const char* fn) {
  if (d.in.size() < 1 || d.in.size() > 2) grl_fail("Invalid call to %s", fn);
  if (d.out.size() > 1) grl_fail("%s: function called with too many outputs", fn);
  const double nv = whole_arg(d.in[0], 1, (std::string(fn) + ": N must be a positive integer").c_str());
  bool periodic = false;
  if (d.in.size() == 2) {
    const std::string opt = is_word(d.in[1]) ? lower_text(d.in[1]) : std::string();
    if (opt == "periodic") periodic = true;
    else if (opt != "symmetric") grl_fail("%s: window type must be either \"periodic\" or \"symmetric\"", fn);
  }
  const std::size_t n = size_value(nv);
  Mt o = Mt::alloc(n, 1);
  if (n == 1) {
    o.pr()[0] = 1;
    return o;
  }
  const double m = periodic ? double(n) : double(n - 1);
  for (std::size_t k = 0; k < n; ++k) o.pr()[k] = m_type(a - (1 - a) * std::cos(2 * pi * double(k) / m));
  return o;
}

// --- xcorr ----------------------------------------------------------------------------
typedef std::complex<double> dcomplex;

std::vector<dcomplex> signal_of(const Mt& x) {
  if (x.holds_cell() || x.holds_struct() || !(shp::is_vector(x.rows(), x.cols()) || x.isempty()))
    grl_fail("xcorr: X and Y must be vectors");
  std::vector<dcomplex> v(x.numel());
  for (std::size_t k = 0; k < v.size(); ++k) v[k] = dcomplex(x.elem(k), x.ielem(k));
  return v;
}

}  // namespace

Mt grl::mink_run(const deal_t& d) { return k_extremes(d, false); }
Mt grl::maxk_run(const deal_t& d) { return k_extremes(d, true); }

Mt grl::iqr_run(const deal_t& d) {
  if (d.in.size() < 1 || d.in.size() > 2) grl_fail("Invalid call to iqr");
  const Mt& x = d.in[0];
  lane::numbers_only(x, "iqr");
  // iqr(x, 'all'): of every element.
  const bool all = d.in.size() > 1 && is_word(d.in[1]) && lower_text(d.in[1]) == "all";
  Mt flat = x;
  if (all) flat.set_shape(sizes{x.numel(), 1});
  const std::size_t dim = all ? 1 : d.in.size() > 1 ? lane::dim_of(d.in[1], "iqr") : std::size_t(mth::default_dim(x));
  return per_lane(flat, dim, true, [](std::vector<double>& v) {
    std::sort(v.begin(), v.end());
    return quantile_of(v, 0.75) - quantile_of(v, 0.25);
  });
}

Mt grl::mad_run(const deal_t& d) {
  if (d.in.size() < 1 || d.in.size() > 3) grl_fail("Invalid call to mad");
  const Mt& x = d.in[0];
  lane::numbers_only(x, "mad");
  bool by_median = false;
  if (d.in.size() > 1 && !d.in[1].isempty()) {
    const Mt& o = d.in[1];
    if (o.numel() != 1 || o.ischar() || o.holds_cell() || o.holds_struct() ||
        (double(o.cre()[0]) != 0 && double(o.cre()[0]) != 1))
      grl_fail("mad: OPT must be 0 or 1");
    by_median = double(o.cre()[0]) == 1;
  }
  const std::size_t dim = d.in.size() > 2 ? lane::dim_of(d.in[2], "mad") : std::size_t(mth::default_dim(x));
  return per_lane(x, dim, false, [by_median](std::vector<double>& v) {
    double c = 0;
    if (by_median) c = median_of(v);
    else {
      for (double e : v) c += e;
      c /= double(v.size());
    }
    for (double& e : v) e = std::fabs(e - c);
    if (by_median) return median_of(v);
    double s = 0;
    for (double e : v) s += e;
    return s / double(v.size());
  });
}

Mt grl::discretize_run(const deal_t& d) {
  if (d.in.size() < 2 || d.in.size() > 5) grl_fail("Invalid call to discretize");
  const Mt& x = d.in[0];
  lane::numbers_only(x, "discretize");
  const Mt& edges = d.in[1];
  if (edges.holds_cell() || edges.holds_struct() || edges.isc() || edges.ischar())
    grl_fail("discretize: EDGES must be a numeric vector");
  if (edges.numel() == 1)
    grl_fail("discretize: a number of bins is not supported; give the bin edges as a vector");
  if (edges.numel() < 2) grl_fail("discretize: EDGES must have at least 2 elements");
  std::vector<double> e(edges.numel());
  for (std::size_t k = 0; k < e.size(); ++k) {
    e[k] = double(edges.cre()[k]);
    if (std::isnan(e[k]) || (k > 0 && !(e[k] > e[k - 1])))
      grl_fail("discretize: EDGES must be monotonically increasing");
  }
  std::size_t k = 2;
  const Mt* values = nullptr;
  if (k < d.in.size() && !is_word(d.in[k])) values = &d.in[k++];
  bool right = false;
  if (k < d.in.size()) {
    if (k + 2 != d.in.size() || lower_text(d.in[k]) != "includededge")
      grl_fail("discretize: expected the option 'IncludedEdge' and its value");
    const std::string side = is_word(d.in[k + 1]) ? lower_text(d.in[k + 1]) : std::string();
    if (side != "left" && side != "right") grl_fail("discretize: IncludedEdge must be 'left' or 'right'");
    right = side == "right";
  }
  if (values && values->numel() != e.size() - 1)
    grl_fail("discretize: VALUES must have one element less than EDGES");
  Mt y = Mt::alloc(x.rows(), x.cols());
  for (std::size_t i = 0; i < x.numel(); ++i) {
    const std::size_t b = bin_of(double(x.cre()[i]), e, right);
    y.pr()[i] = b == 0 ? m_type(nan_v) : values ? values->cre()[b - 1] : m_type(b);
  }
  y.same_shape(x);
  if (d.out.size() > 2) grl_fail("discretize: function called with too many outputs");
  give(d, 1, edges);
  give(d, 0, y);
  return y;
}

Mt grl::detrend_run(const deal_t& d) {
  if (d.in.size() < 1 || d.in.size() > 2) grl_fail("Invalid call to detrend");
  const Mt& x = d.in[0];
  if (x.holds_cell() || x.holds_struct() || x.ndims() > 2) grl_fail("detrend: X must be a numeric vector or matrix");
  std::size_t order = 1;
  if (d.in.size() > 1) {
    const Mt& p = d.in[1];
    if (is_word(p)) {
      const std::string w = lower_text(p);
      if (w == "constant") order = 0;
      else if (w == "linear") order = 1;
      else grl_fail("detrend: P must be \"constant\", \"linear\", or a positive integer");
    } else {
      order = size_value(whole_arg(p, 0, "detrend: P must be \"constant\", \"linear\", or a positive integer"));
    }
  }
  const bool row = x.rows() == 1;
  const Mt col = row ? ::transpose(x) : x;
  if (col.rows() == 0) return x;
  const Mt o = column_fit_removed(col, order);
  return lane::float_result(row ? ::transpose(o) : o, x);
}

Mt grl::hamming_run(const deal_t& d) { return cosine_window(d, 0.54, "hamming"); }
Mt grl::hanning_run(const deal_t& d) { return cosine_window(d, 0.5, "hanning"); }

Mt grl::xcorr_run(const deal_t& d) {
  if (d.in.size() < 1 || d.in.size() > 4) grl_fail("Invalid call to xcorr");
  if (d.out.size() > 2) grl_fail("xcorr: function called with too many outputs");
  std::size_t k = 1;
  const std::vector<dcomplex> x = signal_of(d.in[0]);
  std::vector<dcomplex> y = x;
  // A second signal: more than one element, or one followed by maxlag.
  if (k < d.in.size() && !is_word(d.in[k]) &&
      (d.in[k].numel() != 1 || (k + 1 < d.in.size() && !is_word(d.in[k + 1]))))
    y = signal_of(d.in[k++]);
  const std::size_t n = std::max(x.size(), y.size());
  double maxlag = n == 0 ? 0 : double(n - 1);
  if (k < d.in.size() && !is_word(d.in[k])) maxlag = whole_arg(d.in[k++], 0, "xcorr: MAXLAG must be a non-negative integer");
  std::string scale = "none";
  if (k < d.in.size()) scale = lower_text(d.in[k++]);
  if (k < d.in.size()) grl_fail("Invalid call to xcorr");
  if (scale != "none" && scale != "biased" && scale != "unbiased" && scale != "coeff")
    grl_fail("xcorr: SCALEOPT must be 'none', 'biased', 'unbiased' or 'coeff'");
  if (scale != "none" && x.size() != y.size()) grl_fail("xcorr: scaling needs X and Y of the same length");
  std::vector<dcomplex> xs = x, ys = y;
  xs.resize(n);
  ys.resize(n);
  const long m = long(maxlag);
  double norm = 1;
  if (scale == "coeff") {
    double ex = 0, ey = 0;
    for (const dcomplex& v : xs) ex += std::norm(v);
    for (const dcomplex& v : ys) ey += std::norm(v);
    norm = std::sqrt(ex * ey);
  }
  const std::size_t len = std::size_t(2 * m + 1);
  const bool column = d.in[0].cols() == 1 && d.in[0].rows() > 1;
  Mt r = column ? Mt::alloc(len, 1, true) : Mt::alloc(1, len, true);
  Mt lags = Mt::alloc(1, len);
  for (long lag = -m; lag <= m; ++lag) {
    dcomplex s = 0;
    // r(lag) = sum over i of x(i + lag) conj(y(i)).
    for (long i = 0; i < long(n); ++i) {
      const long j = i + lag;
      if (j >= 0 && j < long(n)) s += xs[std::size_t(j)] * std::conj(ys[std::size_t(i)]);
    }
    const double size_n = double(n), gap = double(n) - double(lag < 0 ? -lag : lag);
    if (scale == "biased") s /= size_n;
    else if (scale == "unbiased") s = gap > 0 ? s / gap : dcomplex(0);
    else if (scale == "coeff") s /= norm;
    const std::size_t at = std::size_t(lag + m);
    r.pr()[at] = m_type(s.real());
    r.pi()[at] = m_type(s.imag());
    lags.pr()[at] = m_type(lag);
  }
  Mt out = narrow(r);
  out = lane::float_result(out, d.in[0]);
  give(d, 1, lags);
  give(d, 0, out);
  return out;
}
