// The statement forms: the first word of a statement chooses its handler from one
// table. A handler rewrites the statement into its C++ and returns true, or returns
// false when the statement is not its form after all (if = 3 is an assignment); the
// statement then goes on to the forms that no first word names: a declaration by a
// data type's name, a comment, a shell escape, an assignment.
//
// A new statement form is one entry in kForms and one small handler below.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "driver/diag.h"
#include "lexer/keywords.h"
#include "translate/assert_text.h"
#include "translate/parser.h"

namespace {

struct form_entry {
  const char* word;
  bool (parser_t::*handle)();
};

}  // namespace

const parser_t::form_handler* parser_t::find_form(const std::string& word) {
  static const form_entry kForms[] = {
      {"par_run", &parser_t::form_par_run},
      {"par_sync", &parser_t::form_par_sync},
      {"else", &parser_t::form_else},
      {"elseif", &parser_t::form_elseif},
      {"if", &parser_t::form_if_while},
      {"while", &parser_t::form_if_while},
      {"global", &parser_t::form_global},
      {"define", &parser_t::form_define},
      {"cell", &parser_t::form_declaration},
      {"scalar", &parser_t::form_declaration},
      {"declare", &parser_t::form_declaration},
      {"switch", &parser_t::form_switch},
      {"case", &parser_t::form_case},
      {"otherwise", &parser_t::form_case},
      {"end", &parser_t::form_end},
      {"return", &parser_t::form_return},
      {"try", &parser_t::form_try},
      {"catch", &parser_t::form_catch},
      {"persistent", &parser_t::form_persistent},
      {"for", &parser_t::form_for},
      {"do", &parser_t::form_do},
      {"until", &parser_t::form_until},
      {"load", &parser_t::form_load_save},
      {"save", &parser_t::form_load_save},
      {"assert_M", &parser_t::form_assert},   // assert, as the library names it
  };
  for (const form_entry& f : kForms)
    if (word == f.word) return &f.handle;
  return nullptr;
}

// "%# double x" declares like "double x": a data type's name is a directive word too.
bool parser_t::directive_word(const std::string& word) const {
  return scanner_t::directive_word(word) ||
         (datatypes().find(word) >= 0 && !is_block_keyword(word));
}

// Step 11 of the statement translator. Returns true when a form matched.
bool parser_t::statement_form() {
  if (stmt.is_kind(TP_HEAD, TK_WORD)) {
    const std::string& w0 = stmt.gettext(TP_HEAD);
    if (const form_handler* h = find_form(w0)) {
      if ((this->**h)()) return true;
    } else if (datatypes().find(w0) >= 0 && form_declaration()) {
      return true;
    }
  }
  if (stmt.is_kind(TP_HEAD, TK_COMMENT)) return form_comment();
  if (stmt.is_kind(TP_HEAD, TK_SHELL)) return form_shell();
  const int eq = stmt.find("=");
  if (eq >= 0) {
    assignment(eq);
    return true;
  }
  return false;
}

// The statement's first word is its keyword, not an assigned name (if = 3).
bool parser_t::keyword_statement() const { return !stmt.is_word(TP_AFTER_HEAD, "="); }

// Block text (braces, case labels) is neither displayed nor ended with ";".
void parser_t::block_text() { display = needs_semicolon = 0; }

bool parser_t::form_par_run() {
  par_run_pending = 1;
  stmt.del(TP_HEAD);
  return true;
}

bool parser_t::form_par_sync() {
  display = 0;
  return true;
}

bool parser_t::form_else() {
  stmt.set(TP_HEAD, "} else {", TK_OTHER);
  block_text();
  return true;
}

// elseif x: "} else" here; the scanner hands "if x" on as the next statement.
bool parser_t::form_elseif() {
  stmt.set(TP_HEAD, "} else", TK_OTHER);
  depth -= 1;
  block_text();
  return true;
}

// if (cond) from step 5: if (istrue(cond)) {
bool parser_t::form_if_while() {
  if (!keyword_statement()) return false;
  stmt.set(TP_AFTER_HEAD, " (", TK_OTHER);
  stmt.ins(TP_THIRD, "istrue", TK_WORD);
  stmt.ins(TP_FOURTH, "(", '(');
  stmt.ins_before_last(")", ')');
  raw(stmt.top(), " {");
  depth += 1;
  if (stmt.is_word(TP_HEAD, "while")) {
    const std::size_t ordinal = while_ordinal;
    const std::size_t views = while_loop_views();
    if (loop_depth == 0) loop_depth = depth;
    loop_opened();
    if (views > 0) {
      open_loops.back().scoped = true;
      open_loops.back().views = views;
    }
    while_counter_loop(ordinal);
  }
  block_text();
  return true;
}

