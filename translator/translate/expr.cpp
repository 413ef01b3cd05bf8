// The expression layer of the translator. There is no expression tree: a statement's
// token list is rewritten in place until its texts, written one after another, are C++
// over the run-time library. Operator levels decide how far an operand reaches; the
// rewrites turn M operators, ranges, `end` in an index, and matrix and cell literals
// into library calls.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "driver/diag.h"
#include "lexer/keywords.h"
#include "translate/local_functions.h"
#include "translate/parser.h"

namespace {

bool is_closing_char(char c) { return c == ')' || c == ']' || c == '}'; }
bool is_opening_char(char c) { return c == '(' || c == '[' || c == '{'; }

}  // namespace

// Failures of the expression layer name the statement's first line.
void parser_t::fail(const char* msg) {
  diag::error_at(stmt.empty() ? diag::current_line() : stmt.line(0), msg);
}

int parser_t::prec(int i) {
  if (i < 0 || i > stmt.top()) return -1;
  const std::string& t = stmt.gettext(i);
  const int k = stmt.kind(i);
  if (k == TK_STRING) return 100;
  const char c0 = t.empty() ? '\0' : t[0];
  const char c1 = t.size() > 1 ? t[1] : '\0';
  const char c = (c0 == '.' && t.size() > 1) ? c1 : c0;
  switch (c) {
    case '\n': case '#': case '%': case ',': case ';':
      return 0;
    case '&': case '|':
      return 1;
    case ':': case '<': case '>':
      return 2;
    case '*': case '/': case '\\':
      return 4;
    case '^':
      return 5;
    case '\'':
      return 6;
    case '[': case ']':
      return 7;
    case '{': case '}':
      return 8;
    case '(': case ')':
      return 9;
    default:
      break;
  }
  if (t == "=") return 0;
  if (c == '=' && t.size() > 1) return 2;
  if (c == '!') return t.size() > 1 ? 2 : 4;
  // ~= compares like != (as an operand it would swallow its neighbours: a~=b.^2).
  if (c == '~' && t.size() > 1) return 2;
  // Unary ~: below power and transpose (~x.^2 negates the power), above the
  // products (~e.*x multiplies the negation).
  if (c == '~') return 4;   // as unary ! above
  if (c == '+' || c == '-') {
    if (!std::isdigit(static_cast<unsigned char>(c1))) return 3;
    return 100;   // a signed number
  }
  if (k != TK_OTHER) return 100;
  // C++ text that names a function, a macro or a type (grl::holds_value, GRL_DUAL,
  // M<m_type>) inserted by an earlier rewrite: an operand, like a word.
  if (std::isalpha(static_cast<unsigned char>(c0)) &&
      t.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_:<>") == std::string::npos)
    return 100;

  // A layout token met by an operand search: show the statement, then stop.
  std::fflush(stdout);
  std::printf("%d  ", i);
  stmt.debug_print(std::cout);
  std::cout.flush();
  fail("parser_t::prec: unknown token");
}

int parser_t::find_expr(int i, int dir) {
  if (dir != 1 && dir != -1) diag::error("find_expr: where to go?");
  if (i == 0 && dir == -1) return 0;
  const int p0 = prec(i);
  brackets_t tracker;
  int depth = 0;
  for (;;) {
    i += dir;
    const std::string& t = stmt.gettext(i);
    const char c = t.empty() ? '\0' : t[0];
    tracker.feed(c);
    const bool closing = dir == 1 && is_closing_char(c);
    const bool opening = dir == -1 && is_opening_char(c);
    const int previous = depth;
    depth = tracker.depth();
    const int d = prec(i + dir);
    if (((dir == 1 && d <= p0) || (dir == -1 && d < p0)) && depth == 0) break;
    if ((closing || opening) && previous == 0) break;
  }
  if (depth == 1) i -= dir;
  return i;
}

int parser_t::next_op(int i) {
  brackets_t tracker;
  for (;;) {
    const std::string& t = stmt.gettext(i);
    if (tracker.depth() == 0 && (t == "]" || t == ")" || t == "}" || t == ",")) return i;
    tracker.feed(t.empty() ? '\0' : t[0]);
    if (++i >= stmt.top()) fail("next_op: , or closing parenthesis not found");
  }
}

int parser_t::scan_arguments(int open, std::vector<int>& bounds) {
  bounds.assign(MAX_ARGUMENTS + 2, 0);
  brackets_t tracker;
  auto first_char = [&](int j) {
    const std::string& t = stmt.gettext(j);
    return t.empty() ? '\0' : t[0];
  };
  tracker.feed(first_char(open));
  bool new_argument = true;
  int n = 0;
  int i = open + 1;
  for (;;) {
    if (i >= stmt.top()) fail("could not find )");
    tracker.feed(first_char(i));
    if (tracker.depth() == 0 || stmt.is_word(i, "i_o") || stmt.is_word(i + 1, "i_o")) break;
    if (new_argument) {
      bounds[n++] = i;
      new_argument = false;
    }
    if (tracker.depth() == 1 && stmt.is_word(i, ",")) {
      tracker.feed(first_char(i + 1));
      ++i;
      if (n >= MAX_ARGUMENTS) fail("too many arguments");
      bounds[n++] = i;
    }
    if (tracker.depth() == 0) break;
    ++i;
  }
  bounds[n] = i;
  return n;
}

int parser_t::argument_of(int i, const std::vector<int>& bounds, int n) {
  int k = 0;
  while (k <= n && i >= bounds[k]) ++k;
  if (k > n) fail("argument internal error");
  return k;
}

int parser_t::index_owner(int i) {
  brackets_t tracker;
  for (int b = i - 1; b >= 0; --b) {
    const std::string& t = stmt.gettext(b);
    if (!t.empty()) tracker.feed(t.back());
    if (stmt.kind(b) != TK_WORD || tracker.depth() == 0) continue;
    if ((stmt.is_word(b + 1, "(") && tracker.innermost() == '(') ||
        (stmt.is_word(b + 1, "{") && tracker.innermost() == '{'))
      return b;
  }
  return -1;
}

void parser_t::rewrite_postfix(const char* op, const char* name) {
  for (int i = 0; i <= stmt.top(); ++i) {
    if (stmt.kind(i) <= 7 || stmt.gettext(i) != op) continue;
    const int a = find_expr(i, -1);
    stmt.set(i, ")", ')');
    stmt.ins(a, "(", '(');
    stmt.ins(a, name, TK_WORD);
    i += 2;
  }
}

void parser_t::rewrite_infix(const char* op, const char* name) {
  for (int i = 0; i <= stmt.top(); ++i) {
    if (stmt.kind(i) <= 7 || stmt.gettext(i) != op) continue;
    const int a = find_expr(i, -1);
    const int b = find_expr(i, 1);
    stmt.set(i, ",", ',');
    stmt.ins(b + 1, ")", ')');
    stmt.ins(a, "(", '(');
    stmt.ins(a, name, TK_WORD);
    i += 2;   // on to the token after the new ","
  }
}

void parser_t::rewrite_operators() {
  rewrite_postfix("'", "ctranspose");
  rewrite_postfix(".'", "transpose");
  rewrite_infix("^", "mpower");
  rewrite_infix(".^", "power");
  rewrite_infix("./", "rdivide");
  rewrite_infix("\\", "mldivide");
  rewrite_infix(".\\", "ldivide");
  rewrite_infix(".*", "times");
  rewrite_infix(".+", "plus");
  rewrite_infix(".-", "minus");
}

void parser_t::rewrite_colon() {
  for (int i = 0; i <= stmt.top(); ++i) {
    if (stmt.kind(i) != ':') continue;
    if (stmt.is_word(i - 1, ",") || stmt.is_word(i - 1, "(") || stmt.is_word(i - 1, "{")) {
      stmt.set(i, "c_p", TK_WORD);   // a lone colon: every element
      continue;
    }
    const int first = find_expr(i, -1);
    int b = find_expr(i, 1);
    if (!stmt.is_word(b + 1, ":")) {   // a:b has the step 1
      stmt.ins(i + 1, "1.0", TK_NUMBER);
      stmt.ins(i + 2, ":", ':');
      b = i + 1;
    }
    const int last = find_expr(b + 1, 1);
    stmt.set(b + 1, ",", ',');
    stmt.ins(last + 1, ")", ')');
    stmt.set(i, ",", ',');
    stmt.ins(first, "(", '(');
    stmt.ins(first, "colon", TK_WORD);
    i += 2;
  }
}

// The index that an `end` at i belongs to: the innermost ( or { around i that
// follows an operand (a name, or a closing bracket of an index or field chain).
// Returns the opening bracket and, in start, the first token of the indexed operand
// (x in x(...), c in c{i}(...), c in c{end}{...}); -1 when i is in no index.
int parser_t::end_owner(int i, int& start) {
  int depth = 0;
  for (int b = i - 1; b >= 0; --b) {
    if (stmt.kind(b) == TK_STRING) continue;
    const std::string& t = stmt.gettext(b);
    if (t == ")" || t == "]" || t == "}") {
      ++depth;
      continue;
    }
    if (t != "(" && t != "[" && t != "{") continue;
    if (depth > 0) {
      --depth;
      continue;
    }
    if (t == "[") continue;   // a matrix inside an index: x([1 end])
    start = operand_start(b);
    if (start >= 0) return b;
  }
  return -1;
}

// The first token of the operand that ends just before the bracket at open: a name
// followed by any chain of (...) and {...}; -1 when no operand ends there.
int parser_t::operand_start(int open) {
  int b = open - 1;
  for (;;) {
    if (b < 0) return -1;
    if (stmt.kind(b) == TK_WORD) {
      const std::string& w = stmt.gettext(b);
      if (is_block_keyword(w) || w == "return") return -1;
      // A field after an index, F(k).f(end): the operand goes on before the field.
      if (!w.empty() && w[0] == kFieldMark && b > 0 && (stmt.is_word(b - 1, ")") || stmt.is_word(b - 1, "}"))) {
        --b;
        continue;
      }
      return b;
    }
    const std::string& t = stmt.gettext(b);
    if (stmt.kind(b) == TK_STRING || (t != ")" && t != "}")) return -1;
    int depth = 0;   // back to the bracket that opens this one
    for (; b >= 0; --b) {
      if (stmt.kind(b) == TK_STRING) continue;
      const std::string& u = stmt.gettext(b);
      if (u == ")" || u == "]" || u == "}") ++depth;
      if ((u == "(" || u == "[" || u == "{") && --depth == 0) break;
    }
    if (b < 0 || stmt.gettext(b) == "[") return -1;
    --b;
  }
}

// end in an index is the extent of the indexed operand along that index:
// x(end) is x.size(), x(2,end) is x.size(2), c{i}(end) is c{i}.size().
void parser_t::rewrite_end() {
  std::vector<int> bounds;
  for (int i = 2; i <= stmt.top(); ++i) {
    if (!stmt.is_word(i, "end")) continue;
    int start = -1;
    const int o = end_owner(i, start);
    if (o == -1) fail("end used outside an index");
    const int n = scan_arguments(o, bounds);
    const int k = argument_of(i, bounds, n);
    std::vector<std::pair<std::string, int>> owner;
    for (int j = start; j < o; ++j) owner.emplace_back(stmt.gettext(j), stmt.kind(j));
    stmt.del(i);
    int j = i;
    for (const auto& t : owner) stmt.ins(j++, t.first, t.second);
    stmt.ins(j++, ".size", TK_WORD);
    stmt.ins(j++, "(", '(');
    if (n > 1) stmt.ins(j++, std::to_string(k), TK_NUMBER);
    // With three or more subscripts `end` depends on how many there are: the last one
    // spans all remaining dimensions.
    if (n > 2) {
      stmt.ins(j++, ",", ',');
      stmt.ins(j++, std::to_string(n), TK_NUMBER);
    }
    stmt.ins(j, ")", ')');
    // An end inside the copied operand (c{end}{end}) is rewritten in its turn.
    if (owner.size() == 1) i = j;
  }
}

// exist('x') and exist('x', 'var') for a variable of the function, whose existence the
// library cannot see. A formal input exists when the call passed it (input k when
// nargin >= k; its shorter entry points set nargin, so they are generated) or once it
// holds a value; a global exists once declared; any other variable once it holds a
// nonempty value. That approximates M, where a variable exists from its first
// assignment: one assigned only [] counts as not existing here. A name that is no
// variable keeps the library's lookup of files and directories; as a variable may be
// assigned only after the exist that asks for it, a name not yet known leaves a mark
// that resolve_exist replaces when the whole function has been read.
namespace {
const char kExistMark = '\x01';
}

std::string parser_t::exist_value(const std::string& var, char kind) const {
  const int e = symbols->find(var, SYM_VARIABLES);
  const int type = symbols->type_of(e);
  const std::string held = "grl::holds_value(" + var + symbols->decoration(var, 1) + ")";
  if (var == "varargin" || (type & SYM_GLOBALS)) return "grl::exist_var(true)";
  // A variable named like a library function is that function until it holds a value.
  if (!(type & SYM_INPUT) && kind == 'a' && library_function(var))
    return "grl::exist_found(" + held + "?1:5)";
  if (!(type & SYM_INPUT)) return "grl::exist_var(" + held + ")";
  int k = 0;
  for (int j = 0; j <= e; ++j)
    if (symbols->type_of(j) & SYM_INPUT) ++k;
  return "grl::exist_var(nargin_val>=" + std::to_string(k) + "||" + held + ")";
}

void parser_t::rewrite_exist() {
  if (!symbols || symbols->find("exist", SYM_VARIABLES) >= 0) return;
  for (int i = 0; i + 3 <= stmt.top(); ++i) {
    if (!stmt.is_word(i, "exist") || stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(") ||
        stmt.kind(i + 2) != TK_STRING)
      continue;
    int tokens;
    if (stmt.is_word(i + 3, ")"))
      tokens = 4;
    else if (stmt.is_word(i + 3, ",") && (stmt.is_word(i + 4, "\"var\"") || stmt.is_word(i + 4, "\"builtin\"")) &&
             stmt.is_word(i + 5, ")"))
      tokens = 6;
    else
      continue;
    const char kind = tokens == 4 ? 'a' : stmt.is_word(i + 4, "\"var\"") ? 'v' : 'b';
    const std::string quoted = stmt.gettext(i + 2);
    const std::string var = quoted.size() >= 2 ? quoted.substr(1, quoted.size() - 2) : std::string();
    bool name = !var.empty() && std::isalpha(static_cast<unsigned char>(var[0]));
    for (char c : var) name = name && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (!name) continue;
    std::string text;
    if (kind == 'b') {
      text = exist_function(var, kind);
    } else if (symbols->find(var, SYM_VARIABLES) >= 0) {
      text = exist_value(var, kind);
      if (symbols->type_of(symbols->find(var, SYM_VARIABLES)) & SYM_INPUT) uses_nargin = 1;
    } else {
      text = std::string(1, kExistMark) + kind + var + kExistMark;
      exist_pending.push_back(var);
    }
    // One operand token, written as it stands.
    stmt.del(i, tokens);
    stmt.ins(i, text, TK_NUMBER);
  }
}

// exist of a name that is no variable: 5 for a function of the run-time library, 2 for
// function or script of the program, which M finds as its M-file; any other name is looked
// up among the files and directories when the program runs. kind is 'a' (any kind),
// 'v' (variables only) or 'b' (built-in functions only).
bool parser_t::library_function(const std::string& var) const {
  if (symbols->find(var, SYM_RESERVED_FUNCTION) >= 0) return true;
  const int r = symbols->find(var, SYM_REPLACE);
  return r >= 0 && r < symbols->last() &&
         ((symbols->type_of(r + 1) & SYM_RESERVED_FUNCTION) != 0 ||
          symbols->find(symbols->text_of(r + 1), SYM_RESERVED_FUNCTION) >= 0);
}

std::string parser_t::exist_function(const std::string& var, char kind) const {
  if (kind == 'v') return "grl::exist_var(false)";
  if (library_function(var)) return "grl::exist_found(5)";
  if (kind == 'b') return "grl::exist_found(0)";
  return "exist(TM(\"" + var + "\"))";
}

// Only the marks made here are replaced: a string literal of the program that happens
// to hold the mark character is passed over.
void parser_t::resolve_exist(std::string& text) const {
  for (std::size_t at = text.find(kExistMark); at != std::string::npos; at = text.find(kExistMark, at)) {
    const std::size_t end = text.find(kExistMark, at + 1);
    const std::string var = end == std::string::npos || end < at + 3 ? std::string()
                                                                      : text.substr(at + 2, end - at - 2);
    if (var.empty() || (text[at + 1] != 'v' && text[at + 1] != 'a') ||
        std::find(exist_pending.begin(), exist_pending.end(), var) == exist_pending.end()) {
      ++at;
      continue;
    }
    const std::string value = symbols->find(var, SYM_VARIABLES) >= 0 ? exist_value(var, text[at + 1])
                                                                      : exist_function(var, text[at + 1]);
    text.replace(at, end + 1 - at, value);
    at += value.size();
  }
}

// The "{" at a opens an argument of a call of an M function of the program.
bool parser_t::argument_of_m_function(int a) {
  if (!symbols || a < 2 || !(stmt.is_word(a - 1, "(") || stmt.is_word(a - 1, ","))) return false;
  // The "(" that holds the argument, and the word before it.
  int depth = 0, open = -1;
  for (int b = a - 1; b >= 0 && open < 0; --b) {
    const std::string& t = stmt.gettext(b);
    if (t == ")" || t == "]" || t == "}") ++depth;
    else if (t == "(" || t == "[" || t == "{") {
      if (depth == 0) open = b;
      else --depth;
    }
  }
  if (open < 1 || !stmt.is_word(open, "(") || stmt.kind(open - 1) != TK_WORD) return false;
  const std::string& f = stmt.gettext(open - 1);
  // Not a variable (an index) and not a function of the run-time library (whose cell
  // overloads take the literal as it is): a function of the program.
  return symbols->find(f, SYM_VARIABLES) < 0 && symbols->find(f, SYM_RESERVED_FUNCTION) < 0;
}

// The index of the "}" that closes the "{" at a; -1 when it does not close.
int parser_t::matching_brace(int a) {
  int depth = 0;
  for (int i = a; i <= stmt.top(); ++i) {
    const std::string& t = stmt.gettext(i);
    if (t == "{" || t == "(" || t == "[") ++depth;
    else if (t == "}" || t == ")" || t == "]") {
      if (--depth == 0) return t == "}" ? i : -1;
    }
  }
  return -1;
}

void parser_t::mark_cell(const std::string& name) {
  if (!symbols) return;
  const int e = symbols->add_typed(name, SYM_LOCAL, default_type | DT_CELL);
  symbols->info_of(e)[INFO_TYPE] = (default_type & ~DT_SCALAR) | DT_CELL;
}

// The tokens at i begin a cell value: a cell literal (CL(...)), a whole cell
// variable or a call that gives a cell.
bool parser_t::begins_cell(int i) {
  if (stmt.is_word(i, "(") && stmt.is_word(i + 1, "CL")) return true;
  // [c, {x}]: a matrix literal whose first piece is a cell joins cells.
  if (stmt.is_word(i, "(") && stmt.is_word(i + 1, "BR") && stmt.is_word(i + 2, "(")) return begins_cell(i + 3);
  if (stmt.is_word(i, "cells(0.0)")) return true;
  if (stmt.kind(i) != TK_WORD || !symbols) return false;
  const int c = symbols->find(stmt.gettext(i), SYM_VARIABLES);
  const bool cell_variable = c >= 0 && (symbols->info_of(c)[INFO_TYPE] & DT_CELL);
  // c(...) of a cell variable is a cell, when nothing follows it in the argument.
  auto argument_ends = [&](int j) {
    return stmt.is_word(j, ",") || stmt.is_word(j, ")") || stmt.is_word(j, "\n");
  };
  if (stmt.is_word(i + 1, "(")) return cell_variable ? argument_ends(call_end(i + 1) + 1) : call_yields_cell(i);
  return cell_variable && argument_ends(i + 1);
}

// The text of a string token, 'abc' or TM("abc"); empty for any other.
static std::string string_text(std::string t) {
  if (t.compare(0, 3, "TM(") == 0) t = t.substr(3, t.size() > 4 ? t.size() - 4 : 0);
  if (t.size() < 2 || (t.front() != '\'' && t.front() != '"')) return "";
  return t.substr(1, t.size() - 2);
}

static bool legacy_cellfun_name(const std::string& t) {
  const std::string n = string_text(t);
  for (const char* k : {"isempty", "islogical", "isnumeric", "isreal", "length", "ndims", "numel",
                        "prodofsize", "size", "isclass"})
    if (n == k) return true;
  return false;
}

// Text t names cellfun's UniformOutput option, abbreviated or not.
static bool uniform_option(const std::string& token) {
  const std::string t = string_text(token);
  const std::string full = "uniformoutput";
  if (t.empty() || t.size() > full.size()) return false;
  for (std::size_t k = 0; k < t.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(t[k])) != full[k]) return false;
  return true;
}

// Token j is the constant false: false, false(), 0.
bool parser_t::is_false(int j) {
  const std::string& t = stmt.gettext(j);
  if (t == "false" || t == "false_M") return !stmt.is_word(j + 1, "(") || stmt.is_word(j + 2, ")");
  return stmt.kind(j) == TK_NUMBER && std::strtod(t.c_str(), nullptr) == 0;
}

// The call at i, f(...), gives a cell: f always makes one (num2cell, cellstr), or f
// keeps the cell it is given as its first argument (strrep, reshape, fliplr, ...), or
// as any argument (strcat).
bool parser_t::call_yields_cell(int i) {
  static const char* const makers[] = {"cell",     "num2cell",  "mat2cell",   "cellstr",
                                       "strsplit", "textscan",  "fieldnames", "struct2cell"};
  if (is_regexp_call(i)) return output_yields_cell(i, 0);
  static const char* const keepers[] = {"strrep",    "strfind",  "strtok",     "diag",
                                        "tril",      "triu",     "reshape",    "fliplr",
                                        "flipud",    "flip",     "rot90",      "circshift",  "squeeze",
                                        "sort",      "sortrows", "unique",     "ctranspose",
                                        "transpose", "upper",    "lower",      "strtrim",
                                        "deblank",   "regexprep", "horzcat",    "vertcat"};
  if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) return false;
  const std::string& f = stmt.gettext(i);
  for (const char* m : makers)
    if (f == m) return true;
  for (const char* k : keepers)
    if (f == k) return begins_cell(i + 2);
  // cellfun(..., 'UniformOutput', false) gives a cell of the results, except for the
  // names cellfun has always known, given as text, whose results are an array.
  if (f == "cellfun" || f == "cellfun_any" || f == "arrayfun") {
    if (legacy_cellfun_name(stmt.gettext(i + 2))) return false;
    const int close = call_end(i + 1);
    for (int j = i + 2; j + 2 < close; ++j)
      if (uniform_option(stmt.gettext(j)) && stmt.is_word(j + 1, ",") && is_false(j + 2)) return true;
  }
  // cat(dim, c, ...) joins cells when its first piece is one.
  if (f == "cat") {
    std::vector<int> bounds;
    const int n = scan_arguments(i + 1, bounds);
    if (n >= 2 && begins_cell(bounds[1])) return true;
  }
  // strcat gives a cell when any of its arguments is one.
  if (f == "strcat" || f == "strcat_M") {
    std::vector<int> bounds;
    const int n = scan_arguments(i + 1, bounds);
    for (int k = 0; k < n; ++k)
      if (begins_cell(bounds[k])) return true;
  }
  return false;
}

