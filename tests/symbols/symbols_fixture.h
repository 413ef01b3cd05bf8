// A data type table like the shipped one, loaded before each symbol test.
#pragma once
#include <gtest/gtest.h>

#include "symbols/datatype.h"
#include "type_table.h"

class WithTypes : public testing::Test {
 protected:
  void SetUp() override { testtypes::load_standard_types(); }
  void TearDown() override { datatypes().clear(); }
};
