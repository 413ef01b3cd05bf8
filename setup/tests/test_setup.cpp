// The setup window under the offscreen platform, driven as a user drives it: its
// modal windows are answered by an Answerer script. Fatal paths end the process, so
// they run in a child process: this program started again with --child.
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <memory>

#include "answerer.h"
#include "setup/choices.h"
#include "setup/form1.h"

namespace {

const QString kRoot = KORVAL_TEST_ROOT;

QString read_file(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(f.readAll());
}

bool write_file(const QString& path, const QString& text) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  f.write(text.toUtf8());
  return true;
}

// A root directory of its own: the installed data files, and optionally library
// sources whose makefile does what `recipe` says.
bool make_root(const QString& dir, const QString& ini_from = QString()) {
  for (const char* f : {"korval.dt", "korval.rsv", "mpath", "korval.ini"}) {
    const QString from = (QString(f) == "korval.ini" && !ini_from.isEmpty()) ? ini_from : kRoot + "/" + f;
    if (QFile::exists(from) && !QFile::copy(from, dir + "/" + f)) return false;
  }
  return true;
}

// Library sources that build a small libgrlib<n>.a the way the real makefile is
// called (GRLIB, FLAGS, run in src/gridlib, library two levels up).
bool add_library_sources(const QString& root, bool broken) {
  const QString src = root + "/src/gridlib/";
  if (broken)
    return write_file(src + "gnu.mak", "all:\n\t@echo probe.cpp:1: error: broken source\n\t@exit 2\n");
  return write_file(src + "probe.cpp", "int grl_probe() { return GRLIB; }\n") &&
         write_file(src + "gnu.mak",
                    "all:\n"
                    "\tg++ -DGRLIB=$(GRLIB) $(FLAGS) -c probe.cpp -o grl$(GRLIB)_probe.o\n"
                    "\tar rcs ../../libgrlib$(GRLIB).a grl$(GRLIB)_probe.o\n");
}

template <typename T>
T* child(QWidget& form, const char* name) {
  T* w = form.findChild<T*>(name);
  if (!w) qFatal("no control %s", name);
  return w;
}

QStringList items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

// The GNU C++ configuration dialogue up to the compiler search: no numeric library,
// no Solaris threads.
const QStringList kNoLibraries = {"no", "no", "no", "no", "no"};

}  // namespace

class SetupTest : public QObject {
  Q_OBJECT

 private:
  QString start_dir_;
  std::unique_ptr<QTemporaryDir> tmp_;
  int ended_ = -1;

  // The window as the program makes it, with the program's file in `root`.
  std::unique_ptr<TForm1> make_form(const QString& root, QStringList args = {}) {
    qputenv("korval3", root.toUtf8());
    ended_ = -1;
    auto form = std::make_unique<TForm1>((root + "/setup").toStdString(), args);
    form->setEndHandler([this](int status) { ended_ = status; });
    form->show();
    return form;
  }

  void save_screen(QWidget& form, const QString& name) {
    QDir().mkpath(SETUP_SCREENS);
    QVERIFY(form.grab().save(QString(SETUP_SCREENS) + "/" + name));
  }

  QString write_mfile(const QString& name, const QString& text) {
    const QString path = tmp_->path() + "/prog/" + name;
    write_file(path, text);
    return path;
  }

 private slots:
  void initTestCase() {
    start_dir_ = QDir::currentPath();
    QVERIFY(QFile::exists(kRoot + "/korval.dt"));
  }

