// The program's side of the virtual mouse process: the backend chosen by
// KORVEX_VMOUSE, hot-plug events from `plug` and `unplug`, and an unplug in
// the middle of an exchange.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <future>

#include "TransportTestSupport.h"
#include "VmouseProcess.h"
#include "app/DeviceChangeRules.h"
#include "app/DeviceRefresh.h"
#include "transport/HidBackendFactory.h"

namespace korvex {
namespace {

using test::VmouseDaemon;

class Events {
 public:
  HidBackend::EventSink Sink() {
    return [this](const HidDeviceEvent& e) {
      std::lock_guard<std::mutex> lock(mutex_);
      events_.push_back(e);
      cv_.notify_all();
    };
  }
  std::vector<HidDeviceEvent> WaitFor(std::size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait_for(lock, std::chrono::seconds(5), [&] { return events_.size() >= count; });
    auto out = std::move(events_);
    events_.clear();
    return out;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<HidDeviceEvent> events_;
};

// A manager over the backend the environment picks.
std::unique_ptr<HidDeviceManager> ManagerFor(const VmouseDaemon& daemon) {
  setenv("KORVEX_VMOUSE", daemon.Socket().c_str(), 1);
  auto manager = std::make_unique<HidDeviceManager>(MakeDefaultHidBackend());
  unsetenv("KORVEX_VMOUSE");
  test::AddShippedRecords(*manager);
  return manager;
}

TEST(VmouseProcess, TheEnvironmentSelectsTheDaemonAndExchangesWork) {
  VmouseDaemon daemon("k1,k3-receiver");
  ASSERT_TRUE(daemon.Up());
  auto manager = ManagerFor(daemon);
  const DeviceRefreshResult result = RefreshDevices(*manager, 1002);
  EXPECT_EQ(result.selectedType, 1002);
  EXPECT_EQ(result.connectionText, 52);
  ASSERT_EQ(result.devices.size(), 2u);
  ReportFrame frame = test::ReadRequest(0x10);
  ASSERT_TRUE(manager->Exchange(frame));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&frame[4]), 4), "K3WL");
}

TEST(VmouseProcess, UnplugAndPlugReachTheProgramAsRemovalAndArrival) {
  VmouseDaemon daemon("k1,k3-receiver");
  ASSERT_TRUE(daemon.Up());
  auto manager = ManagerFor(daemon);
  RefreshDevices(*manager, 1001);
  Events events;
  ASSERT_TRUE(manager->SetEventSink(events.Sink()));

  ASSERT_EQ(test::VmouseControl(daemon.Socket(), {"unplug", "k1"}), 0);
  std::vector<DeviceChangeAction> actions;
  for (const auto& e : events.WaitFor(4)) {
    EXPECT_EQ(e.kind, HidDeviceEvent::Kind::Removal);
    actions.push_back(DecideDeviceChange(*manager, e, true));
  }
  ASSERT_EQ(actions.size(), 4u);
  EXPECT_EQ(std::count(actions.begin(), actions.end(), DeviceChangeAction::kRemovalRefresh), 1);

  ASSERT_EQ(test::VmouseControl(daemon.Socket(), {"plug", "k1"}), 0);
  actions.clear();
  for (const auto& e : events.WaitFor(4)) {
    EXPECT_EQ(e.kind, HidDeviceEvent::Kind::Arrival);
    actions.push_back(DecideDeviceChange(*manager, e, true));
  }
  ASSERT_EQ(actions.size(), 4u);
  EXPECT_EQ(std::count(actions.begin(), actions.end(), DeviceChangeAction::kReconnectSync), 1);

  ASSERT_EQ(test::VmouseControl(daemon.Socket(), {"unplug", "k3-receiver"}), 0);
  actions.clear();
  for (const auto& e : events.WaitFor(4)) actions.push_back(DecideDeviceChange(*manager, e, true));
  EXPECT_EQ(std::count(actions.begin(), actions.end(), DeviceChangeAction::kExitProgram), 1);
  manager->SetEventSink(nullptr);
}

TEST(VmouseProcess, UnplugDuringAnExchangeFailsItWithinItsBound) {
  VmouseDaemon daemon("k3");
  ASSERT_TRUE(daemon.Up());
  auto manager = ManagerFor(daemon);
  ASSERT_EQ(RefreshDevices(*manager, 1002).selectedType, 1002);
  ASSERT_EQ(test::VmouseControl(daemon.Socket(), {"delay", "1000"}), 0);

  const auto start = std::chrono::steady_clock::now();
  auto exchange = std::async(std::launch::async, [&] {
    ReportFrame frame = test::ReadRequest(0x13);
    return manager->Exchange(frame);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ASSERT_EQ(test::VmouseControl(daemon.Socket(), {"unplug", "k3"}), 0);
  ASSERT_EQ(exchange.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(exchange.get());
  EXPECT_LT(test::SecondsSince(start), 1.6);

  // The program carries on: the refresh finds nothing, and after `plug`
  // the mouse answers again.
  EXPECT_FALSE(RefreshDevices(*manager, 1002).devicePresent);
  ASSERT_EQ(test::VmouseControl(daemon.Socket(), {"delay", "0"}), 0);
  ASSERT_EQ(test::VmouseControl(daemon.Socket(), {"plug", "k3"}), 0);
  ASSERT_EQ(RefreshDevices(*manager, 1002).selectedType, 1002);
  ReportFrame frame = test::ReadRequest(0x13);
  EXPECT_TRUE(manager->Exchange(frame));
}

TEST(VmouseProcess, ADaemonThatGoesAwayFailsEverythingQuickly) {
  auto daemon = std::make_unique<VmouseDaemon>("k1");
  ASSERT_TRUE(daemon->Up());
  auto manager = ManagerFor(*daemon);
  ASSERT_EQ(RefreshDevices(*manager, 1001).selectedType, 1001);
  daemon.reset();  // SIGTERM
  const auto start = std::chrono::steady_clock::now();
  ReportFrame frame = test::ReadRequest(0x12);
  EXPECT_FALSE(manager->Exchange(frame));
  ReportBuffer report;
  int type = 0;
  EXPECT_FALSE(manager->PollNotifications(report, type));
  EXPECT_FALSE(RefreshDevices(*manager, 1001).devicePresent);
  EXPECT_LT(test::SecondsSince(start), 5.0);
}

}  // namespace
}  // namespace korvex
