// Numbers in text files: loadascii reads a matrix written one row per line, saveascii
// writes matrices that way.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gridlib.h"
#include "gridlib_io.h"
#include "strutil.h"

namespace grl {
namespace {

// One number of a data line; "Inf", "-Inf" and "NaN" as MATLAB writes them.
bool parse_number(const char*& p, double& v) {
  char* end = nullptr;
  v = std::strtod(p, &end);
  if (end == p) return false;
  p = end;
  return true;
}

}  // namespace

void loadascii_vars(const Mt& file, var_list vars) {
  const std::string name = su::text(file);
  std::ifstream in(name);
  if (!in) grl_fail("load: unable to find file %s", name.c_str());
  std::vector<double> values;
  std::size_t rows = 0, cols = 0;
  std::string line;
  std::size_t lineno = 0;
  while (std::getline(in, line)) {
    ++lineno;
    // A '%' starts a comment; commas, semicolons and tabs separate like blanks.
    const std::size_t pct = line.find('%');
    if (pct != std::string::npos) line.erase(pct);
    for (char& ch : line)
      if (ch == ',' || ch == ';' || ch == '\t' || ch == '\r') ch = ' ';
    std::vector<double> row;
    const char* p = line.c_str();
    for (;;) {
      while (*p == ' ') ++p;
      if (!*p) break;
      double v;
      if (!parse_number(p, v) || (*p && *p != ' '))
        grl_fail("load: unable to determine file format of '%s'", name.c_str());
      row.push_back(v);
    }
    if (row.empty()) continue;
    if (rows == 0) cols = row.size();
    else if (row.size() != cols)
      grl_fail("load: %s: inconsistent number of columns near line %zu", name.c_str(), lineno);
    values.insert(values.end(), row.begin(), row.end());
    ++rows;
  }
  // Stored row by row in the file, column by column in the matrix.
  Mt m = Mt::alloc(rows, cols);
  m_type* p = m.numel() ? m.pr() : nullptr;
  for (std::size_t i = 0; i < rows; ++i)
    for (std::size_t j = 0; j < cols; ++j) p[i + j * rows] = m_type(values[i * cols + j]);
  for (Mt* x : vars) *x = m;
}

void saveascii_vars(const Mt& file, var_list vars) {
  const std::string name = su::text(file);
  std::FILE* f = std::fopen(name.c_str(), "w");
  if (!f) grl_fail("save: unable to open output file '%s'", name.c_str());
  for (const Mt* x : vars) {
    // Only the real parts: a text file of this kind has no place for imaginary ones.
    for (std::size_t i = 0; i < x->rows(); ++i) {
      for (std::size_t j = 0; j < x->cols(); ++j) {
        const double v = double(x->cre()[i + j * x->rows()]);
        if (std::isnan(v)) std::fputs(" NaN", f);
        else if (std::isinf(v)) std::fputs(v > 0 ? " Inf" : " -Inf", f);
        else std::fprintf(f, " %.8e", v);
      }
      std::fputc('\n', f);
    }
  }
  if (std::fclose(f) != 0) grl_fail("save: error writing '%s'", name.c_str());
}

}  // namespace grl
