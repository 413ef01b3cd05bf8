// Calling function handles wherever they are: anonymous functions call their closure,
// named ones go through the program's feval dispatcher.
#include "gridlib_funfun.h"
#include "gridlib_extra.h"
#include "gridlib_nest.h"

#include <cstring>
#include <string>
#include <vector>

using grl::Mc;
using grl::Mt;

namespace {

grl::named_caller named_caller_ = nullptr;

const grl::closure* closure_of(const Mt& h) {
  return (h.flags_ & grl::F_HANDLE) ? static_cast<const grl::closure*>(h.fn_.get()) : nullptr;
}

std::string handle_name(const Mt& h) {
  std::string s;
  for (std::size_t k = 0; k < h.numel(); ++k) s += char(h.cre()[k]);
  return s;
}

// The value an index stood for, as an input of a call.
Mt index_value(const grl::ix<m_type>& a) {
  if (a.kind == grl::ix<m_type>::scalar) return Mt(m_type(a.s));
  if (a.kind == grl::ix<m_type>::all) return TM(":");
  return *a.m;
}

}  // namespace

grl::Mc grl::rest_inputs(const Mc& args, std::size_t named) {
  const std::size_t n = args.numel() > named ? args.numel() - named : 0;
  Mc rest = Mc::alloc(1, n);
  for (std::size_t k = 0; k < n; ++k) rest.welem(k) = args.elem(named + k);
  return rest;
}

std::size_t grl::closure_inputs(const closure& c) {
  // A handle to a nested function: the function itself counts its inputs.
  if (c.n_in & nest_mark) return std::size_t(-1) >> 2;
  return c.n_in & ~calls_mark;
}

bool grl::set_named_caller(named_caller f) {
  named_caller_ = f;
  return true;
}

Mc grl::arg_cell(const std::vector<Mt>& v) {
  Mc c = Mc::alloc(1, v.size());
  for (std::size_t k = 0; k < v.size(); ++k) c.welem(k) = v[k];
  return c;
}

void grl::call_handle(const Mt& h, const Mc& args, int nout, Mc& outs) {
  if (!(h.flags_ & grl::F_HANDLE)) grl_fail("feval: FUNC must be a string or function handle");
  if (const closure* c = closure_of(h)) {
    if (args.numel() > closure_inputs(*c)) grl_fail("@<anonymous>: function called with too many inputs");
    if (c->n_in & nest_mark) {
      call_nest(*static_cast<const closure_nest*>(c), args, nout, outs);
      return;
    }
    if (nout <= 1) {
      outs = Mc::alloc(1, 1);
      outs.welem(0) = c->call(args);
      return;
    }
    if (!(c->n_in & calls_mark)) {
      // Only the one value the body gives: the second output is missing.
      outs = Mc::alloc(1, 1);
      outs.welem(0) = c->call(args);
      return;
    }
    const auto* calls = static_cast<const closure_calls*>(c);
    call_handle(calls->callee, calls->callee_args(args), nout, outs);
    return;
  }
  // The program's dispatcher knows its own functions and hands other names to the
  // library; a program without one reaches the library directly.
  if (named_caller_) {
    named_caller_(h, args, nout, outs);
    return;
  }
  if (!call_library(handle_name(h), args, nout, outs)) fail_unknown_function(h);
}

Mt grl::call_handle(const Mt& h, const Mc& args) {
  if (const closure* c = closure_of(h)) {
    if (args.numel() > closure_inputs(*c)) grl_fail("@<anonymous>: function called with too many inputs");
    return c->call(args);
  }
  Mc outs;
  call_handle(h, args, 1, outs);
  return outs.numel() ? outs.elem(0) : Mt();
}

template <> Mt Mt::call_with_cell(const Mc& c) const {
  if (!(flags_ & grl::F_HANDLE))
    grl_fail("%s(<cell>): subscripts must be either integers 1 to (2^63)-1 or logicals",
             name_ ? name_ : "index");
  return grl::call_handle(*this, grl::arg_cell({Mt(c)}));
}

Mt grl::call0(const Mt& x) {
  if (!(x.flags_ & grl::F_HANDLE)) return x;
  return call_handle(x, Mc::alloc(1, 0));
}

Mt grl::call_indexed(const Mt& h, const grl::ix<m_type>* a, const grl::ix<m_type>* b) {
  std::vector<Mt> v;
  // h() reaches the library as h(:): a handle called with no inputs.
  const bool none = a && !b && a->kind == grl::ix<m_type>::all;
  if (a && !none) v.push_back(index_value(*a));
  if (b) v.push_back(index_value(*b));
  return call_handle(h, arg_cell(v));
}

void grl::anon_outputs(const Mt& h, const Mc& args, Mr<m_type>* ys[4]) {
  int n = int(nargout_val);
  if (n < 1) n = 1;
  if (n > 4) n = 4;
  if (n == 1) {   // the common case, without a cell of outputs
    *ys[0] = call_handle(h, args);
    return;
  }
  Mc outs;
  call_handle(h, args, n, outs);
  for (int k = 0; k < n; ++k) {
    if (std::size_t(k) >= outs.numel()) grl::fail_return_list(std::size_t(k) + 1);
    *ys[k] = outs.elem(std::size_t(k));
  }
}
