// Nesting of ( ), [ ] and { } while text or tokens are walked.
//
// A pair closes whichever of its two characters came first, so one tracker serves a
// left-to-right and a right-to-left walk. Brackets nest at most 39 deep: the push
// that would reach depth 40 ends the run with a fatal error.
#pragma once
#include <string_view>

class brackets_t {
 public:
  static constexpr int MAX_NESTING = 40;

  // Pops the innermost entry when c pairs with it, else pushes c when it is a
  // bracket; other characters change nothing. Returns the new depth.
  int feed(int c);
  // Feeds the last character of text; an empty text changes nothing.
  int feed_last(std::string_view text);
  int innermost() const;   // the innermost bracket, -1 at depth 0
  int depth() const { return d_; }
  void clear() { d_ = 0; }

 private:
  char stack_[MAX_NESTING] = {};
  int d_ = 0;
};
