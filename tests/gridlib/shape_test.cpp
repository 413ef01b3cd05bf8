// Shape built-ins: argument errors with their messages, cells, complex values and the
// sizes of empty results that the conformance programs cannot show.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#define GRLIB 0
#include "gridlib.h"
#include "ends.h"

typedef M<double> MD;
typedef M<M<double>> MC;

namespace {

MD row(std::initializer_list<double> v) {
  MD m = MD::alloc(1, v.size());
  std::size_t k = 0;
  for (double x : v) m.pr()[k++] = x;
  return m;
}
MD mat(std::size_t r, std::size_t c, std::initializer_list<double> colwise) {
  MD m = row(colwise);
  m.reshape_to(r, c);
  return m;
}
MD str(const char* s) { return grl::str_M(s); }
MC cell_of(std::initializer_list<MD> v) {
  MC c = MC::alloc(1, v.size());
  std::size_t k = 0;
  for (const MD& x : v) c.welem(k++) = x;
  return c;
}
std::vector<double> vals(const MD& m) { return std::vector<double>(m.cre(), m.cre() + m.numel()); }
bool truth(const MD& m) { return m.islogical() && m.numel() == 1 && m.cre()[0] == 1; }

}  // namespace

TEST(ShapeErrors, ArgumentChecks) {
  auto fails = testing::ExitedWithCode(1);
  EXPECT_ENDS(rot90(MD(1.0), MD(1.5)), fails, "rot90: K must be a single real integer");
  EXPECT_ENDS(rot90(MD(1.0), row({1, 2})), fails, "rot90: K must be a single real integer");
  EXPECT_ENDS(circshift(row({1, 2, 3}), MD(1.5)), fails, "circshift: all values of N must be integers");
  EXPECT_ENDS(circshift(row({1, 2, 3}), MD()), fails, "N must be a vector, no longer than");
  EXPECT_ENDS(circshift(row({1, 2, 3}), row({1, 2, 3})), fails, "N must be a vector, no longer than");
  EXPECT_ENDS(circshift(row({1, 2, 3}), row({1, 2}), MD(2.0)), fails,
              "circshift: N must be a scalar when DIM is also specified");
  EXPECT_ENDS(circshift(row({1, 2}), MD(1.0), MD(0.0)), fails, "circshift: DIM must be a valid dimension");
  EXPECT_ENDS(diag(MD::zeros(2, 2), MD(1.0), MD(2.0)), fails, "diag: V must be a vector");
  EXPECT_ENDS(diag(row({1, 2}), MD()), fails, "diag: invalid argument K");
  EXPECT_ENDS(diag(row({1, 2}), MD(1e12)), fails, "dimension too large");
  EXPECT_ENDS(tril(MD::zeros(2, 2), MD(1.5)), fails, "conversion of 1.5 to int64_t value failed");
  EXPECT_ENDS(triu(MD::zeros(2, 2), MD()), fails, "triu: K must be a real scalar");
  EXPECT_ENDS(magic(MD(-3.0)), fails, "magic: N must be non-negative");
  EXPECT_ENDS(magic(row({1, 2})), fails, "magic: N must be a scalar");
  EXPECT_ENDS(hilb(row({1, 2})), fails, "hilb: N must be a scalar integer");
  EXPECT_ENDS(toeplitz(MD::zeros(2, 2)), fails, "toeplitz: C must be a vector");
  EXPECT_ENDS(toeplitz(MD()), fails, "toeplitz: C must be a vector");
  EXPECT_ENDS(toeplitz(row({1}), MD::zeros(2, 2)), fails, "toeplitz: R must be a vector");
  EXPECT_ENDS(logspace(MD(1.0), MD(2.0), row({1, 2})), fails, "logspace: arguments A, B, and N must be scalars");
  EXPECT_ENDS(meshgrid(MD::zeros(2, 2)), fails, "meshgrid: X and Y must be vectors");
  EXPECT_ENDS(meshgrid(row({1}), MD()), fails, "meshgrid: X and Y must be vectors");
  EXPECT_ENDS(cat(MD(0.0), MD(1.0), MD(2.0)), fails, "cat: DIM must be a valid dimension");
  EXPECT_ENDS(vertcat(str("ab"), str("abc")), fails, "cat: dimension mismatch");
  EXPECT_ENDS(vertcat(MD::zeros(0, 3), row({1, 2})), fails, "cat: dimension mismatch");
  EXPECT_ENDS(horzcat(MD::zeros(3, 0), mat(2, 1, {1, 2})), fails, "cat: dimension mismatch");
  EXPECT_ENDS(cat(MD(3.0), MD::zeros(2, 2), MD::zeros(3, 3)), fails, "cat: dimension mismatch");
  EXPECT_ENDS(horzcat(MC::alloc(2, 1), cell_of({MD(3.0)})), fails, "cat: dimension mismatch");
  EXPECT_ENDS(isnan_M(MC::alloc(1, 1)), fails, "isnan: not defined for cell");
  EXPECT_ENDS(isinf_M(MC::alloc(1, 1)), fails, "isinf: not defined for cell");
  EXPECT_ENDS(isfinite_M(MC::alloc(1, 1)), fails, "isfinite: not defined for cell");
}

