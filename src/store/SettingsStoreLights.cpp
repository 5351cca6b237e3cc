// Lighting modes of a profile.
#include "store/SettingsStore.h"
#include "store/StoreQuery.h"

namespace korvex {

using namespace store_detail;

int SettingsStore::CountLights(ProfileId profile) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  if (RunOnce(db_, statement, "select count(*) FROM t_light_data WHERE profile = ?", profile) !=
      SQLITE_ROW) {
    return 0;
  }
  return statement.ColumnInt(0);
}

int SettingsStore::InsertLight(const LightRecord& r) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  const int rc = RunOnce(
      db_, statement,
      "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, "
      "colorindex, color_value1, color_value2, color_value3, color_value4, color_value5, "
      "color_value6, color_value7, config_func, reserved, status) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
      r.profile, r.name, r.mode, r.brightness, r.speed, r.direction, r.colorful, r.colorindex,
      r.color_value1, r.color_value2, r.color_value3, r.color_value4, r.color_value5,
      r.color_value6, r.color_value7, r.config_func, r.reserved, r.status);
  return StepSucceeded(rc) ? NewRowId() : 0;
}

// The row is the one named by the arguments; name and status stay as stored.
bool SettingsStore::UpdateLight(ProfileId profile, int mode, const LightRecord& r) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(RunOnce(
      db_, statement,
      "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, "
      "colorindex = ?, color_value1 = ?, color_value2 = ?, color_value3 = ?, color_value4 = ?, "
      "color_value5 = ?, color_value6 = ?, color_value7 = ?, config_func = ?, reserved = ? "
      "WHERE profile = ? AND mode = ?",
      r.brightness, r.speed, r.direction, r.colorful, r.colorindex, r.color_value1,
      r.color_value2, r.color_value3, r.color_value4, r.color_value5, r.color_value6,
      r.color_value7, r.config_func, r.reserved, profile, mode));
}

bool SettingsStore::SetActiveLightMode(ProfileId profile, int mode) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  RunOnce(db_, statement, "UPDATE t_light_data SET status = ? WHERE profile = ?", 0, profile);
  return StepSucceeded(RunOnce(db_, statement,
                               "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?",
                               1, profile, mode));
}

int SettingsStore::GetActiveLightMode(ProfileId profile) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  if (RunOnce(db_, statement, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?",
              profile, 1) != SQLITE_ROW) {
    return 0;
  }
  return statement.ColumnInt(0);
}

bool SettingsStore::GetLight(ProfileId profile, int mode, LightRecord& record) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  if (RunOnce(db_, statement, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?",
              profile, mode) != SQLITE_ROW) {
    return false;
  }
  record = ReadLight(statement);
  return true;
}

int SettingsStore::ListLights(ProfileId profile, std::vector<LightRecord>& list) {
  list.clear();
  Guard guard(mutex_);
  SQLiteStatement statement;
  PrepareBound(db_, statement, "SELECT * FROM t_light_data WHERE profile = ?", profile);
  return CollectRows(statement, list, ReadLight);
}

bool SettingsStore::DeleteLights(ProfileId profile) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(
      RunOnce(db_, statement, "DELETE FROM t_light_data WHERE profile = ?", profile));
}

}  // namespace korvex
