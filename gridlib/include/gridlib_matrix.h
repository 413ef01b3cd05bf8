// The matrix class M<T>, its output reference Mr<T>, cells M< M<T> >, index proxies and
// the builders of matrix and cell literals.
//
// Values are column by column, real and imaginary parts in separate arrays. Heap blocks
// are shared between copies and copied on the first write; a 1 x 1 value lives inside
// the object itself, so scalar work never touches the heap.
//
// The value model: how an M value carries its MATLAB class.
//
//  * Every value knows its class when the program runs. The class of an M<T> is:
//      cell             when it holds a cell (cell_, see of_cell) - the form in which a
//                       variable of unknown class carries a cell;
//      struct           when it holds a structure (st_, a grl::structblock): an array of
//                       elements sharing ordered field names, each field of each element
//                       an M value of any class. The value's own extents (rows_, cols_,
//                       numel()) are those of the structure array, so size, numel and
//                       isempty need no special case; it has no element arrays (re_ and
//                       im_ are nullptr), and code that reads numbers must not take it;
//      function_handle  when flags_ has F_HANDLE;
//      char, logical    when flags_ has F_STRING or F_LOGICAL (the viewer reads these bits);
//      else cls_        one of grl::mclass: double (0), single, int8 ... uint64.
//    A value whose cls_ is not double has no F_STRING/F_LOGICAL/F_HANDLE bit and no cell.
//    grl::class_of() combines the three into one grl::mclass; set_flags() makes a value
//    double-based again (logical, char or double), set_class() gives it a numeric class.
//  * cls_ lives in the first four of the header's eight bytes the viewer does not use, so
//    a debugger sees the class of every value; the other four are zero. Only the
//    numeric, logical and char values have element arrays (re_, im_).
//  * Elements are stored as T (double in the default library) for every class, always
//    holding a value of the class: whole numbers rounded half away from zero and limited
//    to the class's range (NaN is 0) for the integer classes, numbers rounded to float for
//    single. Library code that knows nothing of classes therefore reads every value
//    correctly; where the result has the operand's class (indexing, reshaping, sorting,
//    concatenation, arithmetic) the code keeps or computes cls_ (grl::keep_class,
//    grl::to_class). Arithmetic on integer classes is done in double and converted back,
//    which is MATLAB's rule.
//  * int64 and uint64 are exact over their whole range. The doubles hold each element
//    rounded to the nearest double (saturated), so code that knows nothing of classes
//    reads a close value; when some element is beyond 2^53 the value also holds x64_,
//    the exact 64 bits of every element (shared, never changed in place). x64_ is kept
//    by the class-aware paths (conversion, arithmetic, bit functions, comparisons,
//    indexing, concatenation, reductions, display, text, files) through the helpers of
//    src/int64_util.h, and dropped by everything that writes elements without knowing
//    the class: pr(), the scalar accessors of `.r`, set_flags, set_class to another
//    class, release. A reader takes exact element k only while x64_ has numel()
//    elements and the k-th still rounds to the double beside it (grl::exact64), so a
//    stale x64_ can never show a value the doubles do not hold.
//  * Integer arrays still take 8 bytes per element (a 2000 x 2000 uint8 array 32 MB).
//    Element storage of the class's own size is the next step: the block then holds
//    elements of grl::class_bytes(cls_) and cre()/pr() give legacy code a double view.
//  * A variable whose class the translator cannot prove is an M<T>: it may hold any of
//    the classes above, a cell included, and class(), iscell() and indexing decide when
//    the program runs. M< M<T> > is the proven-cell form: it converts implicitly to an
//    M<T> holding it (an argument, a returned output), and an M<T> holding a cell is
//    assigned to an M< M<T> > variable. (An implicit conversion the other way makes the
//    operator overloads for cells ambiguous.)
//  * Any number of dimensions. dims_ is the number of dimensions (2 for most values),
//    rows_ the first extent and cols_ the product of all the others, so the viewer and
//    every piece of library code that works element by element see a rows_ x cols_
//    matrix holding all elements. A value of more than two dimensions also holds the
//    list of all its extents in ext_ (shared between copies, never changed in place);
//    ext_ is null exactly when dims_ is 2, so 2-D values cost nothing more. Trailing
//    extents of 1 are dropped (set_shape), as MATLAB does. Code that builds a result of
//    its operand's shape takes the operand's extents with same_shape().
#ifndef GRIDLIB_MATRIX_H
#define GRIDLIB_MATRIX_H

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "gridlib_error.h"

namespace grl {
// A value too large to hold: "out of memory or dimension too large ...".
[[noreturn]] void fail_too_large();
// A value that holds a cell read as numbers by code that takes no cells: Octave's
// "wrong type argument 'cell array'" instead of an empty matrix.
[[noreturn]] void fail_cell_as_number();
// Most bytes one value may take; larger requests fail before they reach the allocator.
constexpr std::size_t max_value_bytes = std::size_t(1) << 40;
// Fails unless rows x cols elements of elem_bytes each fit: each extent in 32 bits,
// the whole within max_value_bytes.
inline void check_extent(std::size_t rows, std::size_t cols, std::size_t elem_bytes) {
  if (rows > 0xFFFFFFFFu || cols > 0xFFFFFFFFu || (cols && rows > max_value_bytes / elem_bytes / cols))
    fail_too_large();
}
}  // namespace grl

template <class T> class M;
template <class T> class Mx;
template <class T> class Cx;
template <class T> struct br_t;
template <class T> struct cl_t;
struct junk_t;

// c{:} where any number of values may stand (a matrix or cell literal, a function that
// takes any number of inputs): every element of c, as many as it holds.
// c{a:b} there is elements a to b, each checked as c{k} is.
template <class T> struct cs_t {
  const M<M<T>>& c;
  int first = 1, last = -1;   // last -1: to the end of c
  int end() const;
  const M<T>& at(int k) const;
};
template <class T> inline cs_t<T> CS(const M<M<T>>& c) { return cs_t<T>{c}; }
template <class T> cs_t<T> CS(const M<M<T>>& c, int first, int last);
namespace grl {
template <class A> struct is_cs_arg : std::false_type {};
template <class T> struct is_cs_arg<cs_t<T>> : std::true_type {};
template <class... A> inline constexpr bool any_cs = (is_cs_arg<std::decay_t<A>>::value || ...);
}  // namespace grl

// Selects the overloads that take a plain number of any type: generated code
// writes double literals even in the single-precision build.
template <class S> using if_number = std::enable_if_t<std::is_arithmetic_v<S>, int>;

// Words of the generated code that stand for fixed values.
struct i_o_t {};                    // separates inputs from outputs in a call
inline constexpr i_o_t i_o{};
struct cp_t {};                     // the index ":" (all elements)
inline constexpr cp_t c_p{};
struct nop_t {};                    // the empty matrix []; assigning it deletes
inline constexpr nop_t nop_M{};
struct semi_t {};                   // row break inside a literal
inline constexpr semi_t semi{};

