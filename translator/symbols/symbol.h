// The symbol table: every name the translator meets (variables, arguments, globals,
// called and known functions, reserved names, textual replacements), with a word of
// kind bits and an information record of eight ints per entry. It also writes the
// declaration and bookkeeping text of the generated C++ (print_name) and reads and
// writes the symbol sections of the project files.
//
// Entries are kept in order of insertion (their index never changes) and through a
// sorted index for binary search. Several entries may share a name; they are told
// apart by their kind bits.
#pragma once
#include <iosfwd>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "symbols/datatype.h"

// --- Kind bits --------------------------------------------------------------------
inline constexpr int SYM_RESERVED_VAR = 1;         // reserved variable name
inline constexpr int SYM_LOCAL = 2;                // variable of the function
inline constexpr int SYM_DECLARED = 4;             // declared by its creating statement / from a script
inline constexpr int SYM_GLOBAL = 8;               // declared "global" here
inline constexpr int SYM_EXTERN_GLOBAL = 16;       // global imported from a callee's record
inline constexpr int SYM_INPUT = 32;               // input argument
inline constexpr int SYM_OUTPUT = 64;              // output argument passed by reference
inline constexpr int SYM_RETURN = 128;             // the value the C++ function returns
inline constexpr int SYM_CALLED = 256;             // function called by this function
inline constexpr int SYM_KNOWN_FUNCTION = 512;     // function known to exist
inline constexpr int SYM_FEVAL = 1024;             // function used through feval
inline constexpr int SYM_RESERVED_FUNCTION = 2048; // function of the run-time library
inline constexpr int SYM_REPLACE = 8192;           // name to be replaced by text
inline constexpr int SYM_REPLACEMENT = 16384;      // its replacement: always the next entry

// --- Masks ------------------------------------------------------------------------
inline constexpr int SYM_VARIABLES = 62;     // 2, 4, 8, 16, 32
inline constexpr int SYM_FUNCTIONS = 768;    // 256, 512
inline constexpr int SYM_ANY = 8191;         // every bit below SYM_REPLACE
inline constexpr int SYM_GLOBALS = 24;       // 8, 16
inline constexpr int SYM_ARGUMENTS = 96;     // 32, 64
inline constexpr int SYM_DECLARE_SET = 166;  // 2, 4, 32, 128: what "[declare]" records
inline constexpr int SYM_VARFILE_SET = 30;   // 2, 4, 8, 16: what the variable file records

// --- Information record -----------------------------------------------------------
// Word indices. For a variable only word 0 (its type code) is used.
inline constexpr int INFO_TYPE = 0;       // type code, or kind of M-file for a function
inline constexpr int INFO_NIN = 1;        // number of input arguments
inline constexpr int INFO_NOUT = 2;       // number of output arguments
inline constexpr int INFO_VARARGIN = 3;   // 1 when it takes varargin
inline constexpr int INFO_VARARGOUT = 4;  // 1 when an output is varargout
inline constexpr int INFO_FEVAL = 5;      // 1 when it uses feval
inline constexpr int INFO_NARGIN = 6;     // 1 when it uses nargin(fun)
inline constexpr int INFO_NARGOUT = 7;    // 1 when it uses nargout(fun)
inline constexpr int INFO_WORDS = 8;

struct symbol_info {
  int w[INFO_WORDS] = {DT_UNCLASSIFIED, 0, 0, 0, 0, 0, 0, 0};  // a fresh record

  int& operator[](int i) { return w[i]; }
  int operator[](int i) const { return w[i]; }
  bool operator==(const symbol_info& o) const;
  bool operator!=(const symbol_info& o) const { return !(*this == o); }

  static symbol_info fresh() { return symbol_info(); }
  static symbol_info typed(int type_code);  // type_code followed by seven zeros
};

// print_name formats (the generated text of one entry).
enum print_format : int {
  PN_DEFINITION = 1,     // "M<double> x("x",0,0); "
  PN_PLAIN = 2,          // prefix name suffix
  PN_VALUE_PARAM = 3,    // ", M<double> x"
  PN_REF_PARAM = 4,      // ", Mr<double> x__o"
  PN_COPY_OUT = 5,       // "x__o=x; "
  PN_RECORD = 6,         // "x double 0 0 0 0 0 0 0\n"
  PN_NAMES = 8,          // ", x"
  PN_OUT_NAMES = 9,      // ", x__o"
  PN_LOCAL_OUT = 10,     // "M<double> x__o("x",0,0); "
  PN_WHOS = 13,          // "whos_line(...);\n"
  PN_INCLUDE = 14,       // "#include "f.h"\n"
  PN_RETURN = 15,        // "return(x);\n"
  PN_RESULT_TYPE = 16,   // "M<double>"
  PN_EXTERN = 17,        // "extern M<double> x; "
  PN_STRUCT_DECL = 22,   // structure declaration
  PN_FEVAL_CASE = 23,    // feval dispatcher case
  PN_NARGIN_CASE = 24,   // nargin dispatcher case
  PN_NARGOUT_CASE = 25,  // nargout dispatcher case
  PN_CONVERT_IN = 26,    // "prefix(suffix[0],x);\n"
  PN_CONVERT_OUT = 27,   // "prefix(x,suffix[0]);\n"
};

