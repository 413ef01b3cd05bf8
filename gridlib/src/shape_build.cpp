// Special matrices and parts of matrices: logspace, diag, tril, triu, magic, hilb,
// toeplitz and meshgrid.
#include "shape_util.h"

#include <cmath>
#include <cstdio>

using namespace grl;
using namespace grl::mth;
using grl::shp::none;
using grl::shp::pick;

namespace {

// A diagonal index larger than any matrix can hold.
constexpr long k_max = 2147483647L;

long diag_k(const Mt& k) {
  const long v = shp::whole(k, "diag: invalid argument K");
  if (v > k_max || v < -k_max) grl::fail_too_large();
  return v;
}

// The elements of vector v on diagonal k of a square matrix just large enough.
template <class V> V diag_place(const V& v, long k) {
  const std::size_t n = v.numel(), off = std::size_t(k < 0 ? -k : k);
  const std::size_t s = n + off;
  const std::size_t i0 = k < 0 ? off : 0, j0 = k > 0 ? off : 0;
  std::vector<std::size_t> src = shp::positions(s, s, none);
  for (std::size_t m = 0; m < n; ++m) src[(i0 + m) + (j0 + m) * s] = m;
  return pick(v, s, s, src);
}

// Diagonal k of a matrix as a column (0x1 when the matrix has no such diagonal).
template <class V> V diag_read(const V& a, long k) {
  const std::size_t r = a.rows(), c = a.cols();
  if (r == 0 && c == 0) return V();
  const std::size_t off = std::size_t(k < 0 ? -k : k);
  const std::size_t i0 = k < 0 ? off : 0, j0 = k > 0 ? off : 0;
  const std::size_t n = i0 < r && j0 < c ? std::min(r - i0, c - j0) : 0;
  std::vector<std::size_t> src = shp::positions(n, 1);
  for (std::size_t m = 0; m < n; ++m) src[m] = (i0 + m) + (j0 + m) * r;
  return pick(a, n, 1, src);
}

template <class V> V diag_of(const V& x, long k) {
  return shp::is_vector(x.rows(), x.cols()) ? diag_place(x, k) : diag_read(x, k);
}

// The diagonal index of tril and triu: its first element, which must be an integer.
long tri_k(const Mt& k, const char* fn) {
  if (k.isempty() || k.isc()) grl_fail("%s: K must be a real scalar", fn);
  const double v = double(k.cre()[0]);
  if (v != std::floor(v)) grl_fail("conversion of %g to int64_t value failed", v);
  return v > double(k_max) ? k_max : v < -double(k_max) ? -k_max : long(v);
}

// The elements on and below (lower) or on and above diagonal k; the rest zero.
template <class V> V triangle(const V& x, long k, bool lower) {
  const std::size_t r = x.rows(), c = x.cols();
  std::vector<std::size_t> src = shp::positions(r, c);
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) {
      const long d = long(j) - long(i);
      src[i + j * r] = (lower ? d <= k : d >= k) ? i + j * r : none;
    }
  return pick(x, r, c, src);
}

// A scalar size argument cut toward zero; fails with msg when it is not a scalar.
double scalar_size(const Mt& n, const char* msg) {
  if (n.numel() != 1 || n.isc()) grl_fail("%s", msg);
  const double v = double(n.cre()[0]);
  if (v != v) grl_fail("%s", msg);
  return std::trunc(v);
}

// Magic squares, one value per element: the square of odd order by the diagonal
// stepping rule, of doubly even order by complementing a regular pattern, and of singly
// even order from four copies of the odd square with rows exchanged.
void magic_odd(std::size_t n, m_type* p, std::size_t ld) {
  for (std::size_t j = 1; j <= n; ++j)
    for (std::size_t i = 1; i <= n; ++i) {
      const long a = ((long(i + j) - long(n + 3) / 2) % long(n) + long(n)) % long(n);
      const long b = long(i + 2 * j - 2) % long(n);
      p[(i - 1) + (j - 1) * ld] = m_type(long(n) * a + b + 1);
    }
}

void magic_doubly_even(std::size_t n, m_type* p) {
  for (std::size_t j = 1; j <= n; ++j)
    for (std::size_t i = 1; i <= n; ++i) {
      const double v = double((i - 1) * n + j);
      const bool flip = (i % 4) / 2 == (j % 4) / 2;
      p[(i - 1) + (j - 1) * n] = m_type(flip ? double(n * n + 1) - v : v);
    }
}

