// x(i), x(i,j) on matrices: reading, assignment that grows the matrix, deletion.
#include "int64_util.h"
#include "index.h"
#include "gridlib_funfun.h"
#include "object_map.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace grl {

namespace {

std::string place(const where& w, const char* value) {
  std::string s = w.name ? w.name : "index ";
  s += "(";
  for (int p = 0; p < w.of; ++p) {
    if (p) s += ",";
    s += p == w.pos ? value : "_";
  }
  return s + ")";
}

std::string number(double v) {
  char b[64];
  if (v == double((long long)v)) std::snprintf(b, sizeof b, "%lld", (long long)v);
  else std::snprintf(b, sizeof b, "%.4g", v);
  return b;
}

[[noreturn]] void fail_subscript(const where& w, double v) {
  std::string val = number(v);
  if (v != v) val = "nan";
  grl_fail("%s: subscripts must be either integers 1 to (2^63)-1 or logicals", place(w, val.c_str()).c_str());
}

std::size_t to_pos(double v, const where& w) {
  if (!(v >= 1) || v != double((long long)v) || v > 9.0e15) fail_subscript(w, v);
  return std::size_t(v) - 1;
}

}  // namespace

void fail_bound(const where& w, double value, std::size_t bound, std::size_t rows, std::size_t cols) {
  grl_fail("%s: out of bound %zu (dimensions are %zux%zu)", place(w, number(value).c_str()).c_str(), bound, rows,
           cols);
}

void fail_bound_dims(const where& w, double value, std::size_t bound, const M<m_type>& x) {
  grl_fail("%s: out of bound %zu (dimensions are %s)", place(w, number(value).c_str()).c_str(), bound,
           dims_text(x.shape()).c_str());
}

void fail_resize() {
  grl_fail_id("Octave:index-out-of-bounds",
              "Invalid resizing operation or ambiguous assignment to an out-of-bounds array element");
}

void fail_assign(std::size_t r1, std::size_t c1, std::size_t r2, std::size_t c2) {
  grl_fail("=: nonconformant arguments (op1 is %zux%zu, op2 is %zux%zu)", r1, c1, r2, c2);
}

std::size_t positions::max_plus1() const {
  std::size_t m = 0;
  for (std::size_t p : k)
    if (p + 1 > m) m = p + 1;
  return m;
}

positions resolve(const ix<m_type>& a, const where& w, std::size_t extent, bool check_bound) {
  positions r;
  if (a.kind == ix<m_type>::all) {
    r.all = true;
    r.rows = extent;
    r.cols = 1;
  } else if (a.kind == ix<m_type>::scalar) {
    r.scalar = true;
    r.k.push_back(to_pos(a.s, w));
    r.cols = 1;
  } else {
    const M<m_type>& m = *a.m;
    std::size_t n = m.numel();
    // A structure, cell or handle holds no numbers to index with.
    const char* kind = m.holds_struct() ? (n == 1 ? "<scalar struct>" : "<struct>")
                       : m.holds_cell() ? "<cell>"
                       : (m.flags_ & F_HANDLE) ? "<function handle>"
                                               : nullptr;
    if (kind || (n > 0 && !m.cre()))
      grl_fail("%s: subscripts must be either integers 1 to (2^63)-1 or logicals",
               place(w, kind ? kind : "<value>").c_str());
    r.rows = m.rows();
    r.cols = m.cols();
    const m_type* v = m.cre();
    if (m.islogical()) {
      r.mask = true;
      for (std::size_t i = 0; i < n; ++i)
        if (v[i] != 0) r.k.push_back(i);
    } else {
      r.k.reserve(n);
      for (std::size_t i = 0; i < n; ++i) r.k.push_back(to_pos(double(v[i]), w));
    }
  }
  (void)extent;
  (void)check_bound;
  return r;
}

bool logical_values(const M<m_type>& x, M<m_type>& v, bool was_empty) {
  if (was_empty || !x.islogical() || v.islogical() || v.ischar() || v.isc() || v.holds_cell() ||
      v.holds_struct() || (v.flags_ & F_HANDLE) || v.numel() == 0)
    return false;
  M<m_type> o = M<m_type>::alloc(v.rows(), v.cols());
  if (v.ndims() > 2) o.set_shape(v.shape());
  const m_type* a = v.cre();
  for (std::size_t k = 0; k < v.numel(); ++k) {
    if (a[k] != a[k]) grl_fail("invalid conversion from NaN to logical");
    o.pr()[k] = a[k] != 0 ? 1 : 0;
  }
  o.set_flags(F_LOGICAL);
  v = o;
  return true;
}

}  // namespace grl

