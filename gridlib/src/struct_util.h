// What the library's own numeric code needs to know of structures.
#ifndef GRIDLIB_STRUCT_UTIL_H
#define GRIDLIB_STRUCT_UTIL_H

#include "gridlib.h"

namespace grl {
// a op b where a or b is a structure: no operator takes one.
[[noreturn]] void struct_binop_fail(const char* op, const M<m_type>& a, const M<m_type>& b);
}  // namespace grl

#endif
