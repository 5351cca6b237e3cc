#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/PerformanceCommands.h"
#include "transport/ReportFrame.h"

namespace korvex {

// Replies are read as delivered (no report id): byte 0 report type, byte 1
// acknowledgement, data from byte 4. Every parser returns false, leaving
// `out` untouched, when the reply is shorter than its layout.

// 0x10, 15 bytes.
struct DeviceInfo {
  std::string deviceId;          // bytes 4..7, up to the first zero byte
  int deviceWord = 0;            // bytes 8 (low), 9 (high); stored only
  int sensorCode = 0;            // byte 10
  int reportRateCapability = 0;  // byte 11; see ReportRateChoiceCount
  int batteryState = 0;          // byte 12
  int batteryLevel = 0;          // byte 13
  bool mouseConnected = false;   // byte 14 non-zero
};
bool ParseDeviceInfo(const std::uint8_t* data, std::size_t length, DeviceInfo& out);

// 0x12, 5 bytes: the rate code.
bool ParseReportRate(const std::uint8_t* data, std::size_t length, int& rateCode);

// 0x13, 27 bytes: byte 4 = (index << 4) | count, then per stage the X
// register little-endian at 5 + 4k (Y is not read). `dpi` is RegisterToDpi
// of the sensor; the caller decides which values to keep.
struct DpiStagesReply {
  int count = 0;
  int index = 0;
  std::array<int, kDpiStageCount> registers{};
  std::array<int, kDpiStageCount> dpi{};
};
bool ParseDpiStages(const std::uint8_t* data, std::size_t length, int sensor, DpiStagesReply& out);

// 0x14, 22 bytes: six colours red, green, blue from byte 4. `present` is false
// when bytes 4..7 are all zero (the mouse holds no colours).
struct DpiColoursReply {
  bool present = false;
  std::array<ColourRef, kDpiStageCount> colours{};
};
bool ParseDpiColours(const std::uint8_t* data, std::size_t length, DpiColoursReply& out);

// 0x15, 6 bytes: mode, then brightness (high nibble) and speed (low nibble).
struct LightingState {
  int mode = 0;
  int brightness = 0;
  int speed = 0;
};
bool ParseLightingState(const std::uint8_t* data, std::size_t length, LightingState& out);

// 0x16, 7 bytes: height; sensorFlag = 8 if byte 5 is 1, plus 4 if byte 6 is 1.
bool ParseLiftoffSensor(const std::uint8_t* data, std::size_t length, LiftoffSensor& out);

// 0x17, 8 bytes: the four power options.
bool ParsePowerOptions(const std::uint8_t* data, std::size_t length, PowerOptions& out);

// 0x20, 6 bytes: "%X%02X" of bytes 4 and 5 (01 05 -> "105").
bool ParseFirmwareVersion(const std::uint8_t* data, std::size_t length, std::string& text);
std::string FirmwareVersionText(int major, int minor);

// 0xC0, 4 bytes, byte 0 must be 0xC0: connected when byte 1 is 1; battery
// level 0 means the report carries no battery information.
struct StatusReport {
  bool connected = false;
  int batteryLevel = 0;
  int batteryState = 0;
};
bool ParseStatusReport(const std::uint8_t* data, std::size_t length, StatusReport& out);

// 0xC2, 2 bytes, byte 0 must be 0xC2: byte 1 = (stage << 4) | count.
struct DpiChangeReport {
  int count = 0;
  int stage = 0;
};
bool ParseDpiChangeReport(const std::uint8_t* data, std::size_t length, DpiChangeReport& out);

// The same parsers over the frame buffer an exchange left its reply in;
// `length` is the number of bytes that reply holds (at most the buffer).
bool ParseDeviceInfo(const ReportFrame& reply, std::size_t length, DeviceInfo& out);
bool ParseReportRate(const ReportFrame& reply, std::size_t length, int& rateCode);
bool ParseDpiStages(const ReportFrame& reply, std::size_t length, int sensor, DpiStagesReply& out);
bool ParseDpiColours(const ReportFrame& reply, std::size_t length, DpiColoursReply& out);
bool ParseLightingState(const ReportFrame& reply, std::size_t length, LightingState& out);
bool ParseLiftoffSensor(const ReportFrame& reply, std::size_t length, LiftoffSensor& out);
bool ParsePowerOptions(const ReportFrame& reply, std::size_t length, PowerOptions& out);
bool ParseFirmwareVersion(const ReportFrame& reply, std::size_t length, std::string& text);
bool ParseStatusReport(const ReportFrame& reply, std::size_t length, StatusReport& out);
bool ParseDpiChangeReport(const ReportFrame& reply, std::size_t length, DpiChangeReport& out);

}  // namespace korvex
