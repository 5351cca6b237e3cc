#pragma once
#include <cstdint>

namespace korvex {

// Command byte (frame byte 1) of every report the program sends or receives.
enum class Command : std::uint8_t {
  ReportRate = 0x02,
  DpiStages = 0x03,
  DpiColours = 0x04,
  Lighting = 0x05,
  LiftoffSensor = 0x06,
  PowerOptions = 0x07,
  MacroData = 0x08,
  ButtonFunctions = 0x09,
  ResetDpi = 0x0C,
  ResetReportRate = 0x0D,
  ResetLighting = 0x0E,
  FactoryReset = 0x0F,
  ReadDeviceInfo = 0x10,
  ReadFirstSync = 0x11,
  ReadReportRate = 0x12,
  ReadDpiStages = 0x13,
  ReadDpiColours = 0x14,
  ReadLighting = 0x15,
  ReadLiftoffSensor = 0x16,
  ReadPowerOptions = 0x17,
  ReadMouseFirmware = 0x20,
  StatusReport = 0xC0,
  DpiChangeReport = 0xC2,
};

constexpr std::uint8_t CommandByte(Command c) { return static_cast<std::uint8_t>(c); }

}  // namespace korvex
