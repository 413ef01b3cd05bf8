// The matrix reader on memory images of 32-bit and 64-bit programs and a fake
// debugger: the header layouts, the element texts, and every way a read can fail.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <limits>

#include "fakes.h"
#include "viewer/matrix_reader.h"

namespace {

using namespace lumigrid_test;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string hex(std::uint64_t v) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(v));
  return text;
}

// A stopped program with process id 4242 whose variables are laid out in an image.
struct program {
  explicit program(int word = 8) : memory(word), reader(&debugger, &memory) {
    debugger.answer("grlibpr", "4242", "unsigned int");
  }
  // A matrix variable `name` at addr; its name text, real and imaginary parts follow it.
  void variable(const std::string& name, std::uint64_t addr, std::uint32_t rows, std::uint32_t cols,
                const std::vector<double>& re, const std::vector<double>& im = {},
                std::uint32_t flags = 0, bool named = true) {
    matrix_header h;
    h.name = named ? addr + 0x100 : 0;
    h.flags = flags;
    h.dims = 2;
    h.rows = rows;
    h.cols = cols;
    h.real = re.empty() ? 0 : addr + 0x1000;
    h.imag = im.empty() ? 0 : addr + 0x100000;
    memory.put_header(addr, h);
    if (named) memory.put_text(h.name, name);
    if (!re.empty()) memory.put_doubles(h.real, re);
    if (!im.empty()) memory.put_doubles(h.imag, im);
    debugger.answer("&" + name, hex(addr), "M<double> *");
  }
  fake_debugger debugger;
  image_memory memory;
  MatrixReader reader;
};

TEST(MatrixHeader, LayoutOfEachWordSize) {
  // A 32-bit program: 36 bytes, the unused 8 bytes at 20, the addresses at 28 and 32.
  const unsigned char b32[36] = {0x10, 0x20, 0x30, 0x40, 3, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 7, 0, 0, 0,
                                 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE,
                                 0x00, 0x10, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00};
  lumigrid::matrix_header h;
  ASSERT_EQ(lumigrid::header_size(4), 36u);
  ASSERT_TRUE(lumigrid::parse_header(b32, sizeof b32, 4, h));
  EXPECT_EQ(h.name, 0x40302010u);
  EXPECT_EQ(h.flags, 3u);
  EXPECT_EQ(h.dims, 2u);
  EXPECT_EQ(h.rows, 5u);
  EXPECT_EQ(h.cols, 7u);
  EXPECT_EQ(h.real, 0x1000u);
  EXPECT_EQ(h.imag, 0x2000u);
  EXPECT_FALSE(lumigrid::parse_header(b32, 35, 4, h));

  // A 64-bit program: 8-byte addresses at 0, 32 and 40; the unused word at 24.
  unsigned char b64[48] = {};
  b64[0] = 0x88, b64[5] = 0x7F;                  // name 0x7f0000000088
  b64[8] = 2;                                     // flags
  b64[12] = 2, b64[16] = 1, b64[20] = 1000 & 0xFF, b64[21] = 1000 >> 8;
  for (int k = 24; k < 32; ++k) b64[k] = 0xEE;
  b64[32] = 0x10, b64[37] = 0x7F;                 // real 0x7f0000000010
  ASSERT_EQ(lumigrid::header_size(8), 48u);
  ASSERT_TRUE(lumigrid::parse_header(b64, sizeof b64, 8, h));
  EXPECT_EQ(h.name, 0x7F0000000088u);
  EXPECT_EQ(h.flags, 2u);
  EXPECT_EQ(h.rows, 1u);
  EXPECT_EQ(h.cols, 1000u);
  EXPECT_EQ(h.real, 0x7F0000000010u);
  EXPECT_EQ(h.imag, 0u);
  EXPECT_FALSE(lumigrid::parse_header(b64, sizeof b64, 2, h));

  unsigned char again[48];
  lumigrid::write_header(h, 8, again);
  for (int k = 24; k < 32; ++k) again[k] = 0xEE;
  EXPECT_EQ(std::memcmp(again, b64, 48), 0);
}

