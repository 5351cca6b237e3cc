#include "update/FirmwareSender.h"

#include <chrono>
#include <thread>

#include "transport/HidDeviceManager.h"

namespace korvex {
namespace {

constexpr std::uint8_t kAnswerId = 0x05;
constexpr std::uint8_t kStartKind = 0x01;
constexpr std::uint8_t kEndKind = 0x02;
constexpr std::size_t kAnswerLength = 64;
constexpr int kProgressBase = 10;
constexpr int kProgressPerReport = 90;

void SleepFor(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

const char* FirmwareOutcomeName(FirmwareOutcome outcome) {
  switch (outcome) {
    case FirmwareOutcome::kInstalled: return "installed";
    case FirmwareOutcome::kNoInterface: return "no update interface";
    case FirmwareOutcome::kStartRefused: return "start refused";
    case FirmwareOutcome::kDataRefused: return "data refused";
    case FirmwareOutcome::kEndRefused: return "end refused";
    case FirmwareOutcome::kImageTooLarge: return "image too large";
  }
  return "?";
}

FirmwareSender::FirmwareSender(HidDeviceManager& hid, FirmwareSleep sleep)
    : hid_(hid), sleep_(sleep ? std::move(sleep) : FirmwareSleep(SleepFor)) {}

void FirmwareSender::Await(std::uint8_t kind) {
  awaitedKind_ = kind;
  awaitedSeen_ = false;
}

bool FirmwareSender::Inspect(const std::uint8_t* answer, int length) {
  if (length < 3 || answer[0] != kAnswerId) return false;
  if (answer[1] != 0) refused_ = true;
  if (answer[2] == awaitedKind_) awaitedSeen_ = true;
  return true;
}

void FirmwareSender::DrainAnswers(int timeoutMs) {
  std::uint8_t answer[kAnswerLength];
  for (;;) {
    const int n = hid_.UpdateRead(answer, sizeof answer, timeoutMs);
    if (n <= 0) return;
    Inspect(answer, n);
    timeoutMs = 0;
  }
}

bool FirmwareSender::SendReport(const FirmwareReport& report) {
  if (!hid_.HasUpdateInterface()) return false;
  if (hid_.UpdateWrite(report.data(), report.bytes.size()) > 0) {
    DrainAnswers(0);
    return !refused_;
  }
  sleep_(3);
  hid_.UpdateWrite(report.data(), report.bytes.size());
  sleep_(5);
  std::uint8_t answer[kAnswerLength];
  const int n = hid_.UpdateRead(answer, sizeof answer, kAnswerTimeoutMs);
  if (n <= 0) return false;
  Inspect(answer, n);
  DrainAnswers(0);
  return !refused_;
}

bool FirmwareSender::SendFirmware(const std::uint8_t* image, std::size_t length, const FirmwareProgress& progress) {
  sent_ = 0;
  if (image == nullptr || length == 0) return true;
  const std::size_t fullReports = length / FirmwareReport::kMaxData;
  int block = 0;
  int accumulated = 0;
  int lastPercent = -1;
  std::size_t at = 0;
  while (length - at >= FirmwareReport::kMaxData) {
    FirmwareReport report;
    if (!FirmwareReport::Data(block, image + at, FirmwareReport::kMaxData, report)) return false;
    const bool accepted = SendReport(report);
    ++sent_;
    if (!accepted) return false;
    if (sent_ <= 2) sleep_(10);
    block += 3;
    accumulated += kProgressPerReport;
    at += FirmwareReport::kMaxData;
    const int percent = accumulated / static_cast<int>(fullReports) + kProgressBase;
    // One step per percent: the window does not need 1,300 identical texts.
    if (progress && percent != lastPercent) progress(kTextSending, percent);
    lastPercent = percent;
  }
  if (at == length) return true;
  FirmwareReport last;
  if (!FirmwareReport::Data(block, image + at, length - at, last)) return false;
  ++sent_;
  return SendReport(last);
}

bool FirmwareSender::AwaitAnswer() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnswerTimeoutMs);
  std::uint8_t answer[kAnswerLength];
  while (!awaitedSeen_ && !refused_) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    const int n = hid_.UpdateRead(answer, sizeof answer, static_cast<int>(left.count()));
    if (n < 0) break;
    if (n > 0) Inspect(answer, n);
  }
  // An interface that never answers has taken what was written.
  return !refused_;
}

FirmwareOutcome FirmwareSender::Transfer(const std::uint8_t* image, std::size_t length,
                                         const FirmwareProgress& progress) {
  refused_ = false;
  sent_ = 0;
  const std::size_t blocks = (length + FirmwareReport::kBlockData - 1) / FirmwareReport::kBlockData;
  if (blocks > static_cast<std::size_t>(FirmwareReport::kMaxBlockNumber) + 1) return FirmwareOutcome::kImageTooLarge;
  if (!hid_.HasUpdateInterface()) return FirmwareOutcome::kNoInterface;
  // Answers left over from an earlier transfer say nothing about this one.
  DrainAnswers(0);
  refused_ = false;
  // The mouse may refuse to enter its update mode: no data before it said yes.
  Await(kStartKind);
  if (!SendReport(FirmwareReport::Start()) || !AwaitAnswer()) return FirmwareOutcome::kStartRefused;
  // A transfer that stopped part-way gets no end report: the end report
  // makes the mouse take the image it holds, and a mouse that did not see
  // the refusal (an answer lost, a write that timed out) would take a
  // truncated one. Without it the mouse keeps its old firmware.
  if (!SendFirmware(image, length, progress)) return FirmwareOutcome::kDataRefused;
  Await(kEndKind);
  if (!SendReport(FirmwareReport::End()) || !AwaitAnswer()) return FirmwareOutcome::kEndRefused;
  return FirmwareOutcome::kInstalled;
}

}  // namespace korvex