namespace grl {

// F_HANDLE: a function handle, @name, held as the function's name.
enum : std::uint32_t { F_LOGICAL = 1, F_STRING = 2, F_HANDLE = 4 };

// The extents of a value of more than two dimensions, first to last.
typedef std::vector<std::uint32_t> extents;
// The exact 64-bit elements of an int64 or uint64 value (two's complement for int64).
typedef std::vector<std::uint64_t> words64;
// The sizes asked for a new value, first to last (any number, at least two).
typedef std::vector<std::size_t> sizes;
// Fails unless values of these extents fit (see check_extent).
void check_sizes(const sizes& d, std::size_t elem_bytes);
// The extents with trailing 1s dropped, at least two.
sizes trimmed(const sizes& d);

// MATLAB's classes. The numeric ones (mc_double to mc_uint64) are what M::cls_ holds;
// the others come from the flags or the held cell (see the value model above).
enum mclass : std::uint32_t {
  mc_double, mc_single, mc_int8, mc_uint8, mc_int16, mc_uint16, mc_int32, mc_uint32,
  mc_int64, mc_uint64, mc_logical, mc_char, mc_cell, mc_handle, mc_struct, mc_none
};
template <class T> struct structblock;
// Whether a shared part is held (owned) at all: true exactly when destroying p has
// something to give back, which the compiler can see (M::self_contained).
template <class P> inline bool holds_part(const std::shared_ptr<P>& p) noexcept {
  return std::shared_ptr<P>().owner_before(p);
}
// A shared copy of a cell, for a value that holds it (made out of line, cell.cpp).
template <class T> std::shared_ptr<const M<M<T>>> share_cell(const M<M<T>>& c);
inline bool is_int_class(mclass c) { return c >= mc_int8 && c <= mc_uint64; }

// A heap block: the element arrays of one or more matrices that share them.
template <class T> struct block {
  std::atomic<int> refs;
  std::size_t n;      // elements in each part
  T* re;
  T* im;              // nullptr for a real value
};
template <class T> block<T>* block_new(std::size_t n, bool cplx);
// Tunes the C library's allocator for many large arrays of the same sizes (at start-up).
void storage_setup();
template <class T> void block_free(block<T>* b);

// The member `.r`: the value of a 1 x 1 matrix (v.r<=10.0, v.r+=1.0) and, called,
// element k of any matrix (v.r(k)). It holds the inline real part of a 1 x 1 value.
template <class T> struct scal {
  T v;
  M<T>& owner() { return *reinterpret_cast<M<T>*>(reinterpret_cast<char*>(this) - M<T>::r_offset()); }
  const M<T>& owner() const {
    return *reinterpret_cast<const M<T>*>(reinterpret_cast<const char*>(this) - M<T>::r_offset());
  }
  operator T&();
  operator T() const;
  T& operator()(double k);
  T operator()(double k) const;
  scal& operator=(T x);
  scal& operator+=(T x) { static_cast<T&>(*this) += x; return *this; }
  scal& operator-=(T x) { static_cast<T&>(*this) -= x; return *this; }
  scal& operator*=(T x) { static_cast<T&>(*this) *= x; return *this; }
  scal& operator/=(T x) { static_cast<T&>(*this) /= x; return *this; }
  scal& operator++() { static_cast<T&>(*this) += 1; return *this; }
  scal& operator--() { static_cast<T&>(*this) -= 1; return *this; }
  T operator++(int) { T& x = *this; T o = x; x += 1; return o; }
  T operator--(int) { T& x = *this; T o = x; x -= 1; return o; }
};

// One index of an indexing expression: a number, ":" or a matrix of numbers or a mask.
template <class T> struct ix {
  enum kind_t : unsigned char { scalar, all, mat } kind;
  double s = 0;
  const M<T>* m = nullptr;
  std::shared_ptr<M<T>> own;     // an index made from a proxy or a literal
  ix(double v) : kind(scalar), s(v) {}
  ix(int v) : kind(scalar), s(v) {}
  ix(long v) : kind(scalar), s(double(v)) {}
  ix(unsigned v) : kind(scalar), s(v) {}
  ix(unsigned long v) : kind(scalar), s(double(v)) {}
  ix(float v) : kind(scalar), s(v) {}
  ix(cp_t) : kind(all) {}
  ix(const M<T>& v);
  ix(const Mx<T>& v);          // out of line (index.cpp)
  ix(const br_t<T>& v);        // out of line (literal.cpp)
  // An index rarely owns a value: copying and destroying one that does not are a few
  // inline stores; the owned value is shared and given back out of line (index.cpp).
  ix(const ix& o) : kind(o.kind), s(o.s), m(o.m) {
    if (holds_part(o.own)) share_own(o);
  }
  ix& operator=(const ix& o) {
    if (this != &o) {
      kind = o.kind; s = o.s; m = o.m;
      if (holds_part(own) || holds_part(o.own)) share_own(o);
    }
    return *this;
  }
  ~ix() {
    if (holds_part(own)) drop_own();
    if (holds_part(own)) __builtin_unreachable();
  }
  void share_own(const ix& o);   // own = o.own
  void drop_own();               // own.reset()
};

}  // namespace grl

