// Text output of values: what a statement without semicolon prints, disp, the
// printf family and the number-to-text conversions. The functions work over a
// plain view of a value, so they do not depend on the matrix class.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace gridlib {
namespace fmt {

struct value_view {
  // structure: a 1 x 1 structure with its fields; struct_array: any other structure
  // array, shown by its extents and field names (fields holds the names, empty views).
  enum kind_t { numeric, logical, chars, cell, structure, struct_array } kind = numeric;
  int rows = 0, cols = 0;
  const double* re = nullptr;  // rows*cols, column by column (numeric, logical, chars)
  const double* im = nullptr;  // nullptr when real
  bool single = false;         // element type is float
  bool integer = false;        // an integer class: whole numbers in columns as wide as the widest
  double least = 0;            // a signed integer class: its least value (see integer_layout)
  std::vector<std::string> texts;  // int64/uint64 beyond 2^53: each element's exact digits
  bool range = false;          // a row the colon operator made, with the limit it was given
  double range_limit = 0;
  std::vector<long> extents;   // all extents of a value of more than two dimensions, else empty
  std::vector<value_view> elems;                            // cell: rows*cols, column by column
  std::vector<std::pair<std::string, value_view>> fields;   // structure, struct_array
  // Extents and kind in words ("1x1 scalar", "2x3 bool matrix", "1x1 scalar struct"): a
  // field of a structure nested past the levels shown in full shows this.
  std::string summary;
};

// format long (true) or format short (false): the digits every later display shows.
void set_long_format(bool on);
// The notation of later displays: fixed point where it fits (format short, long),
// shortest of fixed and e-notation per element (short g, long g), or e-notation always
// (short e, long e).
enum class notation { fitted, general, exponent };
void set_notation(notation n);
// format compact: displays leave out their blank lines (format loose puts them back).
void set_compact(bool on);

// What "name = value" without a semicolon prints, trailing blank lines included.
std::string display(const std::string& name, const value_view& v);
// What disp(v) prints.
std::string disp(const value_view& v);

}  // namespace fmt
}  // namespace gridlib
