// The viewer's automation class "Lumigrid.Application". Its object has no methods and
// no properties: a client that holds one keeps the viewer's window alive. Here a local
// socket server named after the ProgID and the user stands for the class factory; each
// connection is one object, and like a single-use class factory a viewer serves one
// object, then stops listening so that the next client starts a viewer of its own.
// A client asks for the object with the line "create"; a connection that asks nothing
// (a probe for a running viewer) makes none.
// The class is registered in the registry stand-in under HKEY_CLASSES_ROOT.
#pragma once
#include <QObject>
#include <QString>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace lumigrid {

class CLumigridDlg;

inline constexpr const char* kProgId = "Lumigrid.Application";
inline constexpr const char* kClsid = "{963A4A07-3D5A-11D1-88D0-08002BE5A6C9}";
inline constexpr const char* kDispatchIid = "{963A4A09-3D5A-11D1-88D0-08002BE5A6C9}";

// The server's name: the ProgID and the user ($KORVAL_AUTOMATION_NAME overrides it).
QString automation_server_name();

// Writes the class's registration (ProgID, CLSID, local server path, interface).
// False when the registry stand-in could not store it.
bool register_automation_class(const std::string& program_path);

// True when the command line holds one of the automation switches (Embedding,
// Automation, after "-" or "/", any case).
bool is_automation_switch(const std::string& arg);

// One automation object: it holds the window while its client stays connected.
class automation_object : public QObject {
 public:
  automation_object(QLocalSocket* client, CLumigridDlg* window);
  ~automation_object() override;
  // The window ends: the object forgets it.
  void window_closed() { window_ = nullptr; }
  CLumigridDlg* window() const { return window_; }

 private:
  void released();
  QLocalSocket* client_;
  CLumigridDlg* window_;
};

// The class factory registered as running: listens until its one object is made.
class automation_server : public QObject {
 public:
  explicit automation_server(CLumigridDlg* window, QObject* parent = nullptr);
  // Starts listening; false with the reason when the name cannot be served.
  bool register_running(QString& error);
  bool listening() const;
  automation_object* object() const { return object_; }

 private:
  void new_connection();
  void request(QLocalSocket* client);
  QLocalServer* server_;
  CLumigridDlg* window_;
  automation_object* object_ = nullptr;
};

// What a client sends to have the object made, and the greeting it then receives.
inline constexpr const char* kCreateRequest = "create";
inline constexpr const char* kGreeting = "Lumigrid.Application {963A4A07-3D5A-11D1-88D0-08002BE5A6C9}\n";

}  // namespace lumigrid
