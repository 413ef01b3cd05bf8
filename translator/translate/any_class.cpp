// Variables that hold a cell in one statement and a value of another class in another
// (x = 0; x = {1}; names = ''; names = {'a'}; v = {}; v = zeros(2)), and inputs that a
// function tests for their class before it uses them as a cell (a char in one call, a
// cell in the next). Such a variable cannot be the proven-cell form M< M<T> >: it is
// declared as a value of any class, which holds its cell when it has one.
//
// The first translation of a function records the candidates (plain_assigned,
// class_tested) while it types variables as usual; mixed_variables() picks those that
// also ended up typed as cells, and the project translates the function once more with
// any_vars set. Functions without such variables are translated once, unchanged.
#include <cctype>

#include "translate/parser.h"

namespace {

bool is_string_token(const tokens_t& s, int i) {
  return s.kind(i) == TK_STRING || s.gettext(i).compare(0, 3, "TM(") == 0;
}

// Operators whose result is never a cell.
bool value_operator(const std::string& t) {
  static const char* const ops[] = {"+", "-", "*", "/", "^", "<", ">", "<=", ">=", "==", "!=", "&&", "||", "&", "|", "!"};
  for (const char* o : ops)
    if (t == o) return true;
  return false;
}

// Library functions whose result is never a cell, whatever their arguments.
bool value_maker(const std::string& f) {
  static const char* const makers[] = {
      "zeros", "ones", "eye", "rand", "randn", "randi", "nan", "NaN", "inf", "Inf", "true", "false",
      "linspace", "sprintf", "num2str", "int2str", "mat2str", "blanks", "char", "double", "numel",
      "length", "size", "sum", "prod", "max", "min", "abs", "floor", "ceil", "round", "fix", "mod",
      "rem", "str2double", "str2num", "strcmp", "strcmpi", "any", "all", "isempty", "find",
      "cumsum", "mean", "sqrt", "exp", "log", "fgetl", "fgets", "fileread", "logical", "magic",
      "colon", "ramp", "false", "struct"};
  for (const char* m : makers)
    if (f == m) return true;
  return false;
}

}  // namespace

