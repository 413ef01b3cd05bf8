// Starting programs. A command line is split into words at blanks, double quotes
// grouping words (the quotes themselves are removed); the first word is the program,
// looked up along PATH. There is no command shell in between. The child inherits the
// standard streams, the environment and the current directory.
#pragma once
#include <string>
#include <vector>

namespace platform {

std::vector<std::string> split_command(const std::string& line);

// Runs the command line and waits for it. Returns the exit code (128 + signal number
// when the child was killed), or -1 when the program cannot be started. With
// high_priority the child is asked to run at a raised priority (best effort).
int run_command(const std::string& line, bool high_priority);

// Runs the commands of text one after another (split at ";" and newlines), each as a
// child process, at high priority when raise is nonzero; a command that fails stops
// the rest. A command that cannot be started is named on standard output ("%s cannot
// be started"). Returns -1 when a command cannot be started, 1 when one failed, else 0.
int system2(const std::string& commands, int ignored, int raise);
// The path of an executable file named `name` in a directory of PATH; empty when none.
std::string find_program(const std::string& name);

}  // namespace platform
