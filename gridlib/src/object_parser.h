// inputParser inside the library (internal, not installed): the hooks through which
// field access, size functions, class and display serve a value holding a parser. Like
// a containers.Map, a parser lives in the value's fn_, shared by every copy (a handle).
#ifndef GRIDLIB_OBJECT_PARSER_H
#define GRIDLIB_OBJECT_PARSER_H

#include <string>
#include <vector>

#include "gridlib.h"

namespace grl {
bool is_parser(const M<m_type>& x);
// p.Results, p.Unmatched, p.UsingDefaults, p.Parameters, p.FunctionName, ... read (a
// value the parser keeps, valid while it lives) and written (the settable ones).
const M<m_type>& parser_property(const M<m_type>& p, const std::string& name);
M<m_type>& parser_property_ref(const M<m_type>& p, const std::string& name);
// p.addRequired(...), p.parse(...), ...: the methods; nullptr-free, an unknown name is
// an error.
M<m_type> parser_method(const M<m_type>& p, const std::string& name, const std::vector<M<m_type>>& args);
// The text shown for `p` (display) and disp(p).
std::string parser_disp(const M<m_type>& p);
}  // namespace grl

#endif
