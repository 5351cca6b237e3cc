#pragma once
// Thin owner of one SQLite connection. Every call reports SQLite's own result
// code; without a connection the calls give SQLITE_MISUSE (21) instead of
// touching a null handle.

#include <cstdint>
#include <string>

struct sqlite3;

namespace korvex {

class SQLiteStatement;

class SQLiteDB {
 public:
  static constexpr int kMisuse = 21;
  // How long a statement waits for a database another connection holds.
  static constexpr int kBusyTimeoutMs = 3000;

  SQLiteDB() = default;
  virtual ~SQLiteDB();
  SQLiteDB(const SQLiteDB&) = delete;
  SQLiteDB& operator=(const SQLiteDB&) = delete;

  // Opens path (UTF-8) with the sqlite3_open_v2 flags, replacing any held
  // connection. The key is for an encrypting build; this program passes "".
  bool Open(const char* path, const std::string& key, int flags);
  // True when no connection remains afterwards.
  bool Close();
  int Exec(const char* sql);
  // A negative length means "up to and including the terminator".
  int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
  std::int64_t LastInsertRowId() const;

  bool HasConnection() const { return connection_ != nullptr; }
  sqlite3* Handle() const { return connection_; }

 private:
  void CloseHandle();

  sqlite3* connection_ = nullptr;
};

}  // namespace korvex
