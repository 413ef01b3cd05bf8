#include "addin/host/host_model.h"

#include <cstdio>
#include <fstream>

namespace host {
namespace {

void show(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool ends_with(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A file whose first block holds a NUL byte opens in the binary editor.
bool looks_binary(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char buf[4096];
  in.read(buf, sizeof buf);
  const std::string block(buf, static_cast<std::size_t>(in.gcount()));
  return block.find('\0') != std::string::npos;
}

}  // namespace

ide::HRESULT project::get_FullName(std::string& path) {
  path = path_;
  return ide::S_OK;
}

ide::HRESULT text_document::get_Name(std::string& name) {
  name = path_.substr(path_.find_last_of("/\\") + 1);
  return ide::S_OK;
}

ide::HRESULT text_document::put_Language(const std::string& language) {
  std::string name;
  get_Name(name);
  show("language: " + name + " " + language);
  return ide::S_OK;
}

ide::HRESULT documents::Open(const std::string& path) {
  show("open: " + path);
  if (ends_with(path, ".dsw")) return ide::S_OK;
  if (looks_binary(path)) open_.push_back(std::make_unique<binary_document>());
  else open_.push_back(std::make_unique<text_document>(path));
  for (ide::IApplicationEvents* sink : app_.sinks()) sink->DocumentOpen(open_.back().get());
  return ide::S_OK;
}

application::application(std::string version, const std::string& project_path)
    : version_(std::move(version)) {
  if (!project_path.empty()) project_ = std::make_unique<project>(project_path);
}

ide::HRESULT application::get_Version(std::string& version) {
  version = version_;
  return ide::S_OK;
}

ide::HRESULT application::get_ActiveProject(ide::IObject*& active) {
  active = project_.get();
  return ide::S_OK;
}

ide::HRESULT application::PrintToOutputWindow(const std::string& line) {
  show(line);
  return ide::S_OK;
}

ide::HRESULT application::ExecuteCommand(const std::string& name) {
  show("command: " + name);
  return ide::S_OK;
}

ide::HRESULT application::get_Documents(ide::IDocuments*& docs) {
  docs = &documents_;
  return ide::S_OK;
}

ide::HRESULT application::EnableModeless(ide::VARIANT_BOOL) { return ide::S_OK; }

ide::HRESULT application::get_Debugger(ide::IDebugger*& dbg) {
  dbg = &debugger_;
  return ide::S_OK;
}

ide::HRESULT application::SetAddInInfo(const void*, ide::ICommands* commands, long, long, long) {
  commands_ = commands;
  return ide::S_OK;
}

ide::HRESULT application::AddCommand(const std::string& command, const std::string& method, long,
                                     long, ide::VARIANT_BOOL& ok) {
  methods_[command.substr(0, command.find('\n'))] = method;
  ok = ide::VARIANT_TRUE;
  return ide::S_OK;
}

ide::HRESULT application::AddCommandBarButton(long, const std::string&, long) { return ide::S_OK; }

bool application::invoke(const std::string& command) {
  const auto m = methods_.find(command);
  if (!commands_ || m == methods_.end()) return false;
  if (m->second == "PelkorCommandMethod") commands_->PelkorCommandMethod();
  else if (m->second == "PelkorConfiguration") commands_->PelkorConfiguration();
  else if (m->second == "PelkorAbout") commands_->PelkorAbout();
  else return false;
  return true;
}

}  // namespace host
