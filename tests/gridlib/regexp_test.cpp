// regexp and regexprep: where MATLAB's results differ from Octave's (so no conformance
// program can show them), the constructs std::regex cannot match, and the failures.
#include <gtest/gtest.h>

#include <string>

#include "values.h"
#include "ends.h"

namespace {
using gridlib_test::Mc;
using gridlib_test::Mt;
using gridlib_test::mat;
using gridlib_test::row;
using gridlib_test::str;

std::string txt(const Mt& m) { return grl::text_of(m); }

void expect_same(const Mt& got, const Mt& want) {
  ASSERT_EQ(got.rows(), want.rows());
  ASSERT_EQ(got.cols(), want.cols());
  for (std::size_t k = 0; k < got.numel(); ++k) EXPECT_EQ(got.cre()[k], want.cre()[k]) << "element " << k;
}

// The strings of a cell row, each in quotes: {'a', ''} is "'a' ''".
std::string strings(const Mc& c) {
  std::string out;
  for (std::size_t k = 0; k < c.numel(); ++k) out += (k ? " '" : "'") + txt(c.elem(k)) + "'";
  return out;
}

const auto fails = testing::ExitedWithCode(1);
}  // namespace

// MATLAB: a pattern without groups has one token per match, the match itself, and
// its extents are the match's. (Octave gives empty token cells and 0x2 extents.)
TEST(Regexp, TokensOfAPatternWithoutGroupsAreTheMatches) {
  Mc t = regexp(str("ab12c3"), str("\\d+"), str("tokens"));
  ASSERT_EQ(t.numel(), 2u);
  ASSERT_TRUE(t.elem(0).holds_cell());
  EXPECT_EQ(strings(t.elem(0).held_cell()), "'12'");
  EXPECT_EQ(strings(t.elem(1).held_cell()), "'3'");
  Mc te = regexp(str("ab12c3"), str("\\d+"), str("tokenExtents"));
  expect_same(te.elem(0), row({3, 4}));
  expect_same(te.elem(1), row({6, 6}));
}

// MATLAB: with 'once' the tokens are a 1xK row (Octave gives a column); a group that
// took no part is '' in its place, with the empty extent where it would have begun.
TEST(Regexp, OnceTokensAreARowAndUnmatchedGroupsKeepTheirPlace) {
  Mc t = regexp(str("ab12"), str("(\\d)(\\d)"), str("tokens"), str("once"));
  EXPECT_EQ(t.rows(), 1u);
  EXPECT_EQ(strings(t), "'1' '2'");
  Mc u = regexp(str("ab"), str("(a)(x)?(b)"), str("tokens"));
  ASSERT_EQ(u.numel(), 1u);
  const Mc& first = u.elem(0).held_cell();
  EXPECT_EQ(first.cols(), 3u);
  EXPECT_EQ(strings(first), "'a' '' 'b'");
  Mt te = regexp(str("ab"), str("(a)(x)?(b)"), str("tokenExtents"), str("once"));
  expect_same(te, mat(3, 2, {1, 2, 2, 1, 1, 2}));
}

TEST(Regexp, OutputsGoToTheirPlacesInTheOrderTheWordsName) {
  Mt s, e;
  Mc m;
  regexp(str("one two"), str("\\w+"), str("match"), str("end"), i_o, m, e, s);
  EXPECT_EQ(strings(m), "'one' 'two'");
  expect_same(e, row({3, 7}));
  expect_same(s, row({1, 5}));   // the first of the outputs no word named
  Mt only;
  regexp(str("one two"), str("o"), i_o, junkM, only);
  expect_same(only, row({1, 7}));
  Mt name, value;
  regexp(str("k=v"), str("(?<n>\\w)=(?<v>\\w)"), str("names"), i_o, grl::rx_fields(name, value));
  EXPECT_EQ(txt(name), "k");
  EXPECT_EQ(txt(value), "v");
  Mt none;
  regexp(str("xyz"), str("(?<n>\\d)"), str("names"), i_o, grl::rx_fields(none));
  EXPECT_TRUE(none.ischar() && none.isempty());
}

// '.' matches a newline unless 'dotexceptnewline'; \< and \> are word boundaries;
// '[]...]' holds a ']'.
TEST(Regexp, PatternsReadAsMReadsThem) {
  const Mt nl = (BR(str("a")), 10.0, str("b")).value();
  Mt both = nl;
  both.set_flags(grl::F_STRING);
  expect_same(regexp(both, str("a.b")), Mt(1.0));
  EXPECT_TRUE(Mt(regexp(both, str("a.b"), str("dotexceptnewline"))).isempty());
  expect_same(regexp(str("cat concat"), str("cat\\>")), row({1, 8}));
  expect_same(regexp(str("cat concat"), str("\\<c")), row({1, 5}));
  expect_same(regexp(str("a]b["), str("[]\\[]")), row({2, 4}));
  expect_same(regexp(str("a(b"), str("\\(")), Mt(2.0));
}

// A string longer than the program's stack could search by recursion.
TEST(Regexp, LongStringsDoNotExhaustTheStack) {
  const std::string s(300000, 'a');
  Mt text = str(s.c_str());
  Mt e = regexp(text, str(".*"), str("end"));
  expect_same(e, Mt(300000.0));
  expect_same(regexp(text, str("((a|b)c?)*"), str("end"), str("once")), Mt(300000.0));
  Mt r = regexprep(text, str("(a)(a)"), str("$2"));
  EXPECT_EQ(r.numel(), 150000u);
}

