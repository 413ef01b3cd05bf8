#include "platform/child.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

extern char** environ;

namespace platform {
namespace {

// The file actions that give the child its streams and directory.
class spawn_actions {
 public:
  spawn_actions() { posix_spawn_file_actions_init(&actions_); }
  ~spawn_actions() { posix_spawn_file_actions_destroy(&actions_); }
  spawn_actions(const spawn_actions&) = delete;
  spawn_actions& operator=(const spawn_actions&) = delete;

  bool prepare(const child_options& o) {
    bool ok = true;
    if (o.no_streams || o.no_input)
      ok = ok && posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0) == 0;
    if (o.no_streams) {
      ok = ok && posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0) == 0;
      ok = ok && posix_spawn_file_actions_adddup2(&actions_, 1, 2) == 0;
    } else if (o.output_fd >= 0) {
      ok = ok && posix_spawn_file_actions_adddup2(&actions_, o.output_fd, 1) == 0;
      ok = ok && posix_spawn_file_actions_adddup2(&actions_, o.output_fd, 2) == 0;
    }
    if (!o.directory.empty())
      ok = ok && posix_spawn_file_actions_addchdir_np(&actions_, o.directory.c_str()) == 0;
    return ok;
  }
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

int exit_code_of(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

long start_child(const std::vector<std::string>& argv, const child_options& options) {
  if (argv.empty() || argv[0].empty()) return -1;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  spawn_actions actions;
  if (!actions.prepare(options)) return -1;
  pid_t pid;
  if (posix_spawnp(&pid, args[0], actions.get(), nullptr, args.data(), environ) != 0) return -1;
  return static_cast<long>(pid);
}

bool wait_child(long pid, int timeout_ms, int& exit_code) {
  const timespec step{0, 10 * 1000 * 1000};
  for (int waited = 0;; waited += 10) {
    int status = 0;
    const pid_t r = waitpid(static_cast<pid_t>(pid), &status, WNOHANG);
    if (r == static_cast<pid_t>(pid)) {
      exit_code = exit_code_of(status);
      return true;
    }
    if (r < 0 && errno != EINTR) {
      exit_code = -1;  // not our child, or already collected
      return true;
    }
    if (waited >= timeout_ms) return false;
    nanosleep(&step, nullptr);
  }
}

}  // namespace platform
