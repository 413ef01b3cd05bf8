// The setup window. In setup mode the user picks a compiler, a target system, a data
// type and optionally the multithreaded library, and the run-time library is built;
// in compile mode it is a form that compiles one M-file. Both build an argument list
// and call the translator's driver in this process; the build commands run in the
// background runner, whose output the window shows.
#pragma once
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "config/build.h"
#include "setup/runner.h"

class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // `program` is the path of the setup program: its directory is the root directory.
  // `args` are the command-line arguments; "-korval" among them starts compile mode.
  TForm1(const std::string& program, const QStringList& args, QWidget* parent = nullptr);
  ~TForm1() override;

  // The window that owns the translator's message boxes; null when there is none.
  static TForm1* owner();

  // How the program ends (a cancelled file dialog, a built library). The program
  // ends the process; the tests watch the status instead.
  void setEndHandler(std::function<void(int status)> handler);
  // Ends the program with the status, through the end handler.
  void endProgram(int status);

  bool compileMode() const { return compile_mode_; }
  const std::string& root() const { return root_; }
  std::string logFile() const { return root_ + "logfile.txt"; }

  // Appends a line to the output log (progress lines, "Compiling...").
  void appendLine(const QString& line);
  // A library build handed over by the translator, run when the driver returns.
  void queueLibrary(const library_job& job) { pending_library_ = job; }

 public slots:
  void ListBox1Click();
  void Button1Click();
  void Button2Click();
  void Button4Click();
  void MTClick(bool checked);
  void system2endChange(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void enterMode(bool compile);
  void fillDatatypes();
  void fillTargets();
  void compile();
  void buildLibrary();
  void startRunner(const std::string& commands, const std::string& directory);
  void runnerDone(const setup::run_outcome& outcome);
  void appendOutput(const QByteArray& bytes);

  std::string program_;
  std::string root_;
  std::string start_dir_;               // where the file dialog starts
  bool compile_mode_ = false;
  std::optional<library_job> pending_library_;
  std::optional<library_job> library_in_progress_;
  std::function<void(int)> end_handler_;
  struct decoder;
  decoder* decoder_ = nullptr;

  QPushButton* Button4 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QListWidget* ListBox2 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QListWidget* ListBox3 = nullptr;
  QPlainTextEdit* Memo2 = nullptr;
  QPushButton* Button1 = nullptr;
  QPlainTextEdit* Memo3 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QListWidget* ListBox4 = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPlainTextEdit* Memo4 = nullptr;
  QPushButton* Button2 = nullptr;
  QLineEdit* system2end = nullptr;
  QCheckBox* MT = nullptr;
  QCheckBox* MAKE = nullptr;
  QFileDialog* OpenDialog1 = nullptr;
};
