// Building and rearranging matrices and cells: special matrices (diag, magic, hilb,
// toeplitz, logspace, meshgrid), triangular parts, concatenation, flips, rotations and
// circular shifts, and the predicates on the kind and shape of a value.
// Values have any number of dimensions; concatenation, flips and shifts work along any.
#ifndef GRIDLIB_SHAPE_H
#define GRIDLIB_SHAPE_H

#include <initializer_list>
#include <type_traits>
#include <vector>

#include "gridlib_matrix.h"

// --- special matrices -----------------------------------------------------------------
M<m_type> logspace(const M<m_type>& a, const M<m_type>& b);
M<m_type> logspace(const M<m_type>& a, const M<m_type>& b, const M<m_type>& n);
// diag(v) and diag(v,k) place a vector on diagonal k; diag(A) and diag(A,k) read it;
// diag(v,m,n) places v in an m x n matrix.
M<m_type> diag(const M<m_type>& x);
M<m_type> diag(const M<m_type>& x, const M<m_type>& k);
M<m_type> diag(const M<m_type>& v, const M<m_type>& m, const M<m_type>& n);
M<M<m_type>> diag(const M<M<m_type>>& x);
M<M<m_type>> diag(const M<M<m_type>>& x, const M<m_type>& k);
M<m_type> tril(const M<m_type>& x);
M<m_type> tril(const M<m_type>& x, const M<m_type>& k);
M<m_type> triu(const M<m_type>& x);
M<m_type> triu(const M<m_type>& x, const M<m_type>& k);
M<M<m_type>> tril(const M<M<m_type>>& x);
M<M<m_type>> tril(const M<M<m_type>>& x, const M<m_type>& k);
M<M<m_type>> triu(const M<M<m_type>>& x);
M<M<m_type>> triu(const M<M<m_type>>& x, const M<m_type>& k);
M<m_type> magic(const M<m_type>& n);
M<m_type> hilb(const M<m_type>& n);
M<m_type> toeplitz(const M<m_type>& c);
M<m_type> toeplitz(const M<m_type>& c, const M<m_type>& r);
// [X,Y]=meshgrid(x,y): x along the rows, y down the columns; meshgrid(x) is meshgrid(x,x).
M<m_type> meshgrid(const M<m_type>& x);
M<m_type> meshgrid(const M<m_type>& x, const M<m_type>& y);
void meshgrid(const M<m_type>& x, i_o_t, Mr<m_type> xx);
void meshgrid(const M<m_type>& x, i_o_t, Mr<m_type> xx, Mr<m_type> yy);
void meshgrid(const M<m_type>& x, const M<m_type>& y, i_o_t, Mr<m_type> xx);
void meshgrid(const M<m_type>& x, const M<m_type>& y, i_o_t, Mr<m_type> xx, Mr<m_type> yy);

// --- subscripts and linear indices -------------------------------------------------------
M<m_type> sub2ind(const M<m_type>& dims, const M<m_type>& i);
M<m_type> sub2ind(const M<m_type>& dims, const M<m_type>& i, const M<m_type>& j);
M<m_type> sub2ind(const M<m_type>& dims, const M<m_type>& i, const M<m_type>& j, const M<m_type>& k);
M<m_type> ind2sub(const M<m_type>& dims, const M<m_type>& ind);
void ind2sub(const M<m_type>& dims, const M<m_type>& ind, i_o_t, Mr<m_type> r);
void ind2sub(const M<m_type>& dims, const M<m_type>& ind, i_o_t, Mr<m_type> r, Mr<m_type> c);
void ind2sub(const M<m_type>& dims, const M<m_type>& ind, i_o_t, Mr<m_type> r, Mr<m_type> c,
             Mr<m_type> p);
