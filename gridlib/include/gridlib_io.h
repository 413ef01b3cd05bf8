// Files, the shell and the program's surroundings: MAT-files (load, save), ASCII
// data files, the file table of fopen and its readers and writers, the current
// directory, standard input, errors and warnings, time and the end of the program.
#ifndef GRIDLIB_IO_H
#define GRIDLIB_IO_H

#include <deque>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "gridlib_matrix.h"

#ifndef GRL_QUIET_DEFINED
#define GRL_QUIET_DEFINED 1
namespace grl {
// A value that the display statement leaves unprinted (functions called for effect).
struct quiet : M<m_type> {
  quiet() = default;
  quiet(const M<m_type>& v) : M<m_type>(v) {}
};
}  // namespace grl
#endif

namespace grl {
typedef std::initializer_list<M<m_type>*> var_list;

// MAT-file version written by save.
enum mat_version { MAT_V5 = 5, MAT_V4 = 4 };

// load(file, &x, &y): each variable receives the value of the same name in the file.
void load_vars(const M<m_type>& file, var_list vars);
// The inputs of a MAT-file helper program: as load_vars, but a variable missing from
// the file, or one that cannot be read, ends the program instead of a warning.
void load_required(const M<m_type>& file, var_list vars);
// load(file) without a list: the variables the function reads later. One the file does
// not hold keeps its value without a word when it has one, and is warned about if not.
void load_found(const M<m_type>& file, var_list vars);
struct found_only_t {};
inline constexpr found_only_t found_only{};
// Removes the file that save(file, ...) writes, if it exists and is not the file that
// load(input) reads: a helper program that fails must not leave the outputs of an
// earlier run behind as if they were its own.
void remove_saved(const M<m_type>& file, const M<m_type>& input);
// save(file, &x, ...): the variables under their names, in a MAT-file of that version.
void save_vars(const M<m_type>& file, var_list vars, mat_version ver);
// save(file, "-v4", &x, ...): the options a program passes as strings.
void save_vars(const M<m_type>& file, const M<m_type>& option, var_list vars);
// loadascii(file, &x): the numbers of a text file, one matrix row per line.
void loadascii_vars(const M<m_type>& file, var_list vars);
// saveascii(file, &x, ...): each matrix as lines of numbers in e-notation.
void saveascii_vars(const M<m_type>& file, var_list vars);

// The stream of a file id: 1 standard output, 2 standard error, others from fopen.
// An id that is not open ends the program ("fprintf: invalid stream number = N").
std::FILE* fid_file(double fid);
// The same, with the name of the calling function in the message.
std::FILE* fid_stream(const M<m_type>& fid, const char* who);
}  // namespace grl

namespace grl {
// load and save take each variable as the library's matrix; a proven cell travels as
// a matrix holding it, under its name, kept in `held` while the call runs.
inline M<m_type>* as_var(M<m_type>* v, std::deque<M<m_type>>&) { return v; }
inline M<m_type>* as_var(M<M<m_type>>* c, std::deque<M<m_type>>& held) {
  held.emplace_back(c->name_, 0, 0);
  held.back() = M<m_type>::of_cell(*c);
  return &held.back();
}
// After a load: a cell variable takes what was read into its stand-in (in order).
inline void take_back(M<m_type>*, std::deque<M<m_type>>&) {}
inline void take_back(M<M<m_type>>* c, std::deque<M<m_type>>& held) {
  *c = held.front();   // a value read that is not a cell is refused with its message
  held.pop_front();
}
}  // namespace grl

template <class... V> inline void load(const M<m_type>& file, V*... vars) {
  std::deque<M<m_type>> held;
  grl::load_vars(file, {grl::as_var(vars, held)...});
  (grl::take_back(vars, held), ...);
}
template <class... V> inline void load(const M<m_type>& file, grl::found_only_t, V*... vars) {
  std::deque<M<m_type>> held;
  grl::load_found(file, {grl::as_var(vars, held)...});
  (grl::take_back(vars, held), ...);
}
// x = load(file), x = load(file, '-ascii'): the numbers of a text file as a matrix (one
// row per line). A MAT-file's value would be a structure: it ends the program.
M<m_type> load(const M<m_type>& file);
M<m_type> load(const M<m_type>& file, const M<m_type>& option);
template <class... V> inline void save(const M<m_type>& file, V*... vars) {
  std::deque<M<m_type>> held;
  grl::save_vars(file, {grl::as_var(vars, held)...}, grl::MAT_V5);
}
template <class... V> inline void save(const M<m_type>& file, const M<m_type>& option, V*... vars) {
  std::deque<M<m_type>> held;
  grl::save_vars(file, option, {grl::as_var(vars, held)...});
}
template <class... V> inline void loadascii(const M<m_type>& file, V*... vars) {
  grl::loadascii_vars(file, {vars...});
}
template <class... V> inline void saveascii(const M<m_type>& file, V*... vars) {
  grl::saveascii_vars(file, {vars...});
}

