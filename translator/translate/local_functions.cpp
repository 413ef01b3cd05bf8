// Local functions of an M-file get a C++ name qualified by their file: fa.m and fb.m
// may each define `helper`, and each calls its own (their C++ functions and headers
// would otherwise clash when the program is linked). The rename is done on the M
// source, so every later stage (scan, translation, the headers, the handles) sees one
// name per function; the error stack shows the M name again (shown_local_name).
#include "translate/local_functions.h"
#include "translate/source_walk.h"

#include <algorithm>
#include <cctype>

namespace {
using msource::ident_char;
using msource::walk;

const char kSeparator[] = "__";

// The function's name on a function line that starts at `from` (just after the word
// `function`): the word before "(" after "=", or the first word when there is no "=".
std::string function_name(const std::string& s, std::size_t from) {
  std::size_t end = s.find('\n', from);
  if (end == std::string::npos) end = s.size();
  std::size_t open = s.find('(', from);
  if (open > end) open = end;
  std::size_t eq = s.find('=', from);
  std::size_t p = eq < open ? eq + 1 : from;
  while (p < open && !ident_char(s[p])) ++p;
  std::size_t q = p;
  while (q < open && ident_char(s[q])) ++q;
  return s.substr(p, q - p);
}

}  // namespace

std::vector<std::string> local_function_names(const std::string& source) {
  std::vector<std::string> names;
  bool first_word = true;   // before the file's first statement
  bool function_file = false;
  walk(
      source, [](std::size_t, std::size_t) {},
      [&](std::size_t a, std::size_t b, char prev) {
        const bool starts_line = prev == '\n' || prev == ';' || prev == ',';
        const bool is_function = starts_line && source.compare(a, b - a, "function") == 0;
        if (first_word) {
          first_word = false;
          function_file = is_function;
          return;
        }
        if (!function_file || !is_function || prev != '\n') return;
        const std::string name = function_name(source, b);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
          names.push_back(name);
      });
  return names;
}

std::string qualified_local_name(const std::string& file_base, const std::string& name) {
  return file_base + kSeparator + name;
}

std::string shown_local_name(const std::string& file_base, const std::string& qualified) {
  const std::string prefix = file_base + kSeparator;
  if (qualified.size() > prefix.size() && qualified.compare(0, prefix.size(), prefix) == 0)
    return qualified.substr(prefix.size());
  return qualified;
}

std::string qualify_local_functions(const std::string& source, const std::string& file_base) {
  std::vector<std::string> names = local_function_names(source);
  // The file's own function keeps its name even when a helper repeats it.
  names.erase(std::remove(names.begin(), names.end(), file_base), names.end());
  if (names.empty() || file_base.empty()) return source;
  std::string out;
  out.reserve(source.size() + 64);
  walk(
      source, [&](std::size_t a, std::size_t b) { out.append(source, a, b - a); },
      [&](std::size_t a, std::size_t b, char prev) {
        const std::string word = source.substr(a, b - a);
        const bool field = prev == '.';
        if (!field && std::find(names.begin(), names.end(), word) != names.end())
          out += qualified_local_name(file_base, word);
        else
          out += word;
      });
  return out;
}
