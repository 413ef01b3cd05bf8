// Accumulation by subscripts (accumarray) and expansion of singleton dimensions
// (bsxfun), each with any function: the library's own reductions and element-wise
// functions run directly, any other handle (an M function, an anonymous function) is
// called through the program's handle machinery.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gridlib_funfun.h"
#include "math_util.h"

using namespace grl;
using namespace grl::mth;

namespace {

// --- accumarray ---------------------------------------------------------------------------

enum reducer { R_SUM, R_MAX, R_MIN, R_PROD, R_MEAN, R_NUMEL, R_CALL };

bool is_anonymous(const Mt& f) { return (f.flags_ & F_HANDLE) && is_anon(f); }

// The fast reductions a named handle may stand for; R_CALL for any other function.
reducer reducer_of(const Mt& f) {
  if (!(f.flags_ & F_HANDLE)) grl_fail("accumarray: FUNC must be a function handle");
  if (is_anonymous(f)) return R_CALL;
  const std::string n = text(f);
  if (n == "sum" || n == "plus") return R_SUM;
  if (n == "max") return R_MAX;
  if (n == "min") return R_MIN;
  if (n == "prod" || n == "times") return R_PROD;
  if (n == "mean") return R_MEAN;
  if (n == "numel" || n == "length") return R_NUMEL;
  return R_CALL;
}

// The subscripts as one column per dimension: a column of positions, a matrix with a
// row per value (a row vector is one subscript of as many dimensions), or a cell of
// index vectors, one per dimension.
struct subscripts {
  std::size_t n = 0;                         // values
  std::size_t dims = 1;                      // columns
  std::vector<std::size_t> at;               // 0-based, column by column (n x dims)
};

std::size_t subscript(double v) {
  if (!(v >= 1) || v != std::floor(v) || v > 4294967295.0) grl_fail("accumarray: indices must be positive integers");
  return std::size_t(v) - 1;
}

subscripts read_subs(const Mt& subs) {
  subscripts s;
  if (subs.holds_cell()) {
    const Mc& c = subs.held_cell();
    s.dims = c.numel();
    if (s.dims == 0) grl_fail("accumarray: indices must be positive integers");
    s.n = c.elem(0).numel();
    for (std::size_t d = 0; d < s.dims; ++d) {
      const Mt& v = c.elem(d);
      if (v.holds_cell() || v.ischar() || v.isc() || (v.flags_ & F_HANDLE) || v.holds_struct())
        grl_fail("accumarray: indices must be positive integers");
      if (v.numel() != s.n) grl_fail("accumarray: dimension mismatch");
    }
    s.at.resize(s.n * s.dims);
    for (std::size_t d = 0; d < s.dims; ++d)
      for (std::size_t k = 0; k < s.n; ++k) s.at[k + d * s.n] = subscript(double(c.elem(d).cre()[k]));
    return s;
  }
  if (subs.ischar() || subs.isc() || (subs.flags_ & F_HANDLE) || subs.holds_struct())
    grl_fail("accumarray: indices must be positive integers");
  if (subs.ndims() > 2) grl_fail("accumarray: dimension mismatch");
  s.dims = subs.cols() == 1 ? 1 : subs.cols();
  s.n = subs.cols() == 1 ? subs.rows() : subs.rows();
  s.at.resize(s.n * s.dims);
  for (std::size_t k = 0; k < s.at.size(); ++k) s.at[k] = subscript(double(subs.cre()[k]));
  return s;
}

// The result's extents: the largest subscript in each dimension, or sz.
sizes result_extents(const subscripts& s, const Mt& sz) {
  sizes e(std::max<std::size_t>(s.dims, 2), 1);
  for (std::size_t d = 0; d < s.dims; ++d)
    for (std::size_t k = 0; k < s.n; ++k) e[d] = std::max(e[d], s.at[k + d * s.n] + 1);
  if (s.n == 0) e[0] = 0;
  if (sz.isempty()) return e;
  if (sz.holds_cell() || sz.isc() || sz.ischar() || sz.numel() < 2) grl_fail("accumarray: dimensions mismatch");
  sizes want(sz.numel());
  for (std::size_t d = 0; d < want.size(); ++d) {
    const double v = double(sz.cre()[d]);
    if (!(v >= 0) || v != std::floor(v) || v > 4294967295.0) grl_fail("accumarray: dimensions mismatch");
    want[d] = std::size_t(v);
  }
  if (s.dims == 1) {
    // Positions in a result of the given shape.
    std::size_t total = 1;
    for (std::size_t w : want) total *= w;
    if (s.n && e[0] > total) grl_fail("accumarray: dimensions mismatch");
    return want;
  }
  if (want.size() != s.dims) grl_fail("accumarray: dimensions mismatch");
  for (std::size_t d = 0; d < s.dims; ++d)
    if (s.n && e[d] > want[d]) grl_fail("accumarray: dimensions mismatch");
  return want;
}

// The linear position of each value in a result of extents e.
std::vector<std::size_t> positions(const subscripts& s, const sizes& e) {
  std::vector<std::size_t> at(s.n);
  for (std::size_t k = 0; k < s.n; ++k) {
    std::size_t p = 0, stride = 1;
    for (std::size_t d = 0; d < s.dims; ++d) {
      p += s.at[k + d * s.n] * stride;
      stride *= e[d];
    }
    at[k] = p;
  }
  return at;
}

Mt reduce_fast(reducer red, const Mt& vals, const std::vector<std::size_t>& at, const sizes& e,
               double fillv) {
  std::size_t total = 1;
  for (std::size_t x : e) total *= x;
  Mt out = Mt::zeros(total, 1, red == R_SUM && vals.isc());
  m_type* o = total ? out.pr() : nullptr;
  m_type* oi = out.isc() && total ? out.pi() : nullptr;
  std::vector<std::uint32_t> count(total, 0);
  const bool one = vals.numel() == 1;
  const m_type* v = vals.cre();
  for (std::size_t k = 0; k < at.size(); ++k) {
    const std::size_t a = at[k];
    const m_type x = v[one ? 0 : k];
    const bool first = count[a]++ == 0;
    switch (red) {
      case R_SUM: case R_MEAN:
        o[a] += x;
        if (oi) oi[a] += vals.ielem(one ? 0 : k);
        break;
      case R_MAX: if (first || x > o[a] || std::isnan(o[a])) o[a] = x; break;
      case R_MIN: if (first || x < o[a] || std::isnan(o[a])) o[a] = x; break;
      case R_PROD: o[a] = first ? x : o[a] * x; break;
      default: break;
    }
  }
  for (std::size_t t = 0; t < total; ++t) {
    if (count[t] == 0) { o[t] = m_type(fillv); if (oi) oi[t] = 0; continue; }
    if (red == R_MEAN) o[t] /= m_type(count[t]);
    if (red == R_NUMEL) o[t] = m_type(count[t]);
  }
  out.set_shape(e);
  return narrow(out);
}

// Any function: called on each position's values (a column, in the order given);
// scalar results make an array of their class, 1 x 1 cells a cell array.
Mt reduce_call(const Mt& fn, const Mt& vals, const std::vector<std::size_t>& at, const sizes& e,
               const Mt& fill) {
  std::size_t total = 1;
  for (std::size_t x : e) total *= x;
  std::vector<std::vector<std::size_t>> groups(total);
  for (std::size_t k = 0; k < at.size(); ++k) groups[at[k]].push_back(k);
  const bool one = vals.numel() == 1;
  Mc args = Mc::alloc(1, 1);
  Mt out = Mt::zeros(total, 1, false);
  Mc cells;
  bool have = false, as_cells = false;
  mclass cls = mc_double;
  for (std::size_t t = 0; t < total; ++t) {
    if (groups[t].empty()) continue;
    Mt idx = Mt::alloc(groups[t].size(), 1);
    for (std::size_t j = 0; j < groups[t].size(); ++j) idx.pr()[j] = m_type(one ? 1 : groups[t][j] + 1);
    args.welem(0) = vals.get1(ix<m_type>(idx));
    const Mt r = call_handle(fn, args);
    const bool is_cell = r.holds_cell();
    if (!have) {
      have = true;
      as_cells = is_cell;
      cls = is_cell ? mc_cell : class_of(r);
      if (as_cells) cells = Mc::alloc(total, 1);
    }
    const std::size_t count = is_cell ? r.held_cell().numel() : r.numel();
    if (is_cell != as_cells || count != 1 || r.holds_struct() || (r.flags_ & F_HANDLE))
      grl_fail("cellfun: all values must be scalars when UniformOutput = true");
    if (as_cells) {
      cells.welem(t) = r.held_cell().elem(0);
      continue;
    }
    if (class_of(r) != cls) grl_fail("cellfun: return values must be of the same type when UniformOutput = true");
    out.pr()[t] = r.cre()[0];
    if (r.isc()) out.pi()[t] = r.ielem(0);
  }
  if (as_cells) {
    cells.set_shape(e);
    return Mt(cells);
  }
  // Positions no subscript names hold the fill value, in the results' class.
  Mt fv = fill.isempty() ? Mt(0.0) : fill;
  if (fv.holds_cell() || fv.ischar() || fv.holds_struct()) grl_fail("accumarray: FILLVAL must be a numeric scalar");
  const double fillv = double(fv.cre()[0]);
  for (std::size_t t = 0; t < total; ++t)
    if (groups[t].empty()) out.pr()[t] = m_type(cls == mc_logical ? fillv != 0 : class_value(fillv, is_int_class(cls) || cls == mc_single ? cls : mc_double));
  out.set_shape(e);
  out.drop_imag();
  if (cls == mc_logical) out.set_flags(F_LOGICAL);
  else if (cls == mc_char) out.set_flags(F_STRING);
  else if (cls != mc_double) out.set_class(cls);
  return out;
}

}  // namespace

