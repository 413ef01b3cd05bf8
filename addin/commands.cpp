#include "addin/commands.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "addin/logrun.h"
#include "addin/paths.h"
#include "addin/prjupd.h"
#include "platform/child.h"
#include "platform/filedlg.h"
#include "platform/msgbox.h"
#include "platform/registry.h"

namespace pelkor {

using ide::HRESULT;
using ide::S_OK;

namespace {

const char kRootKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Talvecore\\KORVAL\\rootdir";
const char kBoxCaption[] = "Visual KORVAL";
const char kNoRoot[] = "Could not locate KORVAL registry entry.";

void box(const std::string& text) {
  platform::message_box(kBoxCaption, text, platform::box_kind::ok);
}

// The full path of this library.
std::string addin_path() {
  Dl_info info;
  if (dladdr(reinterpret_cast<const void*>(&addin_path), &info) == 0 || !info.dli_fname)
    return std::string();
  char real[4096];
  if (!realpath(info.dli_fname, real)) return info.dli_fname;
  return real;
}

}  // namespace

// The sinks of the application's and the debugger's events. Only the opening of a
// document does something: M-files are shown as C/C++ sources.
class ApplicationEvents : public ide::IApplicationEvents, counted {
 public:
  ApplicationEvents(Commands* owner, ide::IApplication* source) : owner_(owner), source_(source) {
    if (source_->Advise(this, cookie_) != S_OK) source_ = nullptr;
  }
  ~ApplicationEvents() override { Disconnect(); }
  void Disconnect() {
    if (source_) source_->Unadvise(cookie_);
    source_ = nullptr;
  }

  HRESULT BeforeBuildStart() override { return S_OK; }
  HRESULT BuildFinish(long, long) override { return S_OK; }
  HRESULT BeforeApplicationShutDown() override { return S_OK; }
  HRESULT DocumentOpen(ide::IObject* document) override {
    color_m_document(document);
    return S_OK;
  }
  HRESULT BeforeDocumentClose(ide::IObject*) override { return S_OK; }
  HRESULT DocumentSave(ide::IObject*) override { return S_OK; }
  HRESULT NewDocument(ide::IObject*) override { return S_OK; }
  HRESULT WindowActivate(ide::IObject*) override { return S_OK; }
  HRESULT WindowDeactivate(ide::IObject*) override { return S_OK; }
  HRESULT WorkspaceOpen() override { return S_OK; }
  HRESULT WorkspaceClose() override { return S_OK; }
  HRESULT NewWorkspace() override { return S_OK; }

 private:
  Commands* owner_;
  ide::IApplication* source_;
  unsigned long cookie_ = 0;
};

class DebuggerEvents : public ide::IDebuggerEvents, counted {
 public:
  DebuggerEvents(Commands* owner, ide::IDebugger* source) : owner_(owner), source_(source) {
    if (source_->Advise(this, cookie_) != S_OK) source_ = nullptr;
  }
  ~DebuggerEvents() override { Disconnect(); }
  void Disconnect() {
    if (source_) source_->Unadvise(cookie_);
    source_ = nullptr;
  }
  HRESULT BreakpointHit(ide::IObject*) override { return S_OK; }

