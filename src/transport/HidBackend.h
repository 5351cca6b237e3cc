#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvex {

// One HID interface (top-level collection) as the system lists it.
struct HidInterfaceInfo {
  std::string path;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t release = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  int interfaceNumber = -1;
  std::string product;  // UTF-8
};

// An opened interface. Closing is destruction.
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  // Bytes written, or -1. data[0] is the report id. A report shorter than
  // the output report the interface declares for that id is padded with
  // zeros first, and the padded length is what a success returns.
  virtual int Write(const std::uint8_t* data, std::size_t length) = 0;
  // Bytes copied into buffer (a leading zero report id removed), 0 on
  // time-out, -1 on error. timeoutMs < 0 blocks.
  virtual int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) = 0;
  // Product string in UTF-8, empty when the device gives none.
  virtual std::string ProductString() = 0;

  // Waiting for input without reading it, so that an idle program sleeps
  // until a report comes. InputFd: a descriptor that turns readable when
  // input may have arrived, or -1 when the device cannot be waited on.
  virtual int InputFd() { return -1; }
  // Takes what made InputFd readable and says when the first waiting report
  // can be read: 0 now, a positive number of milliseconds from now, -1 when
  // none waits (or the device is gone).
  virtual int InputReadyInMs() { return -1; }
};

// Kernel (or virtual) hot-plug event for one HID interface node.
struct HidDeviceEvent {
  enum class Kind { Arrival, Removal };
  Kind kind = Kind::Arrival;
  std::string path;  // the device node, as Enumerate reports it
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  int interfaceNumber = -1;
};

// The seam under the device manager: hidapi for real mice, the virtual mouse
// for everything else.
class HidBackend {
 public:
  using EventSink = std::function<void(const HidDeviceEvent&)>;

  virtual ~HidBackend() = default;
  virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
  // nullptr when the path cannot be opened.
  virtual std::unique_ptr<HidDevice> Open(const std::string& path) = 0;
  // Starts delivering arrival and removal events to sink, on a thread of the
  // backend's own; an empty sink stops delivery. Returns false when the
  // backend cannot watch for devices.
  virtual bool SetEventSink(EventSink sink) = 0;
  // Whether the interface at `path` has a top-level collection with this
  // usage page and usage. Must not wait for the backend's other users: the
  // window asks on a device arrival while the worker may be mid-exchange.
  virtual bool HasCollection(const std::string& path, std::uint16_t usagePage,
                             std::uint16_t usage) {
    for (const HidInterfaceInfo& info : Enumerate())
      if (info.path == path && info.usagePage == usagePage && info.usage == usage) return true;
    return false;
  }
};

}  // namespace korvex
