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

// An explicit transaction that is rolled back unless committed: the import
// and the replacement of an event list must leave nothing half-done.
class SettingsStore::RollbackScope {
 public:
  explicit RollbackScope(SQLiteDB& db) : db_(db), open_(db.Exec("BEGIN") == SQLITE_OK) {}
  ~RollbackScope() {
    if (open_) db_.Exec("ROLLBACK");
  }
  RollbackScope(const RollbackScope&) = delete;
  RollbackScope& operator=(const RollbackScope&) = delete;
  bool Open() const { return open_; }
  bool Commit() {
    if (!open_) return false;
    open_ = false;
    if (db_.Exec("COMMIT") == SQLITE_OK) return true;
    db_.Exec("ROLLBACK");
    return false;
  }

 private:
  SQLiteDB& db_;
  bool open_;
};

bool SettingsStore::InsertEventsLocked(int macroId, const std::vector<MacroEventRecord>& records) {
  SQLiteStatement statement;
  for (const MacroEventRecord& r : records) {
    if (!StepSucceeded(RunOnce(db_, statement, kInsertEvent, macroId, r.type, r.record_index, r.desc,
                               r.value, r.delay_time)))
      return false;
  }
  return true;
}

bool SettingsStore::ReplaceMacroEvents(int macroId, const std::vector<MacroEventRecord>& records) {
  Guard guard(mutex_);
  RollbackScope transaction(db_);
  if (!transaction.Open()) return false;
  {
    SQLiteStatement statement;
    if (!StepSucceeded(
            RunOnce(db_, statement, "DELETE FROM t_macrorecord WHERE macro_id = ?", macroId)))
      return false;
  }
  if (!InsertEventsLocked(macroId, records)) return false;
  return transaction.Commit();
}

int SettingsStore::ImportMacro(const MacroInfo& info, const std::vector<MacroEventRecord>& records) {
  Guard guard(mutex_);
  RollbackScope transaction(db_);
  if (!transaction.Open()) return 0;
  int id = 0;
  {
    SQLiteStatement statement;
    if (!StepSucceeded(RunOnce(db_, statement, kInsertMacro, info.name, info.play_type, info.play_times,
                               info.delay_type, info.delay_time)))
      return 0;
    id = NewRowId();
  }
  if (id <= 0 || !InsertEventsLocked(id, records)) return 0;
  return transaction.Commit() ? id : 0;
}

bool SettingsStore::RecordMacroUpload(int keyCode, const std::string& streamHex) {
  Guard guard(mutex_);
  if (db_.Exec("CREATE TABLE IF NOT EXISTS t_macro_upload(key_code INTEGER PRIMARY KEY, stream TEXT);") !=
      SQLITE_OK)
    return false;
  SQLiteStatement statement;
  return StepSucceeded(RunOnce(db_, statement,
                               "INSERT OR REPLACE INTO t_macro_upload(key_code, stream) VALUES (?, ?);",
                               keyCode, streamHex));
}

bool SettingsStore::GetMacroUpload(int keyCode, std::string& streamHex) {
  streamHex.clear();
  Guard guard(mutex_);
  SQLiteStatement statement;
  // A database without the table has recorded no upload yet.
  if (RunOnce(db_, statement, "SELECT stream FROM t_macro_upload WHERE key_code = ?", keyCode) != SQLITE_ROW)
    return false;
  streamHex = statement.ColumnString(0);
  return true;
}

}  // namespace korvex
