#include "project/mpath.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "test_util.h"

namespace {

std::vector<std::string> entries(const mpath_t& p) {
  std::vector<std::string> v;
  for (int i = 0; i < p.count(); ++i) v.push_back(p.getdirn(i));
  return v;
}

using V = std::vector<std::string>;

TEST(MpathAddLine, NormalisesSeparatorsPrefixListsAndBlanks) {
  mpath_t p;
  p.add_line("C:\\M\\general");
  p.add_line("/tmp_mnt/home/u/m");
  p.add_line("   d1;d2");
  p.add_line("..");
  p.add_line("lib/");
  p.add_line("trail  ");
  EXPECT_EQ(entries(p), (V{"C:/M/general/", "C:/M/general/private/", "/home/u/m/", "/home/u/m/private/",
                           "d1/", "d1/private/", "../", "../private/", "lib/", "lib/private/",
                           "trail  /", "trail  /private/"}));
}

TEST(MpathAddLine, EmptyOrBlankLineIsTheCurrentDirectory) {
  mpath_t p;
  p.add_line("");
  p.add_line("   \t");
  p.add_line(";rest");
  EXPECT_EQ(entries(p), (V{"", "", ""}));
}

TEST(MpathLimitDeathTest, The256thEntryStopsTheRun) {
  mpath_t p;
  for (int i = 0; i < 127; ++i) p.add_line("d" + std::to_string(i));
  EXPECT_EQ(p.count(), 254);
  p.add_dir("x/");
  EXPECT_EQ(p.count(), 255);
  EXPECT_EXIT(p.add_dir("y/"), ::testing::ExitedWithCode(1), "error: mpath has too many lines");
}

TEST(MpathLimitDeathTest, SecondEntryOfALineOverflows) {
  mpath_t p;
  for (int i = 0; i < 127; ++i) p.add_line("d" + std::to_string(i));
  EXPECT_EXIT(p.add_line("last"), ::testing::ExitedWithCode(1), "error: mpath has too many lines");
}

TEST(MpathLoad, ReadsEveryLineAndSplitsLongOnes) {
  ptest::temp_dir tmp;
  const std::string longdir(300, 'a');
  ptest::write_file("mp", "one\r\ntwo\n\n" + longdir + "\nlast");
  mpath_t p;
  p.load("mp");
  const std::string first(252, 'a'), rest(48, 'a');
  EXPECT_EQ(entries(p), (V{"one/", "one/private/", "two/", "two/private/", "", first + "/",
                           first + "/private/", rest + "/", rest + "/private/", "last/",
                           "last/private/"}));
}

TEST(MpathLoad, MissingFileWarnsAndAddsNothing) {
  ptest::temp_dir tmp;
  mpath_t p;
  testing::internal::CaptureStdout();
  p.load("nosuchfile");
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "error: could not open mpath\n");
  EXPECT_EQ(p.count(), 0);
}

TEST(MpathFind, TriesEntriesThenPrivateInOrder) {
  ptest::temp_dir tmp;
  ptest::make_dir("sub/w/private");
  ptest::make_dir("private");
  mpath_t p;
  p.add_line("");
  p.add_line("sub/w");  // sub/w/ and sub/w/private/
  // Nothing anywhere.
  EXPECT_FALSE(p.find("foo").has_value());
  // Second pass: private/ of the current directory.
  ptest::write_file("private/foo.m", "x=1;\n");
  EXPECT_EQ(p.find("foo").value(), "private/");
  // The entry sub/w/private/ belongs to the first pass, which wins over the second.
  ptest::write_file("sub/w/private/foo.m", "x=1;\n");
  EXPECT_EQ(p.find("foo").value(), "sub/w/private/");
  ptest::write_file("foo.m", "x=1;\n");
  EXPECT_EQ(p.find("foo").value(), "");
  // A directory named like the M-file is not an M-file.
  ptest::make_dir("bar.m");
  EXPECT_FALSE(p.find("bar").has_value());
}

