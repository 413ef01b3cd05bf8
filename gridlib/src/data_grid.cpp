// Grids, two-dimensional convolution and correlation.
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
  if (x.holds_cell() || x.holds_struct() || (x.rows() > 1 && x.cols() > 1))
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

void ndgrid(const Mt& x1, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c) {
  // One input with one output is that vector as a column; with more, x for every
  // dimension.
  if (!b.given()) {
    a = ndgrid(x1);
    return;
  }
  if (c.given()) {
    ndgrid(x1, x1, x1, i_o, a, b, c);
    return;
  }
  ndgrid(x1, x1, i_o, a, b);
}

namespace {

// Grid k of three: vector v laid along dimension k of an n[0] x n[1] x n[2] array.
Mt grid3(const Mt& v, std::size_t k, const sizes& n) {
  Mt g = Mt::alloc(n[0], n[1] * n[2], v.isc());
  const std::size_t total = n[0] * n[1] * n[2];
  const std::size_t stride = k == 0 ? 1 : k == 1 ? n[0] : n[0] * n[1];
  for (std::size_t t = 0; t < total; ++t) {
    const std::size_t i = (t / stride) % n[k];
    g.pr()[t] = v.cre()[i];
    if (v.isc()) g.pi()[t] = v.cim()[i];
  }
  g.set_shape(n);
  keep_class(g, v);
  if (v.islogical() || v.ischar()) g.set_flags(v.flags_);
  return g;
}

sizes grid3_extents(const Mt& x1, const Mt& x2, const Mt& x3, const char* who) {
  vector_arg(x1, who);
  vector_arg(x2, who);
  vector_arg(x3, who);
  const sizes n{x1.numel(), x2.numel(), x3.numel()};
  check_sizes(n, sizeof(m_type));
  return n;
}

}  // namespace

Mt ndgrid(const Mt& x1, const Mt& x2, const Mt& x3) {
  return grid3(x1, 0, grid3_extents(x1, x2, x3, "ndgrid"));
}

void ndgrid(const Mt& x1, const Mt& x2, const Mt& x3, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c) {
  const sizes n = grid3_extents(x1, x2, x3, "ndgrid");
  a = grid3(x1, 0, n);
  if (b.given()) b = grid3(x2, 1, n);
  if (c.given()) c = grid3(x3, 2, n);
}

// meshgrid's first two dimensions are y down the rows and x along the columns.
Mt meshgrid(const Mt& x, const Mt& y, const Mt& z) {
  return grid3(x, 1, grid3_extents(y, x, z, "meshgrid"));
}

void meshgrid(const Mt& x, const Mt& y, const Mt& z, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c) {
  const sizes n = grid3_extents(y, x, z, "meshgrid");
  a = grid3(x, 1, n);
  if (b.given()) b = grid3(y, 0, n);
  if (c.given()) c = grid3(z, 2, n);
}

void meshgrid(const Mt& x, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c) {
  meshgrid(x, x, x, i_o, a, b, c);
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
