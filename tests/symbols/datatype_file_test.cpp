#include "sym_fixture.h"

namespace {

using symtest::literal;
using symtest::temp_file;

TEST(DatatypeFile, LoadsTypesRolesAndTheDefaultLibrary) {
  datatypes().clear();
  const std::string f = temp_file("ok.dt",
                                  "3.00\ndouble real matrices\nfloat single\nstruct structure\n"
                                  "func1M one output\nfunction function\nscript script\n"
                                  "unknown not known\nbare\n1\n");
  datatypes().load(f);
  const datatype_t& dt = datatypes();
  EXPECT_EQ(dt.last(), 7);
  EXPECT_EQ(dt.struct_index(), 2);
  EXPECT_EQ(dt.func1M_index(), 3);
  EXPECT_EQ(dt.function_index(), 4);
  EXPECT_EQ(dt.script_index(), 5);
  EXPECT_EQ(dt.unknown_index(), 6);
  EXPECT_EQ(dt.default_type(), 1);
  EXPECT_EQ(dt.comment(0), "real matrices");
  EXPECT_EQ(dt.comment(7), " ");  // a line without a blank has the comment " "
  EXPECT_TRUE(dt.is_not_function(DT_UNCLASSIFIED));
  EXPECT_TRUE(dt.is_not_function(5));
  EXPECT_FALSE(dt.is_not_function(4));

  // Loading again replaces the types but keeps roles and the default.
  datatypes().load(temp_file("two.dt", "3.00\nint32 x\nuint8 y\n"));
  EXPECT_EQ(dt.last(), 1);
  EXPECT_EQ(dt.name(1), "uint8");
  EXPECT_EQ(dt.struct_index(), 2);
  EXPECT_EQ(dt.default_type(), 1);
}

TEST(DatatypeFile, LongLinesAreSplitAndEmptyLinesSkipped) {
  datatypes().clear();
  // 62 characters then a newline: the newline left over is an empty piece.
  const std::string sixty_two = "abcdef " + std::string(55, 'c');
  const std::string longer = "ghijkl " + std::string(55, 'd') + "mnopqr tail";
  datatypes().load(temp_file("long.dt", "3.00\n" + sixty_two + "\n\n" + longer + "\n"));
  ASSERT_EQ(datatypes().last(), 2);
  EXPECT_EQ(datatypes().name(0), "abcdef");
  EXPECT_EQ(datatypes().comment(1).size(), 55u);
  EXPECT_EQ(datatypes().name(2), "mnopqr");
  EXPECT_EQ(datatypes().comment(2), "tail");
}

TEST(DatatypeFile, BadFilesStopTheRun) {
  datatypes().clear();
  for (const char* first : {"3.0\n", "3.00 \n", ""}) {
    const std::string f = temp_file("bad.dt", std::string(first) + "double x\n");
    EXPECT_EXIT(datatypes().load(f), testing::ExitedWithCode(1),
                literal("Wrong version of " + f));
  }
  const std::string missing = testing::TempDir() + "no-such.dt";
  EXPECT_EXIT(datatypes().load(missing), testing::ExitedWithCode(1),
              literal("could not open " + missing + " for read"));
}

TEST(DatatypeAdd, LibraryLines) {
  datatype_t& dt = datatypes();
  dt.clear();
  dt.add("5");
  EXPECT_EQ(dt.default_type(), 5);
  dt.add("12");  // only the first character counts
  EXPECT_EQ(dt.default_type(), 1);
  dt.add("M");  // 'M' - '0' == 29, the highest index
  EXPECT_EQ(dt.default_type(), 29);
  EXPECT_EQ(dt.last(), -1);  // library lines store nothing
  for (const char* bad : {"X", "ab", "N", "", "/"})
    EXPECT_EXIT(dt.add(bad), testing::ExitedWithCode(1), "datatypes:: wrong library number");
}

TEST(DatatypeAdd, ThirtyTypesAtMost) {
  datatype_t& dt = datatypes();
  dt.clear();
  for (int i = 0; i < DT_MAX_TYPES; ++i) dt.add("type" + std::to_string(i) + " c");
  EXPECT_EQ(dt.last(), 29);
  EXPECT_EXIT(dt.add("type30"), testing::ExitedWithCode(1), "datatype_t::add: too many types");
}

TEST(DatatypeAdd, CommentIsEverythingAfterTheFirstBlank) {
  datatype_t& dt = datatypes();
  dt.clear();
  dt.add("double real  and complex");
  dt.add("plain ");
  EXPECT_EQ(dt.name(0), "double");
  EXPECT_EQ(dt.comment(0), "real  and complex");
  EXPECT_EQ(dt.comment(1), "");
  // Roles match the exact, case-sensitive names only.
  dt.add("Struct x");
  dt.add("structs x");
  EXPECT_EQ(dt.struct_index(), -1);
}

TEST(DatatypeFind, NamesNumbersPrefixesAndQualifiers) {
  symtest::standard_types();
  const datatype_t& dt = datatypes();
  EXPECT_EQ(dt.find("double"), 0);
  EXPECT_EQ(dt.find("float"), 1);
  EXPECT_EQ(dt.find("2"), 2);
  EXPECT_EQ(dt.find("7"), -1);  // no index 7
  EXPECT_EQ(dt.find("mdouble"), 0);
  EXPECT_EQ(dt.find("cell_of_double"), 64);
  EXPECT_EQ(dt.find("scalar_of_float"), 129);
  EXPECT_EQ(dt.find("cell_of_"), -1);
  EXPECT_EQ(dt.find("Double"), -1);
  EXPECT_EQ(dt.find("int8"), -1);
  EXPECT_EQ(dt.find(""), -1);
  EXPECT_EQ(dt.find("m"), -1);
}

TEST(DatatypeSpelling, MatrixCellScalarAndNonMatrixKinds) {
  datatype_t& dt = datatypes();
  dt.clear();
  for (const char* n : {"double", "float", "int32", "uint8", "complex", "struct", "func1M",
                        "function", "script", "unknown"})
    dt.add(n);
  EXPECT_EQ(dt.value_type(0), "M<double>");
  EXPECT_EQ(dt.value_type(64), "M< M<double> >");
  EXPECT_EQ(dt.value_type(128), "double");
  EXPECT_EQ(dt.ref_type(0), "Mr<double>");
  EXPECT_EQ(dt.ref_type(64), "M< M<double> >&");
  EXPECT_EQ(dt.ref_type(128), "Mr<double>");
  EXPECT_EQ(dt.value_type(dt.function_index()), "function");
  EXPECT_EQ(dt.value_type(6 | DT_CELL), "cell_of_func1M");
  EXPECT_EQ(dt.value_type(5), "M<struct>");  // below func1M: still a matrix type
  EXPECT_EQ(dt.junk_type(3), "junkM");
  EXPECT_EQ(dt.name(64 | 1), "cell_of_float");
  EXPECT_EQ(dt.name(128 | 1), "scalar_of_float");

  // Without "func1M" every type is spelled by its bare name.
  dt.clear();
  dt.add("double");
  EXPECT_EQ(dt.value_type(0), "double");
  EXPECT_EQ(dt.value_type(64), "cell_of_double");
}

TEST(DatatypeSpelling, RangeCheck) {
  symtest::standard_types();
  const datatype_t& dt = datatypes();
  for (int code : {DT_UNCLASSIFIED, -1, 7, 7 | DT_CELL}) {
    EXPECT_EXIT(dt.name(code), testing::ExitedWithCode(1), "datatype_t: index out of range");
    EXPECT_EXIT(dt.value_type(code), testing::ExitedWithCode(1), "index out of range");
    EXPECT_EXIT(dt.ref_type(code), testing::ExitedWithCode(1), "index out of range");
    EXPECT_EXIT(dt.junk_type(code), testing::ExitedWithCode(1), "index out of range");
    EXPECT_EXIT(dt.comment(code), testing::ExitedWithCode(1), "index out of range");
  }
}

}  // namespace
