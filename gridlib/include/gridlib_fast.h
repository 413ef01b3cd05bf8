// Direct element access for the translator's proven real double arrays: x(i), x(i,j)
// and x(i,j,k) with subscripts that are C++ numbers read and write the element in
// place. Whatever the direct path does not take (a subscript that is not a whole
// number within the extents, a value of another class, a complex value, growth, a
// shared block that is not worth copying) goes through the general indexing, so
// results and error messages are the same as there.
#ifndef GRIDLIB_FAST_H
#define GRIDLIB_FAST_H

#include <cmath>
#include <cstddef>
#include <tuple>
#include <type_traits>

#include "gridlib_matrix.h"

namespace grl {

template <class X> constexpr bool is_number_v = std::is_arithmetic<std::decay_t<X>>::value;

// A value whose elements are plain real doubles of class double.
template <class T> inline bool plain_numbers(const M<T>& a) {
  return a.flags_ == 0 && a.cls_ == mc_double && a.im_ == nullptr && a.re_ != nullptr && !a.holds_cell() &&
         !a.holds_struct();
}

// The value of an assignment to a proven scalar: a library function gives an M value
// (1 x 1 real, as proved), arithmetic on C++ numbers a number.
inline m_type real_scalar(const M<m_type>& v) { return v.numel() ? v.elem(0) : m_type(0); }
inline double real_scalar(double v) { return v; }

// A real double 1 x 1: a function's scalar form takes it as a C++ double.
template <class T> inline bool plain_scalar(const M<T>& a) { return a.isscalar() && plain_numbers(a); }

// A subscript the translator knows to follow a loop counter: w is its value as a whole
// number when the counter holds one (the counter's whole-number shadow plus a whole
// literal), d the value as M computes it in doubles. When the counter is no whole
// number its shadow is far outside any extent, so w fails the bounds check and d
// takes the general path.
struct whole_sub {
  long long w;
  double d;
};
// The shadow of a counter value: itself as a whole number, or a value that stays
// outside every extent after the small offsets the translator adds.
constexpr long long kNoWhole = -(1LL << 52);
inline long long whole_of(double v) {
  if (!(v >= -1099511627776.0 && v <= 1099511627776.0)) return kNoWhole;   // 2^40
  const long long w = static_cast<long long>(v);
  return double(w) == v ? w : kNoWhole;
}
inline double sub_value(double s) { return s; }
inline double sub_value(const whole_sub& s) { return s.d; }
template <class S> inline double sub_value(const S& s) { return double(s); }
// A subscript as the general indexing takes it (next to one that is no number).
template <class S> inline const S& general_sub(const S& s) { return s; }
inline double general_sub(const whole_sub& s) { return s.d; }
template <class S> constexpr bool is_sub_v = is_number_v<S> || std::is_same<std::decay_t<S>, whole_sub>::value;

// Subscript s (from 1) of an extent n: its offset, or false when it is not a whole
// number from 1 to n.
inline bool fast_offset(double s, std::size_t n, std::size_t& k) {
  if (!(s >= 1.0 && s <= double(n))) return false;
  k = std::size_t(s);
  if (double(k) != s) return false;
  --k;
  return true;
}
inline bool fast_offset(const whole_sub& s, std::size_t n, std::size_t& k) {
  k = std::size_t(s.w) - 1;
  return k < n;
}
template <class S> inline bool fast_offset(const S& s, std::size_t n, std::size_t& k) {
  return fast_offset(double(s), n, k);
}

template <class T, class I> inline bool fast_position(const M<T>& a, const I& i, std::size_t& k) {
  return plain_numbers(a) && fast_offset(i, a.numel(), k);
}
template <class T, class I, class J> inline bool fast_position(const M<T>& a, const I& i, const J& j, std::size_t& k) {
  std::size_t r, c;
  if (!plain_numbers(a) || a.ndims() != 2 || !fast_offset(i, a.rows(), r) || !fast_offset(j, a.cols(), c))
    return false;
  k = c * a.rows() + r;
  return true;
}
template <class T, class I, class J, class P>
inline bool fast_position(const M<T>& a, const I& i, const J& j, const P& p, std::size_t& k) {
  std::size_t r, c, q;
  if (!plain_numbers(a) || a.ndims() > 3 || !fast_offset(i, a.extent(0), r) || !fast_offset(j, a.extent(1), c) ||
      !fast_offset(p, a.extent(2), q))
    return false;
  k = (q * a.extent(1) + c) * a.extent(0) + r;
  return true;
}

// The general indexing, for what the direct path does not take.
template <class T, class... S> inline T general_get(const M<T>& a, const S&... s) {
  const M<T> v = a(ix<T>(sub_value(s))...);
  // Only a value the translator proved real double comes here, so the general
  // result is a real 1 x 1 (or the general indexing has failed).
  return T(v.numel() == 1 && v.re_ ? v.re_[0] : T(0));
}

// a(s...) of a real double array: a T when every subscript is a number, the general
// result otherwise.
template <class T, class... S> inline auto elem_get(const M<T>& a, const S&... s) {
  if constexpr ((is_sub_v<S> && ...)) {
    std::size_t k;
    if (__builtin_expect(fast_position(a, s..., k), 1)) return T(a.re_[k]);
    return general_get(a, s...);
  } else {
    return M<T>(a(general_sub(s)...));
  }
}

// a(s...) = v: stored in place when the direct path takes it. elem_ref(a, s...) = v is
// the statement the translator writes.
template <class T, class V, class... S> inline void elem_set(M<T>& a, const V& v, const S&... s) {
  if constexpr ((is_sub_v<S> && ...) && is_number_v<V>) {
    std::size_t k;
    if (__builtin_expect(fast_position(a, s..., k), 1)) {
      a.pr()[k] = T(v);
      return;
    }
    a(ix<T>(sub_value(s))...) = M<T>(T(v));
  } else if constexpr ((is_sub_v<S> && ...)) {
    a(ix<T>(sub_value(s))...) = v;
  } else {
    a(general_sub(s)...) = v;
  }
}

template <class T, class... S> struct elem_ref_t {
  M<T>& a;
  std::tuple<const S&...> s;
  template <class V> void operator=(const V& v) {
    std::apply([&](const S&... x) { elem_set(a, v, x...); }, s);
  }
};
template <class T, class... S> inline elem_ref_t<T, S...> elem_ref(M<T>& a, const S&... s) {
  return elem_ref_t<T, S...>{a, std::tuple<const S&...>(s...)};
}

// A view of a proven real double array for the length of a loop that uses it only
// element by element: where its elements are and its extents, read once when the
// loop starts instead of at every access. Nothing but the view's own accesses reads
// or writes the variable inside the loop (the translator proves it), so the view stays
// true; a write the direct path does not take (growth) goes through the general
// indexing and reads the view again. The first write makes the block the variable's
// own (copy on write, and a range's mark dropped) and keeps the pointer for the rest.
template <class T> struct array_view {
  M<T>& a;
  const T* rp = nullptr;   // the elements, for reading; nullptr: every access is general
  T* wp = nullptr;         // the same, once the block is the variable's own
  std::size_t n = 0, e0 = 0, e1 = 0, e2 = 0;   // elements; extents (e1: the product of the rest)
  bool two = false, three = false;             // two and three subscripts index directly
  explicit array_view(M<T>& x) : a(x) { refresh(); }
  array_view(const array_view&) = delete;
  array_view& operator=(const array_view&) = delete;
  void refresh() {
    rp = nullptr;
    wp = nullptr;
    if (!plain_numbers(a)) return;
    rp = a.re_;
    n = a.numel();
    e0 = a.rows();
    e1 = a.cols();
    two = a.ndims() == 2;
    three = a.ndims() <= 3;
    e2 = three ? a.extent(2) : 0;
    if (three) e1 = a.extent(1);
  }
  // Whether a loop that reads (writes) it with d subscripts may index it directly for
  // its whole run: the elements are plain real doubles (and the block is its own,
  // copied first when shared) and d subscripts address them as extents e0.. do.
  bool reads(int d) const { return rp != nullptr && (d == 1 || (d == 2 ? two : three)); }
  bool writes(int d) {
    if (rp && !wp) own();
    return wp != nullptr && reads(d);
  }
  // After a write through the general indexing, or at the first write.
  void own() {
    refresh();
    if (rp) {
      wp = a.pr();
      rp = wp;
    }
  }
};

template <class T, class I> inline bool view_position(const array_view<T>& v, const I& i, std::size_t& k) {
  return fast_offset(i, v.n, k);
}
template <class T, class I, class J>
inline bool view_position(const array_view<T>& v, const I& i, const J& j, std::size_t& k) {
  std::size_t r, c;
  if (!v.two || !fast_offset(i, v.e0, r) || !fast_offset(j, v.e1, c)) return false;
  k = c * v.e0 + r;
  return true;
}
template <class T, class I, class J, class P>
inline bool view_position(const array_view<T>& v, const I& i, const J& j, const P& p, std::size_t& k) {
  std::size_t r, c, q;
  if (!v.three || !fast_offset(i, v.e0, r) || !fast_offset(j, v.e1, c) || !fast_offset(p, v.e2, q)) return false;
  k = (q * v.e1 + c) * v.e0 + r;
  return true;
}

template <class T, class... S> __attribute__((noinline, cold)) T view_get_general(const array_view<T>& v, S... s) {
  return general_get(v.a, s...);
}
template <class T, class V, class... S>
__attribute__((noinline, cold)) void view_set_general(array_view<T>& v, const V& x, S... s) {
  if (v.rp && !v.wp) {
    // The first write: the block becomes the variable's own, then the direct path.
    v.own();
    std::size_t k;
    if constexpr (is_number_v<V>) {
      if (view_position(v, s..., k)) {
        v.wp[k] = T(x);
        return;
      }
    }
  }
  elem_set(v.a, x, s...);
  v.own();
}

template <class T, class... S> inline auto elem_get(const array_view<T>& v, const S&... s) {
  if constexpr ((is_sub_v<S> && ...)) {
    std::size_t k;
    if (__builtin_expect(v.rp != nullptr && view_position(v, s..., k), 1)) return T(v.rp[k]);
    return view_get_general(v, s...);
  } else {
    return M<T>(v.a(general_sub(s)...));
  }
}

template <class T, class V, class... S> inline void view_set(array_view<T>& v, const V& x, const S&... s) {
  if constexpr ((is_sub_v<S> && ...)) {
    std::size_t k;
    if constexpr (is_number_v<V>) {
      if (__builtin_expect(v.wp != nullptr && view_position(v, s..., k), 1)) {
        v.wp[k] = T(x);
        return;
      }
    }
    view_set_general(v, x, s...);
  } else {
    v.a(general_sub(s)...) = x;
    v.own();
  }
}

// The accesses of a loop whose subscripts were all checked when it started (see
// fast_loop below): in the copy that runs when the check held (std::true_type) the
// subscripts' whole numbers address the element with no test; in the other copy the
// access is the ordinary one.
inline std::size_t checked_offset(const whole_sub& s) { return std::size_t(s.w - 1); }
template <class T> inline std::size_t checked_position(const array_view<T>& v, const whole_sub& i) {
  return checked_offset(i);
}
template <class T>
inline std::size_t checked_position(const array_view<T>& v, const whole_sub& i, const whole_sub& j) {
  return checked_offset(j) * v.e0 + checked_offset(i);
}
template <class T>
inline std::size_t checked_position(const array_view<T>& v, const whole_sub& i, const whole_sub& j,
                                    const whole_sub& p) {
  return (checked_offset(p) * v.e1 + checked_offset(j)) * v.e0 + checked_offset(i);
}
template <class T, class... S> inline T elem_get(std::true_type, const array_view<T>& v, const S&... s) {
  return v.rp[checked_position(v, s...)];
}
template <class T, class... S> inline auto elem_get(std::false_type, const array_view<T>& v, const S&... s) {
  return elem_get(v, s...);
}

template <class T, class... S> struct view_ref_t {
  array_view<T>& v;
  std::tuple<const S&...> s;
  template <class V> void operator=(const V& x) {
    std::apply([&](const S&... i) { view_set(v, x, i...); }, s);
  }
};
template <class T, class... S> inline view_ref_t<T, S...> elem_ref(array_view<T>& v, const S&... s) {
  return view_ref_t<T, S...>{v, std::tuple<const S&...>(s...)};
}
// (A value that is not a C++ number is assigned by the general indexing, which checks
// its size.)
template <class T, class... S> struct checked_ref_t {
  array_view<T>& v;
  std::tuple<const S&...> s;
  template <class V> void operator=(const V& x) {
    std::apply(
        [&](const S&... i) {
          if constexpr (is_number_v<V>) v.wp[checked_position(v, i...)] = T(x);
          else view_set(v, x, i...);
        },
        s);
  }
};
template <class T, class... S> inline checked_ref_t<T, S...> elem_ref(std::true_type, array_view<T>& v, const S&... s) {
  return checked_ref_t<T, S...>{v, std::tuple<const S&...>(s...)};
}
template <class T, class... S> inline view_ref_t<T, S...> elem_ref(std::false_type, array_view<T>& v, const S&... s) {
  return view_ref_t<T, S...>{v, std::tuple<const S&...>(s...)};
}

// A subscript that runs from lo to hi over a loop lies within an extent n.
inline bool fits(long long lo, long long hi, std::size_t n) { return lo >= 1 && hi <= (long long)(n); }

// The values of a range a:step:b that a for loop takes one by one. The count is fixed
// when the loop starts and the k-th value is the range's k-th element exactly as the
// colon operator makes it; ends that are not plain real double scalars (a class of
// their own, text, empty) take the colon operator's value itself, element by element.
class for_range {
 public:
  template <class A, class S, class B> for_range(const A& a, const S& step, const B& b) {
    double x, s, y;
    if (plain_end(a, x) && plain_end(step, s) && plain_end(b, y)) {
      count(x, s, y);
    } else {
      general_ = true;
      values_ = colon(as_value(a), as_value(step), as_value(b));
      n = values_.isempty() ? 0 : values_.cols();
    }
  }
  template <class A, class B> for_range(const A& a, const B& b) : for_range(a, 1.0, b) {}

