// Module PARSER: one M function becomes one C++ function. The statement loop fills the
// body; the ".cpp" text gets the library include, the called functions' headers, the
// entry points for calls with fewer arguments and the variable declarations; the
// header file gets the structure types and the prototypes; the call records tell the
// project what the function defines and uses.
#include <sstream>

#include "driver/ctext.h"
#include "driver/diag.h"
#include "translate/parser.h"

namespace {

// The most outputs [a,b,...]=f(...) takes from a function whose output is varargout.

// One listing of the function's symbol table (symbol_type::print_all) as a string;
// listing_from continues the caller's list separator.
std::string listing_from(const symbol_type& t, int& first, int mask, print_format format, int limit = -1,
                         int fill = 0) {
  std::ostringstream out;
  symbol_type::print_all(t, out, first, "", "", mask, format, limit, fill);
  return out.str();
}

std::string listing(const symbol_type& t, int mask, print_format format, int limit = -1, int fill = 0) {
  return t.listing(mask, format, "", "", limit, fill);
}

// #include lines of the headers of every function f calls (all but f itself).
std::string called_headers(const symbol_type& t, int self) {
  std::string includes;
  for (int i = 0; i <= t.last(); ++i) {
    if (!(t.type_of(i) & SYM_CALLED) || i == self) continue;
    std::ostringstream line;
    int first = 1;
    print_name(t, line, first, "", "", i, PN_INCLUDE, 0);
    includes += line.str();
  }
  return includes;
}

const char* separator(int& first) {
  if (first) {
    first = 0;
    return "";
  }
  return ", ";
}

}  // namespace

symbol_info parser_t::info_record() const {
  symbol_info r;
  r[INFO_TYPE] = kind;
  r[INFO_NIN] = n_in;
  r[INFO_NOUT] = n_out;
  r[INFO_VARARGIN] = has_varargin;
  r[INFO_VARARGOUT] = has_varargout;
  r[INFO_FEVAL] = uses_feval;
  r[INFO_NARGIN] = uses_nargin_fun;
  r[INFO_NARGOUT] = uses_nargout_fun;
  return r;
}

// A function whose last output is varargout: [a,...,o1,o2]=f(x) calls an entry point
// with one reference per output, which asks for that many outputs and hands the
// elements of varargout's cell to the outputs after the named ones. A function whose
// one output is varargout returns the cell itself; the others fill it locally.
std::string parser_t::varargout_entries(const std::string& f, const std::string& rt) const {
  if (!has_varargout) return "";
  const symbol_type& t = *symbols;
  const int named = n_out - 1;
  const std::string ref = datatypes().ref_type(default_type & ~DT_CELL);
  std::string s;
  for (int extra = named == 0 ? 2 : 1; extra <= kMaxVarargout; ++extra) {
    int first = 1;
    s += rt + " " + f + "(" + listing_from(t, first, SYM_INPUT, PN_VALUE_PARAM);
    s += separator(first);
    s += "i_o_t";
    if (named > 0) s += ", " + listing(t, SYM_OUTPUT, PN_REF_PARAM, named);
    std::string outs;
    for (int k = 1; k <= extra; ++k) {
      s += ", " + ref + " o" + std::to_string(k);
      outs += ", o" + std::to_string(k);
    }
    s += ") {\n";
    s += "double old_nargout=nargout_val; nargout_val=" + std::to_string(named + extra) +
         ".0; nargout_set=1;\n";
    if (named == 0) {
      s += "return(grl::spread(old_nargout, " + f + "(" + listing(t, SYM_INPUT, PN_NAMES) + ")" +
           outs + "));\n}\n\n";
      continue;
    }
    // The named outputs are this entry's own references; varargout is a local cell.
    const std::string all_out = listing(t, SYM_OUTPUT, PN_OUT_NAMES);
    const std::string cell = all_out.substr(all_out.rfind(", ") + 2);
    s += datatypes().value_type(default_type | DT_CELL) + " " + cell + ";\n";
    first = 1;
    s += f + "(" + listing_from(t, first, SYM_INPUT, PN_NAMES);
    s += separator(first);
    s += "i_o, " + all_out + ");\n";
    s += "grl::spread(old_nargout, " + cell + outs + ");\nreturn(x_M);\n}\n\n";
  }
  return s;
}

