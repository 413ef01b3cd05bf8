#include "project/mfile.h"
#include "translate/infer.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include <sstream>
#include <map>
#include <set>
#include "driver/ctext.h"
#include "driver/diag.h"
#include "driver/helpers.h"
#include "translate/eval_text.h"
#include "translate/class_names.h"
#include "translate/inout_params.h"
#include "translate/local_functions.h"
#include "translate/nested_functions.h"
#include "translate/packages.h"
#include "translate/field_paths.h"
#include "translate/source_walk.h"

namespace {

void write_file(const std::string& path, const std::string& text, bool layout) {
  std::ofstream out;
  util::open_write(out, path);
  if (layout) {
    ctext_type printer;
    printer.print(out, text);
  } else {
    out << text;
  }
  out.flush();
  if (!out) diag::error("ctext_type::print: outstream overflow");
}

}  // namespace

std::string record_name(const std::string& base) { return base == "con" ? "con2.r" : base + ".r"; }

namespace {

// The statements of the function that begins at the input's position, read by a
// scanner of its own over a copy of the input, so that the translation reads them
// again as if nothing had happened. A script's statements are read only for the main
// file; a script that others run shares their variables.
std::vector<tokens_t> prescan(const minput_t& input, bool header_mode, bool main) {
  std::vector<tokens_t> statements;
  minput_t copy = input;
  const int saved_line = diag::current_line();
  parser_t scan;
  scan.in = &copy;
  scan.header_mode = header_mode;
  bool seen_code = false;
  for (;;) {
    scan.get_statement();
    if (scan.function_follows) break;
    const bool function_line = scan.stmt.is_word(TP_HEAD, "function");
    if (function_line && seen_code) break;   // a local function after a script's statements
    if (!seen_code && scan.stmt.kind(TP_HEAD) != TK_COMMENT && scan.stmt.top() > 0) {
      seen_code = true;
      if (!function_line && !main) {
        statements.clear();
        break;
      }
      if (function_line) scan.function_open = true;
    }
    statements.emplace_back();
    statements.back() = scan.stmt;
    if (scan.display && statements.back().top() > 0) statements.back().ins_before_last(kShownMark, TK_OTHER);
    if (scan.at_end()) break;
  }
  diag::set_line(saved_line);
  return statements;
}

// The C++ of the function's form on doubles: the function translated again from the
// same statements, its inputs and output declared double, without the file's
// include lines (the general form's text already has them).
std::string scalar_form_text(const minput_t& start, const mfile_job& job, const inferred_types& proven,
                             int ordinal, const std::string& base, bool header_mode) {
  minput_t input = start;
  const int saved_line = diag::current_line();
  symbol_type table;
  if (job.project) table.merge(*job.project, 2);
  parser_t p;
  p.in = &input;
  p.symbols = &table;
  p.script_table = job.caller;
  p.host = job.host;
  p.default_type = job.default_type;
  p.lines = job.lines;
  p.mfile = job.mfile;
  p.cpp_ext = job.cpp_ext;
  p.header_mode = header_mode;
  p.scalar_signature = true;
  p.frameless = proven.frameless;
  p.inferred_arrays = proven.arrays;
  p.inferred_scalars = proven.scalars;
  p.loop_plans = proven.loops;
  p.while_views = proven.while_views;
  p.while_counters = proven.while_counters;
  // The inputs and the output are declared by the function line.
  for (const std::string& v : proven.inputs) {
    p.inferred_scalars.erase(v);
    p.inferred_arrays.erase(v);
  }
  p.inferred_scalars.erase(proven.output);
  p.inferred_arrays.erase(proven.output);
  parser_t::function_texts texts;
  p.translate_function(ordinal, base, texts);
  diag::set_line(saved_line);
  std::string text = texts.cpp;
  // Drop the leading include and definition lines.
  std::size_t at = 0;
  while (at < text.size() && (text[at] == '#' || text[at] == '\n')) {
    const std::size_t nl = text.find('\n', at);
    at = nl == std::string::npos ? text.size() : nl + 1;
  }
  return text.substr(at);
}

// Whether a function line of the text names w (a local function of that name).
bool defines_function(const std::string& text, const std::string& w) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, 8, "function") != 0) continue;
    if (line.find(w) != std::string::npos) return true;
  }
  return false;
}

