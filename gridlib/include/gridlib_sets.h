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
#include <utility>
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

// setxor(a, b), setxor(a, b, 'rows'): the values of exactly one of a and b; [c, ia, ib].
M<m_type> setxor(const M<m_type>& a, const M<m_type>& b);
M<m_type> setxor(const M<m_type>& a, const M<m_type>& b, const M<m_type>& opt);
void setxor(const M<m_type>& a, const M<m_type>& b, i_o_t, Mr<m_type> c, Mr<m_type> ia = junkM,
            Mr<m_type> ib = junkM);
void setxor(const M<m_type>& a, const M<m_type>& b, const M<m_type>& opt, i_o_t, Mr<m_type> c,
            Mr<m_type> ia = junkM, Mr<m_type> ib = junkM);

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

// A cell literal written in the call (setdiff(c, {'b'}), ismember('x', {'a', 'x'}),
// unique([c, {'a'}])) is made into the cell it builds before the call is chosen.
namespace grl {
template <class A> struct is_cell_literal : std::false_type {};
template <> struct is_cell_literal<cl_t<m_type>> : std::true_type {};
template <> struct is_cell_literal<bc_t<m_type>> : std::true_type {};
template <class... A> inline constexpr bool any_cell_literal = (is_cell_literal<std::decay_t<A>>::value || ...);
template <class A> inline decltype(auto) set_arg(const A& a) {
  if constexpr (is_cell_literal<A>::value) return M<M<m_type>>(a.value());
  else return (a);
}
}  // namespace grl
#define GRL_SET_LITERALS(fn)                                                                   \
  template <class A, class... R, std::enable_if_t<grl::is_cell_literal<A>::value, int> = 0>   \
  inline auto fn(const A& a, R&&... r) {                                                      \
    return fn(grl::set_arg(a), std::forward<R>(r)...);                                        \
  }                                                                                            \
  template <class A, class B, class... R,                                                      \
            std::enable_if_t<!grl::is_cell_literal<A>::value && grl::is_cell_literal<B>::value, int> = 0> \
  inline auto fn(const A& a, const B& b, R&&... r) {                                          \
    return fn(a, grl::set_arg(b), std::forward<R>(r)...);                                     \
  }
GRL_SET_LITERALS(unique)
GRL_SET_LITERALS(intersect)
GRL_SET_LITERALS(union_M)
GRL_SET_LITERALS(setdiff)
GRL_SET_LITERALS(setxor)
GRL_SET_LITERALS(ismember)
#undef GRL_SET_LITERALS

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
// (s.a, s.b, s.b.c give C_a_b__c), its structure fields unnamed struct types. The
// library reads the field names back from the type's name. A name with underscores in
// the signature may be one field or several: the reading whose fields are in order and
// as many as the struct's members is the one taken; where two readings fit, a name
// of either counts as a field.
namespace grl {
template <class S>
using if_struct = std::enable_if_t<std::is_class_v<S> && !std::is_convertible_v<const S&, M<m_type>> &&
                                       !std::is_convertible_v<const S&, M<M<m_type>>>,
                                   int>;
// The number of members of an aggregate: the most initializers S{...} takes.
struct any_member {
  template <class T> operator T() const;
};
template <class S, class I, class = void> struct takes_n : std::false_type {};
template <class S, std::size_t... I>
struct takes_n<S, std::index_sequence<I...>, std::void_t<decltype(S{(void(I), any_member{})...})>>
    : std::true_type {};
template <class S, std::size_t N = 1> constexpr std::size_t member_count() {
  if constexpr (N > 256) return std::size_t(-1);
  else if constexpr (!takes_n<S, std::make_index_sequence<N>>::value) return N - 1;
  else return member_count<S, N + 1>();
}
// The field names of the structure type whose name `mangled` is, with `count` members
// (-1 when not known), sorted.
std::shared_ptr<const std::vector<std::string>> struct_fields(const char* mangled,
                                                              std::size_t count = std::size_t(-1));
M<m_type> isfield_of(const std::vector<std::string>& fields, const M<m_type>& name);
M<m_type> isfield_of(const std::vector<std::string>& fields, const M<M<m_type>>& names);
M<m_type> logical_scalar(bool v);
}  // namespace grl

template <class S, grl::if_struct<S> = 0> inline M<m_type> isa(const S&, const M<m_type>& name) {
  return grl::class_is("struct", name);
}
template <class S, grl::if_struct<S> = 0> inline M<m_type> isstruct(const S&) {
  return grl::logical_scalar(true);
}
// isfield(s, 'name') and isfield(s, {'a', 'b'}); anything but a structure has no fields.
template <class S, class N, grl::if_struct<S> = 0> inline M<m_type> isfield(const S&, const N& name) {
  static const auto fields = grl::struct_fields(typeid(S).name(), grl::member_count<S>());
  if constexpr (std::is_same_v<N, M<M<m_type>>> ||
                (std::is_convertible_v<const N&, M<M<m_type>>> && !std::is_convertible_v<const N&, M<m_type>>))
    return grl::isfield_of(*fields, M<M<m_type>>(name));
  else
    return grl::isfield_of(*fields, M<m_type>(name));
}
M<m_type> isfield(const M<m_type>& x, const M<m_type>& name);
M<m_type> isfield(const M<m_type>& x, const M<M<m_type>>& names);
M<m_type> isfield(const M<M<m_type>>& x, const M<m_type>& name);
M<m_type> isfield(const M<M<m_type>>& x, const M<M<m_type>>& names);

#endif
