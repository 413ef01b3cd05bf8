// Text output of matrices and cells: the display statement, disp, the printf
// family and the number-to-text conversions. Expected texts come from the
// reference interpreter's output for the same values.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "gridlib.h"

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

}  // namespace
