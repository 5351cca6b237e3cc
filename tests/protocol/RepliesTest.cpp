#include <gtest/gtest.h>

#include "protocol/DpiConversion.h"
#include "protocol/Replies.h"

namespace korvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RepliesTest, DeviceInformation) {
  const Bytes reply{0x00, 0x00, 0x00, 0x00, 'K', '3', 'W', 'L', 0x34, 0x12, 17, 0x20, 2, 85, 1};
  DeviceInfo info;
  ASSERT_TRUE(ParseDeviceInfo(reply.data(), reply.size(), info));
  EXPECT_EQ(info.deviceId, "K3WL");
  EXPECT_EQ(info.deviceWord, 0x1234);
  EXPECT_EQ(info.sensorCode, 17);
  EXPECT_EQ(ReportRateChoiceCount(info.reportRateCapability), 6);
  EXPECT_EQ(info.batteryState, 2);
  EXPECT_EQ(info.batteryLevel, 85);
  EXPECT_TRUE(info.mouseConnected);

  Bytes off = reply;
  off[14] = 0;
  off[6] = 0;  // an id cut short by a zero byte
  ASSERT_TRUE(ParseDeviceInfo(off.data(), off.size(), info));
  EXPECT_FALSE(info.mouseConnected);
  EXPECT_EQ(info.deviceId, "K3");
}

TEST(RepliesTest, SettingsReadBack) {
  Bytes reply(33, 0);
  reply[4] = 0x24;  // stage 2 of 4
  reply[5] = 210;   // stage 0 register, sensor 17 -> 11000
  reply[9] = 0x2C;  // stage 1 register 0x012C, both bytes used
  reply[10] = 0x01;
  DpiStagesReply stages;
  ASSERT_TRUE(ParseDpiStages(reply.data(), reply.size(), 17, stages));
  EXPECT_EQ(stages.count, 4);
  EXPECT_EQ(stages.index, 2);
  EXPECT_EQ(stages.registers[0], 210);
  EXPECT_EQ(stages.dpi[0], 11000);
  EXPECT_EQ(stages.registers[1], 300);
  EXPECT_EQ(stages.dpi[5], 0);

  Bytes colours(33, 0);
  DpiColoursReply c;
  ASSERT_TRUE(ParseDpiColours(colours.data(), colours.size(), c));
  EXPECT_FALSE(c.present);
  colours[7] = 0x80;  // only byte 7 set: colours are there
  colours[19] = 0x01; colours[20] = 0x02; colours[21] = 0x03;
  ASSERT_TRUE(ParseDpiColours(colours.data(), colours.size(), c));
  EXPECT_TRUE(c.present);
  EXPECT_EQ(c.colours[0], 0u);
  EXPECT_EQ(c.colours[1], 0x80u);
  EXPECT_EQ(c.colours[5], 0x030201u);

  Bytes misc{0, 0, 0, 0, 4, 0x31, 1, 30};
  int rate = 0;
  ASSERT_TRUE(ParseReportRate(misc.data(), misc.size(), rate));
  EXPECT_EQ(rate, 4);
  LightingState light;
  ASSERT_TRUE(ParseLightingState(misc.data(), misc.size(), light));
  EXPECT_EQ(light.mode, 4);
  EXPECT_EQ(light.brightness, 3);
  EXPECT_EQ(light.speed, 1);
  PowerOptions power;
  ASSERT_TRUE(ParsePowerOptions(misc.data(), misc.size(), power));
  EXPECT_EQ(power.sleepLight, 4);
  EXPECT_EQ(power.buttonResponseTime, 30);
}

TEST(RepliesTest, SensorFlagIsRebuiltFromTheTwoBytes) {
  const struct { std::uint8_t b5, b6; int flag; } cases[] = {{1, 1, 12}, {0, 1, 4}, {1, 0, 8}, {2, 0, 0}};
  for (const auto& c : cases) {
    const Bytes reply{0, 0, 0, 0, 2, c.b5, c.b6};
    LiftoffSensor out;
    ASSERT_TRUE(ParseLiftoffSensor(reply.data(), reply.size(), out));
    EXPECT_EQ(out.liftoffHeight, 2);
    EXPECT_EQ(out.sensorFlag, c.flag);
  }
}

