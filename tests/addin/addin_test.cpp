// The add-in's connection, registration and log capture, in process, with an IDE
// made here that records what the add-in asks of it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "addin/ide.h"
#include "addin/logrun.h"
#include "addin/paths.h"
#include "platform/msgbox.h"
#include "platform/registry.h"

namespace {

std::vector<std::string> boxes;
platform::box_answer record_box(const std::string&, const std::string& text, platform::box_kind) {
  boxes.push_back(text);
  return platform::box_answer::ok;
}

struct recording_ide : ide::IApplication, ide::IDebugger {
  std::vector<std::string> calls;
  bool refuse_second_command = false;
  int app_sinks = 0, debugger_sinks = 0;

  ide::HRESULT get_Version(std::string& v) override { v = "5.0"; return ide::S_OK; }
  ide::HRESULT get_ActiveProject(ide::IObject*& p) override { p = nullptr; return ide::S_OK; }
  ide::HRESULT PrintToOutputWindow(const std::string& l) override { calls.push_back("print " + l); return ide::S_OK; }
  ide::HRESULT ExecuteCommand(const std::string& n) override { calls.push_back("execute " + n); return ide::S_OK; }
  ide::HRESULT get_Documents(ide::IDocuments*& d) override { d = nullptr; return ide::E_FAIL; }
  ide::HRESULT EnableModeless(ide::VARIANT_BOOL e) override {
    calls.push_back(e == ide::VARIANT_TRUE ? "enable" : "disable");
    return ide::S_OK;
  }
  ide::HRESULT get_Debugger(ide::IDebugger*& d) override { d = this; return ide::S_OK; }
  ide::HRESULT SetAddInInfo(const void*, ide::ICommands* c, long m, long l, long cookie) override {
    calls.push_back("info " + std::to_string(m) + " " + std::to_string(l) + " " + std::to_string(cookie));
    commands = c;
    return ide::S_OK;
  }
  ide::HRESULT AddCommand(const std::string& c, const std::string& m, long glyph, long cookie,
                          ide::VARIANT_BOOL& ok) override {
    calls.push_back("command " + c + " " + m + " " + std::to_string(glyph) + " " + std::to_string(cookie));
    ok = (refuse_second_command && glyph == 1) ? ide::VARIANT_FALSE : ide::VARIANT_TRUE;
    return ide::S_OK;
  }
  ide::HRESULT AddCommandBarButton(long type, const std::string& c, long cookie) override {
    calls.push_back("button " + std::to_string(type) + " " + c + " " + std::to_string(cookie));
    return ide::S_OK;
  }
  // Both event sources count their sinks.
  ide::HRESULT Advise(ide::IApplicationEvents*, unsigned long& cookie) override {
    cookie = 7;
    ++app_sinks;
    return ide::S_OK;
  }
  ide::HRESULT Unadvise(unsigned long) override { return ide::S_OK; }
  ide::HRESULT Advise(ide::IDebuggerEvents*, unsigned long& cookie) override {
    cookie = 8;
    ++debugger_sinks;
    return ide::S_OK;
  }

  ide::ICommands* commands = nullptr;
};

class AddIn : public testing::Test {
 protected:
  void SetUp() override {
    registry_ = testing::TempDir() + "pelkor-registry-" + std::to_string(getpid());
    setenv("KORVAL_REGISTRY", registry_.c_str(), 1);
    std::ofstream(registry_) << "HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvecore\\KORVAL\\rootdir\\=/opt/korval\n";
    platform::set_box_handler(record_box);
    boxes.clear();
  }
  void TearDown() override {
    platform::set_box_handler(nullptr);
    std::remove(registry_.c_str());
  }

  // Connects a new add-in object to ide; returns the out flag.
  ide::VARIANT_BOOL connect(recording_ide& app, ide::VARIANT_BOOL first, ide::IObject*& addin) {
    ide::IClassFactory* factory = nullptr;
    EXPECT_EQ(DllGetClassObject("{6e681c64-3bf8-11d1-8b4f-444553540000}", &factory), ide::S_OK);
    factory->CreateInstance(addin);
    delete factory;
    ide::VARIANT_BOOL ok = 0;
    EXPECT_EQ(dynamic_cast<ide::IDSAddIn*>(addin)->OnConnection(&app, first, 42, ok), ide::S_OK);
    return ok;
  }

