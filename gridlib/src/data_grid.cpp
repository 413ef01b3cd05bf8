// Grids, two-dimensional convolution, accumulation by subscripts and expansion with a
// named element-wise function.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "math_util.h"

using namespace grl;
using namespace grl::mth;

namespace {

const m_type kNaN = std::numeric_limits<m_type>::quiet_NaN();

Mt vector_arg(const Mt& x, const char* who) {
  if (x.holds_cell() || (x.rows() > 1 && x.cols() > 1))
    grl_fail("%s: arguments must be vectors", who);
  return x;
}

}  // namespace

// --- ndgrid ------------------------------------------------------------------------------

// One output: the vector as a column.
Mt ndgrid(const Mt& x1) {
  Mt v = vector_arg(x1, "ndgrid");
  v.reshape_to(v.numel(), 1);
  return v;
}

Mt ndgrid(const Mt& x1, const Mt& x2) {
  Mt a;
  ndgrid(x1, x2, i_o, a, junkM);
  return a;
}

void ndgrid(const Mt& x1, i_o_t, Mr<m_type> a, Mr<m_type> b) {
  // One input with one output is that vector as a column; with two, ndgrid(x, x).
  if (!b.given()) {
    a = ndgrid(x1);
    return;
  }
  ndgrid(x1, x1, i_o, a, b);
}

void ndgrid(const Mt& x1, const Mt& x2, i_o_t, Mr<m_type> a, Mr<m_type> b) {
  vector_arg(x1, "ndgrid");
  vector_arg(x2, "ndgrid");
  const std::size_t r = x1.numel(), c = x2.numel();
  check_extent(r, c, sizeof(m_type));
  Mt A = Mt::alloc(r, c, x1.isc()), B = Mt::alloc(r, c, x2.isc());
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) {
      A.pr()[i + j * r] = x1.cre()[i];
      if (x1.isc()) A.pi()[i + j * r] = x1.cim()[i];
      B.pr()[i + j * r] = x2.cre()[j];
      if (x2.isc()) B.pi()[i + j * r] = x2.cim()[j];
    }
  a = A;
  b = B;
}

// --- conv2 -------------------------------------------------------------------------------

namespace {

enum shape_t { FULL, SAME, VALID };

shape_t shape_arg(const Mt& s, const char* who) {
  if (s.isempty() && !s.ischar()) return FULL;
  const std::string t = s.ischar() ? text(s) : "";
  if (t == "full") return FULL;
  if (t == "same") return SAME;
  if (t == "valid") return VALID;
  if (!s.ischar()) grl_fail("%s: SHAPE must be a string", who);
  grl_fail("conv2: SHAPE type not valid");
}

void numeric2(const Mt& x, const char* who) {
  if (x.holds_cell() || (x.flags_ & F_HANDLE)) grl_fail("%s: wrong type argument 'cell array'", who);
}

// The full convolution of a (ar x ac) and b (br x bc), rows of the result from r0 to
// r0 + R - 1 and columns from c0 to c0 + C - 1.
Mt conv_part(const Mt& a, const Mt& b, std::size_t r0, std::size_t c0, std::size_t R, std::size_t C) {
  const std::size_t ar = a.rows(), ac = a.cols(), br = b.rows(), bc = b.cols();
  const bool cx = a.isc() || b.isc();
  check_extent(R, C, sizeof(m_type));
  Mt o = Mt::zeros(R, C, cx);
  if (R == 0 || C == 0 || a.isempty() || b.isempty()) return o;
  m_type* ore = o.pr();
  m_type* oim = cx ? o.pi() : nullptr;
  const m_type* are = a.cre();
  const m_type* aim = a.cim();
  const m_type* bre = b.cre();
  const m_type* bim = b.cim();
  // Each element of b adds a shifted, scaled copy of a.
  for (std::size_t q = 0; q < bc; ++q)
    for (std::size_t p = 0; p < br; ++p) {
      const m_type wr = bre[p + q * br], wi = bim ? bim[p + q * br] : m_type(0);
      if (wr == 0 && wi == 0) continue;
      for (std::size_t j = 0; j < ac; ++j) {
        const std::size_t oc = j + q;
        if (oc < c0 || oc >= c0 + C) continue;
        const std::size_t i_lo = r0 > p ? r0 - p : 0;
        const std::size_t i_hi = std::min(ar, r0 + R > p ? r0 + R - p : 0);
        m_type* col = ore + (oc - c0) * R;
        const m_type* acol = are + j * ar;
        if (!cx) {
          for (std::size_t i = i_lo; i < i_hi; ++i) col[i + p - r0] += wr * acol[i];
          continue;
        }
        m_type* icol = oim + (oc - c0) * R;
        for (std::size_t i = i_lo; i < i_hi; ++i) {
          const m_type xr = acol[i], xi = aim ? aim[i + j * ar] : m_type(0);
          col[i + p - r0] += wr * xr - wi * xi;
          icol[i + p - r0] += wr * xi + wi * xr;
        }
      }
    }
  return narrow(o);
}

Mt conv2_shape(const Mt& a, const Mt& b, shape_t s) {
  const std::size_t ar = a.rows(), ac = a.cols(), br = b.rows(), bc = b.cols();
  const std::size_t fr = ar + br ? ar + br - 1 : 0, fc = ac + bc ? ac + bc - 1 : 0;
  if (a.isempty() || b.isempty()) {
    if (s == SAME) return Mt::zeros(ar, ac);
    if (s == VALID) return Mt::zeros(ar >= br ? ar - br + 1 : 0, ac >= bc ? ac - bc + 1 : 0);
    return Mt::zeros(ar && br ? fr : 0, ac && bc ? fc : 0);
  }
  if (s == FULL) return conv_part(a, b, 0, 0, fr, fc);
  if (s == SAME) return conv_part(a, b, (br - 1) - (br - 1) / 2, (bc - 1) - (bc - 1) / 2, ar, ac);
  const std::size_t vr = ar >= br ? ar - br + 1 : 0, vc = ac >= bc ? ac - bc + 1 : 0;
  return conv_part(a, b, br - 1, bc - 1, vr, vc);
}

}  // namespace

