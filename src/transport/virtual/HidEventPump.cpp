#include "transport/virtual/HidEventPump.h"

namespace korvex {

HidEventPump::HidEventPump() : state_(std::make_shared<State>()) {}

HidEventPump::~HidEventPump() {
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->stop = true;
    state_->sink = nullptr;
  }
  state_->cv.notify_all();
  if (!thread_.joinable()) return;
  if (thread_.get_id() == std::this_thread::get_id()) {
    thread_.detach();
  } else {
    thread_.join();
  }
}

void HidEventPump::SetSink(HidBackend::EventSink sink) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->sink = std::move(sink);
  if (!state_->sink) state_->queue.clear();
  if (state_->sink && !thread_.joinable()) thread_ = std::thread(Run, state_);
}

void HidEventPump::Post(const HidDeviceEvent& event) {
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (!state_->sink || state_->stop) return;
    state_->queue.push_back(event);
  }
  state_->cv.notify_all();
}

void HidEventPump::Run(std::shared_ptr<State> state) {
  std::unique_lock<std::mutex> lock(state->mutex);
  for (;;) {
    state->cv.wait(lock, [&] { return state->stop || (!state->queue.empty() && state->sink); });
    if (state->stop) return;
    const HidDeviceEvent event = state->queue.front();
    state->queue.pop_front();
    const HidBackend::EventSink sink = state->sink;
    lock.unlock();
    sink(event);
    lock.lock();
  }
}

}  // namespace korvex
