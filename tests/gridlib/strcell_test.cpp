// Strings and cells: the failures with Octave's messages, and the results whose shape
// or class the display would not show.
#include <gtest/gtest.h>

#include <cmath>

#define GRLIB 0
#include "gridlib.h"
#include "ends.h"

typedef M<double> MD;
typedef M<M<double>> MC;

namespace {
MD str(const char* s) { return grl::str_M(s); }
std::string txt(const MD& m) { return grl::text_of(m); }
MC cellof(std::initializer_list<MD> items) {
  MC c = MC::alloc(1, items.size());
  std::size_t k = 0;
  for (const MD& m : items) c.welem(k++) = m;
  return c;
}
MD rows2(const char* a, const char* b) { return (BR(str(a)), semi, str(b)).value(); }
const auto fails = testing::ExitedWithCode(1);
}  // namespace

TEST(StrcellErrors, ArgumentsOfTheWrongKind) {
  EXPECT_ENDS(str2func(str(" @(x) x.^2")), fails,
              "is text made while the program runs; a compiled program can only make one written in the M-file");
  EXPECT_EQ(txt(func2str(str2func(str("sin")))), "sin");
  EXPECT_ENDS(strncmp(str("a"), str("a"), MD(0.0)), fails, "error: strncmp: N must be greater than 0");
  EXPECT_ENDS(strncmpi(str("a"), str("a"), MD()), fails, "error: strncmpi: N must be greater than 0");
  EXPECT_ENDS(strcmp(cellof({str("a"), str("b")}), cellof({str("a"), str("b"), str("c")})), fails,
              "error: strcmp: nonconformant cell arrays");
  EXPECT_ENDS(strrep(MD(1.0), str("a"), str("b")), fails,
              "error: strrep: S must be a string or cell array of strings");
  EXPECT_ENDS(strrep(str("a"), MD(1.0), str("b")), fails,
              "error: strrep: PTN and REP arguments must be strings or cell arrays of strings");
  EXPECT_ENDS(strrep(cellof({str("a"), MD(1.0)}), str("a"), str("b")), fails,
              "error: strrep: each element of S must be a string");
  EXPECT_ENDS(strfind(MD(1.0), str("a")), fails,
              "error: strfind: first argument must be a string or cell array of strings");
  EXPECT_ENDS(strfind(str("abc"), MD(98.0)), fails,
              "error: strfind: PATTERN must be a string or cell array of strings");
  EXPECT_ENDS(strfind(cellof({MD(1.0)}), str("a")), fails,
              "error: strfind: each element of CELLSTR must be a string");
  EXPECT_ENDS(strtok(MD(1.0)), fails, "error: strtok: STR must be a string or cell array of strings");
  EXPECT_ENDS(strtok(cellof({str("a"), MD(1.0)})), fails,
              "error: strtok: STR must be a string or cell array of strings");
  EXPECT_ENDS(strtok(rows2("ab", "cd")), fails,
              "error: strtok: STR cannot be a 2-D character array");
  EXPECT_ENDS(str2num(MD(5.0)), fails, "error: str2num: S must be a string or string array");
  EXPECT_ENDS(str2num(cellof({str("1")})), fails, "error: str2num: S must be a string or string array");
  EXPECT_ENDS(double_M(cellof({MD(1.0)})), fails, "error: invalid conversion from cell array");
  EXPECT_ENDS(num2cell(MD(1.0), MD(0.0)), fails, "error: num2cell: dimension indices must be positive");
  EXPECT_ENDS(num2cell(MD(1.0), (BR(2.0), 1.0).value()), fails,
              "error: num2cell: dimension indices must be strictly increasing");
  EXPECT_ENDS(cellstr(MD(1.0)), fails, "error: cellstr: argument STRING must be a 2-D character array");
  EXPECT_ENDS(cell2mat(MD(1.0)), fails, "error: cell2mat: C must be a cell array");
  EXPECT_ENDS(cell2mat(cellof({MD(1.0), str("a")})), fails,
              "error: cell2mat: wrong type elements or mixed cells, structs, and matrices");
  EXPECT_ENDS(cell2mat(cellof({(BR(1.0), 2.0).value(), MD::zeros(2, 1)})), fails, "error: cat: dimension mismatch");
}

