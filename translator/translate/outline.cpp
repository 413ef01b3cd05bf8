// Module OUTLINE: writes one translated statement into the function's body text.
#include <sstream>
#include <vector>

#include "driver/diag.h"
#include "translate/parser.h"
#include "translate/nested_functions.h"

namespace {

void prologue(const parser_t& p, std::string& out) {
  // The scalar form reads no argument count (the proof excludes nargin and nargout):
  // it only clears the marks a caller may have set for it, so that they do not reach
  // the functions it calls.
  if (p.scalar_signature) {
    out += "nargin_set=0; nargout_set=0;\n";
    return;
  }
  out += "double old_nargin=nargin_val; if (!nargin_set) nargin_val=";
  out += p.has_varargin ? std::to_string(p.n_in - 1) + "+varargin.size();\n"
                        : std::to_string(p.n_in) + ".0;\n";
  out += "double old_nargout=nargout_val; if (!nargout_set) nargout_val=";
  out += std::to_string(p.n_out) + ".0;\n";
  // Inputs arrive as unnamed copies: they take their names, which index errors show.
  if (p.symbols)
    for (int e = 0; e <= p.symbols->last(); ++e) {
      if (!(p.symbols->type_of(e) & SYM_INPUT)) continue;
      const std::string& v = p.symbols->text_of(e);
      if (v == "varargin") continue;
      out += "grl::name_input(" + v + p.symbols->decoration(v, 1) + ",\"" + v + "\");\n";
    }
  out += "nargin_set=0; nargout_set=0;\n";
  // The feval dispatcher calls an anonymous function itself: it has no name to switch on.
  if (p.name == "feval" && p.n_out == 4 && p.has_varargin) {
    out += "if (grl::is_anon(fun)) { grl::call_anon_outputs(fun, varargin, y1__o, y2__o, y3__o, y4__o);\n";
    out += "nargin_val=old_nargin; nargout_val=old_nargout; return(x_M); }\n";
  }
}

}  // namespace

// A statement that is one call of a function without outputs shows nothing, with or
// without a semicolon: the function's placeholder result is no value.
bool parser_t::calls_procedure() {
  if (!symbols || stmt.kind(TP_HEAD) != TK_WORD || !stmt.is_word(TP_AFTER_HEAD, "(")) return false;
  const std::string& word = stmt.gettext(TP_HEAD);
  const int f = symbols->find(word, SYM_FUNCTIONS);
  if (f < 0 || symbols->find(word, SYM_VARIABLES) >= 0) return false;
  const symbol_info& info = symbols->info_of(f);
  if (info[INFO_TYPE] != datatypes().function_index() || info[INFO_NOUT] != 0) return false;
  std::vector<int> bounds;
  const int n = scan_arguments(1, bounds);
  return bounds[n] == stmt.top() - 1;
}

// A statement that is one call of an M function with outputs, f or f(a, b), whose
// inputs are plain names, numbers or strings (an input that is itself a call would
// take the output count meant for f).
bool parser_t::calls_for_no_output() {
  if (!symbols || stmt.kind(TP_HEAD) != TK_WORD) return false;
  const std::string& word = stmt.gettext(TP_HEAD);
  const int f = symbols->find(word, SYM_FUNCTIONS);
  if (f < 0 || symbols->find(word, SYM_VARIABLES) >= 0) return false;
  const symbol_info& info = symbols->info_of(f);
  if (info[INFO_TYPE] != datatypes().function_index() || info[INFO_NOUT] < 1) return false;
  const int last = stmt.top();
  if (last == 1) return true;
  if (!stmt.is_word(TP_AFTER_HEAD, "(") || !stmt.is_word(last - 1, ")")) return false;
  for (int i = 2; i < last - 1; ++i) {
    const int k = stmt.kind(i);
    if (k == TK_NUMBER || k == TK_STRING || stmt.is_word(i, ",")) continue;
    if (k == TK_WORD && symbols->find(stmt.gettext(i), SYM_VARIABLES) >= 0) continue;
    return false;
  }
  return true;
}

// A statement that is one call of the library's dir or ls, dir or dir(x): asked for no
// output, they print the names instead of giving them. The call becomes the library's
// printing form, grl::dir_show or grl::ls_show.
bool parser_t::lists_for_no_output() {
  if (!symbols || stmt.kind(TP_HEAD) != TK_WORD) return false;
  const std::string& word = stmt.gettext(TP_HEAD);
  if (word != "dir" && word != "ls") return false;
  if (symbols->find(word, SYM_VARIABLES) >= 0 || symbols->find(word, SYM_FUNCTIONS) >= 0 ||
      symbols->find(word, SYM_RESERVED_FUNCTION) < 0)
    return false;
  const int last = stmt.top();
  if (last == 1) return true;
  if (!stmt.is_word(TP_AFTER_HEAD, "(")) return false;
  std::vector<int> bounds;
  const int n = scan_arguments(1, bounds);
  return bounds[n] == last - 1;
}

