// Rearranging values of any number of dimensions: permute, ipermute, squeeze, shiftdim,
// ndims, and the maps of flip, circshift and repmat along any dimension.
#include "shape_nd.h"

#include <cmath>
#include <type_traits>

#include "int64_util.h"

using namespace grl;
using namespace grl::mth;

namespace grl {
namespace shp {

std::size_t product(const sizes& d, std::size_t from) {
  std::size_t p = 1;
  for (std::size_t k = from; k < d.size(); ++k) p *= d[k];
  return p;
}

sizes strides(const sizes& d) {
  sizes s(d.size());
  std::size_t st = 1;
  for (std::size_t k = 0; k < d.size(); ++k) { s[k] = st; st *= d[k]; }
  return s;
}

sizes padded(const sizes& d, std::size_t n) {
  sizes e(d);
  while (e.size() < n) e.push_back(1);
  return e;
}

template <class V> V pick_nd(const V& x, const sizes& out, const std::vector<std::size_t>& src) {
  V o = pick(x, out[0], product(out, 1), src);
  o.set_shape(out);
  return o;
}
template Mt pick_nd(const Mt&, const sizes&, const std::vector<std::size_t>&);
template Mc pick_nd(const Mc&, const sizes&, const std::vector<std::size_t>&);

}  // namespace shp
}  // namespace grl

namespace {

using grl::shp::each_sub;
using grl::shp::padded;
using grl::shp::pick_nd;
using grl::shp::strides;

// The permutation vector of permute: 1..n in any order, n at least ndims(x).
std::vector<std::size_t> perm_of(const Mt& p, std::size_t nd, const char* fn) {
  std::vector<std::size_t> perm;
  const std::size_t n = p.numel();
  std::vector<char> seen(n, 0);
  for (std::size_t k = 0; k < n; ++k) {
    const double v = double(p.cre()[k]);
    if (!(v >= 1) || v != std::floor(v) || v > double(n))
      grl_fail("%s: permutation vector contains an invalid element", fn);
    const std::size_t q = std::size_t(v) - 1;
    if (seen[q]) grl_fail("%s: permutation vector cannot contain identical elements", fn);
    seen[q] = 1;
    perm.push_back(q);
  }
  if (n < nd) grl_fail("%s: invalid permutation vector", fn);
  return perm;
}

// The columns of the result of permute, in turn: f(o, base, step) for the column that
// starts at o in the result and at base in x, its elements step apart in x (the
// columns follow one another as the other subscripts count up).
template <class F>
void permute_columns(const sizes& st, const sizes& out, const std::vector<std::size_t>& perm, F f) {
  const std::size_t n = perm.size(), rows = out[0], total = rows * grl::shp::product(out, 1);
  const std::size_t step = st[perm[0]];
  sizes j(n, 0);
  std::size_t base = 0;
  for (std::size_t o = 0; o < total; o += rows) {
    f(o, base, step);
    for (std::size_t k = 1; k < n; ++k) {
      base += st[perm[k]];
      if (++j[k] < out[k]) break;
      base -= j[k] * st[perm[k]];
      j[k] = 0;
    }
  }
}

// permute of numbers, copied straight into the result: no map of positions (which
// for large arrays cost more than the copy itself).
Mt permute_numbers(const Mt& x, const sizes& st, const sizes& out, const std::vector<std::size_t>& perm) {
  const std::size_t rows = out[0];
  const bool cplx = x.isc();
  Mt o = Mt::alloc(rows, grl::shp::product(out, 1), cplx);
  if (o.numel() > 0) {
    m_type* re = o.pr();
    m_type* im = cplx ? o.pi() : nullptr;
    const m_type* xr = x.cre();
    const m_type* xi = x.cim();
    permute_columns(st, out, perm, [&](std::size_t at, std::size_t base, std::size_t step) {
      if (step == 1) {
        std::copy(xr + base, xr + base + rows, re + at);
        if (im) std::copy(xi + base, xi + base + rows, im + at);
        return;
      }
      for (std::size_t r = 0; r < rows; ++r) re[at + r] = xr[base + r * step];
      if (im)
        for (std::size_t r = 0; r < rows; ++r) im[at + r] = xi[base + r * step];
    });
  }
  o.set_flags(x.flags_);
  keep_class(o, x);
  o.set_shape(out);
  return o;
}

template <class V> V permute_by(const V& x, const std::vector<std::size_t>& perm) {
  const std::size_t n = perm.size();
  const sizes in = padded(x.shape(), n);
  const sizes st = strides(in);
  sizes out(n);
  for (std::size_t k = 0; k < n; ++k) out[k] = in[perm[k]];
  if constexpr (std::is_same<V, Mt>::value) {
    if (!grl::w64::has_exact(x)) return permute_numbers(x, st, out, perm);
  }
  std::vector<std::size_t> src = shp::positions(out[0], shp::product(out, 1));
  const std::size_t rows = out[0];
  permute_columns(st, out, perm, [&](std::size_t at, std::size_t base, std::size_t step) {
    for (std::size_t r = 0; r < rows; ++r) src[at + r] = base + r * step;
  });
  return pick_nd(x, out, src);
}

std::vector<std::size_t> inverse(const std::vector<std::size_t>& p) {
  std::vector<std::size_t> q(p.size());
  for (std::size_t k = 0; k < p.size(); ++k) q[p[k]] = k;
  return q;
}

template <class V> V squeeze_of(const V& x) {
  if (x.ndims() <= 2) return x;
  sizes d;
  for (std::size_t v : x.shape()) if (v != 1) d.push_back(v);
  while (d.size() < 2) d.push_back(1);
  V o = x;
  o.set_shape(d);
  return o;
}

}  // namespace