// The C++ spelling of a dotted name s.a.b: a member that is a C++ word (s.new) gets
// a trailing underscore, as a variable of such a name does.
std::string cpp_member_path(std::string_view dotted);

// The C++ name of an M function: a name that is a C++ word (new, default, main) gets
// a trailing underscore; the M name stays what feval, handles and messages see.
std::string cpp_function_name(const std::string& name);
// The names of library functions that a program's own M-file replaces: the C++
// function of that file carries the trailing underscore, as the library's name is
// taken in C++.
std::set<std::string>& taken_by_library();

class symbol_type {
 public:
  static constexpr int kGrowth = 1024;      // slots added when the table is full
  static constexpr int kLineLimit = 511;    // longest line of a section

  symbol_type() = default;

  // The entry for name: an existing one whose kind bits meet the lookup mask (kind,
  // widened to SYM_VARIABLES and SYM_FUNCTIONS as groups), else a new one. With force
  // nonzero always a new one. A dotted name also adds its prefixes, typed as the
  // structure type.
  int add(std::string_view name, int kind, const symbol_info& info, int force = 0);
  int add_typed(std::string_view name, int kind, int type_code, int force = 0);

  // Sorted position of key: of some entry with that name, or where it would go.
  int search(std::string_view key) const;
  // Sorted position of the first entry with exactly this name, or -1.
  int find_first(std::string_view name) const;
  // For each mask j, results[j] is the entry with this name whose kind bits meet
  // masks[j], or -1. Two such entries stop the run unless masks[j] is SYM_ANY (then
  // the first in sorted order is kept).
  void lookup(std::string_view name, int n, const int masks[], int results[]) const;
  // lookup with one mask: the entry index or -1.
  int find(std::string_view name, int mask) const;
  // Next entry after position (from 0 when it is -1) whose kind bits meet mask;
  // stored in position and returned, -1 when there is none.
  int next(int mask, int& position) const;

  // Accessors; an index outside 0 to last() stops the run with
  // "symbol_type: index out of range", except type_of(-1), which gives a shared
  // scratch word.
  const std::string& text_of(int i) const;
  symbol_info& info_of(int i);
  const symbol_info& info_of(int i) const;
  int& type_of(int i);
  int type_of(int i) const;
  // The entry index at a sorted position (0 to last()).
  int sorted(int position) const;

  int last() const { return last_entry_; }
  int capacity() const { return capacity_; }

  // The suffix that makes name a C++ identifier: "()" for a function (not a
  // declaration, not a variable), "_" for a variable named like a reserved function
  // and for a function or variable whose name is a C++ word ("_()" for such a function).
  const char* decoration(std::string_view name, int is_declaration) const;

  // The text that displays a variable, "gridlibout<<x;" (a structure as any value).
  void display(std::ostream& out, std::string_view name) const;

  // Bulk transfer. merge modes: 0 copy, 1 import what a callee exposes, 2 seed a
  // per-function table from the project table.
  void merge(const symbol_type& source, int mode);
  // Reads one bracketed section; false when the next line does not begin with header.
  bool read_section(std::istream& in, std::string_view header, int kind, int force);
  // The variable file: lines "name kind type".
  void read_variables(const std::string& path);
  void write_variables(const std::string& path, int mask) const;

  // Writes every entry whose kind bits meet mask (dotted names only for format 6)
  // with print_name, numbered from 1; entries past limit (-1: none) are written as
  // placeholders when fill is set. Returns the number of entries taken.
  static int print_all(const symbol_type& table, std::ostream& out, int& first,
                       std::string_view prefix, std::string_view suffix, int mask,
                       print_format format, int limit, int fill);
  // print_all as a string, starting a list of its own.
  std::string listing(int mask, print_format format, std::string_view prefix = "",
                      std::string_view suffix = "", int limit = -1, int fill = 0) const;

 private:
  void check_index(int i) const;
  int append(std::string_view name, int kind, const symbol_info& info);

  std::vector<std::string> text_;
  std::vector<int> type_;
  std::vector<symbol_info> info_;
  std::vector<int> srtd_;
  int last_entry_ = -1;
  int capacity_ = 0;
};


// Writes entry of table in format. first is the caller's separator flag: nonzero
// means the next list item is the first (no ", "); the first item clears it.
// position numbers the entry in a listing (formats 26 and 27 use it).
void print_name(const symbol_type& table, std::ostream& out, int& first,
                std::string_view prefix, std::string_view suffix, int entry, print_format format,
                int position);
