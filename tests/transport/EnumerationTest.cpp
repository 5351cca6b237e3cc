#include <gtest/gtest.h>

#include "TransportTestSupport.h"

namespace korvex {
namespace {

using test::Rig;

TEST(Enumeration, KeepsOnlyConfigurationInterfacesAndClassifiesThem) {
  Rig rig("k1,k3,k3-receiver,k5,classic");
  // Every virtual device lists four interfaces; only interface 2 is usage
  // page 1, usage 0.
  ASSERT_EQ(rig.hub->Enumerate().size(), 20u);
  EXPECT_EQ(rig.manager.Enumerate(), 5);
  rig.manager.SetOpened(true);

  std::vector<HidInterfaceEntry> entries;
  ASSERT_TRUE(rig.manager.CollectEntries(entries));
  ASSERT_EQ(entries.size(), 5u);
  const int types[] = {1001, 1002, 1002, 1003, 101};
  const int modes[] = {0, 0, 1, 0, 0};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].deviceType, types[i]) << i;
    EXPECT_EQ(entries[i].mode, modes[i]) << i;
    EXPECT_EQ(entries[i].onlineState, 1) << i;
    EXPECT_EQ(entries[i].path.substr(entries[i].path.size() - 2), ":2") << entries[i].path;
  }
  const HidInterfaceEntry& k3 = entries[1];
  EXPECT_EQ(k3.deviceId, "K3WL");
  EXPECT_EQ(k3.product, "Korvex K3 Wireless");
  EXPECT_EQ(k3.productId, 0x0002);
  EXPECT_EQ(k3.release, 0x0130u);
  EXPECT_EQ(k3.sensorCode, 53);
  EXPECT_EQ(k3.deviceInfo[10], 53);
  EXPECT_EQ(k3.deviceInfo[1], 0);
  EXPECT_EQ(k3.mouseConnected, k3.deviceInfo[14]);
  EXPECT_NE(k3.mouseConnected, 0);
  EXPECT_EQ(entries[2].batteryLevel, 80);  // the receiver's mouse runs on battery
  EXPECT_EQ(entries[4].deviceId, "CL01");
}

TEST(Enumeration, RetriesTheDeviceInformationOnceAfterHalfASecond) {
  Rig rig("k5");
  rig.hub->Drop(1);  // the first answer is lost
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(rig.manager.Enumerate(), 1);
  EXPECT_GE(test::SecondsSince(start), 0.5);
  // Two queries went out, and the second one classified the mouse.
  EXPECT_EQ(rig.wire.Count(), 2u);
  rig.manager.SetOpened(true);
  std::vector<HidInterfaceEntry> entries;
  rig.manager.CollectEntries(entries);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].deviceType, 1003);
}

TEST(Enumeration, KeepsASilentInterfaceWithTypeZero) {
  Rig rig("k1");
  rig.hub->Drop(2);
  ASSERT_EQ(rig.manager.Enumerate(), 1);
  EXPECT_EQ(rig.wire.Count(), 2u);  // asked twice, no third time
  rig.manager.SetOpened(true);
  std::vector<HidInterfaceEntry> entries;
  rig.manager.CollectEntries(entries);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].deviceType, 0);
  EXPECT_EQ(entries[0].deviceId, "");
  EXPECT_EQ(entries[0].product, "Korvex K1");
}

TEST(Enumeration, SkipsUnsupportedPairsAndUnpluggedDevices) {
  Rig rig("k1,k3");
  rig.manager.ClearSupportedDevices();
  rig.manager.AddSupportedDevice({0x1209, 0x0002, 1002, 0, "K3WL"});
  rig.hub->Unplug("k3");
  EXPECT_EQ(rig.manager.Enumerate(), 0);
  rig.hub->Plug("k3");
  EXPECT_EQ(rig.manager.Enumerate(), 1);
  EXPECT_EQ(rig.wire.Count(), 1u);  // k1 was never asked
}

TEST(Enumeration, UpdateInterfaceOpensByIdsAndUsagePage) {
  Rig rig("k1,k5");
  EXPECT_FALSE(rig.manager.HasUpdateInterface());
  EXPECT_EQ(rig.manager.UpdateWrite(nullptr, 0), -1);
  EXPECT_FALSE(rig.manager.OpenUpdateInterface(0x1209, 0x0003));
  ASSERT_TRUE(rig.manager.OpenUpdateInterface(0x1209, 0x0004));
  ASSERT_TRUE(rig.manager.HasUpdateInterface());

  // Start report of the firmware transfer: accepted and answered.
  std::uint8_t start[64];
  std::fill(std::begin(start), std::end(start), 0xFF);
  start[0] = 0x05;
  start[1] = 0x02;
  start[2] = 2;
  start[3] = 0;
  start[4] = 0x01;
  start[5] = 0xFF;
  EXPECT_EQ(rig.manager.UpdateWrite(start, sizeof start), 64);
  std::uint8_t answer[64] = {};
  EXPECT_GT(rig.manager.UpdateRead(answer, sizeof answer, 1000), 0);
  const auto written = rig.wire.Written();
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].device, "k5");
  EXPECT_EQ(written[0].interfaceNumber, 3);

  rig.manager.CloseUpdateInterface();
  EXPECT_EQ(rig.manager.UpdateRead(answer, sizeof answer, 0), -1);
}

}  // namespace
}  // namespace korvex
