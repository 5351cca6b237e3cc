// Report descriptors, the padding of output reports to the declared length,
// and the arrival probe that must not wait for the worker.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "TransportTestSupport.h"
#include "app/DeviceChangeRules.h"
#include "transport/HidrawSysfs.h"
#include "transport/ReportDescriptor.h"

namespace korvex::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A vendor collection with 64 bytes each way and no report ids.
const Bytes kPlain = {0x05, 0x01, 0x09, 0x00, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
                      0x95, 0x40, 0x09, 0x00, 0x81, 0x02, 0x95, 0x40, 0x09, 0x00, 0x91, 0x02, 0xC0};

TEST(ReportDescriptor, OutputLengthsPerReportIdWithPushPopAndLongItems) {
  EXPECT_EQ(ReportDescriptor::Parse(kPlain).OutputWriteLength(0), 65u);
  EXPECT_EQ(ReportDescriptor::Parse(kPlain).OutputWriteLength(1), 0u);

  const Bytes numbered = {
      0x06, 0x00, 0xFF, 0x0A, 0x01, 0x00, 0xA1, 0x01,  // vendor page 0xFF00, usage 1
      0x85, 0x01, 0x75, 0x08, 0x95, 0x07, 0x91, 0x02,  // id 1: 7 bytes out
      0xA4,                                             // push (size 8, count 7)
      0x85, 0x02, 0x75, 0x01, 0x95, 0x0C, 0x91, 0x02,  // id 2: 12 bits out
      0xB4,                                             // pop: back to id 1, 8 x 7
      0xFE, 0x02, 0x10, 0xAA, 0xBB,                     // a long item is skipped whole
      0x91, 0x02,                                       // id 1: 7 more bytes
      0x96, 0x00, 0x01, 0x81, 0x02,                     // 256-byte input: not an output
      0xC0};
  const ReportDescriptor d = ReportDescriptor::Parse(numbered);
  EXPECT_EQ(d.OutputWriteLength(1), 15u);
  EXPECT_EQ(d.OutputWriteLength(2), 3u);  // 12 bits round up to two bytes
  EXPECT_EQ(d.OutputWriteLength(0), 0u);
  ASSERT_EQ(d.TopLevelCollections().size(), 1u);
  EXPECT_TRUE(d.HasCollection(0xFF00, 0x0001));

  // Cut inside an item: what came before still counts, nothing is read past the end.
  const Bytes cut(kPlain.begin(), kPlain.begin() + 22);
  EXPECT_EQ(ReportDescriptor::Parse(cut).OutputWriteLength(0), 0u);
  EXPECT_TRUE(ReportDescriptor::Parse(cut).HasCollection(1, 0));
  EXPECT_EQ(ReportDescriptor::Parse(nullptr, 8).TopLevelCollections().size(), 0u);
}

TEST(ReportDescriptor, OnlyTopLevelCollectionsAreListed) {
  const Bytes twoTop = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0xC0, 0xC0,
                        0x0B, 0x00, 0x00, 0x0C, 0x00,  // usage 0x000C0000 in its 4-byte form
                        0xA1, 0x01, 0xC0};
  const ReportDescriptor d = ReportDescriptor::Parse(twoTop);
  ASSERT_EQ(d.TopLevelCollections().size(), 2u);
  EXPECT_TRUE(d.HasCollection(1, 2));
  EXPECT_FALSE(d.HasCollection(1, 1));  // the pointer is nested inside the mouse
  EXPECT_TRUE(d.HasCollection(0x0C, 0));
}

TEST(ReportDescriptor, PadsShortReportsWithZerosAndLeavesTheRestAlone) {
  const ReportDescriptor d = ReportDescriptor::Parse(kPlain);
  Bytes frame(33, 0xAB);
  frame[0] = 0;
  const std::uint8_t* data = frame.data();
  std::size_t length = frame.size();
  Bytes scratch;
  d.PadOutput(data, length, scratch);
  ASSERT_EQ(length, 65u);
  EXPECT_TRUE(std::equal(frame.begin(), frame.end(), data));
  for (std::size_t i = 33; i < 65; ++i) ASSERT_EQ(data[i], 0) << i;

  Bytes full(65, 1);
  full[0] = 0;
  data = full.data();
  length = full.size();
  d.PadOutput(data, length, scratch);
  EXPECT_EQ(data, full.data());
  EXPECT_EQ(length, 65u);
  Bytes otherId = {7, 1, 2};  // no output report 7 declared: sent as it is
  data = otherId.data();
  length = otherId.size();
  d.PadOutput(data, length, scratch);
  EXPECT_EQ(length, 3u);
}

