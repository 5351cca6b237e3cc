#include <gtest/gtest.h>

#include <thread>

#include "TransportTestSupport.h"

namespace korvex {
namespace {

using test::ReadRequest;
using test::Rig;

TEST(Exchange, WritesTheChecksumAndReturnsTheReplyInTheFrame) {
  Rig rig("k1");
  rig.Open(1001);

  ReportFrame request = ReadRequest(0x10);
  request[32] = 0xAA;  // callers never set the checksum; whatever is there goes
  ASSERT_TRUE(rig.manager.Exchange(request));
  EXPECT_EQ(request[1], 0x00);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&request[4]), 4), "K1WD");

  ReportFrame write;
  write[1] = 0x03;
  write[3] = 0x01;
  write[4] = 0x25;
  write[5] = 0x25;
  write[6] = 0x19;
  rig.manager.Exchange(write);

  const auto wire = rig.wire.Written();  // the enumeration's query first
  ASSERT_EQ(wire.size(), 3u);
  ASSERT_EQ(wire[1].bytes.size(), 65u);  // padded to the output report
  EXPECT_EQ(wire[1].bytes[1], 0x10);
  EXPECT_EQ(wire[1].bytes[32], 0x00);
  EXPECT_EQ(wire[2].bytes[32], 0x3E);
}

TEST(Exchange, LongFramesTravelWhole) {
  Rig rig("k1");
  rig.Open(1001);
  ReportFrame frame = ReadRequest(0x12);
  frame.length = ReportFrame::kLongLength;
  EXPECT_TRUE(rig.manager.Exchange(frame));
  for (std::size_t bad : {std::size_t{0}, std::size_t{32}, std::size_t{66}}) {
    EXPECT_FALSE(rig.manager.Exchange(frame, bad)) << bad;
  }
  const auto wire = rig.wire.Written();
  ASSERT_EQ(wire.size(), 2u);
  EXPECT_EQ(wire[1].bytes.size(), 65u);
}

TEST(Exchange, AcceptsAnAnswerAfterOnePointFourSecondsButNotOnePointSix) {
  Rig rig("k3");
  rig.Open(1002);
  rig.hub->SetReplyDelay(1400);
  ReportFrame late = ReadRequest(0x17);
  EXPECT_TRUE(rig.manager.Exchange(late));
  EXPECT_EQ(late[1], 0x00);

  rig.hub->SetReplyDelay(1600);
  ReportFrame later = ReadRequest(0x17);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(rig.manager.Exchange(later));
  EXPECT_GE(test::SecondsSince(start), 1.45);  // the whole 50 x 30 ms were spent
  // Nothing was read: the frame is still the request.
  EXPECT_EQ(later[1], 0x17);
}

TEST(Exchange, SkipsAReportThatDoesNotAcknowledge) {
  Rig rig("k1");
  rig.Open(1001);
  // A status-like report is waiting before the answer.
  ASSERT_TRUE(rig.hub->InjectReport("k1", 2, {0x00, 0x02, 0x55}));
  ReportFrame frame = ReadRequest(0x16);
  EXPECT_TRUE(rig.manager.Exchange(frame));
  EXPECT_EQ(frame[1], 0x00);
  EXPECT_NE(frame[2], 0x55);
}

TEST(Exchange, TheFrameHoldsTheLastReportReadWhenNothingAcknowledges) {
  Rig rig("k1");
  rig.Open(1001);
  rig.hub->Nak(1);
  ReportFrame frame = ReadRequest(0x12);
  EXPECT_FALSE(rig.manager.Exchange(frame));
  EXPECT_EQ(frame[1], 0x07);  // the refusal, not the request
}

TEST(Exchange, AFailedWriteLeavesTheFrameAsItWas) {
  Rig rig("k1");
  rig.Open(1001);
  ReportFrame frame;
  frame[1] = 0x02;
  frame[3] = 0x01;
  frame[4] = 0x01;
  frame[5] = 0x08;
  frame.StoreChecksum();
  const ReportFrame before = frame;
  rig.hub->Unplug("k1");  // the open handle is dead: writes fail
  EXPECT_FALSE(rig.manager.Exchange(frame));
  EXPECT_EQ(frame.bytes, before.bytes);
  EXPECT_EQ(rig.wire.Count(), 1u);  // only the enumeration query
}

TEST(Exchange, AnOfflineReceiverGetsNothingWritten) {
  Rig rig("k3-receiver");
  rig.Open(1002);
  const std::size_t afterEnumeration = rig.wire.Count();
  rig.manager.SetOnlineState(1002, 1, 0);
  ReportFrame frame = ReadRequest(0x12);
  EXPECT_FALSE(rig.manager.Exchange(frame));
  EXPECT_EQ(rig.wire.Count(), afterEnumeration);
  EXPECT_EQ(frame[1], 0x12);
}

