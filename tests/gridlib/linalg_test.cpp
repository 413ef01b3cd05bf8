// Linear algebra of gridlib: the matrix operators, factorisations, polynomials and
// transforms, checked against values computed independently (by hand or by the
// reference interpreter) and against the reference messages.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>

#include <cblas.h>

#include "gridlib.h"
#include "ends.h"

namespace {

typedef M<double> Md;

// A rows x cols real matrix from its elements given row by row (as written in M).
Md mat(std::size_t r, std::size_t c, std::initializer_list<double> v) {
  Md m = Md::alloc(r, c);
  std::size_t k = 0;
  for (double x : v) {
    m.pr()[(k / c) + (k % c) * r] = x;
    ++k;
  }
  return m;
}

Md cmat(std::size_t r, std::size_t c, std::initializer_list<double> re, std::initializer_list<double> im) {
  Md m = mat(r, c, re);
  Md i = mat(r, c, im);
  double* p = m.pi();
  for (std::size_t k = 0; k < m.numel(); ++k) p[k] = i.cre()[k];
  return m;
}

void expect_near(const Md& got, const Md& want, double tol = 1e-10) {
  ASSERT_EQ(got.rows(), want.rows());
  ASSERT_EQ(got.cols(), want.cols());
  ASSERT_EQ(got.isc(), want.isc());
  for (std::size_t k = 0; k < got.numel(); ++k) {
    EXPECT_NEAR(got.cre()[k], want.cre()[k], tol) << "element " << k;
    if (want.isc()) {
      EXPECT_NEAR(got.cim()[k], want.cim()[k], tol) << "imag " << k;
    }
  }
}

}  // namespace

TEST(LinalgOps, ProductOfRealComplexAndScalarFactors) {
  Md a = mat(2, 3, {1, 2, 3, 4, 5, 6});
  Md b = mat(3, 2, {1, 0, 0, 1, 1, 1});
  expect_near(grl::mtimes(a, b), mat(2, 2, {4, 5, 10, 11}));
  expect_near(grl::mtimes(Md(2.0), a), mat(2, 3, {2, 4, 6, 8, 10, 12}));
  expect_near(grl::mtimes(a, Md::cplx(0, 1)), cmat(2, 3, {0, 0, 0, 0, 0, 0}, {1, 2, 3, 4, 5, 6}));
  // (1+i)(1-i) = 2: the imaginary part vanishes and the result is real.
  Md z = cmat(1, 2, {1, 1}, {1, -1});
  Md zt = cmat(2, 1, {1, 1}, {-1, 1});
  expect_near(grl::mtimes(z, zt), Md(4.0));
  expect_near(grl::mtimes(a, cmat(3, 1, {1, 0, 0}, {0, 1, 0})), cmat(2, 1, {1, 4}, {2, 5}));
  // Empty inner dimension: zeros of the outer shape.
  Md e = grl::mtimes(Md::zeros(2, 0), Md::zeros(0, 3));
  expect_near(e, Md::zeros(2, 3));
}

