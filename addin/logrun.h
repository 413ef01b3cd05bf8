// Running the translator from the IDE: its output goes to a log file, which is read
// while it runs and shown line by line in the IDE's output window.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace pelkor {

// The two lines that head the log and the line that ends it.
inline constexpr const char kLogHeader[] =
    "This is the output from running Visual KORVAL.\nPlease close this window after viewing it.\n";
inline constexpr const char kLogTrailer[] =
    "--------------KORVAL DONE-------------------------------------------\n";

enum class run_status { log_not_written, log_not_read, not_started, finished };

struct run_result {
  run_status status;
  int exit_code;  // when finished
};

using line_sink = std::function<void(const std::string&)>;

// Creates the log anew with its header, starts the command in `directory` with its
// standard output and error going to the log, and until it ends shows what the log
// gained, every 100 ms or so, through `show` (one call per line). When it has ended,
// the rest of the log is shown and the trailer appended.
run_result run_logged(const std::vector<std::string>& command, const std::string& directory,
                      const std::string& log, const line_sink& show);

// Cuts a block of output at each newline; a last part without one is a line too.
void show_block(const std::string& block, const line_sink& show);

}  // namespace pelkor
