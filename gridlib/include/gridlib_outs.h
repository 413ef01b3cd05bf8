// Output lists whose length is known only when the program runs: [c{:}] = f(x),
// [a, c{2:3}] = f(x), [s.name] = f(x) for an M function f; and the fields of structure
// array elements named by three or four subscripts as targets. The number of outputs the
// call asks for is the number of places the list names; f runs once with that many
// outputs, written into slots, which are then stored in order. The translator writes
//   grl::out_call<N>("f", GRL_OUTS(f(x), f(x, i_o, _o...)), a, CS(c), ...)
// where N is the most outputs f has, f(x) its one-output form and the second call
// the form that takes output references.
#ifndef GRIDLIB_OUTS_H
#define GRIDLIB_OUTS_H

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "gridlib_matrix.h"
#include "gridlib_core.h"

namespace grl {

// One output of the call. It converts to the reference an output of an M function
// is passed as: Mr<T> for a value of any class, M<M<T>>& for an output known to be a
// cell (that slot then holds a cell).
template <class T> struct out_slot {
  M<T> v;
  M<M<T>> cv;
  bool cell = false;
  operator Mr<T>() { return Mr<T>(v); }
  operator M<M<T>>&() {
    cell = true;
    return cv;
  }
  M<T> value() const { return cell ? M<T>(cv) : v; }
};

// The one-output form's value into the first slot.
template <class V, class T> void out_first(V&& value, out_slot<T>& slot) {
  slot.v = std::forward<V>(value);
}

#define GRL_OUTS(one, many)                                  \
  [&](auto&... _o) {                                         \
    if constexpr (sizeof...(_o) == 0) {                      \
      (void)(one);                                           \
    } else if constexpr (sizeof...(_o) == 1) {               \
      grl::out_first(one, _o...);                            \
    } else {                                                 \
      (void)(many);                                          \
    }                                                        \
  }

// The places an output list names, and how many values each takes.
template <class T> std::size_t out_count(const M<T>&) { return 1; }
template <class T> std::size_t out_count(const Mr<T>&) { return 1; }
template <class T> std::size_t out_count(const Cx<T>&) { return 1; }
template <class T> std::size_t out_count(const Mx<T>&) { return 1; }
template <class T> std::size_t out_count(const cs_t<T>& s) {
  const int n = s.end() - s.first + 1;
  return n > 0 ? std::size_t(n) : 0;
}

// Each place takes its values from the slots, from position k on.
template <class T> void out_store(M<T>& x, std::vector<out_slot<m_type>>& slots, std::size_t& k) {
  x = slots[k++].value();
}
template <class T> void out_store(Mr<T> x, std::vector<out_slot<m_type>>& slots, std::size_t& k) {
  x = slots[k++].value();
}
template <class T> void out_store(Cx<T> x, std::vector<out_slot<m_type>>& slots, std::size_t& k) {
  x.ref() = slots[k++].value();
}
template <class T> void out_store(Mx<T>&& x, std::vector<out_slot<m_type>>& slots, std::size_t& k) {
  x = slots[k++].value();
}
template <class T> void out_store(const cs_t<T>& s, std::vector<out_slot<m_type>>& slots, std::size_t& k) {
  M<M<T>>& c = const_cast<M<M<T>>&>(s.c);
  for (int e = s.first; e <= s.end(); ++e) c.cell_ref(ix<T>(double(e)), nullptr) = slots[k++].value();
}

// [s.f] = f(x) and [s(k).f] = f(x): the field of each element of s (of s(k)) is a
// place; an s that is no structure yet (or is empty) and is not indexed takes one.
// The name is held as text: a dynamic name, [s.(n)] = f(x), is a value made for the call.
struct field_places_t {
  M<m_type>& s;
  const ix<m_type>* k;
  std::string name;
};
// The text of a dynamic field name; a value that is no one-row text fails (struct.cpp).
std::string field_name_text(const M<m_type>& name);
inline field_places_t field_places(M<m_type>& s, const char* name) { return field_places_t{s, nullptr, name}; }
inline field_places_t field_places(M<m_type>& s, const ix<m_type>& k, const char* name) {
  return field_places_t{s, &k, name};
}
inline field_places_t field_places(M<m_type>& s, const M<m_type>& name) {
  return field_places_t{s, nullptr, field_name_text(name)};
}
inline field_places_t field_places(M<m_type>& s, const ix<m_type>& k, const M<m_type>& name) {
  return field_places_t{s, &k, field_name_text(name)};
}
// How many elements the places name (struct.cpp).
std::size_t field_place_count(const M<m_type>& s, const ix<m_type>* k);
inline std::size_t out_count(const field_places_t& p) { return field_place_count(p.s, p.k); }
void deal_fields(M<m_type>& s, const char* name, const std::vector<M<m_type>>& vals);
void deal_fields(M<m_type>& s, const ix<m_type>& k, const char* name, const std::vector<M<m_type>>& vals);
// [s.(n)] = deal(...) and [s(k).(n)] = deal(...).
inline void deal_fields(M<m_type>& s, const M<m_type>& name, const std::vector<M<m_type>>& vals) {
  deal_fields(s, field_name_text(name).c_str(), vals);
}
inline void deal_fields(M<m_type>& s, const ix<m_type>& k, const M<m_type>& name,
                        const std::vector<M<m_type>>& vals) {
  deal_fields(s, k, field_name_text(name).c_str(), vals);
}
inline void out_store(const field_places_t& p, std::vector<out_slot<m_type>>& slots, std::size_t& k) {
  const std::size_t n = out_count(p);
  std::vector<M<m_type>> vals;
  for (std::size_t e = 0; e < n; ++e) vals.push_back(slots[k++].value());
  if (n == 0) return;
  if (p.k) deal_fields(p.s, *p.k, p.name.c_str(), vals);
  else deal_fields(p.s, p.name.c_str(), vals);
}

// s(i, j, k).name = v and s(i, j, k, l).name = v: the array grows, as a matrix grows, to
// hold the element; new elements have every field empty.
M<m_type>& elem_field_ref(M<m_type>& s, const ix<m_type>& i, const ix<m_type>& j, const ix<m_type>& k,
                          const char* name);
M<m_type>& elem_field_ref(M<m_type>& s, const ix<m_type>& i, const ix<m_type>& j, const ix<m_type>& k,
                          const ix<m_type>& l, const char* name);

[[noreturn]] inline void fail_too_many_outputs(const char* name) {
  grl_fail_id("Octave:invalid-fun-call", "%s: function called with too many outputs", name);
}

template <class F, std::size_t... K>
void out_apply(F& f, std::vector<out_slot<m_type>>& slots, std::index_sequence<K...>) {
  f(slots[K]...);
}

// Calls f with the first n slots, for the n known only now (n <= N).
template <std::size_t N, std::size_t n, class F>
void out_dispatch(F& f, std::vector<out_slot<m_type>>& slots) {
  if constexpr (n > N) {
    (void)f;
    (void)slots;
  } else if (slots.size() == n) {
    out_apply(f, slots, std::make_index_sequence<n>{});
  } else {
    out_dispatch<N, n + 1>(f, slots);
  }
}

template <std::size_t N, class F, class... P>
void out_call(const char* name, F&& f, P&&... places) {
  const std::size_t n = (std::size_t(0) + ... + out_count(places));
  if (n > N) fail_too_many_outputs(name);
  std::vector<out_slot<m_type>> slots(n);
  out_dispatch<N, 0>(f, slots);
  std::size_t k = 0;
  (out_store(std::forward<P>(places), slots, k), ...);
}

}  // namespace grl

#endif  // GRIDLIB_OUTS_H
