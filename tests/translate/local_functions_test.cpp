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
