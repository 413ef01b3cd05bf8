// The data type table the tests run with: the shipped layout, double 0, float 1,
// struct 2, func1M 3, function 4, script 5, unknown 6.
#pragma once
#include "symbols/datatype.h"

namespace testtypes {

inline void load_standard_types() {
  datatype_t& dt = datatypes();
  dt.clear();
  for (const char* line : {"double real and complex matrices of double precision",
                           "float real and complex matrices of single precision",
                           "struct structure", "func1M function with one matrix output",
                           "function function", "script script", "unknown not yet known"})
    dt.add(line);
}

}  // namespace testtypes
