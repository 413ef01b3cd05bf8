// num2str, int2str and mat2str: numbers as text. num2str writes each row with one
// %g conversion per column, wide enough for the largest magnitude, and trims the
// blank columns that all rows share at the left and the right.
#include "gridlib.h"
#include "gridlib_text.h"
#include "int64_util.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace grl {
namespace {

typedef M<m_type> Mt;

bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0; }

// A char matrix of the lines, padded right with blanks; the blank columns common
// to every line at either end are removed.
Mt char_rows(std::vector<std::string> lines) {
  std::size_t w = 0;
  for (const auto& l : lines) w = std::max(w, l.size());
  for (auto& l : lines) l.resize(w, ' ');
  std::size_t lead = w, trail = w;
  for (const auto& l : lines) {
    std::size_t a = 0, b = 0;
    while (a < w && blank(l[a])) ++a;
    while (b < w - a && blank(l[w - 1 - b])) ++b;
    lead = std::min(lead, a);
    trail = std::min(trail, b);
  }
  std::size_t cols = lines.empty() || lead >= w ? 0 : w - lead - trail;
  if (cols == 0) {
    Mt e = Mt::alloc(0, 0);
    e.set_flags(F_STRING);
    return e;
  }
  Mt m = Mt::alloc(lines.size(), cols);
  m_type* p = m.pr();
  for (std::size_t r = 0; r < lines.size(); ++r)
    for (std::size_t c = 0; c < cols; ++c)
      p[c * lines.size() + r] = m_type(static_cast<unsigned char>(lines[r][lead + c]));
  m.set_flags(F_STRING);
  return m;
}

// The lines that a per-row format makes of the rows of x (empty lines dropped).
std::vector<std::string> row_lines(const Mt& x, const std::string& row_format) {
  std::vector<std::string> lines;
  std::size_t rows = x.rows(), cols = x.cols();
  for (std::size_t r = 0; r < rows; ++r) {
    Mt row = Mt::alloc(1, cols);
    for (std::size_t c = 0; c < cols; ++c) row.pr()[c] = x.cre()[c * rows + r];
    if (w64::wide(x)) {
      // int64 and uint64 rows keep their exact elements for the format's %d.
      std::vector<std::uint64_t> w(cols);
      for (std::size_t c = 0; c < cols; ++c) w[c] = w64::bits(w64::at(x, c * rows + r), x.num_class());
      w64::store(row, x.num_class(), std::move(w));
    }
    std::string s = format_text("sprintf", row_format, {&row});
    std::size_t a = 0;
    while (a <= s.size()) {
      std::size_t b = s.find('\n', a);
      if (b == std::string::npos) b = s.size();
      if (b > a) lines.push_back(s.substr(a, b - a));
      a = b + 1;
    }
  }
  return lines;
}

std::string repeat(const std::string& f, std::size_t n) {
  std::string s;
  for (std::size_t k = 0; k < n; ++k) s += f;
  return s;
}

std::string g_format(int width, int prec) {
  return "%" + std::to_string(width) + "." + std::to_string(prec) + "g";
}

// Largest finite magnitude of the real parts (and imaginary parts), and whether
// any value is Inf or NaN.
double max_finite(const Mt& x, bool& nonfinite) {
  double mx = 0;
  nonfinite = false;
  for (std::size_t k = 0; k < x.numel(); ++k) {
    double parts[2] = {double(x.cre()[k]), x.cim() ? double(x.cim()[k]) : 0.0};
    for (double d : parts) {
      if (!std::isfinite(d)) nonfinite = true;
      else mx = std::max(mx, std::fabs(d));
    }
  }
  return mx;
}

bool all_integers(const Mt& x) {
  for (std::size_t k = 0; k < x.numel(); ++k) {
    double d = double(x.cre()[k]);
    if (std::isfinite(d) && d != std::floor(d)) return false;
    if (x.cim()) {
      double e = double(x.cim()[k]);
      if (std::isfinite(e) && e != std::floor(e)) return false;
    }
  }
  return true;
}

