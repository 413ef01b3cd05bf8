// Octave's compound assignments, which shared M-files use: x += e, x -= e, x *= e,
// x /= e and x ^= e assign x op (e), and v(k) += 1 reads and writes the same element;
// x++ and x-- add and take one.
#include <string>
#include <vector>

#include "translate/parser.h"

namespace {

bool compound_operator(const std::string& t) { return t == "+" || t == "-" || t == "*" || t == "/" || t == "^"; }

}  // namespace

void parser_t::compound_assignment() {
  // x++ and x-- as statements: x += 1 and x -= 1.
  const int last = stmt.top() > 0 && stmt.is_word(stmt.top(), "\n") ? stmt.top() - 1 : stmt.top();
  if (last >= 2 && stmt.kind(TP_HEAD) == TK_WORD && (stmt.is_word(last, "+") || stmt.is_word(last, "-")) &&
      stmt.gettext(last) == stmt.gettext(last - 1) && stmt.column(last) == stmt.column(last - 1) + 1) {
    const std::string op = stmt.gettext(last);
    const int op_kind = stmt.kind(last);
    stmt.del(last - 1, 2);
    int at = last - 1;
    stmt.ins(at++, "=", '=');
    for (int i = 0; i < last - 1; ++i) stmt.ins(at++, stmt.gettext(i), stmt.kind(i));
    stmt.ins(at++, op, op_kind);
    stmt.ins(at, "1", TK_NUMBER);
    return;
  }
  // The assignment's = at the outer level: the first one outside brackets and texts.
  int depth = 0, eq = -1;
  for (int i = 0; i <= stmt.top(); ++i) {
    if (stmt.kind(i) == TK_STRING) continue;
    const std::string& t = stmt.gettext(i);
    if (t == "(" || t == "[" || t == "{") ++depth;
    else if (t == ")" || t == "]" || t == "}") --depth;
    else if (depth == 0 && t == "=") {
      eq = i;
      break;
    }
  }
  if (eq < 2 || !compound_operator(stmt.gettext(eq - 1)) || stmt.kind(eq - 1) == TK_STRING) return;
  // The column of the operator and the = tell x += 1 from x + = 1 (no M at all).
  if (stmt.column(eq) != stmt.column(eq - 1) + 1) return;
  const std::string op = stmt.gettext(eq - 1);
  const int op_kind = stmt.kind(eq - 1);
  std::vector<std::pair<std::string, int>> target;
  for (int i = 0; i < eq - 1; ++i) target.emplace_back(stmt.gettext(i), stmt.kind(i));
  // The value ends at the statement's end: a ; , or line end outside brackets.
  int end = eq + 1;
  for (depth = 0; end <= stmt.top(); ++end) {
    const std::string& t = stmt.gettext(end);
    if (stmt.kind(end) == TK_STRING) continue;
    if (t == "(" || t == "[" || t == "{") ++depth;
    else if (t == ")" || t == "]" || t == "}") --depth;
    else if (depth == 0 && (t == ";" || t == "," || t == "\n")) break;
  }
  if (end == eq + 1) return;   // no value: the statement is reported as it stands
  stmt.ins(end, ")", ')');
  stmt.del(eq - 1);   // the = moves to eq - 1
  int at = eq;
  for (const auto& t : target) stmt.ins(at++, t.first, t.second);
  stmt.ins(at++, op, op_kind);
  stmt.ins(at, "(", '(');
}
