// Library functions that translated programs reach through this header rather than
// gridlib.h: more special matrices and shifts, angles in degrees, moving-window
// statistics, scaling of data, reinterpreting bytes, checking a function's inputs, and
// the state list of warnings. The translator includes it after gridlib.h.
#ifndef GRIDLIB_EXTRA_H
#define GRIDLIB_EXTRA_H

#include <vector>

#include "gridlib.h"

// --- special matrices and half-length shifts -------------------------------------------
// vander(c [, n]): the Vandermonde matrix, column j = c(:).^(n-j) (n = numel(c)).
M<m_type> vander(const M<m_type>& c);
M<m_type> vander(const M<m_type>& c, const M<m_type>& n);
// hankel(c [, r]): constant along each anti-diagonal, first column c and last row r
// (c's last element wins over r's first); zeros below the anti-diagonal of hankel(c).
M<m_type> hankel(const M<m_type>& c);
M<m_type> hankel(const M<m_type>& c, const M<m_type>& r);
// pascal(n [, k]): the Pascal matrix (k 0), its lower Cholesky factor with alternating
// signs (k 1, its own inverse) or a cube root of the identity (k 2).
M<m_type> pascal(const M<m_type>& n);
M<m_type> pascal(const M<m_type>& n, const M<m_type>& k);
// compan(c): the companion matrix of the polynomial with coefficients c.
M<m_type> compan(const M<m_type>& c);
// fftshift(x [, dim]) moves the zero-frequency element to the middle (every dimension,
// or dim only); ifftshift undoes it (the two differ for odd extents).
M<m_type> fftshift(const M<m_type>& x);
M<m_type> fftshift(const M<m_type>& x, const M<m_type>& dim);
M<m_type> ifftshift(const M<m_type>& x);
M<m_type> ifftshift(const M<m_type>& x, const M<m_type>& dim);

// --- angles in degrees -----------------------------------------------------------------
// deg2rad and rad2deg of single or double values (other classes are an error); sind,
// cosd and tand are exact at multiples of 90 degrees; asind, acosd and atand give
// degrees, atan2d(y, x) the four-quadrant angle in degrees.
M<m_type> deg2rad(const M<m_type>& x);
M<m_type> rad2deg(const M<m_type>& x);
M<m_type> sind(const M<m_type>& x);
M<m_type> cosd(const M<m_type>& x);
M<m_type> tand(const M<m_type>& x);
M<m_type> asind(const M<m_type>& x);
M<m_type> acosd(const M<m_type>& x);
M<m_type> atand(const M<m_type>& x);
M<m_type> atan2d(const M<m_type>& y, const M<m_type>& x);

// --- inverse error functions and two-dimensional transforms ------------------------------
// erfinv(y) on [-1, 1] and erfcinv(y) on [0, 2] (NaN outside) of double or single values.
M<m_type> erfinv(const M<m_type>& x);
M<m_type> erfcinv(const M<m_type>& x);
// fft2(x [, m, n]) and ifft2: the transform of the columns, then of the rows.
M<m_type> fft2(const M<m_type>& x);
M<m_type> fft2(const M<m_type>& x, const M<m_type>& m, const M<m_type>& n);
M<m_type> ifft2(const M<m_type>& x);
M<m_type> ifft2(const M<m_type>& x, const M<m_type>& m, const M<m_type>& n);