int digits(double mx) { return mx >= 1 ? int(std::floor(std::log10(mx))) + 1 : 1; }

// Significant digits num2str gives a value that is not an integer.
int frac_digits(double mx) {
  int p = (mx > 0 ? int(std::floor(std::log10(mx))) : 0) + 5;
  return std::min(std::max(p, 5), 16);
}

// One number in %.<prec>g, with the names Inf and NaN.
std::string g_text(double d, int prec, bool plus = false) {
  if (std::isnan(d)) return plus ? "+NaN" : "NaN";
  if (std::isinf(d)) return d < 0 ? "-Inf" : plus ? "+Inf" : "Inf";
  char buf[64];
  std::snprintf(buf, sizeof buf, plus ? "%+.*g" : "%.*g", prec, d);
  return buf;
}

// Complex values: each element as re+imi, aligned in columns.
Mt complex_text(const Mt& x, int prec) {
  std::size_t rows = x.rows(), cols = x.cols();
  std::vector<std::string> cells(x.numel());
  std::size_t w = 0;
  for (std::size_t k = 0; k < x.numel(); ++k) {
    cells[k] = g_text(x.cre()[k], prec) + g_text(x.cim()[k], prec, true) + "i";
    w = std::max(w, cells[k].size());
  }
  std::vector<std::string> lines(rows);
  for (std::size_t r = 0; r < rows; ++r)
    for (std::size_t c = 0; c < cols; ++c) {
      std::string e = cells[c * rows + r];
      lines[r] += (c ? "   " : "") + e + std::string(w - e.size(), ' ');
    }
  return char_rows(lines);
}

Mt empty_text() {
  Mt e = Mt::alloc(0, 0);
  e.set_flags(F_STRING);
  return e;
}

Mt real_part(const Mt& x) {
  Mt r = Mt::alloc(x.rows(), x.cols());
  for (std::size_t k = 0; k < x.numel(); ++k) r.pr()[k] = x.cre()[k];
  return r;
}

}  // namespace
}  // namespace grl

M<m_type> num2str(const M<m_type>& x) {
  if (x.holds_cell()) grl_fail("num2str: X must be a numeric, logical, or character array");
  typedef M<m_type> Mt;
  if (x.ischar()) return x;
  if (x.isempty()) return grl::empty_text();
  bool nonfinite;
  double mx = grl::max_finite(x, nonfinite);
  if (grl::all_integers(x)) {
    if (x.isc()) return grl::complex_text(x, std::min(grl::digits(mx), 16));
    int d = grl::digits(mx);
    int w = std::max(d, nonfinite ? 3 : 0) + 2;
    if (grl::w64::wide(x)) {   // all 19 or 20 digits of a 64-bit integer
      const char* conv = x.num_class() == grl::mc_uint64 ? "u" : "d";
      return grl::char_rows(grl::row_lines(x, grl::repeat("%" + std::to_string(w) + conv, x.cols())));
    }
    return grl::char_rows(grl::row_lines(x, grl::repeat(grl::g_format(w, std::min(d, 16)), x.cols())));
  }
  int p = grl::frac_digits(mx);
  if (x.isc()) return grl::complex_text(x, p);
  Mt r = x;
  return grl::char_rows(grl::row_lines(r, grl::repeat(grl::g_format(p + 7, p), x.cols())));
}

M<m_type> num2str(const M<M<m_type>>&) { grl_fail("num2str: X must be a numeric, logical, or character array"); }

