// Indexing, growth, deletion, literals, operators and switch matching of the run-time library.
#include <gtest/gtest.h>

#include "gridlib.h"
#include "ends.h"

#include <vector>

namespace {
typedef M<m_type> Mt;
typedef M<M<m_type>> Mc;

std::vector<double> values(const Mt& m) {
  return std::vector<double>(m.cre(), m.cre() + m.numel());
}
void expect_shape(const Mt& m, std::size_t r, std::size_t c) {
  EXPECT_EQ(m.rows(), r);
  EXPECT_EQ(m.cols(), c);
}

TEST(Index, ReadShapesFollowMatlab) {
  Mt x = (BR(1.0), 2.0, 3.0, semi, 4.0, 5.0, 6.0);
  expect_shape(x, 2, 3);
  EXPECT_EQ(values(x), (std::vector<double>{1, 4, 2, 5, 3, 6}));
  Mt row = (BR(7.0), 8.0, 9.0);
  Mt col = (BR(1.0), semi, 3.0);
  expect_shape(row(col), 1, 2);             // a vector keeps its orientation
  expect_shape(x(row(col) - 6.0), 1, 2);    // a matrix takes the index's shape
  EXPECT_EQ(values(x(c_p)), (std::vector<double>{1, 4, 2, 5, 3, 6}));
  expect_shape(x(c_p), 6, 1);
  EXPECT_EQ(values(x(2.0, c_p)), (std::vector<double>{4, 5, 6}));
  EXPECT_EQ(values(x(x > 3.0)), (std::vector<double>{4, 5, 6}));
  expect_shape(row(row > 7.0), 1, 2);
  EXPECT_EQ(double(x(x.size(1), x.size(2)).value().r), 6);
}

TEST(Index, AssignmentGrowsAndDeletes) {
  Mt q("q", 0, 0);
  q(3.0) = 5.0;                             // [] grows as a row
  EXPECT_EQ(values(q), (std::vector<double>{0, 0, 5}));
  expect_shape(q, 1, 3);
  Mt z = Mt::zeros(2, 3);
  z(3.0, 4.0) = 7.0;
  expect_shape(z, 3, 4);
  EXPECT_EQ(z.cre()[11], 7);
  z(c_p, 1.0) = nop_M;
  expect_shape(z, 3, 3);
  z(2.0, c_p) = nop_M;
  expect_shape(z, 2, 3);
  Mt v = (BR(1.0), 2.0, 3.0, 4.0);
  v((BR(1.0), 3.0)) = nop_M;
  EXPECT_EQ(values(v), (std::vector<double>{2, 4}));
  Mt e;
  e(c_p, 1.0) = (BR(1.0), semi, 2.0, semi, 3.0);   // ":" over an empty dimension
  expect_shape(e, 3, 1);
  Mt s = TM("abc");
  s(2.0) = 65.0;                            // a string stays a string
  EXPECT_TRUE(s.ischar());
  EXPECT_EQ(s.cre()[1], 65);
}

TEST(Index, FaultsUseOctaveWording) {
  Mt x("x", 0, 0);
  x = (BR(1.0), 2.0, 3.0);
  EXPECT_ENDS(x(5.0).value(), testing::ExitedWithCode(1), "error: x\\(5\\): out of bound 3 \\(dimensions are 1x3\\)");
  EXPECT_ENDS(x(0.0).value(), testing::ExitedWithCode(1), "x\\(0\\): subscripts must be either integers 1 to");
  EXPECT_ENDS(x(2.0, 1.5).value(), testing::ExitedWithCode(1), "x\\(_,1.5\\): subscripts");
  EXPECT_ENDS(x((BR(1.0), 2.0)) = (BR(1.0), 2.0, 3.0), testing::ExitedWithCode(1),
              "=: nonconformant arguments \\(op1 is 2x1, op2 is 1x3\\)");
  EXPECT_ENDS(Mt((BR(1.0), 2.0, semi, 3.0)), testing::ExitedWithCode(1),
              "vertical dimensions mismatch \\(1x2 vs 1x1\\)");
  EXPECT_ENDS(x + (BR(1.0), 2.0), testing::ExitedWithCode(1),
              "operator \\+: nonconformant arguments \\(op1 is 1x3, op2 is 1x2\\)");
}

TEST(Literal, StringsNumbersAndEmpties) {
  Mt t = (BR(TM("ab")), nop_M, TM("c"));
  EXPECT_TRUE(t.ischar());
  expect_shape(t, 1, 3);
  Mt n = (BR(TM("")), 65.0);
  EXPECT_TRUE(n.ischar());
  Mt l = (BR(Mt(1.0) > 0.0), Mt(0.0) > 1.0);
  EXPECT_TRUE(l.islogical());
  Mt m = (BR(1.0), Mt(1.0) > 0.0);
  EXPECT_FALSE(m.islogical());
  EXPECT_EQ(values(colon(1.0, 0.5, 3.0)), (std::vector<double>{1, 1.5, 2, 2.5, 3}));
  expect_shape(colon(3.0, 1.0, 1.0), 1, 0);
  EXPECT_EQ(colon(0.0, 0.1, 1.0).numel(), 11u);
}

TEST(Cell, ReadGrowAndSelect) {
  Mc c = (CL(1.0), TM("two"), (BR(3.0), 4.0));
  expect_shape(Mt(c.br(3.0)), 1, 2);
  Mc u = cells(0.0);
  u.br(3.0) = 2.0;
  EXPECT_EQ(u.numel(), 3u);
  EXPECT_TRUE(Mt(u.br(1.0)).isempty());
  Mc two = c((BR(1.0), 2.0));
  EXPECT_EQ(two.numel(), 2u);
  c(2.0) = nop_M;
  EXPECT_EQ(c.numel(), 2u);
  Mt first("r", 0, 0);
  first = c;
  EXPECT_EQ(double(first.r), 1);
  EXPECT_ENDS(Mt(c.br(7.0)), testing::ExitedWithCode(1), "out of bound 2");
}

TEST(Ops, ArithmeticComplexAndLogic) {
  Mt a = (BR(1.0), 2.0, 3.0);
  EXPECT_EQ(values(a + 1.0), (std::vector<double>{2, 3, 4}));
  EXPECT_EQ(values(times(a, a)), (std::vector<double>{1, 4, 9}));
  Mt col = (BR(10.0), semi, 20.0);
  Mt outer = a + col;                        // implicit expansion
  expect_shape(outer, 2, 3);
  EXPECT_EQ(outer.cre()[5], 23);
  Mt r = power(Mt(-8.0), Mt(1.0 / 3.0));     // a negative base with a fraction is complex
  EXPECT_TRUE(r.isc());
  EXPECT_NEAR(r.cre()[0], 1.0, 1e-12);
  Mt c = Mt::cplx(1, 2);
  Mt p = times(c, c);
  EXPECT_EQ(p.cre()[0], -3);
  EXPECT_EQ(p.cim()[0], 4);
  EXPECT_TRUE((a == 2.0).islogical());
  EXPECT_EQ(values(!a), (std::vector<double>{0, 0, 0}));
  EXPECT_TRUE(istrue(a > 0.0));
  EXPECT_FALSE(istrue(Mt()));
  EXPECT_FALSE(istrue(a > 1.0));
}

TEST(Control, SwitchAndForElements) {
  grl::switch_t s(TM("hello"));
  EXPECT_TRUE(s.match(TM("hello")));
  EXPECT_FALSE(s.match(Mt(1.0)));
  EXPECT_TRUE(s.match(Mc((CL(TM("a")), TM("hello")))));
  grl::switch_t n(Mt(2.0));
  EXPECT_FALSE(n.match(TM("2")));
  EXPECT_TRUE(n.match(Mc((CL(1.0), 2.0))));
  int runs = 0;
  mswitch (Mt(3.0)) {
    beginmswitch
    mcase (Mt(3.0)) {
      ++runs;
      break;
    }
    otherwise {
      runs += 10;
      break;
    }
  } endmswitch;
  EXPECT_EQ(runs, 1);
  Mt x = (BR(1.0), 2.0, semi, 3.0, 4.0), v;
  ASSERT_EQ(forsize(x), 2);
  forelem(v, x, 2);
  EXPECT_EQ(values(v), (std::vector<double>{2, 4}));
}

}  // namespace