TEST(LinalgOps, NonconformantOperandsEndTheProgram) {
  // BLAS keeps worker threads: the child of a death test starts afresh.
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  Md a = mat(2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_ENDS(grl::mtimes(a, a), testing::ExitedWithCode(1),
              "error: operator \\*: nonconformant arguments \\(op1 is 2x3, op2 is 2x3\\)");
  EXPECT_ENDS(grl::mldivide(a, mat(1, 2, {1, 2})), testing::ExitedWithCode(1),
              "error: operator \\\\: nonconformant arguments \\(op1 is 2x3, op2 is 1x2\\)");
  EXPECT_ENDS(grl::mrdivide(a, mat(1, 2, {1, 2})), testing::ExitedWithCode(1),
              "error: operator /: nonconformant arguments \\(op1 is 2x3, op2 is 1x2\\)");
}

TEST(LinalgOps, SquareSolveAndItsSingularCases) {
  Md a = mat(2, 2, {4, 3, 6, 3});
  Md x = grl::mldivide(a, mat(2, 1, {10, 12}));
  expect_near(x, mat(2, 1, {1, 2}));
  // A complex right-hand side against a real matrix.
  expect_near(grl::mldivide(a, cmat(2, 1, {10, 12}, {4, 6})), cmat(2, 1, {1, 2}, {1, 0}));
  // Complex matrix: (1+i) x = 2 i.
  expect_near(grl::mldivide(cmat(1, 1, {1}, {1}), cmat(1, 1, {0}, {2})), cmat(1, 1, {1}, {1}));
  // An exactly singular matrix warns and falls back on the minimum-norm solution.
  testing::internal::CaptureStderr();
  Md s = grl::mldivide(mat(2, 2, {1, 2, 2, 4}), mat(2, 1, {1, 2}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "warning: matrix singular to machine precision\n");
  expect_near(s, mat(2, 1, {0.2, 0.4}));
  // Nearly singular: the LU result, with the condition estimate in the warning.
  testing::internal::CaptureStderr();
  grl::mldivide(mat(2, 2, {1, 2, 1, 2 + 1e-15}), mat(2, 1, {1, 2}));
  EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("warning: matrix singular to machine precision, rcond = ", 0),
            0u);
}

// Triangular systems are solved by substitution: exact where elimination with row
// exchanges would round, and a zero on the diagonal still goes the singular way.
TEST(LinalgOps, TriangularSolveBySubstitution) {
  Md u = mat(3, 3, {3, 1, 2, 0, 7, 5, 0, 0, 11});   // upper
  Md x = grl::mldivide(u, mat(3, 1, {3 + 1 * 2 + 2 * 3, 7 * 2 + 5 * 3, 11 * 3}));
  for (int k = 0; k < 3; ++k) EXPECT_EQ(x.cre()[k], double(k + 1));
  // Below the diagonal the larger entries would make elimination exchange rows.
  Md l = mat(3, 3, {1, 0, 0, 3, 1, 0, 7, 2, 1});
  Md y = grl::mldivide(l, mat(3, 1, {1, 3 + 2, 7 + 4 + 3}));
  for (int k = 0; k < 3; ++k) EXPECT_EQ(y.cre()[k], double(k + 1));
  testing::internal::CaptureStderr();
  grl::mldivide(mat(2, 2, {1, 0, 2, 0}), mat(2, 1, {1, 1}));
  EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("warning: matrix singular to machine precision", 0), 0u);
  testing::internal::CaptureStderr();
  grl::mldivide(mat(2, 2, {1, 0, 1, 1e-300}), mat(2, 1, {1, 1}));
  EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("warning: matrix singular to machine precision, rcond = ", 0), 0u);
}

TEST(LinalgOps, RectangularSolveIsLeastSquares) {
  Md a = mat(3, 1, {1, 1, 1});
  expect_near(grl::mldivide(a, mat(3, 1, {1, 2, 3})), Md(2.0));
  expect_near(grl::mldivide(mat(3, 2, {1, 1, 1, 1, 1, 1}), mat(3, 1, {1, 2, 3})), mat(2, 1, {1, 1}));
  // Underdetermined: minimum norm.
  expect_near(grl::mldivide(mat(1, 2, {1, 1}), Md(2.0)), mat(2, 1, {1, 1}));
  expect_near(grl::mrdivide(mat(1, 2, {2, 4}), mat(1, 2, {1, 2})), Md(2.0));
  expect_near(grl::mrdivide(mat(2, 2, {1, 2, 3, 4}), mat(2, 2, {1, 2, 3, 4})), mat(2, 2, {1, 0, 0, 1}));
  expect_near(grl::mldivide(Md(2.0), mat(1, 2, {1, 4})), mat(1, 2, {0.5, 2}));
  expect_near(grl::mldivide(Md::zeros(0, 3), Md::zeros(0, 2)), Md::zeros(3, 2));
}

