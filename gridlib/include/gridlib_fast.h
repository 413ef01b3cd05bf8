// Direct element access for the translator's proven real double arrays: x(i), x(i,j)
// and x(i,j,k) with subscripts that are C++ numbers read and write the element in
// place. Whatever the direct path does not take (a subscript that is not a whole
// number within the extents, a value of another class, a complex value, growth, a
// shared block that is not worth copying) goes through the general indexing, so
// results and error messages are the same as there.
#ifndef GRIDLIB_FAST_H
#define GRIDLIB_FAST_H

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

// Subscript s (from 1) of an extent n: its offset, or false when it is not a whole
// number from 1 to n.
inline bool fast_offset(double s, std::size_t n, std::size_t& k) {
  if (!(s >= 1.0 && s <= double(n))) return false;
  k = std::size_t(s);
  if (double(k) != s) return false;
  --k;
  return true;
}

template <class T> inline bool fast_position(const M<T>& a, double i, std::size_t& k) {
  return plain_numbers(a) && fast_offset(i, a.numel(), k);
}
template <class T> inline bool fast_position(const M<T>& a, double i, double j, std::size_t& k) {
  std::size_t r, c;
  if (!plain_numbers(a) || a.ndims() != 2 || !fast_offset(i, a.rows(), r) || !fast_offset(j, a.cols(), c))
    return false;
  k = c * a.rows() + r;
  return true;
}
template <class T> inline bool fast_position(const M<T>& a, double i, double j, double p, std::size_t& k) {
  std::size_t r, c, q;
  if (!plain_numbers(a) || a.ndims() > 3 || !fast_offset(i, a.extent(0), r) || !fast_offset(j, a.extent(1), c) ||
      !fast_offset(p, a.extent(2), q))
    return false;
  k = (q * a.extent(1) + c) * a.extent(0) + r;
  return true;
}

// a(s...) of a real double array: a T when every subscript is a number, the general
// result otherwise.
template <class T, class... S> inline auto elem_get(const M<T>& a, const S&... s) {
  if constexpr ((is_number_v<S> && ...)) {
    std::size_t k;
    if (__builtin_expect(fast_position(a, double(s)..., k), 1)) return T(a.re_[k]);
    const M<T> v = a(ix<T>(s)...);
    // Only a value the translator proved real double comes here, so the general
    // result is a real 1 x 1 (or the general indexing has failed).
    return T(v.numel() == 1 && v.re_ ? v.re_[0] : T(0));
  } else {
    return M<T>(a(s...));
  }
}

// a(s...) = v: stored in place when the direct path takes it. elem_ref(a, s...) = v is
// the statement the translator writes.
template <class T, class V, class... S> inline void elem_set(M<T>& a, const V& v, const S&... s) {
  if constexpr ((is_number_v<S> && ...) && is_number_v<V>) {
    std::size_t k;
    if (__builtin_expect(fast_position(a, double(s)..., k), 1)) {
      a.pr()[k] = T(v);
      return;
    }
    a(ix<T>(s)...) = M<T>(T(v));
  } else {
    a(s...) = v;
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

}  // namespace grl

#endif
