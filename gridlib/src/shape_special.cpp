// More special matrices (vander, hankel, pascal, compan) and the half-length shifts of
// fftshift and ifftshift.
#include "shape_util.h"
#include "gridlib_extra.h"

#include <cmath>
#include <complex>
#include <string>
#include <vector>

using namespace grl;
using namespace grl::mth;

namespace {

typedef std::complex<m_type> cplx_t;

bool is_vec(const Mt& x) { return shp::is_vector(x.rows(), x.cols()) || x.isempty(); }

// A whole, real, scalar size argument; fails with msg otherwise.
std::size_t order_arg(const Mt& n, const char* msg) {
  if (n.numel() != 1 || n.isc() || n.holds_cell() || n.holds_struct()) grl_fail("%s", msg);
  const double v = double(n.cre()[0]);
  if (v != std::floor(v)) grl_fail("%s", msg);
  return v <= 0 ? 0 : size_value(v);
}

// The result keeps single or an integer class of the input; char and logical give double.
Mt with_class_of(Mt o, const Mt& x) {
  const mclass c = class_of(x);
  if (c == mc_single || is_int_class(c)) apply_class(o, c);
  return o;
}

// Elements src[k] of the vectors a (positions below na) and b (positions from na on);
// none leaves zero.
Mt gather(const Mt& a, const Mt& b, std::size_t r, std::size_t c, const std::vector<std::size_t>& src) {
  const bool is_c = a.isc() || b.isc();
  Mt o = Mt::alloc(r, c, is_c);
  m_type* re = o.pr();
  m_type* im = is_c ? o.pi() : nullptr;
  const std::size_t na = a.numel();
  for (std::size_t k = 0; k < r * c; ++k) {
    const std::size_t s = src[k];
    if (s == shp::none) {
      re[k] = 0;
      if (im) im[k] = 0;
      continue;
    }
    const Mt& from = s < na ? a : b;
    const std::size_t e = s < na ? s : s - na;
    re[k] = from.elem(e);
    if (im) im[k] = from.ielem(e);
  }
  return narrow(o);
}

}  // namespace

// --- vander ---------------------------------------------------------------------------
Mt vander(const Mt& c) {
  if (!is_vec(c) || c.holds_cell() || c.holds_struct()) grl_fail("vander: polynomial C must be a vector");
  return vander(c, Mt(m_type(c.numel())));
}

Mt vander(const Mt& c, const Mt& n) {
  if (!is_vec(c) || c.holds_cell() || c.holds_struct()) grl_fail("vander: polynomial C must be a vector");
  const std::size_t cols = order_arg(n, "vander: N must be a non-negative integer");
  const std::size_t rows = c.numel();
  const bool is_c = c.isc();
  Mt o = Mt::alloc(rows, cols, is_c);
  for (std::size_t i = 0; i < rows; ++i) {
    const cplx_t base(c.elem(i), c.ielem(i));
    cplx_t p(1, 0);
    // The last column is c.^0, each one to its left one power higher.
    for (std::size_t j = cols; j-- > 0;) {
      o.pr()[i + j * rows] = p.real();
      if (is_c) o.pi()[i + j * rows] = p.imag();
      p *= base;
    }
  }
  return with_class_of(narrow(o), c);
}

// --- hankel ---------------------------------------------------------------------------
Mt hankel(const Mt& c) {
  if (!is_vec(c) || c.holds_cell() || c.holds_struct()) grl_fail("hankel: C must be a vector");
  const std::size_t n = c.numel();
  std::vector<std::size_t> src = shp::positions(n, n, shp::none);
  for (std::size_t j = 0; j < n; ++j)
    for (std::size_t i = 0; i + j < n; ++i) src[i + j * n] = i + j;
  return with_class_of(gather(c, c, n, n, src), c);
}

Mt hankel(const Mt& c, const Mt& r) {
  if (!is_vec(c) || c.holds_cell() || c.holds_struct()) grl_fail("hankel: C must be a vector");
  if (!is_vec(r) || r.holds_cell() || r.holds_struct()) grl_fail("hankel: R must be a vector");
  const std::size_t m = c.numel(), n = r.numel();
  if (m > 0 && n > 0 && (c.elem(m - 1) != r.elem(0) || c.ielem(m - 1) != r.ielem(0)))
    grl::warn("", "hankel: column wins anti-diagonal conflict");
  // Anti-diagonal d = i + j: c(d) while d lies in c, then r(d - m + 1).
  std::vector<std::size_t> src = shp::positions(m, n);
  for (std::size_t j = 0; j < n; ++j)
    for (std::size_t i = 0; i < m; ++i) {
      const std::size_t d = i + j;
      src[i + j * m] = d < m ? d : m + (d - m + 1);
    }
  return with_class_of(gather(c, r, m, n, src), c);
}

