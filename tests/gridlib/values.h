// Builders of the small values the library's unit tests feed in: rows, columns,
// matrices filled column by column, and strings.
#ifndef KORVAL_TESTS_GRIDLIB_VALUES_H
#define KORVAL_TESTS_GRIDLIB_VALUES_H

#include <cstring>
#include <initializer_list>

#include "gridlib.h"

namespace gridlib_test {

typedef M<m_type> Mt;
typedef M<M<m_type>> Mc;

inline Mt row(std::initializer_list<double> v) {
  Mt m = Mt::alloc(1, v.size());
  std::size_t k = 0;
  for (double x : v) m.pr()[k++] = m_type(x);
  return m;
}
inline Mt col(std::initializer_list<double> v) {
  Mt m = row(v);
  m.reshape_to(v.size(), 1);
  return m;
}
// An r x c matrix of v taken in column order.
inline Mt mat(std::size_t r, std::size_t c, std::initializer_list<double> v) {
  Mt m = row(v);
  m.reshape_to(r, c);
  return m;
}
inline Mt str(const char* s) {
  Mt m = Mt::alloc(1, std::strlen(s));
  for (std::size_t k = 0; s[k]; ++k) m.pr()[k] = m_type(s[k]);
  m.set_flags(grl::F_STRING);
  return m;
}

}  // namespace gridlib_test

#endif
