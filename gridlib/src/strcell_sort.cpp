// Sorting cells of strings: sort, sortrows and unique of a cell whose elements are char
// rows ('' included). Strings order by their character codes, as the characters stand
// (upper case before lower case, a prefix before the longer string). Equal strings
// keep their order, ascending and descending alike.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "gridlib.h"
#include "gridlib_io.h"
#include "strcell_util.h"

using namespace grl;

namespace {

typedef std::vector<m_type> key;

// The strings of a cell; any element that is no char row fails with `message`.
std::vector<key> keys_of(const Mc& c, const char* message) {
  std::vector<key> keys(c.numel());
  for (std::size_t k = 0; k < c.numel(); ++k) {
    const Mt& e = c.elem(k);
    if (!e.ischar() || e.holds_cell() || e.rows() > 1)
      grl_fail("%s", message);
    if (e.numel()) keys[k].assign(e.cre(), e.cre() + e.numel());
  }
  return keys;
}

// Positions 0..n-1 of `keys` picked by `at`, ordered ascending or descending; stable.
std::vector<std::size_t> order(const std::vector<key>& keys, std::vector<std::size_t> at, bool desc) {
  std::stable_sort(at.begin(), at.end(), [&](std::size_t u, std::size_t v) {
    return desc ? keys[v] < keys[u] : keys[u] < keys[v];
  });
  return at;
}

std::string lower(std::string s) {
  for (char& ch : s) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

bool direction(const Mt& m, const char* fn) {
  const std::string s = lower(su::text(m));
  if (m.ischar() && s == "ascend") return false;
  if (m.ischar() && s == "descend") return true;
  grl_fail("%s: MODE must be either \"ascend\" or \"descend\"", fn);
}

int dimension(const Mt& d) {
  if (d.numel() != 1 || d.isc() || !(d.cre()[0] >= 1) || d.cre()[0] != std::floor(d.cre()[0]))
    grl_fail("sort: DIM must be a valid dimension");
  return d.cre()[0] > 2 ? 3 : int(d.cre()[0]);
}

// --- sort ---------------------------------------------------------------------------

// Sorts each column (dim 1) or row (dim 2) of x; along a third dimension nothing moves.
void sort_cells(const Mc& x, int dim, bool desc, Mc* s, Mr<m_type>* k) {
  const std::vector<key> keys = keys_of(x, "sort: only cell arrays of character strings may be sorted");
  const std::size_t xr = x.rows(), xc = x.cols();
  Mc o = Mc::alloc(xr, xc);
  Mt ix = Mt::alloc(xr, xc);
  std::size_t n, groups, stride;
  if (dim == 1) { n = xr; groups = xc; stride = 1; }
  else if (dim == 2) { n = xc; groups = xr; stride = xr; }
  else { n = 1; groups = xr * xc; stride = 1; }
  std::vector<std::size_t> at(n);
  for (std::size_t g = 0; g < groups; ++g) {
    const std::size_t base = dim == 1 ? g * xr : g;
    for (std::size_t t = 0; t < n; ++t) at[t] = base + t * stride;
    const std::vector<std::size_t> sorted = order(keys, at, desc);
    for (std::size_t t = 0; t < n; ++t) {
      o.welem(base + t * stride) = x.elem(sorted[t]);
      ix.pr()[base + t * stride] = m_type((sorted[t] - base) / stride + 1);
    }
  }
  if (s) *s = o;
  if (k) *k = ix;
}

int sort_dim(const Mc& x) { return x.rows() != 1 ? 1 : 2; }

// --- sortrows -------------------------------------------------------------------------

// sortrows of a cell of strings: the column of strings ordered (a cell of one row is a
// single row, already in order). c is 1 or -1, or 'ascend' or 'descend'.
bool sortrows_desc(const Mt& c) {
  if (c.ischar()) return direction(c, "sortrows");
  if (c.numel() != 1 || c.isc()) grl_fail("sortrows: C must be a numeric vector");
  const double v = double(c.cre()[0]);
  if (v != 1 && v != -1)
    grl_fail("sortrows: all elements of C must be in the range [1, columns (A)]");
  return v < 0;
}

// (A column of other values is read as the numbers cell2mat would make of it.)
[[noreturn]] void fail_mixed() { grl_fail("cell2mat: wrong type elements or mixed cells, structs, and matrices"); }

// sortrows of a cell of several columns: by the columns c names (all of them, left to
// right, when c is absent or a direction), a negative one descending. Each column
// compared holds only char rows or only real numbers.
void sortrows_columns(const Mc& x, const Mt* c, Mc* y, Mr<m_type>* k) {
  const std::size_t n = x.rows(), cols = x.cols();
  std::vector<long> order;   // the columns compared, in turn; negative: descending
  if (!c || c->ischar()) {
    const bool desc = c && direction(*c, "sortrows");
    for (std::size_t j = 1; j <= cols; ++j) order.push_back(desc ? -long(j) : long(j));
  } else {
    if (c->isc() || c->holds_cell() || c->holds_struct()) grl_fail("sortrows: C must be a numeric vector");
    for (std::size_t e = 0; e < c->numel(); ++e) {
      const double v = double(c->cre()[e]);
      if (v != std::floor(v) || v == 0 || std::fabs(v) > double(cols))
        grl_fail("sortrows: all elements of C must be in the range [1, columns (A)]");
      order.push_back(long(v));
    }
  }
  if (n == 0) {
    if (y) *y = x;
    if (k) *k = Mt::alloc(0, 1);
    return;
  }
  // Per column compared: its strings, or its numbers.
  std::vector<std::vector<key>> texts(cols);
  std::vector<std::vector<double>> numbers(cols);
  std::vector<char> is_text(cols, 0);
  for (long sj : order) {
    const std::size_t j = std::size_t(std::labs(sj)) - 1;
    if (!texts[j].empty() || !numbers[j].empty()) continue;
    const Mt& first = x.elem(j * n);
    is_text[j] = first.ischar();
    for (std::size_t r = 0; r < n; ++r) {
      const Mt& e = x.elem(r + j * n);
      if (is_text[j]) {
        if (!e.ischar() || e.rows() > 1) fail_mixed();
        texts[j].emplace_back(e.cre(), e.cre() + e.numel());
      } else {
        if (e.ischar() || e.holds_cell() || e.holds_struct() || e.isc() || e.numel() != 1 || e.fn_) fail_mixed();
        numbers[j].push_back(double(e.cre()[0]));
      }
    }
  }
  std::vector<std::size_t> at(n);
  std::iota(at.begin(), at.end(), std::size_t(0));
  std::stable_sort(at.begin(), at.end(), [&](std::size_t u, std::size_t v) {
    for (long sj : order) {
      const std::size_t j = std::size_t(std::labs(sj)) - 1;
      const bool desc = sj < 0;
      bool less, more;
      if (is_text[j]) {
        less = texts[j][u] < texts[j][v];
        more = texts[j][v] < texts[j][u];
      } else {
        less = numbers[j][u] < numbers[j][v];
        more = numbers[j][v] < numbers[j][u];
      }
      if (less || more) return desc ? more : less;
    }
    return false;
  });
  Mc o = Mc::alloc(n, cols);
  Mt ix = Mt::alloc(n, 1);
  for (std::size_t t = 0; t < n; ++t) {
    for (std::size_t j = 0; j < cols; ++j) o.welem(t + j * n) = x.elem(at[t] + j * n);
    ix.pr()[t] = m_type(at[t] + 1);
  }
  if (y) *y = o;
  if (k) *k = ix;
}

void sortrows_cells(const Mc& x, bool desc, Mc* y, Mr<m_type>* k) {
  const std::vector<key> keys = keys_of(x, "sortrows: only cell arrays of character strings may be sorted");
  const std::size_t n = x.rows();
  std::vector<std::size_t> at(n);
  if (x.rows() == 1) {
    at[0] = 0;   // one row: it stays where it is
  } else {
    std::iota(at.begin(), at.end(), std::size_t(0));
    at = order(keys, at, desc);
  }
  Mc o = x.rows() == 1 ? x : Mc::alloc(n, x.cols());
  Mt ix = Mt::alloc(n, 1);
  for (std::size_t t = 0; t < n; ++t) {
    if (x.rows() != 1) o.welem(t) = x.elem(at[t]);
    ix.pr()[t] = m_type(at[t] + 1);
  }
  if (y) *y = o;
  if (k) *k = ix;
}

// --- unique -----------------------------------------------------------------------------

struct unique_opts {
  bool last = false, stable = false;
};

void unique_opt(unique_opts& o, const Mt& s) {
  const std::string v = s.ischar() ? lower(su::text(s)) : std::string();
  if (v == "rows") {
    warning(su::str("unique: \"rows\" is ignored for cell arrays"));
  } else if (v == "first") {
    o.last = false;
  } else if (v == "last") {
    o.last = true;
  } else if (v == "stable") {
    o.stable = true;
  } else if (v == "sorted") {
    o.stable = false;
  } else {
    grl_fail("unique: invalid option");
  }
}

// The distinct strings: a row for a row cell, else a column; u = x(i) and x = u(j), i
// naming the first (or last) occurrence of each string.
void unique_cells(const Mc& x, const unique_opts& o, Mc* u, Mr<m_type>* i, Mr<m_type>* j) {
  const std::vector<key> keys = keys_of(x, "unique: X must be an array or cell array of strings");
  const std::size_t n = x.numel();
  if (n == 0) {
    // As for numbers: {} stays 0x0, any other empty cell gives 0x1.
    if (u) *u = x.rows() == 0 && x.cols() == 0 ? Mc() : Mc::alloc(0, 1);
    if (i) *i = Mt();
    if (j) *j = Mt();
    return;
  }
  std::vector<std::size_t> at(n);
  std::iota(at.begin(), at.end(), std::size_t(0));
  const std::vector<std::size_t> sorted = order(keys, at, false);
  std::vector<std::size_t> pick, first, of(n);
  for (std::size_t s = 0; s < n;) {
    std::size_t e = s + 1;
    while (e < n && keys[sorted[e]] == keys[sorted[s]]) ++e;
    for (std::size_t q = s; q < e; ++q) of[sorted[q]] = pick.size();
    first.push_back(sorted[s]);
    pick.push_back(o.last ? sorted[e - 1] : sorted[s]);
    s = e;
  }
  if (o.stable) {
    // Each string where it first occurs.
    std::vector<std::size_t> by(pick.size()), renum(pick.size()), p(pick.size());
    std::iota(by.begin(), by.end(), std::size_t(0));
    std::sort(by.begin(), by.end(), [&](std::size_t a, std::size_t b) { return first[a] < first[b]; });
    for (std::size_t q = 0; q < by.size(); ++q) {
      p[q] = pick[by[q]];
      renum[by[q]] = q;
    }
    pick = p;
    for (std::size_t& v : of) v = renum[v];
  }
  const std::size_t m = pick.size();
  if (u) {
    Mc r = x.rows() == 1 ? Mc::alloc(1, m) : Mc::alloc(m, 1);
    for (std::size_t q = 0; q < m; ++q) r.welem(q) = x.elem(pick[q]);
    *u = r;
  }
  auto column = [](const std::vector<std::size_t>& v) {
    Mt c = Mt::alloc(v.size(), 1);
    for (std::size_t q = 0; q < v.size(); ++q) c.pr()[q] = m_type(v[q] + 1);
    return c;
  };
  if (i) *i = column(pick);
  if (j) *j = column(of);
}

}  // namespace

// --- sort -------------------------------------------------------------------------------
Mc sort(const Mc& x) { Mc o; sort_cells(x, sort_dim(x), false, &o, nullptr); return o; }
// sort(c, dim) or sort(c, mode).
Mc sort(const Mc& x, const Mt& a) {
  Mc o;
  if (a.ischar()) sort_cells(x, sort_dim(x), direction(a, "sort"), &o, nullptr);
  else sort_cells(x, dimension(a), false, &o, nullptr);
  return o;
}
Mc sort(const Mc& x, const Mt& dim, const Mt& mode) {
  Mc o;
  sort_cells(x, dimension(dim), direction(mode, "sort"), &o, nullptr);
  return o;
}
void sort(const Mc& x, i_o_t, Mc& s, Mr<m_type> k) { sort_cells(x, sort_dim(x), false, &s, &k); }
void sort(const Mc& x, const Mt& a, i_o_t, Mc& s, Mr<m_type> k) {
  if (a.ischar()) sort_cells(x, sort_dim(x), direction(a, "sort"), &s, &k);
  else sort_cells(x, dimension(a), false, &s, &k);
}
void sort(const Mc& x, const Mt& dim, const Mt& mode, i_o_t, Mc& s, Mr<m_type> k) {
  sort_cells(x, dimension(dim), direction(mode, "sort"), &s, &k);
}

// --- sortrows ---------------------------------------------------------------------------
namespace {
bool several_columns(const Mc& x) { return x.cols() > 1 && x.rows() != 1; }
}  // namespace
Mc sortrows(const Mc& x) {
  Mc o;
  if (several_columns(x)) sortrows_columns(x, nullptr, &o, nullptr);
  else sortrows_cells(x, false, &o, nullptr);
  return o;
}
Mc sortrows(const Mc& x, const Mt& c) {
  Mc o;
  if (several_columns(x)) sortrows_columns(x, &c, &o, nullptr);
  else sortrows_cells(x, sortrows_desc(c), &o, nullptr);
  return o;
}
void sortrows(const Mc& x, i_o_t, Mc& y, Mr<m_type> k) {
  if (several_columns(x)) sortrows_columns(x, nullptr, &y, &k);
  else sortrows_cells(x, false, &y, &k);
}
void sortrows(const Mc& x, const Mt& c, i_o_t, Mc& y, Mr<m_type> k) {
  if (several_columns(x)) return sortrows_columns(x, &c, &y, &k);
  sortrows_cells(x, sortrows_desc(c), &y, &k);
}

// --- unique -----------------------------------------------------------------------------
Mc unique(const Mc& x) { Mc o; unique_cells(x, unique_opts(), &o, nullptr, nullptr); return o; }
Mc unique(const Mc& x, const Mt& o1) {
  unique_opts op;
  unique_opt(op, o1);
  Mc o;
  unique_cells(x, op, &o, nullptr, nullptr);
  return o;
}
Mc unique(const Mc& x, const Mt& o1, const Mt& o2) {
  unique_opts op;
  unique_opt(op, o1);
  unique_opt(op, o2);
  Mc o;
  unique_cells(x, op, &o, nullptr, nullptr);
  return o;
}
void unique(const Mc& x, i_o_t, Mc& u, Mr<m_type> i, Mr<m_type> j) {
  unique_cells(x, unique_opts(), &u, &i, &j);
}
void unique(const Mc& x, const Mt& o1, i_o_t, Mc& u, Mr<m_type> i, Mr<m_type> j) {
  unique_opts op;
  unique_opt(op, o1);
  unique_cells(x, op, &u, &i, &j);
}
void unique(const Mc& x, const Mt& o1, const Mt& o2, i_o_t, Mc& u, Mr<m_type> i, Mr<m_type> j) {
  unique_opts op;
  unique_opt(op, o1);
  unique_opt(op, o2);
  unique_cells(x, op, &u, &i, &j);
}
