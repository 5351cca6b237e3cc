#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "transport/ReportFrame.h"

namespace korvex {

// Room for the longest report the program reads or writes.
using ReportBuffer = std::array<std::uint8_t, ReportFrame::kLongLength>;

// What the manager knows about one opened configuration interface. The open
// handle itself stays inside the manager; callers get copies of this record.
struct HidInterfaceEntry {
  static constexpr std::size_t kMaxPathLength = 1023;
  static constexpr std::size_t kMaxProductLength = 512;  // characters

  enum OnlineState { kOffline = 0, kOnline = 1, kOfflineByPoll = 2 };

  int index = 0;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::string path;
  std::string product;  // UTF-8
  std::uint32_t release = 0;
  int deviceType = 0;  // 0 = not classified, 101 = generic
  int mode = 0;        // 0 wired, 1 receiver
  int onlineState = kOnline;
  std::string deviceId;     // reply bytes 4..7
  ReportBuffer deviceInfo{};  // the last device-information reply

  // Copied out of the device-information reply when it was read.
  int sensorCode = 0;            // byte 10
  std::uint16_t deviceWord = 0;  // bytes 8 (low) and 9 (high)
  int batteryState = 0;          // byte 12
  int batteryLevel = 0;          // byte 13
  int mouseConnected = 0;        // byte 14
};

}  // namespace korvex
