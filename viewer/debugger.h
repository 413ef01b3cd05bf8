// What the viewer needs of the debugger that holds the program: its state, the value
// of an expression, and (when the kernel will not let the viewer read the program's
// memory itself) a read of that memory. The gdb bridge implements it; tests use fakes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumigrid {

// The answer to one evaluation: the value text as the debugger writes it (an address
// as 0x and its hex digits), the type of the value (for a pointer, the type pointed
// to followed by " *"; empty when the debugger does not say), or the debugger's error
// description.
struct evaluation {
  bool ok = false;
  std::string value;
  std::string type;
  std::string error;
};

class IDebugger {
 public:
  virtual ~IDebugger() = default;
  // 1 when the debugged program is stopped (at a breakpoint); anything else when it
  // runs, has not started or the debugger does not answer.
  virtual int get_State() = 0;
  virtual evaluation Evaluate(const std::string& expression) = 0;
  // Reads n bytes at addr of process pid through the debugger. False with a message
  // when it cannot (the debugger holds another process, the address is not mapped).
  virtual bool ReadMemory(std::uint32_t pid, std::uint64_t addr, std::size_t n, unsigned char* out,
                          std::string& error) = 0;
};

}  // namespace lumigrid
