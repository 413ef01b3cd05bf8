// Sets and rows: sortrows, unique, intersect, union, setdiff, ismember, histc; and the
// questions asked of structures, isstruct and isfield.
//
// Values compare as sort compares them: complex values by magnitude, then phase angle;
// NaN after every number. NaN never equals anything, itself included, so unique keeps
// each NaN and ismember never finds one. Index outputs are columns, and name the first
// occurrence of a value.
#ifndef GRIDLIB_SETS_H
#define GRIDLIB_SETS_H

#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

// sortrows(x), sortrows(x, c): c lists columns, a negative one sorts that column in
// descending order; sortrows(x, 'ascend'|'descend') sorts by every column. [y, k].
M<m_type> sortrows(const M<m_type>& x);
M<m_type> sortrows(const M<m_type>& x, const M<m_type>& c);
void sortrows(const M<m_type>& x, i_o_t, Mr<m_type> y, Mr<m_type> k = junkM);
void sortrows(const M<m_type>& x, const M<m_type>& c, i_o_t, Mr<m_type> y, Mr<m_type> k = junkM);

// unique(x), unique(x, opt), unique(x, opt, opt): options 'rows', 'first', 'last',
// 'sorted', 'stable'. [u, i, j]: u = x(i), x = u(j).
M<m_type> unique(const M<m_type>& x);
M<m_type> unique(const M<m_type>& x, const M<m_type>& o1);
M<m_type> unique(const M<m_type>& x, const M<m_type>& o1, const M<m_type>& o2);
void unique(const M<m_type>& x, i_o_t, Mr<m_type> u, Mr<m_type> i = junkM, Mr<m_type> j = junkM);
void unique(const M<m_type>& x, const M<m_type>& o1, i_o_t, Mr<m_type> u, Mr<m_type> i = junkM,
            Mr<m_type> j = junkM);
void unique(const M<m_type>& x, const M<m_type>& o1, const M<m_type>& o2, i_o_t, Mr<m_type> u,
            Mr<m_type> i = junkM, Mr<m_type> j = junkM);

// intersect(a, b), union(a, b), setdiff(a, b), each also with 'rows'; [c, ia, ib]
// (setdiff: [c, ia]). union is a word of C++: the generated code calls union_M.
M<m_type> intersect(const M<m_type>& a, const M<m_type>& b);
M<m_type> intersect(const M<m_type>& a, const M<m_type>& b, const M<m_type>& opt);
void intersect(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> c, Mr<m_type> ia = junkM,
               Mr<m_type> ib = junkM);
void intersect(const M<m_type>& a, const M<m_type>& b, const M<m_type>& opt, i_o_t, Mr<m_type> c,
               Mr<m_type> ia = junkM, Mr<m_type> ib = junkM);
M<m_type> union_M(const M<m_type>& a, const M<m_type>& b);
M<m_type> union_M(const M<m_type>& a, const M<m_type>& b, const M<m_type>& opt);
void union_M(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> c, Mr<m_type> ia = junkM,
             Mr<m_type> ib = junkM);
void union_M(const M<m_type>& a, const M<m_type>& b, const M<m_type>& opt, i_o_t, Mr<m_type> c,
             Mr<m_type> ia = junkM, Mr<m_type> ib = junkM);
M<m_type> setdiff(const M<m_type>& a, const M<m_type>& b);
M<m_type> setdiff(const M<m_type>& a, const M<m_type>& b, const M<m_type>& opt);
void setdiff(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> c, Mr<m_type> ia = junkM);
void setdiff(const M<m_type>& a, const M<m_type>& b, const M<m_type>& opt, i_o_t, Mr<m_type> c,
             Mr<m_type> ia = junkM);

