#include <gtest/gtest.h>

#include "TransportTestSupport.h"
#include "transport/ReportIo.h"

namespace korvex {
namespace {

using test::Rig;

// Model types the notification poll reads (below 200).
constexpr int kBase = 110;
constexpr int kK1 = kBase + 1;
constexpr int kK3 = kBase + 2;
constexpr int kK5 = kBase + 3;

int OnlineStateOf(HidDeviceManager& manager, int mode) {
  std::vector<HidInterfaceEntry> entries;
  manager.CollectEntries(entries);
  for (const auto& e : entries) {
    if (e.mode == mode) return e.onlineState;
  }
  return -1;
}

TEST(PollNotifications, TakesOneReportPerCallFromTheFirstEntryThatHasOne) {
  Rig rig("k1,k5", kBase);
  rig.Open(kK1);
  ASSERT_TRUE(rig.hub->PressDpiButton("k5"));
  ASSERT_TRUE(rig.hub->PressDpiButton("k5"));
  ASSERT_TRUE(rig.hub->PressDpiButton("k1"));

  ReportBuffer report;
  int type = -1;
  std::vector<int> sources;
  while (rig.manager.PollNotifications(report, type)) {
    EXPECT_EQ(report[0], 0xC2);
    for (std::size_t i = 33; i < report.size(); ++i) ASSERT_EQ(report[i], 0);
    sources.push_back(type);
    ASSERT_LE(sources.size(), 3u);
  }
  // k1 comes first in the list, so its report is taken first.
  EXPECT_EQ(sources, (std::vector<int>{kK1, kK5, kK5}));
  EXPECT_EQ(type, 0);
}

// The worker's poll gives up its wait when a task is queued; a report that
// is waiting is not lost by that, the next poll takes it.
TEST(PollNotifications, AnInterruptedPollLeavesTheReportForTheNextOne) {
  Rig rig("k1", kBase);
  rig.Open(kK1);
  ASSERT_TRUE(rig.hub->PressDpiButton("k1"));
  ReportBuffer report{};
  int type = -1;
  int checks = 0;
  EXPECT_FALSE(rig.manager.PollNotifications(report, type, [&] { return ++checks > 0; }));
  EXPECT_EQ(1, checks);
  EXPECT_TRUE(rig.manager.PollNotifications(report, type, [&] { return false; }));
  EXPECT_EQ(report[0], 0xC2);
  EXPECT_EQ(type, kK1);
  // Nothing waiting: the slices add up to the whole wait, then nothing.
  checks = 0;
  EXPECT_FALSE(rig.manager.PollNotifications(report, type, [&] { return ++checks < 0; }));
  EXPECT_EQ(kPollTimeoutMs / kPollSliceMs, checks);
}

TEST(PollNotifications, StatusReportsTurnTheReceiverOfflineAndBackOnline) {
  Rig rig("k3-receiver", kBase);
  rig.Open(kK3);
  ASSERT_NE(rig.manager.ActiveHandle(), nullptr);

  ASSERT_TRUE(rig.hub->MouseOff("k3-receiver"));
  ReportBuffer report;
  int type = 0;
  ASSERT_TRUE(rig.manager.PollNotifications(report, type));
  EXPECT_EQ(report[0], 0xC0);
  EXPECT_EQ(report[1], 0);
  EXPECT_EQ(type, kK3);
  EXPECT_EQ(OnlineStateOf(rig.manager, 1), 0);
  EXPECT_EQ(rig.manager.ActiveHandle(), nullptr);
  const std::size_t writtenWhileAway = rig.wire.Count();

  ASSERT_TRUE(rig.hub->MouseOn("k3-receiver"));
  ASSERT_TRUE(rig.manager.PollNotifications(report, type));
  EXPECT_EQ(report[0], 0xC0);
  EXPECT_EQ(report[1], 1);
  EXPECT_EQ(report[2], 80);  // battery level rides along
  EXPECT_EQ(OnlineStateOf(rig.manager, 1), 1);
  EXPECT_NE(rig.manager.ActiveHandle(), nullptr);
  // Coming back re-reads the device information.
  EXPECT_EQ(rig.wire.Count(), writtenWhileAway + 1);
  ReportBuffer info{};
  ASSERT_TRUE(rig.manager.QueryDeviceInfo(info, nullptr));
  EXPECT_NE(info[14], 0);
}

TEST(PollNotifications, AMouseBackOnlineIsReclassified) {
  Rig rig("k3-receiver", kBase);
  rig.hub->Drop(2);  // silent at enumeration: type 0
  rig.Open(0);
  std::vector<HidInterfaceEntry> entries;
  rig.manager.CollectEntries(entries);
  ASSERT_EQ(entries.size(), 1u);
  ASSERT_EQ(entries[0].deviceType, 0);

  ASSERT_TRUE(rig.hub->MouseOff("k3-receiver"));
  ASSERT_TRUE(rig.hub->MouseOn("k3-receiver"));
  ReportBuffer report;
  int type = -1;
  ASSERT_TRUE(rig.manager.PollNotifications(report, type));  // the "away" report
  EXPECT_EQ(OnlineStateOf(rig.manager, 1), 0);
  ASSERT_TRUE(rig.manager.PollNotifications(report, type));  // back
  EXPECT_EQ(type, 0);  // the source as it was when the report came
  rig.manager.CollectEntries(entries);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].deviceType, kK3);
  EXPECT_EQ(entries[0].deviceId, "K3WL");
  EXPECT_EQ(entries[0].onlineState, 1);
}

