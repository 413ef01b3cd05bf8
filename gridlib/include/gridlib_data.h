// Data work beyond the basic reductions: random integers and permutations,
// combinatorics and prime factors, covariance, correlation and quantiles, grids,
// two-dimensional convolution, accumulation by subscripts, expansion with a named
// function, number bases and matrix square roots and logarithms.
#ifndef GRIDLIB_DATA_H
#define GRIDLIB_DATA_H

#include "gridlib_matrix.h"

// --- random integers and permutations ---------------------------------------------------
// randperm(n [, k]): a random permutation of 1..n (its first k elements).
M<m_type> randperm(const M<m_type>& n);
M<m_type> randperm(const M<m_type>& n, const M<m_type>& k);
// randi(imax | [imin imax] [, n | r, c | [r c]]): random integers, uniform on the range.
M<m_type> randi(const M<m_type>& range);
M<m_type> randi(const M<m_type>& range, const M<m_type>& n);
M<m_type> randi(const M<m_type>& range, const M<m_type>& r, const M<m_type>& c);

// --- combinatorics and primes -------------------------------------------------------------
// perms(v): every ordering of v's elements, one per row, in reverse lexicographic order
// of positions.
M<m_type> perms(const M<m_type>& v);
// factor(q): the prime factors of q in ascending order; [p, n]: each prime once and
// its multiplicity.
M<m_type> factor(const M<m_type>& q);
void factor(const M<m_type>& q, i_o_t, Mr<m_type> p, Mr<m_type> n = junkM);

// --- statistics -----------------------------------------------------------------------------
// cov(x [, opt]), cov(x, y [, opt]): the covariance matrix of the columns of x (of the
// two variables x(:) and y(:)); opt 1 divides by n instead of n-1.
M<m_type> cov(const M<m_type>& x);
M<m_type> cov(const M<m_type>& x, const M<m_type>& y);
M<m_type> cov(const M<m_type>& x, const M<m_type>& y, const M<m_type>& opt);
// corrcoef(x), corrcoef(x, y): the correlation coefficients.
M<m_type> corrcoef(const M<m_type>& x);
M<m_type> corrcoef(const M<m_type>& x, const M<m_type>& y);
// quantile(x [, p [, dim]]) and prctile(x [, p [, dim]]) (p in percent): the empirical
// quantiles, linear between the points (k - 0.5)/n.
M<m_type> quantile(const M<m_type>& x);
M<m_type> quantile(const M<m_type>& x, const M<m_type>& p);
M<m_type> quantile(const M<m_type>& x, const M<m_type>& p, const M<m_type>& dim);
M<m_type> prctile(const M<m_type>& x);
M<m_type> prctile(const M<m_type>& x, const M<m_type>& p);
M<m_type> prctile(const M<m_type>& x, const M<m_type>& p, const M<m_type>& dim);

// --- grids and convolution ----------------------------------------------------------------
// [X1, X2] = ndgrid(x1, x2): x1 down the rows, x2 along the columns; [X1, X2] =
// ndgrid(x) is ndgrid(x, x), and X = ndgrid(x) is x as a column.
M<m_type> ndgrid(const M<m_type>& x1);
M<m_type> ndgrid(const M<m_type>& x1, const M<m_type>& x2);
// [X1, X2, X3] = ndgrid(x1, x2, x3) (or ndgrid(x) for all three): three-dimensional grids.
void ndgrid(const M<m_type>& x1, i_o_t, Mr<m_type> a, Mr<m_type> b = junkM, Mr<m_type> c = junkM);
void ndgrid(const M<m_type>& x1, const M<m_type>& x2, i_o_t, Mr<m_type> a, Mr<m_type> b = junkM);
M<m_type> ndgrid(const M<m_type>& x1, const M<m_type>& x2, const M<m_type>& x3);
void ndgrid(const M<m_type>& x1, const M<m_type>& x2, const M<m_type>& x3, i_o_t, Mr<m_type> a,
            Mr<m_type> b = junkM, Mr<m_type> c = junkM);
// [X, Y, Z] = meshgrid(x, y, z): x along the columns, y down the rows, z along the pages;
// [X, Y, Z] = meshgrid(x) is meshgrid(x, x, x).
void meshgrid(const M<m_type>& x, i_o_t, Mr<m_type> a, Mr<m_type> b, Mr<m_type> c);
M<m_type> meshgrid(const M<m_type>& x, const M<m_type>& y, const M<m_type>& z);
void meshgrid(const M<m_type>& x, const M<m_type>& y, const M<m_type>& z, i_o_t, Mr<m_type> a,
              Mr<m_type> b = junkM, Mr<m_type> c = junkM);
