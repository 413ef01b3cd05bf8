// Module XLINE: the translation of one M statement. The statement's token list is
// rewritten in place, in a fixed order of steps, until its texts are the C++ of the
// statement; variables and called functions are recorded in the symbol table.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "driver/diag.h"
#include "lexer/keywords.h"
#include "translate/load_names.h"
#include "translate/local_functions.h"
#include "translate/packages.h"
#include "translate/parser.h"

namespace {

bool integral(double v) { return std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15; }

}  // namespace

void parser_t::empty_statement() { stmt.reset(); }

// A layout token: written as it stands.
void parser_t::raw(int at, const std::string& text) { stmt.ins(at, text, TK_OTHER); }

void parser_t::add_variable(const std::string& var, int type) {
  if (symbols) symbols->add_typed(var, SYM_LOCAL, type);
}

void parser_t::translate_statement() {
  // 1. (The forms below find the "=" again: the rewrites move it.)
  is_function_line = stmt.is_word(TP_HEAD, "function") ? 1 : 0;
  needs_semicolon = 1;
  // 2. The function line.
  if (is_function_line) {
    function_line();
    return;
  }
  compound_assignment();
  command_syntax();
  search_path_statement();
  note_class_tests();
  display_calls();
  expression_sets_ans();
  cell_output_targets();
  check_statement();
  unwrap_for();
  // 3. The first statement that is not a comment decides: no function line, a script.
  const datatype_t& dt = datatypes();
  if (kind == DT_UNCLASSIFIED &&
      ((stmt.kind(TP_HEAD) != TK_COMMENT && stmt.top() > 0) || end_reached)) {
    header_pending = 1;
    kind = dt.script_index();
    if (symbols && script_table) symbols->merge(*script_table, 1);
  }
  error_rewrites();
  like_arguments();
  // 4. Single targets and textual replacements.
  rewrite_single_target();
  dual_reads();
  function_handles();
  rewrite_exist();
  exact_int_literals();
  apply_replacements();
  // 5. The condition of if and while is one operand.
  if (stmt.is_word(TP_HEAD, "if") || stmt.is_word(TP_HEAD, "while") || stmt.is_word(TP_HEAD, "until")) {
    stmt.ins(TP_AFTER_HEAD, "(", '(');
    stmt.ins_before_last(")", ')');
  }
  // 6. Expressions.
  rewrite_end();
  rewrite_colon();
  rewrite_operators();
  // 7. The optimisers' calls of their objective function.
  if (stmt.is_word(TP_HEAD, "eval") || stmt.find("eval") >= 0) {
    const int e = stmt.find("eval");
    if (e >= 0 && stmt.is_word(e + 1, "(") && stmt.is_word(e + 2, "evalstr") &&
        stmt.is_word(e + 3, ")")) {
      const char* fun = (name == "fmin" || name == "fmins") ? "funfcn"
                        : (name == "fminu" || name == "leastsq") ? "FUN"
                                                                 : nullptr;
      if (fun) {
        stmt.set(e, "feval", TK_WORD);
        stmt.set(e + 2, fun, TK_WORD);
        stmt.ins(e + 3, ",", ',');
        stmt.ins(e + 4, "x", TK_WORD);
      }
    }
  }
  // An eval left here has a text known only when the program runs (evals of known
  // texts were replaced by their text when the file was read).
  for (int e = 0; e + 1 < stmt.top(); ++e) {
    if (stmt.kind(e) != TK_WORD || !stmt.is_word(e, "eval") || !stmt.is_word(e + 1, "(")) continue;
    if (symbols && (symbols->find("eval", SYM_VARIABLES) >= 0 || symbols->find("eval", SYM_FUNCTIONS) >= 0))
      continue;
    diag::error("eval of a text known only when the program runs cannot be translated; "
                "eval takes a literal text, or literals and num2str of numbers joined in brackets");
  }
  // 8.
  if (stmt.is_word(TP_HEAD, "load") && stmt.is_word(TP_AFTER_HEAD, "bwmorph") && stmt.top() == 2)
    stmt.ins_before_last("lut", TK_WORD);
  // 9. Literals and command forms.
  rewrite_brackets();
  translate();
  command_form();
  // 10.
  if (stmt.is_word(TP_HEAD, "break") || stmt.is_word(TP_HEAD, "continue")) {
    display = 0;
    if (loop_depth == 0) stmt.set(TP_HEAD, "return", TK_WORD);
    else loop_jump();
  }
  // 11.
  statement_form();
  regexp_pass();
  if (!scan_only) {
    identifier_pass();
    output_places_pass();
    map_key_literals();
    arity_pass();
    varargin_pass();
    field_pass();
    evaluated_statement();
    value_call_pass();
    element_access_pass();
    scalar_library_calls();
    held_cell_results();
    any_class_calls();
    struct_cell_arguments();
  }
}

