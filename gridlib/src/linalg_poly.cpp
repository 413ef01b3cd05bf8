// Polynomials (polyfit, polyval, roots, conv, deconv), the recursive filter, 1-D
// interpolation and trapezoidal integration.
#include "linalg_lapack.h"
#include "poly_slopes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>

namespace grl {
namespace la {
namespace {

inline C at(const Mt& m, std::size_t k) { return C(m.cre()[k], m.cim() ? m.cim()[k] : T(0)); }
T nan_of() { return std::numeric_limits<T>::quiet_NaN(); }

bool is_vec(const Mt& a) { return a.rows() == 1 || a.cols() == 1 || a.isempty(); }

std::vector<C> cvec(const Mt& a) { return zbuf(a); }

Mt vec_out(const std::vector<C>& v, bool row) {
  return from_z(row ? 1 : v.size(), row ? v.size() : 1, v.data());
}

std::string text_of(const Mt& s) {
  std::string w;
  for (std::size_t k = 0; k < s.numel(); ++k) w += char(std::tolower(int(s.cre()[k])));
  return w;
}

// The lines of a value along dimension dim (1 columns, 2 rows, 3 pages' tubes, ...):
// count lines of len elements, stride apart; stride is the product of the extents
// before dim.
struct lines_t {
  std::size_t len, count, stride;
  std::size_t at(std::size_t line, std::size_t i) const {
    return (line % stride) + (line / stride) * stride * len + i * stride;
  }
};
lines_t lines_of(const Mt& a, int dim) {
  std::size_t before = 1;
  for (int k = 0; k + 1 < dim; ++k) before *= a.extent(std::size_t(k));
  std::size_t after = 1;
  for (std::size_t k = std::size_t(dim); k < a.ndims(); ++k) after *= a.extent(k);
  return {a.extent(std::size_t(dim - 1)), before * after, before};
}
// The first extent that is not 1 (1 when there is none).
int first_dim(const Mt& a) {
  for (std::size_t k = 0; k < a.ndims(); ++k)
    if (a.extent(k) != 1) return int(k) + 1;
  return 1;
}

int dim_arg(const Mt& d, const char* fn) {
  if (d.numel() != 1 || !(d.cre()[0] >= 1) || d.cre()[0] != std::floor(d.cre()[0]) || d.cre()[0] > 64)
    grl_fail("%s: DIM must be a valid dimension", fn);
  return int(d.cre()[0]);
}

std::vector<C> conv_full(const std::vector<C>& a, const std::vector<C>& b) {
  if (a.empty() || b.empty()) return {};
  std::vector<C> y(a.size() + b.size() - 1, C(0));
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; j < b.size(); ++j) y[i + j] += a[i] * b[j];
  return y;
}

// Direct form II transposed over one line; z holds n-1 states, updated in place.
void filter_line(const std::vector<C>& b, const std::vector<C>& a, const C* x, C* y, std::size_t len,
                 std::vector<C>& z) {
  std::size_t n = z.size() + 1;
  for (std::size_t k = 0; k < len; ++k) {
    C xk = x[k];
    C yk = b[0] * xk + (n > 1 ? z[0] : C(0));
    for (std::size_t i = 0; i + 1 < n; ++i) {
      C next = i + 2 < n ? z[i + 1] : C(0);
      z[i] = b[i + 1] * xk + next - a[i + 1] * yk;
    }
    y[k] = yk;
  }
}

void filter_all(const Mt& bm, const Mt& am, const Mt& x, const Mt* zi, Mt* yo, Mt* zfo) {
  if (!is_vec(bm) || !is_vec(am) || bm.isempty() || am.isempty())
    grl_fail("filter: A and B must be vectors");
  std::vector<C> b = cvec(bm), a = cvec(am);
  if (a[0] == C(0)) grl_fail("filter: a(1) must be nonzero");
  std::size_t n = std::max(a.size(), b.size());
  b.resize(n, C(0));
  a.resize(n, C(0));
  C a0 = a[0];
  for (auto& v : b) v /= a0;
  for (auto& v : a) v /= a0;
  int dim = first_dim(x);
  lines_t L = lines_of(x, dim);
  std::vector<C> xv = zbuf(x), yv(xv.size());
  std::vector<C> zall((n - 1) * L.count, C(0));
  if (zi && !zi->isempty()) {
    if (zi->numel() != (n - 1) * L.count)
      grl_fail("filter: first dimension of SI must be of length max (length (a), length (b)) - 1");
    zall = zbuf(*zi);
  }
  std::vector<C> xl(L.len), yl(L.len), z(n - 1);
  for (std::size_t l = 0; l < L.count; ++l) {
    for (std::size_t i = 0; i < L.len; ++i) xl[i] = xv[L.at(l, i)];
    std::copy(zall.begin() + std::ptrdiff_t(l * (n - 1)), zall.begin() + std::ptrdiff_t((l + 1) * (n - 1)), z.begin());
    filter_line(b, a, xl.data(), yl.data(), L.len, z);
    for (std::size_t i = 0; i < L.len; ++i) yv[L.at(l, i)] = yl[i];
    std::copy(z.begin(), z.end(), zall.begin() + std::ptrdiff_t(l * (n - 1)));
  }
  *yo = from_z(x.rows(), x.cols(), yv.data());
  yo->set_shape(x.shape());
  if (zfo) *zfo = from_z(n - 1, L.count, zall.data());
}

// Slopes of the not-a-knot cubic spline through (x, y), by a tridiagonal solve.
std::vector<T> spline_slopes(const std::vector<T>& x, const std::vector<T>& y) {
  std::size_t n = x.size();
  std::vector<T> h(n - 1), d(n - 1), s(n);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    h[i] = x[i + 1] - x[i];
    d[i] = (y[i + 1] - y[i]) / h[i];
  }
  if (n == 2) { s[0] = s[1] = d[0]; return s; }
  if (n == 3) {
    // One parabola through the three points.
    T c2 = (d[1] - d[0]) / (x[2] - x[0]);
    s[0] = d[0] - c2 * h[0];
    s[1] = d[0] + c2 * h[0];
    s[2] = d[1] + c2 * h[1];
    return s;
  }
  std::vector<T> lo(n, 0), di(n, 0), up(n, 0), r(n, 0);
  di[0] = h[1];
  up[0] = h[0] + h[1];
  r[0] = ((h[0] + 2 * up[0]) * h[1] * d[0] + h[0] * h[0] * d[1]) / up[0];
  for (std::size_t i = 1; i + 1 < n; ++i) {
    lo[i] = h[i];
    di[i] = 2 * (h[i - 1] + h[i]);
    up[i] = h[i - 1];
    r[i] = 3 * (h[i] * d[i - 1] + h[i - 1] * d[i]);
  }
  T hs = h[n - 2] + h[n - 3];
  lo[n - 1] = hs;
  di[n - 1] = h[n - 3];
  r[n - 1] = (h[n - 2] * h[n - 2] * d[n - 3] + (2 * hs + h[n - 2]) * h[n - 3] * d[n - 2]) / hs;
  for (std::size_t i = 1; i < n; ++i) {
    T w = lo[i] / di[i - 1];
    di[i] -= w * up[i - 1];
    r[i] -= w * r[i - 1];
  }
  s[n - 1] = r[n - 1] / di[n - 1];
  for (std::size_t i = n - 1; i-- > 0;) s[i] = (r[i] - up[i] * s[i + 1]) / di[i];
  return s;
}

// Slopes of the cubic spline through (x, y) with the end slopes given (clamped).
std::vector<T> clamped_slopes(const std::vector<T>& x, const std::vector<T>& y, T first, T last) {
  const std::size_t n = x.size();
  std::vector<T> s(n);
  s[0] = first;
  s[n - 1] = last;
  if (n == 2) return s;
  std::vector<T> h(n - 1), d(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    h[i] = x[i + 1] - x[i];
    d[i] = (y[i + 1] - y[i]) / h[i];
  }
  // The interior slopes: h[i] s[i-1] + 2 (h[i-1] + h[i]) s[i] + h[i-1] s[i+1] = r[i].
  const std::size_t m = n - 2;
  std::vector<T> lo(m), di(m), up(m), r(m);
  for (std::size_t k = 0; k < m; ++k) {
    const std::size_t i = k + 1;
    lo[k] = h[i];
    di[k] = 2 * (h[i - 1] + h[i]);
    up[k] = h[i - 1];
    r[k] = 3 * (h[i] * d[i - 1] + h[i - 1] * d[i]);
  }
  r[0] -= lo[0] * first;
  r[m - 1] -= up[m - 1] * last;
  for (std::size_t k = 1; k < m; ++k) {
    const T w = lo[k] / di[k - 1];
    di[k] -= w * up[k - 1];
    r[k] -= w * r[k - 1];
  }
  s[m] = r[m - 1] / di[m - 1];
  for (std::size_t k = m - 1; k-- > 0;) s[k + 1] = (r[k] - up[k] * s[k + 2]) / di[k];
  return s;
}

// Slopes of the shape-preserving piecewise cubic (pchip): zero at a local extremum,
// a weighted harmonic mean of the neighbouring differences elsewhere, and a
// three-point estimate kept monotone at the ends.
std::vector<T> pchip_slopes(const std::vector<T>& x, const std::vector<T>& y) {
  const std::size_t n = x.size();
  std::vector<T> h(n - 1), d(n - 1), s(n);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    h[i] = x[i + 1] - x[i];
    d[i] = (y[i + 1] - y[i]) / h[i];
  }
  if (n == 2) { s[0] = s[1] = d[0]; return s; }
  auto sign = [](T v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
  for (std::size_t k = 1; k + 1 < n; ++k) {
    if (sign(d[k - 1]) * sign(d[k]) <= 0) { s[k] = 0; continue; }
    const T w1 = 2 * h[k] + h[k - 1], w2 = h[k] + 2 * h[k - 1];
    s[k] = (w1 + w2) / (w1 / d[k - 1] + w2 / d[k]);
  }
  auto end = [&](T h0, T h1, T d0, T d1) {
    T v = ((2 * h0 + h1) * d0 - h0 * d1) / (h0 + h1);
    if (sign(v) != sign(d0)) v = 0;
    else if (sign(d0) != sign(d1) && std::abs(v) > std::abs(3 * d0)) v = 3 * d0;
    return v;
  };
  s[0] = end(h[0], h[1], d[0], d[1]);
  s[n - 1] = end(h[n - 2], h[n - 3], d[n - 2], d[n - 3]);
  return s;
}

// Integration along a dimension; cumulative keeps every partial sum.
Mt trapz_along(const Mt* xs, const Mt& y, int dim, bool cumulative, const char* fn) {
  lines_t L = lines_of(y, dim);
  std::vector<T> dx;
  bool spacing = false;
  T h = 1;
  if (xs) {
    if (xs->numel() == 1) { h = xs->cre()[0]; spacing = true; }
    else if (is_vec(*xs) && xs->numel() == L.len) {
      for (std::size_t i = 0; i + 1 < L.len; ++i) dx.push_back(xs->cre()[i + 1] - xs->cre()[i]);
    } else {
      grl_fail("%s: length of X and length of Y along DIM must match", fn);
    }
  } else {
    spacing = true;
  }
  std::vector<C> yv = zbuf(y);
  // The result has y's shape, or y's with extent dim 1; line l is its element l.
  grl::sizes shape = y.shape();
  if (!cumulative && std::size_t(dim) <= shape.size()) shape[std::size_t(dim) - 1] = 1;
  std::size_t outr = shape[0], outc = 1;
  for (std::size_t k = 1; k < shape.size(); ++k) outc *= shape[k];
  std::vector<C> out(outr * outc, C(0));
  for (std::size_t l = 0; l < L.count; ++l) {
    C acc(0);
    if (cumulative && L.len) out[L.at(l, 0)] = C(0);
    for (std::size_t i = 0; i + 1 < L.len; ++i) {
      T w = spacing ? h : dx[i];
      acc += w * (yv[L.at(l, i)] + yv[L.at(l, i + 1)]) / T(2);
      if (cumulative) out[L.at(l, i + 1)] = acc;
    }
    if (!cumulative) out[l] = acc;
  }
  Mt o = from_z(outr, outc, out.data());
  o.set_shape(shape);
  return o;
}

// Columns x.^deg ... x.^0 of the values of x.
Mt vander_of(const Mt& x, std::size_t deg) {
  const std::size_t m = x.numel();
  Mt a = Mt::alloc(m, deg + 1);
  for (std::size_t i = 0; i < m; ++i) {
    T v = 1;
    for (std::size_t j = deg + 1; j-- > 0;) {
      a.pr()[i + j * m] = v;
      v *= x.cre()[i];
    }
  }
  return a;
}

}  // namespace

