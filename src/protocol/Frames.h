#pragma once
#include <cstddef>
#include <cstdint>

#include "protocol/Command.h"
#include "transport/ReportFrame.h"

namespace korvex {

// Header of a single-packet write: 00 cmd 00 01 lengthByte, payload zero,
// frame length 33 or 65 (the tail of the long form stays zero).
ReportFrame MakeWriteFrame(Command command, std::uint8_t lengthByte,
                           std::size_t frameLength = ReportFrame::kShortLength);

// Read request: only byte 1 set, 33 bytes, checksum 0. Valid for 0x10..0x17
// and 0x20; any code is accepted so a caller can probe.
ReportFrame BuildReadRequest(Command command);

// Reset commands: 00 cmd 00 01 01 and one payload byte (0x01, 0xFF for the
// factory reset), 33 bytes.
ReportFrame BuildResetDpi();
ReportFrame BuildResetReportRate();
ReportFrame BuildResetLighting();
ReportFrame BuildFactoryReset();

// A reply acknowledges when byte 1 is 0x00.
bool IsAcknowledged(const std::uint8_t* data, std::size_t length);

}  // namespace korvex