TEST(StrcellErrors, Cellfun) {
  MC c = cellof({str("a"), str("bc")});
  EXPECT_ENDS(cellfun(str("isempty"), MD(1.0)), fails, "error: cellfun: C must be a cell array");
  EXPECT_ENDS(cellfun(MD(1.0), c), fails, "error: cellfun: argument NAME must be a string or function handle");
  EXPECT_ENDS(cellfun(str("foo"), c), fails, "error: cellfun: invalid function NAME: foo");
  EXPECT_ENDS(cellfun(str("size"), c), fails, "error: cellfun: not enough arguments for \"size\"");
  EXPECT_ENDS(cellfun(str("size"), c, MD(0.0)), fails, "error: cellfun: K must be a positive integer");
  EXPECT_ENDS(cellfun(str("upper"), c), fails,
              "error: cellfun: all values must be scalars when UniformOutput = true");
  EXPECT_ENDS(cellfun(str("upper"), c, MD(1.0)), fails, "error: cellfun: arguments must be cells");
  EXPECT_ENDS(cellfun(str("upper"), c, str("Bogus"), MD(0.0)), fails, "error: cellfun: unrecognized parameter Bogus");
  EXPECT_ENDS(cellfun(str("sin"), c, str("ErrorHandler"), MD(1.0)), fails,
              "error: cellfun: invalid value for 'ErrorHandler' function");
  EXPECT_ENDS(cellfun(str("upper"), cellof({str("a"), MD(1.0)})), fails,
              "error: cellfun: return values must be of the same type");
  // A cell result that lands in a matrix variable stops the program.
  EXPECT_ENDS({ MD m = cellfun(str("upper"), c, str("UniformOutput"), MD(0.0)); }, fails,
              "error: cellfun: with UniformOutput false the result is a cell array");
  EXPECT_ENDS({ MC u = cellfun(str("length"), c, str("UniformOutput"), MD(1.0)); }, fails,
              "error: cellfun: with UniformOutput true the result is an array");
}

TEST(Strcell, CellfunResults) {
  MC c = cellof({str("a"), str("bc")});
  MC u = cellfun(str("upper"), c, str("Uniform"), MD(0.0));
  ASSERT_EQ(u.numel(), 2u);
  EXPECT_EQ(txt(u.elem(1)), "BC");
  MD n = cellfun(str("length"), c, str("UniformOutput"), MD(0.0));   // always an array
  EXPECT_EQ(n.cre()[1], 2.0);
  MD up = cellfun(str("upper"), cellof({str("a"), str("b")}));
  EXPECT_TRUE(up.ischar());
  EXPECT_TRUE(cellfun(str("isempty"), c).islogical());
  EXPECT_FALSE(cellfun(str("length"), c).islogical());
}

TEST(Strcell, ShapesOfEmptyResults) {
  MD t, r;
  strtok(str("hello"), i_o, t, r);
  EXPECT_EQ(r.rows(), 0u);
  strtok(str("   "), i_o, t, r);
  EXPECT_EQ(t.rows(), 1u);
  EXPECT_EQ(t.cols(), 0u);
  EXPECT_TRUE(t.ischar());
  EXPECT_EQ(strrep(str("abc"), str("c"), str("")).cols(), 2u);
  MD gone = strrep(str("abc"), str("abc"), str(""));
  EXPECT_EQ(gone.rows(), 0u);
  EXPECT_TRUE(gone.ischar());
  MC e = strfind(MC::alloc(0, 3), str("a"));
  EXPECT_EQ(e.cols(), 3u);
  EXPECT_EQ(strcmp(MC::alloc(0, 3), str("a")).cols(), 3u);
  EXPECT_TRUE(strcmp(MC::alloc(0, 3), str("a")).islogical());
  MD m = cell2mat(MC::alloc(0, 3));
  EXPECT_EQ(m.cols(), 3u);
}