// A while loop whose body uses proven real double arrays only element by element sits
// in a block of its own that opens a view of each (see counted_for): its accesses, its
// condition's too, index through the view, and the first write makes the block the
// variable's own once rather than at every write. The number of views it opened.
std::size_t parser_t::while_loop_views() {
  const std::size_t ordinal = while_ordinal++;
  if (ordinal >= while_views.size() || !symbols) return 0;
  std::string open;
  std::size_t opened = 0;
  for (const std::string& x : while_views[ordinal]) {
    if (!proven_array(x) || std::find(active_views.begin(), active_views.end(), x) != active_views.end()) continue;
    const std::string xc = x + symbols->decoration(x, 1);
    active_views.push_back(x);
    ++opened;
    open += " grl::array_view grl_view_" + xc + "(" + xc + ");";
  }
  if (opened > 0) stmt.set(TP_HEAD, "{" + open + "\nwhile", TK_OTHER);
  return opened;
}

// A while loop over a counter (while_counter) is written twice like an innermost
// counted for loop (fast_loops.cpp): the counter's span, fixed when the loop starts
// (grl::while_span), stands in for the for loop's range, and the counter's whole-number
// copy is grl::whole_q of its value. The span sits in the loop's own block.
void parser_t::while_counter_loop(std::size_t ordinal) {
  if (ordinal >= while_counters.size() || !symbols || open_loops.empty()) return;
  const while_counter& w = while_counters[ordinal];
  if (w.var.empty()) return;
  // A number's text, or a proven scalar's C++ name ("" for anything else).
  auto operand = [&](const std::string& x) -> std::string {
    if (!x.empty() && (std::isdigit(static_cast<unsigned char>(x[0])) || x[0] == '.')) return x;
    const int e = symbols->find(x, SYM_VARIABLES);
    if (e < 0 || !(symbols->info_of(e)[INFO_TYPE] & DT_SCALAR) || !inferred_scalars.count(x)) return "";
    return x + symbols->decoration(x, 1);
  };
  const std::string v = operand(w.var), e = operand(w.bound), c = operand(w.step);
  if (v.empty() || e.empty() || c.empty()) return;
  const std::string id = std::to_string(loop_count++);
  const std::string span = "grl_w" + id;
  auto flag = [](bool b) { return std::string(b ? "true" : "false"); };
  const std::string open = "grl::while_span " + span + "(" + v + "," + c + "," + e + "," + flag(w.up) + "," +
                           flag(w.strict) + "," + flag(w.after) + ");\n//$FAST " + id + "\nwhile";
  open_loop& loop = open_loops.back();
  const std::string head = stmt.gettext(TP_HEAD);
  if (loop.scoped) stmt.set(TP_HEAD, head.substr(0, head.size() - 5) + open, TK_OTHER);   // after the views
  else stmt.set(TP_HEAD, "{ " + open, TK_OTHER);
  loop.scoped = true;
  loop.shadow = true;
  loop.fast = std::stoi(id);
  fast_loops[loop.fast] = fast_loop{w.var, span, {}, {}, {}, true};
  active_shadows.push_back(w.var);
  while_shadows.insert(w.var);
}

// global [type] a b c
bool parser_t::form_global() {
  const datatype_t& dt = datatypes();
  int type = default_type;
  int first = 1;
  if (stmt.is_kind(TP_AFTER_HEAD, TK_WORD)) {
    const int named = dt.find(stmt.gettext(TP_AFTER_HEAD));
    if (named >= 0 && stmt.is_kind(TP_THIRD, TK_WORD)) {
      type = named;
      first = 2;
    }
  }
  for (int i = first; i < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !symbols) continue;
    const int e = symbols->add_typed(stmt.gettext(i), SYM_GLOBAL, type);
    symbols->info_of(e)[INFO_TYPE] = type;
    ++n_globals;
  }
  empty_statement();
  return true;
}

// define name replacement: name is replaced by the text from here on.
bool parser_t::form_define() {
  if (symbols && stmt.top() >= 3) {
    symbols->add_typed(stmt.gettext(TP_AFTER_HEAD), SYM_REPLACE, DT_UNCLASSIFIED, 1);
    symbols->add_typed(stmt.gettext(TP_THIRD), SYM_REPLACEMENT, DT_UNCLASSIFIED, 1);
  }
  empty_statement();
  return true;
}

