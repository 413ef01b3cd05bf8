// An expression statement gives its value to `ans`: `3 + 4;`, `max(v);` or `f(x)` with
// a function that has an output make `ans` that value (shown as "ans = ..." without a
// semicolon). A variable alone (`x`) is shown by its own name, and a call of a
// function without outputs (disp, fprintf, a function with none) leaves ans as it is.
// The statement is rewritten as `ans = expr` in files that read ans; elsewhere the
// value is only shown, as before.
#include <set>
#include <string>

#include "lexer/keywords.h"
#include "translate/parser.h"

namespace {

// Library functions that give no value when they are called as a statement, though
// they may give one when asked (fprintf counts bytes, toc gives the time).
bool quiet_as_statement(const std::string& w) {
  static const std::set<std::string> words = {
      "fprintf", "printf", "fputs", "puts", "fdisp", "disp", "display", "tic", "toc", "warning",
      "error", "rethrow", "throw", "assert", "figure", "plot", "hold", "close", "clc", "drawnow",
      "pause", "format", "more", "beep", "clear", "rng", "print", "subplot", "xlabel", "ylabel",
      "title", "legend", "grid", "axis", "fflush", "cd", "mkdir", "delete", "save", "load"};
  return words.count(w) > 0;
}

}  // namespace

// display(x) of a variable x shows it as the statement `x` does ("x = ..."); display of
// any other value writes what disp writes. s = disp(x) takes disp's text instead of
// writing it.
void parser_t::display_calls() {
  if (!symbols || stmt.top() < 4 || !stmt.is_kind(TP_HEAD, TK_WORD)) return;
  auto only_marks_after = [&](int i) {
    for (int j = i + 1; j < stmt.top(); ++j)
      if (stmt.kind(j) != TK_OTHER && stmt.kind(j) != TK_COMMENT) return false;
    return true;
  };
  auto closing = [&](int open) {
    int d = 0;
    for (int i = open; i < stmt.top(); ++i) {
      if (stmt.kind(i) == '(') ++d;
      else if (stmt.kind(i) == ')' && --d == 0) return i;
    }
    return -1;
  };
  const bool own = symbols->find("display", SYM_VARIABLES) >= 0 || (host && host->has_mfile("display"));
  if (stmt.is_word(TP_HEAD, "display") && stmt.is_word(TP_AFTER_HEAD, "(") && !own) {
    const int close = closing(TP_AFTER_HEAD);
    if (close < 0 || !only_marks_after(close)) return;
    const bool variable = close == TP_AFTER_HEAD + 2 && stmt.kind(TP_AFTER_HEAD + 1) == TK_WORD &&
                          symbols->find(stmt.gettext(TP_AFTER_HEAD + 1), SYM_VARIABLES) >= 0;
    if (variable) {
      stmt.del(close);
      stmt.del(TP_HEAD, 2);
      display = 1;
    } else {
      stmt.set(TP_HEAD, "disp", TK_WORD);
    }
    return;
  }
  const int at = TP_HEAD + 2;
  if (stmt.is_word(TP_AFTER_HEAD, "=") && stmt.is_word(at, "disp") && stmt.kind(at) == TK_WORD &&
      stmt.is_word(at + 1, "(") && symbols->find("disp", SYM_VARIABLES) < 0 && !(host && host->has_mfile("disp"))) {
    const int close = closing(at + 1);
    if (close >= 0 && only_marks_after(close)) stmt.set(at, "disp_output", TK_WORD);
  }
}

// A statement c{k} or c{i, j} of a variable c, one element (no ':' or end inside).
bool parser_t::element_statement() const {
  if (!stmt.is_kind(TP_HEAD, TK_WORD) || !stmt.is_word(TP_AFTER_HEAD, "{")) return false;
  if (symbols->find(stmt.gettext(TP_HEAD), SYM_VARIABLES) < 0) return false;
  int d = 0;
  for (int i = TP_AFTER_HEAD; i < stmt.top(); ++i) {
    const std::string& t = stmt.gettext(i);
    if (stmt.kind(i) == TK_STRING) continue;
    if (t == ":" || t == "end") return false;
    if (t == "(" || t == "[" || t == "{") ++d;
    else if ((t == ")" || t == "]" || t == "}") && --d == 0) {
      for (int j = i + 1; j < stmt.top(); ++j)
        if (stmt.kind(j) != TK_OTHER && stmt.kind(j) != TK_COMMENT) return false;
      return true;
    }
  }
  return false;
}

void parser_t::expression_sets_ans() {
  if (!symbols || stmt.top() < 1) return;
  if (stmt.kind(TP_HEAD) == TK_COMMENT) return;
  // c{k}; alone reads the element, which fails as Octave's does when it is not there:
  // such a statement sets ans in any file.
  if (!reads_ans && !element_statement()) return;
  // An assignment (an "=" outside brackets) is not an expression statement.
  int depth = 0;
  for (int i = 0; i < stmt.top(); ++i) {
    const int k = stmt.kind(i);
    if (k == '(' || k == '[' || k == '{') ++depth;
    else if (k == ')' || k == ']' || k == '}') --depth;
    else if (depth == 0 && k == '=' && stmt.gettext(i) == "=") return;
  }
  // Whether nothing but the line's end (and marks) follows token i.
  auto ends_after = [&](int i) {
    for (int j = i + 1; j < stmt.top(); ++j)
      if (stmt.kind(j) != TK_OTHER && stmt.kind(j) != TK_COMMENT) return false;
    return true;
  };
  if (stmt.is_kind(TP_HEAD, TK_WORD)) {
    const std::string w0 = stmt.gettext(TP_HEAD);
    if (is_block_keyword(w0) || w0 == "function" || w0 == "return" || w0 == "break" ||
        w0 == "continue" || w0 == "global" || w0 == "persistent")
      return;
    const bool variable = w0 == "ans" || symbols->find(w0, SYM_VARIABLES) >= 0;
    if (variable && ends_after(TP_HEAD)) return;   // `x` shows x
    // A whole statement that calls w0: the function decides.
    int close = -1;
    if (stmt.is_word(TP_AFTER_HEAD, "(")) {
      int d = 0;
      for (int i = TP_AFTER_HEAD; i < stmt.top(); ++i) {
        if (stmt.kind(i) == '(') ++d;
        else if (stmt.kind(i) == ')' && --d == 0) {
          close = i;
          break;
        }
      }
    }
    const bool whole_call = ends_after(TP_HEAD) || (close >= 0 && ends_after(close));
    if (!variable && whole_call) {
      if (quiet_as_statement(w0)) return;
      const int f = symbols->find(w0, SYM_FUNCTIONS);
      if (f >= 0 && symbols->info_of(f)[INFO_NOUT] == 0) return;
      if (outputs_of && outputs_of(w0) == 0) return;
    }
  }
  stmt.ins(TP_HEAD, "ans", TK_WORD);
  stmt.ins(TP_AFTER_HEAD, "=", '=');
}