void swap_rows(m_type* p, std::size_t n, std::size_t a, std::size_t b, std::size_t col) {
  std::swap(p[a + col * n], p[b + col * n]);
}

void magic_singly_even(std::size_t n, m_type* p) {
  const std::size_t h = n / 2;
  magic_odd(h, p, n);
  const m_type q = m_type(h * h);
  for (std::size_t j = 0; j < h; ++j)
    for (std::size_t i = 0; i < h; ++i) {
      const m_type a = p[i + j * n];
      p[i + (j + h) * n] = a + 2 * q;
      p[(i + h) + j * n] = a + 3 * q;
      p[(i + h) + (j + h) * n] = a + q;
    }
  const std::size_t k = (n - 2) / 4;
  for (std::size_t j = 0; j < n; ++j) {
    if (!(j < k || j >= n - k + 1)) continue;
    for (std::size_t i = 0; i < h; ++i) swap_rows(p, n, i, i + h, j);
  }
  swap_rows(p, n, k, k + h, 0);
  swap_rows(p, n, k, k + h, k);
}

bool is_vec(const Mt& x) { return shp::is_vector(x.rows(), x.cols()); }

// The first element, the first row and the first column of a Toeplitz matrix meet on
// the diagonal; elsewhere T(i,j) is col(i-j) below it and row(j-i) above it.
Mt toeplitz_of(const Mt& col, const Mt& row, std::uint32_t flags) {
  const std::size_t r = col.numel(), c = row.numel();
  const bool cplx = col.isc() || row.isc();
  Mt o = Mt::alloc(r, c, cplx);
  if (r * c > 0) {
    m_type* re = o.pr();
    m_type* im = cplx ? o.pi() : nullptr;
    for (std::size_t j = 0; j < c; ++j)
      for (std::size_t i = 0; i < r; ++i) {
        const Mt& s = i >= j ? col : row;
        const std::size_t e = i >= j ? i - j : j - i;
        re[i + j * r] = s.elem(e);
        if (im) im[i + j * r] = s.ielem(e);
      }
  }
  o.set_flags(flags);
  return o;
}

void mesh_check(const Mt& x, const Mt& y) {
  if (!is_vec(x) || !is_vec(y)) grl_fail("meshgrid: X and Y must be vectors");
}
Mt mesh_x(const Mt& x, const Mt& y) {
  const std::size_t r = y.numel(), c = x.numel();
  std::vector<std::size_t> src = shp::positions(r, c);
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) src[i + j * r] = j;
  return pick(x, r, c, src);
}
Mt mesh_y(const Mt& x, const Mt& y) {
  const std::size_t r = y.numel(), c = x.numel();
  std::vector<std::size_t> src = shp::positions(r, c);
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) src[i + j * r] = i;
  return pick(y, r, c, src);
}

}  // namespace

// --- logspace ----------------------------------------------------------------------
Mt logspace(const Mt& a, const Mt& b) { return logspace(a, b, Mt(m_type(50))); }
Mt logspace(const Mt& a, const Mt& b, const Mt& n) {
  if (a.numel() != 1 || b.numel() != 1 || n.numel() != 1)
    grl_fail("logspace: arguments A, B, and N must be scalars");
  if (a.isc() || b.isc() || n.isc()) grl_fail("logspace: complex limits are not supported");
  // An upper limit of pi makes pi itself the last point, not 10^pi.
  const m_type hi = b.cre()[0] == m_type(M_PI) ? m_type(std::log10(m_type(M_PI))) : b.cre()[0];
  const double cnt = double(n.cre()[0]);
  Mt e = linspace(a, Mt(hi), Mt(m_type(cnt != cnt ? 0 : std::floor(cnt))));
  Mt o = Mt::alloc(1, e.numel());
  for (std::size_t k = 0; k < e.numel(); ++k) o.pr()[k] = std::pow(m_type(10), e.elem(k));
  return o;
}

