#include "viewer/matrix_view.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

namespace lumigrid {

int read_decimal(const std::string& text) {
  std::size_t k = 0;
  while (k < text.size() && std::isspace(static_cast<unsigned char>(text[k]))) ++k;
  bool negative = false;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
  long long v = 0;
  for (; k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])); ++k)
    v = std::min<long long>(v * 10 + (text[k] - '0'), 1LL << 40);
  if (negative) v = -v;
  return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

std::string matrix_status(const matrix_copy& m) {
  char size[64];
  std::snprintf(size, sizeof size, ": Dims=%u  %ux%u", m.dims, m.rows, m.cols);
  std::string text = m.name + size;
  if (m.flags & kLogical) text += " LOGICAL";
  if (m.flags & kString) text += " STRING";
  return text;
}

int matrix_view::row_limit() const {
  return int(std::clamp<long long>(reader_.matrix().rows, 1, INT_MAX));
}

int matrix_view::col_limit() const {
  return int(std::clamp<long long>(reader_.matrix().cols, 1, INT_MAX));
}

void matrix_view::Reload() {
  reader_.LoadMatrix(fields_.name);
  Display();
}

void matrix_view::Set() {
  digits_ = std::clamp(read_decimal(fields_.digits), 0, kMaxDigits);
  fields_.digits = std::to_string(digits_);
  visible_cols_ = std::clamp(read_decimal(fields_.columns), 1, kMaxVisibleColumns);
  fields_.columns = std::to_string(visible_cols_);
  Display();
}

void matrix_view::Left() {
  first_col_ = std::max(first_col_ - 1, 1);
  Display();
}

void matrix_view::Right() {
  first_col_ = first_col_ < col_limit() ? first_col_ + 1 : col_limit();
  Display();
}

void matrix_view::Up() {
  first_row_ = std::max(first_row_ - 1, 1);
  Display();
}

void matrix_view::Down() {
  first_row_ = first_row_ < row_limit() ? first_row_ + 1 : row_limit();
  Display();
}

void matrix_view::Display() {
  if (total_width_ == 0) total_width_ = 6 * grid_.ColWidth(1);
  if (reader_.error()) {
    fields_.status = reader_.error_text();
    return;
  }
  const matrix_copy& m = reader_.matrix();
  fields_.status = matrix_status(m);
  const bool is_string = (m.flags & kString) != 0;
  if (is_string) grid_.SetColWidth(1, total_width_);

  for (int i = 0; i < grid_.Cols(); ++i) {
    if (is_string) {
      if (i > 0) grid_.SetColAlignment(i, alignment::left_top);
    } else {
      if (i > 0) grid_.SetColWidth(i, total_width_ / visible_cols_);
      grid_.SetColAlignment(i, alignment::right_top);
    }
    for (int j = 0; j < grid_.Rows(); ++j) {
      if (i > 0 && j > 0)
        grid_.SetTextMatrix(j, i, reader_.FormatElement(long(first_row_) + j - 2, long(first_col_) + i - 2,
                                                        digits_));
      else if (i == 0 && j > 0)
        grid_.SetTextMatrix(j, i, std::to_string(long(first_row_) + j - 1));
      else if (j == 0 && i > 0)
        grid_.SetTextMatrix(j, i, std::to_string(long(first_col_) + i - 1));
    }
  }
  fields_.digits = std::to_string(digits_);
  fields_.columns = std::to_string(visible_cols_);
}

}  // namespace lumigrid