// Output k (from 0) of [a, b, ...] = f(...) at token i is a cell: the third of mode;
// the first of sort, sortrows and unique of a cell (their indices are numbers); every
// output of the calls that give cells.
bool parser_t::output_yields_cell(int i, std::size_t k) {
  if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) return false;
  const std::string& f = stmt.gettext(i);
  if (symbols && symbols->find(f, SYM_VARIABLES) >= 0) return false;
  if (f == "mode") return k == 2;
  if (is_regexp_call(i)) {
    if (begins_cell(i + 2)) return true;   // a cell STR: one result per string
    const std::vector<std::string> outs = regexp_outputs(i);
    const std::string what = k < outs.size() ? outs[k] : "";
    const bool once = std::find(outs.begin() + 7, outs.end(), "once") != outs.end();
    return what == "tokens" || what == "split" || (!once && (what == "match" || what == "tokenextents"));
  }
  if (f == "sort" || f == "sortrows" || f == "unique") return k == 0 && begins_cell(i + 2);
  return call_yields_cell(i);
}

bool parser_t::is_regexp_call(int i) {
  if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) return false;
  const std::string& f = stmt.gettext(i);
  return (f == "regexp" || f == "regexpi") && !(symbols && symbols->find(f, SYM_VARIABLES | SYM_FUNCTIONS) >= 0);
}