// --- moving-window statistics -------------------------------------------------------
// movmean(x, k [, dim] [, nanflag] [, 'Endpoints', e]) and movsum, movmax, movmin,
// movmedian, movprod; movstd and movvar take a weight (0 or 1) after k. k is the window
// length (centred; an even one takes one more element before) or [before after];
// nanflag 'includenan' (default) or 'omitnan'; e 'shrink' (default), 'discard', 'fill'
// or a number.
namespace grl {
M<m_type> moving(const char* name, const std::vector<M<m_type>>& args);
M<m_type> normalize_args(const std::vector<M<m_type>>& args);
M<m_type> rescale_args(const std::vector<M<m_type>>& args);
}  // namespace grl
template <class... A> inline M<m_type> movmean(const M<m_type>& x, const A&... a) {
  return grl::moving("movmean", grl::arg_list<m_type>(x, a...));
}
template <class... A> inline M<m_type> movsum(const M<m_type>& x, const A&... a) {
  return grl::moving("movsum", grl::arg_list<m_type>(x, a...));
}
template <class... A> inline M<m_type> movmax(const M<m_type>& x, const A&... a) {
  return grl::moving("movmax", grl::arg_list<m_type>(x, a...));
}
template <class... A> inline M<m_type> movmin(const M<m_type>& x, const A&... a) {
  return grl::moving("movmin", grl::arg_list<m_type>(x, a...));
}
template <class... A> inline M<m_type> movmedian(const M<m_type>& x, const A&... a) {
  return grl::moving("movmedian", grl::arg_list<m_type>(x, a...));
}
template <class... A> inline M<m_type> movprod(const M<m_type>& x, const A&... a) {
  return grl::moving("movprod", grl::arg_list<m_type>(x, a...));
}
template <class... A> inline M<m_type> movstd(const M<m_type>& x, const A&... a) {
  return grl::moving("movstd", grl::arg_list<m_type>(x, a...));
}
template <class... A> inline M<m_type> movvar(const M<m_type>& x, const A&... a) {
  return grl::moving("movvar", grl::arg_list<m_type>(x, a...));
}
// --- scaling data ----------------------------------------------------------------------
// normalize(x [, dim] [, method [, type]]): 'zscore' ('std' default, or 'robust'),
// 'range' ([0 1] default, or [a b]), 'center' ('mean', 'median' or a number), 'scale'
// ('std', 'mad', 'first' or a number) and 'norm' (p, default 2), along the first
// dimension that is not 1 or along dim.
template <class... A> inline M<m_type> normalize(const M<m_type>& x, const A&... a) {
  return grl::normalize_args(grl::arg_list<m_type>(x, a...));
}
// rescale(x [, l, u] [, 'InputMin', m] [, 'InputMax', M]): x mapped linearly onto [l, u]
// (default [0, 1]) from [min(x(:)), max(x(:))] or the bounds given.
template <class... A> inline M<m_type> rescale(const M<m_type>& x, const A&... a) {
  return grl::rescale_args(grl::arg_list<m_type>(x, a...));
}
// zscore(x [, flag [, dim]]): (x - mean) ./ std along dim (flag 1 divides by n); a
// constant column gives zeros. [z, mu, sigma] also give the means and deviations.
M<m_type> zscore(const M<m_type>& x);
M<m_type> zscore(const M<m_type>& x, const M<m_type>& flag);
M<m_type> zscore(const M<m_type>& x, const M<m_type>& flag, const M<m_type>& dim);
void zscore(const M<m_type>& x, i_o_t, Mr<m_type> z, Mr<m_type> mu = junkM, Mr<m_type> sigma = junkM);
void zscore(const M<m_type>& x, const M<m_type>& flag, i_o_t, Mr<m_type> z, Mr<m_type> mu = junkM,
            Mr<m_type> sigma = junkM);
void zscore(const M<m_type>& x, const M<m_type>& flag, const M<m_type>& dim, i_o_t, Mr<m_type> z,
            Mr<m_type> mu = junkM, Mr<m_type> sigma = junkM);
// rms(x [, dim]): the root mean square (dim may be 'all').
M<m_type> rms(const M<m_type>& x);
M<m_type> rms(const M<m_type>& x, const M<m_type>& dim);
// [s, l] = bounds(x [, dim]): the smallest and the largest elements.
M<m_type> bounds(const M<m_type>& x);
M<m_type> bounds(const M<m_type>& x, const M<m_type>& dim);
void bounds(const M<m_type>& x, i_o_t, Mr<m_type> s, Mr<m_type> l = junkM);
void bounds(const M<m_type>& x, const M<m_type>& dim, i_o_t, Mr<m_type> s, Mr<m_type> l = junkM);
// vecnorm(a [, p [, dim]]): the p-norm (default 2, Inf allowed) of each column or along dim.
M<m_type> vecnorm(const M<m_type>& a);
M<m_type> vecnorm(const M<m_type>& a, const M<m_type>& p);
M<m_type> vecnorm(const M<m_type>& a, const M<m_type>& p, const M<m_type>& dim);

