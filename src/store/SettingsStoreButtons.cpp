// Button assignments. The function layer is always 0.
#include "store/SettingsStore.h"
#include "store/StoreQuery.h"

namespace korvex {

using namespace store_detail;

int SettingsStore::SetKeyAssignment(const KeyAssignmentRecord& record) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  RunOnce(db_, statement,
          "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
          record.profile, record.fn_layer, record.key_code);
  // A button with neither value set has its default function: no row.
  if (record.macro_value == 0 && record.macro_value2 == 0) return 0;
  const int rc = RunOnce(
      db_, statement,
      "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc, "
      "macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
      record.profile, record.fn_layer, record.key_code, record.layout_value, record.layout_desc,
      record.macro_type, record.macro_value, record.macro_value2, record.macro_value3,
      record.macro_desc);
  return StepSucceeded(rc) ? NewRowId() : 0;
}

bool SettingsStore::GetKeyAssignment(ProfileId profile, int /*layer*/, int keyCode,
                                     KeyAssignmentRecord& record) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  if (RunOnce(db_, statement,
              "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
              profile, 0, keyCode) != SQLITE_ROW) {
    return false;
  }
  record = ReadKeyAssignment(statement);
  return true;
}

bool SettingsStore::SetKeyAssignmentText(ProfileId profile, int /*layer*/, int keyCode,
                                         const std::string& text) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(RunOnce(
      db_, statement,
      "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and key_code = ?",
      text, profile, 0, keyCode));
}

int SettingsStore::ListKeyAssignments(ProfileId profile, int /*layer*/,
                                      std::vector<KeyAssignmentRecord>& list) {
  list.clear();
  Guard guard(mutex_);
  SQLiteStatement statement;
  PrepareBound(db_, statement, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?",
               profile, 0);
  return CollectRows(statement, list, ReadKeyAssignment);
}

bool SettingsStore::DeleteKeyAssignments(ProfileId profile) {
  Guard guard(mutex_);
  SQLiteStatement statement;
  return StepSucceeded(
      RunOnce(db_, statement, "DELETE FROM t_key_macro_data WHERE profile = ?", profile));
}

}  // namespace korvex
