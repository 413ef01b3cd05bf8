// What every generated program needs around its values: the calling-convention
// globals, start and end, the display statement, the control-flow helpers (if,
// for, switch), string literals, ranges and the operators.
#ifndef GRIDLIB_CORE_H
#define GRIDLIB_CORE_H

#include <initializer_list>
#include <iosfwd>
#include <type_traits>
#include <utility>

using std::cin;
using std::cout;
using std::cerr;
using std::endl;

namespace grl {
typedef M<m_type> Mt;
typedef M<M<m_type>> Mc;

// A value that the display statement leaves unprinted: the result of functions that
// MATLAB calls for their effect (disp, fprintf), written `gridlibout<<( disp(x) );`
// when the M statement has no semicolon.
struct quiet : M<m_type> {
  quiet() = default;
  quiet(const M<m_type>& v) : M<m_type>(v) {}
};
#define GRL_QUIET_DEFINED 1

// Prints "name = value" as a statement without semicolon does; nullptr names "ans".
void show(const Mt& x, const char* name);
void show(const Mc& x, const char* name);

// The display stream: `gridlibout<<x;`.
struct display_stream {};
}  // namespace grl

extern grl::display_stream gridlibout;
inline grl::display_stream& operator<<(grl::display_stream& s, const grl::quiet&) { return s; }
inline grl::display_stream& operator<<(grl::display_stream& s, const M<m_type>& x) {
  grl::show(x, x.name_);
  return s;
}
inline grl::display_stream& operator<<(grl::display_stream& s, const M<M<m_type>>& x) {
  grl::show(x, x.name_);
  return s;
}
// A result (an rvalue) is "ans" even when it is a function's named output that the
// compiler returned in place.
inline grl::display_stream& operator<<(grl::display_stream& s, M<m_type>&& x) {
  grl::show(x, nullptr);
  return s;
}
inline grl::display_stream& operator<<(grl::display_stream& s, M<M<m_type>>&& x) {
  grl::show(x, nullptr);
  return s;
}
// An input argument, a copy without the variable's name, shown under its name.
namespace grl {
template <class V> struct named_t {
  const V& v;
  const char* name;
};
template <class V> inline named_t<V> named(const V& v, const char* name) { return {v, name}; }
}  // namespace grl
template <class V> inline grl::display_stream& operator<<(grl::display_stream& s, const grl::named_t<V>& n) {
  grl::show(n.v, n.name);
  return s;
}
grl::display_stream& operator<<(grl::display_stream& s, const Mx<m_type>& x);
inline grl::display_stream& operator<<(grl::display_stream& s, const Cx<m_type>& x) { return s << x.value(); }
inline grl::display_stream& operator<<(grl::display_stream& s, const br_t<m_type>& x) { return s << x.value(); }
inline grl::display_stream& operator<<(grl::display_stream& s, m_type x) { return s << M<m_type>(x); }
grl::display_stream& operator<<(grl::display_stream& s, const char* text);   // echo lines
// The display of a structure ends its lines with endl.
grl::display_stream& operator<<(grl::display_stream& s, std::ostream& (*manipulator)(std::ostream&));

// --- the calling convention ---------------------------------------------------------
extern double nargin_val, nargout_val;
extern int nargin_set, nargout_set;
extern M<m_type> x_M;
M<m_type> nargin();
M<m_type> nargout();

// Start and end of a program: initM returns the process id.
unsigned initM(std::istream& in, std::ostream& out, std::ostream& err);
void exitM();
typedef unsigned uint32;