// The inputs a statement tests with a class predicate: iscell(x), ischar(x), class(x) ...
void parser_t::note_class_tests() {
  static const char* const tests[] = {"iscell", "ischar", "isnumeric", "isstruct", "iscellstr", "isa",
                                      "class", "isfloat", "islogical", "isreal", "isstring"};
  if (!symbols) return;
  for (int i = 0; i + 2 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(") || stmt.kind(i + 2) != TK_WORD) continue;
    if (!stmt.is_word(i + 3, ")") && !stmt.is_word(i + 3, ",")) continue;
    bool test = false;
    for (const char* t : tests) test = test || stmt.is_word(i, t);
    if (test && symbols->find(stmt.gettext(i + 2), SYM_INPUT) >= 0) class_tested.insert(stmt.gettext(i + 2));
  }
}

// var = tokens from..top-1: records var when the value is surely not a cell (a number,
// a text, a matrix literal of no cells, an expression of operators).
void parser_t::note_plain_assignment(const std::string& var, int from) {
  const int end = stmt.top();
  if (from >= end) return;
  bool plain = stmt.kind(from) == TK_NUMBER || is_string_token(stmt, from) ||
               (stmt.is_word(from, "-") && stmt.kind(from + 1) == TK_NUMBER) ||
               (stmt.is_word(from, "(") && stmt.is_word(from + 1, "BR") && !begins_cell(from)) ||
               (stmt.kind(from) == TK_WORD && stmt.is_word(from + 1, "(") && value_maker(stmt.gettext(from)) &&
                symbols && symbols->find(stmt.gettext(from), SYM_VARIABLES) < 0);
  // cellfun and arrayfun give a cell only with the UniformOutput option.
  if (!plain && (stmt.is_word(from, "cellfun") || stmt.is_word(from, "cellfun_any") || stmt.is_word(from, "arrayfun")) &&
      stmt.is_word(from + 1, "(") &&
      symbols && symbols->find(stmt.gettext(from), SYM_VARIABLES | SYM_FUNCTIONS) < 0) {
    bool option = false;
    for (int i = from + 2; i < end && !option; ++i) {
      std::string t = stmt.gettext(i);
      for (char& c : t) c = char(std::tolower(static_cast<unsigned char>(c)));
      option = is_string_token(stmt, i) && t.find("uniformoutput") != std::string::npos;
    }
    plain = !option;
  }
  int depth = 0;
  for (int i = from; i < end && !plain; ++i) {
    const std::string& t = stmt.gettext(i);
    if (stmt.kind(i) == TK_STRING) continue;
    if (t == "(" || t == "[" || t == "{") ++depth;
    else if (t == ")" || t == "]" || t == "}") --depth;
    else if (depth == 0 && i > from && value_operator(t)) plain = true;
  }
  if (plain) plain_assigned.insert(var);
}

// After a translation: the variables typed as cells that are also assigned values that
// are not cells, and the inputs typed as cells whose class the function tests.
std::set<std::string> parser_t::mixed_variables() const {
  std::set<std::string> mixed;
  if (!symbols) return mixed;
  auto typed_cell = [this](const std::string& v) {
    const int e = symbols->find(v, SYM_VARIABLES);
    return e >= 0 && (symbols->info_of(e)[INFO_TYPE] & DT_CELL) != 0;
  };
  for (const std::string& v : plain_assigned)
    if (typed_cell(v)) mixed.insert(v);
  for (const std::string& v : class_tested)
    if (typed_cell(v)) mixed.insert(v);
  // An output of a call given a variable of any class, used as a cell later ({ys{:}}).
  for (const std::string& v : any_outputs)
    if (typed_cell(v)) mixed.insert(v);
  for (const std::string& v : cell_results)
    if (!typed_cell(v) && symbols->find(v, SYM_VARIABLES) >= 0) mixed.insert(v);
  mixed.erase("varargin");
  mixed.erase("varargout");
  return mixed;
}

// The second translation: the variables of any class are declared as plain values.
void parser_t::declare_any_vars() {
  if (!symbols || any_vars.empty()) return;
  const int plain = default_type & ~(DT_SCALAR | DT_CELL);
  for (int e = 0; e <= symbols->last(); ++e)
    if ((symbols->type_of(e) & SYM_VARIABLES) && any_vars.count(symbols->text_of(e)) &&
        (symbols->info_of(e)[INFO_TYPE] & DT_CELL))
      symbols->info_of(e)[INFO_TYPE] = plain;
}

// f(..., x, ...) of a library function with x of any class (an argument, or a piece of
// one such as [x, {'a'}]): the library's cell form of f takes the cell x holds, its
// other form any other value. The call becomes
// grl::any_call([&](const auto& grl_a) { return f(..., grl_a, ...); }, x), which picks
// the form when the program runs.
void parser_t::any_class_calls() {
  static const char* const either[] = {"iscell", "class", "numel", "length", "isempty", "size", "ischar",
                                       "isnumeric", "isstruct", "isa", "disp", "display"};
  if (any_vars.empty() || !symbols) return;
  for (int i = 0; i + 1 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) continue;
    const std::string f = m_name(*symbols, stmt.gettext(i));
    if (symbols->find(f, SYM_VARIABLES) >= 0) continue;
    if (symbols->find(f, SYM_RESERVED_FUNCTION) < 0) {
      if (symbols->find(f, SYM_FUNCTIONS) >= 0) any_arguments(i + 1);
      continue;
    }
    bool plain = false;
    for (const char* e : either) plain = plain || f == e;
    if (plain) continue;
    int depth = 0, close = -1, arg = -1;
    for (int j = i + 1; j < stmt.top() && close < 0; ++j) {
      const std::string& t = stmt.gettext(j);
      if (stmt.kind(j) == TK_STRING) continue;
      if (t == "(" || t == "[" || t == "{") ++depth;
      else if (t == ")" || t == "]" || t == "}") {
        if (--depth == 0) close = j;
      } else if (t == "i_o" && depth == 1) {
        break;
      } else if (arg < 0 && stmt.kind(j) == TK_WORD && any_vars.count(t) &&
                 (stmt.is_word(j - 1, "(") || stmt.is_word(j - 1, ",")) &&
                 (stmt.is_word(j + 1, ")") || stmt.is_word(j + 1, ","))) {
        arg = j;
      }
    }
    if (close < 0 || arg < 0) continue;
    const std::string var = stmt.gettext(arg);
    stmt.set(arg, "grl_a", TK_OTHER);
    stmt.ins(close + 1, ")", TK_OTHER);
    stmt.ins(close + 1, var, TK_WORD);
    stmt.ins(close + 1, ";},", TK_OTHER);
    stmt.ins(i, "grl::any_call([&](const auto& grl_a){return ", TK_OTHER);
    i = close + 4;   // past the call: its inner calls see grl_a
  }
}

// The arguments of a call of a function of the program, from its "(" at open: each that
// is a variable of any class becomes grl::any_arg(x), which gives the function's input
// the form it takes (the value, or the cell the value holds).
void parser_t::any_arguments(int open) {
  int depth = 0;
  for (int j = open; j < stmt.top(); ++j) {
    const std::string& t = stmt.gettext(j);
    if (stmt.kind(j) == TK_STRING) continue;
    if (t == "(" || t == "[" || t == "{") ++depth;
    else if (t == ")" || t == "]" || t == "}") {
      if (--depth == 0) return;
    } else if (depth == 1 && stmt.kind(j) == TK_WORD && any_vars.count(t) &&
               (stmt.is_word(j - 1, "(") || stmt.is_word(j - 1, ",")) &&
               (stmt.is_word(j + 1, ")") || stmt.is_word(j + 1, ","))) {
      stmt.ins(j + 1, ")", TK_OTHER);
      stmt.ins(j, "grl::any_arg(", TK_OTHER);
      j += 2;
    }
  }
}
