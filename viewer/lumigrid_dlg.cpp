#include "viewer/lumigrid_dlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "viewer/automation.h"

namespace lumigrid {

QIcon program_icon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.fillRect(0, 0, 32, 8, QColor(0, 64, 128));
  p.fillRect(0, 0, 8, 32, QColor(0, 64, 128));
  p.setPen(QColor(0, 64, 128));
  for (int k = 0; k < 32; k += 8) {
    p.drawLine(k, 0, k, 31);
    p.drawLine(0, k, 31, k);
  }
  p.drawRect(0, 0, 31, 31);
  return QIcon(pixmap);
}

CLumigridDlg::CLumigridDlg(MatrixReader& reader, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Visual KORVAL Matrix Viewer");
  setWindowIcon(program_icon());
  // Dialog units of this font, as a dialog measures them.
  unit_x_ = fontMetrics().averageCharWidth() / 4.0;
  unit_y_ = fontMetrics().height() / 8.0;
  setFixedSize(int(352 * unit_x_ + 0.5), int(153 * unit_y_ + 0.5));

  auto label = [this](const char* text, int x, int y, int w) {
    auto* l = new QLabel(text, this);
    place(l, x, y, w, 9);
    return l;
  };
  auto edit = [this](int id, int x, int y, int w) {
    auto* e = new QLineEdit(this);
    place(e, x, y, w, 13);
    controls_[id] = e;
    return e;
  };
  auto button = [this](int id, const char* text, int x, int y, int w) {
    auto* b = new QPushButton(text, this);
    b->setAutoDefault(false);
    place(b, x, y, w, 14);
    controls_[id] = b;
    return b;
  };

  label("Matrix Name", 7, 4, 76);
  name_ = edit(IDC_NAME, 7, 14, 76);
  QPushButton* reload = button(IDC_RELOAD, "Reload", 87, 13, 40);
  reload->setDefault(true);   // the Enter key
  label("Number of columns", 134, 4, 86);
  columns_ = edit(IDC_COLUMNS, 134, 14, 36);
  label("Digits after decimal point", 222, 4, 124);
  digits_ = edit(IDC_DIGITS, 222, 14, 36);
  QPushButton* set = button(IDC_SET, "Set", 262, 13, 40);
  label("Status", 7, 33, 30);
  status_ = edit(IDC_STATUS, 38, 31, 307);
  status_->setReadOnly(true);

  grid_widget_ = new QTableWidget(this);
  place(grid_widget_, 7, 49, 300, 98);
  controls_[IDC_GRID] = grid_widget_;
  // Six data columns fill the grid's width beside the header column.
  const int inner = grid_widget_->width() - 2 * grid_widget_->frameWidth() - kHeaderColWidth -
                    grid_widget_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  grid_ = std::make_unique<table_grid>(grid_widget_, std::max(inner / 6, 24));
  view_ = std::make_unique<matrix_view>(reader, *grid_);

  QPushButton* left = button(IDC_LEFT, "<", 312, 49, 16);
  QPushButton* right = button(IDC_RIGHT, ">", 330, 49, 16);
  QPushButton* up = button(IDC_UP, "Up", 312, 67, 34);
  QPushButton* down = button(IDC_DOWN, "Dn", 312, 85, 34);

  connect(reload, &QPushButton::clicked, this, [this] { OnReload(); });
  connect(set, &QPushButton::clicked, this, [this] { OnSet(); });
  connect(left, &QPushButton::clicked, this, [this] { OnLeft(); });
  connect(right, &QPushButton::clicked, this, [this] { OnRight(); });
  connect(up, &QPushButton::clicked, this, [this] { OnUp(); });
  connect(down, &QPushButton::clicked, this, [this] { OnDown(); });

  // The window menu: a separator and the About entry.
  setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  addAction(separator);
  auto* about = new QAction("&About Lumigrid...", this);
  about->setData(IDM_ABOUTBOX);
  connect(about, &QAction::triggered, this, [this] { OnAbout(); });
  addAction(about);

  view_to_fields();
  name_->setFocus();
}

CLumigridDlg::~CLumigridDlg() {
  if (auto_proxy_) auto_proxy_->window_closed();
}

void CLumigridDlg::place(QWidget* w, int x, int y, int width, int height) {
  w->setGeometry(int(x * unit_x_), int(y * unit_y_), int(width * unit_x_), int(height * unit_y_));
}

QWidget* CLumigridDlg::control(int id) const {
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void CLumigridDlg::fields_to_view() {
  view_fields& f = view_->fields();
  f.name = name_->text().toStdString();
  f.columns = columns_->text().toStdString();
  f.digits = digits_->text().toStdString();
}

void CLumigridDlg::view_to_fields() {
  const view_fields& f = view_->fields();
  name_->setText(QString::fromStdString(f.name));
  status_->setText(QString::fromStdString(f.status));
  columns_->setText(QString::fromStdString(f.columns));
  digits_->setText(QString::fromStdString(f.digits));
}

template <class F> void CLumigridDlg::run(F command) {
  fields_to_view();
  command();
  view_to_fields();
}

void CLumigridDlg::OnReload() {
  run([this] { view_->Reload(); });
}
void CLumigridDlg::OnSet() {
  run([this] { view_->Set(); });
}
void CLumigridDlg::OnLeft() {
  run([this] { view_->Left(); });
}
void CLumigridDlg::OnRight() {
  run([this] { view_->Right(); });
}
void CLumigridDlg::OnUp() {
  run([this] { view_->Up(); });
}
void CLumigridDlg::OnDown() {
  run([this] { view_->Down(); });
}

QDialog* CLumigridDlg::make_about_box() {
  auto* box = new QDialog(this);
  box->setWindowTitle("About Lumigrid");
  box->setAttribute(Qt::WA_DeleteOnClose);
  auto* icon = new QLabel(box);
  icon->setPixmap(program_icon().pixmap(32, 32));
  auto* text = new QVBoxLayout;
  text->addWidget(new QLabel("Lumigrid Version 1.0", box));
  text->addWidget(new QLabel("Shows the matrices of a KORVAL program stopped in gdb", box));
  auto* ok = new QPushButton("OK", box);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, box, &QDialog::accept);
  auto* row = new QHBoxLayout(box);
  row->addWidget(icon, 0, Qt::AlignTop);
  row->addLayout(text);
  row->addWidget(ok, 0, Qt::AlignTop);
  return box;
}

void CLumigridDlg::OnAbout() { make_about_box()->exec(); }

bool CLumigridDlg::can_exit() {
  // An automation object still holds the window: hide it instead.
  if (auto_proxy_) {
    hide();
    return false;
  }
  return true;
}

void CLumigridDlg::closeEvent(QCloseEvent* event) {
  if (can_exit())
    QDialog::closeEvent(event);
  else
    event->ignore();
}

void CLumigridDlg::reject() {
  if (can_exit()) QDialog::reject();
}

}  // namespace lumigrid
