// STRRMV: removes the first occurrence of one text from another.
#include <cstring>

#include "driver/diag.h"
#include "driver/helpers.h"

namespace util {

int strrmv(char* s1, const char* s2) {
  KASSERT("STRRMV", s1!=NULL);
  KASSERT("STRRMV", s2!=NULL);
  char* hit = std::strstr(s1, s2);
  if (!hit) return 0;
  const std::size_t n = std::strlen(s2);
  std::memmove(hit, hit + n, std::strlen(hit + n) + 1);
  return 1;
}

int strrmv(std::string& s1, const std::string& s2) {
  const std::size_t at = s1.find(s2);
  if (at == std::string::npos) return 0;
  s1.erase(at, s2.size());
  return 1;
}

}  // namespace util
