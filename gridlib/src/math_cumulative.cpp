// Running products and extremes along a dimension (cumprod, cummax, cummin) and
// differences of neighbours (diff).
//
// A group is one column (dimension 1), one row (dimension 2) or, along a dimension
// beyond the second, a single element. Without a dimension argument each works along
// the first dimension that is not 1.
#include "math_util.h"

#include <limits>
#include <vector>

using namespace grl;
using namespace grl::mth;

namespace {

int dim_of(const Mt& x, const Mt* d, const char* fn) { return d ? dim_arg(*d, fn) : default_dim(x); }

Mt cumprod_of(const Mt& x, const Mt* given) {
  Mt whole;
  const Mt* d = loose_dim(x, given, "cumprod", whole);
  if (x.ndims() > 2)
    return along(x, dim_of(x, d, "cumprod"), [](const Mt& y, int k) {
      const Mt dm = Mt(m_type(k));
      return std::vector<Mt>{cumprod_of(y, &dm)};
    })[0];
  const groups_of G(x, dim_of(x, d, "cumprod"));
  const bool cp = x.isc();
  Mt o = Mt::alloc(x.rows(), x.cols(), cp);
  o.same_shape(x);
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  m_type* po = o.pr();
  m_type* pio = cp ? o.pi() : nullptr;
  for (std::size_t g = 0; g < G.count; ++g) {
    const std::size_t base = G.base(g);
    if (!cp) {
      m_type p = 1;
      for (std::size_t t = 0; t < G.n; ++t) {
        const std::size_t k = base + t * G.stride;
        po[k] = p *= a[k];
      }
    } else {
      cplx p(1, 0);
      for (std::size_t t = 0; t < G.n; ++t) {
        const std::size_t k = base + t * G.stride;
        p *= cplx(a[k], b[k]);
        po[k] = p.real();
        pio[k] = p.imag();
      }
    }
  }
  return narrow(o);
}

// Complex values compare by magnitude, then by phase angle, as max and min do.
inline bool cgreater(m_type ar, m_type ai, m_type br, m_type bi) {
  const m_type ma = std::hypot(ar, ai), mb = std::hypot(br, bi);
  if (ma != mb) return ma > mb;
  return std::atan2(ai, ar) > std::atan2(bi, br);
}

// cummax and cummin: the extreme so far and where it was first reached. NaN are passed
// over once a number has been seen; a leading run of NaN stays NaN with index 1.
void cumextreme(const Mt& x, const Mt* d, bool want_max, Mr<m_type>* m, Mr<m_type>* idx) {
  const groups_of G(x, dim_of(x, d, want_max ? "cummax" : "cummin"));
  const bool cp = x.isc();
  Mt o = Mt::alloc(x.rows(), x.cols(), cp);
  o.same_shape(x);
  Mt ix = Mt::alloc(x.rows(), x.cols());
  ix.same_shape(x);
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  m_type* po = o.pr();
  m_type* pio = cp ? o.pi() : nullptr;
  m_type* pk = ix.pr();
  for (std::size_t g = 0; g < G.count; ++g) {
    const std::size_t base = G.base(g);
    std::size_t best = base, best_t = 0;
    for (std::size_t t = 0; t < G.n; ++t) {
      const std::size_t k = base + t * G.stride;
      if (t > 0) {
        const bool knan = a[k] != a[k] || (b && b[k] != b[k]);
        const bool bnan = a[best] != a[best] || (b && b[best] != b[best]);
        bool take;
        if (knan) take = false;
        else if (bnan) take = true;
        else if (cp) take = want_max ? cgreater(a[k], b[k], a[best], b[best])
                                     : cgreater(a[best], b[best], a[k], b[k]);
        else take = want_max ? a[k] > a[best] : a[k] < a[best];
        if (take) { best = k; best_t = t; }
      }
      po[k] = a[best];
      if (cp) pio[k] = b[best];
      pk[k] = m_type(best_t + 1);
    }
  }
  if (x.islogical()) o.set_flags(F_LOGICAL);
  if (x.num_class() != mc_double) o.set_class(x.num_class());   // single and integers stay so
  if (m) *m = cp ? narrow(o) : o;
  if (idx) *idx = ix;
}

// --- diff ---------------------------------------------------------------------------

// One difference along dim: the dimension shrinks by one (an empty one stays empty).
Mt diff_once(const Mt& x, int dim) {
  const std::size_t xr = x.rows(), xc = x.cols();
  const std::size_t r = dim == 1 ? (xr ? xr - 1 : 0) : xr;
  const std::size_t c = dim == 2 ? (xc ? xc - 1 : 0) : xc;
  const bool cp = x.isc();
  Mt o = Mt::alloc(r, c, cp);
  const std::size_t step = dim == 1 ? 1 : xr;   // from an element to its successor
  auto run = [&](const m_type* p, m_type* q) {
    for (std::size_t j = 0; j < c; ++j)
      for (std::size_t i = 0; i < r; ++i) {
        const std::size_t k = i + j * xr;
        q[i + j * r] = p[k + step] - p[k];
      }
  };
  run(x.cre(), o.pr());
  if (cp) run(x.cim(), o.pi());
  return cp ? narrow(o) : o;
}

// The order k of diff(x, k): a nonnegative integer scalar, or [] for 1.
std::size_t diff_order(const Mt& k) {
  if (k.isempty()) return 1;
  if (k.numel() != 1) grl_fail("diff: order K must be a scalar or []");
  const double v = double(k.cre()[0]);
  if (v != v || v != std::floor(v)) grl_fail("conversion of %g to int64_t value failed", v);
  if (v < 0) grl_fail("diff: order K must be non-negative");
  return v > 1e9 ? std::size_t(1e9) : std::size_t(v);
}

// diff(x, k) takes the difference k times, each along the first dimension that is not 1
// of what is left: once the columns are down to one row, it goes on along the row. A
// scalar left over differences to [].
Mt diff_free(const Mt& x0, std::size_t order) {
  Mt x = x0;
  if (order > 0) x.set_flags(0);   // differences of logical or char values are numbers
  for (std::size_t t = 0; t < order; ++t) {
    if (x.rows() == 1 && x.cols() == 1) return Mt();
    Mt y = diff_once(x, default_dim(x));
    // An empty value whose shape no longer changes is the result of every further order.
    const bool fixed = y.rows() == x.rows() && y.cols() == x.cols();
    x = y;
    if (fixed) break;
  }
  return x;
}

// diff(x, k, dim): k differences along dim; k at least the length gives an empty result.
Mt diff_dim(const Mt& x, std::size_t order, const Mt& d) {
  const int dim = dim_arg(d, "diff");
  if (x.ndims() > 2 && dim <= int(x.ndims()))
    return along(x, dim, [order](const Mt& y, int k) {
      return std::vector<Mt>{diff_dim(y, order, Mt(m_type(k)))};
    })[0];
  if (dim > 2) grl_fail("diff: DIM must be a valid dimension");
  const std::size_t len = dim == 1 ? x.rows() : x.cols();
  if (order == 0) return x;
  if (order >= len) {
    Mt o = Mt::alloc(dim == 1 ? 0 : x.rows(), dim == 2 ? 0 : x.cols());
    return o;
  }
  Mt o = x;
  if (o.islogical() || o.ischar()) o.set_flags(0);
  for (std::size_t t = 0; t < order; ++t) o = diff_once(o, dim);
  return o;
}

}  // namespace