// [a,b,...] = f(...) of a function whose output is varargout: element k of the cell
// goes to output k.
namespace grl {
// @name: the function's name, marked as a handle. A handle that came in as an
// argument cannot be indexed; it is called with feval.
M<m_type> handle(const M<m_type>& name);
[[noreturn]] void fail_handle_index(const char* name);
// A call with more inputs or outputs than its function takes: the translator puts
// this in its place, and reaching it ends the program with message.
[[noreturn]] M<m_type> bad_call(const char* message);
[[noreturn]] void fail_return_list(std::size_t k);

// f(c{:}) where f takes a fixed number of inputs: f is called with as many elements
// as c holds when the call runs, as the interpreter does, and a count f cannot take
// ends the program with message. The translator writes the call as
//   grl::cs_call<N>(CS(c), "message", GRL_CALL(f(x, _e...)))
// where _e... stands for the elements and N is the most f takes there. cs_call_fill
// serves M functions: when f has no entry point for that many inputs (it does not ask
// nargin), the missing trailing inputs are junkM, as its shorter entry points give.
#define GRL_CALL(...) [&](auto&&... _e) -> decltype(__VA_ARGS__) { return __VA_ARGS__; }
template <std::size_t, class X> using repeat_t = X;

template <class F, class E, std::size_t... K, std::size_t... J>
constexpr bool cs_takes(std::index_sequence<K...>, std::index_sequence<J...>) {
  return std::is_invocable_v<F&, repeat_t<K, const E&>..., repeat_t<J, const junk_t&>...>;
}

template <class F, class E, std::size_t... K, std::size_t... J, class... X>
decltype(auto) cs_apply(F& f, const cs_t<E>& s, std::index_sequence<K...>,
                        std::index_sequence<J...>, const X&... rest) {
  return f(s.at(s.first + int(K))..., static_cast<repeat_t<J, const junk_t&>>(junkM)..., rest...);
}

template <std::size_t N, bool Fill, std::size_t n, class R, class E, class F>
R cs_count(const cs_t<E>& s, int count, const char* message, F& f) {
  if constexpr (n > N) {
    grl_fail("%s", message);
  } else {
    if (count == int(n)) {
      constexpr auto given = std::make_index_sequence<n>{};
      constexpr auto missing = std::make_index_sequence<N - n>{};
      if constexpr (cs_takes<F, E>(given, std::index_sequence<>{}))
        return R(cs_apply(f, s, given, std::index_sequence<>{}));
      else if constexpr (Fill && cs_takes<F, E>(given, missing))
        return R(cs_apply(f, s, given, missing));
      else
        grl_fail("%s", message);
    }
    return cs_count<N, Fill, n + 1, R>(s, count, message, f);
  }
}

// The result has the type of the call with the most inputs f takes (at most N): a
// library function need not take N inputs together with several outputs.
template <class X> struct type_is { using type = X; };
template <std::size_t n, std::size_t N, bool Fill, class E, class F>
constexpr auto cs_result() {
  constexpr auto given = std::make_index_sequence<n>{};
  constexpr auto missing = std::make_index_sequence<N - n>{};
  if constexpr (cs_takes<F, E>(given, std::index_sequence<>{}))
    return type_is<std::decay_t<decltype(cs_apply(std::declval<F&>(), std::declval<const cs_t<E>&>(),
                                                  given, std::index_sequence<>{}))>>{};
  else if constexpr (Fill && cs_takes<F, E>(given, missing))
    return type_is<std::decay_t<decltype(cs_apply(std::declval<F&>(), std::declval<const cs_t<E>&>(),
                                                  given, missing))>>{};
  else if constexpr (n == 0)
    return type_is<M<E>>{};   // no count fits: every call ends with the message
  else
    return cs_result<n - 1, N, Fill, E, F>();
}

template <std::size_t N, bool Fill = false, class E, class F>
auto cs_call(const cs_t<E>& s, const char* message, F&& f) {
  using R = typename decltype(cs_result<N, N, Fill, E, std::decay_t<F>>())::type;
  return cs_count<N, Fill, 0, R>(s, s.end() - s.first + 1, message, f);
}
template <std::size_t N, class E, class F>
auto cs_call_fill(const cs_t<E>& s, const char* message, F&& f) {
  return cs_call<N, true>(s, message, f);
}

// f(x, c{:}) where f is an M function whose last input is varargin and c{:} begins
// among the K named inputs before it: those take the first elements and varargin
// the others, {} when there are none. Fewer than K elements are a shorter call.
template <std::size_t K, class E, class F>
auto cs_call_rest(const cs_t<E>& s, const char* message, F&& f) {
  constexpr auto named = std::make_index_sequence<K>{};
  using R = std::decay_t<decltype(cs_apply(f, s, named, std::index_sequence<>{},
                                           std::declval<const M<M<E>>&>()))>;
  const int count = s.end() - s.first + 1;
  if (count < int(K)) return cs_count<K + 1, true, 0, R>(s, count, message, f);
  if (count == int(K))
    return R(cs_apply(f, s, named, std::index_sequence<>{}, M<M<E>>::alloc(0, 0)));
  cl_t<E> rest;
  rest, cs_t<E>{s.c, s.first + int(K), s.end()};
  return R(cs_apply(f, s, named, std::index_sequence<>{}, rest.value()));
}

// The caller's output count comes back first, once the function has run.
template <class... R>
inline M<M<m_type>> spread(double old_nargout, const M<M<m_type>>& v, R... outs) {
  nargout_val = old_nargout;
  std::size_t k = 0;
  auto one = [&](Mr<m_type> o) {
    if (k >= v.numel()) fail_return_list(k + 1);
    o = v.elem(k++);
  };
  (one(outs), ...);
  return v;
}
}  // namespace grl

