#include "platform/registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/textcase.h"

namespace platform {
namespace {

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

// "KEY\PATH\name", the part of a line before its "=".
std::string entry_of(const std::string& key, const std::string& name) {
  std::string e = key;
  while (!e.empty() && e.back() == '\\') e.pop_back();
  return e + "\\" + name;
}

std::vector<std::string> read_lines(const std::string& file) {
  std::vector<std::string> lines;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

bool make_dirs(const std::string& dir) {
  if (dir.empty()) return true;
  struct stat st;
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::size_t sep = dir.find_last_of('/');
  if (sep != std::string::npos && sep > 0 && !make_dirs(dir.substr(0, sep))) return false;
  return ::mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST;
}

// Writes all lines to a temporary file beside `file` and renames it over `file`.
bool replace_file(const std::string& file, const std::vector<std::string>& lines) {
  const std::size_t sep = file.find_last_of('/');
  if (sep != std::string::npos && !make_dirs(file.substr(0, sep))) return false;
  const std::string tmp = file + ".tmp." + std::to_string(::getpid());
  std::FILE* f = std::fopen(tmp.c_str(), "w");
  if (!f) return false;
  bool ok = true;
  for (const std::string& l : lines) ok = ok && std::fprintf(f, "%s\n", l.c_str()) >= 0;
  ok = (std::fflush(f) == 0) && ok;
  ok = (::fsync(::fileno(f)) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (ok && std::rename(tmp.c_str(), file.c_str()) == 0) return true;
  std::remove(tmp.c_str());
  return false;
}

// Index of the line holding entry, or -1.
int find_line(const std::vector<std::string>& lines, const std::string& entry) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t eq = lines[i].find('=');
    if (eq != std::string::npos && platform::same_ignoring_case(lines[i].substr(0, eq), entry))
      return static_cast<int>(i);
  }
  return -1;
}

bool storable(const std::string& s, bool allow_equals) {
  return s.find('\n') == std::string::npos && s.find('\r') == std::string::npos &&
         (allow_equals || s.find('=') == std::string::npos);
}

}  // namespace

std::string registry_file() {
  std::string f = env("KORVAL_REGISTRY");
  if (!f.empty()) return f;
  std::string base = env("XDG_CONFIG_HOME");
  if (base.empty()) {
    const std::string home = env("HOME");
    if (home.empty()) return std::string();
    base = home + "/.config";
  }
  return base + "/talvecore/registry";
}

bool registry_get(const std::string& key, const std::string& name, std::string& value) {
  const std::string file = registry_file();
  if (file.empty()) return false;
  const std::vector<std::string> lines = read_lines(file);
  const int i = find_line(lines, entry_of(key, name));
  if (i < 0) return false;
  value = lines[static_cast<std::size_t>(i)].substr(lines[static_cast<std::size_t>(i)].find('=') + 1);
  return true;
}

bool registry_set(const std::string& key, const std::string& name, const std::string& value) {
  const std::string file = registry_file();
  if (file.empty() || !storable(key, false) || !storable(name, false) || !storable(value, true))
    return false;
  std::vector<std::string> lines = read_lines(file);
  const std::string entry = entry_of(key, name);
  const int i = find_line(lines, entry);
  if (i >= 0) {
    if (lines[static_cast<std::size_t>(i)] == entry + "=" + value) return true;
    lines[static_cast<std::size_t>(i)] = entry + "=" + value;
  } else {
    lines.push_back(entry + "=" + value);
  }
  return replace_file(file, lines);
}

bool registry_delete(const std::string& key, const std::string& name) {
  const std::string file = registry_file();
  if (file.empty()) return false;
  std::vector<std::string> lines = read_lines(file);
  const int i = find_line(lines, entry_of(key, name));
  if (i < 0) return true;
  lines.erase(lines.begin() + i);
  return replace_file(file, lines);
}

}  // namespace platform
