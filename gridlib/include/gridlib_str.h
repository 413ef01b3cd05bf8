// Strings: building, joining, trimming and changing the case of char values.
#ifndef GRIDLIB_STR_H
#define GRIDLIB_STR_H

#include <initializer_list>
#include <vector>

#include "gridlib_matrix.h"

namespace grl {
typedef std::initializer_list<M<m_type>> str_list;
M<m_type> strcat_v(str_list parts);
M<m_type> strvcat_v(str_list parts);
M<m_type> char_v(str_list parts);
}  // namespace grl

// --- building ------------------------------------------------------------------------
// strcat(a, b, ...): rows joined; trailing blanks of char arguments dropped.
template <class... A> inline M<m_type> strcat_M(const M<m_type>& a, const A&... b) {
  return grl::strcat_v({a, M<m_type>(b)...});
}
// strvcat(a, b, ...): the rows of all arguments, empty ones left out, padded with blanks.
template <class... A> inline M<m_type> strvcat(const M<m_type>& a, const A&... b) {
  return grl::strvcat_v({a, M<m_type>(b)...});
}
// char(x): codes to characters; char(a, b, ...) and char(cell): rows padded with blanks.
template <class... A> inline M<m_type> char_M(const M<m_type>& a, const A&... b) {
  return grl::char_v({a, M<m_type>(b)...});
}
template <class... A> inline M<m_type> setstr(const M<m_type>& a, const A&... b) {
  return grl::char_v({a, M<m_type>(b)...});
}
M<m_type> double_M(const M<m_type>& x);
M<m_type> blanks(const M<m_type>& n);
M<m_type> deblank(const M<m_type>& s);
M<m_type> strtrim(const M<m_type>& s);
M<m_type> upper(const M<m_type>& s);
M<m_type> lower(const M<m_type>& s);
M<m_type> strjust(const M<m_type>& s, const M<m_type>& mode = M<m_type>());

#endif
