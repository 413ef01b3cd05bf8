// Structures as values: field access and creation, the indexing of structure arrays
// and struct(...). A structure's payload is a grl::structblock shared between copies;
// every change goes through unique_block(), which copies a shared block first.
#include "gridlib.h"
#include "gridlib_outs.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

#include "index.h"
#include "object_map.h"
#include "object_parser.h"
#include "struct_util.h"

namespace grl {

namespace {

typedef M<m_type> Mt;
typedef M<M<m_type>> Ct;
typedef structblock<m_type> Sb;

// How the interpreter names a value that is no structure in "... cannot be indexed
// with .": scalar, matrix, complex scalar, bool, sq_string, cell, int32 scalar, ...
std::string kind_word(const Mt& x) {
  if (x.holds_cell()) return "cell";
  if (x.flags_ & F_HANDLE) return "function handle";
  const bool one = x.numel() == 1;
  if (x.ischar()) return "sq_string";
  if (x.islogical()) return one ? "bool" : "bool matrix";
  const mclass c = x.num_class();
  std::string base = one ? "scalar" : "matrix";
  if (is_int_class(c)) return std::string(class_name(c)) + " " + base;
  if (c == mc_single) base = "float " + base;
  return x.isc() ? "complex " + base : base;
}

[[noreturn]] void fail_not_struct(const Mt& x) {
  grl_fail("%s cannot be indexed with .", kind_word(x).c_str());
}

[[noreturn]] void fail_no_member(const std::string& name) {
  grl_fail_id("Octave:invalid-indexing", "structure has no member '%s'", name.c_str());
}

std::string name_text(const Mt& name) {
  if (!name.ischar() || (name.rows() > 1))
    grl_fail("dynamic structure field names must be strings");
  std::string s;
  for (std::size_t k = 0; k < name.numel(); ++k) s += char(name.elem(k));
  return s;
}

// The block of s, made unique (copied when shared) so that it can be changed.
Sb& unique_block(Mt& s) {
  if (s.st_.use_count() > 1) s.st_ = std::make_shared<Sb>(*s.st_);
  return *s.st_;
}

// A number for a new list of field names (structblock::version); 0 once the numbers
// that a field_key can hold run out, which no key matches.
std::uint64_t new_names_version() {
  static std::atomic<std::uint64_t> last{0};
  const std::uint64_t v = last.fetch_add(1, std::memory_order_relaxed) + 1;
  return v < (std::uint64_t(1) << (64 - field_cache::kSlotBits)) ? v : 0;
}

// s becomes a structure of rows x cols elements with the given fields, all empty.
// version is that of a block whose names these are, or 0 for new ones.
void become_struct(Mt& s, std::size_t rows, std::size_t cols, const std::vector<std::string>& names,
                   std::uint64_t version = 0) {
  const char* nm = s.name_;
  Mt fresh;
  check_extent(rows, cols, sizeof(Mt) * (names.empty() ? 1 : names.size()));
  fresh.st_ = std::make_shared<Sb>();
  fresh.st_->names = names;
  fresh.st_->version = version ? version : new_names_version();
  fresh.st_->v.resize(rows * cols * names.size());
  fresh.reshape_to(rows, cols);
  // cls_ names the class: the inline paths of the operators and of indexing take only
  // values whose cls_ is 0, so a structure, which has no element arrays, never reaches them.
  fresh.cls_ = mc_struct;
  s = std::move(fresh);
  s.name_ = nm;
}

// Adds a field (empty in every element) at the end of the list; returns its position.
std::size_t add_field(Mt& s, const std::string& name) {
  Sb& b = unique_block(s);
  const std::size_t nf = b.nfields(), n = s.numel();
  std::vector<Mt> v(n * (nf + 1));
  for (std::size_t e = 0; e < n; ++e)
    for (std::size_t f = 0; f < nf; ++f) v[e * (nf + 1) + f] = std::move(b.v[e * nf + f]);
  b.v = std::move(v);
  b.names.push_back(name);
  b.version = new_names_version();
  return nf;
}

// The position of field name in s, added when missing.
std::size_t field_slot(Mt& s, const std::string& name) {
  const long f = s.st_->find(name);
  return f >= 0 ? std::size_t(f) : add_field(s, name);
}

// A value that may become a structure by assignment: a structure, or an empty value
// that is no cell (an unassigned variable, []).
void make_assignable(Mt& s) {
  if (s.holds_struct()) return;
  const bool empty = s.holds_cell() ? s.held_cell().isempty() : s.isempty();
  if (empty && !(s.flags_ & F_HANDLE)) {
    become_struct(s, 1, 1, {});
    return;
  }
  fail_not_struct(s);
}

const Mt& read_field(const Mt& s, const std::string& name) {
  if (is_map(s)) return map_property(s, name);
  if (is_parser(s)) return parser_property(s, name);
  if (!s.holds_struct()) fail_not_struct(s);
  const long f = s.st_->find(name);
  if (f < 0) fail_no_member(name);
  if (s.numel() != 1) {
    if (s.numel() == 0) grl_fail("index (_,0): out of bound; value 0 out of bound 0");
    grl_fail("some elements undefined in index list");
  }
  return s.st_->v[std::size_t(f)];
}

Mt& write_field(Mt& s, const std::string& name) {
  if (is_parser(s)) return parser_property_ref(s, name);
  if (is_map(s)) grl_fail("invalid use of a containers.Map object: property '%s' can not be set", name.c_str());
  make_assignable(s);
  if (s.numel() != 1)
    grl_fail("invalid dot name structure assignment because the structure array is empty.  Specify a "
             "subscript on the structure array to resolve.");
  const std::size_t f = field_slot(s, name);
  return unique_block(s).v[f];
}

// The numbers 1..n of the elements of s, in s's shape: indexing it with the numeric
// code gives the element numbers an index selects, with the matrices' rules of shape,
// growth and deletion. 0 in the result is a new element.
Mt element_numbers(const Mt& s) {
  Mt idx = Mt::alloc(s.shape());
  const std::size_t n = s.numel();
  if (n) {
    m_type* p = idx.pr();
    for (std::size_t k = 0; k < n; ++k) p[k] = m_type(k + 1);
  }
  idx.name_ = s.name_;
  return idx;
}

// The structure whose elements are picked by numbers (0 new, k element k of `from`,
// n + k element k of `extra`), in the shape of numbers.
Mt gather(const Mt& numbers, const Mt& from, const Mt* extra, const std::vector<std::string>& names) {
  Mt out;
  become_struct(out, numbers.rows(), numbers.cols(), names, &names == &from.st_->names ? from.st_->version : 0);
  out.same_shape(numbers);
  Sb& b = *out.st_;
  const std::size_t nf = names.size(), n = from.numel();
  for (std::size_t e = 0; e < numbers.numel(); ++e) {
    const std::size_t k = std::size_t(numbers.elem(e));
    if (k == 0) continue;
    const Mt& src = k <= n ? from : *extra;
    const std::size_t se = k <= n ? k - 1 : k - 1 - n;
    const Sb& sb = *src.st_;
    for (std::size_t f = 0; f < nf; ++f) {
      const long g = &src == &from ? long(f) : sb.find(names[f]);
      b.v[e * nf + f] = sb.v[se * sb.nfields() + std::size_t(g)];
    }
  }
  return out;
}

bool same_names(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (const std::string& n : a)
    if (std::find(b.begin(), b.end(), n) == b.end()) return false;
  return true;
}

// The structure s(...) = v leaves: s (or an empty value) and v a structure.
template <class Assign> void struct_assign(Mt& s, const Mt& v0, Assign assign) {
  const Mt v(v0);
  if (!v.holds_struct()) {
    grl_fail("invalid assignment to struct array element");
  }
  if (!s.holds_struct()) {
    if (!s.isempty() || s.holds_cell()) grl_fail("invalid assignment to struct array element");
    become_struct(s, 0, 0, v.st_->names);
  }
  if (s.numel() > 0 && !same_names(s.st_->names, v.st_->names))
    grl_fail("incompatible fields in struct assignment");
  const std::vector<std::string> names = s.numel() > 0 ? s.st_->names : v.st_->names;
  Mt idx = element_numbers(s);
  Mt vnum = Mt::alloc(v.rows(), v.cols());
  if (v.numel()) {
    m_type* p = vnum.pr();
    for (std::size_t k = 0; k < v.numel(); ++k) p[k] = m_type(s.numel() + k + 1);
  }
  assign(idx, vnum);
  const char* nm = s.name_;
  Mt out = gather(idx, s, &v, names);
  s = std::move(out);
  s.name_ = nm;
}

// A scalar index of s(k).f as a target: a whole number from 1.
std::size_t target_pos(const ix<m_type>& a, const char* name, int pos, int of) {
  if (a.kind != ix<m_type>::scalar) grl_fail("invalid number of elements on RHS of indexed assignment; a structure array element's field takes one value");
  const double v = a.s;
  if (!(v >= 1) || v != double((long long)v) || v > 9.0e15) {
    const positions p = resolve(a, where{name, pos, of}, 0, false);   // fails with the message
    (void)p;
  }
  return std::size_t(v) - 1;
}

// Makes s a structure that can take element (r, c) (0-based), growing it with empty
// elements as a matrix grows; extents rows x cols.
void grow_to(Mt& s, std::size_t rows, std::size_t cols) {
  if (rows == s.rows() && cols == s.cols()) return;
  // A vector growing along itself keeps its elements where they are: the block only
  // gets empty elements at its end (amortised, for s(end+1).f = v in a loop).
  const bool along_row = s.rows() <= 1 && rows == 1, along_col = s.cols() == 1 && cols == 1;
  if ((along_row && (s.rows() == 1 || s.cols() == 0)) || (along_col && s.rows() > 0)) {
    check_extent(rows, cols, sizeof(Mt) * (s.st_->nfields() ? s.st_->nfields() : 1));
    Sb& b = unique_block(s);
    b.v.resize(rows * cols * b.nfields());
    s.reshape_to(rows, cols);
    return;
  }
  Mt numbers = Mt::zeros(rows, cols);
  m_type* p = numbers.pr();
  for (std::size_t j = 0; j < s.cols(); ++j)
    for (std::size_t i = 0; i < s.rows(); ++i) p[i + j * rows] = m_type(i + j * s.rows() + 1);
  const char* nm = s.name_;
  Mt out = gather(numbers, s, nullptr, s.st_->names);
  s = std::move(out);
  s.name_ = nm;
}

void elem_assignable(Mt& s) {
  if (s.holds_struct()) return;
  const bool empty = s.holds_cell() ? s.held_cell().isempty() : s.isempty();
  if (empty && !(s.flags_ & F_HANDLE)) {
    become_struct(s, 0, 0, {});
    return;
  }
  grl_fail("in indexed assignment of %s, last rhs index must be ()", kind_word(s).c_str());
}

Mt& elem_field(Mt& s, std::size_t e, const std::string& name) {
  const std::size_t f = field_slot(s, name);
  Sb& b = unique_block(s);
  return b.v[e * b.nfields() + f];
}

Mt& elem_field1(Mt& s, const ix<m_type>& a, const std::string& name) {
  elem_assignable(s);
  const std::size_t k = target_pos(a, s.name_, 0, 1);
  if (k >= s.numel()) {
    if (s.rows() == 0 && s.cols() == 0) grow_to(s, 1, k + 1);
    else if (s.rows() == 1) grow_to(s, 1, k + 1);
    else if (s.cols() == 1) grow_to(s, k + 1, 1);
    else grl_fail("Octave:index-out-of-bounds: A(I) = X: X must have the same size as I");
  }
  return elem_field(s, k, name);
}

}  // namespace

// --- operators ------------------------------------------------------------------------

// How the interpreter names the operands of an operator that takes no structure.
static std::string operand_word(const Mt& x) {
  if (x.holds_struct()) return x.numel() == 1 ? "scalar struct" : "struct";
  if (!x.holds_cell() && !x.ischar() && !x.islogical() && !x.cls_ && !x.isc() && x.numel() == 1) return "double";
  return kind_word(x);
}

[[noreturn]] void struct_binop_fail(const char* op, const Mt& a, const Mt& b) {
  grl_fail("binary operator '%s' not implemented for '%s' by '%s' operations", op, operand_word(a).c_str(),
           operand_word(b).c_str());
}

// --- field access ------------------------------------------------------------------

const Mt& field(const Mt& s, const char* name) { return read_field(s, name); }
const Mt& field(const Mt& s, const Mt& name) { return read_field(s, name_text(name)); }
Mt& field_ref(Mt& s, const char* name) { return write_field(s, name); }
Mt& field_ref(Mt& s, const Mt& name) { return write_field(s, name_text(name)); }
Mt& elem_field_ref(Mt& s, const ix<m_type>& k, const char* name) { return elem_field1(s, k, name); }
Mt& elem_field_ref(Mt& s, const ix<m_type>& k, const Mt& name) { return elem_field1(s, k, name_text(name)); }
Mt& elem_field_ref(Mt& s, const ix<m_type>& a, const ix<m_type>& b, const char* name) {
  elem_assignable(s);
  const std::size_t i = target_pos(a, s.name_, 0, 2), j = target_pos(b, s.name_, 1, 2);
  if (i >= s.rows() || j >= s.cols()) grow_to(s, std::max(s.rows(), i + 1), std::max(s.cols(), j + 1));
  return elem_field(s, i + j * s.rows(), name);
}

// The long ways of the fields named by a literal: the search by name, which the key
// records for the next access.
const Mt& field_slow(const Mt& s, field_key k) {
  const Mt& v = read_field(s, k.name);
  if (s.holds_struct()) k.cache.remember(s.st_->version, std::size_t(s.st_->find(k.name)));
  return v;
}
Mt& field_ref_slow(Mt& s, field_key k) {
  Mt& v = write_field(s, k.name);
  if (s.holds_struct()) k.cache.remember(s.st_->version, std::size_t(s.st_->find(k.name)));
  return v;
}
Mt& elem_field_ref_slow(Mt& s, const ix<m_type>& i, field_key k) {
  Mt& v = elem_field1(s, i, k.name);
  k.cache.remember(s.st_->version, std::size_t(s.st_->find(k.name)));
  return v;
}
Mt elem_field_slow(const Mt& s, const ix<m_type>& i, field_key k) {
  const std::size_t n = s.numel(), e = scalar_element(i, n);
  if (s.holds_struct() && e < n) {
    const long f = s.st_->find(k.name);
    if (f < 0) fail_no_member(k.name);
    k.cache.remember(s.st_->version, std::size_t(f));
    return s.st_->v[e * s.st_->nfields() + std::size_t(f)];
  }
  // Anything else reads the field of what s(k) gives, with its messages.
  return read_field(s.get1(i), k.name);
}

Ct field_list(const Mt& s, const std::string& name) {
  // A map's property in a list of arguments: its one value.
  if (is_map(s) || is_parser(s)) {
    Ct one = Ct::alloc(1, 1);
    one.welem(0) = is_map(s) ? map_property(s, name) : parser_property(s, name);
    return one;
  }
  if (!s.holds_struct()) fail_not_struct(s);
  const long f = s.st_->find(name);
  if (f < 0) fail_no_member(name);
  Ct out = Ct::alloc(1, s.numel());
  const std::size_t nf = s.st_->nfields();
  for (std::size_t e = 0; e < s.numel(); ++e) out.welem(e) = s.st_->v[e * nf + std::size_t(f)];
  return out;
}
Ct field_list(const Mt& s, const char* name) { return field_list(s, std::string(name)); }
Ct field_list(const Mt& s, const Mt& name) { return field_list(s, name_text(name)); }
std::string field_name_text(const Mt& name) { return name_text(name); }

void deal_fields(Mt& s, const char* name, const std::vector<Mt>& vals) {
  if (!s.holds_struct() || s.numel() == 0) {
    if (vals.size() != 1) grl_fail("deal: nargin > 1 and nargin != nargout");
    field_ref(s, name) = vals[0];
    return;
  }
  const std::size_t n = s.numel();
  if (vals.size() != 1 && vals.size() != n) grl_fail("deal: nargin > 1 and nargin != nargout");
  for (std::size_t e = 0; e < n; ++e) elem_field(s, e, name) = vals.size() == 1 ? vals[0] : vals[e];
}

void deal_fields(Mt& s, const ix<m_type>& k, const char* name, const std::vector<Mt>& vals) {
  elem_assignable(s);
  Mt idx = element_numbers(s);
  const positions p = resolve(k, where{s.name_, 0, 1}, s.numel(), false);
  const std::size_t n = p.count(s.numel());
  if (vals.size() != 1 && vals.size() != n) grl_fail("deal: nargin > 1 and nargin != nargout");
  const std::size_t need = p.all ? 0 : p.max_plus1();
  if (need > s.numel()) {
    if (s.rows() <= 1) grow_to(s, 1, need);
    else if (s.cols() == 1) grow_to(s, need, 1);
    else grl_fail("Octave:index-out-of-bounds: A(I) = X: X must have the same size as I");
  }
  for (std::size_t i = 0; i < n; ++i) elem_field(s, p.at(i), name) = vals.size() == 1 ? vals[0] : vals[i];
}

std::size_t field_place_count(const Mt& s, const ix<m_type>* k) {
  if (!k) return s.holds_struct() && s.numel() > 0 ? s.numel() : 1;
  const positions p = resolve(*k, where{s.name_, 0, 1}, s.numel(), false);
  return p.count(s.numel());
}

// --- indexing of structure arrays ----------------------------------------------------

// Element e of s as a 1 x 1 structure.
static Mt element(const Mt& s, std::size_t e) {
  Mt out;
  become_struct(out, 1, 1, s.st_->names, s.st_->version);
  const std::size_t nf = s.st_->nfields();
  for (std::size_t f = 0; f < nf; ++f) out.st_->v[f] = s.st_->v[e * nf + f];
  return out;
}

Mt struct_get1(const Mt& s, const ix<m_type>& a) {
  if (a.kind == ix<m_type>::scalar) {
    const std::size_t k = std::size_t(a.s);
    if (double(k) == a.s && k >= 1 && k <= s.numel()) return element(s, k - 1);
  }
  const Mt idx = element_numbers(s);
  return gather(idx.get1(a), s, nullptr, s.st_->names);
}
Mt struct_get2(const Mt& s, const ix<m_type>& a, const ix<m_type>& b) {
  if (a.kind == ix<m_type>::scalar && b.kind == ix<m_type>::scalar) {
    const std::size_t i = std::size_t(a.s), j = std::size_t(b.s);
    if (double(i) == a.s && double(j) == b.s && i >= 1 && j >= 1 && i <= s.rows() && j <= s.cols())
      return element(s, (i - 1) + (j - 1) * s.rows());
  }
  const Mt idx = element_numbers(s);
  return gather(idx.get2(a, b), s, nullptr, s.st_->names);
}
void struct_set1(Mt& s, const ix<m_type>& a, const Mt& v) {
  struct_assign(s, v, [&](Mt& idx, const Mt& vn) { idx.set1(a, vn); });
}
void struct_set2(Mt& s, const ix<m_type>& a, const ix<m_type>& b, const Mt& v) {
  struct_assign(s, v, [&](Mt& idx, const Mt& vn) { idx.set2(a, b, vn); });
}
// s(...) = []: the element numbers lose the deleted ones, and s keeps the elements
// they still name (and its variable name).
template <class Delete> void struct_delete(Mt& s, Delete del) {
  Mt idx = element_numbers(s);
  del(idx);
  const char* nm = s.name_;
  Mt out = gather(idx, s, nullptr, s.st_->names);
  s = std::move(out);
  s.name_ = nm;
}
void struct_del1(Mt& s, const ix<m_type>& a) {
  struct_delete(s, [&](Mt& idx) { idx.del1(a); });
}
void struct_del2(Mt& s, const ix<m_type>& a, const ix<m_type>& b) {
  struct_delete(s, [&](Mt& idx) { idx.del2(a, b); });
}

Mt struct_numbers(const Mt& s) { return element_numbers(s); }
Mt struct_pick(const Mt& s, const Mt& numbers) { return gather(numbers, s, nullptr, s.st_->names); }

Mt struct_getn(const Mt& s, const std::vector<ix<m_type>>& subs) {
  const Mt idx = element_numbers(s);
  return gather(idx.getn(subs), s, nullptr, s.st_->names);
}
void struct_setn(Mt& s, const std::vector<ix<m_type>>& subs, const Mt& v) {
  struct_assign(s, v, [&](Mt& idx, const Mt& vn) { idx.setn(subs, vn); });
}
void struct_deln(Mt& s, const std::vector<ix<m_type>>& subs) {
  struct_delete(s, [&](Mt& idx) { idx.deln(subs); });
}

// s(i, j, k, ...).name as a target: the array grows (as a matrix grows) to hold the
// element, the new elements with every field empty.
Mt& elem_field_refn(Mt& s, const std::vector<ix<m_type>>& subs, const std::string& name) {
  elem_assignable(s);
  const std::size_t n = subs.size();
  std::vector<std::size_t> at(n);
  for (std::size_t k = 0; k < n; ++k) at[k] = target_pos(subs[k], s.name_, int(k), int(n));
  sizes e = s.shape();
  if (n < e.size()) {
    // The last subscript spans the remaining dimensions.
    std::size_t rest = 1;
    for (std::size_t k = n - 1; k < e.size(); ++k) rest *= e[k];
    e.resize(n);
    e[n - 1] = rest;
  }
  while (e.size() < n) e.push_back(1);
  bool grows = false;
  for (std::size_t k = 0; k < n; ++k) grows = grows || at[k] >= e[k];
  if (grows) {
    // Growth through the element numbers: a new place holds 0, an empty element.
    Mt idx = element_numbers(s);
    idx.setn(subs, Mt(m_type(0)));
    const char* nm = s.name_;
    Mt out = gather(idx, s, nullptr, s.st_->names);
    s = std::move(out);
    s.name_ = nm;
    e = s.shape();
    while (e.size() < n) e.push_back(1);
  }
  std::size_t lin = 0, stride = 1;
  for (std::size_t k = 0; k < n; ++k) {
    lin += at[k] * stride;
    stride *= e[k];
  }
  return elem_field(s, lin, name);
}

Mt& elem_field_ref(Mt& s, const ix<m_type>& a, const ix<m_type>& b, const ix<m_type>& c, const char* name) {
  return elem_field_refn(s, {a, b, c}, name);
}
Mt& elem_field_ref(Mt& s, const ix<m_type>& a, const ix<m_type>& b, const ix<m_type>& c, const ix<m_type>& d,
                   const char* name) {
  return elem_field_refn(s, {a, b, c, d}, name);
}

Mt struct_cat(int dim, const std::vector<Mt>& pieces);

// Structures joined along dimension 3 or more, or pieces of more than two dimensions:
// the pieces' elements in one row (fields in the first piece's order), picked by
// their numbers joined as numbers are.
static Mt struct_cat_nd(int dim, const std::vector<Mt>& pieces) {
  std::vector<Mt> rows, numbers;
  m_type next = 0;
  for (const Mt& p : pieces) {
    if (!p.holds_struct()) {
      if (p.isempty() && !p.holds_cell()) continue;
      grl_fail("concatenation operator not implemented for 'struct' by '%s' operations", kind_word(p).c_str());
    }
    Mt row = p;
    row.reshape_to(1, p.numel());
    rows.push_back(row);
    Mt num = element_numbers(p);
    m_type* q = num.numel() ? num.pr() : nullptr;
    for (std::size_t k = 0; k < num.numel(); ++k) q[k] += next;
    next += m_type(p.numel());
    numbers.push_back(num);
  }
  const Mt flat = struct_cat(2, rows);
  mat_list parts;
  for (const Mt& n : numbers) parts.push_back(n);
  const Mt joined = cat_v(dim, parts);
  return gather(joined, flat, nullptr, flat.st_->names);
}

Mt struct_cat(int dim, const std::vector<Mt>& pieces) {
  bool nd = dim >= 3;
  for (const Mt& p : pieces) nd = nd || p.ndims() > 2;
  if (nd) return struct_cat_nd(dim, pieces);
  const std::vector<std::string>* names = nullptr;
  std::size_t rows = 0, cols = 0, total = 0;
  for (const Mt& p : pieces) {
    if (!p.holds_struct()) {
      if (p.isempty() && !p.holds_cell()) continue;
      grl_fail("concatenation operator not implemented for 'struct' by '%s' operations", kind_word(p).c_str());
    }
    if (names && !same_names(*names, p.st_->names)) grl_fail("cat: field names mismatch in concatenating structs");
    if (p.numel() == 0) { if (!names) names = &p.st_->names; continue; }
    if (!names || total == 0) { names = &p.st_->names; rows = p.rows(); cols = p.cols(); total = p.numel(); continue; }
    if (dim == 2) {
      if (p.rows() != rows) grl_fail("horizontal dimensions mismatch (%zux%zu vs %zux%zu)", rows, cols, p.rows(), p.cols());
      cols += p.cols();
    } else {
      if (p.cols() != cols) grl_fail("vertical dimensions mismatch (%zux%zu vs %zux%zu)", rows, cols, p.rows(), p.cols());
      rows += p.rows();
    }
    total += p.numel();
  }
  Mt out;
  become_struct(out, rows, cols, names ? *names : std::vector<std::string>());
  const std::size_t nf = out.st_->nfields();
  std::size_t at = 0;   // first column (dim 2) or row (dim 1) of the next piece
  for (const Mt& p : pieces) {
    if (!p.holds_struct() || p.numel() == 0) continue;
    const Sb& sb = *p.st_;
    std::vector<std::size_t> map(nf);
    for (std::size_t f = 0; f < nf; ++f) map[f] = std::size_t(sb.find(out.st_->names[f]));
    for (std::size_t j = 0; j < p.cols(); ++j)
      for (std::size_t i = 0; i < p.rows(); ++i) {
        const std::size_t k = dim == 2 ? i + (at + j) * rows : (at + i) + j * rows;
        const std::size_t e = i + j * p.rows();
        for (std::size_t f = 0; f < nf; ++f) out.st_->v[k * nf + f] = sb.v[e * sb.nfields() + map[f]];
      }
    at += dim == 2 ? p.cols() : p.rows();
  }
  return out;
}

// --- making and asking -------------------------------------------------------------

Mt make_struct(std::size_t rows, std::size_t cols, const std::vector<std::string>& names) {
  Mt s;
  become_struct(s, rows, cols, names);
  return s;
}

std::vector<std::string> field_names(const Mt& s) {
  return s.holds_struct() ? s.st_->names : std::vector<std::string>();
}

bool valid_field_name(const std::string& name) {
  if (name.empty() || !std::isalpha((unsigned char)name[0])) return false;
  for (char c : name)
    if (!std::isalnum((unsigned char)c) && c != '_') return false;
  return true;
}

Mt struct_of(const std::vector<Mt>& args) {
  // struct(s) is s; struct([]) (any empty array) an empty structure array of its size.
  if (args.size() == 1 && args[0].st_) return args[0];
  if (args.size() == 1 && args[0].isempty() && !args[0].holds_cell() && !args[0].ischar())
    return make_struct(args[0].rows(), args[0].cols(), {});
  if (args.size() % 2) grl_fail("struct: additional arguments must occur as \"field\", VALUE pairs");
  // The extents: those of the cell values that are not 1 x 1, which must agree.
  std::size_t rows = 1, cols = 1;
  sizes shape{1, 1};
  long shaped = -1;
  for (std::size_t k = 0; k < args.size(); k += 2) {
    if (!args[k].ischar()) grl_fail("struct: additional arguments must occur as \"field\", VALUE pairs");
    const Mt& v = args[k + 1];
    if (!v.holds_cell() || v.held_cell().numel() == 1) continue;
    const Ct& c = v.held_cell();
    if (shaped >= 0 && c.shape() != shape)
      grl_fail("struct: dimensions of parameter %ld do not match those of parameter %zu", shaped + 2, k + 2);
    rows = c.rows(); cols = c.cols();
    shape = c.shape();
    shaped = long(k);
  }
  std::vector<std::string> names;
  std::vector<std::size_t> slot;
  for (std::size_t k = 0; k < args.size(); k += 2) {
    const std::string n = name_text(args[k]);
    auto it = std::find(names.begin(), names.end(), n);
    slot.push_back(std::size_t(it - names.begin()));
    if (it == names.end()) names.push_back(n);
  }
  Mt s = make_struct(rows, cols, names);
  s.set_shape(shape);
  Sb& b = *s.st_;
  const std::size_t nf = names.size();
  for (std::size_t k = 0; k < args.size(); k += 2) {
    const Mt& v = args[k + 1];
    for (std::size_t e = 0; e < rows * cols; ++e) {
      Mt& dst = b.v[e * nf + slot[k / 2]];
      if (!v.holds_cell()) dst = v;
      else dst = v.held_cell().numel() == 1 ? v.held_cell().elem(0) : v.held_cell().elem(e);
    }
  }
  return s;
}

bool equal_structs(const Mt& a, const Mt& b, bool nan_equal) {
  if (!a.holds_struct() || !b.holds_struct()) return false;
  if (a.shape() != b.shape()) return false;
  if (!same_names(a.st_->names, b.st_->names)) return false;
  const std::size_t nf = a.st_->nfields();
  for (std::size_t f = 0; f < nf; ++f) {
    const std::size_t g = std::size_t(b.st_->find(a.st_->names[f]));
    for (std::size_t e = 0; e < a.numel(); ++e)
      if (!equal_values(a.st_->v[e * nf + f], b.st_->v[e * nf + g], nan_equal)) return false;
  }
  return true;
}

}  // namespace grl

