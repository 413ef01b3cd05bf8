// The classes of values: conversion to a numeric class, the class an operation gives,
// and the class that indexing, assignment and concatenation keep.
#include <cmath>
#include <functional>
#include <string>
#include <limits>

#include "gridlib.h"
#include "values.h"
#include "ends.h"

#include <gtest/gtest.h>

using namespace gridlib_test;
using grl::mclass;

namespace {

Mt of(mclass c, std::initializer_list<double> v) {
  Mt m = row(v);
  grl::apply_class(m, c);
  return m;
}

TEST(Class, ConversionRoundsHalfAwayAndSaturates) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(grl::class_value(2.5, grl::mc_int8), 3);
  EXPECT_EQ(grl::class_value(-2.5, grl::mc_int8), -3);
  EXPECT_EQ(grl::class_value(-129, grl::mc_int8), -128);
  EXPECT_EQ(grl::class_value(1e300, grl::mc_uint16), 65535);
  EXPECT_EQ(grl::class_value(-1, grl::mc_uint32), 0);
  EXPECT_EQ(grl::class_value(nan, grl::mc_int32), 0);
  EXPECT_EQ(grl::class_value(-INFINITY, grl::mc_int16), -32768);
  EXPECT_EQ(grl::class_value(0.1, grl::mc_single), double(0.1f));
  EXPECT_EQ(grl::class_value(0.1, grl::mc_double), 0.1);
}

TEST(Class, ClassOfEveryKindOfValue) {
  EXPECT_EQ(grl::class_of(Mt(1.0)), grl::mc_double);
  EXPECT_EQ(grl::class_of(str("a")), grl::mc_char);
  EXPECT_EQ(grl::class_of(true_M()), grl::mc_logical);
  EXPECT_EQ(grl::class_of(of(grl::mc_uint64, {1})), grl::mc_uint64);
  EXPECT_EQ(grl::class_of(Mt::of_cell(Mc())), grl::mc_cell);
  EXPECT_STREQ(grl::class_name(grl::mc_int16), "int16");
  EXPECT_EQ(grl::class_named("uint32"), grl::mc_uint32);
  EXPECT_EQ(grl::class_named("integer"), grl::mc_none);
  // set_flags makes a value double-based again.
  Mt m = of(grl::mc_int8, {1});
  m.set_flags(grl::F_LOGICAL);
  EXPECT_EQ(grl::class_of(m), grl::mc_logical);
}

TEST(Class, ArithmeticKeepsTheIntegerClass) {
  const Mt a = of(grl::mc_int8, {100, -100});
  Mt s = a + 50.0;
  EXPECT_EQ(s.num_class(), grl::mc_int8);
  EXPECT_EQ(s.elem(0), 127);
  EXPECT_EQ(s.elem(1), -50);
  // a temporary that takes the result loses nothing of the class rule
  Mt t = (a * 1.0) * 2.0;
  EXPECT_EQ(t.num_class(), grl::mc_int8);
  EXPECT_EQ(t.elem(1), -128);
  const Mt q = of(grl::mc_int32, {7}) / of(grl::mc_int32, {2});
  EXPECT_EQ(q.elem(0), 4);
  EXPECT_EQ((of(grl::mc_single, {1}) + 0.1).num_class(), grl::mc_single);
  EXPECT_EQ((of(grl::mc_int8, {1}) < 2.0).num_class(), grl::mc_double);   // logical
  EXPECT_TRUE((of(grl::mc_int8, {1}) < 2.0).islogical());
  EXPECT_ENDS(of(grl::mc_int8, {1}) + of(grl::mc_int16, {1}), testing::ExitedWithCode(1),
              "binary operator '\\+' not implemented for 'int8 scalar' by 'int16 scalar' operations");
}

TEST(Class, IndexingAssignmentAndConcatenationKeepTheClass) {
  Mt a = of(grl::mc_uint8, {1, 2, 3});
  EXPECT_EQ(a(2.0).value().num_class(), grl::mc_uint8);
  a(2.0) = 300.0;                       // the written value takes the class
  EXPECT_EQ(a.elem(1), 255);
  EXPECT_EQ(a.num_class(), grl::mc_uint8);
  a(5.0) = 2.5;                          // growth keeps it too
  EXPECT_EQ(a.numel(), 5u);
  EXPECT_EQ(a.elem(4), 3);
  Mt d = row({1, 2});
  d(1.0) = of(grl::mc_int8, {7});        // a double array stays double
  EXPECT_EQ(d.num_class(), grl::mc_double);
  const Mt j = (BR(of(grl::mc_int16, {1})), 2.7).value();
  EXPECT_EQ(j.num_class(), grl::mc_int16);
  EXPECT_EQ(j.elem(1), 3);
  const Mt k = (BR(of(grl::mc_single, {1})), 2.0).value();
  EXPECT_EQ(k.num_class(), grl::mc_single);
  EXPECT_EQ(transpose(of(grl::mc_int8, {1, 2})).num_class(), grl::mc_int8);
}

