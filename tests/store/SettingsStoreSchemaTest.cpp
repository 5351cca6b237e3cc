#include <gtest/gtest.h>

#include <map>

#include "StoreTestSupport.h"
#include "store/ColourRef.h"
#include "store/SettingsStore.h"
#include "store/StoreSchema.h"

namespace korvex {
namespace {

using test::Inspector;
using test::TempDataFolder;

TEST(StoreSchema, FreshFileHasEightTablesSevenIndexesAndNoProfile) {
  TempDataFolder folder;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  EXPECT_TRUE(store.IsOpen());
  EXPECT_EQ(store.Path(), folder.FileOf("K1WD"));

  Inspector look(folder.FileOf("K1WD"));
  EXPECT_EQ(look.Text("SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master "
                      "WHERE type = 'table' AND name LIKE 't\\_%' ESCAPE '\\' ORDER BY name)"),
            "t_configdata,t_key_light_data,t_key_macro_data,t_key_otherdata,t_light_data,"
            "t_macro_data,t_macrorecord,t_profile_data");
  EXPECT_EQ(look.Text("SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master "
                      "WHERE type = 'index' ORDER BY name)"),
            "keyindex,keylightindex,lightindex,macroidindex,macrorecordindex,otheridindex,"
            "profileindex");
  EXPECT_EQ(look.Int("SELECT count(*) FROM t_profile_data"), 0);
  EXPECT_EQ(look.Int("SELECT count(*) FROM t_configdata"), 0);
  // Column order is part of the format: the list operations read by position.
  EXPECT_EQ(look.Text("SELECT group_concat(name, ',') FROM pragma_table_info('t_macrorecord')"),
            "record_id,macro_id,type,record_index,desc,value,delay_time");
  EXPECT_EQ(look.Text("SELECT group_concat(name, ',') FROM pragma_table_info('t_profile_data')"),
            "profile,name,status,app,type");
  EXPECT_EQ(store.GetActiveProfile(), 0);
}

TEST(StoreSchema, NewProfileHasExactlyTheFortyDefaults) {
  TempDataFolder folder;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K3WL"));
  ProfileRecord record;
  record.name = "Profile 1";
  const ProfileId id = store.CreateProfile(record);
  ASSERT_EQ(id, 1);

  Inspector look(folder.FileOf("K3WL"));
  EXPECT_EQ(look.Int("SELECT count(*) FROM t_configdata"), 40);
  EXPECT_EQ(look.Int("SELECT count(DISTINCT key) FROM t_configdata WHERE profile = 1"), 40);
  EXPECT_EQ(look.Text("SELECT status || '|' || app || '|' || type FROM t_profile_data"), "0||0");

  const std::map<std::string, std::string> expected = {
      {"version", "1.0.1"}, {"report_rate", "2"}, {"report_rate_wireless", "1"},
      {"sensor_flag", "53"}, {"e-sports_flag", "0"}, {"dpi_index", "1"},
      {"dpi_group0_value", "800"}, {"dpi_group5_value", "26000"}, {"dpi_group7_value", "0"},
      {"dpi_group6_rgb", "16712191"}, {"dpi_group8_rgb", "2139135"},
      {"doubleclick_time", "550"}};
  for (const auto& [key, value] : expected) {
    std::string stored;
    EXPECT_TRUE(store.GetValue(id, key, stored)) << key;
    EXPECT_EQ(stored, value) << key;
  }
  // Rows go in catalogue order, so row ids follow the catalogue.
  int position = 1;
  for (const ConfigDefault& entry : ConfigDefaults()) {
    EXPECT_EQ(look.Text("SELECT key || '=' || value FROM t_configdata WHERE config_id = " +
                        std::to_string(position++)),
              std::string(entry.key) + "=" + entry.value);
  }
  std::string missing = "untouched";
  EXPECT_FALSE(store.GetValue(id, "dpi_group8_value", missing));
  EXPECT_EQ(missing, "");
  EXPECT_FALSE(store.GetValue(id + 1, "version", missing));
}

TEST(StoreSchema, ColourEncodingHasRedInTheLowByte) {
  EXPECT_EQ(PackColour(0xFF, 0, 0), 255u);
  EXPECT_EQ(PackColour(0, 0xFF, 0), 65280u);
  EXPECT_EQ(PackColour(0, 0, 0xFF), 16711680u);
  const ColourRef stage6 = 16712191;  // default of "dpi_group6_rgb"
  EXPECT_EQ(ColourRed(stage6), 0xFF);
  EXPECT_EQ(ColourGreen(stage6), 0x01);
  EXPECT_EQ(ColourBlue(stage6), 0xFF);
  EXPECT_EQ(PackColour(ColourRed(stage6), ColourGreen(stage6), ColourBlue(stage6)), stage6);
}

TEST(StoreSchema, DefaultLightRowsFollowTheEnabledSlotsAndDeviceType) {
  const auto all = DefaultLightRows(3, 1002, {true, true, true, true, true, true});
  ASSERT_EQ(all.size(), 6u);
  const int modes[] = {1, 2, 3, 4, 5, 0};
  const int reserved[] = {280, 281, 282, 283, 284, 285};
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i].mode, modes[i]);
    EXPECT_EQ(all[i].reserved, reserved[i]);
    EXPECT_EQ(all[i].profile, 3);
    EXPECT_EQ(all[i].brightness, 4);
    EXPECT_EQ(all[i].speed, 2);
    EXPECT_EQ(all[i].colorful, 1);
    EXPECT_EQ(all[i].status, 0);
    EXPECT_EQ(all[i].color_value1, 255);
    EXPECT_EQ(all[i].color_value4, 16776960);
    EXPECT_EQ(all[i].color_value5, 65535);
    EXPECT_EQ(all[i].color_value7, 16777215);
  }
  EXPECT_EQ(all[0].name, "流光");
  EXPECT_EQ(all[5].name, "关闭");
  EXPECT_EQ(all[1].config_func, 3);
  EXPECT_EQ(all[2].config_func, 1);
  EXPECT_EQ(all[5].config_func, 0);

  const auto generic = DefaultLightRows(1, 101, {false, true, true, false, false, true});
  ASSERT_EQ(generic.size(), 3u);
  EXPECT_EQ(generic[0].config_func, 2067);
  EXPECT_EQ(generic[1].config_func, 17);
  EXPECT_EQ(generic[2].mode, 0);
  EXPECT_EQ(DefaultLightRow(1, 1, 104).config_func, 2067);
  EXPECT_EQ(DefaultLightRow(2, 1, 102).config_func, 1);
}

}  // namespace
}  // namespace korvex
