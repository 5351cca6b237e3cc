#include "transport/ReportIo.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

namespace korvex {
namespace {

bool IsUnsolicited(std::uint8_t type) {
  return type == kStatusReportType || type == kDpiChangeReportType;
}

void Hand(const UnsolicitedSink& sink, const std::uint8_t* bytes, std::size_t length) {
  if (!sink) return;
  ReportBuffer copy{};
  std::memcpy(copy.data(), bytes, std::min(length, copy.size()));
  sink(copy);
}

}  // namespace

bool IsCatalogueCommand(std::uint8_t byte) {
  // The write commands 0x02 to 0x09 and 0x0C to 0x0F, the reads 0x10 to
  // 0x17 and the receiver's 0x20; the transport keeps its own list because
  // it sits below the protocol layer.
  return (byte >= 0x02 && byte <= 0x09) || (byte >= 0x0C && byte <= 0x17) || byte == 0x20;
}

bool AwaitAcknowledgement(HidDevice& device, std::uint8_t* report, std::size_t length,
                          std::uint8_t command, const UnsolicitedSink& unsolicited,
                          AckOutcome* outcome, const std::atomic<bool>* interrupted) {
  using Clock = std::chrono::steady_clock;
  ReportBuffer scratch{};
  length = std::min(length, scratch.size());
  if (outcome) *outcome = AckOutcome::Silent;
  // The attempts bound the wait only while each read returns on time; the
  // deadline keeps the whole wait at 1.5 s on a busy machine as well.
  const auto deadline = Clock::now() + std::chrono::milliseconds(kAckAttempts * kAckTimeoutMs);
  for (int attempt = 0; attempt < kAckAttempts; ++attempt) {
    if (interrupted && interrupted->load()) break;
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    const int timeout = static_cast<int>(std::min<long long>(left, kAckTimeoutMs));
    scratch.fill(0);
    const int count = device.Read(scratch.data(), length, timeout);
    if (count <= 0) continue;
    const std::size_t got = std::min(static_cast<std::size_t>(count), length);
    if (IsUnsolicited(scratch[0])) {
      Hand(unsolicited, scratch.data(), got);
      continue;
    }
    // The answer to an earlier request that was given up on: taking it
    // would pair its data with this request.
    if (scratch[0] != command && IsCatalogueCommand(scratch[0])) continue;
    // Keep exactly what this report carried: a short reply must not leave
    // bytes of an older report (or of the request) behind for the caller.
    std::memcpy(report, scratch.data(), got);
    std::memset(report + got, 0, length - got);
    // A report too short to carry byte 1 acknowledges nothing.
    if (got >= 2 && report[1] == 0x00) {
      if (outcome) *outcome = AckOutcome::Acknowledged;
      return true;
    }
    if (outcome && got >= 2) *outcome = AckOutcome::Refused;
  }
  return false;
}

void DrainWaitingReports(HidDevice& device, const UnsolicitedSink& unsolicited) {
  ReportBuffer scratch{};
  for (int i = 0; i < kDrainLimit; ++i) {
    scratch.fill(0);
    const int count = device.Read(scratch.data(), scratch.size(), 0);
    if (count <= 0) return;
    if (IsUnsolicited(scratch[0])) Hand(unsolicited, scratch.data(), static_cast<std::size_t>(count));
  }
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

namespace korvex {

InputWait WaitForInput(const std::vector<HidDevice*>& devices, int wakeFd, int timeoutMs,
                       std::vector<const HidDevice*>& failed) {
  using Clock = std::chrono::steady_clock;
  const bool bounded = timeoutMs >= 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(bounded ? timeoutMs : 0);
  std::vector<pollfd> fds;
  for (;;) {
    fds.assign(1, pollfd{wakeFd, POLLIN, 0});
    std::optional<Clock::time_point> until;
    if (bounded) until = deadline;
    for (HidDevice* device : devices) {
      const int fd = device->InputFd();
      if (fd < 0) return InputWait::kCannotWait;
      const int readyIn = device->InputReadyInMs();
      if (readyIn == 0) return InputWait::kInput;
      if (readyIn > 0) {
        const auto due = Clock::now() + std::chrono::milliseconds(readyIn);
        if (!until || due < *until) until = due;
      }
      fds.push_back(pollfd{fd, POLLIN, 0});
    }
    int waitMs = -1;
    if (until) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*until - Clock::now()).count();
      waitMs = left > 0 ? static_cast<int>(left) : 0;
    }
    const int ready = ::poll(fds.data(), fds.size(), waitMs);
    if (ready < 0 && errno != EINTR) return InputWait::kCannotWait;
    if (fds[0].revents != 0) return InputWait::kWoken;
    for (std::size_t i = 1; i < fds.size(); ++i) {
      if (fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) failed.push_back(devices[i - 1]);
    }
    if (!failed.empty()) return InputWait::kInput;
    // Readable descriptors and due reports are sorted out at the top.
    if (bounded && Clock::now() >= deadline) return InputWait::kTimedOut;
  }
}

}  // namespace korvex
