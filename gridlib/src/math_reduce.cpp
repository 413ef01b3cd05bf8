// Reductions along a dimension: sum, prod, cumsum, mean, any, all, max and min.
//
// Without a dimension argument a reduction works along the first dimension that is
// not 1; the empty 0x0 matrix reduces to one element (sum([]) is 0, prod([]) is 1).
// Along a dimension beyond the second, every element is its own group.
#include "math_util.h"
#include "int64_util.h"

#include <limits>
#include <vector>

using namespace grl;
using namespace grl::mth;

namespace {

// The shape of a reduction result: the reduced dimension becomes 1 (or stays 0 for
// max and min, which have nothing to return from no elements).
void reduced_shape(const Mt& x, int dim, bool keep_zero, std::size_t& r, std::size_t& c) {
  r = x.rows();
  c = x.cols();
  if (dim == 1) r = (keep_zero && r == 0) ? 0 : 1;
  else if (dim == 2) c = (keep_zero && c == 0) ? 0 : 1;
}

// Sum of the real (or imaginary) parts along dim into o (already shaped).
void sum_part(const m_type* p, std::size_t r, std::size_t c, int dim, m_type* o) {
  if (dim == 1) {
    for (std::size_t j = 0; j < c; ++j) {
      const m_type* col = p + j * r;
      m_type s = 0;
      for (std::size_t i = 0; i < r; ++i) s += col[i];
      o[j] = s;
    }
  } else if (dim == 2 && r == 1) {
    // A row: the running sum stays in a register rather than in o[0].
    m_type s = 0;
    for (std::size_t j = 0; j < c; ++j) s += p[j];
    o[0] = s;
  } else if (dim == 2) {
    for (std::size_t i = 0; i < r; ++i) o[i] = 0;
    // Eight columns at a time: each running sum stays in a register across them, and
    // the additions keep their order, so the result is that of one column after another.
    std::size_t j = 0;
    for (; j + 8 <= c; j += 8) {
      const m_type* q = p + j * r;
      for (std::size_t i = 0; i < r; ++i) {
        m_type s = o[i];
        s += q[i];
        s += q[i + r];
        s += q[i + 2 * r];
        s += q[i + 3 * r];
        s += q[i + 4 * r];
        s += q[i + 5 * r];
        s += q[i + 6 * r];
        s += q[i + 7 * r];
        o[i] = s;
      }
    }
    for (; j < c; ++j) {
      const m_type* col = p + j * r;
      for (std::size_t i = 0; i < r; ++i) o[i] += col[i];
    }
  } else {
    for (std::size_t k = 0; k < r * c; ++k) o[k] = p[k];
  }
}

int dim_of(const Mt& x, const Mt* d, const char* fn) { return d ? dim_arg(*d, fn) : default_dim(x); }

// A reduction of a value of more than two dimensions: f along dim of two-dimensional
// pieces of it.
Mt along1(const Mt& x, int dim, Mt (*f)(const Mt&, const Mt*)) {
  return along(x, dim, [f](const Mt& y, int d) {
    const Mt dm = Mt(m_type(d));
    return std::vector<Mt>{f(y, &dm)};
  })[0];
}

Mt sum_dim(const Mt& x, int dim, bool empty_to_one) {
  std::size_t r, c;
  if (empty_to_one) { r = c = 1; }
  else reduced_shape(x, dim, false, r, c);
  Mt o = Mt::alloc(r, c, x.isc());
  if (empty_to_one) {
    o.pr()[0] = 0;
    if (x.isc()) o.pi()[0] = 0;
    return o;
  }
  sum_part(x.cre(), x.rows(), x.cols(), dim, o.pr());
  if (x.isc()) sum_part(x.cim(), x.rows(), x.cols(), dim, o.pi());
  return narrow(o);
}

Mt sum_of(const Mt& x, const Mt* d) {
  const int dim = dim_of(x, d, "sum");
  if (x.ndims() > 2) return along1(x, dim, sum_of);
  return sum_dim(x, dim, !d && x.rows() == 0 && x.cols() == 0);
}

Mt prod_of(const Mt& x, const Mt* d) {
  const int dim = dim_of(x, d, "prod");
  if (x.ndims() > 2) return along1(x, dim, prod_of);
  const bool empty_to_one = !d && x.rows() == 0 && x.cols() == 0;
  std::size_t r, c;
  if (empty_to_one) r = c = 1;
  else reduced_shape(x, dim, false, r, c);
  const std::size_t xr = x.rows(), xc = x.cols();
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  if (!x.isc()) {
    Mt o = Mt::alloc(r, c);
    m_type* p = o.pr();
    if (empty_to_one) { p[0] = 1; return o; }
    if (dim == 1) {
      for (std::size_t j = 0; j < xc; ++j) {
        m_type s = 1;
        for (std::size_t i = 0; i < xr; ++i) s *= a[i + j * xr];
        p[j] = s;
      }
    } else if (dim == 2) {
      for (std::size_t i = 0; i < xr; ++i) p[i] = 1;
      for (std::size_t j = 0; j < xc; ++j)
        for (std::size_t i = 0; i < xr; ++i) p[i] *= a[i + j * xr];
    } else {
      for (std::size_t k = 0; k < xr * xc; ++k) p[k] = a[k];
    }
    return o;
  }
  std::vector<cplx> acc(r * c, cplx(1, 0));
  if (!empty_to_one)
    for (std::size_t j = 0; j < xc; ++j)
      for (std::size_t i = 0; i < xr; ++i) {
        const std::size_t at = dim == 1 ? j : dim == 2 ? i : i + j * xr;
        acc[at] *= cplx(a[i + j * xr], b[i + j * xr]);
      }
  Mt o = Mt::alloc(r, c, true);
  m_type* pr = o.pr();
  m_type* pi = o.pi();
  for (std::size_t k = 0; k < r * c; ++k) { pr[k] = acc[k].real(); pi[k] = acc[k].imag(); }
  return narrow(o);
}

void cumsum_part(const m_type* p, std::size_t r, std::size_t c, int dim, m_type* o) {
  if (dim == 1) {
    for (std::size_t j = 0; j < c; ++j) {
      const m_type* col = p + j * r;
      m_type* oc = o + j * r;
      m_type s = 0;
      for (std::size_t i = 0; i < r; ++i) oc[i] = s += col[i];
    }
  } else if (dim == 2 && r == 1) {
    m_type s = 0;
    for (std::size_t j = 0; j < c; ++j) o[j] = s += p[j];
  } else if (dim == 2) {
    for (std::size_t i = 0; i < r && c > 0; ++i) o[i] = p[i];
    for (std::size_t j = 1; j < c; ++j) {
      const m_type* col = p + j * r;
      const m_type* prev = o + (j - 1) * r;
      m_type* oc = o + j * r;
      for (std::size_t i = 0; i < r; ++i) oc[i] = prev[i] + col[i];
    }
  } else {
    for (std::size_t k = 0; k < r * c; ++k) o[k] = p[k];
  }
}

Mt cumsum_of(const Mt& x, const Mt* d) {
  const int dim = dim_of(x, d, "cumsum");
  if (x.ndims() > 2) return along1(x, dim, cumsum_of);
  Mt o = Mt::alloc(x.rows(), x.cols(), x.isc());
  cumsum_part(x.cre(), x.rows(), x.cols(), dim, o.pr());
  if (x.isc()) cumsum_part(x.cim(), x.rows(), x.cols(), dim, o.pi());
  return narrow(o);
}

// The mean of no elements is NaN, along whatever dimension.
Mt mean_of(const Mt& x, const Mt* d) {
  const int dim = dim_of(x, d, "mean");
  if (x.ndims() > 2) return along1(x, dim, mean_of);
  const bool empty_to_one = !d && x.rows() == 0 && x.cols() == 0;
  Mt s = sum_dim(x, dim, empty_to_one);
  const std::size_t n = empty_to_one ? 0 : dim == 1 ? x.rows() : dim == 2 ? x.cols() : 1;
  const m_type div = m_type(n);
  m_type* p = s.pr();
  for (std::size_t k = 0; k < s.numel(); ++k) p[k] /= div;
  if (s.isc()) {
    m_type* q = s.pi();
    for (std::size_t k = 0; k < s.numel(); ++k) q[k] /= div;
  }
  return s;
}

// any and all: true where some (every) element of a group is nonzero.
Mt anyall(const Mt& x, const Mt* given, bool is_all, const char* fn) {
  if (given && several_dims(*given)) {
    sizes shape;
    int along = 1;
    const Mt folded = fold_dims(x, *given, fn, shape, along);
    const Mt dim = Mt(m_type(along));
    return unfold_result(anyall(folded, &dim, is_all, fn), shape);
  }
  Mt whole;
  const Mt* d = loose_dim(x, given, fn, whole);
  const int dim = dim_of(x, d, fn);
  if (x.ndims() > 2)
    return along(x, dim, [&](const Mt& y, int k) {
      const Mt dm = Mt(m_type(k));
      return std::vector<Mt>{anyall(y, &dm, is_all, fn)};
    })[0];
  const bool empty_to_one = !d && x.rows() == 0 && x.cols() == 0;
  std::size_t r, c;
  if (empty_to_one) r = c = 1;
  else reduced_shape(x, dim, false, r, c);
  Mt o = Mt::alloc(r, c);
  m_type* p = o.pr();
  const m_type init = is_all ? 1 : 0;
  for (std::size_t k = 0; k < r * c; ++k) p[k] = init;
  const std::size_t xr = x.rows(), xc = x.cols();
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  for (std::size_t j = 0; j < xc; ++j)
    for (std::size_t i = 0; i < xr; ++i) {
      const std::size_t k = i + j * xr;
      // any passes over NaN (either part); for all a NaN is not zero.
      const bool nan = a[k] != a[k] || (b && b[k] != b[k]);
      const bool nz = (a[k] != 0 || (b && b[k] != 0)) && (is_all || !nan);
      const std::size_t at = dim == 1 ? j : dim == 2 ? i : k;
      if (is_all ? !nz : nz) p[at] = 1 - init;
    }
  return logical(o);
}

// --- max and min ------------------------------------------------------------------------

// Complex values compare by magnitude, then by phase angle.
inline bool cgreater(m_type ar, m_type ai, m_type br, m_type bi) {
  const m_type ma = std::hypot(ar, ai), mb = std::hypot(br, bi);
  if (ma != mb) return ma > mb;
  return std::atan2(ai, ar) > std::atan2(bi, br);
}

inline bool isnan_c(const m_type* a, const m_type* b, std::size_t k) {
  return a[k] != a[k] || (b && b[k] != b[k]);
}

// One group of a max/min: n elements at stride s from base. NaN are passed over unless
// every element is NaN; ties keep the first. Returns the winner's position in the group.
std::size_t pick(const m_type* a, const m_type* b, std::size_t base, std::size_t n, std::size_t s,
                 bool want_max) {
  std::size_t best = 0;
  while (best < n && isnan_c(a, b, base + best * s)) ++best;
  if (best == n) return 0;
  if (!b) {
    // Real values: the best so far stays in a register. NaN never compare greater.
    const m_type* p = a + base;
    m_type bv = p[best * s];
    for (std::size_t t = best + 1; t < n; ++t) {
      const m_type v = p[t * s];
      if (want_max ? v > bv : v < bv) { bv = v; best = t; }
    }
    return best;
  }
  for (std::size_t t = best + 1; t < n; ++t) {
    const std::size_t k = base + t * s, kb = base + best * s;
    if (b) {
      if (isnan_c(a, b, k)) continue;
      const bool g = want_max ? cgreater(a[k], b[k], a[kb], b[kb]) : cgreater(a[kb], b[kb], a[k], b[k]);
      if (g) best = t;
    } else if (want_max ? a[k] > a[kb] : a[k] < a[kb]) {
      best = t;
    }
  }
  return best;
}

void extreme(const Mt& x, const Mt* d, bool want_max, Mr<m_type>* m, Mr<m_type>* idx) {
  const char* fn = want_max ? "max" : "min";
  if (d && several_dims(*d)) {
    // Over all elements the index is a linear one; over some dimensions it would be
    // ambiguous, so it is refused.
    if (idx && !d->ischar()) grl_fail("%s: an index output needs a single dimension or 'all'", fn);
    sizes shape;
    int along = 1;
    const Mt folded = fold_dims(x, *d, fn, shape, along);
    const Mt dim = Mt(m_type(along));
    Mt mo, io;
    Mr<m_type> mm(mo), mi(io);
    extreme(folded, &dim, want_max, &mm, idx ? &mi : nullptr);
    if (m) *m = unfold_result(mo, shape);
    if (idx) *idx = unfold_result(io, shape);
    return;
  }
  if (w64::has_exact(x)) {
    // int64/uint64 beyond 2^53 compare by the ranks of their exact values.
    std::vector<std::uint64_t> table;
    Mt mo;
    Mr<m_type> mm(mo);
    extreme(w64::ranks(x, table), d, want_max, &mm, idx);
    w64::unrank(mo, x.num_class(), table);
    if (m) *m = mo;
    return;
  }
  const bool zero_by_zero = !d && x.rows() == 0 && x.cols() == 0;
  const int dim = d ? dim_arg(*d, fn) : default_dim(x);
  if (x.ndims() > 2) {
    std::vector<Mt> o = along(x, dim, [&](const Mt& y, int k) {
      const Mt dm = Mt(m_type(k));
      Mt a, b;
      Mr<m_type> ma(a), mb(b);
      extreme(y, &dm, want_max, &ma, &mb);
      return std::vector<Mt>{a, b};
    });
    if (m) *m = o[0];
    if (idx) *idx = o[1];
    return;
  }
  std::size_t r, c;
  if (zero_by_zero) r = c = 0;
  else reduced_shape(x, dim, true, r, c);
  const std::size_t xr = x.rows(), xc = x.cols();
  const bool cp = x.isc();
  Mt o = Mt::alloc(r, c, cp);
  Mt ix = Mt::alloc(r, c);
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  m_type* po = o.pr();
  m_type* pio = cp ? o.pi() : nullptr;
  m_type* pk = ix.pr();
  const std::size_t groups = r * c;
  for (std::size_t g = 0; g < groups; ++g) {
    std::size_t base, n, s;
    if (dim == 1) { base = g * xr; n = xr; s = 1; }
    else if (dim == 2) { base = g; n = xc; s = xr; }
    else { base = g; n = 1; s = 1; }
    const std::size_t t = pick(a, b, base, n, s, want_max);
    po[g] = a[base + t * s];
    if (cp) pio[g] = b[base + t * s];
    pk[g] = m_type(t + 1);
  }
  if (x.islogical()) o.set_flags(F_LOGICAL);
  keep_class(o, x);
  if (m) *m = narrow(o);
  if (idx) *idx = ix;
}

// max(a,b) and min(a,b): element by element with expansion; a NaN loses to a number.
Mt extreme2(const Mt& a, const Mt& b, bool want_max) {
  const char* fn = want_max ? "max" : "min";
  if ((w64::wide(a) || w64::wide(b)) && !a.isc() && !b.isc()) {
    const mclass c = arith_class(a, b, fn);
    if (w64::wide(c))
      return w64::zip(a, b, c, fn, [want_max, c](w64::ld u, w64::ld v) {
        const bool take_v = u != u || (want_max ? v > u : v < u);
        return w64::bits(take_v ? v : u, c);
      });
  }
  if (!a.isc() && !b.isc()) {
    // Of two equal elements (0 and -0 differ only in sign) the reference keeps b's
    // when a is a scalar, a's otherwise.
    Mt o;
    if (a.numel() == 1)
      o = want_max ? zip_real(a, b, fn, [](m_type u, m_type v) { return (v >= u || u != u) ? v : u; })
                   : zip_real(a, b, fn, [](m_type u, m_type v) { return (v <= u || u != u) ? v : u; });
    else
      o = want_max ? zip_real(a, b, fn, [](m_type u, m_type v) { return (v > u || u != u) ? v : u; })
                   : zip_real(a, b, fn, [](m_type u, m_type v) { return (v < u || u != u) ? v : u; });
    if (a.islogical() && b.islogical()) o.set_flags(F_LOGICAL);
    else if (a.cls_ | b.cls_) apply_class(o, arith_class(a, b, want_max ? "max" : "min"));
    return o;
  }
  std::size_t r, c;
  conform(a, b, fn, r, c);
  Mt o = Mt::alloc(r, c, true);
  m_type* pr = o.pr();
  m_type* pi = o.pi();
  const m_type *ar = a.cre(), *ai = a.cim(), *br = b.cre(), *bi = b.cim();
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) {
      const std::size_t ka = expand_at(a, i, j), kb = expand_at(b, i, j), k = i + j * r;
      const m_type ur = ar[ka], ui = ai ? ai[ka] : 0, vr = br[kb], vi = bi ? bi[kb] : 0;
      const bool unan = ur != ur || ui != ui, vnan = vr != vr || vi != vi;
      bool take_v;
      if (unan || vnan) take_v = unan && !vnan;
      else take_v = want_max ? cgreater(vr, vi, ur, ui) : cgreater(ur, ui, vr, vi);
      pr[k] = take_v ? vr : ur;
      pi[k] = take_v ? vi : ui;
    }
  return narrow(o);
}

