#pragma once
#include <memory>
#include <mutex>

#include "transport/HidBackend.h"

namespace korvex {

class HidrawMonitor;

// Real mice through hidapi's hidraw backend; hot-plug events come from a
// udev monitor on the hidraw subsystem. Keep one instance per process:
// hidapi's library state is global.
class HidapiBackend : public HidBackend {
 public:
  HidapiBackend();
  ~HidapiBackend() override;

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;
  bool SetEventSink(EventSink sink) override;
  // From the node's report descriptor in sysfs: no hidapi call, which would
  // race the worker's own calls into the library.
  bool HasCollection(const std::string& path, std::uint16_t usagePage,
                     std::uint16_t usage) override;

 private:
  bool initialised_ = false;
  std::mutex monitorMutex_;
  std::unique_ptr<HidrawMonitor> monitor_;
};

}  // namespace korvex
