// The reader on real gridlib matrices: objects of this test process, built by the
// run-time library itself and read back through process_vm_readv, so that the header
// the library lays out and the header the viewer reads cannot drift apart.
#define GRLIB 0
#include "gridlib.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "fakes.h"
#include "viewer/matrix_reader.h"
#include "viewer/matrix_view.h"

namespace {

using namespace lumigrid_test;

template <class T> std::string address_of(const T& v) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", static_cast<const void*>(&v));
  return text;
}

struct live {
  live() : memory(&debugger), reader(&debugger, &memory) {
    debugger.answer("grlibpr", std::to_string(getpid()), "unsigned int");
  }
  template <class T> void expose(const std::string& name, const T& v) {
    debugger.answer("&" + name, address_of(v), "M<double> *");
  }
  fake_debugger debugger;
  lumigrid::process_memory memory;
  lumigrid::MatrixReader reader;
};

TEST(LiveMatrix, RealComplexLogicalAndCharValues) {
  live l;
  M<double> a("a", 0, 0);
  a = M<double>::alloc(2, 3);
  for (int k = 0; k < 6; ++k) a.re_[k] = k + 0.5;
  l.expose("a", a);
  ASSERT_EQ(l.reader.LoadMatrix("a"), 0) << l.reader.error_text();
  EXPECT_EQ(lumigrid::matrix_status(l.reader.matrix()), "a: Dims=2  2x3");
  EXPECT_EQ(l.reader.FormatElement(1, 2, 3), "5.5");
  EXPECT_FALSE(l.memory.through_debugger());

  // A 1 x 1 complex value keeps its parts inside the object.
  M<double> z("z", 0, 0);
  z = M<double>::cplx(1.5, -2);
  l.expose("z", z);
  ASSERT_EQ(l.reader.LoadMatrix("z"), 0) << l.reader.error_text();
  EXPECT_EQ(l.reader.FormatElement(0, 0, 3), "1.5-2i");

  M<double> t("t", 0, 0);
  t = M<double>(true);
  l.expose("t", t);
  ASSERT_EQ(l.reader.LoadMatrix("t"), 0) << l.reader.error_text();
  EXPECT_EQ(lumigrid::matrix_status(l.reader.matrix()), "t: Dims=2  1x1 LOGICAL");
  EXPECT_EQ(l.reader.FormatElement(0, 0, 3), "1");

  M<double> s("s", 0, 0);
  s = TM("hello");
  l.expose("s", s);
  ASSERT_EQ(l.reader.LoadMatrix("s"), 0) << l.reader.error_text();
  EXPECT_EQ(lumigrid::matrix_status(l.reader.matrix()), "s: Dims=2  1x5 STRING");
  EXPECT_EQ(l.reader.FormatElement(0, 0, 3), "hello");

  // A result without a name.
  const M<double> unnamed = M<double>::zeros(3, 1);
  l.expose("u", unnamed);
  ASSERT_EQ(l.reader.LoadMatrix("u"), 0) << l.reader.error_text();
  EXPECT_EQ(lumigrid::matrix_status(l.reader.matrix()), "\"ans\": Dims=2  3x1");
  EXPECT_EQ(l.reader.FormatElement(2, 0, 3), "0");

  // An empty matrix: nothing to read, no elements.
  M<double> e("e", 0, 0);
  l.expose("e", e);
  ASSERT_EQ(l.reader.LoadMatrix("e"), 0) << l.reader.error_text();
  EXPECT_EQ(lumigrid::matrix_status(l.reader.matrix()), "e: Dims=2  0x0");
  EXPECT_EQ(l.reader.FormatElement(0, 0, 3), "");
}

}  // namespace