// --- pascal ---------------------------------------------------------------------------
Mt pascal(const Mt& n) { return pascal(n, Mt(m_type(0))); }

Mt pascal(const Mt& n, const Mt& k) {
  if (n.numel() != 1 || n.isc() || n.holds_cell() || n.holds_struct()) grl_fail("pascal: N must be a scalar");
  if (k.numel() != 1 || k.isc() || k.holds_cell() || k.holds_struct()) grl_fail("pascal: K must be a scalar");
  const double kv = double(k.cre()[0]);
  if (kv != 0 && kv != 1 && kv != 2) grl_fail("pascal: K must be a scalar 0, 1 or 2");
  const double nv = double(n.cre()[0]);
  if (nv != std::floor(nv)) grl_fail("pascal: N must be a scalar integer");
  const std::size_t s = nv <= 0 ? 0 : size_value(nv);
  Mt o = Mt::alloc(s, s);
  m_type* p = o.pr();
  for (std::size_t k2 = 0; k2 < s * s; ++k2) p[k2] = 0;
  if (kv == 0) {
    for (std::size_t j = 0; j < s; ++j)
      for (std::size_t i = 0; i < s; ++i)
        p[i + j * s] = (i == 0 || j == 0) ? 1 : p[(i - 1) + j * s] + p[i + (j - 1) * s];
    return o;
  }
  // The lower triangular factor: column j is (-1)^j times the binomials C(i, j).
  for (std::size_t i = 0; i < s; ++i) {
    p[i] = 1;
    for (std::size_t j = 1; j <= i; ++j) p[i + j * s] = p[(i - 1) + (j - 1) * s] * -1 + p[(i - 1) + j * s];
  }
  if (kv == 1) return o;
  // k 2: the factor turned a quarter clockwise, negated for even n.
  Mt t = Mt::alloc(s, s);
  const m_type sign = s % 2 == 1 ? 1 : -1;
  for (std::size_t j = 0; j < s; ++j)
    for (std::size_t i = 0; i < s; ++i) t.pr()[i + j * s] = sign * p[(s - 1 - j) + i * s];
  return t;
}

// --- compan ---------------------------------------------------------------------------
Mt compan(const Mt& c) {
  if (!is_vec(c) || c.holds_cell() || c.holds_struct()) grl_fail("compan: C must be a vector");
  const std::size_t n = c.numel();
  if (n <= 1) return Mt();
  const std::size_t s = n - 1;
  const bool is_c = c.isc();
  Mt o = Mt::alloc(s, s, is_c);
  for (std::size_t k = 0; k < s * s; ++k) {
    o.pr()[k] = 0;
    if (is_c) o.pi()[k] = 0;
  }
  const cplx_t lead(c.elem(0), c.ielem(0));
  for (std::size_t j = 0; j < s; ++j) {
    const cplx_t v = -cplx_t(c.elem(j + 1), c.ielem(j + 1)) / lead;
    o.pr()[j * s] = v.real();
    if (is_c) o.pi()[j * s] = v.imag();
  }
  for (std::size_t i = 1; i < s; ++i) o.pr()[i + (i - 1) * s] = 1;
  return with_class_of(narrow(o), c);
}

// --- fftshift, ifftshift --------------------------------------------------------------
namespace {

// Shifts x along dimension d (from 1) by half its extent: floor(n/2) forward, or back
// (the inverse) by the same amount.
Mt half_shift(const Mt& x, std::size_t d, bool inverse) {
  const std::size_t n = d <= x.ndims() ? x.extent(d - 1) : 1;
  const double h = double(n / 2);
  return circshift(x, Mt(m_type(inverse ? -h : h)), Mt(m_type(d)));
}

Mt shift_all(const Mt& x, bool inverse) {
  Mt o = x;
  for (std::size_t d = 1; d <= x.ndims(); ++d) o = half_shift(o, d, inverse);
  return o;
}

Mt shift_dim(const Mt& x, const Mt& dim, const char* fn) {
  if (dim.numel() != 1 || dim.isc() || dim.ischar() || dim.holds_cell() || dim.holds_struct())
    grl_fail("%s: DIM must be a positive integer", fn);
  const double d = double(dim.cre()[0]);
  if (d != std::floor(d) || d < 1) grl_fail("%s: DIM must be a positive integer", fn);
  if (d > double(x.ndims())) return x;
  return half_shift(x, std::size_t(d), std::string(fn) == "ifftshift");
}

}  // namespace

Mt fftshift(const Mt& x) { return shift_all(x, false); }
Mt fftshift(const Mt& x, const Mt& dim) { return shift_dim(x, dim, "fftshift"); }
Mt ifftshift(const Mt& x) { return shift_all(x, true); }
Mt ifftshift(const Mt& x, const Mt& dim) { return shift_dim(x, dim, "ifftshift"); }