namespace {
// The text of a C string literal token ("..."), in lower case.
std::string literal_word(const std::string& t) {
  std::string w = t.size() >= 2 ? t.substr(1, t.size() - 2) : std::string();
  for (char& c : w) c = char(std::tolower(static_cast<unsigned char>(c)));
  return w;
}
}  // namespace

// The seven outputs in the order the call gives them: those its option words name,
// then the others in their own order; then "once" when the call says so.
std::vector<std::string> parser_t::regexp_outputs(int i) {
  static const char* const kinds[] = {"start", "end", "tokenextents", "match", "tokens", "names", "split"};
  std::vector<int> bounds;
  const int n = scan_arguments(i + 1, bounds);
  std::vector<std::string> outs;
  bool once = false;
  for (int a = 2; a < n; ++a) {
    const int t = bounds[a];
    if (stmt.kind(t) != TK_STRING || t + 1 != (a + 1 < n ? bounds[a + 1] - 1 : bounds[n])) continue;
    const std::string w = literal_word(stmt.gettext(t));
    once = once || w == "once";
    for (const char* k : kinds)
      if (w == k && std::find(outs.begin(), outs.end(), w) == outs.end()) outs.push_back(w);
  }
  for (const char* k : kinds)
    if (std::find(outs.begin(), outs.end(), k) == outs.end()) outs.push_back(k);
  if (once) outs.push_back("once");
  return outs;
}

