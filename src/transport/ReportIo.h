#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "transport/HidBackend.h"
#include "transport/HidInterfaceEntry.h"

namespace korvex {

// Timing of the acknowledgement wait: 50 reads of at most 30 ms, so a device
// has 1.5 s to answer.
inline constexpr int kAckAttempts = 50;
inline constexpr int kAckTimeoutMs = 30;
// Per-interface wait of one notification poll.
inline constexpr int kPollTimeoutMs = 10;
// Pause before the second device-information query.
inline constexpr int kQueryRetryDelayMs = 500;
// At most this many waiting reports are cleared before a write.
inline constexpr int kDrainLimit = 64;

// Unsolicited reports: connection status and DPI-stage change.
inline constexpr std::uint8_t kStatusReportType = 0xC0;
inline constexpr std::uint8_t kDpiChangeReportType = 0xC2;

// Receives unsolicited reports met while an exchange waits.
using UnsolicitedSink = std::function<void(const ReportBuffer&)>;

// How the last wait ended.
enum class AckOutcome { Acknowledged, Refused, Silent };

// Whether byte 0 of a reply names a command of the mouse's catalogue. A
// reply whose byte 0 names another command than the request answers an
// earlier request that timed out.
bool IsCatalogueCommand(std::uint8_t byte);

// Reads into `report` (length bytes) until a reply acknowledges (byte 1 = 0)
// or the attempts or the 1.5 s are used up. Time-outs, refusals and read
// errors (-1) each count as one attempt. A reply whose byte 0 names another
// catalogue command than `command` is a late answer to an earlier request
// and is dropped; status and DPI-change reports go to `unsolicited`. Any
// other byte 0 is accepted. `report` ends up holding the last reply kept,
// zero after its end, or stays as it was when none was kept. Once
// `*interrupted` is set the wait gives up before its next read.
bool AwaitAcknowledgement(HidDevice& device, std::uint8_t* report, std::size_t length,
                          std::uint8_t command, const UnsolicitedSink& unsolicited,
                          AckOutcome* outcome = nullptr, const std::atomic<bool>* interrupted = nullptr);

// Clears the reports already waiting on `device` (at most kDrainLimit), so
// that a reply read after the next write answers that write. Unsolicited
// ones go to `unsolicited`.
void DrainWaitingReports(HidDevice& device, const UnsolicitedSink& unsolicited);

enum class InputWait { kInput, kWoken, kTimedOut, kCannotWait };
// Sleeps until one of `devices` has input (kInput), `wakeFd` turns readable
// (kWoken; it is not read) or timeoutMs passes (negative: no bound). A device
// without an input descriptor makes it return kCannotWait at once; devices
// whose descriptor reports an error are added to `failed` (and the wait
// returns kInput so the caller's read finds out what happened).
InputWait WaitForInput(const std::vector<HidDevice*>& devices, int wakeFd, int timeoutMs,
                       std::vector<const HidDevice*>& failed);

// One read of at most `length` bytes into `report` (cleared first).
// Returns the byte count, 0 when nothing came (time-out or error).
int ReadOneReport(HidDevice& device, std::uint8_t* report, std::size_t length,
                  int timeoutMs);

}  // namespace korvex
