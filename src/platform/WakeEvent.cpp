#include "platform/WakeEvent.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

namespace korvex {

WakeEvent::WakeEvent() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeEvent::~WakeEvent() {
  if (fd_ >= 0) ::close(fd_);
}

void WakeEvent::Signal() {
  const std::uint64_t one = 1;
  // A full counter is still set, so a failed write loses nothing.
  [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
}

void WakeEvent::Clear() {
  std::uint64_t value = 0;
  [[maybe_unused]] const ssize_t n = ::read(fd_, &value, sizeof value);
}

bool WakeEvent::Wait(int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    int left = -1;
    if (timeoutMs >= 0) {
      const auto rest = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
      left = rest > 0 ? static_cast<int>(rest) : 0;
    }
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, left);
    if (ready > 0) {
      Clear();
      return true;
    }
    if (ready == 0 || errno != EINTR) return false;
  }
}

}  // namespace korvex