TEST(LinalgOps, MatrixAndScalarPowers) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  Md a = mat(2, 2, {1, 1, 1, 0});
  expect_near(grl::mpower(a, Md(10.0)), mat(2, 2, {89, 55, 55, 34}));
  expect_near(grl::mpower(a, Md(0.0)), mat(2, 2, {1, 0, 0, 1}));
  expect_near(grl::mpower(a, Md(-1.0)), mat(2, 2, {0, 1, 1, -1}));
  expect_near(grl::mpower(Md(2.0), Md(-2.0)), Md(0.25));
  expect_near(grl::mpower(Md(-8.0), Md(1.0 / 3)), cmat(1, 1, {1}, {std::sqrt(3.0)}));
  expect_near(grl::mpower(Md::cplx(0, 1), Md(2.0)), Md(-1.0));
  // Non-integer power of a matrix and a scalar base: through the eigenvalues.
  Md d = mat(2, 2, {4, 0, 0, 9});
  expect_near(grl::mpower(d, Md(0.5)), mat(2, 2, {2, 0, 0, 3}));
  expect_near(grl::mpower(Md(2.0), mat(2, 2, {1, 0, 0, 3})), mat(2, 2, {2, 0, 0, 8}));
  EXPECT_ENDS(grl::mpower(a, a), testing::ExitedWithCode(1), "error: can't do A \\^ B for A and B both matrices");
  EXPECT_ENDS(grl::mpower(mat(1, 3, {1, 2, 3}), Md(2.0)), testing::ExitedWithCode(1),
              "error: for x\\^y, only square matrix arguments are permitted");
}

TEST(LinalgOps, TransposesKeepKindAndConjugateOnlyWhenAsked) {
  Md a = cmat(2, 3, {1, 2, 3, 4, 5, 6}, {1, 0, -1, 0, 2, 0});
  Md t = grl::transpose(a);
  expect_near(t, cmat(3, 2, {1, 4, 2, 5, 3, 6}, {1, 0, 0, 2, -1, 0}));
  expect_near(grl::ctranspose(a), cmat(3, 2, {1, 4, 2, 5, 3, 6}, {-1, 0, 0, -2, 1, 0}));
  Md s = mat(1, 2, {104, 105});
  s.set_flags(grl::F_STRING);
  EXPECT_TRUE(grl::transpose(s).ischar());
  // Large enough for the blocked path, with ragged edges.
  Md big = Md::alloc(70, 45);
  for (std::size_t k = 0; k < big.numel(); ++k) big.pr()[k] = double(k);
  Md bt = grl::transpose(big);
  for (std::size_t i = 0; i < 70; ++i)
    for (std::size_t j = 0; j < 45; ++j) ASSERT_EQ(bt.cre()[j + i * 45], big.cre()[i + j * 70]);
}

TEST(LinalgFunctions, InverseDeterminantTraceRank) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  Md a = mat(2, 2, {1, 2, 3, 4});
  expect_near(inv(a), mat(2, 2, {-2, 1, 1.5, -0.5}));
  expect_near(det(a), Md(-2.0));
  expect_near(det(Md::zeros(0, 0)), Md(1.0));
  expect_near(det(cmat(1, 1, {0}, {2})), cmat(1, 1, {0}, {2}));
  testing::internal::CaptureStderr();
  Md s = inv(mat(2, 2, {1, 2, 2, 4}));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "warning: matrix singular to machine precision\n");
  EXPECT_TRUE(std::isinf(s.cre()[0]));
  // magic(4) has rank 3.
  expect_near(rank(mat(4, 4, {16, 2, 3, 13, 5, 11, 10, 8, 9, 7, 6, 12, 4, 14, 15, 1})), Md(3.0));
  expect_near(trace(a), Md(5.0));
  // MATLAB refuses the trace of a vector; the reference interpreter gives its first element.
  EXPECT_ENDS(trace(mat(1, 3, {1, 2, 3})), testing::ExitedWithCode(1), "error: trace: only valid on square matrix");
  EXPECT_ENDS(inv(mat(1, 3, {1, 2, 3})), testing::ExitedWithCode(1), "error: inverse: A must be a square matrix");
  EXPECT_ENDS(det(mat(1, 3, {1, 2, 3})), testing::ExitedWithCode(1), "error: det: A must be a square matrix");
}

