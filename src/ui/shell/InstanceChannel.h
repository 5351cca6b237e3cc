#pragma once
// How a second start finds the running window: the first instance listens
// on a local socket named after the caption (it holds the single-instance
// lock, so a socket file left by a crash can safely be replaced); a second
// start connects and asks the window to come forward.

#include <QObject>
#include <QString>

class QLocalServer;

namespace korvex {

class InstanceChannel : public QObject {
  Q_OBJECT

 public:
  InstanceChannel();
  ~InstanceChannel() override;

  // "<runtime folder>/<caption>.socket".
  static QString SocketPath(const std::string& caption);

  // Starts listening; false when the socket cannot be made.
  bool Listen(const QString& path);
  void Close();
  bool IsListening() const;

  // A second start: asks the instance at `path` to come forward, trying
  // until `timeoutMs` passed (the first may still be starting). True when
  // the request was delivered.
  static bool RequestActivation(const QString& path, int timeoutMs);

 signals:
  void ActivationRequested();

 private:
  void OnConnection();

  QLocalServer* server_ = nullptr;
};

}  // namespace korvex
