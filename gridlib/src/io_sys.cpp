// The program's surroundings: shell commands, files and directories, standard input,
// errors and warnings, the end of the program, and time.
#include <glob.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "gridlib.h"
#include "gridlib_io.h"
#include "gridlib_catch.h"
#include "gridlib_extra.h"
#include "error_causes.h"
#include "strutil.h"
#include "warning_state.h"

namespace grl {
namespace {

// Output written so far reaches the terminal before a command's or a message's own.
void flush_all() {
  std::cout.flush();
  std::fflush(stdout);
}

double exit_status(int st) {
  if (st == -1) return 127;
  if (WIFEXITED(st)) return WEXITSTATUS(st);
  if (WIFSIGNALED(st)) return 128 + WTERMSIG(st);
  return st;
}

std::string command_text(const Mt& cmd, const char* who) {
  if (!cmd.ischar() && !cmd.isempty()) grl_fail("%s: first argument must be a string", who);
  return su::text(cmd);
}

}  // namespace
}  // namespace grl

using grl::Mt;
namespace su = grl::su;

// --- the shell ------------------------------------------------------------------

Mt system_M(const Mt& cmd) {
  const std::string c = grl::command_text(cmd, "system");
  grl::flush_all();
  return Mt(m_type(grl::exit_status(::system(c.c_str()))));
}

Mt system(const Mt& cmd) { return system_M(cmd); }

void system_M(const Mt& cmd, i_o_t, Mr<m_type> status, Mr<m_type> output) {
  const std::string c = grl::command_text(cmd, "system");
  if (!output.given()) { status = system_M(cmd); return; }
  grl::flush_all();
  std::FILE* p = ::popen(c.c_str(), "r");
  if (!p) grl_fail("system: unable to start subprocess for '%s'", c.c_str());
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
  status = Mt(m_type(grl::exit_status(::pclose(p))));
  output = su::str(text);
}

void system(const Mt& cmd, i_o_t, Mr<m_type> status, Mr<m_type> output) {
  system_M(cmd, i_o, status, output);
}

// --- files and directories ------------------------------------------------------

// A bare name is also found as its M-file, as M finds a function or script.
Mt exist(const Mt& name) {
  struct stat st;
  const std::string s = su::text(name);
  if (s.empty()) return Mt(m_type(0));
  if (stat(s.c_str(), &st) == 0) return Mt(m_type(S_ISDIR(st.st_mode) ? 7 : 2));
  const bool bare = s.find_first_of("./") == std::string::npos;
  return Mt(m_type(bare && stat((s + ".m").c_str(), &st) == 0 && S_ISREG(st.st_mode) ? 2 : 0));
}

// exist(name, type): type "file" finds files and directories, "dir" directories
// only; the library holds no variables or functions, so those kinds are never found.
Mt exist(const Mt& name, const Mt& type) {
  const std::string t = su::text(type);
  static const char* kinds[] = {"var", "builtin", "file", "dir", "class"};
  bool known = false;
  for (const char* k : kinds) known = known || t == k;
  if (!type.ischar() || !known)
    grl_fail("exist: unrecognized type argument \"%s\"", t.c_str());
  const double found = double(exist(name).cre()[0]);
  if (t == "file") return Mt(m_type(found));
  if (t == "dir") return Mt(m_type(found == 7 ? 7 : 0));
  return Mt(m_type(0));
}

Mt grl::exist_var(bool defined) { return Mt(m_type(defined ? 1 : 0)); }
Mt grl::exist_found(int kind) { return Mt(m_type(kind)); }

// delete(name): a file, or every file a pattern with * ? [...] matches.
grl::quiet deleteM(const Mt& name) {
  const std::string s = su::text(name);
  if (s.find_first_of("*?[") != std::string::npos) {
    glob_t found{};
    std::size_t removed = 0;
    if (::glob(s.c_str(), 0, nullptr, &found) == 0)
      for (std::size_t k = 0; k < found.gl_pathc; ++k) {
        struct stat st {};
        if (::stat(found.gl_pathv[k], &st) == 0 && S_ISREG(st.st_mode) && std::remove(found.gl_pathv[k]) == 0)
          ++removed;
      }
    ::globfree(&found);
    if (removed == 0) grl::warn("Octave:delete:no-such-file", "delete: no such file: %s", s.c_str());
    return grl::quiet();
  }
  if (std::remove(s.c_str()) != 0) {
    grl::warn("Octave:delete:no-such-file", "delete: no such file: %s", s.c_str());
  }
  return grl::quiet();
}

