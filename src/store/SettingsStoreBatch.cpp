#include "store/SQLiteAutoTransaction.h"
#include "store/SettingsStore.h"

namespace korvex {

bool SettingsStore::RunInTransaction(const std::function<void()>& work) {
  Guard guard(mutex_);
  // Without a connection the work still runs; its operations fail on their
  // own, as they would outside a batch.
  SQLiteAutoTransaction transaction(&db_);
  if (work) work();
  return transaction.Commit();
}

}  // namespace korvex