// --- the functions of M programs ----------------------------------------------------

namespace {
using grl::Mt;
using grl::Ct;

Ct names_cell(const std::vector<std::string>& names) {
  Ct c = Ct::alloc(names.size(), 1);
  for (std::size_t k = 0; k < names.size(); ++k) c.welem(k) = TM(names[k].c_str());
  return c;
}

void need_struct(const Mt& s, const char* who) {
  if (!s.holds_struct()) grl_fail("%s: argument must be a struct", who);
}

// A copy of s without the fields whose positions are marked.
Mt without_fields(const Mt& s, const std::vector<char>& drop) {
  std::vector<std::string> names;
  const auto& old = s.st_->names;
  for (std::size_t f = 0; f < old.size(); ++f)
    if (!drop[f]) names.push_back(old[f]);
  Mt out = grl::make_struct(s.rows(), s.cols(), names);
  const std::size_t nf = old.size(), mf = names.size();
  for (std::size_t e = 0; e < s.numel(); ++e)
    for (std::size_t f = 0, g = 0; f < nf; ++f)
      if (!drop[f]) out.st_->v[e * mf + g++] = s.st_->v[e * nf + f];
  return out;
}

Mt remove_fields(const Mt& s, const std::vector<std::string>& names) {
  need_struct(s, "rmfield");
  std::vector<char> drop(s.st_->nfields(), 0);
  for (const std::string& n : names) {
    const long f = s.st_->find(n);
    if (f < 0) grl_fail("rmfield: structure does not contain field %s", n.c_str());
    drop[std::size_t(f)] = 1;
  }
  return without_fields(s, drop);
}

std::vector<std::string> texts_of(const Ct& c) {
  std::vector<std::string> out;
  for (std::size_t k = 0; k < c.numel(); ++k) out.push_back(grl::text_of(c.elem(k)));
  return out;
}

Mt from_cell(const Ct& c, const std::vector<std::string>& names, int dim) {
  const std::size_t along = dim == 1 ? c.rows() : c.cols();
  if (along != names.size())
    grl_fail("cell2struct: number of FIELDS does not match dimension");
  // The other dimension gives the elements: a column of structures.
  const std::size_t n = dim == 1 ? c.cols() : c.rows();
  Mt s = grl::make_struct(n, 1, names);
  const std::size_t nf = names.size();
  for (std::size_t e = 0; e < n; ++e)
    for (std::size_t f = 0; f < nf; ++f)
      s.st_->v[e * nf + f] = dim == 1 ? c.elem(f + e * c.rows()) : c.elem(e + f * c.rows());
  return s;
}
}  // namespace

