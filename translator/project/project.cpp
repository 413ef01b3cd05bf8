#include "project/project.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "driver/diag.h"
#include "driver/helpers.h"
#include "project/mfile.h"
#include "project/reserved.h"

project_t::project_t(const std::string& main_name, const std::string& root,
                     const project_options& options, mpath_t& search_path,
                     const toolchain_t& toolchain, std::string& commands)
    : main_name_(main_name), root_(root), options_(options), search_path_(search_path),
      toolchain_(toolchain),
      link_(main_name, root,
            link_options{options.make, options.verbose, false, options.ide, options.kind,
                         options.datatype},
            toolchain, commands) {
  link_.start();
}

void project_t::add_define(const std::string& name, const std::string& value) {
  if (name.empty() || value.empty()) return;
  project_.add_typed(name, SYM_REPLACE, DT_UNCLASSIFIED, 1);
  project_.add_typed(value, SYM_REPLACEMENT, DT_UNCLASSIFIED, 1);
}

void project_t::load_reserved() {
  read_reserved(project_, root_ + "korval.rsv");
  add_known_functions(project_);
}

void project_t::own_functions_first(const mpath_t& own) {
  for (int n = 0; n < own.count(); ++n) {
    const std::string dir = own.getdirn(n).empty() ? "./" : own.getdirn(n);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::filesystem::path& file = it->path();
      if (file.extension() != ".m") continue;
      const std::string f = file.stem().string();
      const int e = project_.find(f, SYM_RESERVED_FUNCTION);
      if (e < 0) continue;
      project_.type_of(e) &= ~SYM_RESERVED_FUNCTION;
      taken_by_library().insert(f);
      // A library name spelled differently in C++ (mod as mod_M) is spelled as written.
      const int r = project_.find(f, SYM_REPLACE);
      if (r >= 0 && r < project_.last() && (project_.type_of(r + 1) & SYM_REPLACEMENT)) {
        project_.type_of(r) &= ~SYM_REPLACE;
        project_.type_of(r + 1) &= ~SYM_REPLACEMENT;
      }
    }
  }
}

std::string project_t::cpp_name(const std::string& name) const {
  return name + "." + toolchain_.srcext();
}

namespace {

// A record that names its M-file and holds the group of the function name; anything
// else (a truncated or foreign file) is not trusted and the M-file is translated again.
bool record_is_whole(const std::string& record, const std::string& name) {
  std::ifstream in(record, std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line.empty()) return false;
  bool called = false;
  while (std::getline(in, line)) {
    if (called) return line.compare(0, name.size() + 1, name + " ") == 0;
    called = line == "[called]";
  }
  return false;
}

}  // namespace

void project_t::run() {
  const datatype_t& dt = datatypes();
  project_.add_typed(main_name_, SYM_CALLED, dt.unknown_index());
  int position = -1;
  while (project_.next(SYM_CALLED, position) >= 0) {
    const std::string name = project_.text_of(position);
    const int type = project_.info_of(position)[INFO_TYPE];
    if (type == DT_UNCLASSIFIED || type == dt.script_index() || name == "feval" || name == "nargin_of" || name == "nargout_of" || name == "gridlib" ||
        left_out_.count(name))
      continue;
    symbol_type caller;
    process(name, caller, false, false);
  }
  // Compiled code cannot look functions up by name: these M-files switch over them.
  // (A name the program writes as text, 'f', is among the feval dispatcher's names.)
  if (uses_[1])
    write_dispatcher("nargin_of.m", "function y=nargin_of(fun)", SYM_CALLED | SYM_FEVAL, PN_NARGIN_CASE,
                     "    error('nargin: invalid function name: %s', fun);");
  if (uses_[2])
    write_dispatcher("nargout_of.m", "function y=nargout_of(fun)", SYM_CALLED | SYM_FEVAL, PN_NARGOUT_CASE,
                     "    error('nargout: invalid function name: %s', fun);");
  // feval's last case hands the name to the library (added when it is translated).
  if (uses_[0])
    write_dispatcher("feval.m", "function [y1,y2,y3,y4]=feval(fun,varargin)", SYM_FEVAL, PN_FEVAL_CASE, "");
  const bool uses[3] = {uses_[1], uses_[2], uses_[0]};
  const char* names[3] = {"nargin_of", "nargout_of", "feval"};
  for (int k = 0; k < 3; ++k) {
    if (!uses[k]) continue;
    // A dispatcher read earlier in this run (the program calls feval by name) was the
    // file an earlier build left: the one just written is translated now.
    for (int e; (e = processed_.find(names[k], SYM_FUNCTIONS)) >= 0;) processed_.type_of(e) = 0;
    symbol_type fresh;
    process(names[k], fresh, false, false);
  }
  symbol_type caller;
  process(main_name_, caller, false, true);
}

void project_t::write_dispatcher(const char* file, const char* first_line, int mask, print_format format,
                                 const char* error_line) {
  std::ofstream out;
  util::open_write(out, file);
  out << first_line << "\nswitch fun\n";
  int first = 1;
  std::ostringstream cases;
  symbol_type::print_all(project_, cases, first, "", "", mask, format, -1, 0);
  out << (format == PN_FEVAL_CASE ? cases.str() : program_cases(cases.str()));
  if (format == PN_FEVAL_CASE) out << local_aliases(cases.str());
  out << "  otherwise\n";
  if (*error_line) out << error_line << "\n";
  out << "end\n";
}

