#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "transport/HidBackend.h"
#include "transport/HidInterfaceEntry.h"
#include "transport/ReportFrame.h"
#include "transport/ReportIo.h"
#include "transport/SupportedDevice.h"

namespace korvex {

// Finds the configuration interfaces of the supported mice and receivers,
// classifies them, decides which one carries the connection, and exchanges
// reports with it.
//
// Shared by the interface thread and the worker: every public operation on
// the entries holds one recursive lock for its whole run, so a selection
// change never lands in the middle of an exchange or a poll. Callers that
// chain several operations into one (the device refresh) hold Mutex() around
// the chain. The supported-device records and the path probe of a device
// arrival do not take that lock: the window asks them on hot-plug, and the
// worker can hold the lock for a whole exchange (up to 1.5 s).
class HidDeviceManager {
 public:
  // Types at or above this value take no part in the notification poll.
  static constexpr int kPolledTypeLimit = 200;
  static constexpr int kGenericType = 101;
  static constexpr std::uint16_t kUpdateUsagePage = 0xFFEF;

  // The process-wide manager over the backend the environment asks for:
  // the virtual mouse when KORVEX_VMOUSE names its socket, hidapi otherwise.
  static HidDeviceManager& Instance();

  explicit HidDeviceManager(std::unique_ptr<HidBackend> backend);
  ~HidDeviceManager();
  HidDeviceManager(const HidDeviceManager&) = delete;
  HidDeviceManager& operator=(const HidDeviceManager&) = delete;

  std::recursive_mutex& Mutex() const { return mutex_; }
  HidBackend& Backend() { return *backend_; }

  // Supported-device records, in configuration order.
  void AddSupportedDevice(const SupportedDevice& record);
  void ClearSupportedDevices();
  bool IsSupported(std::uint32_t vendorId, std::uint32_t productId) const;
  // Mode of the first record with that pair; 0 when none.
  int ModeOf(std::uint32_t vendorId, std::uint32_t productId) const;
  // Device type of an interface from its ids and its reported device id;
  // 101 when the first matching record has no four-character id; 0 if none.
  int TypeOf(std::uint32_t vendorId, std::uint32_t productId,
             const std::string& deviceId) const;

  // Closes every interface, drops every entry and clears the opened flag.
  void CloseAll();
  // Opens and classifies the configuration interfaces of supported devices,
  // appending them to the entries. Returns the number appended.
  int Enumerate();
  // Copies the entries of the current type (all of them with current type 0);
  // false when there are no entries.
  bool CollectEntries(std::vector<HidInterfaceEntry>& out) const;
  std::size_t EntryCount() const;

  bool IsOpened() const;
  void SetOpened(bool opened);
  int CurrentDeviceType() const;
  // Makes a type current and drops the active-interface cache.
  void SetCurrentDeviceType(int type);
  void ClearActiveCache();

  // -1 no connection, 0 wired, 1 receiver (wired wins).
  int SessionMode() const;
  // The interface that carries the connection, or nullptr. A receiver whose
  // mouse is not online gives none. Valid until the entries are rebuilt.
  HidDevice* ActiveHandle();
  bool ActiveIds(std::uint16_t& vendorId, std::uint16_t& productId);
  bool ReleaseOfMode(int mode, std::uint32_t& release) const;
  void SetOnlineState(int type, int mode, int state);

  // Writes the frame (length 33 or 65; checksum stored first) to the active
  // interface and reads until acknowledged. The frame then holds the last
  // report read; on a failed write it is left as sent.
  bool Exchange(ReportFrame& frame, std::size_t length);
  bool Exchange(ReportFrame& frame) { return Exchange(frame, frame.length); }
  // How the last Exchange ended, so that a caller can tell a refusal from
  // silence and both from a device that is gone.
  enum class ExchangeOutcome { Acknowledged, Refused, Silent, WriteFailed, NoInterface };
  ExchangeOutcome LastExchangeOutcome() const;
  // Command 0x10 to `device`; with nullptr, copies the stored reply of the
  // active interface instead (no device traffic).
  bool QueryDeviceInfo(ReportBuffer& buffer, HidDevice* device);
  // Takes at most one unsolicited report, from the first interface that has
  // one, and applies status reports to the online states. `deviceType` is the
  // type of the interface it came from (0 when none). Each interface is read
  // with `timeoutMs` (0 after WaitForNotification said input waits).
  bool PollNotifications(ReportBuffer& buffer, int& deviceType, int timeoutMs);
  bool PollNotifications(ReportBuffer& buffer, int& deviceType);

