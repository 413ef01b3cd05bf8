// gradient and del2: first and second differences of sampled values along each
// dimension, with a uniform step or the coordinates of the samples.
//
// Directions are numbered as the outputs of gradient: x along the columns (dimension
// 2), y down the rows (dimension 1), then z along the pages (dimension 3) and so on;
// a column vector has its one direction down the rows.
#include <cstddef>
#include <vector>

#include "math_util.h"

using namespace grl;
using namespace grl::mth;

namespace {

// The sample positions along one direction: a scalar step (uniform), or coordinates.
struct spacing {
  bool uniform = true;
  m_type step = 1;
  std::vector<m_type> at;  // coordinates when not uniform
};

// Spacing argument h for n samples: a scalar step or a vector of n coordinates.
spacing spacing_of(const Mt* h, std::size_t n, const char* fn) {
  spacing s;
  // Along an extent of 1 nothing is differenced: the one spacing given for a vector's
  // direction is not checked against the other.
  if (!h || n <= 1) return s;
  if (class_of(*h) >= mc_cell || h->holds_cell() || h->holds_struct() || h->isc())
    grl_fail("%s: spacing values must be real numbers", fn);
  if (h->numel() == 1) {
    s.step = h->cre()[0];
    return s;
  }
  const bool vector = h->ndims() <= 2 && (h->rows() == 1 || h->cols() == 1);
  if (!vector || h->numel() != n)
    grl_fail("%s: a spacing must be a scalar or a vector of %zu coordinates", fn, n);
  s.uniform = false;
  s.at.assign(h->cre(), h->cre() + n);
  return s;
}

// The dimension (from 1) of direction k (from 0) of f.
int dim_of_direction(const Mt& f, std::size_t k) {
  const bool column = f.ndims() <= 2 && f.cols() == 1 && f.rows() != 1;
  if (k == 0) return column ? 1 : 2;
  if (k == 1) return column ? 2 : 1;
  return int(k + 1);
}

// The directions f has: 2 for vectors and matrices, else its dimensions.
std::size_t directions(const Mt& f) { return f.ndims() < 2 ? 2 : f.ndims(); }

void check_values(const Mt& f, const char* fn) {
  if (class_of(f) > mc_uint64 || f.holds_cell() || f.holds_struct())
    grl_fail("%s: first input must be an array or a function", fn);
}

// The spacing argument of direction k: none, the one given for all, or the k-th.
const Mt* spacing_arg(const std::vector<const Mt*>& h, std::size_t k) {
  if (h.empty()) return nullptr;
  if (h.size() == 1) return h[0];
  return k < h.size() ? h[k] : nullptr;
}

// First differences of one part p of f along dimension d into o: central inside,
// one-sided at the two ends, 0 along an extent of 1.
void first_diff(const Mt& f, const m_type* p, int d, const spacing& s, m_type* o) {
  const groups_of g(f, d);
  const std::size_t n = g.n, st = g.stride;
  for (std::size_t q = 0; q < g.count; ++q) {
    const std::size_t b = g.base(q);
    const m_type* v = p + b;
    m_type* w = o + b;
    if (n == 1) { w[0] = 0; continue; }
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t lo = i == 0 ? 0 : i - 1, hi = i + 1 == n ? i : i + 1;
      const m_type span = s.uniform ? s.step * m_type(hi - lo) : s.at[hi] - s.at[lo];
      w[i * st] = (v[hi * st] - v[lo * st]) / span;
    }
  }
}

// Second differences of one part p of f along dimension d added into o; extents
// below 3 add nothing. The ends continue the inner values linearly (with three
// samples, the one inner value).
void add_second_diff(const Mt& f, const m_type* p, int d, const spacing& s, m_type* o) {
  const groups_of g(f, d);
  const std::size_t n = g.n, st = g.stride;
  if (n < 3) return;
  std::vector<m_type> dd(n);
  for (std::size_t q = 0; q < g.count; ++q) {
    const std::size_t b = g.base(q);
    const m_type* v = p + b;
    for (std::size_t i = 1; i + 1 < n; ++i) {
      const m_type a = v[(i - 1) * st], c = v[i * st], e = v[(i + 1) * st];
      if (s.uniform) {
        dd[i] = ((e - c) - (c - a)) / (s.step * s.step);
      } else {
        const m_type h1 = s.at[i] - s.at[i - 1], h2 = s.at[i + 1] - s.at[i];
        dd[i] = ((e - c) / h2 - (c - a) / h1) * 2 / (h1 + h2);
      }
    }
    if (n == 3) {
      dd[0] = dd[2] = dd[1];
    } else if (s.uniform) {
      dd[0] = 2 * dd[1] - dd[2];
      dd[n - 1] = 2 * dd[n - 2] - dd[n - 3];
    } else {
      const std::vector<m_type>& x = s.at;
      dd[0] = dd[1] + (dd[1] - dd[2]) * (x[0] - x[1]) / (x[1] - x[2]);
      dd[n - 1] = dd[n - 2] + (dd[n - 2] - dd[n - 3]) * (x[n - 1] - x[n - 2]) / (x[n - 2] - x[n - 3]);
    }
    for (std::size_t i = 0; i < n; ++i) o[b + i * st] += dd[i];
  }
}

