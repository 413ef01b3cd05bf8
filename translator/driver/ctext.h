// ctext_type: copies generated C++ text to a file, supplying the layout.
//
// The code generators write flat text (braces and newlines, no indentation). Printing
// indents two spaces per open brace, lines a closing brace up with the line that opened
// its block, and breaks lines that run past column 70 after a comma, blank or
// parenthesis with a backslash-newline splice, never inside a string literal or a
// comment. Indentation and the comment state carry over from one print to the next.
#pragma once
#include <ostream>
#include <string>

class ctext_type {
 public:
  ctext_type() = default;

  void print(std::ostream& out, const char* text);
  void print(std::ostream& out, const std::string& text) { print(out, text.c_str()); }

  int indent_level() const { return indent; }

 private:
  int indent = 0;   // current indentation in spaces
  int slash = 0;    // "/" seen in a row on this line; 2 means the rest is a // comment
};
