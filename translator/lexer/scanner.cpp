// The statement scanner: cuts an M-file into statements of tokens. It decides what
// the M language leaves to context: string literal or transpose, where a statement
// ends, how blanks and line breaks inside matrix brackets separate elements and rows,
// continuation lines, comments and directives; and it copies the source into the
// generated program while the M-file asks for echo on.
#include <cstring>

#include "driver/diag.h"
#include "lexer/keywords.h"
#include "lexer/scanner.h"

namespace {

bool is_closing(const std::string& t) { return t == ")" || t == "]" || t == "}"; }
bool is_opening(const std::string& t) { return t == "(" || t == "[" || t == "{"; }

bool starts_block(const tokens_t& s) {
  return s.is_kind(TP_HEAD, TK_WORD) && splits_after_expression(s.gettext(TP_HEAD));
}

// Bytes that cannot be part of M text (NUL and other control characters) are read
// as blanks.
bool is_junk(int c) { return c >= 0 && c < 32 && c != '\t' && c != '\n'; }

std::string trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return std::string();
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// A comment's text as the C++ comment takes it: one that ends in a backslash gets "."
// so that it cannot splice the next line into the comment.
std::string comment_text(std::string text) {
  if (!text.empty() && text.back() == '\\') text += ".";
  return text;
}

}  // namespace

// Two operands in a row: does token n start a new operand after token p?
bool operands_in_a_row(const tokens_t& s, int p, int n) {
  const std::string& pt = s.gettext(p);
  const std::string& nt = s.gettext(n);
  const int pk = s.kind(p), nk = s.kind(n);
  if (!nt.empty() && nt[0] == kFieldMark) return false;   // s(k).name continues its operand
  const bool n_operand = nk == TK_WORD || nk == TK_NUMBER || nk == TK_STRING;
  if (is_closing(pt) || pt == "'" || pk == TK_STRING) return n_operand || is_opening(nt);
  if (pk == TK_WORD || pk == TK_NUMBER) {
    if (n_operand || nt == "[") return true;
    return pk == TK_NUMBER && nt == "(";
  }
  return false;
}

// ---- Character input --------------------------------------------------------------

int scanner_t::get() {
  bool fresh = false;
  const int c = in->get(fresh);
  diag::set_line(in->line());
  if (fresh && echo_mode != 0) echo_char(c);
  return c;
}

int scanner_t::peek() const { return in->peek(); }

void scanner_t::unget() { in->unget(); }

void scanner_t::echo_char(int c) {
  if (echo_line_start) {
    echo_out += "gridlibout<<\"";
    echo_line_start = false;
  }
  switch (c) {
    case '\n': echo_out += "\\n"; break;
    case '\t': echo_out += "\\t"; break;
    case '\\': echo_out += "\\\\"; break;
    case '"': echo_out += "\\\""; break;
    default: echo_out.push_back(static_cast<char>(c));
  }
}

void scanner_t::close_echo_line() {
  if (!echo_line_start) echo_out += "\"<<flush;\n";
  echo_line_start = true;
  if (echo_mode == 2) echo_mode = 0;
}

void scanner_t::push(std::string_view text, int k) { stmt.append(text, k); }

// ---- Skipping -----------------------------------------------------------------------

void scanner_t::skip_comment() {
  int c;
  do {
    c = get();
  } while (c != '\n');
  unget();
}

// Step 1: blanks, continuations, directive markers, and inside [ ] or { } also line
// breaks, ";" and comments (a row break). Returns false at the end of input.
bool scanner_t::skip(bool& row_break, bool& blank_before) {
  bool after_continuation = false;
  for (;;) {
    const int c = get();
    const bool in_matrix = is_matrix_bracket(brackets.innermost());
    if (c == ' ' || c == '\t' || is_junk(c)) {
      blank_before = true;
      continue;
    }
    if (c == '.' && peek() == '.') {
      get();
      if (peek() == '.') {   // "...": the rest of the line is dropped
        skip_comment();
        get();
        after_continuation = true;
        blank_before = true;
        continue;
      }
      unget();
    }
    // "%#" or "##" before a directive word: the line is code for the translator. Any
    // other such line (%#ok<NASGU>, ## Copyright) is a comment.
    if (is_comment_char(c) && peek() == '#' && directive_follows()) {
      get();
      blank_before = true;
      continue;
    }
    if (in_matrix && (c == '\n' || c == ';' || is_comment_char(c) ||
                      (c == '/' && peek() == '/'))) {
      if (c != '\n' && c != ';') skip_comment();
      if (c == '\n' && in->at_end()) {   // an unterminated matrix ends with the file
        unget();
        return true;
      }
      row_break = true;
      blank_before = true;
      continue;
    }
    if (c == '\n' && brackets.depth() == 0 && echo_mode != 0 && echo_nesting == 0 &&
        !after_continuation)
      close_echo_line();
    unget();
    return true;
  }
}