// --- bytes ---------------------------------------------------------------------------
// typecast(x, 'class'): the bytes of numeric x (in this machine's order) read as
// elements of another numeric class; the count of bytes must fit whole elements.
M<m_type> typecast(const M<m_type>& x, const M<m_type>& cls);
// swapbytes(x): each element with its bytes in reverse order.
M<m_type> swapbytes(const M<m_type>& x);

// --- checking inputs -------------------------------------------------------------------
// validateattributes(a, classes, attributes [, funcname [, varname [, argindex]]]):
// an error naming the input when a is not of one of the classes (a cell of names, or
// 'numeric', 'float', 'integer'; an empty cell allows any) or fails an attribute
// ('positive', 'nonempty', 'scalar', 'vector', 'integer', 'size', {'>', 5}, ...).
namespace grl {
void validate_attributes(const std::vector<M<m_type>>& args);
}
template <class... A> inline grl::quiet validateattributes(const M<m_type>& a, const A&... more) {
  grl::validate_attributes(grl::arg_list<m_type>(a, more...));
  return grl::quiet();
}

// --- warnings --------------------------------------------------------------------------
// warning() and s = warning: the state of every warning, a structure array (identifier,
// state) whose first element is "all"; the statement `warning` alone prints the states
// (the translator writes it as grl::show_warning_states()), and so does the statement
// warning('query'); the statement warning('query', id) prints the state of id.
grl::quiet warning();
namespace grl {
void show_warning_states();
void show_warning_state(const M<m_type>& id);
// (octave-cli ignores inputs after the identifier.)
template <class A1, class... A> inline void show_warning_state(const M<m_type>& id, const A1&, const A&...) {
  show_warning_state(id);
}
}

// --- text of disp ----------------------------------------------------------------------
// s = disp(x): the text disp would write (a row, its lines ended by line feeds); the
// translator writes such a call as disp_output.
M<m_type> disp_output(const M<m_type>& x);
M<m_type> disp_output(const M<M<m_type>>& x);

// --- characters ------------------------------------------------------------------------
// newline: the line feed character, char(10).
M<m_type> newline();

// --- the search path -------------------------------------------------------------------
// A compiled program holds every function it calls, so its path only records folders:
// addpath(d, ...) and rmpath(d, ...) give the path as it was (folders joined by
// pathsep), genpath(d) is d and every folder below it but private, @class and +package
// folders, joined by pathsep.
namespace grl {
M<m_type> change_path(bool add, const std::vector<M<m_type>>& args);
}
template <class... A> inline M<m_type> addpath(const M<m_type>& d, const A&... more) {
  return grl::change_path(true, grl::arg_list<m_type>(d, more...));
}
template <class... A> inline M<m_type> rmpath(const M<m_type>& d, const A&... more) {
  return grl::change_path(false, grl::arg_list<m_type>(d, more...));
}
M<m_type> genpath(const M<m_type>& dir);

// --- rounding to digits ------------------------------------------------------------------
// round(x, n): to n digits after the decimal point (before it when n < 0);
// round(x, n, 'significant'): to n significant digits ('decimals' is the default).
M<m_type> round_M(const M<m_type>& x, const M<m_type>& n);
M<m_type> round_M(const M<m_type>& x, const M<m_type>& n, const M<m_type>& type);

