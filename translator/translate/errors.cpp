// try/catch blocks and persistent variables.
//
// An M try block is a C++ try block around the same statements; errors are
// grl::exception, so break, continue and return leave a try block as they leave any
// other block, and a try costs nothing while no error is raised. The catch variable is
// a structure with the fields message, identifier and stack (file, name, line, column).
// A persistent variable is a static of the function, empty until first assigned.
// c = onCleanup(@f) or c = onCleanup(@() expr) registers a call with the function's
// cleanup frame, which makes it when the function returns or an error leaves it.
#include <sstream>
#include <utility>

#include "driver/diag.h"
#include "translate/local_functions.h"
#include "translate/parser.h"

namespace {

// A try block keeps the argument counts of its function: an error that leaves a called
// function skips the code that restores them, so the handler puts them back.
const char* const kTryHead = "{ const double grl_counts[2]={nargin_val,nargout_val};\ntry {";
// The handler that every catch block opens with: the counts back, the error becomes
// lasterr's.
const char* const kCatchHead =
    "} catch (const grl::exception& grl_caught) {\n"
    "nargin_val=grl_counts[0]; nargout_val=grl_counts[1]; nargin_set=0; nargout_set=0;\n"
    "grl::caught(grl_caught);";

}  // namespace

// Before the expressions are rewritten: c = onCleanup(...) (its handle must not meet
// the handle rewrite) and error(struct(...)).
void parser_t::error_rewrites() {
  if (stmt.kind(TP_HEAD) != TK_WORD) return;
  error_structs();
  if (stmt.is_word(TP_AFTER_HEAD, "=") && stmt.is_word(TP_THIRD, "onCleanup") && stmt.is_word(TP_FOURTH, "(")) {
    cleanup_statement();
    return;
  }
  before_statement += cleanup_release_text();
}

// clear c, clear, clear all, or c = value, where c may hold an onCleanup: the cleanup
// runs now, as the object goes away (releasing a name that holds none does nothing).
std::string parser_t::cleanup_release_text() {
  if (cleanup_vars.empty()) return "";
  const std::string& w0 = stmt.gettext(TP_HEAD);
  if (stmt.is_word(TP_AFTER_HEAD, "=")) {
    if (!cleanup_vars.count(w0)) return "";
    return "grl_cleanups.release(" + c_string_literal(w0) + ");\n";
  }
  if (w0 != "clear" && w0 != "clearvars") return "";
  std::vector<std::string> named;
  bool all = true;
  for (int i = 1; i < stmt.top(); ++i) {
    std::string word = stmt.gettext(i);
    if (stmt.kind(i) == TK_STRING && word.size() >= 2) word = word.substr(1, word.size() - 2);
    else if (stmt.kind(i) != TK_WORD) continue;
    if (word == "all" || word == "-all" || word == "variables" || word == "-variables") continue;
    all = false;
    if (cleanup_vars.count(word)) named.push_back(word);
  }
  std::string text;
  if (all) return "grl_cleanups.run();\n";
  for (const std::string& v : named) text += "grl_cleanups.release(" + c_string_literal(v) + ");\n";
  return text;
}

bool parser_t::form_try() {
  if (!keyword_statement()) return false;
  try_block();
  return true;
}

bool parser_t::form_catch() {
  if (!keyword_statement()) return false;
  catch_block();
  return true;
}

bool parser_t::form_persistent() {
  if (!keyword_statement()) return false;
  persistent_statement();
  return true;
}

void parser_t::try_block() {
  if (stmt.top() > 1) fail("write the statements of a try block on the lines after try");
  stmt.reset();
  raw(0, kTryHead);
  depth += 1;
  open_tries.push_back({depth, false});
  display = needs_semicolon = 0;
}