Mt conv2(const Mt& a, const Mt& b) { return conv2(a, b, Mt()); }

Mt conv2(const Mt& a, const Mt& b, const Mt& c) {
  numeric2(a, "conv2");
  numeric2(b, "conv2");
  // conv2(v1, v2, a): the columns convolved with v1, then the rows with v2.
  if (!c.ischar() && !c.isempty()) return conv2(a, b, c, Mt());
  return conv2_shape(a, b, shape_arg(c, "conv2"));
}

Mt conv2(const Mt& v1, const Mt& v2, const Mt& a, const Mt& shape) {
  numeric2(a, "conv2");
  if ((v1.rows() > 1 && v1.cols() > 1) || (v2.rows() > 1 && v2.cols() > 1))
    grl_fail("conv2: arguments must be vectors for separable option");
  const shape_t s = shape_arg(shape, "conv2");
  Mt col = v1, row = v2;
  col.reshape_to(v1.numel(), 1);
  row.reshape_to(1, v2.numel());
  // Both passes at once: the kernel is the outer product of the two vectors.
  return conv2_shape(a, conv2_shape(col, row, FULL), s);
}

Mt filter2(const Mt& b, const Mt& x, const Mt& shape) {
  const shape_t s = shape.isempty() && !shape.ischar() ? SAME : shape_arg(shape, "conv2");
  numeric2(b, "filter2");
  numeric2(x, "filter2");
  // Correlation: convolution with b turned by 180 degrees.
  const std::size_t r = b.rows(), c = b.cols();
  Mt t = Mt::alloc(r, c, b.isc());
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) {
      t.pr()[i + j * r] = b.cre()[(r - 1 - i) + (c - 1 - j) * r];
      if (b.isc()) t.pi()[i + j * r] = b.cim()[(r - 1 - i) + (c - 1 - j) * r];
    }
  return conv2_shape(x, t, s);
}

// --- accumarray ---------------------------------------------------------------------------

namespace {

enum reducer { R_SUM, R_MAX, R_MIN, R_PROD, R_MEAN, R_NUMEL, R_OTHER };

typedef Mt (*fn1)(const Mt&);

Mt length1(const Mt& x) { return length(x); }
Mt median1(const Mt& x) { return median(x); }
Mt mode1(const Mt& x) { return mode(x); }
Mt std1(const Mt& x) { return std_M(x); }
Mt var1(const Mt& x) { return var(x); }
Mt any1(const Mt& x) { return any(x); }
Mt all1(const Mt& x) { return all(x); }
Mt range1(const Mt& x) { return max(x) - min(x); }

// The function of a handle or a name: the fast reductions, or one of the library's
// reductions called on each group's column of values.
reducer reducer_of(const Mt& f, fn1& other, const char* who) {
  if (!f.ischar() && !(f.flags_ & F_HANDLE)) grl_fail("%s: FCN must be a function handle", who);
  const std::string n = text(f);
  other = nullptr;
  if (n == "sum" || n == "plus") return R_SUM;
  if (n == "max") return R_MAX;
  if (n == "min") return R_MIN;
  if (n == "prod" || n == "times") return R_PROD;
  if (n == "mean") return R_MEAN;
  if (n == "numel") return R_NUMEL;
  static const struct { const char* name; fn1 f; } table[] = {
      {"length", length1}, {"median", median1}, {"mode", mode1}, {"std", std1}, {"var", var1},
      {"any", any1},       {"all", all1},       {"range", range1}};
  for (const auto& t : table)
    if (n == t.name) { other = t.f; return R_OTHER; }
  grl_fail("%s: the function '%s' cannot be applied by the run-time library", who, n.c_str());
}

}  // namespace

Mt accumarray(const Mt& subs, const Mt& vals) { return accumarray(subs, vals, Mt(), Mt(), Mt()); }
Mt accumarray(const Mt& subs, const Mt& vals, const Mt& sz) { return accumarray(subs, vals, sz, Mt(), Mt()); }
Mt accumarray(const Mt& subs, const Mt& vals, const Mt& sz, const Mt& fn) {
  return accumarray(subs, vals, sz, fn, Mt());
}