const Mt* dim_after_empty(const Mt& none, const Mt& dim, const char* fn) {
  // max(x, y, dim): y is left out, with a warning, and x reduced along dim.
  if (!none.isempty()) grl::warn("", "%s: second argument is ignored", fn);
  return &dim;
}

}  // namespace

namespace {
// Sums of real single data of at most two dimensions are added up in single precision,
// as the class has it (sum(single([1e8 1 -1e8])) is 0); o, the double sums, has the
// result's shape and takes the single ones.
void single_sums(const Mt& x, const Mt* d, bool cumulative, const char* fn, Mt& o) {
  if (x.num_class() != mc_single || x.isc() || x.ndims() > 2 || o.isc()) return;
  const int dim = dim_of(x, d, fn);
  const std::size_t r = x.rows(), c = x.cols();
  if (dim > 2 || x.numel() == 0) return;
  const std::size_t outer = dim == 1 ? c : r, inner = dim == 1 ? r : c;
  const std::size_t step = dim == 1 ? 1 : r, next = dim == 1 ? r : 1;
  if (o.numel() != (cumulative ? x.numel() : outer)) return;
  const m_type* p = x.cre();
  m_type* q = o.pr();
  for (std::size_t k = 0; k < outer; ++k) {
    float acc = 0;
    for (std::size_t t = 0; t < inner; ++t) {
      const std::size_t at = k * next + t * step;
      acc += float(p[at]);
      if (cumulative) q[at] = m_type(acc);
    }
    if (!cumulative) q[k] = m_type(acc);
  }
}

// sum, prod and cumsum with an optional dimension and type argument. 'native' keeps
// the class of x (a logical sum is whether any element is true, a logical product
// whether all are); 'double' gives double also for single; a single x gives single
// otherwise.
Mt typed_reduce(const Mt& x, const Mt* d, const Mt* type, char op, const char* fn, Mt (*usual)(const Mt&, const Mt*)) {
  if (x.holds_cell()) grl_fail("%s: wrong type argument 'cell'", fn);
  if (d && op != 'c' && several_dims(*d)) {
    sizes shape;
    int along = 1;
    const Mt folded = fold_dims(x, *d, fn, shape, along);
    const Mt dim = Mt(m_type(along));
    return unfold_result(typed_reduce(folded, &dim, type, op, fn, usual), shape);
  }
  const int t = type ? type_arg(*type, fn) : int(type_usual);
  if (t == type_native && is_int_class(class_of(x))) return native_reduce(x, d, op, fn);
  Mt o = usual(x, d);
  if (t != type_double && (op == '+' || op == 'c')) single_sums(x, d, op == 'c', fn, o);
  if (t == type_native && x.islogical() && op != 'c') {
    m_type* p = o.numel() ? o.pr() : nullptr;
    for (std::size_t k = 0; k < o.numel(); ++k) p[k] = p[k] != 0 ? 1 : 0;
    o.set_flags(F_LOGICAL);
  }
  if (t != type_double) single_result(o, x);
  return o;
}
// The second argument of sum(x, a): a dimension, or a type when it is text other
// than 'all'.
Mt typed_reduce2(const Mt& x, const Mt& a, char op, const char* fn, Mt (*usual)(const Mt&, const Mt*)) {
  const bool type = a.ischar() && !(op != 'c' && several_dims(a));
  return type ? typed_reduce(x, nullptr, &a, op, fn, usual) : typed_reduce(x, &a, nullptr, op, fn, usual);
}
}  // namespace

