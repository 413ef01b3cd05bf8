// Calling any function handle, and the functions that take handles: arrayfun and
// cellfun of any function, fzero, fminbnd, fminsearch, integral, quad, quadgk, ode45,
// ode23, optimset and odeset. Generated code includes this after gridlib.h.
//
// Any handle is called with grl::call_handle. A named one goes through the program's
// feval dispatcher (generated code, which registers itself when the program starts),
// so h(x) works wherever h is: an argument, a cell element, a returned value.
#ifndef GRIDLIB_FUNFUN_H
#define GRIDLIB_FUNFUN_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gridlib.h"

namespace grl {

// An anonymous function whose body is one call of a function (@(x) max(x)): callee is
// that function's handle and callee_args gives its inputs, so [a, b] = h(x) can ask
// for several outputs. Its n_in carries the mark calls_mark.
struct closure_calls : closure {
  M<m_type> callee;
  std::function<M<M<m_type>>(const M<M<m_type>>& args)> callee_args;
};
constexpr std::size_t calls_mark = std::size_t(1) << (sizeof(std::size_t) * 8 - 1);
// The inputs an anonymous function takes (without the mark).
std::size_t closure_inputs(const closure& c);

template <class F, std::size_t... I>
auto anon_apply_any(const F& f, const M<M<m_type>>& args, std::index_sequence<I...>) {
  return f(anon_arg(args, I)...);
}
template <std::size_t N, class F, class G>
M<m_type> anon(const char* text, F f, const M<m_type>& callee, G g) {
  auto c = std::make_shared<closure_calls>();
  c->n_in = N | calls_mark;
  c->call = [f](const M<M<m_type>>& args) {
    return M<m_type>(anon_apply(f, args, std::make_index_sequence<N>{}));
  };
  c->callee = callee;
  c->callee_args = [g](const M<M<m_type>>& args) {
    return M<M<m_type>>(anon_apply_any(g, args, std::make_index_sequence<N>{}));
  };
  return anon_handle(text, std::shared_ptr<const closure>(std::move(c)));
}

// A cell of the values in v (a call's inputs).
M<M<m_type>> arg_cell(const std::vector<M<m_type>>& v);

// --- calling any handle ------------------------------------------------------------
using named_caller = void (*)(const M<m_type>& h, const M<M<m_type>>& args, int nout,
                              M<M<m_type>>& outs);
// Registers the program's feval dispatcher; returns true.
bool set_named_caller(named_caller f);

// Calls handle h with the inputs in args; outs gets max(nout, 1) outputs.
void call_handle(const M<m_type>& h, const M<M<m_type>>& args, int nout, M<M<m_type>>& outs);
M<m_type> call_handle(const M<m_type>& h, const M<M<m_type>>& args);
// h(a), h(a, b) and h() of a value that turned out to be a handle when indexed.
M<m_type> call_indexed(const M<m_type>& h, const ix<m_type>* a, const ix<m_type>* b);

// x() of a value: a call with no inputs when x holds a handle, else x itself.
M<m_type> call0(const M<m_type>& x);
template <class T> const M<M<T>>& call0(const M<M<T>>& c) { return c; }
inline double call0(double x) { return x; }

// The statement x(args); of a value that may hold a handle: forming the value calls it.
inline void evaluated(const M<m_type>&) {}

// The generated feval dispatcher as a named_caller: F calls feval's entry points.
template <class F> void call_named(F f, const M<m_type>& h, const M<M<m_type>>& a, int nout,
                                   M<M<m_type>>& outs) {
  M<m_type> y1, y2, y3, y4;
  const int n = nout < 1 ? 1 : nout > 4 ? 4 : nout;
  if (n == 1) y1 = f(h, a);
  else if (n == 2) f(h, a, i_o, y1, y2);
  else if (n == 3) f(h, a, i_o, y1, y2, y3);
  else f(h, a, i_o, y1, y2, y3, y4);
  outs = M<M<m_type>>::alloc(1, std::size_t(n));
  const M<m_type>* ys[4] = {&y1, &y2, &y3, &y4};
  for (int k = 0; k < n; ++k) outs.welem(std::size_t(k)) = *ys[k];
}

// The generated feval's entry for anonymous functions: as many results as the call
// asks for (nargout), in order.
void anon_outputs(const M<m_type>& h, const M<M<m_type>>& args, Mr<m_type>* ys[4]);
template <class R1, class R2, class R3, class R4>
void call_anon_outputs(const M<m_type>& h, const M<M<m_type>>& args, R1&& y1, R2&& y2, R3&& y3,
                       R4&& y4) {
  Mr<m_type> r1(y1), r2(y2), r3(y3), r4(y4);
  Mr<m_type>* ys[4] = {&r1, &r2, &r3, &r4};
  anon_outputs(h, args, ys);
}

// A library function called by name (a name the program's dispatcher does not know):
// false when the library has no such function. The dispatcher's last resort, which
// fails as M does for an unknown name (fail_unknown_function).
bool call_library(const std::string& name, const M<M<m_type>>& args, int nout, M<M<m_type>>& outs);
[[noreturn]] void fail_unknown_function(const M<m_type>& fun);
void library_outputs(const M<m_type>& fun, const M<M<m_type>>& args, Mr<m_type>* ys[4]);
template <class R1, class R2, class R3, class R4>
void call_library_outputs(const M<m_type>& fun, const M<M<m_type>>& args, R1&& y1, R2&& y2, R3&& y3,
                          R4&& y4) {
  Mr<m_type> r1(y1), r2(y2), r3(y3), r4(y4);
  Mr<m_type>* ys[4] = {&r1, &r2, &r3, &r4};
  library_outputs(fun, args, ys);
}

// --- functions that take handles -----------------------------------------------------
// Each takes its inputs, then i_o and the output references, as deal does.
grl::cell_or_array arrayfun_cells(const deal_t& d);
grl::cell_or_array cellfun_cells(const deal_t& d);
M<m_type> fzero_run(const deal_t& d);
M<m_type> fminbnd_run(const deal_t& d);
M<m_type> fminsearch_run(const deal_t& d);
M<m_type> integral_run(const deal_t& d);
M<m_type> quad_run(const deal_t& d);
M<m_type> quadgk_run(const deal_t& d);
M<m_type> ode45_run(const deal_t& d);
M<m_type> ode23_run(const deal_t& d);
M<m_type> optimset_run(const deal_t& d);
M<m_type> odeset_run(const deal_t& d);
M<m_type> optimget_run(const deal_t& d);
M<m_type> odeget_run(const deal_t& d);
M<m_type> deval_run(const deal_t& d);
template <class... A> void collect_args(deal_t& d, A&&... a) { (deal_put(d, a), ...); }

}  // namespace grl

