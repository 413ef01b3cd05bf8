// Scaling data along a dimension: normalize (z-scores, ranges, centring, scaling,
// norms), rescale onto an interval, zscore with its means and deviations, and the
// root mean square, the bounds and the vector norms of the lanes of a value.
#include "data_lanes.h"
#include "strutil.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace grl;
namespace su = grl::su;

namespace {

constexpr double nan_v = std::numeric_limits<double>::quiet_NaN();

bool is_text(const Mt& a) { return a.ischar() && (a.rows() == 1 || a.numel() == 0); }

std::string lower(std::string s) {
  for (char& ch : s) ch = char(std::tolower((unsigned char)ch));
  return s;
}

// The non-NaN values of lane l.
std::vector<double> lane_values(const Mt& x, const lane::layout& w, std::size_t l) {
  std::vector<double> v;
  v.reserve(w.n);
  for (std::size_t t = 0; t < w.n; ++t) {
    const double e = double(x.cre()[w.at(l, t)]);
    if (e == e) v.push_back(e);
  }
  return v;
}

double mean_of(const std::vector<double>& v) {
  if (v.empty()) return nan_v;
  double s = 0;
  for (double e : v) s += e;
  return s / double(v.size());
}

// The standard deviation, dividing by n - 1 (by n when by_n; 0 for one value).
double std_of(const std::vector<double>& v, bool by_n = false) {
  if (v.empty()) return nan_v;
  if (v.size() == 1) return 0;
  const double m = mean_of(v);
  double s = 0;
  for (double e : v) s += (e - m) * (e - m);
  return std::sqrt(s / (by_n ? double(v.size()) : double(v.size() - 1)));
}

double median_of(std::vector<double> v) {
  if (v.empty()) return nan_v;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The median absolute deviation from the median.
double mad_of(const std::vector<double>& v) {
  const double m = median_of(v);
  std::vector<double> d;
  for (double e : v) d.push_back(std::fabs(e - m));
  return median_of(d);
}

double pnorm_of(const std::vector<double>& v, double p) {
  if (v.empty()) return 0;
  if (std::isinf(p)) {
    double m = 0;
    for (double e : v) m = std::max(m, std::fabs(e));
    return m;
  }
  double s = 0;
  for (double e : v) s += std::pow(std::fabs(e), p);
  return std::pow(s, 1 / p);
}

// A real scalar option value of fn.
double scalar_of(const Mt& a, const char* fn, const char* what) {
  if (a.numel() != 1 || a.holds_cell() || a.holds_struct() || a.ischar() || a.isc())
    grl_fail("%s: %s must be a real scalar", fn, what);
  return double(a.cre()[0]);
}

// y = (x - c) / s lane by lane, c and s worked out from the lane's values.
template <class F> Mt per_lane(const Mt& x, std::size_t dim, F center_scale) {
  const lane::layout w = lane::of(x, dim);
  Mt o = Mt::alloc(lane::with_extent(x, dim, w.n));
  for (std::size_t l = 0; l < w.count; ++l) {
    const std::vector<double> v = lane_values(x, w, l);
    double c = 0, s = 1, a = 0;
    center_scale(v, c, s, a);
    for (std::size_t t = 0; t < w.n; ++t) {
      const std::size_t k = w.at(l, t);
      o.pr()[k] = m_type(a + (double(x.cre()[k]) - c) / s);
    }
  }
  return lane::float_result(o, x);
}

}  // namespace

// normalize(x [, dim] [, method [, type]] ...): 'center' and 'scale' may both be given.
Mt grl::normalize_args(const std::vector<Mt>& a) {
  const char* fn = "normalize";
  if (a.empty()) grl_fail("Invalid call to normalize");
  const Mt& x = a[0];
  lane::numbers_only(x, fn);
  std::size_t k = 1, dim = 0;
  if (k < a.size() && !is_text(a[k])) dim = lane::dim_of(a[k++], fn);
  if (!dim) dim = std::size_t(mth::default_dim(x));
  static const std::vector<std::string> methods = {"zscore", "norm", "range", "center", "scale"};
  auto is_method = [&](const Mt& v) {
    return is_text(v) && std::find(methods.begin(), methods.end(), lower(su::text(v))) != methods.end();
  };
  // The methods given, each with its type (nullptr: the default type); only 'center'
  // and 'scale' combine.
  std::string method = "zscore";
  const Mt* type = nullptr;
  const Mt* center_type = nullptr;
  const Mt* scale_type = nullptr;
  bool center_given = false, scale_given = false;
  for (int count = 0; k < a.size(); ++count) {
    if (!is_method(a[k])) {
      if (is_text(a[k])) grl_fail("normalize: unknown method '%s'", su::text(a[k]).c_str());
      grl_fail("normalize: invalid argument %d: a method name was expected", int(k + 1));
    }
    const std::string m = lower(su::text(a[k++]));
    const Mt* t = k < a.size() && !is_method(a[k]) ? &a[k++] : nullptr;
    const bool combines = m == "center" ? !center_given : m == "scale" ? !scale_given : false;
    if (count > 0 && (!combines || !(method == "center" || method == "scale")))
      grl_fail("normalize: only 'center' and 'scale' may be given together");
    if (m == "center") center_given = true, center_type = t;
    if (m == "scale") scale_given = true, scale_type = t;
    if (count == 0) method = m, type = t;
  }
  if (center_given || scale_given) {
    auto center_of = [&](const std::vector<double>& v) {
      if (!center_type) return mean_of(v);
      if (!is_text(*center_type)) return scalar_of(*center_type, fn, "the center");
      const std::string s = lower(su::text(*center_type));
      if (s == "mean") return mean_of(v);
      if (s == "median") return median_of(v);
      grl_fail("normalize: 'center' must be 'mean', 'median' or a number");
    };
    auto scale_of = [&](const std::vector<double>& v) {
      if (!scale_type) return std_of(v);
      if (!is_text(*scale_type)) return scalar_of(*scale_type, fn, "the scale");
      const std::string s = lower(su::text(*scale_type));
      if (s == "std") return std_of(v);
      if (s == "mad") return mad_of(v);
      if (s == "first") return v.empty() ? nan_v : v.front();
      grl_fail("normalize: 'scale' must be 'std', 'mad', 'first' or a number");
    };
    return per_lane(x, dim, [&](const std::vector<double>& v, double& c, double& s, double&) {
      c = center_given ? center_of(v) : 0;
      s = scale_given ? scale_of(v) : 1;
    });
  }
  if (method == "zscore") {
    bool robust = false;
    if (type) {
      const std::string s = is_text(*type) ? lower(su::text(*type)) : std::string();
      if (s == "robust") robust = true;
      else if (s != "std") grl_fail("normalize: 'zscore' must be 'std' or 'robust'");
    }
    return per_lane(x, dim, [&](const std::vector<double>& v, double& c, double& s, double&) {
      c = robust ? median_of(v) : mean_of(v);
      s = robust ? mad_of(v) : std_of(v);
    });
  }
  if (method == "norm") {
    const double p = type ? scalar_of(*type, fn, "the norm P") : 2;
    if (!(p > 0)) grl_fail("normalize: the norm P must be positive");
    return per_lane(x, dim, [&](const std::vector<double>& v, double& c, double& s, double&) {
      c = 0;
      s = pnorm_of(v, p);
    });
  }
  // 'range' [lo hi]: a constant lane gives lo.
  double lo = 0, hi = 1;
  if (type) {
    if (type->numel() != 2 || type->holds_cell() || type->holds_struct() || type->ischar() || type->isc())
      grl_fail("normalize: 'range' must be a two-element vector [a b]");
    lo = double(type->cre()[0]);
    hi = double(type->cre()[1]);
    if (!(lo < hi)) grl_fail("normalize: the interval [a b] of 'range' must have a < b");
  }
  return per_lane(x, dim, [&](const std::vector<double>& v, double& c, double& s, double& at) {
    if (v.empty()) {
      c = 0;
      s = 1;
      at = nan_v;
      return;
    }
    const auto mm = std::minmax_element(v.begin(), v.end());
    c = *mm.first;
    const double width = *mm.second - *mm.first;
    s = width > 0 ? width / (hi - lo) : std::numeric_limits<double>::infinity();
    at = lo;
  });
}

// rescale(x [, l, u] [, 'InputMin', m] [, 'InputMax', M])
Mt grl::rescale_args(const std::vector<Mt>& a) {
  const char* fn = "rescale";
  if (a.empty()) grl_fail("Invalid call to rescale");
  const Mt& x = a[0];
  lane::numbers_only(x, fn);
  double l = 0, u = 1;
  std::size_t k = 1;
  if (k < a.size() && !is_text(a[k])) {
    if (k + 1 >= a.size() || is_text(a[k + 1])) grl_fail("Invalid call to rescale");
    l = scalar_of(a[k], fn, "lower bound L");
    u = scalar_of(a[k + 1], fn, "upper bound U");
    k += 2;
    if (l > u) grl_fail("rescale: lower bound L must be smaller than upper bound U");
  }
  const std::size_t n = x.numel();
  double in_min = std::numeric_limits<double>::infinity(), in_max = -in_min;
  for (std::size_t e = 0; e < n; ++e) {
    const double v = double(x.cre()[e]);
    if (v == v) {
      in_min = std::min(in_min, v);
      in_max = std::max(in_max, v);
    }
  }
  for (; k < a.size(); k += 2) {
    const std::string o = is_text(a[k]) ? lower(su::text(a[k])) : std::string();
    if (o != "inputmin" && o != "inputmax") grl_fail("rescale: options are 'InputMin' and 'InputMax'");
    if (k + 1 >= a.size()) grl_fail("rescale: option '%s' needs a value", su::text(a[k]).c_str());
    (o == "inputmin" ? in_min : in_max) = scalar_of(a[k + 1], fn, o == "inputmin" ? "InputMin" : "InputMax");
  }
  Mt o = Mt::alloc(x.rows(), x.cols());
  o.same_shape(x);
  for (std::size_t e = 0; e < n; ++e) {
    double v = double(x.cre()[e]);
    if (v == v) v = std::min(std::max(v, in_min), in_max);
    const double r = in_max > in_min ? l + (v - in_min) / (in_max - in_min) * (u - l) : (v == v ? l : v);
    o.pr()[e] = m_type(r);
  }
  return lane::float_result(o, x);
}

// --- zscore -------------------------------------------------------------------------------
namespace {

void zscore_of(const Mt& x, const Mt* flag, const Mt* dim_arg, Mr<m_type>* z, Mr<m_type>* mu, Mr<m_type>* sigma) {
  const char* fn = "zscore";
  lane::numbers_only(x, fn);
  bool by_n = false;
  if (flag && flag->numel() > 0) {
    const double f = scalar_of(*flag, fn, "OPT");
    if (f != 0 && f != 1) grl_fail("zscore: OPT must be empty, 0, or 1");
    by_n = f == 1;
  }
  if (x.isempty()) {
    if (z) *z = x;
    if (mu) *mu = Mt();
    if (sigma) *sigma = Mt();
    return;
  }
  const std::size_t dim = dim_arg ? lane::dim_of(*dim_arg, fn) : std::size_t(mth::default_dim(x));
  const lane::layout w = lane::of(x, dim);
  Mt out = Mt::alloc(lane::with_extent(x, dim, w.n));
  Mt m = Mt::alloc(lane::with_extent(x, dim, 1));
  Mt s = Mt::alloc(lane::with_extent(x, dim, 1));
  lane::layout one = w;
  one.n = 1;
  for (std::size_t l = 0; l < w.count; ++l) {
    std::vector<double> v;
    for (std::size_t t = 0; t < w.n; ++t) v.push_back(double(x.cre()[w.at(l, t)]));
    const double mv = mean_of(v), sv = std_of(v, by_n);
    const double d = sv == 0 ? 1 : sv;
    for (std::size_t t = 0; t < w.n; ++t) {
      const std::size_t k = w.at(l, t);
      out.pr()[k] = m_type((double(x.cre()[k]) - mv) / d);
    }
    m.pr()[one.at(l, 0)] = m_type(mv);
    s.pr()[one.at(l, 0)] = m_type(sv);
  }
  if (z) *z = lane::float_result(out, x);
  if (mu) *mu = lane::float_result(m, x);
  if (sigma) *sigma = lane::float_result(s, x);
}

Mt zscore_value(const Mt& x, const Mt* flag, const Mt* dim) {
  Mt z;
  Mr<m_type> r(z);
  zscore_of(x, flag, dim, &r, nullptr, nullptr);
  return z;
}

void zscore_outs(const Mt& x, const Mt* flag, const Mt* dim, Mr<m_type> z, Mr<m_type> mu, Mr<m_type> sigma) {
  zscore_of(x, flag, dim, &z, mu.given() ? &mu : nullptr, sigma.given() ? &sigma : nullptr);
}

}  // namespace

Mt zscore(const Mt& x) { return zscore_value(x, nullptr, nullptr); }
Mt zscore(const Mt& x, const Mt& flag) { return zscore_value(x, &flag, nullptr); }
Mt zscore(const Mt& x, const Mt& flag, const Mt& dim) { return zscore_value(x, &flag, &dim); }
void zscore(const Mt& x, i_o_t, Mr<m_type> z, Mr<m_type> mu, Mr<m_type> sigma) {
  zscore_outs(x, nullptr, nullptr, z, mu, sigma);
}
void zscore(const Mt& x, const Mt& flag, i_o_t, Mr<m_type> z, Mr<m_type> mu, Mr<m_type> sigma) {
  zscore_outs(x, &flag, nullptr, z, mu, sigma);
}
void zscore(const Mt& x, const Mt& flag, const Mt& dim, i_o_t, Mr<m_type> z, Mr<m_type> mu, Mr<m_type> sigma) {
  zscore_outs(x, &flag, &dim, z, mu, sigma);
}

// --- rms, bounds, vecnorm ---------------------------------------------------------------
namespace {

// A reduction of the lanes of x along dim: f(values of a lane, with NaN) per lane.
template <class F> Mt reduce_lanes(const Mt& x, std::size_t dim, F f) {
  const lane::layout w = lane::of(x, dim);
  Mt o = Mt::alloc(lane::with_extent(x, dim, 1));
  lane::layout one = w;
  one.n = 1;
  std::vector<double> v;
  for (std::size_t l = 0; l < w.count; ++l) {
    v.clear();
    for (std::size_t t = 0; t < w.n; ++t) {
      const std::size_t k = w.at(l, t);
      const double re = double(x.cre()[k]), im = x.isc() ? double(x.cim()[k]) : 0;
      v.push_back(im == 0 ? re : std::hypot(re, im));
    }
    o.pr()[one.at(l, 0)] = m_type(f(v));
  }
  return lane::float_result(o, x);
}

double rms_of(const std::vector<double>& v) {
  if (v.empty()) return nan_v;
  double s = 0;
  for (double e : v) s += e * e;
  return std::sqrt(s / double(v.size()));
}

void no_cells(const Mt& x, const char* fn) {
  if (x.holds_cell() || x.holds_struct() || (x.flags_ & F_HANDLE)) grl_fail("%s: X must be a numeric array", fn);
}

}  // namespace

Mt rms(const Mt& x) {
  no_cells(x, "rms");
  if (x.numel() == 0 && x.rows() == 0 && x.cols() == 0) return Mt(m_type(nan_v));
  return reduce_lanes(x, std::size_t(mth::default_dim(x)), rms_of);
}
Mt rms(const Mt& x, const Mt& dim) {
  no_cells(x, "rms");
  if (is_text(dim) && lower(su::text(dim)) == "all") {
    Mt all = x;
    all.reshape_to(x.numel(), 1);
    return reduce_lanes(all, 1, rms_of);
  }
  return reduce_lanes(x, lane::dim_of(dim, "rms"), rms_of);
}

Mt bounds(const Mt& x) {
  no_cells(x, "bounds");
  return min(x);
}
Mt bounds(const Mt& x, const Mt& dim) {
  no_cells(x, "bounds");
  return min(x, Mt(), dim);
}
void bounds(const Mt& x, i_o_t, Mr<m_type> s, Mr<m_type> l) {
  no_cells(x, "bounds");
  s = min(x);
  if (l.given()) l = max(x);
}
void bounds(const Mt& x, const Mt& dim, i_o_t, Mr<m_type> s, Mr<m_type> l) {
  no_cells(x, "bounds");
  s = min(x, Mt(), dim);
  if (l.given()) l = max(x, Mt(), dim);
}

Mt vecnorm(const Mt& a) { return vecnorm(a, Mt(m_type(2))); }
Mt vecnorm(const Mt& a, const Mt& p) { return vecnorm(a, p, Mt(m_type(mth::default_dim(a)))); }
Mt vecnorm(const Mt& a, const Mt& p, const Mt& dim) {
  no_cells(a, "vecnorm");
  if (p.numel() != 1 || p.holds_cell() || p.holds_struct() || p.ischar() || p.isc() || !(double(p.cre()[0]) > 0))
    grl_fail("vecnorm: P must be positive real scalar or Inf");
  const double pv = double(p.cre()[0]);
  return reduce_lanes(a, lane::dim_of(dim, "vecnorm"), [pv](const std::vector<double>& v) { return pnorm_of(v, pv); });
}
