// The program's surroundings: its own name and argument counts, the machine it runs
// on, environment variables, files and directories by name, delimited text files,
// and the calls of windowed programs that have nothing to do in a console program.
#ifndef GRIDLIB_SYS_H
#define GRIDLIB_SYS_H

#include <string>
#include <vector>

#include "gridlib_matrix.h"
#include "gridlib_io.h"

// --- the program itself ------------------------------------------------------------
namespace grl {
// mfilename, mfilename('fullpath'), mfilename('fullpathext') of the M-file whose
// generated source is `source` (the compiler's __FILE__ at the call).
struct mfile_name {
  const char* source;
  M<m_type> operator()() const;
  M<m_type> operator()(const M<m_type>& option) const;
};
}  // namespace grl
// The translator renames mfilename to mfilename_M; the macro adds the file the call
// is compiled in, so every M-file (and every script included in place) knows its own
// name.
#define mfilename_M(...) grl::mfile_name{__FILE__}(__VA_ARGS__)

// narginchk(lo, hi): the calling function's nargin must lie in [lo, hi].
grl::quiet narginchk(const M<m_type>& lo, const M<m_type>& hi);
// nargoutchk(lo, hi): the same of nargout; with n (and 'string'): the message text.
grl::quiet nargoutchk(const M<m_type>& lo, const M<m_type>& hi);
M<m_type> nargoutchk(const M<m_type>& lo, const M<m_type>& hi, const M<m_type>& n,
                     const M<m_type>& form = M<m_type>());
// nargchk(lo, hi, n [, 'string']): '' when n lies in [lo, hi], else the message text.
M<m_type> nargchk(const M<m_type>& lo, const M<m_type>& hi, const M<m_type>& n,
                  const M<m_type>& form = M<m_type>());

// --- the machine ---------------------------------------------------------------------
M<m_type> isdeployed();                 // true: a compiled program is deployed
M<m_type> ispc();
M<m_type> isunix();
M<m_type> ismac();
// filesep: the separator of directory names ('/'), filesep('all') likewise; pathsep: that
// of a list of directories (':').
M<m_type> filesep(const M<m_type>& which = M<m_type>());
M<m_type> pathsep();
// computer: the system's triplet; computer('arch'); [c, maxsize, endian] = computer.
M<m_type> computer(const M<m_type>& arch = M<m_type>());
void computer(i_o_t, Mr<m_type> c, Mr<m_type> maxsize = junkM, Mr<m_type> endian = junkM);
M<m_type> version();
M<m_type> getenv_M(const M<m_type>& name);
grl::quiet setenv_M(const M<m_type>& name, const M<m_type>& value = M<m_type>());
grl::quiet putenv_M(const M<m_type>& name, const M<m_type>& value = M<m_type>());

// --- windowed calls a console program answers at once ------------------------------------
grl::quiet beep();
grl::quiet clc();                       // clears a terminal; nothing when output is not one
grl::quiet drawnow(const M<m_type>& option = M<m_type>());
grl::quiet close_M(const M<m_type>& which = M<m_type>());

// --- names of files and directories ------------------------------------------------
namespace grl {
M<m_type> fullfile_v(const std::vector<M<m_type>>& parts);
M<M<m_type>> fullfile_c(const std::vector<M<M<m_type>>>& parts);
M<M<m_type>> fullfile_piece(const M<m_type>& s);
inline M<M<m_type>> fullfile_piece(const M<M<m_type>>& c) { return c; }
template <class X>
inline constexpr bool path_cell_arg = std::is_convertible_v<const X&, M<M<m_type>>> &&
                                      !std::is_convertible_v<const X&, M<m_type>>;
}  // namespace grl
// fullfile(a, b, ...): the parts joined by '/', doubled separators made single; a cell
// of names gives a cell of paths.
inline M<m_type> fullfile() { return grl::fullfile_v({}); }
template <class A1, class... A> inline auto fullfile(const A1& a, const A&... b) {
  if constexpr (grl::path_cell_arg<A1> || (grl::path_cell_arg<A> || ...))
    return grl::fullfile_c({grl::fullfile_piece(a), grl::fullfile_piece(b)...});
  else
    return grl::fullfile_v(grl::arg_list<m_type>(a, b...));
}
// [dir, name, ext] = fileparts(file).
M<m_type> fileparts(const M<m_type>& file);
void fileparts(const M<m_type>& file, i_o_t, Mr<m_type> dir, Mr<m_type> name = junkM,
               Mr<m_type> ext = junkM);