// gradient(f [, h | hx, hy [, hz]]): the differences of f along x (the columns), y (the
// rows) and z (the pages), central inside and one-sided at the ends. A spacing is a
// scalar step or a vector of coordinates; one spacing serves every direction.
M<m_type> gradient(const M<m_type>& f);
M<m_type> gradient(const M<m_type>& f, const M<m_type>& h);
M<m_type> gradient(const M<m_type>& f, const M<m_type>& hx, const M<m_type>& hy);
M<m_type> gradient(const M<m_type>& f, const M<m_type>& hx, const M<m_type>& hy, const M<m_type>& hz);
void gradient(const M<m_type>& f, i_o_t, Mr<m_type> a, Mr<m_type> b = junkM, Mr<m_type> c = junkM);
void gradient(const M<m_type>& f, const M<m_type>& h, i_o_t, Mr<m_type> a, Mr<m_type> b = junkM,
              Mr<m_type> c = junkM);
void gradient(const M<m_type>& f, const M<m_type>& hx, const M<m_type>& hy, i_o_t, Mr<m_type> a,
              Mr<m_type> b = junkM, Mr<m_type> c = junkM);
void gradient(const M<m_type>& f, const M<m_type>& hx, const M<m_type>& hy, const M<m_type>& hz, i_o_t,
              Mr<m_type> a, Mr<m_type> b = junkM, Mr<m_type> c = junkM);
// del2(f [, h | hx, hy [, hz]]): the discrete Laplacian over 2N (N the dimensions of f
// that are not single), second differences extended linearly to the edges.
M<m_type> del2(const M<m_type>& f);
M<m_type> del2(const M<m_type>& f, const M<m_type>& h);
M<m_type> del2(const M<m_type>& f, const M<m_type>& hx, const M<m_type>& hy);
M<m_type> del2(const M<m_type>& f, const M<m_type>& hx, const M<m_type>& hy, const M<m_type>& hz);
// conv2(a, b [, shape]) and conv2(v1, v2, a [, shape]): shape 'full', 'same' or 'valid'.
M<m_type> conv2(const M<m_type>& a, const M<m_type>& b);
M<m_type> conv2(const M<m_type>& a, const M<m_type>& b, const M<m_type>& c);
M<m_type> conv2(const M<m_type>& v1, const M<m_type>& v2, const M<m_type>& a, const M<m_type>& shape);
// filter2(b, x [, shape]): correlation of x with b, 'same' by default.
M<m_type> filter2(const M<m_type>& b, const M<m_type>& x, const M<m_type>& shape = M<m_type>());

// --- accumulation and expansion -------------------------------------------------------------
// accumarray(subs, vals [, sz [, fn [, fill]]]): vals summed (or reduced by the function
// fn, any handle) into the positions subs gives (a column of positions, or a row of N
// subscripts per value); positions no subscript names hold fill. fn returning 1 x 1
// cells makes a cell array.
M<m_type> accumarray(const M<m_type>& subs, const M<m_type>& vals);
M<m_type> accumarray(const M<m_type>& subs, const M<m_type>& vals, const M<m_type>& sz);
M<m_type> accumarray(const M<m_type>& subs, const M<m_type>& vals, const M<m_type>& sz,
                     const M<m_type>& fn);
M<m_type> accumarray(const M<m_type>& subs, const M<m_type>& vals, const M<m_type>& sz,
                     const M<m_type>& fn, const M<m_type>& fill);
// accumarray({i, j, ...}, vals, ...): the subscripts as a cell literal of index vectors.
template <class... A> inline M<m_type> accumarray(const cl_t<m_type>& subs, const A&... a) {
  return accumarray(M<m_type>::of_cell(subs.value()), a...);
}
// bsxfun(f, a, b): f (a handle or the name of a function) of a and b with singleton
// dimensions expanded; the library's element-wise functions run directly, any other
// function is called once with both operands at their common size.
M<m_type> bsxfun(const M<m_type>& f, const M<m_type>& a, const M<m_type>& b);

// --- number bases -------------------------------------------------------------------------
// dec2base(d, base [, len]): base is 2..36 or a string of symbols.
M<m_type> dec2base(const M<m_type>& d, const M<m_type>& base);
M<m_type> dec2base(const M<m_type>& d, const M<m_type>& base, const M<m_type>& len);
M<m_type> base2dec(const M<m_type>& s, const M<m_type>& base);
M<m_type> base2dec(const M<M<m_type>>& s, const M<m_type>& base);

// validatestring(str, options [, funcname [, varname [, position]]]): the option that
// str starts (in any case); the shortest when it starts all the others that match.
M<m_type> validatestring(const M<m_type>& str, const M<M<m_type>>& opts);
M<m_type> validatestring(const M<m_type>& str, const M<M<m_type>>& opts, const M<m_type>& a);
M<m_type> validatestring(const M<m_type>& str, const M<M<m_type>>& opts, const M<m_type>& a, const M<m_type>& b);
M<m_type> validatestring(const M<m_type>& str, const M<M<m_type>>& opts, const M<m_type>& a, const M<m_type>& b,
                         const M<m_type>& c);
M<m_type> validatestring(const M<m_type>& str, const M<m_type>& opts);
M<m_type> validatestring(const M<m_type>& str, const M<m_type>& opts, const M<m_type>& a);
M<m_type> validatestring(const M<m_type>& str, const M<m_type>& opts, const M<m_type>& a, const M<m_type>& b);
M<m_type> validatestring(const M<m_type>& str, const M<m_type>& opts, const M<m_type>& a, const M<m_type>& b,
                         const M<m_type>& c);