// A handle of a named function, @name, travels as the function's name: cellfun and
// feval take it in that form, and the feval dispatcher learns the function. A
// variable given a handle (h = @name) is called through feval: h(x) is feval(h, x).
// Anonymous functions are closures (anon.cpp). str2func('name') of a literal name is
// @name; str2func of any other text makes the handle when the program runs, and only
// the functions the feval dispatcher knows can be called through it.
void parser_t::function_handles() {
  handle_targets.clear();
  for (int i = 0; i + 3 < stmt.top(); ++i) {
    if (!stmt.is_word(i, "str2func") || stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(") ||
        stmt.kind(i + 2) != TK_STRING || !stmt.is_word(i + 3, ")"))
      continue;
    const std::string& t = stmt.gettext(i + 2);
    const std::string f = t.size() >= 2 ? t.substr(1, t.size() - 2) : std::string();
    bool word = !f.empty() && std::isalpha(static_cast<unsigned char>(f[0]));
    for (char ch : f) word = word && (std::isalnum(static_cast<unsigned char>(ch)) || ch == '_');
    if (!word) continue;
    // The file's local function, by its C++ name; a name nothing defines stays text:
    // the handle is made when the program runs and fails when called, as in M.
    std::string target = f;
    if (std::find(local_names.begin(), local_names.end(), f) != local_names.end())
      target = qualified_local_name(file_base, f);
    else if (symbols && symbols->find(f, SYM_ANY) < 0 && host && !host->defines(f))
      continue;
    stmt.del(i, 4);
    stmt.ins(i, target, TK_WORD);
    stmt.ins(i, "@", TK_OTHER);
  }
  // feval('name', ...) and the function functions given a name as text: the named
  // function is called through the feval dispatcher, which learns it here (a name
  // for fzero and the like becomes the handle @name, which those take).
  static const std::set<std::string> takes_name = {"feval", "fzero", "fminsearch", "fminbnd",
                                                   "ode45", "ode23", "quad", "integral", "arrayfun"};
  for (int i = 0; i + 3 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !takes_name.count(stmt.gettext(i)) || !stmt.is_word(i + 1, "(") ||
        stmt.kind(i + 2) != TK_STRING || !(stmt.is_word(i + 3, ",") || stmt.is_word(i + 3, ")")))
      continue;
    if (symbols && symbols->find(stmt.gettext(i), SYM_VARIABLES) >= 0) continue;
    const std::string& t = stmt.gettext(i + 2);
    const std::string f = t.size() >= 2 && t[0] == '"' ? t.substr(1, t.size() - 2) : std::string();
    bool word = !f.empty() && std::isalpha(static_cast<unsigned char>(f[0]));
    for (char ch : f) word = word && (std::isalnum(static_cast<unsigned char>(ch)) || ch == '_');
    if (!word) continue;
    if (std::find(local_names.begin(), local_names.end(), f) != local_names.end()) {
      const std::string q = qualified_local_name(file_base, f);
      stmt.set(i + 2, "\"" + q + "\"", TK_STRING);
      if (stmt.is_word(i, "feval") || stmt.is_word(i, "arrayfun")) {
        handle_targets.push_back(q);
      } else {
        stmt.set(i + 2, q, TK_WORD);
        stmt.ins(i + 2, "@", TK_OTHER);
      }
      continue;
    }
    // Only a function known here (the library's, or an M function already met): any
    // other name stays text, so that a name no file defines fails when the call runs,
    // as in MATLAB, rather than stopping the translation.
    if (symbols && symbols->find(f, SYM_FUNCTIONS | SYM_RESERVED_FUNCTION) < 0) continue;
    // feval and arrayfun take the name itself; the others take a handle of it.
    if (stmt.is_word(i, "feval") || stmt.is_word(i, "arrayfun")) {
      handle_targets.push_back(f);
    } else {
      stmt.set(i + 2, f, TK_WORD);
      stmt.ins(i + 2, "@", TK_OTHER);
    }
  }
  // cellfun of a handle takes any function, several cells and outputs, and the
  // options in any order: the library's general form. A name given as text keeps the
  // functions cellfun has always known.
  for (int i = 0; i + 2 < stmt.top(); ++i) {
    if (!stmt.is_word(i, "cellfun") || stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(")) continue;
    if (stmt.is_word(i + 2, "@") ||
        (stmt.kind(i + 2) == TK_WORD && handle_vars.count(stmt.gettext(i + 2))))
      stmt.set(i, "cellfun_any", TK_WORD);
  }
  const bool assigned = stmt.kind(TP_HEAD) == TK_WORD && stmt.is_word(TP_AFTER_HEAD, "=");
  if (assigned) handle_vars.erase(stmt.gettext(TP_HEAD));
  if (assigned && stmt.is_word(TP_THIRD, "str2func") && stmt.is_word(TP_FOURTH, "(")) {
    bool whole = true;   // nothing follows the call but the statement's end
    for (int j = call_end(TP_FOURTH) + 1; j < stmt.top(); ++j)
      whole = whole && (stmt.is_word(j, "\n") || stmt.is_word(j, ";") || stmt.is_word(j, ","));
    if (whole) handle_vars.insert(stmt.gettext(TP_HEAD));
  }
  for (int i = 0; i < stmt.top(); ++i) {
    // str2func(@(x) ...), made from a literal text when the file was read: the
    // anonymous function, in a scope of its own.
    bool own_scope = false;
    if (stmt.kind(i) == TK_WORD && stmt.is_word(i, "str2func") && stmt.is_word(i + 1, "(") &&
        stmt.is_word(i + 2, "@") && stmt.is_word(i + 3, "(")) {
      stmt.del(call_end(i + 1));
      stmt.del(i, 2);
      own_scope = true;
    }
    if (!stmt.is_word(i, "@")) continue;
    if (stmt.is_word(i + 1, "(")) {
      const bool whole = assigned && i == 2 && anon_body_end(i) >= stmt.top();
      if (!anonymous_function(i, own_scope))
        fail("an anonymous function is written @(inputs) expression, the inputs names");
      if (whole) handle_vars.insert(stmt.gettext(TP_HEAD));
      continue;
    }
    if (stmt.kind(i + 1) != TK_WORD) fail("a function handle is @name or @(inputs) expression");
    const std::string f = stmt.gettext(i + 1);
    if (assigned && i == 2 && (i + 2 >= stmt.top() || stmt.kind(i + 2) != TK_WORD))
      handle_vars.insert(stmt.gettext(TP_HEAD));
    handle_targets.push_back(f);
    stmt.set(i, "@\"" + f + "\"", TK_STRING);   // spelled as a handle
    stmt.del(i + 1);
  }
  for (int i = assigned ? 2 : 0; i + 1 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !handle_vars.count(stmt.gettext(i)) || !stmt.is_word(i + 1, "("))
      continue;
    if (stmt.is_word(i + 2, ")")) {
      stmt.ins(i + 2, stmt.gettext(i), TK_WORD);
    } else {
      stmt.ins(i + 2, ",", ',');
      stmt.ins(i + 2, stmt.gettext(i), TK_WORD);
    }
    stmt.set(i, "feval", TK_WORD);
  }
}

void parser_t::function_line() {
  const datatype_t& dt = datatypes();
  kind = dt.function_index();
  function_open = true;
  handle_vars.clear();
  stmt.del(TP_HEAD);
  rewrite_single_target();
  header_pending = 1;
  const int eq = stmt.find("=");
  depth += 1;

  const int last = stmt.top();
  // A function of a nest: an input it shares with the functions written in it arrives
  // under another name and is copied into the shared frame.
  nest_self = nullptr;
  const int named_at = eq == -1 ? 0 : eq + 1;
  if (nest && named_at < last) nest_self = nest->find(stmt.gettext(named_at));
  auto shared_input = [&](const std::string& v) {
    if (nest_self)
      for (const nest_var& s : nest_self->shared)
        if (s.input && s.name == v) return true;
    return false;
  };
  n_in = eq == -1 ? (last - 2) / 2 : (last - (eq + 3)) / 2;
  if (n_in < 0) n_in = 0;
  for (int k = 0; k < n_in; ++k) {
    const int at = eq == -1 ? 2 * k + 2 : 2 * k + eq + 3;
    // function f(~,b): the ignored input still takes its place, under a name no M
    // program can spell.
    if (at < last && stmt.is_word(at, "~")) stmt.set(at, "_ignored" + std::to_string(k + 1), TK_WORD);
    if (at >= last || stmt.kind(at) != TK_WORD) continue;
    if (shared_input(stmt.gettext(at))) stmt.set(at, nest_plan::input_name(stmt.gettext(at)), TK_WORD);
    const std::string in = stmt.gettext(at);
    int type = default_type;
    if (in == "varargin") {
      has_varargin = 1;
      type = default_type | DT_CELL;
    }
    if (scalar_signature) type = default_type | DT_SCALAR;
    if (symbols) symbols->add_typed(in, SYM_INPUT, type);
  }
  // The placeholder result x_M is the library's matrix of the main data type:
  // spelling it in another type would not compile in a -dt build.
  std::string result = "x_M";
  int result_type = default_type;
  if (stmt.is_word(TP_HEAD, "[")) {
    n_out = (eq - 1) / 2;
    for (int k = 1; k < eq - 1; k += 2) {
      if (stmt.kind(k) != TK_WORD) continue;
      const std::string out = stmt.gettext(k);
      int type = default_type;
      if (out == "varargout") {
        has_varargout = 1;
        type = default_type | DT_CELL;
      }
      if (symbols) symbols->add_typed(out, SYM_OUTPUT | SYM_LOCAL, type);
    }
  } else if (eq == -1) {
    n_out = 0;
  } else {
    n_out = 1;
    result = stmt.gettext(TP_HEAD);
    result_type = default_type;
    if (result == "varargout") {
      has_varargout = 1;
      result_type = default_type | DT_CELL;
    }
    if (scalar_signature) result_type = default_type | DT_SCALAR;
    if (symbols) symbols->add_typed(result, SYM_RETURN | SYM_LOCAL, result_type);
  }
  if (symbols) symbols->add_typed(result, SYM_RETURN, result_type);
  const int f = eq == -1 ? 0 : eq + 1;
  if (f < last) name = stmt.gettext(f);
  if (nest_self && symbols) declare_shared();
}

// The shared variables of a function of a nest live in the nest's frames: those that
// are not its outputs are declared here (an output stays one: its copy back and its
// return; local_definitions leaves it out of the locals).
void parser_t::declare_shared() {
  for (const nest_var& v : nest_self->shared)
    if (symbols->find(v.name, SYM_VARIABLES) < 0)
      symbols->add_typed(v.name, SYM_DECLARED, default_type & ~(DT_SCALAR | DT_CELL));
}

// A replacement that spells a number or a quoted string (-DN=5, -DNAME='abc') becomes
// a token of that kind, as if the M-file had spelled it; any other text keeps the kind
// of the name it replaces.
void parser_t::replace_token(int i, const std::string& with) {
  char* end = nullptr;
  const double value = with.empty() ? 0 : std::strtod(with.c_str(), &end);
  const bool number = !with.empty() && end == with.c_str() + with.size() &&
                      (std::isdigit(static_cast<unsigned char>(with.back())) || with.back() == '.');
  if (number) {
    stmt.set(i, value < 0 ? "-" + normalised(-value) : normalised(value), TK_NUMBER);
    return;
  }
  const bool quoted = with.size() >= 2 && with.front() == '\'' && with.back() == '\'' &&
                      with.find('\'', 1) == with.size() - 1;
  if (!quoted) {
    stmt.set(i, with, stmt.kind(i));
    return;
  }
  std::string c = "\"";
  for (std::size_t k = 1; k + 1 < with.size(); ++k) {
    if (with[k] == '"' || with[k] == '\\') c += '\\';
    c += with[k];
  }
  stmt.set(i, c + "\"", TK_STRING);
}

// for (i = 1:n): the parentheses around the whole loop head go, as M allows them.
void parser_t::unwrap_for() {
  if (!stmt.is_word(TP_HEAD, "for") || !stmt.is_word(TP_AFTER_HEAD, "(")) return;
  int depth = 0;
  for (int i = 1; i < stmt.top(); ++i) {
    if (stmt.kind(i) == TK_STRING) continue;
    if (stmt.is_word(i, "(") || stmt.is_word(i, "[") || stmt.is_word(i, "{")) ++depth;
    if (stmt.is_word(i, ")") || stmt.is_word(i, "]") || stmt.is_word(i, "}")) --depth;
    if (depth == 0) {
      if (i != stmt.top() - 1) return;   // for (a)(b) ...: not one parenthesised head
      stmt.del(i);
      stmt.del(TP_AFTER_HEAD);
      return;
    }
  }
}

void parser_t::for_loop() {
  display = needs_semicolon = 0;
  if (!stmt.is_kind(TP_AFTER_HEAD, TK_WORD) || !stmt.is_word(TP_THIRD, "=")) fail("Do not use parenthesis with for");
  const std::string v = stmt.gettext(TP_AFTER_HEAD);
  // The loop's range follows "for v =". A constant one reads colon ( a , s , b ) \n.
  const int range = TP_FOURTH, from = range + 2, by = range + 4, to = range + 6, after = range + 8;
  // for c = {...}: c is each column of the cell, a cell itself.
  const bool over_cell = stmt.is_word(range, "{") || begins_cell(range);
  bool scalar = false;
  if (symbols) {
    const int e = symbols->add_typed(v, SYM_LOCAL, default_type);
    if (over_cell) mark_cell(v);
    else note_plain_assignment(v, range);   // a variable that is a cell elsewhere holds any class
    scalar = (symbols->info_of(e)[INFO_TYPE] & DT_SCALAR) != 0;
  }
  // The C++ name: a variable named like a library function carries an underscore.
  const std::string vc = symbols ? v + symbols->decoration(v, 1) : v;
  // What inference planned for this loop (the plan must be for this variable).
  const loop_plan* plan = nullptr;
  if (for_ordinal < loop_plans.size() && loop_plans[for_ordinal].var == v) plan = &loop_plans[for_ordinal];
  ++for_ordinal;
  const std::size_t views_before = active_views.size();
  const std::size_t shadows_before = active_shadows.size();
  int fast = -1;
  const bool counted = plan && plan->scalar_range && !over_cell && counted_for(v, vc, scalar, *plan, fast);
  double start = 0, step = 0, stop = 0;
  if (counted) {
    // counted_for wrote the statement.
  } else if (constant_range(range, start, step, stop) && stmt.is_word(after, "\n") && integral(start) &&
             integral(step) && integral(stop) && step != 0 && !(plan && plan->assigned_in_body)) {
    // (A variable the body assigns cannot count its own passes: the general form.)
    // A constant range counts in C++ when its values are exact in floating point;
    // otherwise the general form runs over the exact M range.
    const std::string vt = scalar ? vc : vc + ".r";
    const std::string a = stmt.gettext(from), s = stmt.gettext(by), b = stmt.gettext(to);
    const char* cmp = step > 0 ? "<=" : ">=";
    const bool empty = step > 0 ? start > stop : start < stop;
    stmt.reset();
    if (empty && !scalar) {
      // No pass: the variable becomes the empty range, as after any loop that runs none.
      raw(0, "for (" + vc + "=colon(" + a + "," + s + "," + b + ");false;) {");
    } else {
      // The step is taken before each pass rather than after it, so that a loop that
      // runs to its end leaves the variable at the last value it took, as in M.
      raw(0, "for (" + vc + "=" + a + "-(" + s + ");" + vt + "+(" + s + ")" + cmp + b + "&&(" + vt +
                 "+=" + s + ",true);) {");
    }
  } else {
    const std::string vn = v + "_" + name + "_v" + std::to_string(loop_count);
    const std::string in = v + "_" + name + "_i" + std::to_string(loop_count);
    if (symbols) {
      symbols->add_typed(vn, SYM_LOCAL, default_type);
      if (over_cell) mark_cell(vn);
      symbols->add_typed(in, SYM_DECLARED, default_type | DT_SCALAR);
    }
    // (An input, or a variable of any class: either may hold a cell.)
    const bool any_range = !over_cell && stmt.kind(range) == TK_WORD && symbols &&
                           (any_vars.count(stmt.gettext(range)) || symbols->find(stmt.gettext(range), SYM_INPUT) >= 0) &&
                           !stmt.is_word(range + 1, "(") && !stmt.is_word(range + 1, ".br");
    stmt.del(TP_HEAD, 3);
    raw(0, vn + "=");
    // A loop over an empty value runs no pass and leaves the variable that value.
    // A variable of any class that holds a cell runs a pass for each column of the cell.
    const std::string count =
        any_range ? "(" + vn + ".holds_cell()?forsize(" + vn + ".held_cell()):forsize(" + vn + "))" : "forsize(" + vn + ")";
    std::string tail = "; int " + in + "; grl::for_none(" + vc + "," + vn + ");\nfor (" + in + "=1;" + in +
                       "<=" + count + ";" + in + "++) {\n";
    tail += scalar ? vc + "=" + vn + ".r(" + in + ");" : "forelem(" + vc + "," + vn + "," + in + ");";
    raw(stmt.top(), tail);
    ++loop_count;
  }
  depth += 1;
  if (loop_depth == 0) loop_depth = depth;
  loop_opened();
  if (counted) {
    open_loops.back().scoped = true;
    open_loops.back().views = active_views.size() - views_before;
    open_loops.back().shadow = active_shadows.size() > shadows_before;
    open_loops.back().fast = fast;
  }
}

// for v = a:s:b over ends proven scalars: the loop counts passes in C++ (grl::for_range
// fixes the count when the loop starts and gives the k-th value of the range), in a
// block of its own that also holds the views of the arrays the loop uses element by
// element and the counter's whole-number copy. False (nothing changed) when the range
// is not one colon call. A loop over a counter with a whole-number copy may be written
// twice (fast_loops.cpp): fast is then its entry in fast_loops.
bool parser_t::counted_for(const std::string& v, const std::string& vc, bool scalar, const loop_plan& plan,
                           int& fast) {
  const int range = TP_FOURTH;
  if (!stmt.is_word(range, "colon") || !stmt.is_word(range + 1, "(")) return false;
  int depth = 0, close = -1, commas = 0;
  for (int j = range + 1; j < stmt.top(); ++j) {
    if (stmt.kind(j) == TK_STRING) continue;
    const std::string& t = stmt.gettext(j);
    if (t == "(" || t == "[" || t == "{") ++depth;
    if (t == ")" || t == "]" || t == "}") {
      if (--depth == 0) {
        close = j;
        break;
      }
    }
    if (depth == 1 && t == ",") ++commas;
  }
  if (close < 0 || commas < 1 || commas > 2) return false;
  for (int j = close + 1; j < stmt.top(); ++j)
    if (!stmt.is_word(j, "\n") && !stmt.is_word(j, ";") && !stmt.is_word(j, ",")) return false;
  const std::string id = std::to_string(loop_count++);
  const std::string r = "grl_r" + id, k = "grl_k" + id;
  stmt.del(TP_HEAD, 3);
  stmt.set(0, "{ grl::for_range " + r, TK_OTHER);
  std::string tail = ";";
  for (const std::string& x : plan.views) {
    if (!proven_array(x)) continue;
    const std::string xc = x + symbols->decoration(x, 1);
    if (std::find(active_views.begin(), active_views.end(), x) != active_views.end()) continue;
    active_views.push_back(x);
    tail += " grl::array_view grl_view_" + xc + "(" + xc + ");";
  }
  if (!scalar) tail += " " + r + ".none(" + vc + ");";
  const bool twice = scalar && plan.whole_shadow;
  if (twice) {
    fast = std::stoi(id);
    fast_loops[fast] = fast_loop{v, r, {}, {}, {}, true};
    tail += "\n//$FAST " + id + "\n";
  }
  tail += "\nfor (std::size_t " + k + "=0;" + k + "<" + r + ".n;++" + k + ") {\n";
  if (twice) {
    tail += "long long grl_q_" + vc + "; " + r + ".take(" + vc + ",grl_q_" + vc + "," + k + ",grl_fast);";
    active_shadows.push_back(v);
  } else {
    tail += r + ".take(" + vc + "," + k + ");";
  }
  raw(stmt.top(), tail);
  return true;
}

void parser_t::assignment(int eq) {
  std::vector<std::string> assigned;
  if (stmt.is_word(TP_HEAD, "[")) {
    // [a,b]=f(x) is /*[a,b]=*/f(x,i_o,a,b): the outputs travel as references.
    std::vector<std::vector<std::pair<std::string, int>>> outputs(1);
    for (int i = 1; i < eq; ++i) {
      if (stmt.is_word(i, ",") || stmt.is_word(i, "]")) {
        if (!outputs.back().empty()) outputs.emplace_back();
        continue;
      }
      outputs.back().emplace_back(stmt.gettext(i), stmt.kind(i));
    }
    if (outputs.back().empty()) outputs.pop_back();
    bool takes_any_var = false;
    for (int i = eq + 1; i < stmt.top() && !takes_any_var; ++i)
      takes_any_var = stmt.kind(i) == TK_WORD && any_vars.count(stmt.gettext(i)) > 0;
    bool has_paren = false;
    for (int i = eq + 1; i < stmt.top(); ++i) has_paren = has_paren || stmt.is_word(i, "(");
    // (s(2:3).f ends with its field: the outputs follow it as they follow s.f.)
    const std::string& last = stmt.gettext(stmt.top() - 1);
    if (!has_paren || (!last.empty() && last[0] == kFieldMark)) {
      stmt.ins_before_last("(", '(');
      stmt.ins_before_last(")", ')');
    }
    int close = stmt.top() - 1;
    if (!stmt.is_word(close - 1, "(")) stmt.ins(close++, ",", ',');
    stmt.ins(close++, "i_o", TK_WORD);
    for (std::size_t k = 0; k < outputs.size(); ++k) {
      stmt.ins(close++, ",", ',');
      // [~,i]=f(x): the function still sees the output place, but its value goes nowhere.
      if (outputs[k].size() == 1 && outputs[k].front().first == "~") {
        stmt.ins(close++, "junkM", TK_OTHER);
        continue;
      }
      const std::string& var = outputs[k].front().first;
      for (const auto& t : outputs[k]) stmt.ins(close++, t.first, t.second);
      if (outputs[k].front().second == TK_WORD) {
        add_variable(var, default_type);
        // (A call given a variable of any class gives what the variable holds decides:
        // its outputs are values, which hold a cell when they get one.)
        if (output_yields_cell(eq + 1, k) && !takes_any_var) mark_cell(var);
        if (takes_any_var) any_outputs.insert(var);
        assigned.push_back(var);
      }
    }
    if (name == "feval" && outputs.size() >= 2) forward_outputs(eq, static_cast<int>(outputs.size()));
    stmt.ins(TP_HEAD, "/*", TK_OTHER);
    stmt.ins(eq + 2, "*/", TK_OTHER);
  } else if (stmt.kind(TP_HEAD) == TK_WORD) {
    const std::string var = stmt.gettext(TP_HEAD);
    // [c1; c2] and [c, {x}] (a matrix literal whose first piece is a cell) join cells.
    const bool joined_cells = stmt.is_word(eq + 2, "BR") && begins_cell(eq + 1) &&
                              call_end(eq + 1) == stmt.top() - 1;
    const bool cell = (stmt.is_word(eq + 1, "(") && stmt.is_word(eq + 2, "CL")) ||
                      call_yields_cell(eq + 1) || joined_cells ||
                      stmt.gettext(eq + 1).compare(0, 6, "cells(") == 0;
    add_variable(var, default_type);
    if (cell) mark_cell(var);
    else if (eq == 1) note_plain_assignment(var, eq + 1);
    // A variable of any class takes a cell as a value holding it.
    if (eq == 1 && any_vars.count(var) && stmt.top() > eq + 1) {
      stmt.ins(eq + 1, "grl::any_value(", TK_OTHER);
      stmt.ins(stmt.top(), ")", ')');
    }
    assigned.push_back(var);
  }
  raw(stmt.top(), ";");
  if (display && symbols) {
    for (const std::string& var : assigned) {
      // A field's assignment shows the whole structure, as s.a = 1 shows s.
      std::ostringstream shown;
      symbols->display(shown, var.substr(0, var.find('.')));
      raw(stmt.top(), " " + shown.str());
    }
  }
  display = needs_semicolon = 0;
}

// The feval dispatcher asks the function for as many outputs as its own caller asks
// for, since the count can change the first output (size, find, eig): its
//   f(x,i_o,y1,y2)
// becomes
//   if (nargout_val<=1) y1=f(x); else f(x,i_o,y1,y2)
void parser_t::forward_outputs(int eq, int count) {
  std::vector<std::pair<std::string, int>> call;
  int io = -1;
  for (int i = eq + 1; i < stmt.top(); ++i) {
    if (stmt.is_word(i, "i_o")) io = static_cast<int>(call.size());
    call.emplace_back(stmt.gettext(i), stmt.kind(i));
  }
  // Only the plain form f(...,i_o,y1,...,yK) with one token per output.
  if (io < 0 || static_cast<int>(call.size()) != io + 2 * count + 2) return;
  stmt.del(eq + 1, static_cast<int>(call.size()));
  int at = eq + 1;
  for (int n = 1; n <= count; ++n) {
    if (n < count) {
      stmt.ins(at++, std::string(n > 1 ? "else " : "") + "if (nargout_val<=" + std::to_string(n) + ") ",
               TK_OTHER);
    } else {
      stmt.ins(at++, "else ", TK_OTHER);
    }
    // One output is the function's value: M functions have no i_o entry for it.
    const int upto = n > 1 ? io + 2 * n : call[io - 1].first == "," ? io - 2 : io - 1;
    if (n == 1) stmt.ins(at++, call[io + 2].first + "=", TK_OTHER);
    for (int k = 0; k <= upto; ++k, ++at) stmt.ins(at, call[k].first, call[k].second);
    stmt.ins(at++, ")", ')');
    if (n < count) stmt.ins(at++, "; ", TK_OTHER);
  }
}

void parser_t::load_save() {
  display = 0;
  for (int i = 3; i < stmt.top(); ++i)
    if (stmt.kind(i) == TK_STRING) stmt.unquote(i);
  bool ascii = false, mat = false;
  for (const char* option : {"v4", "ascii", "mat", "double", "mdouble", "tabs", "append"}) {
    bool found = false;
    for (int i = 0; i < stmt.top(); ++i) {
      // A variable holding the file name is no option, whatever its name.
      const bool file_variable = i == TP_THIRD && symbols && symbols->find(option, SYM_VARIABLES) >= 0;
      if (stmt.is_word(i, option) && stmt.kind(i) == TK_WORD && !file_variable) {
        if (i < 3 || !stmt.is_word(i - 3, ",")) fail("flags can not appear before file name");
        stmt.del(i - 3, 4);
        found = true;
        break;
      }
      if (stmt.is_word(i, std::string("-") + option) && i > 0) {
        stmt.del(i - 1, 2);
        found = true;
        break;
      }
    }
    if (!found) continue;
    if (std::strcmp(option, "append") == 0) fail("save: -append not supported");
    if (std::strcmp(option, "ascii") == 0) ascii = true;
    if (std::strcmp(option, "mat") == 0) mat = true;
  }
  if (ascii && !mat) stmt.set(TP_HEAD, stmt.gettext(TP_HEAD) + "ascii", TK_WORD);
  // save(file) alone saves every variable of the function known at this point (the
  // ones its earlier statements made); cells have no MAT-file form here and are left out.
  const int after_file = TP_FOURTH;   // save ( file , ... or save ( file )
  if (stmt.is_word(TP_HEAD, "save") && stmt.is_word(after_file, ")") && symbols) {
    std::ostringstream vars;
    int first = 1;
    for (int position = -1; symbols->next(SYM_VARIABLES, position) >= 0;) {
      const std::string& var = symbols->text_of(position);
      if (var.find('.') != std::string::npos || (symbols->info_of(position)[INFO_TYPE] & DT_CELL)) continue;
      print_name(*symbols, vars, first, "&", "", position, PN_NAMES, 0);
    }
    if (first) fail("save: no variables to save");
    stmt.ins(after_file, vars.str(), TK_OTHER);
    stmt.ins(after_file, ",", ',');
    return;
  }
  // load(file) alone: the variables the rest of the function reads and nothing else
  // defines come from the file.
  if (stmt.is_word(TP_HEAD, "load") && stmt.is_word(after_file, ")") && symbols) {
    const std::string vars = loaded_names();
    if (vars.empty()) return;
    stmt.ins(after_file, "grl::found_only," + vars, TK_OTHER);
    stmt.ins(after_file, ",", ',');
    return;
  }
  // load(file, variables...): at least one variable after the file name.
  if (!stmt.is_word(after_file, ",") || stmt.top() < after_file + 2) fail("load/save: variables must be explicitly stated");
  const bool load = stmt.gettext(TP_HEAD).compare(0, 4, "load") == 0;
  for (int i = after_file + 1; i < stmt.top(); ++i) {
    if (!stmt.is_word(i - 1, ",") || stmt.kind(i) != TK_WORD) continue;
    if (load) add_variable(stmt.gettext(i), default_type);
    stmt.ins(i, "&", TK_OTHER);
    ++i;
  }
}

// The variables `load f` defines, as load's arguments (&a,&b): the names the rest of
// the function reads before it assigns them that are no keyword, no function of the
// library or the program and no M-file on the search path. Each becomes a variable.
std::string parser_t::loaded_names() {
  if (!in) return "";
  std::string vars;
  for (const std::string& w : names_read_later(std::string(in->rest()))) {
    if (is_block_keyword(w) || w == "function" || w == "global" || w == "persistent") continue;
    const bool variable = symbols->find(w, SYM_VARIABLES) >= 0;
    if (!variable) {
      if (symbols->find(w, SYM_ANY) >= 0 || symbols->find(w, SYM_REPLACE) >= 0) continue;
      if (host && host->has_mfile(w)) continue;
      add_variable(w, default_type);
    }
    vars += (vars.empty() ? "&" : ",&") + w;
  }
  return vars;
}

// The entry e of word, or, when word is no variable or known function yet, that of
// the M-file of that name, which the project scans or translates first.
int parser_t::resolve(const std::string& word, int e, int line) {
  const datatype_t& dt = datatypes();
  auto unresolved = [&](int entry) {
    if (entry < 0) return true;
    if (!(symbols->type_of(entry) & SYM_FUNCTIONS)) return false;
    const int t = symbols->info_of(entry)[INFO_TYPE];
    return t == DT_UNCLASSIFIED || t == dt.script_index();
  };
  if (!unresolved(e) || !host) return e;
  const int saved = diag::current_line();
  diag::set_line(line);
  host->translate_name(word, *symbols, 1);
  e = symbols->find(word, SYM_ANY);
  if (unresolved(e) && e >= 0) {
    host->translate_name(word, *symbols, 0);
    e = symbols->find(word, SYM_ANY);
  }
  diag::set_line(saved);
  KASSERT("XLINE", e!=-1);
  return e;
}

namespace {

// The column (from 1) of the first use of name as a word on line `line` of file, outside
// quoted text; 0 when it cannot be found.
int word_column(const std::string& file, int line, const std::string& name) {
  std::ifstream in(file, std::ios::binary);
  std::string text;
  for (int n = 0; n < line && std::getline(in, text); ++n) {}
  if (!in || name.empty()) return 0;
  auto word_char = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  bool quoted = false;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '%' && !quoted) return 0;
    if (c == '"' || (c == '\'' && (quoted || k == 0 || !(word_char(text[k - 1]) || text[k - 1] == ')' ||
                                                        text[k - 1] == ']' || text[k - 1] == '}' || text[k - 1] == '.'))))
      quoted = !quoted;
    if (quoted || text.compare(k, name.size(), name) != 0) continue;
    const bool starts = k == 0 || (!word_char(text[k - 1]) && text[k - 1] != '.');
    const bool ends = k + name.size() >= text.size() || !word_char(text[k + name.size()]);
    if (starts && ends) return int(k) + 1;
  }
  return 0;
}

}  // namespace

