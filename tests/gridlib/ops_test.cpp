// Operators and element-wise functions whose operand is a temporary: the result may be
// written over the temporary's storage, but never over a value something else shares,
// and never when shape, kind or flags of the result differ from the temporary's.
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "gridlib.h"
#include "gridlib_fast.h"
#include "values.h"

#include <gtest/gtest.h>

using namespace gridlib_test;

namespace {

void expect_row(const Mt& m, std::initializer_list<double> v) {
  ASSERT_EQ(m.rows(), 1u);
  ASSERT_EQ(m.cols(), v.size());
  std::size_t k = 0;
  for (double x : v) EXPECT_DOUBLE_EQ(double(m.cre()[k++]), x) << "at " << k - 1;
}

// The same number, with the same sign of a zero; NaN equals NaN.
bool same_number(m_type a, m_type b) {
  if (a != a || b != b) return a != a && b != b;
  return a == b && std::signbit(a) == std::signbit(b);
}

TEST(OpsTemporaries, AnUnsharedTemporaryTakesTheResult) {
  const Mt x = row({1, 2, 3, 4});
  Mt t = x + 1.0;
  const m_type* p = t.cre();
  Mt r = std::move(t) * 2.0;
  EXPECT_EQ(r.cre(), p);
  expect_row(r, {4, 6, 8, 10});

  Mt s = sin_M(x - 1.0);               // from the operator's temporary
  Mt u = x - 1.0;
  p = u.cre();
  Mt v = sin_M(std::move(u));
  EXPECT_EQ(v.cre(), p);
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(v.cre()[k], std::sin(m_type(k))) << k;
  expect_row(s, {std::sin(0.0), std::sin(1.0), std::sin(2.0), std::sin(3.0)});

  Mt w = x * 10.0;
  p = w.cre();
  Mt m = mod(std::move(w), Mt(3.0));
  EXPECT_EQ(m.cre(), p);
  expect_row(m, {1, 2, 0, 1});

  // Both operands temporary: the left one takes the result, the right one is dropped.
  Mt a = x + 0.0, b = x * 2.0;
  p = a.cre();
  Mt c = times(std::move(a), std::move(b));
  EXPECT_EQ(c.cre(), p);
  expect_row(c, {2, 8, 18, 32});
  // x itself is untouched by all of this.
  expect_row(x, {1, 2, 3, 4});
}

TEST(OpsTemporaries, SharedOrUnfitTemporariesAreLeftAlone) {
  Mt x = row({1, 2, 3});
  Mt shared = x;                        // a temporary that shares x's block
  Mt r = std::move(shared) + 1.0;
  expect_row(x, {1, 2, 3});
  expect_row(r, {2, 3, 4});
  EXPECT_NE(r.cre(), x.cre());
  Mt shared2 = x;
  Mt e = exp_M(std::move(shared2));
  expect_row(x, {1, 2, 3});
  EXPECT_DOUBLE_EQ(double(e.cre()[2]), std::exp(3.0));

  // Implicit expansion: the row temporary is smaller than the 2 x 3 result.
  Mt grid = (x + 0.0) + col({10, 20});
  ASSERT_EQ(grid.rows(), 2u);
  ASSERT_EQ(grid.cols(), 3u);
  const double want[] = {11, 21, 12, 22, 13, 23};
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(double(grid.cre()[k]), want[k]) << k;
  // The column temporary has the result's rows but not its columns.
  Mt grid2 = row({1, 2}) + (col({10, 20, 30}) * 1.0);
  ASSERT_EQ(grid2.numel(), 6u);
  EXPECT_EQ(double(grid2.cre()[5]), 32.0);

  // A complex result does not fit a real temporary.
  Mt z = (x + 0.0) + Mt::cplx(0, 1);
  ASSERT_TRUE(z.isc());
  EXPECT_EQ(double(z.cim()[1]), 1.0);
  Mt q = power(x - 3.0, Mt(0.5));       // (-2, -1, 0) .^ 0.5
  ASSERT_TRUE(q.isc());
  EXPECT_NEAR(double(q.cim()[0]), std::sqrt(2.0), 1e-15);
  Mt sq = sqrt_M(x - 2.0);
  ASSERT_TRUE(sq.isc());
  EXPECT_EQ(double(sq.cim()[0]), 1.0);
  EXPECT_EQ(double(sq.cre()[2]), 1.0);
}

TEST(OpsTemporaries, TheResultHasItsOwnFlags) {
  const Mt x = row({0, 1, 2});
  Mt n = (x > 0.5) + 1.0;               // a logical temporary, a numeric result
  EXPECT_FALSE(n.islogical());
  expect_row(n, {1, 2, 2});
  Mt l = (x * 1.0) > 0.5;               // a numeric temporary, a logical result
  EXPECT_TRUE(l.islogical());
  expect_row(l, {0, 1, 1});
  Mt s = str("ab") + 0.0;               // a string temporary, a numeric result
  EXPECT_FALSE(s.ischar());
  expect_row(s, {97, 98});
  Mt a = abs_M(x > 0.5);
  EXPECT_FALSE(a.islogical());
  Mt f = floor_M(str("a"));
  EXPECT_FALSE(f.ischar());
}

// mod and rem find the floor and the nearest integer of small quotients without the
// math library; the results must be exactly those of the plain definitions.
m_type mod_reference(m_type x, m_type y) {
  const m_type eps = std::numeric_limits<m_type>::epsilon();
  if (y == 0) return x;
  if (std::isinf(x) || std::isinf(y) || x != x || y != y) return std::numeric_limits<m_type>::quiet_NaN();
  const m_type q = x / y, n = std::round(q);
  if (q == n || std::fabs(q - n) < eps * std::fabs(n)) return std::copysign(m_type(0), y);
  m_type r = x - std::floor(q) * y;
  if (r != 0 && ((r < 0) != (y < 0))) r += y;
  return r;
}
m_type rem_reference(m_type x, m_type y) {
  const m_type eps = std::numeric_limits<m_type>::epsilon();
  if (y == 0 || std::isinf(x) || std::isinf(y) || x != x || y != y)
    return std::numeric_limits<m_type>::quiet_NaN();
  const m_type q = x / y, n = std::round(q);
  if (q == n || std::fabs(q - n) < eps * std::fabs(n)) return std::copysign(m_type(0), x);
  return x - std::trunc(q) * y;
}

TEST(MathElem, ModAndRemAreExactlyTheirDefinitions) {
  const m_type big = 1 / std::numeric_limits<m_type>::epsilon();   // where the shortcut ends
  std::vector<m_type> xs = {0, -0.0, 1, -1, 0.5, -0.5, 2.5, -2.5, 3, -3, 7, -7, 1e-20, -1e-20,
                            0.1, -0.1, 0.3, 5.5, -5.5, 1e10, -1e10, big, -big, big - 1, big + 2,
                            big / 2 + 0.5, -(big / 2 + 0.5), 1e300, -1e300, 4.9e-324, -4.9e-324,
                            std::numeric_limits<m_type>::infinity(),
                            std::numeric_limits<m_type>::quiet_NaN()};
  std::vector<m_type> ys = {1, -1, 2, -2, 3, -3, 0.1, -0.1, 0.5, 1e-300, -1e-300, 1e20, 0, -0.0,
                            7, 1 / big, std::numeric_limits<m_type>::infinity()};
  for (int k = 0; k < 400; ++k) xs.push_back(m_type(-20 + 0.1 * k));   // quotients near ties
  xs.push_back(m_type(-0.5) + std::ldexp(m_type(1), -54));
  // Quotients of every size, just off and on integers and halves.
  unsigned long long seed = 12345;
  for (int k = 0; k < 2000; ++k) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    const m_type v = std::ldexp(m_type(seed >> 11) / m_type(1ULL << 53), int(seed % 120) - 60);
    const m_type near = std::round(v * 2) / 2;
    xs.push_back(k % 3 == 0 ? v : k % 3 == 1 ? near : std::nextafter(near, m_type(0)));
    if (k % 2) xs.back() = -xs.back();
  }
  Mt xm = Mt::alloc(1, xs.size());
  for (std::size_t k = 0; k < xs.size(); ++k) xm.pr()[k] = xs[k];
  for (m_type y : ys) {
    const Mt md = mod(xm, Mt(y)), rm = rem(xm, Mt(y));
    for (std::size_t k = 0; k < xs.size(); ++k) {
      EXPECT_TRUE(same_number(md.cre()[k], mod_reference(xs[k], y)))
          << "mod(" << xs[k] << ", " << y << ") = " << md.cre()[k];
      EXPECT_TRUE(same_number(rm.cre()[k], rem_reference(xs[k], y)))
          << "rem(" << xs[k] << ", " << y << ") = " << rm.cre()[k];
      // The scalar forms of translated loops give the same numbers.
      if constexpr (std::is_same<m_type, double>::value) {
        EXPECT_TRUE(same_number(grl::sc_mod(xs[k], y), mod_reference(xs[k], y)))
            << "sc_mod(" << xs[k] << ", " << y << ")";
        EXPECT_TRUE(same_number(grl::sc_rem(xs[k], y), rem_reference(xs[k], y)))
            << "sc_rem(" << xs[k] << ", " << y << ")";
      }
    }
  }
}

