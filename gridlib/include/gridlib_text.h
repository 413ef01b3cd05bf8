// Text output of values: the display of a statement without semicolon, disp, the
// printf family and the number-to-text conversions (num2str, int2str, mat2str).
#ifndef GRIDLIB_TEXT_H
#define GRIDLIB_TEXT_H

#include <cstdio>
#include <string>

#include "gridlib_matrix.h"

#ifndef GRL_QUIET_DEFINED
#define GRL_QUIET_DEFINED
namespace grl {
// A result that the display statement does not print (disp, fprintf).
struct quiet : M<m_type> {
  using M<m_type>::M;
  quiet() = default;
  quiet(const M<m_type>& m) : M<m_type>(m) {}
};
}  // namespace grl
#endif

namespace grl {

// What "name = value" without a semicolon prints, written to standard output.
void show(const M<m_type>& x, const char* name);
void show(const M<M<m_type>>& x, const char* name);

// The texts that show and disp write.
std::string display_text(const M<m_type>& x, const char* name);
std::string display_text(const M<M<m_type>>& x, const char* name);
std::string disp_text(const M<m_type>& x);
std::string disp_text(const M<M<m_type>>& x);

// Writes s to standard output.
void put_text(const std::string& s);
}  // namespace grl

grl::quiet disp(const M<m_type>& x);
grl::quiet disp(const M<M<m_type>>& x);

#endif
