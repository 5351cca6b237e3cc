// The program's encoders and parsers against the independently written
// firmware model: what the builders send, the model must take and give back.
#include <gtest/gtest.h>

#include "protocol/ButtonCommands.h"
#include "protocol/Crc16.h"
#include "protocol/FirmwareReport.h"
#include "protocol/Frames.h"
#include "protocol/LightingCommand.h"
#include "protocol/MacroCommands.h"
#include "protocol/PerformanceCommands.h"
#include "protocol/Replies.h"
#include "sim/FirmwareUpdater.h"
#include "sim/FrameStatus.h"
#include "sim/InProcessBackend.h"

namespace korvex {
namespace {

using sim::DeviceSnapshot;

class ProtocolCrossCheckTest : public ::testing::Test {
 protected:
  std::shared_ptr<sim::VirtualMouseHub> hub_ = sim::VirtualMouseHub::CreateDefault();
  sim::InProcessBackend backend_{hub_};

  // Exchange as the program does it: the frame buffer ends up holding the
  // reply; true when acknowledged.
  bool Exchange(const std::string& device, ReportFrame& frame, int* replyLength = nullptr) {
    auto& dev = Device(device);
    // The backend pads to the 65-byte output report and says so.
    if (dev.Write(frame.data(), frame.length) != sim::kOutputReportLength) return false;
    std::array<std::uint8_t, ReportFrame::kLongLength> reply{};
    const int n = dev.Read(reply.data(), frame.length, 200);
    if (n <= 0) return false;
    std::copy(reply.begin(), reply.begin() + n, frame.bytes.begin());
    if (replyLength) *replyLength = n;
    return IsAcknowledged(frame.data(), static_cast<std::size_t>(n));
  }
  // The reply of a read request and its length.
  struct Reply {
    ReportFrame frame;
    int length = 0;
  };
  Reply ReadBack(const std::string& device, Command c) {
    Reply r{BuildReadRequest(c), 0};
    EXPECT_TRUE(Exchange(device, r.frame, &r.length)) << int(CommandByte(c));
    return r;
  }
  HidDevice& Device(const std::string& name) {
    auto& d = devices_[name];
    if (!d) d = backend_.Open("vmouse:" + name + ":2");
    return *d;
  }
  DeviceSnapshot Snap(const std::string& device) {
    DeviceSnapshot s;
    EXPECT_TRUE(hub_->Snapshot(device, s));
    return s;
  }
  static sim::Rgb Rgb(ColourRef c) {
    return {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
            static_cast<std::uint8_t>(c >> 16)};
  }

