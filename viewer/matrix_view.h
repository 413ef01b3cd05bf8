// What the viewer's window does, apart from the widgets: the window state (first row
// and column shown, digits, visible columns), the commands Reload, Set and paging, and
// Display, which fills the grid from the reader's matrix. The window and the -show
// mode both drive it; it works on any flex_grid.
#pragma once
#include <string>

#include "viewer/grid.h"
#include "viewer/matrix_reader.h"

namespace lumigrid {

// The texts of the window's edit fields.
struct view_fields {
  std::string name;            // 1009 Matrix Name
  std::string status;          // 1003 Status (read-only)
  std::string columns = "6";   // 1029 Number of columns
  std::string digits = "3";    // 1027 Digits after decimal point
};

inline constexpr int kMaxDigits = 15;
inline constexpr int kMaxVisibleColumns = 6;

// A field's text as a decimal number: leading blanks, a sign and digits; anything
// else reads as 0; values beyond the int range stop at its ends.
int read_decimal(const std::string& text);

// The status text of a matrix: "name: Dims=d  rxc" and " LOGICAL", " STRING".
std::string matrix_status(const matrix_copy& m);

class matrix_view {
 public:
  matrix_view(MatrixReader& reader, flex_grid& grid) : reader_(reader), grid_(grid) {}

  view_fields& fields() { return fields_; }
  const view_fields& fields() const { return fields_; }

  // Reads the matrix named in the name field and shows it; the first row and column
  // shown stay as they were.
  void Reload();
  // Applies the digits and columns fields, clamped to 0..15 and 1..6, and shows again.
  void Set();
  void Left();
  void Right();
  void Up();
  void Down();
  void Display();

  int first_row() const { return first_row_; }
  int first_col() const { return first_col_; }
  int digits() const { return digits_; }
  int visible_columns() const { return visible_cols_; }
  int total_width() const { return total_width_; }

 private:
  // The row and column counts paging stops at (at least 1, so that the first row
  // and column shown stay counted from 1 while no matrix is held).
  int row_limit() const;
  int col_limit() const;

  MatrixReader& reader_;
  flex_grid& grid_;
  view_fields fields_;
  int first_row_ = 1;
  int first_col_ = 1;
  int digits_ = 3;
  int visible_cols_ = 6;
  int total_width_ = 0;
};

}  // namespace lumigrid
