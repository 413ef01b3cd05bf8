// Position maps over values of any number of dimensions, shared by the shape built-ins.
#ifndef GRIDLIB_SHAPE_ND_H
#define GRIDLIB_SHAPE_ND_H

#include "shape_util.h"

namespace grl {
// The numbers 1..n of a structure array's elements, in its shape, and the structure
// array whose elements those numbers pick (0: a new, empty element) in their shape:
// the shape built-ins work on the numbers and hand structures back (struct.cpp).
Mt struct_numbers(const Mt& s);
Mt struct_pick(const Mt& s, const Mt& numbers);

namespace shp {

// The product of the extents from `from` on.
std::size_t product(const sizes& d, std::size_t from = 0);
// The element offset of one step along each dimension.
sizes strides(const sizes& d);
// The extents with 1s added up to n dimensions.
sizes padded(const sizes& d, std::size_t n);

// Calls f(o, j) for every element of a value of extents e, o its offset and j its
// subscripts (from 0), column by column.
template <class F> void each_sub(const sizes& e, F f) {
  const std::size_t total = product(e);
  sizes j(e.size(), 0);
  for (std::size_t o = 0; o < total; ++o) {
    f(o, j);
    for (std::size_t k = 0; k < e.size(); ++k) {
      if (++j[k] < e[k]) break;
      j[k] = 0;
    }
  }
}

// A value of extents out whose element k is element src[k] of x.
template <class V> V pick_nd(const V& x, const sizes& out, const std::vector<std::size_t>& src);
// x reversed along dimension d (from 0).
template <class V> V flip_along(const V& x, std::size_t d);
// x shifted circularly by[k] places along each dimension k (from 0).
template <class V> V shift_along(const V& x, const sizes& by);
// x expanded to extents r: along each dimension where x has extent 1, its one element
// repeats.
Mt expand_to(const Mt& x, const sizes& r);
// x tiled reps[k] times along each dimension k.
template <class V> V tile_nd(const V& x, const sizes& reps);

}  // namespace shp
}  // namespace grl

#endif