Ct fieldnames(const Mt& s) {
  if (!s.holds_struct()) grl_fail("fieldnames: Invalid input argument");
  return names_cell(s.st_->names);
}

Mt numfields(const Mt& s) { return Mt(m_type(s.holds_struct() ? s.st_->nfields() : 0)); }

Mt rmfield(const Mt& s, const Mt& name) { return remove_fields(s, {grl::text_of(name)}); }
Mt rmfield(const Mt& s, const Ct& names) { return remove_fields(s, texts_of(names)); }

Mt setfield(const Mt& s, const Mt& name, const Mt& v) {
  Mt out(s);
  out.name_ = nullptr;
  grl::field_ref(out, name) = v;
  return out;
}

Mt getfield(const Mt& s, const Mt& name) { return grl::field(s, name); }

namespace {
// s with its fields in the order `order` gives (positions of s's fields), and the
// permutation as a column of 1-based positions.
Mt reordered(const Mt& s, const std::vector<std::size_t>& order, Mt* perm) {
  const std::size_t nf = order.size();
  std::vector<std::string> names(nf);
  for (std::size_t f = 0; f < nf; ++f) names[f] = s.st_->names[order[f]];
  Mt out = grl::make_struct(s.rows(), s.cols(), names);
  out.same_shape(s);
  for (std::size_t f = 0; f < nf; ++f)
    for (std::size_t e = 0; e < s.numel(); ++e) out.st_->v[e * nf + f] = s.st_->v[e * nf + order[f]];
  if (perm) {
    *perm = Mt::alloc(nf, 1);
    for (std::size_t f = 0; f < nf; ++f) perm->pr()[f] = m_type(double(order[f] + 1));
  }
  return out;
}

// The order of s's fields that the list of names gives; empty when the names are not
// s's fields, each once.
std::vector<std::size_t> order_of_names(const Mt& s, const std::vector<std::string>& names) {
  std::vector<std::size_t> order;
  std::vector<char> seen(s.st_->nfields(), 0);
  if (names.size() != seen.size()) return order;
  for (const std::string& n : names) {
    const long f = s.st_->find(n);
    if (f < 0 || seen[std::size_t(f)]) return {};
    seen[std::size_t(f)] = 1;
    order.push_back(std::size_t(f));
  }
  return order;
}

Mt order_fields(const Mt& s, Mt* perm) {
  if (!s.holds_struct()) grl_fail("orderfields: S1 must be a struct");
  std::vector<std::string> names = s.st_->names;
  std::sort(names.begin(), names.end());
  return reordered(s, order_of_names(s, names), perm);
}

Mt order_fields_as(const Mt& s, const Ct& names, Mt* perm) {
  if (!s.holds_struct()) grl_fail("orderfields: S1 must be a struct");
  for (std::size_t k = 0; k < names.numel(); ++k)
    if (!names.elem(k).ischar()) grl_fail("orderfields: CELLSTR list does not match structure fields");
  const std::vector<std::size_t> order = order_of_names(s, texts_of(names));
  if (order.size() != s.st_->nfields() || (order.empty() && names.numel() != 0))
    grl_fail("orderfields: CELLSTR list does not match structure fields");
  return reordered(s, order, perm);
}

Mt order_fields_as(const Mt& s, const Mt& wanted, Mt* perm) {
  if (!s.holds_struct()) grl_fail("orderfields: S1 must be a struct");
  if (wanted.holds_cell()) return order_fields_as(s, wanted.held_cell(), perm);
  if (wanted.holds_struct()) {
    const std::vector<std::size_t> order = order_of_names(s, wanted.st_->names);
    if (order.size() != s.st_->nfields())
      grl_fail("orderfields: structures S1 and S2 do not have the same fields");
    return reordered(s, order, perm);
  }
  if (wanted.ischar() || wanted.isc() || (wanted.flags_ & grl::F_HANDLE))
    grl_fail("orderfields: second argument must be structure, cellstr, or permutation vector");
  // A permutation vector: the new order as positions of the old fields.
  const std::size_t nf = s.st_->nfields();
  std::vector<std::size_t> order;
  std::vector<char> seen(nf, 0);
  bool ok = wanted.numel() == nf;
  for (std::size_t k = 0; ok && k < wanted.numel(); ++k) {
    const double v = double(wanted.cre()[k]);
    ok = v >= 1 && v <= double(nf) && v == std::floor(v) && !seen[std::size_t(v) - 1];
    if (ok) {
      seen[std::size_t(v) - 1] = 1;
      order.push_back(std::size_t(v) - 1);
    }
  }
  if (!ok) grl_fail("orderfields: invalid permutation vector P");
  return reordered(s, order, perm);
}
}  // namespace

