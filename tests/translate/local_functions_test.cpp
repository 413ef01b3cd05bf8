// Local functions of an M-file: which names are renamed, and where they are not.
#include <gtest/gtest.h>

#include <string>

#include "translate/local_functions.h"

TEST(LocalFunctions, UsesOfTheHelpersGetTheFilesName) {
  const std::string src =
      "function y = fa(x)\n"
      "  y = helper(x) + arrayfun(@helper, x); % helper(x) in a comment\n"
      "  s.helper = 'helper'; t = s.helper;\n"
      "end\n"
      "function y = helper(x)\n"
      "  y = x'; z = two(y)';\n"
      "end\n"
      "function two\n";
  EXPECT_EQ(qualify_local_functions(src, "fa"),
            "function y = fa(x)\n"
            "  y = fa__helper(x) + arrayfun(@fa__helper, x); % helper(x) in a comment\n"
            "  s.helper = 'helper'; t = s.helper;\n"
            "end\n"
            "function y = fa__helper(x)\n"
            "  y = x'; z = fa__two(y)';\n"
            "end\n"
            "function fa__two\n");
}

TEST(LocalFunctions, ScriptsAndSingleFunctionsStayAsTheyAre) {
  // A script's "function" in a block comment or string, a lone function, and a
  // helper that repeats the file's own name.
  for (const char* s : {"x = 1;\n%{\nfunction y = g\n%}\n", "function y = f(x)\n  y = x;\nend\n",
                        "% comment first\nfunction f\nend\nfunction f\nend\n",
                        "a = 'function b';\nfunction c\n"})
    EXPECT_EQ(qualify_local_functions(s, "f"), s) << s;
  EXPECT_EQ(local_function_names("function [a, b] = f(x)\nfunction [p] = g(q)\nfunction h\n"),
            (std::vector<std::string>{"g", "h"}));
}

TEST(LocalFunctions, TheStackShowsTheMName) {
  EXPECT_EQ(shown_local_name("fa", qualified_local_name("fa", "helper")), "helper");
  EXPECT_EQ(shown_local_name("fa", "fa"), "fa");
  EXPECT_EQ(shown_local_name("fa", "fb__x"), "fb__x");
}

TEST(LocalFunctions, NestedFunctionsAreFoundOnlyInsideAnOpenFunction) {
  // A function inside its parent's end: the line of the inner function line.
  EXPECT_EQ(nested_function_line("function a()\n  t = 0;\n  function b(v)\n    t = t + v;\n  end\n"
                                 "  b(1);\nend\n"),
            3);
  // Functions that each close with end, with blocks, `end` inside indexing, keywords in
  // strings and comments, and one-line blocks.
  EXPECT_EQ(nested_function_line("function a()\n  x = [1 2];\n  if x(end) > 1, disp(1), end\n"
                                 "  y = x(1, end); s = 'function end'; % if for\n"
                                 "  for k = 1:2\n    try\n    catch\n    end\n  end\n  b(x);\nend\n"
                                 "function b(v)\n  switch v(1)\n    case 1\n  end\nend\n"),
            0);
  // Functions without end: each function line ends the one before.
  EXPECT_EQ(nested_function_line("function a()\n  if 1\n  end\nfunction b()\n  for k=1:2\n  end\n"), 0);
  // A script with a local function, and a continued line.
  EXPECT_EQ(nested_function_line("x = f([1, ...\n  2]);\nfunction y = f(a)\n  y = a(end);\nend\n"), 0);
}
