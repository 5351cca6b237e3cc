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
    // A commit that fails (another process reading, disk full) leaves the
    // connection inside the transaction: every later write would then stay
    // uncommitted, lost on a crash and blocking other processes. Undo it so
    // the connection is back in autocommit and the failure is what it says.
    if (!ended && !sqlite3_get_autocommit(database_->Handle())) database_->Exec("ROLLBACK");
  }
  active_ = false;
  return ended;
}

}  // namespace korvex