// The output classes of the M functions (files on the search path) that the
// statements call, for inference. A name the file defines itself, or any variable,
// is left out: the call may mean something else.
std::map<std::string, int> callee_classes(const std::vector<tokens_t>& statements, const mfile_job& job,
                                          const std::string& own_text) {
  static std::map<std::string, int> known;   // by M-file
  std::map<std::string, int> out;
  if (!job.find_mfile) return out;
  std::set<std::string> words, assigned;
  for (const tokens_t& s : statements)
    for (int i = 0; i < s.top(); ++i) {
      if (s.kind(i) != TK_WORD) continue;
      words.insert(s.gettext(i));
      if (s.is_word(i + 1, "=") || i == TP_AFTER_HEAD) assigned.insert(s.gettext(i));
    }
  for (const std::string& w : words) {
    if (assigned.count(w) || w.find('.') != std::string::npos) continue;
    if (defines_function(own_text, w)) continue;
    const std::string path = job.find_mfile(w);
    if (path.empty()) continue;
    auto it = known.find(path);
    if (it == known.end()) {
      std::ifstream in(path, std::ios::binary);
      std::ostringstream all;
      all << in.rdbuf();
      minput_t file;
      file.assign(expand_evals(all.str()));
      const std::vector<tokens_t> callee = prescan(file, false, false);
      it = known.emplace(path, callee.empty() ? 0 : output_class(callee)).first;
    }
    if (it->second > 0) out[w] = it->second;
  }
  return out;
}

// Whether the file at path is a function file (its first statement is a function line).
bool function_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    const std::size_t at = line.find_first_not_of(" \t\r");
    if (at == std::string::npos || line[at] == '%' || line[at] == '#') continue;
    return line.compare(at, 8, "function") == 0 &&
           (line.size() == at + 8 || !std::isalnum(static_cast<unsigned char>(line[at + 8])));
  }
  return false;
}

bool word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Whether a call str2func(...) or feval(...) in the text takes a first input that is
// not written out as quoted text or a handle: a name made while the program runs
// (sprintf('model_%d', k), ['f_' name], a variable).
bool names_built_at_run_time(const std::string& source) {
  for (const char* fn : {"str2func", "feval"}) {
    const std::size_t len = std::char_traits<char>::length(fn);
    for (std::size_t at = source.find(fn); at != std::string::npos; at = source.find(fn, at + len)) {
      if ((at > 0 && word_char(source[at - 1])) || (at + len < source.size() && word_char(source[at + len])))
        continue;
      std::size_t k = source.find_first_not_of(" \t", at + len);
      if (k == std::string::npos || source[k] != '(') continue;
      k = source.find_first_not_of(" \t", k + 1);
      if (k == std::string::npos) continue;
      if (source[k] != '\'' && source[k] != '"' && source[k] != '@') return true;
    }
  }
  return false;
}

// The names of the function M-files in the folder of the file at path that the search
// path reaches (a file of the same name earlier on the path hides one here).
std::vector<std::string> folder_functions(const std::string& path, const mfile_job& job) {
  std::vector<std::string> out;
  std::error_code ec;
  std::filesystem::path dir = std::filesystem::path(path).parent_path();
  if (dir.empty()) dir = ".";
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& f = it->path();
    if (f.extension() != ".m") continue;
    const std::string stem = f.stem().string();
    if (stem.empty() || !std::isalpha(static_cast<unsigned char>(stem[0])) ||
        !std::all_of(stem.begin(), stem.end(), word_char))
      continue;
    const std::string found = job.find_mfile(stem);
    std::error_code same_ec;
    if (!found.empty() && std::filesystem::equivalent(found, f, same_ec) && function_file(found))
      out.push_back(stem);
  }
  std::sort(out.begin(), out.end());
  return out;
}