TEST(LinalgFunctions, NormsAndConditionNumbers) {
  Md a = mat(2, 2, {1, 2, 3, 4});
  Md fro = Md::alloc(1, 3);
  fro.set_flags(grl::F_STRING);
  fro.pr()[0] = 'f'; fro.pr()[1] = 'r'; fro.pr()[2] = 'o';
  expect_near(norm(a), Md(5.464985704219043));
  expect_near(norm(a, 1.0), Md(6.0));
  expect_near(norm(a, std::numeric_limits<double>::infinity()), Md(7.0));
  expect_near(norm(a, fro), Md(5.477225575051661));
  expect_near(norm(mat(1, 2, {3, 4})), Md(5.0));
  expect_near(norm(mat(1, 3, {1, -2, 3}), 1.0), Md(6.0));
  expect_near(norm(cmat(1, 1, {3}, {4})), Md(5.0));
  // Huge elements: the scaled sum does not overflow.
  expect_near(norm(mat(1, 2, {3e200, 4e200})), Md(5e200), 1e188);
  EXPECT_TRUE(std::isnan(norm(mat(1, 2, {1, NAN})).cre()[0]));
  expect_near(norm(Md::zeros(0, 0)), Md(0.0));
  expect_near(cond(a), Md(14.933034373659268), 1e-9);
  EXPECT_GT(cond(mat(2, 2, {1, 1, 1, 1})).cre()[0], 1e15);
  EXPECT_TRUE(std::isinf(cond(Md::zeros(2, 2)).cre()[0]));
  expect_near(cond(a, 1.0), Md(21.0), 1e-9);
}

TEST(LinalgFunctions, PseudoInverseNullSpaceAndRange) {
  Md a = mat(3, 2, {1, 2, 3, 4, 5, 6});
  expect_near(pinv(a), mat(2, 3, {-4.0 / 3, -1.0 / 3, 2.0 / 3, 13.0 / 12, 1.0 / 3, -5.0 / 12}));
  expect_near(pinv(Md::zeros(0, 3)), Md::zeros(3, 0));
  Md z = null(mat(2, 2, {1, 1, 1, 1}));
  expect_near(grl::mtimes(mat(2, 2, {1, 1, 1, 1}), z), Md::zeros(2, 1));
  ASSERT_EQ(z.cols(), 1u);
  // The basis signs the reference interpreter shows.
  expect_near(orth(mat(2, 2, {1, 1, 1, 1})), mat(2, 1, {std::sqrt(0.5), std::sqrt(0.5)}));
  expect_near(kron(mat(1, 2, {1, 2}), mat(2, 1, {1, 10})), mat(2, 2, {1, 2, 10, 20}));
  expect_near(expm(mat(2, 2, {1, 2, 3, 4})), mat(2, 2, {51.96895619870501, 74.73656456700326,
                                                           112.1048468505049, 164.07380304921}), 1e-9);
  expect_near(expm(Md::zeros(2, 2)), mat(2, 2, {1, 0, 0, 1}));
}