  void init() {
    tmp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp_->isValid());
    qputenv("KORVAL_REGISTRY", (tmp_->path() + "/registry").toUtf8());
  }

  void cleanup() { QDir::setCurrent(start_dir_); }

  // Setup mode: captions, items, hints, what is shown, the banner, the default type.
  void setupModeShowsItsControls() {
    auto form = make_form(kRoot);
    QCOMPARE(form->windowTitle(), QString("KORVAL and Gridkit Setup"));
    QCOMPARE(form->size(), QSize(650, 457));
    auto* button4 = child<QPushButton>(*form, "Button4");
    QCOMPARE(button4->text(), QString("Finish installation"));
    QVERIFY(button4->font().bold());
    for (const char* shown : {"GroupBox1", "GroupBox2", "GroupBox3", "Memo2", "Button1", "Memo3", "MT"})
      QVERIFY2(child<QWidget>(*form, shown)->isVisible(), shown);
    for (const char* hidden : {"GroupBox4", "GroupBox5", "MAKE", "system2end"})
      QVERIFY2(!child<QWidget>(*form, hidden)->isVisible(), hidden);
    QCOMPARE(child<QLineEdit>(*form, "system2end")->text(), QString("1"));

    auto* compilers = child<QListWidget>(*form, "ListBox1");
    QCOMPARE(items(compilers),
             QStringList({"GNU C++", "Visual C++ 2.0 or later", "Borland C++ 5.0 or later",
                          "Borland C++ Builder", "WATCOM C++ 10.5, 10.6", "WATCOM C++ 11.0 or later"}));
    QCOMPARE(compilers->currentRow(), 0);
    QCOMPARE(items(child<QListWidget>(*form, "ListBox2")), QStringList({"Unix"}));
    auto* types = child<QListWidget>(*form, "ListBox3");
    QVERIFY(items(types).contains("float"));
    QVERIFY(!items(types).contains("*"));
    QCOMPARE(types->currentItem()->text(), QString("double"));
    QCOMPARE(types->toolTip(), QString("First time? select \"double\""));
    QCOMPARE(compilers->toolTip(), QString("This C++ Compiler will be used by KORVAL"));
    QCOMPARE(child<QCheckBox>(*form, "MT")->text(), QString("Parallel (multithreaded) Applications"));
    QCOMPARE(child<QPushButton>(*form, "Button1")->text(), QString("Technical Support"));

    const QStringList banner = child<QPlainTextEdit>(*form, "Memo2")->toPlainText().split('\n');
    QCOMPARE(banner.size(), 3);
    for (const QString& line : banner) QCOMPARE(line.size(), 58);
    QVERIFY(banner[0].startsWith("KORVAL ") && banner[0].endsWith("Version 3.00"));
    QVERIFY(banner[1].endsWith("All rights reserved"));
    QVERIFY(banner[2].startsWith("Technical support"));
    save_screen(*form, "setup-mode.png");
  }

  // Each compiler offers its own targets; the first is selected.
  void targetListsFollowTheCompiler() {
    auto form = make_form(kRoot);
    auto* compilers = child<QListWidget>(*form, "ListBox1");
    auto* targets = child<QListWidget>(*form, "ListBox2");
    const QStringList win = {"Win 95/NT"};
    const QStringList win16 = {"Win 95/NT", "Win 3.11+Win32s"};
    const QStringList watcom = {"Win 95/NT", "Win 3.11+Win32s", "DOS4/GW"};
    const QList<QStringList> expected = {{"Unix"}, win, win16, win16, watcom, watcom};
    for (int row : {3, 4, 1, 5, 2, 0}) {
      QTest::mouseClick(compilers->viewport(), Qt::LeftButton, {},
                        compilers->visualItemRect(compilers->item(row)).center());
      QCOMPARE(compilers->currentRow(), row);
      QCOMPARE(items(targets), expected[row]);
      QCOMPARE(targets->currentRow(), 0);
    }
    // The arrow keys move through the list as clicks do.
    QTest::keyClick(compilers, Qt::Key_Down);
    QCOMPARE(items(targets), win);
  }

  // The argument lists handed to the driver.
  void argumentListsFollowTheChoices() {
    using V = std::vector<std::string>;
    QVERIFY(setup::build_arguments("/r/setup", 0, 0, false, "double") ==
            V({"/r/setup", "-build", "-compiler:gnu", "-target:unix", "-dt:double"}));
    QVERIFY(setup::build_arguments("p", 3, 1, true, "float") ==
            V({"p", "-build:mt", "-compiler:bc", "-target:win32s", "-dt:float"}));
    QVERIFY(setup::build_arguments("p", 5, 2, false, "double") ==
            V({"p", "-build", "-compiler:watcom", "-target:dos4gw", "-dt:double"}));
    QVERIFY(setup::build_arguments("p", 1, 0, false, "double")[2] == "-compiler:vc");

    const char* kinds[] = {"", "-mexhelp", nullptr, "-idl", "-xmath", "-dll:vb", "-dll:vb",
                           "-dll:delphi", "-dll:oa"};
    const auto& entries = setup::kind_entries();
    QCOMPARE(entries.size(), std::size(kinds));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (!kinds[i]) {
        QCOMPARE(QString(entries[i].caption), QString("MEX - MATLAB 5"));
        QVERIFY(entries[i].refused);
        continue;
      }
      QVERIFY(!entries[i].refused);
      QVERIFY(setup::compile_arguments("p", "f.m", static_cast<int>(i), false, "double") ==
              V({"p", "f.m", kinds[i], "", "-dt:double"}));
    }
    QVERIFY(setup::compile_arguments("p", "f.m", 0, true, "float") ==
            V({"p", "f.m", "", "-make", "-dt:float"}));
  }

  // m in the compiler list switches to the compile form, which asks for its file at
  // once; s in the target-kind list switches back. Lists start at their first entry.
  void keysSwitchModes() {
    const QString m = write_mfile("hello.m", "disp(1)\n");
    auto form = make_form(kRoot);
    auto* compilers = child<QListWidget>(*form, "ListBox1");
    auto* kinds = child<QListWidget>(*form, "ListBox4");
    compilers->setCurrentRow(4);
    QTest::keyClick(compilers, Qt::Key_X);
    QVERIFY(!form->compileMode());

    Answerer answers({"file:" + m});
    QTest::keyClick(compilers, Qt::Key_M);
    QVERIFY(form->compileMode());
    QCOMPARE(form->windowTitle(), QString("KORVAL V3"));
    QCOMPARE(child<QPushButton>(*form, "Button4")->text(), QString("Compile"));
    QTRY_COMPARE(child<QLineEdit>(*form, "Edit1")->text(), m);
    QCOMPARE(answers.seen(), QStringList({"file-dialog:KORVAL:Select source file"}));
    for (const char* shown : {"GroupBox3", "GroupBox4", "GroupBox5", "MAKE", "Memo3", "Button1"})
      QVERIFY2(child<QWidget>(*form, shown)->isVisible(), shown);
    for (const char* hidden : {"GroupBox1", "GroupBox2", "MT"})
      QVERIFY2(!child<QWidget>(*form, hidden)->isVisible(), hidden);
    QCOMPARE(kinds->currentRow(), 0);
    QCOMPARE(compilers->currentRow(), 0);

    kinds->setCurrentRow(3);
    QTest::keyClick(kinds, Qt::Key_M);
    QVERIFY(form->compileMode());
    QTest::keyClick(kinds, Qt::Key_S);
    QVERIFY(!form->compileMode());
    QCOMPARE(form->windowTitle(), QString("KORVAL and Gridkit Setup"));
    QCOMPARE(kinds->currentRow(), 0);
    QCOMPARE(items(child<QListWidget>(*form, "ListBox2")), QStringList({"Unix"}));
    QVERIFY(!answers.unscripted());
  }

  // -korval starts the compile form with the file dialog; a cancelled dialog ends the
  // program with status 1.
  void compileFormAsksForItsFile() {
    const QString m = write_mfile("hello.m", "disp(1)\n");
    {
      Answerer answers({"file:" + m});
      auto form = make_form(kRoot, {"-korval"});
      QVERIFY(form->compileMode());
      QTRY_COMPARE(child<QLineEdit>(*form, "Edit1")->text(), m);
      QCOMPARE(ended_, -1);
      QCOMPARE(child<QListWidget>(*form, "ListBox4")->currentItem()->text(),
               QString("Standalone Application"));
      QCOMPARE(child<QPlainTextEdit>(*form, "Memo4")->toPlainText(),
               QString("All called functions and \nscripts are automatically \ncompiled."));
      save_screen(*form, "compile-mode.png");

      // Select asks again; cancelling it now ends the program too.
      answers.add({"cancel"});
      QTest::mouseClick(child<QPushButton>(*form, "Button2"), Qt::LeftButton);
      QCOMPARE(ended_, 1);
    }
    Answerer answers({"cancel"});
    auto form = make_form(kRoot, {"-korval"});
    QTRY_COMPARE(ended_, 1);
    QCOMPARE(child<QLineEdit>(*form, "Edit1")->text(), QString());
  }

  void messagesOfTheWindow() {
    auto form = make_form(kRoot);
    Answerer answers({"ok", "ok"});
    QTest::mouseClick(child<QPushButton>(*form, "Button1"), Qt::LeftButton);
    QTRY_COMPARE(answers.seen().size(), 1);
    QVERIFY(answers.seen()[0].startsWith("box:Technical support can be obtained at\nWeb: "));
    QVERIFY(answers.seen()[0].contains("\ne-mail: ") && answers.seen()[0].contains("\nFax: "));

    auto* mt = child<QCheckBox>(*form, "MT");
    mt->click();
    QTRY_COMPARE(answers.seen().size(), 2);
    QCOMPARE(answers.seen()[1],
             QString("box:Parallel execution requires:\n\n1) Re-structuring the program.\n\n2) A "
                     "multi-processor machine.\n\nOtherwise, the program will run SLOWER.\n"));
    mt->click();  // unchecking says nothing
    QTest::qWait(100);
    QCOMPARE(answers.seen().size(), 2);
  }

  // A compile from the window: the translator in this process, the compiler in the
  // background runner, a program that runs.
  void compileMakesAProgramThatRuns() {
    write_mfile("twice.m", "function r = twice(v)\nr = 2 * v;\n");
    const QString m = write_mfile("prog.m", "x = [1 2 3];\ny = twice(x)\ndisp(sum(y))\n");
    Answerer answers({"file:" + m, "ok"});
    auto form = make_form(kRoot, {"-korval"});
    QTRY_COMPARE(child<QLineEdit>(*form, "Edit1")->text(), m);
    auto* button4 = child<QPushButton>(*form, "Button4");
    button4->click();
    QVERIFY(!button4->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(button4->isVisible(), 300000);
    QCOMPARE(answers.seen().last(), QString("box:Compilation completed."));
    QCOMPARE(child<QLineEdit>(*form, "system2end")->text(), QString("1"));
    save_screen(*form, "compile-done.png");

    const QString log = child<QPlainTextEdit>(*form, "Memo3")->toPlainText();
    QVERIFY2(log.contains("Translating") && log.contains("twice.m"), qPrintable(log));
    QVERIFY2(log.contains("Compiling...\n"), qPrintable(log));
    QVERIFY2(log.contains("gcc "), qPrintable(log));
    // The log file holds the last command, its line first.
    const QString logfile = read_file(kRoot + "/logfile.txt");
    QVERIFY2(logfile.startsWith("gcc ") && logfile.contains("\r\n\r\n"), qPrintable(logfile));

    QProcess run;
    run.start(tmp_->path() + "/prog/prog", {});
    QVERIFY(run.waitForFinished(30000));
    QCOMPARE(run.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(run.readAllStandardOutput()), QString("y =\n\n   2   4   6\n\n12\n"));
  }

  // A compiler command that fails is reported as a failure, not as completed, and the
  // commands behind it do not run.
  void failedCompileIsReported() {
    const QString root = tmp_->path() + "/root";
    QDir().mkpath(root);
    QVERIFY(make_root(root));
    QString ini = read_file(root + "/korval.ini");
    ini.replace("\nCPP=gcc\n", "\nCPP=false\n");
    QVERIFY(write_file(root + "/korval.ini", ini));
    const QString m = write_mfile("bad.m", "disp(1)\n");
    Answerer answers({"file:" + m, "ok"});
    auto form = make_form(root, {"-korval"});
    QTRY_COMPARE(child<QLineEdit>(*form, "Edit1")->text(), m);
    child<QPushButton>(*form, "Button4")->click();
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*form, "Button4")->isVisible(), 60000);
    QVERIFY2(answers.seen().last().startsWith("box:Compilation failed.\n\nfalse "),
             qPrintable(answers.seen().last()));
    QVERIFY(answers.seen().last().endsWith("ended with status 1."));
    QVERIFY(read_file(root + "/logfile.txt").startsWith("false "));
  }

  // Setup mode builds the library: the compiler dialogue in message boxes, make in the
  // background, the library recorded as built, the program ends.
  void libraryBuildSucceeds() {
    const QString root = tmp_->path() + "/root";
    QDir().mkpath(root);
    QVERIFY(make_root(root));
    QVERIFY(add_library_sources(root, false));
    const QString dt_before = read_file(root + "/korval.dt");
    Answerer answers({"ok"});  // the MT notice
    auto form = make_form(root);
    child<QCheckBox>(*form, "MT")->click();
    QTRY_COMPARE(answers.seen().size(), 1);
    answers.add(kNoLibraries);
    answers.add({"yes", "yes", "no", "ok"});
    child<QPushButton>(*form, "Button4")->click();
    QTRY_VERIFY_WITH_TIMEOUT(ended_ == 0, 120000);

    const QStringList seen = answers.seen();
    QCOMPARE(seen.mid(1, 5), QStringList({"box:Digital: Use DXML library ?", "box:IBM: Use ESSL library ?",
                                          "box:Sun Solaris: Use Sunsoft Performance Library ?",
                                          "box:Use BLAS library ?",
                                          "box:Are you using Parallel Processing on Solaris ?"}));
    QCOMPARE(seen[6], QString("box:Would you like to auto-search for the compiler ?"));
    QVERIFY(seen[7].startsWith("box:Compiler found at /") && seen[7].endsWith("gcc.\nAccept ?"));
    QCOMPARE(seen[8], QString("box:Is Matlab installed ?"));
    QCOMPARE(seen[9], QString("box:Library libgrlib0.a built OK!\n\nYou can now start using KORVAL"));
    QVERIFY(answers.left().isEmpty() && !answers.unscripted());

    QVERIFY(QFile::exists(root + "/libgrlib0.a"));
    QCOMPARE(read_file(root + "/korval.dt"), dt_before + "0\n");
    QVERIFY(read_file(root + "/korval.ini").contains("\nCompiler=GNU C++\nTarget=Unix\n"));
    const QString log = read_file(root + "/logfile.txt");
    QVERIFY2(log.startsWith("make GRLIB=0 \"FLAGS= -D_KORVAL_MT=1\" -f gnu.mak\r\n\r\n"), qPrintable(log));
    const QString memo = child<QPlainTextEdit>(*form, "Memo3")->toPlainText();
    QVERIFY2(memo.contains("g++ -DGRLIB=0 -D_KORVAL_MT=1 -c probe.cpp"), qPrintable(memo));
  }

  // A failing make: the failure message names the library and the log file, nothing
  // is recorded, and the window stays. The compiler's directory comes from the
  // directory window here.
  void libraryBuildFailureIsReported() {
    const QString root = tmp_->path() + "/root";
    QDir().mkpath(root);
    QVERIFY(make_root(root));
    QVERIFY(add_library_sources(root, true));
    const QString dt_before = read_file(root + "/korval.dt");
    const QString gcc_dir = QFileInfo(QFileInfo(QStandardPaths::findExecutable("gcc")).path()).path();
    Answerer answers(kNoLibraries);
    answers.add({"no", "dir:" + gcc_dir, "yes", "no", "ok"});
    auto form = make_form(root);
    auto* button4 = child<QPushButton>(*form, "Button4");
    button4->click();
    QTRY_VERIFY_WITH_TIMEOUT(button4->isVisible(), 60000);
    QCOMPARE(ended_, -1);
    const QStringList seen = answers.seen();
    QCOMPARE(seen[6], QString("directory:Compiler directory, such as . Enter 'q' to quit"));
    QCOMPARE(seen.last(), "box:Failed to build library libgrlib0.a.\n\nPlease contact technical support "
                          "at\n\nkorval-support@talvecore.fi\n\nInclude the file " + root + "/logfile.txt");
    QVERIFY(!answers.unscripted());
    QCOMPARE(read_file(root + "/korval.dt"), dt_before);
    QVERIFY(!QFile::exists(root + "/libgrlib0.a"));
    QVERIFY(child<QPlainTextEdit>(*form, "Memo3")->toPlainText().contains("error: broken source"));
    QVERIFY(read_file(root + "/korval.ini").contains("\nPATH=" + gcc_dir + "/bin\n"));
  }

  // The paths that end the program, in a child process.
  void programEndsWhereItShould_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::newRow("MEX - MATLAB 5") << "mex5" << 1
                                    << "error: Please run korval from\nMATLAB 5 to create MEX files\n";
    QTest::newRow("file dialog cancelled") << "cancel-file" << 1 << "";
    QTest::newRow("directory window cancelled") << "cancel-directory" << 0 << "";
  }
  void programEndsWhereItShould() {
    QFETCH(QString, scenario);
    QFETCH(int, status);
    QFETCH(QString, output);
    const QString root = tmp_->path() + "/root";
    QDir().mkpath(root);
    QVERIFY(make_root(root));
    QProcess p;
    p.setWorkingDirectory(tmp_->path());
    p.start(QCoreApplication::applicationFilePath(),
            {"--child", scenario, root, write_mfile("one.m", "disp(1)\n")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), status);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(output.isEmpty() ? !out.contains("error") : out.endsWith(output), qPrintable(out));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (scenario == "mex5") QVERIFY2(err.contains("box:error: Please run korval from\nMATLAB 5"), qPrintable(err));
    if (scenario == "cancel-directory") QVERIFY(!QFile::exists(root + "/libgrlib0.a"));
  }
};

