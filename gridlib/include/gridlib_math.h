// The numeric built-in functions: construction, shape, element-wise math, reductions,
// searching and sorting, constants and timers.
//
// Names that are also functions of the C library (sqrt, abs, floor, rand, ...) carry the
// suffix _M; the translator renames the M names through the [replace] section of
// korval.rsv, so a call sqrt(2.0) in generated code never reaches C's double version.
// A function with several outputs takes them after i_o: [m,k]=max(x) is
// max(x,i_o,m,k).
#ifndef GRIDLIB_MATH_H
#define GRIDLIB_MATH_H


namespace grl {
typedef M<m_type> Mt;
typedef M<M<m_type>> Mc;
}  // namespace grl

// --- construction -----------------------------------------------------------------
M<m_type> zeros();
M<m_type> zeros(const M<m_type>& n);
M<m_type> zeros(const M<m_type>& r, const M<m_type>& c);
M<m_type> zeros(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
M<m_type> ones();
M<m_type> ones(const M<m_type>& n);
M<m_type> ones(const M<m_type>& r, const M<m_type>& c);
M<m_type> ones(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
M<m_type> true_M(const M<m_type>& n);
M<m_type> true_M(const M<m_type>& r, const M<m_type>& c);
M<m_type> false_M(const M<m_type>& n);
M<m_type> false_M(const M<m_type>& r, const M<m_type>& c);
M<m_type> eye();
M<m_type> eye(const M<m_type>& n);
M<m_type> eye(const M<m_type>& r, const M<m_type>& c);
M<m_type> eye(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
// rand(), rand(n), rand(r,c), rand([r c]); rand('seed'|'state'|'twister', x) sets the
// generator's state, rand('seed') returns it.
M<m_type> rand_M();
M<m_type> rand_M(const M<m_type>& n);
M<m_type> rand_M(const M<m_type>& r, const M<m_type>& c);
M<m_type> rand_M(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
M<m_type> randn();
M<m_type> randn(const M<m_type>& n);
M<m_type> randn(const M<m_type>& r, const M<m_type>& c);
M<m_type> randn(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
// The same with any number of sizes (fn: zeros, ones, true, false, rand, randn, NaN, Inf).
namespace grl {
M<m_type> construct(const char* fn, const std::vector<M<m_type>>& args);
}
M<m_type> true_M(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
M<m_type> false_M(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
// Four sizes or more, or sizes from a cell list (zeros(sz{:})).
namespace grl {
template <class... A> inline constexpr bool many_or_cs = sizeof...(A) >= 4 || any_cs<A...>;
}
#define GRL_CONSTRUCT_N(F, NAME)                                                 \
  template <class... A, std::enable_if_t<grl::many_or_cs<A...>, int> = 0>       \
  inline M<m_type> F(const A&... a) {                                           \
    return grl::construct(NAME, grl::arg_list<m_type>(a...));                    \
  }
GRL_CONSTRUCT_N(zeros, "zeros") GRL_CONSTRUCT_N(ones, "ones") GRL_CONSTRUCT_N(true_M, "true")
GRL_CONSTRUCT_N(false_M, "false") GRL_CONSTRUCT_N(rand_M, "rand") GRL_CONSTRUCT_N(randn, "randn")
GRL_CONSTRUCT_N(NaN, "NaN") GRL_CONSTRUCT_N(Inf, "Inf") GRL_CONSTRUCT_N(inf, "Inf") GRL_CONSTRUCT_N(nan_M, "NaN")
#undef GRL_CONSTRUCT_N
M<m_type> linspace(const M<m_type>& a, const M<m_type>& b);
M<m_type> linspace(const M<m_type>& a, const M<m_type>& b, const M<m_type>& n);
M<m_type> repmat(const M<m_type>& a, const M<m_type>& m);
M<m_type> repmat(const M<m_type>& a, const M<m_type>& m, const M<m_type>& n);
M<m_type> reshape(const M<m_type>& a, const M<m_type>& dims);
M<m_type> reshape(const M<m_type>& a, const M<m_type>& r, const M<m_type>& c);
M<M<m_type>> reshape(const M<M<m_type>>& a, const M<m_type>& dims);
M<M<m_type>> reshape(const M<M<m_type>>& a, const M<m_type>& r, const M<m_type>& c);
// reshape(a, m, n, p, ...) and repmat(a, m, n, p, ...): any number of sizes.
namespace grl {
sizes reshape_sizes(std::size_t n, const sizes& from, const std::vector<M<m_type>>& args);
M<m_type> reshape_n(const M<m_type>& a, const std::vector<M<m_type>>& args);
M<M<m_type>> reshape_n(const M<M<m_type>>& a, const std::vector<M<m_type>>& args);
M<m_type> repmat_n(const M<m_type>& a, const std::vector<M<m_type>>& reps);
}  // namespace grl
template <class... R, std::enable_if_t<sizeof...(R) >= 3 || grl::any_cs<R...>, int> = 0>
inline M<m_type> reshape(const M<m_type>& a, const R&... r) {
  return grl::reshape_n(a, grl::arg_list<m_type>(r...));
}
template <class... R, std::enable_if_t<sizeof...(R) >= 3 || grl::any_cs<R...>, int> = 0>
inline M<M<m_type>> reshape(const M<M<m_type>>& a, const R&... r) {
  return grl::reshape_n(a, grl::arg_list<m_type>(r...));
}
template <class... R, std::enable_if_t<sizeof...(R) >= 3 || grl::any_cs<R...>, int> = 0>
inline M<m_type> repmat(const M<m_type>& a, const R&... r) {
  return grl::repmat_n(a, grl::arg_list<m_type>(r...));
}
// repmat of a cell (a variable or a literal such as {'k'}): the numbers of the elements
// are tiled, then the cell is indexed with them; the result holds the new cell.
template <class... R> inline M<m_type> repmat(const M<M<m_type>>& c, const R&... r) {
  M<m_type> at = M<m_type>::alloc(c.shape());
  m_type* p = at.pr();
  for (std::size_t k = 0; k < at.numel(); ++k) p[k] = m_type(k + 1);
  const M<m_type> tiles = repmat(at, r...);
  M<M<m_type>> out = c.get1(grl::ix<m_type>(tiles));
  out.set_shape(tiles.shape());
  return M<m_type>(out);
}
template <class... R> inline M<m_type> repmat(const cl_t<m_type>& a, const R&... r) {
  return repmat(a.value(), r...);
}

// --- constants --------------------------------------------------------------------
M<m_type> pi();
M<m_type> eps();
M<m_type> eps(const M<m_type>& x);          // spacing of the numbers next to x
M<m_type> Inf();
M<m_type> Inf(const M<m_type>& n);
M<m_type> Inf(const M<m_type>& r, const M<m_type>& c);
M<m_type> Inf(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
M<m_type> NaN();
M<m_type> NaN(const M<m_type>& n);
M<m_type> NaN(const M<m_type>& r, const M<m_type>& c);
M<m_type> NaN(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
M<m_type> inf();
M<m_type> inf(const M<m_type>& n);
M<m_type> inf(const M<m_type>& r, const M<m_type>& c);
M<m_type> inf(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
M<m_type> nan_M();
M<m_type> nan_M(const M<m_type>& n);
M<m_type> nan_M(const M<m_type>& r, const M<m_type>& c);
M<m_type> nan_M(const M<m_type>& r, const M<m_type>& c, const M<m_type>& k);
M<m_type> i();                               // the imaginary unit
M<m_type> j();

// --- shape ------------------------------------------------------------------------
M<m_type> size(const M<m_type>& x);
M<m_type> size(const M<m_type>& x, const M<m_type>& k);
void size(const M<m_type>& x, i_o_t, Mr<m_type> r);
void size(const M<m_type>& x, i_o_t, Mr<m_type> r, Mr<m_type> c);
void size(const M<m_type>& x, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> p);
M<m_type> size(const M<M<m_type>>& x);
M<m_type> size(const M<M<m_type>>& x, const M<m_type>& k);
void size(const M<M<m_type>>& x, i_o_t, Mr<m_type> r);
void size(const M<M<m_type>>& x, i_o_t, Mr<m_type> r, Mr<m_type> c);
void size(const M<M<m_type>>& x, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> p);
// [a,b,c,d,...] = size(x): four outputs or more.
namespace grl {
void size_n(const sizes& d, std::vector<Mr<m_type>> outs);
// The templates below take any value with a shape; this keeps them out of overload
// sets where the first argument is something else (the output marker of a call).
template <class X> using has_shape = decltype(std::declval<const X&>().shape(), 0);
}  // namespace grl
template <class X, class... R, std::enable_if_t<sizeof...(R) <= 2, int> = 0, grl::has_shape<X> = 0>
inline void size(const X& x, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c, Mr<m_type> d, R&&... r) {
  grl::size_n(x.shape(), {a, b, c, d, Mr<m_type>(r)...});
}
// size(x, d1, d2, ...) and [a, b, ...] = size(x, dims) (or size(x, d1, d2, ...)), with
// at most six outputs, as korval.rsv declares.
namespace grl {
M<m_type> size_dims(const sizes& d, std::vector<const M<m_type>*> dims);
void size_dims_out(const sizes& d, std::vector<const M<m_type>*> dims, std::vector<Mr<m_type>> outs);
}  // namespace grl
template <class X, grl::has_shape<X> = 0>
inline M<m_type> size(const X& x, const M<m_type>& d1, const M<m_type>& d2) {
  return grl::size_dims(x.shape(), {&d1, &d2});
}
template <class X, grl::has_shape<X> = 0>
inline M<m_type> size(const X& x, const M<m_type>& d1, const M<m_type>& d2, const M<m_type>& d3) {
  return grl::size_dims(x.shape(), {&d1, &d2, &d3});
}
// Four dimensions or more (at most eight, as korval.rsv declares).
template <class X, grl::has_shape<X> = 0, class... R,
          std::enable_if_t<sizeof...(R) <= 4 && !(std::is_same<std::decay_t<R>, i_o_t>::value || ...), int> = 0>
inline M<m_type> size(const X& x, const M<m_type>& d1, const M<m_type>& d2, const M<m_type>& d3,
                      const M<m_type>& d4, const R&... r) {
  const M<m_type> more[] = {d4, M<m_type>(r)...};
  std::vector<const M<m_type>*> dims{&d1, &d2, &d3};
  for (const M<m_type>& d : more) dims.push_back(&d);
  return grl::size_dims(x.shape(), std::move(dims));
}
template <class X, grl::has_shape<X> = 0, class... R, std::enable_if_t<sizeof...(R) <= 5, int> = 0>
inline void size(const X& x, const M<m_type>& d1, i_o_t, Mr<m_type> a, R&&... r) {
  grl::size_dims_out(x.shape(), {&d1}, {a, Mr<m_type>(r)...});
}
template <class X, grl::has_shape<X> = 0, class... R, std::enable_if_t<sizeof...(R) <= 5, int> = 0>
inline void size(const X& x, const M<m_type>& d1, const M<m_type>& d2, i_o_t, Mr<m_type> a, R&&... r) {
  grl::size_dims_out(x.shape(), {&d1, &d2}, {a, Mr<m_type>(r)...});
}
template <class X, grl::has_shape<X> = 0, class... R, std::enable_if_t<sizeof...(R) <= 5, int> = 0>
inline void size(const X& x, const M<m_type>& d1, const M<m_type>& d2, const M<m_type>& d3, i_o_t, Mr<m_type> a,
                 R&&... r) {
  grl::size_dims_out(x.shape(), {&d1, &d2, &d3}, {a, Mr<m_type>(r)...});
}
template <class X, grl::has_shape<X> = 0, class... R, std::enable_if_t<sizeof...(R) <= 5, int> = 0>
inline void size(const X& x, const M<m_type>& d1, const M<m_type>& d2, const M<m_type>& d3, const M<m_type>& d4,
                 i_o_t, Mr<m_type> a, R&&... r) {
  grl::size_dims_out(x.shape(), {&d1, &d2, &d3, &d4}, {a, Mr<m_type>(r)...});
}
M<m_type> length(const M<m_type>& x);
M<m_type> length(const M<M<m_type>>& x);
M<m_type> numel(const M<m_type>& x);
M<m_type> numel(const M<M<m_type>>& x);
M<m_type> nnz(const M<m_type>& x);
M<m_type> isempty(const M<m_type>& x);
M<m_type> isempty(const M<M<m_type>>& x);

// --- element-wise math --------------------------------------------------------------
M<m_type> abs_M(const M<m_type>& x);
M<m_type> sqrt_M(const M<m_type>& x);       // negative elements give complex roots
M<m_type> exp_M(const M<m_type>& x);
M<m_type> log_M(const M<m_type>& x);        // negative elements give complex logarithms
M<m_type> sin_M(const M<m_type>& x);
M<m_type> cos_M(const M<m_type>& x);
M<m_type> tan_M(const M<m_type>& x);
M<m_type> atan2_M(const M<m_type>& y, const M<m_type>& x);
M<m_type> floor_M(const M<m_type>& x);
M<m_type> ceil_M(const M<m_type>& x);
M<m_type> round_M(const M<m_type>& x);
M<m_type> fix(const M<m_type>& x);
// The same of a temporary argument: a real result is written over its storage.
M<m_type> abs_M(M<m_type>&& x);
M<m_type> sqrt_M(M<m_type>&& x);
M<m_type> exp_M(M<m_type>&& x);
M<m_type> log_M(M<m_type>&& x);
M<m_type> sin_M(M<m_type>&& x);
M<m_type> cos_M(M<m_type>&& x);
M<m_type> tan_M(M<m_type>&& x);
M<m_type> floor_M(M<m_type>&& x);
M<m_type> ceil_M(M<m_type>&& x);
M<m_type> round_M(M<m_type>&& x);
M<m_type> fix(M<m_type>&& x);
M<m_type> mod(const M<m_type>& x, const M<m_type>& y);
M<m_type> mod(M<m_type>&& x, const M<m_type>& y);
M<m_type> rem(const M<m_type>& x, const M<m_type>& y);
M<m_type> rem(M<m_type>&& x, const M<m_type>& y);

// --- reductions -------------------------------------------------------------------
M<m_type> sum(const M<m_type>& x);
M<m_type> sum(const M<m_type>& x, const M<m_type>& dim);
M<m_type> prod(const M<m_type>& x);
M<m_type> prod(const M<m_type>& x, const M<m_type>& dim);
M<m_type> cumsum(const M<m_type>& x);
M<m_type> cumsum(const M<m_type>& x, const M<m_type>& dim);
// sum(x, type), sum(x, dim, type) and so prod and cumsum: type 'native' keeps the class of
// x (integer classes saturating at every step), 'double' gives double, 'default' and
// 'extra' change nothing.
M<m_type> sum(const M<m_type>& x, const M<m_type>& dim, const M<m_type>& type);
M<m_type> prod(const M<m_type>& x, const M<m_type>& dim, const M<m_type>& type);
M<m_type> cumsum(const M<m_type>& x, const M<m_type>& dim, const M<m_type>& type);
M<m_type> mean(const M<m_type>& x);
M<m_type> mean(const M<m_type>& x, const M<m_type>& dim);
M<m_type> any(const M<m_type>& x);
M<m_type> any(const M<m_type>& x, const M<m_type>& dim);
M<m_type> all(const M<m_type>& x);
M<m_type> all(const M<m_type>& x, const M<m_type>& dim);
// range(x [, dim]): max minus min along the first non-singleton dimension (or dim).
M<m_type> range(const M<m_type>& x);
M<m_type> range(const M<m_type>& x, const M<m_type>& dim);
// max(x), max(a,b), max(x,[],dim), each also with [m,k] outputs.
M<m_type> max(const M<m_type>& x);
M<m_type> max(const M<m_type>& a, const M<m_type>& b);
M<m_type> max(const M<m_type>& x, const M<m_type>& none, const M<m_type>& dim);
void max(const M<m_type>& x, i_o_t, Mr<m_type> m);
void max(const M<m_type>& x, i_o_t, Mr<m_type> m, Mr<m_type> k);
void max(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> m);
void max(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> m, Mr<m_type> k);
void max(const M<m_type>& x, const M<m_type>& none, const M<m_type>& dim, i_o_t, Mr<m_type> m);
void max(const M<m_type>& x, const M<m_type>& none, const M<m_type>& dim, i_o_t, Mr<m_type> m,
         Mr<m_type> k);
M<m_type> min(const M<m_type>& x);
M<m_type> min(const M<m_type>& a, const M<m_type>& b);
M<m_type> min(const M<m_type>& x, const M<m_type>& none, const M<m_type>& dim);
void min(const M<m_type>& x, i_o_t, Mr<m_type> m);
void min(const M<m_type>& x, i_o_t, Mr<m_type> m, Mr<m_type> k);
void min(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> m);
void min(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> m, Mr<m_type> k);
void min(const M<m_type>& x, const M<m_type>& none, const M<m_type>& dim, i_o_t, Mr<m_type> m);
void min(const M<m_type>& x, const M<m_type>& none, const M<m_type>& dim, i_o_t, Mr<m_type> m,
         Mr<m_type> k);

// --- searching and sorting -----------------------------------------------------------
// find(x), find(x,n), find(x,n,'first'|'last'); [r,c]=find(...), [r,c,v]=find(...).
M<m_type> find(const M<m_type>& x);
M<m_type> find(const M<m_type>& x, const M<m_type>& n);
M<m_type> find(const M<m_type>& x, const M<m_type>& n, const M<m_type>& dir);
void find(const M<m_type>& x, i_o_t, Mr<m_type> k);
void find(const M<m_type>& x, i_o_t, Mr<m_type> r, Mr<m_type> c);
void find(const M<m_type>& x, i_o_t, Mr<m_type> r, Mr<m_type> c, Mr<m_type> v);
void find(const M<m_type>& x, const M<m_type>& n, i_o_t, Mr<m_type> r, Mr<m_type> c);
void find(const M<m_type>& x, const M<m_type>& n, i_o_t, Mr<m_type> r, Mr<m_type> c,
          Mr<m_type> v);
void find(const M<m_type>& x, const M<m_type>& n, const M<m_type>& dir, i_o_t, Mr<m_type> r,
          Mr<m_type> c);
void find(const M<m_type>& x, const M<m_type>& n, const M<m_type>& dir, i_o_t, Mr<m_type> r,
          Mr<m_type> c, Mr<m_type> v);
M<m_type> issorted(const M<m_type>& x);
M<m_type> issorted(const M<m_type>& x, const M<m_type>& mode);
// sort(x), sort(x,dim), sort(x,'ascend'|'descend'), sort(x,dim,mode); [s,k]=sort(...).
M<m_type> sort(const M<m_type>& x);
M<m_type> sort(const M<m_type>& x, const M<m_type>& a);
M<m_type> sort(const M<m_type>& x, const M<m_type>& dim, const M<m_type>& mode);
void sort(const M<m_type>& x, i_o_t, Mr<m_type> s, Mr<m_type> k);
void sort(const M<m_type>& x, const M<m_type>& a, i_o_t, Mr<m_type> s, Mr<m_type> k);
void sort(const M<m_type>& x, const M<m_type>& dim, const M<m_type>& mode, i_o_t, Mr<m_type> s,
          Mr<m_type> k);

// --- numbers over cells: each fails at run time with the function's own message -----
#define GRL_CELL_FAIL1(F) M<m_type> F(const M<M<m_type>>& x);
#define GRL_CELL_FAIL2(F)                                  \
  M<m_type> F(const M<M<m_type>>& x, const M<m_type>& y); \
  M<m_type> F(const M<m_type>& x, const M<M<m_type>>& y); \
  M<m_type> F(const M<M<m_type>>& x, const M<M<m_type>>& y);
GRL_CELL_FAIL1(abs_M) GRL_CELL_FAIL1(sqrt_M) GRL_CELL_FAIL1(exp_M) GRL_CELL_FAIL1(log_M)
GRL_CELL_FAIL1(sin_M) GRL_CELL_FAIL1(cos_M) GRL_CELL_FAIL1(tan_M) GRL_CELL_FAIL1(floor_M)
GRL_CELL_FAIL1(ceil_M) GRL_CELL_FAIL1(round_M) GRL_CELL_FAIL1(fix) GRL_CELL_FAIL1(sum)
GRL_CELL_FAIL1(prod) GRL_CELL_FAIL1(cumsum) GRL_CELL_FAIL1(mean) GRL_CELL_FAIL1(any)
GRL_CELL_FAIL1(all) GRL_CELL_FAIL1(max) GRL_CELL_FAIL1(min) GRL_CELL_FAIL1(find)
GRL_CELL_FAIL2(mod) GRL_CELL_FAIL2(rem) GRL_CELL_FAIL2(atan2_M) GRL_CELL_FAIL2(max)
GRL_CELL_FAIL2(min)
#undef GRL_CELL_FAIL1
#undef GRL_CELL_FAIL2

// --- running reductions, differences, vector products and statistics ----------------
M<m_type> cumprod(const M<m_type>& x);
M<m_type> cumprod(const M<m_type>& x, const M<m_type>& dim);
// cummax(x), cummax(x,dim); [m,k]=cummax(...) also gives where each running extreme
// was first reached.
M<m_type> cummax(const M<m_type>& x);
M<m_type> cummax(const M<m_type>& x, const M<m_type>& dim);
void cummax(const M<m_type>& x, i_o_t, Mr<m_type> m);
void cummax(const M<m_type>& x, i_o_t, Mr<m_type> m, Mr<m_type> k);
void cummax(const M<m_type>& x, const M<m_type>& dim, i_o_t, Mr<m_type> m);
void cummax(const M<m_type>& x, const M<m_type>& dim, i_o_t, Mr<m_type> m, Mr<m_type> k);
M<m_type> cummin(const M<m_type>& x);
M<m_type> cummin(const M<m_type>& x, const M<m_type>& dim);
void cummin(const M<m_type>& x, i_o_t, Mr<m_type> m);
void cummin(const M<m_type>& x, i_o_t, Mr<m_type> m, Mr<m_type> k);
void cummin(const M<m_type>& x, const M<m_type>& dim, i_o_t, Mr<m_type> m);
void cummin(const M<m_type>& x, const M<m_type>& dim, i_o_t, Mr<m_type> m, Mr<m_type> k);
// diff(x), diff(x,k), diff(x,k,dim); k may be [] for 1.
M<m_type> diff(const M<m_type>& x);
M<m_type> diff(const M<m_type>& x, const M<m_type>& k);
M<m_type> diff(const M<m_type>& x, const M<m_type>& k, const M<m_type>& dim);
M<m_type> dot(const M<m_type>& a, const M<m_type>& b);
M<m_type> dot(const M<m_type>& a, const M<m_type>& b, const M<m_type>& dim);
M<m_type> cross(const M<m_type>& a, const M<m_type>& b);
M<m_type> cross(const M<m_type>& a, const M<m_type>& b, const M<m_type>& dim);
// var(x), var(x,w), var(x,w,dim): w is 0, 1, [] or a vector of weights; dim may be a
// vector of dimensions or 'all'. std likewise (std_M: std is the C++ namespace).
M<m_type> var(const M<m_type>& x);
M<m_type> var(const M<m_type>& x, const M<m_type>& w);
M<m_type> var(const M<m_type>& x, const M<m_type>& w, const M<m_type>& dim);
M<m_type> std_M(const M<m_type>& x);
M<m_type> std_M(const M<m_type>& x, const M<m_type>& w);
M<m_type> std_M(const M<m_type>& x, const M<m_type>& w, const M<m_type>& dim);
M<m_type> median(const M<m_type>& x);
M<m_type> median(const M<m_type>& x, const M<m_type>& dim);
// mode(x), mode(x,dim); [m,f]=mode(...) also gives how often m occurs, [m,f,c] a cell
// of the shape of m whose columns hold every value occurring that often.
M<m_type> mode(const M<m_type>& x);
M<m_type> mode(const M<m_type>& x, const M<m_type>& dim);
void mode(const M<m_type>& x, i_o_t, Mr<m_type> m);
void mode(const M<m_type>& x, i_o_t, Mr<m_type> m, Mr<m_type> f);
void mode(const M<m_type>& x, const M<m_type>& dim, i_o_t, Mr<m_type> m);
void mode(const M<m_type>& x, const M<m_type>& dim, i_o_t, Mr<m_type> m, Mr<m_type> f);
void mode(const M<m_type>& x, i_o_t, Mr<m_type> m, Mr<m_type> f, M<M<m_type>>& c);
void mode(const M<m_type>& x, const M<m_type>& dim, i_o_t, Mr<m_type> m, Mr<m_type> f,
          M<M<m_type>>& c);
M<m_type> cumprod(const M<M<m_type>>& x);
M<m_type> cummax(const M<M<m_type>>& x);
M<m_type> cummin(const M<M<m_type>>& x);
M<m_type> diff(const M<M<m_type>>& x);
M<m_type> var(const M<M<m_type>>& x);
M<m_type> std_M(const M<M<m_type>>& x);
M<m_type> median(const M<M<m_type>>& x);
M<m_type> mode(const M<M<m_type>>& x);
M<m_type> dot(const M<M<m_type>>& a, const M<m_type>& b);
M<m_type> dot(const M<m_type>& a, const M<M<m_type>>& b);
M<m_type> dot(const M<M<m_type>>& a, const M<M<m_type>>& b);
M<m_type> cross(const M<M<m_type>>& a, const M<m_type>& b);
M<m_type> cross(const M<m_type>& a, const M<M<m_type>>& b);
M<m_type> cross(const M<M<m_type>>& a, const M<M<m_type>>& b);

// --- timers -----------------------------------------------------------------------
namespace grl {
// The value of toc: seconds since tic. Used as a value it converts; left unused (a bare
// `toc` statement) it prints "Elapsed time is N seconds." when the statement ends.
struct toc_value {
  double secs;
  mutable bool used = false;
  explicit toc_value(double s) : secs(s) {}
  toc_value(const toc_value&) = delete;
  operator M<m_type>() const { used = true; return M<m_type>(m_type(secs)); }
  ~toc_value();
};
// The value of tic: the timer's identifier, printed by nobody (a bare `tic` shows nothing).
struct tic_value {
  double id;
  explicit tic_value(double v) : id(v) {}
  operator M<m_type>() const { return M<m_type>(m_type(id)); }
};
}  // namespace grl
grl::tic_value tic();
grl::toc_value toc();
grl::toc_value toc(const M<m_type>& id);
M<m_type> clock_M();                          // [year month day hour minute seconds]

// The display statement prints nothing for a bare tic or toc (toc prints by itself).
#ifdef GRL_DISPLAY_STREAM_DEFINED
inline grl::display_stream& operator<<(grl::display_stream& s, const grl::tic_value&) { return s; }
inline grl::display_stream& operator<<(grl::display_stream& s, const grl::toc_value&) { return s; }
#endif

#endif
