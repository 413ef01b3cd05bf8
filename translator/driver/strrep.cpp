// STRREP: replaces every occurrence of one text by another.
#include "driver/diag.h"
#include "driver/helpers.h"

namespace util {

void strrep(std::string& s, const std::string& from, const std::string& to) {
  // A replacement that contains the searched text would be found again forever.
  if (from.empty() || to.find(from) != std::string::npos) return;
  std::size_t at;
  while ((at = s.find(from)) != std::string::npos) s.replace(at, from.size(), to);
}

void strrep(std::string& s, const char* from, const char* to) {
  KASSERT("STRREP", from!=NULL);
  KASSERT("STRREP", to!=NULL);
  strrep(s, std::string(from), std::string(to));
}

}  // namespace util
