// The element-wise built-ins: complex results outside the real domain, integer
// functions at their edges, and the errors with Octave's wording.
#include <cmath>
#include <cstring>
#include <type_traits>

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
    else if (std::isinf(x)) EXPECT_EQ(double(m.cre()[k]), x) << "at " << k;
    else EXPECT_NEAR(double(m.cre()[k]), x, 1e-4 * (1 + std::fabs(x))) << "at " << k;
    ++k;
  }
}
void expect_imag(const Mt& m, std::initializer_list<double> v) {
  ASSERT_TRUE(m.isc());
  std::size_t k = 0;
  for (double x : v) {
    EXPECT_NEAR(double(m.cim()[k]), x, 1e-4 * (1 + std::fabs(x))) << "at " << k;
    EXPECT_FALSE(std::signbit(m.cim()[k]) && x == 0) << "negative zero at " << k;
    ++k;
  }
}
#define EXPECT_FAIL(call, msg) EXPECT_ENDS(call, ::testing::ExitedWithCode(1), msg)

static_assert(std::is_same<decltype(asin_M(2.0)), Mt>::value, "asin takes a number");
static_assert(std::is_same<decltype(hypot_M(1.0, 2.0)), Mt>::value, "hypot takes numbers");
static_assert(std::is_same<decltype(gamma_M(nop_M)), Mt>::value, "[] is the empty matrix");

TEST(ElemDomain, RealInsideStaysReal) {
  EXPECT_FALSE(asin_M(row({-1, 0, 0.5, 1, NAN})).isc());
  EXPECT_FALSE(acosh_M(row({1, 5, INFINITY})).isc());
  EXPECT_FALSE(log2_M(row({0, 1, INFINITY})).isc());
  EXPECT_FALSE(atanh_M(row({-1, 1})).isc());
}

TEST(ElemDomain, OutsideGivesBranchSide) {
  // asin(3) = pi/2 - 1.7627i; asin(-3) = -pi/2 + 1.7627i; real elements keep +0i.
  Mt a = asin_M(row({3, -3, 0.5}));
  expect_values(a, 1, 3, {1.5708, -1.5708, 0.5236});
  expect_imag(a, {-1.7627, 1.7627, 0});
  Mt b = acos_M(row({3, -3}));
  expect_values(b, 1, 2, {0, 3.1416});
  expect_imag(b, {1.7627, -1.7627});
  Mt c = acosh_M(row({-3, 0, 0.5, 2}));
  expect_values(c, 1, 4, {1.7627, 0, 0, 1.3170});
  expect_imag(c, {3.1416, 1.5708, 1.0472, 0});
  Mt d = atanh_M(row({-3, 3, INFINITY}));
  expect_values(d, 1, 3, {-0.3466, 0.3466, 0});
  expect_imag(d, {1.5708, 1.5708, 1.5708});
  Mt l = log10_M(row({-100, NAN}));
  expect_values(l, 1, 2, {2, NAN});
  expect_imag(l, {1.3644, 0});
  Mt p = log1p_M(row({-3}));
  expect_values(p, 1, 1, {0.6931});
  expect_imag(p, {3.1416});
}

TEST(ElemLog2, MantissaAndExponent) {
  Mt f, e;
  log2_M(row({0, 1, -3, 8, 0.1, INFINITY, NAN}), i_o, f, e);
  expect_values(f, 1, 7, {0, 0.5, -0.75, 0.5, 0.8, INFINITY, NAN});
  expect_values(e, 1, 7, {0, 1, 2, 4, -3, 0, 0});
}

TEST(ElemPow2, NextPow2Edges) {
  expect_values(nextpow2(row({0, 1, 2, 3, -5, 0.3, 1024, 1025, INFINITY, NAN})), 1, 10,
                {0, 0, 1, 2, 3, -1, 10, 11, INFINITY, NAN});
  expect_values(pow2(col({1, 2}), row({1, 2})), 2, 2, {2, 4, 4, 8});
  EXPECT_FAIL(pow2(Mt::cplx(1, 1), Mt(2)), "error: pow2: F and E must be real");
  EXPECT_FAIL(nextpow2(Mt::cplx(1, 1)), "error: nextpow2: X must be real");
}