// cell a b, scalar a b, declare a b, or a data type's name followed by the variables.
bool parser_t::form_declaration() {
  if (!stmt.is_kind(TP_AFTER_HEAD, TK_WORD)) return false;
  const std::string w0 = stmt.gettext(TP_HEAD);
  const int named_type = datatypes().find(w0);
  for (int i = 1; i < stmt.top(); ++i) {
    if (stmt.kind(i) != TK_WORD || !symbols) continue;
    const int e = symbols->add_typed(stmt.gettext(i), SYM_LOCAL, default_type);
    int& t = symbols->info_of(e)[INFO_TYPE];
    if (w0 == "cell")
      t |= DT_CELL;
    else if (w0 == "scalar")
      t |= DT_SCALAR;
    else if (w0 != "declare")
      t = (t & (DT_CELL | DT_SCALAR)) | (named_type & DT_INDEX_MASK);
  }
  empty_statement();
  return true;
}

bool parser_t::form_switch() {
  if (!keyword_statement()) return false;
  stmt.set(TP_HEAD, "mswitch", TK_WORD);
  raw(1, " (");
  raw(stmt.top(), ") {\nbeginmswitch");
  depth += 1;
  open_switches.push_back({depth, false});
  block_text();
  return true;
}

// case v / otherwise: the previous case, if any, ends first.
bool parser_t::form_case() {
  if (!keyword_statement()) return false;
  if (open_switches.empty() || open_switches.back().depth != depth) fail("case or otherwise outside switch");
  const bool is_case = stmt.is_word(TP_HEAD, "case");
  std::string head = open_switches.back().in_case ? "break;\n}\n" : "";
  stmt.del(TP_HEAD);
  if (is_case) {
    raw(0, head + "mcase (");
    raw(stmt.top(), ") {");
  } else if (name == "feval" && n_out == 4 && has_varargin && depth == 2) {
    // The feval dispatcher: a name the program does not define may be the library's;
    // what neither knows fails there with M's message.
    raw(0, head + "otherwise {\ngrl::call_library_outputs(fun, varargin, y1__o, y2__o, y3__o, y4__o);\n"
           "nargin_val=old_nargin; nargout_val=old_nargout; return(x_M);");
  } else {
    raw(0, head + "otherwise {");
  }
  open_switches.back().in_case = true;
  block_text();
  return true;
}

// end closes the innermost block; the function's own block is closed by the writer
// at the end of the function.
bool parser_t::form_end() {
  stmt.del(TP_HEAD);
  std::string text;
  // The end of a switch closes its open case first; an end inside a case closes the
  // block it belongs to.
  const bool ends_switch = !open_switches.empty() && open_switches.back().depth == depth;
  const bool case_open = ends_switch && open_switches.back().in_case;
  if (case_open) text += "break;\n}\n";
  const int floor = kind == datatypes().function_index() ? 2 : 1;
  if (depth >= floor) {
    if (!open_loops.empty() && open_loops.back().depth == depth) {
      text += close_loop_text(close_block_text());
    } else {
      text += close_block_text();
    }
    if (loop_depth == depth) loop_depth = 0;
    depth -= 1;
  }
  if (ends_switch) {
    if (case_open) text += " endmswitch;";
    open_switches.pop_back();
  }
  if (!text.empty()) raw(0, text);
  block_text();
  return true;
}

// The text that ends the innermost open loop with close (its closing brace): the
// labels a jump out of a switch needs around it, and the end of a counted loop's
// own block.
std::string parser_t::close_loop_text(const std::string& close) {
  const open_loop loop = open_loops.back();
  open_loops.pop_back();
  const std::string id = std::to_string(loop.id);
  std::string text;
  if (loop.continues) text += "grl_continue_" + id + ":;\n";
  text += close;
  if (loop.breaks) text += "\ngrl_break_" + id + ":;";
  if (loop.fast >= 0) {
    // (A label may stand only once in a function: such a loop is written once.)
    if (loop.breaks || loop.continues) fast_loops[loop.fast].ok = false;
    text += "\n//$FASTEND " + std::to_string(loop.fast) + "\n";
  }
  if (loop.scoped) {
    // The block of the counted loop's range, views and counter copy.
    text += "}";
    active_views.resize(active_views.size() - loop.views);
    if (loop.shadow) {
      while_shadows.erase(active_shadows.back());
      active_shadows.pop_back();
    }
  }
  return text;
}

// Octave's do ... until cond (shared M-files use it): the body runs, then again while
// cond is false; continue goes to the test.
bool parser_t::form_do() {
  if (!keyword_statement() || stmt.top() > 1) return false;
  stmt.set(TP_HEAD, "do {", TK_OTHER);
  depth += 1;
  if (loop_depth == 0) loop_depth = depth;
  loop_opened();
  block_text();
  return true;
}

