#pragma once
// One editor per user, and a second start that helps: the first editor holds
// a lock and listens on a local socket; a second start finds the lock taken
// and hands its file over that socket instead of ending without a word.
// Lock and socket live in the per-user runtime folder, the socket readable
// by its user only.
//
// What goes over the socket is one line: the absolute path of the file to
// open, UTF-8, ended by a line feed; the empty line asks the editor only to
// come to the front. Anything else is ignored.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QTimer;
class QWidget;

namespace korvana::ui {

// The lock that keeps a second editor away, and the socket the first one
// listens on.
[[nodiscard]] QString InstanceLockPath();
[[nodiscard]] QString InstanceSocketPath();

// The first editor's side.
class SecondStartServer : public QObject {
  Q_OBJECT
 public:
  // window comes to the front at once when a request arrives; open gets the
  // request's path (empty: nothing to open) as soon as the editor can take
  // it: not while a modal dialog or a menu is open, a long command lets
  // events run, or a tool window keeps the main window disabled. The latest
  // request waits; an earlier one that waited is dropped.
  SecondStartServer(QWidget* window, std::function<void(const QString&)> open, QObject* parent = nullptr);
  ~SecondStartServer() override;

  // Listens on socketPath (a socket left there by an editor that crashed is
  // removed first: the caller holds the lock). False when it cannot.
  bool Listen(const QString& socketPath);

  static constexpr int kMaxRequestBytes = 4097;  // a path of PATH_MAX bytes and its line feed
  static constexpr int kRequestTimeoutMs = 2000;

 private:
  void AcceptConnections();
  void Receive(QLocalSocket* socket, QByteArray& received);
  void Request(const QString& path);
  void DeliverWhenIdle();

  QPointer<QWidget> m_window;
  std::function<void(const QString&)> m_open;
  QLocalServer* m_server = nullptr;
  QTimer* m_retry = nullptr;
  QString m_pending;
  bool m_hasPending = false;
};

// The second start's side: hands path (absolute; empty to bring the editor
// to the front) to the editor listening on socketPath. The first editor may
// hold its lock a moment before it listens, so the connection is tried
// again until timeoutMs have passed. False when no editor took it.
[[nodiscard]] bool HandToRunningEditor(const QString& socketPath, const QString& path, int timeoutMs);

}  // namespace korvana::ui