  enum class WaitResult {
    kInput,       // an interface the poll reads may have a report
    kWoken,       // wakeFd turned readable (a task, or the worker stops)
    kTimedOut,
    kCannotWait,  // an interface cannot be waited on: poll with a time-out
  };
  // Sleeps until an interface the notification poll reads has input, wakeFd
  // is readable (it is not read) or timeoutMs has passed. Holds the lock only
  // to collect the interfaces, never while it waits, so the window can still
  // use the manager.
  WaitResult WaitForNotification(int wakeFd, int timeoutMs);

  // Makes acknowledgement waits and query retries give up at their next
  // read, so a worker being stopped is not held by a silent device for up to
  // 1.5 s an exchange; ClearInterrupt lets them run again.
  void Interrupt() { interrupted_.store(true); }
  void ClearInterrupt() { interrupted_.store(false); }
  bool Interrupted() const { return interrupted_.load(); }
  // Re-reads the receivers of the current type for a status report.
  void PollReceiverStatus();

  // Whether `path` is the configuration collection (usage page 1, usage 0)
  // of a device the backend lists now. Never waits for the worker.
  bool IsConfigurationInterface(const std::string& path);
  // Starts (or, with an empty sink, stops) hot-plug events from the backend.
  bool SetEventSink(HidBackend::EventSink sink);

  // The firmware update interface: usage page 0xFFEF, usage 0.
  bool OpenUpdateInterface(std::uint16_t vendorId, std::uint16_t productId);
  bool HasUpdateInterface() const;
  void CloseUpdateInterface();
  // Bytes transferred, 0 on time-out, -1 on failure or without the interface.
  int UpdateWrite(const std::uint8_t* data, std::size_t length);
  int UpdateRead(std::uint8_t* buffer, std::size_t length, int timeoutMs);

 private:
  struct OpenInterface {
    HidInterfaceEntry info;
    std::unique_ptr<HidDevice> handle;
  };

  void CloseAllLocked();
  void AddInterface(const HidInterfaceInfo& info);
  bool QueryWithRetry(HidDevice& device, ReportBuffer& reply);
  void ApplyDeviceInfo(HidInterfaceEntry& entry, const ReportBuffer& reply) const;
  OpenInterface* ActiveEntry();
  void ApplyStatusReport(OpenInterface& entry, const ReportBuffer& report);
  // Queues the unsolicited reports an exchange on `device` meets, for the
  // next PollNotifications.
  UnsolicitedSink PendingSink(HidDevice& device);

  struct PendingReport {
    OpenInterface* from;
    ReportBuffer report;
  };

  mutable std::recursive_mutex mutex_;
  std::unique_ptr<HidBackend> backend_;
  mutable std::mutex supportedMutex_;  // guards supported_ alone; taken inside mutex_, never around it
  std::vector<SupportedDevice> supported_;
  std::vector<std::unique_ptr<OpenInterface>> entries_;
  bool opened_ = false;
  int currentType_ = 0;
  OpenInterface* active_ = nullptr;
  std::unique_ptr<HidDevice> updateHandle_;
  std::atomic<bool> interrupted_{false};
  // Interfaces whose descriptor reported an error: left out of the waits
  // until the entries are rebuilt, so a dead node cannot spin the worker.
  std::set<const HidDevice*> failedWaits_;
  std::deque<PendingReport> pending_;
  ExchangeOutcome lastOutcome_ = ExchangeOutcome::NoInterface;
};

}  // namespace korvex
