// A fresh directory for one test, and the shell quoting the tests' commands need.
#pragma once
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace testutil {

// Made under the system's temporary directory as korval-<tag>-XXXXXX; removed with
// everything in it when the test ends.
class scratch_dir {
 public:
  explicit scratch_dir(const std::string& tag) {
    std::string tmpl =
        (std::filesystem::temp_directory_path() / ("korval-" + tag + "-XXXXXX")).string();
    if (!::mkdtemp(&tmpl[0])) throw std::runtime_error("mkdtemp " + tmpl);
    path_ = tmpl;
  }
  ~scratch_dir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  scratch_dir(const scratch_dir&) = delete;
  scratch_dir& operator=(const scratch_dir&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// s as one word of a POSIX shell command.
inline std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace testutil