  std::string registry_;
};

const std::string kAdd = "command PelkorCommand\nAdd m-files\nAdd m-files to current project\nAdd m-files to "
                         "current project PelkorCommandMethod 0 42";

TEST_F(AddIn, ConnectionAddsCommandsAndButtonsTheFirstTime) {
  recording_ide app;
  ide::IObject* addin = nullptr;
  EXPECT_EQ(connect(app, ide::VARIANT_TRUE, addin), ide::VARIANT_TRUE);
  EXPECT_EQ(app.calls, (std::vector<std::string>{
                           "info 128 129 42", kAdd, "button 1 PelkorCommand 42",
                           "command PelkorViewer\nMatrix Viewer\nKORVAL Matrix Viewer\nMatrix Viewer "
                           "PelkorConfiguration 1 42",
                           "button 1 PelkorViewer 42",
                           "command PelkorAbout\nAbout Visual KORVAL\nAbout Visual KORVAL\nAbout Visual "
                           "KORVAL PelkorAbout 2 42",
                           "button 1 PelkorAbout 42"}));
  EXPECT_EQ(app.app_sinks, 1);
  EXPECT_EQ(app.debugger_sinks, 1);
  EXPECT_NE(std::string(std::getenv("PATH")).find("/opt/korval/"), std::string::npos);
  EXPECT_EQ(DllCanUnloadNow(), ide::S_FALSE);

  // The commands run with the IDE disabled and enabled again.
  app.calls.clear();
  app.commands->PelkorAbout();
  EXPECT_EQ(app.calls, (std::vector<std::string>{"disable", "enable"}));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("\n\nKORVAL Path: /opt/korval/"), std::string::npos) << boxes[0];
  app.calls.clear();
  app.commands->PelkorCommandMethod();
  EXPECT_EQ(app.calls, (std::vector<std::string>{
                           "disable", "print Please create or open a project before running Visual KORVAL.",
                           "enable"}));

  dynamic_cast<ide::IDSAddIn*>(addin)->OnDisconnection(ide::VARIANT_TRUE);
  delete addin;
  EXPECT_EQ(DllCanUnloadNow(), ide::S_OK);
}

