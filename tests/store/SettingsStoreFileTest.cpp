#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "StoreTestSupport.h"
#include "platform/Log.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::Inspector;
using test::TempDataFolder;

// Every kind of operation, counted by how many reported success.
int SuccessfulOperations(SettingsStore& store) {
  ProfileRecord profile;
  profile.name = "P";
  KeyAssignmentRecord key;
  key.profile = 1;
  key.macro_value = 3;
  LightRecord light;
  light.profile = 1;
  MacroEventRecord event;
  std::string text;
  std::vector<ProfileRecord> profiles;
  std::vector<MacroEventRecord> events;
  int successes = 0;
  successes += store.CreateProfile(profile) != 0;
  successes += store.SetValue(1, "report_rate", "8");
  successes += store.GetValue(1, "report_rate", text);
  successes += store.ActivateProfile(1);
  successes += store.GetActiveProfile() != 0;
  successes += store.ListProfiles(profiles);
  successes += store.SetKeyAssignment(key) != 0;
  successes += store.InsertLight(light) != 0;
  successes += store.CreateMacro("M") != 0;
  store.InsertMacroEvents({event});
  successes += store.ListMacroEvents(0, events);
  return successes;
}

TEST(StoreFiles, MissingDatabaseFolderFailsQuietly) {
  TempDataFolder folder(false);
  SettingsStore store;
  EXPECT_FALSE(store.OpenForModel(folder.Path(), "K1WD"));
  EXPECT_FALSE(store.IsOpen());
  EXPECT_EQ(SuccessfulOperations(store), 0);
  EXPECT_FALSE(fs::exists(folder.DbFolder()));
  EXPECT_FALSE(store.RestoreDefaults(folder.Path(), "K1WD"));
}

TEST(StoreFiles, ReadOnlyDatabaseFolderFailsQuietly) {
  TempDataFolder folder;
  fs::permissions(folder.DbFolder(), fs::perms::owner_read | fs::perms::owner_exec);
  if (test::PermissionsAreIgnored(folder.DbFolder())) {
    GTEST_SKIP() << "running with permission override (root): a read-only folder is writable";
  }
  SettingsStore store;
  EXPECT_FALSE(store.OpenForModel(folder.Path(), "K1WD"));
  EXPECT_EQ(SuccessfulOperations(store), 0);
  EXPECT_FALSE(fs::exists(folder.FileOf("K1WD")));
}

TEST(StoreFiles, ReadOnlyExistingFileReadsButRefusesWrites) {
  TempDataFolder folder;
  {
    SettingsStore writer;
    ASSERT_TRUE(writer.OpenForModel(folder.Path(), "K1WD"));
    ASSERT_EQ(writer.CreateProfile(ProfileRecord{}), 1);
  }
  fs::permissions(folder.FileOf("K1WD"), fs::perms::owner_read);
  fs::permissions(folder.DbFolder(), fs::perms::owner_read | fs::perms::owner_exec);
  if (test::PermissionsAreIgnored(folder.DbFolder())) {
    GTEST_SKIP() << "running with permission override (root): read-only files are writable";
  }
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  std::string value;
  EXPECT_TRUE(store.GetValue(1, "report_rate", value));
  EXPECT_EQ(value, "2");
  EXPECT_FALSE(store.SetValue(1, "report_rate", "8"));
  EXPECT_EQ(store.CreateProfile(ProfileRecord{}), 0);
  EXPECT_EQ(store.CreateMacro("M"), 0);
  EXPECT_TRUE(store.GetValue(1, "report_rate", value));
  EXPECT_EQ(value, "2");
}

TEST(StoreFiles, ReopeningKeepsTheConnectionAndSwitchingChangesFile) {
  TempDataFolder folder;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  ASSERT_EQ(store.CreateProfile(ProfileRecord{}), 1);
  EXPECT_TRUE(store.OpenForModel(folder.Path() + "/", "K1WD"));
  EXPECT_EQ(store.CreateProfile(ProfileRecord{}), 2);

  ASSERT_TRUE(store.SwitchModel(folder.Path(), "K3WL"));
  EXPECT_EQ(store.Path(), folder.FileOf("K3WL"));
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store.ListProfiles(profiles), 0);

  // Opening another model without closing first must not keep writing into
  // the previous model's file.
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  EXPECT_EQ(store.ListProfiles(profiles), 2);
  EXPECT_EQ(Inspector(folder.FileOf("K3WL")).Int("SELECT count(*) FROM t_profile_data"), 0);

  // An empty model name still names a file of its own.
  ASSERT_TRUE(store.SwitchModel(folder.Path(), ""));
  EXPECT_TRUE(fs::exists(folder.FileOf("")));
}

