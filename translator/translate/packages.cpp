#include "translate/packages.h"

#include <algorithm>
#include <map>
#include <set>

#include "translate/source_walk.h"

namespace {
using msource::ident_char;

const char kPackageMark[] = "_pkg_";

struct word_at {
  std::size_t a, b;
  char prev;
};

bool starts_statement(char prev) { return prev == '\n' || prev == ';' || prev == ','; }

bool ident_start(const std::string& s, std::size_t p) {
  return p < s.size() && ident_char(s[p]) && !std::isdigit(static_cast<unsigned char>(s[p]));
}

std::size_t ident_end(const std::string& s, std::size_t p) {
  while (p < s.size() && ident_char(s[p])) ++p;
  return p;
}

// The dotted name a.b.c that starts at p (its parts) and where it ends.
std::vector<std::string> dotted_name(const std::string& s, std::size_t p, std::size_t& end) {
  std::vector<std::string> parts;
  end = p;
  while (ident_start(s, p)) {
    const std::size_t q = ident_end(s, p);
    parts.push_back(s.substr(p, q - p));
    end = q;
    if (q + 1 < s.size() && s[q] == '.' && ident_start(s, q + 1)) p = q + 1;
    else break;
  }
  return parts;
}

// Whether the statement whose first word ends at b assigns that word (x = ...,
// x.f = ..., x(k) = ...): an "=" outside brackets that is no comparison.
bool assigns_head(const std::string& s, std::size_t b) {
  int depth = 0;
  for (std::size_t p = b; p < s.size(); ++p) {
    const char c = s[p];
    if (c == '\n' || c == '%' || ((c == ';' || c == ',') && depth == 0)) return false;
    if (c == '\'' || c == '"') return false;   // text: a command form or a call's input
    if (c == '(' || c == '[' || c == '{') ++depth;
    if ((c == ')' || c == ']' || c == '}') && depth > 0) --depth;
    if (c != '=' || depth > 0) continue;
    const char before = p > 0 ? s[p - 1] : ' ';
    const char after = p + 1 < s.size() ? s[p + 1] : ' ';
    return after != '=' && before != '=' && before != '<' && before != '>' && before != '~' && before != '!';
  }
  return false;
}

// The names the source gives values: assigned at a statement's head, or named on a
// function line (inputs and outputs).
std::set<std::string> assigned_names(const std::string& s, const std::vector<word_at>& words) {
  std::set<std::string> out;
  std::size_t function_line_end = 0;
  for (const word_at& w : words) {
    const std::string text = s.substr(w.a, w.b - w.a);
    if (w.a < function_line_end) {
      out.insert(text);
      continue;
    }
    if (!starts_statement(w.prev)) continue;
    if (text == "function") {
      function_line_end = s.find('\n', w.b);
      if (function_line_end == std::string::npos) function_line_end = s.size();
      continue;
    }
    if (assigns_head(s, w.b)) out.insert(text);
  }
  return out;
}

struct import_statement {
  std::size_t a, b;   // the text taken out
  std::vector<std::vector<std::string>> packages;   // import p.*
  std::map<std::string, std::string> functions;     // import p.f: short name, program name
};

// The import statement whose word "import" is at [a, b), or false when it imports
// anything but package functions of the program (it stays, and is refused).
bool read_import(const std::string& s, std::size_t a, std::size_t b,
                 const std::function<bool(const std::string&)>& exists, import_statement& out) {
  out.a = a;
  std::size_t p = b;
  bool any = false;
  for (;;) {
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
    if (p >= s.size() || s[p] == '\n' || s[p] == '\r' || s[p] == ';' || s[p] == ',' || s[p] == '%') break;
    std::size_t end = p;
    std::vector<std::string> parts = dotted_name(s, p, end);
    if (parts.empty()) return false;
    if (s.compare(end, 2, ".*") == 0) {
      out.packages.push_back(parts);
      p = end + 2;
    } else {
      if (parts.size() < 2 || !exists(package_function_name(parts))) return false;
      out.functions[parts.back()] = package_function_name(parts);
      p = end;
    }
    any = true;
  }
  if (!any) return false;
  if (p < s.size() && (s[p] == ';' || s[p] == ',')) ++p;
  out.b = p;
  return true;
}

}  // namespace

