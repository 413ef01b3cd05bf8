// scanner_t: the statement scanner. It reads an M-file one statement at a time into a
// token list that ends in the newline token "\n". The translator's parser_t is built
// on it; everything here is the scanner's own state, which the translator reads
// (stmt, pending, display) but only the scanner advances.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "lexer/brackets.h"
#include "lexer/misc.h"
#include "lexer/statement_column.h"
#include "lexer/tokens.h"

// The text of a number in the generated C++: "%.15g", with ".0" after digits only.
std::string normalised(double value);

// Two operands in a row: token n of s starts a new operand right after token p ends
// one (a b, 2 x, a' 'b'). Inside matrix brackets that separates elements; elsewhere
// it ends a statement after a block keyword's expression, or is command syntax.
bool operands_in_a_row(const tokens_t& s, int p, int n);

class scanner_t {
 public:
  scanner_t() = default;
  scanner_t(const scanner_t&) = delete;
  scanner_t& operator=(const scanner_t&) = delete;
  virtual ~scanner_t() = default;

  // Identifiers are cut at MAX_WORD characters, with the warning "too long - chopped";
  // string literals, comments and shell escapes keep their whole text.
  static constexpr std::size_t MAX_WORD = 300;

  // Reads the next statement into `stmt`, ending in the newline token "\n". At the end
  // of input it keeps delivering empty statements; at_end() tells.
  void get_statement();
  bool at_end() const { return in != nullptr && in->at_end(); }

  // Character input with the echo copy and the line count; unget() steps back over the
  // last get(), and a character read again is not echoed again.
  int get();
  int peek() const;
  void unget();
  // Reads a number of any length at the input; on success `text` holds its normalised
  // form ("3.0", "0.5", "1e+20"), or "Inf" for a literal beyond the largest double
  // (scanned as the word Inf). On failure the input is as before.
  bool read_number(std::string& text);
  // After a "0": a hexadecimal (0x) or binary (0b) literal with its optional class
  // suffix (u8 ... s64), appended as the tokens of a call such as uint16(61680.0).
  // Returns false, with the input as before, when no such literal follows.
  bool read_radix_literal(int column, bool blank_before, bool row_break, bool& done);

  // Input and output of the scanner.
  minput_t* in = nullptr;   // the M-file, shared by the parsers of one file
  tokens_t stmt;            // the current statement
  tokens_t pending;         // tokens that begin the next statement
  int display = 1;          // 1 when the statement's result is shown (no ";")
  statement_place place;   // where the statement is, for an error's stack
  std::string echo_out;     // echo text written (generated C++); the caller takes it
  bool function_follows = false;   // a second function line was met and rewound
  // When the statement reads as command syntax (a name, blanks, then words that are
  // no operator followed by a blank: hold on, format long, warning off id:x), its
  // arguments as written, quotes resolved; empty otherwise. The translator decides
  // whether the name is a command (no variable of that name).
  std::vector<std::string> command_words;
  int echo() const { return echo_mode; }   // 0 off, 1 on, 2 off after the current line
  // An echo line is open: the statement that follows belongs to the same echo group.
  bool echo_group_open() const { return !echo_line_start; }

  // Set from outside: the scanning pass ignores echo statements; in a function file
  // (the translator has read its function line) another function line ends the
  // function and is rewound for the next parser; header mode re-reads such a line.
  int scan_only = 0;
  bool function_open = false;
  bool header_mode = false;

 protected:
  // The words that make a "%#" or "##" line code: call, define, declare, cell, scalar,
  // global, par_run, par_sync; the translator adds the names of its data types.
  virtual bool directive_word(const std::string& word) const;

 private:
  brackets_t brackets;      // nesting within the current statement
  int echo_mode = 0;        // 0 off, 1 on, 2 off after the current line
  int shift_line = 0;       // the line line_shift counts for
  int line_shift = 0;       // element-separating blanks met so far on that line
  int echo_nesting = 0;     // blocks opened since echo on
  bool echo_line_start = true;   // no echo line open
  bool slashes_seen = false;    // "//" comments occur in this file
  int block_comment = 0;    // depth of the open %{ ... %} block comments

  bool skip(bool& row_break, bool& blank_before);
  void scan_token(bool blank_before, bool row_break, bool& done);
  void read_word(int c);
  void read_string(int quote);
  bool read_line_token(int first);
  void block_comment_line();
  void skip_comment();
  bool directive_follows();
  void after_append(bool blank_before, bool row_break, int innermost_before, bool& done);
  void place_token(int source_column);
  void after_statement(std::size_t start, int start_line);
  void read_command_words(std::size_t start);
  void echo_char(int c);
  void close_echo_line();
  void push(std::string_view text, int kind);
};
