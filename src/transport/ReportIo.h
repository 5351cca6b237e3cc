#pragma once
#include <cstddef>
#include <cstdint>

#include "transport/HidBackend.h"

namespace korvex {

// Timing of the acknowledgement wait: 50 reads of at most 30 ms, so a device
// has 1.5 s to answer.
inline constexpr int kAckAttempts = 50;
inline constexpr int kAckTimeoutMs = 30;
// Per-interface wait of one notification poll.
inline constexpr int kPollTimeoutMs = 10;
// Slice of that wait after which an interruptible poll checks for other work.
inline constexpr int kPollSliceMs = 2;
// Pause before the second device-information query.
inline constexpr int kQueryRetryDelayMs = 500;

// Reads into `report` (length bytes) until a reply acknowledges (byte 1 = 0)
// or the attempts or the 1.5 s are used up. Time-outs, refusals and read errors (-1) each
// count as one attempt. `report` ends up holding the last report read, zero
// after its end, or stays as it was when nothing was read.
bool AwaitAcknowledgement(HidDevice& device, std::uint8_t* report, std::size_t length);

// One read of at most `length` bytes into `report` (cleared first).
// Returns the byte count, 0 when nothing came (time-out or error).
int ReadOneReport(HidDevice& device, std::uint8_t* report, std::size_t length,
                  int timeoutMs);

}  // namespace korvex