using grl::positions;
using grl::resolve;
using grl::where;

namespace {

typedef M<m_type> Mt;

void check_read(const positions& p, const where& w, std::size_t extent, const Mt& x) {
  if (p.all) return;
  for (std::size_t k : p.k)
    if (k >= extent) grl::fail_bound_dims(w, double(k + 1), extent, x);
}

// The flags of x after part of it was assigned from v.
std::uint32_t merged_flags(const Mt& x, const Mt& v, bool was_empty) {
  if (was_empty) return v.flags_;
  if (x.islogical() && !v.islogical()) return 0;
  if (x.ischar() && !v.ischar() && !v.islogical()) return x.flags_;
  return x.flags_;
}

// The class of x after part of it was assigned from v: the elements written are then
// converted to it (x(2) = 2.6 in an int8 x stores 3).
grl::mclass assigned_class(const Mt& x, const Mt& v, bool was_empty) {
  if (!x.cls_ && !v.cls_) return grl::mc_double;
  return grl::assign_class(x, v, was_empty);
}

}  // namespace

template <class T> M<T> M<T>::get1(const grl::ix<T>& a) const {
  if (st_) return grl::struct_get1(*this, a);
  // A value that holds a handle is called: f(x) on an argument or a cell element.
  if (flags_ & grl::F_HANDLE) return grl::call_indexed(*this, &a, nullptr);
  // A containers.Map is read by key.
  if (fn_) return grl::map_get(*this, a);
  // A value holding a cell (a field, an argument of any class): c(k) is a cell.
  if (cell_) return of_cell(cell_->get1(a));
  where w{name_, 0, 1};
  positions p = resolve(a, w, numel(), true);
  check_read(p, w, numel(), *this);
  std::size_t n = p.count(numel());
  // The result has the shape of the index, except that a vector indexed by a vector
  // keeps its own orientation; a mask acts as the positions it selects, a row of them
  // when the mask is a row.
  std::size_t rr = p.rows, cc = p.cols;
  if (p.all) { rr = n; cc = 1; }
  else if (p.scalar) { rr = cc = 1; }
  else if (p.mask) { bool row = p.rows == 1; rr = row ? 1 : n; cc = row ? n : 1; }
  bool index_vector = rr == 1 || cc == 1;
  if (!p.all && !p.scalar && index_vector && (rows_ == 1) != (cols_ == 1)) {
    rr = rows_ == 1 ? 1 : n;
    cc = rows_ == 1 ? n : 1;
  }
  M out = alloc(rr, cc, im_ != nullptr);
  for (std::size_t i = 0; i < n; ++i) out.re_[i] = re_[p.at(i)];
  if (im_) for (std::size_t i = 0; i < n; ++i) out.im_[i] = im_[p.at(i)];
  out.flags_ = flags_;
  out.cls_ = cls_;
  if (x64_ && x64_->size() == numel()) {
    auto w = std::make_shared<grl::words64>(n);
    for (std::size_t i = 0; i < n; ++i) (*w)[i] = (*x64_)[p.at(i)];
    out.x64_ = std::move(w);
  }
  if (out.im_) out.drop_imag();
  return out;
}

template <class T> M<T> M<T>::get2(const grl::ix<T>& a, const grl::ix<T>& b) const {
  if (st_) return grl::struct_get2(*this, a, b);
  if (flags_ & grl::F_HANDLE) return grl::call_indexed(*this, &a, &b);
  if (fn_) grl_fail("only '()' indexing with exactly one key is supported by containers.Map");
  if (cell_) return of_cell(cell_->get2(a, b));
  where wa{name_, 0, 2}, wb{name_, 1, 2};
  positions pa = resolve(a, wa, rows_, true), pb = resolve(b, wb, cols_, true);
  check_read(pa, wa, rows_, *this);
  check_read(pb, wb, cols_, *this);
  std::size_t nr = pa.count(rows_), nc = pb.count(cols_);
  M out = alloc(nr, nc, im_ != nullptr);
  for (std::size_t j = 0; j < nc; ++j) {
    std::size_t src = pb.at(j) * rows_;
    for (std::size_t i = 0; i < nr; ++i) out.re_[i + j * nr] = re_[src + pa.at(i)];
    if (im_) for (std::size_t i = 0; i < nr; ++i) out.im_[i + j * nr] = im_[src + pa.at(i)];
  }
  out.flags_ = flags_;
  out.cls_ = cls_;
  if (x64_ && x64_->size() == numel()) {
    auto w = std::make_shared<grl::words64>(nr * nc);
    for (std::size_t j = 0; j < nc; ++j)
      for (std::size_t i = 0; i < nr; ++i) (*w)[i + j * nr] = (*x64_)[pb.at(j) * rows_ + pa.at(i)];
    out.x64_ = std::move(w);
  }
  if (out.im_) out.drop_imag();
  return out;
}

