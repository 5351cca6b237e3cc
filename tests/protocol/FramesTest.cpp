#include <gtest/gtest.h>

#include "FrameBytes.h"
#include "protocol/ButtonCommands.h"
#include "protocol/Frames.h"
#include "protocol/LightingCommand.h"
#include "protocol/MacroCommands.h"
#include "protocol/PerformanceCommands.h"

namespace korvex {
namespace {

using test::Bytes;
using test::Slice;

TEST(FramesTest, ChecksumIsTheLowByteOfThePayloadSum) {
  const ReportFrame a = BuildPowerOptions({0x25, 0x19, 0, 0});
  EXPECT_EQ(a[32], 0x3E);
  const ReportFrame b = BuildPowerOptions({0x01, 0xFF, 0, 0});
  EXPECT_EQ(b[32], 0x00);
}

struct WriteCase {
  const char* name;
  ReportFrame frame;
  std::uint8_t command;
  std::uint8_t lengthByte;
  std::size_t frameLength;
};

TEST(FramesTest, EveryWriteCarriesItsCatalogueHeader) {
  LightingSetting light;
  light.mode = 1;
  const WriteCase cases[] = {
      {"rate", BuildReportRate(1), 0x02, 0x01, 65},
      {"dpi", BuildDpiStages(4, {}), 0x03, 0x25, 33},
      {"colours", BuildDpiColours({}), 0x04, 0x12, 65},
      {"lighting", BuildLighting(light), 0x05, 0x03, 65},
      {"liftoff", BuildLiftoffSensor({}), 0x06, 0x05, 65},
      {"power", BuildPowerOptions({}), 0x07, 0x04, 65},
      {"buttons", BuildButtons(DefaultButtonSlots()), 0x09, 0x0F, 33},
      {"reset dpi", BuildResetDpi(), 0x0C, 0x01, 33},
      {"reset rate", BuildResetReportRate(), 0x0D, 0x01, 33},
      {"reset lighting", BuildResetLighting(), 0x0E, 0x01, 33},
      {"factory", BuildFactoryReset(), 0x0F, 0x01, 33},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Slice(c.frame, 0, 5), (Bytes{0x00, c.command, 0x00, 0x01, c.lengthByte}));
    EXPECT_EQ(c.frame.length, c.frameLength);
    EXPECT_EQ(c.frame[32], test::SumOfPayload(c.frame));
    EXPECT_TRUE(test::AllZero(c.frame, 33, 65));
  }
}

TEST(FramesTest, ResetsCarryExactlyOnePayloadByte) {
  EXPECT_EQ(Slice(BuildResetDpi(), 0, 7), (Bytes{0x00, 0x0C, 0x00, 0x01, 0x01, 0x01, 0x00}));
  EXPECT_EQ(Slice(BuildResetReportRate(), 5, 2), (Bytes{0x01, 0x00}));
  EXPECT_EQ(Slice(BuildResetLighting(), 5, 2), (Bytes{0x01, 0x00}));
  const ReportFrame factory = BuildFactoryReset();
  EXPECT_EQ(Slice(factory, 0, 6), (Bytes{0x00, 0x0F, 0x00, 0x01, 0x01, 0xFF}));
  EXPECT_TRUE(test::AllZero(factory, 6, 32));
  EXPECT_EQ(factory[32], 0xFF);
}

TEST(FramesTest, ReadRequestsSetOnlyTheCommandByte) {
  const ReportFrame dpi = BuildReadRequest(Command::ReadDpiStages);
  Bytes expected(33, 0x00);
  expected[1] = 0x13;
  EXPECT_EQ(Slice(dpi, 0, 33), expected);
  EXPECT_EQ(dpi.length, 33u);

  for (Command c : {Command::ReadDeviceInfo, Command::ReadFirstSync, Command::ReadReportRate,
                    Command::ReadDpiColours, Command::ReadLighting, Command::ReadLiftoffSensor,
                    Command::ReadPowerOptions, Command::ReadMouseFirmware}) {
    ReportFrame frame = BuildReadRequest(c);
    EXPECT_EQ(frame[1], CommandByte(c));
    frame.bytes[1] = 0;
    EXPECT_TRUE(test::AllZero(frame, 0, 65)) << int(CommandByte(c));
  }
}

TEST(FramesTest, AcknowledgementIsByteOneZero) {
  const std::uint8_t ack[] = {0x13, 0x00};
  const std::uint8_t nak[] = {0x13, 0x02};
  EXPECT_TRUE(IsAcknowledged(ack, 2));
  EXPECT_FALSE(IsAcknowledged(nak, 2));
  EXPECT_FALSE(IsAcknowledged(ack, 1));
}

}  // namespace
}  // namespace korvex