  std::size_t n = 0;   // passes

  // Whether every value is a whole number of at most 2^40 in size (whole first value
  // and step): the k-th value is then first + k * step exactly, counted in integers.
  bool whole() const { return whole_; }
  // The smallest and the largest value (of a whole range that runs).
  long long lo() const { return ws_ > 0 ? wa_ : wa_ + (long long)(n - 1) * ws_; }
  long long hi() const { return ws_ > 0 ? wa_ + (long long)(n - 1) * ws_ : wa_; }
  // The k-th value into the counter and its whole-number copy: counted in integers in
  // the copy of a loop that runs only over a whole range (std::true_type).
  void take(double& v, long long& q, std::size_t k, std::true_type) const {
    q = wa_ + (long long)k * ws_;
    v = double(q);
  }
  void take(double& v, long long& q, std::size_t k, std::false_type) const {
    take(v, k);
    q = whole_of(v);
  }

  // The k-th value (from 0) into the loop's variable.
  void take(double& v, std::size_t k) const { v = general_ ? double(values_.elem(k)) : at(k); }
  template <class T> void take(M<T>& v, std::size_t k) const {
    if (general_) forelem(v, values_, int(k + 1));
    else v = T(at(k));
  }
  // A loop that runs no pass leaves its variable the empty range.
  template <class T> void none(M<T>& v) const {
    if (n) return;
    if (general_) v = values_;
    else v = M<T>::alloc(1, 0);
  }
  void none(double&) const {}