TEST(Strcell, StrrepOverlapsAndClasses) {
  EXPECT_EQ(txt(strrep(str("aaaa"), str("aa"), str("b"))), "bbb");
  EXPECT_EQ(txt(strrep(str("xaaax"), str("aa"), str("-"))), "x--x");
  EXPECT_EQ(txt(strrep(str("abcab"), str("ab"), str("ab!"))), "ab!cab!");
  // Numbers are never letters or white space, whatever their codes.
  EXPECT_EQ(isspace_M(MD(32.0)).cre()[0], 0.0);
  EXPECT_EQ(isletter(MD(65.0)).cre()[0], 0.0);
  EXPECT_EQ(strcmp(cellof({str("a"), str("b")}), MD(1.0)).numel(), 2u);
  EXPECT_FALSE(strcmp(MD(97.0), str("a")).cre()[0] != 0);
}

TEST(Strcell, Str2numRejectsWhatIsNoNumber) {
  MD x, ok;
  const char* bad[] = {"abs(-3)", "[1 2", "1 2]", "(1", "1 +", "e", "'a'", "[1 2]/[3 4]", "1:1e9", ",1"};
  for (const char* s : bad) {
    str2num(str(s), i_o, x, ok);
    EXPECT_EQ(ok.cre()[0], 0.0) << s;
    EXPECT_EQ(x.numel(), 0u) << s;
  }
  // Deep nesting is refused, not followed into a stack overflow.
  std::string deep(100000, '(');
  str2num(grl::str_M(deep + "1"), i_o, x, ok);
  EXPECT_EQ(ok.cre()[0], 0.0);
  str2num(str("[1 2]'"), i_o, x, ok);
  EXPECT_EQ(x.rows(), 2u);
  EXPECT_TRUE(str2num(str("[1 2] > 1")).islogical());
  MD z = str2num(str("[1+2i 3]'"));
  ASSERT_TRUE(z.isc());
  EXPECT_EQ(z.cim()[0], -2.0);
}

TEST(Strcell, Str2doubleRejectsWhatIsNoNumber) {
  const char* bad[] = {"1e", "e5", ".", "1 2", "1+2", "i2", "ij", "1x", "--3i+", "0x10", "infinity", "1d2"};
  for (const char* s : bad) EXPECT_TRUE(std::isnan(str2double(str(s)).cre()[0])) << s;
  MD v = str2double(cellof({str("1"), str("-2.5e1"), MD(3.0)}));
  EXPECT_EQ(v.cre()[1], -25.0);
  EXPECT_TRUE(std::isnan(v.cre()[2]));
}

