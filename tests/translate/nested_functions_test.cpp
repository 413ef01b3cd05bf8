// Nested functions moved out of their parents: which files have them, the text the
// translator reads, and which variables each function shares.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "translate/nested_functions.h"

namespace {

const nest_var* shared(const nest_plan& plan, const std::string& f, const std::string& v) {
  const nest_function* fn = plan.find(f);
  if (!fn) return nullptr;
  for (const nest_var& s : fn->shared)
    if (s.name == v) return &s;
  return nullptr;
}

}  // namespace

TEST(NestedFunctions, OnlyFunctionsInsideAnOpenFunctionAreNested) {
  // Functions that each close with end, with blocks, `end` inside indexing, keywords in
  // strings and comments, one-line blocks; functions without end; a script with a
  // local function and a continued line: none is a nest, the text stays.
  for (const char* s :
       {"function a()\n  x = [1 2];\n  if x(end) > 1, disp(1), end\n"
        "  y = x(1, end); s = 'function end'; % if for\n"
        "  for k = 1:2\n    try\n    catch\n    end\n  end\n  b(x);\nend\n"
        "function b(v)\n  switch v(1)\n    case 1\n  end\nend\n",
        "function a()\n  if 1\n  end\nfunction b()\n  for k=1:2\n  end\n",
        "x = f([1, ...\n  2]);\nfunction y = f(a)\n  y = a(end);\nend\n"}) {
    nest_plan plan;
    EXPECT_EQ(flatten_nested_functions(s, plan), s) << s;
    EXPECT_TRUE(plan.empty()) << s;
  }
}

TEST(NestedFunctions, TheNestedFunctionMovesAfterTheFileKeepingTheParentsLines) {
  const std::string src =
      "function a()\n"
      "  t = 0;\n"
      "  function b(v)\n"
      "    t = t + v;\n"
      "  end\n"
      "  b(1); disp(t)\n"
      "end\n";
  nest_plan plan;
  const std::string flat = flatten_nested_functions(src, plan);
  // The parent's statements keep their lines; the nested function follows.
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < flat.size();) {
    const std::size_t nl = flat.find('\n', at);
    lines.push_back(flat.substr(at, nl - at));
    at = nl + 1;
  }
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[1], "  t = 0;");
  for (int k = 2; k <= 4; ++k) EXPECT_EQ(lines[k].find_first_not_of(' '), std::string::npos) << lines[k];
  EXPECT_EQ(lines[5], "  b(1); disp(t)");
  EXPECT_EQ(lines[6], "end");
  EXPECT_NE(flat.find("end\n  function b(v)\n    t = t + v;\n  end\n"), std::string::npos) << flat;
  ASSERT_EQ(plan.functions.size(), 2u);
  EXPECT_EQ(plan.find("b")->parent, "a");
  EXPECT_EQ(plan.find("a")->parent, "");
  EXPECT_EQ(plan.find("b")->n_in, 1);
  // t lives in a's frame: a names it at its own slot, b one level out.
  const nest_var* in_a = shared(plan, "a", "t");
  const nest_var* in_b = shared(plan, "b", "t");
  ASSERT_TRUE(in_a && in_b);
  EXPECT_EQ(in_a->up, 0);
  EXPECT_EQ(in_b->up, 1);
  EXPECT_EQ(in_a->slot, in_b->slot);
  EXPECT_EQ(plan.find("a")->slots, 1);
  // b's input is its own.
  EXPECT_EQ(shared(plan, "b", "v"), nullptr);
  // Each line of the moved text maps back to where it was written, for the error
  // stack: b's function line was line 3, its statement line 4.
  const std::size_t b_at = flat.find("  function b(v)");
  const int b_line = int(std::count(flat.begin(), flat.begin() + long(b_at), '\n')) + 1;
  EXPECT_EQ(plan.source_line(b_line), 3);
  EXPECT_EQ(plan.source_line(b_line + 1), 4);
  EXPECT_EQ(plan.source_line(b_line + 2), 5);
  EXPECT_EQ(plan.source_line(6), 6);
}