// --- anonymous functions of any number of inputs -----------------------------------------
// @(a, varargin) body: the handle takes any number of inputs; the first N fill its
// named inputs (empty when the call gives fewer) and the others make varargin's cell.
namespace grl {
M<M<m_type>> rest_inputs(const M<M<m_type>>& args, std::size_t named);
template <class F, std::size_t... I>
M<m_type> anon_apply_rest(const F& f, const M<M<m_type>>& args, std::index_sequence<I...>) {
  return f(anon_arg(args, I)..., rest_inputs(args, sizeof...(I)));
}
template <std::size_t N, class F> M<m_type> anon_rest(const char* text, F f) {
  auto c = std::make_shared<closure>();
  c->n_in = std::size_t(1) << 40;   // any number: no caller passes that many
  c->call = [f](const M<M<m_type>>& args) { return anon_apply_rest(f, args, std::make_index_sequence<N>{}); };
  return anon_handle(text, std::move(c));
}
}  // namespace grl

// --- more functions of data, signals, matrices, dates and text ------------------------
// Each takes its inputs (and, after i_o, its outputs) as a list; the *_run functions
// check them and give the first output's value.
namespace grl {
M<m_type> mink_run(const deal_t& d);        // [B, I] = mink(A, k [, dim]): the k smallest
M<m_type> maxk_run(const deal_t& d);        // [B, I] = maxk(A, k [, dim]): the k largest
M<m_type> iqr_run(const deal_t& d);         // iqr(x [, dim]): interquartile range, NaN left out
M<m_type> mad_run(const deal_t& d);         // mad(x [, opt [, dim]]): mean (0) or median (1) deviation
M<m_type> discretize_run(const deal_t& d);  // [Y, E] = discretize(x, edges [, values] [, 'IncludedEdge', e])
M<m_type> detrend_run(const deal_t& d);     // detrend(x [, p]): x less its polynomial fit of order p
M<m_type> hamming_run(const deal_t& d);     // hamming(n [, 'symmetric' | 'periodic'])
M<m_type> hanning_run(const deal_t& d);     // hanning(n [, 'symmetric' | 'periodic'])
M<m_type> xcorr_run(const deal_t& d);       // [r, lags] = xcorr(x [, y] [, maxlag] [, scale])
M<m_type> linsolve_run(const deal_t& d);    // linsolve(A, b [, opts]): A\b (opts.TRANSA: A'\b)
M<m_type> blkdiag_run(const deal_t& d);     // blkdiag(A, B, ...): the blocks along the diagonal
M<m_type> weekday_run(const deal_t& d);     // [N, S] = weekday(d [, 'long']): 1 is Sunday
M<m_type> isstrprop_run(const deal_t& d);   // isstrprop(s, type): which characters are of type
M<m_type> strip_run(const deal_t& d);       // strip(s [, side [, char]]): blanks off the ends
M<m_type> erase_run(const deal_t& d);       // erase(s, pat): every occurrence of pat removed
M<m_type> replace_run(const deal_t& d);     // replace(s, old, new): every occurrence replaced
M<m_type> split_run(const deal_t& d);       // split(s [, delim]): the pieces, a column cell
M<m_type> join_run(const deal_t& d);        // join(c [, delim]): the elements of c in one text
M<m_type> count_run(const deal_t& d);       // count(s, pat): how often pat occurs
M<m_type> pad_run(const deal_t& d);         // pad(s [, n] [, side] [, char]): blanks to length n
M<m_type> extract_before_run(const deal_t& d);  // extractBefore(s, pat | pos)
M<m_type> extract_after_run(const deal_t& d);   // extractAfter(s, pat | pos)
}  // namespace grl
#define GRL_LIST_FUNCTION(name, run)                  \
  template <class... A> inline M<m_type> name(A&&... a) { \
    grl::deal_t d;                                    \
    (grl::deal_put(d, a), ...);                       \
    return grl::run(d);                               \
  }
