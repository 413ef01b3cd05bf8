// Calls from a host that is not an M program: the errors they keep instead of
// throwing, and the matrix access functions of a shared library.
#include <gtest/gtest.h>

#include <exception>
#include <new>
#include <stdexcept>

#define GRLIB 0
#include "gridlib.h"
#include "gridlib_host.h"

namespace {

void host_new_handler() { throw std::bad_alloc(); }
void host_terminate() { std::abort(); }

TEST(Host, CallKeepsTheErrorAndClearsItOnSuccess) {
  EXPECT_FALSE(grl::host_call([] { throw std::runtime_error("index (3,_): out of bound 2"); }));
  EXPECT_EQ(grl::host_error().message, "index (3,_): out of bound 2");
  EXPECT_FALSE(grl::host_call([] { throw std::bad_alloc(); }));
  EXPECT_EQ(grl::host_error().message, "out of memory or dimension too large for Octave's index type");
  EXPECT_FALSE(grl::host_call([] { throw 42; }));
  EXPECT_EQ(grl::host_error().message, "unknown error");
  EXPECT_TRUE(grl::host_call([] {}));
  EXPECT_EQ(grl::host_error().message, "");
  EXPECT_EQ(grl::host_error().identifier, "");
}

TEST(Host, StartKeepsTheHostsHandlers) {
  std::set_new_handler(host_new_handler);
  std::set_terminate(host_terminate);
  grl::host_init();
  EXPECT_EQ(std::get_new_handler(), &host_new_handler);
  EXPECT_EQ(std::get_terminate(), &host_terminate);
  std::set_new_handler(nullptr);
}

TEST(Host, AccessFunctionsCheckPointersPositionsAndSizes) {
  M<double>* x = grl::host_new(2, 3, 0);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->rows(), 2u);
  EXPECT_EQ(x->cols(), 3u);
  double v = 7;
  grl::host_set(x, 2, 3, false, &v);
  double got = 0;
  EXPECT_EQ(grl::host_get(x, 2, 3, false, &got), 7);
  EXPECT_EQ(got, 7);
  EXPECT_EQ(x->cre()[5], 7);
  EXPECT_FALSE(x->isc());
  grl::host_set(x, 1, 1, true, &v);
  EXPECT_TRUE(x->isc());
  EXPECT_EQ(grl::host_get(x, 1, 1, true, &got), 7);
  EXPECT_EQ(grl::host_get(x, 2, 1, true, &got), 0);

  for (auto [r, c] : {std::pair{0, 1}, {3, 1}, {1, 4}, {-1, -1}}) {
    got = 99;
    EXPECT_EQ(grl::host_get(x, r, c, false, &got), 0);
    EXPECT_EQ(got, 99);
    EXPECT_NE(grl::host_error().message.find("out of bound 2x3"), std::string::npos) << r << "," << c;
    grl::host_set(x, r, c, false, &v);
    EXPECT_NE(grl::host_error().message.find("mtSetR: index"), std::string::npos);
  }
  EXPECT_EQ(grl::host_get(nullptr, 1, 1, false, &got), 0);
  EXPECT_EQ(grl::host_error().message, "mtGetR: a null pointer");
  EXPECT_EQ(grl::host_get(x, 1, 1, false, nullptr), 0);
  EXPECT_EQ(grl::host_error().message, "mtGetR: a null pointer");
  delete x;

  EXPECT_EQ(grl::host_new(-1, 2, 0), nullptr);
  EXPECT_NE(grl::host_error().message.find("must not be negative"), std::string::npos);
  M<double>* empty = grl::host_new(0, 0, 1);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->isempty());
  delete empty;

  const int a = 1;
  EXPECT_FALSE(grl::host_null("f_1_1", &a, &a));
  EXPECT_TRUE(grl::host_null("f_1_1", &a, static_cast<const int*>(nullptr)));
  EXPECT_EQ(grl::host_error().message, "f_1_1: a matrix argument is a null pointer");
}

}  // namespace
