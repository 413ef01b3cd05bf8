// An input that is also one of several outputs (function [y, x] = swap(x, y)).
#pragma once
#include <string>

// The source with each such input renamed on its function line (x becomes x__in) and
// copied to the output at the start of the body, on the same line (`, x = x__in;`),
// so that lines keep their numbers. Other lines are left as they are.
std::string separate_inout_params(const std::string& source);