// --- literals and ranges ----------------------------------------------------------
M<m_type> TM(const char* text);            // a char row
M<m_type> colon(const M<m_type>& a, const M<m_type>& step, const M<m_type>& b);
M<m_type> colon(double a, double step, double b);
M<m_type> ramp(const M<m_type>& a, const M<m_type>& b);   // a:b
inline M<m_type> colon(const M<m_type>& a, const M<m_type>& b) { return ramp(a, b); }
inline M<m_type> colon(double a, double b) { return colon(a, 1.0, b); }
br_t<m_type> BR(const M<m_type>& x);
inline br_t<m_type> BR(m_type x) { return BR(M<m_type>(x)); }
br_t<m_type> BR(const Mx<m_type>& x);
inline br_t<m_type> BR(const Cx<m_type>& x) { return BR(x.value()); }
inline br_t<m_type> BR(nop_t) { return BR(M<m_type>()); }
inline br_t<m_type> BR(const br_t<m_type>& x) { return BR(x.value()); }
br_t<m_type> BR(const cs_t<m_type>& x);
bc_t<m_type> BR(const M<M<m_type>>& x);
bc_t<m_type> BR(const cl_t<m_type>& x);
cl_t<m_type> CL(const M<m_type>& x);
inline cl_t<m_type> CL(m_type x) { return CL(M<m_type>(x)); }
cl_t<m_type> CL(const Mx<m_type>& x);
inline cl_t<m_type> CL(const Cx<m_type>& x) { return CL(x.value()); }
inline cl_t<m_type> CL(const br_t<m_type>& x) { return CL(x.value()); }
inline cl_t<m_type> CL(nop_t) { return CL(M<m_type>()); }
inline cl_t<m_type> CL(const M<M<m_type>>& x) { return CL(M<m_type>::of_cell(x)); }
inline cl_t<m_type> CL(const cl_t<m_type>& x) { return CL(M<m_type>::of_cell(x.value())); }
cl_t<m_type> CL(const cs_t<m_type>& x);
M<M<m_type>> cells(const M<m_type>& n);    // {} and cell(n)
M<M<m_type>> cell(const M<m_type>& n);     // cell(n), cell([r c])
M<M<m_type>> cell(const M<m_type>& r, const M<m_type>& c);
namespace grl {
M<M<m_type>> cell_n(const std::vector<M<m_type>>& a);   // cell(a, b, c, ...)
}
template <class... A, std::enable_if_t<sizeof...(A) >= 3 || grl::any_cs<A...>, int> = 0>
inline M<M<m_type>> cell(const A&... a) {
  return grl::cell_n(grl::arg_list<m_type>(a...));
}
// c' and c.': the cell's elements in transposed places (the elements themselves unchanged).
M<M<m_type>> ctranspose(const M<M<m_type>>& c);
M<M<m_type>> transpose(const M<M<m_type>>& c);
M<m_type> true_M();
M<m_type> false_M();

// --- control flow -----------------------------------------------------------------
// The truth of an if or while condition: nonempty and every element nonzero.
inline bool istrue(bool b) { return b; }
inline bool istrue(const M<m_type>& x) {
  if (x.is_real_scalar()) {
    m_type v = x.r.v;
    if (v != v) grl_fail("if: conditional expression cannot contain NaN");
    return v != 0;
  }
  return bool(x);
}
bool istrue(const M<M<m_type>>& x);
inline int forsize(const M<m_type>& x) { return x.isempty() ? 0 : int(x.cols()); }
inline int forsize(const M<M<m_type>>& x) { return x.isempty() ? 0 : int(x.cols()); }
void forelem(M<m_type>& v, const M<m_type>& x, int k);      // v = x(:,k)
void forelem(M<M<m_type>>& v, const M<M<m_type>>& x, int k);
void forelem(M<m_type>& v, const M<M<m_type>>& x, int k);

namespace grl {
// The state of one switch statement: the value, and whether the body ran once.
struct switch_t {
  Mt v;
  bool is_cell = false;
  Mc cv;
  int pass = 0;
  explicit switch_t(const Mt& x) : v(x) {}
  explicit switch_t(const Mc& x) : is_cell(true), cv(x) {}
  bool once() { return pass++ == 0; }
  bool match(const Mt& c) const;
  bool match(const Mc& cases) const;       // case {a, b}
};
}  // namespace grl
// `break;` inside a case leaves the switch: the body is a loop that runs once.
#define mswitch(x) for (grl::switch_t grl_switch_(x); grl_switch_.once();)
#define beginmswitch
#define mcase(x) if (grl_switch_.match(x))
#define otherwise if (true)
#define endmswitch

