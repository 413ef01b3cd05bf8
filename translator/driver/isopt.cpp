#include "driver/isopt.h"

#include <cstring>
#include <sys/stat.h>

#include "driver/diag.h"

bool is_switch(const char* a) {
  if (!a || (a[0] != '-' && a[0] != '/')) return false;
  struct stat st;
  return a[0] == '-' || stat(a, &st) != 0;
}

namespace {

// The index of the last argument that is switch `name`, or 0 when there is none.
int find_option(int argc, const char* const* argv, const char* name) {
  KASSERT("ISOPT", name != nullptr);
  const std::size_t n = std::strlen(name);
  for (int i = argc - 1; i >= 1; --i) {
    const char* a = argv[i];
    if (is_switch(a) && std::strncmp(a + 1, name, n) == 0) return i;
  }
  return 0;
}

}  // namespace

bool is_option(int argc, const char* const* argv, const char* name) {
  return find_option(argc, argv, name) != 0;
}

bool option_value(int argc, const char* const* argv, const char* name, std::string& value) {
  value.clear();
  const int i = find_option(argc, argv, name);
  if (i == 0) return false;
  const char* rest = argv[i] + 1 + std::strlen(name);
  if (*rest == ':' || *rest == '=') value = rest + 1;
  return true;
}
