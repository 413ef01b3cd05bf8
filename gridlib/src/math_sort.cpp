// Searching and sorting: find, sort and issorted.
#include "math_util.h"
#include "int64_util.h"
#include "math_radix.h"
#include "held_cells.h"

#include <algorithm>
#include <numeric>
#include <vector>

using namespace grl;
using namespace grl::mth;

namespace {

// The shape of find's result of m positions: a row for a row input, [] for [], else a
// column.
void found_shape(const Mt& x, std::size_t m, std::size_t& r, std::size_t& c) {
  const bool row = x.rows() == 1 && x.cols() != 1;
  const bool zz = x.rows() == 0 && x.cols() == 0;
  r = zz ? 0 : row ? 1 : m;
  c = zz ? 0 : row ? m : 1;
}

// find: positions (from 1) of the nonzero elements, at most `limit`, from the front or
// the back. A row input gives a row, any other a column; [] gives [].
void find_impl(const Mt& x, std::size_t limit, bool last, Mr<m_type>* k, Mr<m_type>* r,
               Mr<m_type>* c, Mr<m_type>* v) {
  const std::size_t n = x.numel();
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  if (k && !b && !last && limit >= n) {
    // The common k = find(x) in one reading of x: the positions go straight into a
    // result as long as x, which then keeps only the first m (the pages never
    // written are never touched).
    Mt o = Mt::alloc(n, 1);
    m_type* p = o.pr();
    std::size_t m = 0;
    for (std::size_t t = 0; t < n; ++t) {
      p[m] = m_type(t + 1);
      m += a[t] != 0;
    }
    std::size_t orr, occ;
    found_shape(x, m, orr, occ);
    o.reshape_to(orr, occ);
    *k = o;
    return;
  }
  std::vector<std::size_t> at;
  if (!last) {
    for (std::size_t t = 0; t < n && at.size() < limit; ++t)
      if (a[t] != 0 || (b && b[t] != 0)) at.push_back(t);
  } else {
    for (std::size_t t = n; t-- > 0 && at.size() < limit;)
      if (a[t] != 0 || (b && b[t] != 0)) at.push_back(t);
    std::reverse(at.begin(), at.end());
  }
  const std::size_t m = at.size();
  std::size_t orr, occ;
  found_shape(x, m, orr, occ);
  if (k) {
    Mt o = Mt::alloc(orr, occ);
    m_type* p = o.pr();
    for (std::size_t t = 0; t < m; ++t) p[t] = m_type(at[t] + 1);
    *k = o;
    return;
  }
  const std::size_t xr = x.rows() ? x.rows() : 1;
  Mt ro = Mt::alloc(orr, occ), co = Mt::alloc(orr, occ);
  m_type* pr = ro.pr();
  m_type* pc = co.pr();
  for (std::size_t t = 0; t < m; ++t) {
    pr[t] = m_type(at[t] % xr + 1);
    pc[t] = m_type(at[t] / xr + 1);
  }
  *r = ro;
  *c = co;
  if (v) {
    Mt vo = Mt::alloc(orr, occ, b != nullptr);
    m_type* pv = vo.pr();
    for (std::size_t t = 0; t < m; ++t) pv[t] = a[at[t]];
    if (b) {
      m_type* pi = vo.pi();
      for (std::size_t t = 0; t < m; ++t) pi[t] = b[at[t]];
    }
    if (x.islogical()) vo.set_flags(F_LOGICAL);
    keep_class(vo, x);
    *v = vo;
  }
}

std::size_t find_limit(const Mt& n) {
  if (n.numel() != 1 || n.isc()) grl_fail("find: N must be an integer");
  const double v = double(n.cre()[0]);
  if (!(v >= 1) || v != std::floor(v)) grl_fail("find: N must be an integer");
  return std::isinf(v) ? std::size_t(-1) : std::size_t(v);
}

bool find_last(const Mt& d) {
  const std::string s = text(d);
  if (s == "first") return false;
  if (s == "last") return true;
  grl_fail("find: DIRECTION must be \"first\" or \"last\"");
}

// --- sort -----------------------------------------------------------------------------

bool sort_mode(const Mt& m) {
  std::string s = text(m);
  for (char& ch : s) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  if (s == "ascend") return false;
  if (s == "descend") return true;
  grl_fail("sort: MODE must be either \"ascend\" or \"descend\"");
}

// Sorts each group (column or row) of x; NaN go last ascending and first descending;
// equal elements keep their order. Complex values sort by magnitude, then phase angle.
void sort_impl(const Mt& x, int dim, bool desc, Mr<m_type>* s, Mr<m_type>* k) {
  if (grl::w64::has_exact(x)) {
    // int64/uint64 beyond 2^53 sort by the ranks of their exact values.
    std::vector<std::uint64_t> table;
    Mt so;
    Mr<m_type> ms(so);
    sort_impl(grl::w64::ranks(x, table), dim, desc, &ms, k);
    grl::w64::unrank(so, x.num_class(), table);
    if (s) *s = so;
    return;
  }
  if (x.ndims() > 2) {
    std::vector<Mt> o = along(x, dim, [desc](const Mt& y, int d) {
      Mt a, b;
      Mr<m_type> ma(a), mb(b);
      sort_impl(y, d, desc, &ma, &mb);
      return std::vector<Mt>{a, b};
    });
    if (s) *s = o[0];
    if (k) *k = o[1];
    return;
  }
  const std::size_t xr = x.rows(), xc = x.cols();
  const bool cp = x.isc();
  Mt o = Mt::alloc(xr, xc, cp);
  Mt ix;
  if (k) ix = Mt::alloc(xr, xc);
  o.set_flags(x.islogical() ? std::uint32_t(F_LOGICAL) : x.ischar() ? std::uint32_t(F_STRING) : 0u);
  keep_class(o, x);
  std::size_t n, groups, stride;
  if (dim == 1) { n = xr; groups = xc; stride = 1; }
  else if (dim == 2) { n = xc; groups = xr; stride = xr; }
  else { n = 1; groups = xr * xc; stride = 1; }
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  m_type* po = o.pr();
  m_type* pio = cp ? o.pi() : nullptr;
  m_type* pk = k ? ix.pr() : nullptr;
  // The buffers of the comparison sort are made when a group first needs them: the
  // radix sort of a long real vector needs none of them.
  std::vector<m_type> key, phase, buf;
  std::vector<std::size_t> perm;
  std::vector<std::uint32_t> order;
  for (std::size_t g = 0; g < groups; ++g) {
    const std::size_t base = dim == 1 ? g * xr : g;
    if (!cp && !k && n >= RADIX_MIN && n <= UINT32_MAX &&
        radix_values(a + base, n, stride, desc, po + base, stride))
      continue;
    if (!cp && n >= RADIX_MIN && n <= UINT32_MAX) {
      radix_order(a + base, n, stride, desc, order);
      for (std::size_t t = 0; t < n; ++t) po[base + t * stride] = a[base + order[t] * stride];
      if (pk)
        for (std::size_t t = 0; t < n; ++t) pk[base + t * stride] = m_type(order[t] + 1);
      continue;
    }
    if (!cp && !k) {
      // Values only: sort the numbers, NaN set aside.
      buf.clear();
      std::size_t nans = 0;
      for (std::size_t t = 0; t < n; ++t) {
        const m_type v = a[base + t * stride];
        if (v != v) ++nans; else buf.push_back(v);
      }
      if (desc) std::sort(buf.begin(), buf.end(), [](m_type u, m_type v) { return u > v; });
      else std::sort(buf.begin(), buf.end());
      const m_type nan = std::numeric_limits<m_type>::quiet_NaN();
      std::size_t t = 0;
      if (desc) for (; t < nans; ++t) po[base + t * stride] = nan;
      for (m_type v : buf) po[base + (t++) * stride] = v;
      for (; t < n; ++t) po[base + t * stride] = nan;
      continue;
    }
    if (perm.size() != n) {
      key.resize(n);
      perm.resize(n);
      if (cp) phase.resize(n);
    }
    for (std::size_t t = 0; t < n; ++t) {
      const std::size_t at = base + t * stride;
      key[t] = cp ? std::hypot(a[at], b[at]) : a[at];
      if (cp) {
        phase[t] = std::atan2(b[at], a[at]);
        if (key[t] != key[t] || phase[t] != phase[t]) key[t] = std::numeric_limits<m_type>::quiet_NaN();
      }
    }
    std::iota(perm.begin(), perm.end(), std::size_t(0));
    auto less = [&](std::size_t u, std::size_t v) {
      const m_type ku = key[u], kv = key[v];
      const bool nu = ku != ku, nv = kv != kv;
      if (nu || nv) {
        if (nu && nv) return u < v;
        return desc ? nu : nv;
      }
      if (ku != kv) return desc ? ku > kv : ku < kv;
      if (cp && phase[u] != phase[v]) return desc ? phase[u] > phase[v] : phase[u] < phase[v];
      return u < v;
    };
    std::sort(perm.begin(), perm.end(), less);
    for (std::size_t t = 0; t < n; ++t) {
      const std::size_t src = base + perm[t] * stride, dst = base + t * stride;
      po[dst] = a[src];
      if (cp) pio[dst] = b[src];
      if (pk) pk[dst] = m_type(perm[t] + 1);
    }
  }
  if (s) *s = o;
  if (k) *k = ix;
}

int sort_dim(const Mt& x) { return default_dim(x); }

}  // namespace

