// The library's error path and warning path: errors as grl::exception with Octave's
// identifiers, error and rethrow of structures, the uncaught ending, warning states,
// lasterr and lastwarn, and onCleanup frames.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "gridlib.h"
#include "values.h"

using gridlib_test::Mt;
using gridlib_test::str;

namespace {

// The exception a statement raises; fails the test when it raises none.
template <class F> grl::exception raised(F f) {
  try {
    f();
  } catch (const grl::exception& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return grl::exception("", "");
}

struct full_error {
  Mt message, identifier;
};
struct message_only {
  Mt message;
};

}  // namespace

TEST(ErrorPath, LibraryErrorsCarryOctaveIdentifiers) {
  Mt x("x", 0, 0);
  x = gridlib_test::row({1, 2, 3});
  grl::exception e = raised([&] { Mt y = x(5.0); });
  EXPECT_EQ(e.identifier(), "Octave:index-out-of-bounds");
  EXPECT_EQ(e.message(), "x(5): out of bound 3 (dimensions are 1x3)");
  EXPECT_EQ(raised([&] { Mt y = x(0.0); }).identifier(), "Octave:invalid-index");
  EXPECT_EQ(raised([&] { Mt y = plus(x, gridlib_test::row({1, 2})); }).identifier(), "Octave:nonconformant-args");
  // Errors without an identifier of their own keep an empty one.
  EXPECT_EQ(raised([] { grl_fail("cell2mat: C must be a cell array"); }).identifier(), "");
  EXPECT_EQ(raised([] { grl_fail_id("My:id", "value %d", 7); }).message(), "value 7");
}

TEST(ErrorPath, ErrorFunctionFormsAndEmptyMessages) {
  grl::exception e = raised([] { error(str("Pkg:sub:name"), str("n=%d %s"), Mt(3.0), str("x")); });
  EXPECT_EQ(e.identifier(), "Pkg:sub:name");
  EXPECT_EQ(e.message(), "n=3 x");
  // One argument: the text as it stands, no identifier.
  e = raised([] { error(str("50%d done")); });
  EXPECT_EQ(e.identifier(), "");
  EXPECT_EQ(e.message(), "50%d done");
  // A format with a blank is not an identifier.
  EXPECT_EQ(raised([] { error(str("a b:c %d"), Mt(1.0)); }).identifier(), "");
  // An identifier alone asks for a message.
  EXPECT_EQ(raised([] { error(str("Pkg:id")); }).message(),
            "call to error with message identifier 'Pkg:id' requires message");
  // The newline that ends a message is dropped; an empty message raises nothing.
  EXPECT_EQ(raised([] { error(str("Id:x"), str("line\n")); }).message(), "line");
  EXPECT_NO_THROW(error(str("")));
  EXPECT_NO_THROW(error(str("Id:x"), str("%s"), str("")));
}

TEST(ErrorPath, StructuresRaiseAndRethrow) {
  full_error s{str("from a struct"), str("S:id")};
  grl::exception e = raised([&] { error(s); });
  EXPECT_EQ(e.identifier(), "S:id");
  EXPECT_EQ(e.message(), "from a struct");
  EXPECT_EQ(raised([&] { rethrow(s); }).message(), "from a struct");
  full_error empty{str(""), str("S:id")};
  EXPECT_NO_THROW(error(empty));
  message_only m{str("only a message")};
  EXPECT_EQ(raised([&] { error(m); }).message(), "only a message");
  EXPECT_EQ(raised([&] { rethrow(m); }).message(),
            "rethrow: ERR struct must contain the fields 'message' and 'identifier'");
  EXPECT_EQ(raised([] { rethrow(Mt(3.0)); }).message(), "rethrow: ERR must be a struct");
  EXPECT_EQ(grl::text_of(getReport(s)), "from a struct");
  // The report's type and hyperlinks options are checked; the report stays the message.
  EXPECT_EQ(grl::text_of(getReport(s, str("basic"))), "from a struct");
  EXPECT_EQ(grl::text_of(getReport(s, str("extended"), str("hyperlinks"), str("off"))), "from a struct");
  EXPECT_EQ(raised([&] { getReport(s, str("long")); }).message(), "getReport: TYPE must be 'basic' or 'extended'");
  EXPECT_EQ(raised([&] { getReport(s, str("basic"), str("links"), str("off")); }).message(),
            "getReport: the only option is 'hyperlinks'");
  EXPECT_EQ(raised([&] { getReport(s, str("basic"), str("hyperlinks"), str("maybe")); }).message(),
            "getReport: 'hyperlinks' must be 'on', 'off' or 'default'");
}

TEST(ErrorPath, CaughtErrorsAreLasterr) {
  try {
    error(str("Last:one"), str("the last %s"), str("error"));
  } catch (const grl::exception& e) {
    grl::caught(e);
  }
  EXPECT_EQ(grl::text_of(lasterr()), "the last error");
  Mt msg, id;
  lasterr(i_o, msg, id);
  EXPECT_EQ(grl::text_of(id), "Last:one");
  lasterr(str("set"), str("Set:id"));
  EXPECT_EQ(grl::text_of(lasterr()), "set");
}

TEST(ErrorPath, UncaughtErrorEndsTheProgram) {
  // Thrown in a thread of its own, where nothing catches it (as in a thread par_run
  // starts, or a program's main).
  EXPECT_EXIT(
      {
        grl::install_uncaught_ending();
        std::thread([] { error(str("Pkg:id"), str("nothing caught %d"), Mt(5.0)); }).join();
      },
      testing::ExitedWithCode(1), "^error: nothing caught 5\n$");
  // exit ends at once, with its status, whatever try blocks are open.
  EXPECT_EXIT(
      {
        try {
          exit_M(Mt(3.0));
        } catch (...) {
        }
      },
      testing::ExitedWithCode(3), "");
}

TEST(WarningPath, StatesByIdentifierAndLastwarn) {
  warning(str("on"), str("all"));
  lastwarn(str(""), str(""));
  warning(str("off"), str("T:quiet"));
  warning(str("T:quiet"), str("hidden %d"), Mt(1.0));
  EXPECT_EQ(grl::text_of(lastwarn()), "");   // a warning not shown is not recorded
  warning(str("T:loud"), str("shown %d"), Mt(2.0));
  Mt msg, id;
  lastwarn(i_o, msg, id);
  EXPECT_EQ(grl::text_of(msg), "shown 2");
  EXPECT_EQ(grl::text_of(id), "T:loud");
  // 'all' off, then one identifier back on.
  warning(str("off"), str("all"));
  EXPECT_FALSE(grl::warning_enabled("T:loud"));
  warning(str("on"), str("T:loud"));
  EXPECT_TRUE(grl::warning_enabled("T:loud"));
  EXPECT_FALSE(grl::warning_enabled(""));
  warning(str("on"));
  EXPECT_TRUE(grl::warning_enabled("T:quiet"));   // 'all' resets every identifier
  // The library's own warnings take the same path.
  warning(str("off"), str("Octave:singular-matrix"));
  lastwarn(str(""), str(""));
  Mt a = gridlib_test::mat(2, 2, {1, 2, 2, 4});
  Mt b = gridlib_test::col({1, 2});
  Mt x = mldivide(a, b);
  EXPECT_EQ(grl::text_of(lastwarn()), "");
  warning(str("on"), str("Octave:singular-matrix"));
  x = mldivide(a, b);
  lastwarn(i_o, msg, id);
  EXPECT_EQ(grl::text_of(id), "Octave:singular-matrix");
}

// warning('off', id) gives the state before as a structure that warning(s) restores;
// for 'all' the structure lists the default and every identifier set apart from it.
TEST(WarningPath, StatesAsValuesAndTheirRestoring) {
  warning(str("on"), str("all"));
  Mt before = warning(str("off"), str("T:a"));
  EXPECT_EQ(grl::text_of(grl::field(before, "identifier")), "T:a");
  EXPECT_EQ(grl::text_of(grl::field(before, "state")), "on");
  EXPECT_EQ(grl::text_of(grl::field(warning(str("query"), str("T:a")), "state")), "off");
  warning(before);
  EXPECT_TRUE(grl::warning_enabled("T:a"));
  warning(str("off"), str("T:b"));
  Mt all = warning(str("off"), str("all"));
  EXPECT_EQ(all.numel(), 3u);   // all, T:a (restored on), T:b
  EXPECT_FALSE(grl::warning_enabled("T:c"));
  warning(all);
  EXPECT_TRUE(grl::warning_enabled("T:c"));
  EXPECT_FALSE(grl::warning_enabled("T:b"));
  Mt bad("bad", 0, 0);
  grl::field_ref(bad, "state") = str("on");
  EXPECT_EQ(raised([&] { warning(bad); }).message(),
            "warning: STATE structure must have fields 'identifier' and 'state'");
  warning(str("on"), str("all"));
}

TEST(Cleanup, RunsInOrderMadeOnReturnAndOnError) {
  std::vector<int> order;
  {
    grl::cleanup_frame frame;
    frame.add([&] { order.push_back(1); });
    frame.add([&] { order.push_back(2); });
  }
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  order.clear();
  try {
    grl::cleanup_frame frame;
    frame.add([&] { order.push_back(3); });
    grl_fail("leaving");
  } catch (const grl::exception&) {
    order.push_back(4);
  }
  EXPECT_EQ(order, (std::vector<int>{3, 4}));
  // An error inside a cleanup becomes a warning; the other cleanups still run.
  order.clear();
  {
    grl::cleanup_frame frame;
    frame.add([] { grl_fail("cleanup failed"); });
    frame.add([&] { order.push_back(5); });
  }
  EXPECT_EQ(order, (std::vector<int>{5}));
  // An uncaught error runs the pending cleanups before the program ends.
  EXPECT_EXIT(
      {
        grl::install_uncaught_ending();
        std::thread([] {
          grl::cleanup_frame frame;
          frame.add([] { std::fprintf(stderr, "cleaned\n"); });
          grl_fail("the end");
        }).join();
      },
      testing::ExitedWithCode(1), "cleaned\nerror: the end");
}

TEST(Cleanup, HeldByVariablesRunWhenReleased) {
  std::vector<int> order;
  {
    grl::cleanup_frame frame;
    frame.add("c", [&] { order.push_back(1); });
    frame.add("d", [&] { order.push_back(2); });
    frame.release("c");   // clear c
    EXPECT_EQ(order, (std::vector<int>{1}));
    frame.release("c");   // nothing held any more
    frame.release("e");   // never held
    frame.add("d", [&] { order.push_back(3); });   // d = onCleanup(...) again: the old one runs
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    frame.add([&] { order.push_back(4); });
  }
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
  // clear (all variables) runs every cleanup once.
  order.clear();
  {
    grl::cleanup_frame frame;
    frame.add("a", [&] { order.push_back(5); });
    frame.run();
    frame.release("a");
  }
  EXPECT_EQ(order, (std::vector<int>{5}));
}

// The stack of an error lists the call frames running where it was raised, innermost
// first, with the line each had reached; rethrow of the caught value keeps it.
TEST(ErrorStack, FramesInnermostFirstWithTheirLines) {
  EXPECT_TRUE(grl::current_stack().empty());
  grl::exception e("", "");
  {
    grl::call_frame outer("outer.m", "outer");
    outer.line = 7;
    {
      grl::call_frame script("s.m", "s");
      script.line = 2;
      script.leave();   // the end of a script's text
      grl::call_frame inner("inner.m", "inner");
      inner.line = 12;
      e = raised([] { grl_fail("index (3): out of bound 2"); });
    }
    EXPECT_EQ(grl::current_stack().size(), 1u);
  }
  EXPECT_TRUE(grl::current_stack().empty());
  ASSERT_EQ(e.stack().size(), 2u);
  EXPECT_EQ(e.stack()[0].name, "inner");
  EXPECT_EQ(e.stack()[0].file, "inner.m");
  EXPECT_EQ(e.stack()[0].line, 12);
  EXPECT_EQ(e.stack()[1].name, "outer");
  EXPECT_EQ(e.stack()[1].line, 7);

  const Mt err = grl::caught_value(e);
  EXPECT_EQ(grl::text_of(grl::field(err, "identifier")), "Octave:index-out-of-bounds");
  const Mt& stack = grl::field(err, "stack");
  EXPECT_EQ(stack.rows(), 2u);
  EXPECT_EQ(stack.cols(), 1u);
  // Raised again from elsewhere, the caught value keeps the frames it had.
  grl::call_frame elsewhere("other.m", "other");
  elsewhere.line = 99;
  const grl::exception again = raised([&] { rethrow(err); });
  ASSERT_EQ(again.stack().size(), 2u);
  EXPECT_EQ(again.stack()[0].line, 12);
  EXPECT_EQ(raised([&] { error(err); }).stack()[1].name, "outer");
  // A structure without a stack field gets the frames running now.
  Mt plain("plain", 0, 0);
  grl::field_ref(plain, "message") = str("m");
  grl::field_ref(plain, "identifier") = str("A:b");
  ASSERT_EQ(raised([&] { rethrow(plain); }).stack().size(), 1u);
  EXPECT_EQ(raised([&] { rethrow(plain); }).stack()[0].name, "other");
  // An error outside every frame has an empty stack: a 0 x 1 structure.
  const Mt none = grl::caught_value(grl::exception("", "x", {}));
  EXPECT_EQ(grl::field(none, "stack").numel(), 0u);
}

TEST(ErrorPath, FormatsAreNoIdentifiers) {
  grl::exception e = raised([] { error(str("Nest:%s"), str("inner")); });
  EXPECT_EQ(e.identifier(), "");
  EXPECT_EQ(e.message(), "Nest:inner");
  EXPECT_EQ(raised([] { error(str(":b"), str("x")); }).identifier(), "");
  EXPECT_EQ(raised([] { error(str("A-b:c.d"), str("x")); }).identifier(), "A-b:c.d");
}
