// Building strings: shapes of empty results and the trimming rules.
#include <gtest/gtest.h>

#define GRLIB 0
#include "gridlib.h"

typedef M<double> MD;

namespace {
MD str(const char* s) { return grl::str_M(s); }
std::string txt(const MD& m) { return grl::text_of(m); }
}  // namespace

TEST(StrBuild, JoinAndStack) {
  EXPECT_EQ(txt(strcat_M(str("a "), str("b "), str(" c"))), "ab c");
  MD v = strvcat(str("ab"), str(""), str("cde"));
  ASSERT_EQ(v.rows(), 2u);
  ASSERT_EQ(v.cols(), 3u);
  EXPECT_EQ(v.cre()[4], double(' '));    // row 1 padded
  MD c = char_M(str("ab"), str(""), str("c"));
  EXPECT_EQ(c.rows(), 3u);
  EXPECT_TRUE(char_M(MD(65.0)).ischar());
  EXPECT_FALSE(double_M(str("A")).ischar());
  EXPECT_EXIT(strcat_M(MD::zeros(3, 1), MD::zeros(2, 2)), testing::ExitedWithCode(1), "same number of rows");
}

TEST(StrBuild, TrimCaseAndJustify) {
  MD b = blanks(MD(0.0));
  EXPECT_EQ(b.rows(), 1u);
  EXPECT_EQ(b.cols(), 0u);
  EXPECT_EQ(txt(blanks(MD(3.0))), "   ");
  EXPECT_EXIT(blanks(MD(-1.0)), testing::ExitedWithCode(1), "blanks: N must be a non-negative integer");
  EXPECT_EQ(txt(deblank(str("  a b \t"))), "  a b");
  EXPECT_EQ(txt(strtrim(str("\t a b  "))), "a b");
  EXPECT_EQ(strtrim(str("   ")).cols(), 0u);
  EXPECT_EQ(txt(upper(str("aBc1"))), "ABC1");
  EXPECT_EQ(txt(lower(str("aBc1"))), "abc1");
  EXPECT_EQ(upper(MD(97.0)).cre()[0], 97.0);      // numbers are left alone
  EXPECT_EQ(txt(strjust(str("a  "))), "  a");
  EXPECT_EQ(txt(strjust(str(" a  "), str("center"))), " a  ");
}
