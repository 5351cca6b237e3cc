#include <gtest/gtest.h>

#include <cstring>

#include "TransportTestSupport.h"

namespace korvex {
namespace {

using test::DeviceFaults;
using test::FaultyBackend;

// A manager over the virtual mouse through a doctoring backend.
struct FaultRig {
  explicit FaultRig(const std::string& devices, int typeBase = 110)
      : hub(std::make_shared<sim::VirtualMouseHub>(devices)),
        faults(std::make_shared<DeviceFaults>()),
        backend(new FaultyBackend(std::make_unique<sim::InProcessBackend>(hub), faults)),
        manager(std::unique_ptr<HidBackend>(backend)) {
    test::AddShippedRecords(manager, typeBase);
  }
  void Open(int type) {
    manager.Enumerate();
    manager.SetOpened(true);
    manager.SetCurrentDeviceType(type);
  }

  std::shared_ptr<sim::VirtualMouseHub> hub;
  std::shared_ptr<DeviceFaults> faults;
  FaultyBackend* backend;  // owned by the manager
  HidDeviceManager manager;
};

TEST(BadInput, OverlongPathsAreSkippedAndTheLongestThatFitsIsKept) {
  FaultRig rig("k1,k5");
  const std::string k1Path = "vmouse:k1:2";
  const std::string k5Path = "vmouse:k5:2";
  const std::string fits = "/" + std::string(1022, 'a');
  const std::string tooLong = "/" + std::string(5000, 'b');
  rig.backend->doctorList = [&](std::vector<HidInterfaceInfo>& list) {
    for (auto& info : list) {
      if (info.path == k1Path) info.path = fits;
      if (info.path == k5Path) info.path = tooLong;
    }
  };
  rig.backend->realPath = [&](const std::string& path) {
    if (path == fits) return k1Path;
    if (path == tooLong) return k5Path;
    return path;
  };
  EXPECT_EQ(rig.manager.Enumerate(), 1);
  rig.manager.SetOpened(true);
  std::vector<HidInterfaceEntry> entries;
  rig.manager.CollectEntries(entries);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].path, fits);
  EXPECT_EQ(entries[0].path.size(), HidInterfaceEntry::kMaxPathLength);
}

TEST(BadInput, ProductTextIsCutAtFiveHundredTwelveCharacters) {
  FaultRig rig("k1");
  std::string huge;
  for (int i = 0; i < 700; ++i) huge += "\xE4\xB8\xAD";  // three bytes each
  rig.faults->product = [&](HidDevice&) { return huge; };
  rig.Open(111);
  std::vector<HidInterfaceEntry> entries;
  rig.manager.CollectEntries(entries);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].product.size(), 512u * 3);
  EXPECT_EQ(entries[0].product, huge.substr(0, 512 * 3));
}

TEST(BadInput, ShortRepliesLeaveNoStaleBytesAndOneByteIsNoAcknowledgement) {
  FaultRig rig("k1");
  rig.Open(111);
  std::atomic<int> cut{0};
  rig.faults->read = [&](HidDevice& d, std::uint8_t* buf, std::size_t len, int timeout) {
    const int n = d.Read(buf, len, timeout);
    return (n > 0 && cut > 0) ? std::min(n, cut.load()) : n;
  };

  cut = 3;  // report type, acknowledgement, one more byte
  ReportFrame frame = test::ReadRequest(0x17);
  for (std::size_t i = 5; i < 33; ++i) frame[i] = 0x5A;
  EXPECT_TRUE(rig.manager.Exchange(frame));
  EXPECT_EQ(frame[1], 0x00);
  for (std::size_t i = 3; i < 33; ++i) ASSERT_EQ(frame[i], 0) << i;

  cut = 1;  // only the report type: byte 1 is not in the report
  rig.faults->reads = 0;
  ReportFrame single = test::ReadRequest(0x17);
  EXPECT_FALSE(rig.manager.Exchange(single));
  EXPECT_GT(rig.faults->reads.load(), 1);  // kept reading after the useless reply
  EXPECT_LE(rig.faults->reads.load(), 51);  // one clearing read before the write

  // A short device-information reply classifies as nothing, without reading
  // past what came.
  cut = 6;
  ReportBuffer info;
  info.fill(0xEE);
  ASSERT_TRUE(rig.manager.QueryDeviceInfo(info, rig.manager.ActiveHandle()));
  EXPECT_EQ(info[4], 'K');
  EXPECT_EQ(info[5], '1');
  for (std::size_t i = 6; i < info.size(); ++i) ASSERT_EQ(info[i], 0) << i;
}

