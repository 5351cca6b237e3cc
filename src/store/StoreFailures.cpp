#include "store/StoreFailures.h"

#include <sqlite3.h>

#include <atomic>

namespace korvex {
namespace {

thread_local std::uint64_t threadFailures = 0;
std::atomic<std::uint64_t> totalFailures{0};
std::atomic<int> lastFailure{0};

}  // namespace

void NoteStoreResult(int rc) {
  if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) return;
  ++threadFailures;
  totalFailures.fetch_add(1, std::memory_order_relaxed);
  // Statements on a connection that failed to open only repeat "misuse";
  // the reason worth telling is the failure before them.
  if (rc != SQLITE_MISUSE || lastFailure.load(std::memory_order_relaxed) == 0)
    lastFailure.store(rc, std::memory_order_relaxed);
}

std::uint64_t ThreadStoreFailures() { return threadFailures; }

std::uint64_t TotalStoreFailures() { return totalFailures.load(std::memory_order_relaxed); }

int LastStoreFailure() { return lastFailure.load(std::memory_order_relaxed); }

bool IsBusyFailure(int rc) {
  const int primary = rc & 0xFF;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

std::string StoreFailureText(int rc) {
  const char* text = sqlite3_errstr(rc);
  return text ? text : "error " + std::to_string(rc);
}

}  // namespace korvex