// After "%" or "#" with "#" next: whether a directive word follows the marker. The
// input is left as it was.
bool scanner_t::directive_follows() {
  int taken = 0;
  auto next = [&]() {
    ++taken;
    return get();
  };
  next();   // the second marker character
  int c = next();
  while (is_blank(c)) c = next();
  std::string word;
  while (is_letter(c) || is_digit(c) || c == '_') {
    word.push_back(static_cast<char>(c));
    c = next();
  }
  for (; taken > 0; --taken) unget();
  return !word.empty() && directive_word(word);
}

bool scanner_t::directive_word(const std::string& word) const {
  static const char* const kDirectives[] = {"call",   "define",  "declare",  "cell",
                                            "scalar", "global",  "par_run",  "par_sync"};
  for (const char* d : kDirectives)
    if (word == d) return true;
  return false;
}

// ---- Tokens ------------------------------------------------------------------------

void scanner_t::read_word(int c) {
  std::string word(1, static_cast<char>(c));
  bool chopped = false;
  for (;;) {
    c = get();
    if (!is_word_char(c)) break;
    if (c == '.') {
      const int next = peek();
      // A "." that begins an operator (a.*b) or a continuation (a...) ends the word.
      if (is_two_char_op('.', next) || next == '.') break;
    }
    if (word.size() < MAX_WORD)
      word.push_back(static_cast<char>(c));
    else
      chopped = true;
  }
  unget();
  if (chopped) diag::warning("too long - chopped");
  push(word, TK_WORD);
}

// A string literal keeps its whole text, however long.
void scanner_t::read_string(int quote) {
  std::string s = "\"";
  for (;;) {
    const int c = get();
    if (c == '\n') {   // an unterminated literal ends with its line
      unget();
      break;
    }
    if (c == quote) {
      if (peek() != quote) break;
      get();
    }
    // A double-quoted text reads backslash escapes (\n, \t, \\, \" ...), as Octave
    // does; an unknown one stands for its character.
    if (quote == '"' && c == '\\' && peek() != '\n') {
      const int e = get();
      static const std::string from = "ntrabfv", to = "ntrabfv";
      const std::size_t k = from.find(static_cast<char>(e));
      if (k != std::string::npos) {
        s += std::string("\\") + to[k];
      } else if (e == '\\' || e == '"') {
        s += e == '"' ? "\\\"" : "\\\\";
      } else {
        s.push_back(static_cast<char>(e));
      }
      continue;
    }
    if (c == '"')
      s += "\\\"";
    else if (c == '\\')
      s += "\\\\";
    else
      s.push_back(c == 0 ? ' ' : static_cast<char>(c));
  }
  s += "\"";
  push(s, TK_STRING);
}

// A comment or shell escape at the start of a statement: the rest of the line without
// its first character. Returns false when the line hides code behind "KORVAL% M",
// which is then left in the input to be scanned as code.
bool scanner_t::read_line_token(int first) {
  static const std::string kHidden = "KORVAL% M";
  const bool comment = is_comment_char(first);
  std::string text;
  for (;;) {
    const int c = get();
    if (c == '\n') {
      unget();
      break;
    }
    text.push_back(c == 0 ? ' ' : static_cast<char>(c));
    // The marker and one more character: what follows on the line is code.
    if (comment && text.size() == kHidden.size() + 1 && text.compare(0, kHidden.size(), kHidden) == 0) {
      push("\n", TK_OTHER);
      return false;
    }
  }
  if (comment && text == kHidden) {
    push("\n", TK_OTHER);
    return false;
  }
  // "%{" alone on its line opens a block comment: the lines up to the matching "%}"
  // are comments, whatever they hold.
  if (comment && trimmed(text) == "{") block_comment = 1;
  push(comment ? comment_text(text) : text, comment ? TK_COMMENT : TK_SHELL);
  return true;
}

