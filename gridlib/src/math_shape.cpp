// Shape of values: size in every output form, length, numel, isempty (for matrices
// and cells alike) and nnz.
#include "math_util.h"

using namespace grl;
using namespace grl::mth;

namespace {

Mt row2(std::size_t r, std::size_t c) {
  Mt o = Mt::alloc(1, 2);
  m_type* p = o.pr();
  p[0] = m_type(r);
  p[1] = m_type(c);
  return o;
}

Mt size_k(std::size_t r, std::size_t c, const Mt& k) {
  if (k.numel() != 1 || k.isc()) grl_fail("size: DIM must be a positive integer");
  const double d = double(k.cre()[0]);
  if (!(d >= 1) || d != std::floor(d))
    grl_fail("size: requested dimension DIM (= %g) out of range", d);
  return Mt(m_type(d == 1 ? r : d == 2 ? c : 1));
}

// [r,c,...]=size(x): the last output takes the product of the remaining dimensions.
void size_out(std::size_t r, std::size_t c, Mr<m_type>* out, int n) {
  if (n == 1) { out[0] = row2(r, c); return; }
  out[0] = Mt(m_type(r));
  out[1] = Mt(m_type(c));
  for (int k = 2; k < n; ++k) out[k] = Mt(m_type(1));
}

}  // namespace

// A value that holds a cell (an element of a cell of cells) has the cell's shape.
static std::size_t rows_of(const Mt& x) { return x.holds_cell() ? x.held_cell().rows() : x.rows(); }
static std::size_t cols_of(const Mt& x) { return x.holds_cell() ? x.held_cell().cols() : x.cols(); }

Mt size(const Mt& x) { return row2(rows_of(x), cols_of(x)); }
Mt size(const Mt& x, const Mt& k) { return size_k(rows_of(x), cols_of(x), k); }
void size(const Mt& x, i_o_t, Mr<m_type> r) { Mr<m_type> o[] = {r}; size_out(rows_of(x), cols_of(x), o, 1); }
void size(const Mt& x, i_o_t, Mr<m_type> r, Mr<m_type> c) {
  Mr<m_type> o[] = {r, c};
  size_out(rows_of(x), cols_of(x), o, 2);
}
void size(const Mt& x, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> p) {
  Mr<m_type> o[] = {r, c, p};
  size_out(rows_of(x), cols_of(x), o, 3);
}
Mt size(const Mc& x) { return row2(x.rows(), x.cols()); }
Mt size(const Mc& x, const Mt& k) { return size_k(x.rows(), x.cols(), k); }
void size(const Mc& x, i_o_t, Mr<m_type> r) { Mr<m_type> o[] = {r}; size_out(x.rows(), x.cols(), o, 1); }
void size(const Mc& x, i_o_t, Mr<m_type> r, Mr<m_type> c) {
  Mr<m_type> o[] = {r, c};
  size_out(x.rows(), x.cols(), o, 2);
}
void size(const Mc& x, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> p) {
  Mr<m_type> o[] = {r, c, p};
  size_out(x.rows(), x.cols(), o, 3);
}

static std::size_t len(std::size_t r, std::size_t c) { return r == 0 || c == 0 ? 0 : r > c ? r : c; }
Mt length(const Mt& x) { return Mt(m_type(len(rows_of(x), cols_of(x)))); }
Mt length(const Mc& x) { return Mt(m_type(len(x.rows(), x.cols()))); }
Mt numel(const Mt& x) { return Mt(m_type(rows_of(x) * cols_of(x))); }
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
Mt isempty(const Mt& x) { return grl::boolean(rows_of(x) * cols_of(x) == 0); }
Mt isempty(const Mc& x) { return grl::boolean(x.isempty()); }
