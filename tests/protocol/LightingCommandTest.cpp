#include <gtest/gtest.h>

#include "FrameBytes.h"
#include "protocol/LightingCommand.h"

namespace korvex {
namespace {

using test::Bytes;
using test::Slice;

LightingSetting Row(int mode, int brightness = 4, int speed = 2) {
  LightingSetting s;
  s.mode = mode;
  s.brightness = brightness;
  s.speed = speed;
  s.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
  return s;
}

TEST(LightingCommandTest, DefaultFlowingModeAndItsChecksum) {
  const ReportFrame frame = BuildLighting(Row(1));
  EXPECT_EQ(Slice(frame, 0, 8), (Bytes{0x00, 0x05, 0x00, 0x01, 0x03, 0x01, 0x42, 0x00}));
  EXPECT_TRUE(test::AllZero(frame, 8, 32));
  EXPECT_EQ(frame[32], 0x43);
  EXPECT_EQ(frame.length, 65u);
  EXPECT_TRUE(test::AllZero(frame, 33, 65));
}

TEST(LightingCommandTest, SteadyModeSendsTheFirstColour) {
  LightingSetting s = Row(3);
  s.colours[0] = 0xFF0C00;
  const ReportFrame frame = BuildLighting(s);
  EXPECT_EQ(Slice(frame, 0, 10), (Bytes{0x00, 0x05, 0x00, 0x01, 0x05, 0x03, 0x42, 0x00, 0x0C, 0xFF}));
  EXPECT_TRUE(test::AllZero(frame, 10, 32));
}

TEST(LightingCommandTest, BreathingModeSendsSevenColours) {
  const ReportFrame frame = BuildLighting(Row(2));
  EXPECT_EQ(Slice(frame, 4, 4), (Bytes{0x18, 0x02, 0x42, 0x07}));
  EXPECT_EQ(Slice(frame, 8, 21), (Bytes{0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF,
                                        0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_TRUE(test::AllZero(frame, 29, 32));
}

TEST(LightingCommandTest, ShortModesAndUnknownModes) {
  EXPECT_EQ(Slice(BuildLighting(Row(0, 0, 0)), 0, 8), (Bytes{0x00, 0x05, 0x00, 0x01, 0x02, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Slice(BuildLighting(Row(4, 3, 1)), 4, 4), (Bytes{0x02, 0x04, 0x31, 0x00}));
  EXPECT_EQ(Slice(BuildLighting(Row(5)), 4, 4), (Bytes{0x02, 0x05, 0x42, 0x00}));
  // Brightness beyond a nibble keeps only the low 8 bits of the level byte.
  EXPECT_EQ(BuildLighting(Row(5, 0x13, 2))[6], 0x32);
  const ReportFrame unknown = BuildLighting(Row(6));
  EXPECT_EQ(Slice(unknown, 0, 5), (Bytes{0x00, 0x05, 0x00, 0x01, 0x00}));
  EXPECT_TRUE(test::AllZero(unknown, 5, 65));
}

}  // namespace
}  // namespace korvex
