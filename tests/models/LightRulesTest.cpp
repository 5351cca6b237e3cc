// The lighting page's rules and whole-lighting changes, without a window.
#include <gtest/gtest.h>

#include <vector>

#include "TempFolder.h"
#include "lighting/LightRows.h"
#include "lighting/LightRules.h"
#include "lighting/LightingChange.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

constexpr LightEnableFlags kAllModes{true, true, true, true, true, true};

LightRecord RowWith(int configFunc) {
  LightRecord row;
  row.config_func = configFunc;
  const SlotColours initial = InitialSlotColours();
  std::int32_t* values[] = {&row.color_value1, &row.color_value2, &row.color_value3, &row.color_value4,
                            &row.color_value5, &row.color_value6, &row.color_value7};
  for (int i = 0; i < kSlotCount; ++i) *values[i] = static_cast<std::int32_t>(initial[static_cast<std::size_t>(i)]);
  return row;
}

TEST(LightRules, LabelsFollowTheLevelAndTheDrag) {
  EXPECT_EQ(BrightnessLabel("B", 0), "B: 0%");
  EXPECT_EQ(BrightnessLabel("B", 3), "B: 75%");
  EXPECT_EQ(BrightnessLabel("B", 4), "B: 100%");
  EXPECT_EQ(BrightnessLabel("B", 9), "B: 100%");
  EXPECT_EQ(BrightnessLabel("B", -2), "B: 0%");
  EXPECT_EQ(SpeedLabel("S", 2, false), "S: 2");
  EXPECT_EQ(SpeedLabel("S", 1, true), "S\xEF\xBC\x9A" "1");
}

TEST(LightRules, ComponentsClampAndSwatchesGiveTheirColours) {
  EXPECT_EQ(ColourComponentOf("300"), 255);
  EXPECT_EQ(ColourComponentOf("255"), 255);
  EXPECT_EQ(ColourComponentOf("0"), 0);
  EXPECT_EQ(ColourComponentOf("-4"), 0);
  EXPECT_EQ(ColourComponentOf(""), 0);
  EXPECT_EQ(ColourComponentOf("x1"), 0);
  EXPECT_EQ(ColourComponentOf("99999999999999999999999"), 255);
  EXPECT_EQ(ColourOfComponents(0, 255, 0), 0x00FF00u);
  const ColourRef swatch = SwatchColour(208);
  EXPECT_EQ(swatch, 0xFF0C00u);
  EXPECT_EQ(ColourRed(swatch), 0);
  EXPECT_EQ(ColourGreen(swatch), 12);
  EXPECT_EQ(ColourBlue(swatch), 255);
  EXPECT_EQ(SwatchColour(205), 0u);
  EXPECT_EQ(SwatchColour(214), 0u);
  EXPECT_EQ(InitialSlotColours()[6], SwatchColour(212));
}

TEST(LightRules, AColourWithoutSlotsChangesOnlyTheFirstColour) {
  LightRecord row = RowWith(0x011);
  const LightRecord before = row;
  SlotColours slots = InitialSlotColours();
  ApplyColourToRow(row, 0x123456, slots, 2);
  EXPECT_EQ(row.color_value1, 0x123456);
  EXPECT_EQ(row.color_value2, before.color_value2);
  EXPECT_EQ(row.color_value7, before.color_value7);
  EXPECT_EQ(slots, InitialSlotColours());
}

TEST(LightRules, AColourWithSlotsChangesOnlyTheSelectedSlot) {
  LightRecord row = RowWith(0x813);
  SlotColours slots = RowSlotColours(row);
  ApplyColourToRow(row, 0x0000FF, slots, 2);
  EXPECT_EQ(row.color_value3, 0x0000FF);
  // color_value1 comes back from slot 1, not from the colour picked.
  EXPECT_EQ(row.color_value1, static_cast<std::int32_t>(InitialSlotColours()[0]));
  EXPECT_EQ(row.color_value2, static_cast<std::int32_t>(InitialSlotColours()[1]));
  EXPECT_EQ(slots[2], 0x0000FFu);
  // No slot selected: the colour reaches no slot at all.
  LightRecord none = RowWith(0x813);
  SlotColours unchanged = RowSlotColours(none);
  ApplyColourToRow(none, 0xABCDEF, unchanged, -1);
  EXPECT_EQ(RowSlotColours(none), InitialSlotColours());
  // The top byte never reaches the row.
  ApplyColourToRow(none, 0xFF112233, unchanged, 6);
  EXPECT_EQ(none.color_value7, 0x112233);
}

TEST(LightRules, BackgroundGrowsWithTheControlsOffered) {
  EXPECT_EQ(LightBackgroundArea(0x000, 1.0).bottom, 80 + 170);
  EXPECT_EQ(LightBackgroundArea(0x003, 1.0).bottom, 80 + 430);
  EXPECT_EQ(LightBackgroundArea(0x011, 1.0).bottom, 80 + 658);
  EXPECT_EQ(LightBackgroundArea(0x002, 1.0).bottom, 80 + 170);
  const LightArea wide = LightBackgroundArea(0x813, 1.5);
  EXPECT_EQ(wide.left, 230);
  EXPECT_EQ(wide.top, 80);
  EXPECT_EQ(wide.right, 230 + 750);
  EXPECT_EQ(wide.bottom, 80 + 987);
}

