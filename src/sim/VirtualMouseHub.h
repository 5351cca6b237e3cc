#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/DeviceRoster.h"
#include "sim/DeviceSnapshot.h"
#include "platform/WakeEvent.h"
#include "sim/VirtualDevice.h"
#include "transport/HidBackend.h"

namespace korvex::sim {

using SimClock = std::chrono::steady_clock;

// One report as it crossed the virtual bus, for the trace.
struct TraceRecord {
  std::int64_t frameMs = 0;  // the 1 ms frame it travelled in, counted from the hub's start
  bool out = false;          // host to device
  std::string device;
  int interfaceNumber = 0;
  std::vector<std::uint8_t> bytes;
};

// "<ms> out|in <device>:<interface> <hex bytes>"
std::string FormatTraceLine(const TraceRecord& r);

// The virtual devices and everything attached to them: plugging, reader
// queues with the 1 ms frame timing, fault injection and hot-plug events.
// Thread-safe; every member may be called from any thread.
//
// Devices are named by their roster name ("k3-receiver") or by "vid:pid" in
// hexadecimal ("1209:0003", the first such device). Interface paths are
// "vmouse:<name>:<interface number>".
//
// Timing: a full-speed interrupt endpoint moves one report per 1 ms frame.
// A write goes in the next free frame of its endpoint; its answer becomes
// readable one frame later, plus any reply delay. The host controller holds
// one report while the one before it is on the bus, so a writer may return as
// soon as that earlier report has gone (Write says when). Unsolicited reports
// leave in the next free frame of their interface.
class VirtualMouseHub {
 public:
  using Handle = std::uint64_t;
  using EventListener = std::function<void(const HidDeviceEvent&)>;
  using TraceSink = std::function<void(const TraceRecord&)>;

  // Devices from a device list string (grammar: ParseDeviceSpec). An invalid list
  // leaves the hub without devices and Error() says why.
  explicit VirtualMouseHub(const std::string& deviceSpec = "");
  explicit VirtualMouseHub(std::vector<DeviceSpec> devices);
  ~VirtualMouseHub();
  VirtualMouseHub(const VirtualMouseHub&) = delete;
  VirtualMouseHub& operator=(const VirtualMouseHub&) = delete;

  // The default roster: k1, k3, k3-receiver, k5, classic.
  static std::shared_ptr<VirtualMouseHub> CreateDefault();

  const std::string& Error() const { return error_; }
  std::vector<std::string> DeviceNames() const;

  // Controls. Each returns false for an unknown device or a control the
  // device does not have (mouse-off on a wired mouse, dpi-button while the
  // mouse is away).
  bool Plug(const std::string& device);
  bool Unplug(const std::string& device);
  bool MouseOff(const std::string& device);
  bool MouseOn(const std::string& device);
  bool SetBattery(const std::string& device, int level, int state);
  bool PressDpiButton(const std::string& device);
  bool SetActiveSlot(const std::string& device, int slot);
  // Queues an unsolicited input report (up to 64 bytes, zero-padded).
  bool InjectReport(const std::string& device, int interfaceNumber,
                    const std::vector<std::uint8_t>& bytes);

  // Faults, for every device: answers arrive ms later; the next n frames on a
  // configuration interface are refused (byte 1 = 0x07, not applied); the
  // next n answers to writes are lost (the write itself is applied).
  void SetReplyDelay(int ms);
  void Nak(int n);
  void Drop(int n);

  std::string Status() const;
  bool Snapshot(const std::string& device, DeviceSnapshot& out) const;

  // Flash: text with one line per device; Load applies the lines of known
  // devices and ignores the rest, returning how many devices it restored.
  std::string SaveFlash() const;
  int LoadFlash(const std::string& text);
  // Grows whenever flash may have changed.
  std::uint64_t FlashGeneration() const;

  // --- backend plumbing (InProcessBackend, the korvex-vmouse daemon) ---
  std::vector<HidInterfaceInfo> Enumerate() const;
  // 0 when the path names no plugged device interface. *descriptor: the
  // interface's report descriptor.
  Handle Open(const std::string& path, std::string* product = nullptr,
              std::vector<std::uint8_t>* descriptor = nullptr);
  void Close(Handle handle);
  // Bytes taken or -1 (unknown or dead handle, interface without output
  // report, a length other than the declared output report's). *returnAt: when the writer may return (the
  // endpoint has room again), which can be now.
  int Write(Handle handle, const std::uint8_t* data, std::size_t length,
            SimClock::time_point* returnAt = nullptr);
  // Blocking read: bytes copied, 0 on time-out, -1 when the device is gone.
  int Read(Handle handle, std::uint8_t* buffer, std::size_t length, int timeoutMs);
  // Non-blocking, for a reader that applies the frame timing itself: takes
  // the next queued report whether or not it is due yet, with the time it
  // becomes readable. 1 with a report, 0 when none is queued, -1 when the
  // device is gone.
  int TakeReport(Handle handle, std::vector<std::uint8_t>& out, SimClock::time_point& due);
  // For a reader that waits on descriptors: turns readable when a report is
  // queued for the handle or its device goes; -1 for an unknown handle.
  int ReadyFd(Handle handle) const;
  // Takes that readiness and says when the first queued report can be read:
  // 0 now, milliseconds from now, -1 when none is queued or the device went.
  int ReadyInMs(Handle handle);
  bool ProductString(Handle handle, std::string& product) const;

  int AddListener(EventListener listener);
  void RemoveListener(int id);
  void SetTraceSink(TraceSink sink);
  SimClock::time_point Epoch() const { return epoch_; }

 private:
  struct Pending {
    SimClock::time_point due;
    std::vector<std::uint8_t> bytes;
  };
  struct Reader {
    std::size_t device = 0;
    int interfaceNumber = 0;
    std::uint64_t generation = 0;
    std::deque<Pending> queue;
    std::shared_ptr<WakeEvent> ready = std::make_shared<WakeEvent>();
  };
  struct Slot {
    std::unique_ptr<VirtualDevice> device;
    bool plugged = true;
    std::uint64_t generation = 1;
    std::int64_t lastOutFrame[kInterfaceCount] = {-1, -1, -1, -1};
    std::int64_t lastInFrame[kInterfaceCount] = {-1, -1, -1, -1};
  };

  int FindLocked(const std::string& device) const;
  std::int64_t NowFrame() const;
  SimClock::time_point FrameTime(std::int64_t frame) const;
  void DeliverLocked(std::size_t device, std::vector<OutgoingReport>& reports,
                     std::int64_t earliestFrame);
  void TraceLocked(std::int64_t frame, bool out, std::size_t device, int iface,
                   const std::uint8_t* data, std::size_t length);
  bool ReaderAliveLocked(const Reader& r) const;
  void FireEvents(std::size_t device, HidDeviceEvent::Kind kind);
  HidInterfaceInfo InfoLocked(std::size_t device, int iface) const;
  DeviceSnapshot SnapshotLocked(std::size_t device) const;
  template <typename F>
  bool Control(const std::string& device, F&& f);

  const SimClock::time_point epoch_ = SimClock::now();
  std::string error_;
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<Slot> slots_;
  std::map<Handle, Reader> readers_;
  Handle nextHandle_ = 1;
  int replyDelayMs_ = 0;
  int nakCount_ = 0;
  int dropCount_ = 0;
  std::uint64_t flashGeneration_ = 0;
  TraceSink trace_;
  std::recursive_mutex listenerMutex_;
  std::map<int, EventListener> listeners_;
  int nextListener_ = 1;
};

}  // namespace korvex::sim
