#include "project/mpath.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "driver/diag.h"
#include "translate/packages.h"

namespace {

// A candidate M-file counts when it can be opened for reading; directories of the same
// name do not count, they are not M-files.
bool file_exists(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

bool mtime(const std::string& path, struct timespec& t) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  t = st.st_mtim;
  return true;
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

void mpath_t::add_dir(const std::string& dir) {
  dirs_.push_back(dir);
  if (count() > kMaxDirs) diag::error("mpath has too many lines");
}

void mpath_t::add_line(const std::string& line) {
  std::string text = line;
  // Unix automounters put /tmp_mnt in front of mounted paths; the path is valid without.
  if (text.compare(0, 8, "/tmp_mnt") == 0) text.erase(0, 8);
  for (char& c : text)
    if (c == '\\') c = '/';
  // Of a Windows path list only the first element is used.
  const std::size_t semi = text.find(';');
  if (semi != std::string::npos) text.resize(semi);
  std::size_t start = 0;
  while (start < text.size() && is_space(text[start])) ++start;
  text.erase(0, start);
  if (text.empty()) {
    add_dir(std::string());
    return;
  }
  if (text.back() != '/' && text.back() != '\\') text.push_back('/');
  add_dir(text);
  add_dir(text + "private/");
}

void mpath_t::load(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "r"), std::fclose);
  if (!f) {
    diag::warning("could not open mpath");
    return;
  }
  // Each read takes at most kLineLimit characters; a longer line goes on as the next one.
  char buf[kLineLimit + 1];
  while (std::fgets(buf, sizeof buf, f.get())) {
    std::string line(buf);
    if (!line.empty() && line.back() == '\n') {
      line.pop_back();
      // A path file written on Windows ends its lines with CR LF.
      if (!line.empty() && line.back() == '\r') line.pop_back();
    }
    add_line(line);
  }
}

bool mpath_t::locate(const std::string& name, std::string& dir, std::string& file) const {
  file = name.find(".m") == std::string::npos ? name + ".m" : name;
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& d : dirs_) {
      dir = pass == 0 ? d : d + "private/";
      if (file_exists(dir + file)) return true;
    }
  }
  const std::string package = package_file(name);
  if (package.empty()) return false;
  // (A package folder is no private/ of a caller's.)
  file = package + ".m";
  for (const std::string& d : dirs_) {
    dir = d;
    if (file_exists(dir + file)) return true;
  }
  return false;
}

std::optional<std::string> mpath_t::find(const std::string& name) const {
  std::string dir, file;
  if (!locate(name, dir, file)) return std::nullopt;
  return dir;
}

std::optional<std::string> mpath_t::path_of(const std::string& name) const {
  std::string dir, file;
  if (!locate(name, dir, file)) return std::nullopt;
  return dir + file;
}

const std::string& mpath_t::getdirn(int n) const {
  KASSERT("MPATH", n >= 0 && n < count());
  return dirs_[static_cast<std::size_t>(n)];
}

bool mpath_t::is_out_of_date(const std::string& source, const std::string& target) {
  struct timespec t;
  if (!mtime(target, t)) return true;
  struct timespec s;
  if (!mtime(source, s)) return false;
  return t.tv_sec < s.tv_sec || (t.tv_sec == s.tv_sec && t.tv_nsec < s.tv_nsec);
}