// The cases of a dispatcher of counts, one per function of the program: a function
// both called and named as text is listed twice, and the generated dispatchers are no
// functions of the program's.
std::string project_t::program_cases(const std::string& cases) {
  std::set<std::string> seen = {"feval", "nargin_of", "nargout_of"};
  std::istringstream in(cases);
  std::string out, line, value;
  while (std::getline(in, line) && std::getline(in, value)) {
    const std::size_t q = line.find('\'');
    if (q == std::string::npos || !seen.insert(line.substr(q + 1, line.rfind('\'') - q - 1)).second) continue;
    out += line + "\n" + value + "\n";
  }
  return out;
}

// A local function helper of file f is the dispatcher's case 'f__helper'; a name
// built while the program runs says 'helper', so that name calls it too, unless a
// case of that name is there already (the first file's helper wins over later ones).
std::string project_t::local_aliases(const std::string& cases) {
  std::set<std::string> names;
  std::vector<std::pair<std::string, std::string>> cased;   // case line, call line
  std::istringstream in(cases);
  std::string line, call;
  while (std::getline(in, line) && std::getline(in, call)) {
    const std::size_t q = line.find('\'');
    if (q == std::string::npos) continue;
    names.insert(line.substr(q + 1, line.rfind('\'') - q - 1));
    cased.emplace_back(line, call);
  }
  std::string out;
  for (const auto& [l, c] : cased) {
    const std::size_t q = l.find('\'');
    const std::string name = l.substr(q + 1, l.rfind('\'') - q - 1);
    const std::size_t sep = name.rfind("__");
    if (sep == std::string::npos || sep == 0 || sep + 2 >= name.size()) continue;
    const std::string shown = name.substr(sep + 2);
    if (!names.insert(shown).second) continue;
    out += "  case '" + shown + "'\n" + c + "\n";
  }
  return out;
}

bool project_t::defines(const std::string& name) {
  if (name == main_name_ || processed_.find(name, SYM_FUNCTIONS) >= 0) return true;
  if (!options_.force) {
    std::ifstream in(record_name(name));
    std::string first;
    if (in && std::getline(in, first) && !first.empty() && util::exists(first)) return true;
  }
  return search_path_.find(name).has_value();
}

