// Values of more than two dimensions: the header the viewer reads, shape bookkeeping
// through copies and writes, subscript access on its fast and general paths, growth,
// and work along a dimension past the second.
#include <gtest/gtest.h>

#define GRLIB 0
#include "gridlib.h"

typedef M<double> MD;

namespace {
MD counting(const grl::sizes& d) {
  MD a = MD::alloc(d);
  for (std::size_t k = 0; k < a.numel(); ++k) a.pr()[k] = double(k + 1);
  return a;
}
}  // namespace

TEST(NDim, HeaderKeepsFirstExtentAndProductOfTheRest) {
  MD a = counting({2, 3, 4});
  EXPECT_EQ(a.dims_, 3u);
  EXPECT_EQ(a.rows_, 2u);
  EXPECT_EQ(a.cols_, 12u);     // the viewer shows all 24 elements as 2 x 12
  EXPECT_EQ(a.numel(), 24u);
  EXPECT_EQ(a.extent(1), 3u);
  EXPECT_EQ(a.extent(5), 1u);
  // Trailing extents of 1 drop; a 2-D value carries no extents block.
  MD b = MD::zeros(grl::sizes{2, 3, 1, 1});
  EXPECT_EQ(b.dims_, 2u);
  EXPECT_EQ(b.ext_, nullptr);
  MD c = MD::zeros(grl::sizes{1, 1, 1, 5});
  EXPECT_EQ(c.ndims(), 4u);
  EXPECT_EQ(c.cols_, 5u);
}

TEST(NDim, ShapeFollowsCopiesAndLeavesWithReshapeOrScalar) {
  MD a = counting({2, 2, 2});
  MD b = a;
  b.pr()[0] = 99;                              // copy on write keeps the shape
  EXPECT_EQ(b.ndims(), 3u);
  EXPECT_EQ(a.cre()[0], 1.0);
  MD c = std::move(b);
  EXPECT_EQ(c.ndims(), 3u);
  c.reshape_to(4, 2);
  EXPECT_EQ(c.ndims(), 2u);
  EXPECT_EQ(c.ext_, nullptr);
  a = 5.0;
  EXPECT_EQ(a.ndims(), 2u);
  EXPECT_TRUE(a.isscalar());
}

TEST(NDim, ThreeSubscriptsReadAndWriteTheSameElementOnBothPaths) {
  MD a = counting({2, 3, 4});
  // A(2,3,4) is the last element; A(1,2,3) is 1 + 2*1 + 6*2.
  EXPECT_EQ(MD(a(2.0, 3.0, 4.0)).cre()[0], 24.0);
  EXPECT_EQ(MD(a(1.0, 2.0, 3.0)).cre()[0], 15.0);
  // A matrix subscript takes the general path; it must agree.
  MD ks = counting({1, 2});
  MD page = a(c_p, c_p, ks);
  EXPECT_EQ(page.ndims(), 3u);
  EXPECT_EQ(page.extent(2), 2u);
  EXPECT_EQ(page.cre()[6], 7.0);
  a(2.0, 1.0, 3.0) = -1.0;
  EXPECT_EQ(a.cre()[1 + 2 * 6], -1.0);
  // Fewer subscripts than dimensions: the last spans the rest.
  EXPECT_EQ(MD(a(2.0, 12.0)).cre()[0], 24.0);
  EXPECT_THROW(MD(a(3.0, 1.0, 1.0)), grl::exception);
  EXPECT_THROW(MD(a(1.0, 1.0, 5.0)), grl::exception);
  EXPECT_THROW(MD(a(1.0, 1.0, 0.5)), grl::exception);
}

TEST(NDim, GrowthKeepsElementsAtTheirSubscripts) {
  MD a = counting({2, 2});
  a(3.0, 1.0, 2.0) = 7.0;
  ASSERT_EQ(a.shape(), (grl::sizes{3, 2, 2}));
  EXPECT_EQ(a.cre()[0], 1.0);
  EXPECT_EQ(a.cre()[1], 2.0);
  EXPECT_EQ(a.cre()[2], 0.0);                  // the new row
  EXPECT_EQ(a.cre()[3], 3.0);
  EXPECT_EQ(a.cre()[6 + 2], 7.0);
  // Deleting the second page leaves a 2-D value.
  a(c_p, c_p, 2.0) = nop_M;
  EXPECT_EQ(a.shape(), (grl::sizes{3, 2}));
  EXPECT_EQ(a.cre()[3], 3.0);
}

TEST(NDim, ReductionsAlongEveryDimension) {
  MD a = counting({2, 3, 2});
  MD s3 = sum(a, MD(3.0));
  ASSERT_EQ(s3.shape(), (grl::sizes{2, 3}));
  EXPECT_EQ(s3.cre()[0], 1.0 + 7.0);
  MD s2 = sum(a, MD(2.0));
  ASSERT_EQ(s2.shape(), (grl::sizes{2, 1, 2}));
  EXPECT_EQ(s2.cre()[3], 8.0 + 10.0 + 12.0);
  MD s1 = sum(a);
  ASSERT_EQ(s1.shape(), (grl::sizes{1, 3, 2}));
  EXPECT_EQ(s1.cre()[5], 11.0 + 12.0);
  MD c = cumsum(a, MD(3.0));
  EXPECT_EQ(c.shape(), a.shape());
  EXPECT_EQ(c.cre()[11], 6.0 + 12.0);
}