// The child: the window with the program's own end (the process ends), answered by
// the scenario's script; every window seen goes to standard error. Started by hand,
//   test_setup --child finish-installation <root> -
// builds the library of an installed root as a first-time user of setup does
// (SETUP_CHILD_LIMIT_S: seconds before it gives up, 30 by default).
static int run_child(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString scenario = argv[2], root = argv[3], mfile = argv[4];
  qputenv("korval3", root.toUtf8());
  qputenv("KORVAL_REGISTRY", (root + "/registry").toUtf8());
  QStringList args;
  Answerer answers;
  if (scenario == "mex5") {
    args << "-korval";
    answers.add({"file:" + mfile, "ok"});
  } else if (scenario == "cancel-file") {
    args << "-korval";
    answers.add({"cancel"});
  } else if (scenario == "finish-installation") {
    // The first-time user: the defaults, the usual answers, the real library sources
    // of the root. Ends with status 0 once the library is built.
    answers.add(kNoLibraries);
    answers.add({"yes", "yes", "no", "ok"});
  } else {
    answers.add(kNoLibraries);
    answers.add({"no", "cancel"});
  }
  answers.setEcho(true);
  TForm1 form((root + "/setup").toStdString(), args);
  form.show();
  QTimer::singleShot(200, [&] {
    if (scenario == "mex5") {
      auto* kinds = form.findChild<QListWidget*>("ListBox4");
      kinds->setCurrentRow(2);
    }
    if (scenario != "cancel-file") form.findChild<QPushButton*>("Button4")->click();
  });
  const int limit = qEnvironmentVariableIntValue("SETUP_CHILD_LIMIT_S");
  QTimer::singleShot((limit > 0 ? limit : 30) * 1000, [] { std::exit(99); });
  return app.exec() == 0 ? 98 : 97;
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc >= 5 && QString(argv[1]) == "--child") return run_child(argc, argv);
  QApplication app(argc, argv);
  SetupTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_setup.moc"
