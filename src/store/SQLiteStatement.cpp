#include "store/SQLiteStatement.h"

#include <sqlite3.h>

#include "store/SQLiteDB.h"
#include "store/StoreFailures.h"

namespace korvex {

SQLiteStatement::~SQLiteStatement() { Finalize(); }

void SQLiteStatement::Adopt(sqlite3_stmt* handle) {
  statement_ = handle;
  done_ = (handle == nullptr);
}

bool SQLiteStatement::Finalize() {
  if (!statement_) return true;
  // sqlite3_finalize always frees the handle; its result only repeats the
  // last step's error.
  sqlite3_finalize(statement_);
  statement_ = nullptr;
  done_ = true;
  return true;
}

int SQLiteStatement::BindInt(int index, int value) {
  if (!statement_) return SQLiteDB::kMisuse;
  return sqlite3_bind_int(statement_, index, value);
}

int SQLiteStatement::BindText(int index, const char* bytes, int length) {
  if (!statement_) return SQLiteDB::kMisuse;
  return sqlite3_bind_text(statement_, index, bytes, length, SQLITE_STATIC);
}

int SQLiteStatement::BindText(int index, const std::string& text) {
  return BindText(index, text.data(), static_cast<int>(text.size()));
}

int SQLiteStatement::Step() {
  if (!statement_) {
    NoteStoreResult(SQLiteDB::kMisuse);
    return SQLiteDB::kMisuse;
  }
  const int rc = sqlite3_step(statement_);
  NoteStoreResult(rc);
  if (rc == SQLITE_DONE) done_ = true;
  return rc;
}

int SQLiteStatement::ColumnInt(int column) const {
  if (!statement_) return 0;
  return sqlite3_column_int(statement_, column);
}

const char* SQLiteStatement::ColumnText(int column) const {
  if (!statement_) return nullptr;
  return reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
}

std::string SQLiteStatement::ColumnString(int column) const {
  const char* text = ColumnText(column);
  if (!text) return {};
  return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

}  // namespace korvex
