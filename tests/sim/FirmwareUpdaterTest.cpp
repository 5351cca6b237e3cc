#include <gtest/gtest.h>

#include "HandFrames.h"
#include "sim/DeviceRoster.h"
#include "sim/FirmwareUpdater.h"
#include "sim/VirtualDevice.h"

namespace korvex::sim {
namespace {

using simtest::Bytes;

Bytes Image(std::size_t n) {
  Bytes image(n);
  for (std::size_t i = 0; i < n; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return image;
}

class FirmwareUpdaterTest : public ::testing::Test {
 protected:
  FirmwareUpdater updater_;
  InputReport reply_{};

  UpdateResult Send(const Bytes& r) {
    updater_.HandleOutputReport(r.data(), r.size(), reply_);
    EXPECT_EQ(reply_[0], 0x05);
    return static_cast<UpdateResult>(reply_[1]);
  }
};

TEST(Crc16ModbusTest, KnownCheckValue) {
  const std::string check = "123456789";
  EXPECT_EQ(Crc16Modbus(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()),
            0x4B37);
  EXPECT_EQ(Crc16Modbus(nullptr, 0), 0xFFFF);
}

TEST_F(FirmwareUpdaterTest, CleanTransferIsInstalled) {
  const Bytes image = Image(100);  // 7 blocks: reports of 3, 3 and 1
  EXPECT_EQ(Send(simtest::StartReport()), UpdateResult::Ok);
  EXPECT_EQ(reply_[2], 1);
  const auto reports = simtest::DataReports(image);
  ASSERT_EQ(reports.size(), 3u);
  for (const auto& r : reports) EXPECT_EQ(Send(r), UpdateResult::Ok);
  EXPECT_EQ(reply_[3], 7);  // blocks taken so far
  EXPECT_TRUE(updater_.HandleOutputReport(simtest::EndReport().data(), 64, reply_));
  EXPECT_EQ(reply_[1], 0);
  EXPECT_EQ(reply_[2], 2);

  const UpdateStatus& s = updater_.Status();
  EXPECT_EQ(s.phase, UpdateStatus::Phase::Installed);
  EXPECT_EQ(s.blocks, 7);
  EXPECT_EQ(s.imageBytes, 112u);
  Bytes padded = image;
  padded.resize(112, 0xFF);
  EXPECT_EQ(s.imageCrc, Crc16Modbus(padded.data(), padded.size()));
  EXPECT_EQ(s.installs, 1);
}

TEST_F(FirmwareUpdaterTest, BadCrcFailsTheTransferUntilTheNextStart) {
  Send(simtest::StartReport());
  auto reports = simtest::DataReports(Image(96));
  reports[1][4 + 20 + 5] ^= 0x40;  // a data byte of block 4
  EXPECT_EQ(Send(reports[0]), UpdateResult::Ok);
  EXPECT_EQ(Send(reports[1]), UpdateResult::BadCrc);
  EXPECT_EQ(updater_.Status().failedBlock, 4);
  EXPECT_EQ(Send(simtest::EndReport()), UpdateResult::BadCrc);
  EXPECT_EQ(updater_.Status().phase, UpdateStatus::Phase::Failed);
  EXPECT_EQ(updater_.Status().installs, 0);

  Send(simtest::StartReport());
  for (const auto& r : simtest::DataReports(Image(32))) EXPECT_EQ(Send(r), UpdateResult::Ok);
  EXPECT_EQ(Send(simtest::EndReport()), UpdateResult::Ok);
  EXPECT_EQ(updater_.Status().installs, 1);
}

TEST_F(FirmwareUpdaterTest, BlocksMustComeInOrder) {
  Send(simtest::StartReport());
  const Bytes skipped = simtest::UpdateReport(simtest::Block(1, Image(16)));
  EXPECT_EQ(Send(skipped), UpdateResult::BadOrder);
  EXPECT_EQ(updater_.Status().failedBlock, 1);

  // Only the last report may carry fewer than three blocks.
  Send(simtest::StartReport());
  EXPECT_EQ(Send(simtest::UpdateReport(simtest::Block(0, Image(16)))), UpdateResult::Ok);
  EXPECT_EQ(Send(simtest::UpdateReport(simtest::Block(1, Image(16)))), UpdateResult::BadOrder);
}

TEST_F(FirmwareUpdaterTest, DataOrEndWithoutStartAndMalformedReports) {
  EXPECT_EQ(Send(simtest::DataReports(Image(16))[0]), UpdateResult::NotStarted);
  EXPECT_EQ(Send(simtest::EndReport()), UpdateResult::NotStarted);
  Send(simtest::StartReport());
  EXPECT_EQ(Send(simtest::EndReport()), UpdateResult::NotStarted);  // no image at all

  Bytes wrongHeader = simtest::StartReport();
  wrongHeader[1] = 0x03;
  EXPECT_EQ(Send(wrongHeader), UpdateResult::Malformed);
  Bytes oddLength = simtest::UpdateReport(Bytes(21, 0));
  EXPECT_EQ(Send(oddLength), UpdateResult::Malformed);
  Bytes tooLong = simtest::StartReport();
  tooLong[2] = 61;
  EXPECT_EQ(Send(tooLong), UpdateResult::Malformed);
  // A short write is zero-padded by the driver, which breaks the 0xFF fill.
  const Bytes start = simtest::StartReport();
  updater_.HandleOutputReport(start.data(), 10, reply_);
  EXPECT_EQ(reply_[1], static_cast<std::uint8_t>(UpdateResult::Malformed));
}

TEST(UpdateInterfaceTest, InstallBumpsTheMouseVersionAndNeedsTheMouse) {
  std::vector<DeviceSpec> specs;
  std::string error;
  ASSERT_TRUE(ParseDeviceSpec("k3-receiver,k1", specs, error));
  VirtualDevice receiver(specs[0]);
  VirtualDevice wired(specs[1]);
  std::vector<OutgoingReport> out;

  auto sendAll = [&](VirtualDevice& d) {
    out.clear();
    std::vector<Bytes> reports = {simtest::StartReport()};
    for (const auto& r : simtest::DataReports(Image(40))) reports.push_back(r);
    reports.push_back(simtest::EndReport());
    for (const auto& r : reports)
      EXPECT_EQ(d.HandleOutput(kUpdateInterface, r.data(), r.size(), out), 64);
  };
  sendAll(wired);
  EXPECT_EQ(out.back().interfaceNumber, kUpdateInterface);
  EXPECT_EQ(out.back().bytes[1], 0);
  EXPECT_EQ(wired.Mouse().Identity().firmwareMinor, 0x31);
  EXPECT_EQ(wired.Release(), 0x0131);

  receiver.SetMouseOn(false, out);
  sendAll(receiver);
  EXPECT_EQ(out.back().bytes[1], static_cast<std::uint8_t>(UpdateResult::Offline));
  EXPECT_EQ(receiver.Mouse().Identity().firmwareMinor, 0x30);
  receiver.SetMouseOn(true, out);
  sendAll(receiver);
  EXPECT_EQ(receiver.Mouse().Identity().firmwareMinor, 0x31);
  EXPECT_EQ(receiver.Release(), 0x0112);  // the receiver's own version stays

  const Bytes wrongId = {0x00, 0x02, 0x02, 0x00, 0x01, 0xFF};
  EXPECT_EQ(wired.HandleOutput(kUpdateInterface, wrongId.data(), wrongId.size(), out), -1);
}

}  // namespace
}  // namespace korvex::sim