std::string parser_t::entry_points(const std::string& m_name) {
  const symbol_type& t = *symbols;
  const std::string f = cpp_function_name(m_name);
  // A call may pass fewer inputs than the function declares (nargin counts them; the
  // missing ones are never read when the function does not look at them), so every
  // shorter list has its entry point, down to the last input declared as a
  // structure (a missing one has no value of its C++ type).
  int min_in = 0;
  if (!uses_nargin) {
    int k = 0;
    for (int e = 0; e <= t.last(); ++e) {
      if (!(t.type_of(e) & SYM_INPUT)) continue;
      ++k;
      const int st = datatypes().struct_index();
      if (st >= 0 && t.info_of(e)[INFO_TYPE] == st) min_in = k;
    }
  }
  // The scalar form is called only with all its arguments, by the general form.
  if (scalar_signature) min_in = n_in;
  int min_out = has_varargout && n_out == 1 ? n_out : 1;
  if ((n_out - min_out) * (uses_nargin ? n_in : 0) >= 120 && !uses_nargout) {
    const std::string q = diag::format("Will %s be called with less than %d output arguments",
                                       m_name.c_str(), n_out);
    if (diag::ask(q.c_str()) == 'N') min_out = n_out;
  }
  // A cell output comes back as a matrix value holding the cell, so that a caller's
  // variable of any class receives the whole cell. Only varargout's cell is a list of
  // outputs, whose first element a one-output call takes.
  const std::string held = datatypes().value_type(default_type & ~(DT_SCALAR | DT_CELL));
  std::string rt = listing(t, SYM_RETURN, PN_RESULT_TYPE);
  int position = -1;
  const int ret = n_out == 1 ? t.next(SYM_RETURN, position) : -1;
  if (ret >= 0 && !has_varargout && (t.info_of(ret)[INFO_TYPE] & DT_CELL)) rt = held;
  // The entry points of one output return that output.
  std::string rt1 = rt;
  position = -1;
  const int first_out = n_out > 1 ? t.next(SYM_OUTPUT, position) : -1;
  if (first_out >= 0 && (t.info_of(first_out)[INFO_TYPE] & DT_CELL)) rt1 = held;
  std::string s;
  auto head = [&](int i, int j) {
    int first = 1;
    s += (j == 1 ? rt1 : rt) + " " + f + "(" + listing_from(t, first, SYM_INPUT, PN_VALUE_PARAM, i);
    if (j > 1) {
      s += separator(first);
      s += "i_o_t" + listing_from(t, first, SYM_OUTPUT, PN_REF_PARAM, j);
    }
    s += ") {\n";
    s += "double old_nargin=nargin_val; nargin_val=" + std::to_string(i) + ".0; nargin_set=1;\n";
  };
  if (n_out <= 1) {
    for (int i = min_in; i < n_in; ++i) {
      head(i, 0);
      const std::string call = f + "(" + listing(t, SYM_INPUT, PN_NAMES, i, 1) + ");\n";
      if (n_out == 0) {
        s += call + "nargin_val=old_nargin; \nreturn(x_M);\n}\n\n";
      } else {
        s += rt + " ret1a;\n" + "ret1a=" + call + "nargin_val=old_nargin;\nreturn(ret1a);\n}\n\n";
      }
    }
  } else {
    for (int j = min_out; j <= n_out; ++j) {
      for (int i = min_in; i <= n_in; ++i) {
        if (j == n_out && i == n_in) continue;   // the full signature
        head(i, j);
        // A statement call (f(x);) has set nargout to 0 already.
        s += "double old_nargout=nargout_val; if (!nargout_set) nargout_val=" + std::to_string(j) +
             ".0; nargout_set=1;\n";
        if (j == 1) s += listing(t, SYM_OUTPUT, PN_LOCAL_OUT, 1) + ";\n";
        int first = 1;
        std::string call = f + "(" + listing_from(t, first, SYM_INPUT, PN_NAMES, i, 1);
        call += separator(first);
        call += "i_o" + listing_from(t, first, SYM_OUTPUT, PN_OUT_NAMES, j, 1) + ");\n";
        // An unasked varargout is a local cell: junk would also fit the entry points
        // that spread it.
        if (has_varargout && j < n_out) {
          s += datatypes().value_type(default_type | DT_CELL) + " varargout_unasked;\n";
          call.replace(call.rfind("junkM"), 5, "varargout_unasked");
        }
        s += call;
        s += "nargout_val=old_nargout;\nnargin_val=old_nargin;\n";
        s += j == 1 ? "return(" + listing(t, SYM_OUTPUT, PN_OUT_NAMES, 1) + ");\n" : "return(x_M);\n";
        s += "}\n\n";
      }
    }
  }
  s += varargout_entries(f, rt);
  int first = 1;
  s += rt + " " + f + "(" + listing_from(t, first, SYM_INPUT, PN_VALUE_PARAM);
  if (n_out > 1) {
    s += separator(first);
    s += "i_o_t" + listing_from(t, first, SYM_OUTPUT, PN_REF_PARAM);
  }
  s += ") {\n";
  return s;
}

