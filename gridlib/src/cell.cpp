// Cells: c{k} reads and grows, c(i) selects a cell of elements, c(i) = [] deletes.
#include "index.h"
#include "math_util.h"
#include "gridlib_funfun.h"

using grl::positions;
using grl::resolve;
using grl::where;
typedef M<m_type> Mt;
typedef M<M<m_type>> Mc;

template <class T> M<M<T>> M<M<T>>::alloc(std::size_t rows, std::size_t cols) {
  grl::check_extent(rows, cols, sizeof(M<T>));
  Mc c;
  c.rows_ = std::uint32_t(rows);
  c.cols_ = std::uint32_t(cols);
  c.cb_ = std::make_shared<grl::cellblock<m_type>>();
  c.cb_->e.resize(rows * cols);
  return c;
}

template <class T> M<M<T>> M<M<T>>::alloc(const grl::sizes& d) {
  grl::check_sizes(d, sizeof(M<T>));
  std::size_t c = 1;
  for (std::size_t k = 1; k < d.size(); ++k) c *= d[k];
  Mc out = alloc(d.empty() ? 1 : d[0], c);
  out.set_shape(d);
  return out;
}

template <class T> void M<M<T>>::set_shape(const grl::sizes& d0) {
  const grl::sizes d = grl::trimmed(d0);
  std::size_t c = 1;
  for (std::size_t k = 1; k < d.size(); ++k) c *= d[k];
  rows_ = std::uint32_t(d[0]);
  cols_ = std::uint32_t(c);
  if (d.size() == 2) {
    drop_ext();
  } else {
    dims_ = std::uint32_t(d.size());
    ext_ = std::make_shared<const grl::extents>(d.begin(), d.end());
  }
}

template <class T> void M<M<T>>::unshare() {
  if (!cb_) cb_ = std::make_shared<grl::cellblock<m_type>>();
  else if (cb_.use_count() > 1) cb_ = std::make_shared<grl::cellblock<m_type>>(*cb_);
  cb_->e.resize(numel());
}

template <class T> void M<M<T>>::resize(std::size_t rows, std::size_t cols) {
  if (rows == rows_ && cols == cols_) return;
  Mc out = alloc(rows, cols);
  std::size_t rr = rows < rows_ ? rows : rows_, cc = cols < cols_ ? cols : cols_;
  for (std::size_t j = 0; j < cc; ++j)
    for (std::size_t i = 0; i < rr; ++i) out.cb_->e[i + j * rows] = cb_->e[i + j * rows_];
  take_shape(out);
  cb_ = out.cb_;
}

namespace {
void check_read(const positions& p, const where& w, std::size_t extent, std::size_t rows, std::size_t cols) {
  if (p.all) return;
  for (std::size_t k : p.k)
    if (k >= extent) grl::fail_bound(w, double(k + 1), extent, rows, cols);
}

// The one element that c{a} or c{a,b} names.
std::size_t one_position(const Mc& c, const grl::ix<m_type>& a, const grl::ix<m_type>* b, bool grow_ok,
                         std::size_t* need_r, std::size_t* need_c) {
  if (!b) {
    where w{c.name_, 0, 1};
    positions p = resolve(a, w, c.numel(), false);
    if (p.count(c.numel()) != 1) grl_fail("some elements undefined in index list");
    std::size_t k = p.at(0);
    if (k >= c.numel()) {
      if (!grow_ok) grl::fail_bound(w, double(k + 1), c.numel(), c.rows(), c.cols());
      if (c.rows() == 0 && c.cols() == 0) { *need_r = 1; *need_c = k + 1; }
      else if (c.rows() == 1) { *need_r = 1; *need_c = k + 1; }
      else if (c.cols() == 1) { *need_r = k + 1; *need_c = 1; }
      else grl_fail("Octave:index-out-of-bounds: A(I) = X: X must have the same size as I");
    }
    return k;
  }
  where wa{c.name_, 0, 2}, wb{c.name_, 1, 2};
  positions pa = resolve(a, wa, c.rows(), false), pb = resolve(*b, wb, c.cols(), false);
  if (pa.count(c.rows()) != 1 || pb.count(c.cols()) != 1) grl_fail("some elements undefined in index list");
  std::size_t i = pa.at(0), j = pb.at(0);
  if (i >= c.rows() || j >= c.cols()) {
    if (!grow_ok) {
      if (i >= c.rows()) grl::fail_bound(wa, double(i + 1), c.rows(), c.rows(), c.cols());
      grl::fail_bound(wb, double(j + 1), c.cols(), c.rows(), c.cols());
    }
    *need_r = i + 1 > c.rows() ? i + 1 : c.rows();
    *need_c = j + 1 > c.cols() ? j + 1 : c.cols();
  }
  return i + j * (*need_r ? *need_r : c.rows());
}
}  // namespace

