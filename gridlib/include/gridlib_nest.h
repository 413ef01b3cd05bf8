// Nested functions: a function written inside another function's body shares the
// variables both of them use. Each call of a function of such a nest owns a frame on
// the heap holding the shared variables it owns; its body names them through
// references into that frame, and a nested function reaches its parents' frames
// through the chain of frames. Handles to nested functions, and anonymous functions
// made inside a nest, keep the frame they were made in alive and enter it again when
// they are called, so a handle still sees (and changes) its maker's variables after
// the maker has returned.
#ifndef GRIDLIB_NEST_H
#define GRIDLIB_NEST_H

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gridlib_funfun.h"

namespace grl {

struct nest_frame {
  const char* function;              // the C++ name of the function that made it
  std::shared_ptr<nest_frame> up;    // the frame of the function it is nested in
  std::vector<M<m_type>> vars;       // its shared variables; never resized
};
using nest_ptr = std::shared_ptr<nest_frame>;

// The frame of the innermost nest function running now (null when none runs).
nest_ptr nest_current();

// One running call of a function of a nest: it makes the call's frame (its up is the
// running frame of `parent`, the function it is written in, or null for the outermost
// function) and makes it current until the call ends. The second form enters a frame
// kept by a handle.
class nest_scope {
 public:
  nest_scope(const char* function, const char* parent, std::size_t n_vars);
  explicit nest_scope(nest_ptr frame);
  ~nest_scope();
  nest_scope(const nest_scope&) = delete;
  nest_scope& operator=(const nest_scope&) = delete;
  // Shared variable `slot` of the frame `up` levels out (0: the call's own), shown
  // under `name`.
  M<m_type>& var(int up, std::size_t slot, const char* name);

 private:
  nest_ptr frame_;
  nest_ptr saved_;
};

// The handle @f to the nested function f, made inside its nest: it calls f (through
// the program's feval dispatcher, or through `direct` for a function without inputs)
// within the frame running when the handle was made. `shown` is f's M name.
M<m_type> nest_handle(const M<m_type>& named, const char* shown, M<m_type> (*direct)());

// An anonymous function made inside a nest: its body runs within the frame running
// when it was made (a call in it of a nested function finds that function's parent).
template <std::size_t N, class F> M<m_type> nest_anon(const char* text, F f) {
  nest_ptr frame = nest_current();
  return anon<N>(text, [frame, f](auto&&... a) {
    nest_scope inside(frame);
    return f(std::forward<decltype(a)>(a)...);
  });
}
template <std::size_t N, class F, class G>
M<m_type> nest_anon(const char* text, F f, const M<m_type>& callee, G g) {
  nest_ptr frame = nest_current();
  return anon<N>(
      text,
      [frame, f](auto&&... a) {
        nest_scope inside(frame);
        return f(std::forward<decltype(a)>(a)...);
      },
      callee,
      [frame, g](auto&&... a) {
        nest_scope inside(frame);
        return g(std::forward<decltype(a)>(a)...);
      });
}

// The closure of a handle to a nested function (its n_in carries nest_mark).
struct closure_nest : closure {
  M<m_type> callee;            // the named handle
  nest_ptr frame;
  M<m_type> (*direct)() = nullptr;
  std::string shown;
};
constexpr std::size_t nest_mark = std::size_t(1) << (sizeof(std::size_t) * 8 - 2);
// Calls a handle to a nested function for nout outputs.
void call_nest(const closure_nest& c, const M<M<m_type>>& args, int nout, M<M<m_type>>& outs);

}  // namespace grl

#endif