bool parser_t::form_until() {
  if (!keyword_statement() || open_loops.empty() || open_loops.back().depth != depth) return false;
  // until ( cond ) \n, its condition made one operand: } while (!istrue( cond ));
  std::string text = close_loop_text("} while");
  const std::size_t brace = text.find("} while");
  const std::string after = text.substr(brace + 7);
  text.resize(brace + 7);
  stmt.set(TP_HEAD, text, TK_OTHER);
  stmt.set(TP_AFTER_HEAD, " (!", TK_OTHER);
  stmt.ins(TP_THIRD, "istrue", TK_WORD);
  stmt.ins(TP_FOURTH, "(", '(');
  stmt.ins_before_last(")", ')');
  raw(stmt.top(), ";" + after);
  if (loop_depth == depth) loop_depth = 0;
  depth -= 1;
  block_text();
  return true;
}

// break or continue of a loop from inside a switch that the loop holds: a jump to the
// loop's end or past it, since a C++ break or continue there would act on the switch.
bool parser_t::loop_jump() {
  if (open_loops.empty() || open_switches.empty() || open_switches.back().depth <= open_loops.back().depth)
    return false;
  open_loop& loop = open_loops.back();
  const bool is_break = stmt.is_word(TP_HEAD, "break");
  (is_break ? loop.breaks : loop.continues) = true;
  stmt.set(TP_HEAD, std::string(is_break ? "goto grl_break_" : "goto grl_continue_") + std::to_string(loop.id), TK_OTHER);
  return true;
}

bool parser_t::form_return() {
  // A function leaves at once, with the same exit as its end (a jump to the end would
  // cross the declarations of the variables a script run later in it makes); a
  // script's return leaves the script.
  display = 0;
  if (kind == datatypes().function_index()) {
    stmt.set(TP_HEAD, "{ " + function_exit_text() + "}", TK_OTHER);
    return true;
  }
  stmt.set(TP_HEAD, "goto return_from_" + name, TK_OTHER);
  has_return = 1;
  display = 0;
  return true;
}

bool parser_t::form_for() {
  for_loop();
  return true;
}

// assert(...): its arguments' text goes first, for the message of a failed assert.
// The call itself is translated as any other (the form returns false).
bool parser_t::form_assert() {
  if (!stmt.is_word(TP_AFTER_HEAD, "(") || !in) return false;
  if (symbols && (symbols->find("assert", SYM_VARIABLES) >= 0 || symbols->find("assert", SYM_FUNCTIONS) >= 0))
    return false;
  const std::string_view line = in->line_text(stmt.line(TP_HEAD));
  // The bracket after the word assert that stands where the statement begins.
  std::size_t at = 0, open = std::string_view::npos;
  while ((at = line.find("assert", at)) != std::string_view::npos) {
    const bool word_start = at == 0 || !(std::isalnum(static_cast<unsigned char>(line[at - 1])) || line[at - 1] == '_');
    std::size_t b = at + 6;
    while (b < line.size() && line[b] == ' ') ++b;
    if (word_start && b < line.size() && line[b] == '(') {
      open = b;
      break;
    }
    at += 6;
  }
  if (open == std::string_view::npos) return false;
  const std::string_view source = assert_arguments_source(line, open);
  if (source.empty()) return false;
  std::string text = "grl::assert_src(\"";
  for (char c : assert_arguments_text(source)) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  text += "\")";
  stmt.ins(TP_AFTER_HEAD + 1, ",", ',');
  stmt.ins(TP_AFTER_HEAD + 1, text, TK_OTHER);
  return false;
}

bool parser_t::form_load_save() {
  load_save();
  return true;
}

// A comment becomes a C++ comment; "KORVAL% C text" puts text into the C++ as it is.
bool parser_t::form_comment() {
  const std::string text = stmt.gettext(TP_HEAD);
  display = needs_semicolon = 0;
  if (text.compare(0, 8, "KORVAL% ") == 0) {
    if (text.size() > 8 && text[8] == 'C') {
      stmt.set(TP_HEAD, text.size() > 10 ? text.substr(10) : std::string(), TK_OTHER);
      return true;
    }
    diag::error_at(stmt.line(0), "Unknown KORVAL directive: %s", text.substr(8).c_str());
  }
  stmt.set(TP_HEAD, "//" + text, TK_OTHER);
  return true;
}

// !command runs the command through the library's system().
bool parser_t::form_shell() {
  std::string quoted;
  for (char c : stmt.gettext(TP_HEAD)) {
    if (c == '"' || c == '\\') quoted.push_back('\\');
    quoted.push_back(c);
  }
  stmt.set(TP_HEAD, "system(TM(\"" + quoted + "\"))", TK_OTHER);
  display = 0;
  return true;
}
