#include "sim/InProcessBackend.h"

#include <thread>

#include "transport/ReportDescriptor.h"

namespace korvex::sim {
namespace {

class InProcessDevice : public HidDevice {
 public:
  InProcessDevice(std::shared_ptr<VirtualMouseHub> hub, VirtualMouseHub::Handle handle,
                  std::string product, ReportDescriptor descriptor)
      : hub_(std::move(hub)),
        handle_(handle),
        product_(std::move(product)),
        descriptor_(std::move(descriptor)) {}
  ~InProcessDevice() override { hub_->Close(handle_); }

  int Write(const std::uint8_t* data, std::size_t length) override {
    // The host side pads, as the real backend does from the descriptor.
    descriptor_.PadOutput(data, length, padded_);
    SimClock::time_point returnAt;
    const int n = hub_->Write(handle_, data, length, &returnAt);
    // The endpoint takes one report a frame: wait until it has room.
    if (n > 0) std::this_thread::sleep_until(returnAt);
    return n;
  }

  int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    return hub_->Read(handle_, buffer, length, timeoutMs);
  }

  std::string ProductString() override { return product_; }
  int InputFd() override { return hub_->ReadyFd(handle_); }
  int InputReadyInMs() override { return hub_->ReadyInMs(handle_); }

 private:
  std::shared_ptr<VirtualMouseHub> hub_;
  VirtualMouseHub::Handle handle_;
  std::string product_;
  ReportDescriptor descriptor_;
  std::vector<std::uint8_t> padded_;
};

}  // namespace

InProcessBackend::InProcessBackend(std::shared_ptr<VirtualMouseHub> hub) : hub_(std::move(hub)) {
  listener_ = hub_->AddListener([this](const HidDeviceEvent& e) { pump_.Post(e); });
}

InProcessBackend::~InProcessBackend() { hub_->RemoveListener(listener_); }

std::vector<HidInterfaceInfo> InProcessBackend::Enumerate() { return hub_->Enumerate(); }

std::unique_ptr<HidDevice> InProcessBackend::Open(const std::string& path) {
  std::string product;
  std::vector<std::uint8_t> descriptor;
  const VirtualMouseHub::Handle h = hub_->Open(path, &product, &descriptor);
  if (h == 0) return nullptr;
  return std::make_unique<InProcessDevice>(hub_, h, std::move(product),
                                           ReportDescriptor::Parse(descriptor));
}

bool InProcessBackend::SetEventSink(EventSink sink) {
  pump_.SetSink(std::move(sink));
  return true;
}

}  // namespace korvex::sim
