// x(i,j,k,...) on values of any number of dimensions: reading, assignment that grows the
// value, deletion. With fewer subscripts than dimensions the last subscript spans all the
// remaining dimensions, as in MATLAB.
#include "index.h"
#include "int64_util.h"

#include <string>

using grl::positions;
using grl::resolve;
using grl::where;

namespace {

typedef M<m_type> Mt;
typedef std::vector<grl::ix<m_type>> subs_t;

// The extents n subscripts address: the value's own, the last spanning the rest.
grl::sizes seen_extents(const Mt& x, std::size_t n) {
  grl::sizes e(n);
  for (std::size_t k = 0; k + 1 < n; ++k) e[k] = x.extent(k);
  std::size_t p = 1;
  for (std::size_t d = n - 1; d < x.ndims(); ++d) p *= x.extent(d);
  e[n - 1] = p;
  return e;
}

std::size_t product(const grl::sizes& d) {
  std::size_t p = 1;
  for (std::size_t v : d) p *= v;
  return p;
}

// Calls f(o, s) for every element the positions select: o counts the selected elements
// column by column, s is the element's offset in a value of extents e.
template <class F> void each_selected(const std::vector<positions>& p, const grl::sizes& e, F f) {
  const std::size_t n = p.size();
  grl::sizes cnt(n), stride(n);
  std::size_t st = 1;
  for (std::size_t k = 0; k < n; ++k) {
    cnt[k] = p[k].count(e[k]);
    stride[k] = st;
    st *= e[k];
  }
  const std::size_t total = product(cnt);
  if (total == 0) return;
  grl::sizes i(n, 0);
  for (std::size_t o = 0; o < total;) {
    std::size_t base = 0;
    for (std::size_t k = 1; k < n; ++k) base += p[k].at(i[k]) * stride[k];
    for (std::size_t a = 0; a < cnt[0]; ++a, ++o) f(o, base + p[0].at(a));
    for (std::size_t k = 1; k < n; ++k) {
      if (++i[k] < cnt[k]) break;
      i[k] = 0;
    }
  }
}

std::vector<positions> resolve_all(const Mt& x, const subs_t& s, const grl::sizes& e, bool check) {
  const int n = int(s.size());
  std::vector<positions> p;
  p.reserve(s.size());
  for (int k = 0; k < n; ++k) {
    where w{x.name_, k, n};
    p.push_back(resolve(s[k], w, e[k], check));
    if (!check || p.back().all) continue;
    for (std::size_t q : p.back().k)
      if (q >= e[k]) grl::fail_bound_dims(w, double(q + 1), e[k], x);
  }
  return p;
}

// x grown (zero fill) to the extents `need`, which are at least x's own.
void grow(Mt& x, const grl::sizes& need) {
  Mt out = Mt::zeros(need, x.isc());
  const std::size_t n = need.size();
  std::vector<positions> p(n);
  grl::sizes old(n);
  for (std::size_t k = 0; k < n; ++k) {
    p[k].all = true;
    old[k] = x.extent(k);
  }
  // Pieces of the old value are visited in its own order; their offsets in the new one
  // follow from the same subscripts.
  grl::sizes stride(n);
  std::size_t st = 1;
  for (std::size_t k = 0; k < n; ++k) { stride[k] = st; st *= need[k]; }
  grl::sizes i(n, 0);
  const std::size_t total = x.numel();
  const m_type* re = x.cre();
  const m_type* im = x.cim();
  m_type* ore = out.pr();
  m_type* oim = im ? out.pi() : nullptr;
  for (std::size_t o = 0; o < total;) {
    std::size_t base = 0;
    for (std::size_t k = 1; k < n; ++k) base += i[k] * stride[k];
    for (std::size_t a = 0; a < old[0]; ++a, ++o) {
      ore[base + a] = re[o];
      if (im) oim[base + a] = im[o];
    }
    for (std::size_t k = 1; k < n; ++k) {
      if (++i[k] < old[k]) break;
      i[k] = 0;
    }
  }
  out.flags_ = x.flags_;
  out.cls_ = x.cls_;
  if (grl::w64::has_exact(x)) {
    // The exact int64/uint64 elements move as the doubles did; new ones are 0.
    std::vector<std::uint64_t> w(out.numel(), 0);
    i.assign(n, 0);
    for (std::size_t o = 0; o < total;) {
      std::size_t base = 0;
      for (std::size_t k = 1; k < n; ++k) base += i[k] * stride[k];
      for (std::size_t a = 0; a < old[0]; ++a, ++o) w[base + a] = (*x.x64_)[o];
      for (std::size_t k = 1; k < n; ++k) {
        if (++i[k] < old[k]) break;
        i[k] = 0;
      }
    }
    out.x64_ = std::make_shared<const grl::words64>(std::move(w));
  }
  const char* name = x.name_;
  x = std::move(out);
  x.name_ = name;
}

// Whether an assigned value of extents v fits a selection of counts c: equal after the
// extents of 1 are left out.
bool fits(const grl::sizes& c, const grl::sizes& v) {
  grl::sizes a, b;
  for (std::size_t x : c) if (x != 1) a.push_back(x);
  for (std::size_t x : v) if (x != 1) b.push_back(x);
  return a == b;
}

}  // namespace