 private:
  Commands* owner_;
  ide::IDebugger* source_;
  unsigned long cookie_ = 0;
};

bool read_root(std::string& root) {
  std::string value;
  if (!platform::registry_get(kRootKey, "", value) || value.empty()) return false;
  root = with_separator(value);
  return true;
}

void color_m_document(ide::IObject* document) {
  auto* text = dynamic_cast<ide::ITextDocument*>(document);
  if (!text) return;
  std::string name;
  if (text->get_Name(name) != S_OK) return;
  if (prjupd::HasExtension(name, "m") == 0) text->put_Language("C/C++");
}

std::string about_text(const std::string& addin, const std::string& root) {
  return "Visual KORVAL 3.0\n\nM-files into C++ in your Developer Studio projects\n\n"
         "ADDIN Path: " + addin + "\n\nKORVAL Path: " + root;
}

Commands::Commands() {
  if (!read_root(root_)) {
    root_.clear();
    box(kNoRoot);
    return;
  }
  // Programs started from the IDE find the product's files.
  const char* old = std::getenv("PATH");
  const std::string path = old ? old : "";
  const std::string updated = path_with_root(path, root_);
  if (updated != path) setenv("PATH", updated.c_str(), 1);
}

Commands::~Commands() = default;

void Commands::SetApplicationObject(ide::IApplication* application) {
  app_ = application;
  app_events_ = std::make_unique<ApplicationEvents>(this, app_);
  if (app_->get_Debugger(debugger_) == S_OK && debugger_)
    debugger_events_ = std::make_unique<DebuggerEvents>(this, debugger_);
}

void Commands::UnadviseFromEvents() {
  if (app_events_) app_events_->Disconnect();
  if (debugger_events_) debugger_events_->Disconnect();
}

void Commands::report(const std::string& text) {
  app_->PrintToOutputWindow(text);
  box(text);
}

// Shared start of Add m-files and Matrix Viewer: the IDE is disabled, and the command
// only goes on in the supported IDE with the root directory known.
bool Commands::prologue() {
  app_->EnableModeless(ide::VARIANT_FALSE);
  std::string version;
  if (app_->get_Version(version) != S_OK || version.empty() || version[0] != '5') {
    report(std::string("Visual KORVAL ") + "3.0" + " can only be run with Developer Studio " +
           "5" + ".X");
    return false;
  }
  if (!read_root(root_)) {
    report(kNoRoot);
    return false;
  }
  return true;
}

HRESULT Commands::PelkorCommandMethod() {
  if (prologue()) add_m_files();
  app_->EnableModeless(ide::VARIANT_TRUE);
  return S_OK;
}

void Commands::add_m_files() {
  ide::IObject* active = nullptr;
  auto* project_object = (app_->get_ActiveProject(active) == S_OK)
                             ? dynamic_cast<ide::IGenericProject*>(active)
                             : nullptr;
  std::string project;
  if (!project_object || project_object->get_FullName(project) != S_OK) {
    report("Please create or open a project before running Visual KORVAL.");
    return;
  }

  platform::file_dialog dialog;
  dialog.title = "Please choose the top level matlab .m file to process into project ...";
  dialog.default_extension = "*.m";
  dialog.filter = "Matlab Files (*.m)|*.m||";
  std::string m_file;
  if (!platform::open_file_dialog(dialog, m_file)) return;

  for (const char* command : {"FileSaveAll", "WindowCloseAll", "WorkspaceSave", "WorkspaceClose"})
    app_->ExecuteCommand(command);

  const std::string dir = directory_of(project);
  const std::string log = log_path(dir);
  // The words go to the translator as they are, so paths with blanks stay whole. The
  // translator reads an argument that begins with "/" as a switch, so the M-file goes
  // by its path from the project's directory, where the translator runs.
  const std::string m_arg = relative_path(dir.empty() ? "." : dir, m_file);
  const std::vector<std::string> command = {root_ + "korval", m_arg, "-make", "-ide:vc"};
  const run_result run =
      run_logged(command, dir, log, [this](const std::string& line) { app_->PrintToOutputWindow(line); });

  switch (run.status) {
    case run_status::log_not_written:
      report("could not write KORVAL log file.");
      return;
    case run_status::log_not_read:
      report("could not read KORVAL log file.");
      return;
    case run_status::not_started:
      box("Could not run KORVAL. Please check configuration.");
      break;
    case run_status::finished:
      if (run.exit_code != 0) {
        box("Error: KORVAL returned error code " + std::to_string(run.exit_code) + ".");
        break;
      }
      try {
        const auto show = [this](const std::string& line) { app_->PrintToOutputWindow(line); };
        if (prjupd::UpdateProjectFromMakefile(project, makefile_path(dir, m_file), root_, show) == 0) {
          box("Unknown VC Project File Version.");
        } else {
          prjupd::InsertSourceIntoGroup(root_ + "grlibvc0.lib", project, prjupd::kLibraryGroup, {});
          prjupd::InsertLineAfterPrefix(project, "# ADD BASE CPP", "# ADD CPP /I \"" + root_ + "\"");
        }
      } catch (const prjupd::update_failure& failure) {
        report(failure.what());
      }
      break;
  }
  reopen(project, log);
}

// The user ends up in the workspace again, looking at the translator's output.
void Commands::reopen(const std::string& project, const std::string& log) {
  ide::IDocuments* documents = nullptr;
  if (app_->get_Documents(documents) != S_OK) documents = nullptr;
  const std::string workspace = workspace_path(project);
  if (std::FILE* f = std::fopen(workspace.c_str(), "r")) {
    std::fclose(f);
    if (documents) documents->Open(workspace);
  } else {
    app_->ExecuteCommand("WorkspaceOpen");
  }
  if (documents) documents->Open(log);
}

HRESULT Commands::PelkorConfiguration() {
  if (prologue()) {
    platform::child_options options;
    options.no_streams = true;
    if (platform::start_child({root_ + "visual/lumigrid"}, options) < 0)
      report("Could not run Matrix Viewer.");
  }
  app_->EnableModeless(ide::VARIANT_TRUE);
  return S_OK;
}

HRESULT Commands::PelkorAbout() {
  app_->EnableModeless(ide::VARIANT_FALSE);
  std::string root;
  if (!read_root(root)) root.clear();
  box(about_text(addin_path(), root));
  app_->EnableModeless(ide::VARIANT_TRUE);
  return S_OK;
}

}  // namespace pelkor
