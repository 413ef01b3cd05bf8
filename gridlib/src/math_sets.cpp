// Sets and rows: sortrows, unique, intersect, union, setdiff, ismember and histc.
//
// Every function works on a table: items (the elements of x(:), or the rows of x with
// 'rows') of one or more columns. Items order column by column as sort orders numbers
// (complex by magnitude, then phase angle; NaN last and equal to each other in order),
// and are the same value only when every column is equal and none is NaN.
#include "int64_util.h"
#include "math_util.h"
#include "held_cells.h"

#include <cxxabi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

using namespace grl;
using namespace grl::mth;

namespace {

// Items of a table: item t, column c is at re[t + c * n].
struct table {
  std::size_t n = 0, w = 1;
  std::vector<m_type> re, im;      // im empty for a real table
};

// The elements of x(:) as one-column items; with rows, the rows of x.
table items_of(const Mt& x, bool rows) {
  table t;
  const std::size_t k = x.numel();
  t.n = rows ? x.rows() : k;
  t.w = rows ? x.cols() : 1;
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  t.re.assign(a, a + k);
  if (b) t.im.assign(b, b + k);
  return t;
}

// The items of a above those of b (a and b of equal widths).
table stack(const table& a, const table& b) {
  table t;
  t.n = a.n + b.n;
  t.w = a.w;
  const bool cp = !a.im.empty() || !b.im.empty();
  t.re.resize(t.n * t.w);
  if (cp) t.im.assign(t.n * t.w, m_type(0));
  for (std::size_t c = 0; c < t.w; ++c) {
    for (std::size_t i = 0; i < a.n; ++i) {
      t.re[i + c * t.n] = a.re[i + c * a.n];
      if (!a.im.empty()) t.im[i + c * t.n] = a.im[i + c * a.n];
    }
    for (std::size_t i = 0; i < b.n; ++i) {
      t.re[a.n + i + c * t.n] = b.re[i + c * b.n];
      if (!b.im.empty()) t.im[a.n + i + c * t.n] = b.im[i + c * b.n];
    }
  }
  return t;
}

bool isnan_v(m_type v) { return v != v; }

// Order of two numbers as sort gives it: -1, 0 or 1; NaN after everything, NaN and NaN 0.
int order(m_type ar, m_type ai, m_type br, m_type bi, bool cp) {
  if (cp) {
    const bool na = isnan_v(ar) || isnan_v(ai), nb = isnan_v(br) || isnan_v(bi);
    if (na || nb) return na == nb ? 0 : na ? 1 : -1;
    const m_type ma = std::hypot(ar, ai), mb = std::hypot(br, bi);
    if (ma != mb) return ma < mb ? -1 : 1;
    const m_type pa = std::atan2(ai, ar), pb = std::atan2(bi, br);
    if (pa != pb) return pa < pb ? -1 : 1;
    return 0;
  }
  const bool na = isnan_v(ar), nb = isnan_v(br);
  if (na || nb) return na == nb ? 0 : na ? 1 : -1;
  return ar < br ? -1 : ar > br ? 1 : 0;
}

int order_col(const table& t, std::size_t i, std::size_t j, std::size_t c) {
  const std::size_t p = i + c * t.n, q = j + c * t.n;
  const bool cp = !t.im.empty();
  return order(t.re[p], cp ? t.im[p] : m_type(0), t.re[q], cp ? t.im[q] : m_type(0), cp);
}

int order_items(const table& t, std::size_t i, std::size_t j) {
  for (std::size_t c = 0; c < t.w; ++c)
    if (int r = order_col(t, i, j, c)) return r;
  return 0;
}

bool same_items(const table& t, std::size_t i, std::size_t j) {
  for (std::size_t c = 0; c < t.w; ++c) {
    const std::size_t p = i + c * t.n, q = j + c * t.n;
    if (t.re[p] != t.re[q]) return false;
    if (!t.im.empty() && t.im[p] != t.im[q]) return false;
  }
  return true;   // NaN != NaN above, so a NaN item is never the same as another
}

// The items in ascending order; equal items keep their order.
std::vector<std::size_t> sorted_items(const table& t) {
  std::vector<std::size_t> perm(t.n);
  std::iota(perm.begin(), perm.end(), std::size_t(0));
  std::stable_sort(perm.begin(), perm.end(),
                   [&](std::size_t i, std::size_t j) { return order_items(t, i, j) < 0; });
  return perm;
}

// The distinct values of a table: for each, the item that stands for it (its first or
// last occurrence), in sorted order or in the order of first occurrence; and for each
// item the number (from 0) of its value.
struct groups {
  std::vector<std::size_t> pick;
  std::vector<std::size_t> of;
};

groups group_items(const table& t, bool last, bool stable) {
  groups g;
  const std::vector<std::size_t> perm = sorted_items(t);
  g.of.assign(t.n, 0);
  std::vector<std::size_t> first;
  for (std::size_t s = 0; s < t.n;) {
    std::size_t e = s + 1;
    while (e < t.n && same_items(t, perm[s], perm[e])) ++e;
    const std::size_t k = g.pick.size();
    for (std::size_t q = s; q < e; ++q) g.of[perm[q]] = k;
    first.push_back(perm[s]);
    g.pick.push_back(last ? perm[e - 1] : perm[s]);
    s = e;
  }
  if (stable) {
    std::vector<std::size_t> by(g.pick.size()), renum(g.pick.size());
    std::iota(by.begin(), by.end(), std::size_t(0));
    std::sort(by.begin(), by.end(), [&](std::size_t u, std::size_t v) { return first[u] < first[v]; });
    std::vector<std::size_t> pick(by.size());
    for (std::size_t k = 0; k < by.size(); ++k) {
      pick[k] = g.pick[by[k]];
      renum[by[k]] = k;
    }
    g.pick = pick;
    for (std::size_t& o : g.of) o = renum[o];
  }
  return g;
}

// Items `pick` of t as a matrix: one row per item; a one-column table as a row or a column.
Mt items_value(const table& t, const std::vector<std::size_t>& pick, bool row, std::uint32_t flags) {
  const std::size_t k = pick.size();
  const bool cp = !t.im.empty();
  Mt o = t.w == 1 ? (row ? Mt::alloc(1, k, cp) : Mt::alloc(k, 1, cp)) : Mt::alloc(k, t.w, cp);
  if (k) {
    m_type* pr = o.pr();
    m_type* pi = cp ? o.pi() : nullptr;
    for (std::size_t c = 0; c < t.w; ++c)
      for (std::size_t q = 0; q < k; ++q) {
        pr[q + c * k] = t.re[pick[q] + c * t.n];
        if (pi) pi[q + c * k] = t.im[pick[q] + c * t.n];
      }
  }
  o.set_flags(flags);
  return cp ? narrow(o) : o;
}

// Positions (from 1, plus `base`) as a column.
Mt index_column(const std::vector<std::size_t>& v, std::size_t base = 0) {
  Mt o = Mt::alloc(v.size(), 1);
  if (!v.empty()) {
    m_type* p = o.pr();
    for (std::size_t k = 0; k < v.size(); ++k) p[k] = m_type(v[k] + 1 - base);
  }
  return o;
}

// The elements of a column of indices that a mask keeps, shaped as indexing a vector
// with a mask shapes it: a column, except that a single index gives 1x1 or 0x0.
Mt masked_indices(const std::vector<std::size_t>& v, const std::vector<bool>& keep, std::size_t base) {
  std::vector<std::size_t> out;
  for (std::size_t k = 0; k < v.size(); ++k)
    if (keep[k]) out.push_back(v[k]);
  if (v.size() == 1 && out.empty()) return Mt();
  return index_column(out, base);
}

std::uint32_t flags_of(const Mt& x) {
  return x.ischar() ? std::uint32_t(F_STRING) : x.islogical() ? std::uint32_t(F_LOGICAL) : 0u;
}
// The class of a result made of the values of both a and b: char wins, logical needs both.
std::uint32_t flags_of2(const Mt& a, const Mt& b) {
  if (a.ischar() || b.ischar()) return F_STRING;
  return a.islogical() && b.islogical() ? std::uint32_t(F_LOGICAL) : 0u;
}

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// --- sortrows ---------------------------------------------------------------------------

// The sort keys of sortrows(x, c): columns from 0, each ascending or descending.
struct key {
  std::size_t col;
  bool desc;
};

std::vector<key> all_columns(std::size_t cols, bool desc) {
  std::vector<key> k;
  for (std::size_t c = 0; c < cols; ++c) k.push_back({c, desc});
  return k;
}

std::vector<key> sortrows_keys(const Mt& x, const Mt& c) {
  if (c.ischar()) {
    // MATLAB's direction argument: every column, ascending or descending.
    const std::string s = lower(text(c));
    if (s == "ascend") return all_columns(x.cols(), false);
    if (s == "descend") return all_columns(x.cols(), true);
    grl_fail("sortrows: C must be a numeric vector");
  }
  if (c.isc() || c.numel() == 0 || (c.rows() != 1 && c.cols() != 1))
    grl_fail("sortrows: C must be a numeric vector");
  std::vector<key> k;
  const m_type* p = c.cre();
  for (std::size_t t = 0; t < c.numel(); ++t) {
    const double v = double(p[t]);
    const double a = std::fabs(v);
    if (v == 0 || !(a <= double(x.cols())))
      grl_fail("sortrows: all elements of C must be in the range [1, columns (A)]");
    if (a != std::floor(a))
      grl_fail("A(_,%g): subscripts must be either integers 1 to (2^63)-1 or logicals", a);
    k.push_back({std::size_t(a) - 1, v < 0});
  }
  return k;
}

void sortrows_impl(const Mt& x, const std::vector<key>& keys, Mr<m_type>* y, Mr<m_type>* k) {
  const table t = items_of(x, true);
  std::vector<std::size_t> perm(t.n);
  std::iota(perm.begin(), perm.end(), std::size_t(0));
  std::stable_sort(perm.begin(), perm.end(), [&](std::size_t i, std::size_t j) {
    for (const key& kk : keys)
      if (int r = order_col(t, i, j, kk.col)) return kk.desc ? r > 0 : r < 0;
    return false;
  });
  if (y) {
    if (x.numel() == 0) *y = x;
    else *y = items_value(t, perm, false, flags_of(x));
  }
  if (k) *k = index_column(perm);
}

// --- unique -------------------------------------------------------------------------------

struct unique_opts {
  bool rows = false, last = false, stable = false;
};

void unique_opt(unique_opts& o, const Mt& s) {
  const std::string v = s.ischar() ? lower(text(s)) : std::string();
  if (v == "rows") o.rows = true;
  else if (v == "first") o.last = false;
  else if (v == "last") o.last = true;
  else if (v == "stable") o.stable = true;
  else if (v == "sorted") o.stable = false;
  else grl_fail("unique: invalid option");
}

void unique_impl(const Mt& x, const unique_opts& o, Mr<m_type>* u, Mr<m_type>* i, Mr<m_type>* j) {
  if (w64::has_exact(x)) {
    // int64/uint64 beyond 2^53: the unique ranks of the exact values, turned back.
    std::vector<std::uint64_t> table;
    Mt uo;
    Mr<m_type> mu(uo);
    unique_impl(w64::ranks(x, table), o, &mu, i, j);
    w64::unrank(uo, x.num_class(), table);
    if (u) *u = uo;
    return;
  }
  const bool rows = o.rows;
  if (x.numel() == 0) {
    // An empty value: 0x0 stays 0x0, by rows the columns stay, any other empty is 0x1.
    Mt e = rows ? Mt::alloc(0, x.cols()) : (x.rows() == 0 && x.cols() == 0) ? Mt() : Mt::alloc(0, 1);
    e.set_flags(flags_of(x));
    if (u) *u = e;
    if (i) *i = Mt();
    if (j) *j = Mt();
    return;
  }
  const table t = items_of(x, rows);
  const groups g = group_items(t, o.last, o.stable);
  if (u) {
    Mt v = items_value(t, g.pick, !rows && x.rows() == 1, flags_of(x));
    keep_class(v, x);
    *u = v;
  }
  if (i) *i = index_column(g.pick);
  if (j) *j = index_column(g.of);
}

// --- intersect, union, setdiff ---------------------------------------------------------

bool rows_opt(const Mt& opt, const char* fn) {
  const std::string v = opt.ischar() ? lower(text(opt)) : std::string();
  if (v == "rows") return true;
  if (v == "sorted") return false;
  grl_fail("%s: invalid option: %s", fn, v.c_str());
}

// The tables of a and b: elements, or rows of equal width.
void two_tables(const Mt& a, const Mt& b, bool rows, const char* fn, table& ta, table& tb) {
  if (rows && a.cols() != b.cols() && a.numel() && b.numel())
    grl_fail("%s: number of columns in A and B must match", fn);
  ta = items_of(a, rows);
  tb = items_of(b, rows);
  // An empty value has no items, whatever its shape (a 2x0 matrix has no rows to compare).
  if (a.numel() == 0) ta.n = 0;
  if (b.numel() == 0) tb.n = 0;
  if (rows) ta.w = tb.w = std::max(a.cols(), b.cols());
  if (!ta.n) { ta.re.clear(); ta.im.clear(); }
  if (!tb.n) { tb.re.clear(); tb.im.clear(); }
}

// --- set functions of cells of strings ---------------------------------------------------
// intersect, union and setdiff of a cell of strings with another or with a char row (one
// string): sorted distinct strings, each index the first place the string stands. The
// result is a row when both inputs are rows (setdiff: when the first is), else a column.
struct string_set {
  std::vector<std::string> s;
  bool row = true, empty00 = false;
};

bool string_set_of(const Mt& x, const char* fn, string_set& out) {
  if (x.holds_cell()) {
    const Mc& c = x.held_cell();
    for (std::size_t k = 0; k < c.numel(); ++k) {
      const Mt& e = c.elem(k);
      if ((!e.ischar() && e.numel() != 0) || e.holds_cell() || e.rows() > 1)
        grl_fail("%s: cell array of strings cannot be combined with a nonstring value", fn);
      out.s.push_back(text(e));
    }
    out.row = c.rows() == 1;
    out.empty00 = c.rows() == 0 && c.cols() == 0;
    return true;
  }
  if ((!x.ischar() && x.numel() != 0) || x.rows() > 1)
    grl_fail("%s: cell array of strings cannot be combined with a nonstring value", fn);
  out.s.push_back(text(x));
  return true;
}

// The distinct strings of v in order, each with the index (from 1) of its first place.
std::vector<std::pair<std::string, std::size_t>> distinct_strings(const std::vector<std::string>& v) {
  std::vector<std::pair<std::string, std::size_t>> d;
  for (std::size_t k = 0; k < v.size(); ++k) d.emplace_back(v[k], k + 1);
  std::stable_sort(d.begin(), d.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
  d.erase(std::unique(d.begin(), d.end(), [](const auto& x, const auto& y) { return x.first == y.first; }), d.end());
  return d;
}

Mt string_cell(const std::vector<std::string>& v, bool row, bool zero_by_zero) {
  const std::size_t n = v.size();
  Mc c = zero_by_zero && n == 0 ? Mc::alloc(0, 0) : row ? Mc::alloc(1, n) : Mc::alloc(n, 1);
  for (std::size_t k = 0; k < n; ++k) c.welem(k) = TM(v[k].c_str());
  return Mt::of_cell(c);
}

Mt index_list(const std::vector<std::size_t>& v) {
  Mt o = Mt::alloc(v.size(), 1);
  for (std::size_t k = 0; k < v.size(); ++k) o.pr()[k] = m_type(v[k]);
  return o;
}

// 'i' intersect, 'u' union, 'd' setdiff; false when neither input holds a cell.
bool string_sets(char op, const Mt& a, const Mt& b, Mr<m_type>* c, Mr<m_type>* ia, Mr<m_type>* ib) {
  if (!a.holds_cell() && !b.holds_cell()) return false;
  const char* fn = op == 'i' ? "intersect" : op == 'u' ? "union" : op == 'x' ? "setxor" : "setdiff";
  string_set sa, sb;
  string_set_of(a, fn, sa);
  string_set_of(b, fn, sb);
  const auto da = distinct_strings(sa.s), db = distinct_strings(sb.s);
  std::vector<std::string> out;
  std::vector<std::size_t> xa, xb;
  auto in_b = [&](const std::string& w) {
    auto at = std::lower_bound(db.begin(), db.end(), w, [](const auto& x, const std::string& y) { return x.first < y; });
    return at != db.end() && at->first == w ? at->second : std::size_t(0);
  };
  bool row = sa.row && sb.row, zero = false;
  if (op == 'd') {
    row = sa.row;
    zero = sa.empty00;
    for (const auto& e : da)
      if (!in_b(e.first)) { out.push_back(e.first); xa.push_back(e.second); }
  } else if (op == 'i') {
    for (const auto& e : da)
      if (const std::size_t k = in_b(e.first)) { out.push_back(e.first); xa.push_back(e.second); xb.push_back(k); }
    zero = out.empty() && (sa.s.empty() || sb.s.empty() || (da.size() == 1 && db.size() == 1));
  } else if (op == 'x') {
    // Strings of exactly one side, in sorted order: walk both sorted lists together.
    std::size_t p = 0, q = 0;
    while (p < da.size() || q < db.size()) {
      if (q == db.size() || (p < da.size() && da[p].first < db[q].first)) {
        out.push_back(da[p].first);
        xa.push_back(da[p++].second);
      } else if (p == da.size() || db[q].first < da[p].first) {
        out.push_back(db[q].first);
        xb.push_back(db[q++].second);
      } else {
        ++p;
        ++q;
      }
    }
  } else {
    std::vector<std::string> all = sa.s;
    all.insert(all.end(), sb.s.begin(), sb.s.end());
    for (const auto& e : distinct_strings(all)) {
      out.push_back(e.first);
      if (e.second <= sa.s.size()) xa.push_back(e.second);
      else xb.push_back(e.second - sa.s.size());
    }
  }
  if (c) *c = string_cell(out, row, zero);
  if (ia) *ia = index_list(xa);
  if (ib) *ib = index_list(xb);
  return true;
}

// A set result of one-column items is a row when both inputs are rows.
void intersect_impl(const Mt& a, const Mt& b, bool rows, Mr<m_type>* c, Mr<m_type>* ia, Mr<m_type>* ib) {
  if (!rows && string_sets('i', a, b, c, ia, ib)) return;
  if (a.numel() == 0 || b.numel() == 0) {
    Mt e;
    e.set_flags(flags_of2(a, b));
    if (c) *c = e;
    if (ia) *ia = Mt();
    if (ib) *ib = Mt();
    return;
  }
  table ta, tb;
  two_tables(a, b, rows, "intersect", ta, tb);
  const groups ga = group_items(ta, false, false), gb = group_items(tb, false, false);
  // Both lists of distinct values are sorted: walk them together.
  table both = stack(ta, tb);
  std::vector<std::size_t> pick, pa, pb;
  std::size_t p = 0, q = 0;
  while (p < ga.pick.size() && q < gb.pick.size()) {
    const std::size_t u = ga.pick[p], v = ta.n + gb.pick[q];
    const int r = order_items(both, u, v);
    if (r < 0) ++p;
    else if (r > 0) ++q;
    else {
      if (same_items(both, u, v)) {
        pick.push_back(u);
        pa.push_back(ga.pick[p]);
        pb.push_back(gb.pick[q]);
        ++q;
      }
      ++p;   // a NaN item equals nothing: step past it
    }
  }
  if (pick.empty() && ga.pick.size() == 1 && gb.pick.size() == 1) {
    // One distinct value on each side and no match: every output is 0x0 (by rows, no
    // rows of the common width), as Octave gives it.
    Mt e = rows ? Mt::alloc(0, ta.w) : Mt();
    e.set_flags(flags_of2(a, b));
    if (c) *c = e;
    if (ia) *ia = Mt();
    if (ib) *ib = Mt();
    return;
  }
  if (c) *c = items_value(both, pick, !rows && a.rows() == 1 && b.rows() == 1, flags_of2(a, b));
  if (ia) *ia = index_column(pa);
  if (ib) *ib = index_column(pb);
}

void union_impl(const Mt& a, const Mt& b, bool rows, Mr<m_type>* c, Mr<m_type>* ia, Mr<m_type>* ib) {
  if (!rows && string_sets('u', a, b, c, ia, ib)) return;
  table ta, tb;
  two_tables(a, b, rows, "union", ta, tb);
  const table both = stack(ta, tb);
  if (both.n == 0) {
    Mt e = rows ? Mt::alloc(0, std::max(a.cols(), b.cols())) : Mt::alloc(0, 1);
    e.set_flags(flags_of2(a, b));
    if (c) *c = e;
    if (ia) *ia = Mt::alloc(0, 1);
    if (ib) *ib = Mt::alloc(0, 1);
    return;
  }
  const groups g = group_items(both, false, false);
  if (c) *c = items_value(both, g.pick, !rows && a.rows() == 1 && b.rows() == 1, flags_of2(a, b));
  std::vector<bool> in_a(g.pick.size()), in_b(g.pick.size());
  for (std::size_t k = 0; k < g.pick.size(); ++k) {
    in_a[k] = g.pick[k] < ta.n;
    in_b[k] = !in_a[k];
  }
  if (ia) *ia = masked_indices(g.pick, in_a, 0);
  if (ib) *ib = masked_indices(g.pick, in_b, ta.n);
}

void setdiff_impl(const Mt& a, const Mt& b, bool rows, Mr<m_type>* c, Mr<m_type>* ia) {
  if (!rows && string_sets('d', a, b, c, ia, nullptr)) return;
  if (a.numel() == 0) {
    Mt e = rows ? Mt::alloc(0, a.cols()) : (a.rows() == 0 && a.cols() == 0) ? Mt() : Mt::alloc(0, 1);
    e.set_flags(flags_of(a));
    if (c) *c = e;
    if (ia) *ia = Mt();
    return;
  }
  table ta, tb;
  two_tables(a, b, rows, "setdiff", ta, tb);
  const groups ga = group_items(ta, false, false);
  const table both = stack(ta, tb);
  std::vector<std::size_t> sb = sorted_items(tb);
  for (std::size_t& v : sb) v += ta.n;
  std::vector<bool> keep(ga.pick.size());
  std::vector<std::size_t> pick;
  for (std::size_t k = 0; k < ga.pick.size(); ++k) {
    const std::size_t u = ga.pick[k];
    auto at = std::lower_bound(sb.begin(), sb.end(), u,
                               [&](std::size_t v, std::size_t w) { return order_items(both, v, w) < 0; });
    keep[k] = !(at != sb.end() && same_items(both, *at, u));
    if (keep[k]) pick.push_back(u);
  }
  if (c) *c = items_value(both, pick, !rows && a.rows() == 1, flags_of(a));
  // No index left of a single distinct element is 1x0 (0x1 by rows), as Octave gives it.
  if (ia) *ia = pick.empty() && ga.pick.size() == 1 && !rows ? Mt::alloc(1, 0) : index_column(pick);
}

// The values of exactly one of a and b, sorted; ia and ib name the first place of each.
// A NaN equals nothing, so every NaN of either side is kept.
void setxor_impl(const Mt& a, const Mt& b, bool rows, Mr<m_type>* c, Mr<m_type>* ia, Mr<m_type>* ib) {
  if (!rows && string_sets('x', a, b, c, ia, ib)) return;
  table ta, tb;
  two_tables(a, b, rows, "setxor", ta, tb);
  const table both = stack(ta, tb);
  const groups ga = group_items(ta, false, false), gb = group_items(tb, false, false);
  std::vector<std::size_t> sa = sorted_items(ta), sb = sorted_items(tb);
  for (std::size_t& v : sb) v += ta.n;
  auto found = [&](const std::vector<std::size_t>& sorted, std::size_t u) {
    auto at = std::lower_bound(sorted.begin(), sorted.end(), u,
                               [&](std::size_t v, std::size_t w) { return order_items(both, v, w) < 0; });
    return at != sorted.end() && same_items(both, *at, u);
  };
  std::vector<std::size_t> pick, pa, pb;
  for (std::size_t u : ga.pick)
    if (!found(sb, u)) pick.push_back(u);
  for (std::size_t v : gb.pick)
    if (!found(sa, v + ta.n)) pick.push_back(v + ta.n);
  std::stable_sort(pick.begin(), pick.end(), [&](std::size_t u, std::size_t v) { return order_items(both, u, v) < 0; });
  for (std::size_t u : pick) (u < ta.n ? pa : pb).push_back(u < ta.n ? u : u - ta.n);
  const bool row = !rows && (a.rows() == 1 || a.numel() == 0) && (b.rows() == 1 || b.numel() == 0);
  if (c) {
    Mt o = items_value(both, pick, row, flags_of2(a, b));
    keep_class(o, a.cls_ ? a : b);
    *c = o;
  }
  if (ia) *ia = index_column(pa);
  if (ib) *ib = index_column(pb);
}

// --- ismember -------------------------------------------------------------------------------

void ismember_impl(const Mt& a, const Mt& s, bool rows, Mr<m_type>* tf, Mr<m_type>* loc) {
  if (rows && a.cols() != s.cols() && a.numel() && s.numel())
    grl_fail("ismember: number of columns in A and B must match");
  table ta = items_of(a, rows), ts = items_of(s, rows);
  if (a.numel() == 0) ta.n = 0;
  if (s.numel() == 0) ts.n = 0;
  const table both = stack(ta, ts);
  std::vector<std::size_t> ss = sorted_items(ts);
  for (std::size_t& v : ss) v += ta.n;
  Mt t = rows ? Mt::zeros(ta.n, 1) : Mt::zeros(a.rows(), a.cols());
  Mt l = rows ? Mt::zeros(ta.n, 1) : Mt::zeros(a.rows(), a.cols());
  if (ta.n) {
    m_type* pt = t.pr();
    m_type* pl = l.pr();
    for (std::size_t k = 0; k < ta.n; ++k) {
      // The first of a run of equal items in a stable order is the lowest index.
      auto at = std::lower_bound(ss.begin(), ss.end(), k,
                                 [&](std::size_t v, std::size_t w) { return order_items(both, v, w) < 0; });
      if (at != ss.end() && same_items(both, *at, k)) {
        pt[k] = 1;
        pl[k] = m_type(*at - ta.n + 1);
      }
    }
  }
  t.set_flags(F_LOGICAL);
  if (tf) *tf = t;
  if (loc) *loc = l;
}

// The strings of a cell (or of one char row) for lookups among strings.
std::vector<std::string> strings_of(const Mc& c) {
  std::vector<std::string> v;
  for (std::size_t k = 0; k < c.numel(); ++k) {
    const Mt& e = c.elem(k);
    if (!e.ischar() && !(e.numel() == 0 && !e.holds_cell()))
      grl_fail("ismember: A and B must be arrays or cell arrays of strings");
    if (e.rows() > 1) grl_fail("ismember: A and B must be arrays or cell arrays of strings");
    v.push_back(text(e));
  }
  return v;
}
std::string string_of(const Mt& x) {
  if ((!x.ischar() && x.numel() != 0) || x.rows() > 1)
    grl_fail("ismember: A and B must be arrays or cell arrays of strings");
  return text(x);
}

void ismember_strings(const std::vector<std::string>& a, std::size_t r, std::size_t c,
                      const std::vector<std::string>& s, Mr<m_type>* tf, Mr<m_type>* loc) {
  Mt t = Mt::zeros(r, c), l = Mt::zeros(r, c);
  if (!a.empty()) {
    m_type* pt = t.pr();
    m_type* pl = l.pr();
    for (std::size_t k = 0; k < a.size(); ++k)
      for (std::size_t q = 0; q < s.size(); ++q)
        if (a[k] == s[q]) {
          pt[k] = 1;
          pl[k] = m_type(q + 1);
          break;
        }
  }
  t.set_flags(F_LOGICAL);
  if (tf) *tf = t;
  if (loc) *loc = l;
}

// --- histc ------------------------------------------------------------------------------------

void histc_impl(const Mt& x, const Mt& edges, int dim, Mr<m_type>* n, Mr<m_type>* idx) {
  if (x.isc()) grl_fail("histc: X argument must be real-valued, not complex");
  if (edges.isc()) grl_fail("histc: EDGES must be real-valued, not complex");
  const std::size_t ne = edges.numel();
  if (ne == 0) {
    grl::warn("", "histc: empty EDGES specified");
    if (n) *n = Mt();
    if (idx) *idx = Mt();
    return;
  }
  std::vector<m_type> e(edges.cre(), edges.cre() + ne);
  if (!std::is_sorted(e.begin(), e.end())) {
    grl::warn("", "histc: edge values not sorted on input");
    std::sort(e.begin(), e.end());
  }
  if (dim == 0) dim = x.rows() != 1 ? 1 : x.cols() > 1 ? 2 : 1;
  const std::size_t xr = x.rows(), xc = x.cols();
  const std::size_t len = dim == 1 ? xr : xc, groups = dim == 1 ? xc : xr;
  Mt o = dim == 1 ? Mt::zeros(ne, xc) : Mt::zeros(xr, ne);
  Mt ix = Mt::zeros(xr, xc);
  m_type* po = o.numel() ? o.pr() : nullptr;
  m_type* pi = ix.numel() ? ix.pr() : nullptr;
  const m_type* a = x.cre();
  for (std::size_t g = 0; g < groups; ++g)
    for (std::size_t t = 0; t < len; ++t) {
      const std::size_t at = dim == 1 ? t + g * xr : g + t * xr;
      const m_type v = a[at];
      if (v != v) continue;
      // The bin is the last edge not above v; the last edge takes only v equal to it.
      const std::size_t k = std::size_t(std::upper_bound(e.begin(), e.end(), v) - e.begin());
      if (k == 0 || (k == ne && v != e[ne - 1])) continue;
      const std::size_t bin = k - 1;
      po[dim == 1 ? bin + g * ne : g + bin * xr] += 1;
      pi[at] = m_type(bin + 1);
    }
  if (n) *n = o;
  if (idx) *idx = ix;
}

int histc_dim(const Mt& d) {
  if (d.numel() != 1 || d.isc()) grl_fail("histc: DIM must be an integer and a valid dimension");
  const double v = double(d.cre()[0]);
  if (v != 1 && v != 2) grl_fail("histc: DIM must be an integer and a valid dimension");
  return int(v);
}

}  // namespace

// --- sortrows ---------------------------------------------------------------------------
Mt sortrows(const Mt& x) {
  Mt o; Mr<m_type> y(o);
  sortrows_impl(x, all_columns(x.cols(), false), &y, nullptr);
  return o;
}
Mt sortrows(const Mt& x, const Mt& c) {
  Mt o; Mr<m_type> y(o);
  sortrows_impl(x, sortrows_keys(x, c), &y, nullptr);
  return o;
}
void sortrows(const Mt& x, i_o_t, Mr<m_type> y, Mr<m_type> k) {
  sortrows_impl(x, all_columns(x.cols(), false), &y, &k);
}
void sortrows(const Mt& x, const Mt& c, i_o_t, Mr<m_type> y, Mr<m_type> k) {
  sortrows_impl(x, sortrows_keys(x, c), &y, &k);
}

// --- unique -------------------------------------------------------------------------------
Mt unique(const Mt& x) {
  GRL_HELD_CELL_1(unique, x);
  Mt o; Mr<m_type> u(o);
  unique_impl(x, unique_opts(), &u, nullptr, nullptr);
  return o;
}
Mt unique(const Mt& x, const Mt& o1) {
  GRL_HELD_CELL_1(unique, x, o1);
  unique_opts op;
  unique_opt(op, o1);
  Mt o; Mr<m_type> u(o);
  unique_impl(x, op, &u, nullptr, nullptr);
  return o;
}
Mt unique(const Mt& x, const Mt& o1, const Mt& o2) {
  GRL_HELD_CELL_1(unique, x, o1, o2);
  unique_opts op;
  unique_opt(op, o1);
  unique_opt(op, o2);
  Mt o; Mr<m_type> u(o);
  unique_impl(x, op, &u, nullptr, nullptr);
  return o;
}
// [u, i, j] = unique(x, ...) of a value holding a cell: the cell form's outputs.
#define GRL_HELD_CELL_UNIQUE(...)                   \
  do {                                              \
    if (x.holds_cell()) {                           \
      Mc found;                                     \
      unique(x.held_cell(), __VA_ARGS__ i_o, found, i, j); \
      u = Mt::of_cell(found);                       \
      return;                                       \
    }                                               \
  } while (0)
void unique(const Mt& x, i_o_t, Mr<m_type> u, Mr<m_type> i, Mr<m_type> j) {
  GRL_HELD_CELL_UNIQUE();
  unique_impl(x, unique_opts(), &u, &i, &j);
}
void unique(const Mt& x, const Mt& o1, i_o_t, Mr<m_type> u, Mr<m_type> i, Mr<m_type> j) {
  GRL_HELD_CELL_UNIQUE(o1,);
  unique_opts op;
  unique_opt(op, o1);
  unique_impl(x, op, &u, &i, &j);
}
void unique(const Mt& x, const Mt& o1, const Mt& o2, i_o_t, Mr<m_type> u, Mr<m_type> i, Mr<m_type> j) {
  GRL_HELD_CELL_UNIQUE(o1, o2,);
  unique_opts op;
  unique_opt(op, o1);
  unique_opt(op, o2);
  unique_impl(x, op, &u, &i, &j);
}

// --- intersect, union, setdiff ---------------------------------------------------------
Mt intersect(const Mt& a, const Mt& b) {
  Mt o; Mr<m_type> c(o);
  intersect_impl(a, b, false, &c, nullptr, nullptr);
  return o;
}
Mt intersect(const Mt& a, const Mt& b, const Mt& opt) {
  Mt o; Mr<m_type> c(o);
  intersect_impl(a, b, rows_opt(opt, "intersect"), &c, nullptr, nullptr);
  return o;
}
void intersect(const Mt& a, const Mt& b, i_o_t, Mr<m_type> c, Mr<m_type> ia, Mr<m_type> ib) {
  intersect_impl(a, b, false, &c, &ia, &ib);
}
void intersect(const Mt& a, const Mt& b, const Mt& opt, i_o_t, Mr<m_type> c, Mr<m_type> ia, Mr<m_type> ib) {
  intersect_impl(a, b, rows_opt(opt, "intersect"), &c, &ia, &ib);
}
Mt union_M(const Mt& a, const Mt& b) {
  Mt o; Mr<m_type> c(o);
  union_impl(a, b, false, &c, nullptr, nullptr);
  return o;
}
Mt union_M(const Mt& a, const Mt& b, const Mt& opt) {
  Mt o; Mr<m_type> c(o);
  union_impl(a, b, rows_opt(opt, "union"), &c, nullptr, nullptr);
  return o;
}
void union_M(const Mt& a, const Mt& b, i_o_t, Mr<m_type> c, Mr<m_type> ia, Mr<m_type> ib) {
  union_impl(a, b, false, &c, &ia, &ib);
}
void union_M(const Mt& a, const Mt& b, const Mt& opt, i_o_t, Mr<m_type> c, Mr<m_type> ia, Mr<m_type> ib) {
  union_impl(a, b, rows_opt(opt, "union"), &c, &ia, &ib);
}
Mt setdiff(const Mt& a, const Mt& b) {
  Mt o; Mr<m_type> c(o);
  setdiff_impl(a, b, false, &c, nullptr);
  return o;
}
Mt setdiff(const Mt& a, const Mt& b, const Mt& opt) {
  Mt o; Mr<m_type> c(o);
  setdiff_impl(a, b, rows_opt(opt, "setdiff"), &c, nullptr);
  return o;
}
void setdiff(const Mt& a, const Mt& b, i_o_t, Mr<m_type> c, Mr<m_type> ia) {
  setdiff_impl(a, b, false, &c, &ia);
}
void setdiff(const Mt& a, const Mt& b, const Mt& opt, i_o_t, Mr<m_type> c, Mr<m_type> ia) {
  setdiff_impl(a, b, rows_opt(opt, "setdiff"), &c, &ia);
}

Mt setxor(const Mt& a, const Mt& b) {
  Mt o; Mr<m_type> c(o);
  setxor_impl(a, b, false, &c, nullptr, nullptr);
  return o;
}
Mt setxor(const Mt& a, const Mt& b, const Mt& opt) {
  Mt o; Mr<m_type> c(o);
  setxor_impl(a, b, rows_opt(opt, "setxor"), &c, nullptr, nullptr);
  return o;
}
void setxor(const Mt& a, const Mt& b, i_o_t, Mr<m_type> c, Mr<m_type> ia, Mr<m_type> ib) {
  setxor_impl(a, b, false, &c, &ia, &ib);
}
void setxor(const Mt& a, const Mt& b, const Mt& opt, i_o_t, Mr<m_type> c, Mr<m_type> ia, Mr<m_type> ib) {
  setxor_impl(a, b, rows_opt(opt, "setxor"), &c, &ia, &ib);
}

// --- ismember -------------------------------------------------------------------------------
static bool ismember_rows(const Mt& opt) {
  const std::string v = opt.ischar() ? lower(text(opt)) : std::string();
  if (v != "rows") grl_fail("ismember: invalid option");
  return true;
}
Mt ismember(const Mt& a, const Mt& s) {
  GRL_HELD_CELL_2(ismember, a, s);
  Mt o; Mr<m_type> t(o);
  ismember_impl(a, s, false, &t, nullptr);
  return o;
}
Mt ismember(const Mt& a, const Mt& s, const Mt& opt) {
  Mt o; Mr<m_type> t(o);
  ismember_impl(a, s, ismember_rows(opt), &t, nullptr);
  return o;
}
void ismember(const Mt& a, const Mt& s, i_o_t, Mr<m_type> tf, Mr<m_type> loc) {
  GRL_HELD_CELL_2_OUT(ismember, a, s, i_o, tf, loc);
  ismember_impl(a, s, false, &tf, &loc);
}
void ismember(const Mt& a, const Mt& s, const Mt& opt, i_o_t, Mr<m_type> tf, Mr<m_type> loc) {
  ismember_impl(a, s, ismember_rows(opt), &tf, &loc);
}
void ismember(const Mt& a, const Mc& s, i_o_t, Mr<m_type> tf, Mr<m_type> loc) {
  ismember_strings({string_of(a)}, 1, 1, strings_of(s), &tf, &loc);
}
void ismember(const Mc& a, const Mc& s, i_o_t, Mr<m_type> tf, Mr<m_type> loc) {
  ismember_strings(strings_of(a), a.rows(), a.cols(), strings_of(s), &tf, &loc);
}
void ismember(const Mc& a, const Mt& s, i_o_t, Mr<m_type> tf, Mr<m_type> loc) {
  if (s.holds_cell()) return ismember(a, s.held_cell(), i_o, tf, loc);
  ismember_strings(strings_of(a), a.rows(), a.cols(), {string_of(s)}, &tf, &loc);
}
Mt ismember(const Mt& a, const Mc& s) { Mt o; ismember(a, s, i_o, o); return o; }
Mt ismember(const Mc& a, const Mc& s) { Mt o; ismember(a, s, i_o, o); return o; }
Mt ismember(const Mc& a, const Mt& s) { Mt o; ismember(a, s, i_o, o); return o; }

// --- histc ------------------------------------------------------------------------------------
Mt histc(const Mt& x, const Mt& edges) {
  Mt o; Mr<m_type> n(o);
  histc_impl(x, edges, 0, &n, nullptr);
  return o;
}
Mt histc(const Mt& x, const Mt& edges, const Mt& dim) {
  Mt o; Mr<m_type> n(o);
  histc_impl(x, edges, histc_dim(dim), &n, nullptr);
  return o;
}
void histc(const Mt& x, const Mt& edges, i_o_t, Mr<m_type> n, Mr<m_type> idx) {
  histc_impl(x, edges, 0, &n, &idx);
}
void histc(const Mt& x, const Mt& edges, const Mt& dim, i_o_t, Mr<m_type> n, Mr<m_type> idx) {
  histc_impl(x, edges, histc_dim(dim), &n, &idx);
}

// --- structures -------------------------------------------------------------------------------
namespace grl {

namespace {

// The ways of reading the names of one structure's fields: `pieces` are the names
// between underscores, `ends[k]` when piece k must end a field (a structure field,
// whose own fields follow it). A reading joins neighbouring pieces with '_' into
// fields in strictly increasing order (the order the translator writes them), as many
// as the structure has. Each field name of any reading goes to `found`.
struct field_reader {
  const std::vector<std::string>& pieces;
  const std::vector<bool>& ends;
  std::size_t count;
  std::vector<std::string> found;
  std::vector<std::string> now;
  std::size_t budget = 100000;
  bool complete = true;