TEST(Exchange, RefusesWithoutTheOpenedFlagOrAConnection) {
  Rig rig("k1");
  rig.manager.Enumerate();
  rig.manager.SetCurrentDeviceType(1001);
  ReportFrame frame = ReadRequest(0x12);
  EXPECT_FALSE(rig.manager.Exchange(frame));  // flag clear
  rig.manager.SetOpened(true);
  rig.manager.SetCurrentDeviceType(1003);
  EXPECT_FALSE(rig.manager.Exchange(frame));  // no interface of that type
  EXPECT_EQ(rig.wire.Count(), 1u);
}

// An answer that comes after its request was given up on is the answer to
// that request, not to the next one; one already waiting before a write is
// cleared.
TEST(Exchange, ALateAnswerIsNeverTakenForTheNextRequest) {
  Rig rig("k3");
  rig.Open(1002);
  rig.hub->SetReplyDelay(1600);
  ReportFrame rate = ReadRequest(0x12);
  EXPECT_FALSE(rig.manager.Exchange(rate));
  rig.hub->SetReplyDelay(600);  // the late 0x12 answer arrives first
  ReportFrame stages = ReadRequest(0x13);
  EXPECT_TRUE(rig.manager.Exchange(stages));
  EXPECT_EQ(stages[0], 0x13);
  rig.hub->SetReplyDelay(0);

  ASSERT_TRUE(rig.hub->InjectReport("k3", 2, {0x16, 0x00, 0x02, 0x00, 0x02}));
  ReportFrame power = ReadRequest(0x17);
  EXPECT_TRUE(rig.manager.Exchange(power));
  EXPECT_EQ(power[0], 0x17);
}

// Status and DPI-change reports met by an exchange reach the notification
// poll in order instead of passing for an acknowledgement.
TEST(Exchange, UnsolicitedReportsGoToTheNotificationPoll) {
  Rig rig("k3");
  rig.Open(1002);
  ASSERT_TRUE(rig.hub->InjectReport("k3", 2, {0xC2, 0x00, 0x14}));  // a DPI change, byte 1 = 0
  ASSERT_TRUE(rig.hub->InjectReport("k3", 2, {0xC2, 0x00, 0x24}));
  rig.hub->SetReplyDelay(300);
  ReportFrame frame = ReadRequest(0x16);
  EXPECT_TRUE(rig.manager.Exchange(frame));
  EXPECT_EQ(frame[0], 0x16);
  rig.hub->SetReplyDelay(0);
  std::vector<int> seen;
  ReportBuffer report{};
  int type = 0;
  while (rig.manager.PollNotifications(report, type)) {
    EXPECT_EQ(type, 1002);
    EXPECT_EQ(report[0], 0xC2);
    seen.push_back(report[2]);
  }
  EXPECT_EQ((std::vector<int>{0x14, 0x24}), seen);
}

// A mouse that leaves byte 0 alone (or fills it with anything that is not a
// command) is still heard.
TEST(Exchange, AnyByteZeroThatNamesNoOtherCommandIsAccepted) {
  for (std::uint8_t zero : {0x00, 0x01, 0x5A, 0xFF}) {
    auto hub = std::make_shared<sim::VirtualMouseHub>("k1");
    auto faults = std::make_shared<test::DeviceFaults>();
    faults->read = [zero](HidDevice& inner, std::uint8_t* buffer, std::size_t length, int timeoutMs) {
      const int n = inner.Read(buffer, length, timeoutMs);
      if (n > 0) buffer[0] = zero;
      return n;
    };
    HidDeviceManager manager(
        std::make_unique<test::FaultyBackend>(std::make_unique<sim::InProcessBackend>(hub), faults));
    test::AddShippedRecords(manager);
    manager.Enumerate();
    manager.SetOpened(true);
    manager.SetCurrentDeviceType(1001);
    ReportFrame frame = ReadRequest(0x16);
    EXPECT_TRUE(manager.Exchange(frame)) << int(zero);
    EXPECT_EQ(frame[4], 0x01) << "lift-off from the answer";
  }
}

TEST(QueryDeviceInfo, AsksTheGivenInterfaceOrCopiesTheStoredReply) {
  Rig rig("k5");
  rig.Open(1003);
  ReportBuffer stored{};
  ASSERT_TRUE(rig.manager.QueryDeviceInfo(stored, nullptr));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&stored[4]), 4), "K5PR");
  EXPECT_EQ(rig.wire.Count(), 1u);  // no traffic for the stored copy

  ReportBuffer fresh;
  fresh.fill(0xEE);
  ASSERT_TRUE(rig.manager.QueryDeviceInfo(fresh, rig.manager.ActiveHandle()));
  EXPECT_EQ(fresh[10], 49);
  for (std::size_t i = 33; i < fresh.size(); ++i) ASSERT_EQ(fresh[i], 0) << i;
  const auto wire = rig.wire.Written();
  ASSERT_EQ(wire.size(), 2u);
  EXPECT_EQ(wire[1].bytes, wire[0].bytes);
  EXPECT_EQ(wire[1].bytes.size(), 65u);  // the 33-byte query, padded
}

}  // namespace
}  // namespace korvex