// A name that is no variable, no function of the library and no M-file: MATLAB
// programs call such names on paths that never run (a debugging helper, another
// platform's function), so the program builds and the call fails only when it runs,
// with the undefined-function error. korval names each such function once.
// A dotted word whose first part is such a name (s.k of no variable s) fails the same
// way: the fields are never reached.
void parser_t::undefined_name(int i) {
  static std::set<std::string> named;
  std::string word = stmt.gettext(i);
  word = word.substr(0, word.find('.'));
  if (named.insert(word).second)
    std::fprintf(stderr, "%s(%d) : warning: '%s' is defined by no M-file and no library function; "
                 "calling it fails when the program runs\n", diag::current_file().c_str(), stmt.line(i), word.c_str());
  const bool call = stmt.is_word(i + 1, "(");
  const int line = stmt.line(i);
  const std::string where = "\"" + word + "\"," + std::to_string(line) + "," +
                            std::to_string(word_column(diag::current_file(), line, word));
  stmt.set(i, call ? "grl::undefined_call{" + where + "}" : "grl::undefined_value(" + where + ")", TK_OTHER);
}

// A call f(a, b+1, c) of a function that asks for inputname: the statement first lists
// the names of the arguments that are plain variables ("a", "", "c") for f to take.
void parser_t::pass_argument_names(int i) {
  std::string names;
  int depth = 0, from = i + 2;
  for (int j = i + 2; j < stmt.top(); ++j) {
    const std::string& t = stmt.gettext(j);
    const bool text = stmt.kind(j) == TK_STRING;
    const bool close = !text && (t == ")" || t == "]" || t == "}");
    if (!text && (t == "(" || t == "[" || t == "{")) ++depth;
    if (close && depth > 0) {
      --depth;
      continue;
    }
    if (!close && !(t == "," && !text && depth == 0)) continue;
    // One argument ends at j: from..j-1 (none in f()).
    if (j > from || t == "," || !names.empty()) {
      const bool plain = j == from + 1 && stmt.kind(from) == TK_WORD &&
                         stmt.gettext(from).find('.') == std::string::npos &&
                         symbols->find(stmt.gettext(from), SYM_VARIABLES) >= 0;
      names += std::string(names.empty() ? "" : ",") + "\"" + (plain ? stmt.gettext(from) : "") + "\"";
    }
    from = j + 1;
    if (close) break;
  }
  before_statement += "grl::pass_names(\"" + stmt.gettext(i) + "\",{" + names + "});\n";
}

