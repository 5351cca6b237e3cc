#pragma once
#include <map>
#include <string>
#include <thread>

#include "transport/HidBackend.h"

struct udev;
struct udev_device;
struct udev_monitor;

namespace korvex {

// Watches the kernel's hidraw nodes come and go and hands each change to a
// sink as a HidDeviceEvent, on a thread of its own. The ids of a node are
// remembered while it exists, because a removed node's parents can no
// longer be read.
class HidrawMonitor {
 public:
  HidrawMonitor() = default;
  ~HidrawMonitor();
  HidrawMonitor(const HidrawMonitor&) = delete;
  HidrawMonitor& operator=(const HidrawMonitor&) = delete;

  // False when udev cannot be watched.
  bool Start(HidBackend::EventSink sink);
  // Wakes the thread and waits for it; safe to call more than once.
  void Stop();

 private:
  void Run();
  void RememberPresentNodes();
  bool Describe(udev_device* device, HidDeviceEvent& event) const;
  void Handle(udev_device* device);

  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  int wakeFd_ = -1;
  std::thread thread_;
  HidBackend::EventSink sink_;
  std::map<std::string, HidDeviceEvent> known_;  // by device node
};

}  // namespace korvex