TEST(RepliesTest, FirmwareVersionText) {
  std::string text;
  const Bytes reply{0, 0, 0, 0, 0x01, 0x05};
  ASSERT_TRUE(ParseFirmwareVersion(reply.data(), reply.size(), text));
  EXPECT_EQ(text, "105");
  EXPECT_EQ(FirmwareVersionText(1, 0x30), "130");
  EXPECT_EQ(FirmwareVersionText(0xAB, 0x0C), "AB0C");
  EXPECT_EQ(FirmwareVersionText(0, 0), "000");
}

TEST(RepliesTest, UnsolicitedReports) {
  StatusReport status;
  const Bytes on{0xC0, 1, 80, 2, 0, 0};
  ASSERT_TRUE(ParseStatusReport(on.data(), on.size(), status));
  EXPECT_TRUE(status.connected);
  EXPECT_EQ(status.batteryLevel, 80);
  EXPECT_EQ(status.batteryState, 2);
  const Bytes away{0xC0, 2, 0, 0};
  ASSERT_TRUE(ParseStatusReport(away.data(), away.size(), status));
  EXPECT_FALSE(status.connected);
  EXPECT_EQ(status.batteryLevel, 0);

  DpiChangeReport change;
  const Bytes dpi{0xC2, 0x24};
  ASSERT_TRUE(ParseDpiChangeReport(dpi.data(), dpi.size(), change));
  EXPECT_EQ(change.count, 4);
  EXPECT_EQ(change.stage, 2);
  // Each parser takes only its own report type.
  EXPECT_FALSE(ParseStatusReport(dpi.data(), dpi.size(), status));
  EXPECT_FALSE(ParseDpiChangeReport(on.data(), on.size(), change));
}

TEST(RepliesTest, ShortRepliesAreRefusedWithoutTouchingTheOutput) {
  const Bytes full(65, 0xC0);
  DeviceInfo info;
  info.sensorCode = -7;
  DpiStagesReply stages;
  stages.count = -7;
  DpiColoursReply colours;
  LightingState light;
  light.mode = -7;
  LiftoffSensor lift;
  lift.liftoffHeight = -7;
  PowerOptions power;
  power.sleepLight = -7;
  StatusReport status;
  status.batteryLevel = -7;
  DpiChangeReport change;
  change.count = -7;
  std::string text = "keep";
  int rate = -7;
  // One byte short of each layout, then a null buffer.
  EXPECT_FALSE(ParseDeviceInfo(full.data(), 14, info));
  EXPECT_FALSE(ParseReportRate(full.data(), 4, rate));
  EXPECT_FALSE(ParseDpiStages(full.data(), 26, 4, stages));
  EXPECT_FALSE(ParseDpiColours(full.data(), 21, colours));
  EXPECT_FALSE(ParseLightingState(full.data(), 5, light));
  EXPECT_FALSE(ParseLiftoffSensor(full.data(), 6, lift));
  EXPECT_FALSE(ParsePowerOptions(full.data(), 7, power));
  EXPECT_FALSE(ParseFirmwareVersion(full.data(), 5, text));
  EXPECT_FALSE(ParseStatusReport(full.data(), 3, status));
  EXPECT_FALSE(ParseDpiChangeReport(nullptr, 2, change));
  EXPECT_FALSE(ParseDeviceInfo(nullptr, 65, info));
  EXPECT_EQ(info.sensorCode, -7);
  EXPECT_EQ(stages.count, -7);
  EXPECT_FALSE(colours.present);
  EXPECT_EQ(light.mode, -7);
  EXPECT_EQ(lift.liftoffHeight, -7);
  EXPECT_EQ(power.sleepLight, -7);
  EXPECT_EQ(status.batteryLevel, -7);
  EXPECT_EQ(change.count, -7);
  EXPECT_EQ(text, "keep");
  EXPECT_EQ(rate, -7);
}

TEST(RepliesTest, FrameOverloadsHonourTheReplyLength) {
  ReportFrame reply;
  reply[4] = 0x01;
  reply[5] = 0x30;
  std::string text;
  EXPECT_FALSE(ParseFirmwareVersion(reply, 5, text));
  ASSERT_TRUE(ParseFirmwareVersion(reply, 33, text));
  EXPECT_EQ(text, "130");
  // A length past the buffer is limited to what the frame holds.
  DeviceInfo info;
  EXPECT_TRUE(ParseDeviceInfo(reply, 1000, info));
}

}  // namespace
}  // namespace korvex
