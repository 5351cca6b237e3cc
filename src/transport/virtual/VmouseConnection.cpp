#include "transport/virtual/VmouseConnection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "transport/virtual/UnixSocket.h"
#include "transport/virtual/WireFramer.h"

namespace korvex::vmouse {
namespace {

constexpr std::size_t kHandleQueueLimit = 256;

}  // namespace

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

int VmouseConnection::ReadInput(std::uint64_t handle, std::uint8_t* buffer, std::size_t length,
                                int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  if (!buffer) return -1;
  const auto deadline = timeoutMs < 0 ? Clock::time_point::max()
                                      : Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    const auto it = handles_.find(handle);
    if (it == handles_.end() || it->second.gone) return -1;
    auto& q = it->second.reports;
    const auto now = Clock::now();
    if (!q.empty() && q.front().due <= now) {
      const auto& report = q.front().bytes;
      const std::size_t n = std::min(length, report.size());
      std::copy(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(n), buffer);
      q.pop_front();
      return static_cast<int>(n);
    }
    if (now >= deadline) return 0;
    const auto wake = q.empty() ? deadline : std::min(deadline, q.front().due);
    if (wake == Clock::time_point::max()) {
      cv_.wait(lock);
    } else {
      cv_.wait_until(lock, wake);
    }
  }
}

void VmouseConnection::ForgetHandle(std::uint64_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  handles_.erase(handle);
  cv_.notify_all();
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
  for (auto& [h, q] : handles_) q.gone = true;
  cv_.notify_all();
}

void VmouseConnection::Dispatch(WireMessage& m) {
  std::unique_lock<std::mutex> lock(mutex_);
  switch (m.type) {
    case MessageType::Input: {
      const auto it = handles_.find(m.handle);
      if (it == handles_.end()) return;
      const std::chrono::steady_clock::time_point due{std::chrono::nanoseconds(m.time)};
      it->second.reports.push_back(Pending{due, std::move(m.bytes)});
      if (it->second.reports.size() > kHandleQueueLimit) it->second.reports.pop_front();
      break;
    }
    case MessageType::Gone:
      if (const auto it = handles_.find(m.handle); it != handles_.end()) it->second.gone = true;
      break;
    case MessageType::Event: {
      const EventCallback callback = onEvent_;
      lock.unlock();
      if (callback) callback(m.event);
      return;
    }
    default: {
      // Register the handle before anyone can be told about it, so input
      // that follows the answer immediately is kept.
      if (m.type == MessageType::Opened && m.handle != 0) handles_[m.handle];
      const auto it = waiting_.find(m.id);
      if (it != waiting_.end()) it->second = std::move(m);
      break;
    }
  }
  cv_.notify_all();
}

}  // namespace korvex::vmouse
