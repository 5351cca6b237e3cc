#pragma once
// Scoped transaction, ended with "END" by Commit or by the destructor whatever
// its statements returned. An "END" that fails is rolled back, so the
// connection never stays inside an open transaction.

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
  // True when "END" succeeded; otherwise the transaction was rolled back.
  bool Commit();
  bool Active() const { return active_; }

 private:
  SQLiteDB* database_;
  bool active_ = false;
};

}  // namespace korvex
