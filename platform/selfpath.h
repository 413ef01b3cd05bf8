// The running program's own file, as a real path (links resolved).
#pragma once
#include <string>

namespace platform {

// Empty when the path cannot be found.
std::string self_path();

}  // namespace platform
