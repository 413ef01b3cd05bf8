// Rearranging matrices and cells without changing their elements: fliplr, flipud,
// rot90, circshift, squeeze and ndims, and the position map they share with the
// diagonal and triangle builders.
#include "int64_util.h"
#include "shape_nd.h"

#include <cmath>
#include <new>

using namespace grl;
using namespace grl::mth;
using grl::shp::pick;

namespace grl {
namespace shp {

std::vector<std::size_t> positions(std::size_t r, std::size_t c, std::size_t fill) {
  grl::check_extent(r, c, sizeof(std::size_t));
  try {
    return std::vector<std::size_t>(r * c, fill);
  } catch (const std::bad_alloc&) {
    grl::fail_too_large();
  }
}

Mt pick(const Mt& x, std::size_t r, std::size_t c, const std::vector<std::size_t>& src) {
  const bool cplx = x.isc();
  Mt o = Mt::alloc(r, c, cplx);
  const std::size_t n = r * c;
  if (n > 0) {
    m_type* re = o.pr();
    m_type* im = cplx ? o.pi() : nullptr;
    const m_type* xr = x.cre();
    const m_type* xi = x.cim();
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t s = src[k];
      re[k] = s == none ? m_type(0) : xr[s];
      if (im) im[k] = s == none ? m_type(0) : xi[s];
    }
  }
  o.set_flags(x.flags_);
  keep_class(o, x);
  if (w64::has_exact(x)) {
    std::vector<std::uint64_t> w(n, 0);
    for (std::size_t k = 0; k < n; ++k)
      if (src[k] != none) w[k] = (*x.x64_)[src[k]];
    w64::store(o, x.num_class(), std::move(w));
  }
  if (cplx) o.drop_imag();
  return o;
}

Mc pick(const Mc& x, std::size_t r, std::size_t c, const std::vector<std::size_t>& src) {
  Mc o = Mc::alloc(r, c);
  const std::size_t n = r * c;
  for (std::size_t k = 0; k < n; ++k)
    if (src[k] != none) o.welem(k) = x.elem(src[k]);
  return o;
}

long whole(const Mt& k, const char* msg) {
  if (k.isempty() || k.isc()) grl_fail("%s", msg);
  const double v = double(k.cre()[0]);
  if (v != v || std::isinf(v)) grl_fail("%s", msg);
  return long(std::trunc(v));
}

}  // namespace shp
}  // namespace grl

namespace {

template <class V> V flip_lr(const V& x) {
  const std::size_t r = x.rows(), c = x.cols();
  std::vector<std::size_t> src = shp::positions(r, c);
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) src[i + j * r] = i + (c - 1 - j) * r;
  return pick(x, r, c, src);
}

template <class V> V flip_ud(const V& x) {
  const std::size_t r = x.rows(), c = x.cols();
  std::vector<std::size_t> src = shp::positions(r, c);
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) src[i + j * r] = (r - 1 - i) + j * r;
  return pick(x, r, c, src);
}

// The number of quarter turns counterclockwise, 0..3.
int quarter_turns(const Mt& k) {
  if (k.numel() != 1 || k.isc()) grl_fail("rot90: K must be a single real integer");
  const double v = double(k.cre()[0]);
  if (v != std::floor(v) || std::isinf(v)) grl_fail("rot90: K must be a single real integer");
  const double m = std::fmod(v, 4.0);
  return int(m < 0 ? m + 4 : m);
}

template <class V> V rotate(const V& x, int turns) {
  const std::size_t r = x.rows(), c = x.cols();
  if (turns == 0) return x;
  if (turns == 2) {
    std::vector<std::size_t> src = shp::positions(r, c);
    for (std::size_t j = 0; j < c; ++j)
      for (std::size_t i = 0; i < r; ++i) src[i + j * r] = (r - 1 - i) + (c - 1 - j) * r;
    return pick(x, r, c, src);
  }
  // One or three turns: the result is c x r; B(i,j) = A(j, c-1-i) or A(r-1-j, i).
  std::vector<std::size_t> src = shp::positions(r, c);
  for (std::size_t j = 0; j < r; ++j)
    for (std::size_t i = 0; i < c; ++i)
      src[i + j * c] = turns == 1 ? j + (c - 1 - i) * r : (r - 1 - j) + i * r;
  return pick(x, c, r, src);
}

// A shift count: an integer, reduced into 0..len-1.
std::size_t shift_of(double n, std::size_t len) {
  if (len == 0) return 0;
  const double m = std::fmod(n, double(len));
  return std::size_t(m < 0 ? m + double(len) : m);
}

template <class V> V shift(const V& x, std::size_t dr, std::size_t dc) {
  const std::size_t r = x.rows(), c = x.cols();
  if (dr == 0 && dc == 0) return x;
  std::vector<std::size_t> src = shp::positions(r, c);
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) src[i + j * r] = (i + r - dr) % r + ((j + c - dc) % c) * r;
  return pick(x, r, c, src);
}

void shift_counts(const Mt& n) {
  const char* msg = "circshift: N must be a vector, no longer than the number of dimensions in X";
  if (n.isempty() || (n.rows() != 1 && n.cols() != 1)) grl_fail("%s", msg);
  for (std::size_t k = 0; k < n.numel(); ++k) {
    const double v = double(n.cre()[k]);
    if (v != std::floor(v) || std::isinf(v) || (n.cim() && n.cim()[k] != 0))
      grl_fail("circshift: all values of N must be integers");
  }
}

