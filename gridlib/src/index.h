// Resolving the indices of x(i) and x(i,j) into element positions, with the checks
// and Octave's wording of index faults. Shared by matrices and cells.
#ifndef GRIDLIB_INDEX_H
#define GRIDLIB_INDEX_H

#include "gridlib.h"

#include <string>
#include <vector>

namespace grl {

// One resolved index: zero-based positions, or every position of an extent.
struct positions {
  bool all = false;               // ":" over the extent
  std::vector<std::size_t> k;     // when not all
  std::size_t rows = 1, cols = 0; // the shape of the index value (for x(I) results)
  bool mask = false;              // a logical mask
  bool scalar = false;
  std::size_t count(std::size_t extent) const { return all ? extent : k.size(); }
  std::size_t at(std::size_t i) const { return all ? i : k[i]; }
  std::size_t max_plus1() const;  // the extent the index needs (0 when empty)
};

// Which index of how many, for messages: pos 0 of 1 is "x(5)", of 2 "x(5,_)" or "x(_,5)".
struct where {
  const char* name;
  int pos, of;
};

// Resolves an index; fails with Octave's message when a position is not a whole number
// >= 1, or (when `limit` is given) is beyond it.
positions resolve(const ix<m_type>& a, const where& w, std::size_t extent, bool check_bound);

[[noreturn]] void fail_bound(const where& w, double value, std::size_t bound, std::size_t rows, std::size_t cols);
// The same naming all extents of x: "(dimensions are 2x3x4)".
[[noreturn]] void fail_bound_dims(const where& w, double value, std::size_t bound, const M<m_type>& x);
// Growth that cannot keep the elements in place (x(9) = 1 for a 2 x 2 x).
[[noreturn]] void fail_resize();
// Extents as text: 2x3x4.
std::string dims_text(const sizes& d);
// Structure arrays indexed with three or more subscripts (struct.cpp).
M<m_type> struct_getn(const M<m_type>& s, const std::vector<ix<m_type>>& subs);
void struct_setn(M<m_type>& s, const std::vector<ix<m_type>>& subs, const M<m_type>& v);
void struct_deln(M<m_type>& s, const std::vector<ix<m_type>>& subs);
[[noreturn]] void fail_assign(std::size_t r1, std::size_t c1, std::size_t r2, std::size_t c2);

// x(i) = v of a logical x and real numbers v: x stays logical, so v is made logical
// (nonzero is true); NaN has no logical value. True when v was such numbers.
bool logical_values(const M<m_type>& x, M<m_type>& v, bool was_empty);

}  // namespace grl

#endif