template <class T> class M {
 public:
  // --- the header the matrix viewer reads out of a stopped program: keep this order ---
  const char* name_;          // the variable's name, nullptr for a result
  std::uint32_t flags_;       // grl::F_LOGICAL, grl::F_STRING, grl::F_HANDLE
  std::uint32_t dims_;        // number of dimensions, 2 or more
  std::uint32_t rows_;
  std::uint32_t cols_;
  std::uint32_t cls_;         // grl::mclass: double, single or an integer class
  std::uint32_t spare_;       // 0
  T* re_;                     // real parts, column by column; nullptr when empty
  T* im_;                     // imaginary parts; nullptr for a real value
  // --- after the header ---
  grl::block<T>* blk_;        // shared heap block, nullptr when the value is inline
  // --- inline storage of a 1 x 1 value ---
  grl::scal<T> r;
  T sim_;
  // A cell held as an element of another cell ({1, {2}}): the value is an empty matrix
  // for numeric code, and the cell lives here.
  std::shared_ptr<const M<M<T>>> cell_;
  // A structure (array): names and values in a block shared between copies, copied on
  // the first write (grl::struct_unshare).
  std::shared_ptr<grl::structblock<T>> st_;
  // A row the colon operator made keeps the limit it was asked for (1:2:10 keeps 10),
  // as the display's field width depends on it; any write to the value drops the mark.
  bool range_ = false;
  T range_lim_ = T(0);
  // An anonymous function (F_HANDLE, the elements its text): the callable with the
  // values it captured, shared between copies of the handle (grl::closure).
  std::shared_ptr<const void> fn_;
  // All extents of a value of more than two dimensions; null when dims_ is 2.
  std::shared_ptr<const grl::extents> ext_;
  // The exact elements of an int64 or uint64 value (the 64 bits of each, column by
  // column) when one of them is beyond what a double holds exactly; null otherwise.
  // Shared between copies, never changed in place. Code that writes the doubles drops it.
  std::shared_ptr<const grl::words64> x64_;

  typedef T elem_type;
  static std::size_t r_offset();

  M() noexcept : name_(nullptr), flags_(0), dims_(2), rows_(0), cols_(0), cls_(0), spare_(0),
                 re_(nullptr), im_(nullptr), blk_(nullptr), r{T(0)}, sim_(0) {}
  M(T v) noexcept : name_(nullptr), flags_(0), dims_(2), rows_(1), cols_(1), cls_(0), spare_(0),
                    re_(&r.v), im_(nullptr), blk_(nullptr), r{v}, sim_(0) {}
  // A C++ comparison of two scalars gives a logical scalar, as in M.
  template <class B, typename std::enable_if<std::is_same<B, bool>::value, int>::type = 0>
  M(B v) noexcept : M(T(v)) { flags_ = grl::F_LOGICAL; }
  M(const char* name, int, int) noexcept : M() { name_ = name; }
  M(const M& o) noexcept : M() { if (o.self_contained()) take_inline(o); else take_copy(o); }
  M(M&& o) noexcept : M() { if (o.self_contained()) take_inline(o); else take_move(o); }
  M(nop_t) noexcept : M() {}
  // A cell where a value of any class stands (an argument, a returned output): the
  // value holds the cell.
  M(const M<M<T>>& c) : M() { cell_ = grl::share_cell(c); }
  ~M() { destroy(); }

  // Assignment replaces the value and keeps the variable's name.
  M& operator=(const M& o) {
    if (this != &o) { M tmp(o); destroy(); move_from(tmp); }
    return *this;
  }
  M& operator=(M&& o) noexcept {
    if (this != &o) { destroy(); move_from(o); }
    return *this;
  }
  M& operator=(T v) { set_scalar(v); return *this; }
  template <class B, typename std::enable_if<std::is_same<B, bool>::value, int>::type = 0>
  M& operator=(B v) { set_scalar(T(v)); flags_ = grl::F_LOGICAL; return *this; }
  M& operator=(nop_t) { destroy(); reset_empty(); return *this; }
  // A function whose outputs are varargout returns a cell; its first element is the value.
  M& operator=(const M<M<T>>& c);

  // An uninitialised real or complex rows x cols value (heap unless 1 x 1).
  static M alloc(std::size_t rows, std::size_t cols, bool cplx = false);
  // The same, every element 0.
  static M zeros(std::size_t rows, std::size_t cols, bool cplx = false);
  // The same with any number of extents.
  static M alloc(const grl::sizes& d, bool cplx = false);
  static M zeros(const grl::sizes& d, bool cplx = false);
  static M cplx(T re, T im) { M m(re); m.im_ = &m.sim_; m.sim_ = im; return m; }

  // --- shape and kind ---
  std::size_t rows() const { return rows_; }
  std::size_t cols() const { return cols_; }
  std::size_t numel() const { return std::size_t(rows_) * cols_; }
  bool isempty() const { return rows_ == 0 || cols_ == 0; }
  bool isc() const { return im_ != nullptr; }
  bool isscalar() const { return rows_ == 1 && cols_ == 1; }
  bool islogical() const { return flags_ & grl::F_LOGICAL; }
  bool ischar() const { return flags_ & grl::F_STRING; }
  bool holds_cell() const { return cell_ != nullptr; }
  // The handle this value holds, called with the cell as its one argument; any other
  // value fails as an index that is a cell does.
  M call_with_cell(const M<M<T>>& c) const;
  static const M<M<T>>& cell_of(const M<M<T>>& c) { return c; }
  static M<M<T>> cell_of(const cl_t<T>& c) { return c.value(); }
  bool holds_struct() const { return st_ != nullptr; }
  bool isrange() const { return range_; }
  T range_limit() const { return range_lim_; }
  void mark_range(T limit) { range_ = true; range_lim_ = limit; }
  const M<M<T>>& held_cell() const { return *cell_; }
  static M of_cell(const M<M<T>>& c);
  const char* getname() const { return name_ ? name_ : "ans"; }
  // An input of a function takes its formal name (a copy made for the call has none).
  void name_as(const char* name) noexcept { name_ = name; }
  bool is_real_scalar() const { return rows_ == 1 && cols_ == 1 && !im_; }
  // `end` of an index: of the held cell when the value holds one (c{end+1} of a cell
  // kept in a field or a variable of any class).
  double size() const;
  double size(int k) const;
  // `end` of subscript k of n (n > 2): extent k, or for the last subscript the product
  // of the extents from k on.
  double size(int k, int n) const { return cell_ ? cell_->size(k, n) : double(grl_end_extent(k, n)); }
  std::size_t grl_end_extent(int k, int n) const {
    if (k < n) return extent(std::size_t(k - 1));
    std::size_t p = 1;
    for (std::size_t d = std::size_t(k - 1); d < dims_; ++d) p *= extent(d);
    return p;
  }
  std::size_t ndims() const { return dims_; }
  // Extent k (from 0): 1 past the last dimension.
  std::size_t extent(std::size_t k) const {
    if (k >= dims_) return 1;
    if (ext_) return (*ext_)[k];
    return k == 0 ? rows_ : cols_;
  }
  // All extents, at least two.
  grl::sizes shape() const {
    if (!ext_) return grl::sizes{rows_, cols_};
    return grl::sizes(ext_->begin(), ext_->end());
  }
  // Gives the value these extents, whose product must be numel(); trailing 1s drop.
  void set_shape(const grl::sizes& d);
  // Takes the shape of o, which has as many elements.
  void same_shape(const M& o) {
    rows_ = o.rows_; cols_ = o.cols_; dims_ = o.dims_; ext_ = o.ext_; range_ = false;
  }

  // --- element access: c* read, p* write (makes the block unique first) ---
  // A value that holds a cell has no elements: code that reads or writes them takes no
  // cells, and the call fails rather than see an empty matrix.
  const T* cre() const {
    if (__builtin_expect(cell_ != nullptr, 0)) grl::fail_cell_as_number();
    return re_;
  }
  const T* cim() const { return im_; }
  T* pr() {
    if (__builtin_expect(cell_ != nullptr, 0)) grl::fail_cell_as_number();
    unshare();
    drop_exact();
    return re_;
  }
  // Drops the exact 64-bit elements, as every writer of the doubles does.
  void drop_exact() {
    if (grl::holds_part(x64_)) drop_exact_parts();
  }
  void drop_exact_parts();
  T* pi();                                // makes the value complex when it is not
  T elem(std::size_t k) const { return re_[k]; }
  T ielem(std::size_t k) const { return im_ ? im_[k] : T(0); }

  void set_flags(std::uint32_t f) { flags_ = f; cls_ = grl::mc_double; range_ = false; drop_exact(); }
  // Gives the value a numeric class; the elements must already be values of it.
  void set_class(grl::mclass c) {
    if (c != cls_) drop_exact();
    flags_ = 0; cls_ = c; range_ = false;
  }
  grl::mclass num_class() const { return grl::mclass(cls_); }
  // A real 1 x 1 double, logical or char: the operators' inline path takes it.
  bool is_plain_scalar() const { return rows_ == 1 && cols_ == 1 && !im_ && !cls_; }
  // Whether the elements are on the heap in a block no other value shares: the
  // storage of such a temporary can take a result of the same size.
  bool owns_block() const { return blk_ && blk_->refs.load(std::memory_order_acquire) == 1; }
  void drop_imag();                       // a complex value whose imaginary parts are all 0 becomes real
  void unshare() {
    range_ = false;
    if (blk_ && blk_->refs.load(std::memory_order_acquire) > 1) clone();
  }
  void reshape_to(std::size_t rows, std::size_t cols) {
    rows_ = std::uint32_t(rows); cols_ = std::uint32_t(cols); range_ = false;
    dims_ = 2; ext_.reset();
  }
  void resize(std::size_t rows, std::size_t cols);   // grows (zero fill) or cuts, keeping elements

  // --- indexing: read as a value, assign (grows), assign nop_M (deletes) ---
  Mx<T> operator()(const grl::ix<T>& a) { return Mx<T>(this, a); }
  Mx<T> operator()(const grl::ix<T>& a, const grl::ix<T>& b) { return Mx<T>(this, a, b); }
  Mx<T> operator()(const grl::ix<T>& a, const grl::ix<T>& b, const grl::ix<T>& c) {
    return Mx<T>(this, a, b, c);
  }
  template <class... R>
  Mx<T> operator()(const grl::ix<T>& a, const grl::ix<T>& b, const grl::ix<T>& c, const grl::ix<T>& d,
                   const R&... rest) {
    Mx<T> x(this, a, b, c);
    x.more = {d, grl::ix<T>(rest)...};
    x.n = int(3 + x.more.size());
    return x;
  }
  M operator()(const grl::ix<T>& a) const;
  M operator()(const grl::ix<T>& a, const grl::ix<T>& b) const;
  M operator()(const grl::ix<T>& a, const grl::ix<T>& b, const grl::ix<T>& c) const {
    return const_cast<M*>(this)->operator()(a, b, c).value();
  }
  template <class... R> M operator()(const grl::ix<T>& a, const grl::ix<T>& b, const grl::ix<T>& c,
                                     const grl::ix<T>& d, const R&... rest) const {
    return const_cast<M*>(this)->operator()(a, b, c, d, rest...).value();
  }
  Mx<T> operator()() { return Mx<T>(this, grl::ix<T>(c_p)); }
  // c{i}{k}: an element of the cell this value holds (a cell inside a cell).
  M br(const grl::ix<T>& k) const;
  M br(const grl::ix<T>& a, const grl::ix<T>& b) const;
  // x(c{:}): the elements of c are the indices, one or two of them.
  Mx<T> operator()(const cs_t<T>& s);
  M operator()(const cs_t<T>& s) const { return const_cast<M*>(this)->operator()(s).value(); }
  // f(c) with a cell c, where f holds a function handle the translator could not see
  // (f = handles{k}; f({1, 2})): the handle is called with the cell. A template, so
  // that only a cell argument takes this way and no other call becomes ambiguous.
  template <class C, std::enable_if_t<std::is_same<C, M<M<T>>>::value || std::is_same<C, cl_t<T>>::value, int> = 0>
  M operator()(const C& c) const { return call_with_cell(cell_of(c)); }

  // Contextual truth (if, while, &&, ||): nonempty and every element nonzero.
  explicit operator bool() const;

  // --- the library's own work on values (compiled into the library) ---
  M get1(const grl::ix<T>& a) const;
  M get2(const grl::ix<T>& a, const grl::ix<T>& b) const;
  void set1(const grl::ix<T>& a, const M& v);
  void set2(const grl::ix<T>& a, const grl::ix<T>& b, const M& v);
  void del1(const grl::ix<T>& a);
  void del2(const grl::ix<T>& a, const grl::ix<T>& b);
  // Any number of subscripts (three or more).
  M getn(const std::vector<grl::ix<T>>& s) const;
  void setn(const std::vector<grl::ix<T>>& s, const M& v);
  void deln(const std::vector<grl::ix<T>>& s);

 private:
  // Whether the value holds a heap block or a shared part other than its extents
  // (cell, structure, handle, exact words): what release() gives back.
  bool holds_shared() const noexcept {
    return blk_ || grl::holds_part(cell_) || grl::holds_part(fn_) || grl::holds_part(st_) ||
           grl::holds_part(x64_);
  }
  // Whether every part of the value lives in the object itself, as for every scalar.
  // Such a value is copied, moved and destroyed by a few inline stores; any other takes
  // the out-of-line forms (matrix.cpp), so the code of each statement that makes and
  // drops temporaries stays small and quick to compile.
  bool self_contained() const noexcept { return !holds_shared() && !grl::holds_part(ext_); }
  // Gives back the block and the shared parts; the extents stay.
  void release() {
    if (holds_shared()) release_parts();
    // Now those parts are empty: the compiler, told so, leaves out the code that would
    // give them back again (their reset or destructor).
    if (holds_shared()) __builtin_unreachable();
  }
  void release_parts();
  // The destructor's work: release() and the extents (out of line when there is any).
  void destroy() {
    if (!self_contained()) destroy_parts();
    if (!self_contained()) __builtin_unreachable();
  }
  void destroy_parts();
  void reset_empty() {
    flags_ = 0; cls_ = 0; rows_ = cols_ = 0; re_ = im_ = nullptr; range_ = false;
    dims_ = 2; ext_.reset();
  }
  void set_scalar(T v) {
    destroy();
    flags_ = 0; cls_ = 0; rows_ = cols_ = 1; r.v = v; re_ = &r.v; im_ = nullptr; range_ = false;
    dims_ = 2; ext_.reset();
  }
  // Takes the value of a self-contained o into this value, which holds nothing shared
  // (just made, or after destroy()).
  void take_inline(const M& o) {
    flags_ = o.flags_; cls_ = o.cls_; dims_ = o.dims_; rows_ = o.rows_; cols_ = o.cols_;
    range_ = o.range_; range_lim_ = o.range_lim_;
    r.v = o.r.v; sim_ = o.sim_;
    re_ = o.re_ ? &r.v : nullptr; im_ = o.im_ ? &sim_ : nullptr;
  }
  // The same for any o, sharing its block and parts (out of line).
  void take_copy(const M& o);
  // The same, taking o's block and parts; o is left empty when it had a block.
  void take_move(M& o);
  void move_from(M& o) {
    if (o.self_contained()) take_inline(o); else take_move(o);
  }
  void clone();
  friend struct grl::scal<T>;
};

