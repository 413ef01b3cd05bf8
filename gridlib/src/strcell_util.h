// Shared helpers of the string and cell functions (internal, not installed).
#ifndef GRIDLIB_STRCELL_UTIL_H
#define GRIDLIB_STRCELL_UTIL_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "gridlib.h"
#include "strutil.h"

namespace grl {
typedef M<M<m_type>> Mc;
namespace sc {

// A logical rows x cols array, every element false.
inline Mt falses(std::size_t rows, std::size_t cols) {
  Mt m = Mt::zeros(rows, cols);
  m.set_flags(F_LOGICAL);
  return m;
}

// A char row holding s; an empty s is 1x0 when `row` and 0x0 otherwise, as the
// functions differ in which empty they give.
inline Mt chars(const std::string& s, bool row) {
  if (s.empty() && !row) return su::str("");
  Mt m = Mt::alloc(1, s.size());
  m_type* p = s.empty() ? nullptr : m.pr();
  for (std::size_t k = 0; k < s.size(); ++k) p[k] = m_type((unsigned char)s[k]);
  m.set_flags(F_STRING);
  return m;
}

// A cell of the given shape whose elements are all [].
inline Mc cells_of(std::size_t rows, std::size_t cols) { return Mc::alloc(rows, cols); }

// True when every element of c is a char value.
inline bool all_text(const Mc& c) {
  for (std::size_t k = 0; k < c.numel(); ++k)
    if (!c.elem(k).ischar()) return false;
  return true;
}

// The char or logical flag of a value, for results of the same class.
inline std::uint32_t class_flags(const Mt& x) {
  return x.ischar() ? std::uint32_t(F_STRING) : x.islogical() ? std::uint32_t(F_LOGICAL) : 0u;
}

// A white-space character code.
inline bool white(double c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace sc
}  // namespace grl

#endif