void parser_t::write_statement(std::string& out) {
  if (header_pending) {
    out += "//$HEADER\n";
    header_pending = 0;
  }
  if (!is_function_line && lists_for_no_output()) {
    stmt.set(TP_HEAD, stmt.gettext(TP_HEAD) == "dir" ? "grl::dir_show" : "grl::ls_show", TK_OTHER);
    if (stmt.top() == 1) {
      stmt.ins(TP_AFTER_HEAD, "(", '(');
      stmt.ins(TP_THIRD, ")", ')');
    }
    display = 0;
  }
  const int last = stmt.top();
  if (is_function_line) {
    prologue(*this, out);
  } else if (stmt.is_word(TP_HEAD, "whos") && last == 1 && symbols) {
    std::ostringstream whos;
    int first = 1;
    symbol_type::print_all(*symbols, whos, first, "", "", SYM_VARIABLES, PN_WHOS, -1, 0);
    out += whos.str() + "\n";
  } else if (last > 0 && !stmt.is_word(TP_HEAD, "call")) {
    if (lines) out += "#line " + std::to_string(source_line(stmt.line(0))) + " \"" + mfile + "\"\n";
    out += line_record();
    out += before_statement;
    before_statement.clear();
    bool written = false;
    if (last == 1 && stmt.kind(TP_HEAD) == TK_WORD) {
      const std::string word = stmt.gettext(TP_HEAD);
      const int f = symbols ? symbols->find(word, SYM_FUNCTIONS) : -1;
      const int t = f >= 0 ? symbols->info_of(f)[INFO_TYPE] : -1;
      const bool variable = symbols && symbols->find(word, SYM_VARIABLES) >= 0;
      if (f >= 0 && !variable && (t == DT_UNCLASSIFIED || t == datatypes().script_index())) {
        out += "#include \"" + word + "." + cpp_ext + "\"\n";   // a script runs in place
        written = true;
      } else if (par_run_pending) {
        out += "par_run(" + word + ");\n";
        par_run_pending = 0;
        written = true;
      } else if (display && symbols) {
        std::ostringstream shown;
        symbols->display(shown, word);
        out += shown.str() + "\n";
        written = true;
      }
    }
    if (!written) {
      std::string text;
      for (int i = 0; i < last; ++i) {
        const std::string piece = spell_token(i);
        // 1 - -1 must not become the C++ decrement 1--1.
        if (!text.empty() && !piece.empty() && (piece[0] == '-' || piece[0] == '+') &&
            text.back() == piece[0])
          text += ' ';
        text += piece;
      }
      // The statement `warning` alone lists the states of the warnings (asked for a
      // value, warning() gives them as a structure array instead).
      // So does warning('query') alone; warning('query', id) prints the one state.
      const bool warning_list = text == "warning()" || text == "warning(TM(\"query\"))";
      const std::string query = "warning(TM(\"query\"),";
      const bool warning_query = !warning_list && text.compare(0, query.size(), query) == 0;
      if (warning_list) text = "grl::show_warning_states()";
      if (warning_query) text = "grl::show_warning_state(" + text.substr(query.size());
      if (display && !calls_procedure() && !warning_list && !warning_query) text = "gridlibout<<( " + text + " )";
      if (!display && needs_semicolon && calls_for_no_output()) {
        // f(x); asks f for no output: nargout is 0 inside it.
        out += "{double nargout_kept=nargout_val; nargout_val=0.0; nargout_set=1; " + text +
               "; nargout_val=nargout_kept;}\n";
        return finish_function(out);
      }
      out += text;
      if (needs_semicolon) out += ";";
      out += "\n";
    }
  }
  finish_function(out);
}

// Before a statement: its line goes into the call frame, for the stack of an error it
// raises. Not before text that closes or continues a block ("}", "} else", the break
// that ends a case), nor between "} else" and the "if" of an elseif.
std::string parser_t::line_record() {
  const bool after_else = follows_else;
  follows_else = stmt.top() > 0 && stmt.kind(TP_HEAD) == TK_OTHER && stmt.gettext(TP_HEAD) == "} else";
  const std::string frame = frame_variable();
  if (frame.empty() || after_else || stmt.top() < 1) return "";
  const std::string& first = stmt.gettext(TP_HEAD);
  if (stmt.kind(TP_HEAD) == TK_COMMENT || first.empty() || first[0] == '}' || first.compare(0, 6, "break;") == 0 ||
      first.compare(0, 2, "//") == 0)
    return "";
  const int line = source_line(place.line > 0 ? place.line : stmt.line(0));
  const std::string record = frame + ".at(" + std::to_string(line) + "," + std::to_string(place.column) + ");\n";
  // In the fast copy of a loop written twice a statement that cannot fail there
  // records nothing.
  if (open_fast_loop() && raises_nothing_when_fast()) return "if (!grl_fast) " + record;
  return record;
}

// The line of the M-file as written (a nested function's statements are read after the
// file's other functions).
int parser_t::source_line(int line) const { return nest ? nest->source_line(line) : line; }

// The counts restored, the outputs copied back to their references, the result
// returned: the end of a function, and its return statements.
std::string parser_t::function_exit_text() const {
  if (scalar_signature) return outputs_back_text();
  return "nargin_val=old_nargin; nargout_val=old_nargout;\n" + outputs_back_text();
}

// The outputs copied back to their references and the result returned.
std::string parser_t::outputs_back_text() const {
  if (!symbols) return "";
  std::ostringstream tail;
  int first = 1;
  symbol_type::print_all(*symbols, tail, first, "", "", SYM_OUTPUT, PN_COPY_OUT, -1, 0);
  first = 1;
  symbol_type::print_all(*symbols, tail, first, "", "", SYM_RETURN, PN_RETURN, -1, 0);
  return tail.str();
}

void parser_t::finish_function(std::string& out) {
  if (!end_reached) return;

  // The function's end: the jump target of return, the counts restored, the outputs
  // copied back to their references, the result returned.
  const bool function = kind == datatypes().function_index();
  if (has_return) out += "return_from_" + name + ": ";
  if (function) {
    out += function_exit_text();
  } else {
    // The end of a script's block (after the target of its return).
    if (!frame_variable().empty()) out += ";}\n";
    out += outputs_back_text();
  }
  if (function) {
    out += "}\n\n";
    depth -= 1;
  }
  if (depth != 0) diag::warning("translate: brace!=0 at eof");
}
