#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "driver/diag.h"
#include "report.h"
#include "symbols/datatype.h"
#include "lexer/scanner.h"

namespace {

// The statements of text, each as its tokens joined by blanks ("\n" shown as "NL"),
// with ";" in front of a statement whose display flag is cleared. Empty statements
// (a lone newline) are left out unless keep_empty.
std::vector<std::string> scan(const std::string& text, bool keep_empty = false,
                              scanner_t* use = nullptr) {
  // Reports name the file and quote its line, so the text is also on disk.
  const std::string file = testing::TempDir() + "korval-scan-" + std::to_string(getpid()) + ".m";
  std::ofstream(file, std::ios::binary) << text;
  minput_t input;
  input.assign(text);
  scanner_t own;
  scanner_t& p = use ? *use : own;
  p.in = &input;
  diag::set_position(file, 1);
  std::vector<std::string> out;
  for (int guard = 0; guard < 100000; ++guard) {
    p.get_statement();
    if (p.at_end() && p.stmt.size() == 1 && p.pending.empty()) break;
    if (p.stmt.size() == 1 && !keep_empty) continue;
    std::string s = p.display ? "" : ";";
    for (int i = 0; i <= p.stmt.top(); ++i) {
      if (i) s += " ";
      s += p.stmt.gettext(i) == "\n" ? "NL" : p.stmt.gettext(i);
    }
    out.push_back(s);
  }
  diag::set_position("", 0);
  return out;
}

using V = std::vector<std::string>;

TEST(Scanner, QuotesAreStringsOrTransposes) {
  EXPECT_EQ(scan("a'\n"), V{"a ' NL"});
  EXPECT_EQ(scan("disp a '\n"), V{"disp a \"\" NL"});
  EXPECT_EQ(scan("x = 'it''s'\n"), V{"x = \"it's\" NL"});
  EXPECT_EQ(scan("x = '\"q\\\\'\n"), V{"x = \"\\\"q\\\\\\\\\" NL"});
  EXPECT_EQ(scan("y = [1 2]' + x(1)'\n"), V{"y = [ 1.0 , 2.0 ] ' + x ( 1.0 ) ' NL"});
  EXPECT_EQ(scan("s = 'open\nt=1\n"), (V{"s = \"open\" NL", "t = 1.0 NL"}));
  EXPECT_EQ(scan("s = \"dq 'x'\"\n"), V{"s = \"dq 'x'\" NL"});
  // Backslash escapes in double quotes only, written as C++ escapes; \\ and \" stay
  // one character each, an unknown escape is its character.
  EXPECT_EQ(scan("s = \"a\\tb\\n\\\\ \\\"q\\\" \\d\"\n"), V{"s = \"a\\tb\\n\\\\ \\\"q\\\" d\" NL"});
  EXPECT_EQ(scan("s = 'a\\n'\n"), V{"s = \"a\\\\n\" NL"});
}

TEST(Scanner, NumbersAndOperators) {
  EXPECT_EQ(scan("x = 2i + 3 j\n"), V{"x = 2.0 * i + 3.0 j NL"});
  EXPECT_EQ(scan("a.*b ./ c .^2\n"), V{"a .* b ./ c .^ 2.0 NL"});
  EXPECT_EQ(scan("a=~b\n"), V{"a = ~ b NL"});
  EXPECT_EQ(scan("a~=b && c<=d || e==f\n"), V{"a ~= b && c <= d || e == f NL"});
  EXPECT_EQ(scan("x = 1.5e-3 + 3d2 + .5 + 10 + 0.1 + 1e20 + 2.^x\n"),
            V{"x = 0.0015 + 300.0 + 0.5 + 10.0 + 0.1 + 1e+20 + 2.0 .^ x NL"});
  EXPECT_EQ(scan("x = 1else\n"), (V{"x = 1.0 else NL"}));
  // A number 15 digits do not give back exactly keeps all its digits; a whole number
  // beyond 2^53 keeps the digits written (int64 and uint64 read them exactly).
  EXPECT_EQ(scan("x = 9007199254740993 + 123456789012345678 + 1.5e17 + 00018446744073709551615\n"),
            V{"x = 9007199254740993.0 + 123456789012345678.0 + 1.5e+17 + 18446744073709551615.0 NL"});
}

TEST(Scanner, TokenKinds) {
  minput_t input;
  input.assign("y = a.*b(1) - 'q' % c\n!ls\n");
  scanner_t p;
  p.in = &input;
  p.get_statement();
  const int kinds[] = {TK_WORD, '=', TK_WORD, '*', TK_WORD, '(', TK_NUMBER, ')', '-', TK_STRING, TK_OTHER};
  ASSERT_EQ(p.stmt.size(), 11);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(p.stmt.kind(i), kinds[i]) << i;
  p.get_statement();
  EXPECT_EQ(p.stmt.kind(0), TK_COMMENT);
  EXPECT_EQ(p.stmt.gettext(0), " c");
  p.get_statement();
  EXPECT_EQ(p.stmt.kind(0), TK_SHELL);
  EXPECT_EQ(p.stmt.gettext(0), "ls");
}

TEST(Scanner, MatrixElementsAndRows) {
  EXPECT_EQ(scan("[1 -2]\n"), V{"[ 1.0 , - 2.0 ] NL"});
  EXPECT_EQ(scan("[1 - 2]\n"), V{"[ 1.0 - 2.0 ] NL"});
  EXPECT_EQ(scan("[a b]\n"), V{"[ a , b ] NL"});
  EXPECT_EQ(scan("[a (1)]\n"), V{"[ a , ( 1.0 ) ] NL"});
  EXPECT_EQ(scan("[a(1) b']\n"), V{"[ a ( 1.0 ) , b ' ] NL"});
  EXPECT_EQ(scan("[1,2,]\n"), V{"[ 1.0 , 2.0 ] NL"});
  EXPECT_EQ(scan("m = [1 2\n3 4];\n"), V{";m = [ 1.0 , 2.0 , semi , NL 3.0 , 4.0 ] NL"});
  EXPECT_EQ(scan("m = [1 2;3 4]\n"), V{"m = [ 1.0 , 2.0 , semi , NL 3.0 , 4.0 ] NL"});
  EXPECT_EQ(scan("m = [1, % first\n  2]\n"), V{"m = [ 1.0 , semi , NL 2.0 ] NL"});
  EXPECT_EQ(scan("c = {'a' [1 2]}\n"), V{"c = { \"a\" , [ 1.0 , 2.0 ] } NL"});
  EXPECT_EQ(scan("x = f([1 2] (3))\n"), V{"x = f ( [ 1.0 , 2.0 ] ( 3.0 ) ) NL"});
  // An element of a cell or a call's result indexed again is one operand; a blank
  // still separates.
  EXPECT_EQ(scan("[c{1}(2) c{2}{1}]\n"), V{"[ c { 1.0 } ( 2.0 ) , c { 2.0 } { 1.0 } ] NL"});
  EXPECT_EQ(scan("[c{1} (2) {3}]\n"), V{"[ c { 1.0 } , ( 2.0 ) , { 3.0 } ] NL"});
  EXPECT_EQ(scan("[f(3)(2) g(1) (2)]\n"), V{"[ f ( 3.0 ) ( 2.0 ) , g ( 1.0 ) , ( 2.0 ) ] NL"});
}

TEST(Scanner, StatementEnds) {
  EXPECT_EQ(scan("x = 1; y = 2\n"), (V{";x = 1.0 NL", "y = 2.0 NL"}));
  EXPECT_EQ(scan("x = 1 % note\n"), (V{"x = 1.0 NL", " note NL"}));
  EXPECT_EQ(scan("x = 1 // note\n"), (V{"x = 1.0 NL", " note NL"}));
  EXPECT_EQ(scan("if a then b=1, end\n"), (V{"if a NL", "b = 1.0 NL", "end NL"}));
  EXPECT_EQ(scan("if x y=1\n"), (V{"if x NL", "y = 1.0 NL"}));
  EXPECT_EQ(scan("while k<3 k=k+1; end\n"), (V{"while k < 3.0 NL", ";k = k + 1.0 NL", "end NL"}));
  EXPECT_EQ(scan("if f(x) y\n"), (V{"if f ( x ) NL", "y NL"}));
  EXPECT_EQ(scan("for i=1:3 disp(i), endfor\n"),
            (V{"for i = 1.0 : 3.0 NL", "disp ( i ) NL", "end NL"}));
  EXPECT_EQ(scan("if a, b, elseif c, d, else e, end\n"),
            (V{"if a NL", "b NL", "elseif NL", "if c NL", "d NL", "else NL", "e NL", "end NL"}));
  EXPECT_EQ(scan("x = a(end)\n"), V{"x = a ( end ) NL"});
  EXPECT_EQ(scan("x = 1 + ...  more\n  2\n"), V{"x = 1.0 + 2.0 NL"});
  EXPECT_EQ(scan("x = [1 ...\n % c\n 2]\n"), V{"x = [ 1.0 , semi , NL 2.0 ] NL"});
}

TEST(Scanner, CommentsAndDirectives) {
  EXPECT_EQ(scan("%# call f g\n"), V{"call f g NL"});
  EXPECT_EQ(scan("## define N 3\n"), V{"define N 3.0 NL"});
  EXPECT_EQ(scan("% ends in \\\n"), V{" ends in \\. NL"});
  EXPECT_EQ(scan("%KORVAL% M y = 2;\n"), (V{";y = 2.0 NL"}));
  EXPECT_EQ(scan("%KORVAL% Mxy = 1\n"), V{"y = 1.0 NL"});
  EXPECT_EQ(scan("% KORVAL% M y\n"), V{" KORVAL% M y NL"});
  EXPECT_EQ(scan("!ls -l\nx=1\n"), (V{"ls -l NL", "x = 1.0 NL"}));
  EXPECT_EQ(scan("x = a ! b\n"), V{"x = a ! b NL"});
}

TEST(Scanner, LineEndingsAndLineNumbers) {
  EXPECT_EQ(scan("x = 1\r\ny = 2"), (V{"x = 1.0 NL", "y = 2.0 NL"}));
  EXPECT_EQ(scan("x = 1\x1ay = 2\n"), V{"x = 1.0 NL"});
  minput_t input;
  input.assign("a = 1\n\n% c\nb = [1\n2]\n");
  scanner_t p;
  p.in = &input;
  std::vector<int> first_lines;
  for (int i = 0; i < 8; ++i) {
    p.get_statement();
    if (p.stmt.size() > 1) first_lines.push_back(p.stmt.line(0));
  }
  EXPECT_EQ(first_lines, (std::vector<int>{1, 3, 4}));
}

TEST(Scanner, EchoCopiesTheSource) {
  scanner_t p;
  scan("echo on\nx = 1;\nfor i=1:2\n y = \"q\";\nend\necho off\nz = 3;\n", false, &p);
  EXPECT_EQ(p.echo_out,
            "gridlibout<<\"x = 1;\\n\"<<flush;\n"
            "gridlibout<<\"for i=1:2\\n y = \\\"q\\\";\\nend\\n\"<<flush;\n"
            "gridlibout<<\"echo off\\n\"<<flush;\n");
  EXPECT_EQ(p.echo(), 0);

  scanner_t q;
  scan("echo on\nfor i=1:2\necho off\nend\n", false, &q);
  EXPECT_EQ(q.echo(), 1);  // "echo off" inside the loop is ignored
  scanner_t scanning;
  scanning.scan_only = 1;
  scan("echo on\nx=1\n", false, &scanning);
  EXPECT_EQ(scanning.echo(), 0);
  EXPECT_TRUE(scanning.echo_out.empty());
}

TEST(Scanner, SecondFunctionLineIsLeftForTheNextParser) {
  datatype_t& dt = datatypes();
  dt.clear();
  for (const char* l : {"double d", "struct s", "func1M f", "function f", "script s"}) dt.add(l);
  minput_t input;
  input.assign("function y=f(x)\ny=x;\nfunction z=g\n");
  scanner_t p;
  p.in = &input;
  p.get_statement();
  EXPECT_TRUE(p.stmt.is_word(0, "function"));
  p.function_open = true;
  p.get_statement();
  p.get_statement();
  p.get_statement();
  EXPECT_TRUE(p.function_follows);
  EXPECT_EQ(p.stmt.size(), 1);
  scanner_t next;
  next.in = &input;
  next.header_mode = true;
  next.get_statement();
  EXPECT_TRUE(next.stmt.is_word(0, "function"));
  EXPECT_TRUE(next.stmt.is_word(3, "g"));
  EXPECT_FALSE(next.header_mode);
  dt.clear();
}

TEST(Scanner, LimitsAndBadInput) {
  // Identifiers are cut at 300 characters, with a warning; string literals and
  // comments keep their whole text.
  platform::set_box_handler(testreport::silent_box);
  std::vector<std::string> s = scan("x = " + std::string(400, 'w') + "\n");
  EXPECT_EQ(s[0].size(), std::string("x = ").size() + 300 + 3);
  s = scan("% " + std::string(100000, 'c') + "\n");
  EXPECT_EQ(s[0], " " + std::string(100000, 'c') + " NL");
  s = scan("x = '" + std::string(500, 's') + "'\n");
  EXPECT_EQ(s[0], "x = \"" + std::string(500, 's') + "\" NL");
  s = scan("!" + std::string(400, 'e') + "\n");
  EXPECT_EQ(s[0], std::string(400, 'e') + " NL");
  platform::set_box_handler(nullptr);

  // Unterminated brackets end with the file; binary bytes never crash.
  EXPECT_EQ(scan("x = [1 2"), V{"x = [ 1.0 , 2.0 NL"});
  EXPECT_EQ(scan("x = (1"), V{"x = ( 1.0 NL"});
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 131 + 7) % 256));
  scan(junk);
  scan(std::string("a\0b = 1\n", 8));

  EXPECT_REPORT(scan("x = " + std::string(40, '(') + "\n"), "error: .*d<MAX_NESTING");
  EXPECT_EXIT(scan("echo on\nend\n"), testing::ExitedWithCode(1), "parser_t: nested<0");
}

