// Errors and warnings of a running program.
//
// Every run-time error, whether the library finds it (a bad index, sizes that do not
// agree, a file that will not open) or the program raises it with error(...), is one
// C++ exception, grl::exception, carrying a message identifier ("Octave:index-out-of-bounds",
// "Pkg:name" or empty) and the message. M try/catch catches it; code that embeds
// translated functions (a MEX gateway, a library entry point) catches it and reports
// it in its own way:
//
//   try { f(...); } catch (const grl::exception& e) { report(e.identifier(), e.message()); }
//
// One that nothing catches ends the program with "error: <message>" on standard error
// and exit status 1 (initM installs that ending). exit and quit do not raise: they end
// the program at once.
//
// Every warning goes through grl::warn, which honours warning('off', id) and records
// lastwarn. This header needs the C++ standard library only.
#ifndef GRIDLIB_ERROR_H
#define GRIDLIB_ERROR_H

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace grl {

// One entry of an error's stack: the M-file, the function, the line and the column of
// the statement running there, as far as they are known (0 when not known).
struct stack_frame {
  std::string file;
  std::string name;
  int line = 0;
  int column = 0;
};

// The M function (or script) running on this thread: translated code makes one for
// each call, on the C++ stack, and sets `line` before each statement, so that an error
// knows the chain of calls that raised it. Cheap by design: the constructor and
// destructor link and unlink a pointer, a statement stores two ints (at(line, column);
// the column is where the statement's expression is: the "=" of an assignment, the
// operator of a binary expression, a called name, the keyword of for and switch).
struct call_frame;
extern thread_local call_frame* innermost_call;
struct call_frame {
  const char* file;
  const char* name;
  int line = 0;
  int column = 0;
  call_frame* outer;
  bool linked = true;
  call_frame(const char* file_name, const char* function_name) noexcept
      : file(file_name), name(function_name), outer(innermost_call) {
    innermost_call = this;
  }
  ~call_frame() { leave(); }
  void at(int statement_line, int statement_column) noexcept {
    line = statement_line;
    column = statement_column;
  }
  call_frame(const call_frame&) = delete;
  call_frame& operator=(const call_frame&) = delete;
  // The end of a script's text: its frame ends before the enclosing scope does.
  void leave() noexcept {
    if (!linked) return;
    linked = false;
    innermost_call = outer;
  }
};

// The frames of this thread, innermost first.
std::vector<stack_frame> current_stack();

class exception : public std::exception {
 public:
  // An error raised here: its stack is the chain of calls running now.
  exception(std::string identifier, std::string message)
      : id_(std::move(identifier)), msg_(std::move(message)), stack_(current_stack()) {}
  // An error raised again (rethrow of a caught value): the stack it had.
  exception(std::string identifier, std::string message, std::vector<stack_frame> stack)
      : id_(std::move(identifier)), msg_(std::move(message)), stack_(std::move(stack)) {}
  const std::string& identifier() const noexcept { return id_; }
  const std::string& message() const noexcept { return msg_; }
  const std::vector<stack_frame>& stack() const noexcept { return stack_; }
  const char* what() const noexcept override { return msg_.c_str(); }

 private:
  std::string id_;
  std::string msg_;
  std::vector<stack_frame> stack_;
};

// Raises the error (identifier may be empty).
[[noreturn]] void raise(const std::string& identifier, const std::string& message);
// The end of a program whose error nothing caught: "error: <message>" on standard error
// after the program's pending output, exit status 1.
[[noreturn]] void end_uncaught(const exception& e);
// Makes an exception that escapes the program's functions end the program as
// end_uncaught does (also in threads started by par_run). initM calls it.
void install_uncaught_ending();

// The cleanups a function made with onCleanup: they run, in the order they were made,
// when the function returns or an error leaves it, and before an uncaught error ends
// the program.
class cleanup_frame {
 public:
  cleanup_frame();
  ~cleanup_frame();
  cleanup_frame(const cleanup_frame&) = delete;
  cleanup_frame& operator=(const cleanup_frame&) = delete;
  void add(std::function<void()> work);
  // c = onCleanup(...): the cleanup held by variable c. One that c held before runs
  // now, as the value it replaces goes away.
  void add(const std::string& variable, std::function<void()> work);
  // clear c, or c given another value: the cleanup c holds runs now.
  void release(const std::string& variable) noexcept;
  // Runs the cleanups not yet run. An error inside one becomes a warning.
  void run() noexcept;
  // Runs the cleanups of every frame of this thread, innermost first.
  static void run_all() noexcept;

 private:
  struct held {
    std::string variable;   // empty when no variable holds it
    std::function<void()> work;
  };
  static void run_one(std::function<void()>& work) noexcept;
  std::vector<held> work_;
  cleanup_frame* outer_;
};

// The single path of warnings: "warning: <message>" on standard error unless the
// identifier (or all warnings) is switched off; the message becomes lastwarn's.
void warn_text(const std::string& identifier, const std::string& message);
void warn(const char* identifier, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
// warning('off'|'on', id), with id "all" for every warning.
void set_warning_state(const std::string& identifier, bool enabled);
bool warning_enabled(const std::string& identifier);

// The last error and the last warning shown: lasterr and lastwarn.
struct last_message {
  std::string message;
  std::string identifier;
};
last_message& last_error_record();
last_message& last_warning_record();

// The identifier Octave gives a library error, from the wording of its message:
// out-of-bound and invalid indexes, nonconformant operands, undefined names; empty
// for the others.
std::string identifier_of_message(const std::string& message);

}  // namespace grl

// Raises the library error with the printf-style message; its identifier follows from
// the message's wording (grl::identifier_of_message).
[[noreturn]] void grl_fail(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// The same with an explicit identifier.
[[noreturn]] void grl_fail_id(const char* identifier, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

#endif
