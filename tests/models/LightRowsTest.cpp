#include <gtest/gtest.h>

#include <vector>

#include "TempFolder.h"
#include "lighting/LightRows.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

constexpr LightEnableFlags kAllModes{true, true, true, true, true, true};

class LightRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store_.OpenForModel(folder_.Path(), "korvex_k5"));
    ProfileRecord record;
    record.name = "Profile 1";
    ASSERT_EQ(store_.CreateProfile(record), 1);
    record.name = "Profile 2";
    ASSERT_EQ(store_.CreateProfile(record), 2);
  }

  std::vector<LightRecord> Rows(ProfileId profile) {
    std::vector<LightRecord> rows;
    store_.ListLights(profile, rows);
    return rows;
  }

  test::TempFolder folder_;
  SettingsStore store_;
};

TEST_F(LightRowsTest, AllModesGiveSixDefaultRowsInDescriptorOrderWithModeOneActive) {
  EXPECT_EQ(EnsureLightRows(store_, 1, 113, kAllModes), 6);
  std::vector<LightRecord> rows = Rows(1);
  ASSERT_EQ(rows.size(), 6u);
  const int modes[] = {1, 2, 3, 4, 5, 0};
  const char* names[] = {"流光", "呼吸", "常亮", "霓虹", "七彩波浪", "关闭"};
  const int configFunc[] = {3, 3, 1, 3, 3, 0};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].mode, modes[i]);
    EXPECT_EQ(rows[i].name, names[i]);
    EXPECT_EQ(rows[i].reserved, 280 + static_cast<int>(i));
    EXPECT_EQ(rows[i].config_func, configFunc[i]) << "mode " << modes[i];
    EXPECT_EQ(rows[i].brightness, 4);
    EXPECT_EQ(rows[i].speed, 2);
    EXPECT_EQ(rows[i].colorful, 1);
    EXPECT_EQ(rows[i].color_value1, 255);
    EXPECT_EQ(rows[i].color_value3, 16711680);
    EXPECT_EQ(rows[i].color_value7, 16777215);
    EXPECT_EQ(rows[i].status, modes[i] == 1 ? 1 : 0);
  }
  EXPECT_EQ(store_.GetActiveLightMode(1), 1);
  // Only the profile asked for gets rows.
  EXPECT_TRUE(Rows(2).empty());
}

TEST_F(LightRowsTest, GenericTypesGetTheColourfulBreathingAndSteadyModes) {
  for (int type : {101, 103, 104}) {
    store_.DeleteLights(1);
    ASSERT_EQ(EnsureLightRows(store_, 1, type, kAllModes), 6);
    LightRecord breathing, steady;
    ASSERT_TRUE(store_.GetLight(1, 2, breathing));
    ASSERT_TRUE(store_.GetLight(1, 3, steady));
    EXPECT_EQ(breathing.config_func, 0x813) << type;
    EXPECT_EQ(steady.config_func, 0x011) << type;
  }
}

TEST_F(LightRowsTest, SecondCallChangesNothing) {
  ASSERT_EQ(EnsureLightRows(store_, 1, 112, kAllModes), 6);
  LightRecord edited;
  ASSERT_TRUE(store_.GetLight(1, 4, edited));
  edited.brightness = 1;
  ASSERT_TRUE(store_.UpdateLight(1, 4, edited));
  ASSERT_TRUE(store_.SetActiveLightMode(1, 4));

  EXPECT_EQ(EnsureLightRows(store_, 1, 112, kAllModes), 0);
  EXPECT_EQ(Rows(1).size(), 6u);
  EXPECT_EQ(store_.GetActiveLightMode(1), 4);
  ASSERT_TRUE(store_.GetLight(1, 4, edited));
  EXPECT_EQ(edited.brightness, 1);
}

TEST_F(LightRowsTest, OnlyEnabledModesAndNoActiveModeWithoutModeOne) {
  LightEnableFlags breathingAndOff{};
  breathingAndOff[1] = true;
  breathingAndOff[5] = true;
  EXPECT_EQ(EnsureLightRows(store_, 2, 112, breathingAndOff), 2);
  std::vector<LightRecord> rows = Rows(2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].mode, 2);
  EXPECT_EQ(rows[1].mode, 0);
  EXPECT_EQ(store_.GetActiveLightMode(2), 0);
  EXPECT_EQ(rows[0].status + rows[1].status, 0);
}

TEST_F(LightRowsTest, ModelWithoutLightingAndInvalidProfileGetNoRows) {
  EXPECT_EQ(EnsureLightRows(store_, 1, 111, LightEnableFlags{}), 0);
  EXPECT_TRUE(Rows(1).empty());
  EXPECT_EQ(EnsureLightRows(store_, 0, 112, kAllModes), 0);
  EXPECT_TRUE(Rows(0).empty());
}

}  // namespace
}  // namespace korvex
