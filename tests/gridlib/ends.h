// Death tests of library errors. A library error is an exception (grl::exception); a
// program that does not catch it ends with "error: <message>" and status 1.
// EXPECT_ENDS runs the statement as such a program would and checks that ending.
#ifndef KORVAL_TESTS_GRIDLIB_ENDS_H
#define KORVAL_TESTS_GRIDLIB_ENDS_H

#include <gtest/gtest.h>

#include "gridlib.h"

namespace gridlib_test {
template <class F> void as_program(F f) {
  try {
    f();
  } catch (const grl::exception& e) {
    grl::end_uncaught(e);
  }
}
}  // namespace gridlib_test

#define EXPECT_ENDS(statement, predicate, regex) \
  EXPECT_EXIT(gridlib_test::as_program([&] { statement; }), predicate, regex)

#endif