template <class T> void M<T>::set1(const grl::ix<T>& a, const M& v0) {
  if (st_ || v0.st_) { grl::struct_set1(*this, a, v0); return; }
  if (fn_ && !(flags_ & grl::F_HANDLE)) { grl::map_set(*this, a, v0); return; }
  M v(v0);                                   // v may be part of *this
  where w{name_, 0, 1};
  bool was_empty = numel() == 0;
  positions p = resolve(a, w, numel(), false);
  std::size_t n = p.count(numel());
  // The interpreter names the left side of x(i) = v by the count of i as a column,
  // whatever the shapes of x and i.
  if (v.numel() != 1 && v.numel() != n) grl::fail_assign(n, 1, v.rows_, v.cols_);
  if (!p.all) {
    std::size_t need = p.max_plus1();
    if (need > numel()) {
      if (rows_ == 0 && cols_ == 0) {
        if (p.rows > 1 && p.cols == 1 && !p.mask) resize(need, 1); else resize(1, need);
      } else if (rows_ == 1) resize(1, need);
      else if (cols_ == 1) resize(need, 1);
      else grl::fail_resize();
    }
  }
  if constexpr (std::is_same<T, m_type>::value) grl::logical_values(*this, v, was_empty);
  std::uint32_t fl = merged_flags(*this, v, was_empty);
  const grl::mclass cls = assigned_class(*this, v, was_empty);
  if (cls != grl::mc_double) {
    // x changes class at most once; the value written takes x's class.
    if (cls_ != cls || flags_) grl::apply_class(*this, cls);
    if (v.cls_ != cls || v.flags_) grl::apply_class(v, cls);
  }
  if (grl::w64::wide(cls) && (x64_ || v.x64_)) {
    // int64/uint64 beyond 2^53: the exact elements are assigned as the doubles are.
    std::vector<std::uint64_t> w = grl::w64::all_bits(*this, cls), vw = grl::w64::all_bits(v, cls);
    for (std::size_t i = 0; i < n; ++i) w[p.at(i)] = vw[v.numel() == 1 ? 0 : i];
    grl::w64::store(*this, cls, std::move(w));
    return;
  }
  if (v.im_) pi();
  T* re = pr();
  T* im = im_;
  if (v.numel() == 1) {
    T x = v.re_[0], y = v.im_ ? v.im_[0] : T(0);
    for (std::size_t i = 0; i < n; ++i) { re[p.at(i)] = x; if (im) im[p.at(i)] = y; }
  } else {
    for (std::size_t i = 0; i < n; ++i) { re[p.at(i)] = v.re_[i]; if (im) im[p.at(i)] = v.im_ ? v.im_[i] : T(0); }
  }
  flags_ = cls == grl::mc_double ? fl : 0;
  cls_ = cls;
  if (im_ && !v.im_) drop_imag();
}

namespace {
// The extent that an index of an assignment needs along a dimension of `have`
// elements; ":" over an empty dimension takes the extent from the value.
std::size_t need_extent(const positions& p, std::size_t have, std::size_t from_value) {
  if (p.all) return have ? have : from_value;
  std::size_t m = p.max_plus1();
  return m > have ? m : have;
}
}  // namespace

