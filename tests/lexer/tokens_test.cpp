#include "lexer/tokens.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/diag.h"

namespace {

std::string dump(const tokens_t& t) {
  std::ostringstream out;
  t.debug_print(out);
  return out.str();
}

TEST(Tokens, InsertDeleteAndShift) {
  diag::set_position("", 0);
  tokens_t t;
  EXPECT_EQ(t.top(), -1);
  EXPECT_EQ(t.last_kind(), TK_OTHER);
  t.reset();
  t.ins_before_last("x", TK_WORD);
  t.ins_before_last("=", '=');
  t.ins_before_last("3.0", TK_NUMBER);
  t.ins(0, "y", TK_WORD);
  t.append("tail", TK_OTHER);
  EXPECT_EQ(dump(t), "5 TOKENS=@y#x#=#3.0#\n#tail#@\n");
  t.del(0);
  t.del(3, 2);
  EXPECT_EQ(dump(t), "2 TOKENS=@x#=#3.0#@\n");
  EXPECT_EQ(t.kind(1), '=');
  EXPECT_EQ(t.last_kind(), TK_NUMBER);
  // Buffers of deleted slots are reused, texts of every length come back intact.
  t.append(std::string(500, 'a'), TK_WORD);
  t.set(0, "b", TK_WORD);
  t.clear();
  t.append("q", TK_WORD);
  t.append("", TK_OTHER);
  EXPECT_EQ(dump(t), "1 TOKENS=@q##@\n");
  t.del(0, 0);
  EXPECT_EQ(t.size(), 2);
}

TEST(Tokens, BadIndexesAreFatal) {
  diag::set_position("", 0);
  tokens_t t;
  EXPECT_EXIT(t.gettext(0), testing::ExitedWithCode(1), "tokens_t: got token not in range");
  t.append("a", TK_WORD);
  EXPECT_EXIT(t.ins(2, "b", TK_WORD), testing::ExitedWithCode(1),
              "tokens_t::ins: got token not in range");
  EXPECT_EXIT(t.ins(-1, "b", TK_WORD), testing::ExitedWithCode(1),
              "tokens_t::ins: got token not in range");
  EXPECT_EXIT(t.kind(-1), testing::ExitedWithCode(1), "tokens_t: got token not in range");
  EXPECT_EXIT(t.line(1), testing::ExitedWithCode(1), "tokens_t: got token not in range");
  EXPECT_EXIT(t.set(1, "x", 1), testing::ExitedWithCode(1), "tokens_t: got token not in range");
  EXPECT_EXIT(t.del(0, 2), testing::ExitedWithCode(1), "tokens_t: got token not in range");
  EXPECT_EXIT(t.quote(3), testing::ExitedWithCode(1), "tokens_t: got token not in range");
  // The queries that never fail.
  EXPECT_FALSE(t.is_word(-1, "a"));
  EXPECT_FALSE(t.is_word(1, "a"));
  EXPECT_FALSE(t.is_kind(5, TK_WORD));
  EXPECT_TRUE(t.is_kind(0, TK_WORD));
}

TEST(Tokens, HoldsAtMostAMillionTokens) {
  diag::set_position("", 0);
  tokens_t t;
  for (int i = 0; i < tokens_t::MAX_TOKENS; ++i) t.append("x", TK_WORD);
  EXPECT_EQ(t.top(), tokens_t::MAX_TOKENS - 1);
  EXPECT_EXIT(t.append("x", TK_WORD), testing::ExitedWithCode(1), "tokens_t::ins: too many tokens");
  EXPECT_EXIT(t.ins(0, "x", TK_WORD), testing::ExitedWithCode(1), "tokens_t::ins: too many tokens");
  t.del(0, tokens_t::MAX_TOKENS - 1);
  EXPECT_EQ(t.top(), 0);
}

TEST(Tokens, WordKindAndFindQueries) {
  diag::set_position("", 0);
  tokens_t t;
  t.append("if", TK_COMMENT);
  t.append("if", TK_WORD);
  t.append("If", TK_WORD);
  EXPECT_FALSE(t.is_word(0, "if"));
  EXPECT_TRUE(t.is_word(1, "if"));
  EXPECT_FALSE(t.is_word(2, "if"));
  EXPECT_EQ(t.find("if"), 0);
  EXPECT_EQ(t.find("IF"), -1);
  EXPECT_EQ(t.find("If"), 2);
}

TEST(Tokens, QuotingOperations) {
  diag::set_position("", 0);
  tokens_t t;
  t.append("abc", TK_WORD);
  t.append("\"s\"", TK_STRING);
  t.append("x", TK_STRING);
  t.append("y", TK_WORD);
  t.quote(0);
  EXPECT_EQ(t.gettext(0), "\"abc\"");
  EXPECT_EQ(t.kind(0), TK_STRING);
  t.quote(1);
  EXPECT_EQ(t.gettext(1), "\"s\"");
  t.unquote(0);
  EXPECT_EQ(t.gettext(0), "abc");
  EXPECT_EQ(t.kind(0), TK_WORD);
  t.unquote(0);   // not a string: unchanged
  EXPECT_EQ(t.gettext(0), "abc");
  t.unquote(2);   // one character: text kept
  EXPECT_EQ(t.gettext(2), "x");
  EXPECT_EQ(t.kind(2), TK_WORD);
  t.prefix_m(3);
  EXPECT_EQ(t.gettext(3), "my");
  EXPECT_EQ(t.kind(3), TK_STRING);
  t.prefix_m(3);
  EXPECT_EQ(t.gettext(3), "my");
}

TEST(Tokens, LinesComeFromTheCurrentPosition) {
  diag::set_position("f.m", 4);
  tokens_t a;
  a.append("x", TK_WORD);
  diag::set_line(9);
  a.append("y", TK_WORD);
  a.ins(0, "w", TK_WORD);
  EXPECT_EQ(a.line(0), 9);
  EXPECT_EQ(a.line(1), 4);   // moved with its token
  diag::set_line(12);
  tokens_t b;
  b.append("old", TK_WORD);
  b = a;
  EXPECT_EQ(dump(b), "2 TOKENS=@w#x#y#@\n");
  for (int i = 0; i <= b.top(); ++i) EXPECT_EQ(b.line(i), 12);
  b = b;   // self-assignment keeps the tokens
  EXPECT_EQ(b.size(), 3);
  diag::set_position("", 0);
}

}  // namespace
