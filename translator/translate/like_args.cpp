// F(..., 'like', p): a value made like p. The makers zeros, ones, eye, rand, randn,
// NaN and Inf take the class of p (the library's grl::construct reads the option when
// the program runs); cast(x, 'like', p) is cast(x, class(p)).
#include <cctype>
#include <string>
#include <vector>

#include "translate/parser.h"

namespace {

bool like_word(const tokens_t& s, int i) {
  if (s.kind(i) != TK_STRING) return false;
  std::string t = s.gettext(i);
  for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
  return t == "\"like\"" || t == "'like'";
}

// The library's name of a maker that takes 'like', or null.
const char* maker_name(const std::string& f) {
  static const char* const names[][2] = {{"zeros", "zeros"}, {"ones", "ones"}, {"eye", "eye"},
                                         {"rand", "rand"},   {"randn", "randn"}, {"nan", "NaN"},
                                         {"NaN", "NaN"},     {"inf", "Inf"},     {"Inf", "Inf"}};
  for (const auto& n : names)
    if (f == n[0]) return n[1];
  return nullptr;
}

}  // namespace

void parser_t::like_arguments() {
  for (int i = 0; i + 1 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) continue;
    const std::string f = stmt.gettext(i);
    const char* maker = maker_name(f);
    if ((!maker && f != "cast") || (symbols && symbols->find(f, SYM_VARIABLES | SYM_FUNCTIONS) >= 0)) continue;
    const int close = call_end(i + 1);
    // The option is the last argument but one: 'like' alone.
    std::vector<int> starts{i + 2};
    int depth = 0;
    for (int j = i + 2; j < close; ++j) {
      if (stmt.kind(j) == TK_STRING) continue;
      const std::string& t = stmt.gettext(j);
      if (t == "(" || t == "[" || t == "{") ++depth;
      else if (t == ")" || t == "]" || t == "}") --depth;
      else if (t == "," && depth == 0) starts.push_back(j + 1);
    }
    if (starts.size() < 2) continue;
    const int like = starts[starts.size() - 2];
    if (!like_word(stmt, like) || !stmt.is_word(like + 1, ",") || like + 2 >= close) continue;
    if (!maker) {
      // cast(x, 'like', p) -> cast(x, class(p))
      if (starts.size() == 3) {
        stmt.set(like, "class", TK_WORD);
        stmt.set(like + 1, "(", '(');
        stmt.ins(close, ")", ')');
      }
      continue;
    }
    // zeros(a, 'like', p) -> grl::construct("zeros", grl::arg_list<m_type>(a, 'like', p))
    stmt.ins(close, ")", ')');
    stmt.set(i, "grl::construct", TK_OTHER);
    stmt.ins(i + 2, std::string("\"") + maker + "\"", TK_OTHER);
    stmt.ins(i + 3, ",", ',');
    stmt.ins(i + 4, "grl::arg_list<m_type>", TK_OTHER);
    stmt.ins(i + 5, "(", '(');
  }
}
