// The background runner of the setup window: runs the commands of one command text
// one after another in a thread of its own, each with its standard output and error
// going to the log file, and passes the log to the window as it grows.
#pragma once
#include <functional>
#include <string>

namespace setup {

// How a command text ended.
struct run_outcome {
  bool failed = false;       // a command failed or could not be started
  std::string command;       // that command
  int status = 0;            // its exit status, -1 when it could not be started
};

// What the runner tells the window. Every callback is called from the runner's
// thread; the window passes each on to its own thread.
struct runner_events {
  std::function<void(const std::string& bytes)> output;       // new text of the log file
  std::function<void()> to_front;                             // bring the window forward
  std::function<void(const char* fmt, const std::string& file)> fatal;  // does not return
  std::function<void(const run_outcome& outcome)> done;       // after the last command
};

// Starts a thread for the command text (split at ";" and newlines): each command is
// started in `directory` (the current directory when empty), the log file is written
// anew for it, starting with the command line and an empty line, and read every 500
// milliseconds into the window, at most 2047 bytes a read. A command that fails or
// cannot be started ends the sequence. The thread ends after `done`.
void start_runner(const std::string& commands, const std::string& directory,
                  const std::string& log_file, runner_events events);

// The parts of the command text, as the console runner splits it; blank parts are
// dropped.
std::vector<std::string> split_commands(const std::string& commands);

// Runs one command with its output appended to the log file; the log file is read
// through `log_fd` while it runs. Returns the exit status, -1 when it cannot be
// started. Exposed for the tests.
int run_logged(const std::string& command, const std::string& directory, const std::string& log_file,
               int log_fd, const runner_events& events, int& reads_with_text);

}  // namespace setup