// The functions a name built while the program runs may reach, in a file that calls
// str2func or feval: its own local functions (by their C++ names), the function
// M-files that a quoted name in it names ('euler', {'rk2', 'rk4'}) and, when a call
// takes a name made while the program runs, every function M-file in its folder.
// Others (a name spelled only in data, in a file elsewhere) are not compiled; they
// fail when called.
std::vector<std::string> run_time_targets(const std::string& source, const std::string& base,
                                          const std::vector<std::string>& locals, const mfile_job& job) {
  std::vector<std::string> out;
  if (source.find("str2func") == std::string::npos && source.find("feval") == std::string::npos &&
      source.find("nargin(") == std::string::npos && source.find("nargout(") == std::string::npos)
    return out;
  for (const std::string& l : locals) out.push_back(qualified_local_name(base, l));
  if (!job.find_mfile) return out;
  std::set<std::string> seen;
  // The dispatcher forwards feval(varargin{:}) to itself: that is no name of the
  // program's, and its folder's files are the program's own to choose.
  if (base != "feval" && names_built_at_run_time(source)) {
    for (const std::string& w : folder_functions(job.mfile, job)) {
      if (w == base || std::find(locals.begin(), locals.end(), w) != locals.end()) continue;
      // Only a name made at run time reaches it: a file that does not translate is
      // left out, and the program is made without it.
      if (!seen.insert(w).second) continue;
      if (job.host && !job.host->try_translate(w)) continue;
      out.push_back(w);
    }
  }
  for (std::size_t q = source.find_first_of("'\""); q != std::string::npos;
       q = source.find_first_of("'\"", q + 1)) {
    std::size_t e = q + 1;
    while (e < source.size() && (std::isalnum(static_cast<unsigned char>(source[e])) || source[e] == '_')) ++e;
    if (e >= source.size() || source[e] != source[q] || e == q + 1 ||
        !std::isalpha(static_cast<unsigned char>(source[q + 1])))
      continue;
    const std::string w = source.substr(q + 1, e - q - 1);
    q = e;
    if (w == base || !seen.insert(w).second) continue;
    if (std::find(locals.begin(), locals.end(), w) != locals.end()) continue;
    const std::string path = job.find_mfile(w);
    if (!path.empty() && function_file(path)) out.push_back(w);
  }
  return out;
}

// Whether the source reads the word ans (outside comments and strings).
bool names_ans(const std::string& source) {
  bool found = false;
  msource::walk(
      source, [](std::size_t, std::size_t) {},
      [&](std::size_t a, std::size_t b, char prev) {
        if (prev != '.' && source.compare(a, b - a, "ans") == 0) found = true;
      });
  return found;
}

// The number of outputs on the function line of `name` in text (-1: none there).
int outputs_on_function_line(const std::string& text, const std::string& name) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, 8, "function") != 0) continue;
    std::string head = line.substr(at + 8);
    head = head.substr(0, head.find_first_of("%(\r"));
    const std::size_t eq = head.find('=');
    std::string callee = eq == std::string::npos ? head : head.substr(eq + 1);
    callee.erase(0, callee.find_first_not_of(" \t"));
    callee = callee.substr(0, callee.find_first_of(" \t;,"));
    if (callee != name) continue;
    if (eq == std::string::npos) return 0;
    const std::string outs = head.substr(0, eq);
    if (outs.find('[') == std::string::npos) return 1;
    if (outs.find_first_not_of(" \t[]") == std::string::npos) return 0;
    return 1 + static_cast<int>(std::count(outs.begin(), outs.end(), ','));
  }
  return -1;
}