template <class T> inline std::size_t M<T>::r_offset() { return offsetof(M<T>, r); }

// The output reference of a generated function: a caller's variable or junkM.
template <class T> class Mr {
  M<T>* p_;
 public:
  Mr(M<T>& m) : p_(&m) {}
  Mr(Mx<T>&&) = delete;
  Mr(const junk_t&) : p_(nullptr) {}
  Mr& operator=(const M<T>& v) { if (p_) *p_ = v; return *this; }
  bool given() const { return p_ != nullptr; }
  M<T>* get() const { return p_; }
};

// An indexed matrix, x(i) or x(i,j): read it as a value, or assign to it.
template <class T> class Mx {
 public:
  M<T>* m;
  grl::ix<T> a, b, c;
  int n;
  std::vector<grl::ix<T>> more;   // subscripts past the third
  Mx(M<T>* mm, const grl::ix<T>& aa) : m(mm), a(aa), b(c_p), c(c_p), n(1) {}
  Mx(M<T>* mm, const grl::ix<T>& aa, const grl::ix<T>& bb) : m(mm), a(aa), b(bb), c(c_p), n(2) {}
  Mx(M<T>* mm, const grl::ix<T>& aa, const grl::ix<T>& bb, const grl::ix<T>& cc)
      : m(mm), a(aa), b(bb), c(cc), n(3) {}
  Mx(const Mx&) = default;
  // Subscripts past the third are rare: their list is given back out of line.
  ~Mx() {
    if (!more.empty() || more.data()) drop_more();
    if (!more.empty() || more.data()) __builtin_unreachable();
  }
  operator M<T>() const { return value(); }
  M<T> value() const;
  // All subscripts of an index of three or more.
  std::vector<grl::ix<T>> subs() const;
  Mx& operator=(const M<T>& v) {
    if (v.is_real_scalar() && !v.flags_ && !v.cls_ && put_scalar(v.r.v)) return *this;
    set(v);
    return *this;
  }
  Mx& operator=(const Mx& v) { return *this = v.value(); }
  Mx& operator=(T v);
  template <class S, if_number<S> = 0> Mx& operator=(S v) { return *this = T(v); }
  Mx& operator=(nop_t) {
    if (m->cell_) return held_assign(nullptr);
    if (n == 1) m->del1(a); else if (n == 2) m->del2(a, b); else m->deln(subs());
    return *this;
  }
  Mx& operator=(const br_t<T>& v);
  // x(i) = {...} and x(i) = c where x holds a cell (a variable of any class).
  Mx& operator=(const M<M<T>>& v) { return held_assign(&v); }
  Mx& operator=(const cl_t<T>& v);
  explicit operator bool() const { return bool(value()); }
  double size() const { return value().size(); }
  double size(int k) const { return value().size(k); }
  double size(int k, int nn) const { return value().size(k, nn); }

 private:
  void set(const M<T>& v) {
    if (n == 1) m->set1(a, v); else if (n == 2) m->set2(a, b, v); else m->setn(subs(), v);
  }
  // Stores a number at scalar indices inside a real numeric matrix; false when the
  // assignment needs the general path (growth, conversion, a matrix index).
  bool put_scalar(T v);
  bool put_scalar3(T v);
  M<T> general_value() const;
  void drop_more();
  // Assigns cell elements (or deletes them) in the cell the value holds; an empty value
  // becomes a cell first. v null deletes them (x(k) = []).
  Mx& held_assign(const M<M<T>>* v);
};