// A call of regexp, regexpi or regexprep of one output that gives a cell is written
// as the library's form that returns a cell, so that the call works wherever a cell
// does (numel(regexp(s, p, 'match')), strjoin(regexp(s, p, 'split'), ',')). The
// calls of several outputs (with i_o) get each output's kind from its variable.
void parser_t::regexp_pass() {
  for (int i = 0; i + 1 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) continue;
    const std::string f = stmt.gettext(i);
    const bool rep = f == "regexprep" && !(symbols && symbols->find(f, SYM_VARIABLES | SYM_FUNCTIONS) >= 0);
    if (!rep && !is_regexp_call(i)) continue;
    const int close = call_end(i + 1);
    bool outputs = false;
    for (int j = i + 2; j < close; ++j) outputs = outputs || stmt.is_word(j, "i_o");
    // x = regexprep(...) as a whole statement: x holds a cell when the text is one, and
    // a variable given both kinds holds a value of any class (any_class.cpp).
    bool whole = i == TP_THIRD && stmt.is_word(TP_AFTER_HEAD, "=") && stmt.kind(TP_HEAD) == TK_WORD && close > i;
    for (int j = close + 1; j < stmt.top() && whole; ++j)
      whole = stmt.kind(j) == TK_OTHER || stmt.kind(j) == TK_COMMENT;
    if (outputs) continue;
    if (!(rep ? begins_cell(i + 2) : output_yields_cell(i, 0))) {
      if (rep && whole) plain_assigned.insert(stmt.gettext(TP_HEAD));
      continue;
    }
    stmt.set(i, "grl::" + f + "_cell", TK_OTHER);
    if (whole) cell_results.insert(stmt.gettext(TP_HEAD));
  }
}