Mt find(const Mt& x) { Mt o; Mr<m_type> k(o); find_impl(x, std::size_t(-1), false, &k, nullptr, nullptr, nullptr); return o; }
Mt find(const Mt& x, const Mt& n) {
  Mt o; Mr<m_type> k(o);
  find_impl(x, find_limit(n), false, &k, nullptr, nullptr, nullptr);
  return o;
}
Mt find(const Mt& x, const Mt& n, const Mt& dir) {
  Mt o; Mr<m_type> k(o);
  find_impl(x, find_limit(n), find_last(dir), &k, nullptr, nullptr, nullptr);
  return o;
}
void find(const Mt& x, i_o_t, Mr<m_type> k) { find_impl(x, std::size_t(-1), false, &k, nullptr, nullptr, nullptr); }
void find(const Mt& x, i_o_t, Mr<m_type> r, Mr<m_type> c) { find_impl(x, std::size_t(-1), false, nullptr, &r, &c, nullptr); }
void find(const Mt& x, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> v) {
  find_impl(x, std::size_t(-1), false, nullptr, &r, &c, &v);
}
void find(const Mt& x, const Mt& n, i_o_t, Mr<m_type> r, Mr<m_type> c) {
  find_impl(x, find_limit(n), false, nullptr, &r, &c, nullptr);
}
void find(const Mt& x, const Mt& n, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> v) {
  find_impl(x, find_limit(n), false, nullptr, &r, &c, &v);
}
void find(const Mt& x, const Mt& n, const Mt& dir, i_o_t, Mr<m_type> r, Mr<m_type> c) {
  find_impl(x, find_limit(n), find_last(dir), nullptr, &r, &c, nullptr);
}
void find(const Mt& x, const Mt& n, const Mt& dir, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> v) {
  find_impl(x, find_limit(n), find_last(dir), nullptr, &r, &c, &v);
}

