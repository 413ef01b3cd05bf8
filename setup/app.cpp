#include "setup/app.h"

#include <QApplication>
#include <QStringList>

#include "driver/diag.h"
#include "platform/selfpath.h"
#include "setup/form1.h"

namespace setup {

int setup_main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("KORVAL V3 Setup");
  diag::install_memory_handler();
  std::string program = platform::self_path();
  if (program.empty() && argc > 0) program = argv[0];
  TForm1 form(program, QCoreApplication::arguments());
  form.show();
  return QApplication::exec();
}

}  // namespace setup
