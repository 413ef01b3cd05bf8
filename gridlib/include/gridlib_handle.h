// Anonymous functions as values: @(x, y) expr becomes a handle that carries a C++
// closure over copies of the variables the expression uses, made when the handle is
// made. The handle's elements are its text ("@(x, y) x + y"), so func2str, display and
// comparison read it as they read a named handle's name.
#ifndef GRIDLIB_HANDLE_H
#define GRIDLIB_HANDLE_H

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>

#include "gridlib_matrix.h"
#include "gridlib_core.h"

namespace grl {

// The callable of an anonymous function: its inputs as a cell, its one result.
struct closure {
  std::size_t n_in;
  std::function<M<m_type>(const M<M<m_type>>& args)> call;
};

// Input k (0-based) of a call, or an empty value when the call gave fewer.
const M<m_type>& anon_arg(const M<M<m_type>>& args, std::size_t k);

template <class F, std::size_t... I>
M<m_type> anon_apply(const F& f, const M<M<m_type>>& args, std::index_sequence<I...>) {
  return f(anon_arg(args, I)...);
}

// The handle of text whose body is f, a callable of N values.
M<m_type> anon_handle(const char* text, std::shared_ptr<const closure> c);
template <std::size_t N, class F> M<m_type> anon(const char* text, F f) {
  auto c = std::make_shared<closure>();
  c->n_in = N;
  c->call = [f](const M<M<m_type>>& args) {
    return anon_apply(f, args, std::make_index_sequence<N>{});
  };
  return anon_handle(text, std::move(c));
}

// Whether h is an anonymous function, and its call with the inputs in args (more
// inputs than it takes is an error, as in M).
bool is_anon(const M<m_type>& h);
M<m_type> call_anon(const M<m_type>& h, const M<M<m_type>>& args);

// The generated feval's entry for anonymous functions: the one result goes to the
// first output.
template <class R1, class R2, class R3, class R4>
void call_anon(const M<m_type>& h, const M<M<m_type>>& args, R1&& y1, R2&&, R3&&, R4&&) {
  y1 = call_anon(h, args);
}

}  // namespace grl

#endif
