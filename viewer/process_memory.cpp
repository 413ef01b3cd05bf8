#include "viewer/process_memory.h"

#include <sys/uio.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace lumigrid {
namespace {

// Largest piece asked of the debugger in one request.
constexpr std::size_t kDebuggerChunk = 1 << 20;

std::string read_failure(std::uint64_t addr, std::size_t n, std::uint32_t pid) {
  char text[128];
  std::snprintf(text, sizeof text, "Error: Cannot read %zu bytes at 0x%llx in process %u.", n,
                static_cast<unsigned long long>(addr), pid);
  return text;
}

// The debugger's answer to sizeof(void *), 4 or 8; 0 otherwise.
int word_size_from_debugger(IDebugger* debugger) {
  if (!debugger) return 0;
  const evaluation e = debugger->Evaluate("sizeof(void *)");
  if (!e.ok) return 0;
  char* end = nullptr;
  const long v = std::strtol(e.value.c_str(), &end, 10);
  return (v == 4 || v == 8) && end != e.value.c_str() ? int(v) : 0;
}

}  // namespace

long vm_read(std::uint32_t pid, std::uint64_t addr, void* out, std::size_t n) {
  iovec local{out, n};
  iovec remote{reinterpret_cast<void*>(static_cast<std::uintptr_t>(addr)), n};
  return static_cast<long>(process_vm_readv(static_cast<pid_t>(pid), &local, 1, &remote, 1, 0));
}

int elf_word_size(std::uint32_t pid) {
  std::ifstream exe("/proc/" + std::to_string(pid) + "/exe", std::ios::binary);
  unsigned char ident[5] = {0, 0, 0, 0, 0};
  if (!exe.read(reinterpret_cast<char*>(ident), sizeof ident)) return 0;
  if (ident[0] != 0x7F || ident[1] != 'E' || ident[2] != 'L' || ident[3] != 'F') return 0;
  if (ident[4] == 1) return 4;   // ELFCLASS32
  if (ident[4] == 2) return 8;   // ELFCLASS64
  return 0;
}

bool process_memory::open(std::uint32_t pid, std::string& error) {
  pid_ = pid;
  word_size_ = 0;
  through_debugger_ = false;
  char text[96];
  if (pid == 0 || pid > 0x7FFFFFFFu || (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)) {
    std::snprintf(text, sizeof text, "Error: Cannot open process %u.", pid);
    error = text;
    return false;
  }
  word_size_ = elf_word_size(pid);
  if (word_size_ == 0) word_size_ = word_size_from_debugger(debugger_);
  if (word_size_ == 0) {
    std::snprintf(text, sizeof text, "Error: Cannot tell the word size of process %u.", pid);
    error = text;
    return false;
  }
  return true;
}

bool process_memory::read(std::uint64_t addr, void* out, std::size_t n, std::string& error) {
  if (n == 0) return true;
  // An address range that wraps around, or leaves a 32-bit program's space, is no range.
  const std::uint64_t top = word_size_ == 4 ? 0xFFFFFFFFull : ~0ull;
  if (addr == 0 || addr > top || n - 1 > top - addr) {
    error = read_failure(addr, n, pid_);
    return false;
  }
  auto* bytes = static_cast<unsigned char*>(out);
  if (!through_debugger_) return read_direct(addr, bytes, n, error);
  return read_through_debugger(addr, bytes, n, error);
}

bool process_memory::read_direct(std::uint64_t addr, unsigned char* out, std::size_t n,
                                 std::string& error) {
  std::size_t done = 0;
  while (done < n) {
    const long got = direct_(pid_, addr + done, out + done, n - done);
    if (got < 0 && (errno == EPERM || errno == EACCES || errno == ENOSYS)) {
      // The kernel keeps the viewer out; the debugger traces the program and may read.
      through_debugger_ = true;
      return read_through_debugger(addr, out, n, error);
    }
    if (got <= 0) {
      error = read_failure(addr, n, pid_);
      return false;
    }
    done += static_cast<std::size_t>(got);
  }
  return true;
}

bool process_memory::read_through_debugger(std::uint64_t addr, unsigned char* out, std::size_t n,
                                           std::string& error) {
  if (!debugger_) {
    error = read_failure(addr, n, pid_);
    return false;
  }
  for (std::size_t done = 0; done < n;) {
    const std::size_t piece = std::min(kDebuggerChunk, n - done);
    std::string why;
    if (!debugger_->ReadMemory(pid_, addr + done, piece, out + done, why)) {
      error = read_failure(addr, n, pid_);
      return false;
    }
    done += piece;
  }
  return true;
}

}  // namespace lumigrid
