// The on/off states of warnings as a list, for warning's state structures (the
// error path keeps them; io_sys.cpp shows and restores them).
#ifndef GRIDLIB_WARNING_STATE_H
#define GRIDLIB_WARNING_STATE_H

#include <string>
#include <utility>
#include <vector>

namespace grl {
// ("all", the default state) first, then each identifier set apart from it.
std::vector<std::pair<std::string, bool>> warning_state_list();
}  // namespace grl

#endif
