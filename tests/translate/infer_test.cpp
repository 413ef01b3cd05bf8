// Scalar inference: what it proves and, above all, what it must not prove.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "driver/diag.h"
#include "translate/infer.h"
#include "translate/parser.h"
#include "type_table.h"

namespace {

class Inference : public testing::Test {
 protected:
  void SetUp() override { testtypes::load_standard_types(); }
  void TearDown() override {
    datatypes().clear();
    diag::set_position("", 0);
  }

  // The statements of the M text as the scanner gives them, then the proof.
  inferred_types infer(const std::string& m, bool scalar_signature = false) {
    return infer_types(statements_of(m), scalar_signature);
  }
  std::vector<tokens_t> statements_of(const std::string& m) {
    minput_t input;
    input.assign(m);
    parser_t scan;
    scan.in = &input;
    std::vector<tokens_t> statements;
    for (int guard = 0; guard < 1000; ++guard) {
      scan.get_statement();
      if (scan.stmt.is_word(TP_HEAD, "function")) scan.function_open = true;
      statements.emplace_back();
      statements.back() = scan.stmt;
      if (scan.display && scan.stmt.top() > 0) statements.back().ins_before_last(kShownMark, TK_OTHER);
      if (scan.at_end() || scan.function_follows) break;
    }
    return statements;
  }
  inferred_types infer_types_of(const std::string& m) { return infer(m, true); }
  static bool has(const std::set<std::string>& s, const char* v) { return s.count(v) > 0; }
};

TEST_F(Inference, LoopNestOfScalarsOverRealArrays) {
  const inferred_types r = infer(
      "n = 20;\nu = zeros(n, n);\nu(1, :) = 1;\nv = u;\nfor sweep = 1:10\n"
      "  for j = 2:n-1\n    for i = 2:n-1\n"
      "      v(i, j) = 0.25 * (u(i-1, j) + u(i+1, j) + u(i, j-1) + u(i, j+1));\n"
      "    end\n  end\n  u = v;\nend\nm = numel(u) + size(u, 1) + length(v) + u(end);\n"
      "k = mod(m, 7) + abs(-m)^2 + max(m, 3) + pi;\n");
  for (const char* v : {"n", "sweep", "j", "i", "m", "k"}) EXPECT_TRUE(has(r.scalars, v)) << v;
  for (const char* v : {"u", "v"}) {
    EXPECT_FALSE(has(r.scalars, v)) << v;
    EXPECT_TRUE(has(r.arrays, v)) << v;
  }
}

TEST_F(Inference, AnyPathGivingAnotherClassOrShapeKeepsTheVariableGeneral) {
  const inferred_types r = infer(
      "a = 1;\nif a > 0\n  a = 'text';\nend\n"        // char on one path
      "b = 2;\nb = sqrt(b - 5);\n"                      // may be complex
      "c = 3i;\n"                                       // complex
      "d = int32(4);\n"                                 // another class
      "e = 1;\ne = e^0.5;\n"                            // a power that may be complex
      "f = [1 2 3];\n"                                  // not 1 x 1
      "g = 1;\ng(3) = 2;\n"                             // grows
      "h = 1 > 0;\n"                                    // logical
      "p = {1};\nq = p{1};\n"                           // from a cell
      "s.x = 1;\nt = s.x;\n"                            // from a structure
      "[w, z] = size(f);\n");                           // several outputs
  for (const char* v : {"a", "b", "c", "d", "e", "f", "g", "h", "p", "q", "s", "t", "w", "z"})
    EXPECT_FALSE(has(r.scalars, v)) << v;
  EXPECT_TRUE(has(r.arrays, "f"));
  EXPECT_TRUE(has(r.arrays, "g"));
  for (const char* v : {"a", "b", "c", "d", "e", "h", "p", "q", "t"}) EXPECT_FALSE(has(r.arrays, v)) << v;
}

TEST_F(Inference, ReadsBeforeEveryPathAssignsStayGeneral) {
  const inferred_types r = infer(
      "function r = f(x, n)\n"
      "for k = 1:3\n  y = k;\nend\n"
      "z = k;\n"                           // the counter after its loop: empty for an empty range
      "w = y;\n"                           // assigned only inside the loop
      "if x\n  q = 1;\nelse\n  q = 2;\nend\nt = q;\n"   // assigned on both branches
      "if x\n  p = 1;\nend\nu = p;\n"                     // assigned in one branch only
      "m = n + 1;\n"                       // from an input of unknown class
      "r = 1;\n");                         // the output
  EXPECT_FALSE(has(r.scalars, "y"));   // read after the loop, which may not run
  EXPECT_FALSE(has(r.scalars, "k"));
  EXPECT_TRUE(has(r.scalars, "q"));
  EXPECT_TRUE(has(r.scalars, "t"));
  EXPECT_FALSE(has(r.scalars, "p"));
  for (const char* v : {"x", "n", "m", "r"}) EXPECT_FALSE(has(r.scalars, v)) << v;
  for (const char* v : {"x", "n", "m", "r"}) EXPECT_FALSE(has(r.arrays, v)) << v;
}

// sqrt and log stay real only of what holds no negative number on every path.
TEST_F(Inference, SqrtAndLogOfWhatCannotBeNegative) {
  const inferred_types r = infer(
      "n = 10;\ns = 0;\nfor k = 1:n\n  s = s + sqrt(k) / k;\nend\n"   // a counter from 1
      "x = n - 20;\nd = sqrt(x * x + 1);\n"                          // a square
      "g = log(abs(x)) + sqrt(numel(s)) + log(2 * pi);\n"             // abs, counts, constants
      "z = 1;\nwhile z < 5\n  z = z * 0.5 + sqrt(z) + 1;\nend\nw = log(z);\n"   // by induction
      "a = sqrt(x - 1);\n"                                            // a difference
      "b = 2;\nb = b - 3;\nc = log(b);\n"                           // assigned a negative on a path
      "for m = -3:3\n  e = sqrt(m);\nend\n"                         // a counter from -3
      "for j = 1:x\n  o = sqrt(j);\nend\nfor j = 9:-1:x\n  o2 = log(j);\nend\n"   // j from 1, or from 9 down to x
      "for i = 9:-1:abs(x)\n  y = sqrt(i);\nend\n"                 // i from 9 down to |x|
      "u = 0.3;\nfor kk = 1:3\n  u = mod(u * 3.7 - 9, 1);\nend\nv = log(u + mod(n, 7) + rem(n, 3));\n"   // mod by 1
      "u2 = mod(x, 0);\nu3 = sqrt(mod(n, x));\nu4 = log(mod(u2, 2) + rem(x, 3));\n"   // mod(x, 0) is x; rem's sign
      "q2 = sqrt(x^2 + (x - 3)^4 + (n - x)^2 * 2);\nq3 = sqrt((x - 3)^3);\nq4 = sqrt(x^2^0.5 - 1);\n"   // even powers
      "f = sqrt(-n);\nh = sqrt(x) * 2;\nq = log(x^3);\n"
      "m2 = [1 -2; 3 1];\np2 = m2 * m2;\nr2 = sqrt(p2);\nr3 = sqrt([1 2] / [2 1; 1 2]);\n");   // matrix products
  EXPECT_FALSE(has(r.arrays, "r2"));
  EXPECT_FALSE(has(r.arrays, "r3"));
  for (const char* v : {"s", "d", "g", "z", "w", "y", "u", "v", "u2", "q2"}) EXPECT_TRUE(has(r.scalars, v)) << v;
  for (const char* v : {"a", "c", "e", "f", "h", "q", "o", "o2", "u3", "u4", "q3", "q4"}) EXPECT_FALSE(has(r.scalars, v)) << v;
  // The inputs of a function's scalar form may be negative.
  EXPECT_FALSE(infer_types_of("function y = g(x)\ny = sqrt(x);\n").scalar_function);
  EXPECT_TRUE(infer_types_of("function y = g(x)\ny = sqrt(x * x) + log(abs(x) + 1);\n").scalar_function);
}

TEST_F(Inference, WhatTheStatementsDoNotShowProvesNothing) {
  EXPECT_TRUE(infer("a = 1;\neval('a = ''x'';');\nb = a;\n").scalars.empty());
  EXPECT_TRUE(infer("a = 1;\nload data\n").scalars.empty());
  EXPECT_TRUE(infer("a = 1;\nsetup_script\nb = a + 1;\n").scalars.empty());
  const inferred_types g = infer("function f()\nglobal a\na = 1;\nb = 2;\nh = @() b;\n");
  EXPECT_FALSE(has(g.scalars, "a"));
  EXPECT_FALSE(has(g.scalars, "b"));
  EXPECT_TRUE(infer("%#scalar a\na = 1;\n").scalars.empty());
  // A shown variable is displayed under its name, which only its general form has.
  const inferred_types shown = infer("a = 1\nb = 2;\nb\nc = 3;\n");
  EXPECT_FALSE(has(shown.scalars, "a"));
  EXPECT_FALSE(has(shown.scalars, "b"));
  EXPECT_TRUE(has(shown.scalars, "c"));
}

TEST_F(Inference, ScalarFormOfAFunction) {
  const inferred_types fib = infer_types_of(
      "function f = fib(n)\nif n < 2\n  f = n;\nelse\n  f = fib(n - 1) + fib(n - 2);\nend\n");
  EXPECT_TRUE(fib.scalar_function);   // its own calls with scalars give scalars
  EXPECT_FALSE(infer_types_of("function f = g(n)\nf = h(n);\n").scalar_function);   // another function's: unknown
  const inferred_types g = infer_types_of("function y = g(x, k)\ny = x;\nfor i = 1:k\n  y = y * x + i;\nend\n");
  EXPECT_TRUE(g.scalar_function);
  EXPECT_EQ(g.output, "y");
  // The output not assigned on every path, nargin read, or state between calls.
  EXPECT_FALSE(infer_types_of("function y = g(x)\nif x > 0\n  y = 1;\nend\n").scalar_function);
  EXPECT_FALSE(infer_types_of("function y = g(x)\ny = nargin;\n").scalar_function);
  EXPECT_FALSE(infer_types_of("function y = g(x)\npersistent c\ny = x;\n").scalar_function);
  EXPECT_FALSE(infer_types_of("function y = g(x)\ny = sqrt(x);\n").scalar_function);
  // An input that is indexed or called is no C++ double.
  EXPECT_FALSE(infer_types_of("function k = g(v)\nk = v(1);\n").scalar_function);
  EXPECT_FALSE(infer_types_of("function y = g(f, x)\ny = f(f(x));\n").scalar_function);
}

TEST_F(Inference, CalleesOutputClass) {
  auto statements = [](const std::string& m) {
    minput_t input;
    input.assign(m);
    parser_t scan;
    scan.in = &input;
    std::vector<tokens_t> out;
    for (int guard = 0; guard < 100; ++guard) {
      scan.get_statement();
      if (scan.stmt.is_word(TP_HEAD, "function")) scan.function_open = true;
      out.emplace_back();
      out.back() = scan.stmt;
      if (scan.at_end() || scan.function_follows) break;
    }
    return out;
  };
  EXPECT_EQ(output_class(statements("function n = size_of_run()\nn = [80 60];\n")), 1);
  EXPECT_EQ(output_class(statements("function n = k(x)\nn = 3;\nif x\n  n = n + 1;\nend\n")), 2);
  EXPECT_EQ(output_class(statements("function n = k(x)\nn = x;\n")), 0);   // what it was given
  // Statements after a handle are still read.
  EXPECT_EQ(output_class(statements("function y = k(x)\nf = @sin;\ny = f(x);\n")), 0);
  // A caller reads the callee's array element by element, as a scalar.
  const std::map<std::string, int> callees = {{"size_of_run", 1}};
  const inferred_types r =
      infer_types(statements("s = size_of_run();\nn = s(1);\nfor k = 1:n\n  t = k;\nend\n"), false, &callees);
  EXPECT_TRUE(has(r.scalars, "n"));
  EXPECT_TRUE(has(r.scalars, "k"));
  EXPECT_TRUE(has(r.arrays, "s"));
}

TEST_F(Inference, LoopPlans) {
  const inferred_types r = infer(
      "n = 20;\nu = zeros(n, n);\nv = u;\nw = u;\nc = 0;\n"
      "for j = 2:n-1\n"                                   // 0: counted, views of u and v
      "  for i = 2:n-1\n"                                 // 1
      "    v(i, j) = u(i-1, j) + u(i, j+1);\n"
      "    c = c + w(i);\n"
      "  end\n"
      "  w(j, :) = 0;\n"                                  // a colon subscript: no view of w
      "end\n"
      "for k = 1:3\n  k = k + 0.5;\n  c = c + k;\nend\n"   // 2: assigned in its body
      "for t = [1:3; 4:6]\n  c = c + sum(t);\nend\n"        // 3: columns of two rows
      "for q = 1:n\n  u(q) = v(end);\n  x = u;\nend\n");     // 4: end and a whole read
  ASSERT_EQ(r.loops.size(), 5u);
  const loop_plan& outer = r.loops[0];
  EXPECT_EQ(outer.var, "j");
  EXPECT_TRUE(outer.scalar_range);
  EXPECT_TRUE(outer.whole_shadow);
  EXPECT_EQ(outer.views, (std::set<std::string>{"u", "v"}));
  EXPECT_EQ(r.loops[1].views, (std::set<std::string>{"u", "v", "w"}));
  EXPECT_TRUE(r.loops[2].scalar_range);
  EXPECT_TRUE(r.loops[2].assigned_in_body);
  EXPECT_FALSE(r.loops[2].whole_shadow);
  // Only the range the loop runs over counts: a matrix of ranges has columns of two.
  EXPECT_FALSE(r.loops[3].scalar_range);
  EXPECT_FALSE(has(r.scalars, "t"));
  EXPECT_TRUE(r.loops[4].views.empty());
  // Without inference the loops still say whether their bodies assign the variable.
  EXPECT_TRUE(infer("for k = 1:3\n  eval('k = 1;');\nend\n").loops.at(0).assigned_in_body);
}

TEST_F(Inference, WhileLoopViews) {
  const inferred_types r = infer(
      "n = 9;\np = ones(1, n);\nq = p;\nk = 2;\n"
      "while k <= n && p(k) > 0\n"                  // 0: views of p and q
      "  p(k) = 0;\n  q(k) = p(k - 1) + q(k);\n"
      "  j = 1;\n"
      "  while j < 3\n"                             // 1: p only (q grows by end)
      "    p(j) = j;\n    q(end + 1) = j;\n    j = j + 1;\n"
      "  end\n"
      "  k = k + 2;\n"
      "end\n"
      "while k > 0\n  k = k - 1;\n  x = q;\nend\n");   // 2: a whole read, no view
  ASSERT_EQ(r.while_views.size(), 3u);
  EXPECT_EQ(r.while_views[0], (std::set<std::string>{"p"}));
  EXPECT_EQ(r.while_views[1], (std::set<std::string>{"p"}));
  EXPECT_TRUE(r.while_views[2].empty());
}

// A while loop's counter: only a proven scalar stepped once, by a fixed amount, first or
// last in the body, against a fixed bound.
TEST_F(Inference, WhileLoopCounters) {
  const inferred_types r = infer(
      "n = 9;\nc = 2;\nx = zeros(1, n);\nk = 1;\n"
      "while k <= n\n  x(k) = k;\n  k = k + c;\nend\n"            // 0: up, step last
      "while (k > 3.5)\n  k = k - 1;\n  x(k) = 1;\nend\n"          // 1: down, strict, step first
      "while k < n\n  k = k + 1;\nend\n"                            // 2: a body of one statement
      "while k < n\n  x(k) = 1;\n  n = n - 1;\n  k = k + 1;\nend\n"   // 3: the bound changes
      "while k < n\n  k = k + 1;\n  x(k) = 1;\n  k = k + 1;\nend\n"   // 4: two steps
      "while k < n\n  x(k) = 1;\n  k = k - 1;\nend\n"              // 5: steps away from the bound
      "while k < n\n  x(k) = 1;\n  if x(1)\n    k = k + 1;\n  end\nend\n"   // 6: step in a branch
      "while k < n\n  x(k) = 1;\n  k = k + k;\nend\n"              // 7: the step is the counter
      "while x(k) < n\n  k = k + 1;\nend\n"                         // 8: the condition reads x
      "while k <= n\n  x(k) = 1;\n  k = k + c;\n  c = 1;\nend\n");   // 9: the step changes
  ASSERT_EQ(r.while_counters.size(), 10u);
  const while_counter& a = r.while_counters[0];
  EXPECT_EQ(a.var, "k");
  EXPECT_EQ(a.bound, "n");
  EXPECT_EQ(a.step, "c");
  EXPECT_TRUE(a.up);
  EXPECT_FALSE(a.strict);
  EXPECT_FALSE(a.after);
  const while_counter& b = r.while_counters[1];
  EXPECT_EQ(b.var, "k");
  EXPECT_FALSE(b.up);
  EXPECT_TRUE(b.strict);
  EXPECT_TRUE(b.after);
  EXPECT_EQ(r.while_counters[2].var, "k");
  EXPECT_FALSE(r.while_counters[2].after);
  for (std::size_t i = 3; i < 10; ++i) EXPECT_TRUE(r.while_counters[i].var.empty()) << "loop " << i;
  // A counter that is no proven scalar has none.
  EXPECT_TRUE(infer("k = [1 2];\nk = 1;\nwhile k < 4\n  k = k + 1;\nend\n").while_counters.at(0).var.empty());
  EXPECT_TRUE(infer("k = 1;\nwhile k < 4\n  k = k + 1;\nend\nk = 'a';\n").while_counters.at(0).var.empty());
}

TEST_F(Inference, ScalarFormsThatCannotRaiseNeedNoFrame) {
  EXPECT_TRUE(infer_types_of(
                  "function f = fib(n)\nif n < 2\n  f = n;\nelse\n  f = fib(n - 1) + fib(n - 2);\nend\n")
                  .frameless);
  EXPECT_TRUE(infer_types_of("function y = g(x)\ny = x * x - 2 / x;\n").frameless);
  // An element read, a library call, a condition on a number (NaN fails), a call
  // with another count of arguments, a loop (a range too large): each may raise, so
  // the scalar form keeps its frame.
  for (const char* m : {"function y = g(n)\nv = [1 2 3];\ny = v(n);\n", "function y = g(x)\ny = floor(x);\n",
                        "function y = g(x)\ny = 1;\nif x\n  y = 2;\nend\n",
                        "function y = g(x)\ny = 1;\nif x > 0\n  y = g(x - 1, 2);\nend\n",
                        "function y = g(x)\ny = 0;\nfor k = 1:x\n  y = y + k;\nend\n"}) {
    const inferred_types r = infer_types_of(m);
    EXPECT_TRUE(r.scalar_function) << m;
    EXPECT_FALSE(r.frameless) << m;
  }
}

}  // namespace

