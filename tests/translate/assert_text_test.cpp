// The text a failed assert shows: the arguments' source found on the line, and printed
// back in canonical form.
#include <gtest/gtest.h>

#include <string>

#include "translate/assert_text.h"

TEST(AssertText, OperatorsCallsAndListsInCanonicalForm) {
  EXPECT_EQ(assert_arguments_text("x==3"), "x == 3");
  EXPECT_EQ(assert_arguments_text("x(1)*2~=6 || numel(x)>1"), "x (1) * 2 != 6 || numel (x) > 1");
  EXPECT_EQ(assert_arguments_text("~isempty([1 2])"), "!isempty ([1, 2])");
  EXPECT_EQ(assert_arguments_text("isequal([1;2],[1 2])"), "isequal ([1; 2], [1, 2])");
  EXPECT_EQ(assert_arguments_text("-x>0 & x.^2>4"), "-x > 0 & x .^ 2 > 4");
  EXPECT_EQ(assert_arguments_text("c{1}==2"), "c {1} == 2");
  EXPECT_EQ(assert_arguments_text("abs(x-3.0)<1e-6"), "abs (x - 3.0) < 1e-6");
  EXPECT_EQ(assert_arguments_text("s.a==2"), "s.a == 2");
  EXPECT_EQ(assert_arguments_text("x'==2"), "x' == 2");
  EXPECT_EQ(assert_arguments_text("strcmp(class(1),'char')"), "strcmp (class (1), 'char')");
  EXPECT_EQ(assert_arguments_text("1:3==[1 -2 4]"), "1:3 == [1, -2, 4]");
  // assert's own arguments are joined by a comma alone.
  EXPECT_EQ(assert_arguments_text("[1 2],[1 3]"), "[1, 2],[1, 3]");
  EXPECT_EQ(assert_arguments_text("[1 2] , 'a b'"), "[1, 2],'a b'");
}

TEST(AssertText, SourceEndsAtThePartnerBracket) {
  EXPECT_EQ(assert_arguments_source("assert(f(a), 'x)') % c", 6), "f(a), 'x)'");
  EXPECT_EQ(assert_arguments_source("assert(a', b')", 6), "a', b'");
  // A statement continued on the next line has no partner on this one.
  EXPECT_EQ(assert_arguments_source("assert(a, ...", 6), "");
  EXPECT_EQ(assert_arguments_source("assert x", 6), "");
}
