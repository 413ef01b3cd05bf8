// The program's search path. Every function a compiled program calls is built into it,
// so addpath and rmpath only keep the list of folders that their outputs report;
// genpath walks a folder tree as the interpreter's does.
#include "gridlib.h"
#include "gridlib_extra.h"
#include "strutil.h"
#include "sys_util.h"

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace grl;
namespace su = grl::su;

namespace {

std::vector<std::string>& folders() {
  static std::vector<std::string> list;
  return list;
}

std::string joined(const std::vector<std::string>& list) {
  std::string out;
  for (const std::string& f : list) out += (out.empty() ? "" : ":") + f;
  return out;
}

// The folders of a path text: pieces between ':' (or ';'), empty ones left out.
std::vector<std::string> pieces(const std::string& text) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : text + ":") {
    if (c != ':' && c != ';') {
      cur += c;
      continue;
    }
    if (!cur.empty()) out.push_back(cur);
    cur.clear();
  }
  return out;
}

bool is_folder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// dir, then the folders below it in name order, depth first.
void walk(const std::string& dir, std::vector<std::string>& out, int depth) {
  out.push_back(dir);
  if (depth > 64) return;   // a loop of links stops here
  for (const std::string& n : folder_names(dir)) {
    if (n.empty() || n[0] == '.' || n[0] == '@' || n[0] == '+' || n == "private") continue;
    const std::string sub = dir + "/" + n;
    if (is_folder(sub)) walk(sub, out, depth + 1);
  }
}

}  // namespace

namespace grl {

M<m_type> change_path(bool add, const std::vector<M<m_type>>& args) {
  const char* who = add ? "addpath" : "rmpath";
  const std::string before = joined(folders());
  std::vector<std::string> given;
  bool at_end = false;
  for (const M<m_type>& a : args) {
    if (!a.ischar()) grl_fail("%s: all arguments must be strings", who);
    const std::string t = su::text(a);
    if (add && (t == "-end" || t == "-END" || t == "-begin" || t == "-BEGIN")) {
      at_end = t == "-end" || t == "-END";
      continue;
    }
    for (const std::string& f : pieces(t)) given.push_back(f);
  }
  std::vector<std::string>& list = folders();
  std::vector<std::string> added;
  for (const std::string& f : given) {
    list.erase(std::remove(list.begin(), list.end(), f), list.end());
    if (!add) continue;
    if (is_folder(f))
      added.push_back(f);
    else
      warn("Octave:addpath-warning", "addpath: %s: No such file or directory", f.c_str());
  }
  list.insert(at_end ? list.end() : list.begin(), added.begin(), added.end());
  return su::str(before);
}

}  // namespace grl

M<m_type> genpath(const M<m_type>& dir) {
  if (!dir.ischar()) grl_fail("genpath: DIR must be a string");
  const std::string d = su::text(dir);
  if (!is_folder(d)) return su::str("");
  std::vector<std::string> out;
  walk(d, out, 0);
  return su::str(joined(out));
}