Mt cumprod(const Mt& x) {
  Mt o = cumprod_of(x, nullptr);
  single_result(o, x);
  return o;
}
Mt cumprod(const Mt& x, const Mt& dim) {
  Mt o = cumprod_of(x, &dim);
  single_result(o, x);
  return o;
}

#define GRL_CUMEXTREME(F, WANT)                                                            \
  Mt F(const Mt& x) { Mt m; Mr<m_type> o(m); cumextreme(x, nullptr, WANT, &o, nullptr); return m; } \
  Mt F(const Mt& x, const Mt& dim) {                                                       \
    Mt m; Mr<m_type> o(m); cumextreme(x, &dim, WANT, &o, nullptr); return m;               \
  }                                                                                        \
  void F(const Mt& x, i_o_t, Mr<m_type> m) { cumextreme(x, nullptr, WANT, &m, nullptr); }  \
  void F(const Mt& x, i_o_t, Mr<m_type> m, Mr<m_type> k) { cumextreme(x, nullptr, WANT, &m, &k); } \
  void F(const Mt& x, const Mt& dim, i_o_t, Mr<m_type> m) { cumextreme(x, &dim, WANT, &m, nullptr); } \
  void F(const Mt& x, const Mt& dim, i_o_t, Mr<m_type> m, Mr<m_type> k) {                 \
    cumextreme(x, &dim, WANT, &m, &k);                                                     \
  }                                                                                        \
  Mt F(const Mc&) { wrong_type_cell(#F); }
GRL_CUMEXTREME(cummax, true)
GRL_CUMEXTREME(cummin, false)
#undef GRL_CUMEXTREME

Mt diff(const Mt& x) { return diff_free(x, 1); }
Mt diff(const Mt& x, const Mt& k) { return diff_free(x, diff_order(k)); }
Mt diff(const Mt& x, const Mt& k, const Mt& dim) { return diff_dim(x, diff_order(k), dim); }

Mt cumprod(const Mc&) { wrong_type_cell("cumprod"); }
Mt diff(const Mc&) { grl_fail("diff: X must be numeric or logical"); }