// A line of a block comment, delivered as a comment statement of its own; "%{" and
// "%}" alone on a line nest.
void scanner_t::block_comment_line() {
  std::string text;
  int c = get();
  if (c == '\n' && in->at_end()) {   // an unterminated block comment ends with the file
    push("\n", TK_OTHER);
    return;
  }
  for (; c != '\n'; c = get()) text.push_back(c == 0 ? ' ' : static_cast<char>(c));
  const std::string t = trimmed(text);
  if (t.size() == 2 && is_comment_char(t[0]) && t[1] == '{') ++block_comment;
  if (t.size() == 2 && is_comment_char(t[0]) && t[1] == '}') --block_comment;
  push(comment_text(text), TK_COMMENT);
  push("\n", TK_OTHER);
}

void scanner_t::scan_token(bool blank_before, bool row_break, bool& done) {
  const int innermost_before = brackets.innermost();
  const std::size_t at = in->tell();
  int c = get();
  const bool at_start = stmt.empty();
  const bool depth0 = brackets.depth() == 0;

  // "//" starts a comment like "%".
  const bool slashes = c == '/' && peek() == '/';
  if (slashes) {
    get();
    slashes_seen = true;
  }
  const bool comment = is_comment_char(c) || slashes;

  if (depth0) {
    if (c == '\n' || c == ',' || comment) display = 1;
    if (c == ';') display = 0;
    if (c == ',' || c == ';') c = '\n';
  }

  if (comment || (c == '!' && at_start)) {
    if (!at_start || header_mode) {
      // A comment behind code ends the statement; the next call reads it as a
      // statement of its own. In header mode the comment is dropped.
      if (header_mode) {
        skip_comment();
        pending.append("\n", TK_OTHER);
      } else if (slashes) {
        unget();
        unget();
      } else {
        unget();
      }
      push("\n", TK_OTHER);
      done = true;
      return;
    }
    // After "//" the comment text begins behind both slashes.
    if (!read_line_token(slashes ? '%' : c)) done = true;
    return;
  }

  // 0x1F, 0b101 and their class suffixes are written as a call of the class.
  if (c == '0' && read_radix_literal(in->column_of(at), blank_before, row_break, done)) return;
  if (is_letter(c)) {
    read_word(c);
  } else if (c == '.' && !stmt.empty() && (stmt.gettext(stmt.top()) == ")" || stmt.gettext(stmt.top()) == "}") &&
             (is_letter(peek()) || peek() == '(')) {
    // s(k).name, c{k}.name, s(k).(expr): a field of an indexed value, one word that
    // begins with the field mark (the mark alone before a dynamic name).
    std::string mark(1, kFieldMark);
    if (peek() == '(') {
      push(mark, TK_WORD);
    } else {
      read_word(get());
      stmt.set(stmt.top(), mark + stmt.gettext(stmt.top()), TK_WORD);
    }
  } else if (is_digit(c) || (c == '.' && is_digit(peek()))) {
    unget();
    std::string number;
    if (read_number(number)) {
      push(number, number == "Inf" ? TK_WORD : TK_NUMBER);
    } else {
      get();
      push(std::string(1, static_cast<char>(c)), operator_kind(std::string(1, static_cast<char>(c))));
    }
  } else if (is_quote(c) &&
             (blank_before || stmt.empty() ||
              !(stmt.last_kind() == TK_WORD || stmt.last_kind() == TK_NUMBER ||
                is_closing(stmt.gettext(stmt.top()))))) {
    read_string(c);
  } else if (is_two_char_op(c, peek())) {
    const char op[3] = {static_cast<char>(c), static_cast<char>(get()), '\0'};
    // Octave's power operators: ** is ^ and .** is .^ (read as .* and *).
    const std::string_view text = std::string_view(op) == "**" ? "^" : std::string_view(op);
    push(text, operator_kind(text));
  } else if (c == '*' && !blank_before && !stmt.empty() && stmt.gettext(stmt.top()) == ".*") {
    stmt.set(stmt.top(), ".^", operator_kind(".^"));
    return;
  } else {
    const char one[2] = {static_cast<char>(c), '\0'};
    brackets.feed(c);
    push(c == '\n' ? std::string_view("\n") : std::string_view(one), operator_kind(one));
  }
  place_token(in->column_of(at));
  after_append(blank_before, row_break, innermost_before, done);
}

// The column of the token just read: where it begins in its line, plus one for each
// blank that separated elements of a matrix or cell before it on that line.
void scanner_t::place_token(int source_column) {
  const int line = stmt.line(stmt.top());
  if (line != shift_line) {
    shift_line = line;
    line_shift = 0;
  }
  stmt.set_column(stmt.top(), source_column + line_shift);
}