// --- interpolation and fitting ---------------------------------------------------------------
// spline(x, y, xi): the not-a-knot cubic spline (clamped when y has two more values
// than x, the first and last being the end slopes); pchip(x, y, xi): the
// shape-preserving piecewise cubic. Both extrapolate.
M<m_type> spline(const M<m_type>& x, const M<m_type>& y, const M<m_type>& xi);
M<m_type> pchip(const M<m_type>& x, const M<m_type>& y, const M<m_type>& xi);
// [p, S, mu] = polyfit(x, y, n): S the structure of the fit (yf, X, R, C, df, normr),
// with mu the fit is of (x - mu(1)) / mu(2).
void polyfit(const M<m_type>& x, const M<m_type>& y, const M<m_type>& n, i_o_t, Mr<m_type> p);
void polyfit(const M<m_type>& x, const M<m_type>& y, const M<m_type>& n, i_o_t, Mr<m_type> p, Mr<m_type> S,
             Mr<m_type> mu = junkM);

// [y, delta] = polyval(p, x, S [, mu]): delta the standard error of each value from
// polyfit's structure S.
M<m_type> polyval(const M<m_type>& p, const M<m_type>& x, const M<m_type>& S,
                  const M<m_type>& mu = M<m_type>());
void polyval(const M<m_type>& p, const M<m_type>& x, i_o_t, Mr<m_type> y);
void polyval(const M<m_type>& p, const M<m_type>& x, const M<m_type>& S, i_o_t, Mr<m_type> y,
             Mr<m_type> delta = junkM);
void polyval(const M<m_type>& p, const M<m_type>& x, const M<m_type>& S, const M<m_type>& mu, i_o_t,
             Mr<m_type> y, Mr<m_type> delta = junkM);

// --- histograms ------------------------------------------------------------------------------
// [N, edges, bin] = histcounts(X [, nbins | edges] [, name, value ...]): counts of X's
// values in bins, every bin [e(k), e(k+1)) but the last, which holds its right edge too.
// Options 'BinWidth', 'BinLimits', 'Normalization', 'BinMethod', 'NumBins', 'BinEdges'.
namespace grl {
M<m_type> histcounts_run(const deal_t& d);
}
template <class... A> inline M<m_type> histcounts(A&&... a) {
  grl::deal_t d;
  (grl::deal_put(d, a), ...);
  return grl::histcounts_run(d);
}

// --- matrix functions ------------------------------------------------------------------------
// sqrtm(a) and logm(a) through the complex Schur form.
M<m_type> sqrtm(const M<m_type>& a);
M<m_type> logm(const M<m_type>& a);

// interp2(Z), interp2(Z, n), interp2(Z, XI, YI), interp2(X, Y, Z, XI, YI), each with an
// optional method ('linear', 'nearest') and then a value for points outside the grid.
M<m_type> interp2(const M<m_type>& a);
M<m_type> interp2(const M<m_type>& a, const M<m_type>& b);
M<m_type> interp2(const M<m_type>& a, const M<m_type>& b, const M<m_type>& c);
M<m_type> interp2(const M<m_type>& a, const M<m_type>& b, const M<m_type>& c, const M<m_type>& d);
M<m_type> interp2(const M<m_type>& a, const M<m_type>& b, const M<m_type>& c, const M<m_type>& d,
                  const M<m_type>& e);
M<m_type> interp2(const M<m_type>& a, const M<m_type>& b, const M<m_type>& c, const M<m_type>& d,
                  const M<m_type>& e, const M<m_type>& f);
M<m_type> interp2(const M<m_type>& a, const M<m_type>& b, const M<m_type>& c, const M<m_type>& d,
                  const M<m_type>& e, const M<m_type>& f, const M<m_type>& g);

// Dates: datenum of a date vector or of its parts (day numbers, 1 = 1-Jan-0000),
// datevec of day numbers (rows of year, month, day, hour, minute, second), datestr of
// day numbers or date vectors in a numbered (0..31) or written format.
M<m_type> datenum(const M<m_type>& v);
M<m_type> datenum(const M<m_type>& y, const M<m_type>& m);
M<m_type> datenum(const M<m_type>& y, const M<m_type>& m, const M<m_type>& d);
M<m_type> datenum(const M<m_type>& y, const M<m_type>& m, const M<m_type>& d, const M<m_type>& h);
M<m_type> datenum(const M<m_type>& y, const M<m_type>& m, const M<m_type>& d, const M<m_type>& h,
                  const M<m_type>& mi);
M<m_type> datenum(const M<m_type>& y, const M<m_type>& m, const M<m_type>& d, const M<m_type>& h,
                  const M<m_type>& mi, const M<m_type>& s);
M<m_type> datevec(const M<m_type>& n);
M<m_type> datestr(const M<m_type>& d);
M<m_type> datestr(const M<m_type>& d, const M<m_type>& format);

#endif