bool project_t::asks_inputname(const std::string& name) {
  const auto known = asks_inputname_.find(name);
  if (known != asks_inputname_.end()) return known->second;
  std::string path;
  {
    std::ifstream in(record_name(name));
    std::getline(in, path);
  }
  if (path.empty() || !util::exists(path)) {
    path = search_path_.path_of(name).value_or(std::string());
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  const bool asks = text.str().find("inputname") != std::string::npos;
  asks_inputname_[name] = asks;
  return asks;
}

bool project_t::try_translate(const std::string& name) {
  if (name == main_name_ || translating_.count(name) || processed_.find(name, SYM_FUNCTIONS) >= 0) return true;
  if (left_out_.count(name)) return false;
  const std::set<std::string> translating = translating_;
  const int depth = depth_;
  const std::string file = diag::current_file();
  const int line = diag::current_line();
  try {
    diag::trial_scope trial;
    symbol_type caller;
    process(name, caller, false, false);
    return true;
  } catch (const diag::failed& f) {
    translating_ = translating;
    depth_ = depth;
    diag::set_position(file, line);
    // Its half-made files would pass for up to date in the next run.
    std::remove(cpp_name(name).c_str());
    std::remove(record_name(name).c_str());
    left_out_.insert(name);
    // What its scan left in the project is no call of the program's.
    for (int e; (e = project_.find(name, SYM_CALLED | SYM_FEVAL)) >= 0;) project_.type_of(e) = 0;
    std::string why = f.report;
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r')) why.pop_back();
    const std::string text = diag::format("%s.m is left out of the program (a name built while it runs "
                                          "cannot call it): %s", name.c_str(), why.c_str());
    diag::progress("warning: %s", text.c_str());
    return false;
  }
}

void project_t::translate_name(const std::string& name, symbol_type& table, int flag) {
  process(name, table, flag != 0, false);
}

symbol_info project_t::process(const std::string& name, symbol_type& caller, bool scan_only,
                               bool main) {
  const datatype_t& dt = datatypes();
  const int done = processed_.find(name, SYM_FUNCTIONS);
  if (done >= 0) {
    const int t = processed_.info_of(done)[INFO_TYPE];
    if (t != dt.script_index() && t != DT_UNCLASSIFIED) {
      // Known from this run: hand its interface to the caller once more.
      const int e = caller.add(name, SYM_CALLED, processed_.info_of(done));
      caller.info_of(e) = processed_.info_of(done);
      symbol_info r = processed_.info_of(done);
      if (main) link_.write_main_wrapper(project_, false);
      r[INFO_TYPE] = dt.script_index();
      return r;
    }
  }
  ++depth_;
  const std::string record = record_name(name);
  std::string path = "none";
  {
    std::ifstream in(record);
    std::string first;
    if (in && std::getline(in, first) && !first.empty()) path = first;
  }
  if (name == main_name_ && !options_.main_mfile.empty()) {
    path = options_.main_mfile;
  } else if (options_.force || !util::exists(path)) {
    const std::optional<std::string> found = search_path_.path_of(name);
    if (!found) diag::error("%s.m not found.", name.c_str());
    path = *found;
  }
  if (options_.verbose) std::printf("%d levels deep, ", depth_);

  const std::string cpp = cpp_name(name);
  const bool needs_work = options_.force || mpath_t::is_out_of_date(path, cpp) ||
                          mpath_t::is_out_of_date(path, record) || !record_is_whole(record, name);
  mfile_job job;
  job.mfile = path;
  job.cpp_name = cpp;
  job.cpp_ext = toolchain_.srcext();
  job.default_type = options_.datatype;
  job.lines = options_.lines;
  job.variables = options_.ive && name == main_name_;
  job.infer = options_.infer;
  job.main = main || name == main_name_;
  job.find_mfile = [this](const std::string& f) {
    return search_path_.path_of(f).value_or(std::string());
  };
  job.project = &project_;
  job.caller = &caller;
  job.host = this;
  symbol_info info;
  if (needs_work) {
    if (scanned_.find(name, SYM_ANY) < 0) {
      diag::progress("Scanning %s", path.c_str());
      job.scan_only = true;
      translate_mfile(job);
      info = read_record(name, record, caller, false);
      std::remove(record.c_str());
    }
    if (!scan_only) {
      // A script runs inside its caller (its code is included there), so one that
      // calls itself, directly or through other scripts, has no C++ form; it used to
      // be translated again and again until the stack ran out.
      if (translating_.count(name))
        diag::error("the script %s calls itself; a script cannot run itself", name.c_str());
      diag::progress("Translating %s", path.c_str());
      job.scan_only = false;
      translating_.insert(name);
      translate_mfile(job);
      translating_.erase(name);
      info = read_record(name, record, caller, true);
    }
  } else {
    if (!scan_only) diag::progress("Skipping %s", path.c_str());
    info = read_record(name, record, caller, true);
  }
  if (options_.verbose) diag::progress("Done %s", path.c_str());
  --depth_;
  for (int k = 0; k < 3; ++k) uses_[k] = uses_[k] || info[INFO_FEVAL + k] != 0;
  if (scan_only && needs_work) {
    info[INFO_TYPE] = dt.script_index();
    return info;
  }
  const int e = processed_.add(name, SYM_FUNCTIONS, info);
  processed_.info_of(e) = info;
  link_.add_translation_rule(path, cpp);
  const bool script = info[INFO_TYPE] == dt.script_index() || info[INFO_TYPE] == DT_UNCLASSIFIED;
  if (!script) link_.add_compile_step(name);
  if (main) link_.write_main_wrapper(project_, script);
  return info;
}

symbol_info project_t::read_record(const std::string& name, const std::string& path,
                                   symbol_type& caller, bool importing) {
  const datatype_t& dt = datatypes();
  std::ifstream in(path, std::ios::binary);
  if (!in) diag::error("could not open %s for read", path.c_str());
  std::string first;
  std::getline(in, first);
  symbol_info info;
  for (int group = 0;; ++group) {
    symbol_type called;
    if (!called.read_section(in, "[called]", SYM_CALLED, 0)) break;
    project_.merge(called, 1);
    caller.merge(called, 1);
    const int own = project_.find(name, SYM_FUNCTIONS);
    if (own >= 0 && group == 0) info = project_.info_of(own);
    const bool script = info[INFO_TYPE] == dt.script_index() || info[INFO_TYPE] == DT_UNCLASSIFIED;
    if (called.last() >= 0) {
      const std::string& fn = called.text_of(0);
      const symbol_info& fi = called.info_of(0);
      // A local function that calls feval (a dual name's read, a handle) needs the
      // dispatcher as much as the file's first function does.
      for (int k = 0; k < 3; ++k) uses_[k] = uses_[k] || fi[INFO_FEVAL + k] != 0;
      if (scanned_.find(fn, SYM_FUNCTIONS) < 0) scanned_.add(fn, SYM_FUNCTIONS, fi);
      if (group > 0 && !script && processed_.find(fn, SYM_FUNCTIONS) < 0)
        processed_.info_of(processed_.add(fn, SYM_FUNCTIONS, fi)) = fi;
    }
    symbol_type feval, externs, declared;
    if (!feval.read_section(in, "[feval]", SYM_FEVAL, 0)) break;
    project_.merge(feval, 0);
    if (!externs.read_section(in, "[extern]", SYM_GLOBAL, 0)) break;
    if (importing) project_.merge(externs, 0);
    if (!declared.read_section(in, "[declare]", SYM_DECLARED, 0)) break;
    if (importing && script) {
      caller.merge(externs, 1);
      caller.merge(declared, 1);
    }
  }
  return info;
}
