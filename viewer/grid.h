// The grid the viewer fills: a table of texts whose first row and first column are
// headers, with the few properties the viewer uses. The window puts a QTableWidget
// behind it; scripts and tests use the plain table of texts.
#pragma once
#include <string>
#include <vector>

namespace lumigrid {

enum class alignment { left_top = 0, right_top = 6 };

class flex_grid {
 public:
  virtual ~flex_grid() = default;
  virtual int Rows() const = 0;
  virtual int Cols() const = 0;
  virtual int ColWidth(int col) const = 0;
  virtual void SetColWidth(int col, int width) = 0;
  virtual void SetColAlignment(int col, alignment a) = 0;
  virtual void SetTextMatrix(int row, int col, const std::string& text) = 0;
  virtual std::string TextMatrix(int row, int col) const = 0;
};

// The grid's stored initial state: 10 rows and 7 columns, the first of each fixed, so
// one page shows 9 matrix rows and 6 matrix columns; widths in pixels.
inline constexpr int kGridRows = 10;
inline constexpr int kGridCols = 7;
inline constexpr int kHeaderColWidth = 48;
inline constexpr int kDataColWidth = 80;

class text_grid : public flex_grid {
 public:
  text_grid(int rows = kGridRows, int cols = kGridCols);
  int Rows() const override { return rows_; }
  int Cols() const override { return cols_; }
  int ColWidth(int col) const override;
  void SetColWidth(int col, int width) override;
  void SetColAlignment(int col, alignment a) override;
  void SetTextMatrix(int row, int col, const std::string& text) override;
  std::string TextMatrix(int row, int col) const override;
  alignment ColAlignment(int col) const;
  // Every row, cells separated by a tab, each row ended by a newline.
  std::string dump() const;

 private:
  bool in(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }
  int rows_, cols_;
  std::vector<std::string> cells_;
  std::vector<int> widths_;
  std::vector<alignment> align_;
};

}  // namespace lumigrid