TEST(Scanner, DirectiveLinesAndBlockComments) {
  // "%#" or "##" makes a line code only before a directive word; other such lines
  // (lint marks, Octave's ## comments, a commented-out function line) are comments.
  EXPECT_EQ(scan("%# call f\n## define N 3\n"), (V{"call f NL", "define N 3.0 NL"}));
  EXPECT_EQ(scan("x = 1; %#ok<NASGU>\n"), (V{";x = 1.0 NL", "#ok<NASGU> NL"}));
  EXPECT_EQ(scan("%# y = f(x)\n## Copyright\n"), (V{"# y = f(x) NL", "# Copyright NL"}));
  // A block comment: every line up to the matching %} is a comment, nested ones too.
  EXPECT_EQ(scan("%{\nfunction y = f(x)\n  %{\nx = 'it\n  %}\n%}\nz = 2\n"),
            (V{"{ NL", "function y = f(x) NL", "  %{ NL", "x = 'it NL", "  %} NL", "%} NL",
               "z = 2.0 NL"}));
  // %{ with text after it on the line is an ordinary comment.
  EXPECT_EQ(scan("%{ not a block\nx = 1\n"), (V{"{ not a block NL", "x = 1.0 NL"}));
  // An unterminated block comment ends with the file.
  EXPECT_EQ(scan("#{\na b\n"), (V{"{ NL", "a b NL"}));
}