// Builder of a matrix literal: (BR(a),b,semi,c,d) is [a b; c d].
template <class T> struct br_t {
  std::vector<M<T>> items;
  std::vector<std::size_t> row_start{0};
  // Made, copied and given back out of line, and the pieces are added out of line
  // (literal.cpp): a literal's code is a chain of calls.
  br_t();
  br_t(const br_t& o);
  br_t(br_t&& o) noexcept;
  ~br_t();
  br_t& operator,(const M<T>& x);
  br_t& operator,(M<T>&& x);
  template <class S, if_number<S> = 0> br_t& operator,(S x) { return add_number(T(x)); }
  br_t& add_number(T x);
  br_t& operator,(const Mx<T>& x);
  br_t& operator,(const Cx<T>& x);
  br_t& operator,(const br_t& x);
  br_t& operator,(nop_t);
  // A cell among the pieces ([s.list, {'x'}]): held as a value, the whole joins cells.
  br_t& operator,(const M<M<T>>& x);
  br_t& operator,(const cl_t<T>& x);
  br_t& operator,(const cs_t<T>& x);
  br_t& operator,(semi_t);
  operator M<T>() const { return value(); }
  M<T> value() const;
};

template <class T> inline br_t<T> BR_(const M<T>& x) { br_t<T> b; b, x; return b; }

// The values of the arguments of a function that takes any number of inputs, c{:}
// standing for all the elements of c.
namespace grl {
// The values are added out of line (literal.cpp), so that a call's code does not grow
// a list of its own for each kind of argument.
template <class T> void push_arg(std::vector<M<T>>& v, const M<T>& a);
template <class T> void push_arg(std::vector<M<T>>& v, M<T>&& a);
template <class T> void push_args(std::vector<M<T>>& v, const cs_t<T>& a);
template <class T, class A> inline void append_arg(std::vector<M<T>>& v, const A& a) { push_arg(v, M<T>(a)); }
template <class T> inline void append_arg(std::vector<M<T>>& v, const M<T>& a) { push_arg(v, a); }
template <class T> inline void append_arg(std::vector<M<T>>& v, const cs_t<T>& a) { push_args(v, a); }
template <class T, class... A> inline std::vector<M<T>> arg_list(const A&... a) {
  std::vector<M<T>> v;
  v.reserve(sizeof...(A));
  (append_arg(v, a), ...);
  return v;
}
}  // namespace grl

// --- structures ----------------------------------------------------------------

namespace grl {
// The payload of a structure array: for each of its elements (as many as the value
// holding the block has, column by column) a value for every field; the values of
// element e are v[e * names.size() ...], in the order of names (the order in which the
// fields were made). The extents are the holding value's, not the block's.
// version numbers the list of names: two blocks with the same non-zero version have the
// same names in the same order (a copy keeps the number), and code that changes the
// names of a block in place gives it a new number (0: none). A place in the program that
// names a field by a literal remembers the version and the field's position it found,
// and takes the position again without comparing names (grl::field_key).
template <class T> struct structblock {
  std::vector<std::string> names;
  std::vector<M<T>> v;
  std::uint64_t version = 0;
  std::size_t nfields() const { return names.size(); }
  // The position of a field in names, or -1.
  long find(const std::string& name) const {
    for (std::size_t k = 0; k < names.size(); ++k)
      if (names[k] == name) return long(k);
    return -1;
  }
};
}  // namespace grl

// --- cells ---------------------------------------------------------------------

namespace grl {
template <class T> struct cellblock {
  std::vector<M<T>> e;
};
}  // namespace grl

