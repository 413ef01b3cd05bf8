// Text output of matrices and cells: the display statement, disp, the printf
// family and the number-to-text conversions. Expected texts come from the
// reference interpreter's output for the same values.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>
#include <string>

#include "gridlib.h"
#include "ends.h"

namespace {

typedef M<m_type> Mt;
typedef M<M<m_type>> Ct;

// A rows x cols real matrix from values given row by row.
Mt mat(std::size_t rows, std::size_t cols, std::initializer_list<double> v) {
  Mt m = Mt::alloc(rows, cols);
  m_type* p = m.pr();
  std::size_t k = 0;
  for (double d : v) {
    p[(k % cols) * rows + k / cols] = m_type(d);
    ++k;
  }
  return m;
}

Mt str(const std::string& s) {
  Mt m = Mt::alloc(s.empty() ? 0 : 1, s.size());
  for (std::size_t k = 0; k < s.size(); ++k) m.pr()[k] = m_type(static_cast<unsigned char>(s[k]));
  m.set_flags(grl::F_STRING);
  return m;
}

// A cell of the given elements, column by column.
Ct cell(std::size_t rows, std::size_t cols, std::initializer_list<Mt> e) {
  Ct c;
  c.rows_ = std::uint32_t(rows);
  c.cols_ = std::uint32_t(cols);
  c.cb_ = std::make_shared<grl::cellblock<m_type>>();
  c.cb_->e.assign(e.begin(), e.end());
  return c;
}

TEST(TextDisplay, NumbersLogicalsCharsAndEmpties) {
  EXPECT_EQ(grl::display_text(Mt(5), "x"), "x = 5\n");
  EXPECT_EQ(grl::display_text(mat(2, 2, {1, 2, 3, 4}), "x"), "x =\n\n   1   2\n   3   4\n\n");
  EXPECT_EQ(grl::display_text(Mt::zeros(0, 3), "x"), "x = [](0x3)\n");
  Mt c = Mt::cplx(1, 2);
  EXPECT_EQ(grl::display_text(c, "z"), "z =  1 + 2i\n");
  Mt l = mat(2, 2, {1, 1, 1, 1});
  l.set_flags(grl::F_LOGICAL);
  EXPECT_EQ(grl::display_text(l, "x"), "x =\n\n  1  1\n  1  1\n\n");
  EXPECT_EQ(grl::display_text(str("ab"), "x"), "x = ab\n");
  EXPECT_EQ(grl::display_text(Mt(1.5), nullptr), "ans = 1.5000\n");
}

TEST(TextDisplay, ComplexRowKeepsZeroImaginaryParts) {
  Mt z = mat(1, 2, {1, 3});
  z.pi()[0] = 2;
  z.pi()[1] = 0;
  EXPECT_EQ(grl::display_text(z, "x"), "x =\n\n   1 + 2i   3 + 0i\n\n");
}

TEST(TextDisplay, CellsNestTheirElements) {
  Ct c = cell(1, 2, {Mt(1), str("a")});
  EXPECT_EQ(grl::display_text(c, "x"), "x =\n{\n  [1,1] = 1\n  [1,2] = a\n}\n\n");
  EXPECT_EQ(grl::disp_text(c), "{\n  [1,1] = 1\n  [1,2] = a\n}\n");
  EXPECT_EQ(grl::display_text(Ct(), "e"), "e = {}(0x0)\n");
}

// A handle prints as @name and tells its class; indexing it calls it, through the
// program's dispatcher of named functions (none here) or the library's own table; a
// name in neither fails with Octave's message.
TEST(TextDisplay, FunctionHandles) {
  Mt h("f", 0, 0);
  h = grl::handle(str("sin"));
  EXPECT_EQ(grl::display_text(h, "f"), "f = @sin\n");
  EXPECT_EQ(grl::disp_text(h), "@sin\n");
  EXPECT_EQ(grl::text_of(class_M(h)), "function_handle");
  EXPECT_EQ(grl::text_of(class_M(str("sin"))), "char");
  const Mt r = h(1.0).value();
  EXPECT_DOUBLE_EQ(double(r.cre()[0]), std::sin(1.0));
  Mt u("u", 0, 0);
  u = grl::handle(str("no_such_fn"));
  EXPECT_ENDS(u(1.0).value(), testing::ExitedWithCode(1),
              "error: invalid function handle, unable to find function for @no_such_fn");
  Mt s("s", 0, 0);
  s = str("sin");
  EXPECT_EQ(grl::text_of(s(1.0).value()), "s");
}

TEST(TextDisplay, ShowAndDispWriteToStandardOutput) {
  testing::internal::CaptureStdout();
  grl::show(mat(1, 2, {1.5, 2}), "v");
  disp(mat(1, 2, {1.5, 2}));
  disp(str("hello"));
  grl::quiet q = disp(Mt());
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "v =\n\n   1.5000   2.0000\n\n   1.5000   2.0000\nhello\n[](0x0)\n");
  EXPECT_TRUE(q.isempty());
}