Mt sort(const Mt& x) {
  GRL_HELD_CELL_1(sort, x);
  Mt o; Mr<m_type> s(o); sort_impl(x, sort_dim(x), false, &s, nullptr); return o; }
// sort(x, dim) or sort(x, mode).
Mt sort(const Mt& x, const Mt& a) {
  GRL_HELD_CELL_1(sort, x, a);
  Mt o; Mr<m_type> s(o);
  if (a.ischar()) sort_impl(x, sort_dim(x), sort_mode(a), &s, nullptr);
  else sort_impl(x, dim_arg(a, "sort"), false, &s, nullptr);
  return o;
}
Mt sort(const Mt& x, const Mt& dim, const Mt& mode) {
  GRL_HELD_CELL_1(sort, x, dim, mode);
  Mt o; Mr<m_type> s(o);
  sort_impl(x, dim_arg(dim, "sort"), sort_mode(mode), &s, nullptr);
  return o;
}
// [s, k] = sort(x) of a value that holds a cell: the cell form, s the sorted cell held
// as a value.
#define GRL_HELD_CELL_SORT(...)                      \
  do {                                               \
    if (x.holds_cell()) {                            \
      Mc sorted;                                     \
      sort(x.held_cell(), __VA_ARGS__ i_o, sorted, k); \
      s = Mt::of_cell(sorted);                       \
      return;                                        \
    }                                                \
  } while (0)