M<m_type> num2str(const M<m_type>& x, const M<m_type>& prec_or_fmt) {
  if (x.holds_cell()) grl_fail("num2str: X must be a numeric, logical, or character array");
  if (prec_or_fmt.ischar()) {
    if (x.ischar()) return x;
    if (x.isempty()) return grl::empty_text();
    std::string f = grl::text_of(prec_or_fmt);
    return grl::char_rows(grl::row_lines(x.isc() ? grl::real_part(x) : x, grl::repeat(f, x.cols())));
  }
  if (prec_or_fmt.numel() != 1 || !std::isfinite(double(prec_or_fmt.cre()[0])) ||
      double(prec_or_fmt.cre()[0]) < 0 || double(prec_or_fmt.cre()[0]) != std::floor(double(prec_or_fmt.cre()[0])))
    grl_fail("num2str: PREC must be a scalar integer >= 0");
  if (x.ischar()) return x;
  if (x.isempty()) return grl::empty_text();
  int p = int(std::min(double(prec_or_fmt.cre()[0]), 100.0));
  if (x.isc()) return grl::complex_text(x, p);
  return grl::char_rows(grl::row_lines(x, grl::repeat(grl::g_format(p + 7, p), x.cols())));
}

M<m_type> int2str(const M<m_type>& x) {
  if (x.holds_cell()) grl_fail("int2str: N must be a numeric, logical, or character array");
  if (x.ischar()) return x;
  if (x.isempty()) return grl::empty_text();
  if (grl::is_int_class(x.num_class())) return num2str(x);   // whole already, exact for int64
  M<m_type> r = M<m_type>::alloc(x.rows(), x.cols());
  for (std::size_t k = 0; k < x.numel(); ++k) r.pr()[k] = std::round(x.cre()[k]);
  return num2str(r);
}

namespace {

// A char value as a quoted literal: 'it''s', or ['ab';'cd'] for several rows.
std::string quoted_rows(const M<m_type>& x) {
  std::size_t rows = x.rows(), cols = x.cols();
  std::string s;
  for (std::size_t r = 0; r < std::max<std::size_t>(rows, 1); ++r) {
    if (r) s += ";";
    s += "'";
    for (std::size_t c = 0; c < cols && r < rows; ++c) {
      char ch = char(int(x.cre()[c * rows + r]));
      s += ch;
      if (ch == '\'') s += ch;
    }
    s += "'";
  }
  return rows > 1 ? "[" + s + "]" : s;
}

std::string mat2str_text(const M<m_type>& x, int prec) {
  // MATLAB writes text as a quoted literal; the reference interpreter refuses it.
  if (x.ischar()) return quoted_rows(x);
  std::size_t rows = x.rows(), cols = x.cols();
  if (x.isempty()) return "[]";
  std::string s;
  for (std::size_t r = 0; r < rows; ++r) {
    if (r) s += ";";
    for (std::size_t c = 0; c < cols; ++c) {
      std::size_t k = c * rows + r;
      if (c) s += " ";
      if (x.islogical()) {
        s += x.cre()[k] != 0 ? "true" : "false";
        continue;
      }
      if (grl::w64::wide(x) && !x.isc()) {
        s += grl::w64::element_text(x, k);
        continue;
      }
      s += grl::g_text(x.cre()[k], prec);
      if (x.isc()) {
        double im = x.cim()[k];
        s += (std::signbit(im) && !std::isnan(im)) ? "-" + grl::g_text(std::fabs(im), prec)
                                                     : "+" + grl::g_text(im, prec);
        s += "i";
      }
    }
  }
  return rows * cols == 1 ? s : "[" + s + "]";
}

}  // namespace

M<m_type> mat2str(const M<m_type>& x) {
  if (x.holds_cell()) grl_fail("mat2str: X must be two dimensional");
  return grl::str_M(mat2str_text(x, 15));
}

M<m_type> mat2str(const M<m_type>& x, const M<m_type>& prec) {
  if (x.holds_cell()) grl_fail("mat2str: X must be two dimensional");
  double p = prec.numel() == 1 && !prec.ischar() ? double(prec.cre()[0]) : -1;
  if (!(p >= 0) || p != std::floor(p)) grl_fail("mat2str: N must be a positive integer");
  return grl::str_M(mat2str_text(x, int(std::min(p, 100.0))));
}