std::string package_function_name(const std::vector<std::string>& parts) {
  std::string name;
  for (std::size_t k = 0; k < parts.size(); ++k) name += (k ? kPackageMark : "") + parts[k];
  return name;
}

std::string package_file(const std::string& name) {
  std::string file;
  std::size_t from = 0;
  for (std::size_t at; (at = name.find(kPackageMark, from)) != std::string::npos;) {
    if (at == from) return "";
    file += "+" + name.substr(from, at - from) + "/";
    from = at + sizeof kPackageMark - 1;
  }
  if (file.empty() || from >= name.size()) return "";
  return file + name.substr(from);
}

std::string package_calls(const std::string& source, const std::function<bool(const std::string&)>& has_file) {
  if (source.find('.') == std::string::npos) return source;
  std::map<std::string, bool> known;   // (a file's fields ask for the same names again and again)
  const std::function<bool(const std::string&)> exists = [&](const std::string& name) {
    const auto it = known.find(name);
    return it != known.end() ? it->second : (known[name] = has_file(name));
  };
  std::vector<word_at> words;
  msource::walk(
      source, [](std::size_t, std::size_t) {},
      [&](std::size_t a, std::size_t b, char prev) { words.push_back({a, b, prev}); });
  const std::set<std::string> assigned = assigned_names(source, words);

  std::vector<import_statement> imports;
  for (const word_at& w : words) {
    if (!starts_statement(w.prev) || source.compare(w.a, w.b - w.a, "import") != 0) continue;
    if (w.b < source.size() && source[w.b] != ' ' && source[w.b] != '\t') continue;
    import_statement st;
    if (read_import(source, w.a, w.b, exists, st)) imports.push_back(st);
  }
  // The short name's program name, through the file's imports (none: ""). An import
  // p.* counts as the program's only when a name reaches a function through it.
  std::vector<bool> used(imports.size(), false);
  auto imported = [&](const std::string& w) -> std::string {
    for (std::size_t k = 0; k < imports.size(); ++k) {
      const import_statement& st = imports[k];
      const auto f = st.functions.find(w);
      if (f != st.functions.end()) return f->second;
      for (std::vector<std::string> p : st.packages) {
        p.push_back(w);
        if (exists(package_function_name(p))) {
          used[k] = true;
          return package_function_name(p);
        }
      }
    }
    return "";
  };

  std::vector<msource::edit> edits;
  std::size_t skip_until = 0;
  for (const word_at& w : words) {
    if (w.a < skip_until || w.prev == '.') continue;
    const std::string first = source.substr(w.a, w.b - w.a);
    if (assigned.count(first)) continue;
    std::size_t end = w.b;
    const std::vector<std::string> parts = dotted_name(source, w.a, end);
    // The longest package function the dotted name starts with: a.b.f(x).g is the
    // field g of the result of a.b.f.
    std::string program;
    std::size_t program_end = w.b;
    {
      std::size_t p = w.a;
      for (std::size_t k = 0; k < parts.size(); ++k) {
        p += parts[k].size() + (k ? 1 : 0);
        if (k == 0) continue;
        const std::vector<std::string> head(parts.begin(), parts.begin() + static_cast<long>(k) + 1);
        if (exists(package_function_name(head))) {
          program = package_function_name(head);
          program_end = p;
        }
      }
    }
    const bool in_import = std::any_of(imports.begin(), imports.end(),
                                       [&](const import_statement& st) { return w.a >= st.a && w.a < st.b; });
    if (in_import) continue;
    if (program.empty() && parts.size() == 1 && !imports.empty()) {
      program = imported(first);
      program_end = w.b;
    }
    if (program.empty()) continue;
    edits.push_back({w.a, program_end, program});
    skip_until = program_end;
  }
  for (std::size_t k = 0; k < imports.size(); ++k)
    if (used[k] || imports[k].packages.empty()) edits.push_back({imports[k].a, imports[k].b, ""});
  std::sort(edits.begin(), edits.end(),
            [](const msource::edit& x, const msource::edit& y) { return x.a < y.a; });
  return msource::apply_edits(source, edits);
}
