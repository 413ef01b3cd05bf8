// Structures as values: copies share the payload until one is written, fields keep
// their creation order, and structure arrays grow, shrink and concatenate by the
// matrices' rules while each element keeps its own values.
#include "gridlib.h"
#include "values.h"

#include <gtest/gtest.h>

using namespace gridlib_test;

namespace {

double num(const Mt& x) { return double(x.elem(0)); }

TEST(Struct, CopyIsIndependentAfterWrite) {
  Mt s;
  grl::field_ref(s, "a") = Mt(1.0);
  Mt t = s;
  EXPECT_EQ(s.st_, t.st_);                 // shared until written
  grl::field_ref(t, "a") = Mt(2.0);
  EXPECT_NE(s.st_, t.st_);
  EXPECT_EQ(num(grl::field(s, "a")), 1.0);
  EXPECT_EQ(num(grl::field(t, "a")), 2.0);
  EXPECT_EQ(grl::class_of(s), grl::mc_struct);
}

TEST(Struct, FieldsKeepCreationOrderAndNest) {
  Mt s;
  grl::field_ref(s, "zeta") = Mt(1.0);
  grl::field_ref(grl::field_ref(s, "alpha"), "inner") = str("x");
  const std::vector<std::string> names = grl::field_names(s);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "zeta");
  EXPECT_EQ(names[1], "alpha");
  EXPECT_TRUE(grl::field(grl::field(s, "alpha"), "inner").ischar());
  EXPECT_THROW(grl::field(s, "missing"), grl::exception);
  EXPECT_THROW(grl::field(Mt(3.0), "a"), grl::exception);
}

TEST(Struct, ArrayGrowsWithEmptyElementsAndDeletes) {
  Mt s;
  grl::elem_field_ref(s, grl::ix<m_type>(3.0), "v") = Mt(30.0);
  EXPECT_EQ(s.rows(), 1u);
  EXPECT_EQ(s.cols(), 3u);
  EXPECT_TRUE(grl::field(s(1.0).value(), "v").isempty());
  EXPECT_EQ(num(grl::field(s(3.0).value(), "v")), 30.0);
  grl::elem_field_ref(s, grl::ix<m_type>(1.0), "w") = Mt(1.0);   // a new field in every element
  EXPECT_TRUE(grl::field(s(3.0).value(), "w").isempty());
  s(2.0) = nop_M;
  EXPECT_EQ(s.numel(), 2u);
  EXPECT_EQ(num(grl::field(s(2.0).value(), "v")), 30.0);
  EXPECT_THROW(s(5.0).value(), grl::exception);
}

TEST(Struct, MakeFromPairsAndConcatenate) {
  Mc vals = Mc::alloc(1, 2);
  vals.welem(0) = Mt(1.0);
  vals.welem(1) = Mt(2.0);
  const Mt a = grl::struct_of({str("k"), Mt(vals), str("c"), Mt(7.0)});
  EXPECT_EQ(a.numel(), 2u);
  EXPECT_EQ(num(grl::field(a(2.0), "k")), 2.0);
  EXPECT_EQ(num(grl::field(a(2.0), "c")), 7.0);
  const Mt both = grl::struct_cat(2, {a, a});
  EXPECT_EQ(both.cols(), 4u);
  EXPECT_EQ(num(grl::field(both(4.0), "k")), 2.0);
  Mt other;
  grl::field_ref(other, "z") = Mt(1.0);
  EXPECT_THROW(grl::struct_cat(2, {a, other}), grl::exception);
  EXPECT_TRUE(grl::equal_structs(a, a));
  EXPECT_FALSE(grl::equal_structs(a, both));
}

TEST(Struct, CellInFieldIsWrittenInPlace) {
  Mt s;
  { grl::cell_in(grl::field_ref(s, "c")).br(2.0) = Mt(5.0); }
  const Mt& c = grl::field(s, "c");
  ASSERT_TRUE(c.holds_cell());
  EXPECT_EQ(c.held_cell().numel(), 2u);
  EXPECT_EQ(num(c.held_cell().elem(1)), 5.0);
  EXPECT_EQ(c.size(), 2.0);
}

}  // namespace
