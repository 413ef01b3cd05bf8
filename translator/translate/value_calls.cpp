// Module VALUE_CALLS: a value called with no inputs, X(), where X is an index, a cell
// element, a field or a call's result (c{k}(), s.f(), make()()): the value may hold
// a function handle that only the running program knows. The empty parentheses take
// the all-index, X(c_p), which the library reads as a call with no inputs when X
// holds a handle (and as every element otherwise).
#include "translate/parser.h"

void parser_t::value_call_pass() {
  for (int i = 1; i + 1 < stmt.top(); ++i) {
    if (!stmt.is_word(i, "(") || !stmt.is_word(i + 1, ")") || !stmt.is_word(i - 1, ")")) continue;
    if (stmt.kind(i - 1) == TK_STRING || stmt.kind(i) == TK_STRING) continue;
    stmt.ins(i + 1, "c_p", TK_WORD);
  }
}