TEST(LightRules, ModeNamesAndWebColours) {
  int mode = -1;
  const char* names[] = {"off", "flow", "breathing", "steady", "neon", "wave"};
  for (int m = 0; m < 6; ++m) {
    ASSERT_TRUE(LightModeOfName(names[m], mode));
    EXPECT_EQ(mode, m);
    EXPECT_STREQ(LightModeName(m), names[m]);
  }
  EXPECT_FALSE(LightModeOfName("Steady", mode));
  ColourRef colour = 0;
  ASSERT_TRUE(ParseWebColour("#ff0C00", colour));
  EXPECT_EQ(colour, 0x000CFFu);  // red in the low byte
  EXPECT_EQ(WebColourText(colour), "#FF0C00");
  for (const char* bad : {"FF0C00", "#FF0C0", "#FF0C000", "#GG0000", "", "#"})
    EXPECT_FALSE(ParseWebColour(bad, colour)) << bad;
}

class LightingChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store_.OpenForModel(folder_.Path(), "korvex_classic"));
    ProfileRecord record;
    for (const char* name : {"Profile 1", "Profile 2"}) {
      record.name = name;
      ASSERT_GT(store_.CreateProfile(record), 0);
    }
    ASSERT_EQ(EnsureLightRows(store_, 1, 101, kAllModes), 6);
  }
  LightRecord Row(int mode) {
    LightRecord row;
    EXPECT_TRUE(store_.GetLight(1, mode, row));
    return row;
  }
  // Every lighting row of profile 1, to see that a refusal stored nothing.
  std::vector<LightRecord> All() {
    std::vector<LightRecord> rows;
    store_.ListLights(1, rows);
    return rows;
  }
  static bool Same(const std::vector<LightRecord>& a, const std::vector<LightRecord>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i].brightness != b[i].brightness || a[i].speed != b[i].speed || a[i].status != b[i].status ||
          RowSlotColours(a[i]) != RowSlotColours(b[i]))
        return false;
    }
    return true;
  }

  test::TempFolder folder_;
  SettingsStore store_;
};

TEST_F(LightingChangeTest, RefusalsStoreNothing) {
  const std::vector<LightRecord> before = All();
  LightingChange colourForFlow{1, 2, 1, {0x00FF00}};
  EXPECT_NE(ApplyLightingChange(store_, 1, colourForFlow).find("takes no colour"), std::string::npos);
  LightingChange twoForSteady{3, {}, {}, {0x1, 0x2}};
  EXPECT_NE(ApplyLightingChange(store_, 1, twoForSteady).find("at most 1 colour"), std::string::npos);
  LightingChange eightForBreathing{2, {}, {}, std::vector<ColourRef>(8, 0x10)};
  EXPECT_NE(ApplyLightingChange(store_, 1, eightForBreathing).find("at most 7 colours"), std::string::npos);
  LightingChange tooBright{3, 5, {}, {}};
  EXPECT_FALSE(ApplyLightingChange(store_, 1, tooBright).empty());
  LightingChange tooSlow{3, {}, -1, {}};
  EXPECT_FALSE(ApplyLightingChange(store_, 1, tooSlow).empty());
  LightingChange noRows{3, 1, 1, {}};
  EXPECT_NE(ApplyLightingChange(store_, 2, noRows).find("no lighting mode steady"), std::string::npos);
  EXPECT_TRUE(Same(before, All()));
  EXPECT_EQ(store_.GetActiveLightMode(1), 1);
}

TEST_F(LightingChangeTest, ColoursFillTheSlotsInOrderAndTheModeBecomesActive) {
  LightingChange breathing{2, 1, 3, {0x0000FF, 0x00FF00}};
  ASSERT_EQ(ApplyLightingChange(store_, 1, breathing), "");
  LightRecord row = Row(2);
  EXPECT_EQ(row.brightness, 1);
  EXPECT_EQ(row.speed, 3);
  EXPECT_EQ(row.color_value1, 0x0000FF);
  EXPECT_EQ(row.color_value2, 0x00FF00);
  EXPECT_EQ(row.color_value3, 0xFF0000);  // the default stays
  EXPECT_EQ(store_.GetActiveLightMode(1), 2);

  LightingChange steady{3, {}, {}, {0xFF0C00}};
  ASSERT_EQ(ApplyLightingChange(store_, 1, steady), "");
  EXPECT_EQ(Row(3).color_value1, 0xFF0C00);
  EXPECT_EQ(Row(3).brightness, 4);  // not given: kept
  EXPECT_EQ(store_.GetActiveLightMode(1), 3);
  // Levels may be set for a mode whose page hides them ("off" sends them).
  LightingChange off{0, 0, 0, {}};
  ASSERT_EQ(ApplyLightingChange(store_, 1, off), "");
  EXPECT_EQ(Row(0).brightness, 0);
}

TEST_F(LightingChangeTest, ResetGivesTheActiveProfileDefaultsAndClearsTheOthers) {
  ASSERT_EQ(EnsureLightRows(store_, 2, 101, kAllModes), 6);
  LightingChange edit{4, 0, 0, {}};
  ASSERT_EQ(ApplyLightingChange(store_, 1, edit), "");
  EXPECT_EQ(ResetLightRows(store_, 1, 101, kAllModes), 6);
  EXPECT_EQ(Row(4).brightness, 4);
  EXPECT_EQ(store_.GetActiveLightMode(1), 1);
  EXPECT_EQ(store_.CountLights(2), 0);
}

}  // namespace
}  // namespace korvex