TEST(LinalgFactorisations, LuQrCholReassemble) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  Md a = mat(2, 2, {1, 2, 3, 4});
  expect_near(lu(a), mat(2, 2, {3, 4, 1.0 / 3, 2.0 / 3}));
  Md l, u, p;
  lu(a, i_o, l, u, p);
  expect_near(l, mat(2, 2, {1, 0, 1.0 / 3, 1}));
  expect_near(p, mat(2, 2, {0, 1, 1, 0}));
  expect_near(grl::mtimes(p, a), grl::mtimes(l, u));
  lu(a, i_o, l, u);
  expect_near(grl::mtimes(l, u), a);
  Md r6 = mat(3, 2, {1, 2, 3, 4, 5, 6});
  Md q, r;
  qr(r6, i_o, q, r);
  ASSERT_EQ(q.cols(), 3u);
  expect_near(grl::mtimes(q, r), r6);
  expect_near(r, mat(3, 2, {-5.916079783099616, -7.437357441610946, 0, 0.8280786712108248, 0, 0}));
  qr(r6, 0.0, i_o, q, r);
  ASSERT_EQ(q.cols(), 2u);
  ASSERT_EQ(r.rows(), 2u);
  expect_near(chol(mat(2, 2, {4, 2, 2, 3})), mat(2, 2, {2, 1, 0, std::sqrt(2.0)}));
  Md rr, pp;
  chol(mat(2, 2, {1, 2, 2, 1}), i_o, rr, pp);
  expect_near(rr, Md(1.0));
  expect_near(pp, Md(2.0));
  EXPECT_ENDS(chol(mat(2, 2, {1, 2, 3, -4})), testing::ExitedWithCode(1),
              "error: chol: input matrix must be positive definite");
}

TEST(LinalgFactorisations, EigenvaluesAndSingularValues) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  Md t = mat(3, 3, {2, -1, 0, -1, 2, -1, 0, -1, 2});
  expect_near(eig(t), mat(3, 1, {2 - std::sqrt(2.0), 2, 2 + std::sqrt(2.0)}));
  Md v, d;
  eig(t, i_o, v, d);
  expect_near(grl::mtimes(t, v), grl::mtimes(v, d));
  // A rotation: complex conjugate eigenvalues and vectors.
  eig(mat(2, 2, {0, 1, -1, 0}), i_o, v, d);
  expect_near(d, cmat(2, 2, {0, 0, 0, 0}, {1, 0, 0, -1}));
  expect_near(v, cmat(2, 2, {std::sqrt(0.5), std::sqrt(0.5), 0, 0}, {0, 0, std::sqrt(0.5), -std::sqrt(0.5)}));
  Md r6 = mat(3, 2, {1, 2, 3, 4, 5, 6});
  expect_near(svd(r6), mat(2, 1, {9.525518091565109, 0.5143005806586441}));
  Md u, s, w;
  svd(r6, i_o, u, s, w);
  expect_near(grl::mtimes(grl::mtimes(u, s), grl::ctranspose(w)), r6);
  EXPECT_EQ(s.rows(), 3u);
  EXPECT_ENDS(eig(mat(1, 2, {1, 2})), testing::ExitedWithCode(1), "error: eig: A must be a square matrix");
  EXPECT_ENDS(svd(mat(1, 2, {1, NAN})), testing::ExitedWithCode(1),
              "error: svd: cannot take SVD of matrix containing Inf or NaN values");
}

// The condensed-form drivers run with one BLAS thread: the same bits whatever thread
// count the program runs with, and that count is given back afterwards. Large enough
// for BLAS to split its matrix-vector products between threads.
TEST(LinalgFactorisations, EigAndSvdDoNotDependOnTheBlasThreadCount) {
  const std::size_t n = 260;
  Md a = Md::alloc(n, n);
  for (std::size_t j = 0; j < n; ++j)
    for (std::size_t i = 0; i < n; ++i) a.pr()[i + j * n] = double((i + 1) * (j + 1) % 13) / 13 - 0.5 + (i == j);
  Md sym = a + grl::ctranspose(a);
  auto run = [&](int threads, Md out[4]) {
    openblas_set_num_threads(threads);
    out[0] = eig(sym);
    out[1] = eig(a);
    out[2] = svd(a);
    Md v;
    eig(sym, i_o, v, out[3]);
    out[3] = v;
    EXPECT_EQ(openblas_get_num_threads(), threads);
  };
  const int before = openblas_get_num_threads();
  Md one[4], two[4];
  run(1, one);
  run(2, two);
  openblas_set_num_threads(before);
  for (int k = 0; k < 4; ++k) {
    ASSERT_EQ(one[k].numel(), two[k].numel());
    EXPECT_EQ(0, std::memcmp(one[k].cre(), two[k].cre(), one[k].numel() * sizeof(double))) << "result " << k;
    ASSERT_EQ(one[k].cim() == nullptr, two[k].cim() == nullptr);
    if (one[k].cim()) {
      EXPECT_EQ(0, std::memcmp(one[k].cim(), two[k].cim(), one[k].numel() * sizeof(double)));
    }
  }
}

