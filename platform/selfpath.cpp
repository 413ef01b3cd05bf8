#include "platform/selfpath.h"

#include <climits>
#include <cstdlib>

namespace platform {

std::string self_path() {
  char buf[PATH_MAX];
  if (!realpath("/proc/self/exe", buf)) return std::string();
  return buf;
}

}  // namespace platform
