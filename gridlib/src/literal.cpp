// Matrix and cell literals, string literals and ranges.
#include "gridlib.h"
#include "int64_util.h"

#include <cmath>
#include <cstring>

typedef M<m_type> Mt;
typedef M<M<m_type>> Mc;

namespace {

// Whether a piece holds int64/uint64 elements beyond 2^53, which the joined value keeps.
bool any_exact(const Mt* items, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (items[i].x64_) return true;
  return false;
}

// Joins pieces side by side; empty pieces take no part.
Mt join_row(const Mt* items, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (items[i].holds_struct()) return grl::struct_cat(2, std::vector<Mt>(items, items + n));
  for (std::size_t i = 0; i < n; ++i)
    if (items[i].ndims() > 2) return grl::cat_literal(2, std::vector<Mt>(items, items + n));
  std::size_t rows = 0, cols = 0;
  bool cplx = false, chr = false, logical = true, any = false;
  for (std::size_t i = 0; i < n; ++i) {
    const Mt& x = items[i];
    chr |= x.ischar();
    if (x.isempty()) continue;
    logical &= x.islogical();
    cplx |= x.isc();
    if (any && x.rows() != rows)
      grl_fail("horizontal dimensions mismatch (%zux%zu vs %zux%zu)", rows, cols, x.rows(), x.cols());
    if (!any) rows = x.rows();
    any = true;
    cols += x.cols();
  }
  Mt out = Mt::alloc(rows, cols, cplx);
  m_type* re = out.pr();
  m_type* im = cplx ? out.pi() : nullptr;
  std::size_t at = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Mt& x = items[i];
    if (x.isempty()) continue;
    std::size_t k = x.numel();
    std::memcpy(re + at, x.cre(), k * sizeof(m_type));
    if (im) {
      if (x.cim()) std::memcpy(im + at, x.cim(), k * sizeof(m_type));
      else std::memset(im + at, 0, k * sizeof(m_type));
    }
    at += k;
  }
  if (!any && chr) out = Mt::alloc(0, 0);
  out.set_flags(chr ? std::uint32_t(grl::F_STRING) : (any && logical ? std::uint32_t(grl::F_LOGICAL) : 0u));
  const grl::mclass cls = grl::concat_class(items, n);
  if (grl::w64::wide(cls) && any_exact(items, n)) {
    std::vector<std::uint64_t> w;
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t e = 0; e < items[i].numel(); ++e) w.push_back(grl::w64::bits(grl::w64::at(items[i], e), cls));
    grl::w64::store(out, cls, std::move(w));
    return out;
  }
  if (cls != grl::mc_none) grl::apply_class(out, cls);
  return out;
}

// Stacks rows; empty rows take no part.
Mt join_col(const std::vector<Mt>& rows_v) {
  for (const Mt& x : rows_v)
    if (x.holds_struct()) return grl::struct_cat(1, rows_v);
  for (const Mt& x : rows_v)
    if (x.ndims() > 2) return grl::cat_literal(1, rows_v);
  std::size_t rows = 0, cols = 0;
  bool cplx = false, chr = false, logical = true, any = false;
  for (const Mt& x : rows_v) {
    chr |= x.ischar();
    if (x.isempty()) continue;
    logical &= x.islogical();
    cplx |= x.isc();
    if (any && x.cols() != cols)
      grl_fail("vertical dimensions mismatch (%zux%zu vs %zux%zu)", rows, cols, x.rows(), x.cols());
    if (!any) cols = x.cols();
    any = true;
    rows += x.rows();
  }
  Mt out = Mt::alloc(rows, cols, cplx);
  m_type* re = out.pr();
  m_type* im = cplx ? out.pi() : nullptr;
  std::size_t r0 = 0;
  for (const Mt& x : rows_v) {
    if (x.isempty()) continue;
    for (std::size_t j = 0; j < cols; ++j)
      for (std::size_t i = 0; i < x.rows(); ++i) {
        re[r0 + i + j * rows] = x.cre()[i + j * x.rows()];
        if (im) im[r0 + i + j * rows] = x.cim() ? x.cim()[i + j * x.rows()] : m_type(0);
      }
    r0 += x.rows();
  }
  out.set_flags(chr ? std::uint32_t(grl::F_STRING) : (any && logical ? std::uint32_t(grl::F_LOGICAL) : 0u));
  const grl::mclass cls = grl::concat_class(rows_v.data(), rows_v.size());
  if (grl::w64::wide(cls) && any_exact(rows_v.data(), rows_v.size())) {
    std::vector<std::uint64_t> w(out.numel());
    std::size_t r1 = 0;
    for (const Mt& x : rows_v) {
      if (x.isempty()) continue;
      for (std::size_t j = 0; j < cols; ++j)
        for (std::size_t i = 0; i < x.rows(); ++i)
          w[r1 + i + j * rows] = grl::w64::bits(grl::w64::at(x, i + j * x.rows()), cls);
      r1 += x.rows();
    }
    grl::w64::store(out, cls, std::move(w));
    return out;
  }
  if (cls != grl::mc_none) grl::apply_class(out, cls);
  return out;
}