// Four subscripts or outputs and more.
namespace grl {
M<m_type> sub2ind_n(const M<m_type>& dims, const std::vector<const M<m_type>*>& subs);
void ind2sub_n(const M<m_type>& dims, const M<m_type>& ind, std::vector<Mr<m_type>> outs);
}  // namespace grl
// At most eight subscripts, as korval.rsv declares; each one a value.
template <class... S, std::enable_if_t<(sizeof...(S) <= 4) && (std::is_convertible_v<const S&, M<m_type>> && ...),
                                       int> = 0>
inline M<m_type> sub2ind(const M<m_type>& dims, const M<m_type>& i, const M<m_type>& j, const M<m_type>& k,
                         const M<m_type>& l, const S&... s) {
  const M<m_type> rest[] = {l, M<m_type>(s)...};
  std::vector<const M<m_type>*> subs{&i, &j, &k};
  for (const M<m_type>& r : rest) subs.push_back(&r);
  return grl::sub2ind_n(dims, subs);
}
template <class... R, std::enable_if_t<sizeof...(R) <= 4, int> = 0>  // at most eight outputs
inline void ind2sub(const M<m_type>& dims, const M<m_type>& ind, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c,
                    Mr<m_type> d, R&&... r) {
  grl::ind2sub_n(dims, ind, {a, b, c, d, Mr<m_type>(r)...});
}

// --- rearranging ----------------------------------------------------------------------
M<m_type> flip(const M<m_type>& x);
M<m_type> flip(const M<m_type>& x, const M<m_type>& dim);
M<M<m_type>> flip(const M<M<m_type>>& x);
M<M<m_type>> flip(const M<M<m_type>>& x, const M<m_type>& dim);
M<m_type> fliplr(const M<m_type>& x);
M<m_type> flipud(const M<m_type>& x);
M<M<m_type>> fliplr(const M<M<m_type>>& x);
M<M<m_type>> flipud(const M<M<m_type>>& x);
M<m_type> rot90(const M<m_type>& x);
M<m_type> rot90(const M<m_type>& x, const M<m_type>& k);
M<M<m_type>> rot90(const M<M<m_type>>& x);
M<M<m_type>> rot90(const M<M<m_type>>& x, const M<m_type>& k);
// circshift(x,n): n scalar shifts along the first dimension that is not 1, a vector
// [r c] shifts rows and columns; circshift(x,n,dim) shifts along dim.
M<m_type> circshift(const M<m_type>& x, const M<m_type>& n);
M<m_type> circshift(const M<m_type>& x, const M<m_type>& n, const M<m_type>& dim);
M<M<m_type>> circshift(const M<M<m_type>>& x, const M<m_type>& n);
M<M<m_type>> circshift(const M<M<m_type>>& x, const M<m_type>& n, const M<m_type>& dim);
M<m_type> squeeze(const M<m_type>& x);
M<M<m_type>> squeeze(const M<M<m_type>>& x);
M<m_type> ndims(const M<m_type>& x);
M<m_type> ndims(const M<M<m_type>>& x);
// permute(x, perm), ipermute(x, perm): the dimensions in a new order, and back.
M<m_type> permute(const M<m_type>& x, const M<m_type>& perm);
M<M<m_type>> permute(const M<M<m_type>>& x, const M<m_type>& perm);
M<m_type> ipermute(const M<m_type>& x, const M<m_type>& perm);
M<M<m_type>> ipermute(const M<M<m_type>>& x, const M<m_type>& perm);
// shiftdim(x, n) turns the dimensions left by n; shiftdim(x) drops leading singletons.
M<m_type> shiftdim(const M<m_type>& x);
M<m_type> shiftdim(const M<m_type>& x, const M<m_type>& n);
void shiftdim(const M<m_type>& x, i_o_t, Mr<m_type> y, Mr<m_type> n);

