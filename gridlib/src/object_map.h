// containers.Map inside the library (internal, not installed): the hooks through which
// indexing, field access, size functions, class and display serve a value holding a
// map. A map lives in the value's fn_ (shared between copies, so a copy is the same
// map) without the handle flag.
#ifndef GRIDLIB_OBJECT_MAP_H
#define GRIDLIB_OBJECT_MAP_H

#include <string>

#include "gridlib.h"

namespace grl {
// Only a value made by containers.Map: fn_ also holds the closures of handles, which
// text made from a handle (func2str) keeps.
bool is_map(const M<m_type>& x);
// m(key) and m(key) = value.
M<m_type> map_get(const M<m_type>& map, const ix<m_type>& key);
void map_set(const M<m_type>& map, const ix<m_type>& key, const M<m_type>& value);
// m.Count, m.KeyType, m.ValueType (a value the map keeps, valid while the map lives).
const M<m_type>& map_property(const M<m_type>& map, const std::string& name);
std::size_t map_count(const M<m_type>& map);
// The text shown for `m` (display) and disp(m).
std::string map_display(const char* name);
std::string map_disp(const M<m_type>& map);
}  // namespace grl

#endif
