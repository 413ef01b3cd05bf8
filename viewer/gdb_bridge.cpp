#include "viewer/gdb_bridge.h"

#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lumigrid {
namespace {

std::string user_name() {
  if (const passwd* pw = getpwuid(getuid())) return pw->pw_name;
  return std::to_string(getuid());
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool has_line_break(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

std::string bridge_socket_path() {
  if (const char* given = std::getenv("KORVAL_GDB_SOCKET"); given && *given) return given;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string dir = runtime && *runtime ? runtime : "/tmp";
  return dir + "/korval-gdb-" + user_name() + ".sock";
}

std::string bridge_unescape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\\' || k + 1 == text.size()) {
      out += text[k];
      continue;
    }
    const char c = text[++k];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
  }
  return out;
}

gdb_bridge::~gdb_bridge() { disconnect(); }

void gdb_bridge::disconnect() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  pending_.clear();
}

bool gdb_bridge::connect_socket(std::string& error) {
  disconnect();
  sockaddr_un addr{};
  if (path_.size() >= sizeof addr.sun_path) {
    error = "the socket path " + path_ + " is too long";
    return false;
  }
  // Only a socket of this user is trusted: it answers with the program's memory.
  struct stat info;
  if (lstat(path_.c_str(), &info) != 0) {
    error = "no socket at " + path_ + " (" + std::strerror(errno) + ")";
    return false;
  }
  if (!S_ISSOCK(info.st_mode) || info.st_uid != getuid()) {
    error = path_ + " is not a socket of this user";
    return false;
  }
  fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) {
    error = std::string("no socket: ") + std::strerror(errno);
    return false;
  }
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path_.c_str(), path_.size() + 1);
  if (connect(fd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
    error = "cannot connect to " + path_ + " (" + std::strerror(errno) + ")";
    disconnect();
    return false;
  }
  timeval tv{timeout_, 0};
  setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
  return true;
}

bool gdb_bridge::exchange_once(const std::string& request, std::string& answer) {
  const std::string line = request + "\n";
  for (std::size_t sent = 0; sent < line.size();) {
    const ssize_t n = send(fd_, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += std::size_t(n);
  }
  for (;;) {
    const std::size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      answer = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return true;
    }
    char buf[65536];
    const ssize_t n = recv(fd_, buf, sizeof buf, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    pending_.append(buf, std::size_t(n));
  }
}

bool gdb_bridge::exchange(const std::string& request, std::string& answer, std::string& error) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (fd_ < 0 && !connect_socket(error)) return false;
    if (exchange_once(request, answer)) return true;
    disconnect();
  }
  error = "the debugger does not answer";
  return false;
}

bool gdb_bridge::attach(std::string& error) {
  std::string answer;
  if (!exchange("STATE", answer, error)) return false;
  if (answer != "OK 0" && answer != "OK 1") {
    error = "the socket " + path_ + " does not answer as the debugger bridge";
    disconnect();
    return false;
  }
  return true;
}

int gdb_bridge::get_State() {
  std::string answer, error;
  if (!exchange("STATE", answer, error)) return 0;
  return answer == "OK 1" ? 1 : 0;
}

evaluation gdb_bridge::Evaluate(const std::string& expression) {
  evaluation e;
  if (has_line_break(expression)) {
    e.error = "Error: an expression cannot hold a line break.";
    return e;
  }
  std::string answer, error;
  if (!exchange("EVAL " + expression, answer, error)) {
    e.error = "Error: " + error + ".";
    return e;
  }
  if (answer.compare(0, 3, "OK ") == 0) {
    const std::size_t tab = answer.find('\t', 3);
    e.ok = true;
    e.value = bridge_unescape(answer.substr(3, tab == std::string::npos ? std::string::npos : tab - 3));
    if (tab != std::string::npos) e.type = bridge_unescape(answer.substr(tab + 1));
  } else {
    e.error = bridge_unescape(answer.compare(0, 4, "ERR ") == 0 ? answer.substr(4) : answer);
  }
  return e;
}

bool gdb_bridge::ReadMemory(std::uint32_t pid, std::uint64_t addr, std::size_t n, unsigned char* out,
                            std::string& error) {
  std::string answer;
  const std::string request = "READ " + std::to_string(pid) + " " + std::to_string(addr) + " " +
                              std::to_string(n);
  if (!exchange(request, answer, error)) return false;
  if (answer.compare(0, 3, "OK ") != 0) {
    error = bridge_unescape(answer.compare(0, 4, "ERR ") == 0 ? answer.substr(4) : answer);
    return false;
  }
  if (answer.size() != 3 + 2 * n) {
    error = "the debugger sent a short read";
    return false;
  }
  for (std::size_t k = 0; k < n; ++k) {
    const int hi = hex_value(answer[3 + 2 * k]), lo = hex_value(answer[4 + 2 * k]);
    if (hi < 0 || lo < 0) {
      error = "the debugger sent a bad read";
      return false;
    }
    out[k] = static_cast<unsigned char>(hi * 16 + lo);
  }
  return true;
}

}  // namespace lumigrid