TEST(Regexprep, NamedTokensAndEscapesInTheReplacement) {
  EXPECT_EQ(txt(regexprep(str("ab"), str("(?<x>a)(?<y>b)"), str("$<y>$<x>"))), "ba");
  EXPECT_EQ(txt(regexprep(str("ab"), str("a"), str("\\$1"))), "$1b");
  EXPECT_EQ(txt(regexprep(str("ab"), str("(a)"), str("$2|$1"))), "|ab");   // no group 2
  Mc c = regexprep((CL(str("ab")), str("")).value(), str("b"), str("c"));
  EXPECT_EQ(strings(c), "'ac' ''");
}

// What std::regex cannot match ends the program with a message, never a crash.
TEST(RegexpErrors, ConstructsStdRegexCannotMatch) {
  EXPECT_ENDS(regexp(str("abc"), str("(?<=a)b")), fails,
              "error: regexp: lookbehind assertions \\(\\?<= and \\(\\?<! are not supported");
  EXPECT_ENDS(regexpi(str("abc"), str("(?<!a)b")), fails,
              "error: regexpi: lookbehind assertions \\(\\?<= and \\(\\?<! are not supported");
  EXPECT_ENDS(regexprep(str("abc"), str("(?<=a)b"), str("x")), fails,
              "error: regexprep: lookbehind assertions");
  EXPECT_ENDS(regexp(str("abc"), str("(?i)a")), fails, "error: regexp: the construct \\(\\?i");
  EXPECT_ENDS(regexp(str("abc"), str("(?>a)")), fails, "error: regexp: the construct \\(\\?>");
  EXPECT_ENDS(regexp(str("abc"), str("a{2,1}")), fails, "error: regexp: invalid pattern: ");
  EXPECT_ENDS(regexp(str("abc"), str("[a")), fails,
              "error: regexp: missing terminating \\] for character class at position 2 of expression");
  EXPECT_ENDS(regexp(str("abc"), str("(?<1x>a)")), fails, "error: regexp: invalid name of a named token");
}

// MATLAB takes only text where Octave would turn numbers into characters.
TEST(RegexpErrors, InputsThatAreNotStrings) {
  EXPECT_ENDS(regexp(Mt(5.0), str("a")), fails, "error: regexp: STR must be a string or cell array of strings");
  EXPECT_ENDS(regexp(str("a"), Mt(5.0)), fails, "error: regexp: PATTERN must be a string");
  EXPECT_ENDS(regexp((CL(str("a")), 1.0).value(), str("a")), fails,
              "error: regexp: STR must be a string or cell array of strings");
  EXPECT_ENDS(regexp((CL(str("a"))).value(), str("(?<n>a)"), str("names")), fails,
              "error: regexp: the names output of a cell array STR is not supported");
  EXPECT_ENDS(regexp(str("a"), str("a"), Mt(5.0)), fails, "error: regexp: optional arguments must be strings");
  EXPECT_ENDS(regexp(str("a")), fails, "error: Invalid call to regexp");
  EXPECT_ENDS(regexprep(Mt(5.0), str("a"), str("b")), fails,
              "error: regexprep: STR must be a string or cell array of strings");
  EXPECT_ENDS(regexprep((CL(str("a")), 1.0).value(), str("a"), str("b")), fails,
              "error: regexprep: STR must be a string or cell array of strings");
  EXPECT_ENDS(regexprep(str("a"), Mt(5.0), str("b")), fails,
              "error: regexprep: PATTERN and REPSTR must be strings or cell arrays of strings");
  EXPECT_ENDS(regexprep(str("a"), (CL(str("a")), str("b")).value(), (CL(str("1")), str("2"), str("3")).value()),
              fails, "error: regexprep: inconsistent cell array dimensions");
  EXPECT_ENDS(regexprep(str("a"), str("a"), str("b"), Mt(1.0)), fails,
              "error: regexprep: optional arguments must be strings");
}

// An output of the other kind than its place fails rather than leave [] there.
TEST(RegexpErrors, OutputsOfTheWrongKind) {
  EXPECT_ENDS(
      {
        Mt m = regexp(str("a"), str("a"), str("match"));
        (void)m;
      },
      fails, "error: regexp: this output is a cell array; it cannot be used as a matrix");
  EXPECT_ENDS(
      {
        Mc c = regexp(str("a"), str("a"));
        (void)c;
      },
      fails, "error: regexp: this output is an array, not a cell array");
  Mt m;
  EXPECT_ENDS(regexp(str("a"), str("a"), str("split"), i_o, m), fails,
              "error: regexp: output 1 \\(split\\) is a cell array; it cannot be assigned to a matrix");
  // The names output is a value: a structure array of one element per match.
  {
    const Mt n = regexp(str("a1b2"), str("(?<l>[a-z])\\d"), str("names"));
    EXPECT_TRUE(n.holds_struct());
    EXPECT_EQ(n.cols(), 2u);
  }
  Mt a, b;
  EXPECT_ENDS(regexp(str("a"), str("(?<n>a)"), str("names"), i_o, grl::rx_fields(a, b)), fails,
              "error: regexp: the names structure has 2 fields but the pattern names 1 tokens");
}
