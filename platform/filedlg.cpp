#include "platform/filedlg.h"

#include <cstdio>
#include <iostream>

namespace platform {
namespace {
file_dialog_handler installed = nullptr;
}

void set_file_dialog_handler(file_dialog_handler handler) { installed = handler; }

bool open_file_dialog(const file_dialog& dialog, std::string& chosen) {
  if (installed) return installed(dialog, chosen);
  return console_file_dialog(dialog, chosen);
}

bool console_file_dialog(const file_dialog& dialog, std::string& chosen) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", dialog.title.c_str());
  std::fflush(stderr);
  std::string line;
  if (!std::getline(std::cin, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty()) return false;
  chosen = line;
  return true;
}

}  // namespace platform
