// The add-in object the IDE creates, its class factory, and the library's exports:
// registration of the class, the class factory and the unload check.
#include <dlfcn.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "addin/commands.h"
#include "addin/ide.h"
#include "addin/server.h"
#include "platform/registry.h"

namespace pelkor {

using ide::HRESULT;
using ide::S_OK;

namespace {

std::atomic<long> objects{0};
std::atomic<long> locks{0};

const char kClsid[] = "{6E681C64-3BF8-11D1-8B4F-444553540000}";
const char kLibid[] = "{6E681C69-3BF8-11D1-8B4F-444553540000}";
const char kIidCommands[] = "{6E681C65-3BF8-11D1-8B4F-444553540000}";
const char kProgId[] = "Pelkor.DSAddIn.1";
const char kIndependentProgId[] = "PELKOR Developer Studio Add-in";
const char kTypeLibHelp[] = "PELKOR Developer Studio Add-in";

// The library's strings: the object's description, its long description, and for each
// command its button text, status-bar text and tooltip after the command's name.
const char kDescription[] = "Visual KORVAL Add-in";
const char kLongDescription[] =
    "Integrate m-files into Projects; Edit, Compile, Run and Debug m-files source directly "
    "from Developer Studio IDE.";
const char kAddText[] = "\nAdd m-files\nAdd m-files to current project\nAdd m-files to current project";
const char kViewerText[] = "\nMatrix Viewer\nKORVAL Matrix Viewer\nMatrix Viewer";
const char kAboutText[] = "\nAbout Visual KORVAL\nAbout Visual KORVAL\nAbout Visual KORVAL";

const long kBitmapMedium = 128;
const long kBitmapLarge = 129;

const long kErrorCantWrite = 1013;  // the registry refused a value
HRESULT from_win32(long code) { return static_cast<HRESULT>(0x80070000L | (code & 0xFFFF)); }

std::string library_path() {
  Dl_info info;
  if (dladdr(reinterpret_cast<const void*>(&library_path), &info) == 0 || !info.dli_fname)
    return std::string();
  char real[4096];
  return realpath(info.dli_fname, real) ? std::string(real) : std::string(info.dli_fname);
}

const void* library_base() {
  Dl_info info;
  if (dladdr(reinterpret_cast<const void*>(&library_base), &info) == 0) return nullptr;
  return info.dli_fbase;
}

struct reg_value {
  std::string key, name, value;
};

std::string classes(const std::string& key) { return std::string(platform::kClassesHive) + "\\" + key; }

// The class and ProgID values; these go again when the class is unregistered.
std::vector<reg_value> class_values(const std::string& dll) {
  const std::string clsid_key = classes(std::string("CLSID\\") + kClsid);
  return {
      {classes(kProgId), "", kDescription},
      {classes(kProgId) + "\\CLSID", "", kClsid},
      {classes(kIndependentProgId), "", kDescription},
      {classes(kIndependentProgId) + "\\CLSID", "", kClsid},
      {clsid_key, "", kDescription},
      {clsid_key, "Description", kLongDescription},
      {clsid_key + "\\ProgID", "", kProgId},
      {clsid_key + "\\VersionIndependentProgID", "", kIndependentProgId},
      {clsid_key + "\\InprocServer32", "", dll},
      {clsid_key + "\\InprocServer32", "ThreadingModel", "both"},
  };
}

// The type library (carried by the library itself) and its dual interface ICommands.
std::vector<reg_value> typelib_values(const std::string& dll) {
  const std::string lib_key = classes(std::string("TypeLib\\") + kLibid + "\\1.0");
  const std::string if_key = classes(std::string("Interface\\") + kIidCommands);
  std::string dir = dll.substr(0, dll.find_last_of('/') + 1);
  return {
      {lib_key, "", kTypeLibHelp},
      {lib_key + "\\409\\linux", "", dll},
      {lib_key + "\\FLAGS", "", "0"},
      {lib_key + "\\HELPDIR", "", dir},
      {if_key, "", "ICommands"},
      {if_key + "\\TypeLib", "", kLibid},
      {if_key + "\\TypeLib", "Version", "1.0"},
  };
}

class DSAddIn : public ide::IDSAddIn, counted {
 public:
  HRESULT OnConnection(ide::IObject* application, ide::VARIANT_BOOL first_time, long cookie,
                       ide::VARIANT_BOOL& ok) override {
    auto* app = dynamic_cast<ide::IApplication*>(application);
    if (!app) {
      ok = ide::VARIANT_FALSE;
      return S_OK;
    }
    cookie_ = cookie;
    commands_ = std::make_unique<Commands>();
    commands_->SetApplicationObject(app);
    app->SetAddInInfo(library_base(), commands_.get(), kBitmapMedium, kBitmapLarge, cookie);

    const std::pair<const char*, const char*> entries[] = {
        {"PelkorCommand", kAddText}, {"PelkorViewer", kViewerText}, {"PelkorAbout", kAboutText}};
    const char* methods[] = {"PelkorCommandMethod", "PelkorConfiguration", "PelkorAbout"};
    for (long glyph = 0; glyph < 3; ++glyph) {
      const std::string name = entries[glyph].first;
      ide::VARIANT_BOOL added = ide::VARIANT_FALSE;
      app->AddCommand(name + entries[glyph].second, methods[glyph], glyph, cookie, added);
      if (added == ide::VARIANT_FALSE) {
        ok = ide::VARIANT_FALSE;
        return S_OK;
      }
      if (first_time == ide::VARIANT_TRUE) app->AddCommandBarButton(ide::dsGlyph, name, cookie);
    }
    ok = ide::VARIANT_TRUE;
    return S_OK;
  }

