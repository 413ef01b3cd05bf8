// cat, horzcat and vertcat over matrices and cells.
//
// The size of the result grows piece by piece along the dimension of the call. A piece
// of size 0x0 never takes part; a piece of size 1x0 or 0x1 that does not fit is passed
// over; any other piece must match the result in the other dimension. Only pieces that
// hold elements contribute them, so the copy needs no further checks.
#include "shape_nd.h"
#include "int64_util.h"

#include <cmath>
#include <cstring>

using namespace grl;
using namespace grl::mth;

namespace {

struct dims {
  std::size_t r = 0, c = 0;
  bool zero() const { return r == 0 && c == 0; }
  bool thin() const { return r + c == 1; }     // 1x0 or 0x1
};

// The size of the concatenation along dim (1 or 2) of pieces of the given sizes.
dims join_dims(const std::vector<dims>& parts, int dim) {
  dims d;
  bool first = true;
  for (const dims& b : parts) {
    if (first) { d = b; first = false; continue; }
    const bool fits = dim == 1 ? b.c == d.c : b.r == d.r;
    if (b.zero()) continue;
    if (d.zero()) d = b;
    else if (fits) (dim == 1 ? d.r += b.r : d.c += b.c);
    else if (b.thin()) { if (d.thin()) d = dims(); }
    else if (d.thin()) d = b;
    else grl_fail("cat: dimension mismatch");
  }
  return d;
}

template <class V> std::vector<dims> sizes_of(const std::vector<const V*>& parts) {
  std::vector<dims> d;
  for (const V* p : parts) d.push_back(dims{p->rows(), p->cols()});
  return d;
}

// Copies the elements of the pieces into a result of size d; put(k, piece, e) stores
// element e of a piece at position k of the result.
template <class V, class Put> void fill(const std::vector<const V*>& parts, int dim, dims d, Put put) {
  std::size_t at = 0;        // the first column (dim 2) or row (dim 1) of the next piece
  for (const V* p : parts) {
    if (p->numel() == 0) continue;
    const std::size_t pr = p->rows(), pc = p->cols();
    for (std::size_t j = 0; j < pc; ++j)
      for (std::size_t i = 0; i < pr; ++i) {
        const std::size_t k = dim == 2 ? i + (at + j) * d.r : (at + i) + j * d.r;
        put(k, *p, i + j * pr);
      }
    at += dim == 2 ? pc : pr;
  }
}

void take_kind(Mt& o, const std::vector<const Mt*>& parts, bool chr, bool logic);

// Whether a piece holds int64/uint64 elements beyond 2^53, which the result keeps.
bool any_exact(const std::vector<const Mt*>& parts) {
  for (const Mt* p : parts)
    if (p->x64_) return true;
  return false;
}

Mt join_mats(const std::vector<const Mt*>& parts, int dim) {
  const dims d = join_dims(sizes_of(parts), dim);
  bool cplx = false, chr = false, logic = !parts.empty();
  for (const Mt* p : parts) {
    chr |= p->ischar();
    logic &= p->islogical();
    cplx |= p->isc() && p->numel() > 0;
  }
  Mt o = Mt::alloc(d.r, d.c, cplx);
  if (d.r * d.c > 0) {
    m_type* re = o.pr();
    m_type* im = cplx ? o.pi() : nullptr;
    fill(parts, dim, d, [&](std::size_t k, const Mt& p, std::size_t e) {
      re[k] = p.elem(e);
      if (im) im[k] = p.ielem(e);
    });
  }
  take_kind(o, parts, chr, logic);
  if (w64::wide(o) && any_exact(parts)) {
    std::vector<std::uint64_t> w(o.numel());
    const mclass c = o.num_class();
    fill(parts, dim, d, [&](std::size_t k, const Mt& p, std::size_t e) { w[k] = w64::bits(w64::at(p, e), c); });
    w64::store(o, c, std::move(w));
  }
  return o;
}

// The extents of the concatenation along dim (from 1) of pieces of any number of
// dimensions; pieces of size 0x0 take no part. Fails as Octave does.
template <class V> sizes join_nd(const std::vector<const V*>& parts, std::size_t dim, const char* what) {
  std::size_t n = dim;
  for (const V* p : parts) n = p->ndims() > n ? p->ndims() : n;
  sizes r;
  bool first = true;
  for (const V* p : parts) {
    if (p->ndims() == 2 && p->rows() == 0 && p->cols() == 0) continue;
    const sizes e = shp::padded(p->shape(), n);
    if (first) { r = e; first = false; continue; }
    for (std::size_t k = 0; k < n; ++k) {
      if (k + 1 == dim || e[k] == r[k]) continue;
      if (!what) grl_fail("cat: dimension mismatch");
      grl_fail("%s dimensions mismatch (%s vs %s)", what, dims_text(trimmed(r)).c_str(),
               dims_text(p->shape()).c_str());
    }
    if (r.size() >= dim) r[dim - 1] += e[dim - 1];
  }
  return r;
}

// Copies the pieces into a result of extents r: along dim, each piece takes a run of
// `inner` elements in every block of the dimensions after dim.
template <class V, class Put> void fill_nd(const std::vector<const V*>& parts, std::size_t dim, const sizes& r,
                                           Put put) {
  std::size_t inner_r = 1, outer = 1;
  for (std::size_t k = 0; k < dim; ++k) inner_r *= r[k];
  for (std::size_t k = dim; k < r.size(); ++k) outer *= r[k];
  std::size_t at = 0;
  for (const V* p : parts) {
    if (p->numel() == 0) continue;
    const std::size_t inner = p->numel() / outer;
    for (std::size_t o = 0; o < outer; ++o)
      for (std::size_t k = 0; k < inner; ++k) put(o * inner_r + at + k, *p, o * inner + k);
    at += inner;
  }
}

Mt join_mats_nd(const std::vector<const Mt*>& parts, std::size_t dim, const char* what) {
  const sizes r = join_nd(parts, dim, what);
  if (r.empty()) return Mt();
  bool cplx = false, chr = false, logic = !parts.empty();
  for (const Mt* p : parts) {
    chr |= p->ischar();
    logic &= p->islogical();
    cplx |= p->isc() && p->numel() > 0;
  }
  Mt o = Mt::alloc(r, cplx);
  if (o.numel() > 0) {
    m_type* re = o.pr();
    m_type* im = cplx ? o.pi() : nullptr;
    fill_nd(parts, dim, r, [&](std::size_t k, const Mt& p, std::size_t e) {
      re[k] = p.elem(e);
      if (im) im[k] = p.ielem(e);
    });
  }
  take_kind(o, parts, chr, logic);
  if (w64::wide(o) && any_exact(parts)) {
    std::vector<std::uint64_t> w(o.numel());
    const mclass c = o.num_class();
    fill_nd(parts, dim, r, [&](std::size_t k, const Mt& p, std::size_t e) { w[k] = w64::bits(w64::at(p, e), c); });
    w64::store(o, c, std::move(w));
  }
  return o;
}

Mc join_cells_nd(const std::vector<const Mc*>& parts, std::size_t dim) {
  const sizes r = join_nd(parts, dim, nullptr);
  if (r.empty()) return Mc();
  Mc o = Mc::alloc(r);
  fill_nd(parts, dim, r, [&](std::size_t k, const Mc& p, std::size_t e) { o.welem(k) = p.elem(e); });
  return o;
}

bool any_nd(const std::vector<const Mt*>& parts) {
  for (const Mt* p : parts) if (p->ndims() > 2) return true;
  return false;
}
bool any_nd(const std::vector<const Mc*>& parts) {
  for (const Mc* p : parts) if (p->ndims() > 2) return true;
  return false;
}

void take_kind(Mt& o, const std::vector<const Mt*>& parts, bool chr, bool logic) {
  o.set_flags(chr ? std::uint32_t(F_STRING) : logic ? std::uint32_t(F_LOGICAL) : 0u);
  // An integer class wins over the others, then single (char wins over both).
  mclass cls = mc_none;
  for (const Mt* p : parts) {
    if (chr) break;
    if (is_int_class(p->num_class())) { cls = p->num_class(); break; }
    if (p->num_class() == mc_single) cls = mc_single;
  }
  if (cls != mc_none) apply_class(o, cls);
}

Mc join_cells(const std::vector<const Mc*>& parts, int dim) {
  const dims d = join_dims(sizes_of(parts), dim);
  Mc o = Mc::alloc(d.r, d.c);
  fill(parts, dim, d, [&](std::size_t k, const Mc& p, std::size_t e) { o.welem(k) = p.elem(e); });
  return o;
}

}  // namespace

