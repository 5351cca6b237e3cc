// The profile exchange file: export, import into the current profile, the
// range checks and the all-or-nothing import.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <vector>

#include "TempFolder.h"
#include "lighting/LightRows.h"
#include "profiles/ProfileFile.h"
#include "store/SettingsStore.h"
#include "store/StoreSchema.h"

namespace korvex {
namespace {

constexpr LightEnableFlags kAllModes{true, true, true, true, true, true};
const char* kCarried[] = {"dpi_flag", "dpi_index", "dpi_count", "dpi_group0_value", "dpi_group5_value",
                          "dpi_group0_rgb", "dpi_group5_rgb", "button_respondtime", "report_rate", "sensor_flag",
                          "liftoff_height", "scroll_flag", "e-sports_flag", "sleep_light", "move_wakeup",
                          "move_closelight"};

// Everything a profile holds that the file carries, comparable as a whole.
struct Snapshot {
  std::string name;
  std::vector<std::vector<std::string>> buttons;
  std::vector<std::vector<int>> lights;
  int activeLight = 0;
  std::map<std::string, std::string> values;
  bool operator==(const Snapshot&) const = default;
};

class ProfileFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store_.OpenForModel(folder_.Path(), "korvex_classic"));
    ProfileRecord record;
    for (const char* name : {"Profile 1", "Profile 2"}) {
      record.name = name;
      ASSERT_GT(store_.CreateProfile(record), 0);
    }
    for (ProfileId p : {1, 2}) ASSERT_EQ(EnsureLightRows(store_, p, 101, kAllModes), 6);
  }

  void Fill(ProfileId p) {
    const int rows[][4] = {{0, 1, 3, 0}, {3, 2, 4, 0x05}, {5, 5, 2, 0}};
    for (const auto& r : rows) {
      KeyAssignmentRecord k;
      k.profile = p;
      k.key_code = r[0];
      k.macro_type = r[1];
      k.macro_value = r[2];
      k.macro_value2 = r[3];
      k.macro_desc = "A&<B \"" + std::to_string(r[0]) + "\"";
      ASSERT_GT(store_.SetKeyAssignment(k), 0);
    }
    LightRecord light;
    ASSERT_TRUE(store_.GetLight(p, 2, light));
    light.brightness = 1;
    light.speed = 3;
    light.color_value4 = 0x123456;
    light.colorindex = 2;
    ASSERT_TRUE(store_.UpdateLight(p, 2, light));
    ASSERT_TRUE(store_.SetActiveLightMode(p, 2));
    const std::pair<const char*, const char*> values[] = {
        {"dpi_count", "3"},     {"dpi_index", "2"},       {"dpi_group0_value", "1200"}, {"dpi_group5_rgb", "65535"},
        {"report_rate", "16"},  {"liftoff_height", "2"},  {"sensor_flag", "12"},        {"move_wakeup", "0"},
        {"e-sports_flag", "1"}, {"button_respondtime", "4"}};
    for (const auto& [key, value] : values) ASSERT_TRUE(store_.SetValue(p, key, value));
  }

  Snapshot Take(ProfileId p) {
    Snapshot s;
    store_.GetProfileName(p, s.name);
    std::vector<KeyAssignmentRecord> keys;
    store_.ListKeyAssignments(p, 0, keys);
    for (const auto& k : keys)
      s.buttons.push_back({std::to_string(k.key_code), std::to_string(k.macro_type), std::to_string(k.macro_value),
                           std::to_string(k.macro_value2), std::to_string(k.macro_value3), k.macro_desc});
    std::vector<LightRecord> lights;
    store_.ListLights(p, lights);
    for (const auto& l : lights)
      s.lights.push_back({l.mode, l.brightness, l.speed, l.direction, l.colorful, l.colorindex, l.color_value1,
                          l.color_value2, l.color_value3, l.color_value4, l.color_value5, l.color_value6,
                          l.color_value7, l.config_func, l.reserved, l.status});
    s.activeLight = store_.GetActiveLightMode(p);
    for (const char* key : kCarried) store_.GetValue(p, key, s.values[key]);
    return s;
  }

  ImportOutcome Import(const std::string& text, bool lighting = true, const std::string& title = "Mine.xml") {
    return ImportProfile(store_, 2, folder_.Write(title, text), lighting);
  }

  // A file made of the exported text of profile 1 with one replacement.
  std::string Exported(ProfileId p = 1, bool lighting = true) {
    return BuildProfileDocument(store_, p, "Profile 1", lighting);
  }
  static std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
  }

  test::TempFolder folder_;
  SettingsStore store_;
};

