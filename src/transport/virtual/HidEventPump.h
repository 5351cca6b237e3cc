#pragma once
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "transport/HidBackend.h"

namespace korvex {

// Hands hot-plug events to a backend's EventSink on a thread of its own, so
// whoever produces them (a socket reader, a control call) never runs the
// sink itself and the sink may call back into the backend.
class HidEventPump {
 public:
  HidEventPump() = default;
  ~HidEventPump();
  HidEventPump(const HidEventPump&) = delete;
  HidEventPump& operator=(const HidEventPump&) = delete;

  // An empty sink stops delivery; events queued until then are dropped.
  void SetSink(HidBackend::EventSink sink);
  // Queued only while a sink is set.
  void Post(const HidDeviceEvent& event);

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<HidDeviceEvent> queue_;
  HidBackend::EventSink sink_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace korvex
