// The program's surroundings and data functions where a program's output cannot show
// the behaviour or the interpreter used for expected outputs answers differently:
// a compiled program is deployed, pause without an argument does not wait for input
// that is not a terminal, cov(x, y) is the covariance of two variables, the macro
// behind mfilename names the file it is compiled in, and the failures end the
// program with the message.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <unistd.h>

#include "values.h"
#include "ends.h"

using namespace gridlib_test;

TEST(SysInfo, DeployedUnixProgram) {
  EXPECT_TRUE(isdeployed().islogical());
  EXPECT_EQ(isdeployed().cre()[0], 1);
  EXPECT_EQ(isunix().cre()[0], 1);
  EXPECT_EQ(ispc().cre()[0], 0);
  EXPECT_EQ(grl::text_of(version()), "3.00");
}

TEST(SysInfo, MfilenameNamesTheSourceWithoutDirectoryOrExtension) {
  EXPECT_EQ(grl::text_of(grl::mfile_name{"/some/dir/prog.cpp"}()), "prog");
  EXPECT_EQ(grl::text_of(grl::mfile_name{"prog.m"}()), "prog");
  EXPECT_EQ(grl::text_of(grl::mfile_name{"/a/b/prog.cpp"}(str("fullpath"))), "/a/b/prog");
  EXPECT_EQ(grl::text_of(grl::mfile_name{"/a/b/prog.cpp"}(str("fullpathext"))), "/a/b/prog.m");
  EXPECT_EQ(grl::text_of(mfilename_M()), "sys_data_test");
}

TEST(SysInfo, PauseReturnsAtOnceWithoutATerminal) {
  // ctest runs the tests with standard input that is not a terminal.
  if (isatty(0)) GTEST_SKIP() << "standard input is a terminal";
  const auto t0 = std::chrono::steady_clock::now();
  pauseM();
  pauseM(Mt(m_type(INFINITY)));
  pauseM(Mt(m_type(-1)));
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_LT(s, 1.0);
}

TEST(SysInfo, ArgumentCountChecksReadTheCallersCounts) {
  const double saved = nargin_val;
  nargin_val = 1;
  narginchk(Mt(m_type(1)), Mt(m_type(2)));
  nargin_val = 3;
  EXPECT_ENDS(narginchk(Mt(m_type(1)), Mt(m_type(2))), testing::ExitedWithCode(1),
              "error: narginchk: too many input arguments");
  EXPECT_ENDS(narginchk(Mt(m_type(2)), Mt(m_type(1))), testing::ExitedWithCode(1),
              "narginchk: MINARGS cannot be larger than MAXARGS");
  nargin_val = saved;
}

TEST(DataStats, CovOfTwoVariablesIsTheirCovarianceMatrix) {
  const Mt c = cov(row({1, 2, 3}), row({1, 2, 4}));
  ASSERT_EQ(c.rows(), 2u);
  ASSERT_EQ(c.cols(), 2u);
  EXPECT_NEAR(c.cre()[0], 1.0, 1e-12);
  EXPECT_NEAR(c.cre()[1], 1.5, 1e-12);
  EXPECT_NEAR(c.cre()[2], 1.5, 1e-12);
  EXPECT_NEAR(c.cre()[3], 7.0 / 3.0, 1e-12);
  const Mt w = cov(row({1, 2, 3}), row({1, 2, 4}), Mt(m_type(1)));
  EXPECT_NEAR(w.cre()[3], 14.0 / 9.0, 1e-12);
  EXPECT_TRUE(std::isnan(double(cov(Mt()).cre()[0])));
}

TEST(DataRandom, PermutationsAndIntegersFollowTheSeed) {
  rand_M(str("seed"), Mt(m_type(3)));
  const Mt a = randperm(Mt(m_type(50)));
  rand_M(str("seed"), Mt(m_type(3)));
  const Mt b = randperm(Mt(m_type(50)));
  bool seen[51] = {};
  for (std::size_t k = 0; k < 50; ++k) {
    EXPECT_EQ(a.cre()[k], b.cre()[k]);
    const int v = int(a.cre()[k]);
    ASSERT_TRUE(v >= 1 && v <= 50);
    EXPECT_FALSE(seen[v]);
    seen[v] = true;
  }
  EXPECT_ENDS(randi(row({5, 1})), testing::ExitedWithCode(1), "randi: require IMIN <= IMAX");
  EXPECT_ENDS(randperm(Mt(m_type(3)), Mt(m_type(4))), testing::ExitedWithCode(1),
              "randperm: M must be less than or equal to N");
}