M<m_type> tempdir();
M<m_type> tempname(const M<m_type>& dir = M<m_type>(), const M<m_type>& prefix = M<m_type>());
M<m_type> isfile(const M<m_type>& name);
M<m_type> isfile(const M<M<m_type>>& names);
M<m_type> isfolder(const M<m_type>& name);
M<m_type> isfolder(const M<M<m_type>>& names);
M<m_type> isdir(const M<m_type>& name);
// [status, msg, msgid] = mkdir(dir) or mkdir(parent, dir): missing parents are made.
M<m_type> mkdir_M(const M<m_type>& dir);
M<m_type> mkdir_M(const M<m_type>& parent, const M<m_type>& dir);
void mkdir_M(const M<m_type>& dir, i_o_t, Mr<m_type> status, Mr<m_type> msg = junkM,
             Mr<m_type> msgid = junkM);
void mkdir_M(const M<m_type>& parent, const M<m_type>& dir, i_o_t, Mr<m_type> status,
             Mr<m_type> msg = junkM, Mr<m_type> msgid = junkM);
// [status, msg, msgid] = rmdir(dir) or rmdir(dir, 's') (with everything inside).
M<m_type> rmdir_M(const M<m_type>& dir, const M<m_type>& s = M<m_type>());
void rmdir_M(const M<m_type>& dir, i_o_t, Mr<m_type> status, Mr<m_type> msg = junkM,
             Mr<m_type> msgid = junkM);
void rmdir_M(const M<m_type>& dir, const M<m_type>& s, i_o_t, Mr<m_type> status,
             Mr<m_type> msg = junkM, Mr<m_type> msgid = junkM);
// dir, dir(name): the entries of a folder, a file or a pattern (* and ? in the last
// part) as a column of structures with the fields name, folder, date, bytes, isdir,
// datenum; a folder's own entries . and .. come first, the others in name order.
M<m_type> dir();
M<m_type> dir(const M<m_type>& name);
// ls and ls(names...): the names of the folder or the given names and patterns, one per
// row of a char matrix.
namespace grl {
M<m_type> ls_v(const std::vector<M<m_type>>& args);
// The same asked for no output (the statements dir, dir(x), ls, ls(x), ...): the names
// printed in columns.
quiet dir_show();
quiet dir_show(const M<m_type>& name);
quiet ls_show_v(const std::vector<M<m_type>>& args);
template <class... A> inline quiet ls_show(const A&... a) { return ls_show_v(arg_list<m_type>(a...)); }
}  // namespace grl
template <class... A> inline M<m_type> ls(const A&... a) { return grl::ls_v(grl::arg_list<m_type>(a...)); }
// fileread(name): the whole file as one char row.
M<m_type> fileread(const M<m_type>& name);

// --- delimited text files ------------------------------------------------------------
// dlmread(file [, sep] [, r0, c0 | range]) and dlmread(file, 'emptyvalue', v): the
// numbers of a delimited file; fields that are empty or not numbers are 0 (or v).
M<m_type> dlmread(const M<m_type>& file);
M<m_type> dlmread(const M<m_type>& file, const M<m_type>& a);
M<m_type> dlmread(const M<m_type>& file, const M<m_type>& a, const M<m_type>& b);
M<m_type> dlmread(const M<m_type>& file, const M<m_type>& a, const M<m_type>& b, const M<m_type>& c);
M<m_type> dlmread(const M<m_type>& file, const M<m_type>& a, const M<m_type>& b, const M<m_type>& c,
                  const M<m_type>& d);
M<m_type> dlmread(const M<m_type>& file, const M<m_type>& a, const M<m_type>& b, const M<m_type>& c,
                  const M<m_type>& d, const M<m_type>& e);
M<m_type> csvread(const M<m_type>& file);
M<m_type> csvread(const M<m_type>& file, const M<m_type>& range);
M<m_type> csvread(const M<m_type>& file, const M<m_type>& r0, const M<m_type>& c0);
M<m_type> csvread(const M<m_type>& file, const M<m_type>& r0, const M<m_type>& c0, const M<m_type>& range);
namespace grl {
void dlmwrite_v(const M<m_type>& file, const M<m_type>& x, const std::vector<M<m_type>>& opts);
}
// dlmwrite(file, x, [delim, r, c,] 'delimiter', d, 'precision', p, 'newline', nl,
// 'roffset', r, 'coffset', c, '-append'): x as delimited text, "%.16g" by default.
template <class... A> inline grl::quiet dlmwrite(const M<m_type>& file, const M<m_type>& x, const A&... o) {
  grl::dlmwrite_v(file, x, grl::arg_list<m_type>(o...));
  return grl::quiet();
}
grl::quiet csvwrite(const M<m_type>& file, const M<m_type>& x);
grl::quiet csvwrite(const M<m_type>& file, const M<m_type>& x, const M<m_type>& r, const M<m_type>& c);

#endif
