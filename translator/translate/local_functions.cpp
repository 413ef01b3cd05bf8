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
const char kScriptMark[] = "% local function of the script ";

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

// Whether the file's first statement is a function line: comments and blank lines may
// come before it, anything else (a script's `1;`) makes the file a script.
bool starts_with_function(const std::string& source) {
  bool code_before = false, answer = false, decided = false;
  walk(
      source,
      [&](std::size_t a, std::size_t b) {
        if (decided) return;
        const char c = source[a];
        const bool comment = c == '%' || c == '#' || source.compare(a, 3, "...") == 0;
        if (!comment && source.find_first_not_of(" \t\r\n", a) < b) code_before = true;
      },
      [&](std::size_t a, std::size_t b, char) {
        if (decided) return;
        decided = true;
        answer = !code_before && source.compare(a, b - a, "function") == 0;
      });
  return answer;
}

}  // namespace

std::vector<std::string> local_function_names(const std::string& source) {
  std::vector<std::string> names;
  if (!starts_with_function(source)) return names;
  bool first_word = true;   // the file's own function line
  walk(
      source, [](std::size_t, std::size_t) {},
      [&](std::size_t a, std::size_t b, char prev) {
        const bool is_function = prev == '\n' && source.compare(a, b - a, "function") == 0;
        if (first_word) {
          first_word = false;
          return;
        }
        if (!is_function) return;
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

namespace {

// The source with each use of one of names replaced by its qualified name.
std::string qualify_names(const std::string& source, const std::string& file_base,
                          const std::vector<std::string>& names) {
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

}  // namespace

std::string qualify_local_functions(const std::string& source, const std::string& file_base) {
  std::vector<std::string> names = local_function_names(source);
  // The file's own function keeps its name even when a helper repeats it.
  names.erase(std::remove(names.begin(), names.end(), file_base), names.end());
  return qualify_names(source, file_base, names);
}

namespace {

// Where each function line of a script's local functions starts (the start of its
// line), in order: the first function line after the script's statements, and every
// later one indented as far (a function nested in one of them is indented further
// and stays in its parent's text). None for a function file.
std::vector<std::size_t> script_function_starts(const std::string& source) {
  std::vector<std::size_t> starts;
  if (starts_with_function(source)) return starts;
  std::size_t indent = 0;
  walk(
      source, [](std::size_t, std::size_t) {},
      [&](std::size_t a, std::size_t b, char prev) {
        const bool is_function = prev == '\n' && source.compare(a, b - a, "function") == 0;
        if (!is_function) return;
        const std::size_t nl = source.rfind('\n', a);
        const std::size_t line = nl == std::string::npos ? 0 : nl + 1;
        if (source.find_first_not_of(" \t", line) != a) return;   // after `;` or `,`
        if (starts.empty()) indent = a - line;
        else if (a - line != indent) return;
        starts.push_back(line);
      });
  return starts;
}

// Where the function whose line starts at `start` ends: after the line of the `end`
// (or `endfunction`) that closes it, when one does before `limit`; otherwise at `limit`
// (functions written without `end` run to the next function line). Script statements
// may follow a closed function, as in files shared with interpreters that define
// functions before the statements that call them.
std::size_t function_block_end(const std::string& source, std::size_t start, std::size_t limit) {
  const std::string block = source.substr(start, limit - start);
  int depth = 0;
  std::size_t closed = std::string::npos;
  msource::walk_blocks(block, [&](const std::string&, bool opens, int, std::size_t, std::size_t b) {
    if (closed != std::string::npos) return;
    depth += opens ? 1 : -1;
    if (depth == 0) closed = b;
  });
  if (closed == std::string::npos) return limit;
  const std::size_t nl = block.find('\n', closed);
  return nl == std::string::npos ? limit : start + nl + 1;
}

}  // namespace

script_parts split_script_functions(const std::string& source, const std::string& file_base) {
  script_parts out;
  const std::vector<std::size_t> starts = script_function_starts(source);
  if (starts.empty()) {
    out.body = source;
    return out;
  }
  std::vector<std::string> names;
  for (std::size_t at : starts) {
    const std::size_t word = source.find("function", at);
    names.push_back(function_name(source, word + 8));
  }
  // The script's statements are what the functions leave, their lines kept blank so
  // that every statement keeps its line number.
  std::string body;
  std::size_t from = 0;
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const std::size_t limit = k + 1 < starts.size() ? starts[k + 1] : source.size();
    const std::size_t end = function_block_end(source, starts[k], limit);
    body.append(source, from, starts[k] - from);
    body.append(std::count(source.begin() + starts[k], source.begin() + end, '\n'), '\n');
    from = end;
    // Blank lines before the function keep its lines numbered as in the script.
    // The first of them names the script.
    std::string lines_before(std::count(source.begin(), source.begin() + starts[k], '\n'), '\n');
    lines_before.insert(0, kScriptMark + file_base + ".m");
    out.functions.emplace_back(qualified_local_name(file_base, names[k]),
                               lines_before + qualify_names(source.substr(starts[k], end - starts[k]), file_base, names));
  }
  body.append(source, from, std::string::npos);
  out.body = qualify_names(body, file_base, names);
  return out;
}

std::string script_of_local_function(const std::string& source) {
  const std::size_t n = sizeof kScriptMark - 1;
  if (source.compare(0, n, kScriptMark) != 0) return "";
  return source.substr(n, source.find('\n') - n);
}
