// What translated try/catch blocks use, and the M functions around errors: the caught
// value (err.message, err.identifier, err.stack), rethrow, error of a structure,
// getReport, lasterr and lastwarn.
//
// A structure is the C++ struct the translator declares for it, so the functions that
// take one are templates over its type: they read the fields `message` and
// `identifier` where the structure has them.
#ifndef GRIDLIB_CATCH_H
#define GRIDLIB_CATCH_H

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "gridlib_error.h"
#include "gridlib_io.h"
#include "gridlib_matrix.h"

namespace grl {

// A function that no M-file and no library defines, named where the program may never
// go: the call (or the bare name) fails when it runs, "'name' undefined near line L,
// column C" (the place in the M-file; no place when line is 0). The arguments are
// worked out first, as in any call.
[[noreturn]] void undefined_function(const char* name, int line, int column);
struct undefined_call {
  const char* name;
  int line, column;
  template <class... A> M<m_type> operator()(const A&...) const { undefined_function(name, line, column); }
};
inline M<m_type> undefined_value(const char* name, int line, int column) { undefined_function(name, line, column); }

// Entering a catch block: the error becomes the one lasterr gives.
void caught(const exception& e);
// The value of a catch block's variable: a structure with the fields message,
// identifier and stack, the stack an n x 1 structure array (file, name, line, column)
// of the calls that were running when the error was raised, innermost first.
M<m_type> caught_value(const exception& e);
// The calls a caught value's stack field lists (for rethrow and error of the value);
// the calls running now when it has no such field.
std::vector<stack_frame> stack_of(const M<m_type>& err);
// The values a catch block puts into the fields of its variable.
M<m_type> caught_text(const std::string& s);
M<m_type> caught_number(double v);

std::string text_of(const M<m_type>& x);

template <class S, class = void> struct has_message : std::false_type {};
template <class S>
struct has_message<S, std::void_t<decltype(std::declval<const S&>().message)>> : std::true_type {};
template <class S, class = void> struct has_identifier : std::false_type {};
template <class S>
struct has_identifier<S, std::void_t<decltype(std::declval<const S&>().identifier)>> : std::true_type {};

// A structure that describes an error: it has a message field.
template <class S> constexpr bool is_error_struct = has_message<S>::value;

template <class S> std::string identifier_field(const S& s) {
  if constexpr (has_identifier<S>::value)
    return text_of(s.identifier);
  else
    return std::string();
}

// struct('message', m, 'identifier', id) written as the argument of error or rethrow:
// the fields given, by name.
struct error_value {
  M<m_type> message, identifier;
  bool has_message = false, has_identifier = false;
};
error_value error_struct_of(const std::vector<const M<m_type>*>& pairs);
template <class... A> error_value error_struct(const A&... a) {
  const std::vector<M<m_type>> v = {M<m_type>(a)...};
  std::vector<const M<m_type>*> p;
  for (const M<m_type>& x : v) p.push_back(&x);
  return error_struct_of(p);
}

// rethrow of a structure that lacks message or identifier, or of a value that is not a
// structure.
[[noreturn]] void rethrow_incomplete();
[[noreturn]] void rethrow_not_struct();

}  // namespace grl

// rethrow(err): raises the error err describes again, with its message and identifier.
template <class S, std::enable_if_t<grl::is_error_struct<S>, int> = 0>
grl::quiet rethrow(const S& err) {
  if constexpr (!grl::has_identifier<S>::value) grl::rethrow_incomplete();
  throw grl::exception(grl::identifier_field(err), grl::text_of(err.message));
}
grl::quiet rethrow(const grl::error_value& err);
// rethrow of a value: a structure with the fields message and identifier.
grl::quiet rethrow(const M<m_type>& err);
template <class S, std::enable_if_t<!grl::is_error_struct<S>, int> = 0>
grl::quiet rethrow(const S&) {
  grl::rethrow_not_struct();
}

// error(err) of a caught value or of struct('message', ..., 'identifier', ...): raises
// it; an empty message raises nothing.
template <class S, std::enable_if_t<grl::is_error_struct<S>, int> = 0>
grl::quiet error(const S& err) {
  const std::string m = grl::text_of(err.message);
  if (!m.empty()) throw grl::exception(grl::identifier_field(err), m);
  return grl::quiet();
}

// getReport(err): the error's message.
template <class S, std::enable_if_t<grl::is_error_struct<S>, int> = 0>
M<m_type> getReport(const S& err) {
  return grl::caught_text(grl::text_of(err.message));
}

// getReport of a value that is not an error structure.
M<m_type> getReport(const M<m_type>& err);

namespace grl {
// Checks getReport's options: a type 'basic' or 'extended', then 'hyperlinks' with
// 'on', 'off' or 'default'. The report is the message whatever they are.
void report_options(const M<m_type>& type, const M<m_type>* name, const M<m_type>* value);
}  // namespace grl
template <class S>
auto getReport(const S& err, const M<m_type>& type) -> decltype(getReport(err)) {
  grl::report_options(type, nullptr, nullptr);
  return getReport(err);
}
template <class S>
auto getReport(const S& err, const M<m_type>& type, const M<m_type>& name, const M<m_type>& value)
    -> decltype(getReport(err)) {
  grl::report_options(type, &name, &value);
  return getReport(err);
}

// [msg, id] = lasterr(), lasterr(msg): the last error raised.
void lasterr(i_o_t, Mr<m_type> msg, Mr<m_type> id);
grl::quiet lasterr(const M<m_type>& msg, const M<m_type>& id = M<m_type>());
// lastwarn() and [msg, id] = lastwarn(): the last warning shown; lastwarn(msg [, id]) sets it.
M<m_type> lastwarn();
void lastwarn(i_o_t, Mr<m_type> msg, Mr<m_type> id);
grl::quiet lastwarn(const M<m_type>& msg, const M<m_type>& id = M<m_type>());

#endif
