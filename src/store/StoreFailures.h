#pragma once
// Failed statements of the settings store, counted per thread and for the
// whole process. A task reads many values through operations that answer
// "no value" for both a missing row and a failed read; the count tells the
// two apart, so that a read that failed is never taken for a default.

#include <cstdint>
#include <string>

namespace korvex {

// Counts rc when it is neither SQLITE_OK, SQLITE_ROW nor SQLITE_DONE.
void NoteStoreResult(int rc);
// Failures seen by the calling thread / by every thread.
std::uint64_t ThreadStoreFailures();
std::uint64_t TotalStoreFailures();
// SQLite's code of the most recent failure in the process, 0 before any.
int LastStoreFailure();
// True for the codes of a database that another connection holds locked.
bool IsBusyFailure(int rc);

// SQLite's words for a result code ("database is locked").
std::string StoreFailureText(int rc);

// Watches the calling thread's failures from its construction on.
class StoreFailureWatch {
 public:
  StoreFailureWatch() : start_(ThreadStoreFailures()) {}
  bool Failed() const { return ThreadStoreFailures() != start_; }

 private:
  std::uint64_t start_;
};

}  // namespace korvex