// Step 5: the rules applied to each appended token, in their order.
void scanner_t::after_append(bool blank_before, bool row_break, int innermost_before,
                            bool& done) {
  int t = stmt.top();
  const int p = t - 1;

  // A number followed directly by i or j is imaginary: 2i is 2*i.
  if (p >= 0 && !blank_before && stmt.kind(p) == TK_NUMBER &&
      (stmt.is_word(t, "i") || stmt.is_word(t, "j"))) {
    stmt.ins(t, "*", TK_OTHER);
    t = stmt.top();
  }
  // A trailing comma before "]" is dropped.
  if (stmt.is_word(t, "]") && stmt.is_word(t - 1, ",")) {
    stmt.del(t - 1);
    t = stmt.top();
  }
  const std::string word = stmt.kind(t) == TK_WORD ? stmt.gettext(t) : std::string();
  if (spells_end(word)) stmt.set(t, "end", TK_WORD);

  if (echo_mode != 0 && stmt.kind(t) == TK_WORD) {
    const std::string& w = stmt.gettext(t);
    if (opens_body_block(w)) ++echo_nesting;
    if (w == "end" && brackets.depth() == 0 && --echo_nesting < 0)
      diag::error("parser_t: nested<0");
  }

  const bool closes_matrix = is_matrix_bracket(innermost_before) &&
                             (stmt.is_word(t, "]") || stmt.is_word(t, "}"));
  const bool outside = !is_matrix_bracket(innermost_before) ||
                       (closes_matrix && !is_matrix_bracket(brackets.innermost()));
  if (outside) {
    // if x y=1 is the statements "if x" and "y=1".
    if (starts_block(stmt) && stmt.size() > 2 && operands_in_a_row(stmt, t - 1, t)) {
      if (!stmt.is_word(t, "then")) {
        pending.append(stmt.gettext(t), stmt.kind(t));
        pending.set_column(pending.top(), stmt.column(t));
      }
      stmt.set(t, "\n", TK_OTHER);
    }
  } else if (row_break && !stmt.is_word(t - 1, "[") && !stmt.is_word(t - 1, "{")) {
    // A line break or ";" inside matrix brackets separates rows.
    if (!stmt.is_word(t - 1, ",")) stmt.ins(t++, ",", ',');
    stmt.ins(t++, "semi", TK_SEMI);
    stmt.ins(t++, ",", ',');
    stmt.ins(t++, "\n", TK_OTHER);
  } else if (p >= 0) {
    const std::string& pt = stmt.gettext(t - 1);
    const std::string& nt = stmt.gettext(t);
    const bool prev_open = pt == "[" || pt == "{" || pt == ",";
    const int after = peek();
    const bool signed_element = blank_before && !prev_open && (nt == "-" || nt == "+") &&
                                after != ' ' && after != '\t';
    const bool call_apart = blank_before && (stmt.kind(t - 1) == TK_WORD ||
                                             stmt.kind(t - 1) == TK_NUMBER) && nt == "(";
    // c{k}(e), c{k}{e} and f(x)(e) with nothing between: one operand, the element or
    // the call's result indexed again.
    const bool indexes_element = !blank_before && (pt == "}" || pt == ")") && (nt == "(" || nt == "{");
    if (!indexes_element && (signed_element || call_apart || operands_in_a_row(stmt, t - 1, t))) {
      stmt.ins(t, ",", ',');
      // M counts a blank that separates elements as one more column: what follows on
      // the line is placed one column further right.
      ++line_shift;
      stmt.set_column(t + 1, stmt.column(t + 1) + 1);
    }
  }
  t = stmt.top();
  if (stmt.is_word(t, "elseif")) pending.append("if", TK_WORD);
  // try x = 1 is the statements "try" and "x = 1".
  if (t == 1 && stmt.is_word(TP_HEAD, "try") && !stmt.is_word(t, "\n") &&
      !stmt.is_word(t, "=")) {
    pending.append(stmt.gettext(t), stmt.kind(t));
    pending.set_column(pending.top(), stmt.column(t));
    stmt.set(t, "\n", TK_OTHER);
  }

  // Step 6: the statement ends after a newline, or after elseif, else or end at depth 0.
  if (stmt.is_word(t, "\n") ||
      (brackets.depth() == 0 &&
       (stmt.is_word(t, "elseif") || stmt.is_word(t, "else") || stmt.is_word(t, "end"))))
    done = true;
}

