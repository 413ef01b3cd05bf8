// inputname: the names of the variables a function was called with. The statement that
// calls such a function first lists the names of its arguments (pass_names: a name
// for a plain variable, "" for any other argument); the function takes its list when
// it starts (take_names). Calls made while the arguments are worked out take their own
// lists: a function takes the latest list made for it, so nested calls pair up.
#ifndef GRIDLIB_NAMES_H
#define GRIDLIB_NAMES_H

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "gridlib.h"

namespace grl {

struct arg_names {
  std::string function;
  std::vector<std::string> names;
};

inline std::vector<arg_names>& pending_arg_names() {
  static thread_local std::vector<arg_names> lists;
  return lists;
}

// A list no call took (a call skipped by && or an error) is dropped when too many wait.
inline void pass_names(const char* function, std::initializer_list<const char*> names) {
  std::vector<arg_names>& lists = pending_arg_names();
  if (lists.size() >= 64) lists.erase(lists.begin());
  lists.push_back(arg_names{function, std::vector<std::string>(names.begin(), names.end())});
}

inline arg_names take_names(const char* function) {
  std::vector<arg_names>& lists = pending_arg_names();
  for (std::size_t k = lists.size(); k-- > 0;) {
    if (lists[k].function != function) continue;
    arg_names out = std::move(lists[k]);
    lists.erase(lists.begin() + long(k));
    return out;
  }
  return arg_names{function, {}};
}

// inputname(k): the name of argument k, '' when it was no plain variable, when the
// function was reached without a list (through a handle or feval) or when fewer
// arguments were given.
inline M<m_type> inputname_of(const arg_names& a, const M<m_type>& k) {
  const double n = k.numel() == 1 && !k.holds_cell() ? double(k.cre()[0]) : 0;
  if (!(n >= 1) || n != double(long(n))) grl_fail("inputname: N must be a scalar index");
  const std::size_t at = std::size_t(n) - 1;
  return TM(at < a.names.size() ? a.names[at].c_str() : "");
}

}  // namespace grl

#endif
