#include "transport/virtual/VirtualHidBackend.h"

#include <chrono>
#include <thread>

#include "transport/ReportDescriptor.h"
#include "transport/virtual/VmouseChannel.h"
#include "transport/virtual/VmouseConnection.h"

namespace korvex {
namespace {

using vmouse::MessageType;
using vmouse::VmouseConnection;
using vmouse::WireMessage;

// One opened interface on a connection of its own, so its writes and reads
// are answered straight to the calling thread; closing the connection closes
// the handle in the daemon.
class VirtualHidDevice : public HidDevice {
 public:
  VirtualHidDevice(std::unique_ptr<vmouse::VmouseChannel> channel, std::uint64_t handle,
                   std::string product, ReportDescriptor descriptor)
      : channel_(std::move(channel)),
        handle_(handle),
        product_(std::move(product)),
        descriptor_(std::move(descriptor)) {}

  int Write(const std::uint8_t* data, std::size_t length) override {
    descriptor_.PadOutput(data, length, padded_);
    if (!data || length == 0 || length > vmouse::kMaxMessageLength / 2) return -1;
    WireMessage m, reply;
    m.type = MessageType::Write;
    m.handle = handle_;
    m.bytes.assign(data, data + length);
    if (!channel_->Request(std::move(m), reply, VirtualHidBackend::kRequestTimeoutMs) ||
        reply.type != MessageType::Written)
      return -1;
    // The endpoint takes one report a frame; the daemon says when this one
    // has room. Both ends share the machine's monotonic clock.
    if (reply.value > 0) {
      const std::chrono::steady_clock::time_point room{std::chrono::nanoseconds(reply.time)};
      std::this_thread::sleep_until(room);
    }
    return reply.value;
  }

  int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    return channel_->ReadInput(buffer, length, timeoutMs);
  }

  std::string ProductString() override { return product_; }
  int InputFd() override { return channel_->Fd(); }
  int InputReadyInMs() override { return channel_->InputReadyInMs(); }

 private:
  std::unique_ptr<vmouse::VmouseChannel> channel_;
  std::uint64_t handle_;
  std::string product_;
  ReportDescriptor descriptor_;
  std::vector<std::uint8_t> padded_;
};

}  // namespace

VirtualHidBackend::VirtualHidBackend(std::string socketPath) : socketPath_(std::move(socketPath)) {}

VirtualHidBackend::~VirtualHidBackend() {
  std::shared_ptr<VmouseConnection> c;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    c = connection_;
  }
  if (c) c->SetEventCallback(nullptr);
  pump_->SetSink(nullptr);
}

std::shared_ptr<VmouseConnection> VirtualHidBackend::Connection() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (connection_ && connection_->Connected()) return connection_;
  connection_ = VmouseConnection::Connect(socketPath_);
  if (!connection_) return nullptr;
  connection_->SetEventCallback([pump = pump_](const HidDeviceEvent& e) { pump->Post(e); });
  if (watching_) {
    WireMessage watch;
    watch.type = MessageType::Watch;
    watch.value = 1;
    connection_->Send(watch);
  }
  return connection_;
}

bool VirtualHidBackend::Connect() { return Connection() != nullptr; }

std::vector<HidInterfaceInfo> VirtualHidBackend::Enumerate() {
  const auto c = Connection();
  WireMessage request, reply;
  request.type = MessageType::Enumerate;
  if (!c || !c->Request(std::move(request), reply, kRequestTimeoutMs) ||
      reply.type != MessageType::Interfaces)
    return {};
  return std::move(reply.interfaces);
}

std::unique_ptr<HidDevice> VirtualHidBackend::Open(const std::string& path) {
  auto channel = vmouse::VmouseChannel::Connect(socketPath_);
  WireMessage request, reply;
  request.type = MessageType::Open;
  request.texts.push_back(path);
  if (!channel || !channel->Request(std::move(request), reply, kRequestTimeoutMs) ||
      reply.type != MessageType::Opened || reply.handle == 0)
    return nullptr;
  std::string product = reply.texts.empty() ? std::string() : reply.texts[0];
  return std::make_unique<VirtualHidDevice>(std::move(channel), reply.handle, std::move(product),
                                            ReportDescriptor::Parse(reply.bytes));
}

bool VirtualHidBackend::SetEventSink(EventSink sink) {
  const bool on = static_cast<bool>(sink);
  pump_->SetSink(std::move(sink));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    watching_ = on;
  }
  const auto c = Connection();
  if (!c) return false;
  WireMessage watch;
  watch.type = MessageType::Watch;
  watch.value = on ? 1 : 0;
  return c->Send(watch);
}

}  // namespace korvex
