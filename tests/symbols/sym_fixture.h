// Shared set-up of the symbol tests: the process-wide data type table in a known state.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "symbols/datatype.h"
#include "symbols/symbol.h"

namespace symtest {

// The shipped layout: double 0, float 1, struct 2, func1M 3, function 4, script 5,
// unknown 6.
inline void standard_types() {
  datatype_t& dt = datatypes();
  dt.clear();
  for (const char* line : {"double real and complex matrices of double precision",
                           "float real and complex matrices of single precision",
                           "struct structure", "func1M function with one matrix output",
                           "function function", "script script", "unknown not yet known"})
    dt.add(line);
}

inline std::string temp_file(const std::string& name, const std::string& text) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// A regular expression that matches text literally (death-test messages).
inline std::string literal(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

class Symbols : public testing::Test {
 protected:
  void SetUp() override { standard_types(); }
  static constexpr int kStruct = 2;
  static constexpr int kFunction = 4;
};

}  // namespace symtest