namespace {
Md text(const char* s) {
  Md m = Md::alloc(1, std::strlen(s));
  for (std::size_t k = 0; s[k]; ++k) m.pr()[k] = s[k];
  m.set_flags(grl::F_STRING);
  return m;
}
}  // namespace

TEST(LinalgPolynomials, ConvolutionDivisionRootsAndFits) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  // The longer operand sets the orientation; on a tie the second one.
  expect_near(conv(mat(1, 2, {1, 2}), mat(2, 1, {1, 2})), mat(3, 1, {1, 4, 4}));
  expect_near(conv(mat(2, 1, {1, 2}), mat(1, 3, {1, 2, 3})), mat(1, 4, {1, 4, 7, 6}));
  expect_near(conv(mat(1, 4, {1, 2, 3, 4}), mat(1, 3, {1, 1, 1}), text("same")), mat(1, 4, {3, 6, 9, 7}));
  expect_near(conv(mat(1, 4, {1, 2, 3, 4}), mat(1, 3, {1, 1, 1}), text("valid")), mat(1, 2, {6, 9}));
  Md b, r;
  deconv(mat(1, 3, {1, 4, 4}), mat(1, 2, {1, 2}), i_o, b, r);
  expect_near(b, mat(1, 2, {1, 2}));
  expect_near(r, mat(1, 3, {0, 0, 0}));
  EXPECT_ENDS(deconv(mat(1, 2, {1, 2}), mat(1, 2, {0, 1})), testing::ExitedWithCode(1),
              "error: deconv: divisor cannot be zero");
  expect_near(roots(mat(1, 3, {1, -3, 2})), mat(2, 1, {2, 1}));
  // Leading zeros are dropped, trailing zeros are roots at 0.
  expect_near(roots(mat(1, 4, {0, 1, -6, 0})), mat(2, 1, {6, 0}));
  expect_near(roots(mat(1, 4, {1, 0, 1, 0})), cmat(3, 1, {0, 0, 0}, {1, -1, 0}));
  expect_near(polyfit(mat(1, 5, {0, 1, 2, 3, 4}), mat(1, 5, {1, 2, 5, 10, 17}), 2.0), mat(1, 3, {1, 0, 1}), 1e-12);
  expect_near(polyval(mat(1, 3, {1, 2, 3}), mat(2, 2, {0, 1, 2, 3})), mat(2, 2, {3, 6, 11, 18}));
  expect_near(polyval(mat(1, 2, {1, 0}), Md::cplx(0, 2)), cmat(1, 1, {0}, {2}));
}

TEST(LinalgSignals, FilterAlongColumnsWithStates) {
  expect_near(filter(1.0, mat(1, 2, {1, -0.5}), mat(1, 3, {1, 1, 1})), mat(1, 3, {1, 1.5, 1.75}));
  // [y,zf] = filter([1 2 3],[2 1],[1 3;2 4;3 5]) in the reference interpreter.
  Md y, zf;
  filter(mat(1, 3, {1, 2, 3}), mat(1, 2, {2, 1}), mat(3, 2, {1, 3, 2, 4, 3, 5}), i_o, y, zf);
  expect_near(y, mat(3, 2, {0.5, 1.5, 1.75, 4.25, 4.125, 8.875}));
  expect_near(zf, mat(2, 2, {3.9375, 6.5625, 4.5, 7.5}));
  // Feeding the final state back continues the filtering seamlessly.
  Md y1, z1;
  filter(1.0, mat(1, 2, {1, -0.5}), mat(1, 2, {1, 1}), i_o, y1, z1);
  expect_near(filter(1.0, mat(1, 2, {1, -0.5}), Md(1.0), z1), Md(1.75));
}

