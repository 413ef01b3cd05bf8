// Regular expressions: regexp, regexpi and regexprep.
//
// regexp(str, pat, options...) gives, without option words, the outputs start, end,
// tokenExtents, match, tokens, names and split in that order; the words 'start',
// 'end', 'tokenExtents', 'match', 'tokens', 'names' and 'split' choose and order
// them. 'once' keeps the first match only, 'ignorecase' (and regexpi) matches
// either case. regexprep(str, pat, rep, options...) replaces the matches, $0..$9 and
// $<name> in rep standing for the tokens. Some outputs are cells and some matrices,
// chosen by the option words when the call runs: a call of one output gives a value
// that converts to either, and the outputs of [a, b, ...] = regexp(...) may be
// either kind.
//
// A names output is a structure whose fields are the pattern's named tokens: the
// translator passes the fields, in the order the pattern names them, through
// grl::rx_fields.
#ifndef GRIDLIB_REGEXP_H
#define GRIDLIB_REGEXP_H

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include "gridlib_matrix.h"
#include "gridlib_core.h"

namespace grl {

// The result of a regexp call of one output: an array, or a cell when the chosen
// output is one.
using rx_value = cell_or_array;
inline rx_value rx_result() {
  return rx_value("regexp: this output is an array, not a cell array",
                  "regexp: this output is a cell array; it cannot be used as a matrix");
}

// A names output: the fields of the structure, grl::rx_fields(n.a, n.b, ...).
struct rx_fields_t {
  std::vector<M<m_type>*> fields;
};
template <class... F> inline rx_fields_t rx_fields(F&... f) { return rx_fields_t{{&f...}}; }

// One output place of [a, b, ...] = regexp(...): a matrix, a cell, a place whose
// value goes nowhere (~), or the fields of a names structure.
struct rx_out {
  M<m_type>* m = nullptr;
  M<M<m_type>>* c = nullptr;
  std::vector<M<m_type>*> fields;
  bool is_fields = false;
};

// The arguments of a call, split at i_o into inputs and outputs. A cell input is
// held as a value that holds the cell.
struct rx_call {
  std::vector<M<m_type>> in;
  std::vector<rx_out> out;
  bool outputs = false;
  void add(i_o_t) { outputs = true; }
  // Defined in the library, like the vectors' growth code they need.
  void add(const rx_fields_t& f);
  void add(const junk_t&);
  void add(M<m_type>& m);
  // An output of the function the call stands in (junkM when its caller gave none).
  void add(const Mr<m_type>& r);
  void add(M<M<m_type>>& c);
  void add(const M<M<m_type>>& c);
  void add(const cl_t<m_type>& c);
  void add(const bc_t<m_type>& c);
  void add(const Mx<M<m_type>>& c);
  void add(const cs_t<m_type>& c);
  template <class A> void add(const A& a) { in.push_back(M<m_type>(a)); }
};

enum class rx_fn { regexp, regexpi };
rx_value regexp_value(rx_fn fn, const std::vector<M<m_type>>& in);
void regexp_outputs(rx_fn fn, const std::vector<M<m_type>>& in, std::vector<rx_out>& out);
rx_value regexprep_value(const std::vector<M<m_type>>& in);

template <class... A> inline constexpr bool has_outputs = (std::is_same_v<std::decay_t<A>, i_o_t> || ...);

// The inputs (before i_o) or the outputs (after it) of a call; a call takes at most
// the counts korval.rsv lists.
template <class... A> constexpr std::size_t rx_count(bool outputs) {
  constexpr bool io[] = {std::is_same_v<std::decay_t<A>, i_o_t>..., false};
  std::size_t n = 0;
  bool after = false;
  for (std::size_t k = 0; k < sizeof...(A); ++k) {
    if (io[k]) after = true;
    else if (after == outputs) ++n;
  }
  return n;
}
template <std::size_t In, std::size_t Out, class... A>
inline constexpr bool rx_fits = rx_count<A...>(false) <= In && rx_count<A...>(true) <= Out;
template <std::size_t In, std::size_t Out, class... A> using if_rx_fits = std::enable_if_t<rx_fits<In, Out, A...>, int>;

template <class... A> inline auto regexp_call(rx_fn fn, A&&... a) {
  rx_call call;
  (call.add(a), ...);
  if constexpr (has_outputs<A...>) regexp_outputs(fn, call.in, call.out);
  else return regexp_value(fn, call.in);
}

}  // namespace grl

template <class... A, grl::if_rx_fits<16, 7, A...> = 0> inline auto regexp(A&&... a) {
  return grl::regexp_call(grl::rx_fn::regexp, a...);
}
template <class... A, grl::if_rx_fits<16, 7, A...> = 0> inline auto regexpi(A&&... a) {
  return grl::regexp_call(grl::rx_fn::regexpi, a...);
}
// regexprep has one output: a string, or a cell of the shape of a cell str.
template <class... A, grl::if_rx_fits<16, 0, A...> = 0> inline grl::rx_value regexprep(A&&... a) {
  grl::rx_call call;
  (call.add(a), ...);
  return grl::regexprep_value(call.in);
}

// The calls whose result the translator knows to be a cell.
namespace grl {
template <class... A> inline M<M<m_type>> regexp_cell(A&&... a) { return regexp_call(rx_fn::regexp, a...); }
template <class... A> inline M<M<m_type>> regexpi_cell(A&&... a) { return regexp_call(rx_fn::regexpi, a...); }
template <class... A> inline M<M<m_type>> regexprep_cell(A&&... a) { return ::regexprep(a...); }
}  // namespace grl

// n = regexp(..., 'names') without a semicolon: the structure n, whose fields (names
// separated by commas) hold strings, as a scalar structure is shown.
namespace grl {
void show_fields(const char* name, const char* names, const rx_fields_t& fields);
}

#endif
