#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

namespace korvex {

// FIFO of device task codes shared by the interface thread (producer) and
// the worker (consumer). Duplicates stay; the lock is held only for the list
// operation itself, never while work runs. Each entry carries a ticket so a
// caller can wait for the work it queued.
class TaskQueue {
 public:
  struct Entry {
    int code = 0;
    std::uint64_t ticket = 0;
  };

  // Appends code at the back; returns its ticket (from 1, increasing).
  std::uint64_t Push(int code);
  // Takes the front entry; false when the queue is empty.
  bool TryPop(Entry& out);
  std::size_t Size() const;
  bool Empty() const { return Size() == 0; }

 private:
  mutable std::mutex mutex_;
  std::deque<Entry> entries_;
  std::uint64_t nextTicket_ = 1;
};

}  // namespace korvex