// --- a result that is an array or a cell --------------------------------------------
namespace grl {
// The result of a call that gives an array or a cell depending on its arguments
// (cellfun's UniformOutput, the output regexp is asked for). It is an array value; a
// cell result converts to a cell variable, and a cell result that never reaches one
// (assigned to a matrix variable) stops the program with not_array when the statement
// ends, rather than leave an empty matrix in its place. Converting an array result
// to a cell stops it with not_cell.
struct cell_or_array : M<m_type> {
  bool is_cell = false;
  M<M<m_type>> cell;
  const char* not_cell;
  const char* not_array;
  mutable bool taken = false;
  cell_or_array(const char* not_cell_message, const char* not_array_message)
      : not_cell(not_cell_message), not_array(not_array_message) {}
  cell_or_array(const cell_or_array&) = delete;
  cell_or_array(cell_or_array&& o) noexcept;
  void set_cell(M<M<m_type>> c) { is_cell = true; cell = std::move(c); }
  operator M<M<m_type>>() const;
  ~cell_or_array() noexcept(false);
};
}  // namespace grl
// Shown as `ans`: the cell or the array it holds.
grl::display_stream& operator<<(grl::display_stream& s, const grl::cell_or_array& v);
namespace grl {
// A variable of any class assigned such a result: the cell (held) or the array.
inline M<m_type> any_value(const cell_or_array& v) {
  if (v.is_cell) return M<m_type>::of_cell(static_cast<M<M<m_type>>>(v));
  return static_cast<const M<m_type>&>(v);
}
}  // namespace grl

// --- deal: [a,b,...] = deal(x) or deal(x1,x2,...) ----------------------------------
namespace grl {
// The inputs before i_o, the output references after it. A comma list of a cell among
// the outputs ([c{:}] = deal(...)) is kept in lists, with the number of references
// before it; deal writes its elements, the other users of deal_t ignore it.
struct deal_list {
  M<M<m_type>>* cell;
  int first, last;
  std::size_t at;
};
// An output that is a cell variable ([s, i] = cellfun(..., 'UniformOutput', false))
// takes its value in `value` first; finish_cell_outputs moves it into the cell.
struct cell_output {
  std::unique_ptr<Mt> value;
  M<M<m_type>>* cell;
};
struct deal_t {
  std::vector<Mt> in;
  std::vector<Mr<m_type>> out;
  std::vector<deal_list> lists;
  std::vector<cell_output> cells;
  bool outputs = false;
};
inline void deal_put(deal_t& d, const i_o_t&) { d.outputs = true; }
// These live in the library: defined here, they made every generated file instantiate
// the vectors' growth code.
void deal_put(deal_t& d, const junk_t&);
void deal_put(deal_t& d, Mt& x);
void deal_put(deal_t& d, Mr<m_type> r);
// The cell of an output list is a variable of the program: its elements are written.
void deal_put(deal_t& d, const cs_t<m_type>& s);
// A cell variable: an input before i_o, an output after it.
void deal_put(deal_t& d, M<M<m_type>>& c);
template <class X> inline void deal_put(deal_t& d, const X& x) { append_arg(d.in, x); }
// The values of the cell outputs go into their variables; a value that is no cell
// cannot (an error names who).
void finish_cell_outputs(const deal_t& d, const char* who);
// One input goes to every output, n inputs to n outputs; returns the first value.
Mt deal_run(const deal_t& d);
}  // namespace grl
template <class... A> inline M<m_type> deal(A&&... a) {
  grl::deal_t d;
  (grl::deal_put(d, a), ...);
  M<m_type> r = grl::deal_run(d);
  grl::finish_cell_outputs(d, "deal");
  return r;
}

// [a, b, ...] = c{k}, given c(k): the first values go to the outputs in order; a list
// shorter than the outputs is an error, a longer one gives only its first values.
namespace grl {
Mt list_outputs_run(const deal_t& d);
template <class... A> inline M<m_type> list_outputs(const M<M<m_type>>& list, A&&... a) {
  deal_t d;
  append_arg(d.in, CS(list));
  (deal_put(d, a), ...);
  Mt r = list_outputs_run(d);
  finish_cell_outputs(d, "indexing");
  return r;
}
}  // namespace grl

// --- shell, variables, clear --------------------------------------------------------
void whos_line(const char* name, bool cplx, std::size_t rows, std::size_t cols, const char* type);
template <class... A> inline void clear(A&... v) { (void(v = nop_M), ...); }
inline void clear(nop_t) {}

#endif