// nargin('f'), nargout('f'), nargin(@f): the number of inputs or outputs that the
// function line of the program's function f declares, known now; with varargin (or
// varargout) last, minus the count of them all, varargin included. A name that no
// M-file of the program defines is left to the library, which fails when it runs.
bool parser_t::known_count(int i) {
  if (!host || stmt.kind(i) != TK_WORD || !stmt.is_word(i + 1, "(") || !stmt.is_word(i + 3, ")") ||
      stmt.kind(i + 2) != TK_STRING)
    return false;
  const std::string& w = stmt.gettext(i);
  const bool in = w == "nargin" || w == "nparms";
  if ((!in && w != "nargout") || symbols->find(w, SYM_VARIABLES) >= 0) return false;
  std::string f = stmt.gettext(i + 2);
  if (f.size() > 1 && f[0] == '@') f.erase(0, 1);   // a handle @name
  if (f.size() < 3 || f[0] != '"' || f.back() != '"') return false;
  f = f.substr(1, f.size() - 2);
  if (f.empty() || !std::isalpha(static_cast<unsigned char>(f[0])) ||
      !std::all_of(f.begin(), f.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }))
    return false;
  if (std::find(local_names.begin(), local_names.end(), f) != local_names.end())
    f = qualified_local_name(file_base, f);
  const bool own = f == name;
  int e = symbols->find(f, SYM_ANY);
  if (e >= 0 && (symbols->type_of(e) & SYM_VARIABLES)) return false;
  if (!own && (e < 0 || !(symbols->type_of(e) & SYM_FUNCTIONS)) && !host->defines(f)) return false;
  int count = 0;
  if (own) {
    count = in ? (has_varargin ? -n_in : n_in) : (has_varargout ? -n_out : n_out);
  } else {
    // (The file's first function, from a local function of its own, is known from
    // the scan of the file or not at all: it is being translated.)
    if (f != file_base) e = resolve(f, e, stmt.line(i));
    if (e < 0 || symbols->info_of(e)[INFO_TYPE] != datatypes().function_index()) return false;
    const symbol_info& info = symbols->info_of(e);
    count = in ? (info[INFO_VARARGIN] ? -info[INFO_NIN] : info[INFO_NIN])
               : (info[INFO_VARARGOUT] ? -info[INFO_NOUT] : info[INFO_NOUT]);
  }
  stmt.del(i, 4);
  stmt.ins(i, ")", ')');
  stmt.ins(i, std::to_string(count) + ".0", TK_NUMBER);
  stmt.ins(i, "(", '(');
  return true;
}

