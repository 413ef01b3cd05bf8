// Work along one dimension of a value of any number of dimensions: the value seen as
// lanes, each the elements along that dimension with the other subscripts fixed.
#ifndef GRIDLIB_DATA_LANES_H
#define GRIDLIB_DATA_LANES_H

#include "math_util.h"
#include "gridlib_extra.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace grl {
namespace lane {

// Element t of lane l of a value whose lanes have n elements and lie stride apart.
struct layout {
  std::size_t stride = 1, n = 0, count = 0;
  std::size_t at(std::size_t l, std::size_t t) const {
    return (l / stride) * stride * n + (l % stride) + t * stride;
  }
};

// The lanes of x along dimension dim (from 1; beyond the last, lanes of one element).
// Lanes of no elements still count (a reduction gives each of them a value).
inline layout of(const Mt& x, std::size_t dim) {
  layout w;
  w.count = 1;
  for (std::size_t k = 0; k < x.ndims(); ++k) {
    if (k + 1 < dim) w.stride *= x.extent(k);
    if (k + 1 != dim) w.count *= x.extent(k);
  }
  w.n = dim <= x.ndims() ? x.extent(dim - 1) : 1;
  return w;
}

// The extents of x with extent m along dim.
inline sizes with_extent(const Mt& x, std::size_t dim, std::size_t m) {
  sizes d;
  for (std::size_t k = 0; k < x.ndims() || k < dim; ++k) d.push_back(k < x.ndims() ? x.extent(k) : 1);
  d[dim - 1] = m;
  return d;
}

// A dimension argument: a positive whole number (fn's message otherwise).
inline std::size_t dim_of(const Mt& d, const char* fn) {
  if (d.numel() != 1 || d.isc() || d.ischar() || d.holds_cell() || d.holds_struct())
    grl_fail("%s: DIM must be a positive integer", fn);
  const double v = double(d.cre()[0]);
  if (!(v >= 1 && v <= 64) || v != std::floor(v)) grl_fail("%s: DIM must be a positive integer", fn);
  return std::size_t(v);
}

// The numbers of a real numeric, logical or char value fn works on.
inline void numbers_only(const Mt& x, const char* fn) {
  if (x.holds_cell() || x.holds_struct() || (x.flags_ & F_HANDLE))
    grl_fail("%s: X must be a numeric array", fn);
  if (x.isc()) grl_fail("%s: X must be real", fn);
}

// A result in double, or single when x is single.
inline Mt float_result(Mt o, const Mt& x) {
  if (class_of(x) == mc_single) apply_class(o, mc_single);
  return o;
}

}  // namespace lane
}  // namespace grl

#endif
