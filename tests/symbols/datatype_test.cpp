#include "symbols/datatype.h"

#include <gtest/gtest.h>

#include <fstream>

#include "report.h"

namespace {

std::string write_dt(const std::string& text) {
  // One file per test: ctest runs the tests of this program side by side.
  const std::string path = testing::TempDir() + "korval-" +
                           testing::UnitTest::GetInstance()->current_test_info()->name() +
                           "-test.dt";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

class DataTypes : public testing::Test {
 protected:
  void SetUp() override { datatypes().clear(); }
  void TearDown() override { datatypes().clear(); }
  datatype_t& dt = datatypes();
};

TEST_F(DataTypes, LinesNameTypesAndLibraries) {
  dt.load(write_dt("3.00\ndouble real and complex\nfloat\nstruct s\nfunc1M f\nfunction\n5\n12\n"));
  EXPECT_EQ(dt.last(), 4);
  EXPECT_EQ(dt.comment(0), "real and complex");
  EXPECT_EQ(dt.comment(1), " ");
  EXPECT_EQ(dt.struct_index(), 2);
  EXPECT_EQ(dt.func1M_index(), 3);
  EXPECT_EQ(dt.script_index(), -1);
  EXPECT_EQ(dt.default_type(), 1);  // "12": only the first character counts
}

TEST_F(DataTypes, FindAndSpellings) {
  dt.load(write_dt("3.00\ndouble\nfloat\nint\nstruct\nfunc1M\nfunction\nscript\n"));
  EXPECT_EQ(dt.find("double"), 0);
  EXPECT_EQ(dt.find("2"), 2);
  EXPECT_EQ(dt.find("mfloat"), 1);
  EXPECT_EQ(dt.find("cell_of_double"), 64);
  EXPECT_EQ(dt.find("scalar_of_float"), 129);
  EXPECT_EQ(dt.find("Double"), -1);
  EXPECT_EQ(dt.value_type(0), "M<double>");
  EXPECT_EQ(dt.value_type(64), "M< M<double> >");
  EXPECT_EQ(dt.value_type(128), "double");
  EXPECT_EQ(dt.value_type(5), "function");
  EXPECT_EQ(dt.ref_type(0), "Mr<double>");
  EXPECT_EQ(dt.ref_type(64), "M< M<double> >&");
  EXPECT_EQ(dt.ref_type(128), "Mr<double>");
  EXPECT_EQ(dt.name(65), "cell_of_float");
  EXPECT_EQ(dt.name(130), "scalar_of_int");
  EXPECT_EQ(dt.junk_type(1), "junkM");
  EXPECT_TRUE(dt.is_not_function(DT_UNCLASSIFIED));
  EXPECT_TRUE(dt.is_not_function(6));
  EXPECT_FALSE(dt.is_not_function(5));
  EXPECT_REPORT(dt.name(31), "^error: datatype_t: index out of range\n$");
}

TEST_F(DataTypes, WithoutFunc1MEveryTypeIsABareName) {
  dt.add("double");
  dt.add("struct");
  EXPECT_EQ(dt.value_type(0), "double");
  EXPECT_EQ(dt.value_type(64), "cell_of_double");
}

TEST_F(DataTypes, FaultyFilesStopTheRun) {
  std::string thirty = "3.00\n";
  for (int i = 0; i < 30; ++i) thirty += "type" + std::to_string(i) + "\n";
  dt.load(write_dt(thirty));
  EXPECT_EQ(dt.last(), 29);
  EXPECT_REPORT(dt.load(write_dt(thirty + "one_more\n")),
                "^error: datatype_t::add: too many types\n$");
  EXPECT_REPORT(dt.add("X"), "^error: datatypes:: wrong library number\n$");
  EXPECT_REPORT(dt.add("ab"), "^error: datatypes:: wrong library number\n$");
  EXPECT_REPORT(dt.load(write_dt("3.0\ndouble\n")), "^error: Wrong version of .*-test.dt\n$");
  EXPECT_REPORT(dt.load("/no/such/korval.dt"),
                "^error: could not open /no/such/korval.dt for read\n$");
}

TEST_F(DataTypes, LongLinesAreSplitAtTheLineLimit) {
  dt.load(write_dt("3.00\n" + std::string(62, 'a') + "bcd more\n"));
  ASSERT_EQ(dt.last(), 1);
  EXPECT_EQ(dt.name(0).size(), 62u);
  EXPECT_EQ(dt.name(1), "bcd");
}

}  // namespace
