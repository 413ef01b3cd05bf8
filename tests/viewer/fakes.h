// A debugger and a process memory made of plain data, for the viewer's tests: the
// debugger answers from a table of expressions; the memory is a set of byte blocks at
// chosen addresses, laid out as a 32-bit or a 64-bit program would hold them.
#pragma once
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "viewer/debugger.h"
#include "viewer/matrix_image.h"
#include "viewer/process_memory.h"

namespace lumigrid_test {

using namespace lumigrid;

class fake_debugger : public IDebugger {
 public:
  int state = 1;
  std::map<std::string, evaluation> answers;
  std::vector<std::string> asked;
  // Memory the debugger can read for process `pid` (the fallback path).
  std::map<std::uint64_t, std::vector<unsigned char>>* memory = nullptr;
  std::uint32_t pid = 0;
  int reads = 0;

  int get_State() override { return state; }
  evaluation Evaluate(const std::string& expression) override {
    asked.push_back(expression);
    const auto it = answers.find(expression);
    if (it != answers.end()) return it->second;
    evaluation e;
    e.error = "No symbol \"" + expression + "\" in current context.";
    return e;
  }
  bool ReadMemory(std::uint32_t p, std::uint64_t addr, std::size_t n, unsigned char* out,
                  std::string& error) override {
    ++reads;
    if (!memory || p != pid) {
      error = "not the process being debugged";
      return false;
    }
    for (auto& [start, bytes] : *memory)
      if (addr >= start && addr - start <= bytes.size() && n <= bytes.size() - (addr - start)) {
        std::memcpy(out, bytes.data() + (addr - start), n);
        return true;
      }
    error = "Cannot access memory";
    return false;
  }
  void answer(const std::string& expression, const std::string& value, const std::string& type = "") {
    evaluation e;
    e.ok = true;
    e.value = value;
    e.type = type;
    answers[expression] = e;
  }
  void refuse(const std::string& expression, const std::string& error) {
    evaluation e;
    e.error = error;
    answers[expression] = e;
  }
};

// The memory of a program of the given word size: blocks of bytes at addresses.
class image_memory : public memory_source {
 public:
  explicit image_memory(int word = 8) : word_(word) {}
  std::map<std::uint64_t, std::vector<unsigned char>> blocks;
  std::uint32_t live_pid = 4242;
  int opens = 0;

  bool open(std::uint32_t pid, std::string& error) override {
    ++opens;
    if (pid != live_pid) {
      error = "Error: Cannot open process " + std::to_string(pid) + ".";
      return false;
    }
    return true;
  }
  int word_size() const override { return word_; }
  bool read(std::uint64_t addr, void* out, std::size_t n, std::string& error) override {
    for (auto& [start, bytes] : blocks)
      if (addr >= start && addr - start <= bytes.size() && n <= bytes.size() - (addr - start)) {
        std::memcpy(out, bytes.data() + (addr - start), n);
        return true;
      }
    error = "Error: Cannot read " + std::to_string(n) + " bytes.";
    return false;
  }

  void put_bytes(std::uint64_t addr, std::vector<unsigned char> bytes) { blocks[addr] = std::move(bytes); }
  void put_text(std::uint64_t addr, const std::string& text) {
    put_bytes(addr, std::vector<unsigned char>(text.begin(), text.end() + 1));
  }
  void put_doubles(std::uint64_t addr, const std::vector<double>& v) {
    std::vector<unsigned char> b(v.size() * 8);
    std::memcpy(b.data(), v.data(), b.size());
    put_bytes(addr, std::move(b));
  }
  void put_header(std::uint64_t addr, const matrix_header& h) {
    std::vector<unsigned char> b(header_size(word_));
    write_header(h, word_, b.data());
    put_bytes(addr, std::move(b));
  }

 private:
  int word_;
};

}  // namespace lumigrid_test
