// Direct element access: in a statement whose C++ is complete, x(i), x(i,j) and
// x(i,j,k) of a proven real double array x become grl::elem_get(x, ...) (a read) or,
// as the target of the statement, grl::elem_ref(x, ...) = value (a write). The library
// takes the direct path when the subscripts are C++ numbers and falls back to the
// general indexing otherwise, so only the proof that x holds real doubles is needed
// here.
#include <algorithm>
#include <cmath>
#include <cstdlib>

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
    std::string var = stmt.gettext(i);
    const bool write = after == "=";
    if (write) {
      // Only the whole statement x(...) = value; nothing shown.
      if (i != TP_HEAD || display) continue;
      stmt.set(i, "grl::elem_ref", TK_OTHER);
    } else if (after.size() >= 2 && after[1] == '=' && after[0] != '=') {
      continue;   // x(i) += v and the like
    } else {
      stmt.set(i, "grl::elem_get", TK_OTHER);
    }
    // Inside a loop that opened a view of the array, the access goes through it.
    const bool viewed = std::find(active_views.begin(), active_views.end(), var) != active_views.end();
    if (viewed) var = "grl_view_" + var + symbols->decoration(var, 1);
    stmt.ins(i + 2, var, viewed ? TK_OTHER : TK_WORD);
    stmt.ins(i + 3, ",", ',');
    fast_loop* fast = viewed ? open_fast_loop() : nullptr;
    if (!fast) {
      whole_subscripts(i + 3, close + 2);
      i += 3;
      continue;
    }
    // In a loop written twice, an access whose subscripts all follow counters or are
    // whole literals is checked when the loop starts.
    std::vector<sub_form> forms;
    if (whole_subscripts(i + 3, close + 2, &forms) && forms.size() == std::size_t(commas) + 1) {
      stmt.ins(i + 2, "grl_fast", TK_OTHER);
      stmt.ins(i + 3, ",", ',');
      fast_access(*fast, var, write, forms);
      i += 5;
    } else {
      fast->other_views.insert(var);
      i += 3;
    }
  }
}

namespace {
// A whole number literal of at most 2^31 in size: its C++ integer text.
bool whole_literal(const std::string& text, std::string& out) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !(std::fabs(v) <= 2147483648.0) || v != std::floor(v))
    return false;
  const long long w = static_cast<long long>(v);
  out = w < 0 ? "(" + std::to_string(w) + ")" : std::to_string(w);
  return true;
}
// The value of a literal that whole_literal accepts.
long long literal_value(const std::string& text) { return static_cast<long long>(std::strtod(text.c_str(), nullptr)); }
}  // namespace

// The subscripts between the comma at first and the closing bracket at close that
// follow a loop counter with a whole-number copy (c, c + n, c - n, n + c, n - c for a
// whole literal n) become grl::whole_sub{integer form, double form}: the direct path
// checks the integer against the extent with no conversion. With forms, whole
// literals become such subscripts too, forms receives each subscript's form, and the
// result tells whether every subscript took one.
bool parser_t::whole_subscripts(int first, int close, std::vector<sub_form>* forms) {
  if (active_shadows.empty()) return false;
  auto shadowed = [&](int j) {
    return stmt.kind(j) == TK_WORD &&
           std::find(active_shadows.begin(), active_shadows.end(), stmt.gettext(j)) != active_shadows.end();
  };
  bool all = true;
  int start = first + 1;
  for (int j = first + 1; j <= close && j < stmt.top(); ++j) {
    const std::string& t = stmt.gettext(j);
    if (t == "(" || t == "[" || t == "{") {
      // Skip a bracketed part: it belongs to this subscript.
      int depth = 0;
      for (; j < close; ++j) {
        const std::string& u = stmt.gettext(j);
        if (u == "(" || u == "[" || u == "{") ++depth;
        if ((u == ")" || u == "]" || u == "}") && --depth == 0) break;
      }
      continue;
    }
    if (j != close && t != ",") continue;
    // One subscript: tokens [start, j).
    const int n = j - start;
    std::string whole, number;
    sub_form form;
    auto copy = [&](int k) {
      form.counter = stmt.gettext(k);
      if (while_shadows.count(form.counter)) return "grl::whole_q(grl_fast," + spell_token(k) + ")";
      return "grl_q_" + spell_token(k);
    };
    if (n == 1 && shadowed(start)) {
      whole = copy(start);
    } else if (n == 3 && shadowed(start) && (stmt.is_word(start + 1, "+") || stmt.is_word(start + 1, "-")) &&
               stmt.kind(start + 2) == TK_NUMBER && whole_literal(stmt.gettext(start + 2), number)) {
      whole = copy(start) + stmt.gettext(start + 1) + number;
      form.offset = literal_value(stmt.gettext(start + 2)) * (stmt.is_word(start + 1, "-") ? -1 : 1);
    } else if (n == 2 && shadowed(start) && stmt.kind(start + 1) == TK_NUMBER &&
               (stmt.gettext(start + 1)[0] == '+' || stmt.gettext(start + 1)[0] == '-') &&
               whole_literal(stmt.gettext(start + 1), number)) {
      whole = copy(start) + "+" + number;
      form.offset = literal_value(stmt.gettext(start + 1));
    } else if (n == 3 && shadowed(start + 2) && (stmt.is_word(start + 1, "+") || stmt.is_word(start + 1, "-")) &&
               stmt.kind(start) == TK_NUMBER && whole_literal(stmt.gettext(start), number)) {
      whole = number + stmt.gettext(start + 1) + copy(start + 2);
      form.offset = literal_value(stmt.gettext(start));
      form.sign = stmt.is_word(start + 1, "-") ? -1 : 1;
    } else if (forms && n == 1 && stmt.kind(start) == TK_NUMBER && whole_literal(stmt.gettext(start), number)) {
      whole = number;
      form.offset = literal_value(stmt.gettext(start));
    }
    if (!whole.empty()) {
      // The double form as the statement spells it, with a space where two signs meet.
      std::string d;
      for (int k = start; k < j; ++k) {
        const std::string piece = spell_token(k);
        if (!d.empty() && !piece.empty() && (piece[0] == '-' || piece[0] == '+') && d.back() == piece[0]) d += ' ';
        d += piece;
      }
      stmt.del(start, n);
      stmt.ins(start, "grl::whole_sub{" + whole + "," + d + "}", TK_OTHER);
      close -= n - 1;
      j = start + 1;
      form.whole = whole;
      if (forms) forms->push_back(form);
    } else {
      all = false;
    }
    start = j + 1;
  }
  return all;
}

