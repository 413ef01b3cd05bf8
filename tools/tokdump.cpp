// tokdump: prints the statements of an M-file as the scanner delivers them, one line
// per statement: its first line number, the display flag, the statement's column
// (@C), then each token as kind:text@column. A developer's tool for checking and debugging the scanner.
#include <cstdio>
#include <string>

#include "driver/diag.h"
#include "lexer/scanner.h"

static std::string shown(const std::string& t) {
  std::string s;
  for (char c : t) s += c == '\n' ? std::string("\\n") : std::string(1, c);
  return s;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tokdump file.m\n");
    return 2;
  }
  minput_t input;
  if (!input.open(argv[1])) diag::error("could not open %s for read", argv[1]);
  diag::set_position(argv[1], 1);
  scanner_t p;
  p.in = &input;
  for (;;) {
    p.get_statement();
    if (p.at_end() && p.stmt.size() == 1 && p.pending.empty()) break;
    std::printf("%d%s@%d ", p.stmt.line(0), p.display ? "  " : "; ", p.place.column);
    for (int i = 0; i <= p.stmt.top(); ++i)
      std::printf(" %d:%s@%d", p.stmt.kind(i), shown(p.stmt.gettext(i)).c_str(), p.stmt.column(i));
    std::printf("\n");
  }
  if (!p.echo_out.empty()) std::printf("echo: %s\n", p.echo_out.c_str());
  return 0;
}
