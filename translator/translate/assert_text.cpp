// Module ASSERT_TEXT: the text a failed assert shows for its arguments: their source
// text in the canonical form an M expression is printed in. Binary operators stand
// between blanks, ", " between the elements of a list, a blank between a name and its
// "(", unary operators and transposes close to their operand, and "," alone between
// the arguments of assert itself.
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "translate/assert_text.h"

namespace {

bool name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

enum class piece { operand, open, close, comma, semi, binary, unary, postfix, colon };

struct token {
  std::string text;
  piece kind;
};

// Operators of two characters, longest first where one begins another.
const char* const kTwoChar[] = {"==", "~=", "!=", "<=", ">=", "&&", "||", ".*", "./", ".\\", ".^", ".'"};

bool ends_operand(const std::vector<token>& out) {
  if (out.empty()) return false;
  const piece k = out.back().kind;
  return k == piece::operand || k == piece::close || k == piece::postfix;
}

// Splits the source text into tokens. Blanks between two operands inside [ ] or { }
// separate elements, as a comma does.
std::vector<token> split(std::string_view s) {
  std::vector<token> out;
  std::vector<char> open;   // the brackets open at this point
  std::size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == ' ' || c == '\t') {
      std::size_t j = i;
      while (j < s.size() && (s[j] == ' ' || s[j] == '\t')) ++j;
      const bool in_matrix = !open.empty() && open.back() != '(';
      const char next = j < s.size() ? s[j] : '\0';
      const bool next_starts = name_char(next) || next == '(' || next == '[' || next == '{' ||
                               next == '\'' || next == '"' || next == '@' || next == '~' ||
                               ((next == '-' || next == '+') && j + 1 < s.size() && s[j + 1] != ' ');
      if (in_matrix && ends_operand(out) && next_starts) out.push_back({",", piece::comma});
      i = j;
      continue;
    }
    if (name_char(c) || (c == '.' && i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
      std::size_t j = i;
      const bool number = std::isdigit(static_cast<unsigned char>(c)) || c == '.';
      while (j < s.size()) {
        const char d = s[j];
        if (name_char(d) || (d == '.' && (number || (j + 1 < s.size() && (name_char(s[j + 1]) || s[j + 1] == '('))) &&
                             !(j + 1 < s.size() && (s[j + 1] == '*' || s[j + 1] == '/' || s[j + 1] == '^' ||
                                                    s[j + 1] == '\\' || s[j + 1] == '\'')))) {
          ++j;
        } else if (number && (d == '+' || d == '-') && (s[j - 1] == 'e' || s[j - 1] == 'E')) {
          ++j;
        } else {
          break;
        }
      }
      out.push_back({std::string(s.substr(i, j - i)), piece::operand});
      i = j;
      continue;
    }
    const bool quote = c == '"' || (c == '\'' && !ends_operand(out));
    if (quote) {
      std::size_t j = i + 1;
      while (j < s.size()) {
        if (s[j] == c && j + 1 < s.size() && s[j + 1] == c) {
          j += 2;
        } else if (s[j] == c) {
          ++j;
          break;
        } else {
          ++j;
        }
      }
      out.push_back({std::string(s.substr(i, j - i)), piece::operand});
      i = j;
      continue;
    }
    std::string two(s.substr(i, 2));
    bool matched = false;
    for (const char* op : kTwoChar) {
      if (two == op) {
        out.push_back({two, two == ".'" ? piece::postfix : piece::binary});
        i += 2;
        matched = true;
        break;
      }
    }
    if (matched) continue;
    switch (c) {
      case '(': case '[': case '{':
        open.push_back(c);
        out.push_back({std::string(1, c), piece::open});
        break;
      case ')': case ']': case '}':
        if (!open.empty()) open.pop_back();
        out.push_back({std::string(1, c), piece::close});
        break;
      case ',': out.push_back({",", piece::comma}); break;
      case ';': out.push_back({";", piece::semi}); break;
      case ':': out.push_back({":", piece::colon}); break;
      case '\'': out.push_back({"'", piece::postfix}); break;
      case '~': case '!': case '@': out.push_back({std::string(1, c), piece::unary}); break;
      case '-': case '+':
        out.push_back({std::string(1, c), ends_operand(out) ? piece::binary : piece::unary});
        break;
      default: out.push_back({std::string(1, c), piece::binary}); break;
    }
    ++i;
  }
  return out;
}

}  // namespace

std::string assert_arguments_text(std::string_view source) {
  const std::vector<token> tokens = split(source);
  std::string text;
  int depth = 0;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    const token& t = tokens[k];
    switch (t.kind) {
      case piece::open:
        if (t.text != "[" && k > 0 && (tokens[k - 1].kind == piece::operand || tokens[k - 1].kind == piece::close))
          text += ' ';
        ++depth;
        text += t.text;
        break;
      case piece::close:
        --depth;
        text += t.text;
        break;
      case piece::comma: text += depth == 0 ? "," : ", "; break;
      case piece::semi: text += "; "; break;
      case piece::binary: text += " " + (t.text == "~=" ? std::string("!=") : t.text) + " "; break;
      case piece::unary: text += t.text == "~" ? "!" : t.text; break;
      default: text += t.text; break;
    }
  }
  return text;
}

std::string_view assert_arguments_source(std::string_view line, std::size_t open) {
  if (open >= line.size() || line[open] != '(') return {};
  int depth = 0;
  char quote = '\0';
  for (std::size_t i = open; i < line.size(); ++i) {
    const char c = line[i];
    if (quote) {
      if (c == quote) quote = '\0';
      continue;
    }
    if (c == '"') {
      quote = c;
    } else if (c == '\'') {
      // A quote after a name, a closing bracket or a quote is a transpose.
      std::size_t p = i;
      while (p > 0 && line[p - 1] == ' ') --p;
      const char b = p > 0 ? line[p - 1] : '\0';
      if (!(name_char(b) || b == ')' || b == ']' || b == '}' || b == '.' || b == '\'')) quote = c;
    } else if (c == '(' || c == '[' || c == '{') {
      ++depth;
    } else if (c == ')' || c == ']' || c == '}') {
      if (--depth == 0) return line.substr(open + 1, i - open - 1);
    } else if (c == '%' && depth > 0) {
      break;
    }
  }
  return {};
}
