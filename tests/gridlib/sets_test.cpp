// The set functions: errors with the interpreter's wording, the places where the
// results follow MATLAB rather than Octave, empty values of odd shapes, and the
// field names read back from a structure's type.
#include <cstring>

#include "gridlib.h"
#include "ends.h"
#include "values.h"

#include <gtest/gtest.h>

using namespace gridlib_test;

namespace {

void expect_values(const Mt& m, std::size_t r, std::size_t c, std::initializer_list<double> v) {
  ASSERT_EQ(m.rows(), r);
  ASSERT_EQ(m.cols(), c);
  std::size_t k = 0;
  for (double x : v) EXPECT_EQ(double(m.cre()[k++]), x) << "at " << k - 1;
}

TEST(Sets, BadArguments) {
  const Mt x = mat(2, 2, {3, 1, 1, 2});
  EXPECT_ENDS(sortrows(x, 3.0), ::testing::ExitedWithCode(1),
              "error: sortrows: all elements of C must be in the range \\[1, columns \\(A\\)\\]");
  EXPECT_ENDS(sortrows(x, 0.0), ::testing::ExitedWithCode(1), "must be in the range");
  EXPECT_ENDS(sortrows(x, Mt()), ::testing::ExitedWithCode(1), "error: sortrows: C must be a numeric vector");
  EXPECT_ENDS(sortrows(x, str("up")), ::testing::ExitedWithCode(1), "error: sortrows: C must be a numeric vector");
  EXPECT_ENDS(sortrows(x, 1.5), ::testing::ExitedWithCode(1),
              "error: A\\(_,1.5\\): subscripts must be either integers 1 to \\(2\\^63\\)-1 or logicals");
  EXPECT_ENDS(unique(x, str("bogus")), ::testing::ExitedWithCode(1), "error: unique: invalid option");
  EXPECT_ENDS(unique(x, 2.0), ::testing::ExitedWithCode(1), "error: unique: invalid option");
  EXPECT_ENDS(intersect(row({1, 2}), row({1, 2, 3}), str("rows")), ::testing::ExitedWithCode(1),
              "error: intersect: number of columns in A and B must match");
  EXPECT_ENDS(union_M(x, row({1, 2, 3}), str("rows")), ::testing::ExitedWithCode(1),
              "error: union: number of columns in A and B must match");
  EXPECT_ENDS(ismember(Mt(1.0), row({1, 2}), str("rows")), ::testing::ExitedWithCode(1),
              "error: ismember: number of columns in A and B must match");
  EXPECT_ENDS(ismember(Mt(1.0), Mc((CL(str("a")), str("b")))), ::testing::ExitedWithCode(1),
              "error: ismember: A and B must be arrays or cell arrays of strings");
  EXPECT_ENDS(ismember(str("a"), Mc((CL(str("a")), 2.0))), ::testing::ExitedWithCode(1),
              "error: ismember: A and B must be arrays or cell arrays of strings");
  EXPECT_ENDS(histc(Mt::cplx(1, 2), row({0, 2})), ::testing::ExitedWithCode(1),
              "error: histc: X argument must be real-valued, not complex");
  EXPECT_ENDS(histc(row({1, 2}), row({0, 2}), 3.0), ::testing::ExitedWithCode(1),
              "error: histc: DIM must be an integer and a valid dimension");
  EXPECT_ENDS(histc(row({1, 2}), row({0, 2}), 0.0), ::testing::ExitedWithCode(1),
              "error: histc: DIM must be an integer and a valid dimension");
}

// loc names the lowest index of a match, as MATLAB documents; Octave gives the highest.
TEST(Sets, IsmemberLowestIndex) {
  Mt tf, loc;
  ismember(row({7, 2, 5}), row({2, 7, 7, 9, 2}), i_o, tf, loc);
  EXPECT_TRUE(tf.islogical());
  expect_values(tf, 1, 3, {1, 1, 0});
  expect_values(loc, 1, 3, {2, 1, 0});
  ismember(mat(2, 2, {1, 3, 2, 4}), mat(3, 2, {3, 1, 1, 4, 2, 2}), str("rows"), i_o, tf, loc);
  expect_values(loc, 2, 1, {2, 1});
  const Mc s = (CL(str("a")), str("b"), str("a"), str("b"));
  ismember(Mc((CL(str("b")), str("a"), str("z"))), s, i_o, tf, loc);
  expect_values(loc, 1, 3, {2, 1, 0});
  ismember(str("b"), s, i_o, tf, loc);
  expect_values(loc, 1, 1, {2});
}

// MATLAB's 'stable' order gives the mapping back too (Octave 7 leaves it empty), and
// MATLAB's direction argument of sortrows sorts by every column.
TEST(Sets, MatlabForms) {
  Mt u, i, j;
  unique(row({5, 3, 5, 1}), str("stable"), i_o, u, i, j);
  expect_values(u, 1, 3, {5, 3, 1});
  expect_values(i, 3, 1, {1, 2, 4});
  expect_values(j, 4, 1, {1, 2, 1, 3});
  Mt y, k;
  sortrows(mat(3, 2, {1, 2, 1, 5, 0, 7}), str("descend"), i_o, y, k);
  expect_values(y, 3, 2, {2, 1, 1, 0, 7, 5});
  expect_values(k, 3, 1, {2, 3, 1});
  expect_values(sortrows(mat(2, 1, {2, 1}), str("ascend")), 2, 1, {1, 2});
}

// Empty values with rows but no columns, or columns but no rows, have no items to read.
TEST(Sets, EmptyShapes) {
  const Mt e20 = Mt::alloc(2, 0), e03 = Mt::alloc(0, 3);
  const Mt a = mat(2, 3, {1, 4, 2, 5, 3, 6});
  EXPECT_EQ(union_M(e20, a, str("rows")).rows(), 2u);
  EXPECT_EQ(union_M(a, e20, str("rows")).rows(), 2u);
  EXPECT_EQ(union_M(e03, a, str("rows")).cols(), 3u);
  EXPECT_EQ(setdiff(a, e20, str("rows")).rows(), 2u);
  EXPECT_EQ(setdiff(a, e03, str("rows")).rows(), 2u);
  EXPECT_TRUE(intersect(e20, a, str("rows")).isempty());
  expect_values(ismember(e20, row({1})), 2, 0, {});
  expect_values(ismember(row({1, 2}), e20), 1, 2, {0, 0});
  expect_values(histc(e20, row({0, 1})), 2, 0, {});
  expect_values(histc(e20, row({0, 1}), 2.0), 2, 2, {0, 0, 0, 0});
  Mt y, k;
  sortrows(e20, i_o, y, k);
  EXPECT_EQ(y.rows(), 2u);
  EXPECT_EQ(y.cols(), 0u);
  EXPECT_EQ(k.rows(), 2u);
}

// histc sorts edges given out of order, and an edge of NaN bins nothing past it.
TEST(Sets, HistcEdges) {
  expect_values(histc(row({1, 2, 3}), row({3, 1})), 1, 2, {2, 1});
  Mt n, idx;
  histc(row({1, 2, 3, 9}), row({0, 2}), i_o, n, idx);
  expect_values(n, 1, 2, {1, 1});
  expect_values(idx, 1, 4, {1, 2, 0, 0});
  expect_values(histc(Mt(5.0), Mt(5.0)), 1, 1, {1});
  // Along the rows of a column each row is its own histogram (Octave 7 counts every
  // element into the first row there).
  histc(mat(2, 1, {-1, 4}), row({-3, -2, 3, 4}), 2.0, i_o, n, idx);
  expect_values(n, 2, 4, {0, 0, 1, 0, 0, 0, 0, 1});
  expect_values(idx, 2, 1, {2, 4});
}

}  // namespace

