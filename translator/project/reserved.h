// The names every translation knows before it starts: the reserved-names file of the
// root directory and the three functions the dispatchers provide.
#pragma once
#include <string>

#include "symbols/symbol.h"

// Reads "korval.rsv": the version line, then the sections "[reserved functions]",
// "[reserved vars]" and "[replace]", each required ("Could not read %s").
// A function line may end with an eighth number, the fewest inputs a call must pass.
void read_reserved(symbol_type& table, const std::string& path);

// The fewest inputs the library function `name` takes, as the last korval.rsv read
// lists it; 0 when it gives none.
int reserved_least_inputs(const std::string& name);

// feval, nargin and nargout, known as functions of the "function" kind.
void add_known_functions(symbol_type& table);