// A script whose statements are followed by local functions: each function becomes a
// function M-file beside the script, named by its qualified name, which the project
// then finds and compiles as any other; the result is the script's statements, which
// call them by those names.
std::string split_out_script_functions(const std::string& source, const std::string& mfile) {
  const std::size_t slash = mfile.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : mfile.substr(0, slash + 1);
  std::string stem = mfile.substr(dir.size());
  if (stem.size() > 2 && stem.compare(stem.size() - 2, 2, ".m") == 0) stem.resize(stem.size() - 2);
  script_parts parts = split_script_functions(source, stem);
  for (const auto& f : parts.functions) {
    const std::string path = dir + f.first + ".m";
    // Written only when it changed, so that its translation stays up to date.
    std::ifstream in(path, std::ios::binary);
    std::ostringstream old;
    if (in) old << in.rdbuf();
    if (!in || old.str() != f.second) write_file(path, f.second, false);
  }
  return parts.body;
}

}  // namespace

int translate_mfile(const mfile_job& job) {
  // The whole name: a cut one wrote another file (a 30-character stem made NAME.c).
  const std::string& cpp_name = job.cpp_name;
  const std::size_t dot = cpp_name.rfind('.');
  if (dot == std::string::npos) diag::error("could not find . in C++ filename");
  const std::string base = cpp_name.substr(0, dot);
  const std::string record = record_name(base);
  if (!job.scan_only) std::remove(cpp_name.c_str());
  std::remove(record.c_str());

  minput_t input;
  nest_plan nest;       // the file's nested functions
  std::string source;   // the file as written
  std::vector<std::string> locals;   // its local functions' M names
  std::string script_of;   // a script's local function made a file: the script's file
  std::string read_text;   // the text the translation reads
  {
    std::ifstream in(job.mfile, std::ios::binary);
    if (!in) diag::error("could not open %s for read", job.mfile.c_str());
    std::ostringstream all;
    all << in.rdbuf();
    source = all.str();
    source = separate_inout_params(split_out_script_functions(source, job.mfile));
    if (job.find_mfile)
      source = package_calls(source, [&job](const std::string& f) {
        return !job.find_mfile(f).empty();
      });
    source = field_path_calls(source);
    script_of = script_of_local_function(source);
    if (!script_of.empty()) {
      const std::size_t slash = job.mfile.rfind('/');
      if (slash != std::string::npos) script_of.insert(0, job.mfile.substr(0, slash + 1));
    }
    // eval of a text known now becomes the text itself; containers.Map is one name;
    // the file's local functions get names of their own.
    // Nested functions stand after the file's functions, each a function of its own
    // that names its shared variables through the nest's frames.
    const std::string saved_file = diag::current_file();
    const int saved_line = diag::current_line();
    diag::set_position(job.mfile, 1);
    const std::string flat = flatten_nested_functions(spell_class_names(expand_evals(source)), nest);
    diag::set_position(saved_file, saved_line);
    read_text = qualify_local_functions(flat, base);
    input.assign(read_text);
    locals = local_function_names(flat);
    for (nest_function& f : nest.functions)
      for (std::string* n : {&f.name, &f.parent})
        if (!n->empty() && *n != base && std::find(locals.begin(), locals.end(), *n) != locals.end())
          *n = qualified_local_name(base, *n);
  }
  const std::string saved_file = diag::current_file();
  const int saved_line = diag::current_line();
  diag::set_position(job.mfile, 1);

  // (A nested function runs in its parent's frame: a name alone cannot reach it.)
  std::vector<std::string> dynamic_targets = run_time_targets(source, base, locals, job);
  for (const nest_function& f : nest.functions)
    dynamic_targets.erase(std::remove(dynamic_targets.begin(), dynamic_targets.end(), f.name), dynamic_targets.end());
  std::string records = job.mfile + "\n";
  std::string cpp;
  int kind = -1;
  bool header_mode = false;
  for (int ordinal = 1;; ++ordinal) {
    // A function with variables of any class is translated a second time (any_class.cpp).
    const minput_t function_start = input;
    const int function_line = diag::current_line();
    std::set<std::string> any_vars;
    int more = 0;
    // (A third translation when the second finds more: outputs of calls given them.)
    for (int attempt = 0; attempt < 3; ++attempt) {
      symbol_type table;
      if (!job.scan_only && job.project) table.merge(*job.project, 2);
      // The variable file is there from the second run on.
      const std::string sym = base + ".sym";
      if (job.variables && util::exists(sym)) table.read_variables(sym);
      auto p = std::make_unique<parser_t>();
      p->in = &input;
      p->symbols = &table;
      p->script_table = job.caller;
      p->host = job.host;
      p->default_type = job.default_type;
      p->scan_only = job.scan_only ? 1 : 0;
      p->lines = job.lines;
      p->mfile = job.mfile;
      p->local_names = locals;
      p->script_of = script_of;
      p->reads_ans = names_ans(source);
      p->outputs_of = [&job, &read_text](const std::string& w) {
        const int here = outputs_on_function_line(read_text, w);
        if (here >= 0 || !job.find_mfile) return here;
        const std::string path = job.find_mfile(w);
        if (path.empty()) return -1;
        std::ifstream in(path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return outputs_on_function_line(all.str(), w);
      };
      p->run_time_targets = dynamic_targets;
      p->cpp_ext = job.cpp_ext;
      p->header_mode = header_mode;
      if (!nest.empty()) p->nest = &nest;
      // Inference reads the function's statements first; a function proven to give a
      // real double scalar from real double scalars also gets a form on C++ doubles,
      // translated from the same statements once more.
      inferred_types scalar_form;
      const minput_t start = input;
      // (Not in a file of nested functions: their shared variables are general values.)
      if (job.infer && nest.empty() && !job.scan_only && datatypes().name(job.default_type) == "double") {
        const std::vector<tokens_t> statements = prescan(input, header_mode, job.main);
        const std::map<std::string, int> callees = callee_classes(statements, job, source);
        const inferred_types proven = infer_types(statements, false, &callees);
        p->inferred_scalars = proven.scalars;
        p->inferred_arrays = proven.arrays;
        p->loop_plans = proven.loops;
        p->while_views = proven.while_views;
        p->while_counters = proven.while_counters;
        p->single_structs = single_structures(statements);
        scalar_form = infer_types(statements, true);
        p->scalar_twin = scalar_form.scalar_function;
      } else if (!job.scan_only) {
        const std::vector<tokens_t> statements = prescan(input, header_mode, job.main);
        p->loop_plans = plain_loop_plans(statements);
        if (nest.empty()) p->single_structs = single_structures(statements);
      }
      p->any_vars = any_vars;
      parser_t::function_texts texts;
      more = p->translate_function(ordinal, base, texts);
      if (attempt < 2 && !job.scan_only) {
        const std::size_t known = any_vars.size();
        for (const std::string& v : p->mixed_variables()) any_vars.insert(v);
        if (any_vars.size() > known) {
          input = function_start;
          diag::set_line(function_line);
          continue;
        }
      }
      if (ordinal == 1) kind = p->kind;
      if (job.variables) table.write_variables(sym, SYM_VARFILE_SET);
      records += texts.records;
      cpp += texts.cpp;
      if (p->scalar_twin) cpp += scalar_form_text(start, job, scalar_form, ordinal, base, header_mode);
      if (!job.scan_only) {
        const std::string header = ordinal == 1 ? base + ".h" : texts.header_name;
        write_file(header, texts.header, false);
      }
      break;
    }
    if (!more) break;
    header_mode = true;
  }
  write_file(record, records, false);
  // Direct element access and the scalar forms' test live in gridlib_fast.h (the main
  // program's file, which takes a script's text, includes it already).
  const std::string base_include = "#include \"gridlib.h\"\n";
  const std::size_t at = cpp.find(base_include);
  bool uses_fast = false;
  for (const char* name : {"grl::elem_", "grl::plain_scalar", "grl::real_scalar", "grl::for_"})
    uses_fast = uses_fast || cpp.find(name) != std::string::npos;
  if (at != std::string::npos && uses_fast)
    cpp.insert(at + base_include.size(), "#include \"gridlib_fast.h\"\n");
  if (!job.scan_only) write_file(cpp_name, cpp, true);
  diag::set_position(saved_file, saved_line);
  return kind;
}