Mt sum(const Mt& x) { return typed_reduce(x, nullptr, nullptr, '+', "sum", sum_of); }
Mt sum(const Mt& x, const Mt& dim) { return typed_reduce2(x, dim, '+', "sum", sum_of); }
Mt sum(const Mt& x, const Mt& dim, const Mt& type) { return typed_reduce(x, &dim, &type, '+', "sum", sum_of); }
Mt prod(const Mt& x) { return typed_reduce(x, nullptr, nullptr, '*', "prod", prod_of); }
Mt prod(const Mt& x, const Mt& dim) { return typed_reduce2(x, dim, '*', "prod", prod_of); }
Mt prod(const Mt& x, const Mt& dim, const Mt& type) { return typed_reduce(x, &dim, &type, '*', "prod", prod_of); }
Mt cumsum(const Mt& x) { return typed_reduce(x, nullptr, nullptr, 'c', "cumsum", cumsum_of); }
Mt cumsum(const Mt& x, const Mt& dim) { return typed_reduce2(x, dim, 'c', "cumsum", cumsum_of); }
Mt cumsum(const Mt& x, const Mt& dim, const Mt& type) {
  return typed_reduce(x, &dim, &type, 'c', "cumsum", cumsum_of);
}
Mt mean(const Mt& x) {
  if (x.holds_cell()) grl_fail("mean: X must be a numeric vector or matrix");
  Mt o = mean_of(x, nullptr);
  single_result(o, x);
  return o;
}
Mt mean(const Mt& x, const Mt& dim) {
  if (x.holds_cell()) grl_fail("mean: X must be a numeric vector or matrix");
  if (several_dims(dim)) {
    sizes shape;
    int along = 1;
    const Mt folded = fold_dims(x, dim, "mean", shape, along);
    return unfold_result(mean(folded, Mt(m_type(along))), shape);
  }
  Mt o = mean_of(x, &dim);
  single_result(o, x);
  return o;
}
Mt any(const Mt& x) { return anyall(x, nullptr, false, "any"); }
Mt any(const Mt& x, const Mt& dim) { return anyall(x, &dim, false, "any"); }
Mt all(const Mt& x) { return anyall(x, nullptr, true, "all"); }
Mt all(const Mt& x, const Mt& dim) { return anyall(x, &dim, true, "all"); }

