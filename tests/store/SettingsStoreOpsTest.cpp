#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/SettingsStore.h"
#include "store/StoreSchema.h"

namespace korvex {
namespace {

using test::Inspector;
using test::TempDataFolder;

class StoreOps : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store_.OpenForModel(folder_.Path(), "K5PR")); }
  Inspector Look() const { return Inspector(folder_.FileOf("K5PR")); }
  ProfileId NewProfile(const std::string& name) {
    ProfileRecord record;
    record.name = name;
    record.app = "app";
    record.status = 1;  // a new profile is never active
    record.type = 9;    // nor typed
    return store_.CreateProfile(record);
  }

  TempDataFolder folder_;
  SettingsStore store_;
};

TEST_F(StoreOps, SetValueOnMissingKeySucceedsAndStoresNothing) {
  const ProfileId id = NewProfile("One");
  EXPECT_TRUE(store_.SetValue(id, "dpi_group8_value", "1234"));
  EXPECT_TRUE(store_.SetValue(id + 5, "report_rate", "98765"));
  EXPECT_EQ(Look().Int("SELECT count(*) FROM t_configdata"), 40);
  EXPECT_EQ(
      Look().Int("SELECT count(*) FROM t_configdata WHERE value = '1234' OR value = '98765'"), 0);
  std::string value;
  EXPECT_FALSE(store_.GetValue(id, "dpi_group8_value", value));

  EXPECT_TRUE(store_.SetValue(id, "dpi_group1_value", "3200"));
  EXPECT_TRUE(store_.GetValue(id, "dpi_group1_value", value));
  EXPECT_EQ(value, "3200");
}

TEST_F(StoreOps, TextsRoundTripWithQuotesUnicodeAndLargeValues) {
  const std::string quoted = "it's \"quoted\"; DROP TABLE t_configdata; --";
  const std::string unicode = "Prof\xF0\x9F\x96\xB1\xEF\xB8\x8F \xE6\xB5\x81\xE5\x85\x89 \xF0\x9D\x84\x9E";
  const std::string large(100 * 1024, 'x');
  const ProfileId id = NewProfile(quoted);
  ASSERT_GT(id, 0);
  std::string text;
  ASSERT_TRUE(store_.GetProfileName(id, text));
  EXPECT_EQ(text, quoted);
  ASSERT_TRUE(store_.RenameProfile(id, unicode));
  ASSERT_TRUE(store_.GetProfileName(id, text));
  EXPECT_EQ(text, unicode);

  for (const std::string& value : {quoted, unicode, large, std::string()}) {
    ASSERT_TRUE(store_.SetValue(id, "version", value));
    ASSERT_TRUE(store_.GetValue(id, "version", text));
    EXPECT_EQ(text, value);
  }

  const int macro = store_.CreateMacro(unicode);
  MacroEventRecord event;
  event.macro_id = macro;
  event.desc = large;
  store_.InsertMacroEvents({event});
  std::vector<MacroEventRecord> events;
  ASSERT_EQ(store_.ListMacroEvents(macro, events), 1);
  EXPECT_EQ(events[0].desc, large);
  MacroInfo info;
  ASSERT_TRUE(store_.GetMacro(macro, info));
  EXPECT_EQ(info.name, unicode);
}

