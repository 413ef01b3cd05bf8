#include "setup/choices.h"

namespace setup {

namespace {
enum { T_UNIX, T_WIN32, T_WIN32S, T_DOS4GW };
}

const std::vector<target_entry>& target_entries() {
  static const std::vector<target_entry> t = {
      {"Unix", "unix"},
      {"Win 95/NT", "win32"},
      {"Win 3.11+Win32s", "win32s"},
      {"DOS4/GW", "dos4gw"},
  };
  return t;
}

const std::vector<compiler_entry>& compiler_entries() {
  static const std::vector<compiler_entry> c = {
      {"GNU C++", "gnu", {T_UNIX}},
      {"Visual C++ 2.0 or later", "vc", {T_WIN32}},
      {"Borland C++ 5.0 or later", "bc", {T_WIN32, T_WIN32S}},
      {"Borland C++ Builder", "bc", {T_WIN32, T_WIN32S}},
      {"WATCOM C++ 10.5, 10.6", "watcom", {T_WIN32, T_WIN32S, T_DOS4GW}},
      {"WATCOM C++ 11.0 or later", "watcom", {T_WIN32, T_WIN32S, T_DOS4GW}},
  };
  return c;
}

const std::vector<kind_entry>& kind_entries() {
  static const std::vector<kind_entry> k = {
      {"Standalone Application", "", nullptr},
      {"MEX - MATLAB 4", "-mexhelp", nullptr},
      {"MEX - MATLAB 5", "", "Please run korval from\nMATLAB 5 to create MEX files"},
      {"DLL - IDL", "-idl", nullptr},
      {"DLL - Xmath", "-xmath", nullptr},
      {"DLL - Excel", "-dll:vb", nullptr},
      {"DLL - Visual Basic", "-dll:vb", nullptr},
      {"DLL - Delphi", "-dll:delphi", nullptr},
      {"DLL - Object Ada", "-dll:oa", nullptr},
  };
  return k;
}

std::vector<std::string> build_arguments(const std::string& program, int compiler, int target,
                                         bool multithreaded, const std::string& datatype) {
  const compiler_entry& c = compiler_entries().at(static_cast<std::size_t>(compiler));
  const target_entry& t =
      target_entries().at(static_cast<std::size_t>(c.targets.at(static_cast<std::size_t>(target))));
  return {program, multithreaded ? "-build:mt" : "-build", std::string("-compiler:") + c.compiler,
          std::string("-target:") + t.target, "-dt:" + datatype};
}

std::vector<std::string> compile_arguments(const std::string& program, const std::string& file,
                                           int kind, bool make_only, const std::string& datatype) {
  const kind_entry& k = kind_entries().at(static_cast<std::size_t>(kind));
  return {program, file, k.kind, make_only ? "-make" : "", "-dt:" + datatype};
}

}  // namespace setup
