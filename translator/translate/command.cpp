// Command-form statements: M lets a command be written without parentheses and quotes
// (hold on, format long, cd work, clear all). Unsupported commands are dropped; the
// commands of a fixed list become ordinary calls whose first argument is a string.
#include "driver/diag.h"
#include "lexer/keywords.h"
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

// Commands whose words the translator reads itself (clear's variables, cd's
// directory, load and save lists, echo): they keep their token forms.
bool parser_t::own_command_words(const std::string& word) {
  for (const char* c : {"clear", "cd", "load", "save", "echo"})
    if (word == c) return true;
  return false;
}

// Command syntax for any function: "name word word" is name('word', 'word') when
// name is no variable, with the words as the scanner read them from the line
// (warning off id:x keeps its colon, disp 'two words' its blank).
void parser_t::command_syntax() {
  if (command_words.empty() || !stmt.is_kind(TP_HEAD, TK_WORD)) return;
  const std::string w0 = stmt.gettext(TP_HEAD);
  if (is_block_keyword(w0) || w0 == "function" || w0 == "return" || w0 == "break" ||
      w0 == "continue" || own_command_words(w0) || find_form(w0) || datatypes().find(w0) >= 0 ||
      unsupported_statement(w0))
    return;
  // name word = value is an error of M, not a command.
  if (stmt.is_word(TP_THIRD, "=")) return;
  if (symbols && symbols->find(w0, SYM_VARIABLES) >= 0) return;
  const bool known = is_command(w0);
  // An unknown name: only where the tokens are no expression (two operands in a row,
  // or an operator glued to what follows: disp -x).
  if (!known && !operands_in_a_row(stmt, 0, 1) && stmt.is_kind(TP_AFTER_HEAD, TK_WORD)) return;
  std::vector<std::string> words = command_words;
  // format long g: one style of two words.
  if (w0 == "format" && words.size() > 1) {
    for (std::size_t k = 1; k < words.size(); ++k) words[0] += " " + words[k];
    words.resize(1);
  }
  stmt.reset();
  stmt.ins(TP_HEAD, w0, TK_WORD);
  stmt.ins(TP_AFTER_HEAD, "(", '(');
  int at = 2;
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (k > 0) stmt.ins(at++, ",", ',');
    std::string c = "\"";
    for (char ch : words[k]) {
      if (ch == '"' || ch == '\\') c.push_back('\\');
      c.push_back(ch);
    }
    stmt.ins(at++, c + "\"", TK_STRING);
  }
  stmt.ins(at, ")", ')');
  if (known) display = 0;
}

void parser_t::translate() {
  for (const char* u : kUnsupported) {
    if (stmt.is_word(TP_HEAD, u)) {
      empty_statement();
      return;
    }
  }
}

void parser_t::command_form() {
  if (stmt.empty() || stmt.kind(TP_HEAD) != TK_WORD || !is_command(stmt.gettext(TP_HEAD)) ||
      stmt.is_word(TP_AFTER_HEAD, "="))
    return;
  const std::string command = stmt.gettext(TP_HEAD);
  display = 0;
  if (stmt.top() == 1) {   // the command alone: clf is clf()
    stmt.ins(TP_AFTER_HEAD, "(", '(');
    stmt.ins(TP_THIRD, ")", ')');
    return;
  }
  if (stmt.is_word(TP_AFTER_HEAD, "(")) {
    // clear('a', 'b') names variables as clear a b does.
    if (command == "clear") {
      for (int i = 2; i < stmt.top(); ++i) {
        const std::string& t = stmt.gettext(i);
        if (stmt.kind(i) != TK_STRING || t.size() < 3) continue;
        const std::string word = t.substr(1, t.size() - 2);
        if (symbols && symbols->find(word, SYM_VARIABLES) >= 0) stmt.set(i, word, TK_WORD);
      }
    }
    return;
  }

  if (command == "clear") {
    if (stmt.is_word(TP_AFTER_HEAD, "all") || stmt.is_word(TP_AFTER_HEAD, "global")) stmt.set(TP_AFTER_HEAD, "nop_M", TK_WORD);
  } else {
    if (command == "cd") {
      // The scanner reads ".." as two dots; cd .. names one directory.
      while (stmt.top() > 2 && stmt.is_word(TP_AFTER_HEAD, ".") && stmt.is_word(TP_THIRD, ".")) {
        stmt.set(TP_AFTER_HEAD, "..", TK_OTHER);
        stmt.del(TP_THIRD);
      }
      if (stmt.top() > 2) fail("Use cd('x') instead of cd x");
      if (stmt.gettext(TP_AFTER_HEAD) != ".." && host) host->add_search_dir(stmt.gettext(TP_AFTER_HEAD));
    }
    stmt.quote(1);
  }
  // format long g: one style of two words.
  if (command == "format" && stmt.top() > 2) {
    std::string style = stmt.gettext(TP_AFTER_HEAD);
    for (int i = TP_THIRD; i < stmt.top(); ++i) style.insert(style.size() - 1, " " + stmt.gettext(i));
    stmt.set(TP_AFTER_HEAD, style, TK_STRING);
    stmt.del(TP_THIRD, stmt.top() - 2);
  }
  for (int i = 2; stmt.gettext(i) != "\n" || stmt.kind(i) != TK_OTHER; i += 2) {
    stmt.ins(i, ",", ',');
    if (i + 1 > stmt.top()) break;
  }
  stmt.ins(TP_AFTER_HEAD, "(", '(');
  for (int i = 0; i <= stmt.top(); ++i) {
    if (stmt.gettext(i) == "\n") {
      stmt.ins(i, ")", ')');
      break;
    }
  }
}
