// The program itself and the machine: mfilename, the argument-count checks, the
// platform queries, environment variables, and the calls of windowed programs
// (beep, clc, drawnow, close) that a console program answers at once.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <string>

#include "gridlib.h"
#include "strutil.h"

using grl::Mt;
namespace su = grl::su;

namespace {

void flush_all() {
  std::cout.flush();
  std::fflush(stdout);
}

std::string base_name(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string strip_ext(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  const std::size_t slash = name.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name;
  return name.substr(0, dot);
}

// The absolute form of a path the compiler was given, resolved against the directory
// the program started in (the generated sources are compiled there).
std::string absolute(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  static const std::string start = [] {
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
  }();
  return start + "/" + path;
}

// The bounds of narginchk and its relatives: numeric scalars, lo <= hi.
void check_bounds(const char* who, const Mt& lo, const Mt& hi) {
  if (lo.ischar() || lo.numel() != 1 || lo.isc())
    grl_fail("%s: MINARGS must be a numeric scalar", who);
  if (hi.ischar() || hi.numel() != 1 || hi.isc())
    grl_fail("%s: MAXARGS must be a numeric scalar", who);
  if (double(lo.cre()[0]) > double(hi.cre()[0]))
    grl_fail("%s: MINARGS cannot be larger than MAXARGS", who);
}

// The message for a count n outside [lo, hi], or "" when it lies inside.
std::string count_message(const Mt& lo, const Mt& hi, double n, const char* what) {
  if (n < double(lo.cre()[0])) return std::string("not enough ") + what + " arguments";
  if (n > double(hi.cre()[0])) return std::string("too many ") + what + " arguments";
  return "";
}

double count_arg(const char* who, const Mt& n) {
  if (n.ischar() || n.numel() != 1 || n.isc()) grl_fail("%s: NARGS must be a numeric scalar", who);
  return double(n.cre()[0]);
}

Mt message_value(const char* who, const std::string& msg, const Mt& form) {
  if (!form.isempty()) {
    const std::string f = su::text(form);
    if (!form.ischar() || (f != "string" && f != "struct"))
      grl_fail("%s: output type must be either string or struct", who);
    if (f == "struct")
      grl_fail("%s: the \"struct\" output is not available; use \"string\"", who);
  }
  // An empty message is the 0x0 char '' (1x0 in MATLAB's newer releases).
  return su::str(msg);
}

std::string name_arg(const char* who, const Mt& name, const char* what) {
  if (!name.ischar() || (name.rows() > 1)) grl_fail("%s: %s must be a string", who, what);
  return su::text(name);
}

}  // namespace

// --- the program itself --------------------------------------------------------------

Mt grl::mfile_name::operator()() const { return su::str(strip_ext(base_name(source))); }

Mt grl::mfile_name::operator()(const Mt& option) const {
  if (!option.ischar()) grl_fail("mfilename: option argument must be a string");
  const std::string opt = su::text(option);
  if (opt == "fullpath") return su::str(strip_ext(absolute(source)));
  if (opt == "fullpathext") {
    // The M-file beside its generated source.
    return su::str(strip_ext(absolute(source)) + ".m");
  }
  return (*this)();
}

grl::quiet narginchk(const Mt& lo, const Mt& hi) {
  check_bounds("narginchk", lo, hi);
  const std::string m = count_message(lo, hi, nargin_val, "input");
  if (!m.empty()) grl_fail("narginchk: %s", m.c_str());
  return grl::quiet();
}

grl::quiet nargoutchk(const Mt& lo, const Mt& hi) {
  check_bounds("nargoutchk", lo, hi);
  const std::string m = count_message(lo, hi, nargout_val, "output");
  if (!m.empty()) grl_fail("nargoutchk: %s", m.c_str());
  return grl::quiet();
}

Mt nargoutchk(const Mt& lo, const Mt& hi, const Mt& n, const Mt& form) {
  check_bounds("nargoutchk", lo, hi);
  const double k = count_arg("nargoutchk", n);
  return message_value("nargoutchk", count_message(lo, hi, k, "output"), form);
}

Mt nargchk(const Mt& lo, const Mt& hi, const Mt& n, const Mt& form) {
  check_bounds("nargchk", lo, hi);
  const double k = count_arg("nargchk", n);
  return message_value("nargchk", count_message(lo, hi, k, "input"), form);
}

// --- the machine ---------------------------------------------------------------------

Mt isdeployed() { return su::boolean(true); }
Mt ispc() { return su::boolean(false); }
Mt isunix() { return su::boolean(true); }
Mt ismac() { return su::boolean(false); }

Mt filesep(const Mt& which) {
  if (which.numel() == 0 && !which.ischar()) return su::str("/");
  if (!which.ischar()) grl_fail("filesep: argument must be a string");
  if (su::text(which) != "all") grl_fail("filesep: argument must be \"all\"");
  return su::str("/");
}
Mt pathsep() { return su::str(":"); }

namespace {
#if defined(__x86_64__)
const char* const kTriplet = "x86_64-pc-linux-gnu";
const char* const kArch = "gnu-linux-x86_64";
#elif defined(__aarch64__)
const char* const kTriplet = "aarch64-unknown-linux-gnu";
const char* const kArch = "gnu-linux-aarch64";
#else
const char* const kTriplet = "unknown-linux-gnu";
const char* const kArch = "gnu-linux";
#endif
}  // namespace

Mt computer(const Mt& arch) {
  if (arch.isempty() && !arch.ischar()) return su::str(kTriplet);
  if (!arch.ischar() || su::text(arch) != "arch") grl_fail("computer: \"arch\" is only valid argument");
  return su::str(kArch);
}

void computer(i_o_t, Mr<m_type> c, Mr<m_type> maxsize, Mr<m_type> endian) {
  c = su::str(kTriplet);
  // The most elements one value may hold.
  maxsize = Mt(m_type(double(grl::max_value_bytes / sizeof(m_type))));
  const unsigned one = 1;
  endian = su::str(*reinterpret_cast<const unsigned char*>(&one) == 1 ? "L" : "B");
}

Mt version() { return su::str("3.00"); }

Mt getenv_M(const Mt& name) {
  const char* v = std::getenv(su::text(name).c_str());
  return su::str(v ? v : "");
}

grl::quiet setenv_M(const Mt& name, const Mt& value) {
  const std::string n = name_arg("setenv", name, "VAR");
  if (!value.isempty() && !value.ischar()) grl_fail("setenv: VALUE must be a string");
  if (n.empty() || n.find('=') != std::string::npos)
    grl_fail("setenv: invalid environment variable name '%s'", n.c_str());
  ::setenv(n.c_str(), su::text(value).c_str(), 1);
  return grl::quiet();
}

grl::quiet putenv_M(const Mt& name, const Mt& value) { return setenv_M(name, value); }

// --- windowed calls ------------------------------------------------------------------

grl::quiet beep() {
  std::cout << '\a';
  std::cout.flush();
  return grl::quiet();
}

grl::quiet clc() {
  if (isatty(STDOUT_FILENO)) {
    std::cout << "\033[H\033[2J";
    std::cout.flush();
  }
  return grl::quiet();
}

grl::quiet drawnow(const Mt& option) {
  if (!option.isempty() && !option.ischar()) grl_fail("drawnow: first argument must be a string");
  flush_all();
  return grl::quiet();
}

// close, close all, close(h): a console program has no figures to close.
grl::quiet close_M(const Mt&) { return grl::quiet(); }
