// Shared set-up of the symbol tests: the process-wide data type table in a known state.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "symbols/datatype.h"
#include "symbols/symbol.h"
#include "type_table.h"

namespace symtest {

inline void standard_types() { testtypes::load_standard_types(); }

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
