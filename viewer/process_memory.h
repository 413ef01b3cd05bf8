// Reading the memory of the debugged program. The viewer reads it directly with
// process_vm_readv; when the kernel refuses (ptrace restrictions), it asks the debugger
// bridge to read instead, which can since it traces the program.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "viewer/debugger.h"

namespace lumigrid {

// The memory of one process, as the reader uses it.
class memory_source {
 public:
  virtual ~memory_source() = default;
  // Prepares to read process pid; false with a message when it does not exist or its
  // kind cannot be told.
  virtual bool open(std::uint32_t pid, std::string& error) = 0;
  // The program's word size, 4 or 8 (after a successful open).
  virtual int word_size() const = 0;
  // Reads exactly n bytes at addr; false with a message when any of them cannot be read.
  virtual bool read(std::uint64_t addr, void* out, std::size_t n, std::string& error) = 0;
};

// A direct read of another process: the bytes read, or -1 with errno set.
using direct_read_fn = long (*)(std::uint32_t pid, std::uint64_t addr, void* out, std::size_t n);
long vm_read(std::uint32_t pid, std::uint64_t addr, void* out, std::size_t n);

// The word size of a running process from the ELF class of its program file
// (/proc/<pid>/exe); 0 when it cannot be told.
int elf_word_size(std::uint32_t pid);

class process_memory : public memory_source {
 public:
  // `debugger` serves the reads the kernel refuses and tells the word size when the
  // program file cannot be read; `direct` is the direct read (replaceable for tests).
  explicit process_memory(IDebugger* debugger, direct_read_fn direct = vm_read)
      : debugger_(debugger), direct_(direct) {}
  bool open(std::uint32_t pid, std::string& error) override;
  int word_size() const override { return word_size_; }
  bool read(std::uint64_t addr, void* out, std::size_t n, std::string& error) override;
  // True once the kernel refused a direct read and the debugger reads instead.
  bool through_debugger() const { return through_debugger_; }

 private:
  bool read_direct(std::uint64_t addr, unsigned char* out, std::size_t n, std::string& error);
  bool read_through_debugger(std::uint64_t addr, unsigned char* out, std::size_t n,
                             std::string& error);

  IDebugger* debugger_;
  direct_read_fn direct_;
  std::uint32_t pid_ = 0;
  int word_size_ = 0;
  bool through_debugger_ = false;
};

}  // namespace lumigrid
