// Strings and cells of strings: comparison, search and replacement, tokens, character
// classes, conversions between text, numbers and cells, and cellfun over cells.
//
// A function that MATLAB lets take either a string or a cell of strings has an overload
// for each: strcmp(c, 'x') compares every element of the cell and gives a logical array
// of the cell's shape; strrep(c, ...) gives a cell. Calls with a cell where MATLAB takes
// no cell compile and fail at run time with Octave's message.
#ifndef GRIDLIB_STRCELL_H
#define GRIDLIB_STRCELL_H

#include "gridlib_matrix.h"
#include "gridlib_core.h"

// --- numbers from text ---------------------------------------------------------------
// str2num(s): the value of a numeric matrix expression (numbers, constants, arithmetic,
// ranges, brackets); [] when s does not evaluate, and then [x, ok] gives ok = false.
M<m_type> str2num(const M<m_type>& s);
void str2num(const M<m_type>& s, i_o_t, Mr<m_type> x);
void str2num(const M<m_type>& s, i_o_t, Mr<m_type> x, Mr<m_type> ok);
M<m_type> str2num(const M<M<m_type>>& s);
// str2double(s): one number per string (a char row, each row of a char matrix, each
// element of a cell); NaN for text that is not a number and for non-text input.
M<m_type> str2double(const M<m_type>& s);
M<m_type> str2double(const M<M<m_type>>& c);
M<m_type> double_M(const M<M<m_type>>& c);    // double(x) of a number is in gridlib_str.h

// --- comparison: logical results ----------------------------------------------------------
M<m_type> strcmp(const M<m_type>& a, const M<m_type>& b);
M<m_type> strcmp(const M<M<m_type>>& a, const M<m_type>& b);
M<m_type> strcmp(const M<m_type>& a, const M<M<m_type>>& b);
M<m_type> strcmp(const M<M<m_type>>& a, const M<M<m_type>>& b);
M<m_type> strcmpi(const M<m_type>& a, const M<m_type>& b);
M<m_type> strcmpi(const M<M<m_type>>& a, const M<m_type>& b);
M<m_type> strcmpi(const M<m_type>& a, const M<M<m_type>>& b);
M<m_type> strcmpi(const M<M<m_type>>& a, const M<M<m_type>>& b);
M<m_type> strncmp(const M<m_type>& a, const M<m_type>& b, const M<m_type>& n);
M<m_type> strncmp(const M<M<m_type>>& a, const M<m_type>& b, const M<m_type>& n);
M<m_type> strncmp(const M<m_type>& a, const M<M<m_type>>& b, const M<m_type>& n);
M<m_type> strncmp(const M<M<m_type>>& a, const M<M<m_type>>& b, const M<m_type>& n);
M<m_type> strncmpi(const M<m_type>& a, const M<m_type>& b, const M<m_type>& n);
M<m_type> strncmpi(const M<M<m_type>>& a, const M<m_type>& b, const M<m_type>& n);
M<m_type> strncmpi(const M<m_type>& a, const M<M<m_type>>& b, const M<m_type>& n);
M<m_type> strncmpi(const M<M<m_type>>& a, const M<M<m_type>>& b, const M<m_type>& n);

