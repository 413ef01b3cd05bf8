#include "setup/form1.h"

#include <unistd.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTimer>
#include <cstdlib>
#include <vector>

#include "driver/diag.h"
#include "driver/driver.h"
#include "driver/helpers.h"
#include "setup/bridge.h"
#include "setup/choices.h"
#include "symbols/datatype.h"

namespace {

TForm1* g_owner = nullptr;

const char kSetupTitle[] = "KORVAL and Gridkit Setup";
const char kCompileTitle[] = "KORVAL V3";

std::string current_dir() {
  char buf[4096];
  return getcwd(buf, sizeof buf) ? std::string(buf) : std::string();
}

QListWidget* list_in(QGroupBox* box, const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setGeometry(8, 22, box->width() - 16, box->height() - 30);
  return list;
}

QGroupBox* group(const char* name, const char* title, QRect where, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName(name);
  box->setGeometry(where);
  return box;
}

}  // namespace

// The log arrives as bytes in pieces; a character may be cut between two reads.
struct TForm1::decoder {
  QStringDecoder utf8{QStringDecoder::Utf8};
};

TForm1* TForm1::owner() { return g_owner; }

TForm1::TForm1(const std::string& program, const QStringList& args, QWidget* parent)
    : QWidget(parent), program_(program), decoder_(new decoder) {
  end_handler_ = [](int status) { std::exit(status); };
  start_dir_ = current_dir();
  createControls();

  // 1. The mode.
  compile_mode_ = args.contains("-korval");
  enterMode(compile_mode_);
  // 2. The root directory is the program's own; the translator's files are found there.
  util::namesplit(program_, &root_, nullptr);
  if (!root_.empty() && chdir(root_.c_str()) != 0)
    diag::error("Could not chdir \"%s\".", root_.c_str());
  // 3. The data types.
  fillDatatypes();
  // 4. The banner.
  const diag::banner_lines b = diag::banner("KORVAL", 58);
  Memo2->setPlainText(QString::fromStdString(b.line[0] + "\n" + b.line[1] + "\n" + b.line[2]));
  // 5. The translator's message boxes, progress lines and questions come here.
  g_owner = this;
  setup::connect_translator();
  // 6. The target lists.
  fillTargets();
  ListBox4->setCurrentRow(0);
}

TForm1::~TForm1() {
  if (g_owner == this) {
    setup::disconnect_translator();
    g_owner = nullptr;
  }
  delete decoder_;
}

void TForm1::createControls() {
  setFixedSize(650, 457);
  QFont bold = font();
  bold.setBold(true);

  Button4 = new QPushButton(this);
  Button4->setObjectName("Button4");
  Button4->setFont(bold);
  Button4->setGeometry(440, 226, 202, 30);

  GroupBox1 = group("GroupBox1", "Compiler", QRect(8, 72, 210, 146), this);
  ListBox1 = list_in(GroupBox1, "ListBox1", GroupBox1);
  for (const auto& c : setup::compiler_entries()) ListBox1->addItem(c.caption);
  ListBox1->setToolTip("This C++ Compiler will be used by KORVAL");

  GroupBox2 = group("GroupBox2", "Operating System", QRect(224, 72, 210, 146), this);
  ListBox2 = list_in(GroupBox2, "ListBox2", GroupBox2);
  ListBox2->setToolTip("KORVAL will create applications for this OS");

  GroupBox3 = group("GroupBox3", "Data Type", QRect(440, 72, 202, 146), this);
  ListBox3 = list_in(GroupBox3, "ListBox3", GroupBox3);
  ListBox3->setToolTip("First time? select \"double\"");

  Memo2 = new QPlainTextEdit(this);
  Memo2->setObjectName("Memo2");
  Memo2->setReadOnly(true);
  QFont courier("Courier New");
  courier.setStyleHint(QFont::TypeWriter);
  courier.setPointSize(9);
  Memo2->setFont(courier);
  Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo2->setGeometry(8, 8, 480, 58);

  Button1 = new QPushButton("Technical Support", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(496, 22, 146, 30);

  Memo3 = new QPlainTextEdit(this);
  Memo3->setObjectName("Memo3");
  Memo3->setReadOnly(true);
  Memo3->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Memo3->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo3->setGeometry(8, 262, 634, 187);

  GroupBox4 = group("GroupBox4", "Target", QRect(8, 72, 210, 146), this);
  ListBox4 = list_in(GroupBox4, "ListBox4", GroupBox4);
  for (const auto& k : setup::kind_entries()) ListBox4->addItem(k.caption);

  GroupBox5 = group("GroupBox5", "Main file", QRect(224, 72, 210, 146), this);
  Edit1 = new QLineEdit(GroupBox5);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(8, 22, 194, 24);
  Memo4 = new QPlainTextEdit(GroupBox5);
  Memo4->setObjectName("Memo4");
  Memo4->setReadOnly(true);
  Memo4->setFrameStyle(QFrame::NoFrame);
  Memo4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo4->setPlainText("All called functions and \nscripts are automatically \ncompiled.");
  Memo4->setGeometry(8, 50, 194, 56);
  Button2 = new QPushButton("Select", GroupBox5);
  Button2->setObjectName("Button2");
  Button2->setGeometry(8, 108, 100, 28);

  system2end = new QLineEdit("1", this);
  system2end->setObjectName("system2end");
  system2end->hide();

  MT = new QCheckBox("Parallel (multithreaded) Applications", this);
  MT->setObjectName("MT");
  MT->setToolTip("A makefile allows you to examine and modify how KORVAL calls the compiler.");
  MT->setGeometry(8, 230, 420, 24);
  MAKE = new QCheckBox("Create makefile only", this);
  MAKE->setObjectName("MAKE");
  MAKE->setToolTip("First Time? Leave unchecked.");
  MAKE->setGeometry(8, 230, 420, 24);

  OpenDialog1 = new QFileDialog(this, "KORVAL:Select source file");
  OpenDialog1->setObjectName("OpenDialog1");
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setDefaultSuffix("m");
  OpenDialog1->setNameFilter("m files (*.m)");
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);

  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm1::ListBox1Click);
  ListBox1->installEventFilter(this);
  ListBox4->installEventFilter(this);
  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(MT, &QCheckBox::toggled, this, &TForm1::MTClick);
  connect(system2end, &QLineEdit::textChanged, this, &TForm1::system2endChange);
}