// A cell array: the same header, then elements that are matrices.
template <class T> class M<M<T>> {
 public:
  const char* name_;
  std::uint32_t flags_;
  std::uint32_t dims_;
  std::uint32_t rows_;
  std::uint32_t cols_;
  void* unused_;
  T* re_;                     // always nullptr: a cell has no numeric parts
  T* im_;
  std::shared_ptr<grl::cellblock<T>> cb_;
  // All extents of a cell of more than two dimensions, as in M<T>; null when dims_ is 2.
  std::shared_ptr<const grl::extents> ext_;

  M() noexcept : name_(nullptr), flags_(0), dims_(2), rows_(0), cols_(0), unused_(nullptr),
                 re_(nullptr), im_(nullptr) {}
  M(const char* name, int, int) noexcept : M() { name_ = name; }
  M(const M& o) : M() { take_shape(o); cb_ = o.cb_; }
  M(M&& o) noexcept : M() { take_shape(o); cb_ = std::move(o.cb_); o.rows_ = o.cols_ = 0; o.drop_ext(); }
  // Explicit, so that f([]) with overloads for matrices and cells takes the matrix one.
  explicit M(nop_t) : M() {}
  M& operator=(const M& o) { take_shape(o); cb_ = o.cb_; return *this; }
  M& operator=(M&& o) noexcept {
    take_shape(o); cb_ = std::move(o.cb_); o.rows_ = o.cols_ = 0; o.drop_ext(); return *this;
  }
  M& operator=(nop_t) { rows_ = cols_ = 0; cb_.reset(); drop_ext(); return *this; }
  // x = c{k} for a cell variable x: the element must itself be a cell.
  // (A template, so that types derived from M<T> that convert to a cell take their own
  // conversion instead.)
  template <class V, std::enable_if_t<std::is_same<V, M<T>>::value, int> = 0>
  M& operator=(const V& v);
  M& operator=(const Cx<T>& v);
  // [s.list, {'x'}]: a matrix literal that joined cells.
  M& operator=(const br_t<T>& b);

  static M alloc(std::size_t rows, std::size_t cols);   // every element []
  static M alloc(const grl::sizes& d);

  std::size_t ndims() const { return dims_; }
  std::size_t extent(std::size_t k) const {
    if (k >= dims_) return 1;
    if (ext_) return (*ext_)[k];
    return k == 0 ? rows_ : cols_;
  }
  grl::sizes shape() const {
    if (!ext_) return grl::sizes{rows_, cols_};
    return grl::sizes(ext_->begin(), ext_->end());
  }
  void set_shape(const grl::sizes& d);
  void take_shape(const M& o) { rows_ = o.rows_; cols_ = o.cols_; dims_ = o.dims_; ext_ = o.ext_; }
  void drop_ext() { dims_ = 2; ext_.reset(); }
  double size(int k, int n) const {
    if (k < n) return double(extent(std::size_t(k - 1)));
    double p = 1;
    for (std::size_t d = std::size_t(k - 1); d < dims_; ++d) p *= double(extent(d));
    return p;
  }

  std::size_t rows() const { return rows_; }
  std::size_t cols() const { return cols_; }
  std::size_t numel() const { return std::size_t(rows_) * cols_; }
  bool isempty() const { return rows_ == 0 || cols_ == 0; }
  bool isc() const { return false; }
  const char* getname() const { return name_ ? name_ : "ans"; }
  // An input of a function takes its formal name (a copy made for the call has none).
  void name_as(const char* name) noexcept { name_ = name; }
  double size() const { return double(numel()); }
  double size(int k) const { return k == 1 ? rows_ : k == 2 ? cols_ : k >= 3 ? 1 : 0; }

  const M<T>& elem(std::size_t k) const { return cb_->e[k]; }
  M<T>& welem(std::size_t k) { unshare(); return cb_->e[k]; }
  void unshare();
  void resize(std::size_t rows, std::size_t cols);
  void reshape_to(std::size_t rows, std::size_t cols) {
    rows_ = std::uint32_t(rows); cols_ = std::uint32_t(cols); drop_ext();
  }

  // c{k}: Cx reads with a bound check and grows the cell on assignment.
  Cx<T> br(const grl::ix<T>& k) { return Cx<T>(this, k); }
  Cx<T> br(const grl::ix<T>& a, const grl::ix<T>& b) { return Cx<T>(this, a, b); }
  M<T> br(const grl::ix<T>& k) const;
  // c[k]: element k (from 1) of a cell list expansion.
  const M<T>& operator[](int k) const;
  // c(i), c(i,j): a cell of the chosen elements.
  M get1(const grl::ix<T>& a) const;
  M get2(const grl::ix<T>& a, const grl::ix<T>& b) const;
  void set1(const grl::ix<T>& a, const M& v);
  void set2(const grl::ix<T>& a, const grl::ix<T>& b, const M& v);
  void del1(const grl::ix<T>& a);
  void del2(const grl::ix<T>& a, const grl::ix<T>& b);
  M<T>& cell_ref(const grl::ix<T>& a, const grl::ix<T>* b);    // grows
  const M<T>& cell_get(const grl::ix<T>& a, const grl::ix<T>* b) const;
  Mx<M<T>> operator()(const grl::ix<T>& a);
  Mx<M<T>> operator()(const grl::ix<T>& a, const grl::ix<T>& b);
  // Three or more subscripts: c(i,j,k) and c{i,j,k}.
  Mx<M<T>> operator()(const grl::ix<T>& a, const grl::ix<T>& b, const grl::ix<T>& c);
  Cx<T> br(const grl::ix<T>& a, const grl::ix<T>& b, const grl::ix<T>& c) { return Cx<T>(this, a, b, c); }
  M getn(const std::vector<grl::ix<T>>& s) const;
  void setn(const std::vector<grl::ix<T>>& s, const M& v);
  void deln(const std::vector<grl::ix<T>>& s);
  M<T>& cell_refn(const std::vector<grl::ix<T>>& s);             // grows
  const M<T>& cell_getn(const std::vector<grl::ix<T>>& s) const;
};

// A cell element c{k} (c.br(k)).
template <class T> class Cx {
 public:
  M<M<T>>* c;
  grl::ix<T> a, b, k3;
  int n;
  Cx(M<M<T>>* cc, const grl::ix<T>& aa) : c(cc), a(aa), b(c_p), k3(c_p), n(1) {}
  Cx(M<M<T>>* cc, const grl::ix<T>& aa, const grl::ix<T>& bb) : c(cc), a(aa), b(bb), k3(c_p), n(2) {}
  Cx(M<M<T>>* cc, const grl::ix<T>& aa, const grl::ix<T>& bb, const grl::ix<T>& kk)
      : c(cc), a(aa), b(bb), k3(kk), n(3) {}
  Cx(const Cx&) = default;
  M<T> value() const;   // out of line (cell.cpp)
  operator M<T>() const { return value(); }
  M<T>& ref();
  Cx& operator=(const M<T>& v) { ref() = v; return *this; }
  Cx& operator=(const Cx& v) { M<T> t = v.value(); ref() = t; return *this; }
  template <class S, if_number<S> = 0> Cx& operator=(S v) { ref() = M<T>(T(v)); return *this; }
  Cx& operator=(nop_t) { ref() = M<T>(); return *this; }
  Cx& operator=(const br_t<T>& v) { ref() = v.value(); return *this; }
  Cx& operator=(const Mx<T>& v) { ref() = v.value(); return *this; }
  // c{k}{i}: an element of the cell held at c{k}
  M<T> br(const grl::ix<T>& i) const { return value().br(i); }
  M<T> br(const grl::ix<T>& i, const grl::ix<T>& j) const { return value().br(i, j); }
  // c{k}(i) and c{k}(i,j)
  Mx<T> operator()(const grl::ix<T>& i) { return ref()(i); }
  Mx<T> operator()(const grl::ix<T>& i, const grl::ix<T>& j) { return ref()(i, j); }
  // c{k}(i,j,p,...): an element of an N-d array held in the cell
  template <class... R>
  Mx<T> operator()(const grl::ix<T>& i, const grl::ix<T>& j, const grl::ix<T>& p, const R&... rest) {
    return ref()(i, j, p, rest...);
  }
  double size() const { return value().size(); }
  double size(int k) const { return value().size(k); }
  double size(int k, int nn) const { return value().size(k, nn); }
  explicit operator bool() const { return bool(value()); }
};

// Indexing of a cell with (): the specialisation for cells.
template <class T> class Mx<M<T>> {
 public:
  M<M<T>>* m;
  grl::ix<T> a, b, c;
  int n;
  Mx(M<M<T>>* mm, const grl::ix<T>& aa) : m(mm), a(aa), b(c_p), c(c_p), n(1) {}
  Mx(M<M<T>>* mm, const grl::ix<T>& aa, const grl::ix<T>& bb) : m(mm), a(aa), b(bb), c(c_p), n(2) {}
  Mx(M<M<T>>* mm, const grl::ix<T>& aa, const grl::ix<T>& bb, const grl::ix<T>& cc)
      : m(mm), a(aa), b(bb), c(cc), n(3) {}
  Mx(const Mx&) = default;
  // Out of line (cell.cpp).
  M<M<T>> value() const;
  operator M<M<T>>() const { return value(); }
  Mx& operator=(const M<M<T>>& v);
  Mx& operator=(const Mx& v) { return *this = v.value(); }
  Mx& operator=(nop_t);
};

namespace grl { [[noreturn]] void fail_brace(bool scalar); }
template <class T> inline M<T> M<T>::br(const grl::ix<T>& k) const {
  if (!cell_) grl::fail_brace(isscalar());
  return cell_->cell_get(k, nullptr);
}
template <class T> inline M<T> M<T>::br(const grl::ix<T>& a, const grl::ix<T>& b) const {
  if (!cell_) grl::fail_brace(isscalar());
  return cell_->cell_get(a, &b);
}

