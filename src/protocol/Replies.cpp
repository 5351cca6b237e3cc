#include "protocol/Replies.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "protocol/Command.h"
#include "protocol/DpiConversion.h"

namespace korvex {
namespace {

// Number of bytes each layout reads (its highest byte + 1).
constexpr std::size_t kDeviceInfoBytes = 15;
constexpr std::size_t kReportRateBytes = 5;
constexpr std::size_t kDpiStagesBytes = 5 + 4 * (kDpiStageCount - 1) + 2;
constexpr std::size_t kDpiColoursBytes = 4 + 3 * kDpiStageCount;
constexpr std::size_t kLightingBytes = 6;
constexpr std::size_t kLiftoffBytes = 7;
constexpr std::size_t kPowerBytes = 8;
constexpr std::size_t kVersionBytes = 6;
constexpr std::size_t kStatusBytes = 4;
constexpr std::size_t kDpiChangeBytes = 2;

bool Fits(const std::uint8_t* data, std::size_t length, std::size_t needed) {
  return data != nullptr && length >= needed;
}

std::size_t Held(const ReportFrame& reply, std::size_t length) {
  return std::min(length, reply.bytes.size());
}

}  // namespace

bool ParseDeviceInfo(const std::uint8_t* data, std::size_t length, DeviceInfo& out) {
  if (!Fits(data, length, kDeviceInfoBytes)) return false;
  DeviceInfo info;
  for (std::size_t i = 4; i < 8 && data[i] != 0; ++i) info.deviceId.push_back(static_cast<char>(data[i]));
  info.deviceWord = data[8] | (data[9] << 8);
  info.sensorCode = data[10];
  info.reportRateCapability = data[11];
  info.batteryState = data[12];
  info.batteryLevel = data[13];
  info.mouseConnected = data[14] != 0;
  out = std::move(info);
  return true;
}

bool ParseReportRate(const std::uint8_t* data, std::size_t length, int& rateCode) {
  if (!Fits(data, length, kReportRateBytes)) return false;
  rateCode = data[4];
  return true;
}

bool ParseDpiStages(const std::uint8_t* data, std::size_t length, int sensor, DpiStagesReply& out) {
  if (!Fits(data, length, kDpiStagesBytes)) return false;
  out.count = data[4] & 0x0F;
  out.index = data[4] >> 4;
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    out.registers[k] = data[5 + 4 * k] | (data[6 + 4 * k] << 8);
    out.dpi[k] = RegisterToDpi(sensor, out.registers[k]);
  }
  return true;
}

bool ParseDpiColours(const std::uint8_t* data, std::size_t length, DpiColoursReply& out) {
  if (!Fits(data, length, kDpiColoursBytes)) return false;
  out.present = (data[4] | data[5] | data[6] | data[7]) != 0;
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    const std::size_t at = 4 + 3 * k;
    out.colours[k] = static_cast<ColourRef>(data[at]) | (static_cast<ColourRef>(data[at + 1]) << 8) |
                     (static_cast<ColourRef>(data[at + 2]) << 16);
  }
  return true;
}

bool ParseLightingState(const std::uint8_t* data, std::size_t length, LightingState& out) {
  if (!Fits(data, length, kLightingBytes)) return false;
  out.mode = data[4];
  out.brightness = data[5] >> 4;
  out.speed = data[5] & 0x0F;
  return true;
}

bool ParseLiftoffSensor(const std::uint8_t* data, std::size_t length, LiftoffSensor& out) {
  if (!Fits(data, length, kLiftoffBytes)) return false;
  out.liftoffHeight = data[4];
  out.sensorFlag = (data[5] == 1 ? 0x08 : 0) + (data[6] == 1 ? 0x04 : 0);
  return true;
}

bool ParsePowerOptions(const std::uint8_t* data, std::size_t length, PowerOptions& out) {
  if (!Fits(data, length, kPowerBytes)) return false;
  out.sleepLight = data[4];
  out.moveWakeup = data[5];
  out.moveCloseLight = data[6];
  out.buttonResponseTime = data[7];
  return true;
}

std::string FirmwareVersionText(int major, int minor) {
  char text[16];
  std::snprintf(text, sizeof text, "%X%02X", static_cast<unsigned>(major & 0xFF),
                static_cast<unsigned>(minor & 0xFF));
  return text;
}

bool ParseFirmwareVersion(const std::uint8_t* data, std::size_t length, std::string& text) {
  if (!Fits(data, length, kVersionBytes)) return false;
  text = FirmwareVersionText(data[4], data[5]);
  return true;
}

bool ParseStatusReport(const std::uint8_t* data, std::size_t length, StatusReport& out) {
  if (!Fits(data, length, kStatusBytes) || data[0] != CommandByte(Command::StatusReport)) return false;
  out.connected = data[1] == 1;
  out.batteryLevel = data[2];
  out.batteryState = data[3];
  return true;
}

bool ParseDpiChangeReport(const std::uint8_t* data, std::size_t length, DpiChangeReport& out) {
  if (!Fits(data, length, kDpiChangeBytes) || data[0] != CommandByte(Command::DpiChangeReport)) {
    return false;
  }
  out.count = data[1] & 0x0F;
  out.stage = data[1] >> 4;
  return true;
}

bool ParseDeviceInfo(const ReportFrame& r, std::size_t n, DeviceInfo& out) {
  return ParseDeviceInfo(r.data(), Held(r, n), out);
}
bool ParseReportRate(const ReportFrame& r, std::size_t n, int& rateCode) {
  return ParseReportRate(r.data(), Held(r, n), rateCode);
}
bool ParseDpiStages(const ReportFrame& r, std::size_t n, int sensor, DpiStagesReply& out) {
  return ParseDpiStages(r.data(), Held(r, n), sensor, out);
}
bool ParseDpiColours(const ReportFrame& r, std::size_t n, DpiColoursReply& out) {
  return ParseDpiColours(r.data(), Held(r, n), out);
}
bool ParseLightingState(const ReportFrame& r, std::size_t n, LightingState& out) {
  return ParseLightingState(r.data(), Held(r, n), out);
}
bool ParseLiftoffSensor(const ReportFrame& r, std::size_t n, LiftoffSensor& out) {
  return ParseLiftoffSensor(r.data(), Held(r, n), out);
}
bool ParsePowerOptions(const ReportFrame& r, std::size_t n, PowerOptions& out) {
  return ParsePowerOptions(r.data(), Held(r, n), out);
}
bool ParseFirmwareVersion(const ReportFrame& r, std::size_t n, std::string& text) {
  return ParseFirmwareVersion(r.data(), Held(r, n), text);
}
bool ParseStatusReport(const ReportFrame& r, std::size_t n, StatusReport& out) {
  return ParseStatusReport(r.data(), Held(r, n), out);
}
bool ParseDpiChangeReport(const ReportFrame& r, std::size_t n, DpiChangeReport& out) {
  return ParseDpiChangeReport(r.data(), Held(r, n), out);
}

}  // namespace korvex