template <class T> M<T>& M<M<T>>::cell_ref(const grl::ix<T>& a, const grl::ix<T>* b) {
  std::size_t nr = 0, nc = 0;
  std::size_t k = one_position(*this, a, b, true, &nr, &nc);
  if (nr || nc) resize(nr, nc);
  unshare();
  return cb_->e[k];
}

template <class T> const M<T>& M<M<T>>::cell_get(const grl::ix<T>& a, const grl::ix<T>* b) const {
  std::size_t nr = 0, nc = 0;
  std::size_t k = one_position(*this, a, b, false, &nr, &nc);
  return cb_->e[k];
}

template <class T> M<T> M<M<T>>::br(const grl::ix<T>& k) const { return cell_get(k, nullptr); }

template <class T> const M<T>& M<M<T>>::operator[](int k) const {
  if (k < 1 || std::size_t(k) > numel()) grl::fail_bound(where{name_, 0, 1}, k, numel(), rows_, cols_);
  return cb_->e[std::size_t(k) - 1];
}

template <class T> M<M<T>> M<M<T>>::get1(const grl::ix<T>& a) const {
  where w{name_, 0, 1};
  positions p = resolve(a, w, numel(), true);
  check_read(p, w, numel(), rows_, cols_);
  std::size_t n = p.count(numel());
  // The shape rule of matrices: the shape of the index (c([]) is 0 x 0, c([1 2; 3 4])
  // is 2 x 2), except that a vector indexed by a vector keeps its own orientation.
  std::size_t rr = p.rows, cc = p.cols;
  if (p.all) { rr = n; cc = 1; }
  else if (p.scalar) { rr = cc = 1; }
  else if (p.mask) { const bool row = p.rows == 1; rr = row ? 1 : n; cc = row ? n : 1; }
  if (!p.all && !p.scalar && (rr == 1 || cc == 1) && (rows_ == 1) != (cols_ == 1)) {
    rr = rows_ == 1 ? 1 : n;
    cc = rows_ == 1 ? n : 1;
  }
  Mc out = alloc(rr, cc);
  for (std::size_t i = 0; i < n; ++i) out.cb_->e[i] = cb_->e[p.at(i)];
  return out;
}

template <class T> M<M<T>> M<M<T>>::get2(const grl::ix<T>& a, const grl::ix<T>& b) const {
  where wa{name_, 0, 2}, wb{name_, 1, 2};
  positions pa = resolve(a, wa, rows_, true), pb = resolve(b, wb, cols_, true);
  check_read(pa, wa, rows_, rows_, cols_);
  check_read(pb, wb, cols_, rows_, cols_);
  std::size_t nr = pa.count(rows_), nc = pb.count(cols_);
  Mc out = alloc(nr, nc);
  for (std::size_t j = 0; j < nc; ++j)
    for (std::size_t i = 0; i < nr; ++i) out.cb_->e[i + j * nr] = cb_->e[pa.at(i) + pb.at(j) * rows_];
  return out;
}

template <class T> void M<M<T>>::set1(const grl::ix<T>& a, const M& v0) {
  Mc v(v0);
  where w{name_, 0, 1};
  positions p = resolve(a, w, numel(), false);
  std::size_t n = p.count(numel());
  if (v.numel() != 1 && v.numel() != n) grl::fail_assign(n, 1, v.rows_, v.cols_);
  if (!p.all) {
    std::size_t need = p.max_plus1();
    if (need > numel()) {
      if (rows_ == 1 || (rows_ == 0 && cols_ == 0)) resize(1, need);
      else if (cols_ == 1) resize(need, 1);
      else grl_fail("Octave:index-out-of-bounds: A(I) = X: X must have the same size as I");
    }
  }
  unshare();
  for (std::size_t i = 0; i < n; ++i) cb_->e[p.at(i)] = v.cb_->e[v.numel() == 1 ? 0 : i];
}

