#include "app/TaskQueue.h"

namespace korvex {

std::uint64_t TaskQueue::Push(int code) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::uint64_t ticket = nextTicket_++;
  entries_.push_back(Entry{code, ticket});
  return ticket;
}

bool TaskQueue::TryPop(Entry& out) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (entries_.empty()) return false;
  out = entries_.front();
  entries_.pop_front();
  return true;
}

std::size_t TaskQueue::Size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return entries_.size();
}

}  // namespace korvex
