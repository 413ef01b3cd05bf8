// eval of texts known when the file is read: which evals become their text, in what
// form, and which stay for the statement translation to refuse.
#include <gtest/gtest.h>

#include <string>

#include "translate/eval_text.h"

TEST(EvalText, StatementsBecomeTheirTextAndKeepTheLine) {
  EXPECT_EQ(expand_evals("eval('y = x + 1;');\n"), "y = x + 1;\n");
  // The eval's own semicolon goes: what the text shows is shown.
  EXPECT_EQ(expand_evals("eval('z = 2'); w = 1\n"), "z = 2, w = 1\n");
  EXPECT_EQ(expand_evals("  eval(\"a = 'q';\")\n"), "  a = 'q';\n");
  EXPECT_EQ(expand_evals("eval('s = ''it''''s'';')\n"), "s = 'it''s';\n");
  EXPECT_EQ(expand_evals("if c, eval('b = 1;'), end\n"), "if c, b = 1; end\n");
  EXPECT_EQ(expand_evals("eval('a = 1;', 'b = 2')\n"), "try, a = 1; catch, b = 2, end\n");
  // A text that is no M fails when it runs; the open bracket does not swallow the rest.
  EXPECT_EQ(expand_evals("eval('f(', 'b = 2')\nc = 3\n"),
            "try, error('Octave:parse-error', 'parse error in eval text: %s', 'f('); catch, b = 2, end\nc = 3\n");
  EXPECT_EQ(expand_evals("v = eval('[1 ''a')\n"),
            "v = (error('Octave:parse-error', 'parse error in eval text: %s', '[1 ''a'))\n");
}

TEST(EvalText, JoinedTextsAndNumbers) {
  EXPECT_EQ(expand_evals("eval(['w = ' num2str(5) ';'])\n"), "w = 5;\n");
  EXPECT_EQ(expand_evals("eval(['v = ' num2str(-1.5) ', ' int2str(2.6)])\n"), "v = -1.5, 3\n");
  EXPECT_EQ(expand_evals("eval(['p = ' num2str(3.14159265)])\n"), "p = 3.1416\n");
  EXPECT_EQ(expand_evals("eval([['a' '='], '1;'])\n"), "a=1;\n");
}

TEST(EvalText, ExpressionsInParentheses) {
  EXPECT_EQ(expand_evals("v = eval('x * 2')\n"), "v = (x * 2)\n");
  EXPECT_EQ(expand_evals("m = [x' eval('4')];\n"), "m = [x' (4)];\n");
  EXPECT_EQ(expand_evals("if eval('1 > 0'), end\n"), "if (1 > 0), end\n");
}

TEST(EvalText, OtherTextsAndLookalikesStay) {
  // A text known only when the program runs is left for the translation to refuse.
  for (const char* s : {"eval(s)\n", "eval(['t' int2str(k) ' = 1;'])\n", "eval(sprintf('a=%d', 1))\n",
                        "x = 'eval(''a'')';\n", "% eval('a = 1')\n", "s.eval('a')\n", "y = myeval('a')\n",
                        "disp('it''s') % eval('q')\n", "a = b'; eval2('c')\n"})
    EXPECT_EQ(expand_evals(s), s) << s;
  // Line breaks stay where they were.
  EXPECT_EQ(expand_evals("a = 1;\n%{\neval('b = 2')\n%}\n"), "a = 1;\n%{\neval('b = 2')\n%}\n");
}
