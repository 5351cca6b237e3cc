#pragma once
#include <array>
#include <cstdint>

#include "transport/ReportFrame.h"

namespace korvex {

// A 24-bit colour with red in the low byte (0x00BBGGRR).
using ColourRef = std::uint32_t;

constexpr int kDpiStageCount = 6;

// The DPI stages as the store holds them ("dpi_count", "dpi_index",
// "dpi_group0_value".."dpi_group5_value").
struct DpiStages {
  int count = 0;
  int index = 0;
  std::array<int, kDpiStageCount> dpi{};
};

// Power options ("sleep_light", "move_wakeup", "move_closelight",
// "button_respondtime"); each travels as its low byte.
struct PowerOptions {
  int sleepLight = 0;
  int moveWakeup = 0;
  int moveCloseLight = 0;
  int buttonResponseTime = 0;
};

// Lift-off height and the sensor option bits ("liftoff_height", "sensor_flag").
struct LiftoffSensor {
  int liftoffHeight = 0;
  int sensorFlag = 0;  // only bits 0x08 and 0x04 reach the mouse
};

// 0x02: 00 02 00 01 01, byte 5 = rate code; 65 bytes.
ReportFrame BuildReportRate(int rateCode);

// 0x03: 00 03 00 01 25, byte 5 = (index << 4) | count, then per stage the
// register value (limited to the sensor's range first) as X and Y, both
// little-endian; 33 bytes.
ReportFrame BuildDpiStages(int sensor, const DpiStages& stages);

// 0x04: 00 04 00 01 12, then six colours red, green, blue; 65 bytes.
ReportFrame BuildDpiColours(const std::array<ColourRef, kDpiStageCount>& colours);

// 0x06: 00 06 00 01 05, height, bit 0x08 as 0/1, bit 0x04 as 0/1, 0, 0; 65 bytes.
ReportFrame BuildLiftoffSensor(const LiftoffSensor& values);

// 0x07: 00 07 00 01 04, the four power options; 65 bytes.
ReportFrame BuildPowerOptions(const PowerOptions& values);

}  // namespace korvex
