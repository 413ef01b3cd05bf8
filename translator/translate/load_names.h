// load of a MAT-file without a list of variables: the names the rest of the function
// reads (see load_names.cpp).
#pragma once
#include <string>
#include <vector>

// The names that the M source `rest` (what follows a load statement, to the end of its
// function) uses as values before it assigns them, in the order first met. Fields
// (s.name), strings and comments are not names; the next function line ends the text.
std::vector<std::string> names_read_later(const std::string& rest);