Mt pwd() {
  std::vector<char> buf(4096);
  while (!::getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE || buf.size() > (1u << 20)) grl_fail("pwd: unable to find the current directory");
    buf.resize(buf.size() * 2);
  }
  return su::str(buf.data());
}

grl::quiet cd(const Mt& dir) {
  std::string d = su::text(dir);
  if (d.empty()) {
    const char* home = std::getenv("HOME");
    if (!home) return grl::quiet();
    d = home;
  }
  if (::chdir(d.c_str()) != 0) grl_fail("cd: %s: %s", d.c_str(), std::strerror(errno));
  return grl::quiet();
}

// --- standard input -------------------------------------------------------------

Mt input(const Mt& prompt, const Mt& s) {
  grl::flush_all();
  std::fputs(su::text(prompt).c_str(), stdout);
  std::fflush(stdout);
  std::string line;
  int c;
  while ((c = std::getchar()) != EOF && c != '\n') line.push_back(char(c));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (!s.isempty()) {
    if (su::text(s) != "s") grl_fail("input: second argument must be 's'.");
    return su::str(line);
  }
  // The reply is a value: numbers separated by blanks or commas, a row of them.
  if (c == EOF && line.empty()) grl_fail("input: reading user-input failed!");
  std::vector<double> v;
  const char* p = line.c_str();
  for (;;) {
    while (*p == ' ' || *p == '\t' || *p == ',') ++p;
    if (!*p) break;
    char* end = nullptr;
    const double d = std::strtod(p, &end);
    if (end == p) grl_fail("parse error: invalid input '%s'", line.c_str());
    v.push_back(d);
    p = end;
  }
  Mt m = Mt::alloc(v.empty() ? 0 : 1, v.size());
  for (std::size_t k = 0; k < v.size(); ++k) m.pr()[k] = m_type(v[k]);
  return m;
}

// --- errors and warnings --------------------------------------------------------

namespace {
// A message identifier such as "pkg:name" comes before the format when more arguments
// follow: it holds a colon (not at its end) and no white space.
bool is_message_id(const Mt& a) {
  if (!a.ischar()) return false;
  const std::string s = su::text(a);
  // A format ('Pkg:%s') is no identifier; neither is text that starts or ends with ':'.
  if (s.empty() || s.find(':') == std::string::npos || s.front() == ':' || s.back() == ':' ||
      s.find('%') != std::string::npos)
    return false;
  for (char c : s)
    if (std::isspace(static_cast<unsigned char>(c))) return false;
  return true;
}

// The message of error(fmt, args...) or warning(...): an identifier first is dropped.
std::string message_of(const char* who, const Mt& first, const std::vector<const Mt*>& args) {
  if (!args.empty() && is_message_id(first)) {
    std::vector<const Mt*> rest(args.begin() + 1, args.end());
    return grl::format_text(who, su::text(*args[0]), rest);
  }
  return grl::format_text(who, su::text(first), args);
}

// The state structure of warnings: identifier and state ('on' or 'off') of each.
Mt warning_states_value(const std::vector<std::pair<std::string, bool>>& list) {
  Mt s = grl::make_struct(list.size(), 1, {"identifier", "state"});
  for (std::size_t k = 0; k < list.size(); ++k) {
    s.st_->v[2 * k] = su::str(list[k].first);
    s.st_->v[2 * k + 1] = su::str(list[k].second ? "on" : "off");
  }
  return s;
}

// The state of one identifier ("all": of every warning).
Mt warning_state_of(const std::string& id) {
  if (id == "all") return warning_states_value(grl::warning_state_list());
  return warning_states_value({{id, grl::warning_enabled(id)}});
}

// warning('off'|'on' [, id]) switches warnings (all of them without an identifier) and
// gives the state before; warning('query' [, id]) gives the state; 'error' is accepted
// and changes nothing. True when first was one of these words.
bool warning_switch(const std::string& first, const std::vector<const Mt*>& args, Mt& state) {
  const bool off = first == "off", on = first == "on";
  const std::string id = args.empty() ? "all" : su::text(*args[0]);
  if (first == "query") {
    state = warning_state_of(id);
    return true;
  }
  if (!off && !on) return first == "error";
  state = warning_state_of(id);
  grl::set_warning_state(id, on);
  return true;
}

// Octave drops one newline at the end of an error's message.
std::string without_final_newline(std::string m) {
  if (!m.empty() && m.back() == '\n') m.pop_back();
  return m;
}

// error(id) alone: Octave wants a message after an identifier.
std::string lone_identifier_message(const std::string& id) {
  return "call to error with message identifier '" + id + "' requires message";
}
}  // namespace

