#pragma once
#include <memory>
#include <string>
#include <vector>

#include "sim/VirtualMouseHub.h"
#include "transport/HidBackend.h"
#include "transport/virtual/HidEventPump.h"

namespace korvex::sim {

// HidBackend straight over a VirtualMouseHub in the same process, for unit
// tests. Writes and reads follow the hub's 1 ms frame timing (a writer
// waits while the endpoint already holds a report for a later frame). Arrival and removal events of
// Plug/Unplug reach the sink on the backend's own thread.
class InProcessBackend : public HidBackend {
 public:
  explicit InProcessBackend(std::shared_ptr<VirtualMouseHub> hub);
  ~InProcessBackend() override;

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;
  bool SetEventSink(EventSink sink) override;

  const std::shared_ptr<VirtualMouseHub>& Hub() const { return hub_; }

 private:
  std::shared_ptr<VirtualMouseHub> hub_;
  HidEventPump pump_;
  int listener_ = 0;
};

}  // namespace korvex::sim
