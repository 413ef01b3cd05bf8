// Building and reshaping strings: strcat, strvcat, char, double, blanks, deblank,
// strtrim, upper, lower, strjust.
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "gridlib.h"
#include "gridlib_str.h"
#include "strutil.h"
#include "held_cells.h"

namespace grl {
namespace {

bool blank_or_nul(m_type c) { return c == 0 || c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool white(m_type c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The columns lo..hi-1 of a char matrix.
Mt columns(const Mt& s, std::size_t lo, std::size_t hi) {
  const std::size_t r = s.rows();
  if (hi <= lo) {
    Mt e = Mt::alloc(r, 0);
    e.set_flags(F_STRING);
    return e;
  }
  Mt m = Mt::alloc(r, hi - lo);
  for (std::size_t j = lo; j < hi; ++j)
    for (std::size_t i = 0; i < r; ++i) m.pr()[i + (j - lo) * r] = s.cre()[i + j * r];
  m.set_flags(F_STRING);
  return m;
}

// The index of the first and one past the last column that holds a character the
// predicate does not drop, in any row.
template <class P> std::size_t last_kept(const Mt& s, P drop) {
  std::size_t hi = s.cols();
  while (hi > 0) {
    bool all = true;
    for (std::size_t i = 0; i < s.rows() && all; ++i) all = drop(s.cre()[i + (hi - 1) * s.rows()]);
    if (!all) break;
    --hi;
  }
  return hi;
}
template <class P> std::size_t first_kept(const Mt& s, P drop, std::size_t hi) {
  std::size_t lo = 0;
  while (lo < hi) {
    bool all = true;
    for (std::size_t i = 0; i < s.rows() && all; ++i) all = drop(s.cre()[i + lo * s.rows()]);
    if (!all) break;
    ++lo;
  }
  return lo;
}

// The rows of each argument, in order; an empty argument adds one empty row when
// keep_empty (char) and none otherwise (strvcat).
void add_rows(std::vector<std::string>& rows, const Mt& p, bool keep_empty) {
  // A cell gives the rows of its elements in order.
  if (p.holds_cell()) {
    const Mc& c = p.held_cell();
    for (std::size_t k = 0; k < c.numel(); ++k) add_rows(rows, c.elem(k), keep_empty);
    return;
  }
  if (p.isc()) grl_fail("%s: wrong type argument 'complex matrix'", keep_empty ? "char" : "strvcat");
  if (p.isempty()) {
    if (keep_empty) rows.emplace_back();
    return;
  }
  for (std::size_t i = 0; i < p.rows(); ++i) rows.push_back(su::row_text(p, i));
}

std::vector<std::string> all_rows(const str_list& parts, bool keep_empty) {
  std::vector<std::string> rows;
  for (const Mt& p : parts) add_rows(rows, p, keep_empty);
  return rows;
}

}  // namespace

Mt strcat_v(const str_list& parts) {
  // Every argument has the same number of rows (or is empty, or a single row that
  // stands for every row); each char argument loses its trailing whitespace.
  std::size_t rows = 0;
  for (const Mt& p : parts)
    if (!p.isempty() && p.rows() > rows) rows = p.rows();
  std::vector<std::string> out(rows);
  bool any_char = false;
  for (const Mt& p : parts) {
    if (p.isempty()) continue;
    if (p.rows() != rows && p.rows() != 1) grl_fail("strcat: arguments must have the same number of rows");
    any_char = any_char || p.ischar();
    std::size_t hi = p.cols();
    if (p.ischar()) hi = last_kept(p, white);
    for (std::size_t i = 0; i < rows; ++i) {
      const std::size_t src = p.rows() == 1 ? 0 : i;
      for (std::size_t j = 0; j < hi; ++j) {
        const double c = double(p.cre()[src + j * p.rows()]);
        out[i].push_back(char((unsigned long)(long(c)) & 0xFFu));
      }
    }
  }
  (void)any_char;
  if (rows == 0) return su::str("");
  return su::char_rows(out);
}

Mc strcat_piece(const Mt& s) {
  Mc c = Mc::alloc(1, 1);
  c.welem(0) = s.ischar() && !s.isempty() ? columns(s, 0, last_kept(s, white)) : s;
  return c;
}

Mc strcat_c(const std::vector<Mc>& parts) {
  // Every cell that is not 1 x 1 has the one shape of the result.
  std::size_t rows = 1, cols = 1;
  bool shaped = false;
  for (const Mc& p : parts) {
    if (p.numel() == 1) continue;
    if (shaped && (p.rows() != rows || p.cols() != cols))
      grl_fail("strcat: arguments must be the same size, or be scalars");
    rows = p.rows(), cols = p.cols(), shaped = true;
  }
  Mc out = Mc::alloc(rows, cols);
  for (std::size_t k = 0; k < out.numel(); ++k) {
    std::string joined;
    for (const Mc& p : parts) {
      const Mt& e = p.elem(p.numel() == 1 ? 0 : k);
      if (e.isempty()) continue;
      if (!e.ischar() || e.rows() != 1) grl_fail("strcat: inputs must be strings or cells of strings");
      joined += su::row_text(e, 0);
    }
    out.welem(k) = su::str(joined);
  }
  return out;
}

Mt strvcat_v(const str_list& parts) {
  std::vector<std::string> rows = all_rows(parts, false);
  if (rows.empty()) return su::str("");
  return su::char_rows(rows);
}

Mt char_v(const str_list& parts) {
  if (parts.size() == 1 && !parts.begin()->holds_cell()) {
    // char(x): the same values as characters.
    Mt m = *parts.begin();
    if (m.isc()) grl_fail("char: wrong type argument 'complex matrix'");
    m.set_flags(F_STRING);
    return m;
  }
  return su::char_rows(all_rows(parts, true));
}

}  // namespace grl

using grl::Mt;
using grl::Mc;
namespace su = grl::su;

Mt double_M(const Mt& x) {
  Mt m = x;
  m.set_flags(0);
  return m;
}

Mt blanks(const Mt& n) {
  const double v = n.numel() == 1 ? double(n.cre()[0]) : -1;
  if (n.numel() != 1 || !(v >= 0) || v != std::floor(v) || std::isinf(v))
    grl_fail("blanks: N must be a non-negative integer");
  Mt m = Mt::alloc(1, std::size_t(v));     // blanks(0) is 1x0, not ''
  for (std::size_t k = 0; k < m.numel(); ++k) m.pr()[k] = m_type(' ');
  m.set_flags(grl::F_STRING);
  return m;
}

Mt deblank(const Mt& s) {
  GRL_HELD_CELL_1(deblank, s);
  if (s.isempty()) return s;
  if (!s.ischar()) grl_fail("deblank: S argument must be a string or cellstring");
  return grl::columns(s, 0, grl::last_kept(s, grl::blank_or_nul));
}

Mt strtrim(const Mt& s) {
  GRL_HELD_CELL_1(strtrim, s);
  if (s.isempty()) return s;
  if (!s.ischar()) grl_fail("strtrim: S argument must be a string or cellstring");
  const std::size_t hi = grl::last_kept(s, grl::blank_or_nul);
  return grl::columns(s, grl::first_kept(s, grl::blank_or_nul, hi), hi);
}

namespace {
Mt map_case(const Mt& s, int (*f)(int)) {
  if (!s.ischar()) return s;
  Mt m = s;
  m_type* p = m.numel() ? m.pr() : nullptr;
  for (std::size_t k = 0; k < m.numel(); ++k) {
    const double c = double(p[k]);
    if (c >= 0 && c < 128 && c == std::floor(c)) p[k] = m_type(f(int(c)));
  }
  return m;
}
}  // namespace

Mt upper(const Mt& s) {
  GRL_HELD_CELL_1(upper, s);
  return map_case(s, [](int c) { return std::toupper(c); }); }
Mt lower(const Mt& s) {
  GRL_HELD_CELL_1(lower, s);
  return map_case(s, [](int c) { return std::tolower(c); }); }

namespace {
Mc each_string(const Mc& c, Mt (*f)(const Mt&)) {
  Mc out = Mc::alloc(c.rows(), c.cols());
  for (std::size_t k = 0; k < c.numel(); ++k) out.welem(k) = f(c.elem(k));
  return out;
}
}  // namespace

Mc deblank(const Mc& c) { return each_string(c, deblank); }
Mc strtrim(const Mc& c) { return each_string(c, strtrim); }
Mc upper(const Mc& c) { return each_string(c, upper); }
Mc lower(const Mc& c) { return each_string(c, lower); }

Mt strjust(const Mt& s, const Mt& mode) {
  const std::string m = mode.isempty() ? std::string("right") : su::text(mode);
  if (m != "right" && m != "left" && m != "center") grl_fail("strjust: MODE must be one of \"right\", \"left\", or \"center\"");
  if (s.isempty()) return s;
  const std::size_t r = s.rows(), w = s.cols();
  Mt out = Mt::alloc(r, w);
  out.set_flags(grl::F_STRING);
  m_type* p = out.pr();
  for (std::size_t i = 0; i < r; ++i) {
    // The row's text between its first and last non-blank (NUL counts as blank).
    std::size_t lo = 0, hi = w;
    auto at = [&](std::size_t j) { return s.cre()[i + j * r]; };
    while (lo < w && (at(lo) == ' ' || at(lo) == 0)) ++lo;
    while (hi > lo && (at(hi - 1) == ' ' || at(hi - 1) == 0)) --hi;
    const std::size_t len = hi - lo;
    std::size_t start = m == "left" ? 0 : m == "right" ? w - len : (w - len) / 2;
    for (std::size_t j = 0; j < w; ++j) p[i + j * r] = m_type(' ');
    for (std::size_t j = 0; j < len; ++j) p[i + (start + j) * r] = at(lo + j);
  }
  return out;
}