template <class E> std::vector<std::pair<std::size_t, std::size_t>> row_spans(const std::vector<E>& items,
                                                                              const std::vector<std::size_t>& starts) {
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  for (std::size_t r = 0; r < starts.size(); ++r) {
    std::size_t b = starts[r], e = r + 1 < starts.size() ? starts[r + 1] : items.size();
    if (e > b) spans.emplace_back(b, e);
  }
  return spans;
}

}  // namespace

template <class T> M<T> br_t<T>::value() const {
  // [x, {'a'}] with x a value holding a cell joins cells: the other pieces become
  // cells of one element (an empty one is left out).
  for (const Mt& x : items) {
    if (!x.holds_cell()) continue;
    bc_t<T> cells;
    cells.row_start = row_start;
    for (const Mt& y : items) {
      if (y.holds_cell()) {
        cells.items.push_back(y.held_cell());
      } else if (y.isempty()) {
        cells.items.emplace_back();
      } else {
        Mc one = Mc::alloc(1, 1);
        one.welem(0) = y;
        cells.items.push_back(one);
      }
    }
    return Mt::of_cell(cells.value());
  }
  auto spans = row_spans(items, row_start);
  if (spans.size() == 1) return join_row(items.data() + spans[0].first, spans[0].second - spans[0].first);
  std::vector<Mt> rows_v;
  for (auto& s : spans) rows_v.push_back(join_row(items.data() + s.first, s.second - s.first));
  return join_col(rows_v);
}

template <class T> M<M<T>> cl_t<T>::value() const {
  auto spans = row_spans(items, row_start);
  std::size_t cols = spans.empty() ? 0 : spans[0].second - spans[0].first;
  for (auto& s : spans)
    if (s.second - s.first != cols)
      grl_fail("vertical dimensions mismatch (1x%zu vs 1x%zu)", cols, s.second - s.first);
  Mc out = Mc::alloc(spans.size(), cols);
  for (std::size_t r = 0; r < spans.size(); ++r)
    for (std::size_t j = 0; j < cols; ++j) out.welem(r + j * spans.size()) = items[spans[r].first + j];
  return out;
}

template <class T> M<M<T>> bc_t<T>::value() const {
  auto spans = row_spans(items, row_start);
  std::vector<Mc> rows_v;
  for (auto& s : spans) {
    std::size_t rows = 0, cols = 0;
    bool any = false;
    for (std::size_t i = s.first; i < s.second; ++i) {
      const Mc& x = items[i];
      if (x.isempty()) continue;
      if (any && x.rows() != rows)
        grl_fail("horizontal dimensions mismatch (%zux%zu vs %zux%zu)", rows, cols, x.rows(), x.cols());
      if (!any) rows = x.rows();
      any = true;
      cols += x.cols();
    }
    Mc row = Mc::alloc(rows, cols);
    std::size_t at = 0;
    for (std::size_t i = s.first; i < s.second; ++i)
      for (std::size_t k = 0; k < items[i].numel(); ++k) row.welem(at++) = items[i].elem(k);
    rows_v.push_back(row);
  }
  std::size_t rows = 0, cols = 0;
  bool any = false;
  for (const Mc& x : rows_v) {
    if (x.isempty()) continue;
    if (any && x.cols() != cols)
      grl_fail("vertical dimensions mismatch (%zux%zu vs %zux%zu)", rows, cols, x.rows(), x.cols());
    if (!any) cols = x.cols();
    any = true;
    rows += x.rows();
  }
  Mc out = Mc::alloc(rows, cols);
  std::size_t r0 = 0;
  for (const Mc& x : rows_v) {
    if (x.isempty()) continue;
    for (std::size_t j = 0; j < cols; ++j)
      for (std::size_t i = 0; i < x.rows(); ++i) out.welem(r0 + i + j * rows) = x.elem(i + j * x.rows());
    r0 += x.rows();
  }
  return out;
}

