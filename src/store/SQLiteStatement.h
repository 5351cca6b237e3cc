#pragma once
// One prepared statement. Finalised when re-prepared and on destruction.
// Without a handle the calls give SQLITE_MISUSE (21).

#include <string>

struct sqlite3_stmt;

namespace korvex {

class SQLiteStatement {
 public:
  SQLiteStatement() = default;
  virtual ~SQLiteStatement();
  SQLiteStatement(const SQLiteStatement&) = delete;
  SQLiteStatement& operator=(const SQLiteStatement&) = delete;

  int BindInt(int index, int value);
  // The bytes are not copied: the caller keeps them alive until the step.
  int BindText(int index, const char* bytes, int length);
  int BindText(int index, const std::string& text);
  int Step();
  int ColumnInt(int column) const;
  // Null without a handle or for a NULL column.
  const char* ColumnText(int column) const;
  // The same as text; NULL reads as "".
  std::string ColumnString(int column) const;
  // Finalises the handle; true when none remains.
  bool Finalize();

  bool Done() const { return done_; }
  bool HasHandle() const { return statement_ != nullptr; }

 private:
  friend class SQLiteDB;
  void Adopt(sqlite3_stmt* handle);

  bool done_ = true;
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace korvex
