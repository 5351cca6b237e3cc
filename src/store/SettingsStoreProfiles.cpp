// Configuration values and profiles.
#include "store/SQLiteAutoTransaction.h"
#include "store/SettingsStore.h"
#include "store/StoreQuery.h"
#include "store/StoreSchema.h"
#include "platform/Log.h"

namespace korvex {

using namespace store_detail;

bool SettingsStore::SetValue(ProfileId profile, const std::string& key, const std::string& value) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(RunOnce(db_, statement,
                               "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?",
                               value, profile, key));
}

bool SettingsStore::GetValue(ProfileId profile, const std::string& key, std::string& value) {
  return FindValue(profile, key, value) == Lookup::Found;
}

SettingsStore::Lookup SettingsStore::FindValue(ProfileId profile, const std::string& key,
                                               std::string& value) {
  value.clear();
  Guard guard(mutex_);
  SQLiteStatement statement;
  const int rc = RunOnce(db_, statement, "SELECT value FROM t_configdata WHERE profile = ? and key = ?",
                         profile, key);
  if (rc == SQLITE_DONE) return Lookup::Missing;
  if (rc != SQLITE_ROW) return Lookup::Failed;
  value = statement.ColumnString(0);
  return Lookup::Found;
}

bool SettingsStore::SetValues(ProfileId profile,
                              const std::vector<std::pair<std::string, std::string>>& values) {
  Guard guard(mutex_);
  if (!db_.HasConnection()) return false;
  if (db_.Exec("BEGIN") != SQLITE_OK) return false;
  bool ok = true;
  {
    SQLiteStatement statement;
    for (const auto& [key, value] : values) {
      ok = StepSucceeded(RunOnce(db_, statement,
                                 "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?",
                                 value, profile, key));
      if (!ok) break;
    }
  }
  if (ok && db_.Exec("END") == SQLITE_OK) return true;
  db_.Exec("ROLLBACK");
  return false;
}

void SettingsStore::FillMissingValuesLocked() {
  std::vector<ProfileId> profiles;
  {
    SQLiteStatement statement;
    PrepareBound(db_, statement,
                 "SELECT profile FROM t_profile_data WHERE (SELECT count(*) FROM t_configdata "
                 "WHERE t_configdata.profile = t_profile_data.profile) < ?",
                 static_cast<std::int32_t>(kConfigKeyCount));
    while (statement.Step() == SQLITE_ROW) profiles.push_back(statement.ColumnInt(0));
  }
  if (profiles.empty()) return;
  LogLine(2, "Settings database %s: %zu profiles lacked values; defaults filled in", path_.c_str(),
          profiles.size());
  SQLiteStatement statement;
  for (ProfileId profile : profiles) {
    for (const ConfigDefault& entry : ConfigDefaults()) {
      RunOnce(db_, statement,
              "INSERT INTO t_configdata(profile, key, value) SELECT ?, ?, ? WHERE NOT EXISTS "
              "(SELECT 1 FROM t_configdata WHERE profile = ? and key = ?);",
              profile, entry.key, entry.value, profile, entry.key);
    }
  }
}

void SettingsStore::InsertDefaultValues(ProfileId profile) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  for (const ConfigDefault& entry : ConfigDefaults()) {
    RunOnce(db_, statement, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);",
            profile, entry.key, entry.value);
  }
}

// The profile row and its 40 values go in as one transaction: a process
// killed half-way must not leave a profile whose missing keys would swallow
// every later write of those settings.
ProfileId SettingsStore::CreateProfile(const ProfileRecord& record) {
  Guard guard(mutex_);
  SQLiteAutoTransaction transaction(&db_);
  SQLiteStatement statement;
  const int rc = RunOnce(db_, statement,
                         "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);",
                         record.name, 0, record.app, 0);
  statement.Finalize();
  if (!StepSucceeded(rc)) return 0;
  const ProfileId id = NewRowId();
  InsertDefaultValues(id);
  return transaction.Commit() ? id : 0;
}

bool SettingsStore::RenameProfile(ProfileId profile, const std::string& name) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(RunOnce(db_, statement,
                               "UPDATE t_profile_data SET name = ? WHERE profile = ?", name,
                               profile));
}

bool SettingsStore::GetProfileName(ProfileId profile, std::string& name) {
  name.clear();
  Guard guard(mutex_);
  SQLiteStatement statement;
  if (RunOnce(db_, statement, "SELECT name FROM t_profile_data WHERE profile = ?", profile) !=
      SQLITE_ROW) {
    return false;
  }
  name = statement.ColumnString(0);
  return true;
}

int SettingsStore::ListProfiles(std::vector<ProfileRecord>& list) {
  list.clear();
  Guard guard(mutex_);
  SQLiteStatement statement;
  PrepareBound(db_, statement, "SELECT * FROM t_profile_data");
  return CollectRows(statement, list, ReadProfile);
}

bool SettingsStore::ActivateProfile(ProfileId profile) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  RunOnce(db_, statement, "UPDATE t_profile_data SET status = ?", 0);
  return StepSucceeded(RunOnce(db_, statement,
                               "UPDATE t_profile_data SET status = ? WHERE profile = ?", 1,
                               profile));
}

ProfileId SettingsStore::GetActiveProfile() {
  Guard guard(mutex_);
  SQLiteStatement statement;
  if (RunOnce(db_, statement, "SELECT profile FROM t_profile_data WHERE status = ?", 1) !=
      SQLITE_ROW) {
    return 0;
  }
  return statement.ColumnInt(0);
}

}  // namespace korvex