void parser_t::catch_block() {
  if (open_tries.empty() || open_tries.back().depth != depth) fail("catch without try");
  open_tries.back().caught = true;
  std::string var;
  if (stmt.top() == 2 && stmt.kind(TP_AFTER_HEAD) == TK_WORD) var = stmt.gettext(TP_AFTER_HEAD);
  else if (stmt.top() > 1) fail("write the statements of a catch block on the lines after catch err");
  stmt.reset();
  raw(0, kCatchHead);
  if (!var.empty()) {
    // The caught value: a structure the program reads as any other (err.message,
    // err.stack(k).line, switch err.identifier).
    if (symbols) symbols->add_typed(var, SYM_LOCAL, default_type & ~(DT_CELL | DT_SCALAR));
    const std::string target = var + (symbols ? symbols->decoration(var, 1) : "");
    raw(1, "\n" + target + "=grl::caught_value(grl_caught);");
  }
  display = needs_semicolon = 0;
}

std::string parser_t::close_block_text() {
  if (open_tries.empty() || open_tries.back().depth != depth) return "}";
  const bool caught = open_tries.back().caught;
  open_tries.pop_back();
  // A try without catch ignores the error; lasterr still gives it.
  return caught ? "}}" : std::string(kCatchHead) + "\n}}";
}

void parser_t::persistent_statement() {
  for (int i = 1; i < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD) continue;
    const std::string var = stmt.gettext(i);
    if (symbols && symbols->find(var, SYM_VARIABLES) >= 0 &&
        symbols->find(var, SYM_DECLARED) < 0)
      fail("a persistent variable must be declared before it is used");
    if (symbols) symbols->add_typed(var, SYM_DECLARED, default_type & ~DT_SCALAR);
    persistent_vars.push_back(var);
  }
  empty_statement();
  display = needs_semicolon = 0;
}

std::string parser_t::frame_variable() const {
  const datatype_t& dt = datatypes();
  if (kind == dt.function_index()) {
    // The generated dispatchers are not the program's functions.
    if (name == "feval" || name == "nargin_of" || name == "nargout_of") return "";
    if (frameless) return "";
    return "grl_frame";
  }
  if (kind == dt.script_index()) return "grl_frame_" + name;
  return "";
}

std::string parser_t::frame_declaration() const {
  const std::string frame = frame_variable();
  if (frame.empty()) return "";
  const std::string file = mfile.empty() ? name + ".m" : mfile;
  // A subfunction is shown as file>name.
  // A local function of a script is shown by its name in that script's file.
  if (!script_of.empty() && ordinal_in_file == 1) {
    const std::string owner = script_of.substr(0, script_of.size() - 2);
    return "grl::call_frame " + frame + "(" + c_string_literal(script_of) + "," +
           c_string_literal(shown_local_name(owner.substr(owner.rfind('/') + 1), name)) + ");\n";
  }
  std::string shown = ordinal_in_file > 1 && !file_base.empty() ? file_base + ">" + shown_local_name(file_base, name) : name;
  // A nested function is shown as parent>name.
  if (nest_self && !nest_self->parent.empty() && !file_base.empty())
    shown = shown_local_name(file_base, nest_self->parent) + ">" + shown_local_name(file_base, name);
  return "grl::call_frame " + frame + "(" + c_string_literal(file) + "," + c_string_literal(shown) + ");\n";
}

std::string parser_t::persistent_declarations() const {
  std::string s;
  if (uses_cleanup) s += "grl::cleanup_frame grl_cleanups;\n";
  for (const std::string& var : persistent_vars) {
    const int e = symbols ? symbols->find(var, SYM_DECLARED) : -1;
    if (e < 0) continue;
    std::ostringstream one;
    int first = 1;
    print_name(*symbols, one, first, "", "", e, PN_DEFINITION, 0);
    s += "static " + one.str() + "\n";
  }
  return s;
}

