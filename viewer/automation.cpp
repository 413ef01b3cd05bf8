#include "viewer/automation.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <cctype>
#include <cstdlib>

#include "platform/registry.h"
#include "viewer/lumigrid_dlg.h"

namespace lumigrid {

QString automation_server_name() {
  if (const char* given = std::getenv("KORVAL_AUTOMATION_NAME"); given && *given)
    return QString::fromLocal8Bit(given);
  return QString("%1.%2").arg(kProgId).arg(getuid());
}

bool register_automation_class(const std::string& program_path) {
  using platform::registry_set;
  const std::string root = platform::kClassesHive;
  const std::string clsid_key = root + "\\CLSID\\" + kClsid;
  return registry_set(root + "\\" + kProgId, "", kProgId) &&
         registry_set(root + "\\" + kProgId + "\\CLSID", "", kClsid) &&
         registry_set(clsid_key, "", kProgId) &&
         registry_set(clsid_key + "\\ProgID", "", kProgId) &&
         registry_set(clsid_key + "\\LocalServer32", "", program_path) &&
         registry_set(root + "\\Interface\\" + kDispatchIid, "", "ILumigrid");
}

bool is_automation_switch(const std::string& arg) {
  if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) return false;
  std::string word;
  for (std::size_t k = 1; k < arg.size(); ++k)
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(arg[k])));
  return word == "embedding" || word == "automation";
}

automation_object::automation_object(QLocalSocket* client, CLumigridDlg* window)
    : client_(client), window_(window) {
  client_->setParent(this);
  if (window_) window_->set_auto_proxy(this);
  connect(client_, &QLocalSocket::disconnected, this, [this] { released(); });
  client_->write(kGreeting);
  client_->flush();
  if (client_->state() == QLocalSocket::UnconnectedState)
    QMetaObject::invokeMethod(this, [this] { released(); }, Qt::QueuedConnection);
}

automation_object::~automation_object() {
  if (window_ && window_->auto_proxy() == this) window_->set_auto_proxy(nullptr);
}

void automation_object::released() {
  CLumigridDlg* window = window_;
  window_ = nullptr;
  if (window && window->auto_proxy() == this) {
    window->set_auto_proxy(nullptr);
    // The user closed the window while the object held it: now it really closes.
    if (!window->isVisible()) window->done(QDialog::Rejected);
  }
  deleteLater();
}

automation_server::automation_server(CLumigridDlg* window, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), window_(window) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, [this] { new_connection(); });
}

bool automation_server::register_running(QString& error) {
  const QString name = automation_server_name();
  // A name that answers belongs to a running viewer; one that does not is left over.
  QLocalSocket probe;
  probe.connectToServer(name);
  if (probe.waitForConnected(500)) {
    probe.disconnectFromServer();
    error = "another viewer serves " + name;
    return false;
  }
  QLocalServer::removeServer(name);
  if (!server_->listen(name)) {
    error = server_->errorString();
    return false;
  }
  return true;
}

bool automation_server::listening() const { return server_->isListening(); }

void automation_server::new_connection() {
  while (QLocalSocket* client = server_->nextPendingConnection()) {
    client->setParent(this);
    // A connection that ends before it asks for an object is dropped.
    connect(client, &QLocalSocket::disconnected, client, [this, client] {
      if (client->parent() == this) client->deleteLater();
    });
    connect(client, &QLocalSocket::readyRead, this, [this, client] { request(client); });
  }
}

void automation_server::request(QLocalSocket* client) {
  if (client->parent() != this || !client->canReadLine()) return;
  const QByteArray line = client->readLine().trimmed();
  if (line != kCreateRequest || object_) {
    client->disconnectFromServer();
    return;
  }
  object_ = new automation_object(client, window_);
  connect(object_, &QObject::destroyed, this, [this] { object_ = nullptr; });
  server_->close();   // one object per viewer
}

}  // namespace lumigrid