// --- the shell ------------------------------------------------------------------
// system(cmd): runs cmd through the shell, its output on standard output; the exit status.
M<m_type> system(const M<m_type>& cmd);
M<m_type> system_M(const M<m_type>& cmd);
// [status, output] = system(cmd): the output is captured as a char row.
void system_M(const M<m_type>& cmd, i_o_t, Mr<m_type> status, Mr<m_type> output);
void system(const M<m_type>& cmd, i_o_t, Mr<m_type> status, Mr<m_type> output);

// --- the file table -------------------------------------------------------------
M<m_type> fopen(const M<m_type>& name, const M<m_type>& mode = M<m_type>());
void fopen(const M<m_type>& name, const M<m_type>& mode, i_o_t, Mr<m_type> fid, Mr<m_type> msg);
void fopen(const M<m_type>& name, i_o_t, Mr<m_type> fid, Mr<m_type> msg);
M<m_type> fclose(const M<m_type>& fid);               // fid or 'all'
// The ids of the standard streams (stdin 0, stdout 1, stderr 2); C names them as
// macros, so the library spells them with _M.
M<m_type> stdin_M();
M<m_type> stdout_M();
M<m_type> stderr_M();
// fflush(fid): writes out what the stream holds; 0 on success.
M<m_type> fflush(const M<m_type>& fid);
M<m_type> fgetl(const M<m_type>& fid);                // a line without its end, or -1
M<m_type> fgets(const M<m_type>& fid);                // a line with its end, or -1
M<m_type> feof(const M<m_type>& fid);
M<m_type> ftell(const M<m_type>& fid);
M<m_type> fseek(const M<m_type>& fid, const M<m_type>& offset, const M<m_type>& origin = M<m_type>());
grl::quiet frewind(const M<m_type>& fid);
// fscanf(fid, format [, size]): the converted numbers as a column (or size's shape).
M<m_type> fscanf(const M<m_type>& fid, const M<m_type>& format, const M<m_type>& size = M<m_type>());
void fscanf(const M<m_type>& fid, const M<m_type>& format, i_o_t, Mr<m_type> val, Mr<m_type> count);
void fscanf(const M<m_type>& fid, const M<m_type>& format, const M<m_type>& size, i_o_t,
            Mr<m_type> val, Mr<m_type> count);
// sscanf(text, format [, size]): the same conversions applied to a text; the outputs
// [val, count, errmsg, next].
M<m_type> sscanf(const M<m_type>& str, const M<m_type>& format, const M<m_type>& size = M<m_type>());
void sscanf(const M<m_type>& str, const M<m_type>& format, i_o_t, Mr<m_type> val, Mr<m_type> count = junkM,
            Mr<m_type> errmsg = junkM, Mr<m_type> next = junkM);
void sscanf(const M<m_type>& str, const M<m_type>& format, const M<m_type>& size, i_o_t, Mr<m_type> val,
            Mr<m_type> count = junkM, Mr<m_type> errmsg = junkM, Mr<m_type> next = junkM);
// fread(fid [, size [, precision]]) and fwrite(fid, data [, precision]): binary data.
M<m_type> fread(const M<m_type>& fid, const M<m_type>& size = M<m_type>(),
                const M<m_type>& precision = M<m_type>());
void fread(const M<m_type>& fid, const M<m_type>& size, const M<m_type>& precision, i_o_t,
           Mr<m_type> val, Mr<m_type> count);
M<m_type> fwrite(const M<m_type>& fid, const M<m_type>& data, const M<m_type>& precision = M<m_type>());

