#include "driver/diag.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "report.h"

namespace {

std::string temp_file(const char* name, const std::string& text) {
  std::string path = testing::TempDir() + name;
  std::ofstream(path) << text;
  return path;
}

TEST(Report, ComposesPositionAndLineText) {
  diag::set_position("", 0);
  EXPECT_EQ(diag::compose_report("boom"), "error: boom\n");

  const std::string f = temp_file("five.m", "a\nb\nc\nd\ne\n");
  diag::set_position(f, 3);
  EXPECT_EQ(diag::compose_report("bad"), f + "(3) : error: 'c' : bad\n");
  diag::set_position(f, 7);
  EXPECT_EQ(diag::compose_report("bad"), f + "(7) : error: '(end of file)' : bad\n");
  std::remove(f.c_str());
  EXPECT_EQ(diag::compose_report("bad"), "Could not open " + f + "\n");
  diag::set_position("", 0);
}

TEST(Report, IsCutAtTheBufferSize) {
  diag::set_position("", 0);
  EXPECT_EQ(diag::compose_report(std::string(3000, 'x')).size(), diag::kReportLimit);
}

TEST(Report, FatalErrorExitsWithStatusOne) {
  diag::set_position("", 0);
  EXPECT_EXIT(diag::error("Wrong version of %s", "k.dt"), testing::ExitedWithCode(1),
              "Wrong version of k.dt");
  EXPECT_EXIT(KASSERT("TOKENS", 1 == 2), testing::ExitedWithCode(3),
              "Assertion failed: 1 == 2, file TOKENS, line [0-9]+");
}

TEST(Banner, LinesAreExactlyTheWidth) {
  const diag::banner_lines b = diag::banner("KORVAL", 76);
  for (const std::string& l : b.line) EXPECT_EQ(l.size(), 76u);
  EXPECT_EQ(b.line[0].substr(0, 6), "KORVAL");
  EXPECT_EQ(b.line[0].substr(76 - 12), "Version 3.00");
  const diag::banner_lines tight = diag::banner("ABCDEFGHIJ", 5);
  EXPECT_EQ(tight.line[0], "ABCDEFGHIJVersion 3.00");
}

TEST(Version, ComparisonIsExact) {
  for (const char* bad : {"3.00 \n", "3.0\n", ""}) {
    const std::string f = temp_file("v.dt", bad);
    std::FILE* s = std::fopen(f.c_str(), "r");
    EXPECT_EXIT(diag::check_version(s, f), testing::ExitedWithCode(1), "Wrong version of");
    std::fclose(s);
  }
  const std::string f = temp_file("ok.dt", "3.00\nrest\n");
  std::FILE* s = std::fopen(f.c_str(), "r");
  diag::check_version(s, f);
  std::fclose(s);
}

}  // namespace

namespace {

TEST(Version, StreamsAndBinaryGarbage) {
  std::istringstream good("3.00\ndouble x\n");
  diag::check_version(good, "k.dt");
  std::string rest;
  std::getline(good, rest);
  EXPECT_EQ(rest, "double x");  // left behind the version line

  std::istringstream nul(std::string("3.00\0junk\n", 10));
  EXPECT_REPORT(diag::check_version(nul, "k.dt"), "^error: Wrong version of k.dt\n$");
  std::istringstream empty("");
  EXPECT_EXIT(diag::check_version(empty, "e.dt"), testing::ExitedWithCode(1),
              "Wrong version of e.dt");
}

TEST(Report, ErrorAtSetsTheLine) {
  const std::string f = temp_file("three.m", "x = 1;\ny = [1 2\nz\n");
  diag::set_position(f, 1);
  EXPECT_REPORT(diag::error_at(2, "%s: missing %s", "parser", "]"),
                "^" + f + "\\(2\\) : error: 'y = \\[1 2' : parser: missing \\]\n$");
  EXPECT_REPORT(diag::error("%d too many %s", 3, "brackets"),
                "^" + f + "\\(1\\) : error: 'x = 1;' : 3 too many brackets\n$");
  diag::set_position("", 0);
}

}  // namespace
