// Module VALUE_CALLS: calls of values that may hold a function handle only the running
// program knows: an index, a cell element, a field or a call's result (c{k}(), s.f(),
// make()(), [a, b] = c{k}(x)).
//  - X() becomes grl::call0(X): a call with no inputs when X holds a handle, X itself
//    otherwise (a variable x() is x, not x(:)). Where the value's start cannot be
//    told it takes the all-index, X(c_p), which the library reads as a call with no
//    inputs when X holds a handle.
//  - X(args, i_o, outputs) (several outputs asked) becomes feval(X, {args}, i_o,
//    outputs): the handle is called for that many outputs.
#include <string>
#include <vector>

#include "translate/parser.h"

namespace {

// How many brackets a token opens (positive) or closes (negative); raw tokens of
// later passes may hold several ("grl::field(", "))").
int bracket_balance(const tokens_t& s, int i) {
  if (s.kind(i) == TK_STRING || s.kind(i) == TK_COMMENT) return 0;
  int n = 0;
  for (char c : s.gettext(i)) {
    if (c == '(') ++n;
    if (c == ')') --n;
  }
  return n;
}

// The first token of the value that ends at token last (a ")"): c.br(k), grl::field(s,"f"),
// f(x); -1 when it cannot be told.
int value_start(const tokens_t& s, int last) {
  int depth = 0;
  for (int b = last; b >= 0; --b) {
    depth += bracket_balance(s, b);
    if (depth > 0) return -1;
    if (depth < 0) continue;
    const std::string& t = s.gettext(b);
    if (t != "(") return b;                               // grl::field( ... )
    if (b >= 2 && s.is_word(b - 1, ".br")) {               // X.br(k): X goes on
      if (s.kind(b - 2) == TK_WORD) return b - 2;
      b -= 1;
      continue;
    }
    if (b >= 1 && s.kind(b - 1) == TK_WORD) return b - 1;  // a call's result
    return b;
  }
  return -1;
}

}  // namespace

// A statement that is only x(args); of a variable x of no proven class: the value is
// formed (x may hold a handle, which is then called; an index out of range fails, as
// it does in M) instead of being left as an unused C++ expression.
void parser_t::evaluated_statement() {
  if (display || stmt.top() < 3 || stmt.kind(0) != TK_WORD || !stmt.is_word(1, "(") || !symbols) return;
  const int e = symbols->find(stmt.gettext(0), SYM_VARIABLES);
  if (e < 0 || symbols->info_of(e)[INFO_TYPE] != (default_type & ~(DT_SCALAR | DT_CELL))) return;
  int depth = 0, close = -1;
  for (int j = 1; j < stmt.top(); ++j) {
    depth += bracket_balance(stmt, j);
    if (depth == 0) {
      close = j;
      break;
    }
  }
  if (close != stmt.top() - 1) return;
  stmt.ins(stmt.top(), ")", ')');
  stmt.ins(0, "(", '(');
  stmt.ins(0, "grl::evaluated", TK_WORD);
  uses_feval = 1;
}

