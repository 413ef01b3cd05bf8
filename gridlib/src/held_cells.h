// A value of any class that holds a cell (a field, an element of a cell, the output of a
// function whose class the translator could not know) given to a library function: the
// function's cell form takes it, as it would take a cell variable. Without this the
// numeric form reads the cell as numbers and fails (internal, not installed).
#ifndef GRIDLIB_HELD_CELLS_H
#define GRIDLIB_HELD_CELLS_H

#include "gridlib.h"

namespace grl {

inline Mt as_value(Mt v) { return v; }
inline Mt as_value(const M<M<m_type>>& c) { return Mt::of_cell(c); }

// The held cell as an argument that reaches only a form taking a cell: a form taking a
// value would need a second conversion (back to a value holding the cell), so a
// function without the cell form fails to compile instead of calling itself again.
struct held_cell_arg {
  const M<M<m_type>>& cell;
  operator const M<M<m_type>>&() const { return cell; }
};
inline held_cell_arg held(const Mt& x) { return held_cell_arg{x.held_cell()}; }

}  // namespace grl

// At the top of a function's numeric form f(x, ...): when x holds a cell, the result of
// f's cell form, given the cell and the remaining arguments.
#define GRL_HELD_CELL_1(f, x, ...)                                        \
  do {                                                                     \
    if ((x).holds_cell()) return grl::as_value(f(grl::held(x), ##__VA_ARGS__)); \
  } while (0)

// The same for the first two arguments, either or both of which may hold a cell; f must
// have the forms (cell, cell), (cell, value) and (value, cell).
#define GRL_HELD_CELL_2(f, a, b, ...)                                                         \
  do {                                                                                        \
    if ((a).holds_cell() && (b).holds_cell())                                                 \
      return grl::as_value(f(grl::held(a), grl::held(b), ##__VA_ARGS__));              \
    if ((a).holds_cell()) return grl::as_value(f(grl::held(a), (b), ##__VA_ARGS__));        \
    if ((b).holds_cell()) return grl::as_value(f((a), grl::held(b), ##__VA_ARGS__));        \
  } while (0)

// The output-argument forms f(a, b, i_o, outputs...) of functions without a value.
#define GRL_HELD_CELL_2_OUT(f, a, b, ...)                                                   \
  do {                                                                                      \
    if ((a).holds_cell() && (b).holds_cell()) return f(grl::held(a), grl::held(b), __VA_ARGS__); \
    if ((a).holds_cell()) return f(grl::held(a), (b), __VA_ARGS__);                      \
    if ((b).holds_cell()) return f((a), grl::held(b), __VA_ARGS__);                      \
  } while (0)

#endif
