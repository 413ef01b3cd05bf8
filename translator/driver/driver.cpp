#include "driver/driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/build.h"
#include "driver/diag.h"
#include "driver/helpers.h"
#include "driver/isopt.h"
#include "platform/priority.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/selfpath.h"
#include "project/mfile.h"
#include "project/project.h"
#include "project/reserved.h"
#include "symbols/datatype.h"

namespace driver {

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

namespace {

const char kRootKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvecore\\KORVAL\\rootdir";

std::string cut_path(const std::string& s) {
  return s.size() > diag::kPathLimit ? s.substr(0, diag::kPathLimit) : s;
}

void print_banner() {
  const diag::banner_lines b = diag::banner("KORVAL", 76);
  std::printf("%s\n%s\n%s\n\n", b.line[0].c_str(), b.line[1].c_str(), b.line[2].c_str());
}

int dll_kind(const std::string& value) {
  if (value == "vb") return OUT_DLL_VB;
  if (value == "delphi") return OUT_DLL_DELPHI;
  if (value == "pb") return OUT_DLL_PB;
  if (value == "oa") return OUT_DLL_OA;
  return OUT_DLL;
}

}  // namespace

void parse_switches(int argc, const char* const* argv, driver_run& run) {
  std::string v;
  run.nologo = is_option(argc, argv, "nologo");
  run.verbose = is_option(argc, argv, "v");
  run.trans = is_option(argc, argv, "trans");
  run.make = is_option(argc, argv, "make");
  run.mat2cpp = is_option(argc, argv, "mat2cpp");
  run.force = is_option(argc, argv, "force");
  run.noinfer = is_option(argc, argv, "noinfer");
  run.lines = is_option(argc, argv, "lines");
  run.ive = is_option(argc, argv, "ive");
  run.ide = option_value(argc, argv, "ide", run.ide_value);
  run.build = option_value(argc, argv, "build", run.build_value);
  run.norm = is_option(argc, argv, "norm");

  run.kind = OUT_PROGRAM;
  if (is_option(argc, argv, "mexhelp"))
    run.kind = OUT_MEXHELP;
  else if (is_option(argc, argv, "mex"))
    run.kind = OUT_MEX;
  else if (is_option(argc, argv, "idl"))
    run.kind = OUT_IDL;
  else if (is_option(argc, argv, "xmath"))
    run.kind = OUT_XMATH;
  if (option_value(argc, argv, "dll", v)) run.kind = dll_kind(v);

  if (run.ide) run.lines = run.nologo = true;
  if (run.make || run.mat2cpp) run.trans = true;
  run.main_program = !(run.mat2cpp && !is_option(argc, argv, "main"));

  run.compiler = ini::CC_UNKNOWN;
  run.target = ini::TG_UNKNOWN;
  const bool has_compiler = option_value(argc, argv, "compiler", v);
  if (has_compiler) run.compiler = ini::compiler_code(v);
  const bool has_target = option_value(argc, argv, "target", v);
  if (has_target) run.target = ini::target_code(v);
  run.compiler_given = has_compiler || has_target;
}

void collect_defines(int argc, const char* const* argv, driver_run& run) {
  for (int i = 0; i < argc; ++i) {
    const char* a = argv[i];
    if (!is_switch(a) || a[1] != 'D') continue;
    const std::string def = a + 2;
    const std::size_t eq = def.find('=');
    if (eq == std::string::npos) continue;
    std::string name = def.substr(0, eq), value = def.substr(eq + 1);
    if (!name.empty() && !value.empty()) run.defines.emplace_back(name, value);
  }
}

void find_root(driver_run& run) {
  const char* env = std::getenv("korval3");
  if (!env) env = std::getenv("KORVAL3");
  if (env) {
    run.root = cut_path(env);
    util::addslash(run.root);
    return;
  }
  std::string dir;
  util::namesplit(platform::self_path(), &dir, nullptr);
  run.root = cut_path(dir);
  // Other tools (the IDE add-in) find the installation through this value.
  platform::registry_set(kRootKey, "", run.root);
}

void choose_user_mpath(const std::string& mpath_switch, driver_run& run) {
  run.user_mpath.clear();
  if (!mpath_switch.empty()) {
    run.user_mpath = mpath_switch;
  } else if (const char* e = std::getenv("mpath")) {
    run.user_mpath = e;
  } else if (const char* e2 = std::getenv("MPATH")) {
    run.user_mpath = e2;
  } else if (util::exists("mpath2")) {
    run.user_mpath = "mpath2";
  }
}

void load_datatypes(const std::string& dt_switch, bool dt_given, driver_run& run) {
  run.settings_path = run.root + "korval.ini";
  run.mpath_path = run.root + "mpath";
  run.datatype_path = run.root + "korval.dt";
  datatype_t& dt = datatypes();
  dt.load(run.datatype_path);
  run.datatype = dt.default_type();
  if (!dt_given) return;
  run.datatype = dt.find(dt_switch);
  if (run.datatype == -1) diag::error("%s is not a valid datatype.", dt_switch.c_str());
  dt.set_default_type(run.datatype);
}

void print_paths(const driver_run& run) {
  std::printf("rootdir    %s\n", run.root.c_str());
  std::printf("korval.ini %s\n", run.settings_path.c_str());
  std::printf("mpath      %s\n", run.mpath_path.c_str());
  if (!run.user_mpath.empty()) std::printf("usermpath  %s\n", run.user_mpath.c_str());
}

void find_main_file(int argc, const char* const* argv, driver_run& run) {
  run.main_file.clear();
  for (int i = 1; i < argc; ++i) {
    if (argv[i] && !is_switch(argv[i])) {
      run.main_file = cut_path(argv[i]);
      break;
    }
  }
  if (run.main_file.empty()) {
    std::fputs("Enter main file name : ", stdout);
    std::fflush(stdout);
    int c;
    do {
      c = std::getchar();
    } while (c != EOF && std::isspace(c));
    while (c != EOF && !std::isspace(c)) {
      if (run.main_file.size() < diag::kPathLimit) run.main_file.push_back(static_cast<char>(c));
      c = std::getchar();
    }
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  util::namesplit(run.main_file, &run.main_dir, &run.main_name);
  if (run.main_name.empty()) diag::error("No project name");
  // The outputs are named from the whole stem (prog.v2.m writes prog_2ev2.*, never
  // the outputs of prog.m).
  run.project_name = util::cpp_stem(util::m_stem(run.main_name));
}

void translate_single(driver_run& run) {
  symbol_type project;
  for (const auto& d : run.defines) {
    project.add_typed(d.first, SYM_REPLACE, DT_UNCLASSIFIED, 1);
    project.add_typed(d.second, SYM_REPLACEMENT, DT_UNCLASSIFIED, 1);
  }
  read_reserved(project, run.root + "korval.rsv");
  add_known_functions(project);
  symbol_type caller;
  mfile_job job;
  job.mfile = run.main_file;
  job.cpp_ext = run.toolchain.srcext();
  job.cpp_name = run.project_name + "." + job.cpp_ext;
  job.default_type = run.datatype;
  job.lines = run.lines;
  job.project = &project;
  job.caller = &caller;
  translate_mfile(job);
}

void translate_project(driver_run& run) {
  project_options options;
  options.make = run.make;
  options.verbose = run.verbose;
  options.lines = run.lines;
  options.force = run.force;
  options.infer = !run.noinfer;
  options.ive = run.ive;
  options.ide = run.ide;
  options.kind = run.kind;
  options.datatype = run.datatype;
  if (run.project_name != util::m_stem(run.main_name)) {
    // Another M-file of the program could be named like the mapped stem; the two
    // would write the same files.
    if (run.search_path.find(run.project_name))
      diag::error("%s.m and the main file would write the same files", run.project_name.c_str());
    options.main_mfile = util::m_stem(run.main_file) + ".m";
  }
  project_t project(run.project_name, run.root, options, run.search_path, run.toolchain,
                    run.build_text);
  for (const auto& d : run.defines) project.add_define(d.first, d.second);
  project.load_reserved();
  {
    // The program's folders: the main file's and those of the user's path file (the
    // library's own M-files do not count).
    mpath_t own;
    own.add_line("");
    own.add_line(run.main_dir);
    if (!run.user_mpath.empty()) own.load(run.user_mpath);
    project.own_functions_first(own);
  }
  project.run();
  project.link();
}

void build_search_path(driver_run& run) {
  // Each line also brings its private/ directory; ".." needs its separator to be joined
  // with a file name.
  run.search_path.add_line("");
  run.search_path.add_line("..");
  run.search_path.add_line(run.main_dir);
  if (!run.user_mpath.empty()) run.search_path.load(run.user_mpath);
  run.search_path.load(run.mpath_path);
}

// Output kinds whose builder this system lacks end here, with the wrapper written,
// instead of running commands that must fail.
void check_builder(const driver_run& run) {
  const std::string wrapper = "g_" + run.project_name.substr(0, 6) + "." + run.toolchain.srcext();
  diag::set_position(std::string(), 0);
  if (run.kind == 8)
    diag::error("Xmath LNX modules can not be built on this system (there is no Xmath here); the wrapper %s is "
                "written.",
                wrapper.c_str());
  if (run.kind == 19)
    diag::error("IDL modules can not be built on this system (there is no IDL here); the wrapper %s is written.",
                wrapper.c_str());
  if (run.kind == 4 && run.toolchain.target() == ini::TG_UNIX && platform::find_program("mkoctfile").empty())
    diag::error("MEX files are built with mkoctfile (Octave's package octave-dev), which is not installed; the "
                "wrapper %s is written.",
                wrapper.c_str());
}

}  // namespace driver

int korval_driver(int argc, const char* const* argv, driver_run& run) {
  using namespace driver;
  if (!is_option(argc, argv, "nologo") && !is_option(argc, argv, "ide")) print_banner();
  if (is_option(argc, argv, "h") || is_option(argc, argv, "?")) {
    std::fputs(kUsage, stdout);
    std::fflush(stdout);
    std::exit(0);
  }
  return korval_run(argc, argv, run);
}

int korval_run(int argc, const char* const* argv, driver_run& run) {
  using namespace driver;
  parse_switches(argc, argv, run);
  collect_defines(argc, argv, run);
  find_root(run);
  std::string mpath_switch, dt_switch;
  option_value(argc, argv, "mpath", mpath_switch);
  choose_user_mpath(mpath_switch, run);
  const bool dt_given = option_value(argc, argv, "dt", dt_switch);
  load_datatypes(dt_switch, dt_given, run);
  if (run.verbose) print_paths(run);

  run.toolchain.load(run.settings_path, run.root, run.compiler_given, run.compiler, run.target);
  if (!run.nologo)
    std::printf("Using %s : Target %s\n\n", run.toolchain.compiler_name(),
                run.toolchain.target_name());
  run.toolchain.libnum(run.datatype & DT_INDEX_MASK);

  if (run.build) {
    build_library(run.toolchain, run.datatype_path, run.datatype & DT_INDEX_MASK, run.verbose,
                  run.norm, run.build_value);
    return 1;
  }

  find_main_file(argc, argv, run);
  build_search_path(run);
  platform::raise_thread_priority();
  if (run.mat2cpp) {
    translate_single(run);
    platform::lower_thread_priority();
    return 1;
  }
  translate_project(run);
  platform::lower_thread_priority();
  if (run.verbose) diag::progress("%s", run.build_text.c_str());
  if (!run.trans) check_builder(run);
  return run.trans ? 1 : 0;
}

int korval_main(int argc, char** argv) {
  diag::install_memory_handler();
  driver_run run;
  const int result = korval_driver(argc, argv, run);
  if (result != 0) return 0;
  std::printf("Compiling...\n");
  std::fflush(stdout);
  return system2(run.build_text, 0, 1) == 0 ? 0 : 1;
}
