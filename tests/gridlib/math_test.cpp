// The numeric built-ins: shapes of results on empty input, NaN handling, complex
// results, outputs through i_o, and the errors with Octave's wording.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <type_traits>
#include <vector>

#include "gridlib.h"
#include "ends.h"
#include "values.h"

#include <gtest/gtest.h>

using namespace gridlib_test;

namespace {

void expect_values(const Mt& m, std::size_t r, std::size_t c, std::initializer_list<double> v) {
  ASSERT_EQ(m.rows(), r);
  ASSERT_EQ(m.cols(), c);
  std::size_t k = 0;
  for (double x : v) {
    if (x != x) EXPECT_TRUE(m.cre()[k] != m.cre()[k]) << "at " << k;
    else EXPECT_EQ(double(m.cre()[k]), x) << "at " << k;
    ++k;
  }
}

// Generated code calls the C library's names through their replacements; with a double
// literal each must reach the library's matrix version, not C's double one.
static_assert(std::is_same<decltype(abs_M(-2.5)), M<m_type>>::value, "abs");
static_assert(std::is_same<decltype(sqrt_M(2.0)), M<m_type>>::value, "sqrt");
static_assert(std::is_same<decltype(exp_M(2.0)), M<m_type>>::value, "exp");
static_assert(std::is_same<decltype(log_M(2.0)), M<m_type>>::value, "log");
static_assert(std::is_same<decltype(sin_M(2.0)), M<m_type>>::value, "sin");
static_assert(std::is_same<decltype(cos_M(2.0)), M<m_type>>::value, "cos");
static_assert(std::is_same<decltype(tan_M(2.0)), M<m_type>>::value, "tan");
static_assert(std::is_same<decltype(floor_M(2.5)), M<m_type>>::value, "floor");
static_assert(std::is_same<decltype(ceil_M(2.5)), M<m_type>>::value, "ceil");
static_assert(std::is_same<decltype(round_M(2.5)), M<m_type>>::value, "round");
static_assert(std::is_same<decltype(atan2_M(1.0, 2.0)), M<m_type>>::value, "atan2");
static_assert(std::is_same<decltype(rand_M(3.0)), M<m_type>>::value, "rand");
static_assert(std::is_same<decltype(nan_M(2.0)), M<m_type>>::value, "nan");
static_assert(std::is_same<decltype(clock_M()), M<m_type>>::value, "clock");
static_assert(std::is_same<decltype(mod(5.0, 3.0)), M<m_type>>::value, "mod");
static_assert(std::is_same<decltype(fix(2.5)), M<m_type>>::value, "fix");

TEST(MathBuild, SizesAndErrors) {
  expect_values(zeros(2.0, 3.0), 2, 3, {0, 0, 0, 0, 0, 0});
  expect_values(ones(row({2, 1})), 2, 1, {1, 1});
  expect_values(eye(2.0, 3.0), 2, 3, {1, 0, 0, 1, 0, 0});
  EXPECT_TRUE(zeros(-1.0).isempty());
  Mt r = rand_M(3.0, 4.0);
  ASSERT_EQ(r.numel(), 12u);
  for (std::size_t k = 0; k < 12; ++k) EXPECT_TRUE(r.cre()[k] > 0 && r.cre()[k] < 1);
  rand_M(str("seed"), 7.0);
  Mt a = rand_M(5.0);
  rand_M(str("state"), 7.0);
  Mt b = rand_M(5.0);
  for (std::size_t k = 0; k < 25; ++k) EXPECT_EQ(a.cre()[k], b.cre()[k]);
  expect_values(linspace(0.0, 1.0, 5.0), 1, 5, {0, 0.25, 0.5, 0.75, 1});
  EXPECT_EQ(linspace(0.0, 1.0, 0.0).cols(), 0u);
  expect_values(repmat(row({1, 2}), 2.0, 2.0), 2, 4, {1, 1, 2, 2, 1, 1, 2, 2});
  expect_values(reshape(row({1, 2, 3, 4, 5, 6}), Mt(), 3.0), 2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_ENDS(zeros(2.7), ::testing::ExitedWithCode(1), "error: conversion of 2.7 to octave_idx_type value failed");
  EXPECT_ENDS(reshape(row({1, 2, 3, 4, 5, 6}), 4.0, 2.0), ::testing::ExitedWithCode(1),
              "error: reshape: can't reshape 1x6 array to 4x2 array");
  // A third size of 1 is a plain matrix; any other makes a three-dimensional array.
  expect_values(ones(2.0, 1.0, 1.0), 2, 1, {1, 1});
  EXPECT_EQ(zeros(2.0, 2.0, 2.0).ndims(), 3u);
  EXPECT_ENDS(zeros(2.0, 2.5, 2.0), ::testing::ExitedWithCode(1), "error: conversion of 2.5 to int64_t value failed");
  EXPECT_ENDS(NaN(2.0, 2.0, str("single")), ::testing::ExitedWithCode(1), "error: invalid data type specified");
  EXPECT_ENDS(eye(2.0, str("double"), str("double")), ::testing::ExitedWithCode(1), "error: invalid data type specified");
}

TEST(MathShape, SizeForms) {
  Mt x = Mt::zeros(2, 3), r, c, p;
  expect_values(size(x), 1, 2, {2, 3});
  expect_values(size(x, 2.0), 1, 1, {3});
  size(x, i_o, r, c, p);
  expect_values(r, 1, 1, {2});
  expect_values(c, 1, 1, {3});
  expect_values(p, 1, 1, {1});
  EXPECT_EQ(double(length(Mt::zeros(3, 0)).r), 0);
  EXPECT_TRUE(isempty(Mt()).islogical());
  M<M<m_type>> cell;
  expect_values(numel(cell), 1, 1, {0});
  EXPECT_TRUE(bool(isempty(cell)));
  EXPECT_ENDS(size(x, 0.0), ::testing::ExitedWithCode(1), "size: requested dimension DIM \\(= 0\\) out of range");
}

TEST(MathElem, ComplexResultsAndRemainders) {
  Mt s = sqrt_M(row({-4, 4}));
  ASSERT_TRUE(s.isc());
  EXPECT_EQ(double(s.cim()[0]), 2);
  EXPECT_EQ(double(s.cre()[1]), 2);
  Mt l = log_M(-1.0);
  EXPECT_NEAR(double(l.cim()[0]), 3.14159265, 1e-6);
  EXPECT_FALSE(sqrt_M(4.0).isc());
  EXPECT_EQ(double(abs_M(-2.5).r), 2.5);
  EXPECT_EQ(double(round_M(-2.5).r), -3);
  EXPECT_EQ(double(fix(-2.5).r), -2);
  expect_values(mod(row({5, -1, 5, 0.3}), row({0, 3, -3, 0.1})), 1, 4, {5, 2, -1, 0});
  expect_values(rem(row({5, -1, 5}), row({0, 3, -3})), 1, 3, {NAN, -1, 2});
  expect_values(mod(mat(2, 1, {5, 7}), row({2, 3})), 2, 2, {1, 1, 2, 1});
  EXPECT_ENDS(mod(row({1, 2}), row({1, 2, 3})), ::testing::ExitedWithCode(1),
              "error: mod: nonconformant arguments \\(op1 is 1x2, op2 is 1x3\\)");
  EXPECT_ENDS(abs_M(M<M<m_type>>()), ::testing::ExitedWithCode(1), "error: abs: not defined for cell");
}

TEST(MathReduce, EmptyNaNAndIndices) {
  expect_values(sum(Mt()), 1, 1, {0});
  expect_values(sum(Mt::zeros(0, 3)), 1, 3, {0, 0, 0});
  expect_values(prod(Mt()), 1, 1, {1});
  expect_values(sum(mat(2, 2, {1, 2, 3, 4}), 2.0), 2, 1, {4, 6});
  expect_values(cumsum(mat(2, 2, {1, 2, 3, 4}), 2.0), 2, 2, {1, 2, 4, 6});
  // MATLAB: the mean of no elements is NaN (Octave 7 returns an empty 0x1 here).
  expect_values(mean(Mt::zeros(0, 3)), 1, 3, {NAN, NAN, NAN});
  EXPECT_TRUE(any(row({0, NAN})).islogical());
  expect_values(all(Mt()), 1, 1, {1});
  Mt m, k;
  max(row({NAN, 2, NAN, 3, 3}), i_o, m, k);
  expect_values(m, 1, 1, {3});
  expect_values(k, 1, 1, {4});
  max(row({NAN, NAN}), i_o, m, k);
  expect_values(k, 1, 1, {1});
  expect_values(max(Mt::zeros(0, 3)), 0, 3, {});
  expect_values(max(3.0, row({1, 5, 2})), 1, 3, {3, 5, 3});
  expect_values(min(row({1, NAN, 3}), row({NAN, NAN, 1})), 1, 3, {1, NAN, 1});
  expect_values(max(mat(2, 2, {1, 7, 5, 2}), Mt(), 2.0), 2, 1, {5, 7});
  EXPECT_ENDS(sum(M<M<m_type>>()), ::testing::ExitedWithCode(1), "error: sum: wrong type argument 'cell'");
}

TEST(MathSort, FindAndSort) {
  expect_values(find(row({0, 1, 0, 1})), 1, 2, {2, 4});
  expect_values(find(mat(2, 2, {0, 1, 1, 0})), 2, 1, {2, 3});
  expect_values(find(Mt()), 0, 0, {});
  expect_values(find(Mt::zeros(1, 3)), 1, 0, {});
  expect_values(find(row({1, 1, 1}), 2.0, str("last")), 1, 2, {2, 3});
  Mt r, c, v;
  find(mat(2, 2, {0, 5, 6, 0}), i_o, r, c, v);
  expect_values(r, 2, 1, {2, 1});
  expect_values(c, 2, 1, {1, 2});
  expect_values(v, 2, 1, {5, 6});
  Mt s, k;
  sort(row({3, NAN, 1, 3, -INFINITY}), str("descend"), i_o, s, k);
  expect_values(s, 1, 5, {NAN, 3, 3, 1, -INFINITY});
  expect_values(k, 1, 5, {2, 1, 4, 3, 5});
  sort(row({3, NAN, 1, 3, -INFINITY}), i_o, s, k);
  expect_values(k, 1, 5, {5, 3, 1, 4, 2});
  expect_values(sort(row({3, NAN, 1})), 1, 3, {1, 3, NAN});
  expect_values(sort(mat(2, 2, {4, 3, 2, 1}), 2.0), 2, 2, {2, 1, 4, 3});
}

}  // namespace

namespace {

// The reference order of sort: a stable sort with NaN last ascending and first
// descending, -0 equal to +0.
std::vector<std::size_t> reference_order(const std::vector<double>& v, bool desc) {
  std::vector<std::size_t> p(v.size());
  for (std::size_t t = 0; t < p.size(); ++t) p[t] = t;
  std::stable_sort(p.begin(), p.end(), [&](std::size_t a, std::size_t b) {
    const bool na = v[a] != v[a], nb = v[b] != v[b];
    if (na || nb) return desc ? (na && !nb) : (nb && !na);
    return desc ? v[a] > v[b] : v[a] < v[b];
  });
  return p;
}

}  // namespace

// Long groups go through the radix sort: values, positions, ties, NaN, -0, Inf,
// subnormals, both directions, along columns and along rows of a matrix.
TEST(MathSort, LongGroupsMatchAStableSort) {
  const std::size_t n = 5000;
  std::srand(7);
  const double specials[] = {NAN, -0.0, 0.0, INFINITY, -INFINITY, 1e-310, -1e-310, 3.5, -3.5};
  for (int with_negzero = 0; with_negzero < 2; ++with_negzero) {
    Mt x = Mt::alloc(n, 2);
    std::vector<std::vector<double>> cols(2, std::vector<double>(n));
    for (std::size_t c = 0; c < 2; ++c)
      for (std::size_t t = 0; t < n; ++t) {
        double v = (std::rand() % 4 == 0) ? specials[std::rand() % 9]
                                          : double(std::rand() % 200 - 100) / 8;
        if (!with_negzero && v == 0) v = 0.0;
        x.pr()[c * n + t] = m_type(v);
        cols[c][t] = double(m_type(v));
      }
    for (int desc = 0; desc < 2; ++desc) {
      Mt s, k;
      sort(x, Mt(m_type(1)), str(desc ? "descend" : "ascend"), i_o, s, k);
      Mt values = sort(x, Mt(m_type(1)), str(desc ? "descend" : "ascend"));
      for (std::size_t c = 0; c < 2; ++c) {
        const std::vector<std::size_t> ref = reference_order(cols[c], desc);
        for (std::size_t t = 0; t < n; ++t) {
          const double want = cols[c][ref[t]];
          const double got = s.cre()[c * n + t], alone = values.cre()[c * n + t];
          ASSERT_EQ(double(k.cre()[c * n + t]), double(ref[t] + 1)) << c << " " << t;
          if (want != want) {
            ASSERT_TRUE(got != got && alone != alone);
          } else {
            ASSERT_EQ(got, want);
            ASSERT_EQ(std::signbit(got), std::signbit(want));
            ASSERT_EQ(alone, want);
            ASSERT_EQ(std::signbit(alone), std::signbit(want)) << "the sign of a zero is kept";
          }
        }
      }
      // The same data along rows: the transposed matrix sorted along dimension 2.
      Mt tr = Mt::alloc(2, n);
      for (std::size_t c = 0; c < 2; ++c)
        for (std::size_t t = 0; t < n; ++t) tr.pr()[t * 2 + c] = x.cre()[c * n + t];
      Mt ts = sort(tr, Mt(m_type(2)), str(desc ? "descend" : "ascend"));
      for (std::size_t c = 0; c < 2; ++c)
        for (std::size_t t = 0; t < n; ++t) {
          const double a = ts.cre()[t * 2 + c], b = s.cre()[c * n + t];
          ASSERT_TRUE((a != a && b != b) || a == b);
        }
    }
  }
}
