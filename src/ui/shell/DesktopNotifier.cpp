#include "ui/shell/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include "platform/DesktopId.h"

namespace korvex {

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {}

void DesktopNotifier::Show(const QString& appName, const QString& icon, const QString& summary,
                           const QString& body, std::function<void()> fallback, std::function<void(bool)> done) {
  const auto finish = [fallback, done](bool delivered) {
    if (!delivered && fallback) fallback();
    if (done) done(delivered);
  };
  if (!bus_.isConnected()) {
    finish(false);
    return;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                                     QString::fromLatin1(kService), QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(1)));
  hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopId));
  call << appName << uint(0) << icon << summary << body << QStringList() << hints << int(-1);
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kTimeoutMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, finish] {
    const QDBusPendingReply<uint> reply = *watcher;
    watcher->deleteLater();
    finish(!reply.isError());
  });
}

}  // namespace korvex
