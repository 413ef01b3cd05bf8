// int64 and uint64 beyond 2^53: the exact elements a value carries beside its doubles,
// kept by the class-aware paths and never shown once code that knows nothing of classes
// has written the doubles; and the text functions Octave does not write exactly.
#include <string>

#include "gridlib.h"
#include "gridlib_text.h"
#include "values.h"

#include <gtest/gtest.h>

using namespace gridlib_test;

namespace {

std::string text(const Mt& x) { return grl::text_of(x); }
std::string as_d(const Mt& x) { return text(num2str(x, str("%d"))); }
std::string as_u(const Mt& x) { return text(num2str(x, str("%u"))); }
Mt i64(double v) { return int64(Mt(v)); }
Mt u64(double v) { return uint64(Mt(v)); }
Mt big() { return grl::elementwise(grl::op_add, power(i64(2), Mt(60.0)), i64(3)); }   // 2^60 + 3

TEST(Int64, LimitsAndSaturationAreExact) {
  EXPECT_EQ(as_d(intmax(str("int64"))), "9223372036854775807");
  EXPECT_EQ(as_d(intmin(str("int64"))), "-9223372036854775808");
  EXPECT_EQ(as_u(u64(18446744073709551615.0)), "18446744073709551615");
  // %d of a uint64 above int64's range takes %g form, as Octave writes it.
  EXPECT_EQ(as_d(u64(18446744073709551615.0)), "1.84467e+19");
  EXPECT_EQ(as_d(grl::elementwise(grl::op_sub, intmax(str("int64")), Mt(1.0))), "9223372036854775806");
  EXPECT_EQ(as_d(grl::elementwise(grl::op_mul, big(), Mt(16.0))), "9223372036854775807");
  EXPECT_EQ(as_d(grl::negate(intmin(str("int64")))), "9223372036854775807");
  EXPECT_EQ(as_d(int64(uint64(intmax(str("uint64"))))), "9223372036854775807");
}

TEST(Int64, StaleExactElementsAreNeverShown) {
  // Code that writes the doubles through pr() or .r drops the exact elements.
  Mt x = big();
  ASSERT_EQ(as_d(x), "1152921504606846979");
  x.pr()[0] = 5;
  EXPECT_EQ(as_d(x), "5");
  Mt y = big();
  y.r = 7;
  EXPECT_EQ(as_d(y), "7");
  // A copy shares them; a write to the copy leaves the original exact.
  Mt z = big(), w = z;
  w.pr()[0] = 1;
  EXPECT_EQ(as_d(z), "1152921504606846979");
  // A change of class through set_flags drops them too.
  Mt d = big();
  d.set_flags(0);
  EXPECT_EQ(as_d(d), "1152921504606846976");
}

TEST(Int64, IndexingAndJoiningKeepEveryDigit) {
  Mt x = big();
  Mt x2 = grl::elementwise(grl::op_add, x, Mt(1.0));
  Mt row2 = (BR_(x), x2).value();
  EXPECT_EQ(as_d(row2(grl::ix<m_type>(2.0))), "1152921504606846980");
  Mt grown = row2;
  grown(grl::ix<m_type>(4.0)) = x2;     // growth fills 0 and keeps the others
  EXPECT_EQ(text(mat2str(grown)), "[1152921504606846979 1152921504606846980 0 1152921504606846980]");
  grown(grl::ix<m_type>(1.0)) = nop_M;
  EXPECT_EQ(text(mat2str(grown)), "[1152921504606846980 0 1152921504606846980]");
}

TEST(Int64, TextFunctionsWriteEveryDigit) {
  // MATLAB writes these in full; Octave's num2str, int2str and mat2str pass the value
  // through a double (1.152921504606847e+18).
  EXPECT_EQ(text(num2str(big())), "1152921504606846979");
  EXPECT_EQ(text(int2str(intmax(str("uint64")))), "18446744073709551615");
  EXPECT_EQ(text(mat2str(grl::negate(big()))), "-1152921504606846979");
  EXPECT_EQ(text(num2str(i64(-42))), "-42");
}

TEST(Int64, SmallValuesCarryNoExactCopy) {
  // Values within 2^53 are exact as doubles: no second array is made for them.
  Mt x = grl::elementwise(grl::op_mul, i64(3), Mt(4.0));
  EXPECT_EQ(x.x64_, nullptr);
  EXPECT_NE(big().x64_, nullptr);
}

}  // namespace
