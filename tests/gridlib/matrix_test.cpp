// Storage of M<T>: the viewer's header layout, inline 1 x 1 values, sharing and copy
// on write, growth, and the truth of a value.
#include <gtest/gtest.h>

#include <cstddef>
#include <sys/resource.h>

#define GRLIB 0
#include "gridlib.h"
#include "ends.h"

typedef M<double> MD;

TEST(Matrix, HeaderLayoutIsWhatTheViewerReads) {
  EXPECT_EQ(offsetof(MD, name_), 0u);
  EXPECT_EQ(offsetof(MD, flags_), 8u);
  EXPECT_EQ(offsetof(MD, dims_), 12u);
  EXPECT_EQ(offsetof(MD, rows_), 16u);
  EXPECT_EQ(offsetof(MD, cols_), 20u);
  EXPECT_EQ(offsetof(MD, cls_), 24u);     // the class, in the bytes the viewer skips
  EXPECT_EQ(offsetof(MD, re_), 32u);
  EXPECT_EQ(offsetof(MD, im_), 40u);
  MD y("y", 0, 0);
  EXPECT_STREQ(y.name_, "y");
  EXPECT_EQ(y.dims_, 2u);
  EXPECT_EQ(y.re_, nullptr);
}

TEST(Matrix, ScalarIsInlineAndKeepsNameOnAssignment) {
  MD y("y", 0, 0);
  y = 3.5;
  EXPECT_EQ(y.blk_, nullptr);
  EXPECT_EQ(y.re_, &y.r.v);
  MD c(y);
  EXPECT_EQ(c.re_, &c.r.v);        // the copy points at its own storage
  EXPECT_EQ(c.name_, nullptr);
  y = MD(7.0);
  EXPECT_STREQ(y.name_, "y");
  EXPECT_EQ(double(y.r), 7.0);
  y.r += 1.0;
  EXPECT_TRUE(y.r <= 8.0);
  EXPECT_EQ(c.r(1), 3.5);
}

TEST(Matrix, CopiesShareUntilWritten) {
  MD a = MD::zeros(3, 4);
  MD b = a;
  EXPECT_EQ(a.re_, b.re_);
  EXPECT_EQ(a.blk_->refs.load(), 2);
  b.pr()[5] = 9;
  EXPECT_NE(a.re_, b.re_);
  EXPECT_EQ(a.elem(5), 0.0);
  EXPECT_EQ(b.elem(5), 9.0);
  EXPECT_EQ(a.blk_->refs.load(), 1);
  MD m(std::move(b));
  EXPECT_TRUE(b.isempty());
  EXPECT_EQ(m.elem(5), 9.0);
}

// Minor page faults of the process so far: fresh pages from the system.
long fresh_pages() {
  struct rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_minflt;
}

// Writes every element of a new rows x 1 array and frees it; returns the fresh pages
// the second of two such rounds took.
long fresh_pages_of_second_round(std::size_t rows) {
  long before = 0;
  for (int round = 0; round < 2; ++round) {
    before = fresh_pages();
    MD a = MD::alloc(rows, 1);
    double* p = a.pr();
    for (std::size_t k = 0; k < rows; ++k) p[k] = double(k);
  }
  return fresh_pages() - before;
}

TEST(Matrix, FreedArraysAreReusedWithoutFreshPages) {
  initM(std::cin, std::cout, std::cerr);   // sets up the allocator as programs do
#ifndef __SANITIZE_ADDRESS__
  // (The sanitizer's allocator holds freed memory back on purpose.)
  // 1 MB (heap) and 40 MB (kept by the library): the second round touches pages it
  // already has; fresh ones would be 256 and 10000.
  EXPECT_LT(fresh_pages_of_second_round(std::size_t(1) << 17), 32);
  EXPECT_LT(fresh_pages_of_second_round(std::size_t(5) << 20), 1000);
#endif

  // A kept array goes to a value of its size only: find's result uses the front of a
  // long array, and its imaginary part must be as long as that array when both are kept.
  MD x = MD::zeros(std::size_t(5) << 20, 1);
  x.pr()[7] = 1;
  MD k = find(x);
  ASSERT_EQ(k.numel(), 1u);
  k.pi()[0] = 2;
  k = MD();
  MD a = MD::alloc(std::size_t(5) << 20, 1, true);
  for (std::size_t t = 0; t < a.numel(); ++t) a.pr()[t] = a.pi()[t] = 1;
  EXPECT_EQ(a.pi()[a.numel() - 1], 1.0);
}

TEST(Matrix, ComplexPartsAndResize) {
  MD a = MD::zeros(2, 2);
  a.pr()[3] = 4;
  a.pi()[1] = 2;
  EXPECT_TRUE(a.isc());
  a.resize(3, 3);
  EXPECT_EQ(a.elem(3), 0.0);           // (1,2) of the grown value
  EXPECT_EQ(a.elem(1 * 3 + 1), 4.0);   // (2,2) moved to its place in 3 rows
  EXPECT_EQ(a.elem(8), 0.0);
  EXPECT_EQ(a.ielem(1), 2.0);
  a.pi()[1] = 0;
  a.drop_imag();
  EXPECT_FALSE(a.isc());
  MD s = MD::cplx(1, 2);
  MD t = s;
  EXPECT_EQ(t.im_, &t.sim_);
  EXPECT_EQ(t.ielem(0), 2.0);
}

TEST(Matrix, TruthOfAValue) {
  EXPECT_FALSE(bool(MD()));
  EXPECT_TRUE(bool(MD(2.0)));
  MD z = MD::zeros(1, 3);
  EXPECT_FALSE(bool(z));
  z.pr()[0] = z.pr()[1] = z.pr()[2] = 1;
  EXPECT_TRUE(bool(z));
}

TEST(MatrixDeath, NaNAsConditionAndNonScalarValue) {
  MD n(0.0 / 0.0);
  EXPECT_ENDS((void)bool(n), ::testing::ExitedWithCode(1), "error: invalid conversion from NaN to logical");
  MD a = MD::zeros(2, 2);
  EXPECT_ENDS((void)double(a.r), ::testing::ExitedWithCode(1), "error: ");
  EXPECT_ENDS((void)a.r(5), ::testing::ExitedWithCode(1), "error: index \\(5\\): out of bound 4");
}
