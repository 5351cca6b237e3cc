#include "app/CThreadBasic.h"

#include <chrono>

namespace korvex {

namespace {
std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

CThreadBasic::~CThreadBasic() {
  // Last line of defence: a derived class that forgot to stop leaves a thread
  // that calls a pure virtual. Ending the loop here is still better than
  // destroying a running std::thread (which terminates the process).
  running_.store(false, std::memory_order_release);
  wake_.Signal();
  Join();
}

bool CThreadBasic::Start(int intervalMs) {
  if (running_.load(std::memory_order_acquire)) return false;
  // A thread left over from a Stop that timed out must end before a new one
  // takes its place.
  Join();
  interval_.store(intervalMs < 0 ? 0 : intervalMs);
  loopMode_.store(true);
  value_.store(NowMs());
  {
    std::lock_guard<std::mutex> lock(endMutex_);
    ended_ = false;
  }
  running_.store(true, std::memory_order_release);
  thread_ = std::thread(&CThreadBasic::ThreadProc, this);
  return true;
}

bool CThreadBasic::Stop() {
  if (!thread_.joinable()) return true;
  running_.store(false, std::memory_order_release);
  wake_.Signal();
  OnStopRequested();
  std::unique_lock<std::mutex> lock(endMutex_);
  bool ended = endCv_.wait_for(lock, std::chrono::milliseconds(kStopWaitMs),
                               [this] { return ended_; });
  lock.unlock();
  if (ended) Join();
  return ended;
}

void CThreadBasic::Join() {
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void CThreadBasic::Wake() { wake_.Signal(); }

bool CThreadBasic::SleepUnlessStopping(int ms) {
  // A Wake lands here too (and is taken): the sleep goes on, the queue is
  // looked at after the work anyway.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (StopRequested()) return false;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return true;
    wake_.Wait(static_cast<int>(left.count()));
  }
}

void CThreadBasic::ThreadProc() {
  if (loopMode_.load()) {
    while (running_.load(std::memory_order_acquire)) {
      Run();
      // Linux sleeps are fine-grained already; no timer resolution to raise.
      if (running_.load(std::memory_order_acquire)) wake_.Wait(interval_.load());
    }
  } else {
    Run();
  }
  SignalEnd();
}

void CThreadBasic::SignalEnd() {
  std::lock_guard<std::mutex> lock(endMutex_);
  ended_ = true;
  endCv_.notify_all();
}

}  // namespace korvex
