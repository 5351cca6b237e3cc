#include "store/SQLiteDB.h"

#include <sqlite3.h>

#include "store/SQLiteStatement.h"
#include "store/StoreFailures.h"

namespace korvex {

SQLiteDB::~SQLiteDB() {
  if (!connection_) return;
  sqlite3_interrupt(connection_);
  CloseHandle();
}

// A plain close fails while statements are alive; the connection is then
// handed to sqlite3_close_v2, which frees it once the last one is finalised,
// so the handle is never leaked or left dangling.
void SQLiteDB::CloseHandle() {
  if (sqlite3_close(connection_) != SQLITE_OK) sqlite3_close_v2(connection_);
  connection_ = nullptr;
}

bool SQLiteDB::Open(const char* path, const std::string& key, int flags) {
  if (connection_) {
    sqlite3_interrupt(connection_);
    if (sqlite3_close(connection_) == SQLITE_OK) connection_ = nullptr;
  }
  if (!path) return false;
  if (connection_) CloseHandle();
  sqlite3* handle = nullptr;
  const int rc = sqlite3_open_v2(path, &handle, flags, nullptr);
  if (rc != SQLITE_OK) {
    NoteStoreResult(rc);
    sqlite3_close(handle);
    return false;
  }
  connection_ = handle;
  // Another process (a second window, the command-line tool, a backup) may
  // hold the file for a moment; wait for it rather than fail at once.
  sqlite3_busy_timeout(connection_, kBusyTimeoutMs);
  // Every control change writes at once; durability on power loss is traded
  // for speed. A killed process still loses nothing that was committed.
  sqlite3_exec(connection_, "PRAGMA synchronous = OFF; ", nullptr, nullptr, nullptr);
  // This build has no codec; a key would only matter for an encrypting one.
  (void)key;
  return true;
}

bool SQLiteDB::Close() {
  if (connection_ && sqlite3_close(connection_) == SQLITE_OK) connection_ = nullptr;
  return connection_ == nullptr;
}

int SQLiteDB::Exec(const char* sql) {
  if (!connection_ || !sql) {
    NoteStoreResult(kMisuse);
    return kMisuse;
  }
  const int rc = sqlite3_exec(connection_, sql, nullptr, nullptr, nullptr);
  NoteStoreResult(rc);
  return rc;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
  statement.Finalize();
  if (!connection_ || !sql) {
    NoteStoreResult(kMisuse);
    return kMisuse;
  }
  sqlite3_stmt* handle = nullptr;
  const int rc = sqlite3_prepare_v2(connection_, sql, length, &handle, nullptr);
  NoteStoreResult(rc);
  statement.Adopt(handle);
  return rc;
}

std::int64_t SQLiteDB::LastInsertRowId() const {
  if (!connection_) return -1;
  return sqlite3_last_insert_rowid(connection_);
}

}  // namespace korvex
