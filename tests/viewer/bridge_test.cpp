// The viewer's side of the gdb bridge against a scripted socket server: what it sends,
// how it reads the answers, which sockets it refuses, and how it reconnects.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>
#include <vector>

#include "viewer/gdb_bridge.h"

namespace {

// A server on a temporary socket that answers each request line from a table; with
// `hang_up_after` it closes each connection after that many answers.
class scripted_bridge {
 public:
  explicit scripted_bridge(std::map<std::string, std::string> answers, int hang_up_after = 0)
      : answers_(std::move(answers)), hang_up_after_(hang_up_after) {
    char dir[] = "/tmp/lumigrid-bridge-XXXXXX";
    dir_ = mkdtemp(dir);
    path_ = dir_ + "/b.sock";
    fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path_.c_str());
    bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(fd_, 4);
    thread_ = std::thread([this] { serve(); });
  }
  ~scripted_bridge() {
    shutdown(fd_, SHUT_RDWR);
    close(fd_);
    thread_.join();
    unlink(path_.c_str());
    rmdir(dir_.c_str());
  }
  const std::string& path() const { return path_; }
  std::vector<std::string> requests;
  int connections = 0;

 private:
  void serve() {
    for (;;) {
      const int c = accept(fd_, nullptr, nullptr);
      if (c < 0) return;
      ++connections;
      std::string pending;
      int answered = 0;
      char buf[4096];
      for (ssize_t n; (n = read(c, buf, sizeof buf)) > 0;) {
        pending.append(buf, std::size_t(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
          const std::string line = pending.substr(0, end);
          pending.erase(0, end + 1);
          requests.push_back(line);
          const auto it = answers_.find(line);
          const std::string answer = (it == answers_.end() ? "ERR unknown" : it->second) + "\n";
          if (write(c, answer.data(), answer.size()) < 0) break;
          ++answered;
        }
        if (hang_up_after_ && answered >= hang_up_after_) break;
      }
      close(c);
    }
  }
  std::map<std::string, std::string> answers_;
  int hang_up_after_;
  std::string dir_, path_;
  int fd_ = -1;
  std::thread thread_;
};

TEST(GdbBridge, AnswersOfEachKind) {
  scripted_bridge server({{"STATE", "OK 1"},
                          {"EVAL &a", "OK 0x7ffd12345678\tM<double> *"},
                          {"EVAL grlibpr", "OK 4242\tunsigned int"},
                          {"EVAL &nosuch", "ERR No symbol \"nosuch\" in current context.\\nTry again\\\\"},
                          {"READ 4242 4096 3", "OK 0a0bff"},
                          {"READ 4242 4096 4", "OK 0a0b"},
                          {"READ 4242 8192 1", "ERR Cannot access memory at address 0x2000"}});
  lumigrid::gdb_bridge bridge(server.path());
  std::string error;
  ASSERT_TRUE(bridge.attach(error)) << error;
  EXPECT_EQ(bridge.get_State(), 1);

  lumigrid::evaluation e = bridge.Evaluate("&a");
  EXPECT_TRUE(e.ok);
  EXPECT_EQ(e.value, "0x7ffd12345678");
  EXPECT_EQ(e.type, "M<double> *");
  e = bridge.Evaluate("grlibpr");
  EXPECT_EQ(e.value, "4242");
  e = bridge.Evaluate("&nosuch");
  EXPECT_FALSE(e.ok);
  EXPECT_EQ(e.error, "No symbol \"nosuch\" in current context.\nTry again\\");

  unsigned char out[4] = {};
  ASSERT_TRUE(bridge.ReadMemory(4242, 4096, 3, out, error)) << error;
  EXPECT_EQ(out[0], 0x0a);
  EXPECT_EQ(out[2], 0xff);
  EXPECT_FALSE(bridge.ReadMemory(4242, 4096, 4, out, error));   // fewer bytes than asked
  EXPECT_FALSE(bridge.ReadMemory(4242, 8192, 1, out, error));
  EXPECT_EQ(error, "Cannot access memory at address 0x2000");

  // A line break would end the request early: it is never sent.
  const std::size_t asked = server.requests.size();
  e = bridge.Evaluate("a\nSTATE");
  EXPECT_FALSE(e.ok);
  EXPECT_EQ(server.requests.size(), asked);
  EXPECT_EQ(server.connections, 1);
}

TEST(GdbBridge, ReconnectsWhenTheConnectionEnds) {
  scripted_bridge server({{"STATE", "OK 0"}, {"EVAL x", "OK 1\tint"}}, 1);
  lumigrid::gdb_bridge bridge(server.path());
  std::string error;
  ASSERT_TRUE(bridge.attach(error)) << error;
  EXPECT_EQ(bridge.get_State(), 0);
  EXPECT_EQ(bridge.Evaluate("x").value, "1");
  EXPECT_EQ(server.connections, 3);
}

TEST(GdbBridge, RefusesWhatIsNoBridge) {
  lumigrid::gdb_bridge missing("/nonexistent/korval-gdb.sock");
  std::string error;
  EXPECT_FALSE(missing.attach(error));
  EXPECT_NE(error.find("no socket at /nonexistent/korval-gdb.sock"), std::string::npos) << error;
  EXPECT_EQ(missing.get_State(), 0);
  EXPECT_FALSE(missing.Evaluate("grlibpr").ok);

  char name[] = "/tmp/lumigrid-notsock-XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  close(fd);
  lumigrid::gdb_bridge file(name);
  EXPECT_FALSE(file.attach(error));
  EXPECT_NE(error.find("is not a socket of this user"), std::string::npos) << error;
  unlink(name);

  // A socket that answers, but not as the bridge does.
  scripted_bridge other(std::map<std::string, std::string>{{"STATE", "HELLO"}});
  lumigrid::gdb_bridge wrong(other.path());
  EXPECT_FALSE(wrong.attach(error));
  EXPECT_NE(error.find("does not answer as the debugger bridge"), std::string::npos) << error;
}

TEST(GdbBridge, SocketPathFromTheEnvironment) {
  setenv("KORVAL_GDB_SOCKET", "/tmp/x.sock", 1);
  EXPECT_EQ(lumigrid::bridge_socket_path(), "/tmp/x.sock");
  unsetenv("KORVAL_GDB_SOCKET");
  setenv("XDG_RUNTIME_DIR", "/run/user/77", 1);
  const std::string path = lumigrid::bridge_socket_path();
  EXPECT_EQ(path.rfind("/run/user/77/korval-gdb-", 0), 0u) << path;
  EXPECT_EQ(path.substr(path.size() - 5), ".sock");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(lumigrid::bridge_socket_path().rfind("/tmp/korval-gdb-", 0), 0u);
}

}  // namespace