// Whether the [] at i (before it becomes one token) is a whole subscript of a
// variable, or of a field of one: x([]), s.f(:,[]).
bool parser_t::empty_subscript(int i) const {
  if (!symbols || i < 2 || !(stmt.is_word(i - 1, "(") || stmt.is_word(i - 1, ",")) ||
      !(stmt.is_word(i + 2, ")") || stmt.is_word(i + 2, ",")))
    return false;
  int depth = 0, open = -1;
  for (int j = i - 1; j >= 0 && open < 0; --j) {
    if (stmt.kind(j) == TK_STRING) continue;
    const std::string& t = stmt.gettext(j);
    if (t == ")" || t == "]" || t == "}") ++depth;
    else if ((t == "(" || t == "[" || t == "{") && depth-- == 0) open = j;
  }
  if (open < 1 || !stmt.is_word(open, "(") || stmt.kind(open - 1) != TK_WORD) return false;
  const std::string& w = stmt.gettext(open - 1);
  return symbols->find(w.substr(0, w.find('.')), SYM_VARIABLES) >= 0;
}

void parser_t::rewrite_brackets() {
  const int eq = stmt.find("=");
  // Matrix literals: [a,b] is (BR(a),b); [] is the empty matrix.
  for (int i = 0; i <= stmt.top(); ++i) {
    if (!stmt.is_word(i, "[") || (i == 0 && eq != -1)) continue;
    if (stmt.is_word(i + 1, "]")) {
      // A subscript [] of a variable (x([]), x([],:), x(:,[]) = 5) selects no element:
      // it is the empty index matrix, not the deleting [] of x(k) = [].
      stmt.set(i, empty_subscript(i) ? "M<m_type>()" : "nop_M", TK_OTHER);
      stmt.del(i + 1);
      continue;
    }
    stmt.set(i, "(", '(');
    stmt.ins(i + 1, "BR", TK_WORD);
    stmt.ins(i + 2, "(", '(');
    stmt.ins(next_op(i + 3), ")", ')');
  }
  for (int i = 0; i <= stmt.top(); ++i) {
    if (stmt.is_word(i, "]") && !(i < stmt.top() && stmt.is_word(i + 1, "=")))
      stmt.set(i, ")", ')');
  }
  // x = c and x = c(i) copy or select part of the cell c: x is a cell too.
  if (eq == 1 && stmt.kind(TP_HEAD) == TK_WORD && stmt.kind(TP_THIRD) == TK_WORD && symbols) {
    const int c = symbols->find(stmt.gettext(TP_THIRD), SYM_VARIABLES);
    // (A part of a variable of any class is a value of any class.)
    const bool cell = c >= 0 && (symbols->info_of(c)[INFO_TYPE] & DT_CELL) && !any_vars.count(stmt.gettext(TP_THIRD));
    bool whole = cell && stmt.top() == 3;
    if (cell && stmt.is_word(TP_FOURTH, "(")) {
      std::vector<int> bounds;
      const int n = scan_arguments(TP_FOURTH, bounds);
      whole = bounds[n] == stmt.top() - 1;
    }
    if (whole) mark_cell(stmt.gettext(TP_HEAD));
  }
  // Cell literals {a,b} are (CL(a),b); c{2} indexes the cell c.
  for (int a = 0; a < stmt.top(); ++a) {
    if (!stmt.is_word(a, "{")) continue;
    if (a == 2 && eq == 1 && stmt.kind(TP_HEAD) == TK_WORD) mark_cell(stmt.gettext(TP_HEAD));
    if (stmt.is_word(a + 1, "}")) {
      stmt.set(a, "cells(0.0)", TK_OTHER);
      stmt.del(a + 1);
      continue;
    }
    stmt.set(a, "(", '(');
    // c{i}{k}: a brace right after the one that closed an index indexes its element.
    if (a > 0 && stmt.is_word(a - 1, "}")) {
      stmt.ins(a, ".br", TK_OTHER);
      ++a;
      continue;
    }
    const bool before_is_word = a > 0 && stmt.kind(a - 1) == TK_WORD;
    const std::string before = before_is_word ? stmt.gettext(a - 1) : std::string();
    // A field (s.f{k}, c{i}.f{k}) is a value like a variable: the brace indexes it.
    const bool field = !before.empty() && (before[0] == kFieldMark ||
                                           (before[0] != '.' && before.find('.') != std::string::npos));
    const bool variable = before_is_word && symbols && symbols->find(before, SYM_VARIABLES) >= 0;
    const bool known = field || variable;
    // The label of a switch case, case {1,2}, is followed by a cell literal.
    const bool case_label = a == 1 && eq == -1 && stmt.is_word(TP_HEAD, "case");
    if (a == 0 || !before_is_word || case_label || (!known && a != 1)) {
      if (argument_of_m_function(a)) {
        // f({1, 'x'}) with f an M function: the literal becomes a cell value first, which
        // any parameter takes (a cell parameter as it is, any other holding the cell).
        const int close = matching_brace(a);
        if (close > a) stmt.ins(close + 1, ".value()", TK_OTHER);
      }
      stmt.ins(a + 1, "CL", TK_WORD);
      stmt.ins(a + 2, "(", '(');
      stmt.ins(next_op(a + 3), ")", ')');
    } else {
      if (!field || variable) mark_cell(before);
      if (variable && a - 1 == TP_HEAD && eq > a && any_vars.count(before)) {
        // x{k} = v where x is of any class: the cell it holds, made its own.
        stmt.ins(a - 1, "(", '(');
        stmt.ins(a - 1, "grl::held_w", TK_OTHER);
        stmt.ins(a + 2, ")", ')');
        a += 3;
      }
      stmt.ins(a, ".br", TK_OTHER);
      ++a;
    }
  }
  for (int i = 0; i <= stmt.top(); ++i)
    if (stmt.is_word(i, "}")) stmt.set(i, ")", ')');
}