// Fields of a structure known to be 1 x 1 are plain values, never a list: a variable may
// be taken as one only when nothing can make it an array.
TEST_F(Inference, SingleStructures) {
  const std::set<std::string> one = single_structures(statements_of(
      "p.v = [1 2];\np.w.x = 3;\np.v(2) = 5;\nq = struct('a', 1, 'b', 'x');\nq.a = 2;\n"
      "r.f = 1;\nr(2).f = 3;\n"                 // indexed: an array
      "t.f = 1;\nt = other();\n"                 // a value from elsewhere
      "u = struct('a', {1, 2});\n"               // cell values: an array
      "w = struct('a', k);\n"                    // k may be a cell
      "[m.a] = deal(1);\n"
      "for e = 1:3\n  e.x = 1;\nend\n"
      "p\n"));
  EXPECT_EQ(one, (std::set<std::string>{"p", "q"}));
  // Inputs, globals, a script run by name and eval can all bring in an array.
  EXPECT_TRUE(single_structures(statements_of("function f(s)\ns.a = 1;\nm = max(s.a);\n")).empty());
  EXPECT_TRUE(single_structures(statements_of("global g\ng.a = 1;\n")).empty());
  EXPECT_TRUE(single_structures(statements_of("p.a = 1;\nsetup_script\nm = max(p.a);\n")).empty());
  EXPECT_TRUE(single_structures(statements_of("p.a = 1;\neval('p(2).a = 2;');\n")).empty());
}