  HRESULT OnDisconnection(ide::VARIANT_BOOL) override {
    if (commands_) commands_->UnadviseFromEvents();
    commands_.reset();
    return S_OK;
  }

 private:
  std::unique_ptr<Commands> commands_;
  long cookie_ = 0;
};

class ClassFactory : public ide::IClassFactory, counted {
 public:
  HRESULT CreateInstance(ide::IObject*& object) override {
    object = new DSAddIn();
    return S_OK;
  }
  HRESULT LockServer(bool lock) override {
    change_locks(lock ? 1 : -1);
    return S_OK;
  }
};

bool same_id(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
      return false;
  return *a == *b;
}

}  // namespace

long live_objects() { return objects.load(); }
long server_locks() { return locks.load(); }
void change_locks(int delta) { locks += delta; }
counted::counted() { ++objects; }
counted::counted(const counted&) { ++objects; }
counted::~counted() { --objects; }

}  // namespace pelkor

extern "C" {

__attribute__((visibility("default"))) ide::HRESULT DllRegisterServer() {
  const std::string dll = pelkor::library_path();
  std::vector<pelkor::reg_value> values = pelkor::class_values(dll);
  for (const pelkor::reg_value& v : pelkor::typelib_values(dll)) values.push_back(v);
  for (const pelkor::reg_value& v : values)
    if (!platform::registry_set(v.key, v.name, v.value))
      return pelkor::from_win32(pelkor::kErrorCantWrite);
  return ide::S_OK;
}

__attribute__((visibility("default"))) ide::HRESULT DllUnregisterServer() {
  for (const pelkor::reg_value& v : pelkor::class_values(pelkor::library_path()))
    platform::registry_delete(v.key, v.name);
  return ide::S_OK;
}

__attribute__((visibility("default"))) ide::HRESULT DllGetClassObject(
    const char* clsid, ide::IClassFactory** factory) {
  if (!factory) return ide::E_FAIL;
  *factory = nullptr;
  if (!clsid || !pelkor::same_id(clsid, pelkor::kClsid)) return ide::CLASS_E_CLASSNOTAVAILABLE;
  *factory = new pelkor::ClassFactory();
  return ide::S_OK;
}

__attribute__((visibility("default"))) ide::HRESULT DllCanUnloadNow() {
  return (pelkor::live_objects() == 0 && pelkor::server_locks() == 0) ? ide::S_OK : ide::S_FALSE;
}
}
