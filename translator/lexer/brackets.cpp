#include "lexer/brackets.h"

#include "driver/diag.h"

namespace {

bool is_bracket(int c) {
  return c == '(' || c == ')' || c == '[' || c == ']' || c == '{' || c == '}';
}

// True when a and b are the two characters of one pair, in either order.
bool pairs(int a, int b) {
  auto one = [](int x, int y) { return (x == '(' && y == ')') || (x == '[' && y == ']') ||
                                       (x == '{' && y == '}'); };
  return one(a, b) || one(b, a);
}

}  // namespace

int brackets_t::feed(int c) {
  if (d_ > 0 && pairs(stack_[d_ - 1], c)) {
    --d_;
    KASSERT("BRACKETS", d_ >= 0);
    return d_;
  }
  if (!is_bracket(c)) return d_;
  if (d_ + 1 >= MAX_NESTING)
    diag::error("brackets nested too deeply (d<MAX_NESTING failed in BRACKETS)");
  stack_[d_++] = static_cast<char>(c);
  return d_;
}

int brackets_t::feed_last(std::string_view text) {
  if (text.empty()) return d_;
  return feed(static_cast<unsigned char>(text.back()));
}

int brackets_t::innermost() const { return d_ > 0 ? stack_[d_ - 1] : -1; }
