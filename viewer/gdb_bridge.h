// The viewer's side of the gdb bridge (korval-gdb.py): a Unix socket to the gdb that
// holds the program, one request line and one answer line at a time.
#pragma once
#include <string>

#include "viewer/debugger.h"

namespace lumigrid {

// The bridge's socket: $KORVAL_GDB_SOCKET, else korval-gdb-<user>.sock in
// $XDG_RUNTIME_DIR, else in /tmp.
std::string bridge_socket_path();

// Escaping of texts on the wire: backslash, newline, carriage return and tab.
std::string bridge_unescape(const std::string& text);

class gdb_bridge : public IDebugger {
 public:
  explicit gdb_bridge(std::string path = bridge_socket_path()) : path_(std::move(path)) {}
  ~gdb_bridge() override;
  gdb_bridge(const gdb_bridge&) = delete;
  gdb_bridge& operator=(const gdb_bridge&) = delete;

  // Connects and asks for the state once, so that a bridge that does not answer is
  // found at start-up. False with a message for the user.
  bool attach(std::string& error);

  int get_State() override;
  evaluation Evaluate(const std::string& expression) override;
  bool ReadMemory(std::uint32_t pid, std::uint64_t addr, std::size_t n, unsigned char* out,
                  std::string& error) override;

  // Seconds to wait for one answer.
  void set_timeout(int seconds) { timeout_ = seconds; }

 private:
  bool connect_socket(std::string& error);
  // Sends one request and reads its answer line; on a broken connection connects again
  // once (gdb may have loaded the bridge anew). False with a message when no answer.
  bool exchange(const std::string& request, std::string& answer, std::string& error);
  bool exchange_once(const std::string& request, std::string& answer);
  void disconnect();

  std::string path_;
  int fd_ = -1;
  int timeout_ = 30;
  std::string pending_;   // bytes received after the last answer line
};

}  // namespace lumigrid