TEST(Scanner, NumbersOfAnyLength) {
  // A literal is read whole however many digits it has; one beyond the largest
  // double is the word Inf, as M reads it.
  EXPECT_EQ(scan("x = " + std::string(50, '1') + "\n"), V{"x = " + normalised(1.1111111111111111e49) + " NL"});
  EXPECT_EQ(scan("x = " + std::string(200, '9') + ";\n"), V{";x = 1e+200 NL"});
  EXPECT_EQ(scan("x = 0." + std::string(5000, '0') + "1\n"), V{"x = 0.0 NL"});
  EXPECT_EQ(scan("x = " + std::string(400, '7') + "\n"), V{"x = Inf NL"});
  EXPECT_EQ(scan("x = 1e999 + 2\n"), V{"x = Inf + 2.0 NL"});
}

TEST(Scanner, LinearTime) {
  // Prints times; a benchmark-style check, not a timed assertion.
  for (int n : {5000, 20000}) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "x" + std::to_string(i) + " = [1 2; 3 4] * y(" + std::to_string(i) + ");\n";
    const auto t0 = std::chrono::steady_clock::now();
    const std::vector<std::string> s = scan(text);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_EQ(s.size(), static_cast<std::size_t>(n));
    std::printf("scanner: %d statements in %.1f ms\n", n, ms);
  }
}

}  // namespace

