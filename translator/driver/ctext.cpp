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
    if (c == '/')
      ++slash;
    else if (slash == 1)
      slash = 0;  // a lone slash is division
    if (slash != 2 && c == '}') indent -= 2;
    if (indent < 0) {
      diag::warning("ctext_type::operator <<: indent error");
      indent = 0;
    }
    if (c != '\0' && column == 0) {
      for (int i = 0; i < indent; ++i) out.put(' ');
      column += indent;
    }
    if (slash != 2 && c == '{') indent += 2;
    if (c == '\0') break;

    out.put(c);
    ++column;
    if (c == '"' && !escaping) in_string = !in_string;
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
    }
  }
}