template <class V> V circ(const V& x, const Mt& n) {
  shift_counts(n);
  if (n.numel() > x.ndims())
    grl_fail("circshift: N must be a vector, no longer than the number of dimensions in X");
  if (x.ndims() > 2) {
    sizes by;
    for (std::size_t k = 0; k < n.numel(); ++k) by.push_back(shift_of(n.cre()[k], x.extent(k)));
    if (n.numel() == 1) {
      // One count shifts the first dimension that is not 1.
      std::size_t d = 0;
      while (d < x.ndims() && x.extent(d) == 1) ++d;
      by.assign(d + 1, 0);
      by[d] = shift_of(n.cre()[0], x.extent(d));
    }
    return shp::shift_along(x, by);
  }
  if (n.numel() == 2) return shift(x, shift_of(n.cre()[0], x.rows()), shift_of(n.cre()[1], x.cols()));
  const double s = n.cre()[0];
  if (x.rows() != 1) return shift(x, shift_of(s, x.rows()), 0);
  return shift(x, 0, shift_of(s, x.cols()));
}

template <class V> V circ_dim(const V& x, const Mt& n, const Mt& dim) {
  if (n.numel() != 1) grl_fail("circshift: N must be a scalar when DIM is also specified");
  shift_counts(n);
  const int d = dim_arg(dim, "circshift");
  const double s = n.cre()[0];
  if (x.ndims() > 2 || d > 2) {
    sizes by(std::size_t(d), 0);
    by[std::size_t(d - 1)] = shift_of(s, x.extent(std::size_t(d - 1)));
    return shp::shift_along(x, by);
  }
  if (d == 1) return shift(x, shift_of(s, x.rows()), 0);
  return shift(x, 0, shift_of(s, x.cols()));
}

}  // namespace

// flip(x) reverses the first dimension that is not 1; flip(x, dim) the given one, and
// every dimension beyond the second has length 1, so flipping it changes nothing.
template <class V> V flip_dim(const V& x, int d) {
  if (x.ndims() > 2 || d > 2) return d > int(x.ndims()) ? x : shp::flip_along(x, std::size_t(d - 1));
  return d == 1 ? flip_ud(x) : flip_lr(x);
}
static int first_long_dim(const sizes& e) {
  for (std::size_t k = 0; k < e.size(); ++k)
    if (e[k] != 1) return int(k + 1);
  return 1;
}
// A structure array moves its elements as the numbers of its elements move.
Mt flip(const Mt& x) {
  if (x.st_) return struct_pick(x, flip(struct_numbers(x)));
  return flip_dim(x, first_long_dim(x.shape()));
}
Mt flip(const Mt& x, const Mt& dim) {
  if (x.st_) return struct_pick(x, flip(struct_numbers(x), dim));
  return flip_dim(x, dim_arg(dim, "flip"));
}
Mc flip(const Mc& x) { return flip_dim(x, first_long_dim(x.shape())); }
Mc flip(const Mc& x, const Mt& dim) { return flip_dim(x, dim_arg(dim, "flip")); }
// A value of any class that holds a cell flips, shifts and reshapes as the cell.
Mt fliplr(const Mt& x) {
  if (x.st_) return struct_pick(x, fliplr(struct_numbers(x)));
  return x.holds_cell() ? Mt::of_cell(fliplr(x.held_cell())) : flip_lr(x);
}
Mt flipud(const Mt& x) {
  if (x.st_) return struct_pick(x, flipud(struct_numbers(x)));
  return x.holds_cell() ? Mt::of_cell(flipud(x.held_cell())) : flip_ud(x);
}
Mc fliplr(const Mc& x) { return flip_lr(x); }
Mc flipud(const Mc& x) { return flip_ud(x); }
Mt rot90(const Mt& x) {
  if (x.st_) return struct_pick(x, rot90(struct_numbers(x)));
  return rotate(x, 1);
}
Mt rot90(const Mt& x, const Mt& k) {
  if (x.st_) return struct_pick(x, rot90(struct_numbers(x), k));
  return rotate(x, quarter_turns(k));
}
Mc rot90(const Mc& x) { return rotate(x, 1); }
Mc rot90(const Mc& x, const Mt& k) { return rotate(x, quarter_turns(k)); }
Mt circshift(const Mt& x, const Mt& n) {
  if (x.st_) return struct_pick(x, circshift(struct_numbers(x), n));
  return x.holds_cell() ? Mt::of_cell(circshift(x.held_cell(), n)) : circ(x, n);
}
Mt circshift(const Mt& x, const Mt& n, const Mt& dim) {
  if (x.st_) return struct_pick(x, circshift(struct_numbers(x), n, dim));
  return x.holds_cell() ? Mt::of_cell(circshift(x.held_cell(), n, dim)) : circ_dim(x, n, dim);
}
Mc circshift(const Mc& x, const Mt& n) { return circ(x, n); }
Mc circshift(const Mc& x, const Mt& n, const Mt& dim) { return circ_dim(x, n, dim); }
