#include "answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <cstdio>

#include "setup/form2.h"

Answerer::Answerer(QStringList script) : script_(std::move(script)) {
  connect(&timer_, &QTimer::timeout, this, &Answerer::tick);
  timer_.start(20);
  echo_ = qEnvironmentVariableIsSet("ANSWERER_ECHO");
}

namespace {
// Types the full path into the dialog's file name field and presses Open.
void type_file(QFileDialog* files, const QString& path) {
  if (auto* name = files->findChild<QLineEdit*>("fileNameEdit")) name->setText(path);
  QMetaObject::invokeMethod(files, "accept");
}
}  // namespace

bool Answerer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide) {
    watched->setProperty("answered", false);
    watched->removeEventFilter(this);
  }
  return QObject::eventFilter(watched, event);
}

void Answerer::tick() {
  QWidget* w = QApplication::activeModalWidget();
  // A window is answered once each time it is shown: the mark goes when it closes.
  if (!w || !w->isVisible()) return;
  // The file dialog fills its list in the background and takes a file only once it
  // knows it: the answer is given again until the dialog closes.
  if (auto* files = qobject_cast<QFileDialog*>(w); files && w->property("answered").toBool()) {
    const QString again = w->property("answer").toString();
    if (again.startsWith("file:")) type_file(files, again.mid(5));
    return;
  }
  if (w->property("answered").toBool()) return;
  w->setProperty("answered", true);
  w->installEventFilter(this);
  QString answer;
  if (script_.isEmpty())
    unscripted_ = true;
  else
    answer = script_.takeFirst();

  if (auto* box = qobject_cast<QMessageBox*>(w)) {
    record("box:" + box->text());
    QAbstractButton* b = nullptr;
    if (answer == "yes") b = box->button(QMessageBox::Yes);
    if (answer == "ok") b = box->button(QMessageBox::Ok);
    if (!b) b = box->button(QMessageBox::No);
    if (!b) b = box->button(QMessageBox::Ok);
    if (b) b->click();
  } else if (auto* files = qobject_cast<QFileDialog*>(w)) {
    record("file-dialog:" + files->windowTitle());
    files->setProperty("answer", answer);
    if (answer.startsWith("file:")) {
      type_file(files, answer.mid(5));
    } else {
      files->reject();
    }
  } else if (auto* dirs = qobject_cast<TForm2*>(w)) {
    record("directory:" + dirs->findChild<QWidget*>("Label1")->property("text").toString());
    if (answer.startsWith("dir:")) {
      dirs->selectDirectory(answer.mid(4));
      dirs->accept();
    } else {
      dirs->reject();
    }
  } else if (auto* d = qobject_cast<QDialog*>(w)) {
    record("dialog:" + d->windowTitle());
    d->reject();
  }
}

void Answerer::record(const QString& what) {
  seen_ << what;
  if (echo_) {
    std::fprintf(stderr, "%s\n", what.toUtf8().constData());
    std::fflush(stderr);
  }
}
