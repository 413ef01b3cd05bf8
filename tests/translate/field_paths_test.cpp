// getfield and setfield along paths: the field references they become, and the
// calls that stay calls.
#include <gtest/gtest.h>

#include <string>

#include "translate/field_paths.h"

TEST(FieldPaths, GetfieldPathsBecomeReferences) {
  EXPECT_EQ(field_path_calls("v = getfield(s, 'a', 'b') + 1;\n"), "v = s.a.b + 1;\n");
  EXPECT_EQ(field_path_calls("w = getfield(p, {2}, 'k', {1, end-1});\n"), "w = p(2).k(1, end-1);\n");
  // A name that is no literal word is a dynamic name; text with commas and brackets.
  EXPECT_EQ(field_path_calls("x = getfield(s, n, 'two words', [m 'x']);\n"),
            "x = s.(n).('two words').([m 'x']);\n");
  EXPECT_EQ(field_path_calls("y = getfield(s, getfield(t, 'a', 'b'), 'c');\n"), "y = s.(t.a.b).c;\n");
}

TEST(FieldPaths, SetfieldStatementsBecomeAssignments) {
  EXPECT_EQ(field_path_calls("s = setfield(s, 'a', 'b', 7);\n"), "s.a.b = 7;\n");
  EXPECT_EQ(field_path_calls("t = setfield(s, {1}, 'k', v)\n"), "t = s; t(1).k = v\n");
  EXPECT_EQ(field_path_calls("s = setfield(s, 'a', 'c', [getfield(s, 'a', 'c') '!']), x = 1;\n"),
            "s.a.c = [s.a.c '!'], x = 1;\n");
}

TEST(FieldPaths, OtherFormsStayCalls) {
  for (const char* s : {"v = getfield(s, 'a');\n",                 // one field: the library's
                        "t = setfield(s, 'a', 1);\n",
                        "v = getfield(f(x), 'a', 'b');\n",         // no variable to index
                        "disp(setfield(s, 'a', 'b', 1))\n",        // no assignment of its own
                        "t = setfield(s, 'a', 'b', t.x);\n",       // the value reads the target
                        "t = setfield(s, 'a', 'b', 1) + 1;\n",
                        "v = getfield(s, 'a', ...\n  'b');\n",
                        "x = 'getfield(s, 1, 2)'; y = q.getfield(s, 1, 2); % getfield(s,'a','b')\n"})
    EXPECT_EQ(field_path_calls(s), s) << s;
}
