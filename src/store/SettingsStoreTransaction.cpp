#include "store/SettingsStore.h"

namespace korvex {

bool SettingsStore::RunTransaction(const std::function<bool()>& work) {
  Guard guard(mutex_);
  if (!isOpen_ || !db_.HasConnection()) return false;
  // IMMEDIATE: the write lock is taken now, so the commit cannot fail for
  // a reader that took it in between.
  if (db_.Exec("BEGIN IMMEDIATE;") != 0) return false;
  if (work() && db_.Exec("COMMIT;") == 0) return true;
  db_.Exec("ROLLBACK;");
  return false;
}

}  // namespace korvex
