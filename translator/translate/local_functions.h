// The functions after the first one of a function M-file belong to that file: two
// files may each have a helper of the same name, and a file's helper hides an M-file
// of that name. The source is rewritten before it is read so that each such function
// has a name of its own (see local_functions.cpp).
#pragma once
#include <string>
#include <utility>
#include <vector>

// The names of the functions after the first in an M-file's source, in order (none
// for a script or a file with one function).
std::vector<std::string> local_function_names(const std::string& source);

// The C++ name of the local function `name` of the M-file `file_base` (its name
// without .m), and back: the M name for a C++ name made so (the name as it is
// otherwise).
std::string qualified_local_name(const std::string& file_base, const std::string& name);
std::string shown_local_name(const std::string& file_base, const std::string& qualified);

// The source with every use of a local function's name (calls, handles @name, its
// function line) replaced by its qualified name; field names (s.name), strings and
// comments are left as they are. Line breaks are kept.
std::string qualify_local_functions(const std::string& source, const std::string& file_base);

// A script M-file may end in local functions. They become function M-files of their
// own, named by their qualified names (beside the script, numbered as in it), and the
// script's statements call them by those names.
struct script_parts {
  std::string body;   // the statements before the first local function
  std::vector<std::pair<std::string, std::string>> functions;   // qualified name, source
};
script_parts split_script_functions(const std::string& source, const std::string& file_base);

// For a function M-file made so, the script's file name (s.m); otherwise "".
std::string script_of_local_function(const std::string& source);
