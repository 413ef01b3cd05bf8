// Listing folders: dir (a column of structures describing the entries of a folder, a
// file or a pattern) and ls (the system's listing of names and patterns), each also
// in the form that prints the names when asked for no output.
#include <dirent.h>
#include <glob.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "gridlib.h"
#include "strutil.h"
#include "sys_util.h"

using grl::Mt;
namespace su = grl::su;

std::vector<std::string> grl::folder_names(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = opendir(dir.c_str());
  if (!d) return names;
  while (const dirent* e = readdir(d)) names.push_back(e->d_name);
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

namespace {

struct entry {
  std::string name, folder;
  struct stat st;
};

std::string name_arg(const char* who, const Mt& x) {
  if (x.isempty() && !x.holds_cell() && !x.holds_struct()) return "";
  if (!x.ischar() || x.rows() > 1) grl_fail("%s: DIRECTORY argument must be a string", who);
  return su::text(x);
}

std::string absolute(const std::string& dir) {
  char buf[PATH_MAX];
  if (realpath(dir.empty() ? "." : dir.c_str(), buf)) return buf;
  return dir;
}

// The folder part of a path ("" for a plain name) and its last part.
void split_path(const std::string& p, std::string& dir, std::string& base) {
  const std::size_t slash = p.find_last_of('/');
  if (slash == std::string::npos) {
    dir.clear();
    base = p;
    return;
  }
  dir = slash == 0 ? "/" : p.substr(0, slash);
  base = p.substr(slash + 1);
}

bool has_wildcard(const std::string& s) { return s.find_first_of("*?[") != std::string::npos; }

bool add_entry(std::vector<entry>& out, const std::string& path, const std::string& name,
               const std::string& folder) {
  entry e;
  if (stat(path.c_str(), &e.st) != 0 && lstat(path.c_str(), &e.st) != 0) return false;
  e.name = name;
  e.folder = folder;
  out.push_back(e);
  return true;
}

// Every entry of folder dir, . and .. included, in name order.
void folder_entries(const std::string& dir, std::vector<entry>& out) {
  const std::vector<std::string> names = grl::folder_names(dir);
  if (names.empty()) return;
  const std::string folder = absolute(dir);
  for (const std::string& n : names) add_entry(out, dir + "/" + n, n, folder);
}

// The entries name stands for; false when nothing matches.
bool entries_of(const std::string& name, std::vector<entry>& out) {
  const std::string path = name.empty() ? "." : name;
  if (has_wildcard(path)) {
    glob_t g;
    const int rc = glob(path.c_str(), 0, nullptr, &g);
    if (rc == 0) {
      for (std::size_t k = 0; k < g.gl_pathc; ++k) {
        std::string dir, base;
        split_path(g.gl_pathv[k], dir, base);
        add_entry(out, g.gl_pathv[k], base, absolute(dir));
      }
    }
    globfree(&g);
    return !out.empty();
  }
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return false;
  if (S_ISDIR(st.st_mode)) {
    folder_entries(path, out);
    return true;
  }
  std::string dir, base;
  split_path(path, dir, base);
  return add_entry(out, path, base, absolute(dir));
}

// The entries; a listing that is printed warns when nothing matches.
std::vector<entry> listing(const char* who, const Mt& arg, bool given, bool printed) {
  const std::string name = given ? name_arg(who, arg) : "";
  std::vector<entry> out;
  if (!entries_of(name, out) && printed)
    grl::warn("Octave:dir:nonexistent", "%s: nonexistent directory '%s'", who, name.c_str());
  return out;
}

Mt as_structs(const std::vector<entry>& v) {
  Mt s = grl::make_struct(v.size(), 1, {"name", "folder", "date", "bytes", "isdir", "datenum"});
  for (std::size_t k = 0; k < v.size(); ++k) {
    const entry& e = v[k];
    const grl::ix<m_type> at(double(k + 1));
    std::tm t{};
    const std::time_t when = e.st.st_mtime;
    localtime_r(&when, &t);
    char date[64];
    std::strftime(date, sizeof date, "%d-%b-%Y %H:%M:%S", &t);
    grl::elem_field_ref(s, at, "name") = su::str(e.name);
    grl::elem_field_ref(s, at, "folder") = su::str(e.folder);
    grl::elem_field_ref(s, at, "date") = su::str(date);
    grl::elem_field_ref(s, at, "bytes") = Mt(m_type(e.st.st_size));
    grl::elem_field_ref(s, at, "isdir") = su::boolean(S_ISDIR(e.st.st_mode));
    grl::elem_field_ref(s, at, "datenum") =
        datenum(Mt(m_type(t.tm_year + 1900)), Mt(m_type(t.tm_mon + 1)), Mt(m_type(t.tm_mday)),
                Mt(m_type(t.tm_hour)), Mt(m_type(t.tm_min)), Mt(m_type(t.tm_sec)));
  }
  return s;
}

// Names in columns across an 80-character line, filled column by column, each column
// as wide as the longest name and two blanks.
void print_columns(const std::vector<std::string>& names) {
  if (names.empty()) return;
  std::size_t longest = 0;
  for (const std::string& n : names) longest = std::max(longest, n.size());
  const std::size_t width = longest + 2;
  const std::size_t cols = std::max<std::size_t>(1, 80 / width);
  const std::size_t rows = (names.size() + cols - 1) / cols;
  std::string out;
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < cols; ++c) {
      const std::size_t k = r + c * rows;
      if (k >= names.size()) break;
      out += names[k];
      if (k + rows < names.size()) out.append(width - names[k].size(), ' ');
    }
    out += '\n';
  }
  std::cout << out;
}

