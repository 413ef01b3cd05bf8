// Structures as values: a structure (array) is an M value holding a grl::structblock
// (see the value model at the top of gridlib_matrix.h). Field access, the element
// access of structure arrays, comma lists of a field, and the functions that make,
// ask and change structures.
//
// The generated code reads a field as grl::field(s, "name") and assigns to it through
// grl::field_ref(s, "name"), which makes s a structure and the field when they are not
// there yet. A field named by a value, s.(expr), takes the value in place of the text.
#ifndef GRIDLIB_STRUCT_H
#define GRIDLIB_STRUCT_H

#include <string>
#include <type_traits>
#include <vector>

namespace grl {

// --- field access ------------------------------------------------------------------
// s.name of a 1 x 1 structure. A missing field, a structure array or a value that is no
// structure fail with the interpreter's messages.
const M<m_type>& field(const M<m_type>& s, const char* name);
const M<m_type>& field(const M<m_type>& s, const M<m_type>& name);
// s.name as the target of an assignment: an empty or unassigned s becomes a 1 x 1
// structure, a missing field is added (empty) at the end of the field list.
M<m_type>& field_ref(M<m_type>& s, const char* name);
M<m_type>& field_ref(M<m_type>& s, const M<m_type>& name);
// c{k}.name as a target: the element of the cell (grown when needed) becomes a structure.
inline M<m_type>& field_ref(Cx<m_type>&& e, const char* name) { return field_ref(e.ref(), name); }
// s.name{k} = v: the cell a field holds, changed in place. The cell is taken out of the
// field only when the element is reached (after the index and the value were
// computed, which may read the field), so that a cell no other value shares is
// written without a copy; the destructor puts it back.
class cell_field {
 public:
  explicit cell_field(M<m_type>& f) : f_(&f) {}
  cell_field(const cell_field&) = delete;
  ~cell_field();
  Cx<m_type> br(const ix<m_type>& k) { take(); return c_.br(k); }
  Cx<m_type> br(const ix<m_type>& a, const ix<m_type>& b) { take(); return c_.br(a, b); }
 private:
  void take();
  M<m_type>* f_;
  M<M<m_type>> c_;
  bool taken_ = false;
};
inline cell_field cell_in(M<m_type>& f) { return cell_field(f); }
// s(k).name and s(i, j).name as a target: the array grows to hold element k, the new
// elements with every field empty.
M<m_type>& elem_field_ref(M<m_type>& s, const ix<m_type>& k, const char* name);
M<m_type>& elem_field_ref(M<m_type>& s, const ix<m_type>& k, const M<m_type>& name);
M<m_type>& elem_field_ref(M<m_type>& s, const ix<m_type>& i, const ix<m_type>& j, const char* name);
// s.name of every element, column by column, as a cell: the comma list [s.f], {s.f}
// and f(s.f) expand.
M<M<m_type>> field_list(const M<m_type>& s, const char* name);
M<M<m_type>> field_list(const M<m_type>& s, const M<m_type>& name);
// [s.name] = deal(v1, ..., vn) and [s(k).name] = deal(...): one value for each element
// (of s, or of s(k); one place for an empty s), or a single value given to all.
void deal_fields(M<m_type>& s, const char* name, const std::vector<M<m_type>>& vals);
void deal_fields(M<m_type>& s, const ix<m_type>& k, const char* name, const std::vector<M<m_type>>& vals);

// --- fields named by a literal -------------------------------------------------------
// A place in the program that names a field by a literal (s.f, s.f = v, s(k).f) has a
// field_cache of its own: what the last access there found, the version of the block's
// names and the field's position, packed into one word (0 until found) so that threads
// that share the place read a consistent pair. An access to a block with that version
// takes the position without comparing a name; any other goes the long way and records
// what it finds. (A block's address is never the key: a freed block's memory is reused.)
struct field_cache {
  static constexpr unsigned kSlotBits = 20;
  static constexpr std::uint64_t kSlotMask = (std::uint64_t(1) << kSlotBits) - 1;
  std::atomic<std::uint64_t> seen{0};
  // The recorded position for a block of this version, or -1.
  long slot_for(std::uint64_t version) const {
    const std::uint64_t c = seen.load(std::memory_order_relaxed);
    return c && (c >> kSlotBits) == version ? long(c & kSlotMask) : -1;
  }
  void remember(std::uint64_t version, std::size_t slot) {
    if (version && version < (std::uint64_t(1) << (64 - kSlotBits)) && slot <= kSlotMask)
      seen.store(version << kSlotBits | slot, std::memory_order_relaxed);
  }
};
// A literal name with the cache of its place.
struct field_key {
  const char* name;
  field_cache& cache;
};
// The caches of the places of one compiled file: GRL_FIELD("f") takes a new one at
// every use (the counter numbers the uses within the file, and the unnamed namespace
// keeps the files apart). A variable, not a lambda, so that it may stand in decltype.
namespace {
template <int N> field_cache field_site;
}
#define GRL_FIELD(n) (::grl::field_key{n, ::grl::field_site<__COUNTER__>})

// The long ways: the search by name, recorded in the place's cache.
const M<m_type>& field_slow(const M<m_type>& s, field_key k);
M<m_type>& field_ref_slow(M<m_type>& s, field_key k);
M<m_type>& elem_field_ref_slow(M<m_type>& s, const ix<m_type>& i, field_key k);
M<m_type> elem_field_slow(const M<m_type>& s, const ix<m_type>& i, field_key k);

// The element number (0-based) of a whole-number scalar index within n, or n.
inline std::size_t scalar_element(const ix<m_type>& i, std::size_t n) {
  if (i.kind != ix<m_type>::scalar || !(i.s >= 1) || !(i.s <= double(n))) return n;
  const std::size_t e = std::size_t(i.s) - 1;
  return double(e + 1) == i.s ? e : n;
}

// s.f of a 1 x 1 structure.
inline const M<m_type>& field(const M<m_type>& s, field_key k) {
  if (const structblock<m_type>* b = s.st_.get()) {
    const long f = k.cache.slot_for(b->version);
    if (f >= 0 && s.numel() == 1) return b->v[std::size_t(f)];
  }
  return field_slow(s, k);
}
// s.f as a target: in place when s holds the only reference to its block.
inline M<m_type>& field_ref(M<m_type>& s, field_key k) {
  if (structblock<m_type>* b = s.st_.get()) {
    const long f = k.cache.slot_for(b->version);
    if (f >= 0 && s.numel() == 1 && s.st_.use_count() == 1) return b->v[std::size_t(f)];
  }
  return field_ref_slow(s, k);
}
inline M<m_type>& field_ref(Cx<m_type>&& e, field_key k) { return field_ref(e.ref(), k); }
// s(k).f as a target, for an element that exists.
inline M<m_type>& elem_field_ref(M<m_type>& s, const ix<m_type>& i, field_key k) {
  if (structblock<m_type>* b = s.st_.get()) {
    const long f = k.cache.slot_for(b->version);
    const std::size_t n = s.numel(), e = scalar_element(i, n);
    if (f >= 0 && e < n && s.st_.use_count() == 1) return b->v[e * b->names.size() + std::size_t(f)];
  }
  return elem_field_ref_slow(s, i, k);
}
// s(k).f read, without making the element s(k).
inline M<m_type> elem_field(const M<m_type>& s, const ix<m_type>& i, field_key k) {
  if (const structblock<m_type>* b = s.st_.get()) {
    const long f = k.cache.slot_for(b->version);
    const std::size_t n = s.numel(), e = scalar_element(i, n);
    if (f >= 0 && e < n) return b->v[e * b->names.size() + std::size_t(f)];
  }
  return elem_field_slow(s, i, k);
}

// --- a field as the inputs of a library function --------------------------------
// f(x, s.name, y) where s may be a structure array: s.name stands for one input per
// element. The translator writes
//   grl::field_inputs(s, GRL_FIELD("name"), "f", GRL_CALL(f(x, _e..., y)), ARGS)
// with ARGS a callable that gives every input of f from the list (arg_list). A value
// that is no structure array (a 1 x 1 structure, or no structure at all, whose field
// fails with the usual message) calls f with the one field directly, as plain s.name
// does; any other number of elements calls f by its name with the inputs the list
// makes (library_list_call), as many as there are.
M<m_type> library_list_call(const char* fn, const std::vector<M<m_type>>& args);
inline M<M<m_type>> field_list(const M<m_type>& s, field_key k) { return field_list(s, k.name); }
template <class R> R list_result(const M<m_type>& v, const char* fn) {
  if constexpr (std::is_same_v<R, M<m_type>>) {
    return v;
  } else if constexpr (std::is_arithmetic_v<R>) {
    if (v.numel() != 1 || v.isc()) grl_fail("Invalid call to %s", fn);
    return R(v.cre()[0]);
  } else if constexpr (std::is_constructible_v<R, const M<m_type>&>) {
    return R(v);
  } else {
    grl_fail("Invalid call to %s", fn);
  }
}
template <class N, class F, class A>
auto field_inputs(const M<m_type>& s, const N& name, const char* fn, F&& f, A&& args) {
  if constexpr (std::is_invocable_v<F&, const M<m_type>&>) {
    using R = std::decay_t<std::invoke_result_t<F&, const M<m_type>&>>;
    if (!s.st_ || s.numel() == 1) return R(f(field(s, name)));
    return list_result<R>(library_list_call(fn, args(field_list(s, name))), fn);
  } else {
    // f takes no single input there: only a list of another length can be right.
    return library_list_call(fn, args(field_list(s, name)));
  }
}

// --- the structure of a value -------------------------------------------------------
// A new structure array of rows x cols elements with the given fields, all empty.
M<m_type> make_struct(std::size_t rows, std::size_t cols, const std::vector<std::string>& names);
// The field names of s in order (none for a value that is no structure).
std::vector<std::string> field_names(const M<m_type>& s);
// Whether name is a valid field name: a letter, then letters, digits and underscores.
bool valid_field_name(const std::string& name);
// struct(...) with its arguments: name/value pairs, cell values making arrays.
M<m_type> struct_of(const std::vector<M<m_type>>& args);
// isequal of two structures: the same extents, field names (in any order) and values.
bool equal_structs(const M<m_type>& a, const M<m_type>& b, bool nan_equal = false);

// The indexing of a structure array: s(k), s(i, j), assignment and deletion. The matrix
// indexing hands a structure (or a structure assigned into an empty value) to these.
M<m_type> struct_get1(const M<m_type>& s, const ix<m_type>& a);
M<m_type> struct_get2(const M<m_type>& s, const ix<m_type>& a, const ix<m_type>& b);
void struct_set1(M<m_type>& s, const ix<m_type>& a, const M<m_type>& v);
void struct_set2(M<m_type>& s, const ix<m_type>& a, const ix<m_type>& b, const M<m_type>& v);
void struct_del1(M<m_type>& s, const ix<m_type>& a);
void struct_del2(M<m_type>& s, const ix<m_type>& a, const ix<m_type>& b);
// [s, t; u] of structures: every piece a structure (or []), with the same field names.
M<m_type> struct_cat(int dim, const std::vector<M<m_type>>& pieces);

}  // namespace grl

