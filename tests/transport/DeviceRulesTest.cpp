#include <gtest/gtest.h>

#include <condition_variable>

#include "TransportTestSupport.h"
#include "app/DeviceChangeRules.h"
#include "app/DeviceRefresh.h"

namespace korvex {
namespace {

using test::Rig;

// Collects the hot-plug events the backend delivers on its own thread.
class EventLog {
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
    auto out = events_;
    events_.clear();
    return out;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<HidDeviceEvent> events_;
};

HidDeviceEvent Event(HidDeviceEvent::Kind kind, std::uint16_t pid, int iface,
                     std::string path = "/dev/hidraw9") {
  return HidDeviceEvent{kind, std::move(path), 0x1209, pid, iface};
}

TEST(DeviceChange, OnlyTheConfigurationInterfaceOfAPluggedModelQueuesAReconnect) {
  Rig rig("k1,k3-receiver");
  rig.hub->Unplug("k3-receiver");
  EventLog log;
  ASSERT_TRUE(rig.manager.SetEventSink(log.Sink()));
  ASSERT_TRUE(rig.hub->Plug("k3-receiver"));
  const auto events = log.WaitFor(4);
  ASSERT_EQ(events.size(), 4u);  // one per interface of the receiver
  int reconnects = 0;
  for (const auto& e : events) {
    EXPECT_EQ(e.kind, HidDeviceEvent::Kind::Arrival);
    const auto action = DecideDeviceChange(rig.manager, e, false);
    if (action == DeviceChangeAction::kReconnectSync) {
      ++reconnects;
      EXPECT_EQ(e.interfaceNumber, 2);
    } else {
      EXPECT_EQ(action, DeviceChangeAction::kIgnore);
    }
  }
  EXPECT_EQ(reconnects, 1);
  rig.manager.SetEventSink(nullptr);
}

TEST(DeviceChange, ArrivalsOfUnsupportedOrVanishedNodesQueueNothing) {
  Rig rig("k1");
  const std::string path = "vmouse:k1:2";
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(HidDeviceEvent::Kind::Arrival, 0x0001, 2, path),
                               false),
            DeviceChangeAction::kReconnectSync);
  rig.manager.ClearSupportedDevices();
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(HidDeviceEvent::Kind::Arrival, 0x0001, 2, path),
                               false),
            DeviceChangeAction::kIgnore);
  test::AddShippedRecords(rig.manager);
  rig.hub->Unplug("k1");  // gone again before the handler looked
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(HidDeviceEvent::Kind::Arrival, 0x0001, 2, path),
                               false),
            DeviceChangeAction::kIgnore);
}

TEST(DeviceChange, RemovalOfInterfaceTwoRefreshesOrEndsTheProgram) {
  Rig rig("k1");
  using K = HidDeviceEvent::Kind;
  // Wired mouse: refresh. Receiver (product id 0x0003, below 0x1000): exit.
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(K::Removal, 0x0002, 2), true),
            DeviceChangeAction::kRemovalRefresh);
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(K::Removal, 0x0003, 2), true),
            DeviceChangeAction::kExitProgram);
  // Other interfaces, unsupported pairs, or no device present: nothing.
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(K::Removal, 0x0003, 0), true),
            DeviceChangeAction::kIgnore);
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(K::Removal, 0x0003, -1), true),
            DeviceChangeAction::kIgnore);
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(K::Removal, 0x0999, 2), true),
            DeviceChangeAction::kIgnore);
  EXPECT_EQ(DecideDeviceChange(rig.manager, Event(K::Removal, 0x0003, 2), false),
            DeviceChangeAction::kIgnore);
}

