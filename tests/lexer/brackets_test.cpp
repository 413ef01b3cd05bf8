#include "lexer/brackets.h"

#include <gtest/gtest.h>

#include "driver/diag.h"

namespace {

TEST(Brackets, PairsInEitherDirection) {
  brackets_t b;
  EXPECT_EQ(b.innermost(), -1);
  EXPECT_EQ(b.feed('('), 1);
  EXPECT_EQ(b.feed('['), 2);
  EXPECT_EQ(b.innermost(), '[');
  EXPECT_EQ(b.feed(']'), 1);
  EXPECT_EQ(b.feed(')'), 0);
  EXPECT_EQ(b.feed(')'), 1);   // right-to-left walk
  EXPECT_EQ(b.feed('('), 0);
  EXPECT_EQ(b.feed('('), 1);
  EXPECT_EQ(b.feed(']'), 2);   // a mismatched closer is pushed
  EXPECT_EQ(b.feed('['), 1);
  EXPECT_EQ(b.feed('}'), 2);
  EXPECT_EQ(b.feed('{'), 1);
  for (int c : {int('a'), int(','), int(';'), 0, -1, 255, int('<')}) EXPECT_EQ(b.feed(c), 1);
  EXPECT_EQ(b.feed_last(""), 1);
  EXPECT_EQ(b.feed_last("x)"), 0);
  EXPECT_EQ(b.depth(), 0);
}

TEST(Brackets, NestAtMostThirtyNineDeep) {
  diag::set_position("", 0);
  brackets_t b;
  for (int i = 0; i < 39; ++i) b.feed(i % 2 ? '[' : '{');
  EXPECT_EQ(b.depth(), 39);
  EXPECT_EQ(b.feed('x'), 39);
  EXPECT_EXIT(b.feed('('), testing::ExitedWithCode(1), "d<MAX_NESTING");
  EXPECT_EQ(b.feed('}'), 38);
}

}  // namespace
