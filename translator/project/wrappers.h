// The wrapper sources of the library-like outputs: MEX files, Xmath and IDL modules,
// and DLLs with declaration files for other languages.
#pragma once
#include <string>
#include <vector>

#include "config/ini.h"
#include "symbols/symbol.h"

// The body of the wrapper for output kind 4, 8 or 19 (inputs in01..., outputs out01...).
std::string module_wrapper(int kind, const std::string& name, int n_in, int n_out,
                           int datatype, const toolchain_t& tc);

// Whether a DLL of this toolchain is a Unix shared object (lib<name>.so): a Unix target
// with a compiler that makes .so files.
inline bool unix_shared_object(const toolchain_t& tc) { return tc.target() == ini::TG_UNIX && tc.libext() == "so"; }

// The DLL wrapper (kinds with bit 16): exported functions for every prototype of the main
// function's header "<name>.h", and the declaration files of the target language, which
// name the library file `target`. On a Unix target the library is a shared object and
// korval also writes its C header "lib<name>.h".
std::string dll_wrapper(int kind, const std::string& name, int datatype, const toolchain_t& tc,
                        const std::string& target);

// The C++ types of the inputs and outputs of the entry point of m_name that takes n_in
// inputs and gives n_out outputs, read from the header file `header` ("M<double>",
// "M< M<double> >" for a cell). False when the header has no such entry point.
bool entry_types(const std::string& header, const std::string& m_name, int n_in, int n_out,
                 std::vector<std::string>& in, std::vector<std::string>& out);
