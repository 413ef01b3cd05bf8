#include "config/hostenv.h"

#include <cstdio>
#include <cstdlib>

namespace hostenv {

std::string getenv_str(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool is_set(const char* name) { return std::getenv(name) != nullptr; }

void set(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }


int run_shell(const char* command) {
  std::fflush(stdout);
  return std::system(command);
}
}  // namespace hostenv
