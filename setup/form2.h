// The directory window: asks the user for a directory (the compiler's, when the
// translator could not find or was not allowed to search for the compiler). A
// directory list with a drive (volume) box below it; the chosen directory is shown
// in a read-only field.
#pragma once
#include <QDialog>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  TForm2(const QString& question, const QString& start, QWidget* parent = nullptr);

  // The directory selected in the list, with a trailing "/".
  QString directory() const;
  // Selects a directory in the list, as a click on it does.
  void selectDirectory(const QString& dir);

 public slots:
  void DirectoryListBox1Change();
  void DriveComboBox1Change(int index);
  void Button1Click();
  void Button2Click();

 private:
  QLabel* Label1 = nullptr;
  QTreeView* DirectoryListBox1 = nullptr;
  QFileSystemModel* model_ = nullptr;
  QComboBox* DriveComboBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
};
