#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "transport/ReportFrame.h"

namespace korvex {

// Record types of a macro's event list (the store's `type` column).
enum MacroItemType : int {
  kMacroDelay = 1,
  kMacroKeyPress = 2,
  kMacroKeyRelease = 3,
  kMacroMousePress = 4,
  kMacroMouseRelease = 5,
};

// One record of a macro, in record_index order: the store's `type` and
// `value` (delay in ms, virtual-key code, or mouse button mask).
struct MacroItem {
  int type = 0;
  int value = 0;
};

constexpr int kMacroEventBytes = 4;
// Packets are numbered in 4 bits, so at most 15 reports of 27 bytes:
// 1 + 4 x 101 = 405 = 15 x 27.
constexpr int kMaxMacroPackets = 15;
constexpr int kMaxMacroEvents = 101;
constexpr int kSinglePacketMacroEvents = 6;

// Four bytes per key or mouse record: code (30/B0 key, 20/A0 modifier,
// 10/90 mouse), the delay after it in ms little-endian, then the HID usage,
// modifier bit or button mask. Delay records add to the delay of the event
// before them (those before the first event go to the first). Fills `out`
// (cleared first) and returns the number of events.
int EncodeMacroEvents(const std::vector<MacroItem>& records, std::vector<std::uint8_t>& out);

// Macro data stream of one button: its key code, then the encoded events.
std::vector<std::uint8_t> BuildMacroStream(int keyCode, const std::vector<MacroItem>& records);

// The 0x08 reports of a stream, in sending order (33 bytes each). Up to 25
// bytes: one report 00 08 00 01 L. Longer: ceil(L / 27) reports, byte 3 =
// (index << 4) | count, byte 4 = 27 or the rest; the last report keeps after
// its chunk the bytes of the report before it, as the mouse has always seen
// them. A stream needing more than 15 reports (more than 101 events) cannot
// be ordered by the mouse: nothing is produced, a level-2 line is logged, and
// 0 is returned. Otherwise fills `out` (cleared first) and returns the count.
int SplitMacroStream(const std::vector<std::uint8_t>& stream, std::vector<ReportFrame>& out);

// The stream as upper-case hexadecimal text, two digits a byte.
std::string MacroStreamHex(const std::vector<std::uint8_t>& stream);

// BuildMacroStream then SplitMacroStream.
int BuildMacroReports(int keyCode, const std::vector<MacroItem>& records, std::vector<ReportFrame>& out);

}  // namespace korvex