GRL_LIST_FUNCTION(mink, mink_run)
GRL_LIST_FUNCTION(maxk, maxk_run)
GRL_LIST_FUNCTION(iqr, iqr_run)
GRL_LIST_FUNCTION(mad, mad_run)
GRL_LIST_FUNCTION(discretize, discretize_run)
GRL_LIST_FUNCTION(detrend, detrend_run)
GRL_LIST_FUNCTION(hamming, hamming_run)
GRL_LIST_FUNCTION(hanning, hanning_run)
GRL_LIST_FUNCTION(xcorr, xcorr_run)
GRL_LIST_FUNCTION(linsolve, linsolve_run)
GRL_LIST_FUNCTION(blkdiag, blkdiag_run)
GRL_LIST_FUNCTION(weekday, weekday_run)
GRL_LIST_FUNCTION(isstrprop, isstrprop_run)
GRL_LIST_FUNCTION(strip, strip_run)
GRL_LIST_FUNCTION(erase, erase_run)
GRL_LIST_FUNCTION(replace, replace_run)
GRL_LIST_FUNCTION(split, split_run)
GRL_LIST_FUNCTION(join, join_run)
GRL_LIST_FUNCTION(count, count_run)
GRL_LIST_FUNCTION(pad, pad_run)
GRL_LIST_FUNCTION(extractBefore, extract_before_run)
GRL_LIST_FUNCTION(extractAfter, extract_after_run)
#undef GRL_LIST_FUNCTION
// gammaln(x): log(gamma(x)), complex (imaginary part pi) where gamma(x) < 0;
// beta(a, b) = gamma(a) gamma(b) / gamma(a + b) through gammaln.
M<m_type> gammaln(const M<m_type>& x);
M<m_type> beta(const M<m_type>& a, const M<m_type>& b);
// now: the date number of this moment (days; fractions are the time of day).
M<m_type> now();

// structfun(f, s [, 'UniformOutput', false] [, 'ErrorHandler', h]): f applied to each
// field of the structure s, as cellfun applies it to a column of the field values; the
// results are a column, or (UniformOutput false) a structure with s's field names.
namespace grl {
M<m_type> structfun_run(const deal_t& d);
}
template <class... A> inline M<m_type> structfun(A&&... a) {
  grl::deal_t d;
  (grl::deal_put(d, a), ...);
  M<m_type> r = grl::structfun_run(d);
  grl::finish_cell_outputs(d, "structfun");
  return r;
}

// --- piecewise polynomials ---------------------------------------------------------------
// mkpp(breaks, coefs [, d]): the structure form 'pp', breaks, coefs (pieces * d rows, the
// highest power first, in powers of x - breaks(i)), pieces, order, dim;
// [breaks, coefs, pieces, order, dim] = unmkpp(pp); ppval(pp, xi) evaluates it (the
// first and last pieces reach beyond the ends); spline(x, y) and pchip(x, y) give the
// cubics as such a structure (y a vector, or a matrix with a row per component).
M<m_type> mkpp(const M<m_type>& breaks, const M<m_type>& coefs);
M<m_type> mkpp(const M<m_type>& breaks, const M<m_type>& coefs, const M<m_type>& d);
M<m_type> ppval(const M<m_type>& pp, const M<m_type>& xi);
M<m_type> spline(const M<m_type>& x, const M<m_type>& y);
M<m_type> pchip(const M<m_type>& x, const M<m_type>& y);
namespace grl {
M<m_type> unmkpp_run(const deal_t& d);
}
template <class... A> inline M<m_type> unmkpp(A&&... a) {
  grl::deal_t d;
  (grl::deal_put(d, a), ...);
  return grl::unmkpp_run(d);
}