  void read(std::size_t q) {
    if (budget == 0) { complete = false; return; }
    --budget;
    if (q == pieces.size()) {
      if (count == std::size_t(-1) || now.size() == count) found.insert(found.end(), now.begin(), now.end());
      return;
    }
    if (count != std::size_t(-1) && now.size() >= count) return;
    std::string name;
    for (std::size_t r = q; r < pieces.size(); ++r) {
      name += (r > q ? "_" : "") + pieces[r];
      if (now.empty() || now.back() < name) {
        now.push_back(name);
        read(r + 1);
        now.pop_back();
      }
      if (ends[r]) break;
    }
  }
};

}  // namespace

// C_a_b__c: a run of d underscores starts a name at depth d; the names of depth 1 are
// the structure's own. A nested structure is an unnamed member type, named
// C_...::{unnamed type#k} after the k-th structure field of its parent (fields are
// declared in sorted order, as they stand in the signature).
std::shared_ptr<const std::vector<std::string>> struct_fields(const char* mangled, std::size_t count) {
  auto out = std::make_shared<std::vector<std::string>>();
  int status = 0;
  char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  const std::string name = status == 0 && plain ? plain : mangled;
  std::free(plain);
  if (name.size() < 2 || name[0] != 'C' || name[1] != '_') return out;
  const std::size_t sep = name.find("::");
  const std::string sig = name.substr(1, sep == std::string::npos ? std::string::npos : sep - 1);
  // The path of unnamed types below the named one.
  std::vector<std::size_t> path;
  for (std::size_t p = sep; p != std::string::npos;) {
    static const char unnamed[] = "::{unnamed type#";
    if (name.compare(p, sizeof unnamed - 1, unnamed) != 0) return out;
    p += sizeof unnamed - 1;
    std::size_t k = 0;
    while (p < name.size() && std::isdigit(static_cast<unsigned char>(name[p]))) k = k * 10 + std::size_t(name[p++] - '0');
    if (p >= name.size() || name[p] != '}' || k == 0) return out;
    path.push_back(k);
    ++p;
    p = p < name.size() ? p : std::string::npos;
  }
  struct entry {
    std::size_t depth;
    std::string name;
  };
  std::vector<entry> all;
  for (std::size_t p = 0; p < sig.size();) {
    std::size_t depth = 0;
    while (p < sig.size() && sig[p] == '_') { ++depth; ++p; }
    const std::size_t start = p;
    while (p < sig.size() && sig[p] != '_') ++p;
    if (p > start) all.push_back({depth, sig.substr(start, p - start)});
  }
  // The names of the structure at depth `depth`: entries [lo, hi). The k-th structure
  // field is the k-th name followed by deeper ones, however the names join.
  std::size_t lo = 0, hi = all.size(), depth = 1;
  for (std::size_t k : path) {
    std::size_t seen = 0, at = hi;
    for (std::size_t q = lo; q < hi; ++q)
      if (all[q].depth == depth && q + 1 < hi && all[q + 1].depth > depth && ++seen == k) { at = q; break; }
    if (at == hi) return out;
    std::size_t end = at + 1;
    while (end < hi && all[end].depth > depth) ++end;
    lo = at + 1;
    hi = end;
    ++depth;
  }
  std::vector<std::string> pieces;
  std::vector<bool> ends;
  for (std::size_t q = lo; q < hi; ++q) {
    if (all[q].depth != depth) continue;
    pieces.push_back(all[q].name);
    ends.push_back(q + 1 < hi && all[q + 1].depth > depth);
  }
  field_reader reader{pieces, ends, count, {}, {}};
  reader.read(0);
  if (!reader.complete || reader.found.empty()) {
    // Too many readings to try: every run of neighbouring names may be a field.
    reader.found.clear();
    for (std::size_t q = 0; q < pieces.size(); ++q) {
      std::string joined;
      for (std::size_t r = q; r < pieces.size(); ++r) {
        joined += (r > q ? "_" : "") + pieces[r];
        reader.found.push_back(joined);
        if (ends[r]) break;
      }
    }
  }
  *out = std::move(reader.found);
  std::sort(out->begin(), out->end());
  out->erase(std::unique(out->begin(), out->end()), out->end());
  return out;
}

static bool has_field(const std::vector<std::string>& fields, const Mt& name) {
  if (!name.ischar() || name.rows() > 1) return false;
  return std::binary_search(fields.begin(), fields.end(), mth::text(name));
}

Mt isfield_of(const std::vector<std::string>& fields, const Mt& name) {
  return logical_scalar(has_field(fields, name));
}

Mt isfield_of(const std::vector<std::string>& fields, const Mc& names) {
  Mt o = Mt::zeros(names.rows(), names.cols());
  if (names.numel()) {
    m_type* p = o.pr();
    for (std::size_t k = 0; k < names.numel(); ++k) p[k] = has_field(fields, names.elem(k)) ? 1 : 0;
  }
  o.set_flags(F_LOGICAL);
  return o;
}

}  // namespace grl

// A matrix or a cell is no structure: it has no fields.
// A structure value: its field names, sorted as isfield_of looks them up.
static std::vector<std::string> sorted_names(const Mt& s) {
  std::vector<std::string> n = grl::field_names(s);
  std::sort(n.begin(), n.end());
  return n;
}
Mt isfield(const Mt& s, const Mt& name) {
  return s.holds_struct() ? isfield_of(sorted_names(s), name) : logical_scalar(false);
}
Mt isfield(const Mt& s, const Mc& names) {
  return s.holds_struct() ? isfield_of(sorted_names(s), names) : logical_scalar(false);
}
Mt isfield(const Mc&, const Mt&) { return logical_scalar(false); }
Mt isfield(const Mc&, const Mc&) { return logical_scalar(false); }