// The slopes at the points for the piecewise cubics of spline and pchip (x increasing).
std::vector<T> cubic_slopes(const std::vector<T>& x, const std::vector<T>& y, bool shape_preserving) {
  return shape_preserving ? pchip_slopes(x, y) : spline_slopes(x, y);
}
std::vector<T> cubic_slopes_clamped(const std::vector<T>& x, const std::vector<T>& y, T first, T last) {
  return clamped_slopes(x, y, first, last);
}
}  // namespace la
}  // namespace grl

using namespace grl::la;

Mt polyval(const Mt& p, const Mt& x) {
  if (!is_vec(p)) grl_fail("polyval: P must be a numeric floating point vector");
  std::vector<C> pc = cvec(p), xv = zbuf(x), y(xv.size(), C(0));
  for (std::size_t k = 0; k < xv.size(); ++k) {
    C acc(0);
    for (const C& c : pc) acc = acc * xv[k] + c;
    y[k] = acc;
  }
  return from_z(x.rows(), x.cols(), y.data());
}

Mt polyfit(const Mt& x, const Mt& y, const Mt& n) {
  if (!is_vec(x) || !is_vec(y) || x.numel() != y.numel())
    grl_fail("polyfit: X and Y must be vectors of the same size");
  if (n.numel() != 1 || !(n.cre()[0] >= 0) || n.cre()[0] != std::floor(n.cre()[0]))
    grl_fail("polyfit: N must be a non-negative integer");
  std::size_t m = x.numel(), deg = std::size_t(n.cre()[0]);
  // Columns x.^deg ... x.^0, solved through an economy QR as least squares.
  Mt a = vander_of(x, deg);
  Mt yc = y;
  yc.reshape_to(m, 1);
  Mt q, r;
  qr(a, Mt(T(0)), i_o, q, r);
  Mt p = grl::mldivide(r, grl::mtimes(grl::ctranspose(q), yc));
  return grl::transpose(p);
}

