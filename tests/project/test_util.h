// Helpers shared by the project tests: a fresh temporary directory that the test works
// in (and leaves again), and small file utilities.
#pragma once
#include <string>

namespace ptest {

// Creates a fresh directory, makes it the current directory, and on destruction goes
// back and removes it with everything in it.
class temp_dir {
 public:
  temp_dir();
  ~temp_dir();
  temp_dir(const temp_dir&) = delete;
  temp_dir& operator=(const temp_dir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string old_cwd_;
};

void write_file(const std::string& path, const std::string& text);
std::string read_file(const std::string& path);
bool exists(const std::string& path);
void make_dir(const std::string& path);
// Sets the modification time of path to sec seconds after the epoch.
void set_mtime(const std::string& path, long sec);

}  // namespace ptest
