#include "sim/VirtualMouseHub.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/Log.h"
#include "sim/HexText.h"

namespace korvex::sim {
namespace {

constexpr std::size_t kReaderQueueLimit = 64;  // what a HID driver buffers per open handle
constexpr std::int64_t kEndpointBacklog = 64;  // frames a device queues before it drops
constexpr const char* kPathPrefix = "vmouse:";
constexpr const char* kFlashHeader = "korvex-vmouse-flash 1";

bool ParsePath(const std::string& path, std::string& name, int& iface) {
  const std::string prefix = kPathPrefix;
  const auto colon = path.rfind(':');
  if (path.compare(0, prefix.size(), prefix) != 0 || colon == std::string::npos ||
      colon <= prefix.size() || colon + 2 != path.size())
    return false;
  const char c = path[colon + 1];
  if (c < '0' || c >= '0' + kInterfaceCount) return false;
  name = path.substr(prefix.size(), colon - prefix.size());
  iface = c - '0';
  return true;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

}  // namespace

std::string FormatTraceLine(const TraceRecord& r) {
  char head[96];
  std::snprintf(head, sizeof head, "%lld %s %s:%d ", static_cast<long long>(r.frameMs),
                r.out ? "out" : "in", r.device.c_str(), r.interfaceNumber);
  return head + ToHex(r.bytes.data(), r.bytes.size(), true);
}

VirtualMouseHub::VirtualMouseHub(const std::string& deviceSpec) {
  std::vector<DeviceSpec> devices;
  if (!ParseDeviceSpec(deviceSpec, devices, error_)) {
    LogLine(2, "vmouse: bad device list: %s", error_.c_str());
  }
  for (auto& d : devices) slots_.push_back(Slot{std::make_unique<VirtualDevice>(std::move(d))});
}

VirtualMouseHub::VirtualMouseHub(std::vector<DeviceSpec> devices) {
  for (auto& d : devices) slots_.push_back(Slot{std::make_unique<VirtualDevice>(std::move(d))});
}

VirtualMouseHub::~VirtualMouseHub() = default;

std::shared_ptr<VirtualMouseHub> VirtualMouseHub::CreateDefault() {
  return std::make_shared<VirtualMouseHub>(DefaultRoster());
}

std::vector<std::string> VirtualMouseHub::DeviceNames() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> names;
  for (const auto& s : slots_) names.push_back(s.device->Spec().name);
  return names;
}

int VirtualMouseHub::FindLocked(const std::string& device) const {
  const std::string want = Lower(device);
  unsigned vid = 0, pid = 0;
  char extra = 0;
  const bool byIds = std::sscanf(want.c_str(), "%x:%x%c", &vid, &pid, &extra) == 2;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    const DeviceSpec& s = slots_[i].device->Spec();
    if (s.name == want || (byIds && s.vendorId == vid && s.productId == pid))
      return static_cast<int>(i);
  }
  return -1;
}

std::int64_t VirtualMouseHub::NowFrame() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(SimClock::now() - epoch_).count();
}

SimClock::time_point VirtualMouseHub::FrameTime(std::int64_t frame) const {
  return epoch_ + std::chrono::milliseconds(frame);
}

bool VirtualMouseHub::ReaderAliveLocked(const Reader& r) const {
  const Slot& s = slots_[r.device];
  return s.plugged && r.generation == s.generation;
}

void VirtualMouseHub::TraceLocked(std::int64_t frame, bool out, std::size_t device, int iface,
                                  const std::uint8_t* data, std::size_t length) {
  if (!trace_) return;
  TraceRecord r{frame, out, slots_[device].device->Spec().name, iface,
                std::vector<std::uint8_t>(data, data + length)};
  trace_(r);
}

void VirtualMouseHub::DeliverLocked(std::size_t device, std::vector<OutgoingReport>& reports,
                                    std::int64_t earliestFrame) {
  Slot& slot = slots_[device];
  for (const auto& rep : reports) {
    std::int64_t& last = slot.lastInFrame[rep.interfaceNumber];
    const std::int64_t frame = std::max(earliestFrame, last + 1);
    // A device that makes reports faster than the bus takes them loses the
    // newest once its queue is full.
    if (frame > earliestFrame + kEndpointBacklog) continue;
    last = frame;
    TraceLocked(frame, false, device, rep.interfaceNumber, rep.bytes.data(), rep.bytes.size());
    for (auto& [handle, reader] : readers_) {
      if (reader.device != device || reader.interfaceNumber != rep.interfaceNumber ||
          !ReaderAliveLocked(reader))
        continue;
      reader.queue.push_back(Pending{FrameTime(frame), {rep.bytes.begin(), rep.bytes.end()}});
      if (reader.queue.size() > kReaderQueueLimit) reader.queue.pop_front();
      reader.ready->Signal();
    }
  }
  if (!reports.empty()) cv_.notify_all();
}

