// Child processes that run beside their parent: started with their own standard
// streams and working directory, then waited for a while at a time (or not at all).
// The words of the command are passed as they are: no splitting, no shell.
#pragma once
#include <string>
#include <vector>

namespace platform {

struct child_options {
  // Standard output and standard error of the child; -1 keeps the parent's.
  int output_fd = -1;
  // Standard input reads nothing (/dev/null).
  bool no_input = false;
  // No stream of the parent at all: standard input, output and error are /dev/null.
  bool no_streams = false;
  // Working directory of the child; empty keeps the parent's.
  std::string directory;
};

// Starts argv[0] (looked up along PATH when it names no directory) with the arguments
// argv[1..]. Returns the process id, or -1 when the program cannot be started.
long start_child(const std::vector<std::string>& argv, const child_options& options);

// Waits up to timeout_ms for the child to end. True when it has ended, with its exit
// code (128 + signal number when it was killed); false while it still runs.
bool wait_child(long pid, int timeout_ms, int& exit_code);

}  // namespace platform