template <class T> br_t<T>& br_t<T>::operator,(const M<T>& x) { items.push_back(x); return *this; }
template <class T> br_t<T>& br_t<T>::operator,(M<T>&& x) { items.push_back(std::move(x)); return *this; }
template <class T> br_t<T>& br_t<T>::add_number(T x) { items.emplace_back(x); return *this; }
template <class T> br_t<T>& br_t<T>::operator,(const Mx<T>& x) { items.push_back(x.value()); return *this; }
template <class T> br_t<T>& br_t<T>::operator,(const Cx<T>& x) { items.push_back(x.value()); return *this; }
template <class T> br_t<T>& br_t<T>::operator,(const br_t& x) { items.push_back(x.value()); return *this; }
template <class T> br_t<T>& br_t<T>::operator,(nop_t) { items.emplace_back(); return *this; }
template <class T> br_t<T>& br_t<T>::operator,(const M<M<T>>& x) {
  items.push_back(M<T>::of_cell(x));
  return *this;
}
template <class T> br_t<T>& br_t<T>::operator,(const cl_t<T>& x) {
  items.push_back(M<T>::of_cell(x.value()));
  return *this;
}
template <class T> br_t<T>& br_t<T>::operator,(const cs_t<T>& x) {
  for (int k = x.first; k <= x.end(); ++k) items.push_back(x.at(k));
  return *this;
}
template <class T> br_t<T>& br_t<T>::operator,(semi_t) { row_start.push_back(items.size()); return *this; }

template <class T> br_t<T>::br_t() = default;
template <class T> br_t<T>::br_t(const br_t& o) = default;
template <class T> br_t<T>::br_t(br_t&& o) noexcept = default;
template <class T> br_t<T>::~br_t() = default;

template <class T> cl_t<T>::cl_t() = default;
template <class T> cl_t<T>::cl_t(const cl_t& o) = default;
template <class T> cl_t<T>::cl_t(cl_t&& o) noexcept = default;
template <class T> cl_t<T>::~cl_t() = default;
template <class T> cl_t<T>& cl_t<T>::operator,(const M<T>& x) { items.push_back(x); return *this; }
template <class T> cl_t<T>& cl_t<T>::add_number(T x) { items.emplace_back(x); return *this; }
template <class T> cl_t<T>& cl_t<T>::operator,(const Mx<T>& x) { items.push_back(x.value()); return *this; }
template <class T> cl_t<T>& cl_t<T>::operator,(const Cx<T>& x) { items.push_back(x.value()); return *this; }
template <class T> cl_t<T>& cl_t<T>::operator,(const br_t<T>& x) { items.push_back(x.value()); return *this; }
template <class T> cl_t<T>& cl_t<T>::operator,(const M<M<T>>& x) {
  items.push_back(M<T>::of_cell(x));
  return *this;
}
template <class T> cl_t<T>& cl_t<T>::operator,(const cl_t& x) {
  items.push_back(M<T>::of_cell(x.value()));
  return *this;
}
template <class T> cl_t<T>& cl_t<T>::operator,(nop_t) { items.emplace_back(); return *this; }
template <class T> cl_t<T>& cl_t<T>::operator,(const cs_t<T>& x) {
  for (int k = x.first; k <= x.end(); ++k) items.push_back(x.at(k));
  return *this;
}
template <class T> cl_t<T>& cl_t<T>::operator,(semi_t) { row_start.push_back(items.size()); return *this; }

template <class T> bc_t<T>::bc_t() = default;
template <class T> bc_t<T>::bc_t(const bc_t& o) = default;
template <class T> bc_t<T>::bc_t(bc_t&& o) noexcept = default;
template <class T> bc_t<T>::~bc_t() = default;
template <class T> bc_t<T>& bc_t<T>::operator,(const M<M<T>>& x) { items.push_back(x); return *this; }
template <class T> bc_t<T>& bc_t<T>::operator,(const cl_t<T>& x) { items.push_back(x.value()); return *this; }
template <class T> bc_t<T>& bc_t<T>::operator,(semi_t) { row_start.push_back(items.size()); return *this; }
template <class T> bc_t<T>& bc_t<T>::operator,(const M<T>& x) {
  if (x.holds_cell()) {
    items.push_back(x.held_cell());
  } else {
    M<M<T>> one = M<M<T>>::alloc(1, 1);
    one.welem(0) = x;
    items.push_back(one);
  }
  return *this;
}
template <class T> bc_t<T>& bc_t<T>::operator,(const cs_t<T>& x) {
  for (int k = x.first; k <= x.end(); ++k) *this, x.at(k);
  return *this;
}

template struct br_t<m_type>;
template struct cl_t<m_type>;
template struct bc_t<m_type>;

template <class T> grl::ix<T>::ix(const br_t<T>& v) : kind(mat) {
  own = std::make_shared<M<T>>(v.value());
  m = own.get();
}
template grl::ix<m_type>::ix(const br_t<m_type>&);

namespace grl {
template <class T> void push_arg(std::vector<M<T>>& v, const M<T>& a) { v.push_back(a); }
template <class T> void push_arg(std::vector<M<T>>& v, M<T>&& a) { v.push_back(std::move(a)); }
template <class T> void push_args(std::vector<M<T>>& v, const cs_t<T>& a) {
  for (int k = a.first; k <= a.end(); ++k) v.push_back(a.at(k));
}
template void push_arg(std::vector<M<m_type>>&, const M<m_type>&);
template void push_arg(std::vector<M<m_type>>&, M<m_type>&&);
template void push_args(std::vector<M<m_type>>&, const cs_t<m_type>&);
}  // namespace grl

