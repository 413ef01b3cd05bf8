// Moving-window statistics: movmean, movsum, movmax, movmin, movmedian, movprod, movstd
// and movvar along a dimension, with the window given as a length or as [before after]
// counts, the NaN rule and the treatment of the ends.
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

enum class ends { shrink, discard, fill };

struct window_spec {
  std::size_t before = 0, after = 0;
  bool omit_nan = false;
  ends end = ends::shrink;
  double fill = 0;
  double weight = 0;   // movstd, movvar: 0 divides by n-1, 1 by n
  std::size_t dim = 0; // 0: the first dimension that is not 1
};

bool is_text(const Mt& a) { return a.ischar() && (a.rows() == 1 || a.numel() == 0); }

std::string lower(std::string s) {
  for (char& ch : s) ch = char(std::tolower((unsigned char)ch));
  return s;
}

// The window: a positive length k (centred; an even one reaches one further back, a
// fraction floor(k/2) each way) or two counts [before after] of whole numbers >= 0.
void window_of(const Mt& k, const char* fn, window_spec& w) {
  if (k.holds_cell() || k.holds_struct() || k.ischar() || k.isc() || (k.numel() != 1 && k.numel() != 2))
    grl_fail("%s: window length K must be a positive scalar or a 2-element vector of nonnegative integers", fn);
  if (k.numel() == 1) {
    const double v = double(k.cre()[0]);
    if (!(v > 0) || !std::isfinite(v)) grl_fail("%s: window length K must be a finite positive scalar", fn);
    if (v > 1e15) grl::fail_too_large();
    if (v == std::floor(v)) {
      const std::size_t n = std::size_t(v);
      w.before = n / 2;
      w.after = n % 2 ? n / 2 : n / 2 - 1;
    } else {
      w.before = w.after = std::size_t(std::floor(v / 2));
    }
    return;
  }
  const double b = double(k.cre()[0]), a = double(k.cre()[1]);
  if (!(b >= 0) || !(a >= 0) || b != std::floor(b) || a != std::floor(a) || b > 1e15 || a > 1e15)
    grl_fail("%s: window [NB NA] must be two nonnegative integers", fn);
  w.before = std::size_t(b);
  w.after = std::size_t(a);
}

// The arguments after the window: [weight,] [dim,] then flags and name-value pairs.
window_spec parse(const char* fn, const std::vector<Mt>& a) {
  if (a.size() < 2) grl_fail("Invalid call to %s", fn);
  window_spec w;
  window_of(a[1], fn, w);
  const std::string name = fn;
  const bool weighted = name == "movstd" || name == "movvar";
  std::size_t k = 2;
  if (weighted && k < a.size() && !is_text(a[k])) {
    const Mt& v = a[k];
    if (v.numel() == 0) {
      ++k;
    } else {
      if (v.numel() != 1 || v.holds_cell() || v.holds_struct() || v.isc() ||
          (double(v.cre()[0]) != 0 && double(v.cre()[0]) != 1))
        grl_fail("%s: normalization W must be 0 or 1", fn);
      w.weight = double(v.cre()[0]);
      ++k;
    }
  }
  if (k < a.size() && !is_text(a[k])) w.dim = lane::dim_of(a[k++], fn);
  for (; k < a.size(); ++k) {
    if (!is_text(a[k])) grl_fail("%s: invalid argument %d: a flag or an option name was expected", fn, int(k + 1));
    const std::string o = lower(su::text(a[k]));
    if (o == "omitnan" || o == "omitmissing") { w.omit_nan = true; continue; }
    if (o == "includenan" || o == "includemissing") { w.omit_nan = false; continue; }
    if (o == "endpoints") {
      if (k + 1 >= a.size()) grl_fail("%s: option 'Endpoints' needs a value", fn);
      const Mt& e = a[++k];
      if (is_text(e)) {
        const std::string s = lower(su::text(e));
        if (s == "shrink") w.end = ends::shrink;
        else if (s == "discard") w.end = ends::discard;
        else if (s == "fill") { w.end = ends::fill; w.fill = std::numeric_limits<double>::quiet_NaN(); }
        else grl_fail("%s: 'Endpoints' must be 'shrink', 'discard', 'fill' or a numeric or logical scalar", fn);
      } else if (e.numel() == 1 && !e.holds_cell() && !e.holds_struct() && !e.isc()) {
        w.end = ends::fill;
        w.fill = double(e.cre()[0]);
      } else {
        grl_fail("%s: 'Endpoints' must be 'shrink', 'discard', 'fill' or a numeric or logical scalar", fn);
      }
      continue;
    }
    if (o == "samplepoints") grl_fail("%s: 'SamplePoints' is not supported", fn);
    grl_fail("%s: unknown option '%s'", fn, su::text(a[k]).c_str());
  }
  return w;
}

