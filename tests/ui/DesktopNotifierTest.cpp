// The notification goes to the freedesktop service on the bus, and to the
// fallback when there is none. Runs a private bus of its own.

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QVariantMap>

#include "ui/shell/DesktopNotifier.h"
#include "WindowRig.h"

namespace korvex::test {

class FakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  QStringList received;  // "app|icon|summary|body|desktop-entry"

 public slots:
  uint Notify(const QString& app, uint, const QString& icon, const QString& summary, const QString& body,
              const QStringList&, const QVariantMap& hints, int) {
    received << QStringList{app, icon, summary, body, hints.value("desktop-entry").toString()}.join('|');
    return uint(received.size());
  }
};

namespace {

class PrivateBus {
 public:
  PrivateBus() {
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty()) return;
    process_.start(daemon, {"--session", "--nofork", "--print-address=1"});
    if (!process_.waitForReadyRead(5000)) return;
    address_ = QString::fromUtf8(process_.readLine()).trimmed();
  }
  ~PrivateBus() {
    process_.terminate();
    process_.waitForFinished(2000);
  }
  const QString& Address() const { return address_; }

 private:
  QProcess process_;
  QString address_;
};

TEST(DesktopNotifier, TheServiceGetsTheNoticeElseTheFallbackRuns) {
  App();
  PrivateBus bus;
  if (bus.Address().isEmpty()) GTEST_SKIP() << "no dbus-daemon";
  QDBusConnection client = QDBusConnection::connectToBus(bus.Address(), "notifier-client");
  QDBusConnection service = QDBusConnection::connectToBus(bus.Address(), "notifier-service");
  ASSERT_TRUE(client.isConnected());
  FakeNotifications fake;
  ASSERT_TRUE(service.registerObject(DesktopNotifier::kPath, &fake, QDBusConnection::ExportAllSlots));
  ASSERT_TRUE(service.registerService(DesktopNotifier::kService));

  DesktopNotifier notifier(client);
  int fallbacks = 0;
  std::vector<bool> results;
  const auto show = [&] {
    notifier.Show("Korvex Mouse", "example.korvex.KorvexMouse", "Battery low", "K3: 12 % left",
                  [&] { ++fallbacks; }, [&](bool delivered) { results.push_back(delivered); });
  };
  show();
  ASSERT_TRUE(WaitUntil([&] { return results.size() == 1; }, 5000));
  EXPECT_TRUE(results[0]);
  EXPECT_EQ(fallbacks, 0);
  ASSERT_EQ(fake.received.size(), 1);
  EXPECT_EQ(fake.received[0].toStdString(),
            "Korvex Mouse|example.korvex.KorvexMouse|Battery low|K3: 12 % left|example.korvex.KorvexMouse");

  // No service on the bus: the tray's message takes over.
  ASSERT_TRUE(service.unregisterService(DesktopNotifier::kService));
  show();
  ASSERT_TRUE(WaitUntil([&] { return results.size() == 2; }, 5000));
  EXPECT_FALSE(results[1]);
  EXPECT_EQ(fallbacks, 1);

  // No bus at all.
  DesktopNotifier offline(QDBusConnection(QStringLiteral("not-connected")));
  offline.Show("a", "b", "c", "d", [&] { ++fallbacks; });
  EXPECT_EQ(fallbacks, 2);
  EXPECT_EQ(fake.received.size(), 1);
  QDBusConnection::disconnectFromBus("notifier-client");
  QDBusConnection::disconnectFromBus("notifier-service");
}

}  // namespace
}  // namespace korvex::test

#include "DesktopNotifierTest.moc"
