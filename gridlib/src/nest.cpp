// Frames of nested functions and the handles that keep them (see gridlib_nest.h).
#include "gridlib_nest.h"

#include <cstring>
#include <string>

using grl::Mc;
using grl::Mt;

namespace {

// The frame of the innermost nest function running in this thread.
thread_local grl::nest_ptr current_;

}  // namespace

grl::nest_ptr grl::nest_current() { return current_; }

grl::nest_scope::nest_scope(const char* function, const char* parent, std::size_t n_vars)
    : frame_(std::make_shared<nest_frame>()), saved_(current_) {
  frame_->function = function;
  frame_->vars.resize(n_vars);
  if (parent) {
    // The running frame of the parent: the caller is the parent itself, a function
    // nested in it, or a handle made in one of them.
    nest_ptr p = current_;
    while (p && std::strcmp(p->function, parent) != 0) p = p->up;
    if (!p) grl_fail("nested function called outside the function it is written in");
    frame_->up = std::move(p);
  }
  current_ = frame_;
}

grl::nest_scope::nest_scope(nest_ptr frame) : frame_(std::move(frame)), saved_(current_) {
  current_ = frame_;
}

grl::nest_scope::~nest_scope() { current_ = std::move(saved_); }

Mt& grl::nest_scope::var(int up, std::size_t slot, const char* name) {
  nest_frame* f = frame_.get();
  for (int k = 0; k < up && f; ++k) f = f->up.get();
  if (!f || slot >= f->vars.size()) grl_fail("nested function: shared variable out of reach");
  Mt& v = f->vars[slot];
  if (!v.name_) v.name_ = name;
  return v;
}

void grl::call_nest(const closure_nest& c, const Mc& args, int nout, Mc& outs) {
  nest_scope inside(c.frame);
  if (c.direct) {
    if (args.numel() > 0) grl_fail("%s: function called with too many inputs", c.shown.c_str());
    outs = Mc::alloc(1, 1);
    outs.welem(0) = c.direct();
    return;
  }
  call_handle(c.callee, args, nout, outs);
}

Mt grl::nest_handle(const Mt& named, const char* shown, Mt (*direct)()) {
  auto c = std::make_shared<closure_nest>();
  c->n_in = nest_mark;
  c->callee = named;
  c->frame = nest_current();
  c->direct = direct;
  c->shown = shown;
  const closure_nest* self = c.get();
  c->call = [self](const Mc& args) {
    Mc outs;
    call_nest(*self, args, 1, outs);
    return outs.numel() ? outs.elem(0) : Mt();
  };
  return anon_handle(shown, std::shared_ptr<const closure>(std::move(c)));
}