TEST(BadInput, ReadErrorsOnEveryCallEndEveryOperation) {
  FaultRig rig("k3-receiver,k1");
  rig.faults->read = [](HidDevice&, std::uint8_t* buf, std::size_t len, int) {
    std::memset(buf, 0xAB, len);  // garbage left behind by a failed read
    return -1;
  };
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(rig.manager.Enumerate(), 2);  // kept, unclassified
  rig.manager.SetOpened(true);
  std::vector<HidInterfaceEntry> entries;
  rig.manager.CollectEntries(entries);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].deviceType, 0);
  EXPECT_EQ(entries[1].deviceType, 0);
  // Two queries per interface, one clearing read and 50 waiting reads each.
  EXPECT_EQ(rig.faults->reads.load(), 204);

  rig.faults->reads = 0;
  ReportFrame frame = test::ReadRequest(0x12);
  EXPECT_FALSE(rig.manager.Exchange(frame));
  EXPECT_EQ(rig.faults->reads.load(), 51);
  EXPECT_EQ(frame[1], 0x12);

  ReportBuffer report;
  report.fill(0x11);
  int type = -1;
  EXPECT_FALSE(rig.manager.PollNotifications(report, type));
  EXPECT_EQ(rig.faults->reads.load(), 53);  // one read per entry

  rig.manager.SetCurrentDeviceType(0);
  rig.manager.PollReceiverStatus();
  rig.manager.CollectEntries(entries);
  EXPECT_EQ(entries[0].onlineState, 1);
  // Failing reads return at once; nothing waited out a time-out.
  EXPECT_LT(test::SecondsSince(start), 1.5 + 2 * 0.5 + 1.0);
}

TEST(BadInput, AFloodOfUnsolicitedReportsIsTakenOneAtATime) {
  FaultRig rig("k1");
  rig.Open(111);
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(rig.hub->InjectReport("k1", 2, {0xC2, 0x24, static_cast<std::uint8_t>(i)}));
  }
  // The exchange reads its 50 reports (after clearing what was waiting),
  // none of them an acknowledgement, and gives up instead of draining the
  // flood. None is taken for the answer: the frame is still the request.
  rig.faults->reads = 0;
  ReportFrame frame = test::ReadRequest(0x12);
  EXPECT_FALSE(rig.manager.Exchange(frame));
  EXPECT_EQ(rig.faults->reads.load(), 51);
  EXPECT_EQ(frame[0], 0x00);
  EXPECT_EQ(frame[1], 0x12);

  ReportBuffer report;
  int type = 0;
  int taken = 0;
  rig.faults->reads = 0;
  while (rig.manager.PollNotifications(report, type) && taken < 1000) ++taken;
  EXPECT_GT(taken, 0);
  EXPECT_LT(taken, 1000);
  // The last 16 the exchange met are handed over without a read; then one
  // read per report taken, plus the final empty pass.
  EXPECT_EQ(rig.faults->reads.load(), taken - 16 + 1);
}

TEST(BadInput, WriteFailuresFailTheQueryWithoutReading) {
  FaultRig rig("k1");
  rig.faults->write = [](HidDevice&, const std::uint8_t*, std::size_t) { return -1; };
  EXPECT_EQ(rig.manager.Enumerate(), 1);
  EXPECT_EQ(rig.faults->writes.load(), 2);
  EXPECT_EQ(rig.faults->reads.load(), 2);  // the clearing reads only, no wait
  rig.faults->write = [](HidDevice&, const std::uint8_t*, std::size_t) { return 0; };
  rig.manager.SetOpened(true);
  rig.manager.SetCurrentDeviceType(0);
  ReportFrame frame = test::ReadRequest(0x12);
  EXPECT_FALSE(rig.manager.Exchange(frame));
  EXPECT_EQ(rig.faults->reads.load(), 3);  // one more clearing read, no wait
}

}  // namespace
}  // namespace korvex
