// Statistics along a dimension: var, std, median and mode.
//
// Without a dimension argument each works along the first dimension that is not 1, and
// the empty 0x0 matrix gives NaN (mode: NaN occurring 0 times). Along a dimension given
// explicitly an empty group also gives NaN, while a dimension of length 0 that is not
// reduced stays 0 (var(zeros(3,0)) is 1x0).
#include "math_util.h"

#include <algorithm>
#include <limits>
#include <vector>

using namespace grl;
using namespace grl::mth;

namespace {

const m_type kNaN = std::numeric_limits<m_type>::quiet_NaN();

// The groups of a reduction: x is walked as `count` groups of n elements at stride s;
// the result has shape r x c with group g at position g.
struct reduction {
  std::size_t count, n, stride, rows, r, c;
  int dim;
  const Mt* x;
  reduction(const Mt& xx, int d, bool whole_empty) : rows(xx.rows()), dim(d), x(&xx) {
    if (whole_empty) {                // f([]) without a dimension: one group of nothing
      count = 1; n = 0; stride = 1; r = c = 1;
      return;
    }
    if (d == 1) { count = xx.cols(); n = xx.rows(); stride = 1; r = 1; c = xx.cols(); }
    else if (d == 2) { count = xx.rows(); n = xx.cols(); stride = xx.rows(); r = xx.rows(); c = 1; }
    else { count = xx.numel(); n = 1; stride = 1; r = xx.rows(); c = xx.cols(); }
  }
  std::size_t base(std::size_t g) const { return dim == 1 ? g * rows : g; }
};

// --- var and std ------------------------------------------------------------------------

// The dimension argument of var and std: a positive integer, a vector of distinct
// dimensions, or 'all'. Dimensions 1 and 2 together (or 'all') reduce every element:
// *all is set and the work runs along the column x(:).
int var_dim(const Mt& d, bool* all) {
  *all = false;
  if (d.ischar()) {
    if (text(d) == "all") { *all = true; return 1; }
    grl_fail("var: DIM must be a positive integer scalar, vector, or 'all'");
  }
  if (d.isempty() || d.isc() || (d.rows() != 1 && d.cols() != 1))
    grl_fail("var: DIM must be a positive integer scalar, vector, or 'all'");
  const m_type* p = d.cre();
  bool has1 = false, has2 = false;
  for (std::size_t k = 0; k < d.numel(); ++k) {
    const double v = double(p[k]);
    if (!(v >= 1) || v != std::floor(v) || v > 1e9)
      grl_fail("var: DIM must be a positive integer scalar, vector, or 'all'");
    for (std::size_t t = 0; t < k; ++t)
      if (p[t] == p[k]) grl_fail("var: DIM must be a positive integer scalar, vector, or 'all'");
    has1 = has1 || v == 1;
    has2 = has2 || v == 2;
  }
  if (has1 && has2) { *all = true; return 1; }
  return has1 ? 1 : has2 ? 2 : 3;
}

// var(x, w, dim): w is 0 (divide by n-1), 1 (divide by n), [] (as 0) or a vector of
// nonnegative weights, one for each element of a group.
Mt var_of(const Mt& x0, const Mt* w, const Mt* d, bool root) {
  bool all = false;
  int dim = d ? var_dim(*d, &all) : default_dim(x0);
  if (d && !d->ischar() && d->numel() > 1) {
    // Several dimensions: joined into one, and the work runs along that one.
    if (w && !w->isempty() && !(w->numel() == 1 && (w->cre()[0] == 0 || w->cre()[0] == 1)))
      grl_fail("var: W must be either 0 or 1 when DIM is a vector");
    sizes shape;
    int along = 1;
    const Mt folded = fold_dims(x0, *d, "var", shape, along);
    const Mt dm = Mt(m_type(along));
    return unfold_result(var_of(folded, w, &dm, root), shape);
  }
  if (x0.ndims() > 2 && !all) {
    Mt o = along(x0, dim, [w, root](const Mt& y, int k) {
      const Mt dm = Mt(m_type(k));
      return std::vector<Mt>{var_of(y, w, &dm, root)};
    })[0];
    if (x0.num_class() == mc_single) apply_class(o, mc_single);
    return o;
  }
  Mt x = x0;
  if (all) { x.reshape_to(x.numel(), 1); dim = 1; }
  const reduction R(x, dim, !d && x0.rows() == 0 && x0.cols() == 0);
  int opt = 0;
  const m_type* wt = nullptr;
  if (w && !w->isempty()) {
    if (w->isc()) grl_fail("var: W must be 0, 1, or a vector of positive integers");
    const m_type* p = w->cre();
    if (w->numel() == 1 && (p[0] == 0 || p[0] == 1)) {
      opt = int(p[0]);
    } else {
      if (w->numel() == 1 || (w->rows() != 1 && w->cols() != 1)) grl_fail("var: W must be 0, 1, or a vector of positive integers");
      for (std::size_t k = 0; k < w->numel(); ++k)
        if (!(p[k] >= 0)) grl_fail("var: W must be 0, 1, or a vector of positive integers");
      if (w->numel() != R.n)
        grl_fail("var: the length of W must be equal to the size of X in the dimension along "
                 "which variance is calculated");
      wt = p;
    }
  }
  Mt o = Mt::alloc(R.r, R.c);
  m_type* po = o.pr();
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  for (std::size_t g = 0; g < R.count; ++g) {
    const std::size_t base = R.base(g), n = R.n, s = R.stride;
    if (n == 0) { po[g] = kNaN; continue; }
    m_type sw = 0, mr = 0, mi = 0;
    for (std::size_t t = 0; t < n; ++t) {
      const m_type f = wt ? wt[t] : m_type(1);
      sw += f;
      mr += f * a[base + t * s];
      if (b) mi += f * b[base + t * s];
    }
    mr /= sw;
    mi /= sw;
    m_type ss = 0;
    for (std::size_t t = 0; t < n; ++t) {
      const m_type f = wt ? wt[t] : m_type(1);
      const m_type dr = a[base + t * s] - mr, di = b ? b[base + t * s] - mi : m_type(0);
      ss += f * (dr * dr + di * di);
    }
    m_type div = wt ? sw : opt == 1 || n == 1 ? m_type(n) : m_type(n - 1);
    const m_type v = ss / div;
    po[g] = root ? std::sqrt(v) : v;
  }
  // Single data gives a single result; every other class gives double.
  if (x0.num_class() == mc_single) apply_class(o, mc_single);
  return o;
}

// --- median -------------------------------------------------------------------------------

int stat_dim(const Mt& d, const char* fn) {
  if (d.numel() != 1 || d.isc()) grl_fail("%s: DIM must be an integer and a valid dimension", fn);
  const double v = double(d.cre()[0]);
  if (!(v >= 1) || v != std::floor(v) || v > 1e9)
    grl_fail("%s: DIM must be an integer and a valid dimension", fn);
  return int(v);
}

// The point halfway between u and v without overflow: the mean of two huge numbers of
// the same sign is not Inf.
inline m_type halfway(m_type u, m_type v) {
  if (u == v) return u;
  const m_type s = u + v;
  return std::isinf(s) ? u / 2 + v / 2 : s / 2;
}

struct cval {
  m_type re, im, mag, arg;
};
// The order of sort: by value, or for complex values by magnitude, then phase angle.
inline bool cval_less(const cval& u, const cval& v) {
  if (u.mag != v.mag) return u.mag < v.mag;
  return u.arg < v.arg;
}

// Median of each group: NaN anywhere gives NaN; an even count averages the two middle
// elements. Logical and char values give numbers.
Mt median_of(const Mt& x, const Mt* d) {
  if (d && several_dims(*d)) {
    sizes shape;
    int along = 1;
    const Mt folded = fold_dims(x, *d, "median", shape, along);
    const Mt dm = Mt(m_type(along));
    return unfold_result(median_of(folded, &dm), shape);
  }
  const int dim = d ? stat_dim(*d, "median") : default_dim(x);
  if (x.ndims() > 2)
    return along(x, dim, [](const Mt& y, int k) {
      const Mt dm = Mt(m_type(k));
      return std::vector<Mt>{median_of(y, &dm)};
    })[0];
  const reduction R(x, dim, !d && x.rows() == 0 && x.cols() == 0);
  const bool cp = x.isc();
  Mt o = Mt::alloc(R.r, R.c, cp);
  m_type* po = o.pr();
  m_type* pio = cp ? o.pi() : nullptr;
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  std::vector<m_type> buf;
  std::vector<cval> cbuf;
  for (std::size_t g = 0; g < R.count; ++g) {
    const std::size_t base = R.base(g), n = R.n, s = R.stride;
    bool nan = n == 0;
    for (std::size_t t = 0; t < n && !nan; ++t) {
      const std::size_t k = base + t * s;
      nan = a[k] != a[k] || (b && b[k] != b[k]);
    }
    if (nan) {
      po[g] = kNaN;
      if (cp) pio[g] = 0;
      continue;
    }
    const std::size_t h = n / 2;
    if (!cp) {
      buf.resize(n);
      for (std::size_t t = 0; t < n; ++t) buf[t] = a[base + t * s];
      std::nth_element(buf.begin(), buf.begin() + h, buf.end());
      m_type m = buf[h];
      if (n % 2 == 0) m = halfway(*std::max_element(buf.begin(), buf.begin() + h), m);
      po[g] = m;
    } else {
      cbuf.resize(n);
      for (std::size_t t = 0; t < n; ++t) {
        const std::size_t k = base + t * s;
        cbuf[t] = cval{a[k], b[k], std::hypot(a[k], b[k]), std::atan2(b[k], a[k])};
      }
      std::sort(cbuf.begin(), cbuf.end(), cval_less);
      if (n % 2) {
        po[g] = cbuf[h].re;
        pio[g] = cbuf[h].im;
      } else {
        po[g] = halfway(cbuf[h - 1].re, cbuf[h].re);
        pio[g] = halfway(cbuf[h - 1].im, cbuf[h].im);
      }
    }
  }
  return cp ? narrow(o) : o;
}

// --- mode ---------------------------------------------------------------------------------

// The most frequent value of each group and how often it occurs; of equally frequent
// values the first in sorted order (the smallest). NaN are never equal to anything, so
// each counts once; a group of nothing gives NaN occurring 0 times. The third result
// holds, for each group, a column of every value that occurs that often, ascending
// (NaN last, when values occur once).
void mode_of(const Mt& x, const Mt* d, Mr<m_type>* m, Mr<m_type>* f, Mc* c = nullptr) {
  const int dim = d ? stat_dim(*d, "mode") : default_dim(x);
  if (x.ndims() > 2 && !c) {
    // Along any dimension: the 2-D work on each B x n piece (math_util.h).
    const std::vector<Mt> r = along(x, dim, [](const Mt& y, int k) {
      const Mt dm = Mt(m_type(k));
      Mt mv, fv;
      Mr<m_type> mo(mv), fo(fv);
      mode_of(y, &dm, &mo, &fo);
      return std::vector<Mt>{mv, fv};
    });
    if (m) *m = r[0];
    if (f) *f = r[1];
    return;
  }
  const reduction R(x, dim, !d && x.rows() == 0 && x.cols() == 0);
  const bool cp = x.isc();
  Mt o = Mt::alloc(R.r, R.c, cp);
  Mt fo = Mt::alloc(R.r, R.c);
  m_type* po = o.pr();
  m_type* pio = cp ? o.pi() : nullptr;
  m_type* pf = fo.pr();
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  Mc co = c ? Mc::alloc(R.r, R.c) : Mc();
  std::vector<cval> v;
  std::vector<std::size_t> starts;   // of the runs that occur most often
  for (std::size_t g = 0; g < R.count; ++g) {
    const std::size_t base = R.base(g), n = R.n, s = R.stride;
    v.clear();
    std::size_t nans = 0;
    for (std::size_t t = 0; t < n; ++t) {
      const std::size_t k = base + t * s;
      const m_type re = a[k], im = b ? b[k] : m_type(0);
      if (re != re || im != im) {
        ++nans;
        continue;
      }
      v.push_back(cp ? cval{re, im, std::hypot(re, im), std::atan2(im, re)} : cval{re, 0, re, 0});
    }
    if (v.empty()) {
      po[g] = kNaN;
      if (cp) pio[g] = 0;
      pf[g] = m_type(n ? 1 : 0);
      if (c) {
        Mt e = Mt::alloc(nans, 1);
        for (std::size_t t = 0; t < nans; ++t) e.pr()[t] = kNaN;
        if (x.islogical()) e.set_flags(F_LOGICAL);
        co.welem(g) = e;
      }
      continue;
    }
    std::sort(v.begin(), v.end(), cval_less);
    std::size_t best = 0, best_count = 0;
    starts.clear();
    for (std::size_t t = 0; t < v.size();) {
      std::size_t e = t + 1;
      while (e < v.size() && v[e].re == v[t].re && v[e].im == v[t].im) ++e;
      if (e - t > best_count) { best = t; best_count = e - t; starts.clear(); }
      if (e - t == best_count) starts.push_back(t);
      t = e;
    }
    // -0 and 0 are one value; the mode of a run of zeros is +0.
    po[g] = v[best].re == 0 ? m_type(0) : v[best].re;
    if (cp) pio[g] = v[best].im == 0 ? m_type(0) : v[best].im;
    pf[g] = m_type(best_count);
    if (c) {
      const std::size_t extra = best_count == 1 ? nans : 0;
      Mt e = Mt::alloc(starts.size() + extra, 1, cp);
      m_type* pe = e.pr();
      m_type* pie = cp ? e.pi() : nullptr;
      for (std::size_t t = 0; t < starts.size(); ++t) {
        const cval& w = v[starts[t]];
        pe[t] = w.re == 0 ? m_type(0) : w.re;
        if (cp) pie[t] = w.im == 0 ? m_type(0) : w.im;
      }
      for (std::size_t t = starts.size(); t < starts.size() + extra; ++t) {
        pe[t] = kNaN;
        if (cp) pie[t] = 0;
      }
      if (x.islogical()) e.set_flags(F_LOGICAL);
      co.welem(g) = cp ? narrow(e) : e;
    }
  }
  if (c) *c = co;
  if (x.islogical()) o.set_flags(F_LOGICAL);
  if (m) *m = cp ? narrow(o) : o;
  if (f) *f = fo;
}

}  // namespace

