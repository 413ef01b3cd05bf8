// Answers the modal windows of the setup window as a user would, from a script: one
// answer per window, in order. Message boxes: "yes", "no", "ok"; the file dialog:
// "file:<path>" or "cancel"; the directory window: "dir:<path>" or "cancel". Every
// window seen is recorded with its text.
#pragma once
#include <QObject>
#include <QStringList>
#include <QTimer>

class Answerer : public QObject {
  Q_OBJECT
 public:
  explicit Answerer(QStringList script = {});
  void add(const QStringList& answers) { script_ += answers; }
  // "box:<text>", "file-dialog:<title>", "directory:<question>" for each window seen.
  const QStringList& seen() const { return seen_; }
  // Answers left over.
  const QStringList& left() const { return script_; }
  // A window came when the script was empty; it was closed with No, OK or Cancel.
  bool unscripted() const { return unscripted_; }
  // Also print each window seen on standard error, as it is seen.
  void setEcho(bool echo) { echo_ = echo; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void tick();

 private:
  QTimer timer_;
  QStringList script_;
  QStringList seen_;
  bool unscripted_ = false;
  bool echo_ = false;
  void record(const QString& what);
};
