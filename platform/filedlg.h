// The file-open dialog. A console program asks for the path on standard input; a
// program that has its own way of answering (a window, or a host program standing in
// for an IDE) installs a handler.
#pragma once
#include <string>

namespace platform {

struct file_dialog {
  std::string title;
  std::string default_extension;  // for example "*.m"
  std::string filter;             // "Description (*.ext)|*.ext||"
};

using file_dialog_handler = bool (*)(const file_dialog& dialog, std::string& chosen);

// Shows the dialog. True with the chosen path, false when it was cancelled.
bool open_file_dialog(const file_dialog& dialog, std::string& chosen);

// Installs the handler; nullptr restores the console backend.
void set_file_dialog_handler(file_dialog_handler handler);

// The console backend: the title on standard error, then one line of standard input is
// the path; an empty line or the end of input cancels.
bool console_file_dialog(const file_dialog& dialog, std::string& chosen);

}  // namespace platform