class ReaderOnImage : public testing::TestWithParam<int> {};

TEST_P(ReaderOnImage, RealMatrixColumnByColumn) {
  const int word = GetParam();
  program p(word);
  // A 32-bit address has 8 hex digits, a 64-bit one up to 16: all of them count.
  const std::uint64_t at = word == 4 ? 0x0012FF40 : 0x7FFD12345678;
  p.variable("a", at, 2, 3, {1, 4, 2, 5, 3, 6.25});
  ASSERT_EQ(p.reader.LoadMatrix("a"), 0) << p.reader.error_text();
  const auto& m = p.reader.matrix();
  EXPECT_EQ(m.name, "a");
  EXPECT_EQ(m.rows, 2u);
  EXPECT_EQ(m.cols, 3u);
  EXPECT_EQ(m.dims, 2u);
  EXPECT_EQ(p.reader.FormatElement(1, 2, 3), "6.25");   // the sixth double
  EXPECT_EQ(p.reader.FormatElement(0, 1, 3), "2");
  EXPECT_EQ(p.reader.FormatElement(1, 0, 3), "4");
  // Outside the matrix: empty, not an error.
  EXPECT_EQ(p.reader.FormatElement(2, 0, 3), "");
  EXPECT_EQ(p.reader.FormatElement(0, 3, 3), "");
  EXPECT_EQ(p.reader.FormatElement(-1, 0, 3), "");
  EXPECT_FALSE(p.reader.error());
  EXPECT_EQ(p.debugger.asked, (std::vector<std::string>{"grlibpr", "&a"}));
}

TEST_P(ReaderOnImage, UnnamedComplexAndStringMatrices) {
  program p(GetParam());
  p.variable("r", 0x10000, 1, 1, {7}, {}, 0, /*named=*/false);
  ASSERT_EQ(p.reader.LoadMatrix("r"), 0);
  EXPECT_EQ(p.reader.matrix().name, "\"ans\"");

  p.variable("z", 0x20000, 1, 4, {1.5, 1, 2, 3}, {2, -0.25, 0, kNaN});
  ASSERT_EQ(p.reader.LoadMatrix("z"), 0);
  EXPECT_EQ(p.reader.FormatElement(0, 0, 3), "1.5+2i");
  EXPECT_EQ(p.reader.FormatElement(0, 1, 3), "1-0.25i");
  EXPECT_EQ(p.reader.FormatElement(0, 2, 3), "2");        // imaginary 0 shows as real
  EXPECT_EQ(p.reader.FormatElement(0, 3, 3), "3+NaNi");

  // Rows "ab" and "cd": each row's text in column 0 only.
  p.variable("s", 0x30000, 2, 2, {'a', 'c', 'b', 'd'}, {}, lumigrid::kString);
  ASSERT_EQ(p.reader.LoadMatrix("s"), 0);
  EXPECT_EQ(p.reader.FormatElement(0, 0, 3), "ab");
  EXPECT_EQ(p.reader.FormatElement(1, 0, 3), "cd");
  EXPECT_EQ(p.reader.FormatElement(0, 1, 3), "");
  EXPECT_EQ(p.reader.FormatElement(2, 0, 3), "");
}

INSTANTIATE_TEST_SUITE_P(WordSizes, ReaderOnImage, testing::Values(4, 8));

TEST(FormatNumber, SpecialValuesAndDigits) {
  EXPECT_EQ(lumigrid::format_number(-kInf, 3), "-Inf");
  EXPECT_EQ(lumigrid::format_number(kInf, 3), "Inf");
  EXPECT_EQ(lumigrid::format_number(kNaN, 3), "NaN");
  EXPECT_EQ(lumigrid::format_number(3.14159, 0), "3");      // %.0g: one significant digit
  EXPECT_EQ(lumigrid::format_number(123456, 3), "1.23e+05");
  EXPECT_EQ(lumigrid::format_number(1.0 / 3, 15), "0.333333333333333");
  EXPECT_EQ(lumigrid::format_number(2.5, -4), "2");          // no negative precision
}

