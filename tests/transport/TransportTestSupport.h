#pragma once
// Shared rig of the transport tests: a device manager over the in-process
// virtual mouse, the shipped model records, a trace of what was written, and
// backend decorators that inject faults the virtual mouse does not have.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "transport/HidDeviceManager.h"

namespace korvex::test {

// The model records of data/config.xml. `typeBase` replaces the thousands of
// the model types (1001, 1002, 1003) so tests of the notification poll can
// use types it polls.
inline void AddShippedRecords(HidDeviceManager& manager, int typeBase = 1000) {
  const auto t = [typeBase](int n) { return static_cast<std::uint32_t>(typeBase + n); };
  manager.AddSupportedDevice({0x1209, 0x0001, t(1), 0, "K1WD"});
  manager.AddSupportedDevice({0x1209, 0x0002, t(2), 0, "K3WL"});
  manager.AddSupportedDevice({0x1209, 0x0003, t(2), 1, "K3WL"});
  manager.AddSupportedDevice({0x1209, 0x0004, t(3), 0, "K5PR"});
  manager.AddSupportedDevice({0x1209, 0x0003, t(3), 1, "K5PR"});
  manager.AddSupportedDevice({0x1209, 0x0005, 101, 0, ""});
}

// Counts (and keeps) the reports written to the virtual devices.
class WireLog {
 public:
  void Attach(sim::VirtualMouseHub& hub) {
    hub.SetTraceSink([this](const sim::TraceRecord& r) {
      if (!r.out) return;
      std::lock_guard<std::mutex> lock(mutex_);
      written_.push_back(r);
    });
  }
  std::vector<sim::TraceRecord> Written() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return written_;
  }
  std::size_t Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return written_.size();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<sim::TraceRecord> written_;
};

// A hub, a manager over it and the wire log.
struct Rig {
  explicit Rig(const std::string& devices, int typeBase = 1000)
      : hub(std::make_shared<sim::VirtualMouseHub>(devices)),
        manager(std::make_unique<sim::InProcessBackend>(hub)) {
    wire.Attach(*hub);
    AddShippedRecords(manager, typeBase);
  }
  // Enumerates as the device refresh does and makes `type` current.
  void Open(int type) {
    manager.CloseAll();
    manager.Enumerate();
    manager.SetOpened(true);
    manager.SetCurrentDeviceType(type);
  }

  std::shared_ptr<sim::VirtualMouseHub> hub;
  HidDeviceManager manager;
  WireLog wire;
};

// Read request with only the command byte set.
inline ReportFrame ReadRequest(std::uint8_t command) {
  ReportFrame frame;
  frame[1] = command;
  return frame;
}

// Wraps devices of another backend so a test can replace reads, writes or
// product strings; whatever is not replaced goes to the real device.
struct DeviceFaults {
  std::function<int(HidDevice&, std::uint8_t*, std::size_t, int)> read;
  std::function<int(HidDevice&, const std::uint8_t*, std::size_t)> write;
  std::function<std::string(HidDevice&)> product;
  std::atomic<int> reads{0};
  std::atomic<int> writes{0};
};

class FaultyDevice : public HidDevice {
 public:
  FaultyDevice(std::unique_ptr<HidDevice> inner, std::shared_ptr<DeviceFaults> faults)
      : inner_(std::move(inner)), faults_(std::move(faults)) {}
  int Write(const std::uint8_t* data, std::size_t length) override {
    ++faults_->writes;
    return faults_->write ? faults_->write(*inner_, data, length) : inner_->Write(data, length);
  }
  int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    ++faults_->reads;
    return faults_->read ? faults_->read(*inner_, buffer, length, timeoutMs)
                         : inner_->Read(buffer, length, timeoutMs);
  }
  std::string ProductString() override {
    return faults_->product ? faults_->product(*inner_) : inner_->ProductString();
  }

 private:
  std::unique_ptr<HidDevice> inner_;
  std::shared_ptr<DeviceFaults> faults_;
};

// A backend whose interface list and devices can be doctored.
class FaultyBackend : public HidBackend {
 public:
  FaultyBackend(std::unique_ptr<HidBackend> inner, std::shared_ptr<DeviceFaults> faults)
      : inner_(std::move(inner)), faults_(std::move(faults)) {}

  // Rewrites the listing; `open` maps a listed path back to a real one.
  std::function<void(std::vector<HidInterfaceInfo>&)> doctorList;
  std::function<std::string(const std::string&)> realPath;

  std::vector<HidInterfaceInfo> Enumerate() override {
    auto list = inner_->Enumerate();
    if (doctorList) doctorList(list);
    return list;
  }
  std::unique_ptr<HidDevice> Open(const std::string& path) override {
    auto device = inner_->Open(realPath ? realPath(path) : path);
    if (!device) return nullptr;
    return std::make_unique<FaultyDevice>(std::move(device), faults_);
  }
  bool SetEventSink(EventSink sink) override { return inner_->SetEventSink(std::move(sink)); }

 private:
  std::unique_ptr<HidBackend> inner_;
  std::shared_ptr<DeviceFaults> faults_;
};

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace korvex::test