// a.b.f of a package folder +a/+b that a folder added to the search path while the
// file is read holds (the source's package calls were renamed before that folder was
// known): the word becomes the function's program name, and what follows the function
// the fields of its result.
bool parser_t::package_word(int i) {
  if (!host) return false;
  const std::string word = stmt.gettext(i);
  std::vector<std::string> parts;
  for (std::size_t from = 0;;) {
    const std::size_t dot = word.find('.', from);
    parts.push_back(word.substr(from, dot == std::string::npos ? std::string::npos : dot - from));
    if (dot == std::string::npos) break;
    from = dot + 1;
  }
  if (parts.size() < 2 || parts[0].empty() || symbols->find(parts[0], SYM_ANY) >= 0) return false;
  for (std::size_t n = parts.size(); n >= 2; --n) {
    const std::string program = package_function_name({parts.begin(), parts.begin() + static_cast<long>(n)});
    if (!host->defines(program)) continue;
    std::string rest;
    for (std::size_t k = n; k < parts.size(); ++k) rest += (k > n ? "." : "") + parts[k];
    stmt.set(i, program, TK_WORD);
    if (!rest.empty()) {
      stmt.ins(i + 1, std::string(1, kFieldMark) + rest, TK_WORD);
      stmt.ins(i + 1, ")", ')');
      stmt.ins(i + 1, "(", '(');
    }
    return true;
  }
  return false;
}

