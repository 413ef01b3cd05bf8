// Parts of file names: extension, dots, base name.
#include <algorithm>

#include "driver/helpers.h"

namespace util {

std::string extension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

int count_dots(const std::string& name) {
  return static_cast<int>(std::count(name.begin(), name.end(), '.'));
}

std::string base_name(const std::string& name) { return name.substr(0, name.find('.')); }

}  // namespace util
