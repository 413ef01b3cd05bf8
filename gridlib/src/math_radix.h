// A stable radix sort of real numbers for sort on long vectors: faster than a
// comparison sort once a group holds more than a few thousand elements.
#ifndef GRIDLIB_MATH_RADIX_H
#define GRIDLIB_MATH_RADIX_H

#include "math_util.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace grl {
namespace mth {

// Groups at least this long go through the radix sort.
constexpr std::size_t RADIX_MIN = 2048;

// Sorts the n elements a[0], a[stride], ... stably: ascending with NaN last, or
// descending with NaN first; -0 and +0 are equal. order receives the positions
// (from 0) of the sorted elements.
void radix_order(const m_type* a, std::size_t n, std::size_t stride, bool desc,
                 std::vector<std::uint32_t>& order);

// Sorts the values alone, as radix_order would order them, into out[0],
// out[out_stride], ...; false (and nothing written) when the group holds a -0, whose
// place among the zeros only the positions of radix_order keep.
bool radix_values(const m_type* a, std::size_t n, std::size_t stride, bool desc, m_type* out,
                  std::size_t out_stride);

}  // namespace mth
}  // namespace grl

#endif