// --- the functions of M programs ----------------------------------------------------
// struct is a word of C++: the generated code calls struct_M.
template <class... A> inline M<m_type> struct_M(const A&... a) {
  return grl::struct_of(grl::arg_list<m_type>(a...));
}
M<M<m_type>> fieldnames(const M<m_type>& s);
M<m_type> numfields(const M<m_type>& s);
M<m_type> rmfield(const M<m_type>& s, const M<m_type>& name);
M<m_type> rmfield(const M<m_type>& s, const M<M<m_type>>& names);
M<m_type> setfield(const M<m_type>& s, const M<m_type>& name, const M<m_type>& v);
M<m_type> getfield(const M<m_type>& s, const M<m_type>& name);
// orderfields(s [, order]): order a structure, a cell of names or a permutation vector.
M<m_type> orderfields(const M<m_type>& s);
M<m_type> orderfields(const M<m_type>& s, const M<m_type>& order);
M<m_type> orderfields(const M<m_type>& s, const M<M<m_type>>& names);
void orderfields(const M<m_type>& s, i_o_t, Mr<m_type> t);
void orderfields(const M<m_type>& s, i_o_t, Mr<m_type> t, Mr<m_type> p);
void orderfields(const M<m_type>& s, const M<m_type>& order, i_o_t, Mr<m_type> t);
void orderfields(const M<m_type>& s, const M<m_type>& order, i_o_t, Mr<m_type> t, Mr<m_type> p);
void orderfields(const M<m_type>& s, const M<M<m_type>>& names, i_o_t, Mr<m_type> t);
void orderfields(const M<m_type>& s, const M<M<m_type>>& names, i_o_t, Mr<m_type> t, Mr<m_type> p);
M<M<m_type>> struct2cell(const M<m_type>& s);
M<m_type> cell2struct(const M<M<m_type>>& c, const M<m_type>& fields);
M<m_type> cell2struct(const M<M<m_type>>& c, const M<M<m_type>>& fields);
M<m_type> cell2struct(const M<M<m_type>>& c, const M<m_type>& fields, const M<m_type>& dim);
M<m_type> cell2struct(const M<M<m_type>>& c, const M<M<m_type>>& fields, const M<m_type>& dim);
// The same with the cell held by a value of any class.
M<m_type> cell2struct(const M<m_type>& c, const M<m_type>& fields);
M<m_type> cell2struct(const M<m_type>& c, const M<M<m_type>>& fields);
M<m_type> cell2struct(const M<m_type>& c, const M<m_type>& fields, const M<m_type>& dim);
M<m_type> cell2struct(const M<m_type>& c, const M<M<m_type>>& fields, const M<m_type>& dim);

#endif