namespace grl {

std::string dims_text(const grl::sizes& d) {
  std::string s;
  for (std::size_t k = 0; k < d.size(); ++k) {
    if (k) s += "x";
    s += std::to_string(d[k]);
  }
  return s;
}

}  // namespace grl

template <class T> M<T> M<T>::getn(const std::vector<grl::ix<T>>& s) const {
  if (flags_ & grl::F_HANDLE) grl::fail_handle_index(name_);
  if constexpr (std::is_same<T, m_type>::value)
    if (st_) return grl::struct_getn(*this, s);
  const grl::sizes e = seen_extents(*this, s.size());
  const std::vector<positions> p = resolve_all(*this, s, e, true);
  grl::sizes cnt(s.size());
  for (std::size_t k = 0; k < s.size(); ++k) cnt[k] = p[k].count(e[k]);
  M out = alloc(cnt, im_ != nullptr);
  T* ore = out.re_;
  T* oim = out.im_;
  const T* re = re_;
  const T* im = im_;
  each_selected(p, e, [&](std::size_t o, std::size_t k) {
    ore[o] = re[k];
    if (im) oim[o] = im[k];
  });
  out.flags_ = flags_;
  out.cls_ = cls_;
  if (x64_ && x64_->size() == numel()) {
    auto w = std::make_shared<grl::words64>(out.numel());
    each_selected(p, e, [&](std::size_t o, std::size_t k) { (*w)[o] = (*x64_)[k]; });
    out.x64_ = std::move(w);
  }
  if (out.im_) out.drop_imag();
  return out;
}

template <class T> void M<T>::setn(const std::vector<grl::ix<T>>& s, const M& v0) {
  if constexpr (std::is_same<T, m_type>::value)
    if (st_ || v0.st_) {
      grl::struct_setn(*this, s, v0);
      return;
    }
  M v(v0);                                   // v may be part of *this
  const std::size_t n = s.size();
  const bool was_empty = numel() == 0;
  grl::sizes e = seen_extents(*this, n);
  const std::vector<positions> p = resolve_all(*this, s, e, false);
  // The extents the assignment needs; ":" over an empty dimension takes the next
  // extent of the value that is not 1.
  grl::sizes vext;
  if (v.numel() != 1)
    for (std::size_t x : v.shape()) if (x != 1) vext.push_back(x);
  std::size_t next = 0;
  grl::sizes need(n);
  for (std::size_t k = 0; k < n; ++k) {
    if (p[k].all && e[k] == 0) {
      need[k] = next < vext.size() ? vext[next++] : 1;
      continue;
    }
    if (p[k].count(e[k]) != 1 && next < vext.size()) ++next;
    const std::size_t m = p[k].all ? e[k] : p[k].max_plus1();
    need[k] = m > e[k] ? m : e[k];
  }
  // The value must fit the selection before the variable grows: a failed assignment
  // leaves it as it was.
  grl::sizes cnt(n);
  for (std::size_t k = 0; k < n; ++k) cnt[k] = p[k].count(need[k]);
  if (v.numel() != 1 && (v.numel() != product(cnt) || !fits(cnt, v.shape()))) {
    // The value's extents are shown without any extent of 1.
    grl::sizes vs;
    for (std::size_t x : v.shape()) if (x != 1) vs.push_back(x);
    while (vs.size() < 2) vs.push_back(1);
    grl_fail("=: nonconformant arguments (op1 is %s, op2 is %s)", grl::dims_text(grl::trimmed(cnt)).c_str(),
             grl::dims_text(vs).c_str());
  }
  if (need != e) {
    if (n < ndims() && numel() != 0)
      grl::fail_resize();
    grow(*this, need);
    e = need;
  }
  if constexpr (std::is_same<T, m_type>::value) grl::logical_values(*this, v, was_empty);
  std::uint32_t fl = was_empty ? v.flags_ : flags_;
  if (!was_empty && islogical() && !v.islogical()) fl = 0;
  const grl::mclass cls = (!cls_ && !v.cls_) ? grl::mc_double : grl::assign_class(*this, v, was_empty);
  if (cls != grl::mc_double) {
    if (cls_ != cls || flags_) grl::apply_class(*this, cls);
    if (v.cls_ != cls || v.flags_) grl::apply_class(v, cls);
  }
  const bool one = v.numel() == 1;
  if (grl::w64::wide(cls) && (x64_ || v.x64_)) {
    // int64/uint64 beyond 2^53: the exact elements are assigned as the doubles are.
    std::vector<std::uint64_t> w = grl::w64::all_bits(*this, cls), vw = grl::w64::all_bits(v, cls);
    each_selected(p, e, [&](std::size_t o, std::size_t k) { w[k] = vw[one ? 0 : o]; });
    grl::w64::store(*this, cls, std::move(w));
    return;
  }
  if (v.im_) pi();
  T* re = pr();
  T* im = im_;
  const T* vre = v.re_;
  const T* vim = v.im_;
  each_selected(p, e, [&](std::size_t o, std::size_t k) {
    const std::size_t q = one ? 0 : o;
    re[k] = vre[q];
    if (im) im[k] = vim ? vim[q] : T(0);
  });
  flags_ = cls == grl::mc_double ? fl : 0;
  cls_ = cls;
  if (im_ && !v.im_) drop_imag();
}

