#include "viewer/grid.h"

namespace lumigrid {

text_grid::text_grid(int rows, int cols)
    : rows_(rows > 0 ? rows : 1), cols_(cols > 0 ? cols : 1),
      cells_(std::size_t(rows_) * std::size_t(cols_)),
      widths_(std::size_t(cols_), kDataColWidth),
      align_(std::size_t(cols_), alignment::left_top) {
  widths_[0] = kHeaderColWidth;
}

int text_grid::ColWidth(int col) const {
  return col >= 0 && col < cols_ ? widths_[std::size_t(col)] : 0;
}

void text_grid::SetColWidth(int col, int width) {
  if (col >= 0 && col < cols_) widths_[std::size_t(col)] = width;
}

void text_grid::SetColAlignment(int col, alignment a) {
  if (col >= 0 && col < cols_) align_[std::size_t(col)] = a;
}

alignment text_grid::ColAlignment(int col) const {
  return col >= 0 && col < cols_ ? align_[std::size_t(col)] : alignment::left_top;
}

void text_grid::SetTextMatrix(int row, int col, const std::string& text) {
  if (in(row, col)) cells_[std::size_t(row) * std::size_t(cols_) + std::size_t(col)] = text;
}

std::string text_grid::TextMatrix(int row, int col) const {
  return in(row, col) ? cells_[std::size_t(row) * std::size_t(cols_) + std::size_t(col)] : std::string();
}

std::string text_grid::dump() const {
  std::string out;
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < cols_; ++c) {
      if (c > 0) out += '\t';
      out += TextMatrix(r, c);
    }
    out += '\n';
  }
  return out;
}

}  // namespace lumigrid