// Sorting cells of strings: elements that are no strings, the shapes of empty and
// one-row results, which the display alone would not tell apart, and the options.
TEST(StrcellSort, FailuresShapesAndOptions) {
  const MC mixed = cellof({str("b"), MD(1.0)});
  EXPECT_ENDS(sort(mixed), fails, "error: sort: only cell arrays of character strings may be sorted");
  EXPECT_ENDS(unique(mixed), fails, "error: unique: X must be an array or cell array of strings");
  MC col = MC::alloc(2, 1);
  col.welem(0) = str("b");
  col.welem(1) = rows2("ab", "cd");   // a char matrix is no string
  EXPECT_ENDS(sortrows(col), fails, "error: sortrows: only cell arrays of character strings may be sorted");
  // A cell of several columns sorts by its rows; a column of texts and numbers fails.
  MC wide = MC::alloc(2, 2);
  wide.welem(0) = str("b");
  wide.welem(1) = str("a");
  wide.welem(2) = MD(1.0);
  wide.welem(3) = MD(2.0);
  const MC sorted = sortrows(wide);
  ASSERT_EQ(sorted.rows(), 2u);
  ASSERT_EQ(sorted.cols(), 2u);
  EXPECT_EQ(sorted.elem(2).elem(0), 2.0);   // the row of "a" comes first
  wide.welem(1) = MD(3.0);
  EXPECT_ENDS(sortrows(wide), fails, "error: cell2mat: wrong type elements or mixed cells, structs, and matrices");
  EXPECT_ENDS(sortrows(col, MD(2.0)), fails, "error: sortrows: all elements of C must be in the range");
  EXPECT_ENDS(sort(cellof({str("a")}), str("up")), fails, "error: sort: MODE must be either");
  EXPECT_ENDS(unique(cellof({str("a")}), str("bogus")), fails, "error: unique: invalid option");
  // Empties: {} stays 0x0, another empty cell gives 0x1, as unique of numbers does.
  MC u = unique(MC());
  EXPECT_EQ(u.rows(), 0u);
  EXPECT_EQ(u.cols(), 0u);
  u = unique(MC::alloc(1, 0));
  EXPECT_EQ(u.rows(), 0u);
  EXPECT_EQ(u.cols(), 1u);
  MD i, j;
  unique(MC(), i_o, u, i, j);
  EXPECT_TRUE(i.isempty() && j.isempty());
  // A one-row cell is one row for sortrows: nothing moves.
  const MC one = cellof({str("b"), str("a")});
  MD k;
  MC r;
  sortrows(one, i_o, r, k);
  ASSERT_EQ(r.cols(), 2u);
  EXPECT_EQ(txt(r.elem(0)), "b");
  EXPECT_EQ(k.numel(), 1u);
  // 'last' names the last occurrence; 'rows' is ignored with a warning.
  unique(cellof({str("b"), str("a"), str("b")}), str("last"), i_o, u, i, j);
  ASSERT_EQ(i.numel(), 2u);
  EXPECT_EQ(i.cre()[1], 3.0);
  EXPECT_EQ(j.rows(), 3u);
  testing::internal::CaptureStderr();
  u = unique(cellof({str("b"), str("a")}), str("rows"));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("\"rows\" is ignored for cell arrays"), std::string::npos);
  EXPECT_EQ(u.numel(), 2u);
  // The transpose of a cell moves its elements and leaves them as they are.
  MC m = MC::alloc(2, 3);
  for (std::size_t q = 0; q < 6; ++q) m.welem(q) = MD(double(q));
  MC t = ctranspose(m);
  ASSERT_EQ(t.rows(), 3u);
  ASSERT_EQ(t.cols(), 2u);
  EXPECT_EQ(t.elem(1).cre()[0], 2.0);   // m{1,2}
  EXPECT_EQ(t.elem(3).cre()[0], 1.0);   // m{2,1}
  EXPECT_EQ(transpose(col).cols(), 2u);
}

