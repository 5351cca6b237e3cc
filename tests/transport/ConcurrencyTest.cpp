#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "TransportTestSupport.h"
#include "app/DeviceRefresh.h"

namespace korvex {
namespace {

using test::Rig;

TEST(Concurrency, SelectionChangesAndRefreshesNeverCutIntoAnExchange) {
  Rig rig("k1,k3,k5", 110);
  RefreshDevices(rig.manager, 111);
  std::atomic<bool> stop{false};
  std::atomic<int> exchanges{0};
  std::atomic<int> mismatches{0};

  // The worker: device-information requests, whose reply names the mouse
  // that answered; it must be the mouse of the type current for the whole
  // exchange.
  std::thread worker([&] {
    while (!stop) {
      std::lock_guard<std::recursive_mutex> lock(rig.manager.Mutex());
      const int type = rig.manager.CurrentDeviceType();
      ReportFrame frame = test::ReadRequest(0x10);
      if (!rig.manager.Exchange(frame)) continue;
      ++exchanges;
      const std::string id(reinterpret_cast<const char*>(&frame[4]), 4);
      const char* expected = type == 111 ? "K1WD" : type == 112 ? "K3WL" : "K5PR";
      if (id != expected) ++mismatches;
      ReportBuffer report;
      int source = 0;
      rig.manager.PollNotifications(report, source);
    }
  });

  // A second caller without the outer lock: each exchange still runs whole
  // on one live interface, whichever the selection gives it.
  std::atomic<int> garbled{0};
  std::thread other([&] {
    while (!stop) {
      ReportFrame frame = test::ReadRequest(0x10);
      if (!rig.manager.Exchange(frame)) continue;
      const std::string id(reinterpret_cast<const char*>(&frame[4]), 4);
      if (id != "K1WD" && id != "K3WL" && id != "K5PR") ++garbled;
    }
  });

  // The interface thread: selections and full refreshes.
  for (int i = 0; i < 60; ++i) {
    rig.manager.SetCurrentDeviceType(111 + i % 3);
    if (i % 10 == 9) RefreshDevices(rig.manager, 111 + (i / 10) % 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
  }
  stop = true;
  worker.join();
  other.join();
  EXPECT_GT(exchanges.load(), 0);
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_EQ(garbled.load(), 0);
}

TEST(Concurrency, UnpluggingDuringAnExchangeEndsItWithinItsBound) {
  Rig rig("k3");
  rig.Open(1002);
  rig.hub->SetReplyDelay(1000);
  const auto start = std::chrono::steady_clock::now();
  auto exchange = std::async(std::launch::async, [&] {
    ReportFrame frame = test::ReadRequest(0x13);
    return rig.manager.Exchange(frame);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ASSERT_TRUE(rig.hub->Unplug("k3"));
  ASSERT_EQ(exchange.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_FALSE(exchange.get());
  EXPECT_LT(test::SecondsSince(start), 1.6);

  // Everything after it fails at once rather than waiting on a dead device.
  ReportFrame frame = test::ReadRequest(0x13);
  EXPECT_FALSE(rig.manager.Exchange(frame));
  ReportBuffer report;
  int type = 0;
  EXPECT_FALSE(rig.manager.PollNotifications(report, type));
  const DeviceRefreshResult result = RefreshDevices(rig.manager, 1002);
  EXPECT_FALSE(result.devicePresent);
}

TEST(Concurrency, HotPlugEventsArriveWhileTheWorkerPolls) {
  Rig rig("k1,k3-receiver", 110);
  RefreshDevices(rig.manager, 111);
  std::atomic<int> events{0};
  ASSERT_TRUE(rig.manager.SetEventSink([&](const HidDeviceEvent& e) {
    // The handler consults the manager from the backend's thread.
    rig.manager.IsSupported(e.vendorId, e.productId);
    rig.manager.IsConfigurationInterface(e.path);
    ++events;
  }));
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    ReportBuffer report;
    int type = 0;
    while (!stop) rig.manager.PollNotifications(report, type);
  });
  for (int i = 0; i < 5; ++i) {
    rig.hub->Unplug("k3-receiver");
    rig.hub->Plug("k3-receiver");
  }
  for (int i = 0; i < 500 && events < 40; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  stop = true;
  worker.join();
  rig.manager.SetEventSink(nullptr);
  EXPECT_EQ(events.load(), 40);
}

}  // namespace
}  // namespace korvex