// A value of any class that holds a cell: functions without a cell form refuse it
// instead of reading an empty matrix; operators name the cell; shape functions move
// the cell's elements.
std::string message_of(const std::function<void()>& f) {
  try {
    f();
  } catch (const grl::exception& e) {
    return e.message();
  }
  return "(no error)";
}

TEST(Class, AHeldCellIsNoNumber) {
  const Mt v = Mt::of_cell((CL(1.0), 2.0).value());
  EXPECT_EQ(message_of([&] { abs_M(v); }), "wrong type argument 'cell array'");
  EXPECT_EQ(message_of([&] { max(v); }), "wrong type argument 'cell array'");
  EXPECT_EQ(message_of([&] { Mt r = v + 1.0; }), "binary operator '+' not implemented for 'cell' by 'scalar' operations");
  EXPECT_EQ(message_of([&] { Mt r = of(grl::mc_int8, {1}) - v; }),
            "binary operator '-' not implemented for 'int8 scalar' by 'cell' operations");
  EXPECT_EQ(message_of([&] { Mt r = -v; }), "unary operator '-' not implemented for 'cell' operands");
  EXPECT_EQ(isreal(v).elem(0), 0);
  const Mt t = transpose(v);
  ASSERT_TRUE(t.holds_cell());
  EXPECT_EQ(t.held_cell().rows(), 2u);
  const Mt f = fliplr(v);
  ASSERT_TRUE(f.holds_cell());
  EXPECT_EQ(f.held_cell().elem(0).elem(0), 2);
}

}  // namespace

namespace {

// zeros(..., 'like', p) and the other makers through the library's general maker.
Mt like(const char* fn, std::vector<Mt> sizes, const Mt& p) {
  sizes.push_back(str("like"));
  sizes.push_back(p);
  return grl::construct(fn, sizes);
}

TEST(Class, MakersTakeTheClassOfALikeValue) {
  const Mt i8 = of(grl::mc_int8, {5});
  const Mt z = like("zeros", {Mt(2.0), Mt(3.0)}, i8);
  EXPECT_EQ(z.num_class(), grl::mc_int8);
  EXPECT_EQ(z.rows(), 2u);
  EXPECT_EQ(z.cols(), 3u);
  const Mt e = like("eye", {Mt(2.0)}, of(grl::mc_uint16, {1}));
  EXPECT_EQ(e.num_class(), grl::mc_uint16);
  EXPECT_EQ(e.elem(0), 1);
  EXPECT_EQ(e.elem(1), 0);
  EXPECT_EQ(e.elem(3), 1);
  const Mt r = like("rand", {Mt(1.0), Mt(4.0)}, of(grl::mc_single, {1}));
  EXPECT_EQ(r.num_class(), grl::mc_single);
  EXPECT_EQ(r.numel(), 4u);
  EXPECT_EQ(like("randn", {Mt(2.0)}, Mt(1.0)).num_class(), grl::mc_double);
  EXPECT_TRUE(like("ones", {Mt(2.0)}, true_M()).islogical());
  // ('Like' in any case; no sizes: one element.)
  const Mt one = grl::construct("ones", {str("Like"), i8});
  EXPECT_EQ(one.numel(), 1u);
  EXPECT_EQ(one.num_class(), grl::mc_int8);
  EXPECT_ENDS(like("NaN", {Mt(2.0)}, i8), testing::ExitedWithCode(1),
              "NaN: input followed by 'like' must be floating point");
  EXPECT_ENDS(like("zeros", {Mt(2.0)}, str("a")), testing::ExitedWithCode(1), "invalid data type specified");
  EXPECT_ENDS(like("zeros", {Mt(2.0)}, Mt::of_cell(Mc())), testing::ExitedWithCode(1), "invalid data type specified");
}

}  // namespace