grl::quiet grl::warning_args(const Mt& fmt, const std::vector<const Mt*>& args) {
  const std::string first = su::text(fmt);
  Mt state;
  if (warning_switch(first, args, state)) return grl::quiet(state);
  const std::string id = !args.empty() && is_message_id(fmt) ? first : std::string();
  grl::warn_text(id, message_of("warning", fmt, args));
  return grl::quiet();
}

// error(fmt, args...): the message is a format applied to the arguments, as printf does.
// An empty message raises nothing.
void grl::error_args(const Mt& fmt, const std::vector<const Mt*>& args) {
  const std::string id = !args.empty() && is_message_id(fmt) ? su::text(fmt) : std::string();
  const std::string m = without_final_newline(message_of("error", fmt, args));
  if (m.empty()) return;
  grl::raise(id, m);
}

// error(message): the message as it stands; an empty one raises nothing.
namespace {
// The text of field `name` of an error structure, empty when it has none.
std::string error_field(const Mt& err, const char* name) {
  const auto names = grl::field_names(err);
  if (std::find(names.begin(), names.end(), name) == names.end()) return std::string();
  return su::text(grl::field(err, name));
}
bool has_error_field(const Mt& err, const char* name) {
  const auto names = grl::field_names(err);
  return std::find(names.begin(), names.end(), name) != names.end();
}
}  // namespace

grl::quiet error(const Mt& msg) {
  // error(err) of a structure (a caught error): its message and identifier.
  if (msg.holds_struct()) {
    const std::string m = error_field(msg, "message");
    if (!m.empty()) grl::raise_value(msg, error_field(msg, "identifier"), m, grl::stack_of(msg));
    return grl::quiet();
  }
  const std::string m = without_final_newline(su::text(msg));
  if (is_message_id(msg)) grl::raise("", lone_identifier_message(m));
  if (!m.empty()) grl::raise("", m);
  return grl::quiet();
}

grl::quiet error() {
  grl_fail("Invalid call to error.  Correct usage is:\n\n -- error (TEMPLATE, ...)\n -- error (ID, TEMPLATE, ...)");
}

// error(text): the library's own callers (the MAT-file helper's usage message).
grl::quiet error(const char* msg) { return error(TM(msg)); }

// warning(message): the message as it stands, with no format applied.
grl::quiet warning(const Mt& msg) {
  // warning(s) of a state structure: each identifier's state as s has it.
  if (msg.holds_struct()) {
    const grl::structblock<m_type>& b = *msg.st_;
    const long id = b.find("identifier"), state = b.find("state");
    if (id < 0 || state < 0) grl_fail("warning: STATE structure must have fields 'identifier' and 'state'");
    for (std::size_t k = 0; k < msg.numel(); ++k) {
      const Mt* f = &b.v[k * b.nfields()];
      const std::string s = su::text(f[state]);
      if (s == "on" || s == "off") grl::set_warning_state(su::text(f[id]), s == "on");
    }
    return grl::quiet();
  }
  const std::string m = su::text(msg);
  Mt state;
  if (warning_switch(m, {}, state)) return grl::quiet(state);
  grl::warn_text("", m);
  return grl::quiet();
}

// warning() and s = warning: every state ("all" first).
grl::quiet warning() { return grl::quiet(warning_state_of("all")); }

// The statement `warning`: the default state, then the identifiers set apart from it.
void grl::show_warning_states() {
  const auto list = grl::warning_state_list();
  const bool all_on = list.empty() || list[0].second;
  grl::flush_all();
  std::printf("By default, warnings are %s.\n", all_on ? "enabled" : "disabled");
  bool header = false;
  for (std::size_t k = 1; k < list.size(); ++k) {
    if (list[k].second == all_on) continue;
    if (!header) std::printf("Non-default warning states are:\n\n  State  Warning ID\n");
    header = true;
    std::printf("%7s  %s\n", list[k].second ? "on" : "off", list[k].first.c_str());
  }
  if (header) std::printf("\n");
  std::fflush(stdout);
}

// The statement warning('query', id): '"id" warning state is "on"' ('all' lists them).
// An identifier that is not text makes 'query' the text of a warning (as octave-cli does).
void grl::show_warning_state(const Mt& id) {
  if (!id.ischar() || id.holds_cell() || id.holds_struct()) return grl::warn_text("", "query");
  const std::string name = su::text(id);
  if (name == "all") return grl::show_warning_states();
  grl::flush_all();
  std::printf("\"%s\" warning state is \"%s\"\n", name.c_str(), grl::warning_enabled(name) ? "on" : "off");
  std::fflush(stdout);
}

