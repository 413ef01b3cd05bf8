// SKIPSPAC: skipping blanks and words.
#include <cctype>

#include "driver/helpers.h"

namespace util {
namespace {
bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
}  // namespace

const char* skipspace(const char* p) {
  while (*p && blank(*p)) ++p;
  return p;
}

const char* skipword(const char* p) {
  while (*p && !blank(*p)) ++p;
  return p;
}

std::size_t skipspace(const std::string& s, std::size_t pos) {
  while (pos < s.size() && blank(s[pos])) ++pos;
  return pos < s.size() ? pos : s.size();
}

std::size_t skipword(const std::string& s, std::size_t pos) {
  while (pos < s.size() && !blank(s[pos])) ++pos;
  return pos < s.size() ? pos : s.size();
}

}  // namespace util
