#pragma once
// One desktop notification through the freedesktop notification service on
// the session bus. The call is asynchronous, so a bus that is slow or has no
// such service never stalls the window; when the service does not take the
// notification, `fallback` runs instead (the tray's message).

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>

namespace korvex {

class DesktopNotifier : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kService = "org.freedesktop.Notifications";
  static constexpr const char* kPath = "/org/freedesktop/Notifications";
  static constexpr int kTimeoutMs = 3000;

  explicit DesktopNotifier(QDBusConnection bus, QObject* parent = nullptr);

  // `icon`: an icon name of the theme. `done` gets true when the service
  // took the notification, after `fallback` ran otherwise.
  void Show(const QString& appName, const QString& icon, const QString& summary, const QString& body,
            std::function<void()> fallback, std::function<void(bool)> done = {});

 private:
  QDBusConnection bus_;
};

}  // namespace korvex
