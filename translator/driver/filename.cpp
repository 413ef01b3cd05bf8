// Parts of file names: extension, dots, base name.
#include <cctype>
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

std::string m_stem(const std::string& name) {
  const std::size_t n = name.size();
  return n > 2 && name.compare(n - 2, 2, ".m") == 0 ? name.substr(0, n - 2) : name;
}

std::string cpp_stem(const std::string& stem) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : stem) {
    if (std::isalnum(c) || c == '_') {
      out.push_back(static_cast<char>(c));
    } else {
      out += '_';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  if (!out.empty() && std::isdigit(static_cast<unsigned char>(out[0]))) out.insert(0, "m");
  return out;
}

}  // namespace util