template <class T> void M<M<T>>::set2(const grl::ix<T>& a, const grl::ix<T>& b, const M& v0) {
  Mc v(v0);
  where wa{name_, 0, 2}, wb{name_, 1, 2};
  positions pa = resolve(a, wa, rows_, false), pb = resolve(b, wb, cols_, false);
  std::size_t nr = pa.all ? (rows_ ? rows_ : v.rows_) : pa.k.size();
  std::size_t nc = pb.all ? (cols_ ? cols_ : v.cols_) : pb.k.size();
  std::size_t need_r = pa.all ? nr : pa.max_plus1(), need_c = pb.all ? nc : pb.max_plus1();
  resize(need_r > rows_ ? need_r : rows_, need_c > cols_ ? need_c : cols_);
  if (v.numel() != 1 && v.numel() != nr * nc) grl::fail_assign(nr, nc, v.rows_, v.cols_);
  unshare();
  for (std::size_t j = 0, k = 0; j < nc; ++j)
    for (std::size_t i = 0; i < nr; ++i, ++k)
      cb_->e[pa.at(i) + pb.at(j) * rows_] = v.cb_->e[v.numel() == 1 ? 0 : k];
}

template <class T> void M<M<T>>::del1(const grl::ix<T>& a) {
  where w{name_, 0, 1};
  positions p = resolve(a, w, numel(), false);
  if (p.all) { *this = nop_M; return; }
  std::vector<char> d(numel(), 0);
  for (std::size_t k : p.k) {
    if (k >= numel()) grl_fail("A(I) = []: index out of bounds: value %zu out of bound %zu", k + 1, numel());
    d[k] = 1;
  }
  std::size_t keep = 0;
  for (char c : d) keep += !c;
  bool col = cols_ == 1 && rows_ != 1;
  Mc out = alloc(col ? keep : 1, col ? 1 : keep);
  for (std::size_t i = 0, o = 0; i < d.size(); ++i)
    if (!d[i]) out.cb_->e[o++] = cb_->e[i];
  take_shape(out); cb_ = out.cb_;
}

template <class T> void M<M<T>>::del2(const grl::ix<T>& a, const grl::ix<T>& b) {
  where wa{name_, 0, 2}, wb{name_, 1, 2};
  positions pa = resolve(a, wa, rows_, false), pb = resolve(b, wb, cols_, false);
  if (!pa.all && !pb.all) grl_fail("a null assignment can only have one non-colon index");
  const positions& p = pa.all ? pb : pa;
  std::size_t extent = pa.all ? cols_ : rows_;
  std::vector<char> d(extent, 0);
  for (std::size_t i = 0, n = p.count(extent); i < n; ++i) {
    std::size_t k = p.at(i);
    if (k >= extent) grl_fail("A(..,I,..) = []: index out of bounds: value %zu out of bound %zu", k + 1, extent);
    d[k] = 1;
  }
  std::size_t keep = 0;
  for (char c : d) keep += !c;
  std::size_t nr = pa.all ? rows_ : keep, nc = pa.all ? keep : cols_;
  Mc out = alloc(nr, nc);
  std::size_t o = 0;
  for (std::size_t j = 0; j < cols_; ++j)
    for (std::size_t i = 0; i < rows_; ++i)
      if (!(pa.all ? d[j] : d[i])) out.cb_->e[o++] = cb_->e[i + j * rows_];
  take_shape(out); cb_ = out.cb_;
}

template class M<M<m_type>>;

template <class T> M<T> Cx<T>::value() const {
  return n == 3 ? c->cell_getn({a, b, k3}) : c->cell_get(a, n == 2 ? &b : nullptr);
}
template <class T> M<T>& Cx<T>::ref() {
  return n == 3 ? c->cell_refn({a, b, k3}) : c->cell_ref(a, n == 2 ? &b : nullptr);
}
template <class T> M<M<T>> Mx<M<T>>::value() const {
  return n == 1 ? m->get1(a) : n == 2 ? m->get2(a, b) : m->getn({a, b, c});
}
template <class T> Mx<M<T>>& Mx<M<T>>::operator=(const M<M<T>>& v) {
  if (n == 1) m->set1(a, v); else if (n == 2) m->set2(a, b, v); else m->setn({a, b, c}, v);
  return *this;
}
template <class T> Mx<M<T>>& Mx<M<T>>::operator=(nop_t) {
  if (n == 1) m->del1(a); else if (n == 2) m->del2(a, b); else m->deln({a, b, c});
  return *this;
}
template M<m_type> Cx<m_type>::value() const;
template M<m_type>& Cx<m_type>::ref();
template M<M<m_type>> Mx<M<m_type>>::value() const;
template Mx<M<m_type>>& Mx<M<m_type>>::operator=(const M<M<m_type>>&);
template Mx<M<m_type>>& Mx<M<m_type>>::operator=(nop_t);

