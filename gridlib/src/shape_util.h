// Shared helpers of the shape built-ins: building a value from a map of source
// positions (flips, rotations, shifts, diagonals and triangles are all such maps), and
// the integer arguments those functions take.
#ifndef GRIDLIB_SHAPE_UTIL_H
#define GRIDLIB_SHAPE_UTIL_H

#include "math_util.h"

#include <cstddef>
#include <vector>

namespace grl {
namespace shp {

// The source position that leaves an element zero (an empty matrix in a cell).
constexpr std::size_t none = std::size_t(-1);

// The position map of an r x c result, every entry `fill`. Fails as an allocation of
// that size would, before any memory is taken.
std::vector<std::size_t> positions(std::size_t r, std::size_t c, std::size_t fill = 0);

// An r x c value whose element k is element src[k] of x, or zero where src[k] is none.
// A matrix keeps its char and logical flags.
Mt pick(const Mt& x, std::size_t r, std::size_t c, const std::vector<std::size_t>& src);
Mc pick(const Mc& x, std::size_t r, std::size_t c, const std::vector<std::size_t>& src);

// The first element of a real numeric argument, cut to an integer toward zero, as the
// diagonal index k of diag, tril and triu is read; fails with msg when there is none.
long whole(const Mt& k, const char* msg);

inline bool is_vector(std::size_t r, std::size_t c) { return r == 1 || c == 1; }

}  // namespace shp
}  // namespace grl

#endif