void scanner_t::get_statement() {
  KASSERT("MISC", in != nullptr);
  command_words.clear();
  place = statement_place();
  const bool fresh_start = pending.empty();
  stmt = pending;
  pending.clear();
  brackets.clear();
  if (block_comment > 0 && !in->at_end()) {
    display = 1;
    block_comment_line();
    return;
  }
  for (int i = 0; i <= stmt.top(); ++i)
    if (stmt.gettext(i).size() == 1) brackets.feed(stmt.gettext(i)[0]);
  display = 1;

  const std::size_t start = in->tell();
  const int start_line = diag::current_line();
  bool done = false;
  while (!done) {
    bool row_break = false, blank_before = false;
    skip(row_break, blank_before);
    const bool ended = in->at_end();
    scan_token(blank_before, row_break, done);
    if (ended && !done) {   // the end of input behaves as a newline
      if (stmt.last_kind() != TK_OTHER || stmt.gettext(stmt.top()) != "\n")
        push("\n", TK_OTHER);
      done = true;
    }
  }
  after_statement(start, start_line);
  if (fresh_start && stmt.is_kind(TP_HEAD, TK_WORD) && stmt.size() > 2) read_command_words(start);
  place = statement_column(stmt, !command_words.empty());
}

// Command syntax: "name arg arg ..." on the statement's line. The arguments end at
// ",", ";", a comment or the line's end outside quotes; each is a run of non-blank
// characters, where quoted parts keep their blanks and '' is a quote.
void scanner_t::read_command_words(std::size_t start) {
  const std::string_view line = in->line_from(start);
  std::size_t p = 0;
  while (p < line.size() && is_blank(line[p])) ++p;
  if (p >= line.size() || !is_letter(line[p])) return;
  while (p < line.size() && (is_letter(line[p]) || is_digit(line[p]) || line[p] == '_')) ++p;
  if (p >= line.size() || !is_blank(line[p])) return;
  while (p < line.size() && is_blank(line[p])) ++p;
  if (p >= line.size()) return;
  const char c = line[p];
  const char next = p + 1 < line.size() ? line[p + 1] : ' ';
  // name = x, name (x), name(x) and name + x are no commands; neither is an operator
  // followed by a blank (a - b) or one of two characters (a == b, a .* b).
  if (c == '=' || c == '(' || c == ',' || c == ';' || is_comment_char(c)) return;
  const bool op = is_arithmetic(c) || is_relational(c) || c == '&' || c == '|' || c == ':' || c == '.';
  if (op && c != '\'' && (is_blank(next) || is_two_char_op(c, next) || c == '.')) return;
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  while (p < line.size()) {
    const char ch = line[p];
    if (ch == ',' || ch == ';' || is_comment_char(ch) || ch == '\r') break;
    if (is_blank(ch)) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
      ++p;
      continue;
    }
    in_word = true;
    if (ch != '\'') {
      word.push_back(ch);
      ++p;
      continue;
    }
    for (++p; p < line.size(); ++p) {   // a quoted part
      if (line[p] == '\'') {
        if (p + 1 < line.size() && line[p + 1] == '\'') {
          word.push_back('\'');
          ++p;
          continue;
        }
        ++p;
        break;
      }
      word.push_back(line[p]);
    }
  }
  if (in_word) words.push_back(word);
  command_words = std::move(words);
}

// After the statement: echo on and off, a second function line, the final newline.
void scanner_t::after_statement(std::size_t start, int start_line) {
  if (!scan_only && stmt.is_word(TP_HEAD, "echo")) {
    if (stmt.is_word(TP_AFTER_HEAD, "on")) {
      echo_mode = 1;
      echo_nesting = 0;
    } else if (echo_nesting > 0) {
      diag::warning("parser: ignoring echo off inside loop");
    } else {
      echo_mode = 2;
      // The line of "echo off" is already closed: echo ends with it.
      if (echo_line_start) echo_mode = 0;
    }
  }
  if (stmt.is_word(TP_HEAD, "function") && function_open) {
    // A new function begins: leave it for the parser of that function.
    in->seek(start);
    diag::set_line(start_line);
    function_follows = true;
    stmt.clear();
    pending.clear();
  }
  if (header_mode && stmt.is_word(TP_HEAD, "function")) header_mode = false;   // read again
  if (stmt.empty() || stmt.gettext(stmt.top()) != "\n" || stmt.last_kind() != TK_OTHER)
    push("\n", TK_OTHER);
}