TEST(DeviceChange, UnplugReachesTheRulesAsARemovalOfInterfaceTwo) {
  Rig rig("k3,k3-receiver");
  EventLog log;
  ASSERT_TRUE(rig.manager.SetEventSink(log.Sink()));
  ASSERT_TRUE(rig.hub->Unplug("k3"));
  int refreshes = 0;
  for (const auto& e : log.WaitFor(4)) {
    EXPECT_EQ(e.kind, HidDeviceEvent::Kind::Removal);
    if (DecideDeviceChange(rig.manager, e, true) == DeviceChangeAction::kRemovalRefresh) {
      ++refreshes;
    }
  }
  EXPECT_EQ(refreshes, 1);
  ASSERT_TRUE(rig.hub->Unplug("k3-receiver"));
  int exits = 0;
  for (const auto& e : log.WaitFor(4)) {
    if (DecideDeviceChange(rig.manager, e, true) == DeviceChangeAction::kExitProgram) ++exits;
  }
  EXPECT_EQ(exits, 1);
  rig.manager.SetEventSink(nullptr);
}

TEST(DeviceRefresh, SelectsTheWantedTypeOrTheFirstClassifiedOne) {
  Rig rig("k1,k3-receiver,k3,classic");
  DeviceRefreshResult result = RefreshDevices(rig.manager, 1002);
  EXPECT_EQ(result.selectedType, 1002);
  EXPECT_EQ(rig.manager.CurrentDeviceType(), 1002);
  EXPECT_TRUE(result.devicePresent);
  EXPECT_EQ(result.sessionMode, 0);  // the cable wins
  EXPECT_EQ(result.connectionText, 51);
  ASSERT_EQ(result.devices.size(), 4u);
  EXPECT_EQ(result.devices[1].type, 1002);
  EXPECT_EQ(result.devices[1].mode, 1);
  EXPECT_EQ(result.devices[1].onlineState, 1);
  EXPECT_EQ(result.devices[1].batteryLevel, 80);
  EXPECT_EQ(result.devices[1].release, 0x0112u);

  // The start-up wish 101 is present here; 1003 is not, so the first wins.
  EXPECT_EQ(RefreshDevices(rig.manager, 101).selectedType, 101);
  result = RefreshDevices(rig.manager, 1003);
  EXPECT_EQ(result.selectedType, 1001);
  EXPECT_EQ(rig.manager.EntryCount(), 4u);  // rebuilt, not stacked
}

TEST(DeviceRefresh, ReceiverOnlyAndNothingAtAll) {
  Rig rig("k5-receiver,k1");
  rig.hub->Unplug("k1");
  DeviceRefreshResult result = RefreshDevices(rig.manager, 101);
  EXPECT_EQ(result.selectedType, 1003);
  EXPECT_EQ(result.sessionMode, 1);
  EXPECT_EQ(result.connectionText, 52);

  rig.hub->Unplug("k5-receiver");
  result = RefreshDevices(rig.manager, 1003);
  EXPECT_FALSE(result.devicePresent);
  EXPECT_EQ(result.selectedType, 0);
  EXPECT_EQ(result.sessionMode, -1);
  EXPECT_EQ(result.connectionText, 50);
  EXPECT_TRUE(result.devices.empty());
  EXPECT_TRUE(rig.manager.IsOpened());
  EXPECT_EQ(rig.manager.CurrentDeviceType(), 0);
}

TEST(DeviceRefresh, ASilentInterfaceCountsAsPresentButIsNotListed) {
  Rig rig("k1");
  rig.hub->Drop(2);
  DeviceRefreshResult result = RefreshDevices(rig.manager, 101);
  EXPECT_TRUE(result.devicePresent);
  EXPECT_TRUE(result.devices.empty());
  EXPECT_EQ(result.selectedType, 0);
}

TEST(DeviceRefresh, SelectionRule) {
  std::vector<DeviceListItem> items = {{0, 0}, {1003, 1}, {1001, 0}};
  EXPECT_EQ(SelectDeviceType(items, 1001), 1001);
  EXPECT_EQ(SelectDeviceType(items, 101), 1003);
  EXPECT_EQ(SelectDeviceType(items, 0), 1003);
  EXPECT_EQ(SelectDeviceType({}, 101), 0);
  EXPECT_EQ(ConnectionTextOf(-1), 50);
  EXPECT_EQ(ConnectionTextOf(0), 51);
  EXPECT_EQ(ConnectionTextOf(1), 52);
}

}  // namespace
}  // namespace korvex