namespace grl {
template <class T> std::shared_ptr<const M<M<T>>> share_cell(const M<M<T>>& c) {
  return std::make_shared<const M<M<T>>>(c);
}
template <class T> M<M<T>>& held_w_copy(M<T>& x) {
  auto own = std::make_shared<M<M<T>>>(*x.cell_);
  x.cell_ = own;
  return *own;
}
template std::shared_ptr<const M<M<m_type>>> share_cell(const M<M<m_type>>&);
template M<M<m_type>>& held_w_copy(M<m_type>&);
}  // namespace grl

// cell(n), cell(r, c), cell([r c]): a cell of empty matrices. A negative size
// counts as 0; a fractional one is refused as Octave refuses it.
namespace {
std::size_t cell_extent(const Mt& v, std::size_t k) {
  if (k >= v.numel()) return 0;
  const double d = double(v.cre()[k]);
  if (d != d || d != double(static_cast<long long>(d)))
    grl_fail("conversion of %g to octave_idx_type value failed", d);
  return d < 0 ? 0 : std::size_t(d);
}
}  // namespace

Mc cell(const Mt& n) {
  if (n.numel() == 1) {
    const std::size_t k = cell_extent(n, 0);
    return Mc::alloc(k, k);
  }
  if (n.numel() > 2) return Mc::alloc(grl::mth::dims_list({n}, "cell"));
  return Mc::alloc(cell_extent(n, 0), cell_extent(n, 1));
}

Mc grl::cell_n(const std::vector<Mt>& a) { return Mc::alloc(grl::mth::dims_list(a, "cell")); }

Mc cell(const Mt& r, const Mt& c) {
  if (r.numel() != 1 || c.numel() != 1) grl_fail("cell: dimensions must be scalars");
  return Mc::alloc(cell_extent(r, 0), cell_extent(c, 0));
}

Mc transpose(const Mc& c) {
  Mc t = Mc::alloc(c.cols(), c.rows());
  for (std::size_t i = 0; i < c.rows(); ++i)
    for (std::size_t j = 0; j < c.cols(); ++j) t.welem(j + i * c.cols()) = c.elem(i + j * c.rows());
  return t;
}

Mc ctranspose(const Mc& c) { return transpose(c); }

void grl::fail_brace(bool scalar) { grl_fail("%s cannot be indexed with {", scalar ? "scalar" : "matrix"); }

void grl::fail_cell_as_number() { grl_fail("wrong type argument 'cell array'"); }

void grl::fail_not_cell() {
  grl_fail("a value that is not a cell cannot be assigned to a cell variable");
}

Mt grl::bad_call(const char* message) { grl_fail("%s", message); }

template <class T> void grl::check_extra_indices(const M<T>& x, const cs_t<T>& s) {
  const int n = s.end() - s.first + 1;
  if (n < 1) grl_fail("%s: an index list of no elements", x.getname());
  for (int k = 2; k < n; ++k) {
    const M<T>& e = s.at(s.first + k);
    if (e.ischar() && e.numel() == 1 && e.cre()[0] == T(':')) continue;
    for (std::size_t q = 0; q < e.numel(); ++q) {
      if (e.cre()[q] == T(1)) continue;
      std::string where;
      for (int d = 0; d < k; ++d) where += "_,";
      grl_fail("%s(%s%g): out of bound 1 (dimensions are %zux%zu)", x.getname(), where.c_str(),
               double(e.cre()[q]), x.rows(), x.cols());
    }
  }
}
template void grl::check_extra_indices(const Mt&, const cs_t<m_type>&);

Mt grl::handle(const Mt& name) {
  Mt h = name;
  h.set_flags(grl::F_STRING | grl::F_HANDLE);
  return h;
}

void grl::fail_handle_index(const char* name) {
  const char* n = name ? name : "f";
  grl_fail("%s is a function handle given as an argument: call it with feval(%s, ...)", n, n);
}

void grl::fail_return_list(std::size_t k) {
  grl_fail("element number %zu undefined in return list", k);
}

// --- anonymous functions ----------------------------------------------------------

