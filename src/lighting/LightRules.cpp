#include "lighting/LightRules.h"

#include <cerrno>
#include <cstdlib>

namespace korvex {
namespace {

constexpr std::array<ColourRef, kLastSwatch - kFirstSwatch + 1> kSwatches = {
    0x0000FF, 0xFF00F0, 0xFF0C00, 0xFCFF00, 0x06FF00, 0x00DEFF, 0x0048FF, 0xFFFFFF};

constexpr const char* kPercent[] = {"0%", "25%", "50%", "75%", "100%"};

}  // namespace

std::string BrightnessLabel(const std::string& caption, int level) {
  const int step = level < 0 ? 0 : (level > 4 ? 4 : level);
  return caption + ": " + kPercent[step];
}

std::string SpeedLabel(const std::string& caption, int speed, bool dragging) {
  return caption + (dragging ? "\xEF\xBC\x9A" : ": ") + std::to_string(speed);
}

ColourRef SwatchColour(int id) {
  if (id < kFirstSwatch || id > kLastSwatch) return 0;
  return kSwatches[static_cast<std::size_t>(id - kFirstSwatch)];
}

SlotColours InitialSlotColours() {
  SlotColours slots{};
  for (int i = 0; i < kSlotCount; ++i) slots[static_cast<std::size_t>(i)] = kSwatches[static_cast<std::size_t>(i)];
  return slots;
}

SlotColours RowSlotColours(const LightRecord& row) {
  const std::int32_t values[kSlotCount] = {row.color_value1, row.color_value2, row.color_value3, row.color_value4,
                                           row.color_value5, row.color_value6, row.color_value7};
  SlotColours slots{};
  for (int i = 0; i < kSlotCount; ++i) slots[static_cast<std::size_t>(i)] = static_cast<ColourRef>(values[i]);
  return slots;
}

int ColourComponentOf(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str()) return 0;
  // Overflow reports the range's end, which clamps the same way.
  if (value < 0) return 0;
  if (value > 255) return 255;
  return static_cast<int>(value);
}

void ApplyColourToRow(LightRecord& row, ColourRef colour, SlotColours& slots, int selectedSlot) {
  row.color_value1 = static_cast<std::int32_t>(colour & 0xFFFFFF);
  if (!HasLightFunction(row.config_func, kLightColourSlots)) return;
  if (selectedSlot >= 0 && selectedSlot < kSlotCount) slots[static_cast<std::size_t>(selectedSlot)] = colour & 0xFFFFFF;
  std::int32_t* values[kSlotCount] = {&row.color_value1, &row.color_value2, &row.color_value3, &row.color_value4,
                                      &row.color_value5, &row.color_value6, &row.color_value7};
  for (int i = 0; i < kSlotCount; ++i) *values[i] = static_cast<std::int32_t>(slots[static_cast<std::size_t>(i)]);
}

LightArea LightBackgroundArea(int configFunc, double scale) {
  int height = 170;
  if (HasLightFunction(configFunc, kLightFreeColour))
    height = 658;
  else if (HasLightFunction(configFunc, kLightBrightness))
    height = 430;
  LightArea area;
  area.left = 230;
  area.top = 80;
  area.right = 230 + static_cast<int>(500 * scale);
  area.bottom = 80 + static_cast<int>(height * scale);
  return area;
}

}  // namespace korvex