void sort(const Mt& x, i_o_t, Mr<m_type> s, Mr<m_type> k) {
  GRL_HELD_CELL_SORT();
  sort_impl(x, sort_dim(x), false, &s, &k);
}
void sort(const Mt& x, const Mt& a, i_o_t, Mr<m_type> s, Mr<m_type> k) {
  GRL_HELD_CELL_SORT(a,);
  if (a.ischar()) sort_impl(x, sort_dim(x), sort_mode(a), &s, &k);
  else sort_impl(x, dim_arg(a, "sort"), false, &s, &k);
}
void sort(const Mt& x, const Mt& dim, const Mt& mode, i_o_t, Mr<m_type> s, Mr<m_type> k) {
  GRL_HELD_CELL_SORT(dim, mode,);
  sort_impl(x, dim_arg(dim, "sort"), sort_mode(mode), &s, &k);
}

#undef GRL_HELD_CELL_SORT

Mt find(const Mc&) { wrong_type_cell("find"); }

// issorted(x), issorted(x, 'ascend'|'descend'|'either'): whether the vector x is in
// that order, ties allowed. NaN sorts after every number, as sort places it; complex
// values compare by their magnitude and then their phase angle.
namespace {
bool in_order(const Mt& x, int dir) {
  const std::size_t n = x.numel();
  const m_type* re = x.cre();
  const m_type* im = x.cim();
  auto key = [&](std::size_t k) {
    if (!im) return std::pair<m_type, m_type>(re[k], 0);
    const std::complex<m_type> v(re[k], im[k]);
    return std::pair<m_type, m_type>(std::abs(v), std::arg(v));
  };
  // a before b in ascending order: NaN last, equal values in either order.
  auto before = [&](std::size_t a, std::size_t b) {
    const auto ka = key(a), kb = key(b);
    if (std::isnan(ka.first)) return std::isnan(kb.first);
    if (std::isnan(kb.first)) return true;
    return ka.first < kb.first || (ka.first == kb.first && ka.second <= kb.second);
  };
  for (std::size_t k = 1; k < n; ++k)
    if (dir > 0 ? !before(k - 1, k) : !before(k, k - 1)) return false;
  return true;
}

Mt sorted_as(const Mt& x, const std::string& m) {
  if (x.rows() > 1 && x.cols() > 1) grl_fail("issorted: needs a vector");
  if (m != "ascend" && m != "descend" && m != "either")
    grl_fail("issorted: MODE must be \"ascend\", \"descend\", or \"either\"");
  bool sorted = m == "descend" ? in_order(x, -1) : in_order(x, 1);
  if (m == "either") sorted = sorted || in_order(x, -1);
  return grl::boolean(sorted);
}
}  // namespace

Mt issorted(const Mt& x) { return sorted_as(x, "ascend"); }
Mt issorted(const Mt& x, const Mt& mode) { return sorted_as(x, text(mode)); }