TEST_F(StoreOps, ProfilesListInOrderAndExactlyOneIsActive) {
  for (const char* name : {"A", "B", "C", "D"}) NewProfile(name);
  std::vector<ProfileRecord> profiles(3);  // stale content is dropped
  ASSERT_EQ(store_.ListProfiles(profiles), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(profiles[i].profile, i + 1);
    EXPECT_EQ(profiles[i].name, std::string(1, static_cast<char>('A' + i)));
    EXPECT_EQ(profiles[i].status, 0);
    EXPECT_EQ(profiles[i].app, "app");
    EXPECT_EQ(profiles[i].type, 0);
  }
  EXPECT_EQ(store_.GetActiveProfile(), 0);
  EXPECT_TRUE(store_.ActivateProfile(3));
  EXPECT_TRUE(store_.ActivateProfile(2));
  EXPECT_EQ(store_.GetActiveProfile(), 2);
  EXPECT_EQ(Look().Int("SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);
  EXPECT_TRUE(store_.ActivateProfile(9));  // no such profile: none is active
  EXPECT_EQ(store_.GetActiveProfile(), 0);
  EXPECT_EQ(Look().Int("SELECT count(*) FROM t_profile_data WHERE status = 1"), 0);
}

KeyAssignmentRecord Assignment(ProfileId profile, int keyCode, int value, int value2) {
  KeyAssignmentRecord record;
  record.profile = profile;
  record.key_code = keyCode;
  record.layout_value = keyCode;
  record.layout_desc = "Button";
  record.macro_type = 3;
  record.macro_value = value;
  record.macro_value2 = value2;
  record.macro_value3 = 7;
  record.macro_desc = "Ctrl+C";
  return record;
}

TEST_F(StoreOps, KeyAssignmentReplacesRowAndZeroValuesRemoveIt) {
  const int first = store_.SetKeyAssignment(Assignment(1, 4, 0x06, 0x01));
  ASSERT_GT(first, 0);
  const int second = store_.SetKeyAssignment(Assignment(1, 4, 0, 0x02));
  ASSERT_GT(second, first);
  EXPECT_GT(store_.SetKeyAssignment(Assignment(1, 5, 9, 0)), 0);
  EXPECT_GT(store_.SetKeyAssignment(Assignment(2, 4, 9, 0)), 0);

  KeyAssignmentRecord read;
  ASSERT_TRUE(store_.GetKeyAssignment(1, 7 /* layer is ignored */, 4, read));
  EXPECT_EQ(read.key_id, second);
  EXPECT_EQ(read.macro_value, 0);
  EXPECT_EQ(read.macro_value2, 2);
  EXPECT_EQ(read.macro_value3, 7);
  EXPECT_EQ(read.layout_desc, "Button");
  EXPECT_EQ(read.macro_desc, "Ctrl+C");

  EXPECT_TRUE(store_.SetKeyAssignmentText(1, 0, 4, "Macro 1"));
  ASSERT_TRUE(store_.GetKeyAssignment(1, 0, 4, read));
  EXPECT_EQ(read.macro_desc, "Macro 1");

  EXPECT_EQ(store_.SetKeyAssignment(Assignment(1, 4, 0, 0)), 0);
  EXPECT_FALSE(store_.GetKeyAssignment(1, 0, 4, read));
  std::vector<KeyAssignmentRecord> list;
  ASSERT_EQ(store_.ListKeyAssignments(1, 0, list), 1);
  EXPECT_EQ(list[0].key_code, 5);

  EXPECT_TRUE(store_.DeleteKeyAssignments(1));
  EXPECT_EQ(store_.ListKeyAssignments(1, 0, list), 0);
  EXPECT_EQ(store_.ListKeyAssignments(2, 0, list), 1);
}

TEST_F(StoreOps, LightRowsUpdateKeepNameAndStatusAndOneModeIsActive) {
  for (const LightRecord& row : DefaultLightRows(1, 1003, {true, true, true, false, false, true})) {
    EXPECT_GT(store_.InsertLight(row), 0);
  }
  EXPECT_EQ(store_.CountLights(1), 4);
  EXPECT_EQ(store_.CountLights(2), 0);
  EXPECT_EQ(store_.GetActiveLightMode(1), 0);
  EXPECT_TRUE(store_.SetActiveLightMode(1, 1));
  EXPECT_TRUE(store_.SetActiveLightMode(1, 3));
  EXPECT_EQ(store_.GetActiveLightMode(1), 3);

  LightRecord row;
  ASSERT_TRUE(store_.GetLight(1, 2, row));
  EXPECT_EQ(row.name, "呼吸");
  row.name = "renamed";
  row.status = 1;
  row.brightness = 1;
  row.color_value7 = 0x123456;
  row.reserved = 999;
  ASSERT_TRUE(store_.UpdateLight(1, 2, row));
  LightRecord again;
  ASSERT_TRUE(store_.GetLight(1, 2, again));
  EXPECT_EQ(again.name, "呼吸");
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.brightness, 1);
  EXPECT_EQ(again.color_value7, 0x123456);
  EXPECT_EQ(again.reserved, 999);
  EXPECT_EQ(again.light_id, row.light_id);

  std::vector<LightRecord> lights;
  ASSERT_EQ(store_.ListLights(1, lights), 4);
  EXPECT_EQ(lights[3].mode, 0);
  EXPECT_TRUE(store_.DeleteLights(1));
  EXPECT_EQ(store_.CountLights(1), 0);
  EXPECT_FALSE(store_.GetLight(1, 2, row));
}

TEST_F(StoreOps, MacroEventsComeBackByRecordIndex) {
  const int macro = store_.CreateMacro("Burst");
  ASSERT_GT(macro, 0);
  MacroInfo info;
  ASSERT_TRUE(store_.GetMacro(macro, info));
  EXPECT_EQ(info.play_type, 0);
  EXPECT_EQ(info.play_times, 1);
  EXPECT_EQ(info.delay_type, 1);
  EXPECT_EQ(info.delay_time, 0);

  std::vector<MacroEventRecord> events;
  for (int index : {5, 1, 4, 0, 3, 2}) {
    MacroEventRecord event;
    event.macro_id = macro;
    event.type = index % 2;
    event.record_index = index;
    event.value = 100 + index;
    event.delay_time = 10 * index;
    event.desc = "event " + std::to_string(index);
    events.push_back(event);
  }
  store_.InsertMacroEvents(events);
  MacroEventRecord single = events[0];
  single.record_index = -1;
  EXPECT_GT(store_.InsertMacroEvent(single), 0);

  std::vector<MacroEventRecord> read;
  ASSERT_EQ(store_.ListMacroEvents(macro, read), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(read[i].record_index, i - 1);
  EXPECT_EQ(read[3].value, 102);
  EXPECT_EQ(read[3].delay_time, 20);
  EXPECT_EQ(read[3].desc, "event 2");
  EXPECT_EQ(read[3].type, 0);
  EXPECT_EQ(read[3].macro_id, macro);
  store_.InsertMacroEvents({});
  EXPECT_EQ(store_.ListMacroEvents(macro, read), 7);
}

TEST_F(StoreOps, MacrosUpdateRenameAndDelete) {
  MacroInfo info;
  info.name = "Imported";
  info.play_type = 2;
  info.play_times = 5;
  info.delay_type = 0;
  info.delay_time = 30;
  const int id = store_.InsertMacro(info);
  ASSERT_GT(id, 0);
  const int other = store_.CreateMacro("Other");
  info.macro_id = id;
  info.play_times = 9;
  EXPECT_TRUE(store_.UpdateMacro(info));
  EXPECT_TRUE(store_.RenameMacro(id, "Renamed"));
  std::vector<MacroInfo> macros;
  ASSERT_EQ(store_.ListMacros(macros), 2);
  EXPECT_EQ(macros[0].name, "Renamed");
  EXPECT_EQ(macros[0].play_times, 9);
  EXPECT_EQ(macros[0].delay_time, 30);

  MacroEventRecord event;
  event.macro_id = id;
  store_.InsertMacroEvents({event, event});
  event.macro_id = other;
  store_.InsertMacroEvents({event});
  EXPECT_TRUE(store_.DeleteMacro(id));
  std::vector<MacroEventRecord> events;
  EXPECT_EQ(store_.ListMacroEvents(id, events), 0);
  EXPECT_EQ(store_.ListMacroEvents(other, events), 1);
  EXPECT_FALSE(store_.GetMacro(id, info));

  // Events left behind by a macro whose row is already gone are removed too.
  event.macro_id = 77;
  store_.InsertMacroEvents({event});
  EXPECT_TRUE(store_.DeleteMacro(77));
  EXPECT_EQ(store_.ListMacroEvents(77, events), 0);
  EXPECT_TRUE(store_.DeleteMacroEvents(other));
  EXPECT_EQ(store_.ListMacroEvents(other, events), 0);
}

}  // namespace
}  // namespace korvex