// f.a.b of a function f (no variable): the fields of f's result, as written f().a.b.
// The word at i becomes f ( ) and the field mark that follows a call's result.
bool parser_t::function_fields(int i, std::size_t dot) {
  const std::string word = stmt.gettext(i);
  const std::string base = word.substr(0, dot), rest = word.substr(dot + 1);
  if (rest.empty() || rest.back() == '.' || !host) return false;
  const int b = symbols->find(base, SYM_ANY);
  const bool function = b >= 0 ? (symbols->type_of(b) & SYM_FUNCTIONS) && !(symbols->type_of(b) & SYM_VARIABLES)
                               : host->has_mfile(base);
  if (!function) return false;
  stmt.set(i, base, TK_WORD);
  stmt.ins(i + 1, std::string(1, kFieldMark) + rest, TK_WORD);
  stmt.ins(i + 1, ")", ')');
  stmt.ins(i + 1, "(", '(');
  return true;
}

// Every word is a variable, a known function, or the name of an M-file, which the
// project scans or translates first so that the callee's interface is known here.
void parser_t::identifier_pass() {
  if (!symbols) return;
  const bool call_statement = stmt.is_word(TP_HEAD, "call");
  // The functions named by handles can be called through feval, also where the
  // handle is called as h(x) by a function that cannot know it holds one.
  if (!run_time_targets_added && !run_time_targets.empty()) {
    run_time_targets_added = true;
    handle_targets.insert(handle_targets.end(), run_time_targets.begin(), run_time_targets.end());
  }
  if (!handle_targets.empty()) uses_feval = 1;
  for (const std::string& f : handle_targets) {
    // A file left out of the program: the handle fails when called, as one to no file.
    if (host && host->left_out(f)) continue;
    const int e = resolve(f, symbols->find(f, SYM_ANY), stmt.line(0));
    if (e >= 0 && !(symbols->type_of(e) & SYM_VARIABLES))
      symbols->add(f, SYM_FEVAL, symbol_info(symbols->info_of(e)));
  }
  for (int i = 0; i < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || stmt.gettext(i)[0] == kFieldMark) continue;
    if (stmt.gettext(i).find('.') != std::string::npos) package_word(i);
    if (known_count(i)) continue;
    const bool paren = stmt.is_word(i + 1, "(");
    {
      const std::string& w = stmt.gettext(i);
      const bool fun = paren && !stmt.is_word(i + 2, ")") && symbols->find(w, SYM_VARIABLES) < 0;
      if (w == "nargin" || w == "nparms") (fun ? uses_nargin_fun : uses_nargin) = 1;
      if (w == "nargout") (fun ? uses_nargout_fun : uses_nargout) = 1;
      // nargin(name) of a name known only when the program runs: the program's
      // dispatcher of counts (nargin_of.m, written by the project).
      if (fun && (w == "nargin" || w == "nparms" || w == "nargout"))
        stmt.set(i, w == "nargout" ? "nargout_of" : "nargin_of", TK_WORD);
    }
    const std::string word = stmt.gettext(i);
    const bool count_word = word == "nargin" || word == "nparms" || word == "nargout";
    if (word == "feval") uses_feval = 1;

    int e = symbols->find(word, SYM_ANY);
    // A handle @f made earlier in the function left an feval entry for f: a call of f
    // is a call of the function itself, whose header the file must include.
    if (e >= 0 && symbols->type_of(e) == SYM_FEVAL) {
      const int own = symbols->find(word, SYM_FUNCTIONS);
      if (own >= 0) e = own;
    }
    const std::size_t dot = word.find('.');
    if (e < 0 && dot != std::string::npos && dot > 0 && function_fields(i, dot)) {
      --i;
      continue;
    }
    if (e < 0 && dot != std::string::npos && dot > 0) {
      const int base = symbols->find(word.substr(0, dot), SYM_ANY);
      if (base >= 0) e = symbols->add_typed(word, symbols->type_of(base) & SYM_ANY, default_type);
    }
    // inputname(k) in a function: the name its caller passed for argument k.
    if (word == "inputname" && paren && e < 0 && kind == datatypes().function_index()) {
      uses_inputname = true;
      stmt.set(i, "grl::inputname_of", TK_OTHER);
      stmt.ins(i + 2, "grl_argnames", TK_OTHER);
      stmt.ins(i + 3, ",", ',');
      continue;
    }
    // No file defines it: the call fails when the program reaches it.
    if (e < 0 && host && dot == std::string::npos && !host->defines(word)) {
      undefined_name(i);
      continue;
    }
    if (e < 0 && host && dot != std::string::npos && dot > 0 && !host->defines(word) &&
        !host->defines(word.substr(0, dot))) {
      undefined_name(i);
      continue;
    }
    e = resolve(word, e, stmt.line(i));
    if (e >= 0 && paren && (symbols->type_of(e) & SYM_FUNCTIONS) && !(symbols->type_of(e) & SYM_VARIABLES) &&
        host && host->asks_inputname(word))
      pass_argument_names(i);
    if (e >= 0 && (symbols->type_of(e) & SYM_FUNCTIONS) && !count_word)
      symbols->type_of(e) = SYM_CALLED;
    // The dispatcher matches the name feval is given: sin, not the library's sin_M.
    if (call_statement && e >= 0)
      symbols->add(m_name(*symbols, word), SYM_FEVAL, symbol_info(symbols->info_of(e)));
    if (e >= 0 && (symbols->info_of(e)[INFO_TYPE] & DT_CELL) &&
        (symbols->type_of(e) & SYM_VARIABLES))
      i += cell_list(i);
    else if (e >= 0 && paren && (symbols->type_of(e) & SYM_VARIABLES))
      cell_element_indexes(i + 1);
  }
}

// x(c{k}) and m(c{k}) on a variable that is no cell: the element is taken as a value
// (the library's index types take values, not a cell's element in place).
void parser_t::cell_element_indexes(int open) {
  int depth = 0, from = open + 1;
  for (int j = open + 1; j < stmt.top(); ++j) {
    const std::string& t = stmt.gettext(j);
    const bool text = stmt.kind(j) == TK_STRING;
    if (!text && (t == "(" || t == "[" || t == "{")) {
      ++depth;
      continue;
    }
    const bool close = !text && (t == ")" || t == "]" || t == "}");
    if (close && depth > 0) {
      --depth;
      continue;
    }
    if (!close && !(t == "," && !text && depth == 0)) continue;
    // The argument from..j-1: a cell variable, .br, and its parenthesised index.
    // A list c{:} or c{a:b} is several subscripts, not one element: it stays as it is.
    bool list = false;
    for (int t = from + 3; t < j - 1 && !list; ++t)
      list = stmt.is_word(t, "c_p") || stmt.is_word(t, "colon") || stmt.is_word(t, ":");
    if (j - from >= 4 && stmt.kind(from) == TK_WORD && stmt.is_word(from + 1, ".br") &&
        stmt.is_word(from + 2, "(") && stmt.is_word(j - 1, ")") && call_end(from + 2) == j - 1 && !list) {
      const int v = symbols->find(stmt.gettext(from), SYM_VARIABLES);
      if (v >= 0 && (symbols->info_of(v)[INFO_TYPE] & DT_CELL)) {
        stmt.ins(j, ".value", TK_OTHER);
        stmt.ins(j + 1, "(", '(');
        stmt.ins(j + 2, ")", ')');
        j += 3;
      }
    }
    from = j + 1;
    if (close) break;
  }
}

// The tokens of the cell list c{:} or c{a:b} at i (5 or 12), or 0.
int parser_t::list_tokens(int i, double& start, double& stop) {
  if (!stmt.is_word(i + 1, ".br") || !stmt.is_word(i + 2, "(")) return 0;
  if (stmt.is_word(i + 3, "c_p") && stmt.is_word(i + 4, ")")) return 5;
  double step = 0;
  if (!constant_range(i + 3, start, step, stop) || !stmt.is_word(i + 11, ")")) return 0;
  if (!integral(start) || !integral(stop) || step != 1.0 || start < 1 || stop < start) return 0;
  return 12;
}