#define GRL_EXTREME(F, WANT)                                                               \
  Mt F(const Mt& x) { Mt m; Mr<m_type> o(m); extreme(x, nullptr, WANT, &o, nullptr); return m; } \
  Mt F(const Mt& a, const Mt& b) { return extreme2(a, b, WANT); }                          \
  Mt F(const Mt& x, const Mt& none, const Mt& dim) {                                       \
    Mt m; Mr<m_type> o(m);                                                                 \
    extreme(x, dim_after_empty(none, dim, #F), WANT, &o, nullptr);                         \
    return m;                                                                              \
  }                                                                                        \
  void F(const Mt& x, i_o_t, Mr<m_type> m) { extreme(x, nullptr, WANT, &m, nullptr); }     \
  void F(const Mt& x, i_o_t, Mr<m_type> m, Mr<m_type> k) { extreme(x, nullptr, WANT, &m, &k); } \
  void F(const Mt& a, const Mt& b, i_o_t, Mr<m_type> m) { m = extreme2(a, b, WANT); }      \
  void F(const Mt&, const Mt&, i_o_t, Mr<m_type>, Mr<m_type>) {                            \
    grl_fail("%s: two output arguments are not supported for two input arrays", #F);       \
  }                                                                                        \
  void F(const Mt& x, const Mt& none, const Mt& dim, i_o_t, Mr<m_type> m) {                \
    extreme(x, dim_after_empty(none, dim, #F), WANT, &m, nullptr);                         \
  }                                                                                        \
  void F(const Mt& x, const Mt& none, const Mt& dim, i_o_t, Mr<m_type> m, Mr<m_type> k) {  \
    extreme(x, dim_after_empty(none, dim, #F), WANT, &m, &k);                              \
  }                                                                                        \
  Mt F(const Mc&) { wrong_type_cell(#F); }                                                 \
  Mt F(const Mc&, const Mt&) { wrong_type_cell(#F); }                                      \
  Mt F(const Mt&, const Mc&) { wrong_type_cell(#F); }                                      \
  Mt F(const Mc&, const Mc&) { wrong_type_cell(#F); }
GRL_EXTREME(max, true)
GRL_EXTREME(min, false)
#undef GRL_EXTREME

Mt range(const Mt& x) { return max(x) - min(x); }
Mt range(const Mt& x, const Mt& dim) {
  const Mt none;
  return max(x, none, dim) - min(x, none, dim);
}

Mt sum(const Mc&) { wrong_type_cell("sum"); }
Mt prod(const Mc&) { wrong_type_cell("prod"); }
Mt cumsum(const Mc&) { wrong_type_cell("cumsum"); }
Mt mean(const Mc&) { grl_fail("mean: X must be a numeric vector or matrix"); }
Mt any(const Mc&) { wrong_type_cell("any"); }
Mt all(const Mc&) { wrong_type_cell("all"); }