// Whether the C++ of a file calls handles or the functions that take them: those
// live in the library's gridlib_funfun.h.
static bool uses_function_functions(const std::string& cpp) {
  static const char* const words[] = {"grl::anon<", "grl::call_anon", "grl::call0(", "grl::evaluated(", "grl::call_handle", "set_named_caller", "arrayfun(",
                                      "cellfun_any(", "structfun(", "fzero(", "fminbnd(", "fminsearch(",
                                      "integral(", "quad(", "quadgk(", "ode45(", "ode23(",
                                      "optimset(", "odeset(", "optimget(", "odeget(", "deval("};
  for (const char* w : words)
    if (cpp.find(w) != std::string::npos) return true;
  return false;
}

// The prototype of the function's scalar form (a line), then the statement that hands
// a call whose arguments are all real double scalars to it.
std::string parser_t::scalar_dispatch(const std::string& m_name) const {
  const std::string f = cpp_function_name(m_name);
  std::string params, test, args;
  for (int e = 0; e <= symbols->last(); ++e) {
    if (!(symbols->type_of(e) & SYM_INPUT)) continue;
    const std::string& v = symbols->text_of(e);
    const std::string c = v + symbols->decoration(v, 1);
    params += (params.empty() ? "" : ", ") + std::string("double ") + c;
    test += (test.empty() ? "" : " && ") + std::string("grl::plain_scalar(") + c + ")";
    args += (args.empty() ? "" : ", ") + c + ".elem(0)";
  }
  const std::string rt = listing(*symbols, SYM_RETURN, PN_RESULT_TYPE);
  return "double " + f + "(" + params + ");\n" + "if (" + test + ") return " + rt + "(" + f + "(" + args +
         "));\n";
}

// The definitions of the function's locals: not of a shared output of a function of a
// nest, which names the nest's frame instead (nest_declarations).
std::string parser_t::local_definitions() {
  std::vector<int> shared;
  if (nest_self)
    for (const nest_var& v : nest_self->shared) {
      const int e = symbols->find(v.name, SYM_VARIABLES);
      if (e >= 0 && (symbols->type_of(e) & SYM_LOCAL) && (symbols->type_of(e) & (SYM_OUTPUT | SYM_RETURN))) {
        symbols->type_of(e) &= ~SYM_LOCAL;
        shared.push_back(e);
      }
    }
  const std::string locals = listing(*symbols, SYM_LOCAL, PN_DEFINITION);
  for (int e : shared) symbols->type_of(e) |= SYM_LOCAL;
  return locals;
}

