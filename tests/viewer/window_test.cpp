// The viewer's window under Qt Test (offscreen): its controls and defaults, the
// commands through its buttons and keys, the About box, the automation object that
// keeps it alive, and a screenshot for a person to look at.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocalSocket>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>
#include <cstdlib>

#include "fakes.h"
#include "platform/registry.h"
#include "viewer/automation.h"
#include "viewer/lumigrid_dlg.h"

using namespace lumigrid_test;
using lumigrid::CLumigridDlg;

namespace {

// A stopped program holding a 12 x 8 matrix "big", a complex row "z" and a string "s".
struct stopped_program {
  stopped_program() : memory(8), reader(&debugger, &memory) {
    debugger.answer("grlibpr", "4242");
    std::vector<double> big(96);
    for (std::size_t k = 0; k < big.size(); ++k) big[k] = (double(k % 12) + 1) * 1.125 + double(k / 12) * 100;
    put("big", 0x10000, 12, 8, big, {}, 0);
    put("z", 0x400000, 1, 2, {1.5, -3}, {2, 0.25}, 0);
    put("s", 0x800000, 2, 5, {'h', 'w', 'e', 'o', 'l', 'r', 'l', 'l', 'o', 'd'}, {}, lumigrid::kString);
  }
  void put(const std::string& name, std::uint64_t addr, std::uint32_t rows, std::uint32_t cols,
           const std::vector<double>& re, const std::vector<double>& im, std::uint32_t flags) {
    matrix_header h;
    h.name = addr + 0x100, h.flags = flags, h.dims = 2, h.rows = rows, h.cols = cols;
    h.real = addr + 0x1000;
    h.imag = im.empty() ? 0 : addr + 0x20000;
    memory.put_header(addr, h);
    memory.put_text(h.name, name);
    memory.put_doubles(h.real, re);
    if (!im.empty()) memory.put_doubles(h.imag, im);
    debugger.answer("&" + name, QString("0x%1").arg(addr, 0, 16).toStdString(), "M<double> *");
  }
  fake_debugger debugger;
  image_memory memory;
  lumigrid::MatrixReader reader;
};

QString text_of(CLumigridDlg& w, int id) {
  if (auto* e = qobject_cast<QLineEdit*>(w.control(id))) return e->text();
  if (auto* b = qobject_cast<QPushButton*>(w.control(id))) return b->text();
  return QString();
}

void type_into(CLumigridDlg& w, int id, const QString& text) {
  auto* e = qobject_cast<QLineEdit*>(w.control(id));
  QVERIFY(e);
  e->setText(text);
}

void click(CLumigridDlg& w, int id) {
  auto* b = qobject_cast<QPushButton*>(w.control(id));
  QVERIFY(b);
  QTest::mouseClick(b, Qt::LeftButton);
}

QString cell(CLumigridDlg& w, int row, int col) {
  const QTableWidgetItem* item = w.grid_widget()->item(row, col);
  return item ? item->text() : QString();
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    registry_ = QDir::current().absoluteFilePath("window-test-registry");
    QFile::remove(registry_);
    qputenv("KORVAL_REGISTRY", registry_.toLocal8Bit());
    qputenv("KORVAL_AUTOMATION_NAME", QString("lumigrid-test-%1").arg(QCoreApplication::applicationPid()).toLocal8Bit());
  }

  void controlsLabelsAndDefaults() {
    stopped_program p;
    CLumigridDlg w(p.reader);
    QCOMPARE(w.windowTitle(), QString("Visual KORVAL Matrix Viewer"));
    QCOMPARE(text_of(w, lumigrid::IDC_RELOAD), QString("Reload"));
    QCOMPARE(text_of(w, lumigrid::IDC_SET), QString("Set"));
    QCOMPARE(text_of(w, lumigrid::IDC_LEFT), QString("<"));
    QCOMPARE(text_of(w, lumigrid::IDC_RIGHT), QString(">"));
    QCOMPARE(text_of(w, lumigrid::IDC_UP), QString("Up"));
    QCOMPARE(text_of(w, lumigrid::IDC_DOWN), QString("Dn"));
    QCOMPARE(text_of(w, lumigrid::IDC_COLUMNS), QString("6"));
    QCOMPARE(text_of(w, lumigrid::IDC_DIGITS), QString("3"));
    QCOMPARE(text_of(w, lumigrid::IDC_NAME), QString());
    QVERIFY(qobject_cast<QLineEdit*>(w.control(lumigrid::IDC_STATUS))->isReadOnly());
    QCOMPARE(w.control(lumigrid::IDC_GRID), static_cast<QWidget*>(w.grid_widget()));
    QCOMPARE(w.grid_widget()->rowCount(), 10);
    QCOMPARE(w.grid_widget()->columnCount(), 7);
    QVERIFY(w.control(4711) == nullptr);
    QStringList labels;
    for (QLabel* l : w.findChildren<QLabel*>()) labels << l->text();
    for (const char* label : {"Matrix Name", "Status", "Number of columns", "Digits after decimal point"})
      QVERIFY2(labels.contains(label), label);
  }

