// Comparing names the way Windows compares them: registry entries and project-file
// lines match whatever the case of their letters.
#pragma once
#include <cctype>
#include <string>

namespace platform {

inline bool same_ignoring_case(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace platform