TEST_F(AddIn, LaterConnectionsAddNoButtonsAndStopAtARefusedCommand) {
  recording_ide app;
  app.refuse_second_command = true;
  ide::IObject* addin = nullptr;
  EXPECT_EQ(connect(app, ide::VARIANT_FALSE, addin), ide::VARIANT_FALSE);
  ASSERT_EQ(app.calls.size(), 3u);
  EXPECT_EQ(app.calls[1], kAdd);
  EXPECT_EQ(app.calls[2].rfind("command PelkorViewer", 0), 0u);
  delete addin;

  // An object that is not the application: no connection.
  ide::IClassFactory* factory = nullptr;
  ASSERT_EQ(DllGetClassObject("{6E681C64-3BF8-11D1-8B4F-444553540000}", &factory), ide::S_OK);
  factory->LockServer(true);
  delete factory;
  EXPECT_EQ(DllCanUnloadNow(), ide::S_FALSE);  // the lock holds the library
  struct not_an_ide : ide::IObject {} other;
  ide::IObject* second = nullptr;
  ASSERT_EQ(DllGetClassObject("{6E681C64-3BF8-11D1-8B4F-444553540000}", &factory), ide::S_OK);
  factory->CreateInstance(second);
  ide::VARIANT_BOOL ok = ide::VARIANT_TRUE;
  dynamic_cast<ide::IDSAddIn*>(second)->OnConnection(&other, ide::VARIANT_TRUE, 1, ok);
  EXPECT_EQ(ok, ide::VARIANT_FALSE);
  factory->LockServer(false);
  delete second;
  delete factory;
  EXPECT_EQ(DllCanUnloadNow(), ide::S_OK);
  EXPECT_EQ(DllGetClassObject("{6E681C65-3BF8-11D1-8B4F-444553540000}", &factory),
            ide::CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(AddIn, RegistrationWritesTheClassAndRemovesIt) {
  ASSERT_EQ(DllRegisterServer(), ide::S_OK);
  const std::string clsid = "HKEY_CLASSES_ROOT\\CLSID\\{6E681C64-3BF8-11D1-8B4F-444553540000}";
  std::string v;
  ASSERT_TRUE(platform::registry_get(clsid, "", v));
  EXPECT_EQ(v, "Visual KORVAL Add-in");
  ASSERT_TRUE(platform::registry_get(clsid + "\\InprocServer32", "ThreadingModel", v));
  EXPECT_EQ(v, "both");
  ASSERT_TRUE(platform::registry_get(clsid + "\\InprocServer32", "", v));
  EXPECT_EQ(v[0], '/');
  ASSERT_TRUE(platform::registry_get(clsid, "Description", v));
  EXPECT_EQ(v, "Integrate m-files into Projects; Edit, Compile, Run and Debug m-files source directly from "
               "Developer Studio IDE.");
  ASSERT_TRUE(platform::registry_get("HKEY_CLASSES_ROOT\\PELKOR Developer Studio Add-in\\CLSID", "", v));
  EXPECT_EQ(v, "{6E681C64-3BF8-11D1-8B4F-444553540000}");
  ASSERT_TRUE(platform::registry_get("HKEY_CLASSES_ROOT\\Pelkor.DSAddIn.1\\CLSID", "", v));

  EXPECT_EQ(DllUnregisterServer(), ide::S_OK);
  EXPECT_FALSE(platform::registry_get(clsid + "\\InprocServer32", "", v));
  EXPECT_FALSE(platform::registry_get("HKEY_CLASSES_ROOT\\Pelkor.DSAddIn.1\\CLSID", "", v));
  // The root directory is not the add-in's to remove.
  EXPECT_TRUE(platform::registry_get("HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvecore\\KORVAL\\rootdir", "", v));

  // A registry that cannot be written: the Win32 code of the failure comes back.
  setenv("KORVAL_REGISTRY", "/proc/pelkor-no-such-registry", 1);
  EXPECT_EQ(DllRegisterServer(), static_cast<ide::HRESULT>(0x800703F5L));
}

TEST(LogRun, OutputReachesTheWindowAndTheLog) {
  std::vector<std::string> lines;
  pelkor::show_block("a\n\nb\nrest", [&](const std::string& l) { lines.push_back(l); });
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", "rest"}));

  // Much more than one block, written just before the end: all of it is shown.
  const std::string dir = testing::TempDir();
  const std::string log = dir + "pelkor-log-" + std::to_string(getpid());
  std::string shown;
  const pelkor::run_result r = pelkor::run_logged(
      {"/bin/sh", "-c", "sleep 0.3; i=0; while [ $i -lt 600 ]; do echo line$i; i=$((i+1)); done; "
                        "echo oops >&2; pwd; read x || echo no-input; exit 5"},
      "/", log, [&](const std::string& l) { shown += l + "\n"; });
  EXPECT_EQ(r.status, pelkor::run_status::finished);
  EXPECT_EQ(r.exit_code, 5);
  std::ifstream in(log, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  std::string body;
  for (int i = 0; i < 600; ++i) body += "line" + std::to_string(i) + "\n";
  body += "oops\n/\nno-input\n";
  EXPECT_EQ(s.str(), pelkor::kLogHeader + body + pelkor::kLogTrailer);
  // Blocks may cut a line in two in the window, never lose or reorder text.
  std::string joined;
  for (char c : shown) if (c != '\n') joined += c;
  std::string expected;
  for (char c : std::string(pelkor::kLogHeader) + body) if (c != '\n') expected += c;
  EXPECT_EQ(joined, expected);

  EXPECT_EQ(pelkor::run_logged({dir + "no-such-program"}, "/", log, [](const std::string&) {}).status,
            pelkor::run_status::not_started);
  EXPECT_EQ(pelkor::run_logged({"true"}, "/", dir + "no/such/dir/log", [](const std::string&) {}).status,
            pelkor::run_status::log_not_written);
  std::remove(log.c_str());
}

TEST(Paths, NamesBuiltFromTheProject) {
  using namespace pelkor;
  EXPECT_EQ(with_separator("/opt/k"), "/opt/k/");
  EXPECT_EQ(with_separator("/opt/k/"), "/opt/k/");
  EXPECT_EQ(with_separator("C:\\k\\"), "C:\\k\\");
  EXPECT_EQ(directory_of("C:\\p\\demo.dsp"), "C:\\p\\");
  EXPECT_EQ(log_path(directory_of("C:\\p\\demo.dsp")), "C:\\p\\korval.out");
  EXPECT_EQ(workspace_path("C:\\p\\demo.dsp"), "C:\\p\\demo.dsw");
  EXPECT_EQ(makefile_path("C:\\p\\", "C:\\m\\main.m"), "C:\\p\\main.mak");
  EXPECT_EQ(makefile_path("/p/", "/m.d/main.m"), "/p/main.mak");
  EXPECT_EQ(log_path(""), "korval.out");
  EXPECT_EQ(relative_path("/p/", "/p/main.m"), "main.m");
  EXPECT_EQ(relative_path("/p/q", "/p/m/main.m"), "../m/main.m");
  EXPECT_EQ(relative_path("/p/q/", "/p/q/./r/../main.m"), "main.m");
  EXPECT_EQ(relative_path("/p/", "/p/-x.m"), "./-x.m");
  EXPECT_EQ(relative_path("/", "/a.m"), "a.m");
  EXPECT_EQ(relative_path("/p/a", "/p/a.m"), "../a.m");
  EXPECT_EQ(path_with_root("/bin", "/k/"), "/k/:/bin");
  EXPECT_EQ(path_with_root("/bin:/k/", "/k/"), "/bin:/k/");
  EXPECT_EQ(path_with_root("", "/k/"), "/k/");
}

}  // namespace
