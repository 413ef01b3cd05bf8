// The IDE's object model as the add-in sees it: the interfaces of Developer Studio's
// automation model and add-in protocol, each with exactly the operations the add-in
// uses. The IDE (here ide-host) implements the application, project, documents and
// debugger; the add-in implements IDSAddIn, ICommands and the two event sinks.
//
// Asking an object for another of its interfaces is a dynamic_cast; an object that
// does not have the interface answers nullptr. Objects are owned by their creator.
#pragma once
#include <string>

namespace ide {

using HRESULT = long;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005L);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111L);

using VARIANT_BOOL = short;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct IObject {
  virtual ~IObject() = default;
};

struct IGenericProject : virtual IObject {
  // Full path of the project file.
  virtual HRESULT get_FullName(std::string& path) = 0;
};

struct ITextDocument : virtual IObject {
  // The document's file name.
  virtual HRESULT get_Name(std::string& name) = 0;
  virtual HRESULT put_Language(const std::string& language) = 0;
};

struct IDocuments : virtual IObject {
  // Opens a file as a document, with the default document type, not read-only; a
  // workspace file reopens the workspace.
  virtual HRESULT Open(const std::string& path) = 0;
};

// Events of the application. The add-in acts on DocumentOpen only.
struct IApplicationEvents : virtual IObject {
  virtual HRESULT BeforeBuildStart() = 0;
  virtual HRESULT BuildFinish(long errors, long warnings) = 0;
  virtual HRESULT BeforeApplicationShutDown() = 0;
  virtual HRESULT DocumentOpen(IObject* document) = 0;
  virtual HRESULT BeforeDocumentClose(IObject* document) = 0;
  virtual HRESULT DocumentSave(IObject* document) = 0;
  virtual HRESULT NewDocument(IObject* document) = 0;
  virtual HRESULT WindowActivate(IObject* window) = 0;
  virtual HRESULT WindowDeactivate(IObject* window) = 0;
  virtual HRESULT WorkspaceOpen() = 0;
  virtual HRESULT WorkspaceClose() = 0;
  virtual HRESULT NewWorkspace() = 0;
};

struct IDebuggerEvents : virtual IObject {
  virtual HRESULT BreakpointHit(IObject* breakpoint) = 0;
};

// An event source: sinks are connected with a cookie and disconnected by it.
template <class Sink>
struct IEventSource : virtual IObject {
  virtual HRESULT Advise(Sink* sink, unsigned long& cookie) = 0;
  virtual HRESULT Unadvise(unsigned long cookie) = 0;
};

struct IDebugger : virtual IEventSource<IDebuggerEvents> {};

// The add-in's command dispatch: the IDE calls these by the method names given to
// AddCommand.
struct ICommands : virtual IObject {
  virtual HRESULT PelkorCommandMethod() = 0;
  virtual HRESULT PelkorConfiguration() = 0;
  virtual HRESULT PelkorAbout() = 0;
};

struct IApplication : virtual IEventSource<IApplicationEvents> {
  virtual HRESULT get_Version(std::string& version) = 0;
  // nullptr when no project is open.
  virtual HRESULT get_ActiveProject(IObject*& project) = 0;
  virtual HRESULT PrintToOutputWindow(const std::string& line) = 0;
  // Runs an IDE command by name, to its end.
  virtual HRESULT ExecuteCommand(const std::string& name) = 0;
  virtual HRESULT get_Documents(IDocuments*& documents) = 0;
  virtual HRESULT EnableModeless(VARIANT_BOOL enable) = 0;
  // nullptr when the IDE has no debugger.
  virtual HRESULT get_Debugger(IDebugger*& debugger) = 0;
  virtual HRESULT SetAddInInfo(const void* instance, ICommands* commands, long bitmap_medium,
                               long bitmap_large, long cookie) = 0;
  // command: name, button text, status-bar text and tooltip separated by newlines.
  virtual HRESULT AddCommand(const std::string& command, const std::string& method, long glyph,
                             long cookie, VARIANT_BOOL& ok) = 0;
  virtual HRESULT AddCommandBarButton(long type, const std::string& command, long cookie) = 0;
};

inline constexpr long dsGlyph = 1;  // AddCommandBarButton: a button showing a glyph

struct IDSAddIn : virtual IObject {
  virtual HRESULT OnConnection(IObject* application, VARIANT_BOOL first_time, long cookie,
                               VARIANT_BOOL& ok) = 0;
  virtual HRESULT OnDisconnection(VARIANT_BOOL last_time) = 0;
};

struct IClassFactory : virtual IObject {
  virtual HRESULT CreateInstance(IObject*& object) = 0;
  virtual HRESULT LockServer(bool lock) = 0;
};

}  // namespace ide

// The exports of the add-in library. Class identities are the brace-enclosed texts.
extern "C" {
ide::HRESULT DllRegisterServer();
ide::HRESULT DllUnregisterServer();
ide::HRESULT DllGetClassObject(const char* clsid, ide::IClassFactory** factory);
ide::HRESULT DllCanUnloadNow();
}
