// The IDE's objects as ide-host provides them: what the add-in does to them is written
// to standard output.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "addin/ide.h"

namespace host {

// Connected sinks of one event source.
template <class Sink>
class event_source : public virtual ide::IEventSource<Sink> {
 public:
  ide::HRESULT Advise(Sink* sink, unsigned long& cookie) override {
    cookie = ++last_;
    sinks_[cookie] = sink;
    return ide::S_OK;
  }
  ide::HRESULT Unadvise(unsigned long cookie) override {
    return sinks_.erase(cookie) ? ide::S_OK : ide::E_FAIL;
  }
  std::vector<Sink*> sinks() const {
    std::vector<Sink*> all;
    for (const auto& s : sinks_) all.push_back(s.second);
    return all;
  }

 private:
  std::map<unsigned long, Sink*> sinks_;
  unsigned long last_ = 0;
};

class project : public ide::IGenericProject {
 public:
  explicit project(std::string path) : path_(std::move(path)) {}
  ide::HRESULT get_FullName(std::string& path) override;

 private:
  std::string path_;
};

// A document the IDE opened as text: its language can be set.
class text_document : public ide::ITextDocument {
 public:
  explicit text_document(std::string path) : path_(std::move(path)) {}
  ide::HRESULT get_Name(std::string& name) override;
  ide::HRESULT put_Language(const std::string& language) override;

 private:
  std::string path_;
};

// A document opened in the binary editor: it has no text interface.
class binary_document : public ide::IObject {};

class application;

class documents : public ide::IDocuments {
 public:
  explicit documents(application& app) : app_(app) {}
  // Shows "open: PATH"; a workspace reopens, any other file becomes a document and
  // the application's sinks hear of it.
  ide::HRESULT Open(const std::string& path) override;

 private:
  application& app_;
  std::vector<std::unique_ptr<ide::IObject>> open_;
};

class debugger : public ide::IDebugger, public event_source<ide::IDebuggerEvents> {};

class application : public ide::IApplication, public event_source<ide::IApplicationEvents> {
 public:
  application(std::string version, const std::string& project_path);

  ide::HRESULT get_Version(std::string& version) override;
  ide::HRESULT get_ActiveProject(ide::IObject*& active) override;
  ide::HRESULT PrintToOutputWindow(const std::string& line) override;
  ide::HRESULT ExecuteCommand(const std::string& name) override;
  ide::HRESULT get_Documents(ide::IDocuments*& docs) override;
  ide::HRESULT EnableModeless(ide::VARIANT_BOOL enable) override;
  ide::HRESULT get_Debugger(ide::IDebugger*& dbg) override;
  ide::HRESULT SetAddInInfo(const void* instance, ide::ICommands* commands, long bitmap_medium,
                            long bitmap_large, long cookie) override;
  ide::HRESULT AddCommand(const std::string& command, const std::string& method, long glyph,
                          long cookie, ide::VARIANT_BOOL& ok) override;
  ide::HRESULT AddCommandBarButton(long type, const std::string& command, long cookie) override;

  documents& docs() { return documents_; }
  // Runs the add-in's command of that name, as a click on its button does; false when
  // the add-in has not added it.
  bool invoke(const std::string& command);

 private:
  std::string version_;
  std::unique_ptr<project> project_;
  documents documents_{*this};
  debugger debugger_;
  ide::ICommands* commands_ = nullptr;
  std::map<std::string, std::string> methods_;  // command name -> method name
};

}  // namespace host