void TForm1::setEndHandler(std::function<void(int)> handler) { end_handler_ = std::move(handler); }

void TForm1::endProgram(int status) { end_handler_(status); }

void TForm1::enterMode(bool compile) {
  compile_mode_ = compile;
  for (QListWidget* list : {ListBox1, ListBox2, ListBox3, ListBox4})
    if (list->count() > 0) list->setCurrentRow(0);
  setWindowTitle(compile ? kCompileTitle : kSetupTitle);
  Button4->setText(compile ? "Compile" : "Finish installation");
  for (QWidget* w : std::vector<QWidget*>{GroupBox1, GroupBox2, MT}) w->setVisible(!compile);
  for (QWidget* w : std::vector<QWidget*>{GroupBox4, GroupBox5, MAKE}) w->setVisible(compile);
  // The compile form asks for its M-file at once, once the window is up.
  if (compile) QTimer::singleShot(0, this, &TForm1::Button2Click);
}

void TForm1::fillDatatypes() {
  datatype_t& dt = datatypes();
  dt.load(root_ + "korval.dt");
  int select = 0;
  for (int i = 0; i <= dt.last(); ++i) {
    const std::string name = dt.name(i);
    if (name == "*") continue;
    ListBox3->addItem(QString::fromStdString(name));
    const bool wanted = compile_mode_ ? i == dt.default_type() : name == "double";
    if (wanted) select = ListBox3->count() - 1;
  }
  if (ListBox3->count() > 0) ListBox3->setCurrentRow(select);
}

void TForm1::fillTargets() {
  const int row = ListBox1->currentRow();
  ListBox2->clear();
  if (row < 0) return;
  for (int t : setup::compiler_entries().at(static_cast<std::size_t>(row)).targets)
    ListBox2->addItem(setup::target_entries().at(static_cast<std::size_t>(t)).caption);
  ListBox2->setCurrentRow(0);
}

void TForm1::ListBox1Click() { fillTargets(); }

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const QString key = static_cast<QKeyEvent*>(event)->text();
    if (watched == ListBox1 && key == "m") {
      enterMode(true);
      return true;
    }
    if (watched == ListBox4 && key == "s") {
      enterMode(false);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::Button1Click() { diag::support_message(); }

void TForm1::Button2Click() {
  OpenDialog1->setDirectory(QString::fromStdString(start_dir_));
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) {
    endProgram(1);
    return;
  }
  Edit1->setText(OpenDialog1->selectedFiles().first());
}

void TForm1::MTClick(bool checked) {
  if (checked)
    diag::message(
        "Parallel execution requires:\n\n1) Re-structuring the program.\n\n2) A multi-processor "
        "machine.\n\nOtherwise, the program will run SLOWER.\n");
}

void TForm1::Button4Click() {
  Button4->hide();
  Memo3->clear();
  if (compile_mode_)
    compile();
  else
    buildLibrary();
}

namespace {
// The driver takes the arguments as a C argument vector.
int call_driver(const std::vector<std::string>& args, driver_run& run) {
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  return korval_run(static_cast<int>(args.size()), argv.data(), run);
}
}  // namespace