// The translator displays a structure member by member, its heading lines ended by
// endl: the same statement text as generated code, which must compile and print.
TEST(TextDisplay, StructureHeadingsEndWithEndl) {
  struct { Mt a; } s{Mt(1)};
  testing::internal::CaptureStdout();
  gridlibout<<"s"<<" (structure)"<<endl; gridlibout<<"  a"<<" ="; disp(s.a);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "s (structure)\n  a =1\n");
}

}  // namespace

namespace {

std::string text(const Mt& m) { return grl::text_of(m); }

// Rows of a char matrix, one string each.
std::vector<std::string> rows_of(const Mt& m) {
  std::vector<std::string> out(m.rows());
  for (std::size_t r = 0; r < m.rows(); ++r)
    for (std::size_t c = 0; c < m.cols(); ++c) out[r] += char(int(m.cre()[c * m.rows() + r]));
  return out;
}

const double inf = 1.0 / 0.0, nan = 0.0 / 0.0;

TEST(TextSprintf, IntegerConversionsOfNonIntegersUseGForm) {
  EXPECT_EQ(text(sprintf(str("%d"), 3.14159265358979)), "3.14159");
  EXPECT_EQ(text(sprintf(str("%d"), 1.5)), "1.5");
  EXPECT_EQ(text(sprintf(str("%d"), 1e10 + 0.5)), "1e+10");
  EXPECT_EQ(text(sprintf(str("%d"), 1e15)), "1000000000000000");
  EXPECT_EQ(text(sprintf(str("%d"), 2e20)), "2e+20");
  EXPECT_EQ(text(sprintf(str("%5d|"), 1.5)), "  1.5|");
  EXPECT_EQ(text(sprintf(str("%-8.3d|"), 1.5)), "1.5     |");
  EXPECT_EQ(text(sprintf(str("%08d"), 1.5)), "000001.5");
  EXPECT_EQ(text(sprintf(str("%8.2d|"), 123.456)), " 1.2e+02|");
  EXPECT_EQ(text(sprintf(str("%x|%o|%u|%X"), 255, 8, -3, 255)), "ff|10|-3|FF");
  EXPECT_EQ(text(sprintf(str("%x"), -1.5)), "-1.5");
  EXPECT_EQ(text(sprintf(str("%d"), -9223372036854775808.0)), "-9223372036854775808");
  EXPECT_EQ(text(sprintf(str("%d"), 18446744073709551616.0)), "1.84467e+19");
  EXPECT_EQ(text(sprintf(str("%u"), 1e19)), "10000000000000000000");
  EXPECT_EQ(text(sprintf(str("%.2d"), 5)), "05");
  EXPECT_EQ(text(sprintf(str("%5.d"), 1.5)), "    2");
  EXPECT_EQ(text(sprintf(str("%ld|%hd|%i"), 1, 2, 2.5)), "1|2|2.5");
}

TEST(TextSprintf, InfAndNaNAreWordsWithTheFieldWidth) {
  EXPECT_EQ(text(sprintf(str("%5.2f|"), inf, -inf, nan)), "  Inf| -Inf|  NaN|");
  EXPECT_EQ(text(sprintf(str("%d|"), inf, -inf, nan)), "Inf|-Inf|NaN|");
  EXPECT_EQ(text(sprintf(str("%05d|%-6d|"), inf, nan)), "  Inf|NaN   |");
  EXPECT_EQ(text(sprintf(str("%+f|%-+6.1f|%.2f|"), inf, inf, nan)), "+Inf|+Inf  |NaN|");
  EXPECT_EQ(text(sprintf(str("%c|%s"), inf, nan)), "Inf|NaN");
}

TEST(TextSprintf, StringsAndCharacters) {
  EXPECT_EQ(text(sprintf(str("%s"), 65)), "A");
  EXPECT_EQ(text(sprintf(str("%c"), 72)), "H");
  EXPECT_EQ(text(sprintf(str("%c"), 1.5)), "1.5");
  EXPECT_EQ(text(sprintf(str("%d"), str("ab"))), "9798");
  EXPECT_EQ(text(sprintf(str("%s|"), str("ab"), str("cd"))), "ab|cd|");
  EXPECT_EQ(text(sprintf(str("%d|%s|"), str("ab"))), "97|b|");
  EXPECT_EQ(text(sprintf(str("%c|"), str("abc"))), "a|b|c|");
  EXPECT_EQ(text(sprintf(str("%s=%d "), str("a"), 1, str("bc"), 2)), "a=1 bc=2 ");
  EXPECT_EQ(text(sprintf(str("%5.1s|%.3s|"), str("abc"), str("abcdef"))), "    a|abc|");
  EXPECT_EQ(text(sprintf(str("%-5s|%5s|"), str("ab"), str("cd"))), "ab   |   cd|");
  EXPECT_EQ(text(sprintf(str("%s"), mat(1, 2, {72, 105}))), "Hi");
  Mt two = mat(2, 2, {'a', 'b', 'c', 'd'});
  two.set_flags(grl::F_STRING);
  EXPECT_EQ(text(sprintf(str("%s"), two)), "acbd");
  EXPECT_EQ(text(sprintf(str("%5s|%-3c|"), str(""), str(""))), "     |   |");
  Mt nul = sprintf(str("%c"), 0);
  ASSERT_EQ(nul.numel(), 1u);
  EXPECT_EQ(nul.cre()[0], 0);
}

TEST(TextSprintf, FormatIsRecycledAndStopsWhenDataRunsOut) {
  EXPECT_EQ(text(sprintf(str("a%db%dc"), 1, 2, 3)), "a1b2ca3b");
  EXPECT_EQ(text(sprintf(str("%d, "), mat(1, 3, {1, 2, 3}))), "1, 2, 3, ");
  EXPECT_EQ(text(sprintf(str("%d %d\\n"), mat(2, 2, {1, 2, 3, 4}))), "1 3\n2 4\n");
  EXPECT_EQ(text(sprintf(str("%d"), mat(1, 2, {1, 2}), mat(2, 1, {3, 4}))), "1234");
  EXPECT_EQ(text(sprintf(str("%s-%s"), str("a"))), "a-");
  EXPECT_EQ(text(sprintf(str("%d %s"), 1, str("ab"), 2)), "1 ab2 ");
  EXPECT_EQ(text(sprintf(str("abc"), 1, 2)), "abc");
  EXPECT_EQ(text(sprintf(str("%*d|"), 5, 3)), "    3|");
  EXPECT_EQ(text(sprintf(str("%*.*f|"), 8, 3, 3.14159265358979)), "   3.142|");
  EXPECT_EQ(text(sprintf(str("%*d|%d"), 5, 3, 4, 6)), "    3|4");
  EXPECT_EQ(text(sprintf(str("%*d|"), 5)), "");
}

TEST(TextSprintf, EmptyAndMissingArguments) {
  EXPECT_EQ(text(sprintf(str("%d|"))), "");
  EXPECT_EQ(text(sprintf(str("abc%d"))), "abc");
  EXPECT_EQ(text(sprintf(str("%d|"), Mt())), "|");
  EXPECT_EQ(text(sprintf(str("%d|"), Mt(), 5)), "|5|");
  EXPECT_EQ(text(sprintf(str("%s|"), str(""), str("a"))), "|a|");
  EXPECT_EQ(text(sprintf(str("x%sy%dz"), str(""), 3)), "xy3z");
  EXPECT_EQ(text(sprintf(str("%d %s\\n"), Mt())), " ");
  EXPECT_EQ(text(sprintf(str("%d|"), junk_t(), 4)), "4|");
  Mt e = sprintf(str(""));
  EXPECT_EQ(e.rows(), 1u);
  EXPECT_EQ(e.cols(), 0u);
  EXPECT_TRUE(e.ischar());
}

TEST(TextSprintf, EscapesAndPercent) {
  EXPECT_EQ(text(sprintf(str("100%%"))), "100%");
  EXPECT_EQ(text(sprintf(str("a\\tb\\\\c\\n"))), "a\tb\\c\n");
  EXPECT_EQ(text(sprintf(str("\\x41\\101\\x4G"))), "AA\x04G");
  EXPECT_EQ(text(sprintf(str("\\a\\r\\v\\f\\b"))), "\a\r\v\f\b");
  EXPECT_EQ(text(sprintf(str("%s"), str("a\\nb"))), "a\\nb");  // arguments keep their backslashes
  EXPECT_EQ(text(sprintf(str("%%d"), 1)), "%d");
  EXPECT_EQ(text(sprintf(str("%#x|%#o|% d|%+d"), 255, 8, 5, 5)), "0xff|010| 5|+5");
}

TEST(TextSprintf, ComplexArgumentsPrintTheirRealParts) {
  Mt z = mat(1, 2, {1, 3});
  z.pi()[0] = 2;
  EXPECT_EQ(text(sprintf(str("%f|"), z)), "1.000000|3.000000|");
}

TEST(TextSprintfDeath, BadFormatsAndArguments) {
  EXPECT_ENDS(sprintf(str("abc%")), testing::ExitedWithCode(1), "error: sprintf: invalid format specified");
  EXPECT_ENDS(sprintf(str("%y"), 5), testing::ExitedWithCode(1), "error: sprintf: invalid format specified");
  EXPECT_ENDS(sprintf(str("%lf"), 5), testing::ExitedWithCode(1), "error: sprintf: invalid format specified");
  EXPECT_ENDS(sprintf(Mt(1)), testing::ExitedWithCode(1), "error: sprintf: format TEMPLATE must be a string");
  EXPECT_ENDS(sprintf(str("%*d"), 1.5, 3), testing::ExitedWithCode(1),
              "error: sprintf: invalid field width, must be integer >= 0 and <= INT_MAX");
  EXPECT_ENDS(sprintf(str("%d"), cell(1, 1, {Mt(1)})), testing::ExitedWithCode(1),
              "error: sprintf: wrong type argument 'cell'");
  EXPECT_ENDS(fprintf(Mt(7), str("x")), testing::ExitedWithCode(1), "error: fprintf: invalid stream number = 7");
  EXPECT_ENDS(fprintf(Mt(65)), testing::ExitedWithCode(1), "error: Invalid call to fprintf");
}

TEST(TextFprintf, WritesToStandardOutputAndCountsBytes) {
  testing::internal::CaptureStdout();
  fprintf(str("%d\\n"), 5);
  fprintf(str("hello\\n"));
  fprintf(Mt(1), str("a%db\\n"), 3);
  grl::quiet n = fprintf(str("abc\\n"));
  fprintf(str("%d %d\\n"), mat(1, 3, {1, 2, 3}));
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "5\nhello\na3b\nabc\n1 2\n3 ");
  EXPECT_EQ(double(n.cre()[0]), 4);
  testing::internal::CaptureStderr();
  fprintf(Mt(2), str("to err %s\\n"), str("x"));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "to err x\n");
}

