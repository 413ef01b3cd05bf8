// Objects of the M language that the library builds on its values: error objects made
// by MException (the same structure a catch block gives: message, identifier, stack)
// and containers.Map, a table from text or number keys to values of any class. A map
// is a handle: copies of it refer to the same table. Indexing m(key), m(key) = value,
// m.Count, m.KeyType and m.ValueType work on any variable that holds one, through the
// library's indexing and field access.
#ifndef GRIDLIB_OBJECTS_H
#define GRIDLIB_OBJECTS_H

#include <vector>

#include "gridlib_matrix.h"
#include "gridlib_core.h"

namespace grl {
M<m_type> mexception_args(const std::vector<M<m_type>>& a);
M<m_type> map_args(const std::vector<M<m_type>>& a);
// Whether x holds a containers.Map, and m.name(args): keys, values, isKey, remove,
// length, Count, KeyType, ValueType called in the method form.
bool is_map(const M<m_type>& x);
M<m_type> map_method(const M<m_type>& map, const char* name, const std::vector<M<m_type>>& args);
}  // namespace grl

// MException(id, format, a, ...): an error value that throw, rethrow and error raise.
template <class... A> inline M<m_type> MException(const A&... a) {
  return grl::mexception_args(grl::arg_list<m_type>(a...));
}
// MException.last (read as MException_last): the last error that nothing caught. An
// error that nothing catches ends a compiled program, so while it runs there is none:
// the value is the empty error value (identifier and message '', a 0x1 stack, no
// cause), the one MException.last('reset') leaves.
M<m_type> MException_last(const M<m_type>& option = M<m_type>());
// throw(err): raises the error err describes from here (its stack is the calls
// running now).
grl::quiet throw_M(const M<m_type>& err);
// throwAsCaller(err): the same from the caller's place: the stack leaves out the
// function that raises it.
grl::quiet throwAsCaller(const M<m_type>& err);
// addCause(err, cause): err with cause added to its field cause (a column cell of
// error values, made when err has none).
M<m_type> addCause(const M<m_type>& err, const M<m_type>& cause);

// containers.Map(), containers.Map(keys, values [, 'UniformValues', tf]) and
// containers.Map('KeyType', kt, 'ValueType', vt).
template <class... A> inline M<m_type> containers_Map(const A&... a) {
  return grl::map_args(grl::arg_list<m_type>(a...));
}
// The keys in order (a row cell), the values in that order or of the keys given,
// whether each key is present, and the map without the keys given.
M<m_type> keys_M(const M<m_type>& map);
M<m_type> values_M(const M<m_type>& map);
M<m_type> values_M(const M<m_type>& map, const M<m_type>& keys);
M<m_type> isKey(const M<m_type>& map, const M<m_type>& keys);
M<m_type> remove_M(const M<m_type>& map, const M<m_type>& keys);
M<m_type> isobject(const M<m_type>& x);

#endif