// --- caught errors, lasterr and lastwarn -------------------------------------------

void grl::caught(const grl::exception& e) { grl::last_error_record() = {e.message(), e.identifier()}; }

Mt grl::caught_value(const grl::exception& e) {
  static const std::vector<std::string> frame_fields = {"file", "name", "line", "column"};
  const std::vector<grl::stack_frame>& calls = e.stack();
  Mt stack = grl::make_struct(calls.size(), 1, frame_fields);
  for (std::size_t k = 0; k < calls.size(); ++k) {
    Mt* f = &stack.st_->v[k * frame_fields.size()];
    f[0] = su::str(calls[k].file);
    f[1] = su::str(calls[k].name);
    f[2] = Mt(m_type(calls[k].line));
    f[3] = Mt(m_type(calls[k].column));
  }
  // An error raised from a value with causes keeps them in the field cause.
  const auto* with_causes = dynamic_cast<const grl::caused_exception*>(&e);
  Mt err = with_causes ? grl::make_struct(1, 1, {"message", "identifier", "stack", "cause"})
                       : grl::make_struct(1, 1, {"message", "identifier", "stack"});
  err.st_->v[0] = su::str(e.message());
  err.st_->v[1] = su::str(e.identifier());
  err.st_->v[2] = stack;
  if (with_causes) err.st_->v[3] = with_causes->causes();
  return err;
}

std::vector<grl::stack_frame> grl::stack_of(const Mt& err) {
  if (!err.holds_struct() || err.numel() != 1 || !has_error_field(err, "stack")) return grl::current_stack();
  const Mt& s = grl::field(err, "stack");
  if (!s.holds_struct()) return grl::current_stack();
  const grl::structblock<m_type>& b = *s.st_;
  const long file = b.find("file"), name = b.find("name"), line = b.find("line"), column = b.find("column");
  // A line or column field that holds no count in range reads as 0 (not known).
  auto count_at = [](const Mt* f, long at) {
    const Mt* l = at >= 0 ? &f[at] : nullptr;
    if (!l || l->numel() != 1 || l->ischar() || l->holds_struct() || l->holds_cell() || !l->cre()) return 0;
    const double v = double(l->cre()[0]);
    return v >= 0 && v < 1e9 ? int(v) : 0;
  };
  std::vector<grl::stack_frame> calls;
  for (std::size_t k = 0; k < s.numel(); ++k) {
    const Mt* f = &b.v[k * b.nfields()];
    grl::stack_frame c;
    if (file >= 0 && f[file].ischar()) c.file = su::text(f[file]);
    if (name >= 0 && f[name].ischar()) c.name = su::text(f[name]);
    c.line = count_at(f, line);
    c.column = count_at(f, column);
    calls.push_back(c);
  }
  return calls;
}

Mt grl::caught_text(const std::string& s) { return su::str(s); }

Mt grl::caught_number(double v) { return Mt(m_type(v)); }

void grl::rethrow_incomplete() {
  grl_fail("rethrow: ERR struct must contain the fields 'message' and 'identifier'");
}

void grl::rethrow_not_struct() { grl_fail("rethrow: ERR must be a struct"); }

grl::error_value grl::error_struct_of(const std::vector<const Mt*>& pairs) {
  if (pairs.size() % 2) grl_fail("struct: additional arguments must occur as \"field\", VALUE pairs");
  error_value v;
  for (std::size_t k = 0; k < pairs.size(); k += 2) {
    const std::string field = su::text(*pairs[k]);
    if (field == "message") {
      v.message = *pairs[k + 1];
      v.has_message = true;
    } else if (field == "identifier") {
      v.identifier = *pairs[k + 1];
      v.has_identifier = true;
    }
  }
  return v;
}

grl::quiet rethrow(const grl::error_value& err) {
  if (!err.has_message || !err.has_identifier) grl::rethrow_incomplete();
  throw grl::exception(su::text(err.identifier), su::text(err.message));
}

grl::quiet rethrow(const Mt& err) {
  if (!err.holds_struct()) grl::rethrow_not_struct();
  if (!has_error_field(err, "message") || !has_error_field(err, "identifier")) grl::rethrow_incomplete();
  grl::raise_value(err, error_field(err, "identifier"), error_field(err, "message"), grl::stack_of(err));
}

Mt getReport(const Mt& err) {
  if (!err.holds_struct() || !has_error_field(err, "message")) grl_fail("getReport: ERR must be a caught error");
  return grl::caught_text(error_field(err, "message"));
}

