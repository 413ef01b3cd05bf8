// The compiler's environment: LIB, INCLUDE and PATH exported on every run so that the
// build commands, which inherit this process's environment, find the compiler, its
// headers and its libraries.
#include <cstdio>
#include <cstdlib>

#include "config/hostenv.h"
#include "config/ini.h"
#include "driver/diag.h"
#include "driver/helpers.h"

void toolchain_t::export_env() const {
  if (lib_.size() > 1) {
    hostenv::set("LIB", lib_);
    // Both compilers find their own installation through a variable of their own;
    // it names the directory above the first library directory.
    std::string first = lib_.substr(0, lib_.find(';'));
    util::strip_last(first);
    if (compiler_ == ini::CC_WATCOM && !hostenv::is_set("WATCOM")) hostenv::set("WATCOM", first);
    if (compiler_ == ini::CC_DJGPP && !hostenv::is_set("DJGPP")) {
      for (char& c : first)
        if (c == '\\') c = '/';
      hostenv::set("DJGPP", first + "djgpp.env");
    }
  }
  if (include_.size() > 1) hostenv::set("INCLUDE", include_);
  if (path_.size() > 1) {
    const std::string inherited = hostenv::getenv_str("PATH");
    // An empty inherited PATH gets no leading separator: an empty entry would put the
    // current directory on the search path.
    hostenv::set("PATH", inherited.empty() ? path_ : inherited + hostenv::kPathSep + path_);
  }
}

// A WATCOM installed for 16-bit Windows lacks the NT headers the generated code needs.
void toolchain_t::check_watcom() const {
  const std::string include = hostenv::getenv_str("INCLUDE");
  if (include.find("NT") != std::string::npos || include.find("nt") != std::string::npos) return;
  std::printf(
      "The WATCOM C++ compiler was not installed for the Win95/NT target.\n"
      "Please re-install it, while selecting Win95/NT (32 bit) as target.\n\n"
      "KORVAL will not work with WATCOM C++ installed for Windows (16 bit) target.\n\n");
  std::fflush(stdout);
  if (diag::ask("Do you want to continue") != 'Y') std::exit(1);
}
