#include <gtest/gtest.h>

#include <string>

#include "protocol/DpiConversion.h"

namespace korvex {
namespace {

TEST(DpiConversionTest, KnownConversionsFromTheCommandRules) {
  EXPECT_EQ(DpiToRegister(17, 11000), 210);
  EXPECT_EQ(RegisterToDpi(17, 210), 11000);
  EXPECT_EQ(DpiToRegister(5, 6500), 129);
  EXPECT_EQ(RegisterToDpi(5, 129), 6500);
  EXPECT_EQ(DpiToRegister(5, 6400), 128);
  EXPECT_EQ(DpiToRegister(77, 800), 15);
  EXPECT_EQ(RegisterToDpi(77, 15), 800);
  EXPECT_EQ(DpiToSlider(77, 800), 16);
  EXPECT_EQ(DpiToRegister(37, 5500), 51);
  EXPECT_EQ(RegisterToDpi(37, 50), 5000);
}

TEST(DpiConversionTest, SliderDiffersFromRegisterWhereTheRulesSaySo) {
  // Sensor 17: 12000 is still in the middle range for the slider...
  EXPECT_EQ(DpiToRegister(17, 12000), 220);
  EXPECT_EQ(DpiToSlider(17, 12000), 220);
  // ...but 12001..12999 fall to the upper range.
  EXPECT_EQ(DpiToRegister(17, 12500), 225);
  EXPECT_EQ(DpiToSlider(17, 12500), 221);
  // Sensors 38 and 49 use the register rule for the slider too.
  EXPECT_EQ(DpiToSlider(38, 1000), 9);
  EXPECT_EQ(DpiToSlider(49, 13000), 121);
}

// Every stage value a sensor can hold on its register grid comes back from
// the mouse unchanged, so a read-back never moves what was written.
TEST(DpiConversionTest, WrittenValuesReadBackUnchangedAcrossEachRange) {
  struct Range { int sensor; int from; int to; int step; };
  const Range ranges[] = {
      {4, 100, 8000, 100},    {16, 100, 4800, 100},  {18, 100, 4800, 100},  {53, 100, 16000, 100},
      {5, 50, 6400, 50},      {5, 6500, 12000, 100}, {17, 50, 10000, 50},   {17, 10100, 12000, 100},
      {37, 100, 5000, 100},   {37, 5500, 10000, 500}, {38, 200, 5000, 100}, {38, 5500, 10000, 500},
      {49, 100, 12000, 100},  {49, 13000, 24000, 1000}, {0, 50, 26000, 50}, {99, 50, 26000, 50},
  };
  for (const Range& r : ranges) {
    for (int dpi = r.from; dpi <= r.to; dpi += r.step) {
      ASSERT_EQ(RegisterToDpi(r.sensor, DpiToRegister(r.sensor, dpi)), dpi)
          << "sensor " << r.sensor << " dpi " << dpi;
    }
  }
}

// The other direction, over every DPI value a stage can hold: whatever
// register the writer sends, reading it back and writing that again sends
// the same register, so a stage never drifts from one round trip to the next.
TEST(DpiConversionTest, EveryRegisterTheWriterSendsSurvivesARoundTrip) {
  for (int sensor : {4, 5, 16, 17, 18, 37, 38, 49, 53, 0, 99}) {
    const SensorLimits& limits = SensorLimitsOf(sensor);
    for (int dpi = limits.dpiMin; dpi <= limits.dpiMax; ++dpi) {
      const int reg = DpiToRegister(sensor, dpi);
      const int back = RegisterToDpi(sensor, reg);
      ASSERT_EQ(DpiToRegister(sensor, ClampDpi(sensor, back)), reg)
          << "sensor " << sensor << " dpi " << dpi << " read back as " << back;
      ASSERT_GE(back, limits.dpiMin) << "sensor " << sensor << " register " << reg;
      ASSERT_LE(back, limits.dpiMax) << "sensor " << sensor << " register " << reg;
    }
  }
  // The band of sensor 38 that has no round value of its own.
  EXPECT_EQ(DpiToRegister(38, 5200), 50);
  EXPECT_EQ(DpiToRegister(38, 5400), 50);
  EXPECT_EQ(RegisterToDpi(38, 50), 5200);
}

TEST(DpiConversionTest, SliderTopMatchesTheTableAtEachSensorsMaximum) {
  for (int sensor : {4, 5, 16, 17, 18, 37, 49, 53, 200}) {
    const SensorLimits& limits = SensorLimitsOf(sensor);
    EXPECT_EQ(DpiToSlider(sensor, limits.dpiMax), limits.sliderMax) << sensor;
    EXPECT_EQ(SliderToDpi(sensor, limits.sliderMax), limits.dpiMax) << sensor;
  }
  // Sensor 38's slider ends at 59 = 10000 on its own rule.
  EXPECT_EQ(SliderToDpi(38, 59), 10000);
  EXPECT_EQ(SliderToDpi(38, 49), 5000);
  EXPECT_EQ(SliderToDpi(38, 0), 100);
  // Positions past the top stay at the maximum.
  EXPECT_EQ(SliderToDpi(4, 500), 8000);
  EXPECT_EQ(SliderToDpi(17, 230), 12000);
}

TEST(DpiConversionTest, SensorTableAndFallback) {
  const SensorLimits& s38 = SensorLimitsOf(38);
  EXPECT_EQ(s38.dpiMin, 200);
  EXPECT_EQ(s38.dpiMax, 10000);
  EXPECT_EQ(std::string(s38.stepText), "200");
  const SensorLimits& unknown = SensorLimitsOf(1);
  EXPECT_EQ(unknown.dpiMin, 50);
  EXPECT_EQ(unknown.dpiMax, 26000);
  EXPECT_EQ(unknown.sliderMax, 520);
  EXPECT_EQ(std::string(unknown.maxText), "26000");
  EXPECT_EQ(ClampDpi(38, 20), 200);
  EXPECT_EQ(ClampDpi(38, 20000), 10000);
  EXPECT_EQ(ClampDpi(38, 3000), 3000);
}

TEST(DpiConversionTest, ReportRateChoices) {
  EXPECT_EQ(ReportRateChoiceCount(0x10), 5);
  EXPECT_EQ(ReportRateChoiceCount(0x20), 6);
  EXPECT_EQ(ReportRateChoiceCount(0x40), 7);
  EXPECT_EQ(ReportRateChoiceCount(0x01), 4);
  EXPECT_EQ(ReportRateChoiceCount(0x30), 4);
  EXPECT_EQ(ReportRateChoiceAt(0).code, 8);
  EXPECT_EQ(ReportRateChoiceAt(3).code, 1);
  EXPECT_EQ(std::string(ReportRateChoiceAt(6).text), "8000Hz");
  EXPECT_EQ(ReportRateChoiceAt(6).code, 64);
}

}  // namespace
}  // namespace korvex
