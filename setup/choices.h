// What the setup window offers and the argument lists it hands to the translator:
// the compiler entries with the targets each one supports, the output kinds of the
// compile form, and the switches every entry stands for.
#pragma once
#include <string>
#include <vector>

namespace setup {

// One entry of the compiler list: its caption, the -compiler value and the target
// entries it offers, in list order.
struct compiler_entry {
  const char* caption;
  const char* compiler;               // value of -compiler
  std::vector<int> targets;           // indices into target_entries()
};

// One entry of the operating-system list.
struct target_entry {
  const char* caption;
  const char* target;                 // value of -target
};

// One entry of the compile form's target-kind list. `kind` is the switch; an empty
// switch builds a standalone program; `refused` names the fatal error of an entry
// this translator cannot serve.
struct kind_entry {
  const char* caption;
  const char* kind;
  const char* refused;
};

// On this platform GNU C++ (target Unix) comes first, so that the defaults build a
// library that works here; the Windows compilers follow.
const std::vector<compiler_entry>& compiler_entries();
const std::vector<target_entry>& target_entries();
const std::vector<kind_entry>& kind_entries();

// The five arguments of a library build: program, -build[:mt], -compiler:, -target:,
// -dt:. `target` indexes the compiler's own target list.
std::vector<std::string> build_arguments(const std::string& program, int compiler, int target,
                                         bool multithreaded, const std::string& datatype);

// The five arguments of a compile: program, file name, kind switch (or empty),
// -make (or empty), -dt:. The entry must not be refused.
std::vector<std::string> compile_arguments(const std::string& program, const std::string& file,
                                           int kind, bool make_only, const std::string& datatype);

}  // namespace setup
