// A store that cannot do what it is asked says so: a failed read is not a
// missing key, a batch is all or nothing, a busy file is waited for, and a
// schema with other columns is set aside rather than used.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <thread>

#include "StoreTestSupport.h"
#include "store/SettingsStore.h"
#include "store/StoreFailures.h"

namespace korvex {
namespace {

using test::Inspector;
using test::TempDataFolder;

// A second connection, as another process would hold one.
struct OtherConnection {
  explicit OtherConnection(const std::string& path) { sqlite3_open(path.c_str(), &db); }
  ~OtherConnection() { sqlite3_close(db); }
  int Exec(const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
  sqlite3* db = nullptr;
};

TEST(StoreFailures, AFailedReadIsNotAMissingKeyAndIsCounted) {
  TempDataFolder folder;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "M"));
  ASSERT_EQ(store.CreateProfile(ProfileRecord{}), 1);
  std::string value;
  EXPECT_EQ(SettingsStore::Lookup::Found, store.FindValue(1, "dpi_count", value));
  EXPECT_EQ("5", value);
  const StoreFailureWatch watch;
  EXPECT_EQ(SettingsStore::Lookup::Missing, store.FindValue(1, "no_such_key", value));
  EXPECT_FALSE(watch.Failed());

  OtherConnection other(folder.FileOf("M"));
  ASSERT_EQ(SQLITE_OK, other.Exec("BEGIN EXCLUSIVE"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(SettingsStore::Lookup::Failed, store.FindValue(1, "dpi_count", value));
  EXPECT_EQ("", value);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(SQLiteDB::kBusyTimeoutMs));
  EXPECT_TRUE(watch.Failed());
  EXPECT_TRUE(IsBusyFailure(LastStoreFailure()));
  other.Exec("END");
}

TEST(StoreFailures, ABusyFileIsWaitedForAndABatchIsAllOrNothing) {
  TempDataFolder folder;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "M"));
  ASSERT_EQ(store.CreateProfile(ProfileRecord{}), 1);
  {
    OtherConnection reader(folder.FileOf("M"));
    sqlite3_stmt* st = nullptr;
    reader.Exec("BEGIN");
    sqlite3_prepare_v2(reader.db, "SELECT count(*) FROM t_configdata", -1, &st, nullptr);
    ASSERT_EQ(SQLITE_ROW, sqlite3_step(st));  // holds its read lock
    EXPECT_FALSE(store.SetValues(1, {{"dpi_count", "3"}, {"dpi_index", "2"}}));
    // Released within the wait: the write goes through.
    std::thread release([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      sqlite3_finalize(st);
      reader.Exec("END");
    });
    EXPECT_TRUE(store.SetValues(1, {{"dpi_count", "4"}, {"dpi_index", "3"}}));
    release.join();
  }
  Inspector look(folder.FileOf("M"));
  EXPECT_EQ("4", look.Text("SELECT value FROM t_configdata WHERE profile = 1 AND key = 'dpi_count'"));
  EXPECT_EQ("3", look.Text("SELECT value FROM t_configdata WHERE profile = 1 AND key = 'dpi_index'"));
  // The connection is not left inside a transaction: later writes land.
  EXPECT_TRUE(store.SetValue(1, "dpi_index", "0"));
  EXPECT_EQ("0", look.Text("SELECT value FROM t_configdata WHERE profile = 1 AND key = 'dpi_index'"));
}

TEST(StoreFailures, OtherColumnsAreSetAsideAndAMissingTableIsRepaired) {
  TempDataFolder folder;
  {
    SettingsStore store;
    ASSERT_TRUE(store.OpenForModel(folder.Path(), "M"));
    ASSERT_EQ(store.CreateProfile(ProfileRecord{}), 1);
    ASSERT_EQ(store.CreateProfile(ProfileRecord{}), 2);
  }
  {
    OtherConnection damage(folder.FileOf("M"));
    damage.Exec("DROP TABLE t_configdata");
  }
  std::string from, to;
  SettingsStore store;
  store.SetSetAsideListener([&](const std::string& a, const std::string& b) { from = a, to = b; });
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "M"));
  EXPECT_TRUE(to.empty()) << "repaired, not set aside";
  std::string value;
  EXPECT_TRUE(store.GetValue(2, "dpi_group1_value", value)) << "every profile has its keys again";
  EXPECT_EQ("1600", value);
  store.CloseIfOpen();

  {
    OtherConnection damage(folder.FileOf("M"));
    damage.Exec("DROP TABLE t_light_data; CREATE TABLE t_light_data(light_id INTEGER, colour TEXT)");
  }
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "M"));
  EXPECT_EQ(folder.FileOf("M"), from);
  EXPECT_EQ(0u, to.rfind(folder.FileOf("M") + ".damaged-", 0)) << to;
  EXPECT_TRUE(std::filesystem::exists(to));
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(0, store.ListProfiles(profiles)) << "a fresh file";
  EXPECT_NE(0, store.InsertLight(LightRecord{}));
}

}  // namespace
}  // namespace korvex