  void reloadShowsTheMatrixAndScreenshot() {
    stopped_program p;
    CLumigridDlg w(p.reader);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    type_into(w, lumigrid::IDC_NAME, "big");
    click(w, lumigrid::IDC_RELOAD);
    QCOMPARE(text_of(w, lumigrid::IDC_STATUS), QString("big: Dims=2  12x8"));
    QCOMPARE(cell(w, 0, 1), QString("1"));
    QCOMPARE(cell(w, 9, 0), QString("9"));
    QCOMPARE(cell(w, 1, 1), QString("1.12"));
    QCOMPARE(cell(w, 2, 3), QString("202"));
    QCOMPARE(w.grid_widget()->item(2, 3)->textAlignment(), int(Qt::AlignRight | Qt::AlignTop));

    // The whole page is in view: ten rows, seven columns, no scrolling.
    QTableWidget* g = w.grid_widget();
    QVERIFY(g->rowViewportPosition(9) + g->rowHeight(9) <= g->viewport()->height());
    QVERIFY(g->columnViewportPosition(6) + g->columnWidth(6) <= g->viewport()->width());

    const QImage shot = w.grab().toImage();
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.size(), w.size());
    const QString path = QDir::current().absoluteFilePath("lumigrid-window.png");
    QVERIFY(shot.save(path));
    qInfo("screenshot: %s", qPrintable(path));