template <class T> void M<T>::deln(const std::vector<grl::ix<T>>& s) {
  if constexpr (std::is_same<T, m_type>::value)
    if (st_) {
      grl::struct_deln(*this, s);
      return;
    }
  const std::size_t n = s.size();
  const grl::sizes e = seen_extents(*this, n);
  std::vector<positions> p = resolve_all(*this, s, e, false);
  // The one dimension to delete along: the subscript that is neither ":" nor covers its
  // whole extent, else the first that is not ":", else the first.
  std::vector<std::vector<char>> doomed(n);
  int along = -1, partial = 0;
  for (std::size_t k = 0; k < n; ++k) {
    doomed[k].assign(e[k], 0);
    if (p[k].all) { doomed[k].assign(e[k], 1); continue; }
    for (std::size_t q : p[k].k) {
      if (q >= e[k])
        grl_fail("A(..,I,..) = []: index out of bounds: value %zu out of bound %zu", q + 1, e[k]);
      doomed[k][q] = 1;
    }
    bool covers = true;
    for (char c : doomed[k]) covers = covers && c;
    if (!covers) { ++partial; along = int(k); }
    else if (along < 0) along = int(k);
  }
  if (partial > 1) grl_fail("a null assignment can only have one non-colon index");
  if (along < 0) along = 0;
  std::vector<positions> keep(n);
  grl::sizes out_ext(e);
  for (std::size_t k = 0; k < n; ++k) {
    if (int(k) != along) { keep[k].all = true; continue; }
    for (std::size_t q = 0; q < e[k]; ++q)
      if (!doomed[k][q]) keep[k].k.push_back(q);
    out_ext[k] = keep[k].k.size();
  }
  M out = alloc(out_ext, im_ != nullptr);
  T* ore = out.re_;
  T* oim = out.im_;
  each_selected(keep, e, [&](std::size_t o, std::size_t k) {
    ore[o] = re_[k];
    if (oim) oim[o] = im_[k];
  });
  out.flags_ = flags_;
  out.cls_ = cls_;
  if (x64_ && x64_->size() == numel()) {
    auto w = std::make_shared<grl::words64>(out.numel());
    each_selected(keep, e, [&](std::size_t o, std::size_t k) { (*w)[o] = (*x64_)[k]; });
    out.x64_ = std::move(w);
  }
  const char* nm = name_;
  *this = std::move(out);
  name_ = nm;
}

template M<m_type> M<m_type>::getn(const std::vector<grl::ix<m_type>>&) const;
template void M<m_type>::setn(const std::vector<grl::ix<m_type>>&, const M<m_type>&);
template void M<m_type>::deln(const std::vector<grl::ix<m_type>>&);
