// The single error path of the library and the single warning path: errors are raised
// as grl::exception, the one nothing catches ends the program, warnings honour their
// on/off state and record lastwarn.
#include "gridlib_error.h"
#include "warning_state.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <mutex>
#include <new>

namespace grl {

namespace {

std::string vformat(const char* fmt, va_list ap) {
  char buf[1024];
  va_list again;
  va_copy(again, ap);
  const int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
  std::string s;
  if (n < 0) {
    s = fmt;
  } else if (std::size_t(n) < sizeof buf) {
    s.assign(buf, std::size_t(n));
  } else {
    s.resize(std::size_t(n) + 1);
    std::vsnprintf(&s[0], s.size(), fmt, again);
    s.resize(std::size_t(n));
  }
  va_end(again);
  return s;
}

// Pending program output reaches the terminal before a message on standard error.
void flush_output() {
  std::cout.flush();
  std::fflush(stdout);
}

// The on/off state of warnings: "all" gives the default, an identifier set after it
// overrides it. Threads started by par_run may warn too, hence the lock.
struct warning_states {
  std::mutex lock;
  bool all_enabled = true;
  std::map<std::string, bool> by_id;
};
warning_states& states() {
  static warning_states s;
  return s;
}

[[noreturn]] void on_terminate() {
  if (std::exception_ptr p = std::current_exception()) {
    try {
      std::rethrow_exception(p);
    } catch (const grl::exception& e) {
      end_uncaught(e);
    } catch (const std::bad_alloc&) {
      end_uncaught(exception("Octave:bad-alloc", "out of memory or dimension too large for Octave's index type"));
    } catch (const std::exception& e) {
      end_uncaught(exception("", e.what()));
    } catch (...) {
    }
  }
  flush_output();
  std::fputs("error: the program ended on an unknown exception\n", stderr);
  std::_Exit(1);
}

thread_local cleanup_frame* innermost_frame = nullptr;

bool contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

}  // namespace

thread_local call_frame* innermost_call = nullptr;

std::vector<stack_frame> current_stack() {
  std::vector<stack_frame> stack;
  for (const call_frame* f = innermost_call; f; f = f->outer)
    if (f->linked) stack.push_back({f->file, f->name, f->line, f->column});
  return stack;
}

void raise(const std::string& identifier, const std::string& message) {
  throw exception(identifier, message);
}

cleanup_frame::cleanup_frame() : outer_(innermost_frame) { innermost_frame = this; }

cleanup_frame::~cleanup_frame() {
  run();
  innermost_frame = outer_;
}

void cleanup_frame::run_one(std::function<void()>& work) noexcept {
  try {
    work();
  } catch (const exception& e) {
    warn_text("", "onCleanup: error caught while executing cleanup function:\n" + e.message());
  } catch (...) {
  }
}

void cleanup_frame::add(std::function<void()> work) { work_.push_back({std::string(), std::move(work)}); }

void cleanup_frame::add(const std::string& variable, std::function<void()> work) {
  release(variable);
  work_.push_back({variable, std::move(work)});
}

void cleanup_frame::release(const std::string& variable) noexcept {
  for (std::size_t k = 0; k < work_.size(); ++k) {
    if (work_[k].variable != variable) continue;
    // Taken out first: the cleanup may make or release others.
    std::function<void()> w = std::move(work_[k].work);
    work_.erase(work_.begin() + std::ptrdiff_t(k));
    run_one(w);
    return;
  }
}

void cleanup_frame::run() noexcept {
  // Taken out first: a cleanup that makes another frame or fails leaves this one done.
  std::vector<held> work;
  work.swap(work_);
  for (held& h : work) run_one(h.work);
}

void cleanup_frame::run_all() noexcept {
  for (cleanup_frame* f = innermost_frame; f; f = f->outer_) f->run();
}

void end_uncaught(const exception& e) {
  last_error_record() = {e.message(), e.identifier()};
  cleanup_frame::run_all();
  flush_output();
  std::fprintf(stderr, "error: %s\n", e.message().c_str());
  std::fflush(stderr);
  std::exit(1);
}

void install_uncaught_ending() { std::set_terminate(on_terminate); }

last_message& last_error_record() {
  static last_message m;
  return m;
}

last_message& last_warning_record() {
  static last_message m;
  return m;
}

void set_warning_state(const std::string& identifier, bool enabled) {
  warning_states& s = states();
  std::lock_guard<std::mutex> hold(s.lock);
  if (identifier == "all") {
    s.all_enabled = enabled;
    s.by_id.clear();
  } else {
    s.by_id[identifier] = enabled;
  }
}

bool warning_enabled(const std::string& identifier) {
  warning_states& s = states();
  std::lock_guard<std::mutex> hold(s.lock);
  if (!identifier.empty()) {
    auto it = s.by_id.find(identifier);
    if (it != s.by_id.end()) return it->second;
  }
  return s.all_enabled;
}

std::vector<std::pair<std::string, bool>> warning_state_list() {
  warning_states& s = states();
  std::lock_guard<std::mutex> hold(s.lock);
  std::vector<std::pair<std::string, bool>> list = {{"all", s.all_enabled}};
  for (const auto& id : s.by_id) list.push_back(id);
  return list;
}

void warn_text(const std::string& identifier, const std::string& message) {
  if (!warning_enabled(identifier)) return;
  last_warning_record() = {message, identifier};
  flush_output();
  std::fprintf(stderr, "warning: %s\n", message.c_str());
  std::fflush(stderr);
}

void warn(const char* identifier, const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  const std::string m = vformat(fmt, ap);
  va_end(ap);
  warn_text(identifier ? identifier : "", m);
}

std::string identifier_of_message(const std::string& m) {
  if (contains(m, "out of bound")) return "Octave:index-out-of-bounds";
  if (contains(m, "subscripts must be")) return "Octave:invalid-index";
  if (contains(m, "nonconformant arguments")) return "Octave:nonconformant-args";
  if (contains(m, "' undefined")) return "Octave:undefined-function";
  if (contains(m, ": function called with too many ") || m.compare(0, 16, "Invalid call to ") == 0)
    return "Octave:invalid-fun-call";
  return "";
}

}  // namespace grl

void grl_fail(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  const std::string m = grl::vformat(fmt, ap);
  va_end(ap);
  throw grl::exception(grl::identifier_of_message(m), m);
}

void grl_fail_id(const char* identifier, const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  const std::string m = grl::vformat(fmt, ap);
  va_end(ap);
  throw grl::exception(identifier ? identifier : "", m);
}