TEST(StoreFiles, RestoreDefaultsReplacesTheFileWithAnEmptySchema) {
  TempDataFolder folder;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K5PR"));
  ASSERT_EQ(store.CreateProfile(ProfileRecord{}), 1);
  ASSERT_GT(store.CreateMacro("keep?"), 0);
  // A stale journal of the old file must not be replayed into the new one.
  std::ofstream(folder.FileOf("K5PR") + "-journal") << "stale";

  ASSERT_TRUE(store.RestoreDefaults(folder.Path(), "K5PR"));
  EXPECT_TRUE(store.IsOpen());
  std::vector<ProfileRecord> profiles;
  std::vector<MacroInfo> macros;
  EXPECT_EQ(store.ListProfiles(profiles), 0);
  EXPECT_EQ(store.ListMacros(macros), 0);
  EXPECT_EQ(store.CreateProfile(ProfileRecord{}), 1);
  EXPECT_FALSE(fs::exists(folder.FileOf("K5PR") + "-journal"));
  EXPECT_EQ(Inspector(folder.FileOf("K5PR")).Text("PRAGMA integrity_check"), "ok");

  // Deleting the open model's file also drops the connection to it.
  store.DeleteModelFile(folder.Path(), "K5PR");
  EXPECT_FALSE(store.IsOpen());
  EXPECT_FALSE(store.SetValue(1, "report_rate", "8"));
}

TEST(StoreFiles, EmptyExistingFileGetsTheSchema) {
  TempDataFolder folder;
  std::ofstream(folder.FileOf("K1WD")).flush();
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  EXPECT_EQ(store.CreateProfile(ProfileRecord{}), 1);
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<fs::path> DamagedCopies(const TempDataFolder& folder) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(folder.DbFolder())) {
    if (entry.path().filename().string().find(".damaged-") != std::string::npos) {
      found.push_back(entry.path());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(StoreFiles, DamagedFileIsMovedAsideLoggedAndReplaced) {
  TempDataFolder folder;
  const fs::path logFile = fs::path(folder.Path()) / "log.txt";
  setenv("KORVEX_LOG", logFile.c_str(), 1);
  ReopenLog();

  const std::string garbage = "this is not a database, it is the user's text\n";
  std::ofstream(folder.FileOf("K1WD")) << garbage;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  EXPECT_EQ(store.CreateProfile(ProfileRecord{}), 1);
  EXPECT_TRUE(store.SetValue(1, "report_rate", "8"));

  auto copies = DamagedCopies(folder);
  ASSERT_EQ(copies.size(), 1u);
  const std::string name = copies[0].filename().string();
  EXPECT_EQ(name.rfind("K1WD_data1.db.damaged-", 0), 0u) << name;
  EXPECT_EQ(name.size(), std::string("K1WD_data1.db.damaged-20261209-071500").size()) << name;
  EXPECT_EQ(ReadAll(copies[0]), garbage);

  // A second damaged file in the same second gets a name of its own.
  store.CloseIfOpen();
  std::ofstream(folder.FileOf("K1WD"), std::ios::trunc) << "second garbage";
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  EXPECT_EQ(DamagedCopies(folder).size(), 2u);

  const std::string log = ReadAll(logFile);
  EXPECT_NE(log.find("is damaged; moved to"), std::string::npos) << log;
  unsetenv("KORVEX_LOG");
  ReopenLog();
}

TEST(StoreFiles, CorruptPagesFailTheCheckAndAreMovedAside) {
  TempDataFolder folder;
  {
    SettingsStore writer;
    ASSERT_TRUE(writer.OpenForModel(folder.Path(), "K3WL"));
    for (int i = 0; i < 20; ++i) writer.CreateProfile(ProfileRecord{});
  }
  // Overwrite the middle of the file, leaving the header intact.
  const auto size = fs::file_size(folder.FileOf("K3WL"));
  ASSERT_GT(size, 8192u);
  {
    std::fstream file(folder.FileOf("K3WL"), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(size / 2));
    const std::string noise(4096, '\x5A');
    file.write(noise.data(), static_cast<std::streamsize>(noise.size()));
  }
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K3WL"));
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store.ListProfiles(profiles), 0);
  EXPECT_EQ(DamagedCopies(folder).size(), 1u);
  EXPECT_EQ(fs::file_size(DamagedCopies(folder)[0]), size);
}

TEST(StoreFiles, UnmovableDamagedFileIsLeftAloneAndNotOpened) {
  TempDataFolder folder;
  std::ofstream(folder.FileOf("K1WD")) << "garbage garbage garbage";
  fs::permissions(folder.DbFolder(), fs::perms::owner_read | fs::perms::owner_exec);
  if (test::PermissionsAreIgnored(folder.DbFolder())) {
    GTEST_SKIP() << "running with permission override (root): the folder stays writable";
  }
  SettingsStore store;
  EXPECT_FALSE(store.OpenForModel(folder.Path(), "K1WD"));
  EXPECT_EQ(ReadAll(folder.FileOf("K1WD")), "garbage garbage garbage");
  EXPECT_EQ(SuccessfulOperations(store), 0);
}

}  // namespace
}  // namespace korvex