void grl::report_options(const Mt& type, const Mt* name, const Mt* value) {
  const std::string t = type.ischar() ? su::text(type) : std::string();
  if (t != "basic" && t != "extended") grl_fail("getReport: TYPE must be 'basic' or 'extended'");
  if (!name) return;
  const std::string n = name->ischar() ? su::text(*name) : std::string();
  std::string low;
  for (char c : n) low += char(std::tolower(static_cast<unsigned char>(c)));
  if (low != "hyperlinks") grl_fail("getReport: the only option is 'hyperlinks'");
  const std::string v = value->ischar() ? su::text(*value) : std::string();
  if (v != "on" && v != "off" && v != "default")
    grl_fail("getReport: 'hyperlinks' must be 'on', 'off' or 'default'");
}

Mt lasterr() { return su::str(grl::last_error_record().message); }

void lasterr(i_o_t, Mr<m_type> msg, Mr<m_type> id) {
  msg = su::str(grl::last_error_record().message);
  id = su::str(grl::last_error_record().identifier);
}

grl::quiet lasterr(const Mt& msg, const Mt& id) {
  grl::last_error_record() = {su::text(msg), su::text(id)};
  return grl::quiet();
}

Mt lastwarn() { return su::str(grl::last_warning_record().message); }

void lastwarn(i_o_t, Mr<m_type> msg, Mr<m_type> id) {
  msg = su::str(grl::last_warning_record().message);
  id = su::str(grl::last_warning_record().identifier);
}

grl::quiet lastwarn(const Mt& msg, const Mt& id) {
  grl::last_warning_record() = {su::text(msg), su::text(id)};
  return grl::quiet();
}

// --- the end of the program ---------------------------------------------------------

void exit_M(const Mt& status) {
  const double s = su::num(status, 0);
  grl::flush_all();
  std::exit(int(s));
}

void quit(const Mt& status) { exit_M(status); }

// --- time -----------------------------------------------------------------------

Mt cputime() { return Mt(m_type(double(std::clock()) / CLOCKS_PER_SEC)); }

// etime(t1, t0): seconds from the clock vector t0 to t1 ([year month day hour minute seconds]).
Mt etime(const Mt& t1, const Mt& t0) {
  if (t1.numel() != 6 || t0.numel() != 6) grl_fail("etime: T1 and T0 must be 6-element clock vectors");
  auto secs = [](const Mt& t) {
    std::tm tm = {};
    tm.tm_year = int(t.cre()[0]) - 1900;
    tm.tm_mon = int(t.cre()[1]) - 1;
    tm.tm_mday = int(t.cre()[2]);
    tm.tm_hour = int(t.cre()[3]);
    tm.tm_min = int(t.cre()[4]);
    // Days as UTC so that daylight-saving changes do not shift the difference.
    return double(timegm(&tm)) + double(t.cre()[5]);
  };
  return Mt(m_type(secs(t1) - secs(t0)));
}

Mt date() {
  std::time_t now = std::time(nullptr);
  std::tm tm;
  localtime_r(&now, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%d-%b-%Y", &tm);
  return su::str(buf);
}

grl::quiet pauseM(const Mt& seconds) {
  grl::flush_all();
  if (seconds.isempty()) {
    // Without an argument: until a key (a line) is typed at a terminal; a program
    // whose input is a file or a pipe goes on at once.
    if (!isatty(STDIN_FILENO)) return grl::quiet();
    int c;
    while ((c = std::getchar()) != EOF && c != '\n') {}
    return grl::quiet();
  }
  if (seconds.ischar()) {
    const std::string w = su::text(seconds);
    if (w != "on" && w != "off") grl_fail("pause: first argument must be \"on\", \"off\", or \"query\"");
    return grl::quiet();
  }
  const double s = double(seconds.cre()[0]);
  if (std::isnan(s)) {
    grl::warn("", "pause: NaN is an invalid delay");
    return grl::quiet();
  }
  if (s <= 0) return grl::quiet();
  if (std::isinf(s)) {
    if (!isatty(STDIN_FILENO)) return grl::quiet();
    int c;
    while ((c = std::getchar()) != EOF && c != '\n') {}
    return grl::quiet();
  }
  std::this_thread::sleep_for(std::chrono::duration<double>(s));
  return grl::quiet();
}

grl::quiet type(const Mt& file) {
  const std::string name = grl::text_of(file);
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) grl_fail("type: '%s' undefined", name.c_str());
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  grl::put_text(text + "\n");
  return grl::quiet();
}
