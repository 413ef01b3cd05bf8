// The window's logic on a plain table of texts: Display, paging, Set and the -show
// output, over matrices in a memory image.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <sstream>

#include "fakes.h"
#include "viewer/matrix_view.h"
#include "viewer/show.h"

namespace {

using namespace lumigrid_test;
using lumigrid::alignment;

// A stopped program and a viewer window without widgets.
struct viewer {
  viewer() : memory(8), reader(&debugger, &memory), view(reader, grid) {
    debugger.answer("grlibpr", "4242");
  }
  // Matrix `name` with the given elements (column by column) at addr.
  void matrix(const std::string& name, std::uint64_t addr, std::uint32_t rows, std::uint32_t cols,
              const std::vector<double>& re, std::uint32_t flags = 0) {
    matrix_header h;
    h.name = addr + 0x100;
    h.flags = flags;
    h.dims = 2;
    h.rows = rows;
    h.cols = cols;
    h.real = re.empty() ? 0 : addr + 0x1000;
    memory.put_header(addr, h);
    memory.put_text(h.name, name);
    if (!re.empty()) memory.put_doubles(h.real, re);
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(addr));
    debugger.answer("&" + name, text, "M<double> *");
  }
  void reload(const std::string& name) {
    view.fields().name = name;
    view.Reload();
  }
  std::string cell(int row, int col) const { return grid.TextMatrix(row, col); }

  fake_debugger debugger;
  image_memory memory;
  lumigrid::MatrixReader reader;
  lumigrid::text_grid grid;
  lumigrid::matrix_view view;
};

std::vector<double> count_up(std::size_t n) {
  std::vector<double> v(n);
  for (std::size_t k = 0; k < n; ++k) v[k] = double(k + 1);
  return v;
}

TEST(Display, SmallMatrixFillsTheTopLeftCorner) {
  viewer v;
  v.matrix("m", 0x10000, 3, 2, {1, 2, 3, 4, 5, 6});
  v.reload("m");
  EXPECT_EQ(v.view.fields().status, "m: Dims=2  3x2");
  for (int j = 1; j <= 9; ++j) EXPECT_EQ(v.cell(j, 0), std::to_string(j));
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(v.cell(0, i), std::to_string(i));
  EXPECT_EQ(v.cell(0, 0), "");
  EXPECT_EQ(v.cell(1, 1), "1");
  EXPECT_EQ(v.cell(3, 1), "3");
  EXPECT_EQ(v.cell(3, 2), "6");
  EXPECT_EQ(v.cell(4, 1), "");
  EXPECT_EQ(v.cell(1, 3), "");
  EXPECT_EQ(v.cell(9, 6), "");
  // Numbers are right-aligned; the data columns share the data width.
  EXPECT_EQ(v.view.total_width(), 6 * lumigrid::kDataColWidth);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(v.grid.ColAlignment(i), alignment::right_top);
  EXPECT_EQ(v.grid.ColWidth(3), lumigrid::kDataColWidth);
}

TEST(Display, PagingStopsAtTheEdges) {
  viewer v;
  v.matrix("m", 0x10000, 3, 2, {1, 2, 3, 4, 5, 6});
  v.reload("m");
  v.view.Down();
  EXPECT_EQ(v.view.first_row(), 2);
  EXPECT_EQ(v.cell(1, 0), "2");
  EXPECT_EQ(v.cell(1, 1), "2");
  v.view.Down();
  EXPECT_EQ(v.view.first_row(), 3);
  v.view.Down();
  EXPECT_EQ(v.view.first_row(), 3);
  EXPECT_EQ(v.cell(1, 2), "6");
  EXPECT_EQ(v.cell(2, 2), "");
  v.view.Right();
  v.view.Right();
  EXPECT_EQ(v.view.first_col(), 2);
  EXPECT_EQ(v.cell(0, 1), "2");
  EXPECT_EQ(v.cell(1, 1), "6");
  for (int k = 0; k < 4; ++k) v.view.Up(), v.view.Left();
  EXPECT_EQ(v.view.first_row(), 1);
  EXPECT_EQ(v.view.first_col(), 1);
  EXPECT_EQ(v.cell(1, 1), "1");
}

TEST(Display, ReloadOfASmallerMatrixKeepsThePage) {
  viewer v;
  v.matrix("big", 0x10000, 20, 20, count_up(400));
  v.matrix("small", 0x90000, 2, 2, {9, 8, 7, 6});
  v.reload("big");
  for (int k = 0; k < 4; ++k) v.view.Down();
  v.view.Right();
  EXPECT_EQ(v.cell(1, 1), std::to_string(5 + 20 * 1));   // element (5, 2)
  v.reload("small");
  EXPECT_EQ(v.view.first_row(), 5);
  EXPECT_EQ(v.view.first_col(), 2);
  EXPECT_EQ(v.cell(1, 0), "5");
  for (int j = 1; j < 10; ++j)
    for (int i = 1; i < 7; ++i) EXPECT_EQ(v.cell(j, i), "") << j << "," << i;
}

