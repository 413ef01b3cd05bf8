#include "translate/field_paths.h"

#include <vector>

#include "translate/source_walk.h"

namespace {
using msource::ident_char;

bool identifier(const std::string& s) {
  if (s.empty() || !ident_char(s[0]) || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s)
    if (!ident_char(c)) return false;
  return true;
}

std::string trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  const std::size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

// The inputs of the call whose "(" is at open, split at the commas outside brackets
// and text, and the position of its ")"; false when the call goes on past the line
// or does not close.
bool call_inputs(const std::string& s, std::size_t open, std::vector<std::string>& inputs, std::size_t& close) {
  int depth = 0;
  std::size_t from = open + 1;
  char prev = '(';
  for (std::size_t p = open + 1; p < s.size(); ++p) {
    const char c = s[p];
    if (c == '\n' || c == '\r' || c == '%' || c == '#' || (c == '.' && s.compare(p, 3, "...") == 0)) return false;
    const bool after_value = ident_char(prev) || prev == ')' || prev == ']' || prev == '}' || prev == '\'' ||
                             prev == '.';
    const bool blank_before = s[p - 1] == ' ' || s[p - 1] == '\t';
    if (c == '"' || (c == '\'' && (!after_value || (depth > 0 && blank_before)))) {
      std::size_t q = p + 1;
      for (; q < s.size() && s[q] != '\n'; ++q) {
        if (s[q] != c) continue;
        if (q + 1 < s.size() && s[q + 1] == c) {
          ++q;
          continue;
        }
        break;
      }
      if (q >= s.size() || s[q] != c) return false;
      p = q;
      prev = c;
      continue;
    }
    if (c == '(' || c == '[' || c == '{') ++depth;
    if (c == ')' || c == ']' || c == '}') {
      if (depth == 0) {
        if (c != ')') return false;
        inputs.push_back(trimmed(s.substr(from, p - from)));
        close = p;
        return true;
      }
      --depth;
    }
    if (c == ',' && depth == 0) {
      inputs.push_back(trimmed(s.substr(from, p - from)));
      from = p + 1;
    }
    if (c != ' ' && c != '\t') prev = c;
  }
  return false;
}

// Whether the text is one bracketed whole: {...} with its own closing brace last.
bool braced(const std::string& t) {
  if (t.size() < 2 || t[0] != '{' || t.back() != '}') return false;
  int depth = 0;
  for (std::size_t k = 0; k < t.size(); ++k) {
    if (t[k] == '{' || t[k] == '(' || t[k] == '[') ++depth;
    if (t[k] == '}' || t[k] == ')' || t[k] == ']') --depth;
    if (depth == 0 && k + 1 < t.size()) return false;
  }
  return true;
}

// The references of a path: '.a' for a literal field name, '.(e)' for any other
// name, '(i, j)' for an index cell {i, j}.
std::string path_text(const std::vector<std::string>& path) {
  std::string out;
  for (const std::string& written : path) {
    const std::string p = field_path_calls(written);   // (a path may hold other calls)
    if (braced(p)) {
      out += "(" + p.substr(1, p.size() - 2) + ")";
      continue;
    }
    const std::string inner = p.size() >= 2 && p[0] == '\'' && p.back() == '\'' ? p.substr(1, p.size() - 2) : "";
    out += identifier(inner) ? "." + inner : ".(" + p + ")";
  }
  return out;
}

bool names_word(const std::string& text, const std::string& w) {
  for (std::size_t at = text.find(w); at != std::string::npos; at = text.find(w, at + 1)) {
    const bool before = at > 0 && (ident_char(text[at - 1]) || text[at - 1] == '.');
    const bool after = at + w.size() < text.size() && ident_char(text[at + w.size()]);
    if (!before && !after) return true;
  }
  return false;
}

using msource::edit;

// t = setfield(s, path..., v) whose word is at [a, b): the edit, or false.
bool setfield_statement(const std::string& s, std::size_t a, std::size_t b, edit& out) {
  // Back from the word: "=", the assigned name, the statement's start.
  std::size_t p = a;
  while (p > 0 && (s[p - 1] == ' ' || s[p - 1] == '\t')) --p;
  if (p == 0 || s[p - 1] != '=' || (p >= 2 && std::string("=<>~!").find(s[p - 2]) != std::string::npos)) return false;
  --p;
  while (p > 0 && (s[p - 1] == ' ' || s[p - 1] == '\t')) --p;
  const std::size_t name_end = p;
  while (p > 0 && ident_char(s[p - 1])) --p;
  const std::string target = s.substr(p, name_end - p);
  if (!identifier(target)) return false;
  std::size_t start = p;
  while (start > 0 && (s[start - 1] == ' ' || s[start - 1] == '\t')) --start;
  if (start > 0 && s[start - 1] != '\n' && s[start - 1] != ';' && s[start - 1] != ',') return false;
  std::vector<std::string> in;
  std::size_t close = 0;
  if (b >= s.size() || s[b] != '(' || !call_inputs(s, b, in, close) || in.size() < 4 || !identifier(in[0]))
    return false;
  // Nothing but the statement's end after the call.
  std::size_t q = close + 1;
  while (q < s.size() && (s[q] == ' ' || s[q] == '\t')) ++q;
  if (q < s.size() && s[q] != ';' && s[q] != ',' && s[q] != '\n' && s[q] != '\r' && s[q] != '%') return false;
  const std::string& value = in.back();
  const std::vector<std::string> path(in.begin() + 1, in.end() - 1);
  for (const std::string& x : path)
    if (x.empty() || (target != in[0] && names_word(x, target))) return false;
  if (value.empty() || (target != in[0] && names_word(value, target))) return false;
  out.a = p;
  out.b = close + 1;
  out.text = (target == in[0] ? "" : target + " = " + in[0] + "; ") + target + path_text(path) + " = " +
             field_path_calls(value);
  return true;
}

}  // namespace

std::string field_path_calls(const std::string& source) {
  if (source.find("getfield") == std::string::npos && source.find("setfield") == std::string::npos) return source;
  std::vector<edit> edits;
  std::size_t done = 0;   // (a rewritten call's own words are not looked at again)
  msource::walk(
      source, [](std::size_t, std::size_t) {},
      [&](std::size_t a, std::size_t b, char prev) {
        if (a < done || prev == '.') return;
        const std::string w = source.substr(a, b - a);
        if (w == "setfield") {
          edit e;
          if (setfield_statement(source, a, b, e)) {
            edits.push_back(e);
            done = e.b;
          }
          return;
        }
        if (w != "getfield" || b >= source.size() || source[b] != '(') return;
        std::vector<std::string> in;
        std::size_t close = 0;
        if (!call_inputs(source, b, in, close) || in.size() < 3 || !identifier(in[0])) return;
        const std::vector<std::string> path(in.begin() + 1, in.end());
        for (const std::string& x : path)
          if (x.empty()) return;
        edits.push_back({a, close + 1, in[0] + path_text(path)});
        done = close + 1;
      });
  return msource::apply_edits(source, edits);
}
