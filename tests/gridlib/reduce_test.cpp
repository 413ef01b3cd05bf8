// Running reductions, diff, dot, cross and the statistics: the errors of bad input with
// Octave's wording, and the results where the interpreter differs from MATLAB (which
// these functions follow), so the conformance programs cannot show them.
#include <cmath>
#include <limits>
#include <string>

#include "gridlib.h"
#include "ends.h"
#include "values.h"

#include <gtest/gtest.h>

using namespace gridlib_test;

namespace {

void expect_values(const Mt& m, std::size_t r, std::size_t c, std::initializer_list<double> v) {
  ASSERT_EQ(m.rows(), r);
  ASSERT_EQ(m.cols(), c);
  ASSERT_EQ(v.size(), r * c);
  std::size_t k = 0;
  for (double x : v) {
    if (x != x) EXPECT_TRUE(m.cre()[k] != m.cre()[k]) << "at " << k;
    else EXPECT_EQ(double(m.cre()[k]), x) << "at " << k;
    ++k;
  }
}
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

#define EXPECT_ERROR(call, text) EXPECT_ENDS(call, ::testing::ExitedWithCode(1), "error: " text)

TEST(ReduceErrors, CrossNeedsThreeElementsOfOneShape) {
  EXPECT_ERROR(cross(row({1, 2}), row({3, 4})), "cross: must have at least one dimension with 3 elements");
  EXPECT_ERROR(cross(row({1, 2, 3, 4}), row({1, 2, 3, 4})), "cross: must have at least one dimension with 3 elements");
  EXPECT_ERROR(cross(Mt(), Mt()), "cross: must have at least one dimension with 3 elements");
  EXPECT_ERROR(cross(row({1, 2, 3}), row({1, 2})), "cross: X and Y must have the same dimensions");
  EXPECT_ERROR(cross(mat(2, 3, {1, 2, 3, 4, 5, 6}), row({1, 2, 3})), "cross: X and Y must have the same dimensions");
  // With a dimension, a row and a column are not taken as two vectors.
  EXPECT_ERROR(cross(row({1, 2, 3}), mat(3, 1, {4, 5, 6}), Mt(2)), "cross: X and Y must have the same dimensions");
  EXPECT_ERROR(cross(row({1, 2, 3}), row({4, 5, 6}), Mt(1)), "cross: dimension DIM must have 3 elements");
  EXPECT_ERROR(cross(row({1, 2, 3}), row({4, 5, 6}), Mt(3)), "cross: dimension DIM must have 3 elements");
  EXPECT_ERROR(cross(row({1, 2, 3}), row({4, 5, 6}), Mt(0)), "cross: DIM must be a valid dimension");
}

TEST(ReduceErrors, CrossOfRowAndColumnWarnsAndGivesAColumn) {
  testing::internal::CaptureStderr();
  Mt c = cross(row({1, 2, 3}), mat(3, 1, {4, 5, 6}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "warning: cross: taking cross product of row by column\n");
  expect_values(c, 3, 1, {-3, 6, -3});
  testing::internal::CaptureStderr();
  c = cross(mat(3, 1, {1, 2, 3}), row({4, 5, 6}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "warning: cross: taking cross product of column by row\n");
  expect_values(c, 3, 1, {-3, 6, -3});
}

TEST(ReduceErrors, DotSizesAndDimension) {
  EXPECT_ERROR(dot(row({1, 2, 3}), row({1, 2})), "dot: sizes of X and Y must match");
  EXPECT_ERROR(dot(row({1, 2, 3}), Mt(5)), "dot: sizes of X and Y must match");
  EXPECT_ERROR(dot(mat(2, 2, {1, 2, 3, 4}), row({1, 2, 3, 4})), "dot: sizes of X and Y must match");
  // With a dimension, vectors of two orientations are no longer matched up.
  EXPECT_ERROR(dot(row({1, 2}), mat(2, 1, {1, 2}), Mt(1)), "dot: sizes of X and Y must match");
  EXPECT_ERROR(dot(row({1, 2}), row({1, 2}), Mt(0)), "dot: DIM must be a valid dimension");
  EXPECT_ERROR(dot(row({1, 2}), row({1, 2}), Mt(1.5)), "dot: DIM must be a valid dimension");
}

TEST(ReduceErrors, DiffOrderAndDimension) {
  EXPECT_ERROR(diff(row({1, 4, 9}), Mt(-1)), "diff: order K must be non-negative");
  EXPECT_ERROR(diff(row({1, 4, 9}), row({1, 2})), "diff: order K must be a scalar or \\[\\]");
  EXPECT_ERROR(diff(row({1, 4, 9}), Mt(1.5)), "conversion of 1.5 to int64_t value failed");
  EXPECT_ERROR(diff(row({1, 4, 9}), Mt(1), Mt(0)), "diff: DIM must be a valid dimension");
  EXPECT_ERROR(diff(row({1, 4, 9}), Mt(1), Mt(3)), "diff: DIM must be a valid dimension");
  EXPECT_ERROR(diff(row({1, 4, 9}), Mt(1), row({1, 2})), "diff: DIM must be a valid dimension");
}

TEST(ReduceErrors, DimensionsOfTheRunningReductions) {
  // (cumprod takes DIM 0 as no DIM, as octave-cli does; a fraction it refuses.)
  EXPECT_ERROR(cumprod(row({1, 2}), Mt(1.5)), "conversion of 1.5 to int value failed");
  EXPECT_ERROR(cumprod(row({1, 2}), Mt(-1)), "cumprod: invalid dimension argument = -1");
  EXPECT_ERROR(cummax(row({1, 2}), Mt(0)), "cummax: DIM must be a valid dimension");
  EXPECT_ERROR(cummin(row({1, 2}), Mt(2.5)), "cummin: DIM must be a valid dimension");
  Mt m, k;
  EXPECT_ERROR(cummax(row({1, 2}), Mt(-1), i_o, m, k), "cummax: DIM must be a valid dimension");
}

TEST(ReduceErrors, StatisticsArguments) {
  EXPECT_ERROR(var(row({1, 2, 3}), Mt(2)), "var: W must be 0, 1, or a vector of positive integers");
  EXPECT_ERROR(var(row({1, 2, 3}), row({1, -2, 1})), "var: W must be 0, 1, or a vector of positive integers");
  EXPECT_ERROR(std_M(row({1, 2, 3}), Mt(-1)), "var: W must be 0, 1, or a vector of positive integers");
  EXPECT_ERROR(var(row({1, 2, 3}), mat(2, 2, {1, 1, 1, 1})), "var: W must be 0, 1, or a vector of positive integers");
  EXPECT_ERROR(var(row({1, 2, 3}), row({1, 2})),
               "var: the length of W must be equal to the size of X in the dimension along which "
               "variance is calculated");
  EXPECT_ERROR(var(row({1, 2, 3}), Mt(0), Mt(0)), "var: DIM must be a positive integer scalar, vector, or 'all'");
  EXPECT_ERROR(std_M(row({1, 2, 3}), Mt(0), Mt(1.5)), "var: DIM must be a positive integer scalar, vector, or 'all'");
  EXPECT_ERROR(var(row({1, 2, 3}), Mt(0), row({1, 1})), "var: DIM must be a positive integer scalar, vector, or 'all'");
  EXPECT_ERROR(var(row({1, 2, 3}), Mt(0), Mt()), "var: DIM must be a positive integer scalar, vector, or 'all'");
  EXPECT_ERROR(median(row({1, 2, 3}), Mt(0)), "median: DIM must be an integer and a valid dimension");
  EXPECT_ERROR(median(row({1, 2, 3}), row({2, 2})), "median: vector of dimensions must not repeat a dimension");
  EXPECT_ERROR(var(row({1, 2, 3}), row({1, 2, 3}), row({1, 2})), "var: W must be either 0 or 1 when DIM is a vector");
  EXPECT_ERROR(mode(row({1, 2, 3}), Mt(1.5)), "mode: DIM must be an integer and a valid dimension");
}

TEST(ReduceErrors, CellsAreRefused) {
  EXPECT_ERROR(cumprod(Mc()), "cumprod: wrong type argument 'cell'");
  EXPECT_ERROR(cummax(Mc()), "cummax: wrong type argument 'cell'");
  EXPECT_ERROR(cummin(Mc()), "cummin: wrong type argument 'cell'");
  EXPECT_ERROR(diff(Mc()), "diff: X must be numeric or logical");
  EXPECT_ERROR(var(Mc()), "var: X must be a numeric vector or matrix");
  EXPECT_ERROR(std_M(Mc()), "var: X must be a numeric vector or matrix");
  EXPECT_ERROR(median(Mc()), "median: X must be a numeric vector or matrix");
  EXPECT_ERROR(mode(Mc()), "mode: X must be a numeric vector or matrix");
  EXPECT_ERROR(dot(Mc(), Mt(1)), "dot: X and Y must be numeric");
  EXPECT_ERROR(dot(Mt(1), Mc()), "dot: X and Y must be numeric");
  EXPECT_ERROR(cross(Mc(), Mc()), "binary operator '.\\*' not implemented for 'cell' by 'cell' operations");
}

// diff(x, k) without a dimension goes on along the next dimension that is not 1 once
// the first is used up (MATLAB; the interpreter restarts along the second dimension
// from the original matrix instead).
TEST(ReduceMatlab, DiffBeyondTheFirstDimensionContinuesAlongTheNext) {
  const Mt a = mat(2, 3, {1, 3, 2, 5, 4, 9});   // [1 2 4; 3 5 9]
  expect_values(diff(a, Mt(2)), 1, 2, {1, 2});  // diff([2 3 5]) along the row
  expect_values(diff(a, Mt(3)), 1, 1, {1});
  EXPECT_EQ(diff(a, Mt(4)).numel(), 0u);
  const Mt v = row({1, 4, 9, 16});
  expect_values(diff(v, Mt(3)), 1, 1, {0});
  Mt e = diff(v, Mt(4));
  EXPECT_EQ(e.rows(), 0u);
  EXPECT_EQ(e.cols(), 0u);
  e = diff(v, Mt(1e12));                        // a huge order ends as soon as nothing is left
  EXPECT_EQ(e.numel(), 0u);
  // An empty matrix keeps its shape along the first dimension (the interpreter gives 0x1).
  e = diff(Mt::alloc(0, 3));
  EXPECT_EQ(e.rows(), 0u);
  EXPECT_EQ(e.cols(), 3u);
  e = diff(Mt::alloc(3, 0), Mt(7));       // down to one row, then along the empty row
  EXPECT_EQ(e.rows(), 1u);
  EXPECT_EQ(e.cols(), 0u);
  // Differences of characters are numbers (the interpreter refuses char input).
  Mt s = row({97, 98, 100});
  s.set_flags(grl::F_STRING);
  Mt d = diff(s);
  EXPECT_FALSE(d.ischar());
  expect_values(d, 1, 2, {1, 2});
}

// The median of nothing is NaN (the interpreter fails); of logical values a number.
TEST(ReduceMatlab, MedianOfEmptyLogicalAndHugeValues) {
  expect_values(median(Mt()), 1, 1, {kNaN});
  expect_values(median(Mt::alloc(0, 3)), 1, 3, {kNaN, kNaN, kNaN});
  EXPECT_EQ(median(Mt::alloc(3, 0)).rows(), 1u);
  EXPECT_EQ(median(Mt::alloc(3, 0)).cols(), 0u);
  expect_values(median(Mt::alloc(1, 0)), 1, 1, {kNaN});
  expect_values(median(Mt(), Mt(2)), 0, 1, {});
  Mt t = row({1, 0});
  t.set_flags(grl::F_LOGICAL);
  Mt m = median(t);
  EXPECT_FALSE(m.islogical());
  expect_values(m, 1, 1, {0.5});
  // The mean of the two middle values does not overflow (the interpreter gives Inf).
  expect_values(median(row({1e308, 1e308})), 1, 1, {1e308});
  expect_values(median(row({1e308, 1.5e308, 0, 1.7e308})), 1, 1, {1.25e308});
  expect_values(median(row({-1e308, -1.5e308})), 1, 1, {-1.25e308});
}

// mode counts -Inf and Inf as the values they are (the interpreter finds -Inf the most
// frequent of [Inf -Inf Inf]); empties give NaN occurring 0 times.
TEST(ReduceMatlab, ModeOfInfinitiesAndEmpties) {
  Mt m, f;
  mode(row({kInf, -kInf, kInf}), i_o, m, f);
  expect_values(m, 1, 1, {kInf});
  expect_values(f, 1, 1, {2});
  mode(row({-kInf, -kInf, 3, kInf}), i_o, m, f);
  expect_values(m, 1, 1, {-kInf});
  expect_values(f, 1, 1, {2});
  mode(Mt(), i_o, m, f);
  expect_values(m, 1, 1, {kNaN});
  expect_values(f, 1, 1, {0});
  mode(Mt::alloc(0, 3), i_o, m, f);   // the interpreter gives 0x1
  expect_values(m, 1, 3, {kNaN, kNaN, kNaN});
  expect_values(f, 1, 3, {0, 0, 0});
  mode(Mt::alloc(1, 0), i_o, m, f);
  expect_values(m, 1, 1, {kNaN});
  expect_values(f, 1, 1, {0});
  mode(Mt::alloc(0, 3), Mt(2), i_o, m, f);
  expect_values(m, 0, 1, {});
  expect_values(f, 0, 1, {});
}

// The third output on empties follows MATLAB as m and f do: each group of nothing has
// an empty column of values (the interpreter gives an empty cell for []); values of a
// logical input stay logical.
TEST(ReduceMatlab, ModeValuesOfEmptiesAndLogicals) {
  Mt m, f;
  Mc c;
  mode(Mt(), i_o, m, f, c);
  ASSERT_EQ(c.rows(), 1u);
  ASSERT_EQ(c.cols(), 1u);
  expect_values(c.elem(0), 0, 1, {});
  mode(Mt::alloc(0, 3), i_o, m, f, c);
  ASSERT_EQ(c.cols(), 3u);
  for (std::size_t k = 0; k < 3; ++k) expect_values(c.elem(k), 0, 1, {});
  mode(Mt::alloc(0, 3), Mt(2), i_o, m, f, c);
  EXPECT_EQ(c.rows(), 0u);
  EXPECT_EQ(c.cols(), 1u);
  Mt t = row({1, 0, 0, 1});
  t.set_flags(grl::F_LOGICAL);
  mode(t, i_o, m, f, c);
  expect_values(c.elem(0), 2, 1, {0, 1});
  EXPECT_TRUE(c.elem(0).islogical());
  // Only the references the call passes are written.
  mode(row({2, 2, 3}), i_o, junkM, junkM, c);
  expect_values(c.elem(0), 1, 1, {2});
}

// dot([], []) is 0 as sum([]) is (the interpreter gives 1x0); logical values multiply
// as numbers (the interpreter refuses them).
TEST(ReduceMatlab, DotOfEmptyAndLogical) {
  expect_values(dot(Mt(), Mt()), 1, 1, {0});
  Mt t = row({1, 1, 0});
  t.set_flags(grl::F_LOGICAL);
  Mt d = dot(t, t);
  EXPECT_FALSE(d.islogical());
  expect_values(d, 1, 1, {2});
}

}  // namespace
