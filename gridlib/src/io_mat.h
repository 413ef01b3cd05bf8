// The MAT-file reader's entry for the value form of load, shared by the text loader.
#ifndef GRIDLIB_IO_MAT_H
#define GRIDLIB_IO_MAT_H

#include <string>

#include "gridlib.h"

namespace grl {
// S = load(file) of a MAT-file: a 1 x 1 structure with one field per variable, in the
// file's order; with `only` not empty, the structure holds that variable alone (an
// error when the file lacks it).
M<m_type> mat_file_value(const M<m_type>& file, const std::string& only);
}  // namespace grl

#endif
