// Direct element access: in a statement whose C++ is complete, x(i), x(i,j) and
// x(i,j,k) of a proven real double array x become grl::elem_get(x, ...) (a read) or,
// as the target of the statement, grl::elem_ref(x, ...) = value (a write). The library
// takes the direct path when the subscripts are C++ numbers and falls back to the
// general indexing otherwise, so only the proof that x holds real doubles is needed
// here.
#include "translate/parser.h"

bool parser_t::proven_array(const std::string& word) const {
  if (!symbols || !inferred_arrays.count(word) || inferred_scalars.count(word)) return false;
  const int e = symbols->find(word, SYM_VARIABLES);
  return e >= 0 && symbols->info_of(e)[INFO_TYPE] == default_type &&
         !(symbols->type_of(e) & (SYM_GLOBAL | SYM_EXTERN_GLOBAL | SYM_INPUT | SYM_OUTPUT | SYM_RETURN));
}

void parser_t::element_access_pass() {
  // v = value of a proven scalar v: a library function's M result is read as a number.
  if (symbols && stmt.kind(TP_HEAD) == TK_WORD && stmt.is_word(TP_AFTER_HEAD, "=") && stmt.top() > TP_THIRD) {
    const std::string& v = stmt.gettext(TP_HEAD);
    const int e = symbols->find(v, SYM_VARIABLES);
    const bool scalar_input = scalar_signature && e >= 0 && (symbols->type_of(e) & (SYM_INPUT | SYM_RETURN));
    if (e >= 0 && (symbols->info_of(e)[INFO_TYPE] & DT_SCALAR) && (inferred_scalars.count(v) || scalar_input)) {
      int end = stmt.top();
      while (end > TP_THIRD && (stmt.is_word(end - 1, ";") || stmt.is_word(end - 1, ","))) --end;
      stmt.ins(end, ")", ')');
      stmt.ins(TP_THIRD, "grl::real_scalar(", TK_OTHER);
    }
  }
  if (inferred_arrays.empty() || stmt.find("i_o") >= 0) return;
  for (int i = 0; i + 1 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(") || !proven_array(stmt.gettext(i))) continue;
    if (i > 0) {
      const std::string& before = stmt.gettext(i - 1);
      if (!before.empty() && (before.back() == '.' || before.back() == ':' || before.back() == '>' ||
                              before.back() == '&'))
        continue;
    }
    // The closing bracket and the number of subscripts.
    int depth = 0, close = -1, commas = 0;
    for (int j = i + 1; j < stmt.top(); ++j) {
      const std::string& t = stmt.gettext(j);
      if (stmt.kind(j) == TK_STRING || t.empty()) continue;
      if (t[0] == '(' || t[0] == '[' || t[0] == '{') ++depth;
      if (t[0] == ')' || t[0] == ']' || t[0] == '}') {
        if (--depth == 0) {
          close = j;
          break;
        }
      }
      if (depth == 1 && t == ",") ++commas;
    }
    if (close < 0 || close == i + 2 || commas > 2) continue;
    const std::string& after = stmt.gettext(close + 1);
    if (!after.empty() && (after[0] == '.' || after[0] == '(' || after[0] == '{' || after[0] == '[')) continue;
    const std::string var = stmt.gettext(i);
    if (after == "=") {
      // Only the whole statement x(...) = value; nothing shown.
      if (i != TP_HEAD || display) continue;
      stmt.set(i, "grl::elem_ref", TK_OTHER);
    } else if (after.size() >= 2 && after[1] == '=' && after[0] != '=') {
      continue;   // x(i) += v and the like
    } else {
      stmt.set(i, "grl::elem_get", TK_OTHER);
    }
    stmt.ins(i + 2, var, TK_WORD);
    stmt.ins(i + 3, ",", ',');
    i += 3;
  }
}
