// Message boxes. The console programs write the box to standard error and read a
// Yes/No answer from standard input; windowed programs install their own handler.
#pragma once
#include <string>

namespace platform {

enum class box_kind { ok, yes_no };
enum class box_answer { ok, yes, no };

using box_handler = box_answer (*)(const std::string& title, const std::string& text,
                                   box_kind kind);

// Shows a box and waits for its answer. Without an installed handler the console
// backend is used.
box_answer message_box(const std::string& title, const std::string& text, box_kind kind);

// Installs the handler of a windowed program; nullptr restores the console backend.
void set_box_handler(box_handler handler);

// The console backend: title and text on standard error; a Yes/No box reads the next
// non-blank character from standard input (y or Y is Yes) and discards the rest of
// that line; end of input is No. An OK box does not wait.
box_answer console_box(const std::string& title, const std::string& text, box_kind kind);

}  // namespace platform
