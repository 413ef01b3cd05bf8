// lumigrid -show: the viewer's Reload of one variable without a window, for scripts
// and tests. Prints the status text and the grid as text.
#pragma once
#include <optional>
#include <ostream>
#include <string>

#include "viewer/matrix_reader.h"

namespace lumigrid {

struct show_request {
  std::string name;
  std::optional<std::string> digits;    // -digits D
  std::optional<std::string> columns;   // -columns C
};

// Set with the digits and columns when given, Reload of the name, then the status on
// the first line and the grid's rows (cells separated by tabs, headers included).
// Returns 0, or 1 when the status is an error.
int show_matrix(MatrixReader& reader, const show_request& request, std::ostream& out);

}  // namespace lumigrid
