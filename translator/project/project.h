// The project: one run translates the main M-file and every M-file it calls, found
// along the search path, each only when its generated files are out of date. The
// project record (".r") of each file lets a later run skip it and still know the
// interface of every function it defines.
#pragma once
#include <set>
#include <map>
#include <string>

#include "config/ini.h"
#include "project/link.h"
#include "project/mpath.h"
#include "symbols/symbol.h"
#include "translate/parser.h"

struct project_options {
  bool make = false, verbose = false, lines = false, force = false, ive = false, ide = false;
  bool infer = true;   // scalar inference (-noinfer turns it off)
  int kind = 1;       // output kind
  int datatype = 0;   // main data type
  // The main M-file, when its stem is no C++ name: the main name is then the stem's
  // C++ name (util::cpp_stem), under which no file can be found on the search path.
  std::string main_mfile;
};

class project_t : public parser_t::host_t {
 public:
  project_t(const std::string& main_name, const std::string& root, const project_options& options,
            mpath_t& search_path, const toolchain_t& toolchain, std::string& commands);

  // The replacement pairs of the command line, the reserved names, the known functions.
  void add_define(const std::string& name, const std::string& value);
  void load_reserved();
  // The program's own M-files (in these folders) named like library functions are
  // called instead of the library's: the library's names are dropped from the table.
  void own_functions_first(const mpath_t& own);

  // Translates every M-file reachable from the main file, the main file last, with the
  // dispatchers when feval, nargin(fun) or nargout(fun) are used.
  void run();
  // The response file and the link command (or the makefile's link rule).
  void link() { link_.link(); }

  // parser_t::host_t
  void translate_name(const std::string& name, symbol_type& table, int flag) override;
  void add_search_dir(const std::string& dir) override { search_path_.add_line(dir); }
  bool has_mfile(const std::string& name) override { return search_path_.find(name).has_value(); }
  bool defines(const std::string& name) override;
  bool asks_inputname(const std::string& name) override;
  bool try_translate(const std::string& name) override;
  bool left_out(const std::string& name) override { return left_out_.count(name) != 0; }

  bool uses_feval() const { return uses_[0]; }
  bool uses_nargin() const { return uses_[1]; }
  bool uses_nargout() const { return uses_[2]; }
  symbol_type& table() { return project_; }
  // The feval dispatcher's cases for local functions by their M names (given the cases
  // by C++ names, file__helper): a name built while the program runs says helper.
  static std::string local_aliases(const std::string& cases);
  // The cases of nargin_of or nargout_of, one per function of the program.
  static std::string program_cases(const std::string& cases);

 private:
  std::map<std::string, bool> asks_inputname_;   // by function name
  symbol_info process(const std::string& name, symbol_type& caller, bool scan_only, bool main);
  symbol_info read_record(const std::string& name, const std::string& path, symbol_type& caller,
                          bool importing);
  std::string cpp_name(const std::string& name) const;
  void write_dispatcher(const char* file, const char* first_line, int mask, print_format format,
                        const char* error_line);

  std::string main_name_, root_;
  project_options options_;
  mpath_t& search_path_;
  const toolchain_t& toolchain_;
  symbol_type project_, processed_, scanned_;
  bool uses_[3] = {false, false, false};
  int depth_ = 0;
  std::set<std::string> translating_;   // files being translated, one inside another
  std::set<std::string> left_out_;      // run-time-only files that did not translate
  link_t link_;
};
