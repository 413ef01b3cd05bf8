#include "lexer/misc.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "driver/diag.h"

bool is_arithmetic(int c) { return c > 0 && c < 256 && std::strchr("+-*/\\^'", c) != nullptr; }

bool is_relational(int c) { return c > 0 && c < 256 && std::strchr("<>~!=", c) != nullptr; }

bool is_two_char_op(int c1, int c2) {
  if (is_newline(c1)) return false;
  if (c1 == '.') return is_arithmetic(c2);
  if (is_relational(c1) && is_relational(c2)) return !(c1 == '=' && c2 == '~');
  return (c1 == '&' && c2 == '&') || (c1 == '|' && c2 == '|') || (c1 == '*' && c2 == '*');
}

int operator_kind(std::string_view text) {
  if (text.empty()) return 5;
  const unsigned char last = static_cast<unsigned char>(text.back());
  if (last != 0 && std::strchr("()[]{}=,:'^/\\*+-", last) != nullptr) return last;
  return 5;
}

namespace {

bool ends_input(unsigned char c) { return c == 26 || c == 255; }

}  // namespace

bool minput_t::open(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  assign(all.str());
  return true;
}

void minput_t::assign(std::string text) {
  text_ = std::move(text);
  pos_ = high_ = 0;
  hist_.clear();
  end_ = false;
  lines_ = 0;
  last_line_ = 1;
}

int minput_t::get(bool& fresh) {
  if (hist_.size() >= 2 * kHistory) hist_.erase(hist_.begin(), hist_.begin() + kHistory);
  hist_.push_back(pos_);
  std::size_t p = pos_;
  while (p < text_.size() && text_[p] == '\r') ++p;
  if (p >= text_.size() || ends_input(static_cast<unsigned char>(text_[p]))) {
    // The end is not consumed: every later get reads it again.
    fresh = !end_;
    end_ = true;
    last_line_ = lines_ + 1;
    return '\n';
  }
  last_line_ = lines_ + 1;
  if (text_[p] == '\n') ++lines_;
  pos_ = p + 1;
  fresh = pos_ > high_;
  if (fresh) high_ = pos_;
  return static_cast<unsigned char>(text_[p]);
}

int minput_t::peek() const {
  std::size_t p = pos_;
  while (p < text_.size() && text_[p] == '\r') ++p;
  if (p >= text_.size() || ends_input(static_cast<unsigned char>(text_[p]))) return '\n';
  return static_cast<unsigned char>(text_[p]);
}

void minput_t::unget() {
  KASSERT("MISC", !hist_.empty());
  const std::size_t back = hist_.back();
  hist_.pop_back();
  for (std::size_t i = back; i < pos_; ++i)
    if (text_[i] == '\n') --lines_;
  pos_ = back;
}

int minput_t::column_of(std::size_t pos) const {
  if (pos > text_.size()) pos = text_.size();
  const std::size_t nl = pos == 0 ? std::string::npos : text_.rfind('\n', pos - 1);
  return int(pos - (nl == std::string::npos ? 0 : nl + 1)) + 1;
}

std::string_view minput_t::line_from(std::size_t pos) const {
  if (pos >= text_.size()) return {};
  const std::size_t end = text_.find('\n', pos);
  return std::string_view(text_).substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

std::string_view minput_t::line_text(int line) const {
  std::size_t pos = 0;
  for (int n = 1; n < line; ++n) {
    pos = text_.find('\n', pos);
    if (pos == std::string::npos) return {};
    ++pos;
  }
  return line_from(pos);
}

void minput_t::seek(std::size_t pos) {
  pos_ = pos < text_.size() ? pos : text_.size();
  high_ = pos_;
  hist_.clear();
  end_ = false;
  lines_ = 0;
  for (std::size_t i = 0; i < pos_; ++i)
    if (text_[i] == '\n') ++lines_;
  last_line_ = lines_ + 1;
}