// A result of f's shape and class from its double parts.
Mt finish(Mt o, const Mt& f) {
  o = narrow(std::move(o));
  const mclass c = class_of(f);
  if (c != mc_double) apply_class(o, c);
  return o;
}

Mt shaped_like(const Mt& f, bool zero) {
  Mt o = Mt::alloc(f.rows(), f.cols(), f.isc());
  o.same_shape(f);
  if (zero) {
    for (std::size_t k = 0; k < o.numel(); ++k) o.pr()[k] = 0;
    if (o.isc())
      for (std::size_t k = 0; k < o.numel(); ++k) o.pi()[k] = 0;
  }
  return o;
}

void gradient_n(const Mt& f, const std::vector<const Mt*>& h, const std::vector<Mr<m_type>*>& outs) {
  check_values(f, "gradient");
  const std::size_t nd = directions(f);
  if (h.size() > nd) grl_fail("Invalid call to gradient");
  if (outs.size() > nd) grl_fail("some elements undefined in return list");
  for (std::size_t k = 0; k < outs.size(); ++k) {
    const int d = dim_of_direction(f, k);
    const spacing s = spacing_of(spacing_arg(h, k), f.extent(std::size_t(d - 1)), "gradient");
    Mt o = shaped_like(f, false);
    if (f.numel()) {
      first_diff(f, f.cre(), d, s, o.pr());
      if (f.isc()) first_diff(f, f.cim(), d, s, o.pi());
    }
    *outs[k] = finish(std::move(o), f);
  }
}

Mt del2_n(const Mt& f, const std::vector<const Mt*>& h) {
  check_values(f, "del2");
  const std::size_t nd = directions(f);
  if (h.size() > nd) grl_fail("Invalid call to del2");
  Mt o = shaped_like(f, true);
  for (std::size_t k = 0; k < nd && f.numel(); ++k) {
    const int d = dim_of_direction(f, k);
    const spacing s = spacing_of(spacing_arg(h, k), f.extent(std::size_t(d - 1)), "del2");
    add_second_diff(f, f.cre(), d, s, o.pr());
    if (f.isc()) add_second_diff(f, f.cim(), d, s, o.pi());
  }
  const m_type div = m_type(2 * nd);
  for (std::size_t k = 0; k < o.numel(); ++k) o.pr()[k] /= div;
  if (o.isc())
    for (std::size_t k = 0; k < o.numel(); ++k) o.pi()[k] /= div;
  return finish(std::move(o), f);
}

Mt gradient1(const Mt& f, const std::vector<const Mt*>& h) {
  Mt a;
  Mr<m_type> ra(a);
  gradient_n(f, h, {&ra});
  return a;
}

void gradient3(const Mt& f, const std::vector<const Mt*>& h, Mr<m_type>& a, Mr<m_type>& b, Mr<m_type>& c) {
  // Outputs left out with ~ are still counted: [~, gy] = gradient(f) asks for two.
  std::vector<Mr<m_type>*> outs{&a};
  if (b.given() || c.given()) outs.push_back(&b);
  if (c.given()) outs.push_back(&c);
  gradient_n(f, h, outs);
}

}  // namespace

Mt gradient(const Mt& f) { return gradient1(f, {}); }
Mt gradient(const Mt& f, const Mt& h) { return gradient1(f, {&h}); }
Mt gradient(const Mt& f, const Mt& hx, const Mt& hy) { return gradient1(f, {&hx, &hy}); }
Mt gradient(const Mt& f, const Mt& hx, const Mt& hy, const Mt& hz) { return gradient1(f, {&hx, &hy, &hz}); }
void gradient(const Mt& f, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c) { gradient3(f, {}, a, b, c); }
void gradient(const Mt& f, const Mt& h, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c) {
  gradient3(f, {&h}, a, b, c);
}
void gradient(const Mt& f, const Mt& hx, const Mt& hy, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c) {
  gradient3(f, {&hx, &hy}, a, b, c);
}
void gradient(const Mt& f, const Mt& hx, const Mt& hy, const Mt& hz, i_o_t, Mr<m_type> a, Mr<m_type> b,
              Mr<m_type> c) {
  gradient3(f, {&hx, &hy, &hz}, a, b, c);
}

Mt del2(const Mt& f) { return del2_n(f, {}); }
Mt del2(const Mt& f, const Mt& h) { return del2_n(f, {&h}); }
Mt del2(const Mt& f, const Mt& hx, const Mt& hy) { return del2_n(f, {&hx, &hy}); }
Mt del2(const Mt& f, const Mt& hx, const Mt& hy, const Mt& hz) { return del2_n(f, {&hx, &hy, &hz}); }
