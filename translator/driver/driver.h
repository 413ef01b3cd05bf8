// The compile driver: reads the switches, prints the banner, finds the root
// directory, loads the data types and the toolchain settings, then runs one project
// compile (or one run-time library build) and the build commands it produces.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "config/ini.h"
#include "platform/process.h"
#include "project/mpath.h"

// Output kinds: what the project step builds. Bit 16 marks the library-like kinds.
enum output_kind : int {
  OUT_PROGRAM = 1,
  OUT_MEXHELP = 2,
  OUT_MEX = 4,
  OUT_XMATH = 8,
  OUT_DLL = 16,
  OUT_DLL_VB = 17,
  OUT_DLL_DELPHI = 18,
  OUT_IDL = 19,
  OUT_DLL_PB = 21,
  OUT_DLL_OA = 22,
};

// Everything one run of the driver decides before the project step.
struct driver_run {
  // Switches.
  bool nologo = false, verbose = false, trans = false, make = false, mat2cpp = false;
  bool noinfer = false;   // -noinfer: no scalar inference
  bool main_program = true, force = false, lines = false, ive = false, ide = false;
  bool build = false, norm = false, compiler_given = false;
  std::string ide_value, build_value;
  int kind = OUT_PROGRAM;
  int compiler = ini::CC_UNKNOWN;
  int target = ini::TG_UNKNOWN;
  int datatype = 0;
  // -Dname=value definitions in command-line order; each becomes a replace key and
  // its replacement text in the project's replacement table.
  std::vector<std::pair<std::string, std::string>> defines;

  // Files and directories.
  std::string root;           // with a trailing separator
  std::string user_mpath;     // empty when there is none
  std::string settings_path, mpath_path, datatype_path;
  std::string main_file, main_dir, main_name, project_name;

  mpath_t search_path;
  toolchain_t toolchain;
  std::string build_text;     // compiler and linker commands, one per line
};

// One driver run: the banner, the usage text for -h, then korval_run. Returns 1
// when only translating (-trans, -make, -mat2cpp) or building the library, 0 when
// the build commands in run.build_text are to be run. Fatal errors end the process.
int korval_driver(int argc, const char* const* argv, driver_run& run);

// The driver behind the banner and the usage stage, as the setup window calls it.
int korval_run(int argc, const char* const* argv, driver_run& run);

// The whole korval process: the driver, then "Compiling..." and the build commands.
// Returns the exit status: 0, or 1 when a build command failed or could not be started.
int korval_main(int argc, char** argv);

// The command runner system2 lives in platform/process.h.
using platform::system2;

// The parts of a run, in the order korval_driver takes them; exposed for the tests
// and for the stages that hook into the driver.
namespace driver {
void parse_switches(int argc, const char* const* argv, driver_run& run);
void collect_defines(int argc, const char* const* argv, driver_run& run);
void find_root(driver_run& run);
void choose_user_mpath(const std::string& mpath_switch, driver_run& run);
void load_datatypes(const std::string& dt_switch, bool dt_given, driver_run& run);
void print_paths(const driver_run& run);
void find_main_file(int argc, const char* const* argv, driver_run& run);
void build_search_path(driver_run& run);
// -mat2cpp: the main file alone, as one M-file, without the project.
void translate_single(driver_run& run);
// The project step: the main file and every M-file it calls.
void translate_project(driver_run& run);
extern const char kUsage[];
}  // namespace driver
