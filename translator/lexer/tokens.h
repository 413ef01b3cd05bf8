// The tokens of one M statement: text, kind, source line and column of each token.
//
// The translator rewrites a statement by editing this list in place. Indexes run
// from 0 to top(); a statement holds at most a million tokens (the long matrix
// literals of real programs stay far below; the bound keeps a runaway input
// finite). Every operation that takes an index checks it: a bad index is a fatal
// error, never an access outside the list. Slots above top keep their text
// buffers so that refilling a list for the next statement allocates little.
#pragma once
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// Token kinds. Single-character tokens (brackets, one-character operators) and
// two-character operators ending in one of "()[]{}=,:'^/\\*+-" carry the character
// code of their (last) character instead.
enum token_kind : int {
  TK_WORD = 1,      // identifier or keyword
  TK_NUMBER = 2,    // number in normalised text ("3.0", "0.5")
  TK_COMMENT = 3,   // comment text without its comment character
  TK_STRING = 4,    // C string literal, double quotes included
  TK_OTHER = 5,     // other operators, end of statement ("\n"), helper tokens
  TK_SHELL = 6,     // shell escape: the text after "!"
  TK_SEMI = 59,     // the row-break helper "semi" inside matrix brackets
};

// Token positions that statement forms test. A form is recognised by its first
// tokens: the head (a keyword, a command word, the assigned name or "[" of a list of
// outputs), the token after it ("=" of an assignment, "(" of a call or of a for head
// in parentheses), the one after that (the first token of a right-hand side) and the
// fourth ("(" of a call on the right-hand side: x = f(...)).
enum token_position : int {
  TP_HEAD = 0,
  TP_AFTER_HEAD = 1,
  TP_THIRD = 2,
  TP_FOURTH = 3,
};

class tokens_t {
 public:
  static constexpr int MAX_TOKENS = 1000000;

  tokens_t();
  tokens_t(tokens_t&&) noexcept = default;
  tokens_t& operator=(tokens_t&&) noexcept = default;
  // Lists are passed by reference; a copy by value does not compile.
  tokens_t(const tokens_t&) = delete;
  // Empties this list and appends every token of `other` (lines stamped anew).
  tokens_t& operator=(const tokens_t& other);

  void clear();   // no tokens; buffers stay for reuse
  void reset();   // clear, then the end-of-statement token "\n"

  void ins(int index, std::string_view text, int kind);   // before slot index (top+1 appends)
  void append(std::string_view text, int kind);
  void ins_before_last(std::string_view text, int kind);
  void del(int index, int count = 1);
  void set(int index, std::string_view text, int kind);   // stamps the current line

  const std::string& gettext(int index) const;
  int kind(int index) const;
  int line(int index) const;
  // The column (from 1) where the scanner read the token; 0 for a token the scanner
  // or the translator made.
  int column(int index) const;
  void set_column(int index, int column);
  int top() const { return top_; }       // index of the last token, -1 when empty
  int size() const { return top_ + 1; }
  bool empty() const { return top_ < 0; }
  int last_kind() const;                 // TK_OTHER when empty

  bool is_word(int index, std::string_view text) const;   // never an error
  bool is_kind(int index, int kind) const;                // never an error
  int find(std::string_view text) const;                  // first index or -1

  void prefix_m(int index);   // "m" + text, kind 4 (unless already 4)
  void quote(int index);      // "\"" + text + "\"", kind 4 (unless already 4)
  void unquote(int index);    // kind 4: drop the outer characters, kind 1

  // "<top> TOKENS=@" then each text followed by "#", then "@" and a newline.
  void debug_print(std::ostream& out) const;

 private:
  struct slot {
    std::string text;
    int kind = 0;
    int line = 0;
    int column = 0;
  };

  void check(int index) const;
  void store(slot& s, std::string_view text, int kind);

  // slots_[0..top_] are the tokens; slots beyond top_ are spare buffers.
  std::vector<slot> slots_;
  int top_ = -1;
};