Mt roots(const Mt& p) {
  if (!is_vec(p)) grl_fail("roots: input must be a vector");
  std::vector<C> v = cvec(p);
  for (const C& c : v)
    if (!std::isfinite(c.real()) || !std::isfinite(c.imag())) grl_fail("roots: inputs must not contain Inf or NaN");
  std::size_t first = 0, last = v.size();
  while (first < last && v[first] == C(0)) ++first;
  while (last > first && v[last - 1] == C(0)) --last;
  if (first == last) return Mt::zeros(0, 0);
  std::size_t zeros_at_end = v.size() - last, n = last - first;
  std::vector<C> r;
  if (n > 1) {
    // The companion matrix: its eigenvalues are the roots.
    std::size_t k = n - 1;
    std::vector<C> cm(k * k, C(0));
    for (std::size_t j = 0; j < k; ++j) cm[0 + j * k] = -v[first + j + 1] / v[first];
    for (std::size_t i = 1; i < k; ++i) cm[i + (i - 1) * k] = C(1);
    Mt e = eig(from_z(k, k, cm.data()));
    r = zbuf(e);
  }
  r.resize(r.size() + zeros_at_end, C(0));
  return vec_out(r, false);
}

Mt conv(const Mt& a, const Mt& b) {
  if (!is_vec(a) || !is_vec(b)) grl_fail("conv: both arguments A and B must be vectors");
  std::vector<C> y = conv_full(cvec(a), cvec(b));
  // The longer operand gives the orientation; on a tie the second.
  const Mt& shape = a.numel() > b.numel() ? a : b;
  return vec_out(y, shape.rows() == 1);
}

