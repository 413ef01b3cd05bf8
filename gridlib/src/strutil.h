// Conversions between char values and C++ strings, shared by the library's string and
// file modules (internal, not installed).
#ifndef GRIDLIB_STRUTIL_H
#define GRIDLIB_STRUTIL_H

#include <cmath>
#include <string>
#include <vector>

#include "gridlib.h"

namespace grl {
typedef M<m_type> Mt;
namespace su {

// Backslash escapes as printf formats spell them: \n \t \\ \a \b \f \r \v \" \', octal
// \ooo and hex \xhh; an unknown escape warns and stands for its character.
std::string expand_escapes(const std::string& s);

// The characters of a value, column by column (a char row is its text). Codes outside
// 0..255 (and non-integers) are taken modulo 256, as a byte is all a C string holds.
inline std::string text(const Mt& x) {
  std::string s;
  const std::size_t n = x.numel();
  s.resize(n);
  const m_type* re = x.cre();
  for (std::size_t k = 0; k < n; ++k) {
    double v = double(re[k]);
    long c = std::isfinite(v) ? long(v) : 0;
    s[k] = char((unsigned long)(c) & 0xFFu);
  }
  return s;
}

// The characters of row i of a char matrix.
inline std::string row_text(const Mt& x, std::size_t i) {
  std::string s(x.cols(), ' ');
  for (std::size_t j = 0; j < x.cols(); ++j) s[j] = char((unsigned long)(long(x.cre()[i + j * x.rows()])) & 0xFFu);
  return s;
}

// A char row holding s ('' is 0x0, as MATLAB writes an empty string).
inline Mt str(const std::string& s) {
  Mt m = s.empty() ? Mt::alloc(0, 0) : Mt::alloc(1, s.size());
  m_type* p = s.empty() ? nullptr : m.pr();
  for (std::size_t k = 0; k < s.size(); ++k) p[k] = m_type((unsigned char)s[k]);
  m.set_flags(F_STRING);
  return m;
}

// A char matrix of the given rows, each padded with blanks to the longest.
inline Mt char_rows(const std::vector<std::string>& rows) {
  std::size_t w = 0;
  for (const std::string& r : rows) w = r.size() > w ? r.size() : w;
  Mt m = Mt::alloc(rows.size(), w);
  m_type* p = m.numel() ? m.pr() : nullptr;
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t j = 0; j < w; ++j)
      p[i + j * rows.size()] = m_type(j < rows[i].size() ? (unsigned char)rows[i][j] : ' ');
  m.set_flags(F_STRING);
  return m;
}

// The real value of a scalar argument; `dflt` when it is missing (empty).
inline double num(const Mt& x, double dflt) { return x.isempty() ? dflt : double(x.cre()[0]); }

inline Mt boolean(bool b) {
  Mt m(b ? m_type(1) : m_type(0));
  m.set_flags(F_LOGICAL);
  return m;
}

// The name a named function handle shows (display, func2str): the program's C++ name
// file__helper of a local function shows as helper, its name in the M-file.
inline std::string handle_shown_name(const Mt& h) {
  const std::string s = text(h);
  if (!s.empty() && s[0] == '@') return s;   // anonymous: its text
  const std::size_t sep = s.rfind("__");
  return sep != std::string::npos && sep > 0 && sep + 2 < s.size() ? s.substr(sep + 2) : s;
}

}  // namespace su
}  // namespace grl

#endif
