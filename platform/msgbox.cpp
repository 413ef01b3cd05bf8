#include "platform/msgbox.h"

#include <cctype>
#include <cstdio>

namespace platform {
namespace {
box_handler installed = nullptr;
}

void set_box_handler(box_handler handler) { installed = handler; }

box_answer message_box(const std::string& title, const std::string& text, box_kind kind) {
  if (installed) return installed(title, text, kind);
  return console_box(title, text, kind);
}

box_answer console_box(const std::string& title, const std::string& text, box_kind kind) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n%s", title.c_str(), text.c_str());
  if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
  std::fflush(stderr);
  if (kind == box_kind::ok) return box_answer::ok;

  int c;
  do {
    c = std::getchar();
  } while (c != EOF && std::isspace(c));
  if (c == EOF) return box_answer::no;
  const bool yes = (c == 'y' || c == 'Y');
  while (c != EOF && c != '\n') c = std::getchar();
  return yes ? box_answer::yes : box_answer::no;
}

}  // namespace platform
