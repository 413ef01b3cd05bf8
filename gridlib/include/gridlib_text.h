// Text output of values: the display of a statement without semicolon, disp, the
// printf family and the number-to-text conversions (num2str, int2str, mat2str).
#ifndef GRIDLIB_TEXT_H
#define GRIDLIB_TEXT_H

#include <cstdio>
#include <string>
#include <vector>

#include "gridlib_matrix.h"

#ifndef GRL_QUIET_DEFINED
#define GRL_QUIET_DEFINED
namespace grl {
// A result that the display statement does not print (disp, fprintf).
struct quiet : M<m_type> {
  using M<m_type>::M;
  quiet() = default;
  quiet(const M<m_type>& m) : M<m_type>(m) {}
};
}  // namespace grl
#endif

namespace grl {

// What "name = value" without a semicolon prints, written to standard output.
void show(const M<m_type>& x, const char* name);
void show(const M<M<m_type>>& x, const char* name);

// The texts that show and disp write.
std::string display_text(const M<m_type>& x, const char* name);
std::string display_text(const M<M<m_type>>& x, const char* name);
std::string disp_text(const M<m_type>& x);
std::string disp_text(const M<M<m_type>>& x);

// A char row vector holding s.
M<m_type> str_M(const std::string& s);
// The characters of a char (or numeric) value, column by column.
std::string text_of(const M<m_type>& x);
// The text a printf-family format makes of the elements of args (who names the
// function in error messages).
std::string format_text(const char* who, const std::string& format,
                        const std::vector<const M<m_type>*>& args);

// One argument of sprintf or fprintf: a value, or no argument at all for junkM.
struct text_arg_t {
  M<m_type> v;
  bool given = true, cell = false;
  text_arg_t(const junk_t&) : given(false) {}
  text_arg_t(const M<m_type>& m) : v(m) {}
  text_arg_t(const M<M<m_type>>&) : cell(true) {}
};
M<m_type> sprintf_args(const M<m_type>& fmt, const text_arg_t* a, std::size_t n);
quiet fprintf_args(const M<m_type>& fid_or_fmt, const text_arg_t* a, std::size_t n);

// Writes s to standard output.
void put_text(const std::string& s);
}  // namespace grl

grl::quiet disp(const M<m_type>& x);
// format short (or no mode) keeps the display; any other mode is refused.
grl::quiet format(const M<m_type>& mode = M<m_type>());
// more on/off: nothing to do, the program never pages its output.
grl::quiet more(const M<m_type>& mode = M<m_type>());
grl::quiet disp(const M<M<m_type>>& x);

// sprintf(fmt, ...) and fprintf([fid,] fmt, ...): the format is applied to the
// elements of all arguments in turn and recycled until they are used up; an empty
// argument takes one conversion and prints nothing there.
namespace grl {
// The arguments with c{:} spread into its elements, and the end marker after them.
template <class A> inline void append_text_arg(std::vector<text_arg_t>& v, const A& a) { v.emplace_back(a); }
void append_text_arg(std::vector<text_arg_t>& v, const cs_t<m_type>& a);
template <class... A> inline std::vector<text_arg_t> text_args(const A&... a) {
  std::vector<text_arg_t> v;
  (append_text_arg(v, a), ...);
  v.emplace_back(junk_t());
  return v;
}
}  // namespace grl
// The first argument is a value or a list c{:} that begins with the format (the C
// library's sprintf and fprintf keep their own arguments).
namespace grl {
template <class F> using if_text_first =
    std::enable_if_t<std::is_convertible_v<F, M<m_type>> || is_cs_arg<F>::value, int>;
[[noreturn]] void fail_no_format(const char* who);
}  // namespace grl
namespace grl {
// Calls run (sprintf_args or fprintf_args) with the first argument and the rest.
template <class R, class F, class... A>
inline R text_call(R (*run)(const M<m_type>&, const text_arg_t*, std::size_t), const char* who,
                   const F& first, const A&... a) {
  if constexpr (any_cs<F, A...>) {
    const std::vector<text_arg_t> args = text_args(first, a...);
    if (args.size() < 2) fail_no_format(who);
    return run(args[0].v, args.data() + 1, args.size() - 2);
  } else {
    const text_arg_t args[] = {text_arg_t(a)..., text_arg_t(junk_t())};
    return run(first, args, sizeof...(A));
  }
}
}  // namespace grl
template <class F, class... A, grl::if_text_first<F> = 0>
M<m_type> sprintf(const F& fmt, const A&... a) {
  return grl::text_call(grl::sprintf_args, "sprintf", fmt, a...);
}
template <class F, class... A, grl::if_text_first<F> = 0>
grl::quiet fprintf(const F& fid_or_fmt, const A&... a) {
  return grl::text_call(grl::fprintf_args, "fprintf", fid_or_fmt, a...);
}
namespace grl {
quiet printf_args(const M<m_type>& fmt, const text_arg_t* a, std::size_t n);
}
// printf(fmt, ...): fprintf to standard output; the format must be text.
template <class F, class... A, grl::if_text_first<F> = 0>
grl::quiet printf(const F& fmt, const A&... a) {
  return grl::text_call(grl::printf_args, "printf", fmt, a...);
}
// puts(s) and fputs(fid, s) write the characters of s as they are; fdisp(fid, x)
// writes what disp(x) shows to the stream fid.
grl::quiet puts(const M<m_type>& s);
grl::quiet fputs(const M<m_type>& fid, const M<m_type>& s);
grl::quiet fdisp(const M<m_type>& fid, const M<m_type>& x);
grl::quiet fdisp(const M<m_type>& fid, const M<M<m_type>>& x);

// num2str(x), num2str(x, precision), num2str(x, format).
M<m_type> num2str(const M<m_type>& x);
M<m_type> num2str(const M<m_type>& x, const M<m_type>& prec_or_fmt);
M<m_type> num2str(const M<M<m_type>>& x);   // refused: a cell is no number
// int2str(x): num2str of the rounded real parts.
M<m_type> int2str(const M<m_type>& x);
// mat2str(x), mat2str(x, precision): the value as literal text.
M<m_type> mat2str(const M<m_type>& x);
M<m_type> mat2str(const M<m_type>& x, const M<m_type>& prec);

#endif
