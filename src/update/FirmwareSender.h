#pragma once
// Sends a firmware image to the mouse's update interface: the start report,
// the data reports (three 16-byte blocks each, the rest in the last) and the
// end report, one report in flight.
//
// The update interface answers each report with report 5 whose byte 1 is 0
// when it took the report. A write that went out is not proof that the mouse
// took it, so the answers are read as they arrive: a refusal stops the data,
// and the transfer counts as installed only when the end report was not
// refused.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "protocol/FirmwareReport.h"

namespace korvex {

class HidDeviceManager;

// Progress of the transfer: interface text and percentage.
using FirmwareProgress = std::function<void(int textId, int percent)>;
// Sleeps ms milliseconds.
using FirmwareSleep = std::function<void(int ms)>;

enum class FirmwareOutcome {
  kInstalled,     // every report taken, the end report accepted
  kNoInterface,   // no update interface open
  kStartRefused,  // nothing was sent after the start report
  kDataRefused,   // the transfer stopped at a data report; no end report was sent
  kEndRefused,    // the data went through but the end report was refused
  kImageTooLarge, // more blocks than 16-bit numbers can count; nothing sent
};

const char* FirmwareOutcomeName(FirmwareOutcome outcome);

class FirmwareSender {
 public:
  static constexpr int kTextSending = 592;
  static constexpr int kAnswerTimeoutMs = 1000;

  explicit FirmwareSender(HidDeviceManager& hid, FirmwareSleep sleep = {});

  // One report on the update handle. Accepted when the write went out, or,
  // when it did not, when a second write after 3 ms is answered within
  // 1000 ms (read after 5 ms); in both cases only while the interface has not
  // answered with a refusal. Refused without an update handle.
  bool SendReport(const FirmwareReport& report);

  // The data reports of the image, 10 ms apart after the first two,
  // reporting text 592 with the share sent (10 to 100). Stops at the first
  // refused report; true when all were accepted. An empty image sends nothing.
  bool SendFirmware(const std::uint8_t* image, std::size_t length, const FirmwareProgress& progress = {});

  // Start, data and end. The data follows once the start report was
  // answered without a refusal; the end report only follows data that went
  // through completely, and its answer is waited for. Each wait is 1000 ms
  // at most.
  FirmwareOutcome Transfer(const std::uint8_t* image, std::size_t length, const FirmwareProgress& progress = {});

  // Data reports written by the last transfer, a refused one included.
  int ReportsSent() const { return sent_; }

 private:
  void DrainAnswers(int timeoutMs);
  bool Inspect(const std::uint8_t* answer, int length);
  // The answer to the start or end report (byte 2 its kind), 1000 ms at
  // most; false when a refusal came. An interface that does not answer
  // has taken what was written.
  void Await(std::uint8_t kind);
  bool AwaitAnswer();

  HidDeviceManager& hid_;
  FirmwareSleep sleep_;
  bool refused_ = false;
  std::uint8_t awaitedKind_ = 0;
  bool awaitedSeen_ = false;
  int sent_ = 0;
};

}  // namespace korvex