// An argument as a word of a shell command: wildcards stay open for the shell, every
// other character is taken as it is.
std::string shell_word(const std::string& s) {
  std::string w;
  for (char c : s) {
    const bool plain = std::isalnum((unsigned char)c) || std::string("_./-*?[]+=,:@%^~").find(c) != std::string::npos;
    if (c == '\n') w += "'\n'";
    else if (!plain) w += std::string("\\") + c;
    else w += c;
  }
  return w;
}

// Runs the system's ls with the arguments; its listing as text.
std::string run_ls(const std::vector<Mt>& args, const char* form) {
  std::string cmd = std::string("ls ") + form;
  for (const Mt& a : args) {
    if (!a.ischar() || a.rows() > 1) grl_fail("ls: all arguments must be character strings");
    cmd += " " + shell_word(su::text(a));
  }
  std::cout.flush();
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) grl_fail("ls: could not run the system's ls");
  std::string out;
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int status = pclose(p);
  const int code = status == -1 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  if (code != 0) grl_fail("ls: command exited abnormally with status %d", code);
  return out;
}

}  // namespace

Mt dir() { return as_structs(listing("dir", Mt(), false, false)); }
Mt dir(const Mt& name) { return as_structs(listing("dir", name, true, false)); }

grl::quiet grl::dir_show() { return dir_show(su::str(".")); }

grl::quiet grl::dir_show(const Mt& name) {
  std::vector<std::string> names;
  for (const entry& e : listing("dir", name, true, true)) names.push_back(e.name);
  print_columns(names);
  return grl::quiet();
}

Mt grl::ls_v(const std::vector<Mt>& args) {
  const std::string out = run_ls(args, "-1");
  std::vector<std::string> rows;
  std::size_t at = 0;
  while (at < out.size()) {
    const std::size_t nl = out.find('\n', at);
    const std::string line = out.substr(at, nl == std::string::npos ? std::string::npos : nl - at);
    if (!line.empty()) rows.push_back(line);
    if (nl == std::string::npos) break;
    at = nl + 1;
  }
  return su::char_rows(rows);
}

grl::quiet grl::ls_show_v(const std::vector<Mt>& args) {
  std::cout << run_ls(args, "-C");
  return grl::quiet();
}
