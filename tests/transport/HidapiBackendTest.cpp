// The real backend cannot be given a mouse here; what can be checked is that
// it lists and opens without one and that its udev monitor stops cleanly.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "transport/HidapiBackend.h"
#include "transport/HidrawMonitor.h"

namespace korvex {
namespace {

TEST(HidapiBackend, ListsAndRefusesUnknownPathsWithoutAMouse) {
  HidapiBackend backend;
  for (const auto& info : backend.Enumerate()) EXPECT_FALSE(info.path.empty());
  EXPECT_EQ(backend.Open("/dev/hidraw-does-not-exist"), nullptr);
  EXPECT_EQ(backend.Open(std::string(5000, 'x')), nullptr);
}

TEST(HidapiBackend, EventMonitorStartsAndStopsRepeatedly) {
  HidapiBackend backend;
  std::atomic<int> events{0};
  for (int i = 0; i < 3; ++i) {
    if (!backend.SetEventSink([&](const HidDeviceEvent&) { ++events; })) {
      GTEST_SKIP() << "no udev netlink socket in this environment";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(backend.SetEventSink(nullptr));
  }
  // Replacing a running sink stops the old monitor first.
  ASSERT_TRUE(backend.SetEventSink([&](const HidDeviceEvent&) { ++events; }));
  ASSERT_TRUE(backend.SetEventSink([&](const HidDeviceEvent&) { ++events; }));
}  // destruction stops the last one

TEST(HidrawMonitor, RefusesAnEmptySinkAndASecondStart) {
  HidrawMonitor monitor;
  EXPECT_FALSE(monitor.Start(nullptr));
  if (!monitor.Start([](const HidDeviceEvent&) {})) GTEST_SKIP() << "no udev here";
  EXPECT_FALSE(monitor.Start([](const HidDeviceEvent&) {}));
  monitor.Stop();
  monitor.Stop();
  EXPECT_TRUE(monitor.Start([](const HidDeviceEvent&) {}));
}

}  // namespace
}  // namespace korvex
