#include "transport/virtual/HidEventPump.h"

namespace korvex {

HidEventPump::~HidEventPump() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  cv_.notify_all();
  if (thread_.joinable()) {
    if (thread_.get_id() == std::this_thread::get_id()) {
      thread_.detach();  // destroyed from its own sink; Run returns on stop_
    } else {
      thread_.join();
    }
  }
}

void HidEventPump::SetSink(HidBackend::EventSink sink) {
  std::lock_guard<std::mutex> lock(mutex_);
  sink_ = std::move(sink);
  if (!sink_) queue_.clear();
  if (sink_ && !thread_.joinable()) thread_ = std::thread([this] { Run(); });
}

void HidEventPump::Post(const HidDeviceEvent& event) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!sink_ || stop_) return;
    queue_.push_back(event);
  }
  cv_.notify_all();
}

void HidEventPump::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    cv_.wait(lock, [this] { return stop_ || (!queue_.empty() && sink_); });
    if (stop_) return;
    const HidDeviceEvent event = queue_.front();
    queue_.pop_front();
    const HidBackend::EventSink sink = sink_;
    lock.unlock();
    sink(event);
    lock.lock();
  }
}

}  // namespace korvex