template <typename F>
bool VirtualMouseHub::Control(const std::string& device, F&& f) {
  std::lock_guard<std::mutex> lock(mutex_);
  const int index = FindLocked(device);
  if (index < 0) return false;
  Slot& slot = slots_[index];
  std::vector<OutgoingReport> reports;
  const bool ok = f(slot, reports);
  if (slot.plugged) DeliverLocked(static_cast<std::size_t>(index), reports, NowFrame() + 1);
  ++flashGeneration_;
  return ok;
}

void VirtualMouseHub::FireEvents(std::size_t device, HidDeviceEvent::Kind kind) {
  std::vector<HidDeviceEvent> events;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const DeviceSpec& s = slots_[device].device->Spec();
    for (int i = 0; i < kInterfaceCount; ++i)
      events.push_back(HidDeviceEvent{kind, InfoLocked(device, i).path, s.vendorId, s.productId, i});
  }
  // Held while calling, so a listener removed by another thread is never
  // called after RemoveListener returned; a copy, so a listener may remove
  // itself.
  std::lock_guard<std::recursive_mutex> lock(listenerMutex_);
  const auto listeners = listeners_;
  for (const auto& e : events)
    for (const auto& [id, listener] : listeners) listener(e);
}

bool VirtualMouseHub::Plug(const std::string& device) {
  int index = -1;
  bool changed = false;
  Control(device, [&](Slot& slot, std::vector<OutgoingReport>&) {
    index = FindLocked(device);
    changed = !slot.plugged;
    slot.plugged = true;
    return true;
  });
  if (index < 0) return false;
  if (changed) FireEvents(static_cast<std::size_t>(index), HidDeviceEvent::Kind::Arrival);
  return true;
}

bool VirtualMouseHub::Unplug(const std::string& device) {
  int index = -1;
  bool changed = false;
  Control(device, [&](Slot& slot, std::vector<OutgoingReport>&) {
    index = FindLocked(device);
    changed = slot.plugged;
    if (changed) {
      slot.plugged = false;
      ++slot.generation;  // open handles of this device are dead from now on
      slot.device->PowerCycle();
      for (auto& entry : readers_)
        if (entry.second.device == static_cast<std::size_t>(index)) entry.second.ready->Signal();
      cv_.notify_all();
    }
    return true;
  });
  if (index < 0) return false;
  if (changed) FireEvents(static_cast<std::size_t>(index), HidDeviceEvent::Kind::Removal);
  return true;
}

bool VirtualMouseHub::MouseOff(const std::string& device) {
  return Control(device, [](Slot& s, auto& out) { return s.device->SetMouseOn(false, out); });
}

bool VirtualMouseHub::MouseOn(const std::string& device) {
  return Control(device, [](Slot& s, auto& out) { return s.device->SetMouseOn(true, out); });
}

bool VirtualMouseHub::SetBattery(const std::string& device, int level, int state) {
  if (level < 0 || level > 100 || state < 0 || state > 255) return false;
  return Control(device, [&](Slot& s, auto& out) {
    s.device->SetBattery(static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(state), out);
    return true;
  });
}

bool VirtualMouseHub::PressDpiButton(const std::string& device) {
  return Control(device, [](Slot& s, auto& out) { return s.plugged && s.device->PressDpiButton(out); });
}

bool VirtualMouseHub::SetActiveSlot(const std::string& device, int slot) {
  return Control(device, [&](Slot& s, auto&) { return s.device->Mouse().SetActiveSlot(slot); });
}

bool VirtualMouseHub::InjectReport(const std::string& device, int interfaceNumber,
                                   const std::vector<std::uint8_t>& bytes) {
  if (interfaceNumber < 0 || interfaceNumber >= kInterfaceCount ||
      bytes.size() > static_cast<std::size_t>(kInputReportLength))
    return false;
  return Control(device, [&](Slot& s, auto& out) {
    OutgoingReport r{interfaceNumber, {}};
    std::copy(bytes.begin(), bytes.end(), r.bytes.begin());
    out.push_back(r);
    return s.plugged;
  });
}

void VirtualMouseHub::SetReplyDelay(int ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  replyDelayMs_ = std::max(0, ms);
}

void VirtualMouseHub::Nak(int n) {
  std::lock_guard<std::mutex> lock(mutex_);
  nakCount_ = std::max(0, n);
}

