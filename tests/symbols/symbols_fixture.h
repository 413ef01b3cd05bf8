// A data type table like the shipped one, loaded before each symbol test.
#pragma once
#include <gtest/gtest.h>

#include "symbols/datatype.h"

class WithTypes : public testing::Test {
 protected:
  void SetUp() override {
    datatype_t& dt = datatypes();
    dt.clear();
    for (const char* line : {"double real matrix", "float single matrix", "struct structure",
                             "func1M one output", "function function", "script script",
                             "unknown unknown"})
      dt.add(line);
  }
  void TearDown() override { datatypes().clear(); }
};
