// EXPECT_REPORT(statement, regex): statement must end the process with exit status 1
// and print exactly the report that regex matches on standard output. The message box
// is silenced and standard output is joined to standard error for the death test, so
// "^error: ...\n$" matches the whole report.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "platform/msgbox.h"

namespace testreport {
inline platform::box_answer silent_box(const std::string&, const std::string&,
                                       platform::box_kind) {
  return platform::box_answer::no;
}
inline void report_to_stderr() {
  platform::set_box_handler(silent_box);
  std::fflush(stdout);
  dup2(2, 1);
}
}  // namespace testreport

#define EXPECT_REPORT(statement, regex)                                        \
  EXPECT_EXIT(                                                                  \
      {                                                                         \
        ::testreport::report_to_stderr();                                       \
        statement;                                                              \
      },                                                                        \
      ::testing::ExitedWithCode(1), regex)
