// The data type table: the element types of the run-time library, read from
// "korval.dt", and the type codes built on them.
//
// A type code is a signed int: bits 0 to 5 the base index of a type in the table,
// bit 6 a cell array of that type, bit 7 a scalar of that type. -1 means "no such
// type"; DT_UNCLASSIFIED (31) is the type of a symbol or M-file not yet known.
// There is one table for the whole process: datatypes().
#pragma once
#include <string>
#include <string_view>
#include <vector>

inline constexpr int DT_INDEX_MASK = 63;     // base index bits of a type code
inline constexpr int DT_CELL = 64;           // cell array of the base type
inline constexpr int DT_SCALAR = 128;        // scalar of the base type
inline constexpr int DT_UNCLASSIFIED = 31;   // not yet known; never a real type
inline constexpr int DT_MAX_TYPES = 30;      // base indices 0 to 29
inline constexpr int DT_LINE_LIMIT = 62;     // longest piece of a data type file line

class datatype_t {
 public:
  datatype_t() = default;

  // Reads a data type file: the version line "3.00", then one add() per line.
  // A file that cannot be opened or has the wrong version stops the run.
  void load(const std::string& path);

  // One line of the data type file: "name comment..." adds a type; a name of at
  // most two characters is a library line that sets default_type().
  void add(std::string_view line);

  // The type code that `text` names ("double", "1", "mdouble", "cell_of_double",
  // "scalar_of_double"), or -1.
  int find(std::string_view text) const;

  // Spellings of a type code. Each stops the run with "datatype_t: index out of
  // range" unless the base index lies in 0 to last().
  std::string name(int code) const;         // "double", "cell_of_double", "scalar_of_double"
  const std::string& comment(int code) const;
  std::string value_type(int code) const;   // "M<double>", "M< M<double> >", "double", "function"
  std::string ref_type(int code) const;     // "Mr<double>", "M< M<double> >&"
  std::string junk_type(int code) const;    // "junkM"

  // Role indices, -1 until a type of that exact name was added.
  int struct_index() const { return struct_; }
  int func1M_index() const { return func1M_; }
  int function_index() const { return function_; }
  int script_index() const { return script_; }
  int unknown_index() const { return unknown_; }
  // The base index named by the last library line; 0 when there was none.
  int default_type() const { return default_type_; }
  // The main data type of this run (-dt:float): variables of any class take it.
  void set_default_type(int code) { default_type_ = code; }

  // True for DT_UNCLASSIFIED and for the "script" index.
  bool is_not_function(int code) const;

  // Highest base index in use, -1 when the table is empty.
  int last() const { return static_cast<int>(names_.size()) - 1; }

  // Back to the state of a fresh table (empty, roles -1, default type 0).
  void clear();

 private:
  void check(int code) const;

  std::vector<std::string> names_;
  std::vector<std::string> comments_;
  int struct_ = -1;
  int func1M_ = -1;
  int function_ = -1;
  int script_ = -1;
  int unknown_ = -1;
  int default_type_ = 0;
};

// The process-wide data type table, created empty and loaded by the driver.
datatype_t& datatypes();