// ismember(a, s), ismember(a, s, 'rows'); [tf, loc]: loc is the lowest index of the
// match in s, 0 where there is none. A string or a cell of strings may be looked up in a
// cell of strings.
M<m_type> ismember(const M<m_type>& a, const M<m_type>& s);
M<m_type> ismember(const M<m_type>& a, const M<m_type>& s, const M<m_type>& opt);
void ismember(const M<m_type>& a, const M<m_type>& s, i_o_t, Mr<m_type> tf, Mr<m_type> loc = junkM);
void ismember(const M<m_type>& a, const M<m_type>& s, const M<m_type>& opt, i_o_t, Mr<m_type> tf,
              Mr<m_type> loc = junkM);
M<m_type> ismember(const M<m_type>& a, const M<M<m_type>>& s);
M<m_type> ismember(const M<M<m_type>>& a, const M<M<m_type>>& s);
M<m_type> ismember(const M<M<m_type>>& a, const M<m_type>& s);
void ismember(const M<m_type>& a, const M<M<m_type>>& s, i_o_t, Mr<m_type> tf, Mr<m_type> loc = junkM);
void ismember(const M<M<m_type>>& a, const M<M<m_type>>& s, i_o_t, Mr<m_type> tf,
              Mr<m_type> loc = junkM);
void ismember(const M<M<m_type>>& a, const M<m_type>& s, i_o_t, Mr<m_type> tf, Mr<m_type> loc = junkM);

// histc(x, edges), histc(x, edges, dim): n(k) counts edges(k) <= x < edges(k+1), the last
// bin counts x == edges(end). [n, idx]: the bin of each element, 0 outside every bin.
M<m_type> histc(const M<m_type>& x, const M<m_type>& edges);
M<m_type> histc(const M<m_type>& x, const M<m_type>& edges, const M<m_type>& dim);
void histc(const M<m_type>& x, const M<m_type>& edges, i_o_t, Mr<m_type> n, Mr<m_type> idx = junkM);
void histc(const M<m_type>& x, const M<m_type>& edges, const M<m_type>& dim, i_o_t, Mr<m_type> n,
           Mr<m_type> idx = junkM);

// --- structures ----------------------------------------------------------------------
// A structure of the generated program is a C++ struct named C followed by its
// signature: each field in sorted order as depth underscores and the field's name
// (s.a, s.b, s.b.c give C_a_b__c). The library reads the field names back from that
// type name. A field name that itself holds an underscore cannot be told from two
// fields there (the translator gives {a_b} and {a, b} one type), and reads as two.
namespace grl {
template <class S>
using if_struct = std::enable_if_t<std::is_class_v<S> && !std::is_convertible_v<const S&, M<m_type>> &&
                                       !std::is_convertible_v<const S&, M<M<m_type>>>,
                                   int>;
// The top-level field names of the structure type whose name `mangled` is.
std::shared_ptr<const std::vector<std::string>> struct_fields(const char* mangled);
M<m_type> isfield_of(const std::vector<std::string>& fields, const M<m_type>& name);
M<m_type> isfield_of(const std::vector<std::string>& fields, const M<M<m_type>>& names);
M<m_type> logical_scalar(bool v);
}  // namespace grl

template <class S, grl::if_struct<S> = 0> inline M<m_type> isstruct(const S&) {
  return grl::logical_scalar(true);
}
// isfield(s, 'name') and isfield(s, {'a', 'b'}); anything but a structure has no fields.
template <class S, class N, grl::if_struct<S> = 0> inline M<m_type> isfield(const S&, const N& name) {
  static const auto fields = grl::struct_fields(typeid(S).name());
  if constexpr (std::is_convertible_v<const N&, M<M<m_type>>> && !std::is_convertible_v<const N&, M<m_type>>)
    return grl::isfield_of(*fields, M<M<m_type>>(name));
  else
    return grl::isfield_of(*fields, M<m_type>(name));
}
M<m_type> isfield(const M<m_type>& x, const M<m_type>& name);
M<m_type> isfield(const M<m_type>& x, const M<M<m_type>>& names);
M<m_type> isfield(const M<M<m_type>>& x, const M<m_type>& name);
M<m_type> isfield(const M<M<m_type>>& x, const M<M<m_type>>& names);

#endif
