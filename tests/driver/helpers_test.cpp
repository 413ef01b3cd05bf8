#include "driver/helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "report.h"

namespace {

TEST(Helpers, CaseConversionInPlace) {
  char buf[] = "MixED.M";
  EXPECT_STREQ(util::strlwr(buf), "mixed.m");
  EXPECT_STREQ(util::strupr(buf), "MIXED.M");
  std::string s = "Ab\xC4z";  // bytes above 127 are left alone
  EXPECT_EQ(util::strlwr(s), "ab\xC4z");
  EXPECT_DEATH(util::strlwr(static_cast<char*>(nullptr)),
               "Assertion failed: s!=NULL, file STRLWR, line");
}

TEST(Helpers, RemoveDeletesTheFirstOccurrenceOnly) {
  char buf[] = "-x -x";
  EXPECT_EQ(util::strrmv(buf, "-x"), 1);
  EXPECT_STREQ(buf, " -x");
  EXPECT_EQ(util::strrmv(buf, "-y"), 0);
  std::string s = "a-nologo b";
  EXPECT_EQ(util::strrmv(s, "-nologo"), 1);
  EXPECT_EQ(s, "a b");
  EXPECT_DEATH(util::strrmv(buf, nullptr), "s2!=NULL, file STRRMV");
}

TEST(Helpers, AddSlashAndSplitAndStrip) {
  std::string p = "c:\\k";
  util::addslash(p);
  EXPECT_EQ(p, "c:\\k/");
  util::addslash(p);
  EXPECT_EQ(p, "c:\\k/");
  p = "a\\";
  util::addslash(p);
  EXPECT_EQ(p, "a\\");
  p.clear();
  util::addslash(p);
  EXPECT_EQ(p, "/");

  std::string dir = "junk", name = "junk";
  util::namesplit("prog.m", &dir, &name);
  EXPECT_EQ(dir, "");
  EXPECT_EQ(name, "prog.m");
  util::namesplit("c:/x/", &dir, &name);
  EXPECT_EQ(dir, "c:/x/");
  EXPECT_EQ(name, "");
  util::namesplit("a/b\\c.m", nullptr, &name);
  EXPECT_EQ(name, "c.m");
  EXPECT_DEATH(util::namesplit(static_cast<const char*>(nullptr), &dir, &name),
               "buf!=NULL, file NAMESPLI");

  p = "a\\b\\c.exe";
  util::strip_last(p);
  EXPECT_EQ(p, "a\\b\\");
  util::strip_last(p);
  EXPECT_EQ(p, "a\\");
  p = "/";
  util::strip_last(p);
  EXPECT_EQ(p, "/");
}

TEST(Helpers, SkipBlanksAndWords) {
  const char* t = " \t word rest";
  const char* w = util::skipspace(t);
  EXPECT_STREQ(w, "word rest");
  EXPECT_STREQ(util::skipword(w), " rest");
  EXPECT_STREQ(util::skipspace("   "), "");
  const std::string s = "  ab";
  EXPECT_EQ(util::skipspace(s, 0), 2u);
  EXPECT_EQ(util::skipword(s, 2), 4u);
  EXPECT_EQ(util::skipspace(s, 99), 4u);
}

TEST(Helpers, ReplaceAll) {
  std::string s = "a%db%d";
  util::strrep(s, "%d", "12");
  EXPECT_EQ(s, "a12b12");
  s = "banana";
  util::strrep(s, "a", "aa");  // the replacement holds the text: nothing happens
  EXPECT_EQ(s, "banana");
  s = "aaa";
  util::strrep(s, "aa", "a");  // searched again from the start each time
  EXPECT_EQ(s, "a");
  util::strrep(s, "", "x");
  EXPECT_EQ(s, "a");
  EXPECT_DEATH(util::strrep(s, "a", nullptr), "to!=NULL, file STRREP");
}

TEST(Helpers, FileNameParts) {
  EXPECT_EQ(util::extension("prog.sub.m"), "m");
  EXPECT_EQ(util::extension("makefile"), "makefile");
  EXPECT_EQ(util::count_dots("a.b.c"), 2);
  EXPECT_EQ(util::base_name("prog.sub.m"), "prog");
  EXPECT_EQ(util::base_name("prog"), "prog");
}

TEST(Helpers, OpeningFiles) {
  const std::string dir = testing::TempDir();
  const std::string f = dir + "helpers_exists.txt";
  std::ofstream(f) << "x";
  EXPECT_TRUE(util::exists(f));
  EXPECT_FALSE(util::exists(dir));
  EXPECT_FALSE(util::exists(dir + "no/such/file"));
  std::FILE* h = util::open_read(f);
  EXPECT_EQ(std::fgetc(h), 'x');
  std::fclose(h);

  EXPECT_REPORT(util::open_read(dir + "missing.dt"),
                "^error: could not open " + dir + "missing.dt for read\n$");
  std::ifstream in;
  EXPECT_EXIT(util::open_read(in, dir), testing::ExitedWithCode(1), "for read");
  EXPECT_REPORT(util::open_write(dir + "no/such/dir/x.cpp"),
                "^error: could not open " + dir + "no/such/dir/x.cpp for write\n$");
  std::remove(f.c_str());
}

}  // namespace
