#include "viewer/table_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QTableWidget>

namespace lumigrid {
namespace {

Qt::Alignment qt_alignment(alignment a) {
  return a == alignment::right_top ? (Qt::AlignRight | Qt::AlignTop) : (Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace

table_grid::table_grid(QTableWidget* table, int data_width)
    : table_(table), align_(std::size_t(kGridCols), alignment::left_top) {
  table_->setRowCount(kGridRows);
  table_->setColumnCount(kGridCols);
  table_->horizontalHeader()->hide();
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(false);
  const int row_height = table_->fontMetrics().height() + 2;
  table_->verticalHeader()->setMinimumSectionSize(row_height);
  table_->verticalHeader()->setDefaultSectionSize(row_height);
  const QPalette palette = table_->palette();
  for (int r = 0; r < kGridRows; ++r) {
    for (int c = 0; c < kGridCols; ++c) {
      auto* item = new QTableWidgetItem();
      if (r == 0 || c == 0) {
        // A fixed cell: the look of a header, no selection.
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(palette.button());
        item->setForeground(palette.buttonText());
        item->setTextAlignment(Qt::AlignCenter);
      } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setTextAlignment(qt_alignment(alignment::left_top));
      }
      table_->setItem(r, c, item);
    }
  }
  table_->setColumnWidth(0, kHeaderColWidth);
  for (int c = 1; c < kGridCols; ++c) table_->setColumnWidth(c, data_width);
}

int table_grid::Rows() const { return table_->rowCount(); }
int table_grid::Cols() const { return table_->columnCount(); }

QTableWidgetItem* table_grid::cell(int row, int col) const {
  if (row < 0 || row >= Rows() || col < 0 || col >= Cols()) return nullptr;
  return table_->item(row, col);
}

int table_grid::ColWidth(int col) const {
  return col >= 0 && col < Cols() ? table_->columnWidth(col) : 0;
}

void table_grid::SetColWidth(int col, int width) {
  if (col >= 0 && col < Cols()) table_->setColumnWidth(col, width);
}

void table_grid::SetColAlignment(int col, alignment a) {
  if (col < 0 || col >= Cols()) return;
  align_[std::size_t(col)] = a;
  // The header row keeps its centred numbers.
  for (int r = 1; r < Rows(); ++r)
    if (QTableWidgetItem* item = cell(r, col)) item->setTextAlignment(qt_alignment(a));
}

void table_grid::SetTextMatrix(int row, int col, const std::string& text) {
  if (QTableWidgetItem* item = cell(row, col)) item->setText(QString::fromStdString(text));
}

std::string table_grid::TextMatrix(int row, int col) const {
  const QTableWidgetItem* item = cell(row, col);
  return item ? item->text().toStdString() : std::string();
}

}  // namespace lumigrid
