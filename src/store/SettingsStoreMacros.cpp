// Macros and their events; macros belong to no profile.
#include "store/SQLiteAutoTransaction.h"
#include "store/SettingsStore.h"
#include "store/StoreQuery.h"

namespace korvex {

using namespace store_detail;

namespace {

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) "
    "VALUES (?, ?, ?, ?, ?);";
constexpr const char* kInsertEvent =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "VALUES (?, ?, ?, ?, ?, ?);";

}  // namespace

int SettingsStore::CreateMacro(const std::string& name) {
  MacroInfo info;
  info.name = name;
  info.play_type = 0;
  info.play_times = 1;
  info.delay_type = 1;
  info.delay_time = 0;
  return InsertMacro(info);
}

int SettingsStore::InsertMacro(const MacroInfo& info) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  const int rc = RunOnce(db_, statement, kInsertMacro, info.name, info.play_type, info.play_times,
                         info.delay_type, info.delay_time);
  return StepSucceeded(rc) ? NewRowId() : 0;
}

bool SettingsStore::RenameMacro(int macroId, const std::string& name) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(RunOnce(db_, statement,
                               "UPDATE t_macro_data SET name = ? WHERE macro_id = ?", name,
                               macroId));
}

bool SettingsStore::UpdateMacro(const MacroInfo& info) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(RunOnce(db_, statement,
                               "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, "
                               "delay_type = ?,delay_time = ? WHERE macro_id = ?",
                               info.name, info.play_type, info.play_times, info.delay_type,
                               info.delay_time, info.macro_id));
}

bool SettingsStore::DeleteMacro(int macroId) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  if (!StepSucceeded(
          RunOnce(db_, statement, "DELETE FROM t_macro_data WHERE macro_id = ?", macroId))) {
    return false;
  }
  return StepSucceeded(
      RunOnce(db_, statement, "DELETE FROM t_macrorecord WHERE macro_id = ?", macroId));
}

bool SettingsStore::GetMacro(int macroId, MacroInfo& info) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  if (RunOnce(db_, statement, "SELECT * FROM t_macro_data WHERE macro_id = ?", macroId) !=
      SQLITE_ROW) {
    return false;
  }
  info = ReadMacro(statement);
  return true;
}

int SettingsStore::ListMacros(std::vector<MacroInfo>& list) {
  list.clear();
  Guard guard(mutex_);
  SQLiteStatement statement;
  PrepareBound(db_, statement, "SELECT * FROM t_macro_data");
  return CollectRows(statement, list, ReadMacro);
}

int SettingsStore::InsertMacroEvent(const MacroEventRecord& r) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  const int rc = RunOnce(db_, statement, kInsertEvent, r.macro_id, r.type, r.record_index, r.desc,
                         r.value, r.delay_time);
  return StepSucceeded(rc) ? NewRowId() : 0;
}

void SettingsStore::InsertMacroEvents(const std::vector<MacroEventRecord>& records) {
  Guard guard(mutex_);
  SQLiteAutoTransaction transaction(&db_);
  SQLiteStatement statement;
  for (const MacroEventRecord& r : records) {
    RunOnce(db_, statement, kInsertEvent, r.macro_id, r.type, r.record_index, r.desc, r.value,
            r.delay_time);
  }
  statement.Finalize();
  transaction.Commit();
}

int SettingsStore::ListMacroEvents(int macroId, std::vector<MacroEventRecord>& list) {
  list.clear();
  Guard guard(mutex_);
  SQLiteStatement statement;
  PrepareBound(db_, statement,
               "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC",
               macroId);
  return CollectRows(statement, list, ReadMacroEvent);
}

bool SettingsStore::DeleteMacroEvents(int macroId) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(
      RunOnce(db_, statement, "DELETE FROM t_macrorecord WHERE macro_id = ?", macroId));
}

}  // namespace korvex
