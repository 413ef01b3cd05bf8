// Shape of values: size in every output form, length, numel, isempty (for matrices
// and cells alike) and nnz.
#include "math_util.h"
#include "object_map.h"
#include "object_parser.h"

#include <algorithm>

using namespace grl;
using namespace grl::mth;

namespace {

Mt row_of(const grl::sizes& d) {
  Mt o = Mt::alloc(1, d.size());
  m_type* p = o.pr();
  for (std::size_t k = 0; k < d.size(); ++k) p[k] = m_type(d[k]);
  return o;
}

// The extent along dimension v (1 past the last one).
m_type extent_at(const grl::sizes& d, double v) {
  return m_type(v <= double(d.size()) ? double(d[std::size_t(v) - 1]) : 1.0);
}

// size(x, dims): the extents along the dimensions dims lists, in a row.
Mt size_k(const grl::sizes& d, const Mt& k) {
  if (k.isc() || k.holds_cell() || k.st_) grl_fail("size: DIM must be a positive integer");
  const std::size_t n = k.numel();
  if (n == 1) {
    const double v = double(k.cre()[0]);
    if (!(v >= 1) || v != std::floor(v)) grl_fail("size: requested dimension DIM (= %g) out of range", v);
    return Mt(extent_at(d, v));
  }
  Mt o = Mt::alloc(1, n);
  const m_type* p = n ? k.cre() : nullptr;
  for (std::size_t q = 0; q < n; ++q) {
    const double v = double(p[q]);
    if (std::isfinite(v) && v != std::floor(v)) grl_fail("conversion of %g to octave_idx_type value failed", v);
    if (!(v >= 1)) grl_fail("size: requested dimension DIM (= %g) out of range", v);
  }
  m_type* out = n ? o.pr() : nullptr;
  for (std::size_t q = 0; q < n; ++q) out[q] = extent_at(d, double(p[q]));
  return o;
}

// [r,c,...]=size(x): the last output takes the product of the remaining dimensions,
// outputs past the last dimension are 1.
void size_out(const grl::sizes& d, Mr<m_type>* out, int n) {
  if (n == 1) { out[0] = row_of(d); return; }
  for (int k = 0; k < n; ++k) {
    std::size_t v = std::size_t(k) < d.size() ? d[k] : 1;
    if (k == n - 1)
      for (std::size_t q = std::size_t(n); q < d.size(); ++q) v *= d[q];
    out[k] = Mt(m_type(v));
  }
}

}  // namespace

// A value that holds a cell (an element of a cell of cells) has the cell's shape.
static grl::sizes shape_of(const Mt& x) { return x.holds_cell() ? x.held_cell().shape() : x.shape(); }
static std::size_t rows_of(const Mt& x) { return x.holds_cell() ? x.held_cell().rows() : x.rows(); }
static std::size_t cols_of(const Mt& x) { return x.holds_cell() ? x.held_cell().cols() : x.cols(); }

Mt size(const Mt& x) { return row_of(shape_of(x)); }
Mt size(const Mt& x, const Mt& k) { return size_k(shape_of(x), k); }
void size(const Mt& x, i_o_t, Mr<m_type> r) { Mr<m_type> o[] = {r}; size_out(shape_of(x), o, 1); }
void size(const Mt& x, i_o_t, Mr<m_type> r, Mr<m_type> c) {
  Mr<m_type> o[] = {r, c};
  size_out(shape_of(x), o, 2);
}
void size(const Mt& x, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> p) {
  Mr<m_type> o[] = {r, c, p};
  size_out(shape_of(x), o, 3);
}
void grl::size_n(const grl::sizes& d, std::vector<Mr<m_type>> outs) { size_out(d, outs.data(), int(outs.size())); }

// size(x, d1, d2, ...) and [a, b, ...] = size(x, dims): the dimensions of every DIM
// argument in turn; with several outputs there must be one per dimension.
Mt grl::size_dims(const grl::sizes& d, std::vector<const Mt*> dims) {
  if (dims.size() == 1) return size_k(d, *dims[0]);
  std::vector<m_type> all;
  for (const Mt* k : dims) {
    if (k->numel() != 1) grl_fail("size: DIM must be a positive integer");
    const Mt one = size_k(d, *k);
    all.push_back(one.cre()[0]);
  }
  Mt o = Mt::alloc(1, all.size());
  std::copy(all.begin(), all.end(), o.pr());
  return o;
}
void grl::size_dims_out(const grl::sizes& d, std::vector<const Mt*> dims, std::vector<Mr<m_type>> outs) {
  const Mt all = size_dims(d, std::move(dims));
  if (outs.size() == 1) { outs[0] = all; return; }
  if (outs.size() != all.numel()) grl_fail("size: nargout > 1 but does not match number of requested dimensions");
  for (std::size_t q = 0; q < outs.size(); ++q) outs[q] = Mt(all.cre()[q]);
}
Mt size(const Mc& x) { return row_of(x.shape()); }
Mt size(const Mc& x, const Mt& k) { return size_k(x.shape(), k); }
void size(const Mc& x, i_o_t, Mr<m_type> r) { Mr<m_type> o[] = {r}; size_out(x.shape(), o, 1); }
void size(const Mc& x, i_o_t, Mr<m_type> r, Mr<m_type> c) {
  Mr<m_type> o[] = {r, c};
  size_out(x.shape(), o, 2);
}
void size(const Mc& x, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> p) {
  Mr<m_type> o[] = {r, c, p};
  size_out(x.shape(), o, 3);
}

// length: 0 for an empty value, else the largest extent.
static std::size_t len(const grl::sizes& d) {
  std::size_t m = 0;
  for (std::size_t v : d) {
    if (v == 0) return 0;
    if (v > m) m = v;
  }
  return m;
}
Mt length(const Mt& x) {
  if (grl::is_map(x)) return Mt(m_type(double(grl::map_count(x))));
  if (grl::is_parser(x)) return Mt(m_type(1));
  return Mt(m_type(len(shape_of(x))));
}
Mt length(const Mc& x) { return Mt(m_type(len(x.shape()))); }
Mt numel(const Mt& x) {
  if (grl::is_map(x) || grl::is_parser(x)) return Mt(m_type(1));
  return Mt(m_type(rows_of(x) * cols_of(x)));
}
Mt numel(const Mc& x) { return Mt(m_type(x.numel())); }
// nnz(x): the number of nonzero elements; NaN is nonzero, and so is a complex value
// with only an imaginary part.
Mt nnz(const Mt& x) {
  const m_type* re = x.cre();
  const m_type* im = x.cim();
  std::size_t n = 0;
  for (std::size_t k = 0; k < x.numel(); ++k) n += re[k] != 0 || (im && im[k] != 0);
  return Mt(m_type(n));
}
Mt isempty(const Mt& x) {
  if (grl::is_map(x)) return grl::boolean(grl::map_count(x) == 0);
  if (grl::is_parser(x)) return grl::boolean(false);
  return grl::boolean(rows_of(x) * cols_of(x) == 0);
}
Mt isempty(const Mc& x) { return grl::boolean(x.isempty()); }