// contains: expectations worked out by hand (the oracle interpreter lacks the function).
TEST(Strcell, ContainsLooksAnywhereInTextOrCells) {
  const auto tf = [](const MD& m, std::size_t k) { return m.cre()[k] != 0; };
  MD one = contains(str("hello world"), str("o w"));
  EXPECT_TRUE(one.islogical());
  EXPECT_EQ(one.numel(), 1u);
  EXPECT_TRUE(tf(one, 0));
  EXPECT_FALSE(tf(contains(str("hello"), str("hellos")), 0));   // longer than the text
  EXPECT_FALSE(tf(contains(str("Hello"), str("hello")), 0));
  EXPECT_TRUE(tf(contains(str("Hello"), str("hELLo"), str("IgnoreCase"), MD(true)), 0));
  EXPECT_TRUE(tf(contains(str("abc"), str("")), 0));            // the empty pattern is everywhere
  EXPECT_TRUE(tf(contains(str(""), str("")), 0));
  EXPECT_FALSE(tf(contains(str(""), str("a")), 0));
  // A cell of strings gives one answer per element, in the cell's shape; a cell of
  // patterns matches when any of them does.
  MC names = MC::alloc(2, 2);
  names.welem(0) = str("data_2020.csv");
  names.welem(1) = str("notes.txt");
  names.welem(2) = str("DATA.CSV");
  names.welem(3) = str("");
  MD c = contains(names, str(".csv"));
  EXPECT_EQ(c.rows(), 2u);
  EXPECT_EQ(c.cols(), 2u);
  EXPECT_TRUE(tf(c, 0));
  EXPECT_FALSE(tf(c, 1));
  EXPECT_FALSE(tf(c, 2));
  EXPECT_FALSE(tf(c, 3));
  MD ci = contains(names, cellof({str("TXT"), str(".csv")}), str("ignorecase"), MD(1.0));
  EXPECT_TRUE(tf(ci, 0) && tf(ci, 1) && tf(ci, 2));
  EXPECT_FALSE(tf(ci, 3));
  MD none = contains(names, MC::alloc(0, 0));    // no pattern at all matches nothing
  EXPECT_FALSE(tf(none, 0) || tf(none, 1) || tf(none, 2) || tf(none, 3));
  // Overlapping and repeated prefixes: "aab" holds "ab" from the second character.
  EXPECT_TRUE(tf(contains(str("aaab"), str("aab")), 0));
  EXPECT_EQ(contains(MC::alloc(0, 3), str("a")).cols(), 3u);
  EXPECT_ENDS(contains(MD(5.0), str("a")), fails, "error: contains: STR must be a string or cell array of strings");
  EXPECT_ENDS(contains(str("a"), MD(5.0)), fails,
              "error: contains: PATTERN must be a string or cell array of strings");
  EXPECT_ENDS(contains(str("a"), str("a"), str("Case"), MD(1.0)), fails,
              "error: contains: third input must be \"IgnoreCase\"");
}

TEST(Strcell, Mat2cellCutsBlocks) {
  MD a = MD::zeros(3, 4);
  for (std::size_t k = 0; k < 12; ++k) a.pr()[k] = double(k + 1);   // reshape(1:12, 3, 4)
  MC c = mat2cell(a, (BR(1.0), 2.0).value(), (BR(3.0), 1.0).value());
  ASSERT_EQ(c.rows(), 2u);
  ASSERT_EQ(c.cols(), 2u);
  EXPECT_EQ(c.elem(1).rows(), 2u);   // rows 2:3, columns 1:3
  EXPECT_EQ(c.elem(1).cols(), 3u);
  EXPECT_EQ(c.elem(1).cre()[0], 2.0);
  EXPECT_EQ(c.elem(1).cre()[5], 9.0);
  EXPECT_EQ(c.elem(3).cre()[1], 12.0);   // rows 2:3 of column 4
  MC whole = mat2cell(a, (BR(0.0), 3.0).value());
  EXPECT_EQ(whole.elem(0).rows(), 0u);
  EXPECT_EQ(whole.elem(0).cols(), 4u);
  EXPECT_EQ(whole.elem(1).cols(), 4u);
  MC t = mat2cell(str("abcdef"), MD(1.0), (BR(2.0), 4.0).value());
  EXPECT_EQ(txt(t.elem(1)), "cdef");
  MC nested = mat2cell(cellof({MD(1.0), MD(2.0), MD(3.0)}), MD(1.0), (BR(1.0), 2.0).value());
  EXPECT_TRUE(nested.elem(1).holds_cell());
  EXPECT_EQ(nested.elem(1).held_cell().numel(), 2u);
  EXPECT_ENDS(mat2cell(a, (BR(1.0), 1.0).value()), fails, "error: mat2cell: mismatch on dimension 1 \\(3 != 2\\)");
  EXPECT_ENDS(mat2cell(a, MD(3.0), (BR(1.0), 1.0).value()), fails,
              "error: mat2cell: mismatch on dimension 2 \\(4 != 2\\)");
  EXPECT_ENDS(mat2cell(a, (BR(-1.0), 4.0).value()), fails,
              "error: mat2cell: dimension vectors must hold non-negative integers");
  EXPECT_ENDS(mat2cell(a, (BR(1.5), 1.5).value()), fails,
              "error: mat2cell: dimension vectors must hold non-negative integers");
}
