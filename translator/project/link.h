// Link and outputs: the main wrapper that turns the main M-function into a program, one
// compile command per C++ file, the linker response file and link command, or in make
// mode a makefile with the same steps.
#pragma once
#include <fstream>
#include <set>
#include <string>

#include "config/ini.h"
#include "symbols/symbol.h"

struct link_options {
  bool make = false, verbose = false, mat2cpp = false, ide = false;
  int kind = 1;
  int datatype = 0;
};

class link_t {
 public:
  link_t(const std::string& name, const std::string& root, const link_options& options,
         const toolchain_t& toolchain, std::string& commands);

  // The makefile header (make mode).
  void start();
  // The rule that translates an M-file again when it changes (make mode), once per
  // C++ source: a main script is processed twice.
  void add_translation_rule(const std::string& mfile, const std::string& cpp);
  // The wrapper source of the main function; it then compiles like any function file.
  void write_main_wrapper(const symbol_type& project, bool script);
  // The compile command of one generated C++ file (its base name).
  void add_compile_step(const std::string& base);
  // The response file and the link command.
  void link();

  const std::string& target() const { return target_; }
  const std::string& link_list() const { return link_list_; }

 private:
  std::string name_, root_;
  link_options options_;
  const toolchain_t& tc_;
  std::string& commands_;
  std::string target_, link_list_;
  std::ofstream makefile_;
  std::set<std::string> translated_;   // C++ sources that have their rule
  std::set<std::string> linked_;       // objects in the link list (each once)
  std::set<std::string> compiling_;    // objects whose compile command is queued
};
