// Building the run-time library from its sources for the selected compiler: the make
// tool and makefile of the compiler, the library number and optional flags passed to
// make, run in the library's source directory, and the number recorded as built.
#pragma once
#include <string>

#include "config/ini.h"

// The make command line of a library build, as run in src/gridlib.
struct library_build {
  std::string command;        // tool, arguments, -f makefile
  std::string library_file;   // the file the build makes (and first deletes)
  bool gnu = false;           // the GNU row: objects are *.o, removed here
};

// The make command for library number n; "Can't build for this compiler" for a compiler
// without a row. Copies the accelerator library into the sources the first time it is
// found (through the command interpreter).
library_build library_command(toolchain_t& tc, int n, bool multithreaded);

// A make run handed to a windowed front end: it runs the command in its own thread
// and, when the library file exists afterwards, records the number.
struct library_job {
  std::string command;        // the make command line
  std::string directory;      // where it runs: the library's source directory
  std::string library_file;   // the file it makes, full path
  std::string datatype_file;  // where the number is recorded
  int number = 0;             // the library number
};
using library_runner = void (*)(const library_job& job);
// Installs the front end's runner; nullptr runs make at once, as the console does.
void set_library_runner(library_runner runner);

// Records library number n as built: the data type table takes it, and the data
// type file gets a line holding it.
void record_library(const std::string& datatype_file, int n);

// The whole library build: returns when the library was built and recorded; a
// failed build ends the run with "Failed to build library %s.". With a runner
// installed the make command and the recording are the runner's.
void build_library(toolchain_t& tc, const std::string& datatype_file, int n, bool verbose,
                   bool keep_objects, const std::string& build_value);