// In a statement that assigns a proven scalar or an element of a proven array, a call
// of floor, ceil, round, fix, abs, sign, mod, rem, max, min, exp, sin, cos, tan, atan, atan2,
// sinh, cosh, tanh or hypot whose arguments are arithmetic on proven
// scalars and numbers (and such calls) computes on C++ doubles (grl::sc_floor, ...,
// gridlib_fast.h) instead of making an M value for each argument and the result.
// sqrt and log too: inference proves a statement's value real only where their
// argument holds no negative number (a count such as numel(sqrt(x)) does not read it).
void parser_t::scalar_library_calls() {
  if (inferred_scalars.empty() || stmt.top() <= TP_THIRD) return;
  const bool scalar_target = stmt.gettext(TP_THIRD) == "grl::real_scalar(";
  const bool element_target = stmt.gettext(TP_HEAD) == "grl::elem_ref";
  if (!scalar_target && !element_target) return;
  static const std::map<std::string, std::pair<std::string, int>> forms = {
      {"floor_M", {"grl::sc_floor", 1}}, {"ceil_M", {"grl::sc_ceil", 1}}, {"round_M", {"grl::sc_round", 1}},
      {"fix", {"grl::sc_fix", 1}},       {"abs_M", {"grl::sc_abs", 1}},   {"mod", {"grl::sc_mod", 2}},
      {"rem", {"grl::sc_rem", 2}},       {"max", {"grl::sc_max", 2}},     {"min", {"grl::sc_min", 2}},
      {"exp_M", {"grl::sc_exp", 1}},     {"sin_M", {"grl::sc_sin", 1}},   {"cos_M", {"grl::sc_cos", 1}},
      {"tan_M", {"grl::sc_tan", 1}},     {"atan_M", {"grl::sc_atan", 1}}, {"sinh_M", {"grl::sc_sinh", 1}},
      {"cosh_M", {"grl::sc_cosh", 1}},   {"tanh_M", {"grl::sc_tanh", 1}}, {"hypot_M", {"grl::sc_hypot", 2}},
      {"atan2_M", {"grl::sc_atan2", 2}}, {"sign", {"grl::sc_sign", 1}},     {"sqrt_M", {"grl::sc_sqrt", 1}},
      {"log_M", {"grl::sc_log", 1}}};
  // Innermost calls first: a call whose arguments hold a rewritten call is taken after it.
  for (int i = stmt.top() - 2; i >= 0; --i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) continue;
    const auto form = forms.find(stmt.gettext(i));
    if (form == forms.end()) continue;
    // The M name must be the library function's, not a variable's or the program's own.
    const std::string& c_name = stmt.gettext(i);
    const bool suffixed = c_name.size() > 2 && c_name.compare(c_name.size() - 2, 2, "_M") == 0;
    const std::string m_name = suffixed ? c_name.substr(0, c_name.size() - 2) : c_name;
    if (symbols->find(m_name, SYM_VARIABLES | SYM_FUNCTIONS) >= 0 || !library_function(m_name)) continue;
    int depth = 0, commas = 0, close = -1;
    bool plain = true;
    for (int j = i + 1; j < stmt.top() && plain; ++j) {
      const std::string& t = stmt.gettext(j);
      const int k = stmt.kind(j);
      if (t == "(") {
        ++depth;
      } else if (t == ")") {
        if (--depth == 0) {
          close = j;
          break;
        }
      } else if (t == ",") {
        plain = depth == 1;
        ++commas;
      } else if (k == TK_NUMBER || t == "+" || t == "-" || t == "*" || t == "/") {
      } else if (k == TK_WORD && inferred_scalars.count(t) && !stmt.is_word(j + 1, "(")) {
      } else if (t.compare(0, 8, "grl::sc_") == 0 && stmt.is_word(j + 1, "(")) {
      } else {
        plain = false;
      }
    }
    if (!plain || close < 0 || commas + 1 != form->second.second || close == i + 2) continue;
    stmt.set(i, form->second.first, TK_OTHER);
  }
}
