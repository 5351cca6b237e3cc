#include "transport/virtual/VmouseChannel.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "transport/virtual/UnixSocket.h"

namespace korvex::vmouse {
namespace {

constexpr std::size_t kInputLimit = 256;

}  // namespace

std::unique_ptr<VmouseChannel> VmouseChannel::Connect(const std::string& path) {
  const int fd = ConnectUnixSocket(path);
  if (fd < 0) return nullptr;
  return std::unique_ptr<VmouseChannel>(new VmouseChannel(fd));
}

VmouseChannel::~VmouseChannel() { ::close(fd_); }

template <typename Done>
bool VmouseChannel::Await(std::unique_lock<std::mutex>& lock, Clock::time_point deadline,
                          Done done) {
  while (!done()) {
    if (broken_ || Clock::now() >= deadline) return false;
    if (reading_) {
      cv_.wait_until(lock, deadline);  // the reader hands out what it finds
    } else {
      ReadSocket(lock, deadline);
    }
  }
  return true;
}

void VmouseChannel::ReadSocket(std::unique_lock<std::mutex>& lock, Clock::time_point deadline) {
  reading_ = true;
  lock.unlock();
  pollfd p{fd_, POLLIN, 0};
  timespec wait{};
  timespec* timeout = nullptr;
  if (deadline != Clock::time_point::max()) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
    const long long left = std::max<long long>(0, ns.count());
    wait.tv_sec = static_cast<time_t>(left / 1000000000);
    wait.tv_nsec = static_cast<long>(left % 1000000000);
    timeout = &wait;
  }
  std::uint8_t buffer[16 * 1024];
  ssize_t n = 0;
  bool failed = false;
  const int ready = ::ppoll(&p, 1, timeout, nullptr);
  if (ready > 0) {
    n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    failed = n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR);
  } else if (ready < 0 && errno != EINTR) {
    failed = true;
  }
  lock.lock();
  reading_ = false;
  if (n > 0) {
    framer_.Feed(buffer, static_cast<std::size_t>(n));
    WireMessage m;
    WireFramer::Result r;
    while ((r = framer_.Next(m)) == WireFramer::Result::Message) Dispatch(m);
    if (r == WireFramer::Result::Broken) failed = true;  // the daemon is out of step
  }
  if (failed) broken_ = true;
  cv_.notify_all();
}

void VmouseChannel::Dispatch(WireMessage& m) {
  switch (m.type) {
    case MessageType::Input:
      inputs_.push_back(Pending{Clock::time_point{std::chrono::nanoseconds(m.time)}, std::move(m.bytes)});
      if (inputs_.size() > kInputLimit) inputs_.pop_front();
      break;
    case MessageType::Gone: gone_ = true; break;
    default:
      if (auto it = waiting_.find(m.id); it != waiting_.end()) it->second = std::move(m);
      break;
  }
}

bool VmouseChannel::Request(WireMessage request, WireMessage& reply, int timeoutMs) {
  std::vector<std::uint8_t> bytes;
  std::unique_lock<std::mutex> lock(mutex_);
  request.id = nextId_++;
  if (nextId_ == 0) nextId_ = 1;
  const std::uint32_t id = request.id;
  if (broken_ || !EncodeMessage(request, bytes)) return false;
  waiting_[id];
  lock.unlock();
  bool sent;
  {
    std::lock_guard<std::mutex> sendLock(sendMutex_);
    sent = SendAll(fd_, bytes.data(), bytes.size());
  }
  lock.lock();
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  if (sent) Await(lock, deadline, [&] { return waiting_[id].has_value(); });
  std::optional<WireMessage> answer = std::move(waiting_[id]);
  waiting_.erase(id);
  if (!answer || answer->type == MessageType::Error) return false;
  reply = std::move(*answer);
  return true;
}

int VmouseChannel::ReadInput(std::uint8_t* buffer, std::size_t length, int timeoutMs) {
  if (!buffer) return -1;
  const auto deadline = timeoutMs < 0 ? Clock::time_point::max()
                                      : Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (gone_ || broken_) return -1;
    const auto now = Clock::now();
    if (!inputs_.empty() && inputs_.front().due <= now) {
      const auto& report = inputs_.front().bytes;
      const std::size_t n = std::min(length, report.size());
      std::copy(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(n), buffer);
      inputs_.pop_front();
      return static_cast<int>(n);
    }
    if (now >= deadline) return 0;
    // Keep reading while a report waits for its frame: the interface may go
    // away first, and then the report never arrives.
    const auto wake = inputs_.empty() ? deadline : std::min(deadline, inputs_.front().due);
    Await(lock, wake, [&] {
      return gone_ || (!inputs_.empty() && inputs_.front().due <= Clock::now());
    });
  }
}

}  // namespace korvex::vmouse

namespace korvex::vmouse {

int VmouseChannel::InputReadyInMs() {
  std::unique_lock<std::mutex> lock(mutex_);
  // Another caller reading the socket hands out what it finds itself.
  if (!reading_ && !broken_) ReadSocket(lock, Clock::now());
  if (gone_ || broken_ || inputs_.empty()) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(inputs_.front().due - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace korvex::vmouse