TEST(HidrawSysfs, ReadsTheNodesDescriptorAndRefusesOtherPaths) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("korvex-sysfs-" + std::to_string(getpid()));
  std::filesystem::create_directories(root / "class/hidraw/hidraw7/device");
  std::ofstream(root / "class/hidraw/hidraw7/device/report_descriptor", std::ios::binary)
      .write(reinterpret_cast<const char*>(kPlain.data()), static_cast<std::streamsize>(kPlain.size()));
  Bytes out;
  ASSERT_TRUE(ReadHidrawReportDescriptor("/dev/hidraw7", out, root.string()));
  EXPECT_EQ(out, kPlain);
  EXPECT_FALSE(ReadHidrawReportDescriptor("/dev/hidraw8", out, root.string()));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(ReadHidrawReportDescriptor("/dev/input/event3", out, root.string()));
  EXPECT_FALSE(ReadHidrawReportDescriptor("/dev/hidraw", out, root.string()));
  std::filesystem::remove_all(root);
}

// The virtual mouse refuses a report shorter than its 65-byte output, as a
// strict device does; the backend pads the program's 33-byte frames.
TEST(ReportLength, ShortFramesArePaddedOnTheWireAndAShortRawWriteIsRefused) {
  Rig rig("k1");
  const auto raw = rig.hub->Open("vmouse:k1:2");
  ASSERT_NE(raw, 0u);
  Bytes shortFrame(33, 0);
  shortFrame[1] = 0x12;
  EXPECT_EQ(rig.hub->Write(raw, shortFrame.data(), shortFrame.size()), -1);
  rig.hub->Close(raw);
  EXPECT_EQ(rig.wire.Count(), 0u);

  rig.Open(1001);
  ReportFrame frame;
  frame[1] = 0x12;  // read the report rate
  ASSERT_TRUE(rig.manager.Exchange(frame));
  const auto written = rig.wire.Written();
  ASSERT_FALSE(written.empty());
  for (const auto& r : written) {
    ASSERT_EQ(r.bytes.size(), 65u);
    for (std::size_t i = 33; i < 65; ++i) ASSERT_EQ(r.bytes[i], 0) << i;
  }
  EXPECT_EQ(written.back().bytes[1], 0x12);
}

// The window decides about an arrival while the worker holds the manager for
// a whole exchange; the decision must not wait for it.
TEST(ReportLength, ArrivalProbeDoesNotWaitForTheManagersLock) {
  Rig rig("k1");
  std::promise<void> held, release;
  std::thread worker([&] {
    std::lock_guard<std::recursive_mutex> lock(rig.manager.Mutex());
    held.set_value();
    release.get_future().wait();
  });
  held.get_future().wait();
  const HidDeviceEvent arrival{HidDeviceEvent::Kind::Arrival, "vmouse:k1:2", 0x1209, 0x0001, 2};
  const HidDeviceEvent removal{HidDeviceEvent::Kind::Removal, "vmouse:k1:2", 0x1209, 0x0001, 2};
  auto decided = std::async(std::launch::async, [&] {
    return std::make_pair(DecideDeviceChange(rig.manager, arrival, true),
                          DecideDeviceChange(rig.manager, removal, true));
  });
  const bool answered = decided.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
  release.set_value();
  worker.join();
  ASSERT_TRUE(answered) << "the device-change rules waited for the lock";
  const auto [onArrival, onRemoval] = decided.get();
  EXPECT_EQ(onArrival, DeviceChangeAction::kReconnectSync);
  EXPECT_EQ(onRemoval, DeviceChangeAction::kRemovalRefresh);
}

}  // namespace
}  // namespace korvex::test