// --- concatenation --------------------------------------------------------------------
// cat(dim, a, b, ...), horzcat(a, b, ...), vertcat(a, b, ...). Pieces of size 0x0, 1x0
// and 0x1 take no part when they do not fit. The result is char when any piece is,
// logical when every piece is. When any piece is a cell, the result is a cell and every
// matrix piece that is not empty becomes one element.
namespace grl {
typedef std::vector<M<m_type>> mat_list;
M<m_type> cat_v(int dim, const mat_list& parts);
M<M<m_type>> cat_cells(int dim, const std::vector<M<M<m_type>>>& parts);
int cat_dim(const M<m_type>& dim);
// [a, b] (dim 2) and [a; b] (dim 1) when a piece has more than two dimensions.
M<m_type> cat_literal(int dim, const mat_list& parts);

// What one argument of a mixed call stands for: a cell or a matrix.
template <class A> struct is_cell_arg : std::false_type {};
template <> struct is_cell_arg<M<M<m_type>>> : std::true_type {};
template <> struct is_cell_arg<cl_t<m_type>> : std::true_type {};
template <> struct is_cell_arg<bc_t<m_type>> : std::true_type {};
template <> struct is_cell_arg<Mx<M<m_type>>> : std::true_type {};
template <class... A> inline constexpr bool any_cell = (is_cell_arg<std::decay_t<A>>::value || ...);

// A matrix piece of a cell concatenation: one element, or nothing when it is empty.
M<M<m_type>> as_cell_piece(const M<m_type>& x);
template <class A> inline M<M<m_type>> cell_piece(const A& a) {
  if constexpr (is_cell_arg<std::decay_t<A>>::value) return M<M<m_type>>(a);
  else return as_cell_piece(M<m_type>(a));
}
template <class... A> inline auto cat_any(int dim, const A&... a) {
  if constexpr (any_cell<A...>) return cat_cells(dim, {cell_piece(a)...});
  else return cat_v(dim, arg_list<m_type>(a...));
}
}  // namespace grl

template <class... A> inline auto cat(const M<m_type>& dim, const A&... a) {
  return grl::cat_any(grl::cat_dim(dim), a...);
}
template <class... A> inline auto horzcat(const A&... a) { return grl::cat_any(2, a...); }
template <class... A> inline auto vertcat(const A&... a) { return grl::cat_any(1, a...); }

// --- predicates: each returns a logical value -----------------------------------------
#define GRL_SHAPE_PRED(F) M<m_type> F(const M<m_type>& x); M<m_type> F(const M<M<m_type>>& x);
GRL_SHAPE_PRED(isscalar) GRL_SHAPE_PRED(isvector) GRL_SHAPE_PRED(isrow)
GRL_SHAPE_PRED(iscolumn) GRL_SHAPE_PRED(isreal) GRL_SHAPE_PRED(ischar)
GRL_SHAPE_PRED(isnumeric) GRL_SHAPE_PRED(islogical) GRL_SHAPE_PRED(iscell)
// ismatrix: two dimensions (any extents); issquare: two dimensions of one extent.
GRL_SHAPE_PRED(ismatrix) GRL_SHAPE_PRED(issquare)
// A matrix or a cell is no structure; isstruct of a structure is in gridlib_sets.h.
GRL_SHAPE_PRED(isstruct)
#undef GRL_SHAPE_PRED
// Element by element; a cell fails with "isnan: not defined for cell". The names of
// the C library's classification macros carry the suffix _M.
M<m_type> isfinite_M(const M<m_type>& x);
M<m_type> isinf_M(const M<m_type>& x);
M<m_type> isnan_M(const M<m_type>& x);
M<m_type> isfinite_M(const M<M<m_type>>& x);
M<m_type> isinf_M(const M<M<m_type>>& x);
M<m_type> isnan_M(const M<M<m_type>>& x);

