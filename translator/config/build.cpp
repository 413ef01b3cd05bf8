#include "config/build.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "driver/diag.h"
#include "driver/helpers.h"
#include "platform/process.h"
#include "symbols/datatype.h"

namespace {

library_runner g_runner = nullptr;

// A path written with backslashes, as the file system here spells it.
std::string host_path(std::string p) {
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

void change_dir(const char* dir) {
  if (chdir(dir) != 0) diag::error("Could not chdir \"%s\".", dir);
}

void remove_objects(const char* ext) {
  DIR* d = opendir(".");
  if (!d) return;
  const std::string suffix = std::string(".") + ext;
  while (dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      std::remove(name.c_str());
  }
  closedir(d);
}

}  // namespace

library_build library_command(toolchain_t& tc, int n, bool multithreaded) {
  library_build b;
  const std::string& name = tc.libnum(n);
  b.library_file = name;
  std::string args = "GRLIB=" + std::to_string(n);
  std::string tool, makefile;
  switch (tc.compiler()) {
    case ini::CC_BORLAND:
      tool = "make", makefile = "bc.mak";
      break;
    case ini::CC_VISUALC:
      tool = "nmake", makefile = "vc.mak";
      break;
    case ini::CC_WATCOM:
      tool = "wmake";
      makefile = tc.target() == ini::TG_DOS4GW ? "watcom4g.mak"
                 : tc.target() == ini::TG_OS2  ? "wat_os2.mak"
                                               : "watcom.mak";
      args += " -u";
      break;
    case ini::CC_GNU:
      // The linker reads -lgrlib0 as the file libgrlib0.a.
      tool = "make", makefile = "gnu.mak";
      b.gnu = true;
      if (name.compare(0, 2, "-l") == 0) b.library_file = "lib" + name.substr(2) + ".a";
      break;
    default:
      diag::error("Can't build for this compiler");
  }
  args += " \"FLAGS= ";
  std::string flags;
  if (util::exists("acc.lib")) {
    const std::string copy = "src\\gridlib\\acc.lib";
    if (!util::exists(host_path(copy))) {
      diag::message("Talvecore Accelerator found - will be installed\n");
      platform::system2(diag::format("command.com /c copy %s %s", "acc.lib", copy.c_str()), 0, 0);
      platform::system2(diag::format("command.com /c echo  %s >> src\\gridlib\\vc.lst", "acc.lib"), 0, 0);
    }
    flags += "-D_BLAS1 -D_BLAS3 -D_BLASNO_";
  }
  if (multithreaded) flags += std::string(flags.empty() ? "" : " ") + "-D_KORVAL_MT=1";
  args += flags + "\"";
  b.command = tool + " " + args + " -f " + makefile;
  return b;
}

void set_library_runner(library_runner runner) { g_runner = runner; }

void record_library(const std::string& datatype_file, int n) {
  datatypes().add(std::to_string(n));
  std::ofstream dt(datatype_file, std::ios::app);
  dt << n << "\n";
}

void build_library(toolchain_t& tc, const std::string& datatype_file, int n, bool verbose,
                   bool keep_objects, const std::string& build_value) {
  const library_build b = library_command(tc, n, build_value == "mt");
  std::remove(b.library_file.c_str());
  change_dir("src");
  change_dir("gridlib");
  if (!keep_objects) {
    if (b.gnu) {
      remove_objects("o");
      remove_objects("gch");   // gnu.mak's precompiled header
    }
    else
      platform::system2("command.com /c del *.obj", 0, 0);
  }
  if (verbose) diag::progress("%s", b.command.c_str());
  std::fflush(stdout);
  if (g_runner) {
    char here[4096];
    const std::string dir = getcwd(here, sizeof here) ? here : ".";
    change_dir("..");
    change_dir("..");
    const std::string root = getcwd(here, sizeof here) ? std::string(here) + "/" : "";
    const std::string file = b.library_file.compare(0, 1, "/") == 0 ? b.library_file
                                                                     : root + b.library_file;
    library_job job{b.command, dir, file, datatype_file, n};
    g_runner(job);
    return;
  }
  const int status = platform::system2(b.command, 0, 0);
  change_dir("..");
  change_dir("..");
  // The number is recorded only for a library that was built: a later run takes it
  // as its default.
  if (status != 0 || (b.gnu && !util::exists(b.library_file)))
    diag::error("Failed to build library %s.", b.library_file.c_str());
  record_library(datatype_file, n);
  std::printf("\n\n");
}
