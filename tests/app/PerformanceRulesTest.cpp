// The performance page's rules that need no window.
#include <gtest/gtest.h>

#include "app/PerformanceRules.h"

namespace korvex {
namespace {

TEST(PerformanceRulesTest, ActiveStageStaysAmongTheStagesInUse) {
  EXPECT_EQ(2, ActiveStageOf(2, 3));
  EXPECT_EQ(0, ActiveStageOf(3, 3));
  EXPECT_EQ(0, ActiveStageOf(-1, 3));
  // Fewer stages with the last one active: the new last stage.
  EXPECT_EQ(2, ActiveStageAfterCount(5, 3));
  EXPECT_EQ(1, ActiveStageAfterCount(1, 3));
  EXPECT_EQ(0, ActiveStageAfterCount(4, 1));
}

TEST(PerformanceRulesTest, SliderValueKeepsToTheSensorsRange) {
  // The left end of the slider is below every sensor's smallest DPI.
  EXPECT_EQ(50, SliderStageValue(99, 0));
  EXPECT_EQ(200, SliderStageValue(38, 0));
  EXPECT_EQ(100, SliderStageValue(53, 0));
  EXPECT_EQ(3200, SliderStageValue(53, 32));
  EXPECT_EQ(16000, SliderStageValue(53, 500));
  EXPECT_EQ(10200, SliderStageValue(17, 202));
  EXPECT_EQ(12000, SliderStageValue(17, 222));
  EXPECT_EQ(6000, SliderStageValue(37, 52));
}

TEST(PerformanceRulesTest, OnlyAnEightThousandHertzMouseListsEveryRate) {
  EXPECT_EQ(4, ReportRateEntriesShown(4));
  EXPECT_EQ(4, ReportRateEntriesShown(5));
  EXPECT_EQ(4, ReportRateEntriesShown(6));
  EXPECT_EQ(7, ReportRateEntriesShown(7));
}

TEST(PerformanceRulesTest, SensorBoxesAndTheirBits) {
  EXPECT_EQ(0x04, SensorFlagOf(true, false, false));
  EXPECT_EQ(0x18, SensorFlagOf(false, true, true));
  EXPECT_EQ(0, SensorFlagOf(false, false, false));
  EXPECT_TRUE(SensorOptionOn(0x0C, 0));
  EXPECT_TRUE(SensorOptionOn(0x0C, 1));
  EXPECT_FALSE(SensorOptionOn(0x0C, 2));
  EXPECT_FALSE(SensorOptionOn(0xFF, 3));
  EXPECT_EQ(2, SensorOptionOfName("motion-sync"));
  EXPECT_EQ(-1, SensorOptionOfName("Angle"));
}

TEST(PerformanceRulesTest, LiftoffSleepAndHelpText) {
  EXPECT_TRUE(LiftoffIsTwo("2"));
  EXPECT_FALSE(LiftoffIsTwo("02"));
  EXPECT_FALSE(LiftoffIsTwo(""));
  ASSERT_EQ(6u, SleepItems().size());
  EXPECT_EQ(6, SleepItems().front().data);
  EXPECT_EQ(180, SleepItems().back().data);
  EXPECT_EQ("t\na\nb\nc\n\nd\ne\n\nf\ng", SensorHelpText({"t", "a", "b", "c", "d", "e", "f", "g"}));
}

TEST(PerformanceRulesTest, WebColoursAreRedGreenBlue) {
  ColourRef colour = 0;
  ASSERT_TRUE(ParseWebColour("#FF8000", colour));
  EXPECT_EQ(0x0080FFu, colour);
  ASSERT_TRUE(ParseWebColour("#00ff0a", colour));
  EXPECT_EQ(0x0AFF00u, colour);
  EXPECT_EQ("#0A0B0C", WebColourText(0x0C0B0A));
  for (const char* bad : {"FF8000", "#FF800", "#FF80000", "#GG0000", "", "#"})
    EXPECT_FALSE(ParseWebColour(bad, colour)) << bad;
  bool on = false;
  EXPECT_TRUE(ParseOnOff("on", on) && on);
  EXPECT_TRUE(ParseOnOff("off", on) && !on);
  EXPECT_FALSE(ParseOnOff("ON", on));
}

}  // namespace
}  // namespace korvex
