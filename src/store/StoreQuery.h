#pragma once
// Internal helpers of the settings store: binding parameters in order and
// reading rows by column position. Not part of the public interface.

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "store/SQLiteDB.h"
#include "store/SQLiteStatement.h"
#include "store/StoreRecords.h"

namespace korvex::store_detail {

inline void BindOne(SQLiteStatement& statement, int index, std::int32_t value) {
  statement.BindInt(index, value);
}

// The text is not copied; it is a caller's argument that outlives the step.
inline void BindOne(SQLiteStatement& statement, int index, const std::string& text) {
  statement.BindText(index, text);
}

inline void BindOne(SQLiteStatement& statement, int index, const char* text) {
  statement.BindText(index, text, -1);
}

template <typename... Args>
void BindAll(SQLiteStatement& statement, const Args&... args) {
  int index = 1;
  (BindOne(statement, index++, args), ...);
}

// Prepare (finalising the previous statement) and bind, ready to step.
template <typename... Args>
void PrepareBound(SQLiteDB& db, SQLiteStatement& statement, const char* sql, const Args&... args) {
  db.Prepare(statement, sql, -1);
  BindAll(statement, args...);
}

// Prepare, bind, step once; the step's result.
template <typename... Args>
int RunOnce(SQLiteDB& db, SQLiteStatement& statement, const char* sql, const Args&... args) {
  PrepareBound(db, statement, sql, args...);
  return statement.Step();
}

inline bool StepSucceeded(int rc) {
  return rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE;
}

inline ProfileRecord ReadProfile(const SQLiteStatement& row) {
  ProfileRecord record;
  record.profile = row.ColumnInt(0);
  record.name = row.ColumnString(1);
  record.status = row.ColumnInt(2);
  record.app = row.ColumnString(3);
  record.type = row.ColumnInt(4);
  return record;
}

inline KeyAssignmentRecord ReadKeyAssignment(const SQLiteStatement& row) {
  KeyAssignmentRecord record;
  record.key_id = row.ColumnInt(0);
  record.profile = row.ColumnInt(1);
  record.fn_layer = row.ColumnInt(2);
  record.key_code = row.ColumnInt(3);
  record.layout_value = row.ColumnInt(4);
  record.layout_desc = row.ColumnString(5);
  record.macro_type = row.ColumnInt(6);
  record.macro_value = row.ColumnInt(7);
  record.macro_value2 = row.ColumnInt(8);
  record.macro_value3 = row.ColumnInt(9);
  record.macro_desc = row.ColumnString(10);
  return record;
}

inline LightRecord ReadLight(const SQLiteStatement& row) {
  LightRecord record;
  record.light_id = row.ColumnInt(0);
  record.profile = row.ColumnInt(1);
  record.name = row.ColumnString(2);
  record.mode = row.ColumnInt(3);
  record.brightness = row.ColumnInt(4);
  record.speed = row.ColumnInt(5);
  record.direction = row.ColumnInt(6);
  record.colorful = row.ColumnInt(7);
  record.colorindex = row.ColumnInt(8);
  record.color_value1 = row.ColumnInt(9);
  record.color_value2 = row.ColumnInt(10);
  record.color_value3 = row.ColumnInt(11);
  record.color_value4 = row.ColumnInt(12);
  record.color_value5 = row.ColumnInt(13);
  record.color_value6 = row.ColumnInt(14);
  record.color_value7 = row.ColumnInt(15);
  record.config_func = row.ColumnInt(16);
  record.reserved = row.ColumnInt(17);
  record.status = row.ColumnInt(18);
  return record;
}

inline MacroInfo ReadMacro(const SQLiteStatement& row) {
  MacroInfo info;
  info.macro_id = row.ColumnInt(0);
  info.name = row.ColumnString(1);
  info.play_type = row.ColumnInt(2);
  info.play_times = row.ColumnInt(3);
  info.delay_type = row.ColumnInt(4);
  info.delay_time = row.ColumnInt(5);
  return info;
}

inline MacroEventRecord ReadMacroEvent(const SQLiteStatement& row) {
  MacroEventRecord record;
  record.record_id = row.ColumnInt(0);
  record.macro_id = row.ColumnInt(1);
  record.type = row.ColumnInt(2);
  record.record_index = row.ColumnInt(3);
  record.desc = row.ColumnString(4);
  record.value = row.ColumnInt(5);
  record.delay_time = row.ColumnInt(6);
  return record;
}

// Steps through every row, appending what read() makes of it.
template <typename Record, typename Reader>
int CollectRows(SQLiteStatement& statement, std::vector<Record>& list, Reader read) {
  while (statement.Step() == SQLITE_ROW) list.push_back(read(statement));
  return static_cast<int>(list.size());
}

}  // namespace korvex::store_detail
