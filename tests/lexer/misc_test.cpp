#include "lexer/misc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string read_all(minput_t& in, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out.push_back(static_cast<char>(in.get()));
  return out;
}

TEST(Input, CarriageReturnsAndEndOfInput) {
  minput_t in;
  in.assign("a\r\nb\r");
  EXPECT_EQ(read_all(in, 3), "a\nb");
  EXPECT_FALSE(in.at_end());
  EXPECT_EQ(in.get(), '\n');   // the trailing CR is skipped, then the end
  EXPECT_TRUE(in.at_end());
  EXPECT_EQ(in.get(), '\n');
  for (const char* stop : {"x\x1ay", "x\xffy"}) {
    in.assign(stop);
    EXPECT_EQ(read_all(in, 3), "x\n\n");
    EXPECT_TRUE(in.at_end());
  }
  in.assign(std::string("a\0b", 3));
  EXPECT_EQ(read_all(in, 3), std::string("a\0b", 3));
}

TEST(Input, UngetStepsBackAndIsNotFresh) {
  minput_t in;
  in.assign("ab\r\ncd");
  bool fresh = false;
  EXPECT_EQ(in.get(fresh), 'a');
  EXPECT_TRUE(fresh);
  in.get();
  EXPECT_EQ(in.get(), '\n');
  in.unget();
  in.unget();
  in.unget();
  EXPECT_EQ(in.peek(), 'a');
  EXPECT_EQ(in.get(fresh), 'a');
  EXPECT_FALSE(fresh);
  EXPECT_EQ(read_all(in, 4), "b\ncd");
  in.get(fresh);   // the end of input reads fresh once and is never stepped over
  EXPECT_TRUE(fresh);
  in.unget();
  EXPECT_EQ(in.get(fresh), '\n');
  EXPECT_FALSE(fresh);
  in.unget();
  in.unget();
  EXPECT_EQ(in.get(), 'd');
  const std::size_t at = in.tell();
  in.seek(0);
  EXPECT_FALSE(in.at_end());
  EXPECT_EQ(in.get(fresh), 'a');
  EXPECT_TRUE(fresh);   // read again after a rewind
  in.seek(at + 100);
  EXPECT_EQ(in.get(), '\n');
}

TEST(Classes, TwoCharacterOperators) {
  for (const char* op : {"./", ".*", ".^", ".\\", ".'", ".+", ".-", "==", "<=", ">=", "~=", "!=",
                         "<>", "&&", "||", "**"})
    EXPECT_TRUE(is_two_char_op(op[0], op[1])) << op;
  for (const char* op : {"=~", "..", ".a", "&|", "+-", "*/", "\n="})
    EXPECT_FALSE(is_two_char_op(op[0], op[1])) << op;
  EXPECT_FALSE(is_two_char_op('.', 0));
  EXPECT_FALSE(is_two_char_op(255, 255));
  EXPECT_EQ(operator_kind("=="), '=');
  EXPECT_EQ(operator_kind(".*"), '*');
  EXPECT_EQ(operator_kind("<="), '=');   // the code of its last character, like "~="
  EXPECT_EQ(operator_kind("&&"), 5);
  EXPECT_EQ(operator_kind("<"), 5);
  EXPECT_EQ(operator_kind("("), '(');
  EXPECT_EQ(operator_kind(std::string(1, '\0')), 5);
  EXPECT_EQ(operator_kind(""), 5);
}

}  // namespace