Mt conv(const Mt& a, const Mt& b, const Mt& shape) {
  std::string s = text_of(shape);
  Mt full = conv(a, b);
  if (s == "full") return full;
  std::size_t la = a.numel(), lb = b.numel();
  std::size_t start, len;
  if (s == "same") {
    start = lb / 2;
    len = la;
  } else if (s == "valid") {
    len = la >= lb && lb > 0 ? la - lb + 1 : 0;
    start = lb ? lb - 1 : 0;
  } else {
    grl_fail("conv: SHAPE type not valid");
  }
  std::vector<C> fv = zbuf(full), out;
  for (std::size_t k = 0; k < len && start + k < fv.size(); ++k) out.push_back(fv[start + k]);
  bool row = full.rows() == 1;
  if (s == "valid" && len == 0) return Mt::zeros(row ? 1 : 0, row ? 0 : 1);
  return vec_out(out, row);
}

void deconv(const Mt& y, const Mt& a, i_o_t, Mr<m_type> bo, Mr<m_type> ro) {
  if (!is_vec(y) || !is_vec(a)) grl_fail("deconv: Y and A must be vectors");
  std::vector<C> yv = cvec(y), av = cvec(a);
  if (av.empty() || av[0] == C(0)) grl_fail("deconv: divisor cannot be zero");
  bool row = y.rows() == 1;
  if (yv.size() < av.size()) {
    bo = Mt(T(0));
    ro = y;
    return;
  }
  std::size_t lb = yv.size() - av.size() + 1;
  std::vector<C> rem = yv, b(lb);
  for (std::size_t i = 0; i < lb; ++i) {
    b[i] = rem[i] / av[0];
    for (std::size_t j = 0; j < av.size(); ++j) rem[i + j] -= b[i] * av[j];
  }
  // The remainder as y - conv(a, b), the length of y.
  std::vector<C> c = conv_full(av, b), r(yv.size());
  for (std::size_t k = 0; k < yv.size(); ++k) r[k] = yv[k] - (k < c.size() ? c[k] : C(0));
  bo = vec_out(b, row);
  ro = from_z(y.rows(), y.cols(), r.data());
}