TEST(Display, StringAndLogicalMatrices) {
  viewer v;
  v.matrix("s", 0x10000, 2, 2, {'a', 'c', 'b', 'd'}, lumigrid::kString);
  v.reload("s");
  EXPECT_EQ(v.view.fields().status, "s: Dims=2  2x2 STRING");
  EXPECT_EQ(v.grid.ColWidth(1), v.view.total_width());
  EXPECT_EQ(v.cell(1, 1), "ab");
  EXPECT_EQ(v.cell(2, 1), "cd");
  EXPECT_EQ(v.cell(1, 2), "");
  for (int i = 1; i < 7; ++i) EXPECT_EQ(v.grid.ColAlignment(i), alignment::left_top);

  v.matrix("l", 0x90000, 1, 3, {1, 0, 1}, lumigrid::kLogical);
  v.reload("l");
  EXPECT_EQ(v.view.fields().status, "l: Dims=2  1x3 LOGICAL");
  EXPECT_EQ(v.cell(1, 2), "0");
  // Back to numbers: column 1 gets its share of the width again.
  EXPECT_EQ(v.grid.ColWidth(1), v.view.total_width() / 6);

  v.matrix("both", 0x200000, 1, 1, {'x'}, lumigrid::kLogical | lumigrid::kString);
  v.reload("both");
  EXPECT_EQ(v.view.fields().status, "both: Dims=2  1x1 LOGICAL STRING");
}

TEST(Display, ErrorsKeepTheGrid) {
  viewer v;
  v.matrix("m", 0x10000, 1, 1, {42});
  v.reload("m");
  v.reload("nosuch");
  EXPECT_EQ(v.view.fields().status, "No symbol \"&nosuch\" in current context.");
  EXPECT_EQ(v.cell(1, 1), "42");
  v.debugger.state = 0;
  v.reload("m");
  EXPECT_EQ(v.view.fields().status, "Error: Debugger not in breakpoint.");
  // Paging without a matrix keeps the first row and column at 1 and the error shown.
  v.view.Down();
  v.view.Right();
  EXPECT_EQ(v.view.first_row(), 1);
  EXPECT_EQ(v.view.first_col(), 1);
  EXPECT_EQ(v.view.fields().status, "Error: Debugger not in breakpoint.");
}

TEST(Set, ClampsAndWritesBack) {
  viewer v;
  v.matrix("m", 0x10000, 1, 1, {3.14159265});
  v.reload("m");
  EXPECT_EQ(v.cell(1, 1), "3.14");
  v.view.fields().digits = "20";
  v.view.fields().columns = "0";
  v.view.Set();
  EXPECT_EQ(v.view.fields().digits, "15");
  EXPECT_EQ(v.view.fields().columns, "1");
  EXPECT_EQ(v.cell(1, 1), "3.14159265");
  EXPECT_EQ(v.grid.ColWidth(2), v.view.total_width());

  v.view.fields().digits = "two";
  v.view.fields().columns = "-3";
  v.view.Set();
  EXPECT_EQ(v.view.fields().digits, "0");
  EXPECT_EQ(v.view.fields().columns, "1");
  EXPECT_EQ(v.cell(1, 1), "3");

  v.view.fields().digits = " 5";
  v.view.fields().columns = "3";
  v.view.Set();
  EXPECT_EQ(v.view.digits(), 5);
  EXPECT_EQ(v.grid.ColWidth(1), v.view.total_width() / 3);
  EXPECT_EQ(v.cell(1, 1), "3.1416");
}

TEST(ReadDecimal, FieldTexts) {
  EXPECT_EQ(lumigrid::read_decimal("12"), 12);
  EXPECT_EQ(lumigrid::read_decimal("  +7x"), 7);
  EXPECT_EQ(lumigrid::read_decimal("-4"), -4);
  EXPECT_EQ(lumigrid::read_decimal(""), 0);
  EXPECT_EQ(lumigrid::read_decimal("x9"), 0);
  EXPECT_EQ(lumigrid::read_decimal("99999999999999999999"), INT_MAX);
}

TEST(Show, PrintsStatusAndGrid) {
  viewer v;
  v.matrix("m", 0x10000, 2, 1, {0.5, 1.0 / 3});
  std::ostringstream out;
  lumigrid::show_request request{"m", std::string("2"), std::nullopt};
  EXPECT_EQ(lumigrid::show_matrix(v.reader, request, out), 0);
  const std::string text = out.str();
  EXPECT_EQ(text.substr(0, text.find('\n', text.find('\n') + 1) + 1),
            "m: Dims=2  2x1\n\t1\t2\t3\t4\t5\t6\n");
  EXPECT_NE(text.find("\n1\t0.5\t\t\t\t\t\n2\t0.33\t\t\t\t\t\n3\t\t"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);

  std::ostringstream failed;
  request.name = "nosuch";
  EXPECT_EQ(lumigrid::show_matrix(v.reader, request, failed), 1);
  EXPECT_EQ(failed.str().substr(0, failed.str().find('\n')), "No symbol \"&nosuch\" in current context.");
}

}  // namespace