  std::map<std::string, std::unique_ptr<HidDevice>> devices_;
};

TEST_F(ProtocolCrossCheckTest, PerformanceSettingsRoundTrip) {
  for (int rate : {8, 4, 2, 1, 16}) {
    ReportFrame f = BuildReportRate(rate);
    ASSERT_TRUE(Exchange("k3", f)) << rate;
    int back = 0;
    const Reply replyReportRate = ReadBack("k3", Command::ReadReportRate);
    ASSERT_TRUE(ParseReportRate(replyReportRate.frame, replyReportRate.length, back));
    EXPECT_EQ(back, rate);
  }
  ReportFrame tooFast = BuildReportRate(64);
  EXPECT_FALSE(Exchange("k3", tooFast));  // the K3 tops out at 2000 Hz

  // Sensors whose two conversions invert each other read back the same DPI.
  for (const auto& [device, sensor] : {std::pair{"k3", 53}, {"classic", 99}}) {
    DpiStages stages{3, 2, {400, 800, 1600, 3200, 6400, 12800}};
    ReportFrame f = BuildDpiStages(sensor, stages);
    ASSERT_TRUE(Exchange(device, f));
    DpiStagesReply back;
    const Reply replyDpiStages = ReadBack(device, Command::ReadDpiStages);
    ASSERT_TRUE(ParseDpiStages(replyDpiStages.frame, replyDpiStages.length, sensor, back));
    EXPECT_EQ(back.count, 3);
    EXPECT_EQ(back.index, 2);
    EXPECT_EQ(back.dpi, stages.dpi) << device;
    EXPECT_EQ(Snap(device).slot.stageY[4], Snap(device).slot.stageX[4]);
  }

  std::array<ColourRef, kDpiStageCount> colours = {0xFF8000, 0x0000FF, 0x00FF00,
                                                   0x123456, 0x000001, 0xFFFFFF};
  ReportFrame c = BuildDpiColours(colours);
  ASSERT_TRUE(Exchange("k1", c));
  DpiColoursReply colourBack;
  const Reply replyDpiColours = ReadBack("k1", Command::ReadDpiColours);
  ASSERT_TRUE(ParseDpiColours(replyDpiColours.frame, replyDpiColours.length, colourBack));
  EXPECT_TRUE(colourBack.present);
  EXPECT_EQ(colourBack.colours, colours);
  EXPECT_EQ(Snap("k1").slot.stageColour[0], (sim::Rgb{0x00, 0x80, 0xFF}));

  for (int flag : {0, 4, 8, 12}) {
    ReportFrame f = BuildLiftoffSensor({2, flag});
    ASSERT_TRUE(Exchange("k5", f));
    LiftoffSensor back;
    const Reply replyLiftoffSensor = ReadBack("k5", Command::ReadLiftoffSensor);
    ASSERT_TRUE(ParseLiftoffSensor(replyLiftoffSensor.frame, replyLiftoffSensor.length, back));
    EXPECT_EQ(back.liftoffHeight, 2);
    EXPECT_EQ(back.sensorFlag, flag);
  }
  ReportFrame p = BuildPowerOptions({30, 1, 0, 12});
  ASSERT_TRUE(Exchange("k5", p));
  PowerOptions power;
  const Reply replyPowerOptions = ReadBack("k5", Command::ReadPowerOptions);
  ASSERT_TRUE(ParsePowerOptions(replyPowerOptions.frame, replyPowerOptions.length, power));
  EXPECT_EQ(power.sleepLight, 30);
  EXPECT_EQ(power.moveWakeup, 1);
  EXPECT_EQ(power.moveCloseLight, 0);
  EXPECT_EQ(power.buttonResponseTime, 12);
}

TEST_F(ProtocolCrossCheckTest, LightingEveryModeRoundTrips) {
  std::array<ColourRef, kLightColourSlots> palette = {0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF,
                                                      0x00FFFF, 0xFFFF00, 0xFFFFFF};
  for (int mode = 0; mode <= 5; ++mode) {
    LightingSetting s{mode, mode % 5, 4 - mode % 5, palette};
    ReportFrame f = BuildLighting(s);
    ASSERT_TRUE(Exchange("k5", f)) << mode;
    LightingState back;
    const Reply replyLighting = ReadBack("k5", Command::ReadLighting);
    ASSERT_TRUE(ParseLightingState(replyLighting.frame, replyLighting.length, back));
    EXPECT_EQ(back.mode, mode);
    EXPECT_EQ(back.brightness, s.brightness);
    EXPECT_EQ(back.speed, s.speed);
  }
  const DeviceSnapshot snap = Snap("k5");
  for (int i = 0; i < kLightColourSlots; ++i) EXPECT_EQ(snap.slot.cycleColours[i], Rgb(palette[i]));
  EXPECT_EQ(snap.slot.steadyColour, Rgb(palette[0]));

  ReportFrame unknown = BuildLighting({9, 1, 1, palette});
  EXPECT_FALSE(Exchange("k5", unknown));
  EXPECT_EQ(Snap("k5").slot.lightMode, 5);
}

TEST_F(ProtocolCrossCheckTest, ButtonsAndMacrosRoundTrip) {
  std::vector<ButtonAssignment> rows = {
      {0, kMouseFunction, 4, 0, {}},         {1, kKeyCombination, 0xE3, 0x01, {}},
      {2, kMediaFunction, 1, 0, {}},          {3, kSystemShortcut, 9, 0, {}},
      {4, kMacroBinding, 7, 0, MacroPlayMode{0, 3}}, {5, kDpiFunction, 2, 0, {}},
      {6, kSpecialFunction, 1, 0, {}},        {7, kFireFunction, 0x20, 0x03, {}},
      {8, kDisabled, 0, 0, {}}};
  const auto slots = BuildButtonSlots(rows);
  ReportFrame f = BuildButtons(slots);
  ASSERT_TRUE(Exchange("k1", f));
  const DeviceSnapshot snap = Snap("k1");
  for (int i = 0; i < kButtonSlots; ++i) {
    EXPECT_EQ(snap.slot.buttons[i], (sim::ButtonTriple{slots[i].function, slots[i].a, slots[i].b}))
        << i;
  }

  for (int events : {0, 2, 6, 7, 20, 101}) {
    std::vector<MacroItem> records;
    for (int e = 0; e < events; ++e) {
      records.push_back({e % 2 ? kMacroKeyRelease : kMacroKeyPress, 0x41 + e % 26});
      records.push_back({kMacroDelay, 30 + e});
    }
    std::vector<ReportFrame> reports;
    const int count = BuildMacroReports(4, records, reports);
    ASSERT_GT(count, 0) << events;
    for (auto& r : reports) ASSERT_TRUE(Exchange("k1", r)) << events;
    EXPECT_EQ(Snap("k1").slot.macros[4], BuildMacroStream(4, records)) << events;
  }
}

TEST_F(ProtocolCrossCheckTest, ResetsReadsAndNotifications) {
  for (ReportFrame f : {BuildResetDpi(), BuildResetReportRate(), BuildResetLighting(),
                        BuildFactoryReset()})
    EXPECT_TRUE(Exchange("k3-receiver", f));
  for (Command c : {Command::ReadDeviceInfo, Command::ReadFirstSync, Command::ReadReportRate,
                    Command::ReadDpiStages, Command::ReadDpiColours, Command::ReadLighting,
                    Command::ReadLiftoffSensor, Command::ReadPowerOptions,
                    Command::ReadMouseFirmware})
    ReadBack("k3-receiver", c);

  DeviceInfo info;
  const Reply replyDeviceInfo = ReadBack("k3-receiver", Command::ReadDeviceInfo);
  ASSERT_TRUE(ParseDeviceInfo(replyDeviceInfo.frame, replyDeviceInfo.length, info));
  EXPECT_EQ(info.deviceId, "K3WL");
  EXPECT_EQ(info.sensorCode, 53);
  EXPECT_TRUE(info.mouseConnected);
  std::string version;
  const Reply replyMouseFirmware = ReadBack("k3-receiver", Command::ReadMouseFirmware);
  ASSERT_TRUE(ParseFirmwareVersion(replyMouseFirmware.frame, replyMouseFirmware.length, version));
  EXPECT_EQ(version, "130");

  Device("k3-receiver");
  ASSERT_TRUE(hub_->MouseOff("k3-receiver"));
  std::uint8_t buf[33];
  ASSERT_EQ(Device("k3-receiver").Read(buf, sizeof buf, 200), 33);
  StatusReport status;
  ASSERT_TRUE(ParseStatusReport(buf, sizeof buf, status));
  EXPECT_FALSE(status.connected);
  const Reply replyOff = ReadBack("k3-receiver", Command::ReadDeviceInfo);
  ASSERT_TRUE(ParseDeviceInfo(replyOff.frame, replyOff.length, info));
  EXPECT_FALSE(info.mouseConnected);
  EXPECT_EQ(info.deviceId, "K3WL");

  ASSERT_TRUE(hub_->MouseOn("k3-receiver"));
  ASSERT_EQ(Device("k3-receiver").Read(buf, sizeof buf, 200), 33);
  ASSERT_TRUE(ParseStatusReport(buf, sizeof buf, status));
  EXPECT_TRUE(status.connected);
  EXPECT_EQ(status.batteryLevel, 80);
  ASSERT_TRUE(hub_->PressDpiButton("k3-receiver"));
  ASSERT_EQ(Device("k3-receiver").Read(buf, sizeof buf, 200), 33);
  DpiChangeReport change;
  ASSERT_TRUE(ParseDpiChangeReport(buf, sizeof buf, change));
  EXPECT_EQ(change.count, 4);
  EXPECT_EQ(change.stage, 2);
}

TEST_F(ProtocolCrossCheckTest, FirmwareReportsInstallAnImage) {
  std::vector<std::uint8_t> image(1000);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13);
  EXPECT_EQ(Crc16Modbus(image.data(), image.size()),
            sim::Crc16Modbus(image.data(), image.size()));

  auto upd = backend_.Open("vmouse:k5:3");
  std::vector<FirmwareReport> data;
  ASSERT_EQ(BuildFirmwareDataReports(image.data(), image.size(), data), 21);
  std::vector<FirmwareReport> all = {FirmwareReport::Start()};
  all.insert(all.end(), data.begin(), data.end());
  all.push_back(FirmwareReport::End());
  for (const auto& r : all) ASSERT_EQ(upd->Write(r.data(), FirmwareReport::kLength), 64);

  const DeviceSnapshot snap = Snap("k5");
  EXPECT_EQ(snap.update.phase, sim::UpdateStatus::Phase::Installed);
  EXPECT_EQ(snap.update.lastError, sim::UpdateResult::Ok);
  std::vector<std::uint8_t> padded = image;
  padded.resize(1008, 0xFF);
  EXPECT_EQ(snap.update.imageCrc, sim::Crc16Modbus(padded.data(), padded.size()));
  EXPECT_EQ(snap.identity.firmwareMinor, 0x31);
}

}  // namespace
}  // namespace korvex
