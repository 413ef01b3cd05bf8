#include "setup/form2.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

TForm2::TForm2(const QString& question, const QString& start, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Directory Selection");
  setFixedSize(420, 400);

  Label1 = new QLabel(question, this);
  Label1->setObjectName("Label1");
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label1->setWordWrap(true);
  Label1->setGeometry(12, 8, 396, 44);

  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  model_->setRootPath("/");
  DirectoryListBox1 = new QTreeView(this);
  DirectoryListBox1->setObjectName("DirectoryListBox1");
  DirectoryListBox1->setModel(model_);
  for (int c = 1; c < model_->columnCount(); ++c) DirectoryListBox1->hideColumn(c);
  DirectoryListBox1->header()->hide();
  DirectoryListBox1->setGeometry(12, 56, 396, 220);

  // The volumes stand in for the drives: each one's mount point is a starting place.
  DriveComboBox1 = new QComboBox(this);
  DriveComboBox1->setObjectName("DriveComboBox1");
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
    if (v.isValid() && v.isReady()) DriveComboBox1->addItem(v.rootPath());
  if (DriveComboBox1->findText("/") < 0) DriveComboBox1->insertItem(0, "/");
  DriveComboBox1->setGeometry(12, 282, 396, 26);

  Label2 = new QLabel("Compiler Directory", this);
  Label2->setGeometry(12, 314, 140, 24);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setReadOnly(true);
  Edit1->setGeometry(150, 314, 258, 24);

  OKButton = new QPushButton("&OK", this);
  OKButton->setObjectName("Button1");
  OKButton->setDefault(true);
  OKButton->setGeometry(216, 356, 90, 30);
  CancelButton = new QPushButton("&Cancel", this);
  CancelButton->setObjectName("Button2");
  CancelButton->setGeometry(318, 356, 90, 30);

  connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TForm2::DirectoryListBox1Change);
  connect(DriveComboBox1, qOverload<int>(&QComboBox::activated), this, &TForm2::DriveComboBox1Change);
  connect(OKButton, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(CancelButton, &QPushButton::clicked, this, &TForm2::Button2Click);

  selectDirectory(start.isEmpty() ? QDir::currentPath() : start);
}

QString TForm2::directory() const {
  QString dir = model_->filePath(DirectoryListBox1->currentIndex());
  if (dir.isEmpty()) return dir;
  if (!dir.endsWith('/')) dir += '/';
  return dir;
}

void TForm2::selectDirectory(const QString& dir) {
  const QModelIndex index = model_->index(QDir(dir).absolutePath());
  if (!index.isValid()) return;
  DirectoryListBox1->setCurrentIndex(index);
  DirectoryListBox1->scrollTo(index);
  DirectoryListBox1Change();
}

void TForm2::DirectoryListBox1Change() { Edit1->setText(directory()); }

void TForm2::DriveComboBox1Change(int index) { selectDirectory(DriveComboBox1->itemText(index)); }

void TForm2::Button1Click() { accept(); }

void TForm2::Button2Click() { reject(); }
