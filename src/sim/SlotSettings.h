#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvex::sim {

// Lighting modes the mouse knows: 0 off, 1 breathing, 2 colour cycle,
// 3 steady colour, 4 and 5 effects without colours.
constexpr int kLightModeCount = 6;
constexpr int kCycleColourCount = 7;
constexpr int kStageCount = 6;
constexpr int kButtonCount = 9;
constexpr int kSlotCount = 4;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct ButtonTriple {
  std::uint8_t function = 0, a = 0, b = 0;
  bool operator==(const ButtonTriple&) const = default;
};

// Everything one profile slot of the mouse keeps in flash, in the mouse's own
// terms: register values, not DPI; raw nibble bytes, not brightness levels.
struct SlotSettings {
  std::uint8_t reportRate = 1;
  std::uint8_t stageCount = 4;
  std::uint8_t stageIndex = 1;
  std::array<std::uint16_t, kStageCount> stageX{};
  std::array<std::uint16_t, kStageCount> stageY{};
  std::array<Rgb, kStageCount> stageColour{};

  std::uint8_t lightMode = 1;
  // (brightness << 4) | speed, kept per mode as the mouse remembers each.
  std::array<std::uint8_t, kLightModeCount> lightLevel{};
  std::uint8_t breathingExtra = 0;       // byte 7 of a mode-1 report
  std::uint8_t cycleColourCount = kCycleColourCount;
  std::array<Rgb, kCycleColourCount> cycleColours{};
  Rgb steadyColour{};

  std::uint8_t liftoff = 1;
  std::uint8_t sensorA = 0;  // byte 6 of command 0x06 (0 or 1)
  std::uint8_t sensorB = 0;  // byte 7 of command 0x06 (0 or 1)

  std::uint8_t sleepTime = 10;
  std::uint8_t moveWakeup = 1;
  std::uint8_t moveCloseLight = 1;
  std::uint8_t buttonResponse = 4;

  std::array<ButtonTriple, kButtonCount> buttons{};
  // Reassembled macro stream per button: key code byte, then 4-byte events.
  std::array<std::vector<std::uint8_t>, kButtonCount> macros{};

  bool operator==(const SlotSettings&) const = default;

  void ResetDpi(int sensor);
  void ResetReportRate();
  void ResetLighting();
  void ResetButtons();
  void ResetAll(int sensor);

  // Flash image of the slot; Deserialize checks every length and returns
  // false (leaving *this unchanged) on a short or inconsistent image.
  void Serialize(std::vector<std::uint8_t>& out) const;
  bool Deserialize(const std::uint8_t* data, std::size_t length, std::size_t& used);
};

// Factory stage registers for a sensor code: the mouse's own table.
std::array<std::uint16_t, kStageCount> DefaultStageRegisters(int sensor);

}  // namespace korvex::sim