// [s.f] = f(x) and [s.f] = c{:}: the field of every element of s is a place of its own
// (one output of the call, one element of the list), so the brackets stay and the
// output list is written with the places (outputs.cpp, fields.cpp). A list of a cell is
// dealt out: [s.f] = deal(c{:}). Returns whether the statement keeps its brackets.
bool parser_t::field_list_target() {
  if (!stmt.is_word(TP_HEAD, "[")) return false;
  // The one place of the list (no comma at its level) and whether it names a field.
  int close = -1, depth = 0;
  bool field = false;
  for (int j = TP_AFTER_HEAD; j <= stmt.top() && close < 0; ++j) {
    const std::string& t = stmt.gettext(j);
    if (t == "(" || t == "[" || t == "{") ++depth;
    else if ((t == ")" || t == "}") && depth > 0) --depth;
    else if (t == "]" && depth-- == 0) close = j;
    else if (t == "," && depth == 0) return false;
    if (stmt.kind(j) == TK_WORD && !t.empty() && (t[0] == kFieldMark || (t[0] != '.' && t.find('.') != std::string::npos)))
      field = true;
  }
  if (!field || close < 0 || !stmt.is_word(close + 1, "=")) return false;
  const int rhs = close + 2;
  if (rhs > stmt.top() || stmt.kind(rhs) != TK_WORD) return false;
  const std::string& f = stmt.gettext(rhs);
  // The end of the statement's value: its last token before a ";" or a comment.
  int last = stmt.top();
  while (last > rhs && (stmt.kind(last) == TK_COMMENT || stmt.is_word(last, "\n") || stmt.is_word(last, ";")))
    --last;
  const bool variable = symbols && symbols->find(f, SYM_VARIABLES) >= 0;
  if (variable && stmt.is_word(rhs + 1, "{") && stmt.is_word(last, "}")) {
    stmt.ins(last + 1, ")", ')');
    stmt.ins(rhs, "(", '(');
    stmt.ins(rhs, "deal", TK_WORD);
    return false;
  }
  // An M function (translated or scanned first, as the identifier pass does for any
  // name) is called for as many outputs as the places take.
  if (variable || !symbols || scan_only) return false;
  const std::string name = f;
  const int e = resolve(name, symbols->find(name, SYM_ANY), stmt.line(rhs));
  return e >= 0 && symbols->find(name, SYM_FUNCTIONS) >= 0;
}

