// The add-in's commands (Add m-files, Matrix Viewer, About) and its two event sinks.
#pragma once
#include <memory>
#include <string>

#include "addin/ide.h"
#include "addin/server.h"

namespace pelkor {

class ApplicationEvents;
class DebuggerEvents;

class Commands : public ide::ICommands, counted {
 public:
  // Reads the root directory and puts it on the search path of this process.
  Commands();
  ~Commands() override;

  // Keeps the application and connects the event sinks to it and to its debugger.
  void SetApplicationObject(ide::IApplication* application);
  // Disconnects the event sinks.
  void UnadviseFromEvents();

  ide::HRESULT PelkorCommandMethod() override;
  ide::HRESULT PelkorConfiguration() override;
  ide::HRESULT PelkorAbout() override;

  const std::string& root() const { return root_; }

 private:
  bool prologue();
  void add_m_files();
  void reopen(const std::string& project, const std::string& log);
  void report(const std::string& text);

  ide::IApplication* app_ = nullptr;
  std::string root_;
  std::unique_ptr<ApplicationEvents> app_events_;
  std::unique_ptr<DebuggerEvents> debugger_events_;
  ide::IDebugger* debugger_ = nullptr;
};

// The text of the About box.
std::string about_text(const std::string& addin_path, const std::string& root);

// Reads the root directory from the registry, with its separator at the end.
bool read_root(std::string& root);

// Sets the language of a text document with the extension "m" to "C/C++".
void color_m_document(ide::IObject* document);

}  // namespace pelkor
