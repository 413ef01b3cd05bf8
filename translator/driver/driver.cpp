#include "driver/driver.h"

#include <cstdio>
#include <cstring>

#include "driver/diag.h"

namespace {

const char kUsage[] =
    "\nUsage: korval mainfilename switches\n\nSwitches:\n"
    " -mexhelp\tMake MEX file using mexhelp method\n"
    " -mex\t\tMake MEX file using direct method\n"
    " -idl\t\tMake IDL dynamic loaded file\n"
    " -xmath \tMake Xmath LNX file\n"
    " -trans \tTranslate only\n"
    " -force \tForce retranslation\n"
    " -dt:type\tSet main data type\n"
    " -h,-?\t\tShows this help\n"
    " -make\t\tCreate makefile instead of calling compiler\n"
    " -Dname=value\t#define value\n"
    " -mpath:file\tSpecify additional mpath file\n\n";

bool has_switch(int argc, char** argv, const char* name) {
  const std::size_t n = std::strlen(name);
  for (int i = argc - 1; i >= 1; --i) {
    const char* a = argv[i];
    if ((a[0] == '-' || a[0] == '/') && std::strncmp(a + 1, name, n) == 0) return true;
  }
  return false;
}

}  // namespace

int korval_main(int argc, char** argv) {
  diag::install_memory_handler();
  if (!has_switch(argc, argv, "nologo") && !has_switch(argc, argv, "ide")) {
    const diag::banner_lines b = diag::banner("KORVAL", 76);
    std::printf("%s\n%s\n%s\n\n", b.line[0].c_str(), b.line[1].c_str(), b.line[2].c_str());
  }
  if (has_switch(argc, argv, "h") || has_switch(argc, argv, "?")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  return 0;
}
