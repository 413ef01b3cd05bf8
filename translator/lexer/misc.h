// Character input of the scanner and the character classes of the M language.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The first character of a word that names a field of an indexed value: s(k).name is
// read as s, (, k, ) and the word of the mark and "name".
inline constexpr char kFieldMark = '\x02';

// --- Character classes ------------------------------------------------------------
inline bool is_letter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool is_digit(int c) { return c >= '0' && c <= '9'; }
inline bool is_blank(int c) { return c == ' ' || c == '\t'; }
inline bool is_newline(int c) { return c == '\n' || c == '\r'; }
inline bool is_matrix_bracket(int c) { return c == '[' || c == '{'; }
inline bool is_comment_char(int c) { return c == '%' || c == '#'; }
inline bool is_quote(int c) { return c == '\'' || c == '"'; }
inline bool is_word_char(int c) { return is_letter(c) || is_digit(c) || c == '_' || c == '.'; }
bool is_arithmetic(int c);   // + - * / \ ^ '
bool is_relational(int c);   // < > ~ ! =

// True when c1 followed by c2 is one operator: "." with an arithmetic character,
// two relational characters (but never "=" followed by "~", so a=~b assigns a
// negation), "&&", "||" and "**". A newline has no second character.
bool is_two_char_op(int c1, int c2);

// The kind of an operator token: the code of its last character when that is one
// of "()[]{}=,:'^/\*+-", else 5 (other symbol).
int operator_kind(std::string_view text);

// --- Character input --------------------------------------------------------------
// An M-file held in memory, read one character at a time. Carriage returns are
// skipped; the end of the text, the byte 26 and the byte 255 read as a newline and
// set the end-of-input flag, without being consumed. unget() steps back over the
// last character read (several in a row are fine); the end of input is never
// stepped back over. The position survives from one parser to the next, so the
// functions of one file are read by successive parsers from one minput_t.
class minput_t {
 public:
  // Reads the file; false when it cannot be opened.
  bool open(const std::string& path);
  void assign(std::string text);

  // The next character; `fresh` tells whether it was read for the first time
  // (not after an unget or a rewind to an earlier position).
  int get(bool& fresh);
  int get() {
    bool fresh;
    return get(fresh);
  }
  int peek() const;
  void unget();

  // The line of the character the last get() returned, counted from 1; a newline
  // belongs to the line it ends.
  int line() const { return last_line_; }

  std::size_t tell() const { return pos_; }
  // The column (from 1) of position pos in its line.
  int column_of(std::size_t pos) const;
  // The text from pos to the end of its line (newline excluded), as it stands.
  std::string_view line_from(std::size_t pos) const;
  // Line `line` (from 1) of the whole text, newline excluded; empty beyond the end.
  std::string_view line_text(int line) const;
  void seek(std::size_t pos);   // back to a position returned by tell()
  // The text not read yet.
  std::string_view rest() const {
    return pos_ < text_.size() ? std::string_view(text_).substr(pos_) : std::string_view();
  }
  bool at_end() const { return end_; }

 private:
  static constexpr std::size_t kHistory = 4096;   // ungets the scanner may need in a row

  std::string text_;
  std::size_t pos_ = 0;
  std::size_t high_ = 0;            // first position not read yet
  std::vector<std::size_t> hist_;   // start position of each recent get
  bool end_ = false;
  int lines_ = 0;       // newlines before pos_
  int last_line_ = 1;
};
