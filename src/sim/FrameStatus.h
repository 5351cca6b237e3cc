#pragma once
#include <cstdint>

namespace korvex::sim {

// Byte 1 of the mouse's answer. Only Ok is an acknowledgement; the other
// values tell a test (and a trace reader) why a frame was refused.
enum class FrameStatus : std::uint8_t {
  Ok = 0x00,
  UnknownCommand = 0x01,
  BadChecksum = 0x02,
  BadHeader = 0x03,   // byte 2, the sequence byte or the length byte is wrong
  BadValue = 0x04,    // a payload value the mouse does not accept
  BadSequence = 0x05, // a macro packet out of order
  MouseOffline = 0x06,
  Refused = 0x07,     // fault injected from outside
};

// Input report length of the configuration interface (no report id).
constexpr int kInputReportLength = 64;
// Output report as the host writes it: report id 0 and 64 bytes.
constexpr int kOutputReportLength = 65;

}  // namespace korvex::sim