void deconv(const Mt& y, const Mt& a, i_o_t, Mr<m_type> b) {
  Mt r;
  deconv(y, a, i_o, b, r);
}

Mt deconv(const Mt& y, const Mt& a) {
  Mt b, r;
  deconv(y, a, i_o, b, r);
  return b;
}

Mt filter(const Mt& b, const Mt& a, const Mt& x) {
  Mt y;
  filter_all(b, a, x, nullptr, &y, nullptr);
  return y;
}

Mt filter(const Mt& b, const Mt& a, const Mt& x, const Mt& zi) {
  Mt y;
  filter_all(b, a, x, &zi, &y, nullptr);
  return y;
}

void filter(const Mt& b, const Mt& a, const Mt& x, i_o_t, Mr<m_type> y) { y = filter(b, a, x); }

void filter(const Mt& b, const Mt& a, const Mt& x, i_o_t, Mr<m_type> y, Mr<m_type> zf) {
  Mt yy, zz;
  filter_all(b, a, x, nullptr, &yy, &zz);
  y = yy;
  zf = zz;
}

void filter(const Mt& b, const Mt& a, const Mt& x, const Mt& zi, i_o_t, Mr<m_type> y) { y = filter(b, a, x, zi); }

void filter(const Mt& b, const Mt& a, const Mt& x, const Mt& zi, i_o_t, Mr<m_type> y, Mr<m_type> zf) {
  Mt yy, zz;
  filter_all(b, a, x, &zi, &yy, &zz);
  y = yy;
  zf = zz;
}

namespace {

// The piecewise interpolant of one column of values at the points xi.
struct interp_col {
  std::string method;
  std::vector<T> xs, ys, slopes;
  bool extrap;
  T fill;
  T at(T v) const {
    const std::size_t n = xs.size();
    if (v != v) return nan_of();
    if ((v < xs[0] || v > xs[n - 1]) && !extrap) return fill;
    std::size_t i = std::size_t(std::upper_bound(xs.begin(), xs.end(), v) - xs.begin());
    i = i == 0 ? 0 : std::min(i - 1, n - 2);
    const T h = xs[i + 1] - xs[i], t = v - xs[i];
    if (method == "linear") return ys[i] + (ys[i + 1] - ys[i]) * (t / h);
    if (method == "nearest") {
      if (v < xs[0]) return ys[0];
      if (v > xs[n - 1]) return ys[n - 1];
      return (t < h / 2) ? ys[i] : ys[i + 1];
    }
    // Outside the points (only when extrapolating) the nearest end value.
    if (method == "previous") return v < xs[0] ? ys[0] : v >= xs[i + 1] ? ys[i + 1] : ys[i];
    if (method == "next") return v > xs[n - 1] ? ys[n - 1] : v <= xs[i] ? ys[i] : ys[i + 1];
    // A cubic in Hermite form: the values and slopes at both ends of the interval.
    const T d = (ys[i + 1] - ys[i]) / h;
    const T c2 = (3 * d - 2 * slopes[i] - slopes[i + 1]) / h;
    const T c3 = (slopes[i] + slopes[i + 1] - 2 * d) / (h * h);
    return ys[i] + t * (slopes[i] + t * (c2 + t * c3));
  }
};

// The points in increasing order with their values (one column of y).
void sorted_points(const Mt& x, const Mt& y, std::size_t col, const char* who, interp_col& c) {
  const std::size_t n = x.numel();
  std::vector<std::size_t> ord(n);
  std::iota(ord.begin(), ord.end(), 0);
  std::stable_sort(ord.begin(), ord.end(), [&](std::size_t i, std::size_t j) { return x.cre()[i] < x.cre()[j]; });
  c.xs.resize(n);
  c.ys.resize(n);
  for (std::size_t k = 0; k < n; ++k) {
    c.xs[k] = x.cre()[ord[k]];
    c.ys[k] = y.cre()[col * n + ord[k]];
  }
  for (std::size_t k = 0; k + 1 < n; ++k)
    if (c.xs[k] == c.xs[k + 1]) grl_fail("%s: X must be strictly monotonic", who);
}

}  // namespace

