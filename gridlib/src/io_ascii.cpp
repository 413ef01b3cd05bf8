// Numbers in text files: loadascii reads a matrix written one row per line, saveascii
// writes matrices that way; x = load(file) gives the matrix as a value.
#include <sys/stat.h>

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
#include "io_mat.h"
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

bool is_file(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ends_with(const std::string& s, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// A MAT-file of version 5 or later begins with this text.
bool has_mat_header(const std::string& path) {
  static const char head[] = "MATLAB 5.0 MAT-file";
  char buf[sizeof head - 1];
  std::ifstream in(path, std::ios::binary);
  return in.read(buf, sizeof buf) && std::memcmp(buf, head, sizeof buf) == 0;
}

// The numbers of a text file: one matrix row per line; an empty file gives [].
Mt read_ascii(const std::string& name) {
  std::ifstream in(name);
  if (!is_file(name) || !in) grl_fail("load: unable to find file %s", name.c_str());
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
  return m;
}

}  // namespace

void loadascii_vars(const Mt& file, var_list vars) {
  const Mt m = read_ascii(su::text(file));
  for (Mt* x : vars) *x = m;
}

}  // namespace grl

// x = load(file): the numbers of a text file as a matrix; of a MAT-file (by its
// extension, its header, or the name without ".mat"), a structure of its variables.
M<m_type> load(const M<m_type>& file) {
  const std::string name = grl::su::text(file);
  if (!grl::is_file(name) && grl::is_file(name + ".mat")) return grl::mat_file_value(file, "");
  if (grl::ends_with(name, ".mat") || (grl::is_file(name) && grl::has_mat_header(name)))
    return grl::mat_file_value(file, "");
  return grl::read_ascii(name);
}

// x = load(file, '-ascii') reads the file as text whatever its name; '-mat' asks for
// the structure of all variables, a name for a structure of that variable.
M<m_type> load(const M<m_type>& file, const M<m_type>& option) {
  const std::string name = grl::su::text(file);
  const std::string opt = option.ischar() ? grl::su::text(option) : std::string();
  if (opt == "-ascii") return grl::read_ascii(name);
  if (!grl::is_file(name) && !grl::is_file(name + ".mat"))
    grl_fail("load: unable to find file %s", name.c_str());
  if (opt.empty()) grl_fail("load: expecting arguments to be character strings");
  return grl::mat_file_value(file, opt == "-mat" ? std::string() : opt);
}

namespace grl {

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
