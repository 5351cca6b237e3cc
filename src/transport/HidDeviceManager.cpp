#include "transport/HidDeviceManager.h"

#include <chrono>
#include <thread>

#include "platform/Log.h"
#include "transport/DeviceText.h"
#include "transport/HidBackendFactory.h"
#include "transport/ReportIo.h"

namespace korvex {

using Lock = std::lock_guard<std::recursive_mutex>;

HidDeviceManager& HidDeviceManager::Instance() {
  static HidDeviceManager instance(MakeDefaultHidBackend());
  return instance;
}

HidDeviceManager::HidDeviceManager(std::unique_ptr<HidBackend> backend)
    : backend_(std::move(backend)) {}

HidDeviceManager::~HidDeviceManager() {
  // Stop hot-plug delivery before anything it might reach goes away.
  if (backend_) backend_->SetEventSink(nullptr);
  Lock lock(mutex_);
  CloseAllLocked();
  updateHandle_.reset();
}

void HidDeviceManager::AddSupportedDevice(const SupportedDevice& record) {
  std::lock_guard<std::mutex> lock(supportedMutex_);
  supported_.push_back(record);
}

void HidDeviceManager::ClearSupportedDevices() {
  std::lock_guard<std::mutex> lock(supportedMutex_);
  supported_.clear();
}

bool HidDeviceManager::IsSupported(std::uint32_t vendorId, std::uint32_t productId) const {
  std::lock_guard<std::mutex> lock(supportedMutex_);
  for (const auto& record : supported_) {
    if (record.vendorId == vendorId && record.productId == productId) return true;
  }
  return false;
}

int HidDeviceManager::ModeOf(std::uint32_t vendorId, std::uint32_t productId) const {
  std::lock_guard<std::mutex> lock(supportedMutex_);
  for (const auto& record : supported_) {
    if (record.vendorId == vendorId && record.productId == productId) {
      return static_cast<int>(record.mode);
    }
  }
  return 0;
}

int HidDeviceManager::TypeOf(std::uint32_t vendorId, std::uint32_t productId,
                             const std::string& deviceId) const {
  std::lock_guard<std::mutex> lock(supportedMutex_);
  for (const auto& record : supported_) {
    if (record.vendorId != vendorId || record.productId != productId) continue;
    // A model without a four-character id is the generic one: it takes
    // whatever answers on its pair.
    if (Utf8Length(record.deviceId) < 4) return kGenericType;
    if (record.deviceId == deviceId) return static_cast<int>(record.deviceType);
  }
  return 0;
}

void HidDeviceManager::CloseAll() {
  Lock lock(mutex_);
  CloseAllLocked();
}

void HidDeviceManager::CloseAllLocked() {
  // Entries go whatever the opened flag says: an enumeration whose flag was
  // never set must not leave open handles behind to be enumerated twice.
  opened_ = false;
  active_ = nullptr;
  pending_.clear();  // they point into the entries
  entries_.clear();
  failedWaits_.clear();
}

int HidDeviceManager::Enumerate() {
  Lock lock(mutex_);
  LogLine(2, "EnumerateDevice!");
  const std::size_t before = entries_.size();
  for (const auto& info : backend_->Enumerate()) {
    if (!IsSupported(info.vendorId, info.productId)) continue;
    if (info.path.size() > HidInterfaceEntry::kMaxPathLength) {
      LogLine(2, "EnumerateDevice path too long: %zu", info.path.size());
      continue;
    }
    AddInterface(info);
  }
  return static_cast<int>(entries_.size() - before);
}

void HidDeviceManager::AddInterface(const HidInterfaceInfo& info) {
  auto handle = backend_->Open(info.path);
  if (!handle) return;
  LogLine(2, "EnumerateDevice UsagePage: %X, Usage: %X", info.usagePage, info.usage);
  if (info.usagePage != 1 || info.usage != 0) return;
  LogLine(2, "Open hid Device Suc!");

  auto entry = std::make_unique<OpenInterface>();
  HidInterfaceEntry& e = entry->info;
  e.index = static_cast<int>(entries_.size());
  e.vendorId = info.vendorId;
  e.productId = info.productId;
  e.product = TruncateUtf8(handle->ProductString(), HidInterfaceEntry::kMaxProductLength);
  e.release = info.release;
  e.mode = ModeOf(info.vendorId, info.productId);

  ReportBuffer reply{};
  if (QueryWithRetry(*handle, reply)) {
    ApplyDeviceInfo(e, reply);
    e.deviceType = TypeOf(e.vendorId, e.productId, e.deviceId);
    LogLine(2, "EnumerateDevice!, GetDeviceId: %s, GetDeviceType: %d", e.deviceId.c_str(),
            e.deviceType);
  }
  e.path = info.path;
  LogLine(2, "EnumerateDevice vendor_id: %X, product_id: %X, dev_type: %x, dev_mode: %x",
          e.vendorId, e.productId, static_cast<unsigned>(e.deviceType),
          static_cast<unsigned>(e.mode));
  entry->handle = std::move(handle);
  entries_.push_back(std::move(entry));
}

bool HidDeviceManager::QueryWithRetry(HidDevice& device, ReportBuffer& reply) {
  if (QueryDeviceInfo(reply, &device)) return true;
  // The pause before the second try ends early when the worker stops.
  constexpr int kSliceMs = 10;
  for (int waited = 0; waited < kQueryRetryDelayMs && !Interrupted(); waited += kSliceMs)
    std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
  if (Interrupted()) return false;
  return QueryDeviceInfo(reply, &device);
}

void HidDeviceManager::ApplyDeviceInfo(HidInterfaceEntry& entry, const ReportBuffer& reply) const {
  entry.deviceInfo = reply;
  entry.deviceId = DeviceIdFromReply(reply);
  entry.deviceWord = static_cast<std::uint16_t>(reply[8] | (reply[9] << 8));
  entry.sensorCode = reply[10];
  entry.batteryState = reply[12];
  entry.batteryLevel = reply[13];
  entry.mouseConnected = reply[14];
}

bool HidDeviceManager::CollectEntries(std::vector<HidInterfaceEntry>& out) const {
  Lock lock(mutex_);
  out.clear();
  if (entries_.empty()) return false;
  for (const auto& entry : entries_) {
    if (currentType_ == 0 || entry->info.deviceType == currentType_) out.push_back(entry->info);
  }
  return true;
}

std::size_t HidDeviceManager::EntryCount() const {
  Lock lock(mutex_);
  return entries_.size();
}

bool HidDeviceManager::IsOpened() const {
  Lock lock(mutex_);
  return opened_;
}

void HidDeviceManager::SetOpened(bool opened) {
  Lock lock(mutex_);
  opened_ = opened;
}

int HidDeviceManager::CurrentDeviceType() const {
  Lock lock(mutex_);
  return currentType_;
}

void HidDeviceManager::SetCurrentDeviceType(int type) {
  Lock lock(mutex_);
  currentType_ = type;
  active_ = nullptr;
}

void HidDeviceManager::ClearActiveCache() {
  Lock lock(mutex_);
  active_ = nullptr;
}

int HidDeviceManager::SessionMode() const {
  Lock lock(mutex_);
  if (entries_.empty()) return -1;
  bool receiver = false;
  for (const auto& entry : entries_) {
    if (entry->info.deviceType != currentType_) continue;
    if (entry->info.mode == 0) return 0;
    if (entry->info.mode == 1) receiver = true;
  }
  return receiver ? 1 : -1;
}

HidDeviceManager::OpenInterface* HidDeviceManager::ActiveEntry() {
  if (!active_) {
    for (int mode : {0, 1}) {
      for (const auto& entry : entries_) {
        if (entry->info.deviceType == currentType_ && entry->info.mode == mode) {
          active_ = entry.get();
          break;
        }
      }
      if (active_) break;
    }
  }
  if (!active_ || !active_->handle) return nullptr;
  // The cache must not outlive the receiver's mouse: while it is away the
  // receiver carries no connection, cached or not.
  if (active_->info.mode == 1 && active_->info.onlineState != HidInterfaceEntry::kOnline) {
    return nullptr;
  }
  return active_;
}

HidDevice* HidDeviceManager::ActiveHandle() {
  Lock lock(mutex_);
  OpenInterface* entry = ActiveEntry();
  return entry ? entry->handle.get() : nullptr;
}

bool HidDeviceManager::ActiveIds(std::uint16_t& vendorId, std::uint16_t& productId) {
  Lock lock(mutex_);
  OpenInterface* entry = ActiveEntry();
  if (!entry) return false;
  vendorId = entry->info.vendorId;
  productId = entry->info.productId;
  return true;
}

bool HidDeviceManager::ReleaseOfMode(int mode, std::uint32_t& release) const {
  Lock lock(mutex_);
  if (!opened_) return false;
  for (const auto& entry : entries_) {
    if (entry->info.mode == mode) {
      release = entry->info.release;
      return true;
    }
  }
  return false;
}

void HidDeviceManager::SetOnlineState(int type, int mode, int state) {
  Lock lock(mutex_);
  for (auto& entry : entries_) {
    if (entry->info.deviceType == type && entry->info.mode == mode) {
      entry->info.onlineState = state;
    }
  }
}

bool HidDeviceManager::IsConfigurationInterface(const std::string& path) {
  // Not under the lock: the backend answers from the node itself.
  return backend_->HasCollection(path, 1, 0);
}

bool HidDeviceManager::SetEventSink(HidBackend::EventSink sink) {
  // Not under the lock: stopping the backend's thread waits for a sink call
  // that may itself be waiting for the lock.
  return backend_->SetEventSink(std::move(sink));
}

}  // namespace korvex