void VirtualMouseHub::Drop(int n) {
  std::lock_guard<std::mutex> lock(mutex_);
  dropCount_ = std::max(0, n);
}

DeviceSnapshot VirtualMouseHub::SnapshotLocked(std::size_t device) const {
  const Slot& slot = slots_[device];
  const VirtualDevice& d = *slot.device;
  DeviceSnapshot s;
  s.name = d.Spec().name;
  s.vendorId = d.Spec().vendorId;
  s.productId = d.Spec().productId;
  s.release = d.Release();
  s.plugged = slot.plugged;
  s.receiver = d.Spec().receiver;
  s.mouseOn = d.MouseOn();
  s.identity = d.Mouse().Identity();
  s.batteryLevel = d.Mouse().BatteryLevel();
  s.batteryState = d.Mouse().BatteryState();
  s.activeSlot = d.Mouse().ActiveSlotIndex();
  s.slot = d.Mouse().ActiveSlot();
  s.macroUploadInProgress = d.Mouse().MacroUploadInProgress();
  s.update = d.Updater().Status();
  return s;
}

bool VirtualMouseHub::Snapshot(const std::string& device, DeviceSnapshot& out) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const int index = FindLocked(device);
  if (index < 0) return false;
  out = SnapshotLocked(static_cast<std::size_t>(index));
  return true;
}

std::string VirtualMouseHub::Status() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string out;
  for (std::size_t i = 0; i < slots_.size(); ++i) out += FormatDeviceStatus(SnapshotLocked(i));
  char line[128];
  std::snprintf(line, sizeof line, "faults: delay %d ms, nak %d, drop %d\n", replyDelayMs_,
                nakCount_, dropCount_);
  return out + line;
}

std::string VirtualMouseHub::SaveFlash() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string out = std::string(kFlashHeader) + "\n";
  for (const auto& s : slots_) {
    std::vector<std::uint8_t> image;
    s.device->Mouse().SerializeFlash(image);
    out += s.device->Spec().name + " " + ToHex(image.data(), image.size(), false) + "\n";
  }
  return out;
}

int VirtualMouseHub::LoadFlash(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kFlashHeader) return 0;
  int restored = 0;
  while (std::getline(in, line)) {
    const auto space = line.find(' ');
    std::vector<std::uint8_t> image;
    if (space == std::string::npos || !FromHex(line.substr(space + 1), image)) continue;
    const int index = FindLocked(line.substr(0, space));
    if (index < 0) continue;
    if (slots_[index].device->Mouse().DeserializeFlash(image.data(), image.size())) {
      ++restored;
    } else {
      LogLine(2, "vmouse: flash image of %s is damaged, defaults kept", line.substr(0, space).c_str());
    }
  }
  ++flashGeneration_;
  return restored;
}

std::uint64_t VirtualMouseHub::FlashGeneration() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return flashGeneration_;
}

HidInterfaceInfo VirtualMouseHub::InfoLocked(std::size_t device, int iface) const {
  const VirtualDevice& d = *slots_[device].device;
  const InterfaceDescriptor& desc = DescribeInterface(iface);
  HidInterfaceInfo info;
  info.path = kPathPrefix + d.Spec().name + ":" + std::to_string(iface);
  info.vendorId = d.Spec().vendorId;
  info.productId = d.Spec().productId;
  info.release = d.Release();
  info.usagePage = desc.usagePage;
  info.usage = desc.usage;
  info.interfaceNumber = iface;
  info.product = d.Spec().product;
  return info;
}

std::vector<HidInterfaceInfo> VirtualMouseHub::Enumerate() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<HidInterfaceInfo> out;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (!slots_[i].plugged) continue;
    for (int iface = 0; iface < kInterfaceCount; ++iface) out.push_back(InfoLocked(i, iface));
  }
  return out;
}

VirtualMouseHub::Handle VirtualMouseHub::Open(const std::string& path, std::string* product,
                                              std::vector<std::uint8_t>* descriptor) {
  std::string name;
  int iface = 0;
  if (!ParsePath(path, name, iface)) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  const int index = FindLocked(name);
  if (index < 0 || slots_[index].device->Spec().name != name || !slots_[index].plugged) return 0;
  const Handle h = nextHandle_++;
  readers_[h] = Reader{static_cast<std::size_t>(index), iface, slots_[index].generation, {}};
  if (product) *product = slots_[index].device->Spec().product;
  if (descriptor) {
    const InterfaceDescriptor& d = DescribeInterface(iface);
    descriptor->assign(d.reportDescriptor, d.reportDescriptor + d.reportDescriptorSize);
  }
  return h;
}