template <class T> inline Mx<M<T>> M<M<T>>::operator()(const grl::ix<T>& a) { return Mx<M<T>>(this, a); }
template <class T> inline Mx<M<T>> M<M<T>>::operator()(const grl::ix<T>& a, const grl::ix<T>& b) {
  return Mx<M<T>>(this, a, b);
}
template <class T>
inline Mx<M<T>> M<M<T>>::operator()(const grl::ix<T>& a, const grl::ix<T>& b, const grl::ix<T>& c) {
  return Mx<M<T>>(this, a, b, c);
}

// Builder of a cell literal: (CL(a),b,semi,c) is {a, b; c}. A cell piece inside a
// matrix literal of cells ([c1, c2]) concatenates.
template <class T> struct cl_t {
  std::vector<M<T>> items;
  std::vector<std::size_t> row_start{0};
  // All out of line (literal.cpp), as for br_t.
  cl_t();
  cl_t(const cl_t& o);
  cl_t(cl_t&& o) noexcept;
  ~cl_t();
  cl_t& operator,(const M<T>& x);
  template <class S, if_number<S> = 0> cl_t& operator,(S x) { return add_number(T(x)); }
  cl_t& add_number(T x);
  cl_t& operator,(const Mx<T>& x);
  cl_t& operator,(const Cx<T>& x);
  cl_t& operator,(const br_t<T>& x);
  cl_t& operator,(const M<M<T>>& x);
  cl_t& operator,(const cl_t& x);
  cl_t& operator,(nop_t);
  cl_t& operator,(const cs_t<T>& x);
  cl_t& operator,(semi_t);
  operator M<M<T>>() const { return value(); }
  M<M<T>> value() const;
};

// Builder of a matrix literal whose pieces are cells: [c1, c2; c3].
template <class T> struct bc_t {
  std::vector<M<M<T>>> items;
  std::vector<std::size_t> row_start{0};
  // All out of line (literal.cpp), as for br_t.
  bc_t();
  bc_t(const bc_t& o);
  bc_t(bc_t&& o) noexcept;
  ~bc_t();
  bc_t& operator,(const M<M<T>>& x);
  bc_t& operator,(const cl_t<T>& x);
  bc_t& operator,(nop_t) { return *this; }
  bc_t& operator,(semi_t);
  // A value among cells: the cell it holds, or a cell of one element holding it.
  bc_t& operator,(const M<T>& x);
  bc_t& operator,(const cs_t<T>& x);
  operator M<M<T>>() const { return value(); }
  M<M<T>> value() const;
};

template <class T> inline int cs_t<T>::end() const { return last < 0 ? int(c.numel()) : last; }
template <class T> inline const M<T>& cs_t<T>::at(int k) const { return c[k]; }
// The last index is checked first: a range past the end fails at its end.
template <class T> inline cs_t<T> CS(const M<M<T>>& c, int first, int last) {
  if (last >= first) (void)c[last];
  return cs_t<T>{c, first, last};
}

template <class T> inline double M<T>::size() const { return cell_ ? cell_->size() : double(numel()); }
template <class T> inline double M<T>::size(int k) const {
  if (cell_) return cell_->size(k);
  return k == 1 ? rows_ : k == 2 ? cols_ : k >= 3 ? 1 : 0;
}

template <class T> inline M<T> M<T>::of_cell(const M<M<T>>& c) {
  M<T> m;
  m.cell_ = grl::share_cell(c);
  return m;
}

namespace grl { [[noreturn]] void fail_not_cell(); }
// v{:} and v{a:b} of a value that holds a cell (a field, an element of a structure):
// the held cell's elements; any other value cannot be indexed with braces.
template <class T> inline const M<M<T>>& held_for_list(const M<T>& v) {
  if (!v.holds_cell()) grl::fail_brace(v.isscalar());
  return v.held_cell();
}
template <class T> inline cs_t<T> CS(const M<T>& v) { return cs_t<T>{held_for_list(v)}; }
template <class T> inline cs_t<T> CS(const M<T>& v, int first, int last) { return CS(held_for_list(v), first, last); }
template <class T>
template <class V, std::enable_if_t<std::is_same<V, M<T>>::value, int>>
inline M<M<T>>& M<M<T>>::operator=(const V& v) {
  if (!v.holds_cell()) grl::fail_not_cell();
  return *this = v.held_cell();
}
template <class T> inline M<M<T>>& M<M<T>>::operator=(const br_t<T>& b) {
  const M<T> v = b.value();
  return *this = v;
}
template <class T> inline M<M<T>>& M<M<T>>::operator=(const Cx<T>& v) {
  const M<T> e = v.value();
  return *this = e;
}

template <class T> inline M<T>& M<T>::operator=(const M<M<T>>& c) {
  if (c.numel() == 0) grl_fail("value on right hand side of assignment is undefined");
  return *this = M<T>(c.elem(0));
}

namespace grl {
// The cell a variable of any class holds, to be written (x{k} = v, x(k) = {..}): a copy
// of its own, so that other values holding the same cell keep theirs. An empty value
// becomes an empty cell (MATLAB's x = []; x{2} = v); any other value cannot be indexed
// with braces.
template <class T> M<M<T>>& held_w_copy(M<T>& x);   // the copy (cell.cpp)
template <class T> inline M<M<T>>& held_w(M<T>& x) {
  if (!x.cell_) {
    if (!x.isempty() || x.holds_struct()) fail_brace(x.isscalar());
    const char* name = x.name_;
    x = M<T>::of_cell(M<M<T>>());
    x.name_ = name;
  }
  return held_w_copy(x);
}
// The value a variable of any class takes in x = v: a cell (a literal, a cell variable,
// part of one) becomes a value holding it; anything else is assigned as it is.
template <class T> inline M<T> any_value(const M<M<T>>& c) { return M<T>::of_cell(c); }
template <class T> inline M<T> any_value(const cl_t<T>& c) { return M<T>::of_cell(c.value()); }
template <class T> inline M<T> any_value(const bc_t<T>& c) { return M<T>::of_cell(c.value()); }
template <class T> inline M<T> any_value(const Mx<M<T>>& c) { return M<T>::of_cell(c.value()); }
template <class V> inline const V& any_value(const V& v) { return v; }
// f(x) of a library function f with x of any class (f a generic callable): f's cell form
// when x holds a cell, its other form otherwise. Results of two types meet as a value.
template <class F, class T> inline auto any_call(F f, const M<T>& x) {
  using held_result = decltype(f(x.held_cell()));
  using plain_result = decltype(f(x));
  if constexpr (std::is_same<held_result, plain_result>::value) {
    if (x.holds_cell()) return f(x.held_cell());
    return f(x);
  } else {
    if (x.holds_cell()) return M<T>(f(x.held_cell()));
    return M<T>(f(x));
  }
}
}  // namespace grl

template <class T> inline Mx<T>& Mx<T>::held_assign(const M<M<T>>* v) {
  if (v && !m->cell_ && !m->isempty())
    grl_fail("operator =: no conversion for assignment of 'cell' to indexed '%s'",
             m->isscalar() ? "scalar" : "matrix");
  if (n > 3) grl_fail("a cell held in a value is indexed with at most three subscripts");
  Mx<M<T>> place(&grl::held_w(*m), a, b, c);
  place.n = n;
  if (v) place = *v;
  else place = nop_M;
  return *this;
}
template <class T> inline Mx<T>& Mx<T>::operator=(const cl_t<T>& v) {
  const M<M<T>> c = v.value();
  return held_assign(&c);
}

// The placeholder for inputs and outputs a shorter call does not supply.
struct junk_t {
  operator M<m_type>() const { return M<m_type>(); }
  operator M<M<m_type>>&() const;
};
extern junk_t junkM;

