#include "setup/bridge.h"

#include <unistd.h>

#include <QMessageBox>
#include <string>

#include "config/build.h"
#include "driver/diag.h"
#include "platform/msgbox.h"
#include "setup/form1.h"
#include "setup/form2.h"

namespace setup {
namespace {

platform::box_answer window_box(const std::string& title, const std::string& text,
                                platform::box_kind kind) {
  QMessageBox box(TForm1::owner());
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  if (kind == platform::box_kind::yes_no) {
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? platform::box_answer::yes : platform::box_answer::no;
  }
  box.setIcon(QMessageBox::Warning);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return platform::box_answer::ok;
}

void window_line(const std::string& line) {
  if (TForm1* w = TForm1::owner()) w->appendLine(QString::fromStdString(line));
}

// The directory window answers the translator's question; Cancel ends the program
// with status 0. The current directory is the same afterwards.
void window_prompt(const std::string& prompt, std::string& answer) {
  char here[4096];
  const std::string cwd = getcwd(here, sizeof here) ? here : "";
  TForm2 dialog(QString::fromStdString(prompt), QString::fromStdString(cwd), TForm1::owner());
  const bool ok = dialog.exec() == QDialog::Accepted;
  if (!cwd.empty() && chdir(cwd.c_str()) != 0) {
    // The directory vanished meanwhile; the translator reports what follows.
  }
  if (!ok) {
    if (TForm1* w = TForm1::owner()) w->endProgram(0);
    // An end handler that let the program go on: the translator quits the question.
    answer = "q";
    return;
  }
  answer = dialog.directory().toStdString();
}

void window_library(const library_job& job) {
  if (TForm1* w = TForm1::owner()) w->queueLibrary(job);
}

}  // namespace

void connect_translator() {
  platform::set_box_handler(window_box);
  diag::set_line_sink(window_line);
  diag::set_prompt_handler(window_prompt);
  set_library_runner(window_library);
}

void disconnect_translator() {
  platform::set_box_handler(nullptr);
  diag::set_line_sink(nullptr);
  diag::set_prompt_handler(nullptr);
  set_library_runner(nullptr);
}

}  // namespace setup
