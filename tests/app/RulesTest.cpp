// Entry rules, version texts and stored-number reading.
#include <gtest/gtest.h>

#include "app/EntryRules.h"
#include "app/ProfileValues.h"
#include "app/VersionDisplay.h"

namespace korvex {
namespace {

TEST(EntryRulesTest, TypedDpiFollowsEachSensorsStepAndRange) {
  EXPECT_EQ(50, DpiEntryValue(99, 0));
  EXPECT_EQ(50, DpiEntryValue(99, -400));
  EXPECT_EQ(26000, DpiEntryValue(99, 30000));
  EXPECT_EQ(1250, DpiEntryValue(99, 1299));
  // Sensor 17: 50 up to 10000, 100 above.
  EXPECT_EQ(10000, DpiEntryValue(17, 10050));
  EXPECT_EQ(10100, DpiEntryValue(17, 10123));
  EXPECT_EQ(12000, DpiEntryValue(17, 12345));
  EXPECT_EQ(9950, DpiEntryValue(17, 9999));
  // Sensor 37: 1000 steps counted from 5000.
  EXPECT_EQ(5000, DpiEntryValue(37, 5999));
  EXPECT_EQ(6000, DpiEntryValue(37, 6000));
  EXPECT_EQ(4900, DpiEntryValue(37, 4999));
  EXPECT_EQ(10000, DpiEntryValue(37, 12000));
  // Sensor 38 starts at 200.
  EXPECT_EQ(200, DpiEntryValue(38, 150));
  EXPECT_EQ(200, DpiEntryValue(38, 250));
  EXPECT_EQ(4800, DpiEntryValue(16, 5000));
  EXPECT_EQ(4800, DpiEntryValue(18, 4850));
  EXPECT_EQ(8000, DpiEntryValue(4, 9000));
  EXPECT_EQ(11950, DpiEntryValue(5, 11999));
  EXPECT_EQ(24000, DpiEntryValue(49, 25000));
  EXPECT_EQ(16000, DpiEntryValue(53, 16099));
  EXPECT_EQ(16000, DpiEntryValue(53, 1LL << 40));
}

TEST(EntryRulesTest, ReportRatesOfferedFollowTheChoiceCount) {
  EXPECT_EQ(8, ReportRateCodeOf(125, 4));
  EXPECT_EQ(1, ReportRateCodeOf(1000, 4));
  EXPECT_EQ(0, ReportRateCodeOf(2000, 4));
  EXPECT_EQ(0, ReportRateCodeOf(4000, 6));  // a 4000 Hz mouse is offered up to 1000 Hz
  EXPECT_EQ(64, ReportRateCodeOf(8000, 7));
  EXPECT_EQ(0, ReportRateCodeOf(300, 7));
  EXPECT_EQ(250, ReportRateHertzOf(4));
  EXPECT_EQ(0, ReportRateHertzOf(3));
}

TEST(EntryRulesTest, SleepAndResponseTimeChoices) {
  EXPECT_EQ(6, SleepValueOfMinutes(1));
  EXPECT_EQ(180, SleepValueOfMinutes(30));
  EXPECT_EQ(0, SleepValueOfMinutes(3));
  EXPECT_EQ(0, ButtonResponseValue(-5));
  EXPECT_EQ(20, ButtonResponseValue(21));
  EXPECT_EQ(7, ButtonResponseValue(7));
}

TEST(VersionRowTest, CaptionFirstCharacterAndLastTwo) {
  EXPECT_EQ("Mouse: v1.05", FormatVersionRow("Mouse", "105", true));
  EXPECT_EQ("Mouse: 1.30", FormatVersionRow("Mouse", "130", false));
  EXPECT_EQ("Mouse: v1.20", FormatVersionRow("Mouse", "1120", true));
  EXPECT_EQ("Mouse: v5.5", FormatVersionRow("Mouse", "5", true));
  EXPECT_EQ("Mouse", FormatVersionRow("Mouse", "", true));
}

TEST(ProfileValuesTest, StoredTextReadsLikeTheCLibrary) {
  EXPECT_EQ(12, ProfileValues::ParseInt("12abc"));
  EXPECT_EQ(0, ProfileValues::ParseInt("abc"));
  EXPECT_EQ(0, ProfileValues::ParseInt(""));
  EXPECT_EQ(-3, ProfileValues::ParseInt(" -3"));
  EXPECT_EQ(2147483647, ProfileValues::ParseInt("99999999999"));
  EXPECT_EQ("dpi_group5_value", ProfileValues::StageValueKey(5));
  EXPECT_EQ("dpi_group0_rgb", ProfileValues::StageColourKey(0));
}

TEST(ProfileValuesTest, KeysWithoutARowReadAsTheirCatalogueDefault) {
  SettingsStore store;  // never opened: every read fails
  ProfileValues values(store, 1);
  EXPECT_EQ(5, values.Int("dpi_count"));
  EXPECT_EQ(2, values.Int("report_rate"));
  EXPECT_EQ(26000, values.Int("dpi_group5_value"));
  EXPECT_EQ(0, values.Int("no_such_key"));
}

}  // namespace
}  // namespace korvex