Mt var(const Mt& x) { return var_of(x, nullptr, nullptr, false); }
Mt var(const Mt& x, const Mt& w) { return var_of(x, &w, nullptr, false); }
Mt var(const Mt& x, const Mt& w, const Mt& dim) { return var_of(x, &w, &dim, false); }
Mt std_M(const Mt& x) { return var_of(x, nullptr, nullptr, true); }
Mt std_M(const Mt& x, const Mt& w) { return var_of(x, &w, nullptr, true); }
Mt std_M(const Mt& x, const Mt& w, const Mt& dim) { return var_of(x, &w, &dim, true); }

Mt median(const Mt& x) { return median_of(x, nullptr); }
Mt median(const Mt& x, const Mt& dim) { return median_of(x, &dim); }

Mt mode(const Mt& x) { Mt m; Mr<m_type> o(m); mode_of(x, nullptr, &o, nullptr); return m; }
Mt mode(const Mt& x, const Mt& dim) { Mt m; Mr<m_type> o(m); mode_of(x, &dim, &o, nullptr); return m; }
void mode(const Mt& x, i_o_t, Mr<m_type> m) { mode_of(x, nullptr, &m, nullptr); }
void mode(const Mt& x, i_o_t, Mr<m_type> m, Mr<m_type> f) { mode_of(x, nullptr, &m, &f); }
void mode(const Mt& x, const Mt& dim, i_o_t, Mr<m_type> m) { mode_of(x, &dim, &m, nullptr); }
void mode(const Mt& x, const Mt& dim, i_o_t, Mr<m_type> m, Mr<m_type> f) { mode_of(x, &dim, &m, &f); }
void mode(const Mt& x, i_o_t, Mr<m_type> m, Mr<m_type> f, Mc& c) { mode_of(x, nullptr, &m, &f, &c); }
void mode(const Mt& x, const Mt& dim, i_o_t, Mr<m_type> m, Mr<m_type> f, Mc& c) {
  mode_of(x, &dim, &m, &f, &c);
}

Mt var(const Mc&) { grl_fail("var: X must be a numeric vector or matrix"); }
Mt std_M(const Mc&) { grl_fail("var: X must be a numeric vector or matrix"); }
Mt median(const Mc&) { grl_fail("median: X must be a numeric vector or matrix"); }
Mt mode(const Mc&) { grl_fail("mode: X must be a numeric vector or matrix"); }
