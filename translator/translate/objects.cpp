// Calls of the containers.Map functions whose keys are written as a cell literal:
// isKey(m, {'a', 'b'}), values(m, {k}), remove(m, {'a'}). The library takes the keys
// as one value, so the literal is made a value first.
#include "translate/parser.h"

void parser_t::map_key_literals() {
  if (!symbols) return;
  for (int i = 0; i + 1 < stmt.top(); ++i) {
    const std::string& f = stmt.gettext(i);
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) continue;
    if (f != "isKey" && f != "values_M" && f != "remove_M") continue;
    if (symbols->find(f, SYM_VARIABLES) >= 0 || symbols->find(f, SYM_FUNCTIONS) >= 0) continue;
    std::vector<int> bounds;
    const int n = scan_arguments(i + 1, bounds);
    if (n < 2) continue;
    const int from = bounds[1];
    const int to = n > 2 ? bounds[2] - 1 : bounds[n];   // the "," or ")" after the keys
    if (!stmt.is_word(from, "(") || !stmt.is_word(from + 1, "CL")) continue;
    stmt.ins(to, ")", ')');
    stmt.ins(from, "(", '(');
    stmt.ins(from, "M<m_type>", TK_OTHER);
  }
}