Mt interp1(const Mt& x, const Mt& y, const Mt& xi, const Mt& method, const Mt& extrap) {
  std::string m = method.isempty() ? "linear" : text_of(method);
  if (!m.empty() && m[0] == '*') m.erase(0, 1);
  for (char& ch : m) ch = char(std::tolower((unsigned char)ch));
  if (m == "cubic") m = "pchip";
  if (m != "linear" && m != "nearest" && m != "spline" && m != "previous" && m != "next" && m != "pchip")
    grl_fail("interp1: invalid METHOD '%s'", m.c_str());
  // y a vector of values, or a matrix with one column of values per row of x.
  const bool yvec = is_vec(y);
  if (!is_vec(x) || (yvec ? x.numel() != y.numel() : x.numel() != y.rows()))
    grl_fail("interp1: length of X and Y must match");
  const std::size_t n = x.numel();
  if (n < 2) grl_fail("interp1: minimum of 2 points required in each dimension");
  bool do_extrap = extrap.ischar() && text_of(extrap) == "extrap";
  T fill = (!extrap.ischar() && extrap.numel() == 1) ? extrap.cre()[0] : nan_of();
  if (extrap.ischar() && !do_extrap) grl_fail("interp1: EXTRAP must be \"extrap\" or a number");
  const std::size_t cols = yvec ? 1 : y.cols();
  // A vector of values gives xi's shape; columns of values give one column each.
  const bool xi_vec = is_vec(xi);
  Mt out = yvec ? Mt::alloc(xi.rows(), xi.cols()) : Mt::alloc(xi_vec ? xi.numel() : xi.numel(), cols);
  for (std::size_t c = 0; c < cols; ++c) {
    interp_col ic;
    ic.method = m;
    ic.extrap = do_extrap;
    ic.fill = fill;
    sorted_points(x, y, c, "interp1", ic);
    if (m == "spline") ic.slopes = spline_slopes(ic.xs, ic.ys);
    if (m == "pchip") ic.slopes = pchip_slopes(ic.xs, ic.ys);
    for (std::size_t k = 0; k < xi.numel(); ++k) out.pr()[c * xi.numel() + k] = ic.at(xi.cre()[k]);
  }
  return out;
}

// spline(x, y, xi): the not-a-knot cubic spline, or with y two values longer than x the
// spline whose end slopes are y's first and last values; it extrapolates.
Mt spline(const Mt& x, const Mt& y, const Mt& xi) {
  if (!is_vec(x) || !is_vec(y)) grl_fail("spline: X and Y must be vectors");
  const std::size_t n = x.numel();
  const bool clamped = y.numel() == n + 2;
  if (y.numel() != n && !clamped) grl_fail("spline: number of X and Y values must match");
  if (n < 2) grl_fail("spline: requires at least 2 points");
  Mt yv = y;
  if (clamped) {
    yv = Mt::alloc(1, n);
    for (std::size_t k = 0; k < n; ++k) yv.pr()[k] = y.cre()[k + 1];
  }
  interp_col ic;
  ic.method = "spline";
  ic.extrap = true;
  ic.fill = nan_of();
  sorted_points(x, yv, 0, "spline", ic);
  ic.slopes = clamped ? clamped_slopes(ic.xs, ic.ys, y.cre()[0], y.cre()[n + 1]) : spline_slopes(ic.xs, ic.ys);
  Mt out = Mt::alloc(xi.rows(), xi.cols());
  for (std::size_t k = 0; k < xi.numel(); ++k) out.pr()[k] = ic.at(xi.cre()[k]);
  return out;
}

// pchip(x, y, xi): the shape-preserving piecewise cubic; it extrapolates.
Mt pchip(const Mt& x, const Mt& y, const Mt& xi) {
  if (!is_vec(x) || !is_vec(y)) grl_fail("pchip: X and Y must be vectors");
  if (x.numel() != y.numel()) grl_fail("pchip: length of X and Y must match");
  if (x.numel() < 2) grl_fail("pchip: X must be at least of length 2");
  interp_col ic;
  ic.method = "pchip";
  ic.extrap = true;
  ic.fill = nan_of();
  sorted_points(x, y, 0, "pchip", ic);
  ic.slopes = pchip_slopes(ic.xs, ic.ys);
  Mt out = Mt::alloc(xi.rows(), xi.cols());
  for (std::size_t k = 0; k < xi.numel(); ++k) out.pr()[k] = ic.at(xi.cre()[k]);
  return out;
}

namespace {
// The points 1..n of interp1(y, xi, ...): n the length of a vector y, else its rows.
Mt default_points(const Mt& y) {
  const std::size_t n = is_vec(y) ? y.numel() : y.rows();
  Mt x = Mt::alloc(n, 1);
  for (std::size_t k = 0; k < n; ++k) x.pr()[k] = m_type(k + 1);
  return x;
}
}  // namespace