Mt orderfields(const Mt& s) { return order_fields(s, nullptr); }
Mt orderfields(const Mt& s, const Mt& wanted) { return order_fields_as(s, wanted, nullptr); }
Mt orderfields(const Mt& s, const Ct& names) { return order_fields_as(s, names, nullptr); }
void orderfields(const Mt& s, i_o_t, Mr<m_type> t) { t = order_fields(s, nullptr); }
void orderfields(const Mt& s, i_o_t, Mr<m_type> t, Mr<m_type> p) {
  Mt perm;
  t = order_fields(s, &perm);
  p = perm;
}
void orderfields(const Mt& s, const Mt& wanted, i_o_t, Mr<m_type> t) { t = order_fields_as(s, wanted, nullptr); }
void orderfields(const Mt& s, const Mt& wanted, i_o_t, Mr<m_type> t, Mr<m_type> p) {
  Mt perm;
  t = order_fields_as(s, wanted, &perm);
  p = perm;
}
void orderfields(const Mt& s, const Ct& names, i_o_t, Mr<m_type> t) { t = order_fields_as(s, names, nullptr); }
void orderfields(const Mt& s, const Ct& names, i_o_t, Mr<m_type> t, Mr<m_type> p) {
  Mt perm;
  t = order_fields_as(s, names, &perm);
  p = perm;
}