template <class T> void M<T>::set2(const grl::ix<T>& a, const grl::ix<T>& b, const M& v0) {
  if (st_ || v0.st_) { grl::struct_set2(*this, a, b, v0); return; }
  M v(v0);
  where wa{name_, 0, 2}, wb{name_, 1, 2};
  bool was_empty = numel() == 0;
  positions pa = resolve(a, wa, rows_, false), pb = resolve(b, wb, cols_, false);
  std::size_t vr = v.rows_, vc = v.cols_;
  // ":" over an empty dimension takes its extent from the value.
  std::size_t fr = v.numel() == 1 ? 1 : (!pb.all && pb.count(cols_) == 1 ? v.numel() : vr);
  std::size_t fc = v.numel() == 1 ? 1 : (!pa.all && pa.count(rows_) == 1 ? v.numel() : vc);
  std::size_t nr_need = need_extent(pa, rows_, fr), nc_need = need_extent(pb, cols_, fc);
  if (dims_ > 2 && (nr_need != rows_ || nc_need != cols_)) grl::fail_resize();
  if (nr_need != rows_ || nc_need != cols_) resize(nr_need, nc_need);
  std::size_t nr = pa.count(rows_), nc = pb.count(cols_);
  if (v.numel() != 1 && v.numel() != nr * nc) grl::fail_assign(nr, nc, vr, vc);
  if (v.numel() != 1 && !(vr == nr && vc == nc) && !(vr == 1 || vc == 1)) grl::fail_assign(nr, nc, vr, vc);
  if constexpr (std::is_same<T, m_type>::value) grl::logical_values(*this, v, was_empty);
  std::uint32_t fl = merged_flags(*this, v, was_empty);
  const grl::mclass cls = assigned_class(*this, v, was_empty);
  if (cls != grl::mc_double) {
    // x changes class at most once; the value written takes x's class.
    if (cls_ != cls || flags_) grl::apply_class(*this, cls);
    if (v.cls_ != cls || v.flags_) grl::apply_class(v, cls);
  }
  if (grl::w64::wide(cls) && (x64_ || v.x64_)) {
    std::vector<std::uint64_t> w = grl::w64::all_bits(*this, cls), vw = grl::w64::all_bits(v, cls);
    for (std::size_t j = 0, k = 0; j < nc; ++j)
      for (std::size_t i = 0; i < nr; ++i, ++k) w[pb.at(j) * rows_ + pa.at(i)] = vw[v.numel() == 1 ? 0 : k];
    grl::w64::store(*this, cls, std::move(w));
    return;
  }
  if (v.im_) pi();
  T* re = pr();
  T* im = im_;
  std::size_t k = 0;
  for (std::size_t j = 0; j < nc; ++j) {
    std::size_t col = pb.at(j) * rows_;
    for (std::size_t i = 0; i < nr; ++i, ++k) {
      std::size_t s = v.numel() == 1 ? 0 : k;
      re[col + pa.at(i)] = v.re_[s];
      if (im) im[col + pa.at(i)] = v.im_ ? v.im_[s] : T(0);
    }
  }
  flags_ = cls == grl::mc_double ? fl : 0;
  cls_ = cls;
  if (im_ && !v.im_) drop_imag();
}

namespace {
// Marks the positions to delete; fails when one is beyond the extent.
std::vector<char> doomed(const positions& p, std::size_t extent, bool two) {
  std::vector<char> d(extent, 0);
  for (std::size_t i = 0, n = p.count(extent); i < n; ++i) {
    std::size_t k = p.at(i);
    if (k >= extent) {
      if (two) grl_fail("A(..,I,..) = []: index out of bounds: value %zu out of bound %zu", k + 1, extent);
      grl_fail("A(I) = []: index out of bounds: value %zu out of bound %zu", k + 1, extent);
    }
    d[k] = 1;
  }
  return d;
}
}  // namespace

template <class T> void M<T>::del1(const grl::ix<T>& a) {
  if (st_) { grl::struct_del1(*this, a); return; }
  where w{name_, 0, 1};
  positions p = resolve(a, w, numel(), false);
  std::vector<char> d = doomed(p, numel(), false);
  if (p.all) { std::uint32_t f = flags_, c = cls_; *this = nop_M; flags_ = f; cls_ = c; return; }
  std::size_t keep = 0;
  for (char c : d) keep += !c;
  if (keep == numel()) return;
  bool col = cols_ == 1 && rows_ != 1;
  M out = alloc(col ? keep : 1, col ? 1 : keep, im_ != nullptr);
  for (std::size_t i = 0, o = 0; i < d.size(); ++i)
    if (!d[i]) { out.re_[o] = re_[i]; if (im_) out.im_[o] = im_[i]; ++o; }
  out.flags_ = flags_;
  out.cls_ = cls_;
  if (x64_ && x64_->size() == numel()) {
    auto w = std::make_shared<grl::words64>();
    for (std::size_t i = 0; i < d.size(); ++i)
      if (!d[i]) w->push_back((*x64_)[i]);
    out.x64_ = std::move(w);
  }
  const char* nm = name_;
  *this = std::move(out);
  name_ = nm;
}