int parser_t::translate_function(int ordinal, const std::string& base, function_texts& out) {
  KASSERT("PARSER", symbols != nullptr);
  const datatype_t& dt = datatypes();
  name = base;
  file_base = base;
  ordinal_in_file = ordinal;

  dual_names.clear();
  body_depth = -1;
  for (const std::string& v : inferred_scalars) symbols->add_typed(v, SYM_LOCAL, default_type | DT_SCALAR);

  // The statement loop: an echoed group of statements is read as one.
  std::string body;
  bool suspended = false;
  while (!end_reached) {
    std::string statements;
    do {
      get_statement();
      end_reached = (at_end() || function_follows) ? 1 : 0;
      if (!suspended) {
        // A for loop always leaves its variable holding a value (empty after no pass).
        const int known = symbols->last(), at_depth = depth;
        const bool loop_line = stmt.is_word(TP_HEAD, "for") || stmt.is_word(TP_HEAD, "parfor");
        translate_statement();
        note_dual_names(loop_line ? symbols->last() : known, at_depth);
        if (!scan_only) write_statement(statements);
      }
      if (scan_only && kind != DT_UNCLASSIFIED) suspended = true;
    } while (echo_group_open() && !end_reached);
    if (!scan_only) {
      body += echo_out;
      body += statements;
    }
    echo_out.clear();
  }
  if (scan_only && !suspended) {}   // a file of comments only: nothing more to learn
  declare_any_vars();

  const std::string f = ordinal == 1 ? base : name;
  const symbol_info record = info_record();
  int self = symbols->find(f, SYM_FUNCTIONS);
  if (self < 0) self = symbols->add(f, SYM_CALLED, record, 1);
  symbols->type_of(self) = SYM_CALLED;
  symbols->info_of(self) = record;

  const bool function = kind == dt.function_index();
  if (!scan_only) {
    std::string& cpp = out.cpp;
    if (function && ordinal == 1)
      cpp += "#undef GRLIB\n#define GRLIB " + std::to_string(default_type) +
             "\n#include \"gridlib.h\"\n#include \"gridlib_extra.h\"\n\n";
    if (function) {
      const std::string includes = called_headers(*symbols, self);
      if (!includes.empty()) cpp += includes + "\n";
    }
    if (n_globals > 0) cpp += listing(*symbols, SYM_GLOBAL, PN_EXTERN) + "\n\n";
    // Nested functions without inputs that a handle of this function calls directly.
    for (const std::string& g : nest_prototypes)
      cpp += datatypes().value_type(default_type & ~(DT_SCALAR | DT_CELL)) + " " + cpp_function_name(g) + "();\n";
    // The structure types of the function's own variables: only its header held them,
    // and the function's file does not include its own header.
    if (function) {
      std::ostringstream own;
      ctext_type own_layout;
      own_layout.print(own, listing(*symbols, SYM_VARIABLES, PN_STRUCT_DECL));
      cpp += own.str();
    }
    expand_fast_loops(body);
    resolve_exist(body);
    std::istringstream lines(body);
    for (std::string line; std::getline(lines, line);) {
      if (line.find("//$HEADER") != std::string::npos) {
        if (function) {
          // The shorter entry points call the full function, which is defined after
          // them: declare it first so that those calls compile.
          const std::string entries = entry_points(f);
          const std::size_t full = entries.rfind('\n', entries.size() - 2);
          if (full != std::string::npos)
            cpp += entries.substr(full + 1, entries.size() - full - 4) + ";\n\n";
          if (scalar_twin) {
            const std::string proto = scalar_dispatch(f);
            cpp += proto.substr(0, proto.find('\n') + 1);
          }
          cpp += entries;
          if (scalar_twin) {
            const std::string dispatch = scalar_dispatch(f);
            cpp += dispatch.substr(dispatch.find('\n') + 1);
          }
        }
        const std::string locals = local_definitions();
        if (!locals.empty()) cpp += locals + "\n";
        if (function) {
          cpp += frame_declaration();
          if (uses_inputname) cpp += "grl::arg_names grl_argnames=grl::take_names(\"" + name + "\");\n";
          cpp += persistent_declarations();
          cpp += nest_declarations();
        } else {
          // A script's text sits in its caller's scope, maybe more than once: its
          // statements and their frame get a block of their own, its variables stay
          // outside for the caller.
          cpp += persistent_declarations();
          if (!frame_variable().empty()) cpp += "{\n" + frame_declaration();
        }
        continue;
      }
      cpp += line + "\n";
    }

    // The feval dispatcher also serves handles the translator could not see as handles
    // (f(x) on an argument, c{k}(x)): it registers itself when the program starts.
    if (function && f == "feval" && n_out == 4 && has_varargin)
      cpp += "static const bool feval_registered = grl::set_named_caller(\n"
             "  [](const M<m_type>& h, const M<M<m_type>>& a, int nout, M<M<m_type>>& outs) {\n"
             "    grl::call_named([](auto&&... x) { return feval(x...); }, h, a, nout, outs); });\n";

    // (A script's text goes inside the function or main program that runs it, which
    // includes the header.)
    if (function && uses_function_functions(cpp)) {
      const std::string base_include = "#include \"gridlib.h\"\n";
      const std::size_t at = cpp.find(base_include);
      if (at != std::string::npos)
        cpp.insert(at + base_include.size(), "#include \"gridlib_funfun.h\"\n");
      else
        cpp.insert(0, "#include \"gridlib_funfun.h\"\n");
    }

    // Frames of nested functions.
    if (cpp.find("grl::nest_") != std::string::npos) {
      const std::string base_include = "#include \"gridlib.h\"\n";
      const std::size_t at = cpp.find(base_include);
      cpp.insert(at != std::string::npos ? at + base_include.size() : 0, "#include \"gridlib_nest.h\"\n");
    }

    // The names of arguments, for inputname.
    // (A script's text goes inside the main program, which includes the header.)
    if (function && (cpp.find("grl::pass_names(") != std::string::npos || cpp.find("grl_argnames") != std::string::npos)) {
      const std::string base_include = "#include \"gridlib.h\"\n";
      const std::size_t at = cpp.find(base_include);
      cpp.insert(at != std::string::npos ? at + base_include.size() : 0, "#include \"gridlib_names.h\"\n");
    }

    // Output lists counted when the program runs ([c{:}] = f(x)), and fields of
    // elements named by three or more subscripts (s(i, j, k).f = v).
    if (cpp.find("grl::out_call<") != std::string::npos || cpp.find("grl::elem_field_ref(") != std::string::npos ||
        cpp.find("grl::deal_fields(") != std::string::npos) {
      const std::string base_include = "#include \"gridlib.h\"\n";
      const std::size_t at = cpp.find(base_include);
      cpp.insert(at != std::string::npos ? at + base_include.size() : 0, "#include \"gridlib_outs.h\"\n");
    }

    // The header file.
    out.header_name = f + ".h";
    std::string& h = out.header;
    h += "#ifndef __" + f + "_h\n#define __" + f + "_h\n\n";
    std::ostringstream structs;
    ctext_type layout;
    layout.print(structs, listing(*symbols, SYM_VARIABLES, PN_STRUCT_DECL));
    h += structs.str();
    if (!function) {
      const std::string called = called_headers(*symbols, self);
      if (!called.empty()) h += called + "\n";
    } else {
      std::istringstream sig(entry_points(f));
      for (std::string line; std::getline(sig, line);) {
        const bool typed = line.compare(0, 2, "M<") == 0 || line.compare(0, 2, "C_") == 0;
        if (typed && line.size() >= 2 && line.compare(line.size() - 2, 2, " {") == 0)
          h += line.substr(0, line.size() - 2) + ";\n";
      }
    }
    h += "\n#endif // __" + f + "_h\n\n";
  }

  // The call records.
  std::string& r = out.records;
  r += "[called]\n";
  {
    std::ostringstream line;
    int first = 1;
    print_name(*symbols, line, first, "", "", self, PN_RECORD, 0);
    r += line.str();
  }
  symbols->type_of(self) = SYM_KNOWN_FUNCTION;
  r += listing(*symbols, SYM_CALLED, PN_RECORD);
  r += "[feval]\n" + listing(*symbols, SYM_FEVAL, PN_RECORD);
  r += "[extern]\n" + listing(*symbols, SYM_GLOBALS, PN_RECORD);
  r += "[declare]\n" + listing(*symbols, SYM_DECLARE_SET, PN_RECORD);
  return function_follows ? 1 : 0;
}