// The span of a while loop's counter: the values the body's other statements see,
// and no span (the checked copy runs) when the counter could leave whole numbers or
// run past what the bound says.
TEST(FastLoops, WhileSpanOfACounter) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  struct row {
    double v, c, e;
    bool up, strict, after;
    bool whole;
    long long lo, hi;
  } rows[] = {
      {1, 2, 9.5, true, false, false, true, 1, 9},     // v <= 9.5, step last
      {1, 2, 9, true, true, false, true, 1, 8},        // v < 9
      {1, 2, 9.5, true, true, false, true, 1, 9},      // v < 9.5
      {0, 1, 5, true, true, true, true, 1, 5},         // step first: v + 1 from 1 to 5
      {10, 1, 6.5, false, true, false, true, 7, 10},   // v > 6.5, counting down
      {10, 1, 7, false, false, false, true, 7, 10},    // v >= 7
      {3, 1, 1, false, false, true, true, 0, 2},       // step first: v - 1 from 0 to 2
      {5, 0, 5, true, false, false, true, 5, 5},       // a zero step stays where it is
      {1.5, 1, 9, true, false, false, false, 0, 0},    // no whole counter
      {1, 0.5, 9, true, false, false, false, 0, 0},    // no whole step
      {4, -1, 5, true, false, false, false, 0, 0},     // a step away from the bound
      {1, 1, inf, true, false, false, false, 0, 0},    // no end
      {1, 1, nan, true, false, false, false, 0, 0},    // no pass
      {9, 1, 3, true, false, false, false, 0, 0},      // no pass
      {1, 1, 2e12, true, false, false, false, 0, 0},   // past whole counting
  };
  for (const row& r : rows) {
    const grl::while_span w(r.v, r.c, r.e, r.up, r.strict, r.after);
    const bool fast = w.whole() && w.n;
    EXPECT_EQ(fast, r.whole) << r.v << " " << r.c << " " << r.e;
    if (fast && r.whole) {
      EXPECT_EQ(w.lo(), r.lo) << r.v << " " << r.c << " " << r.e;
      EXPECT_EQ(w.hi(), r.hi) << r.v << " " << r.c << " " << r.e;
    }
  }
  // The counter's whole-number copy outside the checked span is whole_of's.
  EXPECT_EQ(grl::whole_q(std::false_type{}, 2.5), grl::kNoWhole);
  EXPECT_EQ(grl::whole_q(std::false_type{}, 7.0), 7);
  EXPECT_EQ(grl::whole_q(std::true_type{}, 7.0), 7);
}

// sign and atan2 of scalars as the general forms give them, signed zeros and NaN too.
TEST(MathElem, ScalarSignAndAtan2AreTheGeneralForms) {
  if constexpr (!std::is_same<m_type, double>::value) return;
  const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  const std::vector<double> vs = {0, -0.0, 1, -1, 0.25, -3e300, 4.9e-324, -4.9e-324, inf, -inf, nan};
  Mt vm = Mt::alloc(1, vs.size());
  for (std::size_t k = 0; k < vs.size(); ++k) vm.pr()[k] = vs[k];
  const Mt sg = sign(vm);
  for (std::size_t k = 0; k < vs.size(); ++k) {
    EXPECT_TRUE(same_number(grl::sc_sign(vs[k]), sg.cre()[k])) << "sign(" << vs[k] << ")";
    const Mt at = atan2_M(Mt(vs[k]), vm);
    for (std::size_t j = 0; j < vs.size(); ++j)
      EXPECT_TRUE(same_number(grl::sc_atan2(vs[k], vs[j]), at.cre()[j])) << "atan2(" << vs[k] << ", " << vs[j] << ")";
  }
}

}  // namespace
