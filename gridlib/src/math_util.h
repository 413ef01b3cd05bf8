// Shared helpers of the numeric built-ins: argument checks, sizes, the string of a
// char argument, and the loops of element-wise work with scalar and implicit expansion.
#ifndef GRIDLIB_MATH_UTIL_H
#define GRIDLIB_MATH_UTIL_H

#include "gridlib.h"

#include <cmath>
#include <complex>
#include <cstddef>
#include <string>
#include <vector>

namespace grl {
// Extents as text: 2x3x4.
std::string dims_text(const sizes& d);
namespace mth {

typedef std::complex<m_type> cplx;

// A size argument: a real integer; negative means 0. Fails with Octave's wording.
std::size_t size_value(double v);
// The dimensions of zeros(...), ones(...), ...: no argument 1x1, one scalar n x n,
// a row of dimensions [r c], or two scalars.
void dims0(std::size_t& r, std::size_t& c);
void dims1(const Mt& n, const char* fn, std::size_t& r, std::size_t& c);
void dims2(const Mt& a, const Mt& b, const char* fn, std::size_t& r, std::size_t& c);
void dims3(const Mt& a, const Mt& b, const Mt& k, const char* fn, std::size_t& r, std::size_t& c);

// The extents of zeros(...), ones(...), ... given any number of size arguments (a class
// name already taken off): none 1x1, one scalar n x n, one vector of extents, or scalars.
grl::sizes dims_list(const std::vector<Mt>& a, const char* fn);
// Whether a trailing class name may follow the sizes of fn.
bool takes_class_name(const Mt& name, const char* fn);

// The text of a char argument (empty when x is not a string).
std::string text(const Mt& x);
// The type argument of sum, prod and cumsum: 'native', 'double', or 'default' and
// 'extra' (as if none were given); anything else fails with Octave's message.
enum { type_usual, type_native, type_double };
int type_arg(const Mt& t, const char* fn);
// A reduction of an integer-class x in its own class, each step rounded to the class's
// range: op '+' sum, '*' prod, 'c' cumsum; d the dimension argument or nullptr. An empty
// value (no result) when x is of no integer class.
Mt native_reduce(const Mt& x, const Mt* d, char op, const char* fn);
// A reduction o of x keeps the class single.
void single_result(Mt& o, const Mt& x);
// A dimension argument: a positive integer.
int dim_arg(const Mt& d, const char* fn);
// The DIM of cumprod, any and all, which take 0 as no DIM (their first dimension that is
// not 1): nullptr then, else the dimension to use (in `whole`). any and all take the
// whole part of a fraction and a NaN as a dimension beyond the last; cumprod refuses a
// fraction. Other values are left to dim_arg.
const Mt* loose_dim(const Mt& x, const Mt* d, const char* fn, Mt& whole);
// A DIM argument naming several dimensions ([1 3]) or all of them ('all').
bool several_dims(const Mt& d);
// x with the dimensions d names joined into one, so that a reduction along dimension
// `along` works over all of them; shape is then the shape of the result. Neighbouring
// dimensions are joined where they lie, others are brought first (along is then 1).
// Fails with fn's message for a dimension that is no positive integer or repeats.
Mt fold_dims(const Mt& x, const Mt& d, const char* fn, sizes& shape, int& along);
// The result r of a reduction of fold_dims's value given that shape.
Mt unfold_result(Mt r, const sizes& shape);
// The dimension a reduction works along when none is given: the first that is not 1.
inline int default_dim(const Mt& x) {
  if (x.ndims() <= 2) return x.rows() != 1 ? 1 : 2;
  for (std::size_t k = 0; k < x.ndims(); ++k)
    if (x.extent(k) != 1) return int(k + 1);
  return 1;
}

// Work along dimension dim (from 1) of a value of more than two dimensions, done by f
// on two-dimensional values: f(y, 1) along the columns of y, f(y, 2) along the rows of
// a B x n matrix y (B the elements before dim, n its extent), f(y, 3) elementwise. Each
// output of f has the extent along dim that f gives its columns (1 for a reduction, n
// for a running sum, 0 for no elements); the other extents are x's.
typedef std::vector<Mt> (*along_fn)(const Mt& y, int dim, const void* ctx);
std::vector<Mt> along_nd(const Mt& x, int dim, along_fn f, const void* ctx);
template <class F> std::vector<Mt> along(const Mt& x, int dim, const F& f) {
  return along_nd(x, dim, [](const Mt& y, int d, const void* c) { return (*static_cast<const F*>(c))(y, d); },
                  &f);
}

// A value whose imaginary parts are all zero becomes real, as Octave narrows results.
inline Mt narrow(Mt m) { m.drop_imag(); return m; }

// The value that takes a real result of x's size: a fresh one, or the temporary t
// itself (t is x or null) when it is real and its storage is its own.
inline Mt result_for(const Mt& x, Mt* t) {
  if (t && t->owns_block() && !t->isc()) {
    Mt r = std::move(*t);
    r.set_flags(0);
    return r;
  }
  Mt r = Mt::alloc(x.rows(), x.cols());
  r.same_shape(x);
  return r;
}

// Element by element over one argument: a real loop and a complex loop. With t (x
// itself, a temporary) the real loop may write over x as it goes.
template <class F> Mt map_real(const Mt& x, F f, Mt* t = nullptr) {
  const m_type* a = x.cre();
  const std::size_t n = x.numel();
  Mt r = result_for(x, t);
  m_type* o = r.pr();
  for (std::size_t k = 0; k < n; ++k) o[k] = f(a[k]);
  return r;
}
template <class F> Mt map_cplx(const Mt& x, F f) {
  Mt r = Mt::alloc(x.rows(), x.cols(), true);
  r.same_shape(x);
  const m_type* a = x.cre();
  const m_type* b = x.cim();
  m_type* ore = r.pr();
  m_type* oim = r.pi();
  const std::size_t n = x.numel();
  for (std::size_t k = 0; k < n; ++k) {
    cplx v = f(cplx(a[k], b ? b[k] : m_type(0)));
    ore[k] = v.real();
    oim[k] = v.imag();
  }
  return narrow(r);
}

// The shape of a binary element-wise result: equal sizes, a 1 x 1 operand, or
// dimensions that are equal or 1 (implicit expansion). Fails with Octave's wording.
void conform(const Mt& a, const Mt& b, const char* fn, std::size_t& r, std::size_t& c);

// Real binary element-wise work with expansion. With ta (a itself, a temporary) the
// result may be written over a when a has the result's shape: element k of the result
// reads only element k of a.
template <class F> Mt zip_real(const Mt& a, const Mt& b, const char* fn, F f, Mt* ta = nullptr) {
  std::size_t r, c;
  conform(a, b, fn, r, c);
  const std::size_t n = r * c;
  const std::size_t an = a.numel(), bn = b.numel();
  const std::size_t ar = a.rows(), ac = a.cols(), br = b.rows(), bc = b.cols();
  const m_type* pa = a.cre();
  const m_type* pb = b.cre();
  Mt o = ar == r && ac == c ? result_for(a, ta) : Mt::alloc(r, c);
  m_type* po = o.pr();
  if (an == n && bn == n) {
    for (std::size_t k = 0; k < n; ++k) po[k] = f(pa[k], pb[k]);
  } else if (an == 1 && bn == n) {
    const m_type s = pa[0];
    for (std::size_t k = 0; k < n; ++k) po[k] = f(s, pb[k]);
  } else if (bn == 1 && an == n) {
    const m_type s = pb[0];
    for (std::size_t k = 0; k < n; ++k) po[k] = f(pa[k], s);
  } else {
    for (std::size_t j = 0; j < c; ++j)
      for (std::size_t i = 0; i < r; ++i)
        po[i + j * r] = f(pa[(ar == 1 ? 0 : i) + (ac == 1 ? 0 : j) * ar],
                          pb[(br == 1 ? 0 : i) + (bc == 1 ? 0 : j) * br]);
  }
  if (a.ndims() > 2 || b.ndims() > 2) o.same_shape(an == n ? a : b);
  return o;
}

// The position of element (i, j) of an operand expanded to the result's shape.
inline std::size_t expand_at(const Mt& a, std::size_t i, std::size_t j) {
  return (a.rows() == 1 ? 0 : i) + (a.cols() == 1 ? 0 : j) * a.rows();
}

inline Mt logical(Mt m) { m.set_flags(F_LOGICAL); return m; }

[[noreturn]] void wrong_type_cell(const char* fn);

// The groups of elements a reduction or running operation along dimension d (from 1)
// combines: `count` groups of n elements `stride` apart; group g starts at base(g).
struct groups_of {
  std::size_t count, n, stride;
  groups_of(const Mt& x, int d) {
    stride = 1;
    for (int k = 0; k + 1 < d; ++k) stride *= x.extent(std::size_t(k));
    n = x.extent(std::size_t(d - 1));
    count = n ? x.numel() / n : 0;
    if (d > int(x.ndims())) stride = x.numel() ? x.numel() : 1;
  }
  std::size_t base(std::size_t g) const { return g % stride + (g / stride) * stride * n; }
};

}  // namespace mth
}  // namespace grl

#endif
