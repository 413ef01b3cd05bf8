// The viewer's main window, "Visual KORVAL Matrix Viewer": the matrix name, Reload,
// the status, the number of columns and digits with Set, the grid and the four paging
// buttons; the About box on the window menu. While an automation object holds the
// window, closing it only hides it.
#pragma once
#include <QDialog>
#include <QIcon>
#include <map>
#include <memory>

#include "viewer/matrix_view.h"
#include "viewer/table_grid.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lumigrid {

class automation_object;

// Control ids of the window.
enum control_id {
  IDC_GRID = 1000,
  IDC_STATUS = 1003,
  IDC_NAME = 1009,
  IDC_RELOAD = 1012,
  IDC_DIGITS = 1027,
  IDC_COLUMNS = 1029,
  IDC_SET = 1030,
  IDC_LEFT = 1032,
  IDC_RIGHT = 1034,
  IDC_UP = 1035,
  IDC_DOWN = 1036,
};
inline constexpr int IDM_ABOUTBOX = 16;

class CLumigridDlg : public QDialog {
 public:
  explicit CLumigridDlg(MatrixReader& reader, QWidget* parent = nullptr);
  ~CLumigridDlg() override;

  // The widget of a control id; nullptr for an unknown id.
  QWidget* control(int id) const;
  QTableWidget* grid_widget() const { return grid_widget_; }
  matrix_view& view() { return *view_; }
  const table_grid& grid() const { return *grid_; }

  // The back reference to the automation object while one exists.
  void set_auto_proxy(automation_object* proxy) { auto_proxy_ = proxy; }
  automation_object* auto_proxy() const { return auto_proxy_; }

  void OnReload();
  void OnSet();
  void OnLeft();
  void OnRight();
  void OnUp();
  void OnDown();
  // Opens the About box (modal).
  void OnAbout();
  // The About box, made but not shown (tests look at it).
  QDialog* make_about_box();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;   // Escape

 private:
  // A command: the fields into the view, the command, the view back into the fields.
  template <class F> void run(F command);
  void fields_to_view();
  void view_to_fields();
  bool can_exit();
  void place(QWidget* w, int x, int y, int width, int height);

  std::unique_ptr<table_grid> grid_;
  std::unique_ptr<matrix_view> view_;
  std::map<int, QWidget*> controls_;
  QTableWidget* grid_widget_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* status_ = nullptr;
  QLineEdit* columns_ = nullptr;
  QLineEdit* digits_ = nullptr;
  automation_object* auto_proxy_ = nullptr;
  double unit_x_ = 1.5, unit_y_ = 1.625;   // pixels per dialog unit
};

// The program's icon: a small drawn grid.
QIcon program_icon();

}  // namespace lumigrid