TEST(FormatElement, InfinitiesInBothParts) {
  program p;
  p.variable("z", 0x1000, 1, 3, {1, -kInf, kNaN}, {kInf, -kInf, 0});
  ASSERT_EQ(p.reader.LoadMatrix("z"), 0);
  EXPECT_EQ(p.reader.FormatElement(0, 0, 3), "1+Infi");
  EXPECT_EQ(p.reader.FormatElement(0, 1, 3), "-Inf-Infi");
  EXPECT_EQ(p.reader.FormatElement(0, 2, 3), "NaN");
}

TEST(FormatElement, LongStringRowStopsAt1000Characters) {
  program p;
  std::vector<double> codes(1500);
  for (std::size_t k = 0; k < codes.size(); ++k) codes[k] = 'a' + double(k % 26);
  p.variable("t", 0x1000, 1, 1500, codes, {}, lumigrid::kString);
  ASSERT_EQ(p.reader.LoadMatrix("t"), 0);
  const std::string row = p.reader.FormatElement(0, 0, 3);
  ASSERT_EQ(row.size(), 1000u);
  EXPECT_EQ(row.substr(0, 3), "abc");
  EXPECT_EQ(row[999], 'a' + 999 % 26);
}

TEST(FormatElement, OddCharacterCodesDoNotMisbehave) {
  program p;
  p.variable("t", 0x1000, 1, 4, {'o', kNaN, 1e300, 'k'}, {}, lumigrid::kString);
  ASSERT_EQ(p.reader.LoadMatrix("t"), 0);
  EXPECT_EQ(p.reader.FormatElement(0, 0, 3), "o??k");
}

TEST(LoadMatrix, DebuggerAndProcessFailures) {
  program p;
  p.variable("a", 0x1000, 1, 1, {3});

  p.debugger.state = 0;
  EXPECT_EQ(p.reader.LoadMatrix("a"), 1);
  EXPECT_EQ(p.reader.error_text(), "Error: Debugger not in breakpoint.");

  p.debugger.state = 1;
  p.debugger.refuse("grlibpr", "No symbol \"grlibpr\" in current context.");
  EXPECT_EQ(p.reader.LoadMatrix("a"), 1);
  EXPECT_EQ(p.reader.error_text(), "Error: Cannot located debugged process.");
  for (const char* value : {"0", "", "-", "pid"}) {
    p.debugger.answer("grlibpr", value);
    EXPECT_EQ(p.reader.LoadMatrix("a"), 1) << value;
    EXPECT_EQ(p.reader.error_text(), "Error: Cannot located debugged process.");
  }

  // The address's evaluation fails: the debugger's own words.
  p.debugger.answer("grlibpr", "4242");
  EXPECT_EQ(p.reader.LoadMatrix("nosuch"), 1);
  EXPECT_EQ(p.reader.error_text(), "No symbol \"&nosuch\" in current context.");

  // A process that cannot be opened.
  p.debugger.answer("grlibpr", "999");
  EXPECT_EQ(p.reader.LoadMatrix("a"), 1);
  EXPECT_EQ(p.reader.error_text(), "Error: Cannot open process 999.");
}

TEST(LoadMatrix, AddressTextsThatAreNoAddress) {
  program p;
  p.variable("a", 0x1000, 1, 1, {3});
  for (const char* text : {"5", "0x", "0xZZ", "0x0", "0x12345678901234567", "(int *) 0x1000", "0x1000 junk"}) {
    p.debugger.answer("&a", text, "M<double> *");
    EXPECT_EQ(p.reader.LoadMatrix("a"), 1) << text;
    EXPECT_EQ(p.reader.error_text(), std::string("Error: &a is not an address (") + text + ").");
  }
  p.debugger.answer("&a", "0X1000  ", "M<double> *");
  EXPECT_EQ(p.reader.LoadMatrix("a"), 0) << p.reader.error_text();
}

