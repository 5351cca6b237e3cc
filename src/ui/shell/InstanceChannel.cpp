#include "ui/shell/InstanceChannel.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include "platform/SingleInstanceLock.h"

namespace korvex {
namespace {

const QByteArray kActivate = QByteArrayLiteral("activate\n");
constexpr int kIoTimeoutMs = 500;

}  // namespace

InstanceChannel::InstanceChannel() = default;

InstanceChannel::~InstanceChannel() { Close(); }

QString InstanceChannel::SocketPath(const std::string& caption) {
  return QString::fromStdString(InstanceRuntimePath(caption, ".socket"));
}

bool InstanceChannel::Listen(const QString& path) {
  Close();
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::OnConnection);
  if (server_->listen(path)) return true;
  // Left behind by an instance that crashed: the caller holds the lock, so
  // nobody else can be listening there.
  QLocalServer::removeServer(path);
  return server_->listen(path);
}

void InstanceChannel::Close() {
  if (server_ == nullptr) return;
  server_->close();
  delete server_;
  server_ = nullptr;
}

bool InstanceChannel::IsListening() const { return server_ != nullptr && server_->isListening(); }

void InstanceChannel::OnConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // Only a complete request counts; anything else is dropped.
      if (!socket->canReadLine()) return;
      if (socket->readLine(64) == kActivate) emit ActivationRequested();
      socket->disconnectFromServer();
    });
  }
}

bool InstanceChannel::RequestActivation(const QString& path, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  do {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (socket.waitForConnected(kIoTimeoutMs)) {
      socket.write(kActivate);
      const bool sent = socket.waitForBytesWritten(kIoTimeoutMs);
      socket.disconnectFromServer();
      if (sent) return true;
    }
    QThread::msleep(50);
  } while (clock.elapsed() < timeoutMs);
  return false;
}

}  // namespace korvex