// A structure as the translator declares one: s.w, s.x, s.y.z give C_w_x_y__z.
struct C_w_x_y__z {
  Mt w;
  Mt x;
  struct {
    Mt z;
  } y;
};
// Field names with underscores: the signature alone reads several ways.
struct C_max_iter_tol {
  Mt max_iter;
  Mt tol;
};
struct C_a_b_c {
  Mt a_b;
  Mt c;
};
// s.a.b.c, s.a.d, s.e.f: structures inside structures are unnamed types.
struct C_a__b___c__d_e__f {
  struct {
    struct {
      Mt c;
    } b;
    Mt d;
  } a;
  struct {
    Mt f;
  } e;
};

namespace {

TEST(Sets, StructureFields) {
  C_w_x_y__z s;
  EXPECT_TRUE(bool(isstruct(s)));
  EXPECT_FALSE(bool(isstruct(Mt(1.0))));
  EXPECT_FALSE(bool(isstruct(Mc())));
  EXPECT_TRUE(bool(isfield(s, str("w"))));
  EXPECT_TRUE(bool(isfield(s, str("y"))));
  EXPECT_FALSE(bool(isfield(s, str("z"))));       // a field of s.y, not of s
  EXPECT_FALSE(bool(isfield(s, str(""))));
  EXPECT_FALSE(bool(isfield(s, str("C"))));
  const Mt f = isfield(s, Mc((CL(str("x")), str("q"), 3.0, str("y"))));
  EXPECT_TRUE(f.islogical());
  expect_values(f, 1, 4, {1, 0, 0, 1});
  EXPECT_FALSE(bool(isfield(s, str("w_x"))));
  EXPECT_FALSE(bool(isfield(s, str("y_z"))));
  EXPECT_EQ(grl::member_count<C_w_x_y__z>(), 3u);
  EXPECT_TRUE(grl::struct_fields(typeid(Mt).name())->empty());
  // Only one reading of max_iter_tol has two fields in order; a_b_c has two.
  const std::vector<std::string> one = {"max_iter", "tol"}, two = {"a", "a_b", "b_c", "c"};
  EXPECT_EQ(*grl::struct_fields(typeid(C_max_iter_tol).name(), grl::member_count<C_max_iter_tol>()), one);
  EXPECT_EQ(*grl::struct_fields(typeid(C_a_b_c).name(), grl::member_count<C_a_b_c>()), two);
  C_a__b___c__d_e__f n;
  EXPECT_EQ(grl::member_count<decltype(n.a)>(), 2u);
  EXPECT_TRUE(bool(isstruct(n.a.b)));
  expect_values(isfield(n, Mc((CL(str("a")), str("e"), str("b"), str("f")))), 1, 4, {1, 1, 0, 0});
  expect_values(isfield(n.a, Mc((CL(str("b")), str("d"), str("c"), str("a")))), 1, 4, {1, 1, 0, 0});
  expect_values(isfield(n.a.b, Mc((CL(str("c")), str("b")))), 1, 2, {1, 0});
  expect_values(isfield(n.e, Mc((CL(str("f")), str("d")))), 1, 2, {1, 0});
}

}  // namespace
