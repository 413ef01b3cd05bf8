// The names that generated statements use, declared just far enough for the C++
// compiler to check the translator's text. The run-time library provides the real ones.
#pragma once
#include <iostream>

struct i_o_t {};
inline i_o_t i_o;
struct c_p_t {};
inline c_p_t c_p;
struct semi_t {};
inline semi_t semi;

template <class T>
struct M {
  M() {}
  M(const char*, int, int) {}
  M(double) {}
  bool holds_cell() const { return false; }
  M held_cell() const { return M(); }
  struct real { operator double() const { return 0; } double operator()(int) const { return 0; } real& operator+=(double) { return *this; } };
  real r;
  template <class... A> M operator()(A...) const { return M(); }
  template <class... A> T br(A...) const { return T(); }
  double size(int = 0) const { return 0; }
  M& operator=(double) { return *this; }
};
using Md = M<double>;
template <class T> Md operator+(const M<T>&, const M<T>&) { return Md(); }
template <class T> Md operator+(const M<T>&, double) { return Md(); }
template <class T> Md operator-(const M<T>&, double) { return Md(); }
template <class T> Md operator-(const M<T>&, const M<T>&) { return Md(); }
template <class T> Md operator<(const M<T>&, double) { return Md(); }
template <class T> Md operator>(const M<T>&, double) { return Md(); }
template <class T> Md operator==(const M<T>&, double) { return Md(); }
template <class T> Md operator!=(const M<T>&, double) { return Md(); }
template <class T> Md operator&&(const M<T>&, const M<T>&) { return Md(); }
inline Md operator,(const Md&, const Md&) { return Md(); }
inline Md operator,(const Md&, double) { return Md(); }
inline Md operator,(const Md&, semi_t) { return Md(); }
inline Md BR(double) { return Md(); }
inline M<Md> CL(double) { return M<Md>(); }
inline M<Md> operator,(const M<Md>&, const char*) { return M<Md>(); }
inline const char* TM(const char* s) { return s; }
inline Md colon(double, double, double) { return Md(); }
template <class X> bool istrue(const X&) { return true; }
template <class A, class B> Md times(const A&, const B&) { return Md(); }
template <class A> Md ctranspose(const A&) { return Md(); }
inline int forsize(const Md&) { return 0; }
inline void forelem(Md&, const Md&, int) {}
inline void size(const Md&, i_o_t, Md&, Md&) {}
inline std::ostream& gridlibout = std::cout;
inline std::ostream& operator<<(std::ostream& o, const Md&) { return o; }
#define mswitch(x) switch (0)
#define beginmswitch case -1:
#define mcase(x) case __LINE__:
#define otherwise default:
#define endmswitch

// Calling convention of whole functions.
template <class T> struct Mr {
  Mr(M<T>&) {}
  Mr& operator=(const M<T>&) { return *this; }
};
struct junk_t {
  template <class T> operator M<T>() const { return M<T>(); }
  template <class T> operator Mr<T>() const { static M<T> m; return Mr<T>(m); }
};
inline junk_t junkM;
inline Md x_M;
inline double nargin_val, nargout_val;
inline int nargin_set, nargout_set;
inline Md nargin() { return Md(); }

// Errors: the call frame of a function and the caught value.
namespace grl {
struct call_frame {
  call_frame(const char*, const char*) {}
  int line = 0;
  void at(int, int) {}
  void leave() {}
};
struct exception {};
template <class V, class X> void for_none(V&, const X&) {}
inline void caught(const exception&) {}
inline Md caught_value(const exception&) { return Md(); }
template <class V> void name_input(V&, const char*) {}
}  // namespace grl
