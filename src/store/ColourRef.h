#pragma once
// A 24-bit colour with red in the low byte, green in the middle byte and blue
// in the high byte (0x00BBGGRR). Stored in decimal, sent as red, green, blue.

#include <cstdint>

namespace korvex {

using ColourRef = std::uint32_t;

constexpr ColourRef PackColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<ColourRef>(red) | (static_cast<ColourRef>(green) << 8) |
         (static_cast<ColourRef>(blue) << 16);
}

constexpr std::uint8_t ColourRed(ColourRef colour) { return colour & 0xFF; }
constexpr std::uint8_t ColourGreen(ColourRef colour) { return (colour >> 8) & 0xFF; }
constexpr std::uint8_t ColourBlue(ColourRef colour) { return (colour >> 16) & 0xFF; }

}  // namespace korvex