namespace grl {

int cat_dim(const Mt& dim) {
  if (dim.numel() != 1 || dim.isc()) grl_fail("cat: DIM must be a valid dimension");
  const double v = std::trunc(double(dim.cre()[0]));
  if (!(v >= 1) || v > 1e9) grl_fail("cat: DIM must be a valid dimension");
  return int(v);
}

Mt cat_v(int dim, const mat_list& parts) {
  std::vector<const Mt*> p;
  bool structs = false;
  for (const Mt& x : parts) { p.push_back(&x); structs |= x.holds_struct(); }
  if (structs) return struct_cat(dim, parts);
  if (dim >= 3 || any_nd(p)) return join_mats_nd(p, std::size_t(dim), nullptr);
  return join_mats(p, dim);
}

Mt cat_literal(int dim, const mat_list& parts) {
  std::vector<const Mt*> p;
  for (const Mt& x : parts) p.push_back(&x);
  return join_mats_nd(p, std::size_t(dim), dim == 1 ? "vertical" : "horizontal");
}

Mc cat_cells(int dim, const std::vector<Mc>& parts) {
  std::vector<const Mc*> p;
  for (const Mc& x : parts) p.push_back(&x);
  if (dim >= 3 || any_nd(p)) return join_cells_nd(p, std::size_t(dim));
  return join_cells(p, dim);
}

Mc as_cell_piece(const Mt& x) {
  if (x.isempty()) return Mc();
  Mc c = Mc::alloc(1, 1);
  c.welem(0) = x;
  return c;
}

}  // namespace grl
