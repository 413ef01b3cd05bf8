// par_run in the plain library: the function runs to its end inside the call, on the
// calling thread, and par_sync has nothing to wait for.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#define GRLIB 0
#include "gridlib.h"

namespace {

std::vector<int> order;
std::thread::id ran_on;

M<double> first() {
  ran_on = std::this_thread::get_id();
  order.push_back(1);
  return M<double>(1.0);
}
M<double> second() {
  order.push_back(2);
  return M<double>();
}

}  // namespace

TEST(Par, PlainLibraryRunsEachFunctionInPlace) {
  EXPECT_FALSE(grl::par_threads());
  order.clear();
  par_run(first);
  ASSERT_EQ(order, std::vector<int>{1});
  EXPECT_EQ(ran_on, std::this_thread::get_id());
  par_run(second);
  par_sync;
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  par_sync;   // nothing left: returns at once
}
