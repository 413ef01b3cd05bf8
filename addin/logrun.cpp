#include "addin/logrun.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <ctime>

#include "platform/child.h"

namespace pelkor {
namespace {

const int kWaitMs = 500;
const long kPauseNs = 100L * 1000 * 1000;
const std::size_t kBlock = 2047;

bool write_all(int fd, const char* text) {
  std::size_t left = std::strlen(text);
  while (left > 0) {
    const ssize_t n = ::write(fd, text, left);
    if (n <= 0) return false;
    text += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// One block of the log that has not been shown yet; empty when there is none.
std::string read_block(int fd) {
  char buf[kBlock];
  const ssize_t n = ::read(fd, buf, sizeof buf);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

void show_block(const std::string& block, const line_sink& show) {
  std::size_t from = 0;
  while (from < block.size()) {
    const std::size_t nl = block.find('\n', from);
    if (nl == std::string::npos) {
      show(block.substr(from));
      break;
    }
    show(block.substr(from, nl - from));
    from = nl + 1;
  }
}

run_result run_logged(const std::vector<std::string>& command, const std::string& directory,
                      const std::string& log, const line_sink& show) {
  const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0 || !write_all(out, kLogHeader)) {
    if (out >= 0) ::close(out);
    return {run_status::log_not_written, 0};
  }
  const int in = ::open(log.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    ::close(out);
    return {run_status::log_not_read, 0};
  }
  platform::child_options options;
  options.output_fd = out;
  options.no_input = true;
  options.directory = directory;
  const long pid = platform::start_child(command, options);
  if (pid < 0) {
    ::close(in);
    ::close(out);
    return {run_status::not_started, 0};
  }

  int code = 0;
  bool ended = false;
  while (!ended) {
    ended = platform::wait_child(pid, kWaitMs, code);
    const timespec pause{0, kPauseNs};
    nanosleep(&pause, nullptr);
    show_block(read_block(in), show);
  }
  // What the translator wrote in its last moments is shown too, however long.
  for (std::string rest = read_block(in); !rest.empty(); rest = read_block(in))
    show_block(rest, show);

  write_all(out, kLogTrailer);
  ::close(in);
  ::close(out);
  return {run_status::finished, code};
}

}  // namespace pelkor
