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
#include "translate/parser.h"

namespace {

// The handler that every catch block opens with: the error becomes lasterr's.
const char* const kCatchHead =
    "} catch (const grl::exception& grl_caught) {\ngrl::caught(grl_caught);";

}  // namespace

// Before the expressions are rewritten: c = onCleanup(...) (its handle must not meet
// the handle rewrite) and error(struct(...)).
void parser_t::error_rewrites() {
  if (stmt.kind(0) != TK_WORD) return;
  error_structs();
  if (stmt.is_word(1, "=") && stmt.is_word(2, "onCleanup") && stmt.is_word(3, "(")) cleanup_statement();
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
  raw(0, "try {");
  depth += 1;
  open_tries.push_back({depth, false});
  display = needs_semicolon = 0;
}

void parser_t::catch_block() {
  if (open_tries.empty() || open_tries.back().depth != depth) fail("catch without try");
  open_tries.back().caught = true;
  std::string var;
  if (stmt.top() == 2 && stmt.kind(1) == TK_WORD) var = stmt.gettext(1);
  else if (stmt.top() > 1) fail("write the statements of a catch block on the lines after catch err");
  const int line = stmt.line(0);
  stmt.reset();
  int at = 0;
  raw(at++, std::string(kCatchHead) + (var.empty() ? "" : "\n"));
  if (!var.empty()) {
    // The caught value's fields, each a variable the symbol table knows, so that the
    // structure type gets them and later statements can read them.
    const std::string file = mfile.empty() ? name + ".m" : mfile;
    const std::pair<const char*, std::string> fields[] = {
        {"message", "grl::caught_text(grl_caught.message())"},
        {"identifier", "grl::caught_text(grl_caught.identifier())"},
        {"stack.file", "grl::caught_text(" + c_string_literal(file) + ")"},
        {"stack.name", "grl::caught_text(" + c_string_literal(name) + ")"},
        {"stack.line", "grl::caught_number(" + std::to_string(line) + ")"},
        {"stack.column", "grl::caught_number(0)"}};
    const int text_type = default_type & ~(DT_CELL | DT_SCALAR);
    for (const auto& f : fields) {
      const std::string member = var + "." + f.first;
      if (symbols) symbols->add_typed(member, SYM_LOCAL, text_type);
      std::string target = var + (symbols ? symbols->decoration(var, 1) : "");
      for (std::size_t b = 0, e; b < std::string(f.first).size(); b = e + 1) {
        e = std::string(f.first).find('.', b);
        if (e == std::string::npos) e = std::string(f.first).size();
        target = "grl::field_ref(" + target + ",\"" + std::string(f.first).substr(b, e - b) + "\")";
      }
      raw(at++, target);
      raw(at++, "=" + f.second + (f.first == fields[5].first ? ";" : ";\n"));
    }
  }
  display = needs_semicolon = 0;
}

std::string parser_t::close_block_text() {
  if (open_tries.empty() || open_tries.back().depth != depth) return "}";
  const bool caught = open_tries.back().caught;
  open_tries.pop_back();
  // A try without catch ignores the error; lasterr still gives it.
  return caught ? "}" : std::string(kCatchHead) + "\n}";
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

// c = onCleanup(@f) becomes grl_cleanups.add([=]{ f(); }), and c = onCleanup(@() expr)
// grl_cleanups.add([=]{ expr; }): the values the expression uses are copied when the
// cleanup is made, as an anonymous function copies them.
void parser_t::cleanup_statement() {
  const int last = stmt.top();
  const int close = last - 1;   // the ")" of onCleanup(...)
  if (!stmt.is_word(4, "@") || !stmt.is_word(close, ")"))
    fail("onCleanup takes a function handle: onCleanup(@f) or onCleanup(@() expression)");
  int body_from = 0, body_to = 0;   // the call's tokens, [from, to)
  bool named = false;
  if (stmt.kind(5) == TK_WORD && close == 6) {
    named = true;
    body_from = 5;
    body_to = 6;
  } else if (stmt.is_word(5, "(") && stmt.is_word(6, ")") && close > 7) {
    body_from = 7;
    body_to = close;
  } else {
    fail("onCleanup takes a function handle: onCleanup(@f) or onCleanup(@() expression)");
  }
  // Delete everything but the call: the tail first, so that positions hold.
  stmt.del(body_to, last - body_to);
  stmt.del(0, body_from);
  int end = body_to - body_from;
  if (named) {
    stmt.ins(end++, "(", '(');
    stmt.ins(end++, ")", ')');
  }
  raw(end, "; })");
  raw(0, "grl_cleanups.add([=]{ ");
  uses_cleanup = true;
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