// [a, b, ...] = c{k}: X.br(k, i_o, outputs) of a cell variable X asks for the values of
// the list c{k}; grl::list_outputs(X(k), i_o, outputs) hands the first values of the
// cell X(k) to the outputs (c{:} passes X itself).
void parser_t::cell_list_outputs() {
  for (int i = 0; i + 3 <= stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, ".br") || !stmt.is_word(i + 2, "(")) continue;
    if ((i > 0 && stmt.is_word(i - 1, ".")) || !symbols || symbols->find(stmt.gettext(i), SYM_VARIABLES) < 0)
      continue;
    int depth = 0, io = -1, close = -1;
    for (int j = i + 2; j <= stmt.top(); ++j) {
      depth += bracket_balance(stmt, j);
      if (depth == 1 && stmt.is_word(j, "i_o") && io < 0) io = j;
      if (depth == 0) {
        close = j;
        break;
      }
    }
    // Outputs of the braces themselves, not of a call of the element (c{k}(x)).
    if (io < 0 || close < 0 || stmt.is_word(close + 1, "(") || !stmt.is_word(io - 1, ",")) continue;
    const bool all = io - 1 == i + 4 && stmt.is_word(i + 3, "c_p");
    const int v = symbols->find(stmt.gettext(i), SYM_VARIABLES);
    const bool cell_variable = (symbols->info_of(v)[INFO_TYPE] & DT_CELL) && !any_vars.count(stmt.gettext(i));
    std::vector<std::pair<std::string, int>> put = {{"grl::list_outputs", TK_WORD}, {"(", '('}};
    // A variable of any class hands over the cell it holds (or fails as braces do).
    if (!cell_variable) put.insert(put.end(), {{"held_for_list", TK_WORD}, {"(", '('}});
    if (!cell_variable && !all) put.insert(put.end(), {{"M<m_type>", TK_WORD}, {"(", '('}});
    put.push_back({stmt.gettext(i), TK_WORD});
    if (!all) {
      put.push_back({"(", '('});
      // c{[]}: the empty index, an empty list.
      if (io - 1 == i + 4 && stmt.is_word(i + 3, "nop_M")) put.push_back({"M<m_type>()", TK_OTHER});
      else
        for (int j = i + 3; j < io - 1; ++j) put.push_back({stmt.gettext(j), stmt.kind(j)});
      put.push_back({")", ')'});
      if (!cell_variable) put.push_back({")", ')'});
    }
    if (!cell_variable) put.push_back({")", ')'});
    put.push_back({",", ','});
    stmt.del(i, io - i);   // X .br ( args ,
    for (std::size_t k = 0; k < put.size(); ++k) stmt.ins(i + int(k), put[k].first, put[k].second);
  }
}

// Whether an input in [from, to) at the top level of a call's list is a variable
// declared as a structure.
bool parser_t::struct_argument(int from, int to) {
  const int st = datatypes().struct_index();
  if (st < 0 || !symbols) return false;
  int depth = 0;
  for (int j = from; j < to; ++j) {
    depth += bracket_balance(stmt, j);
    if (depth != 0 || stmt.kind(j) != TK_WORD) continue;
    const bool whole = (j == from || stmt.is_word(j - 1, ",")) && (j + 1 == to || stmt.is_word(j + 1, ","));
    if (!whole) continue;
    const int v = symbols->find(stmt.gettext(j), SYM_VARIABLES);
    if (v >= 0 && symbols->info_of(v)[INFO_TYPE] == st) return true;
  }
  return false;
}

// x(..., {k}, ...) of a variable x: a cell is no subscript. The literal becomes a value
// holding the cell, which indexing refuses when the program runs (as MATLAB does)
// rather than a form the C++ compiler cannot take.
void parser_t::cell_subscripts() {
  for (int i = 0; i + 2 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(") || (i > 0 && stmt.is_word(i - 1, ".")) ||
        !symbols || symbols->find(stmt.gettext(i), SYM_VARIABLES) < 0)
      continue;
    int close = call_end(i + 1);
    for (int j = i + 2; j < close; ++j) {
      const bool starts = stmt.is_word(j - 1, "(") || stmt.is_word(j - 1, ",");
      if (!starts || !stmt.is_word(j, "(") || !stmt.is_word(j + 1, "CL")) continue;
      const int end = call_end(j);
      if (end >= close || !(stmt.is_word(end + 1, ",") || end + 1 == close)) continue;
      stmt.ins(end + 1, ")", ')');
      stmt.ins(j, "grl::any_value(", TK_OTHER);
      j = end + 2;   // past the literal and its closing ")"
      close += 2;
    }
  }
}

