// Report traffic of the device manager: exchanges, device-information
// queries, notification polls and the firmware update interface.
#include <cstring>

#include "transport/HidDeviceManager.h"
#include "transport/ReportIo.h"

namespace korvex {

using Lock = std::lock_guard<std::recursive_mutex>;

namespace {

constexpr std::uint8_t kQueryDeviceInfoCommand = 0x10;
constexpr std::uint8_t kStatusReport = kStatusReportType;
// Unsolicited reports kept for the notification poll; older ones give way.
constexpr std::size_t kPendingLimit = 16;

}  // namespace

UnsolicitedSink HidDeviceManager::PendingSink(HidDevice& device) {
  OpenInterface* from = nullptr;
  for (auto& entry : entries_)
    if (entry->handle.get() == &device) from = entry.get();
  return [this, from](const ReportBuffer& report) {
    if (!from) return;
    if (pending_.size() >= kPendingLimit) pending_.pop_front();
    pending_.push_back(PendingReport{from, report});
  };
}

bool HidDeviceManager::Exchange(ReportFrame& frame, std::size_t length) {
  Lock lock(mutex_);
  lastOutcome_ = ExchangeOutcome::NoInterface;
  if (!opened_) return false;
  if (length < ReportFrame::kShortLength || length > ReportFrame::kLongLength) return false;
  HidDevice* device = ActiveHandle();
  if (!device) return false;

  frame.StoreChecksum();
  ReportBuffer working{};
  std::memcpy(working.data(), frame.data(), length);
  const UnsolicitedSink sink = PendingSink(*device);
  DrainWaitingReports(*device, sink);
  if (device->Write(working.data(), length) <= 0) {
    lastOutcome_ = ExchangeOutcome::WriteFailed;
    return false;
  }

  AckOutcome outcome = AckOutcome::Silent;
  const bool acknowledged =
      AwaitAcknowledgement(*device, working.data(), length, frame[1], sink, &outcome, &interrupted_);
  lastOutcome_ = outcome == AckOutcome::Acknowledged ? ExchangeOutcome::Acknowledged
                 : outcome == AckOutcome::Refused    ? ExchangeOutcome::Refused
                                                     : ExchangeOutcome::Silent;
  std::memcpy(frame.data(), working.data(), length);
  return acknowledged;
}

bool HidDeviceManager::QueryDeviceInfo(ReportBuffer& buffer, HidDevice* device) {
  Lock lock(mutex_);
  if (!device) {
    OpenInterface* entry = ActiveEntry();
    if (!entry) return false;
    buffer = entry->info.deviceInfo;
    return true;
  }
  ReportFrame request;
  request[1] = kQueryDeviceInfoCommand;
  request.StoreChecksum();
  buffer = request.bytes;
  const UnsolicitedSink sink = PendingSink(*device);
  DrainWaitingReports(*device, sink);
  if (device->Write(buffer.data(), ReportFrame::kShortLength) <= 0) return false;
  return AwaitAcknowledgement(*device, buffer.data(), ReportFrame::kShortLength, kQueryDeviceInfoCommand,
                              sink, nullptr, &interrupted_);
}

bool HidDeviceManager::PollNotifications(ReportBuffer& buffer, int& deviceType) {
  return PollNotifications(buffer, deviceType, kPollTimeoutMs);
}

bool HidDeviceManager::PollNotifications(ReportBuffer& buffer, int& deviceType, int timeoutMs) {
  Lock lock(mutex_);
  if (!opened_) return false;
  deviceType = 0;
  // Reports met during an exchange come first, in the order they came.
  if (!pending_.empty()) {
    const PendingReport next = pending_.front();
    pending_.pop_front();
    deviceType = next.from->info.deviceType;
    if (next.report[0] == kStatusReport) ApplyStatusReport(*next.from, next.report);
    buffer = next.report;
    return true;
  }
  for (auto& entry : entries_) {
    if (!entry->handle || entry->info.deviceType >= kPolledTypeLimit) continue;
    ReportBuffer report{};
    if (ReadOneReport(*entry->handle, report.data(), ReportFrame::kShortLength, timeoutMs) <= 0) {
      continue;
    }
    deviceType = entry->info.deviceType;
    if (report[0] == kStatusReport) ApplyStatusReport(*entry, report);
    buffer = report;
    return true;
  }
  return false;
}

HidDeviceManager::WaitResult HidDeviceManager::WaitForNotification(int wakeFd, int timeoutMs) {
  std::vector<HidDevice*> devices;
  {
    Lock lock(mutex_);
    // Reports an exchange met and set aside are already here: no waiting.
    if (!pending_.empty()) return WaitResult::kInput;
    if (opened_) {
      for (const auto& entry : entries_) {
        if (!entry->handle || entry->info.deviceType >= kPolledTypeLimit) continue;
        if (failedWaits_.count(entry->handle.get())) continue;
        devices.push_back(entry->handle.get());
      }
    }
  }
  // Only the worker rebuilds the entries, and never while it waits here, so
  // the handles stay valid without the lock.
  std::vector<const HidDevice*> failed;
  const InputWait result = WaitForInput(devices, wakeFd, timeoutMs, failed);
  if (!failed.empty()) {
    Lock lock(mutex_);
    failedWaits_.insert(failed.begin(), failed.end());
  }
  switch (result) {
    case InputWait::kInput: return WaitResult::kInput;
    case InputWait::kWoken: return WaitResult::kWoken;
    case InputWait::kTimedOut: return WaitResult::kTimedOut;
    default: return WaitResult::kCannotWait;
  }
}

void HidDeviceManager::ApplyStatusReport(OpenInterface& entry, const ReportBuffer& report) {
  HidInterfaceEntry& info = entry.info;
  if (report[1] == 1) {
    info.onlineState = HidInterfaceEntry::kOnline;
    // Query into a scratch buffer: a failed query keeps the last good reply
    // rather than leaving zeros where the sensor and battery were.
    ReportBuffer reply{};
    if (QueryWithRetry(*entry.handle, reply)) {
      const int previousType = info.deviceType;
      ApplyDeviceInfo(info, reply);
      info.deviceType = TypeOf(info.vendorId, info.productId, info.deviceId);
      if (info.deviceType != previousType && active_ == &entry) active_ = nullptr;
    }
  } else {
    info.onlineState = HidInterfaceEntry::kOffline;
  }
  SetOnlineState(info.deviceType, info.mode, info.onlineState);
}

void HidDeviceManager::PollReceiverStatus() {
  Lock lock(mutex_);
  for (auto& entry : entries_) {
    HidInterfaceEntry& info = entry->info;
    if (info.deviceType != currentType_ || info.mode != 1 || !entry->handle) continue;
    ReportBuffer report{};
    if (ReadOneReport(*entry->handle, report.data(), ReportFrame::kShortLength,
                      kPollTimeoutMs) <= 0) {
      continue;
    }
    if (report[0] != kStatusReport) continue;
    info.onlineState =
        report[1] == 1 ? HidInterfaceEntry::kOnline : HidInterfaceEntry::kOfflineByPoll;
    SetOnlineState(info.deviceType, info.mode, info.onlineState);
  }
}

HidDeviceManager::ExchangeOutcome HidDeviceManager::LastExchangeOutcome() const {
  Lock lock(mutex_);
  return lastOutcome_;
}

bool HidDeviceManager::OpenUpdateInterface(std::uint16_t vendorId, std::uint16_t productId) {
  Lock lock(mutex_);
  updateHandle_.reset();
  for (const auto& info : backend_->Enumerate()) {
    if (info.vendorId != vendorId || info.productId != productId) continue;
    if (info.usagePage != kUpdateUsagePage || info.usage != 0) continue;
    if (info.path.size() > HidInterfaceEntry::kMaxPathLength) continue;
    updateHandle_ = backend_->Open(info.path);
    if (updateHandle_) return true;
  }
  return false;
}

bool HidDeviceManager::HasUpdateInterface() const {
  Lock lock(mutex_);
  return updateHandle_ != nullptr;
}

void HidDeviceManager::CloseUpdateInterface() {
  Lock lock(mutex_);
  updateHandle_.reset();
}

int HidDeviceManager::UpdateWrite(const std::uint8_t* data, std::size_t length) {
  Lock lock(mutex_);
  if (!updateHandle_ || !data) return -1;
  return updateHandle_->Write(data, length);
}

int HidDeviceManager::UpdateRead(std::uint8_t* buffer, std::size_t length, int timeoutMs) {
  Lock lock(mutex_);
  if (!updateHandle_ || !buffer) return -1;
  return updateHandle_->Read(buffer, length, timeoutMs);
}

}  // namespace korvex