// c{:} (5 tokens), c{a:b} with constant bounds (12), or c{a:b} with any expressions as
// bounds and a step of 1: the tokens and the bounds.
parser_t::list_span parser_t::list_at(int i) {
  list_span span;
  double start = 0, stop = 0;
  const int constant = list_tokens(i, start, stop);
  if (constant == 5) {
    span.tokens = 5;
    return span;
  }
  if (constant == 12) {
    span.tokens = 12;
    span.range = true;
    span.first.emplace_back(std::to_string(int(start)), TK_NUMBER);
    span.last.emplace_back(std::to_string(int(stop)), TK_NUMBER);
    return span;
  }
  if (!stmt.is_word(i + 1, ".br") || !stmt.is_word(i + 2, "(")) return span;
  if (!stmt.is_word(i + 3, "colon") || !stmt.is_word(i + 4, "(")) return part_of_cell(i);
  const int close = call_end(i + 4);
  if (close < 0 || !stmt.is_word(close + 1, ")") || call_end(i + 2) != close + 1) return part_of_cell(i);
  // The three arguments of colon, split at its own commas.
  std::vector<std::vector<std::pair<std::string, int>>> parts(1);
  int depth = 0;
  for (int j = i + 5; j < close; ++j) {
    const std::string& t = stmt.gettext(j);
    const bool text = stmt.kind(j) == TK_STRING;
    if (!text && (t == "(" || t == "[" || t == "{")) ++depth;
    if (!text && (t == ")" || t == "]" || t == "}")) --depth;
    if (!text && depth == 0 && t == ",") {
      parts.emplace_back();
      continue;
    }
    parts.back().emplace_back(t, stmt.kind(j));
  }
  if (parts.size() != 3 || parts[0].empty() || parts[2].empty() || parts[1].size() != 1 ||
      parts[1][0].second != TK_NUMBER || std::strtod(parts[1][0].first.c_str(), nullptr) != 1.0)
    return part_of_cell(i);
  span.tokens = close + 2 - i;
  span.range = true;
  span.first = parts[0];
  span.last = parts[2];
  return span;
}

// c{k, :}, c{:, k}, c{1:2:end}, c{[2 1], 3}: braces whose subscripts hold a colon or a
// matrix literal list the elements of the part c(k, :) of c, as many as it has when
// the statement runs.
parser_t::list_span parser_t::part_of_cell(int i) {
  list_span span;
  const int close = call_end(i + 2);
  if (close < 0) return span;
  bool colon = false;
  int depth = 0;
  for (int j = i + 3; j < close; ++j) {
    if (depth == 0 && (stmt.is_word(j, "c_p") || stmt.is_word(j, "colon"))) colon = true;
    // A matrix literal as a subscript, (BR(a),b): any number of elements.
    if (depth == 0 && stmt.is_word(j, "(") && stmt.is_word(j + 1, "BR")) colon = true;
    if (stmt.kind(j) == TK_STRING) continue;
    const std::string& t = stmt.gettext(j);
    if (t == "(" || t == "[" || t == "{") ++depth;
    if (t == ")" || t == "]" || t == "}") --depth;
  }
  if (!colon) return span;
  span.tokens = close + 1 - i;
  span.part = true;
  for (int j = i + 3; j < close; ++j) span.subscripts.emplace_back(stmt.gettext(j), stmt.kind(j));
  return span;
}

// The tokens CS(c) or CS(c,a,b) at position at, the list of all of c's elements or of
// elements a to b; returns the position after them.
int parser_t::put_list(int at, const std::string& c, const list_span& span, bool place) {
  auto put = [&](const std::string& text, int kind) { stmt.ins(at++, text, kind); };
  // A bound: a whole number as it stands, an expression as the number it gives.
  auto bound = [&](const std::vector<std::pair<std::string, int>>& b) {
    const bool number = b.size() == 1 && b[0].second == TK_NUMBER;
    if (number) {
      put(b[0].first, b[0].second);
      return;
    }
    put("int", TK_OTHER);
    put("(", '(');
    put("grl::real_scalar", TK_OTHER);
    put("(", '(');
    for (const auto& t : b) put(t.first, t.second);
    put(")", ')');
    put(")", ')');
  };
  // Elements a to b as places to write ([c{1:3}] = deal(...)): the cell grows to take
  // them, so they are not checked as elements to read.
  if (place && span.range) {
    // Spelled as C++ spells the variable (e_ for a variable e, a library name).
    const std::string cc = symbols ? c + symbols->decoration(c, 1) : c;
    put("cs_t<m_type>{" + cc + ",", TK_OTHER);
    bound(span.first);
    put(",", TK_OTHER);
    bound(span.last);
    put("}", TK_OTHER);
    return at;
  }
  put("CS", TK_WORD);
  put("(", '(');
  put(c, TK_WORD);
  if (span.part) {
    put("(", '(');
    for (const auto& t : span.subscripts) put(t.first, t.second);
    put(")", ')');
    put(".value", TK_OTHER);
    put("(", '(');
    put(")", ')');
  }
  if (span.range) {
    put(",", ',');
    bound(span.first);
    put(",", ',');
    bound(span.last);
  }
  put(")", ')');
  return at;
}

// c{:} and c{a:b} as arguments: the elements of the cell, one argument each. Returns
// the tokens inserted before i.
int parser_t::cell_list(int i) {
  double start = 0, stop = 0;
  const list_span span = list_at(i);
  const int tokens = span.tokens;
  if (tokens == 0) return 0;
  // Bounds known only when the program runs: only the forms that take any number of
  // elements at run time can hold the list.
  const bool fixed = list_tokens(i, start, stop) == tokens;
  const std::string c = stmt.gettext(i);
  const bool all = tokens == 5;

  const int owner = index_owner(i);
  // c{:} as a statement: each element is read, and shown as ans when the statement
  // displays.
  if (owner < 0 && i == TP_HEAD && i + tokens == stmt.top()) {
    if (span.part) return 0;   // the list would refer to a part that is gone
    stmt.del(i, tokens);
    stmt.ins(i, "if (const auto grl_l=", TK_OTHER);
    const int after = put_list(i + 1, c, span);
    stmt.ins(after, display ? "; true) for (int grl_k=grl_l.first;grl_k<=grl_l.end();++grl_k) grl::show(grl_l.at(grl_k),\"ans\")"
                            : "; true) (void)grl_l", TK_OTHER);
    display = 0;
    return after - i;
  }
  // Where any number of values may stand, c{:} is all of c's elements, however many
  // there are at run time.
  if (takes_any_number(i, owner)) {
    const bool place = owner >= 0 && stmt.is_word(owner, "deal") && output_marker(owner) >= 0 &&
                       i > output_marker(owner);
    if (place && span.part) return 0;   // a part as places to write: not taken
    stmt.del(i, tokens);
    put_list(i, c, span, place);
    return 0;
  }
  // Among the outputs of an M function: f runs with as many outputs as c gives.
  if (m_function_call(owner)) {
    const int marker = output_marker(owner);
    if (marker >= 0 && i > marker) return wrap_outputs(owner, marker) - i;
  }
  int callee_in = -1, varargin = 0, position = 1, inputs = 0;
  bool library = false;
  std::vector<int> bounds;
  if (owner >= 0) {
    int f = symbols->find(stmt.gettext(owner), SYM_FUNCTIONS);
    if (f < 0 && symbols->find(stmt.gettext(owner), SYM_VARIABLES) < 0) {
      f = symbols->find(stmt.gettext(owner), SYM_RESERVED_FUNCTION);
      library = true;
    }
    if (f >= 0) {
      inputs = scan_arguments(owner + 1, bounds);
      position = argument_of(i, bounds, inputs);
      callee_in = symbols->info_of(f)[INFO_NIN];
      varargin = symbols->info_of(f)[INFO_VARARGIN];
    }
  }
  // x(c{:}) on a numeric variable: one or two indices, as many as c holds at run time.
  if (owner >= 0 && holds_matrix(owner) && stmt.is_word(owner + 1, "(") && i == owner + 2 &&
      stmt.is_word(i + tokens, ")")) {
    stmt.del(i, tokens);
    put_list(i, c, span);
    return 0;
  }
  // x(1, c{:}) read from a numeric variable: the subscripts with c's elements among
  // them, as many as c holds when the statement runs (up to kMostSubscripts in all).
  const bool assigned_to = owner == TP_HEAD && stmt.is_word(call_end(owner + 1) + 1, "=");
  if (owner >= 0 && holds_matrix(owner) && stmt.is_word(owner + 1, "(") && !assigned_to) {
    constexpr int kMostSubscripts = 6;
    std::vector<int> subscripts;
    const int given = scan_arguments(owner + 1, subscripts);
    if (const int moved = spread_call(i, tokens, owner, subscripts, given, kMostSubscripts, true)) return moved;
  }
  // c{:} that ends the inputs of an M function with varargin and begins before it.
  const bool before_varargin =
      varargin && position < callee_in && inputs == position && i + tokens == bounds[inputs];
  if (owner >= 0 && callee_in >= position && (!varargin || before_varargin))
    if (const int moved = spread_call(i, tokens, owner, bounds, inputs, callee_in, library))
      return moved;
  if (!fixed) {
    // Any other place for a list of a run-time range: the fixed spread cannot take it.
    if (owner >= 0 && varargin && callee_in >= 1 && position >= callee_in) {
      stmt.del(i, tokens);
      put_list(i, c, span);
    }
    return 0;
  }
  // Into the varargin of an M function: c itself when it is all of varargin, else
  // its elements among the others that varargin_pass gathers into one cell.
  if (owner >= 0 && varargin && callee_in >= 1 && position >= callee_in) {
    stmt.del(i, tokens);
    if (all && position == callee_in && inputs == position) {
      stmt.ins(i, c, TK_WORD);
      return 0;
    }
    put_list(i, c, span);
    return 0;
  }
  int count;
  if (owner < 0 || callee_in < position) {
    position = 1;
    count = all ? 9 : static_cast<int>(stop - start) + 1;
    varargin = 0;
  } else {
    count = callee_in - position + 1;
  }
  const int first = all ? 1 : static_cast<int>(start);
  std::string text;
  for (int k = 1; k <= count; ++k) {
    if (k > 1) text += ",";
    const int element = first + k - 1;
    if (varargin && k == count) {
      if (k == 1 && all)
        text += c;
      else
        text += c + "(ramp(" + std::to_string(element) + "," + c + ".size()))";
    } else {
      text += c + "[" + std::to_string(element) + "]";
    }
  }
  stmt.del(i, tokens);
  stmt.ins(i, text, TK_OTHER);
  return 0;
}

