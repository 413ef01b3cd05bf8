// Local functions of an M-file: which names are renamed, and where they are not.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "translate/inout_params.h"
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

TEST(LocalFunctions, AScriptsFunctionsBecomeFilesOfTheirOwn) {
  // Statements, then two functions (one with a nested function indented further);
  // a "function" after `;`, in a string or comment does not start one.
  const std::string src =
      "x = sq(3); s = 'function q';  % function r\n"
      "y = cube(x) + sq(1);\n"
      "function y = sq(a)\n"
      "  y = a^2;\n"
      "end\n"
      "function y = cube(a)\n"
      "  y = a * sq(a) + inner(a);\n"
      "  function z = inner(b)\n"
      "    z = 0 * b;\n"
      "  end\n"
      "end\n";
  const script_parts p = split_script_functions(src, "run");
  // The functions' nine lines stay in the body as blank lines.
  EXPECT_EQ(p.body, "x = run__sq(3); s = 'function q';  % function r\n"
                    "y = run__cube(x) + run__sq(1);\n" + std::string(9, '\n'));
  ASSERT_EQ(p.functions.size(), 2u);
  EXPECT_EQ(p.functions[0].first, "run__sq");
  // Numbered as in the script: the function line is line 3.
  EXPECT_EQ(p.functions[0].second,
            "% local function of the script run.m\n\nfunction y = run__sq(a)\n  y = a^2;\nend\n");
  EXPECT_EQ(script_of_local_function(p.functions[0].second), "run.m");
  EXPECT_EQ(p.functions[1].first, "run__cube");
  EXPECT_NE(p.functions[1].second.find("y = a * run__sq(a) + inner(a);\n  function z = inner(b)"),
            std::string::npos);
  EXPECT_EQ(std::count(p.functions[1].second.begin(), p.functions[1].second.end(), '\n'), 11);
  // A script without functions and a function file are left whole.
  for (const char* s : {"a = 1;\nb = 2;\n", "function f\n  g;\nend\nfunction g\nend\n"}) {
    EXPECT_EQ(split_script_functions(s, "run").body, s);
    EXPECT_TRUE(split_script_functions(s, "run").functions.empty());
    EXPECT_EQ(script_of_local_function(s), "");
  }
}

TEST(LocalFunctions, StatementsMayFollowAClosedFunction) {
  // `1;` makes the file a script; functions closed by `end` or `endfunction` (a
  // block inside them included) may stand before and between the statements, which
  // keep their line numbers.
  const std::string src =
      "1;\n"
      "function y = sq(a)\n"
      "  if a > 0, y = a^2; else, y = 0; end\n"
      "end\n"
      "x = sq(3);\n"
      "function show(v)\n"
      "  disp(v(end))\n"
      "endfunction\n"
      "show(x)\n";
  const script_parts p = split_script_functions(src, "run");
  EXPECT_EQ(p.body, "1;\n\n\n\nx = run__sq(3);\n\n\n\nrun__show(x)\n");
  ASSERT_EQ(p.functions.size(), 2u);
  EXPECT_EQ(p.functions[0].second,
            "% local function of the script run.m\nfunction y = run__sq(a)\n"
            "  if a > 0, y = a^2; else, y = 0; end\nend\n");
  EXPECT_EQ(p.functions[1].second.substr(p.functions[1].second.find("\nfunction") + 1),
            "function run__show(v)\n  disp(v(end))\nendfunction\n");
  EXPECT_EQ(local_function_names(src), std::vector<std::string>{});
  // Functions without `end` run to the next function line.
  const script_parts q = split_script_functions("a = 1;\nfunction f\n  b = 2;\nfunction g\n  c = 3;\n", "r");
  EXPECT_EQ(q.body, "a = 1;\n\n\n\n\n");
  EXPECT_EQ(q.functions[0].second, "% local function of the script r.m\nfunction r__f\n  b = 2;\n");
}

TEST(InoutParams, AnInputThatIsOneOfSeveralOutputsArrivesUnderItsOwnName) {
  EXPECT_EQ(separate_inout_params("function [y, x] = swap(x, y)\n  t = 1;\nend\n"),
            "function [y, x] = swap(x__in, y__in), x = x__in; y = y__in;\n  t = 1;\nend\n");
  EXPECT_EQ(separate_inout_params("function [s, n] = acc(s, v) % adds v\n"),
            "function [s, n] = acc(s__in, v), s = s__in; % adds v\n");
  // One output, no overlap, statements on the line, a continued line: as they are.
  for (const char* s : {"function x = f(x)\n", "function [a, b] = f(x, y)\n",
                        "function [a, b] = f(a), a = 2; b = 1;\n", "function [a, b] = f(a, ...\n c)\n",
                        "x = 1; % function [a, b] = f(a)\n"})
    EXPECT_EQ(separate_inout_params(s), s) << s;
}