TEST_F(ProfileFileTest, ExportWritesTheLayoutInOrder) {
  const std::string empty = BuildProfileDocument(store_, 1, "P&1", true);
  EXPECT_EQ(0u, empty.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n<profileinfo name=\"P&amp;1\">\r\n"
                            "<keyitems/>\r\n<Lightitems lightmode=\"1\">\r\n<item light_mode=\"1\" brightness=\"4\""))
      << empty;
  EXPECT_NE(std::string::npos, empty.find("<Mouse_DPI dpi_flag=\"5\" dpi_index=\"1\" dpi_count=\"5\">\r\n"
                                          "<DPI1 value=\"800\" color=\"255\"/>"));
  EXPECT_NE(std::string::npos, empty.find("<Mouse>\r\n<button_respondtime value=\"8\"/>\r\n<report_rate value=\"2\"/>"));
  EXPECT_NE(std::string::npos, empty.find("<move_closelight value=\"1\"/>\r\n</Mouse>\r\n</profileinfo>\r\n</profile>"));
  EXPECT_EQ(std::string::npos, BuildProfileDocument(store_, 1, "x", false).find("Lightitems"));
  const std::string path = folder_.Path() + "/out.xml";
  ASSERT_TRUE(ExportProfile(store_, 1, "P&1", true, path));
  EXPECT_FALSE(ExportProfile(store_, 1, "x", true, folder_.Path() + "/no/such/folder/out.xml"));
}

TEST_F(ProfileFileTest, RoundTripGivesTheSameRowsAndValuesButTheName) {
  Fill(1);
  const std::string path = folder_.Path() + "/Shared set.xml";
  ASSERT_TRUE(ExportProfile(store_, 1, "Profile 1", true, path));
  const ImportOutcome out = ImportProfile(store_, 2, path, true);
  ASSERT_EQ(ImportStatus::kImported, out.status);
  EXPECT_EQ("Shared set", out.name);
  EXPECT_EQ(0, out.skippedValues);
  Snapshot exported = Take(1);
  Snapshot imported = Take(2);
  EXPECT_EQ("Shared set", imported.name);
  exported.name = imported.name;
  EXPECT_EQ(exported, imported);
  // The other profile's buttons were cleared before the file's went in.
  ASSERT_EQ(3u, imported.buttons.size());
}

TEST_F(ProfileFileTest, WithoutLightingTheLightItemsAreIgnoredAndTheRestImported) {
  Fill(1);
  const Snapshot before = Take(2);
  ASSERT_EQ(ImportStatus::kImported, Import(Exported(1, true), false).status);
  const Snapshot after = Take(2);
  EXPECT_EQ(before.lights, after.lights);
  EXPECT_EQ(before.activeLight, after.activeLight);
  EXPECT_EQ(Take(1).values, after.values);
  EXPECT_EQ(Take(1).buttons, after.buttons);
}

TEST_F(ProfileFileTest, AFileOfAnotherModelImportsWhatThisOneHas) {
  // This profile has only breathing and off: the file's other modes are
  // skipped, its active mode (flow) too.
  Fill(1);
  store_.DeleteLights(2);
  LightEnableFlags two{};
  two[1] = two[5] = true;
  ASSERT_EQ(2, EnsureLightRows(store_, 2, 101, two));
  const std::string text = Replace(Exported(), "lightmode=\"2\"", "lightmode=\"1\"");
  const ImportOutcome out = Import(text);
  ASSERT_EQ(ImportStatus::kImported, out.status);
  EXPECT_EQ(5, out.skippedValues);  // four items and the active mode
  LightRecord breathing;
  ASSERT_TRUE(store_.GetLight(2, 2, breathing));
  EXPECT_EQ(1, breathing.brightness);
  EXPECT_EQ(0x123456, breathing.color_value4);
  EXPECT_EQ(0, store_.GetActiveLightMode(2));  // no flow row: none active
  EXPECT_EQ(Take(1).values, Take(2).values);
}

TEST_F(ProfileFileTest, RefusedFilesChangeNothing) {
  Fill(2);
  const Snapshot before = Take(2);
  EXPECT_EQ(ImportStatus::kMissing, ImportProfile(store_, 2, folder_.Path() + "/none.xml", true).status);
  EXPECT_EQ(ImportStatus::kMissing, ImportProfile(store_, 2, folder_.Path(), true).status);
  EXPECT_EQ(ImportStatus::kMalformed, Import("<profile><profileinfo></profile>").status);
  EXPECT_EQ(ImportStatus::kMalformed, Import("<profile/><profile/>").status);
  EXPECT_EQ(ImportStatus::kNotAProfile, Import("<macro><profileinfo name=\"x\"/></macro>").status);
  std::string huge = Exported();
  huge.insert(huge.find("<Mouse>"), std::string(kMaxProfileFileBytes, ' '));
  EXPECT_EQ(ImportStatus::kTooLarge, Import(huge).status);
  EXPECT_EQ(ImportStatus::kTooLarge,
            ImportProfileBytes(store_, 2, std::string(kMaxProfileFileBytes + 1, ' '), "a.xml", true).status);
  EXPECT_EQ(before, Take(2));
}