 private:
  double a_ = 0, step_ = 0, b_ = 0;
  bool general_ = false;
  bool whole_ = false;
  long long wa_ = 0, ws_ = 0;
  M<m_type> values_;

  static bool plain_end(double v, double& out) { out = v; return true; }
  template <class X> static bool plain_end(const X& v, double& out) {
    if constexpr (is_number_v<X>) {
      out = double(v);
      return true;
    } else {
      if (!plain_scalar(v)) return false;
      out = double(v.elem(0));
      return true;
    }
  }
  template <class X> static M<m_type> as_value(const X& v) {
    if constexpr (is_number_v<X>) return M<m_type>(m_type(v));
    else return M<m_type>(v);
  }
  // The colon operator's count: a NaN anywhere gives one NaN; a zero step or one
  // pointing away from the end gives none.
  void count(double a, double s, double b) {
    a_ = a;
    step_ = s;
    b_ = b;
    if (a != a || s != s || b != b) {
      a_ = NAN;
      step_ = 0;
      n = 1;
      return;
    }
    if (s == 0 || (s > 0 && a > b) || (s < 0 && a < b)) return;
    const double span = (b - a) / s;
    if (span > 4e9) fail_too_large();
    n = std::size_t(std::floor(span + span * 1e-15 + 1e-10)) + 1;
    const double last = a + double(n - 1) * s;
    const double limit = 1099511627776.0;   // 2^40
    // (The count's tolerance may give a last value past a fractional end, which the
    // colon operator clamps to the end: such a range is not whole.)
    if (a == std::floor(a) && s == std::floor(s) && std::fabs(a) <= limit && std::fabs(s) <= limit &&
        std::fabs(last) <= limit && (s > 0 ? last <= b : last >= b)) {
      whole_ = true;
      wa_ = (long long)(a);
      ws_ = (long long)(s);
    }
  }
  m_type at(std::size_t k) const {
    double v = a_ + double(k) * step_;
    if ((step_ > 0 && v > b_) || (step_ < 0 && v < b_)) v = b_;
    return m_type(v);
  }
};

// A while loop `while v <= e` (<, >=, >) whose body changes v only by one statement
// v = v + c (v = v - c), with e and c fixed while it runs: when v and c are whole
// numbers (c >= 0) and e is finite, v stays a whole number, and the values it holds
// where the body's other statements run lie from lo() to hi() (shifted by the step
// when the step stands first in the body). n: whether the loop may run a pass.
class while_span {
 public:
  while_span(double v, double c, double e, bool up, bool strict, bool after) {
    const double limit = 1099511627776.0;   // 2^40
    if (!(sc_whole_span(v) && sc_whole_span(c) && c >= 0 && e >= -limit && e <= limit)) return;
    double lo, hi;
    if (up) {
      lo = v;
      hi = strict ? std::ceil(e) - 1 : std::floor(e);
    } else {
      lo = strict ? std::floor(e) + 1 : std::ceil(e);
      hi = v;
    }
    if (lo > hi) return;
    const double shift = after ? (up ? c : -c) : 0.0;
    whole_ = true;
    n = 1;
    lo_ = (long long)(lo + shift);
    hi_ = (long long)(hi + shift);
  }
  std::size_t n = 0;
  bool whole() const { return whole_; }
  long long lo() const { return lo_; }
  long long hi() const { return hi_; }

