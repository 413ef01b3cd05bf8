// getfield and setfield along a path of fields and indexes, rewritten in the source
// before it is read as the field references they stand for:
//   getfield(s, 'a', 'b')            s.a.b
//   getfield(s, {2}, 'k', {1, 3})    s(2).k(1, 3)
//   t = setfield(s, 'a', name, v);   t = s; t.a.(name) = v;
// A path of one field stays a library call. setfield is rewritten where it is the
// whole right-hand side of an assignment to a variable; elsewhere it stays a call.
#pragma once
#include <string>

std::string field_path_calls(const std::string& source);
