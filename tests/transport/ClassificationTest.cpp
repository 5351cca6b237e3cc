#include <gtest/gtest.h>

#include "TransportTestSupport.h"

namespace korvex {
namespace {

using test::Rig;

TEST(Classification, ShortConfiguredIdIsGenericForAnyId) {
  Rig rig("classic");
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0005, "CL01"), 101);
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0005, "anything"), 101);
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0005, ""), 101);
  // Four characters counted as characters, not bytes: "äö" is short.
  rig.manager.AddSupportedDevice({0x1209, 0x0009, 150, 0, "\xC3\xA4\xC3\xB6"});
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0009, "\xC3\xA4\xC3\xB6"), 101);
}

TEST(Classification, RecordsSharingAPairAreToldApartByDeviceId) {
  Rig rig("k3-receiver");
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0003, "K3WL"), 1002);
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0003, "K5PR"), 1003);
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0003, "k5pr"), 0);  // case matters
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0003, "ZZZZ"), 0);
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0042, "K3WL"), 0);

  // A short id first on the pair wins before any exact match behind it.
  rig.manager.ClearSupportedDevices();
  rig.manager.AddSupportedDevice({0x1209, 0x0003, 120, 1, "G"});
  rig.manager.AddSupportedDevice({0x1209, 0x0003, 1002, 1, "K3WL"});
  EXPECT_EQ(rig.manager.TypeOf(0x1209, 0x0003, "K3WL"), 101);
}

TEST(Classification, LowProductIdsMatchAndModeComesFromTheFirstRecord) {
  Rig rig("k1");
  EXPECT_TRUE(rig.manager.IsSupported(0x1209, 0x0003));
  EXPECT_TRUE(rig.manager.IsSupported(0x1209, 0x0001));
  EXPECT_FALSE(rig.manager.IsSupported(0x1209, 0x1001));
  EXPECT_FALSE(rig.manager.IsSupported(0x0001, 0x1209));
  EXPECT_EQ(rig.manager.ModeOf(0x1209, 0x0003), 1);
  EXPECT_EQ(rig.manager.ModeOf(0x1209, 0x0002), 0);
  EXPECT_EQ(rig.manager.ModeOf(0x1209, 0x0777), 0);
  rig.manager.ClearSupportedDevices();
  EXPECT_FALSE(rig.manager.IsSupported(0x1209, 0x0001));
}

TEST(Sessions, WiredWinsOverReceiver) {
  Rig rig("k3-receiver,k3");  // the receiver enumerates first
  rig.Open(1002);
  EXPECT_EQ(rig.manager.SessionMode(), 0);
  std::uint16_t vid = 0;
  std::uint16_t pid = 0;
  ASSERT_TRUE(rig.manager.ActiveIds(vid, pid));
  EXPECT_EQ(pid, 0x0002);
  EXPECT_NE(rig.manager.ActiveHandle(), nullptr);
}

TEST(Sessions, ReceiverCarriesTheConnectionOnlyWhileItsMouseIsOnline) {
  Rig rig("k3-receiver");
  rig.Open(1002);
  EXPECT_EQ(rig.manager.SessionMode(), 1);
  HidDevice* receiver = rig.manager.ActiveHandle();
  ASSERT_NE(receiver, nullptr);
  EXPECT_EQ(rig.manager.ActiveHandle(), receiver);  // cached

  for (int away : {0, 2}) {
    rig.manager.SetOnlineState(1002, 1, away);
    EXPECT_EQ(rig.manager.ActiveHandle(), nullptr) << away;
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
    EXPECT_FALSE(rig.manager.ActiveIds(vid, pid));
    ReportBuffer info{};
    EXPECT_FALSE(rig.manager.QueryDeviceInfo(info, nullptr));
    rig.manager.SetOnlineState(1002, 1, 1);
    EXPECT_EQ(rig.manager.ActiveHandle(), receiver);
  }
  // The session mode does not depend on the mouse being there.
  rig.manager.SetOnlineState(1002, 1, 0);
  EXPECT_EQ(rig.manager.SessionMode(), 1);
}

TEST(Sessions, NoConnectionWithoutEntriesOfTheCurrentType) {
  Rig rig("k1,k3");
  EXPECT_EQ(rig.manager.SessionMode(), -1);
  EXPECT_EQ(rig.manager.ActiveHandle(), nullptr);
  rig.Open(1003);
  EXPECT_EQ(rig.manager.SessionMode(), -1);
  EXPECT_EQ(rig.manager.ActiveHandle(), nullptr);
  rig.manager.SetCurrentDeviceType(1001);
  EXPECT_EQ(rig.manager.SessionMode(), 0);
  std::uint16_t vid = 0;
  std::uint16_t pid = 0;
  ASSERT_TRUE(rig.manager.ActiveIds(vid, pid));
  EXPECT_EQ(vid, 0x1209);
  EXPECT_EQ(pid, 0x0001);
  // Changing the type drops the cached interface.
  rig.manager.SetCurrentDeviceType(1002);
  ASSERT_TRUE(rig.manager.ActiveIds(vid, pid));
  EXPECT_EQ(pid, 0x0002);
}

TEST(Sessions, CollectEntriesFiltersByTheCurrentType) {
  Rig rig("k1,k3,k3-receiver,classic");
  std::vector<HidInterfaceEntry> out(3);
  EXPECT_FALSE(rig.manager.CollectEntries(out));
  EXPECT_TRUE(out.empty());

  rig.Open(0);
  ASSERT_TRUE(rig.manager.CollectEntries(out));
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0].deviceType, 1001);
  EXPECT_EQ(out[3].deviceType, 101);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(out[i].index, i);

  rig.manager.SetCurrentDeviceType(1002);
  ASSERT_TRUE(rig.manager.CollectEntries(out));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].mode, 0);
  EXPECT_EQ(out[1].mode, 1);
}

TEST(Sessions, ReleaseOfModeNeedsTheOpenedFlag) {
  Rig rig("k3-receiver,k3");
  std::uint32_t release = 0;
  rig.manager.Enumerate();
  EXPECT_FALSE(rig.manager.ReleaseOfMode(1, release));
  rig.manager.SetOpened(true);
  ASSERT_TRUE(rig.manager.ReleaseOfMode(1, release));
  EXPECT_EQ(release, 0x0112u);
  ASSERT_TRUE(rig.manager.ReleaseOfMode(0, release));
  EXPECT_EQ(release, 0x0130u);
  EXPECT_FALSE(rig.manager.ReleaseOfMode(2, release));
}

TEST(Sessions, CloseAllForgetsEverythingEvenWithoutTheOpenedFlag) {
  Rig rig("k1");
  rig.manager.Enumerate();  // flag never set
  rig.manager.SetCurrentDeviceType(1001);
  ASSERT_NE(rig.manager.ActiveHandle(), nullptr);
  rig.manager.CloseAll();
  EXPECT_EQ(rig.manager.EntryCount(), 0u);
  EXPECT_EQ(rig.manager.ActiveHandle(), nullptr);
  // A second enumeration does not stack a duplicate on a forgotten one.
  rig.manager.Enumerate();
  EXPECT_EQ(rig.manager.EntryCount(), 1u);
}

}  // namespace
}  // namespace korvex
