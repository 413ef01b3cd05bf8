#include "lexer/tokens.h"

#include <algorithm>
#include <ostream>

#include "driver/diag.h"

namespace {
constexpr const char* kRange = "tokens_t: got token not in range";
constexpr std::size_t kInitialSlots = 64;
}  // namespace

tokens_t::tokens_t() { slots_.reserve(kInitialSlots); }

tokens_t& tokens_t::operator=(const tokens_t& other) {
  if (this == &other) {
    // Assigning a list to itself keeps its tokens and restamps their lines.
    for (int i = 0; i <= top_; ++i) slots_[i].line = diag::current_line();
    return *this;
  }
  clear();
  for (int i = 0; i <= other.top_; ++i) {
    append(other.slots_[i].text, other.slots_[i].kind);
    slots_[top_].column = other.slots_[i].column;
  }
  return *this;
}

void tokens_t::clear() { top_ = -1; }

void tokens_t::reset() {
  clear();
  append("\n", TK_OTHER);
}

void tokens_t::check(int index) const {
  if (index < 0 || index > top_) diag::error(kRange);
}

void tokens_t::store(slot& s, std::string_view text, int kind) {
  s.text.assign(text.data(), text.size());
  s.kind = kind;
  s.line = diag::current_line();
}

void tokens_t::ins(int index, std::string_view text, int kind) {
  if (index < 0 || index > top_ + 1) diag::error("tokens_t::ins: got token not in range");
  if (top_ + 1 >= MAX_TOKENS) diag::error("tokens_t::ins: too many tokens");
  const int new_top = top_ + 1;
  if (static_cast<int>(slots_.size()) <= new_top) slots_.emplace_back();
  // The spare slot at new_top moves down to index; the tokens from index on move up.
  std::rotate(slots_.begin() + index, slots_.begin() + new_top, slots_.begin() + new_top + 1);
  top_ = new_top;
  store(slots_[index], text, kind);
  slots_[index].column = 0;
}

void tokens_t::append(std::string_view text, int kind) { ins(top_ + 1, text, kind); }

void tokens_t::ins_before_last(std::string_view text, int kind) { ins(top_, text, kind); }

void tokens_t::del(int index, int count) {
  if (count <= 0) return;
  check(index);
  if (count > top_ - index + 1) {
    // Deleting past the end: everything from index goes, then the range error.
    top_ = index - 1;
    diag::error(kRange);
  }
  // The deleted slots move behind the last token and become spares.
  std::rotate(slots_.begin() + index, slots_.begin() + index + count, slots_.begin() + top_ + 1);
  top_ -= count;
}

void tokens_t::set(int index, std::string_view text, int kind) {
  check(index);
  store(slots_[index], text, kind);
}

const std::string& tokens_t::gettext(int index) const {
  check(index);
  return slots_[index].text;
}

int tokens_t::kind(int index) const {
  check(index);
  return slots_[index].kind;
}

int tokens_t::line(int index) const {
  check(index);
  return slots_[index].line;
}

int tokens_t::column(int index) const {
  check(index);
  return slots_[index].column;
}

void tokens_t::set_column(int index, int column) {
  check(index);
  slots_[index].column = column;
}

int tokens_t::last_kind() const { return top_ < 0 ? TK_OTHER : slots_[top_].kind; }

bool tokens_t::is_word(int index, std::string_view text) const {
  return index >= 0 && index <= top_ && slots_[index].kind != TK_COMMENT &&
         slots_[index].text == text;
}

bool tokens_t::is_kind(int index, int kind) const {
  return index >= 0 && index <= top_ && slots_[index].kind == kind;
}

int tokens_t::find(std::string_view text) const {
  for (int i = 0; i <= top_; ++i)
    if (slots_[i].text == text) return i;
  return -1;
}

void tokens_t::prefix_m(int index) {
  check(index);
  slot& s = slots_[index];
  if (s.kind == TK_STRING) return;
  s.text.insert(0, 1, 'm');
  s.kind = TK_STRING;
  s.line = diag::current_line();
}

void tokens_t::quote(int index) {
  check(index);
  slot& s = slots_[index];
  if (s.kind == TK_STRING) return;
  s.text.insert(0, 1, '"');
  s.text.push_back('"');
  s.kind = TK_STRING;
  s.line = diag::current_line();
}

void tokens_t::unquote(int index) {
  check(index);
  slot& s = slots_[index];
  if (s.kind != TK_STRING) return;
  if (s.text.size() > 1) {
    s.text.pop_back();
    s.text.erase(0, 1);
  }
  s.kind = TK_WORD;
  s.line = diag::current_line();
}

void tokens_t::debug_print(std::ostream& out) const {
  out << top_ << " TOKENS=@";
  for (int i = 0; i <= top_; ++i) out << slots_[i].text << '#';
  out << "@\n";
}
