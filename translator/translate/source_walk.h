// A walk over an M source that tells code apart from comments and strings, for the
// rewrites done on the source before it is read (local function names, class names).
#pragma once
#include <cctype>
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace msource {

inline bool ident_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Walks an M source piece by piece: comments, block comments, continuations and
// strings are passed whole to `text`; each identifier is passed to `word` with the
// character before it that is not a blank (`\n` at a line's start).
template <typename Text, typename Word>
void walk(const std::string& s, Text text, Word word) {
  std::size_t p = 0;
  char prev = '\n';
  int depth = 0;
  auto line_is = [&](std::size_t at, const char* mark) {
    std::size_t nl = s.find('\n', at);
    if (nl == std::string::npos) nl = s.size();
    const std::size_t a = s.find_first_not_of(" \t\r", at);
    if (a == std::string::npos || a >= nl) return false;
    std::size_t b = nl;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
    return s.compare(a, b - a, mark) == 0;
  };
  auto rest_of_line = [&](std::size_t at) {
    const std::size_t nl = s.find('\n', at);
    return nl == std::string::npos ? s.size() : nl;
  };
  while (p < s.size()) {
    if ((p == 0 || s[p - 1] == '\n') && line_is(p, "%{")) {
      const std::size_t start = p;
      int open = 0;
      do {
        if (line_is(p, "%{")) ++open;
        else if (line_is(p, "%}")) --open;
        const std::size_t nl = s.find('\n', p);
        p = nl == std::string::npos ? s.size() : nl + 1;
      } while (open > 0 && p < s.size());
      text(start, p);
      prev = '\n';
      continue;
    }
    const char c = s[p];
    if (c == '%' || c == '#' || (c == '.' && s.compare(p, 3, "...") == 0)) {
      const std::size_t stop = rest_of_line(p);
      text(p, stop);
      p = stop;
      continue;
    }
    const bool after_value = ident_char(prev) || prev == ')' || prev == ']' || prev == '}' ||
                             prev == '\'' || prev == '.';
    const bool blank_before = p > 0 && (s[p - 1] == ' ' || s[p - 1] == '\t');
    if (c == '"' || (c == '\'' && (!after_value || (depth > 0 && blank_before)))) {
      std::size_t q = p + 1;
      while (q < s.size() && s[q] != '\n') {
        if (s[q] == c) {
          if (q + 1 < s.size() && s[q + 1] == c) {
            q += 2;
            continue;
          }
          break;
        }
        ++q;
      }
      const std::size_t stop = q < s.size() && s[q] == c ? q + 1 : q;
      text(p, stop);
      p = stop;
      prev = c;
      continue;
    }
    if (ident_char(c) && !std::isdigit(static_cast<unsigned char>(c))) {
      std::size_t q = p;
      while (q < s.size() && ident_char(s[q])) ++q;
      word(p, q, prev);
      prev = s[q - 1];
      p = q;
      continue;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      // A number, with its exponent and suffixes (1e3, 2i): never a name.
      std::size_t q = p;
      while (q < s.size() && (ident_char(s[q]) || s[q] == '.')) {
        if ((s[q] == 'e' || s[q] == 'E') && q + 1 < s.size() && (s[q + 1] == '+' || s[q + 1] == '-')) ++q;
        ++q;
      }
      text(p, q);
      prev = '0';
      p = q;
      continue;
    }
    if (c == '\n') depth = 0;
    if (c == '(' || c == '[' || c == '{') ++depth;
    if ((c == ')' || c == ']' || c == '}') && depth > 0) --depth;
    text(p, p + 1);
    if (c == '\n' || (c != ' ' && c != '\t')) prev = c;
    ++p;
  }
}

inline bool opens_block(const std::string& w) {
  static const char* const words[] = {"if", "for", "parfor", "while", "switch", "try", "function",
                                      "do", "unwind_protect"};
  return std::find(std::begin(words), std::end(words), w) != std::end(words);
}

inline bool closes_block(const std::string& w) {
  static const char* const words[] = {"end", "endif", "endfor", "endparfor", "endwhile", "endswitch",
                                      "end_try_catch", "endfunction", "until", "end_unwind_protect"};
  return std::find(std::begin(words), std::end(words), w) != std::end(words);
}

// Walks the statements' first words outside brackets: `block` gets each opening or
// closing keyword with its line and its place in the source [a, b).
template <typename Block>
void walk_blocks(const std::string& source, Block block) {
  int brackets = 0, line = 1;
  bool continued = false;
  walk(
      source,
      [&](std::size_t a, std::size_t b) {
        for (std::size_t i = a; i < b; ++i)
          if (source[i] == '\n') ++line;
        if (b - a != 1) {
          continued = source.compare(a, 3, "...") == 0;
          return;
        }
        const char c = source[a];
        if (c == '(' || c == '[' || c == '{') ++brackets;
        if ((c == ')' || c == ']' || c == '}') && brackets > 0) --brackets;
        if (c == '\n' && !continued) brackets = 0;
        if (c == '\n') continued = false;
      },
      [&](std::size_t a, std::size_t b, char prev) {
        const bool starts = prev == '\n' || prev == ';' || prev == ',';
        if (!starts || brackets > 0) return;
        const std::string w = source.substr(a, b - a);
        if (opens_block(w)) block(w, true, line, a, b);
        else if (closes_block(w)) block(w, false, line, a, b);
      });
}


// A replacement of the source's characters [a, b) by text, for the rewrites that
// collect their changes in a walk and make them afterwards.
struct edit {
  std::size_t a, b;
  std::string text;
};

// The source with the edits made; they are in order and do not overlap.
inline std::string apply_edits(const std::string& source, const std::vector<edit>& edits) {
  std::string out;
  out.reserve(source.size());
  std::size_t copied = 0;
  for (const edit& e : edits) {
    out.append(source, copied, e.a - copied);
    out += e.text;
    copied = e.b;
  }
  out.append(source, copied, std::string::npos);
  return out;
}

}  // namespace msource