void parser_t::value_call_pass() {
  cell_list_outputs();
  cell_subscripts();
  for (int i = 1; i + 1 < stmt.top(); ++i) {
    // x() of a variable x (not an assignment's target, not a field).
    if (stmt.is_word(i, "(") && stmt.is_word(i + 1, ")") && stmt.kind(i - 1) == TK_WORD && symbols &&
        symbols->find(stmt.gettext(i - 1), SYM_VARIABLES) >= 0 && !(i >= 2 && stmt.is_word(i - 2, ".")) &&
        !stmt.is_word(i + 2, "=")) {
      const std::string x = stmt.gettext(i - 1);
      stmt.set(i - 1, "grl::call0", TK_WORD);
      stmt.ins(i + 1, x, TK_WORD);
      uses_feval = 1;
      i += 2;
      continue;
    }
    if (!stmt.is_word(i, "(") || !stmt.is_word(i - 1, ")") || stmt.kind(i - 1) == TK_STRING) continue;
    if (stmt.is_word(i + 1, ")")) {
      const int start = value_start(stmt, i - 1);
      if (start < 0) {
        stmt.ins(i + 1, "c_p", TK_WORD);
        continue;
      }
      // X ( ) -> grl::call0 ( X )
      stmt.del(i + 1);
      stmt.set(i, ")", ')');
      stmt.ins(start, "(", '(');
      stmt.ins(start, "grl::call0", TK_WORD);
      uses_feval = 1;
      i += 2;
      continue;
    }
    // The i_o that begins the outputs, among this call's own inputs.
    int depth = 0, io = -1, close = -1;
    for (int j = i; j <= stmt.top(); ++j) {
      depth += bracket_balance(stmt, j);
      if (depth == 1 && stmt.kind(j) == TK_WORD && stmt.is_word(j, "i_o") && io < 0) io = j;
      if (depth == 0) {
        close = j;
        break;
      }
    }
    if (close < 0) continue;
    // X(s) with s a structure cannot be an index: X holds a handle (s.f(s) where
    // the field was given a handle in another function), called with one output.
    const bool call = io < 0 && struct_argument(i + 1, close);
    if (io < 0 && !call) continue;
    const int start = value_start(stmt, i - 1);
    if (start < 0) continue;
    // The inputs [i+1, end_args) become a cell: (CL(a),b) or cells(0.0).
    const int end_args = call ? close : stmt.is_word(io - 1, ",") ? io - 1 : io;
    std::vector<std::pair<std::string, int>> cell;
    if (end_args == i + 1) {
      cell.push_back({"cells(0.0)", TK_OTHER});
    } else {
      cell.push_back({"(", '('});
      cell.push_back({"CL", TK_WORD});
      cell.push_back({"(", '('});
      int d = 0;
      bool first = true;
      for (int j = i + 1; j < end_args; ++j) {
        d += bracket_balance(stmt, j);
        if (first && d == 0 && stmt.is_word(j, ",")) {
          cell.push_back({")", ')'});   // CL( closes after the first input
          first = false;
        }
        cell.push_back({stmt.gettext(j), stmt.kind(j)});
      }
      if (first) cell.push_back({")", ')'});
      cell.push_back({")", ')'});
    }
    // feval ( X , cell , i_o ... ) : the call's own ")" closes feval.
    stmt.del(i + 1, end_args - (i + 1));
    stmt.set(i, ",", ',');
    int at = i + 1;
    for (const auto& c : cell) stmt.ins(at++, c.first, c.second);
    if (!call && !stmt.is_word(at, ",")) stmt.ins(at, ",", ',');
    stmt.ins(start, "(", '(');
    stmt.ins(start, "feval", TK_WORD);
    uses_feval = 1;
    // The names of the statement were looked up before this pass: the file must still
    // include the dispatcher's header.
    if (call && symbols) {
      const int e = resolve("feval", symbols->find("feval", SYM_ANY), stmt.line(start));
      if (e >= 0 && (symbols->type_of(e) & SYM_FUNCTIONS)) symbols->type_of(e) = SYM_CALLED;
    }
    i = at;
  }
}