TEST(NestedFunctions, WhatIsSharedAndWhatStaysOwn) {
  const std::string src =
      "function [s, n] = p(x, v)\n"
      "  s = 0; n = 0; tmp = 'p';\n"
      "  q(); r(2);\n"
      "  function q()\n"
      "    s = s + x;        % s (an output) and x (an input) of p\n"
      "    tmp2 = 1;         % q's own\n"
      "    [n, w] = size(v); % n of p; w its own; v of p\n"
      "  end\n"
      "  function r(v)\n"
      "    tmp = v;          % v is r's input; tmp is p's\n"
      "    if s == 2, n = 1; end\n"
      "    for k = 1:2, m.k = k; end\n"
      "  end\n"
      "end\n"
      "function other(s)\n"
      "  s = 1;\n"
      "end\n";
  nest_plan plan;
  flatten_nested_functions(src, plan);
  EXPECT_TRUE(shared(plan, "q", "s"));
  EXPECT_TRUE(shared(plan, "q", "x"));
  EXPECT_TRUE(shared(plan, "q", "n"));
  EXPECT_TRUE(shared(plan, "q", "v"));
  EXPECT_FALSE(shared(plan, "q", "tmp2"));
  EXPECT_FALSE(shared(plan, "q", "w"));
  EXPECT_FALSE(shared(plan, "r", "v"));
  EXPECT_TRUE(shared(plan, "r", "tmp"));
  EXPECT_TRUE(shared(plan, "r", "s"));
  EXPECT_FALSE(shared(plan, "r", "k"));
  EXPECT_FALSE(shared(plan, "r", "m"));
  // An input the nested functions share arrives under another name in p.
  ASSERT_TRUE(shared(plan, "p", "x"));
  EXPECT_TRUE(shared(plan, "p", "x")->input);
  EXPECT_FALSE(shared(plan, "p", "s")->input);
  // A function outside the nest has no part in the plan.
  EXPECT_EQ(plan.find("other"), nullptr);
  // The slots of p's frame are distinct.
  std::vector<int> slots;
  for (const nest_var& s : plan.find("p")->shared) slots.push_back(s.slot);
  std::sort(slots.begin(), slots.end());
  EXPECT_EQ(std::adjacent_find(slots.begin(), slots.end()), slots.end());
  EXPECT_EQ(int(slots.size()), plan.find("p")->slots);
}

TEST(NestedFunctions, TwoLevelsShareWithTheOutermostThatUsesTheName) {
  const std::string src =
      "function r = a(k)\n"
      "  b = 1;\n"
      "  middle();\n"
      "  r = b;\n"
      "  function middle()\n"
      "    inner();\n"
      "    function inner()\n"
      "      b = b * k;\n"
      "    end\n"
      "  end\n"
      "  function z = sib(b)\n"
      "    z = deeper();\n"
      "    function y = deeper()\n"
      "      y = b + 1;        % sib's input b, not a's variable\n"
      "    end\n"
      "  end\n"
      "end\n";
  nest_plan plan;
  flatten_nested_functions(src, plan);
  ASSERT_TRUE(shared(plan, "inner", "b"));
  EXPECT_EQ(shared(plan, "inner", "b")->up, 2);
  EXPECT_EQ(shared(plan, "inner", "k")->up, 2);
  // middle does not name b: it has no reference of its own.
  EXPECT_FALSE(shared(plan, "middle", "b"));
  EXPECT_EQ(plan.find("inner")->parent, "middle");
  // deeper's b is sib's input, one level out; a's b is not involved.
  ASSERT_TRUE(shared(plan, "deeper", "b"));
  EXPECT_EQ(shared(plan, "deeper", "b")->up, 1);
  EXPECT_TRUE(shared(plan, "sib", "b")->input);
  EXPECT_EQ(plan.find("deeper")->n_in, 0);
}