// ------------------------------------------------------------------------------
// Inline parts of the element access that hot loops use.

template <class T> inline grl::scal<T>::operator T&() {
  M<T>& m = owner();
  if (m.rows_ != 1 || m.cols_ != 1)
    grl_fail("index (_,_): a %ux%u value used where a scalar is needed", m.rows_, m.cols_);
  m.unshare();
  m.drop_exact();
  return *m.re_;
}
template <class T> inline grl::scal<T>::operator T() const {
  const M<T>& m = owner();
  if (m.rows_ != 1 || m.cols_ != 1)
    grl_fail("index (_,_): a %ux%u value used where a scalar is needed", m.rows_, m.cols_);
  return *m.re_;
}
template <class T> inline T& grl::scal<T>::operator()(double k) {
  M<T>& m = owner();
  std::size_t i = std::size_t(k);
  if (!(k >= 1) || double(i) != k || i > m.numel())
    grl_fail("index (%g): out of bound %zu (dimensions are %ux%u)", k, m.numel(), m.rows_, m.cols_);
  m.unshare();
  m.drop_exact();
  return m.re_[i - 1];
}
template <class T> inline T grl::scal<T>::operator()(double k) const {
  const M<T>& m = owner();
  std::size_t i = std::size_t(k);
  if (!(k >= 1) || double(i) != k || i > m.numel())
    grl_fail("index (%g): out of bound %zu (dimensions are %ux%u)", k, m.numel(), m.rows_, m.cols_);
  return m.re_[i - 1];
}
template <class T> inline grl::scal<T>& grl::scal<T>::operator=(T x) {
  M<T>& m = owner();
  if (m.rows_ == 1 && m.cols_ == 1 && !m.im_) { m.unshare(); m.drop_exact(); *m.re_ = x; }
  else m = M<T>(x);
  return *this;
}

namespace grl {
// The element offset of x(i,j,k) when all three are whole numbers in range.
template <class T>
inline bool scalar_offset3(const M<T>& x, const ix<T>& a, const ix<T>& b, const ix<T>& c, std::size_t& off) {
  if (a.kind != ix<T>::scalar || b.kind != ix<T>::scalar || c.kind != ix<T>::scalar) return false;
  if (!(a.s >= 1 && b.s >= 1 && c.s >= 1 && a.s < 1e15 && b.s < 1e15 && c.s < 1e15)) return false;
  const std::size_t i = std::size_t(a.s), j = std::size_t(b.s), k = std::size_t(c.s);
  if (double(i) != a.s || double(j) != b.s || double(k) != c.s || i < 1 || j < 1 || k < 1) return false;
  const std::size_t e1 = x.extent(1);
  if (i > x.rows_ || j > e1 || k > x.cols_ || (k - 1) * e1 >= x.cols_) return false;
  off = (i - 1) + x.rows_ * ((j - 1) + e1 * (k - 1));
  return true;
}
}  // namespace grl

// x(i) and x(i,j) with scalar indices: read without building a temporary index. The
// other forms are out of line (index.cpp).
template <class T> inline M<T> Mx<T>::value() const {
  if (n == 1 && a.kind == grl::ix<T>::scalar) {
    std::size_t k = std::size_t(a.s);
    if (double(k) == a.s && k >= 1 && k <= m->numel() && !m->im_ && !m->flags_ && !m->cls_)
      return M<T>(m->re_[k - 1]);
  } else if (n == 2 && a.kind == grl::ix<T>::scalar && b.kind == grl::ix<T>::scalar) {
    std::size_t i = std::size_t(a.s), j = std::size_t(b.s);
    if (double(i) == a.s && double(j) == b.s && i >= 1 && j >= 1 && i <= m->rows_ && j <= m->cols_ &&
        !m->im_ && !m->flags_ && !m->cls_)
      return M<T>(m->re_[(i - 1) + (j - 1) * m->rows_]);
  }
  return general_value();
}
template <class T> inline bool Mx<T>::put_scalar(T v) {
  if (m->im_ || m->flags_ || m->cls_ || m->cell_) return false;
  if (n == 1 && a.kind == grl::ix<T>::scalar) {
    std::size_t k = std::size_t(a.s);
    if (double(k) != a.s || k < 1 || k > m->numel()) return false;
    m->pr()[k - 1] = v;
    return true;
  }
  if (n == 2 && a.kind == grl::ix<T>::scalar && b.kind == grl::ix<T>::scalar) {
    std::size_t i = std::size_t(a.s), j = std::size_t(b.s);
    if (double(i) != a.s || double(j) != b.s || i < 1 || j < 1 || i > m->rows_ || j > m->cols_) return false;
    m->pr()[(i - 1) + (j - 1) * m->rows_] = v;
    return true;
  }
  return n == 3 && put_scalar3(v);
}
template <class T> inline Mx<T>& Mx<T>::operator=(T v) {
  if (put_scalar(v)) return *this;
  set(M<T>(v));
  return *this;
}

template <class T> inline Mx<T>& Mx<T>::operator=(const br_t<T>& v) { return *this = v.value(); }

template <class T> inline M<T> M<T>::operator()(const grl::ix<T>& a) const { return get1(a); }
template <class T> inline M<T> M<T>::operator()(const grl::ix<T>& a, const grl::ix<T>& b) const {
  return get2(a, b);
}

namespace grl {
// Element k of an index list: a number, a matrix, or the text ':' for a whole dimension.
template <class T> inline ix<T> list_index(const cs_t<T>& s, int k) {
  const M<T>& e = s.at(k);
  if (e.ischar() && e.numel() == 1 && e.cre()[0] == T(':')) return ix<T>(c_p);
  return ix<T>(e);
}
// Indices past the second must address the one page of a matrix: 1 or ':'.
template <class T> void check_extra_indices(const M<T>& x, const cs_t<T>& s);
}  // namespace grl
template <class T> inline Mx<T> M<T>::operator()(const cs_t<T>& s) {
  const int n = s.end() - s.first + 1;
  if (n == 1) return Mx<T>(this, grl::list_index(s, s.first));
  if (n > 2 && dims_ > 2) {
    Mx<T> x(this, grl::list_index(s, s.first), grl::list_index(s, s.first + 1), grl::list_index(s, s.first + 2));
    for (int k = 3; k < n; ++k) x.more.push_back(grl::list_index(s, s.first + k));
    x.n = n;
    return x;
  }
  if (n < 1 || n > 2) grl::check_extra_indices(*this, s);
  return Mx<T>(this, grl::list_index(s, s.first), grl::list_index(s, s.first + 1));
}

// A one-character text stays a value (not its code): a map of number keys refuses it.
// A 1 x 1 structure or cell has no numbers: it stays a value, which the index refuses.
template <class T> inline grl::ix<T>::ix(const M<T>& v) : kind(mat), m(&v) {
  if (v.is_real_scalar() && v.re_ && !v.islogical() && !v.ischar()) { kind = scalar; s = double(*v.re_); m = nullptr; }
}

namespace grl {
// A function's input takes its formal name, so that an error indexing it names it;
// a value without a name (a number, a constant) is left as it is.
template <class V> inline auto name_input_as(V& v, const char* name, int) -> decltype(v.name_as(name), void()) {
  v.name_as(name);
}
template <class V> inline void name_input_as(V&, const char*, long) {}
template <class V> inline void name_input(V& v, const char* name) { name_input_as(v, name, 0); }
}  // namespace grl

#endif
