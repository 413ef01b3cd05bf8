#include "setup/runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/process.h"

extern char** environ;

namespace setup {
namespace {

constexpr std::size_t kReadLimit = 2047;         // bytes taken from the log per read
constexpr auto kPollPeriod = std::chrono::milliseconds(500);
constexpr auto kSettle = std::chrono::milliseconds(100);

// Reads up to kReadLimit new bytes of the log and passes them on. The first two
// reads that bring text also bring the window to the front. Returns the count read.
std::size_t read_log(int fd, const runner_events& events, int& reads_with_text) {
  char buf[kReadLimit];
  ssize_t n;
  do {
    n = read(fd, buf, sizeof buf);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) return 0;
  if (reads_with_text < 2) {
    ++reads_with_text;
    if (events.to_front) events.to_front();
  }
  if (events.output) events.output(std::string(buf, static_cast<std::size_t>(n)));
  return static_cast<std::size_t>(n);
}

// Waits up to one poll period for the child; true once it has ended.
bool wait_period(pid_t pid, int& status) {
  const auto until = std::chrono::steady_clock::now() + kPollPeriod;
  for (;;) {
    const pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid || (r < 0 && errno != EINTR)) return true;
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

pid_t spawn_logged(const std::string& command, const std::string& directory,
                   const std::string& log_file) {
  std::vector<std::string> words = platform::split_command(command);
  if (words.empty()) return -1;
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log_file.c_str(),
                                   O_WRONLY | O_APPEND, 0);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  // Best effort: a raised priority needs privileges.
  setpriority(PRIO_PROCESS, static_cast<id_t>(pid), -5);
  return pid;
}

void run_all(const std::string& commands, const std::string& directory, const std::string& log_file,
             const runner_events& events) {
  run_outcome outcome;
  int reads_with_text = 0;
  for (const std::string& command : split_commands(commands)) {
    std::FILE* w = std::fopen(log_file.c_str(), "wb");
    if (!w) events.fatal("could not write %s", log_file);
    std::fprintf(w, "%s\r\n\r\n", command.c_str());
    std::fclose(w);
    const int fd = open(log_file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) events.fatal("could not read %s", log_file);
    const int status = run_logged(command, directory, log_file, fd, events, reads_with_text);
    close(fd);
    if (status != 0) {
      outcome.failed = true;
      outcome.command = command;
      outcome.status = status;
      break;
    }
  }
  if (events.done) events.done(outcome);
}

}  // namespace

std::vector<std::string> split_commands(const std::string& commands) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= commands.size()) {
    std::size_t end = commands.find_first_of(";\n", start);
    if (end == std::string::npos) end = commands.size();
    std::string part = commands.substr(start, end - start);
    start = end + 1;
    if (!platform::split_command(part).empty()) parts.push_back(part);
  }
  return parts;
}

int run_logged(const std::string& command, const std::string& directory, const std::string& log_file,
               int log_fd, const runner_events& events, int& reads_with_text) {
  const pid_t pid = spawn_logged(command, directory, log_file);
  if (pid < 0) {
    if (events.output) events.output(command + " cannot be started\n");
    return -1;
  }
  int status = 0;
  bool ended = false;
  while (!ended) {
    ended = wait_period(pid, status);
    std::this_thread::sleep_for(kSettle);
    read_log(log_fd, events, reads_with_text);
  }
  // The whole log reaches the window, also when the last period wrote more than
  // one read takes.
  while (read_log(log_fd, events, reads_with_text) > 0) {
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

void start_runner(const std::string& commands, const std::string& directory,
                  const std::string& log_file, runner_events events) {
  std::thread([=] { run_all(commands, directory, log_file, events); }).detach();
}

}  // namespace setup