TEST(TextNum2str, Scalars) {
  EXPECT_EQ(text(num2str(3.14159265358979)), "3.1416");
  EXPECT_EQ(text(num2str(-3.14159265358979)), "-3.1416");
  EXPECT_EQ(text(num2str(5)), "5");
  EXPECT_EQ(text(num2str(123456789)), "123456789");
  EXPECT_EQ(text(num2str(1e10)), "10000000000");
  EXPECT_EQ(text(num2str(1e15)), "1000000000000000");
  EXPECT_EQ(text(num2str(1e16)), "1e+16");
  EXPECT_EQ(text(num2str(0.1)), "0.1");
  EXPECT_EQ(text(num2str(1e-5)), "1e-05");
  EXPECT_EQ(text(num2str(99999.5)), "99999.5");
  EXPECT_EQ(text(num2str(123456.789)), "123456.789");
  EXPECT_EQ(text(num2str(0.000123456)), "0.00012346");
  EXPECT_EQ(text(num2str(123456789012.5)), "123456789012.5");
  EXPECT_EQ(text(num2str(inf)), "Inf");
  EXPECT_EQ(text(num2str(-inf)), "-Inf");
  EXPECT_EQ(text(num2str(nan)), "NaN");
  EXPECT_EQ(text(num2str(-0.0)), "-0");
  EXPECT_EQ(text(num2str(str("abc"))), "abc");
  Mt e = num2str(Mt());
  EXPECT_TRUE(e.isempty());
  EXPECT_TRUE(e.ischar());
}

