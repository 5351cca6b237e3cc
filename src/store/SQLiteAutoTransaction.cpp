#include "store/SQLiteAutoTransaction.h"

#include <sqlite3.h>

#include "store/SQLiteDB.h"

namespace korvex {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* db) : database_(db) {
  if (database_ && database_->HasConnection()) database_->Exec("BEGIN");
  active_ = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  if (active_) Commit();
}

bool SQLiteAutoTransaction::Begin() {
  if (active_ || !database_) return false;
  active_ = true;
  if (!database_->HasConnection()) return false;
  return database_->Exec("BEGIN") == SQLITE_OK;
}

bool SQLiteAutoTransaction::Commit() {
  bool ended = false;
  if (database_ && database_->HasConnection()) {
    ended = database_->Exec("END") == SQLITE_OK;
    // An END that failed (the file stayed busy) leaves the transaction open
    // and its locks held; every later statement would then run inside it.
    if (!ended) database_->Exec("ROLLBACK");
  }
  active_ = false;
  return ended;
}

}  // namespace korvex