Ct struct2cell(const Mt& s) {
  need_struct(s, "struct2cell");
  const std::size_t nf = s.st_->nfields(), n = s.numel();
  // nfields x 1 for a 1 x 1 structure; nfields x the array's extents otherwise (as
  // nfields x numel for the 2-D case of a row or column: a 1 x n array gives nf x 1 x n,
  // which has no 2-D form, so the elements go along the columns).
  Ct c = Ct::alloc(nf, n);
  for (std::size_t e = 0; e < n; ++e)
    for (std::size_t f = 0; f < nf; ++f) c.welem(f + e * nf) = s.st_->v[e * nf + f];
  return c;
}

// The field names of cell2struct: one name, or a cell of names (held by a value of
// any class too).
static std::vector<std::string> names_of(const Mt& fields) {
  if (fields.holds_cell()) return texts_of(fields.held_cell());
  return {grl::text_of(fields)};
}

// The cell of cell2struct given as a value of any class (a variable whose class the
// translator could not prove): it must hold a cell.
static const Ct& cell_of(const Mt& c) {
  if (!c.holds_cell()) grl_fail("cell2struct: argument CELL must be of type cell");
  return c.held_cell();
}

Mt cell2struct(const Ct& c, const Mt& fields) { return from_cell(c, names_of(fields), 1); }
Mt cell2struct(const Ct& c, const Ct& fields) { return from_cell(c, texts_of(fields), 1); }
Mt cell2struct(const Ct& c, const Mt& fields, const Mt& dim) {
  return from_cell(c, names_of(fields), int(dim.elem(0)));
}
Mt cell2struct(const Ct& c, const Ct& fields, const Mt& dim) {
  return from_cell(c, texts_of(fields), int(dim.elem(0)));
}
Mt cell2struct(const Mt& c, const Mt& fields) { return cell2struct(cell_of(c), fields); }
Mt cell2struct(const Mt& c, const Ct& fields) { return cell2struct(cell_of(c), fields); }
Mt cell2struct(const Mt& c, const Mt& fields, const Mt& dim) {
  return cell2struct(cell_of(c), fields, dim);
}
Mt cell2struct(const Mt& c, const Ct& fields, const Mt& dim) {
  return cell2struct(cell_of(c), fields, dim);
}

// --- a cell held in a field, changed in place -----------------------------------------

void grl::cell_field::take() {
  if (taken_) return;
  if (!f_->holds_cell() && !(f_->isempty() && !f_->holds_struct()))
    grl_fail("matrix cannot be indexed with {");
  if (f_->holds_cell()) c_ = f_->held_cell();
  const char* nm = f_->name_;
  *f_ = Mt();
  f_->name_ = nm;
  taken_ = true;
}

grl::cell_field::~cell_field() {
  if (taken_) *f_ = Mt::of_cell(c_);
}