Mt accumarray(const Mt& subs, const Mt& vals) { return accumarray(subs, vals, Mt(), Mt(), Mt()); }
Mt accumarray(const Mt& subs, const Mt& vals, const Mt& sz) { return accumarray(subs, vals, sz, Mt(), Mt()); }
Mt accumarray(const Mt& subs, const Mt& vals, const Mt& sz, const Mt& fn) {
  return accumarray(subs, vals, sz, fn, Mt());
}

Mt accumarray(const Mt& subs, const Mt& vals, const Mt& sz, const Mt& fn, const Mt& fill) {
  const subscripts s = read_subs(subs);
  if (vals.holds_cell() || vals.holds_struct() || (vals.flags_ & F_HANDLE)) grl_fail("accumarray: VALS must be numeric");
  if (vals.numel() != 1 && vals.numel() != s.n) grl_fail("accumarray: dimension mismatch");
  const sizes e = result_extents(s, sz);
  check_sizes(e, sizeof(m_type));
  const std::vector<std::size_t> at = positions(s, e);
  const bool by_sum = fn.isempty() && !(fn.flags_ & F_HANDLE);
  const reducer red = by_sum ? R_SUM : reducer_of(fn);
  if (red == R_CALL) return reduce_call(fn, vals, at, e, fill);
  if (fill.holds_cell() || fill.ischar() || fill.holds_struct()) grl_fail("accumarray: FILLVAL must be a numeric scalar");
  const double fillv = fill.isempty() ? 0 : double(fill.cre()[0]);
  return reduce_fast(red, vals, at, e, fillv);
}