#define GRL_FUNCTION_OF_HANDLES(F)                            \
  template <class... A> inline M<m_type> F(A&&... a) {        \
    grl::deal_t d;                                            \
    grl::collect_args(d, a...);                               \
    M<m_type> r = grl::F##_run(d);                            \
    grl::finish_cell_outputs(d, #F);                          \
    return r;                                                 \
  }
GRL_FUNCTION_OF_HANDLES(fzero)
GRL_FUNCTION_OF_HANDLES(fminbnd)
GRL_FUNCTION_OF_HANDLES(fminsearch)
GRL_FUNCTION_OF_HANDLES(integral)
GRL_FUNCTION_OF_HANDLES(quad)
GRL_FUNCTION_OF_HANDLES(quadgk)
GRL_FUNCTION_OF_HANDLES(ode45)
GRL_FUNCTION_OF_HANDLES(ode23)
GRL_FUNCTION_OF_HANDLES(optimset)
GRL_FUNCTION_OF_HANDLES(odeset)
GRL_FUNCTION_OF_HANDLES(optimget)
GRL_FUNCTION_OF_HANDLES(odeget)
GRL_FUNCTION_OF_HANDLES(deval)
#undef GRL_FUNCTION_OF_HANDLES

// arrayfun(f, a, b, ..., 'UniformOutput', v, 'ErrorHandler', e): an array of the
// results, or (UniformOutput false) a cell of them.
template <class... A> inline grl::cell_or_array arrayfun(A&&... a) {
  grl::deal_t d;
  grl::collect_args(d, a...);
  grl::cell_or_array r = grl::arrayfun_cells(d);
  grl::finish_cell_outputs(d, "arrayfun");
  r.taken = r.taken || d.outputs;   // the outputs took the results
  return r;
}
// cellfun of a handle (the translator's name for it; cellfun of a name it has always
// known keeps its own overloads): the same options, cells as inputs.
template <class... A> inline grl::cell_or_array cellfun_any(A&&... a) {
  grl::deal_t d;
  grl::collect_args(d, a...);
  grl::cell_or_array r = grl::cellfun_cells(d);
  grl::finish_cell_outputs(d, "cellfun");
  r.taken = r.taken || d.outputs;   // the outputs took the results
  return r;
}

#endif