TEST(DataGrid, AccumarrayRefusesBadSubscriptsAndUnknownFunctions) {
  EXPECT_ENDS(accumarray(col({0, 1}), Mt(m_type(1))), testing::ExitedWithCode(1),
              "accumarray: indices must be positive integers");
  EXPECT_ENDS(accumarray(col({1, 2}), row({1, 2, 3})), testing::ExitedWithCode(1),
              "accumarray: dimension mismatch");
  // A named function the library does not reduce itself goes to the program's
  // dispatcher, then to the library's table of functions; this one is in neither.
  EXPECT_ENDS(accumarray(col({1, 2}), row({1, 2}), Mt(), grl::handle(str("my_own_fn"))),
              testing::ExitedWithCode(1), "unable to find function for @my_own_fn");
  EXPECT_ENDS(accumarray(col({1, 2}), row({1, 2}), Mt(), str("max")), testing::ExitedWithCode(1),
              "accumarray: FUNC must be a function handle");
  EXPECT_ENDS(accumarray(mat(2, 2, {1, 2, 1, 1}), row({1, 2}), row({1, 1})), testing::ExitedWithCode(1),
              "accumarray: dimensions mismatch");
  EXPECT_ENDS(accumarray(col({1, 1e10}), Mt(m_type(1))), testing::ExitedWithCode(1), "error: ");
}

TEST(DataGrid, SqrtmAndLogmInvertExpm) {
  const Mt a = mat(3, 3, {4, 1, 0, 1, 3, 1, 0, 1, 2});
  const Mt r = sqrtm(a);
  const Mt back = mtimes(r, r);
  for (std::size_t k = 0; k < 9; ++k) EXPECT_NEAR(back.cre()[k], a.cre()[k], 1e-10);
  const Mt l = logm(a);
  const Mt e = expm(l);
  for (std::size_t k = 0; k < 9; ++k) EXPECT_NEAR(e.cre()[k], a.cre()[k], 1e-9);
  EXPECT_FALSE(r.isc());
  EXPECT_ENDS(logm(mat(2, 2, {0, 0, 0, 0})), testing::ExitedWithCode(1), "logm: ");
}

// The standard error polyval gives from polyfit's structure is
// sqrt(1 + a * C * a') * normr / sqrt(df) for the row a of powers of x; the
// interpreter used for expected outputs pairs the factor R with the columns in pivoted
// order and gives other values when the fit is centred and scaled (mu).
TEST(DataFit, PolyvalDeltaIsTheStandardErrorOfTheFit) {
  const Mt x = row({1, 2, 3, 4, 5, 6}), y = row({1, 4, 9, 16, 25, 37});
  Mt p, S, mu, yy, delta;
  polyfit(x, y, Mt(m_type(1)), i_o, p, S, mu);
  polyval(p, row({2, 3}), S, mu, i_o, yy, delta);
  const double m = 3.5, sd = std::sqrt(3.5), normr = grl::field(S, "normr").cre()[0];
  ASSERT_EQ(delta.numel(), 2u);
  for (int k = 0; k < 2; ++k) {
    // The centred columns are orthogonal: C is diag(1/5, 1/6).
    const double a = (2 + k - m) / sd;
    const double want = std::sqrt(1 + a * a / 5 + 1.0 / 6) * normr / 2;
    EXPECT_NEAR(delta.cre()[k], want, 1e-12);
  }
  EXPECT_NEAR(grl::field(S, "df").cre()[0], 4, 0);
}

TEST(DataHist, InfiniteAndRepeatedEdges) {
  Mt n, e, bin;
  histcounts(row({-5, 0, 7, INFINITY, NAN}), row({-INFINITY, 0, INFINITY}), i_o, n, e, bin);
  EXPECT_EQ(n.numel(), 2u);
  EXPECT_EQ(n.cre()[0], 1);
  EXPECT_EQ(n.cre()[1], 3);
  EXPECT_EQ(bin.cre()[4], 0);
  // A value on a repeated last edge belongs to the last bin that is not empty.
  const Mt r = histcounts(row({1, 2, 2}), row({0, 1, 2, 2}));
  EXPECT_EQ(r.cre()[0], 0);
  EXPECT_EQ(r.cre()[1], 3);
  EXPECT_EQ(r.cre()[2], 0);
  EXPECT_ENDS(histcounts(row({1, 2}), row({2, 1})), testing::ExitedWithCode(1),
              "histcounts: EDGES must be a vector");
  EXPECT_ENDS(histcounts(row({1, 2}), str("BinWidth"), Mt(m_type(-1))), testing::ExitedWithCode(1),
              "histcounts: BinWidth must be a positive finite scalar");
}
