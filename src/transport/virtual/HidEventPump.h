#pragma once
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "transport/HidBackend.h"

namespace korvex {

// Hands hot-plug events to a backend's EventSink on a thread of its own, so
// whoever produces them (a socket reader, a control call) never runs the
// sink itself and the sink may call back into the backend.
class HidEventPump {
 public:
  HidEventPump();
  // Stops delivery. From inside the sink (the owner destroyed there) the
  // thread is left to finish on its own.
  ~HidEventPump();
  HidEventPump(const HidEventPump&) = delete;
  HidEventPump& operator=(const HidEventPump&) = delete;

  // An empty sink stops delivery; events queued until then are dropped.
  void SetSink(HidBackend::EventSink sink);
  // Queued only while a sink is set.
  void Post(const HidDeviceEvent& event);

 private:
  // Shared with the thread, so it outlives a pump destroyed by its own sink.
  struct State {
    std::mutex mutex;
    std::condition_variable cv;
    std::deque<HidDeviceEvent> queue;
    HidBackend::EventSink sink;
    bool stop = false;
  };
  static void Run(std::shared_ptr<State> state);

  std::shared_ptr<State> state_;
  std::thread thread_;
};

}  // namespace korvex