constexpr double nan_v = std::numeric_limits<double>::quiet_NaN();

// The statistic of the values v (NaN already left out when they are to be omitted;
// had_nan tells that a NaN was among them otherwise).
double statistic(const std::string& fn, std::vector<double>& v, bool had_nan, double weight) {
  const std::size_t n = v.size();
  if (had_nan) return nan_v;
  if (fn == "movsum" || fn == "movmean") {
    double s = 0;
    for (double x : v) s += x;
    if (fn == "movsum") return s;
    return n ? s / double(n) : nan_v;
  }
  if (fn == "movprod") {
    double p = 1;
    for (double x : v) p *= x;
    return p;
  }
  if (n == 0) return nan_v;
  if (fn == "movmax") return *std::max_element(v.begin(), v.end());
  if (fn == "movmin") return *std::min_element(v.begin(), v.end());
  if (fn == "movmedian") {
    std::sort(v.begin(), v.end());
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
  }
  // movvar, movstd
  double m = 0;
  for (double x : v) m += x;
  m /= double(n);
  double s = 0;
  for (double x : v) s += (x - m) * (x - m);
  const double d = weight == 1 ? double(n) : double(n) - 1;
  const double var = n == 1 ? 0 : s / d;
  return fn == "movstd" ? std::sqrt(var) : var;
}

}  // namespace

Mt grl::moving(const char* fn, const std::vector<Mt>& a) {
  if (a.empty()) grl_fail("Invalid call to %s", fn);
  const window_spec w = parse(fn, a);
  const Mt& x = a[0];
  lane::numbers_only(x, fn);
  const std::string name = fn;
  const std::size_t dim = w.dim ? w.dim : std::size_t(mth::default_dim(x));
  const lane::layout in = lane::of(x, dim);
  const std::size_t n = in.n;
  // Positions whose window lies wholly inside the lane ('discard' keeps only those).
  const std::size_t first_full = std::min(w.before, n);
  const std::size_t last_full = n > w.after ? n - w.after : 0;   // one past
  const std::size_t kept = w.end == ends::discard ? (last_full > first_full ? last_full - first_full : 0) : n;
  Mt o = Mt::alloc(lane::with_extent(x, dim, kept));
  lane::layout out = in;
  out.n = kept;
  const m_type* xs = x.cre();
  m_type* os = o.pr();
  std::vector<double> v;
  for (std::size_t l = 0; l < in.count; ++l) {
    std::size_t t_out = 0;
    for (std::size_t t = 0; t < n; ++t) {
      const bool full = t >= first_full && t < last_full;
      if (w.end == ends::discard && !full) continue;
      double r;
      if (w.end == ends::fill && !full) {
        r = w.fill;
      } else {
        const std::size_t lo = t >= w.before ? t - w.before : 0;
        const std::size_t hi = std::min(n - 1, t + std::min(w.after, n));
        v.clear();
        bool had_nan = false;
        for (std::size_t u = lo; u <= hi; ++u) {
          const double e = double(xs[in.at(l, u)]);
          if (e != e) {
            if (!w.omit_nan) had_nan = true;
            continue;
          }
          v.push_back(e);
        }
        r = statistic(name, v, had_nan, w.weight);
      }
      os[out.at(l, t_out++)] = m_type(r);
    }
  }
  return lane::float_result(o, x);
}
