// MatrixReader: reads one matrix variable of the program stopped in the debugger and
// turns its elements into text. It asks the debugger for the program's process id
// (the variable grlibpr of an -ide main program) and for the address of the variable,
// then copies the matrix header, the name and the element arrays out of the program's
// memory. The copy stays until the next LoadMatrix, so the viewer can page through it
// without reading the program again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "viewer/debugger.h"
#include "viewer/matrix_image.h"
#include "viewer/process_memory.h"

namespace lumigrid {

// The viewer's copy of the last matrix read.
struct matrix_copy {
  std::string name;            // the variable's name, or "ans" in double quotes
  std::uint32_t flags = 0;
  std::uint32_t dims = 0;
  std::uint32_t rows = 0;
  std::uint32_t cols = 0;
  // rows x cols elements each, column by column; null when the matrix has none.
  std::unique_ptr<double[]> real;
  std::unique_ptr<double[]> imag;
  std::size_t count = 0;       // rows x cols
};

// Error texts the viewer shows in its status field.
inline constexpr const char* kNotInBreakpoint = "Error: Debugger not in breakpoint.";
inline constexpr const char* kNoProcess = "Error: Cannot located debugged process.";
inline constexpr const char* kOutOfMemory = "Out of memory error!";

class MatrixReader {
 public:
  MatrixReader(IDebugger* debugger, memory_source* memory) : debugger_(debugger), memory_(memory) {}

  // Reads the variable `name` (as the user typed it). Returns the error flag: 0 when
  // the matrix was read; otherwise the error text says why and no matrix is held.
  int LoadMatrix(const std::string& name);
  // The text of element (r, c), counted from 0, with `digits` significant digits;
  // empty outside the matrix. A string matrix gives row r's text at column 0.
  std::string FormatElement(long r, long c, int digits) const;
  // The process id the expression evaluates to; 0 with the error set on failure.
  unsigned long EvaluateProcessId(const std::string& expression);
  // The address the expression evaluates to; 0 with the error set on failure.
  std::uint64_t EvaluateAddress(const std::string& expression);

  bool error() const { return error_; }
  const std::string& error_text() const { return error_text_; }
  const matrix_copy& matrix() const { return matrix_; }
  const std::string& last_name() const { return last_name_; }

  // Longest name shown, and longest row of a string matrix shown.
  static constexpr std::size_t kNameBytes = 100;
  static constexpr std::uint32_t kMaxStringColumns = 1000;

 private:
  void fail(const std::string& text);
  bool read_name(std::uint64_t addr, std::string& name);
  bool read_elements(std::uint64_t addr, std::size_t count, int elem_bytes,
                     std::unique_ptr<double[]>& out);
  // Bytes of one element for the type the debugger named: 8 (double) or 4 (float);
  // 0 with the error set when the variable is no numeric matrix.
  int element_bytes(const std::string& name);

  IDebugger* debugger_;
  memory_source* memory_;
  bool error_ = false;
  std::string error_text_;
  std::string last_type_;
  matrix_copy matrix_;
  std::string last_name_;
};

// One number as the viewer shows it: NaN, Inf, -Inf, or printf's %.<digits>g.
std::string format_number(double v, int digits);

}  // namespace lumigrid
