#include "driver/ctext.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string layout(const std::string& text) {
  ctext_type c;
  std::ostringstream out;
  c.print(out, text);
  return out.str();
}

TEST(Ctext, IndentsBlocksAndAlignsClosingBraces) {
  EXPECT_EQ(layout("a{\nb;\n}\n"), "a{\n  b;\n}\n");
  EXPECT_EQ(layout("f() {\nif (x) {\ny;\n}\n}\n"), "f() {\n  if (x) {\n    y;\n  }\n}\n");
}

TEST(Ctext, StateCarriesOverBetweenPrints) {
  ctext_type c;
  std::ostringstream out;
  c.print(out, "a{\n");
  EXPECT_EQ(c.indent_level(), 2);
  c.print(out, "b;\n}\n");
  EXPECT_EQ(out.str(), "a{\n  b;\n}\n");
  EXPECT_EQ(c.indent_level(), 0);
}

TEST(Ctext, ExtraClosingBraceWarnsAndRestartsAtZero) {
  testing::internal::CaptureStdout();
  const std::string got = layout("}\nx;\n");
  const std::string report = testing::internal::GetCapturedStdout();
  EXPECT_EQ(got, "}\nx;\n");
  EXPECT_EQ(report, "error: ctext_type::operator <<: indent error\n");
}

TEST(Ctext, BreaksLongLinesAfterCommaBlankOrParenthesis) {
  std::string line;
  for (int i = 0; i < 50; ++i) line += "x,";
  const std::string got = layout(line + "\n");
  // Column 72 is the first comma past column 70.
  EXPECT_EQ(got, line.substr(0, 72) + "\\\n  " + line.substr(72) + "\n");

  // Inside a block the continuation gets two spaces and then the indentation.
  const std::string in_block = layout("{\n" + line + "\n}\n");
  EXPECT_EQ(in_block.substr(0, 2 + 2 + 70), "{\n  " + line.substr(0, 70));
  EXPECT_NE(in_block.find("\\\n    x"), std::string::npos);
}

TEST(Ctext, NeverBreaksStringsCommentsOrUnbreakableRuns) {
  std::string lit = "s = TM(\"";
  for (int i = 0; i < 40; ++i) lit += "a, ";
  lit += "\");\n";
  const std::string got = layout(lit);
  EXPECT_EQ(got.substr(0, lit.size() - 3), lit.substr(0, lit.size() - 3));
  EXPECT_EQ(got.find("\\\n"), lit.size() - 2);  // after the closing parenthesis only

  std::string comment = "// ";
  for (int i = 0; i < 40; ++i) comment += "b, ";
  comment += "\n";
  EXPECT_EQ(layout(comment), comment);

  const std::string run(120, 'y');
  EXPECT_EQ(layout(run + "\n"), run + "\n");

  // An escaped quote does not end the literal.
  std::string esc = "p(\"\\\"";
  for (int i = 0; i < 40; ++i) esc += ", ";
  esc += "\");\n";
  EXPECT_EQ(layout(esc).find("\\\n"), esc.size() - 2);

  // A literal that ends in an escaped backslash ends at its quote: the literal
  // after it is still one, not broken where its blank passes the column.
  const std::string ends = "a(\"\\\\\");f(\"" + std::string(70, 'x') + " y\"\n";
  EXPECT_EQ(layout(ends), ends);
}

TEST(Ctext, BracesInLineCommentsLeaveTheIndentation) {
  ctext_type c;
  std::ostringstream out;
  c.print(out, "// {\nx;\n");
  EXPECT_EQ(c.indent_level(), 0);
  c.print(out, "/// {\n");
  EXPECT_EQ(c.indent_level(), 2);  // three slashes are not a comment here
  ctext_type d;
  std::ostringstream o2;
  d.print(o2, "a = b / c; {\n");
  EXPECT_EQ(d.indent_level(), 2);  // a lone slash is division
  EXPECT_EQ(out.str(), "// {\nx;\n/// {\n");
}

// Braces and "//" inside string literals are text: "}" in an M string, a URL, or a
// quote inside a comment used to upset the indentation ("indent error").
TEST(Ctext, StringLiteralsAndCommentsLeaveTheIndentation) {
  EXPECT_EQ(layout("f() {\ndisp(TM(\"}\"));\ny;\n}\n"), "f() {\n  disp(TM(\"}\"));\n  y;\n}\n");
  EXPECT_EQ(layout("if (istrue(strcmp(s,TM(\"http://a{\")))) {\ny;\n}\n"),
            "if (istrue(strcmp(s,TM(\"http://a{\")))) {\n  y;\n}\n");
  EXPECT_EQ(layout("// he said \"hi\nif (x) {\ny;\n}\n"), "// he said \"hi\nif (x) {\n  y;\n}\n");
  EXPECT_EQ(layout("s=TM(\"a\\\\\");\nf() {\ny;\n}\n"), "s=TM(\"a\\\\\");\nf() {\n  y;\n}\n");
}

TEST(Ctext, FailingStreamIsFatal) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  ctext_type c;
  EXPECT_EXIT(c.print(out, "x;\n"), testing::ExitedWithCode(1),
              "error: ctext_type::print: outstream overflow");
}

}  // namespace
