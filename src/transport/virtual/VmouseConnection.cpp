#include "transport/virtual/VmouseConnection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "transport/virtual/UnixSocket.h"
#include "transport/virtual/WireFramer.h"

namespace korvex::vmouse {
std::shared_ptr<VmouseConnection> VmouseConnection::Connect(const std::string& path) {
  const int fd = ConnectUnixSocket(path);
  if (fd < 0) return nullptr;
  std::shared_ptr<VmouseConnection> c(new VmouseConnection(fd));
  c->reader_ = std::thread([raw = c.get()] { raw->ReaderLoop(); });
  return c;
}

VmouseConnection::VmouseConnection(int fd) : fd_(fd) {}

VmouseConnection::~VmouseConnection() {
  ::shutdown(fd_, SHUT_RDWR);  // wakes the reader's recv
  if (reader_.joinable()) reader_.join();
  ::close(fd_);
}

bool VmouseConnection::Connected() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return connected_;
}

void VmouseConnection::SetEventCallback(EventCallback callback) {
  std::lock_guard<std::mutex> lock(mutex_);
  onEvent_ = std::move(callback);
}

bool VmouseConnection::Send(const WireMessage& message) {
  std::vector<std::uint8_t> bytes;
  if (!EncodeMessage(message, bytes)) return false;
  std::lock_guard<std::mutex> lock(sendMutex_);
  return SendAll(fd_, bytes.data(), bytes.size());
}

bool VmouseConnection::Request(WireMessage request, WireMessage& reply, int timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!connected_) return false;
  request.id = nextId_++;
  if (nextId_ == 0) nextId_ = 1;
  const std::uint32_t id = request.id;
  waiting_[id];
  lock.unlock();
  const bool sent = Send(request);
  lock.lock();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  if (sent)
    cv_.wait_until(lock, deadline, [&] { return !connected_ || waiting_[id].has_value(); });
  std::optional<WireMessage> answer = std::move(waiting_[id]);
  waiting_.erase(id);
  if (!answer || answer->type == MessageType::Error) return false;
  reply = std::move(*answer);
  return true;
}

void VmouseConnection::ReaderLoop() {
  WireFramer framer;
  std::vector<std::uint8_t> buffer(16 * 1024);
  for (;;) {
    const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    framer.Feed(buffer.data(), static_cast<std::size_t>(n));
    WireMessage m;
    WireFramer::Result r;
    while ((r = framer.Next(m)) == WireFramer::Result::Message) Dispatch(m);
    if (r == WireFramer::Result::Broken) break;  // the daemon is out of step
  }
  Broken();
}

void VmouseConnection::Broken() {
  std::lock_guard<std::mutex> lock(mutex_);
  connected_ = false;
  cv_.notify_all();
}

void VmouseConnection::Dispatch(WireMessage& m) {
  std::unique_lock<std::mutex> lock(mutex_);
  switch (m.type) {
    case MessageType::Event: {
      const EventCallback callback = onEvent_;
      lock.unlock();
      if (callback) callback(m.event);
      return;
    }
    default: {
      const auto it = waiting_.find(m.id);
      if (it != waiting_.end()) it->second = std::move(m);
      break;
    }
  }
  cv_.notify_all();
}

}  // namespace korvex::vmouse