br_t<m_type> BR(const Mt& x) {
  br_t<m_type> b;
  b.items.push_back(x);
  return b;
}
bc_t<m_type> BR(const Mc& x) {
  bc_t<m_type> b;
  b.items.push_back(x);
  return b;
}
bc_t<m_type> BR(const cl_t<m_type>& x) { return BR(x.value()); }
cl_t<m_type> CL(const Mt& x) {
  cl_t<m_type> c;
  c.items.push_back(x);
  return c;
}

Mt TM(const char* text) {
  std::size_t n = text ? std::strlen(text) : 0;
  Mt s = Mt::alloc(n ? 1 : 0, n);
  m_type* re = s.pr();
  for (std::size_t i = 0; i < n; ++i) re[i] = m_type(static_cast<unsigned char>(text[i]));
  s.set_flags(grl::F_STRING);
  return s;
}

Mt colon(double a, double step, double b) {
  if (a != a || step != step || b != b) return Mt(m_type(NAN));
  if (step == 0 || (step > 0 && a > b) || (step < 0 && a < b)) return Mt::alloc(1, 0);
  double span = (b - a) / step;
  if (span > 4e9) grl::fail_too_large();
  std::size_t n = std::size_t(std::floor(span + span * 1e-15 + 1e-10)) + 1;
  Mt out = Mt::alloc(1, n);
  m_type* re = out.pr();
  for (std::size_t k = 0; k < n; ++k) {
    double v = a + double(k) * step;
    if ((step > 0 && v > b) || (step < 0 && v < b)) v = b;
    re[k] = m_type(v);
  }
  out.mark_range(m_type(b));
  return out;
}

namespace {
double scalar_of(const Mt& x, const char* what) {
  if (x.isempty()) return NAN;
  if (x.ischar() && x.numel() != 1) grl_fail("invalid use of a character string in %s", what);
  return double(x.cre()[0]);
}
// A range of int64 or uint64 counted in exact values (beyond 2^53 each step counts).
Mt wide_colon(const Mt& a, const Mt& step, const Mt& b, grl::mclass c) {
  using namespace grl::w64;
  const ld a0 = value(bits(at(a, 0), c), c);
  const ld s = at(step, 0), b0 = value(bits(at(b, 0), c), c);
  if (a0 != a0 || s != s || b0 != b0 || s == 0 || (s > 0 && a0 > b0) || (s < 0 && a0 < b0)) return Mt::alloc(1, 0);
  const ld span = std::floor((b0 - a0) / s);
  if (span > 4e9L) grl::fail_too_large();
  const std::size_t n = std::size_t(span) + 1;
  Mt out = Mt::alloc(1, n);
  std::vector<std::uint64_t> w(n);
  for (std::size_t k = 0; k < n; ++k) w[k] = bits(a0 + ld(k) * s, c);
  store(out, c, std::move(w));
  return out;
}
}  // namespace

// A range with an integer class or single limit has that class (int8(1):3 is int8);
// one with a character limit is text ('a':'e' is 'abcde').
Mt colon(const Mt& a, const Mt& step, const Mt& b) {
  if (a.isempty() || step.isempty() || b.isempty()) return Mt::alloc(1, 0);
  if ((a.ischar() || b.ischar()) && !(a.cls_ | step.cls_ | b.cls_)) {
    Mt out = colon(scalar_of(a, "range"), scalar_of(step, "range"), scalar_of(b, "range"));
    out.set_flags(grl::F_STRING);
    return out;
  }
  if (a.cls_ | step.cls_ | b.cls_) {
    const grl::mclass c = grl::arith_class(grl::arith_class(a, step, ":") == a.num_class() ? a : step, b, ":");
    if (grl::w64::wide(c)) return wide_colon(a, step, b, c);
    Mt out = colon(scalar_of(a, "range"), scalar_of(step, "range"), scalar_of(b, "range"));
    grl::apply_class(out, c);
    return out;
  }
  return colon(scalar_of(a, "range"), scalar_of(step, "range"), scalar_of(b, "range"));
}

Mt ramp(const Mt& a, const Mt& b) { return colon(a, Mt(m_type(1)), b); }

Mc cells(const Mt& n) {
  double k = n.isempty() ? 0 : double(n.cre()[0]);
  if (!(k >= 0)) k = 0;
  return Mc::alloc(std::size_t(k), std::size_t(k));
}

Mt true_M() {
  Mt t(m_type(1));
  t.set_flags(grl::F_LOGICAL);
  return t;
}
Mt false_M() {
  Mt t(m_type(0));
  t.set_flags(grl::F_LOGICAL);
  return t;
}