TEST(LoadMatrix, VariablesThatAreNoNumericMatrix) {
  program p;
  p.variable("c", 0x1000, 1, 1, {3});
  p.debugger.answer("&c", "0x1000", "M<M<double> > *");
  EXPECT_EQ(p.reader.LoadMatrix("c"), 1);
  EXPECT_EQ(p.reader.error_text(), "Error: c is a cell array (M<M<double> >), not a matrix.");
  p.debugger.answer("&c", "0x1000", "double *");
  EXPECT_EQ(p.reader.LoadMatrix("c"), 1);
  EXPECT_EQ(p.reader.error_text(), "Error: c is not a matrix (double).");
  // A namespace before the class, and no type at all, are fine.
  p.debugger.answer("&c", "0x1000", "grl::M<double> *");
  EXPECT_EQ(p.reader.LoadMatrix("c"), 0);
  p.debugger.answer("&c", "0x1000", "");
  EXPECT_EQ(p.reader.LoadMatrix("c"), 0);
}

TEST(LoadMatrix, SinglePrecisionElements) {
  program p;
  matrix_header h;
  h.name = 0;
  h.dims = 2, h.rows = 1, h.cols = 3, h.real = 0x2000;
  p.memory.put_header(0x1000, h);
  const float f[3] = {1.5f, -2.0f, 0.25f};
  std::vector<unsigned char> bytes(sizeof f);
  std::memcpy(bytes.data(), f, sizeof f);
  p.memory.put_bytes(0x2000, bytes);
  p.debugger.answer("&f", "0x1000", "M<float> *");
  ASSERT_EQ(p.reader.LoadMatrix("f"), 0) << p.reader.error_text();
  EXPECT_EQ(p.reader.FormatElement(0, 1, 3), "-2");
  EXPECT_EQ(p.reader.FormatElement(0, 2, 3), "0.25");
}

TEST(LoadMatrix, FailedReadsLeaveNothingStale) {
  program p;
  p.variable("a", 0x1000, 1, 2, {1, 2});
  ASSERT_EQ(p.reader.LoadMatrix("a"), 0);

  // Header unreadable.
  p.debugger.answer("&b", "0x900000", "M<double> *");
  EXPECT_EQ(p.reader.LoadMatrix("b"), 1);
  EXPECT_EQ(p.reader.error_text(), "Error: Cannot read 48 bytes.");
  EXPECT_EQ(p.reader.FormatElement(0, 0, 3), "");
  EXPECT_EQ(p.reader.matrix().rows, 0u);

  // Header fine, elements missing (a variable not constructed yet holds junk).
  ASSERT_EQ(p.reader.LoadMatrix("a"), 0);
  p.variable("b", 0x40000, 3, 3, {1, 2, 3});   // 3 doubles where 9 belong
  EXPECT_EQ(p.reader.LoadMatrix("b"), 1);
  EXPECT_EQ(p.reader.FormatElement(0, 0, 3), "");

  // The name cannot be read.
  matrix_header h;
  h.name = 0x777000, h.dims = 2, h.rows = 1, h.cols = 1, h.real = 0x1000 + 0x1000;
  p.memory.put_header(0x50000, h);
  p.debugger.answer("&n", "0x50000", "M<double> *");
  EXPECT_EQ(p.reader.LoadMatrix("n"), 1);
}

TEST(LoadMatrix, HugeHeaderIsOutOfMemory) {
  program p;
  matrix_header h;
  h.dims = 2, h.rows = 0xFFFFFFFF, h.cols = 0xFFFFFFFF, h.real = 0x2000;
  p.memory.put_header(0x1000, h);
  p.debugger.answer("&g", "0x1000", "M<double> *");
  EXPECT_EQ(p.reader.LoadMatrix("g"), 1);
  EXPECT_EQ(p.reader.error_text(), "Out of memory error!");
}

