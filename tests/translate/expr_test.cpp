#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "driver/diag.h"
#include "report.h"
#include "symbols/symbol.h"
#include "translate/parser.h"
#include "type_table.h"

namespace {

class Expr : public testing::Test {
 protected:
  void SetUp() override {
    testtypes::load_standard_types();
    p.symbols = &table;
  }
  void TearDown() override {
    datatypes().clear();
    diag::set_position("", 0);
  }

  // Scans one statement of M text into the parser.
  void scan(const std::string& text) {
    file_ = testing::TempDir() + "korval-expr-" + std::to_string(getpid()) + ".m";
    std::ofstream(file_, std::ios::binary) << text;
    input_.assign(text);
    p.in = &input_;
    diag::set_position(file_, 1);
    p.get_statement();
  }

  // The token texts written one after another, as the statement writer spells them.
  std::string text() {
    std::string s;
    for (int i = 0; i < p.stmt.top(); ++i) s += p.spell_token(i);
    return s;
  }

  // The rewrites in the order the statement translator applies them.
  std::string rewrite(const std::string& m) {
    scan(m + "\n");
    p.rewrite_single_target();
    p.rewrite_end();
    p.rewrite_colon();
    p.rewrite_operators();
    p.rewrite_brackets();
    return text();
  }

  symbol_type table;
  parser_t p;
  minput_t input_;
  std::string file_;
};

TEST_F(Expr, Levels) {
  scan("a = b + -1 .* c' < d & ~e ~= f(g) [h] {k} 'str' -x\n");
  const int expect[] = {100, 0, 100, 3, 3, 100, 4, 100, 6, 2, 100, 1, 4, 100, 2,
                        100, 9, 100, 9, 7, 100, 7, 8, 100, 8, 100, 3, 100, 0};
  ASSERT_EQ(p.stmt.top(), 28);
  for (int i = 0; i <= p.stmt.top(); ++i) {
    EXPECT_EQ(p.prec(i), expect[i]) << i << " " << p.stmt.gettext(i);
  }
  EXPECT_EQ(p.prec(-1), -1);
  EXPECT_EQ(p.prec(p.stmt.top() + 1), -1);
}

TEST_F(Expr, OperatorsGroupAndNest) {
  EXPECT_EQ(rewrite("a-b-c"), "a-b-c");
  EXPECT_EQ(rewrite("a.-b.-c"), "minus(minus(a,b),c)");
  EXPECT_EQ(rewrite("x.^2'"), "power(x,ctranspose(2.0))");
  EXPECT_EQ(rewrite("y=-a^2"), "y=-mpower(a,2.0)");
  EXPECT_EQ(rewrite("y=a.^b.*c"), "y=times(power(a,b),c)");
  EXPECT_EQ(rewrite("y=a./b.\\c+d\\e"), "y=ldivide(rdivide(a,b),c)+mldivide(d,e)");
  EXPECT_EQ(rewrite("y=f(x).*g(x+1)'"), "y=times(f(x),ctranspose(g(x+1.0)))");
  EXPECT_EQ(rewrite("y=a.'+b.+c"), "y=plus(transpose(a)+b,c)");
  EXPECT_EQ(rewrite("y=~x"), "y=!x");
  EXPECT_EQ(rewrite("t=a~=b"), "t=a!=b");
  EXPECT_EQ(rewrite("t=a~=b.^2"), "t=a!=power(b,2.0)");
  // A unary ~ in parentheses is an operand of the operators around it.
  EXPECT_EQ(rewrite("y=x.*(~e)"), "y=times(x,(!e))");
  EXPECT_EQ(rewrite("y=(~e).*x"), "y=times((!e),x)");
  EXPECT_EQ(rewrite("y=2^(~x)"), "y=mpower(2.0,(!x))");
  EXPECT_EQ(rewrite("y=~e.*x"), "y=times(!e,x)");
  EXPECT_EQ(rewrite("y=X(~b)'"), "y=ctranspose(X(!b))");
}

TEST_F(Expr, RangesAndEnd) {
  EXPECT_EQ(rewrite("a(:)"), "a(c_p)");
  EXPECT_EQ(rewrite("a(:,1)"), "a(c_p,1.0)");
  EXPECT_EQ(rewrite("a(2:end)"), "a(colon(2.0,1.0,a.size()))");
  EXPECT_EQ(rewrite("b(1,end)"), "b(1.0,b.size(2))");
  EXPECT_EQ(rewrite("c{end}"), "c.br(c.size())");
  EXPECT_EQ(rewrite("x=1:n+1"), "x=colon(1.0,1.0,n+1.0)");
  EXPECT_EQ(rewrite("x=a:s:b"), "x=colon(a,s,b)");
  EXPECT_EQ(rewrite("x=v(end-1:-1:1)"), "x=v(colon(v.size()-1.0,-1.0,1.0))");
  // The indexed operand may itself be indexed: its extent is taken of the element.
  EXPECT_EQ(rewrite("c{i}(end)"), "c.br(i)(c.br(i).size())");
  EXPECT_EQ(rewrite("c{i}(2:end)"), "c.br(i)(colon(2.0,1.0,c.br(i).size()))");
  EXPECT_EQ(rewrite("c{i}(1,end)"), "c.br(i)(1.0,c.br(i).size(2))");
  EXPECT_EQ(rewrite("c{end}{end}"), "c.br(c.size()).br(c.br(c.size()).size())");
  EXPECT_EQ(rewrite("x(:,end:(end+p))"), "x(c_p,colon(x.size(2),1.0,(x.size(2)+p)))");
  EXPECT_EQ(rewrite("x([1 end])"), "x((BR(1.0),x.size()))");
  EXPECT_EQ(rewrite("end"), "end");   // a block end is never an index
  EXPECT_REPORT(rewrite("x = 1 + end"), "error: '.*x = 1 \\+ end' : end used outside an index\n$");
}

TEST_F(Expr, MatrixAndCellLiterals) {
  EXPECT_EQ(rewrite("x=[]"), "x=nop_M");
  EXPECT_EQ(rewrite("f([1,2])"), "f((BR(1.0),2.0))");
  EXPECT_EQ(rewrite("m=[1 2;3 4]"), "m=(BR(1.0),2.0,semi,\n3.0,4.0)");
  EXPECT_EQ(rewrite("m=[[1 2] 3]"), "m=(BR((BR(1.0),2.0)),3.0)");
  EXPECT_EQ(rewrite("[a,b]=size(x)"), "[a,b]=size(x)");
  EXPECT_EQ(rewrite("[x]=f(1)"), "x=f(1.0)");
  EXPECT_EQ(rewrite("k={a,'s'}"), "k=(CL(a),TM(\"s\"))");
  EXPECT_EQ(rewrite("c={}"), "c=cells(0.0)");
  const int c = table.find("c", SYM_VARIABLES);
  ASSERT_GE(c, 0);
  EXPECT_EQ(table.info_of(c)[INFO_TYPE], DT_CELL);
  EXPECT_EQ(rewrite("d{2}=5"), "d.br(2.0)=5.0");
  EXPECT_EQ(table.info_of(table.find("d", SYM_VARIABLES))[INFO_TYPE], DT_CELL);
  EXPECT_EQ(rewrite("y=f{1}"), "y=f(CL(1.0))");   // f is no variable: a literal argument
  EXPECT_EQ(rewrite("y=c{1}"), "y=c.br(1.0)");   // c is one: an index
}

TEST_F(Expr, ArgumentLists) {
  std::string args;
  for (int i = 0; i < 61; ++i) args += std::to_string(i) + ",";
  EXPECT_EQ(rewrite("x(" + args + "end)").substr(0, 6), "x(0.0,");
  EXPECT_REPORT(rewrite("x(" + args + "61,end)"), "too many arguments\n$");

  scan("f(a,b(1,2),c,i_o,d__o)\n");
  std::vector<int> bounds;
  EXPECT_EQ(p.scan_arguments(1, bounds), 3);
  EXPECT_EQ(bounds[0], 2);
  EXPECT_EQ(bounds[1], 4);
  EXPECT_EQ(bounds[2], 11);
  EXPECT_EQ(p.argument_of(7, bounds, 3), 2);
  EXPECT_EQ(p.index_owner(7), 4);
  EXPECT_EQ(p.index_owner(2), 0);
  EXPECT_EQ(p.index_owner(0), -1);
  scan("f()\n");
  EXPECT_EQ(p.scan_arguments(1, bounds), 0);
  EXPECT_EQ(bounds[0], 2);
  scan("f(a\n");
  EXPECT_REPORT(p.scan_arguments(1, bounds), "could not find \\)\n$");
  EXPECT_REPORT(p.next_op(2), "next_op: , or closing parenthesis not found\n$");
  EXPECT_REPORT(p.find_expr(1, 0), "find_expr: where to go\\?\n$");
}

TEST_F(Expr, UnaryNotAmongPowersAndProducts) {
  // Power binds tighter than a unary ~, which binds tighter than the products.
  EXPECT_EQ(rewrite("y=~x.^2"), "y=!power(x,2.0)");
  EXPECT_EQ(rewrite("y=~x'"), "y=!ctranspose(x)");
}

TEST_F(Expr, ConstantRangesFoldSigns) {
  scan("for i=10:-2:1\n");
  p.rewrite_colon();
  double start = 0, step = 0, stop = 0;
  ASSERT_TRUE(p.constant_range(3, start, step, stop));
  EXPECT_EQ(start, 10.0);
  EXPECT_EQ(step, -2.0);
  EXPECT_EQ(stop, 1.0);
  EXPECT_EQ(text(), "fori=colon(10.0,-2.0,1.0)");
  scan("for i=1:n\n");
  p.rewrite_colon();
  EXPECT_FALSE(p.constant_range(3, start, step, stop));
}

TEST_F(Expr, SpellingUsesTheSymbolTable) {
  table.add_typed("sum", SYM_RESERVED_FUNCTION, 0);
  table.add_typed("sum", SYM_LOCAL, 0);
  table.add_typed("rand", SYM_RESERVED_FUNCTION, 0);
  EXPECT_EQ(rewrite("y=sum+rand+rand(2)"), "y=sum_+rand()+rand(2.0)");
}

}  // namespace

