// Strings: building, joining, trimming and changing the case of char values.
#ifndef GRIDLIB_STR_H
#define GRIDLIB_STR_H

#include <initializer_list>
#include <vector>

#include "gridlib_matrix.h"

namespace grl {
typedef std::vector<M<m_type>> str_list;
M<m_type> strcat_v(const str_list& parts);
M<m_type> strvcat_v(const str_list& parts);
M<m_type> char_v(const str_list& parts);
}  // namespace grl

// --- building ------------------------------------------------------------------------
// strcat(a, b, ...): rows joined; trailing blanks of char arguments dropped. With a
// cell among the arguments the result is a cell: element by element, a char argument
// (trimmed) or a 1 x 1 cell standing for every element.
namespace grl {
template <class X>
inline constexpr bool cell_arg = std::is_same_v<X, M<M<m_type>>> ||
                                 (std::is_convertible_v<const X&, M<M<m_type>>> &&
                                  !std::is_convertible_v<const X&, M<m_type>>);
M<M<m_type>> strcat_piece(const M<m_type>& s);
inline M<M<m_type>> strcat_piece(const M<M<m_type>>& c) { return c; }
M<M<m_type>> strcat_c(const std::vector<M<M<m_type>>>& parts);
}  // namespace grl
template <class A1, class... A> inline auto strcat_M(const A1& a, const A&... b) {
  if constexpr (grl::cell_arg<A1> || (grl::cell_arg<A> || ...))
    return grl::strcat_c({grl::strcat_piece(a), grl::strcat_piece(b)...});
  else
    return grl::strcat_v(grl::arg_list<m_type>(a, b...));
}
// strvcat(a, b, ...): the rows of all arguments, empty ones left out, padded with blanks.
template <class A1, class... A> inline M<m_type> strvcat(const A1& a, const A&... b) {
  return grl::strvcat_v(grl::arg_list<m_type>(a, b...));
}
// char(x): codes to characters; char(a, b, ...) and char(cell): rows padded with blanks.
template <class A1, class... A> inline M<m_type> char_M(const A1& a, const A&... b) {
  return grl::char_v(grl::arg_list<m_type>(a, b...));
}
template <class A1, class... A> inline M<m_type> setstr(const A1& a, const A&... b) {
  return grl::char_v(grl::arg_list<m_type>(a, b...));
}
M<m_type> double_M(const M<m_type>& x);
// dec2bin(d, len) and dec2hex(d, len): a char row per element, zero-padded to a common
// width of at least len; bin2dec(s) and hex2dec(s): a column, one value per row of s
// or per string of a cell, NaN for text that is no number in that base.
M<m_type> dec2bin(const M<m_type>& d);
M<m_type> dec2bin(const M<m_type>& d, const M<m_type>& len);
M<m_type> dec2hex(const M<m_type>& d);
M<m_type> dec2hex(const M<m_type>& d, const M<m_type>& len);
M<m_type> bin2dec(const M<m_type>& s);
M<m_type> bin2dec(const M<M<m_type>>& s);
M<m_type> hex2dec(const M<m_type>& s);
M<m_type> hex2dec(const M<M<m_type>>& s);
M<m_type> blanks(const M<m_type>& n);
M<m_type> deblank(const M<m_type>& s);
M<m_type> strtrim(const M<m_type>& s);
M<m_type> upper(const M<m_type>& s);
M<m_type> lower(const M<m_type>& s);
// The same on each string of a cell.
M<M<m_type>> deblank(const M<M<m_type>>& c);
M<M<m_type>> strtrim(const M<M<m_type>>& c);
M<M<m_type>> upper(const M<M<m_type>>& c);
M<M<m_type>> lower(const M<M<m_type>>& c);
M<m_type> strjust(const M<m_type>& s, const M<m_type>& mode = M<m_type>());

#endif