namespace {

// The places of the statements of text that are not empty, as "line:column".
std::vector<std::string> places(const std::string& text) {
  minput_t input;
  input.assign(text);
  scanner_t p;
  p.in = &input;
  diag::set_position("places.m", 1);
  std::vector<std::string> out;
  for (int guard = 0; guard < 1000; ++guard) {
    p.get_statement();
    if (p.at_end() && p.stmt.size() == 1 && p.pending.empty()) break;
    if (p.stmt.size() == 1) continue;
    out.push_back(std::to_string(p.place.line) + ":" + std::to_string(p.place.column));
  }
  diag::set_position("", 0);
  return out;
}

}  // namespace

// Where each statement stands for an error's stack, as M counts it: the "=" of an
// assignment, the last operator of the lowest precedence, the first operand of a
// range, a prefix operator, the column before a transpose's quote, the closing bracket
// of a literal, a keyword of for and switch, the name of a command. A blank that
// separates elements of a literal counts one column more for what follows on its line.
TEST(Scanner, StatementPlacesForTheErrorStack) {
  EXPECT_EQ(places("  y = x(5);\n  x + b * c;\n  [p, q] = f(1);\n"), (V{"1:5", "2:5", "3:10"}));
  EXPECT_EQ(places("  if x(1) > 0 && x(7) > 1, disp(1); end\n"), (V{"1:15", "1:28", "1:37"}));
  EXPECT_EQ(places("  for k = 1:n, end\n  while x(10), end\n  switch x, case 1, end\n"),
            (V{"1:3", "1:16", "2:9", "2:16", "3:3", "3:13", "3:21"}));
  EXPECT_EQ(places("  -x(9);\n  x(9)';\n  x(9).';\n  (x(1) + x(9));\n  x(1):x(9);\n  a + 1:3;\n"),
            (V{"1:3", "2:6", "3:7", "4:9", "5:3", "6:5"}));
  EXPECT_EQ(places("  [x(9) 1] ;\n  v = [1 2]; v(3) + 1;\n  [1 2] * [3 4] + x(9);\n  {1, [2]} + x;\n"),
            (V{"1:11", "2:5", "2:20", "3:19", "4:12"}));
  EXPECT_EQ(places("\tw = 1;\n  hold on\n  x = f(...\n    9);\n  z + ...\n    [1 2];\n"),
            (V{"1:4", "2:3", "3:5", "5:5"}));
}
