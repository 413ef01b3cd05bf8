// Reductions over several dimensions at once and the differences of gradient and
// del2: the element order after the dimensions are brought together, dimensions past
// the last, the index of max over all elements, and the spacing rules of gradient and
// del2 on values where a slip in a stride or an edge formula shows.
#include <cmath>
#include <string>

#include "gridlib.h"
#include "ends.h"
#include "values.h"

#include <gtest/gtest.h>

using namespace gridlib_test;

namespace {

Mt counting(const grl::sizes& d) {
  Mt a = Mt::alloc(d);
  for (std::size_t k = 0; k < a.numel(); ++k) a.pr()[k] = double(k + 1);
  return a;
}

void expect_near_values(const Mt& m, std::initializer_list<double> v) {
  ASSERT_EQ(m.numel(), v.size());
  std::size_t k = 0;
  for (double x : v) {
    EXPECT_NEAR(double(m.cre()[k]), x, 1e-12) << "at " << k;
    ++k;
  }
}

#define EXPECT_ERROR(call, text) EXPECT_ENDS(call, ::testing::ExitedWithCode(1), "error: " text)

}  // namespace

TEST(SeveralDims, SumOverTwoDimensionsKeepsTheThird) {
  const Mt a = counting({2, 3, 4});
  const Mt s = sum(a, row({1, 3}));
  // Extents 1 x 3: each column k sums a(:, k, :).
  EXPECT_EQ(s.shape(), (grl::sizes{1, 3}));
  expect_near_values(s, {84, 100, 116});
}

TEST(SeveralDims, OrderOfTheNamedDimensionsDoesNotMatter) {
  const Mt a = counting({2, 3, 4});
  const Mt s13 = sum(a, row({1, 3})), s31 = sum(a, row({3, 1}));
  ASSERT_EQ(s13.numel(), 3u);
  for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(s13.cre()[k], s31.cre()[k]);
  // Over dimensions 2 and 3 of a 2 x 3 x 4 array: one sum per row.
  const Mt s23 = sum(a, row({2, 3}));
  EXPECT_EQ(s23.shape(), (grl::sizes{2, 1}));
  expect_near_values(s23, {144, 156});
}

TEST(SeveralDims, NeighboursJoinedInPlaceAgreeWithOneAtATime) {
  const Mt a = counting({2, 3, 4, 5});
  // [3 2] and [2 3 4] are neighbours (joined where they lie), [2 4] are not (moved).
  const Mt s32 = sum(a, row({3, 2})), one = sum(sum(a, Mt(2)), Mt(3));
  EXPECT_EQ(s32.shape(), (grl::sizes{2, 1, 1, 5}));
  for (std::size_t k = 0; k < one.numel(); ++k) EXPECT_EQ(s32.cre()[k], one.cre()[k]);
  const Mt m = max(a, Mt(), row({2, 3, 4}));
  EXPECT_EQ(m.shape(), (grl::sizes{2, 1}));
  expect_near_values(m, {119, 120});
  const Mt s24 = sum(a, row({2, 4})), two = sum(sum(a, Mt(2)), Mt(4));
  EXPECT_EQ(s24.shape(), (grl::sizes{2, 1, 4}));
  for (std::size_t k = 0; k < two.numel(); ++k) EXPECT_EQ(s24.cre()[k], two.cre()[k]);
  // median and var take several dimensions the same way.
  expect_near_values(median(a, row({1, 2, 3, 4})), {60.5});
  expect_near_values(median(a, str("all")), {60.5});
  const Mt v = var(a, Mt(1), row({1, 2}));
  EXPECT_EQ(v.shape(), (grl::sizes{1, 1, 4, 5}));
  expect_near_values(Mt(v.cre()[0]), {35.0 / 12});
}

TEST(SeveralDims, DimensionsPastTheLastAreSingle) {
  const Mt a = counting({2, 3});
  const Mt s = sum(a, row({1, 7}));
  EXPECT_EQ(s.shape(), (grl::sizes{1, 3}));
  expect_near_values(s, {3, 7, 11});
  // A huge dimension number costs nothing: it names an extent of 1.
  const Mt t = sum(a, row({2, 1e9}));
  expect_near_values(t, {9, 12});
  EXPECT_ERROR(sum(a, row({1, 1})), "sum: vector of dimensions must not repeat a dimension");
  EXPECT_ERROR(sum(a, row({1, 0.5})), "sum: DIM must be a valid dimension");
}