template <class T> void M<T>::del2(const grl::ix<T>& a, const grl::ix<T>& b) {
  if (st_) { grl::struct_del2(*this, a, b); return; }
  where wa{name_, 0, 2}, wb{name_, 1, 2};
  positions pa = resolve(a, wa, rows_, false), pb = resolve(b, wb, cols_, false);
  std::vector<char> dr = doomed(pa, rows_, true), dc = doomed(pb, cols_, true);
  auto every = [](const std::vector<char>& d) { for (char c : d) if (!c) return false; return true; };
  bool rows_all = pa.all || every(dr), cols_all = pb.all || every(dc);
  if (!rows_all && !cols_all) grl_fail("a null assignment can only have one non-colon index");
  std::size_t nr = rows_, nc = cols_;
  if (rows_all && !pb.all) {            // delete columns
    std::size_t keep = 0;
    for (char c : dc) keep += !c;
    nc = keep;
    dr.assign(rows_, 0);
  } else {                              // delete rows (or everything)
    std::size_t keep = 0;
    for (char c : dr) keep += !c;
    nr = keep;
    dc.assign(cols_, 0);
  }
  if (nr == rows_ && nc == cols_) return;
  M out = alloc(nr, nc, im_ != nullptr);
  std::size_t o = 0;
  for (std::size_t j = 0; j < cols_; ++j) {
    if (dc[j]) continue;
    for (std::size_t i = 0; i < rows_; ++i) {
      if (dr[i]) continue;
      out.re_[o] = re_[i + j * rows_];
      if (im_) out.im_[o] = im_[i + j * rows_];
      ++o;
    }
  }
  out.flags_ = flags_;
  out.cls_ = cls_;
  if (x64_ && x64_->size() == numel()) {
    auto w = std::make_shared<grl::words64>();
    for (std::size_t j = 0; j < cols_; ++j)
      for (std::size_t i = 0; i < rows_; ++i)
        if (!dc[j] && !dr[i]) w->push_back((*x64_)[i + j * rows_]);
    out.x64_ = std::move(w);
  }
  const char* nm = name_;
  *this = std::move(out);
  name_ = nm;
}

// The forms of x(...) the header leaves out of line: three or more subscripts, and
// any index that is not a scalar in range.
template <class T> M<T> Mx<T>::general_value() const {
  if (n == 3) {
    std::size_t k;
    if (grl::scalar_offset3(*m, a, b, c, k) && !m->im_ && !m->flags_ && !m->cls_) return M<T>(m->re_[k]);
    return m->getn(subs());
  } else if (n > 3) {
    return m->getn(subs());
  }
  return n == 1 ? m->get1(a) : m->get2(a, b);
}

template <class T> bool Mx<T>::put_scalar3(T v) {
  std::size_t k;
  if (!grl::scalar_offset3(*m, a, b, c, k)) return false;
  m->pr()[k] = v;
  return true;
}
template <class T> std::vector<grl::ix<T>> Mx<T>::subs() const {
  std::vector<grl::ix<T>> s{a, b, c};
  s.insert(s.end(), more.begin(), more.end());
  return s;
}

template <class T> void M<T>::drop_exact_parts() { x64_.reset(); }

template <class T> void Mx<T>::drop_more() { std::vector<grl::ix<T>>().swap(more); }
template <class T> void grl::ix<T>::share_own(const ix& o) { own = o.own; }
template <class T> void grl::ix<T>::drop_own() { own.reset(); }
template <class T> grl::ix<T>::ix(const Mx<T>& v) : kind(mat) {
  own = std::make_shared<M<T>>(v.value());
  m = own.get();
  if (m->is_real_scalar() && m->re_ && !m->islogical() && !m->ischar()) { kind = scalar; s = double(*m->re_); m = nullptr; }
}

template void Mx<m_type>::drop_more();
template void grl::ix<m_type>::share_own(const ix&);
template void grl::ix<m_type>::drop_own();
template grl::ix<m_type>::ix(const Mx<m_type>&);
template M<m_type> Mx<m_type>::general_value() const;
template bool Mx<m_type>::put_scalar3(m_type);
template std::vector<grl::ix<m_type>> Mx<m_type>::subs() const;
template void M<m_type>::drop_exact_parts();
template M<m_type> M<m_type>::get1(const grl::ix<m_type>&) const;
template M<m_type> M<m_type>::get2(const grl::ix<m_type>&, const grl::ix<m_type>&) const;
template void M<m_type>::set1(const grl::ix<m_type>&, const M<m_type>&);
template void M<m_type>::set2(const grl::ix<m_type>&, const grl::ix<m_type>&, const M<m_type>&);
template void M<m_type>::del1(const grl::ix<m_type>&);
template void M<m_type>::del2(const grl::ix<m_type>&, const grl::ix<m_type>&);
