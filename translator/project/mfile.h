// Translating one M-file: every function it defines becomes C++ in one source file,
// with a header per function and the project record (".r") of the file.
#pragma once
#include <functional>
#include <string>

#include "symbols/symbol.h"
#include "translate/parser.h"

struct mfile_job {
  std::string mfile;        // the M-file, as found on the search path
  std::string cpp_name;     // the C++ file to write, "name.ext"
  std::string cpp_ext;      // extension of the generated C++ files
  int default_type = 0;     // the main data type
  bool scan_only = false;
  bool lines = false;       // #line before each statement
  bool variables = false;   // keep the variables in "<base>.sym" from run to run
  bool infer = false;       // prove real double scalars and arrays before translating
  bool main = false;        // the program's main file (a script's variables are its own)
  // The M-file of a function name on the search path, empty when there is none.
  std::function<std::string(const std::string&)> find_mfile;
  symbol_type* project = nullptr;   // seeds every function's table
  symbol_type* caller = nullptr;    // merged in when the file is a script
  parser_t::host_t* host = nullptr; // resolves the names of other M-files
};

// Returns the file's kind: the "function" or "script" index of the data type table.
int translate_mfile(const mfile_job& job);

// The record file of a C++ base name: "%s.r", or "con2.r" for "con".
std::string record_name(const std::string& base);
