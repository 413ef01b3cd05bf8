// What the translator cannot write as C++ is reported before any rewrite, in the
// form file(line) : error: ..., instead of going out as text that the C++ compiler
// then rejects: statement words without a form, command syntax outside the known
// commands, brackets that do not pair, an "=" where no assignment can be.
#include <string>
#include <vector>

#include "driver/diag.h"
#include "lexer/keywords.h"
#include "translate/parser.h"

namespace {

// Statement words of the M language that no form translates yet (a block keyword
// without an entry in the form table is reported too).
const char* const kUnsupportedStatements[] = {
    "parfor", "spmd", "unwind_protect", "unwind_protect_cleanup",
    "end_unwind_protect", "classdef", "import"};

// First words whose statement goes on with names rather than an expression.
const char* const kWordStatements[] = {"global", "persistent", "define", "cell",   "scalar", "declare",
                                       "call",   "echo",   "par_run", "par_sync", "load", "save",
                                       "diary",  "pack",   "keyboard", "help", "simulink"};

bool listed(const std::string& word, const char* const* first, const char* const* last) {
  for (; first != last; ++first)
    if (word == *first) return true;
  return false;
}

}  // namespace

bool parser_t::unsupported_statement(const std::string& word) {
  return listed(word, std::begin(kUnsupportedStatements), std::end(kUnsupportedStatements));
}

void parser_t::check_statement() {
  if (stmt.empty() || stmt.kind(TP_HEAD) == TK_COMMENT || stmt.kind(TP_HEAD) == TK_SHELL) return;
  const std::string w0 = stmt.kind(TP_HEAD) == TK_WORD ? stmt.gettext(TP_HEAD) : std::string();
  const bool assigned = stmt.is_word(TP_AFTER_HEAD, "=") || stmt.is_word(TP_AFTER_HEAD, "(") || stmt.is_word(TP_AFTER_HEAD, "{");
  if (!w0.empty() && !assigned && !find_form(w0) &&
      (is_block_keyword(w0) ||
       listed(w0, std::begin(kUnsupportedStatements), std::end(kUnsupportedStatements)))) {
    const std::string msg = "'" + w0 + "' statements are not supported";
    fail(msg.c_str());
  }
  const bool words_follow =
      !w0.empty() && (listed(w0, std::begin(kWordStatements), std::end(kWordStatements)) ||
                      is_command(w0) || datatypes().find(w0) >= 0);
  if (words_follow) return;

  // Brackets pair, and two operands never stand in a row outside matrix brackets.
  std::vector<char> open;
  bool body_params_closed = false;
  const int first = !w0.empty() && (is_block_keyword(w0) || w0 == "until") ? 1 : 0;
  for (int i = 0; i < stmt.top(); ++i) {
    const std::string& t = stmt.gettext(i);
    const bool bracket = stmt.kind(i) != TK_STRING && t.size() == 1;
    bool body_follows = false;   // @(x) body: the parameters end before the body
    if (bracket && (t[0] == '(' || t[0] == '[' || t[0] == '{')) {
      open.push_back(t[0] == '(' && i > 0 && stmt.is_word(i - 1, "@") ? '@' : t[0]);
    } else if (bracket && (t[0] == ')' || t[0] == ']' || t[0] == '}')) {
      const char want = t[0] == ')' ? '(' : t[0] == ']' ? '[' : '{';
      const char got = open.empty() ? 0 : open.back() == '@' ? '(' : open.back();
      if (got != want) fail("brackets do not pair");
      body_params_closed = open.back() == '@';
      open.pop_back();
      continue;
    }
    body_follows = body_params_closed;
    body_params_closed = false;
    const bool in_matrix = !open.empty() && open.back() != '(' && open.back() != '@';
    // c{2}(2), f(1)(2): an index after a closing bracket indexes the result.
    const bool indexes = i > 0 && (t == "(" || t == "{") && stmt.kind(i - 1) != TK_NUMBER;
    if (i > first && !in_matrix && !indexes && !body_follows && operands_in_a_row(stmt, i - 1, i)) {
      const std::string msg = first == 0 && i == 1 && stmt.kind(TP_HEAD) == TK_WORD
                                  ? "command syntax is not supported for '" + w0 + "'"
                                  : "missing operator before '" + t + "'";
      fail(msg.c_str());
    }
  }
  if (!open.empty()) fail("brackets do not pair");
}