TEST(SeveralDims, AllElementsWithIndexOfTheLargest) {
  Mt a = counting({2, 3, 2});
  a.pr()[7] = 100;
  Mt m, k;
  max(a, Mt(), str("all"), i_o, m, k);
  EXPECT_EQ(m.cre()[0], 100);
  EXPECT_EQ(k.cre()[0], 8);    // a linear index into a
  EXPECT_EQ(mean(a, str("all")).cre()[0], (78.0 - 8 + 100) / 12);
  EXPECT_EQ(any(a > Mt(99), str("all")).cre()[0], 1);
  EXPECT_ERROR(max(a, Mt(), row({1, 2}), i_o, m, k), "max: an index output needs a single dimension or 'all'");
}

TEST(SeveralDims, EmptyValues) {
  // sum over no elements is 0 in each remaining place; max keeps its empty extent.
  const Mt z = Mt::zeros(grl::sizes{2, 0, 3});
  const Mt s = sum(z, row({1, 2}));
  EXPECT_EQ(s.shape(), (grl::sizes{1, 1, 3}));
  expect_near_values(s, {0, 0, 0});
  EXPECT_EQ(sum(z, str("all")).numel(), 1u);
  EXPECT_EQ(max(z, Mt(), row({1, 2})).numel(), 0u);
}

TEST(Gradient, CoordinatesAndStepAlongEachDirection) {
  const Mt v = row({1, 4, 9, 16});
  expect_near_values(gradient(v), {3, 4, 6, 7});
  expect_near_values(gradient(v, Mt(0.5)), {6, 8, 12, 14});
  // Uneven coordinates: central differences over the two neighbours' distance.
  expect_near_values(gradient(v, row({0, 1, 3, 4})), {3, 8.0 / 3, 4, 7});
  EXPECT_ERROR(gradient(v, row({0, 1, 3})), "gradient: a spacing must be a scalar or a vector of 4 coordinates");
  // A column's one direction runs down the rows.
  expect_near_values(gradient(col({1, 4, 9})), {3, 4, 5});
}

TEST(Gradient, ThreeDirectionsOfAnArray) {
  const Mt a = counting({2, 3, 4});
  Mt gx, gy, gz;
  gradient(a, Mt(1), Mt(2), Mt(4), i_o, gx, gy, gz);
  // Along the columns each step adds 2, down the rows 1 (step 2), along pages 6 (step 4).
  for (std::size_t k = 0; k < a.numel(); ++k) {
    EXPECT_EQ(gx.cre()[k], 2);
    EXPECT_EQ(gy.cre()[k], 0.5);
    EXPECT_EQ(gz.cre()[k], 1.5);
  }
  EXPECT_EQ(gz.shape(), a.shape());
  Mt b, c;
  EXPECT_ERROR(gradient(mat(2, 2, {1, 2, 3, 4}), i_o, gx, b, c), "some elements undefined in return list");
  EXPECT_ERROR(gradient(str("ab")), "gradient: first input must be an array or a function");
}

TEST(Del2, EdgesContinueTheInnerSecondDifferences) {
  // Second differences 2, 4, 6 inside; the ends continue them linearly: 0 and 8.
  const Mt v = row({0, 1, 4, 11, 24});
  expect_near_values(del2(v), {0, 0.5, 1, 1.5, 2});
  // Three samples: the one inner value everywhere.
  expect_near_values(del2(row({1, 4, 10})), {0.75, 0.75, 0.75});
  // Two samples have no second difference.
  expect_near_values(del2(row({1, 5})), {0, 0});
  // Uneven coordinates that are an even grid scaled: the same as a step.
  const Mt a = del2(v, row({0, 2, 4, 6, 8})), b = del2(v, Mt(2));
  for (std::size_t k = 0; k < 5; ++k) EXPECT_NEAR(a.cre()[k], b.cre()[k], 1e-12);
}
