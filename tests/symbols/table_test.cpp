#include <algorithm>

#include "sym_fixture.h"

namespace {

using symtest::literal;
using Table = symtest::Symbols;

// Names in sorted order, as the sorted index gives them.
std::vector<std::string> sorted_names(const symbol_type& t) {
  std::vector<std::string> out;
  for (int p = 0; p <= t.last(); ++p) out.push_back(t.text_of(t.sorted(p)));
  return out;
}

TEST_F(Table, EmptyTable) {
  symbol_type t;
  EXPECT_EQ(t.last(), -1);
  EXPECT_EQ(t.capacity(), 0);
  EXPECT_EQ(t.find("x", SYM_ANY), -1);
  EXPECT_EQ(t.search("x"), 0);
  EXPECT_EQ(t.find_first("x"), -1);
  int pos = -1;
  EXPECT_EQ(t.next(SYM_ANY, pos), -1);
  EXPECT_EQ(pos, -1);
}

TEST_F(Table, SameGroupReturnsTheExistingEntryUnchanged) {
  symbol_type t;
  const int x = t.add_typed("x", SYM_LOCAL, 0);
  EXPECT_EQ(t.add_typed("x", SYM_INPUT, 1), x);
  EXPECT_EQ(t.type_of(x), SYM_LOCAL);
  EXPECT_EQ(t.info_of(x), symbol_info::typed(0));
  EXPECT_EQ(t.last(), 0);

  // Functions form a group too; force always makes a new entry.
  const int f = t.add_typed("f", SYM_CALLED, 4);
  EXPECT_EQ(t.add_typed("f", SYM_KNOWN_FUNCTION, 4), f);
  EXPECT_EQ(t.add_typed("f", SYM_CALLED, 4, 1), 2);
  // Kinds outside the groups are looked up by their own bits only.
  const int r = t.add_typed("pi", SYM_REPLACE, 0);
  EXPECT_NE(t.add_typed("pi", SYM_REPLACEMENT, 0), r);
  EXPECT_EQ(t.add_typed("pi", SYM_REPLACE, 0), r);
}

TEST_F(Table, OneNameInTwoGroups) {
  symbol_type t;
  const int var = t.add_typed("f", SYM_LOCAL, 0);
  const int fun = t.add_typed("f", SYM_CALLED, kFunction);
  EXPECT_NE(var, fun);
  EXPECT_EQ(t.find("f", SYM_FUNCTIONS), fun);
  EXPECT_EQ(t.find("f", SYM_VARIABLES), var);
  // SYM_ANY keeps the first in sorted order: the later add went before the earlier.
  EXPECT_EQ(t.find("f", SYM_ANY), t.sorted(t.find_first("f")));
  EXPECT_EQ(t.find("f", SYM_ANY), fun);

  // Two entries of one group stop the run when looked up by that group.
  t.add_typed("f", SYM_KNOWN_FUNCTION, kFunction, 1);
  EXPECT_EXIT(t.find("f", SYM_FUNCTIONS), testing::ExitedWithCode(1),
              "symbol_type: internal consistency error for f");
  EXPECT_EXIT(t.add_typed("f", SYM_CALLED, kFunction), testing::ExitedWithCode(1),
              "internal consistency error for f");
  const int masks[2] = {SYM_VARIABLES, SYM_ANY};
  int r[2];
  t.lookup("f", 2, masks, r);
  EXPECT_EQ(r[0], var);
  EXPECT_EQ(r[1], t.sorted(t.find_first("f")));
  // An empty name or one starting with a newline finds nothing, without checks.
  t.lookup("", 2, masks, r);
  EXPECT_EQ(r[0], -1);
  t.lookup("\nf", 2, masks, r);
  EXPECT_EQ(r[1], -1);
}

TEST_F(Table, EqualNamesLandBeforeTheProbedEntry) {
  // Insertion goes to the position the binary search ends on; for a present name
  // that is the probed equal entry, so a new duplicate lands directly before it.
  symbol_type t;
  for (const char* n : {"b", "d", "f", "h", "j"}) t.add_typed(n, SYM_LOCAL, 0);
  EXPECT_EQ(t.search("a"), 0);
  EXPECT_EQ(t.search("c"), 1);
  EXPECT_EQ(t.search("f"), 2);
  EXPECT_EQ(t.search("k"), 5);
  const int dup = t.add_typed("f", SYM_CALLED, kFunction);
  EXPECT_EQ(t.sorted(2), dup);
  EXPECT_EQ(t.sorted(3), 2);
  EXPECT_EQ(t.find_first("f"), 2);
  // With three equal names the probe of the middle decides where the next goes.
  const int third = t.add_typed("f", SYM_RESERVED_FUNCTION, 0);
  EXPECT_EQ(t.sorted(t.search("f")), third);
  EXPECT_EQ(t.find_first("f"), 2);
  EXPECT_EQ(t.find_first("e"), -1);
  EXPECT_EQ(t.find_first("zz"), -1);
}

TEST_F(Table, SortedIndexIsBytewise) {
  symbol_type t;
  for (const char* n : {"b", "B", "a_b", "a.b", "a", "A1", "\x80x", "a0"}) t.add_typed(n, SYM_LOCAL, 0);
  const std::vector<std::string> got = sorted_names(t);
  std::vector<std::string> want = got;
  std::sort(want.begin(), want.end());
  EXPECT_EQ(got, want);
  EXPECT_EQ(got.front(), "A1");
  EXPECT_EQ(got.back(), "\x80x");  // compared as unsigned bytes
}

TEST_F(Table, DottedNamesCreateTheirStructures) {
  symbol_type t;
  const int leaf = t.add_typed("s.a.b", SYM_LOCAL, 0);
  ASSERT_EQ(t.last(), 2);
  EXPECT_EQ(leaf, 0);
  EXPECT_EQ(t.text_of(1), "s.a");
  EXPECT_EQ(t.text_of(2), "s");
  EXPECT_EQ(t.info_of(1)[INFO_TYPE], kStruct);
  EXPECT_EQ(t.info_of(2)[INFO_TYPE], kStruct);
  EXPECT_EQ(t.type_of(2), SYM_LOCAL);
  EXPECT_EQ(t.info_of(0)[INFO_TYPE], 0);

  // An existing prefix is retyped as a structure.
  symbol_type u;
  const int s = u.add_typed("s", SYM_LOCAL, 0);
  u.add_typed("s.x", SYM_LOCAL, 0);
  EXPECT_EQ(u.info_of(s)[INFO_TYPE], kStruct);
  EXPECT_EQ(u.last(), 1);
  // A leading dot is part of the name, not a field.
  u.add_typed(".y", SYM_LOCAL, 0);
  EXPECT_EQ(u.last(), 2);
}

TEST_F(Table, NameRules) {
  symbol_type t;
  EXPECT_EXIT(t.add_typed("", SYM_LOCAL, 0), testing::ExitedWithCode(3),
              literal("Assertion failed: *var_name!='\\0', file SYMBOL"));
  EXPECT_EXIT(t.add_typed("\nx", SYM_LOCAL, 0), testing::ExitedWithCode(3),
              literal("*var_name!='\\n'"));
  EXPECT_EXIT(t.add_typed("\xffx", SYM_LOCAL, 0), testing::ExitedWithCode(3),
              literal("*var_name!='\\xff'"));
}

TEST_F(Table, AccessorsAndNext) {
  symbol_type t;
  t.add_typed("a", SYM_LOCAL, 0);
  t.add_typed("f", SYM_CALLED, kFunction);
  t.add_typed("b", SYM_INPUT, 1);
  t.add_typed("g", SYM_CALLED, kFunction);
  int pos = -1;
  std::vector<int> called;
  while (t.next(SYM_CALLED, pos) != -1) {
    called.push_back(pos);
    if (pos == 1) t.add_typed("h", SYM_CALLED, kFunction);  // appended during the walk
  }
  EXPECT_EQ(called, (std::vector<int>{1, 3, 4}));
  pos = -1;
  EXPECT_EQ(t.next(SYM_VARIABLES, pos), 0);
  EXPECT_EQ(t.next(SYM_VARIABLES, pos), 2);
  EXPECT_EQ(t.next(SYM_VARIABLES, pos), -1);

  t.info_of(2)[INFO_NIN] = 7;
  EXPECT_EQ(t.info_of(2)[INFO_NIN], 7);
  t.type_of(2) |= SYM_LOCAL;
  EXPECT_EQ(t.type_of(2), SYM_INPUT | SYM_LOCAL);
  // -1 (nothing found) gives a scratch word that can be written.
  t.type_of(-1) = 5;
  EXPECT_EQ(t.type_of(-1), 5);
  t.type_of(-1) = 0;
  EXPECT_EQ(t.type_of(2), SYM_INPUT | SYM_LOCAL);

  for (int bad : {-1, 5, 1000}) {
    EXPECT_EXIT(t.text_of(bad), testing::ExitedWithCode(1), "symbol_type: index out of range");
    EXPECT_EXIT(t.info_of(bad), testing::ExitedWithCode(1), "symbol_type: index out of range");
  }
  EXPECT_EXIT(t.type_of(5), testing::ExitedWithCode(1), "symbol_type: index out of range");
  EXPECT_EXIT(t.type_of(-2), testing::ExitedWithCode(1), "symbol_type: index out of range");
}

TEST_F(Table, GrowsBy1024AndKeepsEveryIndex) {
  symbol_type t;
  std::vector<std::string> names;
  for (int i = 0; i < 1025; ++i) {
    // Reverse order, so every insertion shifts the sorted index.
    names.push_back("v" + std::to_string(100000 - i));
    EXPECT_EQ(t.add_typed(names.back(), SYM_LOCAL, i % 2), i);
    if (i == 1023) {
      EXPECT_EQ(t.capacity(), 1024);
    }
  }
  EXPECT_EQ(t.capacity(), 2048);
  for (int i = 0; i < 1025; ++i) {
    ASSERT_EQ(t.text_of(i), names[i]);
    ASSERT_EQ(t.find(names[i], SYM_LOCAL), i);
    ASSERT_EQ(t.info_of(i)[INFO_TYPE], i % 2);
  }
  EXPECT_EQ(sorted_names(t).front(), "v100000");
  EXPECT_EQ(sorted_names(t).back(), "v99999");
}

TEST_F(Table, Decoration) {
  symbol_type t;
  t.add_typed("sin", SYM_RESERVED_FUNCTION, 0);
  t.add_typed("f", SYM_CALLED, kFunction);
  t.add_typed("x", SYM_LOCAL, 0);
  t.add_typed("sum", SYM_RESERVED_FUNCTION, 0);
  t.add_typed("sum", SYM_LOCAL, 0);
  t.add_typed("g", SYM_CALLED, kFunction);
  t.add_typed("g", SYM_LOCAL, 0);
  EXPECT_STREQ(t.decoration("sin", 0), "()");
  EXPECT_STREQ(t.decoration("sin", 1), "");
  EXPECT_STREQ(t.decoration("f", 0), "()");
  EXPECT_STREQ(t.decoration("x", 0), "");
  EXPECT_STREQ(t.decoration("sum", 0), "_");
  EXPECT_STREQ(t.decoration("sum", 1), "_");
  EXPECT_STREQ(t.decoration("g", 0), "");  // a variable hides the called function
  EXPECT_STREQ(t.decoration("nothing", 0), "");

  std::ostringstream out;
  t.display(out, "sum");
  out << "|";
  t.display(out, "f");
  out << "|";
  t.display(out, "x");
  EXPECT_EQ(out.str(), "gridlibout<<sum_;|gridlibout<<f();|gridlibout<<x;");

  // An input argument is a nameless copy: its display names it. An input that is
  // also an output is the caller's named variable.
  t.add_typed("a", SYM_INPUT, 0);
  t.add_typed("b", SYM_INPUT | SYM_OUTPUT, 0);
  out.str("");
  t.display(out, "a");
  t.display(out, "b");
  EXPECT_EQ(out.str(), "gridlibout<<grl::named(a,\"a\");gridlibout<<b;");
}

TEST_F(Table, MergeModes) {
  symbol_type src;
  src.add_typed("v", SYM_LOCAL, 0);
  src.add_typed("in", SYM_INPUT, 1);
  src.add_typed("gl", SYM_GLOBAL, 0);
  src.add_typed("f", SYM_CALLED, kFunction);
  src.info_of(3)[INFO_NIN] = 2;
  src.add_typed("u", SYM_KNOWN_FUNCTION, 6);  // the "unknown" role
  src.add_typed("sin", SYM_RESERVED_FUNCTION, 0);
  src.add_typed("pi", SYM_REPLACE, 0);
  src.add_typed("3.14", SYM_REPLACEMENT, 0);
  src.add_typed("i", SYM_RESERVED_VAR, 0);

  symbol_type copy;
  copy.merge(src, 0);
  ASSERT_EQ(copy.last(), src.last());
  for (int i = 0; i <= src.last(); ++i) {
    const int e = copy.find(src.text_of(i), src.type_of(i));
    ASSERT_GE(e, 0);
    EXPECT_EQ(copy.info_of(e), src.info_of(i));
  }

  // Mode 1: variables become declared, globals extern; functions keep their facts
  // unless their kind is still unknown.
  symbol_type caller;
  const int f_old = caller.add_typed("f", SYM_CALLED, DT_UNCLASSIFIED);
  const int u_old = caller.add_typed("u", SYM_CALLED, kFunction);
  caller.merge(src, 1);
  EXPECT_EQ(caller.type_of(caller.find("v", SYM_ANY)), SYM_DECLARED);
  EXPECT_EQ(caller.type_of(caller.find("in", SYM_ANY)), SYM_DECLARED);
  EXPECT_EQ(caller.type_of(caller.find("gl", SYM_ANY)), SYM_EXTERN_GLOBAL);
  EXPECT_EQ(caller.info_of(f_old)[INFO_TYPE], kFunction);
  EXPECT_EQ(caller.info_of(f_old)[INFO_NIN], 2);
  EXPECT_EQ(caller.info_of(u_old)[INFO_TYPE], kFunction);
  EXPECT_EQ(caller.find("sin", SYM_ANY), -1);
  EXPECT_EQ(caller.find("pi", SYM_REPLACE), -1);

  // Mode 2: reserved names and replacement pairs always as new entries, functions
  // as known functions.
  symbol_type fresh;
  fresh.merge(src, 2);
  fresh.merge(src, 2);
  const int pi = fresh.find_first("pi");
  ASSERT_GE(pi, 0);
  EXPECT_EQ(fresh.text_of(fresh.sorted(pi) + 1), "3.14");
  EXPECT_EQ(fresh.type_of(fresh.sorted(pi) + 1), SYM_REPLACEMENT);
  EXPECT_EQ(fresh.type_of(fresh.find("u", SYM_ANY)), SYM_KNOWN_FUNCTION);
  EXPECT_EQ(fresh.find("v", SYM_ANY), -1);
  int pos = -1;
  int known = 0;
  while (fresh.next(SYM_KNOWN_FUNCTION, pos) != -1) ++known;
  EXPECT_EQ(known, 4);  // f and u, twice
  EXPECT_EQ(fresh.last(), 2 * 6 - 1);  // sin, pi, 3.14, i, f, u; no structure "3"

  // Merging a table into itself visits only the entries it had.
  symbol_type self;
  self.add_typed("sin", SYM_RESERVED_FUNCTION, 0);
  self.merge(self, 2);
  EXPECT_EQ(self.last(), 1);
}

}  // namespace