TEST(TextNum2str, MatricesAlignColumnsAndTrimCommonBlanks) {
  EXPECT_EQ(text(num2str(mat(1, 3, {1, 2, 3}))), "1  2  3");
  EXPECT_EQ(text(num2str(mat(1, 3, {1, -2, 3}))), "1 -2  3");
  EXPECT_EQ(rows_of(num2str(mat(2, 2, {10, 200, 3, 4}))), (std::vector<std::string>{"10  200", " 3    4"}));
  EXPECT_EQ(rows_of(num2str(mat(2, 2, {1.5, 2.25, 3, 4}))),
            (std::vector<std::string>{"1.5        2.25", "  3           4"}));
  EXPECT_EQ(rows_of(num2str(mat(2, 1, {3.14159265358979, -2.71828182845905}))),
            (std::vector<std::string>{" 3.1416", "-2.7183"}));
  EXPECT_EQ(text(num2str(mat(1, 3, {1, nan, inf}))), "1  NaN  Inf");
  EXPECT_EQ(text(num2str(mat(1, 2, {12345, inf}))), "12345    Inf");
  EXPECT_EQ(text(num2str(mat(1, 2, {-inf, 1}))), "-Inf    1");
  EXPECT_EQ(text(num2str(mat(1, 2, {1.5, nan}))), "1.5         NaN");
  EXPECT_EQ(text(num2str(mat(1, 2, {1.5, -10.5}))), "1.5        -10.5");
  EXPECT_EQ(text(num2str(mat(1, 2, {0.001, 1000}))), "0.001           1000");
  EXPECT_EQ(text(num2str(mat(1, 2, {1e10, 1}))), "10000000000            1");
  EXPECT_EQ(rows_of(num2str(mat(3, 1, {1, 2, 3}))), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(TextNum2str, PrecisionAndFormat) {
  EXPECT_EQ(text(num2str(3.14159265358979, Mt(8))), "3.1415927");
  EXPECT_EQ(text(num2str(3.14159265358979, Mt(0))), "3");
  EXPECT_EQ(text(num2str(3.141592653589793, Mt(20))), "3.141592653589793116");
  EXPECT_EQ(text(num2str(123.456, Mt(2))), "1.2e+02");
  EXPECT_EQ(text(num2str(mat(1, 2, {3.14159265358979, 2.71828182845905}), Mt(3))), "3.14      2.72");
  EXPECT_EQ(rows_of(num2str(mat(2, 2, {1.5, -2.25, 30, 4}), Mt(3))),
            (std::vector<std::string>{"1.5     -2.25", " 30         4"}));
  EXPECT_EQ(text(num2str(3.14159265358979, str("%10.5f"))), "3.14159");
  EXPECT_EQ(text(num2str(mat(1, 3, {1, 2, 3}), str("%d,"))), "1,2,3,");
  EXPECT_EQ(rows_of(num2str(mat(2, 2, {1, 2, 3, 4}), str("%d"))), (std::vector<std::string>{"12", "34"}));
  EXPECT_EQ(rows_of(num2str(mat(2, 2, {1, 2, 3, 4}), str("%d\\n"))),
            (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(text(num2str(mat(1, 3, {1, 2, 3}), str("%5.1f"))), "1.0  2.0  3.0");
  EXPECT_EQ(text(num2str(65, str("%c"))), "A");
}

TEST(TextNum2str, ComplexScalars) {
  EXPECT_EQ(text(num2str(Mt::cplx(3, 4))), "3+4i");
  EXPECT_EQ(text(num2str(Mt::cplx(-1, -2))), "-1-2i");
  EXPECT_EQ(text(num2str(Mt::cplx(1.5, 2))), "1.5+2i");
  EXPECT_EQ(text(num2str(Mt::cplx(1, 0))), "1+0i");
}

TEST(TextInt2str, RoundsHalfAwayFromZero) {
  EXPECT_EQ(text(int2str(2.5)), "3");
  EXPECT_EQ(text(int2str(-2.5)), "-3");
  EXPECT_EQ(text(int2str(-0.4)), "-0");
  EXPECT_EQ(text(int2str(nan)), "NaN");
  EXPECT_EQ(text(int2str(mat(1, 3, {inf, -inf, 2}))), "Inf -Inf    2");
  EXPECT_EQ(rows_of(int2str(mat(2, 2, {1.2, 3.7, -4.5, 10}))), (std::vector<std::string>{" 1   4", "-5  10"}));
  EXPECT_EQ(text(int2str(Mt::cplx(2, 3))), "2");
  EXPECT_TRUE(int2str(Mt()).isempty());
}

TEST(TextMat2str, Literals) {
  EXPECT_EQ(text(mat2str(mat(2, 2, {1, 2, 3, 4}))), "[1 2;3 4]");
  EXPECT_EQ(text(mat2str(3.14159265358979)), "3.14159265358979");
  EXPECT_EQ(text(mat2str(mat(1, 2, {3.14159265358979, 2.71828182845905}), Mt(4))), "[3.142 2.718]");
  EXPECT_EQ(text(mat2str(Mt())), "[]");
  EXPECT_EQ(text(mat2str(mat(2, 1, {1, 2}))), "[1;2]");
  EXPECT_EQ(text(mat2str(mat(1, 3, {nan, inf, -inf}))), "[NaN Inf -Inf]");
  EXPECT_EQ(text(mat2str(1.0 / 3)), "0.333333333333333");
  EXPECT_EQ(text(mat2str(1e20)), "1e+20");
  Mt l = mat(2, 2, {1, 0, 0, 1});
  l.set_flags(grl::F_LOGICAL);
  EXPECT_EQ(text(mat2str(l)), "[true false;false true]");
  Mt z = mat(1, 2, {1, 3});
  z.pi()[0] = 2;
  z.pi()[1] = -4;
  EXPECT_EQ(text(mat2str(z)), "[1+2i 3-4i]");
  EXPECT_EQ(text(mat2str(Mt::cplx(-0.0, -1))), "-0-1i");
  EXPECT_EQ(text(mat2str(Mt::cplx(nan, nan))), "NaN+NaNi");
  // MATLAB writes text as a quoted literal (the reference interpreter refuses text).
  EXPECT_EQ(text(mat2str(str("it's"))), "'it''s'");
  EXPECT_EQ(text(mat2str(mat(2, 1, {'a', 'b'}))), "[97;98]");
}

TEST(TextMat2strDeath, BadPrecision) {
  EXPECT_ENDS(mat2str(Mt(1), Mt(-1)), testing::ExitedWithCode(1), "error: mat2str: N must be a positive integer");
  EXPECT_ENDS(num2str(Mt(1), Mt(1.5)), testing::ExitedWithCode(1),
              "error: num2str: PREC must be a scalar integer >= 0");
}

}  // namespace