TEST(ShapeCells, RearrangeKeepsElements) {
  MC c = cell_of({MD(1.0), str("ab"), row({2, 3})});
  MC f = fliplr(c);
  ASSERT_EQ(f.cols(), 3u);
  EXPECT_EQ(vals(f.elem(0)), (std::vector<double>{2, 3}));
  EXPECT_TRUE(f.elem(1).ischar());
  EXPECT_EQ(flipud(c).cols(), 3u);
  MC r = rot90(c);
  EXPECT_EQ(r.rows(), 3u);
  EXPECT_TRUE(r.elem(1).ischar());
  MC s = circshift(c, MD(1.0));
  EXPECT_EQ(vals(s.elem(1)), (std::vector<double>{1}));
  // The parts of a triangle or diagonal that hold nothing are empty matrices.
  MC d = diag(c);
  ASSERT_EQ(d.rows(), 3u);
  EXPECT_TRUE(d.elem(1).isempty());
  EXPECT_TRUE(d.elem(4).ischar());
  MC t = triu(MC::alloc(2, 2), MD(1.0));
  EXPECT_EQ(t.numel(), 4u);
  EXPECT_TRUE(truth(iscell(c)) && !truth(iscell(MD(1.0))));
  EXPECT_FALSE(truth(isstruct(c)));
  EXPECT_EQ(ndims(c).cre()[0], 2.0);
}

TEST(ShapeCells, Concatenation) {
  // A matrix joins a cell as one element; an empty matrix takes no part.
  MC h = horzcat(cell_of({MD(1.0)}), row({1, 2}), MD());
  ASSERT_EQ(h.cols(), 2u);
  EXPECT_EQ(vals(h.elem(1)), (std::vector<double>{1, 2}));
  MC v = cat(MD(1.0), cell_of({MD(1.0)}), MD(2.0));
  EXPECT_EQ(v.rows(), 2u);
  EXPECT_EQ(v.cols(), 1u);
  MC e = horzcat(MD::zeros(1, 0), cell_of({MD(5.0)}));
  EXPECT_EQ(e.numel(), 1u);
  EXPECT_EQ(vertcat(MC(), MC()).numel(), 0u);
  MC three = cat(MD(3.0), MC(), cell_of({MD(1.0)}));
  EXPECT_EQ(three.numel(), 1u);
}

