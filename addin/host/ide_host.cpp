// ide-host: a console stand-in for the IDE. It loads <root>/pelkor.so, registers and
// connects it, and runs its commands as a user would click them:
//
//   ide-host [-version TEXT] [-project FILE.dsp] [-choose FILE.m | -cancel] [-first]
//            COMMAND...
//
// COMMAND is add, viewer, about or open:PATH. The output window goes to standard
// output line by line, with the IDE commands the add-in runs ("command: NAME"), the
// documents opened ("open: PATH") and the languages set on them ("language: NAME
// VALUE"); every message box goes to standard error as "box: TEXT" with its newlines
// written as \n. Exit status 0; 2 for a bad command line; 1 when the add-in cannot be
// loaded or connected, or stays alive after it was disconnected.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "addin/host/host_model.h"
#include "addin/ide.h"
#include "platform/filedlg.h"
#include "platform/msgbox.h"
#include "platform/selfpath.h"

namespace {

const char kAddInClass[] = "{6E681C64-3BF8-11D1-8B4F-444553540000}";

struct options {
  std::string version = "5.0";
  std::string project;  // empty: no project open
  std::string choose;   // empty: the file dialog is cancelled
  bool first = false;
  std::vector<std::string> commands;
};

int usage(const std::string& problem) {
  std::fprintf(stderr,
               "ide-host: %s\nusage: ide-host [-version TEXT] [-project FILE.dsp] "
               "[-choose FILE.m | -cancel] [-first] COMMAND...\n"
               "COMMAND: add, viewer, about or open:PATH\n",
               problem.c_str());
  return 2;
}

bool known_command(const std::string& c) {
  return c == "add" || c == "viewer" || c == "about" || (c.rfind("open:", 0) == 0 && c.size() > 5);
}

std::string absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd)) return path;
  return std::string(cwd) + "/" + path;
}

// Fills o from the command line; an empty text when it is sound, else the problem.
std::string parse(int argc, char** argv, options& o) {
  bool cancel = false, choose = false;
  int i = 1;
  for (; i < argc && argv[i][0] == '-'; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "-version" || a == "-project" || a == "-choose") {
      if (!has_value) return a + " needs a value";
      const std::string value = argv[++i];
      if (value.empty() && a != "-version") return a + " needs a file";
      if (a == "-version") {
        o.version = value;
      } else if (a == "-project") {
        o.project = absolute(value);
      } else {
        o.choose = absolute(value);
        choose = true;
      }
    } else if (a == "-cancel") {
      cancel = true;
    } else if (a == "-first") {
      o.first = true;
    } else {
      return "unknown option " + a;
    }
  }
  if (choose && cancel) return "-choose and -cancel exclude each other";
  for (; i < argc; ++i) {
    if (!known_command(argv[i])) return std::string("unknown command ") + argv[i];
    o.commands.push_back(argv[i]);
  }
  if (o.commands.empty()) return "no command given";
  return std::string();
}

std::string chosen_file;

bool answer_dialog(const platform::file_dialog&, std::string& chosen) {
  if (chosen_file.empty()) return false;
  chosen = chosen_file;
  return true;
}

platform::box_answer show_box(const std::string&, const std::string& text, platform::box_kind) {
  std::string line;
  for (char c : text) line += (c == '\n') ? std::string("\\n") : std::string(1, c);
  std::fflush(stdout);
  std::fprintf(stderr, "box: %s\n", line.c_str());
  std::fflush(stderr);
  return platform::box_answer::ok;
}

// The add-in library and its exports.
struct addin_library {
  void* handle = nullptr;
  ide::HRESULT (*register_server)() = nullptr;
  ide::HRESULT (*get_class_object)(const char*, ide::IClassFactory**) = nullptr;
  ide::HRESULT (*can_unload_now)() = nullptr;

  bool load(const std::string& path) {
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return false;
    register_server = reinterpret_cast<decltype(register_server)>(dlsym(handle, "DllRegisterServer"));
    get_class_object = reinterpret_cast<decltype(get_class_object)>(dlsym(handle, "DllGetClassObject"));
    can_unload_now = reinterpret_cast<decltype(can_unload_now)>(dlsym(handle, "DllCanUnloadNow"));
    return register_server && get_class_object && can_unload_now;
  }
};

int fail(const std::string& text) {
  std::fprintf(stderr, "ide-host: %s\n", text.c_str());
  return 1;
}

// Runs one command of the command line; false when the add-in has not added it.
bool run(const std::string& command, host::application& app) {
  if (command.rfind("open:", 0) == 0) {
    app.docs().Open(command.substr(5));
    return true;
  }
  const char* name = command == "add" ? "PelkorCommand" : command == "viewer" ? "PelkorViewer" : "PelkorAbout";
  return app.invoke(name);
}

}  // namespace

int main(int argc, char** argv) {
  options o;
  const std::string problem = parse(argc, argv, o);
  if (!problem.empty()) return usage(problem);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  platform::set_box_handler(show_box);
  chosen_file = o.choose;
  platform::set_file_dialog_handler(answer_dialog);

  const std::string self = platform::self_path();
  const std::string library = self.substr(0, self.find_last_of('/') + 1) + "pelkor.so";
  addin_library lib;
  if (!lib.load(library)) {
    const char* why = dlerror();
    return fail("cannot load " + library + (why ? std::string(": ") + why : std::string()));
  }
  if (lib.register_server() != ide::S_OK) return fail("the add-in could not register itself");

  host::application app(o.version, o.project);
  ide::IClassFactory* factory = nullptr;
  if (lib.get_class_object(kAddInClass, &factory) != ide::S_OK || !factory)
    return fail("the add-in offers no class " + std::string(kAddInClass));
  std::unique_ptr<ide::IClassFactory> factory_owner(factory);
  ide::IObject* object = nullptr;
  factory->CreateInstance(object);
  std::unique_ptr<ide::IObject> addin_owner(object);
  auto* addin = dynamic_cast<ide::IDSAddIn*>(object);
  if (!addin) return fail("the add-in object is not an add-in");

  ide::VARIANT_BOOL ok = ide::VARIANT_FALSE;
  addin->OnConnection(&app, o.first ? ide::VARIANT_TRUE : ide::VARIANT_FALSE, 1, ok);
  int status = 0;
  if (ok != ide::VARIANT_TRUE) {
    status = fail("the add-in did not connect");
  } else {
    for (const std::string& c : o.commands)
      if (!run(c, app)) status = fail("the add-in has no command for " + c);
  }
  addin->OnDisconnection(ide::VARIANT_TRUE);
  addin_owner.reset();
  factory_owner.reset();
  if (lib.can_unload_now() != ide::S_OK) status = fail("the add-in keeps objects alive after it was disconnected");
  std::fflush(stdout);
  return status;
}