// c = onCleanup(@f) becomes grl_cleanups.add("c", [=]{ f(); }), c = onCleanup(@() expr)
// grl_cleanups.add("c", [=]{ expr; }) and c = onCleanup(h) of a handle variable a call
// of h: the values the call uses are copied when the cleanup is made, as an anonymous
// function copies them. The name lets clear c and c = value run it early.
void parser_t::cleanup_statement() {
  const int last = stmt.top();
  const int close = last - 1;   // the ")" of onCleanup(...)
  const char* const usage = "onCleanup takes a function handle: onCleanup(@f), onCleanup(@() expression) or onCleanup(h)";
  if (!stmt.is_word(close, ")")) fail(usage);
  int body_from = 0, body_to = 0;   // the call's tokens, [from, to)
  enum { named, expression, variable } form;
  // c = onCleanup ( @ f ), c = onCleanup ( @ ( ) expr ) or c = onCleanup ( h ).
  const int handle = TP_FOURTH + 1, after_at = handle + 1;
  if (stmt.is_word(handle, "@") && stmt.kind(after_at) == TK_WORD && close == after_at + 1) {
    form = named;
    body_from = after_at;
    body_to = close;
  } else if (stmt.is_word(handle, "@") && stmt.is_word(after_at, "(") && stmt.is_word(after_at + 1, ")") &&
             close > after_at + 2) {
    form = expression;
    body_from = after_at + 2;
    body_to = close;
  } else if (stmt.kind(handle) == TK_WORD && close == handle + 1) {
    form = variable;
    body_from = handle;
    body_to = close;
  } else {
    fail(usage);
  }
  const std::string holder = stmt.gettext(TP_HEAD);
  // Delete everything but the call: the tail first, so that positions hold.
  stmt.del(body_to, last - body_to);
  stmt.del(TP_HEAD, body_from);
  int end = body_to - body_from;
  if (form == named) {
    stmt.ins(end++, "(", '(');
    stmt.ins(end++, ")", ')');
  }
  if (form == variable) {
    raw(end++, ",grl::arg_cell({}))");
    raw(0, "grl::call_handle(");
    ++end;
  }
  raw(end, "; })");
  raw(0, "grl_cleanups.add(" + c_string_literal(holder) + ", [=]{ ");
  uses_cleanup = true;
  cleanup_vars.insert(holder);
  // The holder is a variable of the function (clear c names it), though it holds no value.
  if (symbols && symbols->find(holder, SYM_VARIABLES) < 0) symbols->add_typed(holder, SYM_LOCAL, default_type);
  display = 0;
}

// error(struct('message', m, 'identifier', id)) and rethrow(struct(...)): the structure
// is the library's error value, made from the pairs when the program runs.
void parser_t::error_structs() {
  for (int i = 2; i + 1 < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !stmt.is_word(i, "struct") || !stmt.is_word(i + 1, "(") ||
        !stmt.is_word(i - 1, "(") || !(stmt.is_word(i - 2, "error") || stmt.is_word(i - 2, "rethrow")))
      continue;
    stmt.set(i, "grl::error_struct", TK_OTHER);
  }
}

std::string c_string_literal(const std::string& s) {
  std::string q = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') q.push_back('\\');
    q.push_back(c);
  }
  return q + "\"";
}

std::string c_string_value(const std::string& literal) {
  const std::string inner = literal.size() >= 2 ? literal.substr(1, literal.size() - 2) : literal;
  std::string out;
  for (std::size_t k = 0; k < inner.size(); ++k) {
    if (inner[k] == '\\' && k + 1 < inner.size()) ++k;
    out += inner[k];
  }
  return out;
}

std::string parser_t::nest_declarations() const {
  if (!nest_self || !symbols) return "";
  const nest_function& f = *nest_self;
  std::string s = "grl::nest_scope grl_nest(" + c_string_literal(f.name) + ", " +
                  (f.parent.empty() ? std::string("nullptr") : c_string_literal(f.parent)) + ", " +
                  std::to_string(f.slots) + ");\n";
  for (const nest_var& v : f.shared) {
    const std::string q = v.name + symbols->decoration(v.name, 1);
    s += "auto& " + q + " = grl_nest.var(" + std::to_string(v.up) + ", " + std::to_string(v.slot) + ", " +
         c_string_literal(v.name) + ");\n";
    if (v.input) {
      const std::string in = nest_plan::input_name(v.name);
      s += q + " = " + in + symbols->decoration(in, 1) + ";\n";
    }
  }
  return s;
}