// --- diag, tril, triu ----------------------------------------------------------------
Mt diag(const Mt& x) { return diag_of(x, 0); }
Mt diag(const Mt& x, const Mt& k) { return diag_of(x, diag_k(k)); }
Mc diag(const Mc& x) { return diag_of(x, 0); }
Mc diag(const Mc& x, const Mt& k) { return diag_of(x, diag_k(k)); }
Mt diag(const Mt& v, const Mt& m, const Mt& n) {
  if (!is_vec(v)) grl_fail("diag: V must be a vector");
  std::size_t r, c;
  dims2(m, n, "diag", r, c);
  std::vector<std::size_t> src = shp::positions(r, c, none);
  for (std::size_t e = 0; e < v.numel() && e < r && e < c; ++e) src[e + e * r] = e;
  return pick(v, r, c, src);
}
Mt tril(const Mt& x) { return triangle(x, 0, true); }
Mt tril(const Mt& x, const Mt& k) { return triangle(x, tri_k(k, "tril"), true); }
Mt triu(const Mt& x) { return triangle(x, 0, false); }
Mt triu(const Mt& x, const Mt& k) { return triangle(x, tri_k(k, "triu"), false); }
Mc tril(const Mc& x) { return triangle(x, 0, true); }
Mc tril(const Mc& x, const Mt& k) { return triangle(x, tri_k(k, "tril"), true); }
Mc triu(const Mc& x) { return triangle(x, 0, false); }
Mc triu(const Mc& x, const Mt& k) { return triangle(x, tri_k(k, "triu"), false); }

// --- magic, hilb --------------------------------------------------------------------
Mt magic(const Mt& n) {
  const double v = scalar_size(n, "magic: N must be a scalar");
  if (v < 0) grl_fail("magic: N must be non-negative");
  if (v == 0) return Mt();
  const std::size_t s = size_value(v);
  Mt o = Mt::alloc(s, s);
  m_type* p = o.pr();
  if (s == 2) { p[0] = 4; p[1] = 1; p[2] = 3; p[3] = 2; }
  else if (s % 2 == 1) magic_odd(s, p, s);
  else if (s % 4 == 0) magic_doubly_even(s, p);
  else magic_singly_even(s, p);
  return o;
}

Mt hilb(const Mt& n) {
  const double v = scalar_size(n, "hilb: N must be a scalar integer");
  const std::size_t s = v < 0 ? 0 : size_value(v);
  Mt o = Mt::alloc(s, s);
  for (std::size_t j = 0; j < s; ++j)
    for (std::size_t i = 0; i < s; ++i) o.pr()[i + j * s] = m_type(1) / m_type(i + j + 1);
  return o;
}

// --- toeplitz ----------------------------------------------------------------------
// toeplitz(c): the symmetric (for complex c, Hermitian) matrix of first row c.
Mt toeplitz(const Mt& c) {
  if (!is_vec(c)) grl_fail("toeplitz: C must be a vector");
  Mt col = c;
  if (c.isc() && c.numel() > 1) {
    m_type* im = col.pi();
    for (std::size_t k = 1; k < col.numel(); ++k) im[k] = -im[k];
  }
  return toeplitz_of(col, c, c.flags_);
}
Mt toeplitz(const Mt& c, const Mt& r) {
  if (!is_vec(c)) grl_fail("toeplitz: C must be a vector");
  if (!is_vec(r)) grl_fail("toeplitz: R must be a vector");
  if (c.numel() > 0 && r.numel() > 0 && (c.elem(0) != r.elem(0) || c.ielem(0) != r.ielem(0)))
    grl::warn("", "toeplitz: column wins diagonal conflict");
  return toeplitz_of(c, r, c.flags_ == r.flags_ ? c.flags_ : 0u);
}

// --- meshgrid ----------------------------------------------------------------------
Mt meshgrid(const Mt& x) { return meshgrid(x, x); }
Mt meshgrid(const Mt& x, const Mt& y) { mesh_check(x, y); return mesh_x(x, y); }
void meshgrid(const Mt& x, i_o_t, Mr<m_type> xx) { xx = meshgrid(x, x); }
void meshgrid(const Mt& x, i_o_t, Mr<m_type> xx, Mr<m_type> yy) { meshgrid(x, x, i_o, xx, yy); }
void meshgrid(const Mt& x, const Mt& y, i_o_t, Mr<m_type> xx) { xx = meshgrid(x, y); }
void meshgrid(const Mt& x, const Mt& y, i_o_t, Mr<m_type> xx, Mr<m_type> yy) {
  mesh_check(x, y);
  xx = mesh_x(x, y);
  yy = mesh_y(x, y);
}