namespace {

// Random statements through the scanner and every rewrite: each one ends with a
// translation or a report (exit status 1, or 3 for a consistency condition), never
// with a crash. Each case runs in a child process so that a report does not end the
// test.
TEST_F(Expr, RandomStatementsNeverCrash) {
  static const char* pieces[] = {"a", "b", "x(", "f(", ")", "(", "[", "]", "{", "}", ",", ";",
                                 ":", "end", "'", ".'", "^", ".^", "./", "\\", ".*", "+", "-",
                                 "~", "==", "~=", "&&", "1", "2.5", "'s'", "=", " ", "c{",
                                 "...", "%", "\n", "i", "3i", "[1 2;3 4]", "!"};
  const int n_pieces = sizeof pieces / sizeof *pieces;
  unsigned seed = 12345;
  auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 16; };
  int reported = 0, translated = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string m;
    const int len = 1 + static_cast<int>(next() % 14);
    for (int k = 0; k < len; ++k) m += pieces[next() % n_pieces];
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      std::freopen("/dev/null", "w", stdout);
      std::freopen("/dev/null", "w", stderr);
      rewrite(m);
      std::_Exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "signal on: " << m;
    const int code = WEXITSTATUS(status);
    ASSERT_TRUE(code == 0 || code == 1 || code == 3) << "status " << code << " on: " << m;
    (code == 0 ? translated : reported) += 1;
  }
  std::printf("random statements: %d translated, %d reported\n", translated, reported);
}

}  // namespace