 private:
  bool whole_ = false;
  long long lo_ = 0, hi_ = 0;
  static bool sc_whole_span(double v) { return v >= -1099511627776.0 && v <= 1099511627776.0 && v == std::trunc(v); }
};
// The whole-number copy of such a loop's counter: in the copy that runs when the
// span's checks held it is the counter's value; otherwise whole_of's.
inline long long whole_q(std::true_type, double v) { return (long long)(v); }
inline long long whole_q(std::false_type, double v) { return whole_of(v); }

// After a loop over an empty value (a general for loop runs no pass over it), its
// variable holds that value.
template <class V, class X> inline void for_none(V& v, const X& x) {
  if constexpr (!is_number_v<V>) {
    if (x.isempty()) v = x;
  }
}
template <class T> inline void for_none(M<T>& v, const M<M<T>>& x) {
  if (x.isempty()) v = M<T>(x);
}

}  // namespace grl

namespace grl {

// mod and rem of one pair of real scalars as the general forms compute them
// (math_elem.cpp), for the operands the scalar forms below do not take themselves.
m_type mod_scalar(m_type x, m_type y);
m_type rem_scalar(m_type x, m_type y);

// Library functions of real double scalars, for statements the translator proved to
// compute on C++ doubles: the same values as the general forms (which give a real
// 1 x 1 of class double for real double scalars), without making M values. mod and
// rem of whole numbers below 2^40 in size are exact with fmod (x / y is then never
// within rounding of an integer unless y divides x); other operands take the general
// forms' arithmetic, without M values.
inline double sc_floor(double x) { return std::floor(x); }
inline double sc_ceil(double x) { return std::ceil(x); }
inline double sc_round(double x) { return std::round(x); }   // halves away from zero
inline double sc_fix(double x) { return std::trunc(x); }
inline double sc_abs(double x) { return std::fabs(x); }
// exp and the trigonometric and hyperbolic functions compute in the library's precision,
// as the general forms do.
inline double sc_exp(double x) { return std::exp(m_type(x)); }
inline double sc_sin(double x) { return std::sin(m_type(x)); }
inline double sc_cos(double x) { return std::cos(m_type(x)); }
inline double sc_tan(double x) { return std::tan(m_type(x)); }
inline double sc_atan(double x) { return std::atan(m_type(x)); }
inline double sc_sinh(double x) { return std::sinh(m_type(x)); }
inline double sc_cosh(double x) { return std::cosh(m_type(x)); }
inline double sc_tanh(double x) { return std::tanh(m_type(x)); }
inline double sc_hypot(double x, double y) { return std::hypot(m_type(x), m_type(y)); }
// sqrt and log of a number the translator proved not negative (-0 and NaN may come).
inline double sc_sqrt(double x) { return std::sqrt(m_type(x)); }
inline double sc_log(double x) { return std::log(m_type(x)); }
inline double sc_atan2(double y, double x) { return std::atan2(m_type(y), m_type(x)); }
// sign of -0 is 0, of NaN NaN.
inline double sc_sign(double x) { return x > 0 ? 1.0 : x < 0 ? -1.0 : x == x ? 0.0 : x; }
// max and min choose as the general forms do: a NaN loses to a number, and of two
// equal scalars (0 and -0) the second is kept.
inline double sc_max(double u, double v) { return (v >= u || u != u) ? v : u; }
inline double sc_min(double u, double v) { return (v <= u || u != u) ? v : u; }
inline bool sc_whole(double v) { return v >= -1099511627776.0 && v <= 1099511627776.0 && v == std::trunc(v); }
inline double sc_mod(double x, double y) {
  if (y != 0 && sc_whole(x) && sc_whole(y)) {
    double r = std::fmod(x, y);
    if (r == 0) return std::copysign(0.0, y);   // a zero has the sign of y
    if ((r < 0) != (y < 0)) r += y;
    return r;
  }
  return mod_scalar(m_type(x), m_type(y));
}
inline double sc_rem(double x, double y) {
  if (y != 0 && sc_whole(x) && sc_whole(y)) return std::fmod(x, y);   // a zero has the sign of x
  return rem_scalar(m_type(x), m_type(y));
}

}  // namespace grl

#endif
