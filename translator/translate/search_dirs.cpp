// addpath of folders the program names literally: addpath('lib'), addpath lib tools,
// addpath(genpath('src')). The translator looks for the program's M-files in those
// folders too, as the interpreter would once the statement has run; the compiled
// program's own addpath only records them.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "translate/parser.h"

namespace {

// The folders of a path text: pieces between ':' or ';', options (-end) left out.
std::vector<std::string> folders_of(const std::string& text) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : text + ":") {
    if (c != ':' && c != ';') {
      cur += c;
      continue;
    }
    if (!cur.empty() && cur[0] != '-') out.push_back(cur);
    cur.clear();
  }
  return out;
}

// dir and, for genpath, every folder below it but private, @class and +package ones.
void collect(const std::filesystem::path& dir, bool below, std::vector<std::string>& out, int depth = 0) {
  out.push_back(dir.string());
  std::error_code ec;
  if (!below || depth > 32 || !std::filesystem::is_directory(dir, ec)) return;
  std::vector<std::filesystem::path> subs;
  for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
    const std::string n = e.path().filename().string();
    if (n.empty() || n[0] == '.' || n[0] == '@' || n[0] == '+' || n == "private") continue;
    if (e.is_directory(ec)) subs.push_back(e.path());
  }
  std::sort(subs.begin(), subs.end());
  for (const auto& s : subs) collect(s, true, out, depth + 1);
}

}  // namespace

void parser_t::search_path_statement() {
  if (!host || !stmt.is_word(TP_HEAD, "addpath") || !stmt.is_word(TP_AFTER_HEAD, "(")) return;
  if (symbols && symbols->find("addpath", SYM_VARIABLES) >= 0) return;
  std::vector<std::string> dirs;
  for (int i = TP_THIRD; i < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_STRING) continue;
    const bool below = i >= 2 && stmt.is_word(i - 1, "(") && stmt.is_word(i - 2, "genpath");
    for (const std::string& f : folders_of(c_string_value(stmt.gettext(i)))) collect(f, below, dirs);
  }
  for (const std::string& d : dirs) host->add_search_dir(d);
}