void parser_t::rewrite_single_target() {
  if (stmt.is_word(TP_HEAD, "[") && !stmt.is_word(TP_THIRD, "]")) field_list_target();
  if (stmt.is_word(TP_HEAD, "[") && stmt.is_word(TP_THIRD, "]") && stmt.is_word(TP_FOURTH, "=")) {
    // [~]=f(x) calls f for one output and keeps the value out of sight.
    if (stmt.is_word(TP_AFTER_HEAD, "~")) {
      stmt.set(TP_AFTER_HEAD, "_ignored", TK_WORD);
      display = 0;
    }
    if (field_list_target()) return;
    stmt.del(TP_THIRD);
    stmt.del(TP_HEAD);
  }
}

void parser_t::fold_sign(int i) {
  if (stmt.is_kind(i, '-') && stmt.is_kind(i + 1, TK_NUMBER)) {
    stmt.set(i, "-" + stmt.gettext(i + 1), TK_NUMBER);
    stmt.del(i + 1);
  }
}

bool parser_t::constant_range(int i, double& start, double& step, double& stop) {
  if (!stmt.is_word(i, "colon") || !stmt.is_word(i + 1, "(")) return false;
  double* values[3] = {&start, &step, &stop};
  for (int part = 0; part < 3; ++part) {
    const int at = i + 2 + 2 * part;
    fold_sign(at);
    if (!stmt.is_kind(at, TK_NUMBER)) return false;
    if (!stmt.is_word(at + 1, part < 2 ? "," : ")")) return false;
  }
  for (int part = 0; part < 3; ++part)
    *values[part] = std::strtod(stmt.gettext(i + 2 + 2 * part).c_str(), nullptr);
  return true;
}