    // A complex matrix with 5 digits, and a string matrix across the whole data area.
    type_into(w, lumigrid::IDC_NAME, "z");
    type_into(w, lumigrid::IDC_DIGITS, "5");
    click(w, lumigrid::IDC_SET);
    click(w, lumigrid::IDC_RELOAD);
    QCOMPARE(cell(w, 1, 1), QString("1.5+2i"));
    QCOMPARE(cell(w, 1, 2), QString("-3+0.25i"));
    QCOMPARE(cell(w, 2, 1), QString());
    type_into(w, lumigrid::IDC_NAME, "s");
    click(w, lumigrid::IDC_RELOAD);
    QCOMPARE(text_of(w, lumigrid::IDC_STATUS), QString("s: Dims=2  2x5 STRING"));
    QCOMPARE(cell(w, 1, 1), QString("hello"));
    QCOMPARE(cell(w, 2, 1), QString("world"));
    QCOMPARE(w.grid_widget()->columnWidth(1), w.view().total_width());
    QVERIFY(w.grab().toImage().save(QDir::current().absoluteFilePath("lumigrid-string.png")));
  }

  void enterKeyReloadsAndErrorsShowInStatus() {
    stopped_program p;
    CLumigridDlg w(p.reader);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* name = qobject_cast<QLineEdit*>(w.control(lumigrid::IDC_NAME));
    name->setFocus();
    QTest::keyClicks(name, "big");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(text_of(w, lumigrid::IDC_STATUS), QString("big: Dims=2  12x8"));
    QVERIFY(w.isVisible());
    name->setText("nosuch");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(text_of(w, lumigrid::IDC_STATUS), QString("No symbol \"&nosuch\" in current context."));
    QCOMPARE(cell(w, 1, 1), QString("1.12"));   // the grid keeps what it showed
  }

  void setAndPagingButtons() {
    stopped_program p;
    CLumigridDlg w(p.reader);
    type_into(w, lumigrid::IDC_NAME, "big");
    click(w, lumigrid::IDC_RELOAD);
    type_into(w, lumigrid::IDC_DIGITS, "20");
    type_into(w, lumigrid::IDC_COLUMNS, "0");
    click(w, lumigrid::IDC_SET);
    QCOMPARE(text_of(w, lumigrid::IDC_DIGITS), QString("15"));
    QCOMPARE(text_of(w, lumigrid::IDC_COLUMNS), QString("1"));
    QCOMPARE(cell(w, 1, 1), QString("1.125"));
    QCOMPARE(w.grid_widget()->columnWidth(2), w.view().total_width());
    click(w, lumigrid::IDC_DOWN);
    click(w, lumigrid::IDC_RIGHT);
    QCOMPARE(cell(w, 0, 1), QString("2"));
    QCOMPARE(cell(w, 1, 0), QString("2"));
    QCOMPARE(cell(w, 1, 1), QString("102.25"));
    click(w, lumigrid::IDC_LEFT);
    click(w, lumigrid::IDC_UP);
    click(w, lumigrid::IDC_UP);
    QCOMPARE(cell(w, 1, 1), QString("1.125"));
  }

  void aboutEntryAndBox() {
    stopped_program p;
    CLumigridDlg w(p.reader);
    const QList<QAction*> actions = w.actions();
    QCOMPARE(actions.size(), 2);
    QVERIFY(actions[0]->isSeparator());
    QCOMPARE(actions[1]->text(), QString("&About Lumigrid..."));
    QCOMPARE(actions[1]->data().toInt(), lumigrid::IDM_ABOUTBOX);
    QDialog* box = w.make_about_box();
    QCOMPARE(box->windowTitle(), QString("About Lumigrid"));
    QStringList texts;
    bool icon = false;
    for (QLabel* l : box->findChildren<QLabel*>()) {
      texts << l->text();
      icon = icon || !l->pixmap().isNull();
    }
    QVERIFY(texts.contains("Lumigrid Version 1.0"));
    QCOMPARE(texts.size(), 3);
    QVERIFY(icon);
    QPushButton* ok = box->findChild<QPushButton*>();
    QVERIFY(ok && ok->text() == "OK");
    // The entry opens the box; OK closes it.
    QTimer::singleShot(0, [&w] {
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowTitle() == "About Lumigrid" && top->isVisible())
          QTest::mouseClick(top->findChild<QPushButton*>(), Qt::LeftButton);
      w.setProperty("about_seen", true);
    });
    actions[1]->trigger();
    QVERIFY(w.property("about_seen").toBool());
    delete box;
  }

  void closingWithoutAnAutomationObjectEnds() {
    stopped_program p;
    CLumigridDlg w(p.reader);
    QSignalSpy finished(&w, &QDialog::finished);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_Escape);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!w.isVisible());
  }

  void automationObjectKeepsTheWindow() {
    stopped_program p;
    CLumigridDlg w(p.reader);
    QSignalSpy finished(&w, &QDialog::finished);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    lumigrid::automation_server factory(&w);
    QString error;
    QVERIFY2(factory.register_running(error), qPrintable(error));
    // A second viewer cannot register while this one serves.
    {
      lumigrid::automation_server second(nullptr);
      QVERIFY(!second.register_running(error));
    }

    QLocalSocket client;
    client.connectToServer(lumigrid::automation_server_name());
    QVERIFY(client.waitForConnected(1000));
    client.write("create\n");
    QTRY_VERIFY(w.auto_proxy() != nullptr);
    QTRY_VERIFY(client.bytesAvailable() > 0 || client.waitForReadyRead(10));
    QCOMPARE(client.readAll(), QByteArray(lumigrid::kGreeting));
    QVERIFY(!factory.listening());   // one object per viewer

    // Closing only hides the window while the object exists.
    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(finished.count(), 0);
    QTest::keyClick(&w, Qt::Key_Escape);
    QCOMPARE(finished.count(), 0);

    // The object ends: the window forgets it and, hidden, closes for good.
    client.disconnectFromServer();
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(w.auto_proxy() == nullptr);
  }

  void windowEndClearsTheObjectsReference() {
    stopped_program p;
    auto* w = new CLumigridDlg(p.reader);
    lumigrid::automation_server factory(w);
    QString error;
    QVERIFY2(factory.register_running(error), qPrintable(error));
    QLocalSocket client;
    client.connectToServer(lumigrid::automation_server_name());
    QVERIFY(client.waitForConnected(1000));
    client.write("create\n");
    QTRY_VERIFY(factory.object() != nullptr);
    lumigrid::automation_object* object = factory.object();
    QCOMPARE(object->window(), w);
    delete w;
    QVERIFY(object->window() == nullptr);
    client.disconnectFromServer();
    QTRY_VERIFY(factory.object() == nullptr);
  }

  void registrationAndSwitches() {
    QVERIFY(lumigrid::register_automation_class("/opt/korval/visual/lumigrid"));
    std::string value;
    using platform::registry_get;
    QVERIFY(registry_get("HKEY_CLASSES_ROOT\\Lumigrid.Application\\CLSID", "", value));
    QCOMPARE(value, std::string("{963A4A07-3D5A-11D1-88D0-08002BE5A6C9}"));
    QVERIFY(registry_get("HKEY_CLASSES_ROOT\\CLSID\\{963A4A07-3D5A-11D1-88D0-08002BE5A6C9}\\LocalServer32", "",
                         value));
    QCOMPARE(value, std::string("/opt/korval/visual/lumigrid"));
    QVERIFY(registry_get("HKEY_CLASSES_ROOT\\CLSID\\{963A4A07-3D5A-11D1-88D0-08002BE5A6C9}\\ProgID", "", value));
    QCOMPARE(value, std::string("Lumigrid.Application"));
    QVERIFY(registry_get("HKEY_CLASSES_ROOT\\Interface\\{963A4A09-3D5A-11D1-88D0-08002BE5A6C9}", "", value));

    for (const char* yes : {"-Embedding", "/Automation", "-automation", "/EMBEDDING"})
      QVERIFY2(lumigrid::is_automation_switch(yes), yes);
    for (const char* no : {"Embedding", "-Embed", "-show", "/", ""})
      QVERIFY2(!lumigrid::is_automation_switch(no), no);
  }

 private:
  QString registry_;
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
