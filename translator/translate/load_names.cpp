// `load f` defines the variables the file holds; compiled code needs to know them when
// it is translated. They are the names the rest of the function reads before it
// assigns them: the caller keeps those that are no function and no known variable.
#include "translate/load_names.h"

#include <algorithm>

#include "translate/source_walk.h"

namespace {

// Whether the name that ends at `at` is the target of an assignment: name = ...,
// name(...) = ... or name{...} = ... on its line (== is a comparison).
bool assigned_at(const std::string& s, std::size_t at) {
  std::size_t p = at;
  auto blanks = [&] {
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
  };
  blanks();
  if (p < s.size() && (s[p] == '(' || s[p] == '{')) {
    int depth = 0;
    for (; p < s.size() && s[p] != '\n'; ++p) {
      if (s[p] == '(' || s[p] == '{' || s[p] == '[') ++depth;
      if ((s[p] == ')' || s[p] == '}' || s[p] == ']') && --depth == 0) {
        ++p;
        break;
      }
    }
    blanks();
  }
  return p < s.size() && s[p] == '=' && (p + 1 >= s.size() || s[p + 1] != '=');
}

// Whether the name at [a, b) is one of the outputs of [x, y] = ... : the bracket around
// it opens the statement and its closing bracket is followed by =.
bool output_at(const std::string& s, std::size_t a, std::size_t b) {
  std::size_t open = a;
  for (int depth = 0; open-- > 0 && s[open] != '\n';) {
    if (s[open] == ']' || s[open] == ')' || s[open] == '}') ++depth;
    else if ((s[open] == '(' || s[open] == '{') && depth-- == 0) return false;
    else if (s[open] == '[' && depth-- == 0) break;
  }
  if (open == std::string::npos || s[open] != '[') return false;
  for (std::size_t p = open; p-- > 0 && s[p] != '\n' && s[p] != ';' && s[p] != ',';)
    if (s[p] != ' ' && s[p] != '\t') return false;
  std::size_t close = b;
  for (int depth = 0; close < s.size() && s[close] != '\n'; ++close) {
    if (s[close] == '[' || s[close] == '(' || s[close] == '{') ++depth;
    else if ((s[close] == ']' || s[close] == ')' || s[close] == '}') && depth-- == 0) break;
  }
  if (close >= s.size() || s[close] != ']') return false;
  return assigned_at(s, close + 1);
}

}  // namespace

std::vector<std::string> names_read_later(const std::string& rest) {
  std::vector<std::string> read, seen;
  bool done = false;
  msource::walk(
      rest, [](std::size_t, std::size_t) {},
      [&](std::size_t a, std::size_t b, char prev) {
        if (done || prev == '.') return;
        const std::string word = rest.substr(a, b - a);
        if (word == "function" && prev == '\n') {
          done = true;
          return;
        }
        if (std::find(seen.begin(), seen.end(), word) != seen.end()) return;
        seen.push_back(word);
        if (!assigned_at(rest, b) && !output_at(rest, a, b)) read.push_back(word);
      });
  return read;
}