namespace grl {
namespace shp {

template <class V> V flip_along(const V& x, std::size_t d) {
  const sizes e = padded(x.shape(), d + 1);
  const sizes st = strides(e);
  std::vector<std::size_t> src = positions(e[0], product(e, 1));
  each_sub(e, [&](std::size_t o, const sizes& j) { src[o] = o + (e[d] - 1 - 2 * j[d]) * st[d]; });
  return pick_nd(x, e, src);
}
template Mt flip_along(const Mt&, std::size_t);
template Mc flip_along(const Mc&, std::size_t);

template <class V> V shift_along(const V& x, const sizes& by) {
  const sizes e = padded(x.shape(), by.size());
  const sizes st = strides(e);
  std::vector<std::size_t> src = positions(e[0], product(e, 1));
  each_sub(e, [&](std::size_t o, const sizes& j) {
    std::size_t s = 0;
    for (std::size_t k = 0; k < e.size(); ++k)
      s += (k < by.size() && e[k] ? (j[k] + e[k] - by[k] % e[k]) % e[k] : j[k]) * st[k];
    src[o] = s;
  });
  return pick_nd(x, e, src);
}
template Mt shift_along(const Mt&, const sizes&);
template Mc shift_along(const Mc&, const sizes&);

template <class V> V tile_nd(const V& x, const sizes& reps) {
  const std::size_t n = reps.size() > x.ndims() ? reps.size() : x.ndims();
  const sizes e = padded(x.shape(), n), r = padded(reps, n);
  const sizes st = strides(e);
  sizes out(n);
  for (std::size_t k = 0; k < n; ++k) out[k] = e[k] * r[k];
  check_sizes(out, sizeof(m_type));
  std::vector<std::size_t> src = positions(out[0], product(out, 1));
  each_sub(out, [&](std::size_t o, const sizes& j) {
    std::size_t s = 0;
    for (std::size_t k = 0; k < n; ++k) s += (j[k] % e[k]) * st[k];
    src[o] = s;
  });
  return pick_nd(x, out, src);
}
template Mt tile_nd(const Mt&, const sizes&);

Mt expand_to(const Mt& x, const sizes& r) {
  const sizes e = padded(x.shape(), r.size());
  const sizes st = strides(e);
  check_sizes(r, sizeof(m_type));
  std::vector<std::size_t> src = positions(r[0], product(r, 1));
  each_sub(r, [&](std::size_t o, const sizes& j) {
    std::size_t s = 0;
    for (std::size_t k = 0; k < r.size(); ++k) s += (e[k] == 1 ? 0 : j[k]) * st[k];
    src[o] = s;
  });
  return pick_nd(x, r, src);
}
template Mc tile_nd(const Mc&, const sizes&);

}  // namespace shp
}  // namespace grl

