// int64(N) and uint64(N) of a whole-number literal beyond 2^53: the literal's double is
// not the number written, so the call is given the exact value built from two 32-bit
// halves, bitor(bitshift(uint64(high), 32), uint64(low)), as MATLAB reads it.
#include <string>
#include <utility>
#include <vector>

#include "translate/parser.h"

namespace {
// The value of a literal's digits ("123.0"), when it is a whole number below 2^64 that
// a double does not hold exactly; false otherwise.
bool exact_digits(const std::string& t, unsigned long long& v) {
  if (t.size() < 3 || t.compare(t.size() - 2, 2, ".0") != 0) return false;
  const std::string d = t.substr(0, t.size() - 2);
  if (d.empty() || d.size() > 20 || d.find_first_not_of("0123456789") != std::string::npos) return false;
  unsigned __int128 x = 0;
  for (char c : d) x = x * 10 + unsigned(c - '0');
  if (x >> 64) return false;
  v = static_cast<unsigned long long>(x);
  return v > (1ull << 53);
}
}  // namespace

void parser_t::exact_int_literals() {
  for (int i = 0; i + 3 <= stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || (stmt.gettext(i) != "int64" && stmt.gettext(i) != "uint64")) continue;
    if (!stmt.is_word(i + 1, "(")) continue;
    const int n = stmt.is_word(i + 2, "-") ? i + 3 : i + 2;
    unsigned long long v = 0;
    if (n + 1 > stmt.top() || stmt.kind(n) != TK_NUMBER || !stmt.is_word(n + 1, ")") ||
        !exact_digits(stmt.gettext(n), v))
      continue;
    const bool is_signed = stmt.gettext(i) == "int64";
    // int64(-N) with N from 2^63 on is intmin: the double gives it already.
    if (n == i + 3 && is_signed && v >= (1ull << 63)) continue;
    const std::string hi = std::to_string(v >> 32) + ".0", lo = std::to_string(v & 0xFFFFFFFFull) + ".0";
    // int64(...) of the exact uint64 converts it exactly (and a negative sign before it
    // negates the int64 value).
    std::vector<std::pair<std::string, int>> t;
    if (is_signed) t.insert(t.end(), {{"int64", TK_WORD}, {"(", '('}});
    t.insert(t.end(), {{"bitor", TK_WORD}, {"(", '('}, {"bitshift", TK_WORD}, {"(", '('}, {"uint64", TK_WORD},
                       {"(", '('}, {hi, TK_NUMBER}, {")", ')'}, {",", ','}, {"32.0", TK_NUMBER}, {")", ')'},
                       {",", ','}, {"uint64", TK_WORD}, {"(", '('}, {lo, TK_NUMBER}, {")", ')'}, {")", ')'}});
    if (is_signed) t.push_back({")", ')'});
    stmt.set(n, t[0].first, t[0].second);
    for (std::size_t k = 1; k < t.size(); ++k) stmt.ins(n + int(k), t[k].first, t[k].second);
    i = n + int(t.size());
  }
}