TEST(PollNotifications, AFailedRefreshKeepsTheLastDeviceInformation) {
  Rig rig("k3-receiver", kBase);
  rig.Open(kK3);
  ASSERT_TRUE(rig.hub->MouseOff("k3-receiver"));
  ReportBuffer report;
  int type = 0;
  ASSERT_TRUE(rig.manager.PollNotifications(report, type));
  rig.hub->Drop(2);
  ASSERT_TRUE(rig.hub->MouseOn("k3-receiver"));
  ASSERT_TRUE(rig.manager.PollNotifications(report, type));
  std::vector<HidInterfaceEntry> entries;
  rig.manager.CollectEntries(entries);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].onlineState, 1);
  EXPECT_EQ(entries[0].deviceType, kK3);
  EXPECT_EQ(entries[0].deviceInfo[10], 53);
}

TEST(PollNotifications, StatusAppliesToEveryEntryOfTheSameTypeAndMode) {
  Rig rig("k3-receiver,k3", kBase);
  rig.Open(kK3);
  rig.manager.SetOnlineState(kK3, 0, 1);
  ASSERT_TRUE(rig.hub->InjectReport("k3-receiver", 2, {0xC0, 0x00}));
  ReportBuffer report;
  int type = 0;
  ASSERT_TRUE(rig.manager.PollNotifications(report, type));
  EXPECT_EQ(OnlineStateOf(rig.manager, 1), 0);
  EXPECT_EQ(OnlineStateOf(rig.manager, 0), 1);  // the cable is unaffected
}

TEST(PollNotifications, TypesFrom200UpAreNotPolled) {
  // Types of 200 and more take no part in the poll (the shipped models are
  // numbered below it).
  Rig rig("k1", 1000);
  rig.Open(1001);
  ASSERT_TRUE(rig.hub->PressDpiButton("k1"));
  ReportBuffer report;
  int type = -1;
  EXPECT_FALSE(rig.manager.PollNotifications(report, type));
  EXPECT_EQ(type, 0);
}

TEST(PollNotifications, NothingWithoutTheOpenedFlag) {
  Rig rig("k1", kBase);
  rig.manager.Enumerate();
  ASSERT_TRUE(rig.hub->PressDpiButton("k1"));
  ReportBuffer report;
  int type = 0;
  EXPECT_FALSE(rig.manager.PollNotifications(report, type));
  rig.manager.SetOpened(true);
  EXPECT_TRUE(rig.manager.PollNotifications(report, type));
}

TEST(PollReceiverStatus, MarksAMouseStillAwayWithStateTwo) {
  Rig rig("k3-receiver", kBase);
  rig.Open(kK3);
  ASSERT_TRUE(rig.hub->InjectReport("k3-receiver", 2, {0xC0, 0x00}));
  rig.manager.PollReceiverStatus();
  EXPECT_EQ(OnlineStateOf(rig.manager, 1), 2);
  EXPECT_EQ(rig.manager.ActiveHandle(), nullptr);

  // Other reports are consumed without effect.
  ASSERT_TRUE(rig.hub->InjectReport("k3-receiver", 2, {0xC2, 0x24}));
  rig.manager.PollReceiverStatus();
  EXPECT_EQ(OnlineStateOf(rig.manager, 1), 2);

  ASSERT_TRUE(rig.hub->InjectReport("k3-receiver", 2, {0xC0, 0x01}));
  rig.manager.PollReceiverStatus();
  EXPECT_EQ(OnlineStateOf(rig.manager, 1), 1);
}

TEST(PollReceiverStatus, OnlyReadsReceiversOfTheCurrentType) {
  Rig rig("k3-receiver,k5", kBase);
  rig.Open(kK5);
  ASSERT_TRUE(rig.hub->InjectReport("k3-receiver", 2, {0xC0, 0x00}));
  rig.manager.PollReceiverStatus();
  rig.manager.SetCurrentDeviceType(0);
  EXPECT_EQ(OnlineStateOf(rig.manager, 1), 1);
  // The report is still waiting for the next poll.
  ReportBuffer report;
  int type = 0;
  ASSERT_TRUE(rig.manager.PollNotifications(report, type));
  EXPECT_EQ(report[0], 0xC0);
}

}  // namespace
}  // namespace korvex
