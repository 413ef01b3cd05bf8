// Package functions: the program names of a.b.f and the rewrite of a source's calls.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "translate/packages.h"

namespace {

// The package functions of these tests' programs.
bool known(const std::string& name) {
  static const std::set<std::string> files = {"util_pkg_twice", "util_pkg_greet", "geo_pkg_shapes_pkg_area"};
  return files.count(name) > 0;
}

}  // namespace

TEST(Packages, ProgramNamesAndTheirFiles) {
  EXPECT_EQ(package_function_name({"geo", "shapes", "area"}), "geo_pkg_shapes_pkg_area");
  EXPECT_EQ(package_file("geo_pkg_shapes_pkg_area"), "+geo/+shapes/area");
  EXPECT_EQ(package_file("util_pkg_twice"), "+util/twice");
  for (const char* plain : {"twice", "_pkg_twice", "util_pkg_", "a_pkg__pkg_b"})
    EXPECT_EQ(package_file(plain), "") << plain;
}

TEST(Packages, CallsHandlesAndFieldsOfResults) {
  EXPECT_EQ(package_calls("y = util.twice(4) + geo.shapes.area(2);\n", known),
            "y = util_pkg_twice(4) + geo_pkg_shapes_pkg_area(2);\n");
  EXPECT_EQ(package_calls("h = @util.twice; c = cellfun(@util.twice, {1});\n", known),
            "h = @util_pkg_twice; c = cellfun(@util_pkg_twice, {1});\n");
  // A field of the result; command form; text and comments stay.
  EXPECT_EQ(package_calls("n = util.twice(s).count;\nutil.greet bob % util.twice\nt = 'util.twice';\n", known),
            "n = util_pkg_twice(s).count;\nutil_pkg_greet bob % util.twice\nt = 'util.twice';\n");
  // Fields of a structure, and a structure named like a package: as written.
  for (const char* s : {"x = s.util.twice;\n", "util.twice = 3; disp(util.twice)\n",
                        "function r = f(util)\nr = util.twice;\n", "y = util.thrice(2);\n"})
    EXPECT_EQ(package_calls(s, known), s) << s;
}

TEST(Packages, ImportsLetShortNamesCall) {
  EXPECT_EQ(package_calls("function r = f(x)\nimport util.*\nimport geo.shapes.area;\n"
                          "r = twice(x) + area(2) + greet;\nend\n",
                          known),
            "function r = f(x)\n\n\nr = util_pkg_twice(x) + geo_pkg_shapes_pkg_area(2) + util_pkg_greet;\nend\n");
  // A variable of the name wins. An import that reaches no function of the program
  // stays (it is refused later).
  EXPECT_EQ(package_calls("import util.*\ntwice = 2; y = greet(twice);\n", known),
            "\ntwice = 2; y = util_pkg_greet(twice);\n");
  for (const char* s : {"import java.util.*\nx = twice(2);\n", "import util.thrice\n", "import\n"})
    EXPECT_EQ(package_calls(s, known), s) << s;
}