void TForm1::compile() {
  const std::string datatype = ListBox3->currentItem() ? ListBox3->currentItem()->text().toStdString() : "";
  const int kind = ListBox4->currentRow() < 0 ? 0 : ListBox4->currentRow();
  const setup::kind_entry& entry = setup::kind_entries().at(static_cast<std::size_t>(kind));
  if (entry.refused) diag::error(entry.refused);

  std::string dir, file;
  util::namesplit(Edit1->text().toStdString(), &dir, &file);
  if (!dir.empty() && chdir(dir.c_str()) != 0) diag::error("Could not chdir \"%s\".", dir.c_str());
  driver_run run;
  const int result =
      call_driver(setup::compile_arguments(program_, file, kind, MAKE->isChecked(), datatype), run);
  if (result != 0) {
    Button4->show();
    return;
  }
  appendLine("Compiling...");
  startRunner(run.build_text, current_dir());
}

void TForm1::buildLibrary() {
  const std::string datatype = ListBox3->currentItem() ? ListBox3->currentItem()->text().toStdString() : "";
  pending_library_.reset();
  driver_run run;
  call_driver(setup::build_arguments(program_, ListBox1->currentRow(), ListBox2->currentRow(),
                                     MT->isChecked(), datatype),
              run);
  if (!pending_library_) {
    Button4->show();
    return;
  }
  library_in_progress_ = pending_library_;
  pending_library_.reset();
  startRunner(library_in_progress_->command, library_in_progress_->directory);
}

void TForm1::startRunner(const std::string& commands, const std::string& directory) {
  decoder_->utf8.resetState();
  setup::runner_events events;
  // Every event is passed to the window's thread; a fatal error waits there until
  // the program ends.
  events.output = [this](const std::string& bytes) {
    const QByteArray copy(bytes.data(), static_cast<int>(bytes.size()));
    QMetaObject::invokeMethod(this, [this, copy] { appendOutput(copy); }, Qt::QueuedConnection);
  };
  events.to_front = [this] {
    QMetaObject::invokeMethod(this, [this] {
      raise();
      activateWindow();
    }, Qt::QueuedConnection);
  };
  events.fatal = [this](const char* fmt, const std::string& file) {
    QMetaObject::invokeMethod(this, [fmt, file] { diag::error(fmt, file.c_str()); },
                              Qt::BlockingQueuedConnection);
    for (;;) pause();
  };
  events.done = [this](const setup::run_outcome& outcome) {
    QMetaObject::invokeMethod(this, [this, outcome] { runnerDone(outcome); }, Qt::QueuedConnection);
  };
  setup::start_runner(commands, directory, logFile(), events);
}

void TForm1::runnerDone(const setup::run_outcome& outcome) {
  if (library_in_progress_) {
    const library_job job = *library_in_progress_;
    library_in_progress_.reset();
    std::string name;
    util::namesplit(job.library_file, nullptr, &name);
    // A library counts as built when make succeeded and left the file: the build
    // removed the old one first.
    if (!outcome.failed && util::exists(job.library_file)) {
      record_library(job.datatype_file, job.number);
      diag::message("Library %s built OK!\n\nYou can now start using KORVAL", name.c_str());
      endProgram(0);
    } else {
      diag::message(diag::format("Failed to build library %s.\n\nPlease contact technical support "
                                 "at\n\n%s\n\nInclude the file %s",
                                 name.c_str(), diag::kSupportMail, logFile().c_str())
                        .c_str());
    }
  } else if (outcome.failed) {
    diag::message(diag::format("Compilation failed.\n\n%s\n\nended with status %d.",
                               outcome.command.c_str(), outcome.status)
                      .c_str());
  } else {
    diag::message("Compilation completed.");
  }
  system2end->setText("done");
}

void TForm1::system2endChange(const QString& text) {
  if (text != "done") return;
  Button4->show();
  system2end->setText("1");
}

void TForm1::appendLine(const QString& line) {
  QString text = Memo3->toPlainText();
  QString add = line + "\n";
  if (!text.isEmpty() && !text.endsWith('\n')) add.prepend('\n');
  Memo3->moveCursor(QTextCursor::End);
  Memo3->insertPlainText(add);
  Memo3->verticalScrollBar()->setValue(Memo3->verticalScrollBar()->maximum());
}

void TForm1::appendOutput(const QByteArray& bytes) {
  QString text = decoder_->utf8.decode(bytes);
  text.remove('\r');
  Memo3->moveCursor(QTextCursor::End);
  Memo3->insertPlainText(text);
  Memo3->verticalScrollBar()->setValue(Memo3->verticalScrollBar()->maximum());
}
