#include "transport/ReportIo.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "transport/HidInterfaceEntry.h"

namespace korvex {

bool AwaitAcknowledgement(HidDevice& device, std::uint8_t* report, std::size_t length) {
  using Clock = std::chrono::steady_clock;
  ReportBuffer scratch{};
  length = std::min(length, scratch.size());
  // The attempts bound the wait only while each read returns on time; the
  // deadline keeps the whole wait at 1.5 s on a busy machine as well.
  const auto deadline = Clock::now() + std::chrono::milliseconds(kAckAttempts * kAckTimeoutMs);
  for (int attempt = 0; attempt < kAckAttempts; ++attempt) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    const int timeout = static_cast<int>(std::min<long long>(left, kAckTimeoutMs));
    const int count = device.Read(scratch.data(), length, timeout);
    if (count <= 0) continue;
    // Keep exactly what this report carried: a short reply must not leave
    // bytes of an older report (or of the request) behind for the caller.
    const std::size_t got = std::min(static_cast<std::size_t>(count), length);
    std::memcpy(report, scratch.data(), got);
    std::memset(report + got, 0, length - got);
    // A report too short to carry byte 1 acknowledges nothing.
    if (got >= 2 && report[1] == 0x00) return true;
  }
  return false;
}

int ReadOneReport(HidDevice& device, std::uint8_t* report, std::size_t length,
                  int timeoutMs) {
  std::memset(report, 0, length);
  const int count = device.Read(report, length, timeoutMs);
  if (count <= 0) {
    std::memset(report, 0, length);  // an error may have left partial bytes
    return 0;
  }
  return static_cast<int>(std::min(static_cast<std::size_t>(count), length));
}

}  // namespace korvex