TEST(LoadMatrix, LongNameNearTheEndOfItsBlock) {
  program p;
  p.variable("a", 0x1000, 1, 1, {1});
  // A 120-character name: 99 are shown. A short name at the end of a page reads too.
  matrix_header h;
  h.dims = 2, h.rows = 1, h.cols = 1, h.real = 0x3000, h.name = 0x5000;
  p.memory.put_header(0x1000, h);
  p.memory.put_doubles(0x3000, {1});
  p.memory.put_text(0x5000, std::string(120, 'n'));
  ASSERT_EQ(p.reader.LoadMatrix("a"), 0);
  EXPECT_EQ(p.reader.matrix().name, std::string(99, 'n'));
  h.name = 0x8FFD;
  p.memory.put_header(0x1000, h);
  p.memory.put_bytes(0x8FFD, {'x', 'y', 0});
  ASSERT_EQ(p.reader.LoadMatrix("a"), 0) << p.reader.error_text();
  EXPECT_EQ(p.reader.matrix().name, "xy");
}

// --- the process memory: direct reads, and the debugger when the kernel refuses -----

long refused(std::uint32_t, std::uint64_t, void*, std::size_t) {
  errno = EPERM;
  return -1;
}
long unmapped(std::uint32_t, std::uint64_t, void*, std::size_t) {
  errno = EFAULT;
  return -1;
}

TEST(ProcessMemory, FallsBackToTheDebuggerWhenTheKernelRefuses) {
  fake_debugger debugger;
  std::map<std::uint64_t, std::vector<unsigned char>> mem;
  mem[0x1000] = {1, 2, 3, 4, 5, 6, 7, 8};
  debugger.memory = &mem;
  debugger.pid = static_cast<std::uint32_t>(getpid());
  lumigrid::process_memory pm(&debugger, refused);
  std::string error;
  ASSERT_TRUE(pm.open(debugger.pid, error)) << error;
  EXPECT_EQ(pm.word_size(), int(sizeof(void*)));
  unsigned char out[4];
  ASSERT_TRUE(pm.read(0x1002, out, 4, error)) << error;
  EXPECT_EQ(out[0], 3);
  EXPECT_TRUE(pm.through_debugger());
  EXPECT_FALSE(pm.read(0x2000, out, 4, error));
  EXPECT_EQ(debugger.reads, 2);

  // An unmapped address is an error at once, not a question for the debugger.
  fake_debugger other;
  lumigrid::process_memory direct(&other, unmapped);
  ASSERT_TRUE(direct.open(debugger.pid, error));
  EXPECT_FALSE(direct.read(0x1000, out, 4, error));
  EXPECT_EQ(other.reads, 0);
  EXPECT_NE(error.find("Cannot read 4 bytes at 0x1000"), std::string::npos) << error;
}

TEST(ProcessMemory, ProcessesThatCannotBeOpenedAndBadRanges) {
  lumigrid::process_memory pm(nullptr);
  std::string error;
  EXPECT_FALSE(pm.open(0, error));
  EXPECT_EQ(error, "Error: Cannot open process 0.");
  // A process id no process has (beyond pid_max).
  EXPECT_FALSE(pm.open(0x7FFFFFF0u, error));
  ASSERT_TRUE(pm.open(static_cast<std::uint32_t>(getpid()), error));
  unsigned char out[8];
  EXPECT_FALSE(pm.read(0, out, 8, error));
  EXPECT_FALSE(pm.read(~0ull - 2, out, 8, error));   // wraps around
  const double here = 2.5;
  double copy = 0;
  ASSERT_TRUE(pm.read(reinterpret_cast<std::uintptr_t>(&here), &copy, sizeof copy, error)) << error;
  EXPECT_EQ(copy, 2.5);
}

}  // namespace
