#include "test_util.h"

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ptest {

temp_dir::temp_dir() {
  char buf[4096];
  if (!::getcwd(buf, sizeof buf)) throw std::runtime_error("getcwd");
  old_cwd_ = buf;
  std::string tmpl = (std::filesystem::temp_directory_path() / "korval-project-XXXXXX").string();
  if (!::mkdtemp(&tmpl[0])) throw std::runtime_error("mkdtemp");
  path_ = tmpl;
  if (::chdir(path_.c_str()) != 0) throw std::runtime_error("chdir");
}

temp_dir::~temp_dir() {
  if (::chdir(old_cwd_.c_str()) != 0) return;
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

void make_dir(const std::string& path) { std::filesystem::create_directories(path); }

void set_mtime(const std::string& path, long sec) {
  struct timeval tv[2];
  tv[0].tv_sec = tv[1].tv_sec = sec;
  tv[0].tv_usec = tv[1].tv_usec = 0;
  ::utimes(path.c_str(), tv);
}

}  // namespace ptest
