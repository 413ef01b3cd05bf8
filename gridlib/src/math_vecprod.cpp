// Products of vectors: dot (the inner product along a dimension, conjugating the first
// argument) and cross (the cross product of 3-element vectors or of 3-element groups).
#include "math_util.h"

#include <cstdio>

using namespace grl;
using namespace grl::mth;

namespace {

inline bool is_vector(const Mt& x) { return x.rows() == 1 || x.cols() == 1; }

// dot(a, b, dim): sum over each group of conj(a) .* b. Two vectors of one length need
// not have one orientation; without a dimension they give a scalar, [] gives 0 as
// sum([]) does. Other values take the first extent that is not 1.
Mt dot_of(const Mt& a, const Mt& b, const Mt* d) {
  const bool vectors = !d && a.ndims() == 2 && b.ndims() == 2 && is_vector(a) && is_vector(b) &&
                       a.numel() == b.numel();
  if (!vectors && a.shape() != b.shape()) grl_fail("dot: sizes of X and Y must match");
  grl::sizes shape = vectors ? grl::sizes{a.numel(), 1} : a.shape();
  std::size_t dim = 1;
  if (d) {
    dim = std::size_t(dim_arg(*d, "dot"));
  } else {
    while (dim < shape.size() && shape[dim - 1] == 1) ++dim;   // the first extent that is not 1
  }
  // The groups: n elements stride apart, before * after of them.
  std::size_t before = 1, n = dim <= shape.size() ? shape[dim - 1] : 1;
  for (std::size_t k = 0; k + 1 < dim && k < shape.size(); ++k) before *= shape[k];
  std::size_t after = 1;
  for (std::size_t k = dim; k < shape.size(); ++k) after *= shape[k];
  if (dim <= shape.size()) shape[dim - 1] = 1;
  if (!d && a.ndims() == 2 && a.rows() == 0 && a.cols() == 0) {   // [] as a whole
    before = after = 1;
    n = 0;
    shape = grl::sizes{1, 1};
  }
  const bool cp = a.isc() || b.isc();
  Mt o = Mt::alloc(before, after, cp);
  o.set_shape(shape);
  m_type* po = o.pr();
  m_type* pio = cp ? o.pi() : nullptr;
  const m_type *ar = a.cre(), *ai = a.cim(), *br = b.cre(), *bi = b.cim();
  for (std::size_t g = 0; g < before * after; ++g) {
    const std::size_t base = (g % before) + (g / before) * before * n;
    m_type sr = 0, si = 0;
    for (std::size_t t = 0; t < n; ++t) {
      const std::size_t k = base + t * before;
      const m_type ur = ar[k], ui = ai ? -ai[k] : m_type(0);
      const m_type vr = br[k], vi = bi ? bi[k] : m_type(0);
      if (cp) {
        sr += ur * vr - ui * vi;
        si += ur * vi + ui * vr;
      } else {
        sr += ur * vr;
      }
    }
    po[g] = sr;
    if (cp) pio[g] = si;
  }
  return cp ? narrow(o) : o;
}

// One cross product: the 3 elements of u and v at positions base + t * s.
void cross3(const Mt& a, const Mt& b, std::size_t base, std::size_t s, Mt& o, std::size_t obase,
            std::size_t os, bool cp) {
  const m_type *ar = a.cre(), *ai = a.cim(), *br = b.cre(), *bi = b.cim();
  cplx u[3], v[3];
  for (std::size_t t = 0; t < 3; ++t) {
    const std::size_t k = base + t * s;
    u[t] = cplx(ar[k], ai ? ai[k] : m_type(0));
    v[t] = cplx(br[k], bi ? bi[k] : m_type(0));
  }
  const cplx w[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
  m_type* po = o.pr();
  for (std::size_t t = 0; t < 3; ++t) po[obase + t * os] = w[t].real();
  if (cp) {
    m_type* pio = o.pi();
    for (std::size_t t = 0; t < 3; ++t) pio[obase + t * os] = w[t].imag();
  }
}

// cross(a, b) of two 3-element vectors (a row and a column give a column, with a
// warning), or of same-sized matrices along the first dimension of length 3 or dim.
Mt cross_of(const Mt& a, const Mt& b, const Mt* d) {
  const bool cp = a.isc() || b.isc();
  if (!d && is_vector(a) && is_vector(b) && a.numel() == 3 && b.numel() == 3 &&
      (a.rows() != b.rows())) {
    grl::warn("", "cross: taking cross product of %s",
                 a.rows() == 1 ? "row by column" : "column by row");
    Mt o = Mt::alloc(3, 1, cp);
    cross3(a, b, 0, 1, o, 0, 1, cp);
    return cp ? narrow(o) : o;
  }
  if (a.rows() != b.rows() || a.cols() != b.cols())
    grl_fail("cross: X and Y must have the same dimensions");
  const std::size_t xr = a.rows(), xc = a.cols();
  int dim;
  if (d) {
    dim = dim_arg(*d, "cross");
    if ((dim == 1 ? xr : dim == 2 ? xc : 1) != 3) grl_fail("cross: dimension DIM must have 3 elements");
  } else if (xr == 3) {
    dim = 1;
  } else if (xc == 3) {
    dim = 2;
  } else {
    grl_fail("cross: must have at least one dimension with 3 elements");
  }
  Mt o = Mt::alloc(xr, xc, cp);
  if (dim == 1)
    for (std::size_t j = 0; j < xc; ++j) cross3(a, b, j * 3, 1, o, j * 3, 1, cp);
  else
    for (std::size_t i = 0; i < xr; ++i) cross3(a, b, i, xr, o, i, xr, cp);
  return cp ? narrow(o) : o;
}

[[noreturn]] void cross_cell(const char* x, const char* y) {
  grl_fail("binary operator '.*' not implemented for '%s' by '%s' operations", x, y);
}

}  // namespace

Mt dot(const Mt& a, const Mt& b) { return dot_of(a, b, nullptr); }
Mt dot(const Mt& a, const Mt& b, const Mt& dim) { return dot_of(a, b, &dim); }
Mt cross(const Mt& a, const Mt& b) { return cross_of(a, b, nullptr); }
Mt cross(const Mt& a, const Mt& b, const Mt& dim) { return cross_of(a, b, &dim); }

Mt dot(const Mc&, const Mt&) { grl_fail("dot: X and Y must be numeric"); }
Mt dot(const Mt&, const Mc&) { grl_fail("dot: X and Y must be numeric"); }
Mt dot(const Mc&, const Mc&) { grl_fail("dot: X and Y must be numeric"); }
Mt cross(const Mc&, const Mt&) { cross_cell("cell", "matrix"); }
Mt cross(const Mt&, const Mc&) { cross_cell("matrix", "cell"); }
Mt cross(const Mc&, const Mc&) { cross_cell("cell", "cell"); }