// --- files and directories ------------------------------------------------------
M<m_type> exist(const M<m_type>& name);               // 2 a file, 7 a directory, 0 neither
M<m_type> exist(const M<m_type>& name, const M<m_type>& type);   // type "file" or "dir"
namespace grl {
// exist of a variable, which the translator decides: 1 or 0.
M<m_type> exist_var(bool defined);
// exist of a function the translator knows: 5 built in, 2 an M-file of the program.
M<m_type> exist_found(int kind);
// Whether a variable holds a value: a matrix or a cell is empty before its first
// assignment; a structure or a plain number always holds one.
inline bool holds_value(const M<m_type>& v) { return !v.isempty(); }
inline bool holds_value(const M<M<m_type>>& v) { return !v.isempty(); }
template <class S> inline bool holds_value(const S&) { return true; }
// A read of a name that is a variable on some paths and a function on others: the
// variable's value when it holds one, else the function's result (evaluated only then).
#define GRL_DUAL(held, value, call) ((held) ? (value) : (call))
}
grl::quiet deleteM(const M<m_type>& name);            // `delete` is a C++ word
M<m_type> pwd();
grl::quiet cd(const M<m_type>& dir = M<m_type>());

// --- standard input -------------------------------------------------------------
// input(prompt): the numbers typed on one line; input(prompt, 's'): the line itself.
M<m_type> input(const M<m_type>& prompt, const M<m_type>& s = M<m_type>());

// --- errors and warnings --------------------------------------------------------
namespace grl {
void error_args(const M<m_type>& fmt, const std::vector<const M<m_type>*>& args);
}
// error(message) raises the error (grl::exception); it returns only when the message is
// empty, which raises nothing. The quiet type lets `error(...)` written as a displayed
// statement compile.
grl::quiet error(const M<m_type>& msg);
// error() without arguments: Octave's usage message.
grl::quiet error();
// error(text) of the library's own callers (the MAT-file helper's usage message).
grl::quiet error(const char* msg);
// error(format, a, ...) and error(id, format, a, ...): the message formatted as sprintf would.
template <class A1, class... A> inline grl::quiet error(const M<m_type>& fmt, const A1& a1, const A&... a) {
  const std::vector<M<m_type>> v = grl::arg_list<m_type>(a1, a...);
  std::vector<const M<m_type>*> p;
  for (const M<m_type>& x : v) p.push_back(&x);
  grl::error_args(fmt, p);
  return grl::quiet();
}
// assert(cond), assert(cond, format, ...), assert(cond, id, format, ...) and
// assert(observed, expected[, tol]). The translator passes the arguments' text first,
// for the message of a failed assert ("assert (x == 3) failed"). The C++ name is
// assert_M: assert is the C library's macro.
namespace grl {
struct assert_src {
  explicit assert_src(const char* t) : text(t) {}
  const char* text;
};
void assert_args(const char* src, const std::vector<M<m_type>>& args);
}  // namespace grl
template <class... A> inline grl::quiet assert_M(grl::assert_src src, const A&... a) {
  grl::assert_args(src.text, grl::arg_list<m_type>(a...));
  return grl::quiet();
}
template <class... A> inline grl::quiet assert_M(const M<m_type>& cond, const A&... a) {
  grl::assert_args("cond", grl::arg_list<m_type>(cond, a...));
  return grl::quiet();
}
grl::quiet warning(const M<m_type>& msg);
namespace grl {
grl::quiet warning_args(const M<m_type>& fmt, const std::vector<const M<m_type>*>& args);
}
// warning(format, a, ...) and warning(id, format, ...); warning('off', id) is silent.
template <class A1, class... A> inline grl::quiet warning(const M<m_type>& fmt, const A1& a1, const A&... a) {
  const std::vector<M<m_type>> v = grl::arg_list<m_type>(a1, a...);
  std::vector<const M<m_type>*> p;
  for (const M<m_type>& x : v) p.push_back(&x);
  return grl::warning_args(fmt, p);
}
M<m_type> lasterr();

// --- the end of the program ---------------------------------------------------------
[[noreturn]] void exit_M(const M<m_type>& status = M<m_type>());
[[noreturn]] void quit(const M<m_type>& status = M<m_type>());

// --- time -----------------------------------------------------------------------
M<m_type> cputime();
M<m_type> etime(const M<m_type>& t1, const M<m_type>& t0);
M<m_type> date();
grl::quiet pauseM(const M<m_type>& seconds = M<m_type>());   // `pause` is a POSIX function
// type file: the contents of a text file on standard output.
grl::quiet type(const M<m_type>& file);

// C = textscan(text or fid, format [, N] [, option, value ...]): one cell per kept
// conversion (%f %n %d.. %u.. %s), options Delimiter, Whitespace, HeaderLines,
// EmptyValue, MultipleDelimsAsOne, CollectOutput, CommentStyle.
namespace grl {
M<M<m_type>> textscan_v(const std::vector<M<m_type>>& in);
}
template <class... A> inline M<M<m_type>> textscan(const A&... a) { return grl::textscan_v({M<m_type>(a)...}); }

#endif