// --- bsxfun -------------------------------------------------------------------------------

namespace {

// a repeated along its singleton dimensions to the extents e.
Mt expand_to(const Mt& a, const sizes& e) {
  const sizes s = a.shape();
  Mt reps = Mt::alloc(1, e.size());
  bool any = false;
  for (std::size_t d = 0; d < e.size(); ++d) {
    const std::size_t have = d < s.size() ? s[d] : 1;
    reps.pr()[d] = m_type(have == e[d] ? 1 : e[d]);
    any = any || have != e[d];
  }
  return any ? repmat(a, reps) : a;
}

Mt named_elementwise(const std::string& n, const Mt& a, const Mt& b, bool& done) {
  done = true;
  if (n == "plus") return a + b;
  if (n == "minus") return a - b;
  if (n == "times") return times(a, b);
  if (n == "rdivide") return rdivide(a, b);
  if (n == "ldivide") return ldivide(a, b);
  if (n == "power") return power(a, b);
  if (n == "max") return max(a, b);
  if (n == "min") return min(a, b);
  if (n == "rem") return rem(a, b);
  if (n == "mod") return mod(a, b);
  if (n == "atan2") return atan2_M(a, b);
  if (n == "hypot") return hypot_M(a, b);
  if (n == "eq") return a == b;
  if (n == "ne") return a != b;
  if (n == "lt") return a < b;
  if (n == "le") return a <= b;
  if (n == "gt") return a > b;
  if (n == "ge") return a >= b;
  if (n == "and") return a & b;
  if (n == "or") return a | b;
  if (n == "xor") return xor_M(a, b);
  done = false;
  return Mt();
}

}  // namespace

Mt bsxfun(const Mt& f, const Mt& a, const Mt& b) {
  if (!f.ischar() && !(f.flags_ & F_HANDLE)) grl_fail("bsxfun: F must be a string or function handle");
  const std::size_t nd = std::max(a.ndims(), b.ndims());
  sizes e(nd);
  bool same = true;
  for (std::size_t d = 0; d < nd; ++d) {
    const std::size_t x = a.extent(d), y = b.extent(d);
    if (x != y && x != 1 && y != 1) {
      if (f.flags_ & F_HANDLE && is_anon(f)) grl_fail("bsxfun: dimensions of A and B must match");
      grl_fail("bsxfun: nonconformant dimensions: %s and %s", dims_text(a.shape()).c_str(), dims_text(b.shape()).c_str());
    }
    e[d] = x == 1 ? y : x;
    same = same && x == y;
  }
  if (!is_anonymous(f)) {
    bool done = false;
    Mt r = named_elementwise(text(f), a, b, done);
    if (done) return r;
  }
  const Mt h = f.ischar() ? handle(f) : f;
  // Any other function takes both operands at their common size, in one call.
  if (same) return call_handle(h, arg_cell({a, b}));
  const Mt r = call_handle(h, arg_cell({expand_to(a, e), expand_to(b, e)}));
  std::size_t total = 1;
  for (std::size_t x : e) total *= x;
  if (r.numel() != total) grl_fail("bsxfun: dimensions of A and B must match");
  return r;
}
