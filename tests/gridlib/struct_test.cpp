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

// One literal name at one place of a program meets structures whose fields stand in
// other orders, gain or lose fields, are copies, or reuse a freed block's memory: the
// remembered position is taken only for the same list of names.
TEST(Struct, LiteralKeyFindsTheFieldOfEveryValue) {
  grl::field_cache k_cache;
  grl::field_key k{"b", k_cache};
  Mt ab;
  grl::field_ref(ab, "a") = Mt(1.0);
  grl::field_ref(ab, "b") = Mt(2.0);
  Mt b_only;
  grl::field_ref(b_only, "b") = Mt(20.0);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(num(grl::field(ab, k)), 2.0);
    EXPECT_EQ(num(grl::field(b_only, k)), 20.0);
  }
  // A field added in place, then the names reordered and reduced.
  grl::field_ref(ab, "c") = Mt(3.0);
  EXPECT_EQ(num(grl::field(ab, k)), 2.0);
  const Mt ordered = orderfields(grl::struct_of({str("c"), Mt(7.0), str("b"), Mt(8.0)}));
  EXPECT_EQ(num(grl::field(ordered, k)), 8.0);
  const Mt fewer = rmfield(ab, str("a"));
  EXPECT_EQ(num(grl::field(fewer, k)), 2.0);
  EXPECT_EQ(num(grl::field(ab, k)), 2.0);
  // A write through the key to a copy leaves the original alone.
  Mt copy = ab;
  grl::field_ref(copy, k) = Mt(5.0);
  EXPECT_EQ(num(grl::field(ab, k)), 2.0);
  EXPECT_EQ(num(grl::field(copy, k)), 5.0);
  // Blocks made and freed in turn, with the same field at other positions.
  for (int n = 0; n < 4; ++n) {
    Mt t;
    for (int f = 0; f < n; ++f) grl::field_ref(t, std::string(1, char('p' + f)).c_str()) = Mt(0.0);
    grl::field_ref(t, k) = Mt(double(n));
    EXPECT_EQ(grl::field_names(t)[std::size_t(n)], "b");
    EXPECT_EQ(num(grl::field(t, "b")), double(n));
  }
  // A missing field and a value that is no structure fail as without the key.
  grl::field_cache other_cache;
  grl::field_key other{"zz", other_cache};
  EXPECT_THROW(grl::field(ab, other), grl::exception);
  EXPECT_THROW(grl::field(Mt(1.0), k), grl::exception);
}

TEST(Struct, LiteralKeyOnElements) {
  grl::field_cache u_cache;
  grl::field_key u{"u", u_cache};
  Mt s = grl::struct_of({str("v"), Mt(0.0), str("u"), Mt(0.0)});
  for (int e = 1; e <= 4; ++e) grl::elem_field_ref(s, grl::ix<m_type>(double(e)), u) = Mt(10.0 * e);
  EXPECT_EQ(s.numel(), 4u);
  EXPECT_EQ(num(grl::elem_field(s, grl::ix<m_type>(3.0), u)), 30.0);
  grl::field_cache v_cache;
  grl::field_key v{"v", v_cache};
  EXPECT_EQ(num(grl::elem_field(s, grl::ix<m_type>(1.0), v)), 0.0);
  EXPECT_TRUE(grl::elem_field(s, grl::ix<m_type>(3.0), v).isempty());   // a grown element
  const Mt shared = s;
  grl::elem_field_ref(s, grl::ix<m_type>(2.0), u) = Mt(-1.0);
  EXPECT_EQ(num(grl::elem_field(shared, grl::ix<m_type>(2.0), u)), 20.0);
  EXPECT_EQ(num(grl::elem_field(s, grl::ix<m_type>(2.0), u)), -1.0);
  // Reads past the end, by a fraction or of a missing field fail.
  EXPECT_THROW(grl::elem_field(s, grl::ix<m_type>(5.0), u), grl::exception);
  EXPECT_THROW(grl::elem_field(s, grl::ix<m_type>(1.5), u), grl::exception);
  grl::field_cache w_cache;
  grl::field_key w{"w", w_cache};
  EXPECT_THROW(grl::elem_field(s, grl::ix<m_type>(1.0), w), grl::exception);
}

}  // namespace
