#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/WakeEvent.h"

namespace korvex {

// A thread that calls Run over and over with a short pause between calls
// (loop mode), or once. The owner starts it once and stops it by clearing the
// running flag; Stop waits a bounded time so a window can always close.
class CThreadBasic {
 public:
  static constexpr int kStopWaitMs = 1000;

  CThreadBasic() = default;
  CThreadBasic(const CThreadBasic&) = delete;
  CThreadBasic& operator=(const CThreadBasic&) = delete;
  // Derived classes must call Stop (or Join) in their own destructor: Run is
  // theirs and must not be called while they are being torn down.
  virtual ~CThreadBasic();

  // Starts the loop with the given pause (milliseconds) unless it already
  // runs. Returns false when it was running.
  bool Start(int intervalMs = 2);
  // Clears the running flag and waits at most kStopWaitMs for the loop to end
  // (the current pass finishes first). True when the thread has ended.
  bool Stop();
  // Waits without bound for an ended or still-finishing thread.
  void Join();

  bool IsRunning() const { return running_.load(std::memory_order_acquire); }
  // Ends the pause between two passes early, so new work starts at once.
  void Wake();
  // The thread's handle while it exists (for CPU accounting).
  std::thread::native_handle_type NativeHandle() { return thread_.native_handle(); }
  // The loop-start tick (milliseconds of the steady clock), the exit value.
  std::int64_t Value() const { return value_.load(); }

 protected:
  // One pass of the derived class's work.
  virtual void Run() = 0;
  // Sleeps up to ms, returning early (false) when a stop was requested. Work
  // that waits long uses it so that closing the window is not held up by it.
  bool SleepUnlessStopping(int ms);
  bool StopRequested() const { return !running_.load(std::memory_order_acquire); }
  // Readable once Wake or Stop was called and the pause between passes has
  // not taken it yet. Run may poll it beside other descriptors (it must not
  // read it), so that it sleeps until there is work.
  int WakeFd() const { return wake_.Fd(); }
  // Called by Stop after the running flag was cleared: a place to break off
  // waits that do not watch WakeFd.
  virtual void OnStopRequested() {}

 private:
  void ThreadProc();
  void SignalEnd();

  std::thread thread_;
  std::atomic<bool> running_{false};
  std::atomic<bool> loopMode_{false};
  std::atomic<int> interval_{1};
  std::atomic<std::int64_t> value_{0};

  // The end event: set by the thread as its last action.
  std::mutex endMutex_;
  std::condition_variable endCv_;
  bool ended_ = true;
  // Ends the pause between passes (Wake, Stop) and SleepUnlessStopping
  // (Stop).
  WakeEvent wake_;
};

}  // namespace korvex
