#include "driver/ctext.h"

#include <cstdio>
#include <cstring>

#include "driver/diag.h"

namespace {
constexpr int kBreakColumn = 70;

bool break_after(char c) { return c == ',' || c == ' ' || c == '(' || c == ')'; }
}  // namespace

void ctext_type::print(std::ostream& out, const char* text) {
  int column = 0;
  bool in_string = false;
  // The character before is a backslash that escapes the next one: "\\" ends
  // with an escaped backslash, and the quote after it closes the literal.
  bool escaping = false;
  for (const char* p = text;; ++p) {
    char c = *p;
    // Braces and slashes inside a string literal are text ("}" or "http://" in an M
    // string): they neither open blocks nor start a comment.
    if (!in_string) {
      if (c == '/')
        ++slash;
      else if (slash == 1)
        slash = 0;  // a lone slash is division
    }
    const bool code = !in_string && slash != 2;
    if (code && c == '}') indent -= 2;
    if (indent < 0) {
      diag::warning("ctext_type::operator <<: indent error");
      indent = 0;
    }
    if (c != '\0' && column == 0) {
      for (int i = 0; i < indent; ++i) out.put(' ');
      column += indent;
    }
    if (code && c == '{') indent += 2;
    if (c == '\0') break;

    out.put(c);
    ++column;
    if (c == '"' && !escaping && slash != 2) in_string = !in_string;
    escaping = c == '\\' && !escaping;
    if (slash == 0 && !in_string && column > kBreakColumn && break_after(c)) {
      out.write("\\\n  ", 4);
      c = '\n';
    }
    if (out.fail()) {
      std::fprintf(stderr, "line=%s\n", text);
      diag::error("ctext_type::print: outstream overflow");
    }
    if (c == '\n') {
      column = 0;
      slash = 0;
      in_string = false;   // a literal never runs past its line
      escaping = false;
    }
  }
}