void VirtualMouseHub::Close(Handle handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  readers_.erase(handle);
  cv_.notify_all();
}

bool VirtualMouseHub::ProductString(Handle handle, std::string& product) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = readers_.find(handle);
  if (it == readers_.end()) return false;
  product = slots_[it->second.device].device->Spec().product;
  return true;
}

int VirtualMouseHub::Write(Handle handle, const std::uint8_t* data, std::size_t length,
                           SimClock::time_point* returnAt) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = readers_.find(handle);
  if (it == readers_.end() || !ReaderAliveLocked(it->second) || !data || length == 0) return -1;
  const std::size_t device = it->second.device;
  const int iface = it->second.interfaceNumber;
  Slot& slot = slots_[device];
  if (!DescribeInterface(iface).takesOutput) return -1;

  const std::int64_t frame = std::max(NowFrame() + 1, slot.lastOutFrame[iface] + 1);
  std::vector<OutgoingReport> replies;
  int taken = -1;
  if (iface == kConfigInterface && nakCount_ > 0 && length == kOutputReportLength &&
      data[0] == 0) {
    --nakCount_;
    std::uint8_t frameBytes[kOutputReportLength] = {};
    std::copy(data, data + length, frameBytes);
    OutgoingReport r{iface, {}};
    MouseFirmware::StartReply(frameBytes, r.bytes, FrameStatus::Refused);
    replies.push_back(r);
    taken = static_cast<int>(length);
  } else {
    taken = slot.device->HandleOutput(iface, data, length, replies);
  }
  if (taken < 0) return -1;
  slot.lastOutFrame[iface] = frame;
  TraceLocked(frame, true, device, iface, data, length);
  if (dropCount_ > 0 && !replies.empty()) {
    --dropCount_;
    replies.clear();
  }
  ++flashGeneration_;
  DeliverLocked(device, replies, frame + 1 + replyDelayMs_);
  if (returnAt) *returnAt = FrameTime(frame - 1);
  return taken;
}

int VirtualMouseHub::Read(Handle handle, std::uint8_t* buffer, std::size_t length,
                          int timeoutMs) {
  if (!buffer) return -1;
  std::unique_lock<std::mutex> lock(mutex_);
  const auto deadline = timeoutMs < 0 ? SimClock::time_point::max()
                                      : SimClock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const auto it = readers_.find(handle);
    if (it == readers_.end() || !ReaderAliveLocked(it->second)) return -1;
    auto& queue = it->second.queue;
    const auto now = SimClock::now();
    if (!queue.empty() && queue.front().due <= now) {
      const auto& bytes = queue.front().bytes;
      const std::size_t n = std::min(length, bytes.size());
      std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), buffer);
      queue.pop_front();
      return static_cast<int>(n);
    }
    if (now >= deadline) return 0;
    auto wake = deadline;
    if (!queue.empty()) wake = std::min(wake, queue.front().due);
    if (wake == SimClock::time_point::max()) {
      cv_.wait(lock);
    } else {
      cv_.wait_until(lock, wake);
    }
  }
}

int VirtualMouseHub::TakeReport(Handle handle, std::vector<std::uint8_t>& out,
                                SimClock::time_point& due) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = readers_.find(handle);
  if (it == readers_.end() || !ReaderAliveLocked(it->second)) return -1;
  auto& queue = it->second.queue;
  if (queue.empty()) return 0;
  due = queue.front().due;
  out = std::move(queue.front().bytes);
  queue.pop_front();
  return 1;
}

int VirtualMouseHub::ReadyFd(Handle handle) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = readers_.find(handle);
  return it == readers_.end() ? -1 : it->second.ready->Fd();
}

int VirtualMouseHub::ReadyInMs(Handle handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto it = readers_.find(handle);
  if (it == readers_.end()) return -1;
  it->second.ready->Clear();
  if (!ReaderAliveLocked(it->second) || it->second.queue.empty()) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(it->second.queue.front().due - SimClock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

int VirtualMouseHub::AddListener(EventListener listener) {
  std::lock_guard<std::recursive_mutex> lock(listenerMutex_);
  const int id = nextListener_++;
  listeners_[id] = std::move(listener);
  return id;
}

void VirtualMouseHub::RemoveListener(int id) {
  std::lock_guard<std::recursive_mutex> lock(listenerMutex_);
  listeners_.erase(id);
}

void VirtualMouseHub::SetTraceSink(TraceSink sink) {
  std::lock_guard<std::mutex> lock(mutex_);
  trace_ = std::move(sink);
}

}  // namespace korvex::sim