// Token `at` names a variable that holds a matrix, not a cell or a function.
bool parser_t::holds_matrix(int at) {
  if (!symbols || stmt.kind(at) != TK_WORD) return false;
  const int v = symbols->find(stmt.gettext(at), SYM_VARIABLES);
  return v >= 0 && !(symbols->info_of(v)[INFO_TYPE] & DT_CELL);
}

// f(x, c{:}) where f takes a fixed number of inputs: f gets as many elements as c
// holds when the call runs,
//   grl::cs_call<N>(CS(c), "message", GRL_CALL(f(x, _e...)))
// with N the most inputs left to c. The lambda of GRL_CALL must not stand in the
// decltype of another one, and two lists in one call have no single count: those
// calls keep the fixed spread. Returns the tokens inserted before i, 0 when the call
// is left alone.
int parser_t::spread_call(int i, int tokens, int owner, const std::vector<int>& bounds, int inputs,
                          int callee_in, bool library) {
  const int close = call_end(owner + 1);
  const int room = callee_in - (inputs - 1);
  if (room < 0) return 0;
  for (int j = owner + 2; j < close; ++j) {
    if (stmt.is_word(j, "GRL_CALL")) return 0;
    if (stmt.kind(j) == TK_OTHER && stmt.gettext(j).find(',') != std::string::npos) return 0;
    if (j != i && stmt.kind(j) == TK_WORD && list_at(j).tokens > 0) {
      const int v = symbols->find(stmt.gettext(j), SYM_VARIABLES);
      if (v >= 0 && (symbols->info_of(v)[INFO_TYPE] & DT_CELL)) return 0;
    }
  }
  int depth = 0;   // brackets closed on the way back; an open one encloses the call
  for (int b = owner - 1; b > 0; --b) {
    if (stmt.is_word(b, ")")) ++depth;
    else if (stmt.is_word(b, "(") && depth > 0) --depth;
    else if (stmt.is_word(b, "(") && stmt.is_word(b - 1, "GRL_CALL")) return 0;
  }
  // The missing inputs of an M function are filled at its end: only a list that
  // ends the inputs can be filled.
  const bool last = inputs > 0 && i + tokens == bounds[inputs];
  const int f_entry = symbols->find(stmt.gettext(owner), SYM_FUNCTIONS);
  const bool rest = !library && f_entry >= 0 && symbols->info_of(f_entry)[INFO_VARARGIN];
  const std::string f = stmt.gettext(owner);
  const std::string shown = file_base.empty() ? m_name(*symbols, f) : shown_local_name(file_base, m_name(*symbols, f));
  const std::string message = library ? "Invalid call to " + shown : shown + ": function called with too many inputs";
  const std::string c = stmt.gettext(i);
  const list_span span = list_at(i);

  stmt.del(i, tokens);
  stmt.ins(i, "_e...", TK_OTHER);
  const int end = close - tokens + 1;   // f's closing bracket
  stmt.ins(end + 1, ")", ')');
  stmt.ins(end + 1, ")", ')');
  int at = owner;
  auto put = [&](const std::string& text, int kind) { stmt.ins(at++, text, kind); };
  const char* helper = rest                ? "grl::cs_call_rest<"
                       : !library && last ? "grl::cs_call_fill<"
                                          : "grl::cs_call<";
  put(helper + std::to_string(rest ? room - 1 : room) + ">", TK_OTHER);
  put("(", '(');
  at = put_list(at, c, span);
  put(",", ',');
  put("\"" + message + "\"", TK_OTHER);
  put(",", ',');
  put("GRL_CALL", TK_OTHER);
  put("(", '(');
  return at - owner;
}

// Token i stands in a matrix or cell literal, or among the inputs of a library
// function that takes any number of them.
bool parser_t::takes_any_number(int i, int owner) {
  if (owner >= 0) {
    const std::string f = stmt.gettext(owner);
    if (f == "BR" || f == "CL") return true;
    const int e = symbols->find(f, SYM_RESERVED_FUNCTION);
    return e >= 0 && symbols->find(f, SYM_VARIABLES | SYM_FUNCTIONS) < 0 &&
           symbols->info_of(e)[INFO_NIN] < 0;
  }
  // A literal of several pieces is the chain (BR(a),b,...) or (CL(a),b,...).
  int depth = 0;
  for (int b = i - 1; b >= 0; --b) {
    if (stmt.is_word(b, ")")) ++depth;
    else if (stmt.is_word(b, "(") && depth-- == 0)
      return stmt.is_word(b + 1, "BR") || stmt.is_word(b + 1, "CL");
  }
  return false;
}

void parser_t::varargin_pass() {
  if (!symbols) return;
  for (int i = 0; i < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD) continue;
    const int f = symbols->find(stmt.gettext(i), SYM_FUNCTIONS);
    if (f < 0 || !symbols->info_of(f)[INFO_VARARGIN]) continue;
    const int formal = symbols->info_of(f)[INFO_NIN];
    if (formal < 1) fail("nargin/varargin internal error");
    // A call that gives no optional argument passes an empty varargin: f(x) for
    // f(x, varargin), and f or f() for f(varargin).
    if (!stmt.is_word(i + 1, "(")) {
      if (formal == 1 && symbols->find(stmt.gettext(i), SYM_VARIABLES) < 0) {
        stmt.ins(i + 1, ")", ')');
        stmt.ins(i + 1, "cells(0.0)", TK_OTHER);
        stmt.ins(i + 1, "(", '(');
      }
      continue;
    }
    std::vector<int> bounds;
    const int n = scan_arguments(i + 1, bounds);
    // A cell list c{:} already stands for its elements: one token holding several,
    // or _e... of a call that spreads it when it runs.
    bool expanded = false;
    for (int j = i + 2; j < bounds[n]; ++j) {
      const std::string& t = stmt.gettext(j);
      expanded = expanded ||
                 (stmt.kind(j) == TK_OTHER && (t.find(',') != std::string::npos || t == "_e..."));
    }
    if (n == formal - 1 && !expanded) {
      const int at = bounds[n];   // the closing bracket, or the "," or i_o of the outputs
      if (n == 0 && stmt.is_word(at, "i_o")) stmt.ins(at, ",", ',');
      stmt.ins(at, "cells(0.0)", TK_OTHER);
      if (n > 0) stmt.ins(at, ",", ',');
      continue;
    }
    if (n < formal) continue;
    const int from = bounds[formal - 1];
    const int upto = formal < n ? bounds[formal] - 1 : bounds[n];   // end of that argument
    if (upto - from == 1 && stmt.kind(from) == TK_WORD && !stmt.is_word(from + 1, "[")) {
      const int v = symbols->find(stmt.gettext(from), SYM_VARIABLES);
      if (v >= 0 && (symbols->info_of(v)[INFO_TYPE] & DT_CELL)) continue;
    }
    const int close = bounds[n];
    stmt.ins(close, ")", ')');
    stmt.ins(upto, ")", ')');
    stmt.ins(from, "(", '(');
    stmt.ins(from + 1, "CL", TK_WORD);
    stmt.ins(from + 2, "(", '(');
  }
}

// The library's spellings of its names (sqrt by sqrt_M) and the -D replacements, in
// every word of the statement but strings and comments.
void parser_t::apply_replacements() {
  if (!symbols) return;
  for (int i = 0; i < stmt.top(); ++i) {
    if (stmt.kind(i) == TK_STRING || stmt.kind(i) == TK_COMMENT) continue;
    const int r = symbols->find(stmt.gettext(i), SYM_REPLACE | SYM_REPLACEMENT);
    if (r >= 0 && (symbols->type_of(r) & SYM_REPLACE) && r < symbols->last())
      replace_token(i, symbols->text_of(r + 1));
  }
}