// A structure array moves its elements as the numbers of its elements move.
Mt permute(const Mt& x, const Mt& p) {
  if (x.st_) return grl::struct_pick(x, permute(grl::struct_numbers(x), p));
  return permute_by(x, perm_of(p, x.ndims(), "permute"));
}
Mc permute(const Mc& x, const Mt& p) { return permute_by(x, perm_of(p, x.ndims(), "permute")); }
Mt ipermute(const Mt& x, const Mt& p) {
  if (x.st_) return grl::struct_pick(x, ipermute(grl::struct_numbers(x), p));
  return permute_by(x, inverse(perm_of(p, x.ndims(), "ipermute")));
}
Mc ipermute(const Mc& x, const Mt& p) { return permute_by(x, inverse(perm_of(p, x.ndims(), "ipermute"))); }
Mt squeeze(const Mt& x) { return squeeze_of(x); }
Mc squeeze(const Mc& x) { return squeeze_of(x); }
Mt ndims(const Mt& x) { return Mt(m_type(x.holds_cell() ? x.held_cell().ndims() : x.ndims())); }
Mt ndims(const Mc& x) { return Mt(m_type(x.ndims())); }

// shiftdim(x, n): the dimensions turned left by n, or n leading singleton dimensions
// added for a negative n; shiftdim(x) drops the leading singletons and tells how many.
namespace {
template <class V> V shift_dims(const V& x, long n) {
  if (n == 0) return x;
  const sizes e = x.shape();
  if (n < 0) {
    sizes d(std::size_t(-n), 1);
    d.insert(d.end(), e.begin(), e.end());
    V o = x;
    o.set_shape(d);
    return o;
  }
  const std::size_t nd = e.size(), s = std::size_t(n) % nd;
  std::vector<std::size_t> perm;
  for (std::size_t k = 0; k < nd; ++k) perm.push_back((k + s) % nd);
  return permute_by(x, perm);
}
long leading_ones(const sizes& e) {
  long n = 0;
  while (std::size_t(n) + 1 < e.size() && e[std::size_t(n)] == 1) ++n;
  return n;
}
// A finite whole number; a shift left is taken modulo the dimensions at once, and
// a shift right that would add millions of singleton dimensions is out of memory.
long shift_count(const Mt& n, std::size_t nd) {
  const double v = n.numel() == 1 && !n.isc() ? double(n.cre()[0]) : NAN;
  if (!std::isfinite(v) || v != std::floor(v)) grl_fail("shiftdim: N must be a scalar integer");
  if (v >= 0) return long(std::fmod(v, double(nd)));
  if (v < -1e6) grl_fail("out of memory or dimension too large for Octave's index type");
  return long(v);
}
}  // namespace

Mt shiftdim(const Mt& x) {
  if (x.st_) return grl::struct_pick(x, shiftdim(grl::struct_numbers(x)));
  return shift_dims(x, leading_ones(x.shape()));
}
Mt shiftdim(const Mt& x, const Mt& n) {
  if (x.st_) return grl::struct_pick(x, shiftdim(grl::struct_numbers(x), n));
  return shift_dims(x, shift_count(n, x.ndims()));
}
void shiftdim(const Mt& x, i_o_t, Mr<m_type> y, Mr<m_type> ns) {
  const long n = leading_ones(x.shape());
  y = shift_dims(x, n);
  ns = Mt(m_type(n));
}