Mt interp1(const Mt& y, const Mt& xi) { return interp1(default_points(y), y, xi, Mt(), Mt()); }
Mt interp1(const Mt& a, const Mt& b, const Mt& c) {
  if (c.ischar()) return interp1(default_points(a), a, b, c, Mt());
  return interp1(a, b, c, Mt(), Mt());
}
// interp1(y, xi, method, extrap) when the third input is text.
Mt interp1(const Mt& a, const Mt& b, const Mt& c, const Mt& d) {
  if (c.ischar()) return interp1(default_points(a), a, b, c, d);
  // interp1(x, y, xi, 'extrap') keeps the default method and extrapolates.
  if (d.ischar() && text_of(d) == "extrap") return interp1(a, b, c, Mt(), d);
  return interp1(a, b, c, d, Mt());
}

Mt trapz(const Mt& y) { return trapz_along(nullptr, y, first_dim(y), false, "trapz"); }
Mt trapz(const Mt& x, const Mt& y) {
  // trapz(y, dim) when the second argument is a scalar and the first is not.
  if (y.numel() == 1 && x.numel() > 1) return trapz_along(nullptr, x, dim_arg(y, "trapz"), false, "trapz");
  return trapz_along(&x, y, first_dim(y), false, "trapz");
}
Mt trapz(const Mt& x, const Mt& y, const Mt& dim) { return trapz_along(&x, y, dim_arg(dim, "trapz"), false, "trapz"); }

Mt cumtrapz(const Mt& y) { return trapz_along(nullptr, y, first_dim(y), true, "cumtrapz"); }
Mt cumtrapz(const Mt& x, const Mt& y) {
  if (y.numel() == 1 && x.numel() > 1) return trapz_along(nullptr, x, dim_arg(y, "cumtrapz"), true, "cumtrapz");
  return trapz_along(&x, y, first_dim(y), true, "cumtrapz");
}
Mt cumtrapz(const Mt& x, const Mt& y, const Mt& dim) {
  return trapz_along(&x, y, dim_arg(dim, "cumtrapz"), true, "cumtrapz");
}

// polyder(p): the derivative as a row, leading zeros dropped as MATLAB drops them
// (Octave keeps them); a constant gives 0.
Mt polyder(const Mt& p) {
  if (!is_vec(p) || p.isempty()) grl_fail("polyder: argument must be a vector");
  const std::vector<C> pc = cvec(p);
  std::vector<C> d;
  const std::size_t n = pc.size();
  for (std::size_t k = 0; k + 1 < n; ++k) {
    const C v = pc[k] * T(n - 1 - k);
    if (d.empty() && v == C(0)) continue;
    d.push_back(v);
  }
  if (d.empty()) d.push_back(C(0));
  return vec_out(d, true);
}

// polyint(p, k): the integral as a row with constant of integration k (0 by default).
Mt polyint(const Mt& p) { return polyint(p, Mt(T(0))); }
Mt polyint(const Mt& p, const Mt& k) {
  if (p.holds_cell()) grl_fail("polyint: argument must be a vector");
  if (!is_vec(p)) grl_fail("polyint: argument must be a vector");
  if (k.numel() != 1) grl_fail("polyint: K must be a scalar");
  if (p.isempty()) return Mt();
  const std::vector<C> pc = cvec(p);
  std::vector<C> q;
  const std::size_t n = pc.size();
  for (std::size_t j = 0; j < n; ++j) q.push_back(pc[j] / T(n - j));
  q.push_back(at(k, 0));
  return vec_out(q, true);
}