// isequal(a, b, ...): the same size and the same values (NaN differs from itself),
// whatever the kinds of number; cells element by element, also a cell held in a
// value; a cell never equals a matrix. isequaln: the same, NaN equal to NaN.
namespace grl {
bool equal_values(const M<m_type>& a, const M<m_type>& b, bool nan_equal = false);
bool equal_values(const M<M<m_type>>& a, const M<M<m_type>>& b, bool nan_equal = false);
bool equal_values(const M<m_type>& a, const M<M<m_type>>& b, bool nan_equal = false);
bool equal_values(const M<M<m_type>>& a, const M<m_type>& b, bool nan_equal = false);
template <class A> inline auto shape_value(const A& a) {
  if constexpr (is_cell_arg<std::decay_t<A>>::value) return M<M<m_type>>(a);
  else return M<m_type>(a);
}
M<m_type> logical_scalar(bool v);
// isequal(c{:}): every element of the list equals the first.
bool all_equal(const std::vector<M<m_type>>& v, bool nan_equal = false);
template <bool NanEqual, class A, class... R>
inline M<m_type> equal_all(const char* bad, const A& a, const R&... r) {
  if constexpr (any_cs<A, R...>) {
    return logical_scalar(all_equal(arg_list<m_type>(a, r...), NanEqual));
  } else if constexpr (sizeof...(R) == 0) {
    return bad_call(bad);
  } else {
    const auto first = shape_value(a);
    bool same = true;
    ((same = same && equal_values(first, shape_value(r), NanEqual)), ...);
    return logical_scalar(same);
  }
}
}  // namespace grl
template <class A, class... R> inline M<m_type> isequal(const A& a, const R&... r) {
  return grl::equal_all<false>("Invalid call to isequal", a, r...);
}
template <class A, class... R> inline M<m_type> isequaln(const A& a, const R&... r) {
  return grl::equal_all<true>("Invalid call to isequaln", a, r...);
}

// [] as the first argument of a function that also takes cells is the empty matrix.
#define GRL_SHAPE_NOP(F)                                                                  \
  template <class... A> inline auto F(nop_t, const A&... a)->decltype(F(M<m_type>(), a...)) { \
    return F(M<m_type>(), a...);                                                          \
  }
GRL_SHAPE_NOP(diag) GRL_SHAPE_NOP(tril) GRL_SHAPE_NOP(triu) GRL_SHAPE_NOP(fliplr) GRL_SHAPE_NOP(flip)
GRL_SHAPE_NOP(flipud) GRL_SHAPE_NOP(rot90) GRL_SHAPE_NOP(circshift) GRL_SHAPE_NOP(squeeze)
GRL_SHAPE_NOP(ndims) GRL_SHAPE_NOP(isscalar) GRL_SHAPE_NOP(isvector) GRL_SHAPE_NOP(isrow)
GRL_SHAPE_NOP(iscolumn) GRL_SHAPE_NOP(isreal) GRL_SHAPE_NOP(ischar) GRL_SHAPE_NOP(isnumeric)
GRL_SHAPE_NOP(islogical) GRL_SHAPE_NOP(iscell) GRL_SHAPE_NOP(isstruct) GRL_SHAPE_NOP(isfinite_M)
GRL_SHAPE_NOP(isinf_M) GRL_SHAPE_NOP(isnan_M) GRL_SHAPE_NOP(ismatrix) GRL_SHAPE_NOP(issquare)
#undef GRL_SHAPE_NOP

// class(x): the name of x's class as a char row: "double" ("single" in the float
// library), "char", "logical" or "cell".
M<m_type> class_M(const M<m_type>& x);
M<m_type> class_M(const M<M<m_type>>& x);
inline M<m_type> class_M(nop_t) { return class_M(M<m_type>()); }
// isa(x, name): x's class is name, or a group it belongs to ("numeric", "float").
namespace grl {
M<m_type> class_is(const char* cls, const M<m_type>& name);
}
M<m_type> isa(const M<m_type>& x, const M<m_type>& name);
M<m_type> isa(const M<M<m_type>>& x, const M<m_type>& name);
inline M<m_type> isa(nop_t, const M<m_type>& name) { return isa(M<m_type>(), name); }
// logical(x): 1 where x is not zero (NaN fails); xor(a, b) element by element.
M<m_type> logical_M(const M<m_type>& x);
M<m_type> logical_M(const M<M<m_type>>& x);
M<m_type> xor_M(const M<m_type>& a, const M<m_type>& b);

#endif
