// lumigrid, the matrix viewer: shows a matrix variable of a KORVAL program that is
// stopped in gdb (with the bridge korval-gdb.py loaded).
//
//   lumigrid                                   the window
//   lumigrid -Automation | -Embedding          the window, serving one automation object
//   lumigrid -show NAME [-digits D] [-columns C]   print the matrix, no window
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <iostream>
#include <string>

#include "platform/selfpath.h"
#include "viewer/automation.h"
#include "viewer/gdb_bridge.h"
#include "viewer/lumigrid_dlg.h"
#include "viewer/show.h"

namespace {

struct options {
  bool show = false;
  bool automation = false;
  lumigrid::show_request request;
};

const char kUsage[] =
    "usage: lumigrid [-Automation | -Embedding]\n"
    "       lumigrid -show NAME [-digits D] [-columns C]\n";

bool parse(int argc, char** argv, options& o) {
  for (int k = 1; k < argc; ++k) {
    const std::string arg = argv[k];
    const bool has_value = k + 1 < argc;
    if (arg == "-show" && has_value) {
      o.show = true;
      o.request.name = argv[++k];
    } else if (arg == "-digits" && has_value) {
      o.request.digits = argv[++k];
    } else if (arg == "-columns" && has_value) {
      o.request.columns = argv[++k];
    } else if (lumigrid::is_automation_switch(arg)) {
      o.automation = true;
    } else {
      return false;
    }
  }
  // -digits and -columns belong to -show.
  return o.show || (!o.request.digits && !o.request.columns);
}

// The root directory: lumigrid lives in its visual/ folder.
std::string root_directory() {
  std::string path = platform::self_path();
  for (int up = 0; up < 2; ++up) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return "";
    path.erase(slash);
  }
  return path + "/";
}

std::string no_debugger_message(const std::string& why) {
  return "No debugger answers the matrix viewer (" + why +
         ").\n\nStart the program in gdb with the KORVAL bridge, for example\n    gdb -x " +
         root_directory() +
         "korval-gdb.py ./prog\nstop it at a breakpoint, and start the viewer again.";
}

}  // namespace

int main(int argc, char** argv) {
  options o;
  if (!parse(argc, argv, o)) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  // The reader attaches to the debugger before the window exists.
  lumigrid::gdb_bridge bridge;
  std::string why;
  const bool attached = bridge.attach(why);
  lumigrid::process_memory memory(&bridge);
  lumigrid::MatrixReader reader(&bridge, &memory);

  if (o.show) {
    if (!attached) {
      std::fprintf(stderr, "lumigrid: %s\n", no_debugger_message(why).c_str());
      return 1;
    }
    return lumigrid::show_matrix(reader, o.request, std::cout);
  }

  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  if (!attached) {
    QMessageBox::critical(nullptr, "Lumigrid", QString::fromStdString(no_debugger_message(why)));
    return 1;
  }

  lumigrid::CLumigridDlg window(reader);
  lumigrid::automation_server factory(&window);
  if (o.automation) {
    QString error;
    if (!factory.register_running(error))
      std::fprintf(stderr, "lumigrid: cannot serve %s: %s\n", lumigrid::kProgId, qPrintable(error));
  } else if (!lumigrid::register_automation_class(platform::self_path())) {
    std::fprintf(stderr, "lumigrid: the automation class could not be registered\n");
  }
  QObject::connect(&window, &QDialog::finished, &app, &QApplication::quit);
  window.show();
  return app.exec();
}
