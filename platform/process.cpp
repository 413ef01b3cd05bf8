#include "platform/process.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace platform {

std::vector<std::string> split_command(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false, quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word.push_back(c);
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

int run_command(const std::string& line, bool high_priority) {
  std::vector<std::string> words = split_command(line);
  if (words.empty()) return -1;
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);

  pid_t pid;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  // A raised priority needs privileges; without them the child runs as usual.
  if (high_priority) setpriority(PRIO_PROCESS, static_cast<id_t>(pid), -5);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

int system2(const std::string& commands, int /*ignored*/, int raise) {
  std::size_t start = 0;
  while (start <= commands.size()) {
    std::size_t end = commands.find_first_of(";\n", start);
    if (end == std::string::npos) end = commands.size();
    const std::string part = commands.substr(start, end - start);
    start = end + 1;
    if (split_command(part).empty()) continue;
    const int code = run_command(part, raise != 0);
    if (code == -1) {
      std::printf("%s cannot be started\n", part.c_str());
      std::fflush(stdout);
      return -1;
    }
    if (code != 0) return 1;
  }
  return 0;
}

std::string find_program(const std::string& name) {
  const char* env = std::getenv("PATH");
  const std::string search = env ? env : "";
  std::size_t begin = 0;
  while (begin <= search.size()) {
    std::size_t end = search.find(':', begin);
    if (end == std::string::npos) end = search.size();
    std::string dir = search.substr(begin, end - begin);
    begin = end + 1;
    if (dir.empty()) continue;
    if (dir.back() != '/') dir += '/';
    const std::string path = dir + name;
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0) return path;
  }
  return std::string();
}

}  // namespace platform
