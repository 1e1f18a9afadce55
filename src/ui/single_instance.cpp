#include "ui/single_instance.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "ui/platform.h"

namespace korvana::ui {

namespace {
constexpr int kRetryMs = 200;

QString InstanceFolder() {
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) runtime = QDir::tempPath();
  return runtime;
}

// The path a request line names, "" for the bare line feed; nothing for a
// line that is not one absolute path of an existing file in valid UTF-8.
std::optional<QString> PathOfRequest(const QByteArray& line) {
  if (line.isEmpty()) return QString();
  const QString path = QString::fromUtf8(line);
  if (path.toUtf8() != line || line.contains('\0') || !QDir::isAbsolutePath(path)) return std::nullopt;
  if (!QFileInfo(path).isFile()) return std::nullopt;
  return path;
}

// True while the editor cannot take a file: a dialog or menu has the input,
// a long command runs its loop, or a tool window disables the main window.
bool EditorBusy(const QWidget* window) {
  return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr ||
         LongLoopRunning() || (window != nullptr && !window->isEnabled());
}

void BringToFront(QWidget* window) {
  if (window == nullptr) return;
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
  // A dialog that holds the input stays above the window, or the user could
  // neither see nor close what the request waits for.
  if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != window) {
    modal->raise();
    modal->activateWindow();
  }
}
}  // namespace

QString InstanceLockPath() { return InstanceFolder() + QStringLiteral("/korvana.lock"); }
QString InstanceSocketPath() { return InstanceFolder() + QStringLiteral("/korvana.socket"); }

SecondStartServer::SecondStartServer(QWidget* window, std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), m_window(window), m_open(std::move(open)) {
  m_server = new QLocalServer(this);
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  connect(m_server, &QLocalServer::newConnection, this, &SecondStartServer::AcceptConnections);
  m_retry = new QTimer(this);
  m_retry->setSingleShot(true);
  m_retry->setInterval(kRetryMs);
  connect(m_retry, &QTimer::timeout, this, &SecondStartServer::DeliverWhenIdle);
}

SecondStartServer::~SecondStartServer() = default;

bool SecondStartServer::Listen(const QString& socketPath) {
  QLocalServer::removeServer(socketPath);
  return m_server->listen(socketPath);
}

void SecondStartServer::AcceptConnections() {
  while (QLocalSocket* socket = m_server->nextPendingConnection()) {
    // Bounded in size and time: a peer that sends too much, or nothing, is
    // dropped without keeping the editor busy.
    socket->setReadBufferSize(kMaxRequestBytes + 1);
    auto received = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] { Receive(socket, *received); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kRequestTimeoutMs, socket, [socket] { socket->abort(); });
    if (socket->bytesAvailable() > 0) Receive(socket, *received);
  }
}

void SecondStartServer::Receive(QLocalSocket* socket, QByteArray& received) {
  received += socket->read(kMaxRequestBytes + 1 - received.size());
  const qsizetype end = received.indexOf('\n');
  if (received.size() > kMaxRequestBytes || (end >= 0 && end != received.size() - 1)) {
    socket->abort();
    return;
  }
  if (end < 0) return;  // the line goes on
  const std::optional<QString> path = PathOfRequest(received.left(end));
  received.clear();
  disconnect(socket, nullptr, this, nullptr);  // one request per connection
  socket->disconnectFromServer();
  if (path) Request(*path);
}

void SecondStartServer::Request(const QString& path) {
  BringToFront(m_window);
  m_pending = path;
  m_hasPending = true;
  DeliverWhenIdle();
}

void SecondStartServer::DeliverWhenIdle() {
  if (!m_hasPending) return;
  if (EditorBusy(m_window)) {
    m_retry->start();
    return;
  }
  m_hasPending = false;
  if (m_open) m_open(std::exchange(m_pending, QString()));
}

bool HandToRunningEditor(const QString& socketPath, const QString& path, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  const auto remaining = [&] { return static_cast<int>(std::max<qint64>(0, timeoutMs - clock.elapsed())); };
  QLocalSocket socket;
  for (;;) {
    socket.connectToServer(socketPath);
    if (socket.waitForConnected(remaining())) break;
    if (remaining() == 0) return false;
    QThread::msleep(static_cast<unsigned long>(std::min(50, remaining())));
  }
  socket.write(path.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(remaining())) return false;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(remaining());
  return true;
}

}  // namespace korvana::ui