TEST(MpathFind, PackageFunctionsByTheirProgramNames) {
  ptest::temp_dir tmp;
  ptest::make_dir("lib/+geo/+shapes");
  ptest::make_dir("+util");
  mpath_t p;
  p.add_line("");
  p.add_line("lib");
  ptest::write_file("+util/twice.m", "function y = twice(x)\n");
  ptest::write_file("lib/+geo/+shapes/area.m", "function a = area(d)\n");
  EXPECT_EQ(p.path_of("util_pkg_twice").value(), "+util/twice.m");
  EXPECT_EQ(p.find("util_pkg_twice").value(), "");
  EXPECT_EQ(p.path_of("geo_pkg_shapes_pkg_area").value(), "lib/+geo/+shapes/area.m");
  EXPECT_EQ(p.find("geo_pkg_shapes_pkg_area").value(), "lib/");
  // Not in the package, or no package of that name.
  EXPECT_FALSE(p.find("util_pkg_thrice").has_value());
  EXPECT_FALSE(p.find("geo_pkg_area").has_value());
  EXPECT_FALSE(p.find("twice").has_value());
  // An M-file of the name itself wins.
  ptest::write_file("lib/util_pkg_twice.m", "function y = util_pkg_twice(x)\n");
  EXPECT_EQ(p.path_of("util_pkg_twice").value(), "lib/util_pkg_twice.m");
}

TEST(MpathFind, PrivateOfPrivateIsSearchedLast) {
  ptest::temp_dir tmp;
  ptest::make_dir("up/private/private");
  ptest::make_dir("up/cur");
  ASSERT_EQ(::chdir("up/cur"), 0);
  mpath_t p;
  p.add_line("");
  p.add_line("..");
  ptest::write_file("../private/private/foo.m", "");
  EXPECT_EQ(p.find("foo").value(), "../private/private/");
  ptest::write_file("../private/foo.m", "");
  EXPECT_EQ(p.find("foo").value(), "../private/");
  ASSERT_EQ(::chdir("../.."), 0);
}

TEST(MpathFind, NameWithDotMIsNotExtendedAgain) {
  ptest::temp_dir tmp;
  ptest::write_file("g.m", "");
  ptest::write_file("h.m.m", "");
  mpath_t p;
  p.add_line("");
  EXPECT_EQ(p.find("g.m").value(), "");
  EXPECT_FALSE(p.find("h.m").has_value());
}

TEST(MpathOutOfDate, ComparesModificationTimes) {
  ptest::temp_dir tmp;
  ptest::write_file("a.m", "");
  ptest::write_file("a.cpp", "");
  ptest::set_mtime("a.m", 1000);
  ptest::set_mtime("a.cpp", 1000);
  EXPECT_FALSE(mpath_t::is_out_of_date("a.m", "a.cpp"));  // equal times
  ptest::set_mtime("a.cpp", 999);
  EXPECT_TRUE(mpath_t::is_out_of_date("a.m", "a.cpp"));
  ptest::set_mtime("a.cpp", 1001);
  EXPECT_FALSE(mpath_t::is_out_of_date("a.m", "a.cpp"));
  EXPECT_TRUE(mpath_t::is_out_of_date("a.m", "missing.cpp"));
  EXPECT_FALSE(mpath_t::is_out_of_date("missing.m", "a.cpp"));
  EXPECT_TRUE(mpath_t::is_out_of_date("missing.m", "missing.cpp"));
}

}  // namespace

#include "driver/driver.h"

namespace {

TEST(MpathDriver, SearchPathOfTheMainFileSurroundings) {
  ptest::temp_dir tmp;
  driver_run run;
  run.main_dir = "progs/";
  run.mpath_path = "no-product-mpath";
  testing::internal::CaptureStdout();
  driver::build_search_path(run);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(entries(run.search_path), (V{"", "../", "../private/", "progs/", "progs/private/"}));
  // A callee in the parent directory is found there.
  ptest::make_dir("cur");
  ptest::write_file("up.m", "");
  ASSERT_EQ(::chdir("cur"), 0);
  EXPECT_EQ(run.search_path.find("up").value(), "../");
  ASSERT_EQ(::chdir(".."), 0);
}

}  // namespace
