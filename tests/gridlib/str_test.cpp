// Building strings: shapes of empty results and the trimming rules.
#include <gtest/gtest.h>

#define GRLIB 0
#include "gridlib.h"
#include "ends.h"

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
  EXPECT_ENDS(strcat_M(MD::zeros(3, 1), MD::zeros(2, 2)), testing::ExitedWithCode(1), "same number of rows");
}

TEST(StrBuild, TrimCaseAndJustify) {
  MD b = blanks(MD(0.0));
  EXPECT_EQ(b.rows(), 1u);
  EXPECT_EQ(b.cols(), 0u);
  EXPECT_EQ(txt(blanks(MD(3.0))), "   ");
  EXPECT_ENDS(blanks(MD(-1.0)), testing::ExitedWithCode(1), "blanks: N must be a non-negative integer");
  EXPECT_EQ(txt(deblank(str("  a b \t"))), "  a b");
  EXPECT_EQ(txt(strtrim(str("\t a b  "))), "a b");
  EXPECT_EQ(strtrim(str("   ")).cols(), 0u);
  EXPECT_EQ(txt(upper(str("aBc1"))), "ABC1");
  EXPECT_EQ(txt(lower(str("aBc1"))), "abc1");
  EXPECT_EQ(upper(MD(97.0)).cre()[0], 97.0);      // numbers are left alone
  EXPECT_EQ(txt(strjust(str("a  "))), "  a");
  EXPECT_EQ(txt(strjust(str(" a  "), str("center"))), " a  ");
}

// A negative number is written as its two's complement in the fewest of 8, 16, 32
// or 64 bits; rows of different widths are padded with zeros, not blanks.
TEST(StrBase, TwosComplementAndPadding) {
  EXPECT_EQ(txt(dec2bin(MD(-128.0))), "10000000");
  EXPECT_EQ(txt(dec2bin(MD(-129.0))), "1111111101111111");
  EXPECT_EQ(txt(dec2hex(MD(-1.0))), "FF");
  MD two = MD::alloc(1, 2);
  two.pr()[0] = 1;
  two.pr()[1] = 4;
  const MD rows = dec2bin(two);
  EXPECT_EQ(rows.rows(), 2u);
  EXPECT_EQ(txt(rows), "010010");   // "001" over "100", column by column
  EXPECT_TRUE(dec2bin(MD()).ischar());
  EXPECT_EQ(bin2dec(MD()).numel(), 0u);
  EXPECT_ENDS(dec2bin(MD(1.0), MD(-1.0)), testing::ExitedWithCode(1),
              "error: dec2bin: LEN must be a non-negative integer");
  EXPECT_ENDS(bin2dec(MD(5.0)), testing::ExitedWithCode(1), "error: bin2dec: S must be a string or cellstring");
}