TEST(ShapeValues, ComplexAndKinds) {
  MD z = MD::alloc(1, 3, true);
  double re[] = {1, 2, 3}, im[] = {1, 0, -2};
  for (int k = 0; k < 3; ++k) { z.pr()[k] = re[k]; z.pi()[k] = im[k]; }
  MD f = fliplr(z);
  ASSERT_TRUE(f.isc());
  EXPECT_EQ(f.cim()[0], -2.0);
  // The part of a complex triangle that holds only real numbers is real.
  MD t = tril(mat(2, 2, {1, 3, 0, 4}));
  EXPECT_FALSE(t.isc());
  EXPECT_FALSE(tril(z, MD(-1.0)).isc());
  // toeplitz(c) of a complex c: conjugates below the diagonal, c itself above it.
  MD tp = toeplitz(z);
  ASSERT_TRUE(tp.isc());
  EXPECT_EQ(tp.cim()[0], 1.0);    // T(1,1) = c(1)
  EXPECT_EQ(tp.cim()[2], 2.0);    // T(3,1) = conj(c(3))
  EXPECT_EQ(tp.cim()[6], -2.0);   // T(1,3) = c(3)
  EXPECT_FALSE(truth(isreal(z)));
  EXPECT_TRUE(truth(isequal(z, z, z)));
  EXPECT_FALSE(truth(isequal(z, row({1, 2, 3}))));
  EXPECT_FALSE(truth(isequal(cell_of({MD(1.0)}), MD(1.0))));
  EXPECT_TRUE(truth(isequal(cell_of({str("a"), MD(1.0)}), cell_of({MD(97.0), MD(1.0)}))));
  EXPECT_TRUE(diag(str("ab")).ischar());
  EXPECT_TRUE(meshgrid(str("ab")).ischar());
  EXPECT_TRUE(horzcat(MD(1.0), str("a")).ischar());
  EXPECT_FALSE(vertcat(grl::boolean(true), MD()).islogical());
}

TEST(ShapeValues, EmptyShapes) {
  MD d = diag(MD::zeros(0, 3));
  EXPECT_EQ(d.rows(), 0u);
  EXPECT_EQ(d.cols(), 1u);
  MD p = diag(MD::zeros(1, 0), MD(1.0));
  EXPECT_EQ(p.rows(), 1u);
  EXPECT_EQ(p.cre()[0], 0.0);
  MD e = diag(MD::zeros(2, 3), MD(5.0));
  EXPECT_EQ(e.rows(), 0u);
  EXPECT_EQ(e.cols(), 1u);
  MD tz = toeplitz(MD::zeros(1, 0), row({1, 2}));
  EXPECT_EQ(tz.rows(), 0u);
  EXPECT_EQ(tz.cols(), 2u);
  EXPECT_EQ(rot90(MD::zeros(2, 0)).rows(), 0u);
  EXPECT_EQ(rot90(MD::zeros(2, 0)).cols(), 2u);
  EXPECT_EQ(circshift(MD::zeros(0, 3), row({1, 1})).cols(), 3u);
  EXPECT_EQ(hilb(MD(-2.0)).numel(), 0u);
  EXPECT_EQ(logspace(MD(1.0), MD(2.0)).numel(), 50u);
  EXPECT_EQ(logspace(MD(1.0), MD(2.0), MD(NAN)).numel(), 0u);
  EXPECT_DOUBLE_EQ(logspace(MD(0.0), MD(M_PI), MD(2.0)).cre()[1], M_PI);
  // Large shifts reduce modulo the length, in either direction.
  EXPECT_EQ(vals(circshift(row({1, 2, 3}), MD(-301.0))), (std::vector<double>{2, 3, 1}));
  EXPECT_EQ(vals(rot90(row({1, 2}), MD(-7.0))), (std::vector<double>{2, 1}));
}

TEST(ShapeErrors, HugeResultsFailCleanly) {
  auto fails = testing::ExitedWithCode(1);
  EXPECT_ENDS(diag(row({1, 2}), MD(2e9)), fails, "out of memory or dimension too large");
  EXPECT_ENDS(diag(row({1}), MD(5e9), MD(5e9)), fails, "out of memory or dimension too large");
  EXPECT_ENDS(magic(MD(1e10)), fails, "out of memory or dimension too large");
}
