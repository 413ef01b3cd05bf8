// Module DUAL_NAMES: a name that is a variable on some paths through a function and a
// function on others. M decides at each use whether the variable holds a value; a
// variable first assigned inside a block (if, switch, a loop body, try) may not, so
// each later read of it asks at run time:
//   GRL_DUAL(grl::holds_value(x), value of x(args), feval("x", args))
// (a macro: the function is called only when the variable holds no value).
// A variable first assigned [] counts as holding none there.
#include <algorithm>

#include "translate/parser.h"

namespace {

bool opens(const std::string& t) { return t == "(" || t == "[" || t == "{"; }
bool closes(const std::string& t) { return t == ")" || t == "]" || t == "}"; }

}  // namespace

// After a statement: the variables it made that also name a function, when it stands
// inside a block of the function.
void parser_t::note_dual_names(int known, int at_depth) {
  if (!symbols || is_function_line) return;
  if (body_depth < 0) body_depth = at_depth;
  if (at_depth <= body_depth) return;
  for (int e = known + 1; e <= symbols->last(); ++e) {
    if (!(symbols->type_of(e) & SYM_VARIABLES)) continue;
    if (symbols->type_of(e) & (SYM_INPUT | SYM_GLOBALS)) continue;
    const std::string& v = symbols->text_of(e);
    if (v.find('.') != std::string::npos) continue;
    const bool function = symbols->find(v, SYM_FUNCTIONS | SYM_RESERVED_FUNCTION) >= 0 ||
                          std::find(local_names.begin(), local_names.end(), v) != local_names.end() ||
                          (host && host->has_mfile(v));
    if (function) dual_names.insert(v);
  }
}

// The feval dispatcher learns the function named n, which the variable hides from the
// usual lookup. False when no function of that name can be found.
bool parser_t::feval_learns(const std::string& n) {
  int f = symbols->find(n, SYM_FUNCTIONS | SYM_RESERVED_FUNCTION);
  auto unresolved = [&](int e) {
    return e < 0 || ((symbols->type_of(e) & SYM_FUNCTIONS) &&
                     (symbols->info_of(e)[INFO_TYPE] == DT_UNCLASSIFIED ||
                      symbols->info_of(e)[INFO_TYPE] == datatypes().script_index()));
  };
  if (unresolved(f) && host && host->has_mfile(n)) {
    host->translate_name(n, *symbols, 1);
    f = symbols->find(n, SYM_FUNCTIONS);
    if (f >= 0 && unresolved(f)) {
      host->translate_name(n, *symbols, 0);
      f = symbols->find(n, SYM_FUNCTIONS);
    }
  }
  if (f < 0 || symbols->info_of(f)[INFO_TYPE] == datatypes().script_index()) return false;
  symbols->add(n, SYM_FEVAL, symbol_info(symbols->info_of(f)));
  uses_feval = 1;
  return true;
}

// The reads of such names in this statement (not its targets).
void parser_t::dual_reads() {
  if (!symbols || dual_names.empty() || stmt.top() == 0 || stmt.kind(TP_HEAD) != TK_WORD) return;
  for (const char* skip : {"for", "parfor", "catch", "global", "persistent", "clear", "clearvars", "function", "load", "save"})
    if (stmt.is_word(TP_HEAD, skip)) return;
  // The targets stand before the statement's own "=".
  int from = 0, depth = 0;
  for (int j = 0; j < stmt.top(); ++j) {
    const std::string& t = stmt.gettext(j);
    if (stmt.kind(j) == TK_STRING) continue;
    if (opens(t)) ++depth;
    else if (closes(t)) --depth;
    else if (depth == 0 && t == "=") {
      from = j + 1;
      break;
    }
  }
  for (int i = from; i < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !dual_names.count(stmt.gettext(i))) continue;
    const std::string n = stmt.gettext(i);
    const int v = symbols->find(n, SYM_VARIABLES);
    if (v < 0 || (symbols->info_of(v)[INFO_TYPE] & DT_CELL)) continue;
    if (i > 0 && (stmt.is_word(i - 1, "@") || stmt.is_word(i - 1, "."))) continue;
    if (stmt.is_word(i + 1, "{") || stmt.is_word(i + 1, ".") || stmt.is_word(i + 1, "=")) continue;
    // The arguments, when the name is followed by them; `end` among them is the
    // variable's own.
    std::vector<std::pair<std::string, int>> args;
    int close = i;
    if (stmt.is_word(i + 1, "(")) {
      close = call_end(i + 1);
      if (close < 0) continue;
      bool has_end = false;
      for (int j = i + 2; j < close; ++j) {
        has_end = has_end || (stmt.kind(j) == TK_WORD && stmt.is_word(j, "end"));
        args.emplace_back(stmt.gettext(j), stmt.kind(j));
      }
      if (has_end) continue;
    }
    if (!feval_learns(n)) continue;
    // Insert after the read (the function's call), then before it (the test).
    int at = close + 1;
    auto put = [&](const std::string& text, int kind) { stmt.ins(at++, text, kind); };
    put(")", ')');
    put(",", ',');
    put("M<m_type>", TK_OTHER);
    put("(", '(');
    put("feval", TK_WORD);
    put("(", '(');
    put("\"" + n + "\"", TK_STRING);
    for (const auto& a : args) {
      if (&a == &args.front()) put(",", ',');
      put(a.first, a.second);
    }
    put(")", ')');
    put(")", ')');
    put(")", ')');
    const int after = at;
    at = i;
    put("GRL_DUAL", TK_OTHER);
    put("(", '(');
    put("grl::holds_value", TK_OTHER);
    put("(", '(');
    put(n, TK_WORD);
    put(")", ')');
    put(",", ',');
    put("M<m_type>", TK_OTHER);
    put("(", '(');
    i = after + (at - i) - 1;
  }
}