namespace {


// The structure of a fit of y at x by p: fitted values yf (y's shape), the
// Vandermonde matrix X, its triangular factor R, C = inv(R' * R), the degrees of
// freedom and the norm of the residuals.
Mt fit_structure(const Mt& x, const Mt& y, const Mt& p) {
  const std::size_t deg = p.numel() - 1;
  const Mt a = vander_of(x, deg);
  Mt q, r;
  qr(a, Mt(T(0)), i_o, q, r);
  Mt yf = polyval(p, x);
  yf.reshape_to(y.rows(), y.cols());
  const Mt ri = inv(r);
  Mt s = grl::make_struct(1, 1, {"yf", "X", "R", "C", "df", "normr"});
  grl::field_ref(s, "yf") = yf;
  grl::field_ref(s, "X") = a;
  grl::field_ref(s, "R") = r;
  grl::field_ref(s, "C") = grl::mtimes(ri, grl::ctranspose(ri));
  grl::field_ref(s, "df") = Mt(T(double(x.numel()) - double(deg + 1)));
  grl::field_ref(s, "normr") = norm(yf - y);
  return s;
}

// The mean and standard deviation of x, and x centred and scaled by them.
Mt centred(const Mt& x, Mt& mv) {
  const Mt m = mean(x), s = std_M(x);
  mv = Mt::alloc(1, 2);
  mv.pr()[0] = m.numel() ? m.cre()[0] : nan_of();
  mv.pr()[1] = s.numel() ? s.cre()[0] : nan_of();
  Mt xh = Mt::alloc(x.rows(), x.cols());
  for (std::size_t k = 0; k < x.numel(); ++k) xh.pr()[k] = (x.cre()[k] - mv.cre()[0]) / mv.cre()[1];
  return xh;
}

// x as polyval takes it with mu: (x - mu(1)) / mu(2).
Mt scaled_by(const Mt& x, const Mt& mu) {
  if (mu.isempty()) return x;
  if (mu.holds_cell() || mu.holds_struct() || mu.numel() < 2 || mu.isc())
    grl_fail("polyval: MU must be a 2-element vector");
  Mt xh = Mt::alloc(x.rows(), x.cols(), x.isc());
  const double m = double(mu.cre()[0]), d = double(mu.cre()[1]);
  for (std::size_t k = 0; k < x.numel(); ++k) {
    xh.pr()[k] = T((double(x.cre()[k]) - m) / d);
    if (x.isc()) xh.pi()[k] = T(double(x.cim()[k]) / d);
  }
  xh.same_shape(x);
  return xh;
}

}  // namespace

// [p, S, mu] = polyfit(x, y, n): with mu the fit is of (x - mu(1)) / mu(2), mu the
// mean and standard deviation of x.
void polyfit(const Mt& x, const Mt& y, const Mt& n, i_o_t, Mr<m_type> p, Mr<m_type> S, Mr<m_type> mu) {
  Mt xh = x, mv;
  if (mu.given()) {
    if (!is_vec(x)) grl_fail("polyfit: X and Y must be vectors of the same size");
    xh = centred(x, mv);
  }
  const Mt pv = polyfit(xh, y, n);
  if (S.given()) S = fit_structure(xh, y, pv);
  if (mu.given()) mu = mv;
  p = pv;
}

Mt polyval(const Mt& p, const Mt& x, const Mt& S, const Mt& mu) {
  if (!S.isempty() && !S.holds_struct()) grl_fail("polyval: S input must be a structure");
  return polyval(p, scaled_by(x, mu));
}

void polyval(const Mt& p, const Mt& x, i_o_t, Mr<m_type> y) { y = polyval(p, x); }

void polyval(const Mt& p, const Mt& x, const Mt& S, i_o_t, Mr<m_type> y, Mr<m_type> delta) {
  polyval(p, x, S, Mt(), i_o, y, delta);
}

void polyval(const Mt& p, const Mt& x, const Mt& S, const Mt& mu, i_o_t, Mr<m_type> y, Mr<m_type> delta) {
  if (!S.isempty() && !S.holds_struct()) grl_fail("polyval: S input must be a structure");
  const Mt xh = scaled_by(x, mu);
  const Mt yv = polyval(p, xh);
  if (delta.given()) {
    // The standard error of each value: sqrt(1 + |a / R|^2) * normr / sqrt(df), a the
    // row of powers of the value.
    if (!S.holds_struct()) grl_fail("polyval: S input is required for DELTA output");
    const Mt r = grl::field(S, "R");
    const double df = double(grl::field(S, "df").cre()[0]);
    const double normr = double(grl::field(S, "normr").cre()[0]);
    if (!is_vec(p) || r.rows() != p.numel() || r.cols() != p.numel())
      grl_fail("polyval: S does not fit the polynomial P");
    const Mt a = vander_of(xh, p.numel() - 1);
    const Mt ar = grl::mrdivide(a, r);
    Mt d = Mt::alloc(xh.rows(), xh.cols());
    for (std::size_t i = 0; i < xh.numel(); ++i) {
      double acc = 1;
      for (std::size_t j = 0; j < p.numel(); ++j) {
        const double v = double(ar.cre()[i + j * xh.numel()]);
        acc += v * v;
      }
      d.pr()[i] = T(std::sqrt(acc) * normr / std::sqrt(df));
    }
    d.same_shape(xh);
    delta = d;
  }
  y = yv;
}

void polyfit(const Mt& x, const Mt& y, const Mt& n, i_o_t, Mr<m_type> p) { p = polyfit(x, y, n); }
