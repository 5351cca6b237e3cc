#include <gtest/gtest.h>

#include "FrameBytes.h"
#include "protocol/PerformanceCommands.h"

namespace korvex {
namespace {

using test::Bytes;
using test::Slice;

TEST(PerformanceCommandsTest, DpiStagesPackIndexCountAndRegistersTwice) {
  DpiStages stages;
  stages.count = 4;
  stages.index = 1;
  stages.dpi = {800, 1600, 2400, 3200, 4800, 6400};
  const ReportFrame frame = BuildDpiStages(4, stages);
  EXPECT_EQ(frame[5], 0x14);
  EXPECT_EQ(Slice(frame, 6, 4), (Bytes{0x08, 0x00, 0x08, 0x00}));
  EXPECT_EQ(Slice(frame, 10, 4), (Bytes{0x10, 0x00, 0x10, 0x00}));
  EXPECT_EQ(Slice(frame, 26, 4), (Bytes{0x40, 0x00, 0x40, 0x00}));
  EXPECT_TRUE(test::AllZero(frame, 30, 32));
}

TEST(PerformanceCommandsTest, DpiStagesLimitToTheSensorRangeAndUseBothRegisterBytes) {
  DpiStages stages;
  stages.dpi = {20, -5, 30000, 12000, 6500, 50};
  // Sensor 5: 50..12000; 20 and -5 go up to 50 (register 1), 30000 down to 12000.
  const ReportFrame s5 = BuildDpiStages(5, stages);
  EXPECT_EQ(Slice(s5, 6, 4), (Bytes{0x01, 0x00, 0x01, 0x00}));
  EXPECT_EQ(Slice(s5, 10, 2), (Bytes{0x01, 0x00}));
  EXPECT_EQ(Slice(s5, 14, 2), (Bytes{184, 0x00}));
  EXPECT_EQ(Slice(s5, 22, 2), (Bytes{129, 0x00}));
  // An unlisted sensor reaches past one byte: 26000 / 50 - 1 = 519 = 0x0207.
  stages.dpi = {26000, 26000, 26000, 26000, 26000, 26000};
  const ReportFrame wide = BuildDpiStages(99, stages);
  EXPECT_EQ(Slice(wide, 6, 4), (Bytes{0x07, 0x02, 0x07, 0x02}));
}

TEST(PerformanceCommandsTest, ColoursGoRedGreenBlue) {
  const ReportFrame frame = BuildDpiColours({0xFF8000, 0x0000FF, 0, 0, 0, 0x123456});
  EXPECT_EQ(Slice(frame, 5, 6), (Bytes{0x00, 0x80, 0xFF, 0xFF, 0x00, 0x00}));
  EXPECT_EQ(Slice(frame, 20, 3), (Bytes{0x56, 0x34, 0x12}));
  EXPECT_TRUE(test::AllZero(frame, 23, 32));
}

TEST(PerformanceCommandsTest, SensorFlagSendsOnlyBitsEightAndFour) {
  EXPECT_EQ(Slice(BuildLiftoffSensor({2, 12}), 5, 5), (Bytes{2, 1, 1, 0, 0}));
  EXPECT_EQ(Slice(BuildLiftoffSensor({1, 4}), 5, 3), (Bytes{1, 0, 1}));
  EXPECT_EQ(Slice(BuildLiftoffSensor({1, 0x10 | 0x08}), 5, 3), (Bytes{1, 1, 0}));
}

TEST(PerformanceCommandsTest, StoredValuesTravelAsTheirLowByte) {
  EXPECT_EQ(Slice(BuildPowerOptions({0x1FF, 1, 0, 20}), 5, 4), (Bytes{0xFF, 1, 0, 20}));
  EXPECT_EQ(BuildReportRate(64)[5], 64);
  EXPECT_EQ(BuildReportRate(0x108)[5], 0x08);
}

}  // namespace
}  // namespace korvex