Mt accumarray(const Mt& subs, const Mt& vals, const Mt& sz, const Mt& fn, const Mt& fill) {
  if (subs.holds_cell() || subs.ischar() || subs.isc()) grl_fail("accumarray: indices must be positive integers");
  // subs: a column (or row) of positions, or one row of two subscripts per value.
  const bool two = subs.cols() == 2 && subs.rows() != 1;
  if (subs.cols() > 2 && subs.rows() != 1) grl_fail("accumarray: only 1-D and 2-D results are supported");
  const std::size_t n = two ? subs.rows() : subs.numel();
  if (vals.numel() != 1 && vals.numel() != n) grl_fail("accumarray: dimension mismatch");
  if (vals.holds_cell()) grl_fail("accumarray: VALS must be numeric");
  std::size_t R = 0, C = two ? 0 : 1;
  std::vector<std::size_t> at(n);
  std::vector<std::size_t> ri(n), ci(n);
  for (std::size_t k = 0; k < n; ++k) {
    const double i = double(subs.cre()[k]);
    const double j = two ? double(subs.cre()[k + n]) : 1;
    if (!(i >= 1) || !(j >= 1) || i != std::floor(i) || j != std::floor(j) || i > 4294967295.0 || j > 4294967295.0)
      grl_fail("accumarray: indices must be positive integers");
    ri[k] = std::size_t(i) - 1;
    ci[k] = std::size_t(j) - 1;
    R = std::max(R, ri[k] + 1);
    C = std::max(C, ci[k] + 1);
  }
  if (!sz.isempty()) {
    if (sz.numel() != 2 || sz.isc()) grl_fail("accumarray: dimensions mismatch");
    const double r = double(sz.cre()[0]), c = double(sz.cre()[1]);
    if (!(r >= double(R)) || !(c >= double(C)) || r != std::floor(r) || c != std::floor(c))
      grl_fail("accumarray: dimensions mismatch");
    if (!two && c != 1 && r != 1 && C == 1) grl_fail("accumarray: dimensions mismatch");
    R = std::size_t(r);
    C = std::size_t(c);
  } else if (!two && subs.rows() == 1 && subs.cols() > 1) {
    // A row of positions is a column of them, as positions of a column result.
  }
  check_extent(R, C, sizeof(m_type));
  for (std::size_t k = 0; k < n; ++k) at[k] = ri[k] + ci[k] * R;
  fn1 other = nullptr;
  const reducer red = fn.isempty() && !(fn.flags_ & F_HANDLE) ? R_SUM : reducer_of(fn, other, "accumarray");
  const double fillv = fill.isempty() ? 0 : double(fill.cre()[0]);
  const std::size_t total = R * C;
  Mt out = Mt::alloc(R, C, red == R_SUM && vals.isc());
  m_type* o = total ? out.pr() : nullptr;
  m_type* oi = out.isc() && total ? out.pi() : nullptr;
  std::vector<std::uint32_t> count(total, 0);
  auto v = [&](std::size_t k) { return vals.numel() == 1 ? vals.cre()[0] : vals.cre()[k]; };
  auto vi = [&](std::size_t k) { return vals.numel() == 1 ? vals.ielem(0) : vals.ielem(k); };
  if (red != R_OTHER) {
    for (std::size_t t = 0; t < total; ++t) { o[t] = 0; if (oi) oi[t] = 0; }
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t a = at[k];
      const m_type x = v(k);
      const bool first = count[a]++ == 0;
      switch (red) {
        case R_SUM: case R_MEAN: o[a] += x; if (oi) oi[a] += vi(k); break;
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
    return narrow(out);
  }
  // Any other function: the values of each position gathered in order, as a column.
  std::vector<std::vector<m_type>> groups(total);
  for (std::size_t k = 0; k < n; ++k) groups[at[k]].push_back(v(k));
  for (std::size_t t = 0; t < total; ++t) {
    if (groups[t].empty()) { o[t] = m_type(fillv); continue; }
    Mt g = Mt::alloc(groups[t].size(), 1);
    std::copy(groups[t].begin(), groups[t].end(), g.pr());
    const Mt r = other(g);
    if (r.numel() != 1) grl_fail("accumarray: FCN must return a scalar");
    o[t] = r.cre()[0];
  }
  return out;
}

// --- bsxfun -------------------------------------------------------------------------------

Mt bsxfun(const Mt& f, const Mt& a, const Mt& b) {
  if (!f.ischar() && !(f.flags_ & F_HANDLE)) grl_fail("bsxfun: F must be a string or function handle");
  const std::string n = text(f);
  for (int d = 1; d <= 2; ++d) {
    const double x = a.size(d), y = b.size(d);
    if (x != y && x != 1 && y != 1)
      grl_fail("bsxfun: nonconformant dimensions: %zux%zu and %zux%zu", a.rows(), a.cols(), b.rows(), b.cols());
  }
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
  grl_fail("bsxfun: the function '%s' cannot be applied by the run-time library", n.c_str());
}