TEST(LinalgSignals, FourierTransforms) {
  expect_near(fft(mat(1, 4, {1, 2, 3, 4})), cmat(1, 4, {10, -2, -2, -2}, {0, 2, 0, -2}));
  expect_near(fft(mat(1, 2, {1, 1})), mat(1, 2, {2, 0}));
  expect_near(ifft(fft(mat(1, 3, {1, 2, 3}))), mat(1, 3, {1, 2, 3}));
  expect_near(fft(mat(2, 2, {1, 3, 2, 4})), mat(2, 2, {3, 7, -1, -1}));
  expect_near(fft(mat(2, 2, {1, 3, 2, 4}), Md(), 2.0), mat(2, 2, {4, -2, 6, -2}));
  Md p = fft(mat(1, 3, {1, 2, 3}), 5.0);
  ASSERT_EQ(p.cols(), 5u);
  EXPECT_NEAR(p.cim()[1], -3.665468789, 1e-8);
  expect_near(fft(mat(1, 3, {1, 2, 3}), 2.0), mat(1, 2, {3, -1}));
}

TEST(LinalgSignals, InterpolationAndIntegration) {
  Md x3 = mat(1, 3, {1, 2, 3});
  Md lin = interp1(x3, mat(1, 3, {4, 5, 6}), mat(1, 3, {0, 1.5, 3}));
  EXPECT_TRUE(std::isnan(lin.cre()[0]));   // outside the points: MATLAB's NaN
  EXPECT_DOUBLE_EQ(lin.cre()[1], 4.5);
  expect_near(interp1(x3, mat(1, 3, {4, 5, 6}), mat(1, 3, {1.4, 1.5, 2.6}), text("nearest")), mat(1, 3, {4, 5, 6}));
  expect_near(interp1(mat(1, 5, {1, 2, 3, 4, 5}), mat(1, 5, {1, 4, 2, 5, 3}), mat(1, 3, {1.5, 2.5, 4.2}), text("spline")),
              mat(1, 3, {4.0625, 2.6875, 5.48}));
  expect_near(interp1(x3, mat(1, 3, {1, 4, 2}), mat(1, 2, {1.5, 2.5}), text("spline")), mat(1, 2, {3.125, 3.625}));
  expect_near(interp1(x3, mat(1, 3, {4, 5, 6}), Md(4.0), text("linear"), text("extrap")), Md(7.0));
  expect_near(trapz(mat(1, 3, {1, 2, 3})), Md(4.0));
  expect_near(trapz(mat(2, 2, {1, 2, 3, 4})), mat(1, 2, {2, 3}));
  expect_near(trapz(mat(1, 3, {0, 1, 3}), mat(1, 3, {1, 2, 3})), Md(6.5));
  expect_near(cumtrapz(mat(1, 3, {1, 2, 3})), mat(1, 3, {0, 1.5, 4}));
  expect_near(cumtrapz(mat(2, 2, {1, 2, 3, 4}), 2.0), mat(2, 2, {0, 1.5, 0, 3.5}));
  // Along the third dimension each line is one element, so the area is zero: MATLAB's
  // answer (Octave refuses the dimension of a 2-D value).
  expect_near(trapz(mat(2, 2, {1, 2, 3, 4}), 3.0), Md::zeros(2, 2));
  expect_near(cumtrapz(mat(1, 2, {1, 2}), 3.0), Md::zeros(1, 2));
  expect_near(trapz(Md(2.0), mat(1, 2, {1, 2}), 3.0), Md::zeros(1, 2));
}