const Mt& grl::anon_arg(const Mc& args, std::size_t k) {
  static const Mt none;
  return k < args.numel() ? args[int(k) + 1] : none;
}

Mt grl::anon_handle(const char* text, std::shared_ptr<const grl::closure> c) {
  Mt h = grl::handle(TM(text));
  h.fn_ = std::move(c);
  return h;
}

bool grl::is_anon(const Mt& h) { return (h.flags_ & grl::F_HANDLE) && h.fn_; }

Mt grl::call_anon(const Mt& h, const Mc& args) {
  const auto* c = static_cast<const grl::closure*>(h.fn_.get());
  if (!c || !(h.flags_ & grl::F_HANDLE)) grl_fail("feval: FUNC must be a string or function handle");
  return grl::call_handle(h, args);
}

// c(i,j,k,...), c{i,j,k,...}: cells of any number of dimensions. The subscripts are
// resolved on a numeric value of the cell's shape whose elements count 1, 2, ...; what
// the numeric indexing returns or leaves says which elements of the cell go where.
namespace {
Mt counting_like(const Mc& c) {
  Mt p = Mt::alloc(c.shape());
  m_type* q = p.pr();
  for (std::size_t k = 0; k < p.numel(); ++k) q[k] = m_type(k + 1);
  return p;
}
// The cell of elements the numbers name: k > 0 element k of c, k < 0 element -k of v,
// 0 an empty element.
Mc gather(const Mc& c, const Mc* v, const Mt& where) {
  Mc out = Mc::alloc(where.shape());
  for (std::size_t k = 0; k < where.numel(); ++k) {
    const long w = long(where.cre()[k]);
    if (w > 0) out.welem(k) = c.elem(std::size_t(w - 1));
    else if (w < 0 && v) out.welem(k) = v->elem(std::size_t(-w - 1));
  }
  return out;
}
}  // namespace

template <class T> M<M<T>> M<M<T>>::getn(const std::vector<grl::ix<T>>& s) const {
  Mt p = counting_like(*this);
  p.name_ = name_;
  return gather(*this, nullptr, p.getn(s));
}

template <class T> void M<M<T>>::setn(const std::vector<grl::ix<T>>& s, const M& v) {
  Mt p = counting_like(*this);
  p.name_ = name_;
  Mt marks = Mt::alloc(v.shape());
  for (std::size_t k = 0; k < marks.numel(); ++k) marks.pr()[k] = -m_type(k + 1);
  p.setn(s, marks);
  Mc out = gather(*this, &v, p);
  take_shape(out);
  cb_ = out.cb_;
}

template <class T> void M<M<T>>::deln(const std::vector<grl::ix<T>>& s) {
  Mt p = counting_like(*this);
  p.name_ = name_;
  p.deln(s);
  Mc out = gather(*this, nullptr, p);
  take_shape(out);
  cb_ = out.cb_;
}

template <class T> const M<T>& M<M<T>>::cell_getn(const std::vector<grl::ix<T>>& s) const {
  Mt p = counting_like(*this);
  p.name_ = name_;
  const Mt at = p.getn(s);
  if (at.numel() != 1) grl_fail("some elements undefined in index list");
  return elem(std::size_t(at.cre()[0]) - 1);
}

template <class T> M<T>& M<M<T>>::cell_refn(const std::vector<grl::ix<T>>& s) {
  Mt p = counting_like(*this);
  p.name_ = name_;
  p.setn(s, Mt(m_type(-1)));
  std::size_t at = p.numel();
  std::size_t marked = 0;
  for (std::size_t k = 0; k < p.numel(); ++k)
    if (p.cre()[k] < 0) { at = k; ++marked; }
  if (marked != 1) grl_fail("some elements undefined in index list");
  Mc out = gather(*this, nullptr, p);
  take_shape(out);
  cb_ = out.cb_;
  return welem(at);
}

template M<M<m_type>> M<M<m_type>>::getn(const std::vector<grl::ix<m_type>>&) const;
template void M<M<m_type>>::setn(const std::vector<grl::ix<m_type>>&, const M<M<m_type>>&);
template void M<M<m_type>>::deln(const std::vector<grl::ix<m_type>>&);
template const M<m_type>& M<M<m_type>>::cell_getn(const std::vector<grl::ix<m_type>>&) const;
template M<m_type>& M<M<m_type>>::cell_refn(const std::vector<grl::ix<m_type>>&);
