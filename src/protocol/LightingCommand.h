#pragma once
#include <array>

#include "protocol/PerformanceCommands.h"
#include "transport/ReportFrame.h"

namespace korvex {

constexpr int kLightColourSlots = 7;

// What the lighting command carries of one lighting row: mode 0..5,
// brightness and speed 0..4, color_value1..7. Direction, colorful and
// colorindex are stored but never sent.
struct LightingSetting {
  int mode = 0;
  int brightness = 0;
  int speed = 0;
  std::array<ColourRef, kLightColourSlots> colours{};
};

// 0x05 by mode, always 00 05 00 01 <len>; byte 6 = low byte of
// (brightness << 4) | speed:
//   0, 4, 5: len 02, mode, level
//   1:       len 03, 01, level, 00
//   2:       len 18, 02, level, 07, seven colours red, green, blue
//   3:       len 05, 03, level, colour 1 red, green, blue
//   other:   len 00 and no payload
// 65 bytes, as the lighting write is exchanged in the long form.
ReportFrame BuildLighting(const LightingSetting& setting);

}  // namespace korvex