TEST(ElemParts, PlainNumbersOut) {
  Mt t = Mt(1);
  t.set_flags(grl::F_LOGICAL);
  EXPECT_FALSE(real(t).islogical());
  EXPECT_FALSE(real(str("a")).ischar());
  expect_values(imag(row({1, 2})), 1, 2, {0, 0});
  Mt z = conj(Mt::cplx(2, -3));
  expect_values(z, 1, 1, {2});
  expect_imag(z, {3});
  expect_values(angle(row({-1, 0})), 1, 2, {3.1416, 0});
  expect_values(sign(row({-2, 0, 3, NAN})), 1, 4, {-1, 0, 1, NAN});
  Mt s = sign(Mt::cplx(3, 4));
  expect_values(s, 1, 1, {0.6});
  expect_imag(s, {0.8});
  expect_values(hypot_M(col({3, 5}), row({4, 12})), 2, 2, {5, 6.4031, 12.3693, 13});
  expect_values(hypot_M(Mt(1), Mt(2), Mt(2)), 1, 1, {3});
  EXPECT_FAIL(hypot_M(row({1, 2}), row({1, 2, 3})), "error: hypot: nonconformant arguments \\(op1 is 1x2, op2 is 1x3\\)");
}

TEST(ElemSpecial, PolesAndComplexRefused) {
  expect_values(gamma_M(row({0, -1, -2, 0.5, 172})), 1, 5, {INFINITY, INFINITY, INFINITY, 1.7725, INFINITY});
  EXPECT_TRUE(std::signbit(gamma_M(Mt(-0.0)).cre()[0]));
  EXPECT_FAIL(gamma_M(Mt::cplx(0, 1)), "error: gamma: not defined for complex scalar");
  Mt z = row({1, 2});
  z.pi()[1] = 1;
  EXPECT_FAIL(erf_M(z), "error: erf: not defined for complex matrix");
  EXPECT_FAIL(erfc_M(Mc()), "error: erfc: not defined for cell");
}

TEST(ElemIntegers, GcdLcmAndBezout) {
  expect_values(gcd(row({12, -18, 0}), row({8, 12, 0})), 1, 3, {4, 6, 0});
  expect_values(lcm(row({4, -6, 0}), row({6, 4, 5})), 1, 3, {12, -12, 0});
  Mt g, u, v;
  gcd(row({12, 7, -12}), row({18, 5, 18}), i_o, g, u, v);
  expect_values(g, 1, 3, {6, 1, 6});
  // g = u.*a + v.*b holds element by element.
  for (std::size_t k = 0; k < 3; ++k) {
    const double a[] = {12, 7, -12}, b[] = {18, 5, 18};
    EXPECT_EQ(double(u.cre()[k]) * a[k] + double(v.cre()[k]) * b[k], double(g.cre()[k]));
  }
  EXPECT_FAIL(gcd(Mt(1.5), Mt(2)), "error: gcd: all values must be integers");
  EXPECT_FAIL(lcm(Mt(NAN), Mt(2)), "error: gcd: all values must be integers");
  EXPECT_FAIL(gcd(row({1, 2}), row({1, 2, 3})), "error: gcd: nonconformant arguments");
}

TEST(ElemIntegers, FactorialAndNchoosek) {
  expect_values(factorial(row({0, 5, 171})), 1, 3, {1, 120, INFINITY});
  EXPECT_FAIL(factorial(Mt(-1)), "error: factorial: all N must be real non-negative integers");
  EXPECT_FAIL(factorial(Mt(NAN)), "error: factorial: all N must be real non-negative integers");
  expect_values(nchoosek(Mt(30), Mt(15)), 1, 1, {155117520});
  expect_values(nchoosek(Mt(0), Mt(0)), 1, 1, {1});
  expect_values(nchoosek(col({10, 20, 30}), Mt(2)), 3, 2, {10, 10, 20, 20, 30, 30});
  Mt none = nchoosek(row({1, 2, 3}), Mt(4));
  EXPECT_EQ(none.rows(), 0u);
  EXPECT_EQ(none.cols(), 4u);
  Mt zero = nchoosek(row({1, 2, 3}), Mt(0));
  EXPECT_EQ(zero.rows(), 1u);
  EXPECT_EQ(zero.cols(), 0u);
  EXPECT_FAIL(nchoosek(Mt(3), Mt(5)), "error: nchoosek: N must be a non-negative integer >= K");
  EXPECT_FAIL(nchoosek(Mt(3), Mt(1.5)), "error: nchoosek: K must be an integer >= 0");
  EXPECT_FAIL(nchoosek(Mt(), Mt(1)), "error: nchoosek: first argument must be a scalar or a vector");
}