std::string parser_t::spell_token(int i) {
  const std::string& t = stmt.gettext(i);
  const int k = stmt.kind(i);
  if (k == TK_STRING && !t.empty() && t[0] == kAnonMark) return t.substr(1);
  if (k == TK_STRING && !t.empty() && t[0] == '@') return handle_text(t.substr(1));
  if (k == TK_STRING) return "TM(" + t + ")";
  if (k == TK_WORD) {
    // The unit of an imaginary literal (2i, which the scanner wrote as 2 * i with a
    // helper *) is the imaginary unit even where the program has a variable i or j.
    if ((t == "i" || t == "j") && i >= 2 && stmt.kind(i - 1) == TK_OTHER &&
        stmt.gettext(i - 1) == "*" && stmt.kind(i - 2) == TK_NUMBER)
      return "i()";
    const int is_declaration = stmt.is_word(i + 1, "(") ? 1 : 0;
    const std::size_t dot = t.find('.');
    std::string spelled = dot != std::string::npos ? cpp_member_path(t) : t;
    // A structure named like a library function (e, i, pi) is declared with its
    // decoration: its fields are reached through that name.
    if (dot != std::string::npos && symbols) spelled.insert(dot, symbols->decoration(t.substr(0, dot), 1));
    return symbols ? spelled + symbols->decoration(t, is_declaration) : spelled;
  }
  // C++ has no ~= and no ~ for numbers: both are written as C++ negations.
  if (t == "~=") return "!=";
  if (t == "~") return "!";
  return t;
}

// The handle @f (quoted is f's name in quotes). A handle to a nested function made in
// its nest keeps the running frame: it is called within it later.
std::string parser_t::handle_text(const std::string& quoted) {
  const std::string named = "grl::handle(TM(" + quoted + "))";
  const std::string f = quoted.size() >= 2 ? quoted.substr(1, quoted.size() - 2) : quoted;
  const nest_function* target = nest_self && nest ? nest->find(f) : nullptr;
  if (!target) return named;
  std::string direct = "nullptr";
  if (target->n_in == 0) {
    nest_prototypes.insert(f);
    direct = "[]() -> M<m_type> { return " + cpp_function_name(f) + "(); }";
  }
  return "grl::nest_handle(" + named + ", " + c_string_literal(shown_local_name(file_base, f)) + ", " + direct + ")";
}