TEST_F(ProfileFileTest, AStoreFailureHalfWayRollsEverythingBack) {
  Fill(2);
  const Snapshot before = Take(2);
  // A second connection makes the last value of the file fail to store.
  sqlite3* db = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_open(store_.Path().c_str(), &db));
  ASSERT_EQ(SQLITE_OK, sqlite3_exec(db,
                                    "CREATE TRIGGER refuse BEFORE UPDATE ON t_configdata "
                                    "WHEN NEW.key = 'move_closelight' BEGIN SELECT RAISE(ABORT, 'no'); END;",
                                    nullptr, nullptr, nullptr));
  sqlite3_close(db);
  EXPECT_EQ(ImportStatus::kStoreFailed, Import(Exported(1)).status);
  EXPECT_EQ(before, Take(2));
}

TEST_F(ProfileFileTest, ValuesOutOfRangeAreSkippedOneByOne) {
  Fill(1);
  const Snapshot before = Take(2);
  std::string text = Exported();
  text = Replace(text, "dpi_count=\"3\"", "dpi_count=\"9\"");
  text = Replace(text, "<DPI1 value=\"1200\"", "<DPI1 value=\"100000\"");
  text = Replace(text, "<DPI2 value=\"1600\" color=\"16711680\"", "<DPI2 value=\"1700\" color=\"16777216\"");
  text = Replace(text, "<report_rate value=\"16\"", "<report_rate value=\"3\"");
  text = Replace(text, "<liftoff_height value=\"2\"", "<liftoff_height value=\"2x\"");
  text = Replace(text, "<sensor_flag value=\"12\"", "<sensor_flag");
  text = Replace(text, "brightness=\"1\"", "brightness=\"5\"");
  text = Replace(text, "color_value4=\"1193046\"", "color_value4=\"-1\"");
  text = Replace(text, "<item key_code=\"3\"", "<item key_code=\"12\"");
  text = Replace(text, "macro_type=\"5\"", "macro_type=\"0\"");
  const ImportOutcome out = Import(text);
  ASSERT_EQ(ImportStatus::kImported, out.status);
  EXPECT_EQ(10, out.skippedValues);
  const Snapshot after = Take(2);
  EXPECT_EQ(before.values.at("dpi_count"), after.values.at("dpi_count"));
  EXPECT_EQ(before.values.at("dpi_group0_value"), after.values.at("dpi_group0_value"));
  EXPECT_EQ(before.values.at("report_rate"), after.values.at("report_rate"));
  EXPECT_EQ(before.values.at("liftoff_height"), after.values.at("liftoff_height"));
  EXPECT_EQ(before.values.at("sensor_flag"), after.values.at("sensor_flag"));
  std::string stage1;
  store_.GetValue(2, "dpi_group1_value", stage1);
  EXPECT_EQ("1700", stage1);  // its colour was refused, the value kept
  EXPECT_EQ("2", after.values.at("dpi_index"));
  EXPECT_EQ("1", after.values.at("e-sports_flag"));
  EXPECT_EQ(1u, after.buttons.size());  // two of the three items refused
  LightRecord breathing;
  ASSERT_TRUE(store_.GetLight(2, 2, breathing));
  EXPECT_EQ(4, breathing.brightness);
  EXPECT_EQ(3, breathing.speed);
  EXPECT_EQ(0xFFFF00, breathing.color_value4);
}

TEST_F(ProfileFileTest, AStageIndexBeyondTheImportedCountIsBroughtBack) {
  std::string text = Replace(Exported(), "dpi_index=\"1\" dpi_count=\"5\"", "dpi_index=\"4\" dpi_count=\"2\"");
  ASSERT_EQ(ImportStatus::kImported, Import(text).status);
  std::string index;
  store_.GetValue(2, "dpi_index", index);
  EXPECT_EQ("1", index);
}

TEST_F(ProfileFileTest, TheNameComesFromTheFileTitleByCharacters) {
  EXPECT_EQ("Shared set", ProfileNameOfFileTitle("Shared set.xml"));
  EXPECT_EQ("", ProfileNameOfFileTitle(".xml"));
  EXPECT_EQ("", ProfileNameOfFileTitle("ab"));
  EXPECT_EQ("配置", ProfileNameOfFileTitle("配置.xml"));
  EXPECT_EQ("a", ProfileNameOfFileTitle("a配置文件"));
  // A file with `profile` alone still takes the title and clears the buttons.
  Fill(2);
  ASSERT_EQ(ImportStatus::kImported, Import("<profile/>", true, "配置2.xml").status);
  std::string name;
  store_.GetProfileName(2, name);
  EXPECT_EQ("配置2", name);
  std::vector<KeyAssignmentRecord> keys;
  EXPECT_EQ(0, store_.ListKeyAssignments(2, 0, keys));
}

}  // namespace
}  // namespace korvex
