// Command-form statements: M lets a command be written without parentheses and quotes
// (hold on, format long, cd work, clear all). Unsupported commands are dropped; the
// commands of a fixed list become ordinary calls whose first argument is a string.
#include "driver/diag.h"
#include "translate/parser.h"

namespace {

const char* const kUnsupported[] = {"diary", "pack", "keyboard", "help", "simulink"};

const char* const kCommands[] = {"cd",     "clear", "hold", "type",   "delete",
                                 "deleteM", "axis", "clf",  "cla",    "pause",
                                 "pauseM", "echo",  "load", "save",   "format",
                                 "grid",   "more",  "warning", "subplot", "close",
                                 "close_M", "clc",  "beep", "drawnow", "mkdir",
                                 "mkdir_M", "rmdir", "rmdir_M"};

}  // namespace

bool parser_t::is_command(const std::string& word) {
  for (const char* c : kCommands) {
    if (!*c) diag::error("postfun: check array size");
    if (word == c) return true;
  }
  return false;
}

void parser_t::translate() {
  for (const char* u : kUnsupported) {
    if (stmt.is_word(0, u)) {
      empty_statement();
      return;
    }
  }
}

void parser_t::command_form() {
  if (stmt.empty() || stmt.kind(0) != TK_WORD || !is_command(stmt.gettext(0)) ||
      stmt.is_word(1, "="))
    return;
  const std::string command = stmt.gettext(0);
  display = 0;
  if (stmt.top() == 1) {   // the command alone: clf is clf()
    stmt.ins(1, "(", '(');
    stmt.ins(2, ")", ')');
    return;
  }
  if (stmt.is_word(1, "(")) return;

  if (command == "clear") {
    if (stmt.is_word(1, "all") || stmt.is_word(1, "global")) stmt.set(1, "nop_M", TK_WORD);
  } else {
    if (command == "cd") {
      // The scanner reads ".." as two dots; cd .. names one directory.
      while (stmt.top() > 2 && stmt.is_word(1, ".") && stmt.is_word(2, ".")) {
        stmt.set(1, "..", TK_OTHER);
        stmt.del(2);
      }
      if (stmt.top() > 2) fail("Use cd('x') instead of cd x");
      if (stmt.gettext(1) != ".." && host) host->add_search_dir(stmt.gettext(1));
    }
    stmt.quote(1);
  }
  if (command == "format" && stmt.top() > 2) stmt.del(2, stmt.top() - 2);
  for (int i = 2; stmt.gettext(i) != "\n" || stmt.kind(i) != TK_OTHER; i += 2) {
    stmt.ins(i, ",", ',');
    if (i + 1 > stmt.top()) break;
  }
  stmt.ins(1, "(", '(');
  for (int i = 0; i <= stmt.top(); ++i) {
    if (stmt.gettext(i) == "\n") {
      stmt.ins(i, ")", ')');
      break;
    }
  }
}