// --- inputParser -----------------------------------------------------------------------
// p = inputParser: a description of a function's inputs, shared by every copy (a
// handle). addRequired(p, name [, validator]), addOptional(p, name, default
// [, validator]), addParameter(p, name, default [, validator]) (or addParamValue),
// addSwitch(p, name), then parse(p, args...) fills p.Results, p.Unmatched (with
// p.KeepUnmatched true) and p.UsingDefaults. A validator is a function handle that
// gives false or raises an error for a bad value. The methods also work in the form
// p.addRequired(...), through grl::object_method.
M<m_type> inputParser();
namespace grl {
M<m_type> parser_call(const char* method, const std::vector<M<m_type>>& args);
// Whether x holds a library object (containers.Map or inputParser), and x.name(args):
// the object's method, or for other values the field name called or indexed.
bool is_object(const M<m_type>& x);
M<m_type> object_method(const M<m_type>& x, const char* name, const std::vector<M<m_type>>& args);
}  // namespace grl
#define GRL_PARSER_METHOD(name)                                                 \
  template <class... A> inline grl::quiet name(const M<m_type>& p, const A&... a) { \
    grl::parser_call(#name, grl::arg_list<m_type>(p, a...));                    \
    return grl::quiet();                                                        \
  }
GRL_PARSER_METHOD(addRequired)
GRL_PARSER_METHOD(addOptional)
GRL_PARSER_METHOD(addParameter)
GRL_PARSER_METHOD(addParamValue)
GRL_PARSER_METHOD(addSwitch)
GRL_PARSER_METHOD(parse)
#undef GRL_PARSER_METHOD

// --- dates as text -------------------------------------------------------------------------
// datevec(text, format) and [y, m, d, h, mi, s] = datevec(d [, format]) (one column each);
// datenum, datevec, datestr and weekday also read text dates (a char row, rows or a
// cell of them) by the standard formats ('dd-mmm-yyyy HH:MM:SS', 'yyyy-mm-dd', ...).
M<m_type> datevec(const M<m_type>& text, const M<m_type>& format);
M<m_type> datenum(const M<M<m_type>>& texts);
M<m_type> datenum(const M<M<m_type>>& texts, const M<m_type>& format);
M<m_type> datevec(const M<M<m_type>>& texts);
M<m_type> datevec(const M<M<m_type>>& texts, const M<m_type>& format);
void datevec(const M<m_type>& d, i_o_t, Mr<m_type> y, Mr<m_type> m = junkM, Mr<m_type> dd = junkM,
             Mr<m_type> h = junkM, Mr<m_type> mi = junkM, Mr<m_type> s = junkM);
void datevec(const M<m_type>& d, const M<m_type>& f, i_o_t, Mr<m_type> y, Mr<m_type> m = junkM,
             Mr<m_type> dd = junkM, Mr<m_type> h = junkM, Mr<m_type> mi = junkM, Mr<m_type> s = junkM);

// poly(r): the coefficients of the polynomial whose roots are r's elements (real when
// they come in conjugate pairs); poly(A) of a square matrix: its characteristic
// polynomial.
M<m_type> poly(const M<m_type>& x);

// [nn, xx] = hist(y [, nbins | centres [, norm]]): the counts of y's values in bins
// around the centres xx (10 even bins over y's finite range by default); a matrix
// counts each column; norm scales each column's counts to sum to it.
namespace grl {
M<m_type> hist_run(const deal_t& d);
}
template <class... A> inline M<m_type> hist(A&&... a) {
  grl::deal_t d;
  (grl::deal_put(d, a), ...);
  return grl::hist_run(d);
}

// [r, p] = corrcoef(x [, y]): p(i, j) the two-sided probability of a correlation as large
// as r(i, j) when there is none (1 on the diagonal).
void corrcoef(const M<m_type>& x, i_o_t, Mr<m_type> r, Mr<m_type> p = junkM);
void corrcoef(const M<m_type>& x, const M<m_type>& y, i_o_t, Mr<m_type> r, Mr<m_type> p = junkM);

// --- a variable of any class given to a function of the program -----------------------
namespace grl {
// It becomes the form the function's input has: the value itself, or the cell it holds
// (a value that holds no cell, given where a cell is taken, fails as braces on it do).
template <class T> struct any_arg_t {
  const M<T>& v;
  operator const M<T>&() const { return v; }
  operator M<M<T>>() const { return held_for_list(v); }
};
template <class T> inline any_arg_t<T> any_arg(const M<T>& v) { return {v}; }
}  // namespace grl

#endif
