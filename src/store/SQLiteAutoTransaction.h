#pragma once
// Scoped transaction. There is no rollback: whatever its statements returned,
// the transaction is ended with "END" by Commit or by the destructor.

namespace korvex {

class SQLiteDB;

class SQLiteAutoTransaction {
 public:
  // Runs "BEGIN" when db has a connection; active either way.
  explicit SQLiteAutoTransaction(SQLiteDB* db);
  virtual ~SQLiteAutoTransaction();
  SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
  SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

  bool Begin();
  bool Commit();
  bool Active() const { return active_; }

 private:
  SQLiteDB* database_;
  bool active_ = false;
};

}  // namespace korvex