TEST(NDim, FourSubscriptsAndSizeOutputs) {
  MD a = MD::zeros(grl::sizes{2, 2, 2, 2});
  a(1.0, 2.0, 2.0, 2.0) = 3.0;
  const MD& k = a;
  EXPECT_EQ(k(1.0, 2.0, 2.0, 2.0).cre()[0], 3.0);
  EXPECT_EQ(a.cre()[2 + 4 + 8], 3.0);
  MD m, n, p, q, r;
  size(a, i_o, m, n, p, q, r);
  EXPECT_EQ(q.cre()[0], 2.0);
  EXPECT_EQ(r.cre()[0], 1.0);
  size(a, i_o, m, n);
  EXPECT_EQ(n.cre()[0], 8.0);                  // the last output folds the rest
}

TEST(NDim, CellsOfThreeDimensions) {
  M<MD> c = cell(MD(2.0), MD(1.0), MD(2.0));
  EXPECT_EQ(c.shape(), (grl::sizes{2, 1, 2}));
  c.br(1.0, 1.0, 2.0) = MD(5.0);
  EXPECT_EQ(c.elem(2).cre()[0], 5.0);
  c.br(1.0, 1.0, 3.0) = MD(6.0);              // grows along the third dimension
  EXPECT_EQ(c.shape(), (grl::sizes{2, 1, 3}));
  EXPECT_EQ(MD(c.br(1.0, 1.0, 2.0)).cre()[0], 5.0);
  M<MD> pages = c(c_p, c_p, 2.0);
  EXPECT_EQ(pages.numel(), 2u);
  EXPECT_EQ(pages.elem(0).cre()[0], 5.0);
  c(c_p, c_p, 1.0) = nop_M;
  EXPECT_EQ(c.shape(), (grl::sizes{2, 1, 2}));
  EXPECT_EQ(c.elem(2).cre()[0], 6.0);
}

// permute against its definition: element (i1, ..., in) of the result is element
// (j(p(1)) = i1, ...) of x, for real, complex and integer values on the copying path,
// with the leading dimension kept (whole columns copied) and moved (strided reads),
// and for cells on the path through a map of positions.
TEST(NDim, PermuteMovesEachElementToItsSubscripts) {
  const grl::sizes d{3, 4, 2, 2};
  MD a = counting(d);
  MD z = complex(a, -a);
  MD w = int8(a);
  for (const std::vector<double>& p :
       {std::vector<double>{1, 3, 2, 4}, {3, 1, 4, 2}, {4, 3, 2, 1}, {1, 2, 3, 4}, {2, 1, 3, 4}}) {
    MD pv = MD::alloc(1, 4);
    for (std::size_t k = 0; k < 4; ++k) pv.pr()[k] = p[k];
    const MD r = permute(a, pv), rz = permute(z, pv), rw = permute(w, pv);
    grl::sizes want(4);
    for (std::size_t k = 0; k < 4; ++k) want[k] = d[std::size_t(p[k]) - 1];
    ASSERT_EQ(r.shape(), want);
    ASSERT_TRUE(rz.isc());
    EXPECT_EQ(rw.num_class(), w.num_class());
    std::size_t at = 0;
    for (std::size_t i4 = 0; i4 < want[3]; ++i4)
      for (std::size_t i3 = 0; i3 < want[2]; ++i3)
        for (std::size_t i2 = 0; i2 < want[1]; ++i2)
          for (std::size_t i1 = 0; i1 < want[0]; ++i1, ++at) {
            const std::size_t i[4] = {i1, i2, i3, i4};
            std::size_t j[4];
            for (std::size_t k = 0; k < 4; ++k) j[std::size_t(p[k]) - 1] = i[k];
            const double v = double(j[0] + 3 * (j[1] + 4 * (j[2] + 2 * j[3])) + 1);
            EXPECT_EQ(r.cre()[at], v);
            EXPECT_EQ(rz.cim()[at], -v);
            EXPECT_EQ(rw.cre()[at], v);
          }
  }
  M<MD> c = M<MD>::alloc(grl::sizes{2, 1, 3});
  for (std::size_t k = 0; k < 6; ++k) c.welem(k) = MD(double(k));
  MD p312 = MD::alloc(1, 3);
  p312.pr()[0] = 3; p312.pr()[1] = 1; p312.pr()[2] = 2;
  const M<MD> pc = permute(c, p312);
  ASSERT_EQ(pc.shape(), (grl::sizes{3, 2}));
  EXPECT_EQ(pc.elem(1).cre()[0], 2.0);   // (2, 1) of the result is c(1, 1, 2)
  EXPECT_EQ(pc.elem(3).cre()[0], 1.0);   // (1, 2) is c(2, 1, 1)
}