TEST(ElemIntegers, Primes) {
  expect_values(primes(Mt(20)), 1, 8, {2, 3, 5, 7, 11, 13, 17, 19});
  EXPECT_EQ(primes(Mt(1)).cols(), 0u);
  EXPECT_EQ(primes(Mt(7919)).cols(), 1000u);
  Mt p = isprime(row({0, 1, 2, 97, 100, 4294967311.0, 4294967297.0}));
  EXPECT_TRUE(p.islogical());
  expect_values(p, 1, 7, {0, 0, 1, 1, 0, 1, 0});
  EXPECT_FAIL(primes(row({1, 2})), "error: primes: N must be a real scalar");
  EXPECT_FAIL(primes(Mt(INFINITY)), "error: primes: N must be finite");
  EXPECT_FAIL(isprime(Mt(1.5)), "error: isprime: X contains non-integer entries");
  EXPECT_FAIL(isprime(Mt(-3)), "error: isprime: X must contain non-negative integers");
}

TEST(ElemConstants, SizesAndClasses) {
  expect_values(e(), 1, 1, {2.71828});
  Mt m = e(Mt(2), Mt(3));
  EXPECT_EQ(m.rows(), 2u);
  EXPECT_EQ(m.cols(), 3u);
  EXPECT_EQ(double(realmax(str("single")).cre()[0]), double(3.4028234663852886e38f));
  EXPECT_EQ(realmin(row({0, 2})).numel(), 0u);
  EXPECT_FAIL(realmax(str("int8")), "error: realmax: invalid class name");
  EXPECT_FAIL(e(Mt(2.5)), "error: conversion of 2.5 to octave_idx_type value failed");
}

// MATLAB refuses negative and fractional values, where Octave converts them
// (bitand(1.5, 3) is 2 there); MATLAB also expands a row against a column, which
// Octave refuses.
TEST(ElemBits, IntegersOnlyAndExpansion) {
  EXPECT_FAIL(bitand_M(Mt(1.5), Mt(3)), "error: bitand: inputs must be non-negative integers below 2\\^53");
  EXPECT_FAIL(bitor_M(Mt(-1), Mt(3)), "error: bitor: inputs must be non-negative integers");
  EXPECT_FAIL(bitxor(Mt(NAN), Mt(3)), "error: bitxor: inputs must be non-negative integers");
  EXPECT_FAIL(bitshift(Mt(1), Mt(0.5)), "error: bitshift: N must be an integer");
  Mt c = Mt::alloc(2, 1);
  c.pr()[0] = 12;
  c.pr()[1] = 7;
  expect_values(bitand_M(c, row({10, 3})), 2, 2, {8, 2, 0, 3});
  // The top bit of 53 survives a logical operation and is lost by a shift past it.
  const double top = 4503599627370496.0;   // 2^52
  EXPECT_EQ(double(bitor_M(Mt(top), Mt(1)).cre()[0]), top + 1);
  EXPECT_EQ(double(bitshift(Mt(top), Mt(1)).cre()[0]), 0.0);
  EXPECT_EQ(double(bitshift(Mt(5), Mt(-60)).cre()[0]), 0.0);
}

TEST(ElemRoots, ExactWhereTheRootIs) {
  EXPECT_EQ(double(nthroot(Mt(27), Mt(3)).cre()[0]), 3.0);
  EXPECT_EQ(double(nthroot(Mt(-8), Mt(3)).cre()[0]), -2.0);
  EXPECT_EQ(double(nthroot(Mt(1024), Mt(10)).cre()[0]), 2.0);
  EXPECT_EQ(double(nthroot(Mt(0), Mt(-2)).cre()[0]), INFINITY);
  EXPECT_TRUE(std::isnan(double(nthroot(Mt(NAN), Mt(3)).cre()[0])));
  EXPECT_FAIL(nthroot(Mt(4), Mt(0)), "error: nthroot: N must be a real nonzero scalar");
  EXPECT_FAIL(nthroot(Mt(-4), Mt(1.5)), "error: nthroot: N must be an odd integer");
}

TEST(ElemCells, Refused) {
  EXPECT_FAIL(asin_M(Mc()), "error: asin: not defined for cell");
  EXPECT_FAIL(sec(Mc()), "error: cos: not defined for cell");
  EXPECT_FAIL(sign(Mc()), "error: signum: not defined for cell");
}

}  // namespace