// startsWith(s, p), endsWith(s, p), each also with 'IgnoreCase', tf: true where a string
// of s (a char row, or each element of a cell) begins (ends) with p or with any string of
// a cell p; one logical per string of s. An empty pattern matches every string.
M<m_type> startsWith(const M<m_type>& s, const M<m_type>& p);
M<m_type> startsWith(const M<m_type>& s, const M<m_type>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> startsWith(const M<m_type>& s, const M<M<m_type>>& p);
M<m_type> startsWith(const M<m_type>& s, const M<M<m_type>>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> startsWith(const M<M<m_type>>& s, const M<m_type>& p);
M<m_type> startsWith(const M<M<m_type>>& s, const M<m_type>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> startsWith(const M<M<m_type>>& s, const M<M<m_type>>& p);
M<m_type> startsWith(const M<M<m_type>>& s, const M<M<m_type>>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> endsWith(const M<m_type>& s, const M<m_type>& p);
M<m_type> endsWith(const M<m_type>& s, const M<m_type>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> endsWith(const M<m_type>& s, const M<M<m_type>>& p);
M<m_type> endsWith(const M<m_type>& s, const M<M<m_type>>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> endsWith(const M<M<m_type>>& s, const M<m_type>& p);
M<m_type> endsWith(const M<M<m_type>>& s, const M<m_type>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> endsWith(const M<M<m_type>>& s, const M<M<m_type>>& p);
M<m_type> endsWith(const M<M<m_type>>& s, const M<M<m_type>>& p, const M<m_type>& name, const M<m_type>& value);
// contains(s, p) and contains(s, p, 'IgnoreCase', tf): true where a string of s holds p
// (or any string of a cell p) anywhere; same shapes and argument rules as startsWith.
M<m_type> contains(const M<m_type>& s, const M<m_type>& p);
M<m_type> contains(const M<m_type>& s, const M<m_type>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> contains(const M<m_type>& s, const M<M<m_type>>& p);
M<m_type> contains(const M<m_type>& s, const M<M<m_type>>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> contains(const M<M<m_type>>& s, const M<m_type>& p);
M<m_type> contains(const M<M<m_type>>& s, const M<m_type>& p, const M<m_type>& name, const M<m_type>& value);
M<m_type> contains(const M<M<m_type>>& s, const M<M<m_type>>& p);
M<m_type> contains(const M<M<m_type>>& s, const M<M<m_type>>& p, const M<m_type>& name, const M<m_type>& value);

// --- search and replacement -----------------------------------------------------------
// strrep(s, ptn, rep): every occurrence replaced, overlapping ones included.
M<m_type> strrep(const M<m_type>& s, const M<m_type>& ptn, const M<m_type>& rep);
M<M<m_type>> strrep(const M<M<m_type>>& s, const M<m_type>& ptn, const M<m_type>& rep);
// strfind(s, ptn): the start of every occurrence; a cell gives a cell of such rows.
M<m_type> strfind(const M<m_type>& s, const M<m_type>& ptn);
M<M<m_type>> strfind(const M<M<m_type>>& s, const M<m_type>& ptn);
// findstr(a, b): the shorter string searched in the longer; findstr(a, b, 0) without
// overlaps.
M<m_type> findstr(const M<m_type>& a, const M<m_type>& b);
M<m_type> findstr(const M<m_type>& a, const M<m_type>& b, const M<m_type>& overlap);
// [t, r] = strtok(s, delim): the first token after leading delimiters (white space
// by default) and the rest of s from the delimiter after it.
M<m_type> strtok(const M<m_type>& s);
M<m_type> strtok(const M<m_type>& s, const M<m_type>& delim);
void strtok(const M<m_type>& s, i_o_t, Mr<m_type> t);
void strtok(const M<m_type>& s, i_o_t, Mr<m_type> t, Mr<m_type> r);
void strtok(const M<m_type>& s, const M<m_type>& delim, i_o_t, Mr<m_type> t);
void strtok(const M<m_type>& s, const M<m_type>& delim, i_o_t, Mr<m_type> t, Mr<m_type> r);
M<M<m_type>> strtok(const M<M<m_type>>& s);
M<M<m_type>> strtok(const M<M<m_type>>& s, const M<m_type>& delim);
void strtok(const M<M<m_type>>& s, i_o_t, M<M<m_type>>& t);
void strtok(const M<M<m_type>>& s, i_o_t, M<M<m_type>>& t, M<M<m_type>>& r);
void strtok(const M<M<m_type>>& s, const M<m_type>& delim, i_o_t, M<M<m_type>>& t);
void strtok(const M<M<m_type>>& s, const M<m_type>& delim, i_o_t, M<M<m_type>>& t,
            M<M<m_type>>& r);

// strsplit(s), strsplit(s, del), strsplit(s, del, 'CollapseDelimiters', tf): a row cell
// of the pieces of s between delimiters (white space by default; del a string or a
// cell of them; runs of delimiters count as one unless told otherwise).
M<M<m_type>> strsplit(const M<m_type>& s);
M<M<m_type>> strsplit(const M<m_type>& s, const M<m_type>& del);
M<M<m_type>> strsplit(const M<m_type>& s, const M<M<m_type>>& del);
M<M<m_type>> strsplit(const M<m_type>& s, const M<m_type>& del, const M<m_type>& name,
                      const M<m_type>& value);
M<M<m_type>> strsplit(const M<m_type>& s, const M<M<m_type>>& del, const M<m_type>& name,
                      const M<m_type>& value);
// strjoin(c), strjoin(c, delimiter): the strings of c with the delimiter (a blank by
// default) between them.
M<m_type> strjoin(const M<M<m_type>>& c);
M<m_type> strjoin(const M<M<m_type>>& c, const M<m_type>& delimiter);
M<m_type> strjoin(const M<m_type>& c);
M<m_type> strjoin(const M<m_type>& c, const M<m_type>& delimiter);
// The result of cellfun or arrayfun (UniformOutput false) is joined as the cell it is.
inline M<m_type> strjoin(const grl::cell_or_array& c) { return strjoin(M<M<m_type>>(c)); }
inline M<m_type> strjoin(const grl::cell_or_array& c, const M<m_type>& delimiter) {
  return strjoin(M<M<m_type>>(c), delimiter);
}

// --- character classes: true where a char element is white space or a letter ----------
// (isspace is a C function: the translator writes isspace_M)
M<m_type> isspace_M(const M<m_type>& s);
M<m_type> isspace_M(const M<M<m_type>>& s);
M<m_type> isletter(const M<m_type>& s);
M<m_type> isletter(const M<M<m_type>>& s);
// ASCII digits and letters of either case (C functions too: isdigit_M, ...).
M<m_type> isdigit_M(const M<m_type>& s);
M<m_type> isdigit_M(const M<M<m_type>>& s);
M<m_type> isupper_M(const M<m_type>& s);
M<m_type> isupper_M(const M<M<m_type>>& s);
M<m_type> islower_M(const M<m_type>& s);
M<m_type> islower_M(const M<M<m_type>>& s);

// --- cells ------------------------------------------------------------------------
// num2cell(x): each element in a cell of its own; num2cell(x, dims): the slices along
// the listed dimensions.
M<M<m_type>> num2cell(const M<m_type>& x);
M<M<m_type>> num2cell(const M<m_type>& x, const M<m_type>& dims);
// cellstr(s): the rows of a char matrix without trailing blanks, as a column cell.
M<M<m_type>> cellstr(const M<m_type>& s);
M<M<m_type>> cellstr(const M<M<m_type>>& c);
M<m_type> iscellstr(const M<m_type>& x);
M<m_type> iscellstr(const M<M<m_type>>& c);
// str2func(name): the handle @name; func2str(h): the name of a handle as a char row.
M<m_type> str2func(const M<m_type>& name);
M<m_type> str2func(const M<M<m_type>>& c);
M<m_type> func2str(const M<m_type>& h);
M<m_type> func2str(const M<M<m_type>>& c);
// cell2mat(c): the elements joined into one matrix, each column of the cell first.
M<m_type> cell2mat(const M<m_type>& x);
M<m_type> cell2mat(const M<M<m_type>>& c);
// mat2cell(a, r) and mat2cell(a, r, c): a (numbers, text or a cell) cut into blocks of
// r(i) rows and c(j) columns (all columns when c is not given); the counts must add up
// to the size of a.
M<M<m_type>> mat2cell(const M<m_type>& a, const M<m_type>& r);
M<M<m_type>> mat2cell(const M<m_type>& a, const M<m_type>& r, const M<m_type>& c);
M<M<m_type>> mat2cell(const M<M<m_type>>& a, const M<m_type>& r);
M<M<m_type>> mat2cell(const M<M<m_type>>& a, const M<m_type>& r, const M<m_type>& c);

// --- sorting cells of strings -----------------------------------------------------------
// sort(c), sort(c, dim), sort(c, mode), sort(c, dim, mode); [s, k] = sort(...): strings
// by their character codes, equal ones in their order. sortrows(c), sortrows(c, 1|-1|
// 'ascend'|'descend') of a column of strings; [y, k]. unique(c, options...): options
// 'first', 'last', 'stable', 'sorted' ('rows' is ignored); [u, i, j], i and j columns.
// Elements that are no strings fail with Octave's message.
M<M<m_type>> sort(const M<M<m_type>>& x);
M<M<m_type>> sort(const M<M<m_type>>& x, const M<m_type>& a);
M<M<m_type>> sort(const M<M<m_type>>& x, const M<m_type>& dim, const M<m_type>& mode);
void sort(const M<M<m_type>>& x, i_o_t, M<M<m_type>>& s, Mr<m_type> k = junkM);
void sort(const M<M<m_type>>& x, const M<m_type>& a, i_o_t, M<M<m_type>>& s, Mr<m_type> k = junkM);
void sort(const M<M<m_type>>& x, const M<m_type>& dim, const M<m_type>& mode, i_o_t, M<M<m_type>>& s,
          Mr<m_type> k = junkM);
M<M<m_type>> sortrows(const M<M<m_type>>& x);
M<M<m_type>> sortrows(const M<M<m_type>>& x, const M<m_type>& c);
void sortrows(const M<M<m_type>>& x, i_o_t, M<M<m_type>>& y, Mr<m_type> k = junkM);
void sortrows(const M<M<m_type>>& x, const M<m_type>& c, i_o_t, M<M<m_type>>& y, Mr<m_type> k = junkM);
M<M<m_type>> unique(const M<M<m_type>>& x);
M<M<m_type>> unique(const M<M<m_type>>& x, const M<m_type>& o1);
M<M<m_type>> unique(const M<M<m_type>>& x, const M<m_type>& o1, const M<m_type>& o2);
void unique(const M<M<m_type>>& x, i_o_t, M<M<m_type>>& u, Mr<m_type> i = junkM, Mr<m_type> j = junkM);
void unique(const M<M<m_type>>& x, const M<m_type>& o1, i_o_t, M<M<m_type>>& u, Mr<m_type> i = junkM,
            Mr<m_type> j = junkM);
void unique(const M<M<m_type>>& x, const M<m_type>& o1, const M<m_type>& o2, i_o_t, M<M<m_type>>& u,
            Mr<m_type> i = junkM, Mr<m_type> j = junkM);

// --- cellfun -------------------------------------------------------------------------
namespace grl {
// The result of cellfun(..., 'UniformOutput', v): an array when v is true, a cell when
// it is false.
using cellfun_value = cell_or_array;
}  // namespace grl

// cellfun(name, c): name is one of the predicates and sizes cellfun has always known
// (isempty, islogical, isnumeric, isreal, ischar, iscell, length, ndims, numel,
// prodofsize) or a built-in of one argument whose result is a scalar per element;
// cellfun('size', c, k), cellfun('isclass', c, class).
M<m_type> cellfun(const M<m_type>& name, const M<M<m_type>>& c);
M<m_type> cellfun(const M<m_type>& name, const M<M<m_type>>& c, const M<m_type>& k);
grl::cellfun_value cellfun(const M<m_type>& name, const M<M<m_type>>& c, const M<m_type>& opt,
                           const M<m_type>& val);
// A matrix where the cell belongs fails with Octave's message.
M<m_type> cellfun(const M<m_type>& name, const M<m_type>& c);
M<m_type> cellfun(const M<m_type>& name, const M<m_type>& c, const M<m_type>& k);
M<m_type> cellfun(const M<m_type>& name, const M<m_type>& c, const M<m_type>& opt,
                  const M<m_type>& val);

// --- [] as an argument -------------------------------------------------------------
// The literal [] converts to a matrix and to a cell alike; these forms take it as the
// empty matrix, so a call with [] has one meaning.
#define GRL_NOP_1(R, F) \
  inline R F(nop_t) { return F(M<m_type>()); }
#define GRL_NOP_2(F)                                                                       \
  inline M<m_type> F(nop_t, const M<m_type>& b) { return F(M<m_type>(), b); }             \
  inline M<m_type> F(const M<m_type>& a, nop_t) { return F(a, M<m_type>()); }             \
  inline M<m_type> F(nop_t, const M<M<m_type>>& b) { return F(M<m_type>(), b); }          \
  inline M<m_type> F(const M<M<m_type>>& a, nop_t) { return F(a, M<m_type>()); }          \
  inline M<m_type> F(nop_t, nop_t) { return F(M<m_type>(), M<m_type>()); }
#define GRL_NOP_3(F)                                                                       \
  inline M<m_type> F(nop_t, const M<m_type>& b, const M<m_type>& n) { return F(M<m_type>(), b, n); }    \
  inline M<m_type> F(const M<m_type>& a, nop_t, const M<m_type>& n) { return F(a, M<m_type>(), n); }    \
  inline M<m_type> F(nop_t, const M<M<m_type>>& b, const M<m_type>& n) { return F(M<m_type>(), b, n); } \
  inline M<m_type> F(const M<M<m_type>>& a, nop_t, const M<m_type>& n) { return F(a, M<m_type>(), n); } \
  inline M<m_type> F(nop_t, nop_t, const M<m_type>& n) { return F(M<m_type>(), M<m_type>(), n); }
GRL_NOP_1(M<m_type>, str2num) GRL_NOP_1(M<m_type>, str2double) GRL_NOP_1(M<m_type>, double_M)
GRL_NOP_1(M<m_type>, isspace_M) GRL_NOP_1(M<m_type>, isletter) GRL_NOP_1(M<m_type>, isdigit_M)
GRL_NOP_1(M<m_type>, isupper_M) GRL_NOP_1(M<m_type>, islower_M) GRL_NOP_1(M<M<m_type>>, cellstr)
GRL_NOP_1(M<m_type>, iscellstr) GRL_NOP_1(M<m_type>, cell2mat) GRL_NOP_1(M<m_type>, strtok)
GRL_NOP_1(M<m_type>, str2func) GRL_NOP_1(M<m_type>, func2str)
GRL_NOP_2(strcmp) GRL_NOP_2(strcmpi) GRL_NOP_3(strncmp) GRL_NOP_3(strncmpi)
#undef GRL_NOP_1
#undef GRL_NOP_2
#undef GRL_NOP_3
inline M<m_type> strrep(nop_t, const M<m_type>& p, const M<m_type>& r) { return strrep(M<m_type>(), p, r); }
inline M<m_type> strfind(nop_t, const M<m_type>& p) { return strfind(M<m_type>(), p); }
inline M<m_type> strtok(nop_t, const M<m_type>& d) { return strtok(M<m_type>(), d); }
inline M<m_type> cellfun(const M<m_type>& f, nop_t) { return cellfun(f, M<m_type>()); }
inline M<m_type> cellfun(const M<m_type>& f, nop_t, const M<m_type>& k) { return cellfun(f, M<m_type>(), k); }
inline M<m_type> cellfun(const M<m_type>& f, nop_t, const M<m_type>& o, const M<m_type>& v) {
  return cellfun(f, M<m_type>(), o, v);
}

// A cellfun result shown as `ans`: the cell or the array it holds.
grl::display_stream& operator<<(grl::display_stream& s, const grl::cellfun_value& v);

#endif
