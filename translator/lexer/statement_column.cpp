#include "lexer/statement_column.h"

#include <string>

namespace {

bool opens(const std::string& t) { return t == "(" || t == "[" || t == "{"; }
bool closes(const std::string& t) { return t == ")" || t == "]" || t == "}"; }

// Precedence of a binary operator, lowest first; 0 for no binary operator.
int binary_level(const std::string& t) {
  if (t == "||") return 1;
  if (t == "&&") return 2;
  if (t == "|") return 3;
  if (t == "&") return 4;
  if (t == "<" || t == "<=" || t == ">" || t == ">=" || t == "==" || t == "~=" || t == "!=") return 5;
  if (t == ":") return 6;
  if (t == "+" || t == "-") return 7;
  if (t == "*" || t == "/" || t == "\\" || t == ".*" || t == "./" || t == ".\\") return 8;
  if (t == "^" || t == ".^" || t == "**") return 10;
  return 0;
}
constexpr int kRangeLevel = 6;

bool bracket(const tokens_t& s, int i, bool open) {
  return s.kind(i) != TK_STRING && (open ? opens(s.gettext(i)) : closes(s.gettext(i)));
}

bool is_transpose(const tokens_t& s, int i) {
  const std::string& t = s.gettext(i);
  return s.kind(i) != TK_STRING && (t == "'" || t == ".'");
}

// Whether token i ends an operand, so that a "+" or "-" after it is binary.
bool ends_operand(const tokens_t& s, int i) {
  const int k = s.kind(i);
  return k == TK_WORD || k == TK_NUMBER || k == TK_STRING || bracket(s, i, false) || is_transpose(s, i);
}

statement_place at(const tokens_t& s, int i) { return {s.line(i), s.column(i)}; }

// The closing bracket of the one that opens at token `from`, or -1.
int matching_close(const tokens_t& s, int from, int to) {
  int depth = 0;
  for (int i = from; i <= to; ++i) {
    if (bracket(s, i, true)) ++depth;
    if (bracket(s, i, false) && --depth == 0) return i;
  }
  return -1;
}

// The root of the expression in tokens [from, to].
statement_place expression_place(const tokens_t& s, int from, int to) {
  if (from > to) return {};
  int depth = 0, best = -1, best_level = 99, first_colon = -1;
  for (int i = from; i <= to; ++i) {
    if (bracket(s, i, true)) ++depth;
    if (bracket(s, i, false)) --depth;
    if (depth != 0 || i == from || s.kind(i) == TK_STRING) continue;
    const std::string& t = s.gettext(i);
    const int level = binary_level(t);
    if (level == 0) continue;
    if ((t == "+" || t == "-") && !ends_operand(s, i - 1)) continue;   // a sign
    if (level == kRangeLevel && first_colon < 0) first_colon = i;
    if (level <= best_level) {   // the last of the lowest level: operators group to the left
      best = i;
      best_level = level;
    }
  }
  // A range is placed at its first operand.
  if (best >= 0) return best_level == kRangeLevel ? expression_place(s, from, first_colon - 1) : at(s, best);
  const std::string& first = s.gettext(from);
  if (s.kind(from) != TK_STRING && (first == "-" || first == "+" || first == "~" || first == "!")) return at(s, from);
  // A transpose: the column before its quote.
  if (is_transpose(s, to)) return {s.line(to), s.column(to) + int(s.gettext(to).size()) - 2};
  if (bracket(s, from, true) && matching_close(s, from, to) == to) {
    if (first == "(") return expression_place(s, from + 1, to - 1);   // (expr): the expression inside
    return at(s, to);   // [a b], {a, b}: the closing bracket
  }
  return at(s, from);
}

}  // namespace

statement_place statement_column(const tokens_t& s, bool command) {
  int last = s.top();
  while (last >= 0 && s.kind(last) == TK_OTHER && s.gettext(last) == "\n") --last;
  if (last < 0 || s.kind(0) == TK_COMMENT) return {};
  const std::string& head = s.gettext(0);
  if (s.kind(0) == TK_WORD) {
    if (head == "for" || head == "parfor" || head == "switch") return at(s, 0);
    if (head == "if" || head == "elseif" || head == "while") return expression_place(s, 1, last);
    if (command) return at(s, 0);
  }
  int depth = 0;
  for (int i = 0; i <= last; ++i) {
    if (bracket(s, i, true)) ++depth;
    if (bracket(s, i, false)) --depth;
    if (depth == 0 && s.kind(i) != TK_STRING && s.gettext(i) == "=") return at(s, i);
  }
  return expression_place(s, 0, last);
}
