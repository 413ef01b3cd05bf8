// The window's grid: a QTableWidget behind the flex_grid properties. Its first row and
// first column stand for the fixed header cells: drawn like buttons, not selectable.
#pragma once
#include <vector>

#include "viewer/grid.h"

class QTableWidget;
class QTableWidgetItem;

namespace lumigrid {

class table_grid : public flex_grid {
 public:
  // Sets the table up as the grid's initial state: kGridRows x kGridCols cells, the
  // data columns `data_width` pixels wide.
  table_grid(QTableWidget* table, int data_width);
  int Rows() const override;
  int Cols() const override;
  int ColWidth(int col) const override;
  void SetColWidth(int col, int width) override;
  void SetColAlignment(int col, alignment a) override;
  void SetTextMatrix(int row, int col, const std::string& text) override;
  std::string TextMatrix(int row, int col) const override;
  QTableWidget* table() const { return table_; }

 private:
  QTableWidgetItem* cell(int row, int col) const;
  QTableWidget* table_;
  std::vector<alignment> align_;
};

}  // namespace lumigrid
