#pragma once
// The rules of the lighting page that do not depend on the window: which
// controls a mode offers, the slider labels, the colour swatches, the colour
// fields and how a picked colour lands in a lighting row.

#include <array>
#include <string>

#include "store/ColourRef.h"
#include "store/StoreRecords.h"

namespace korvex {

// config_func bits: the controls a lighting mode offers.
enum LightFunction : int {
  kLightBrightness = 0x001,
  kLightSpeed = 0x002,
  kLightFreeColour = 0x010,  // swatches, palette, R/G/B fields, preview
  kLightColourSlots = 0x800,  // seven colour slots
};

constexpr int kSlotCount = 7;
using SlotColours = std::array<ColourRef, kSlotCount>;

constexpr bool HasLightFunction(int configFunc, int bit) { return (configFunc & bit) != 0; }

// "<caption>: 0%" .. "<caption>: 100%" for levels 0..4 (4 or more is 100 %,
// below 0 counts as 0).
std::string BrightnessLabel(const std::string& caption, int level);
// "<caption>: <speed>", or "<caption>：<speed>" (full-width colon, no space)
// while the slider is being dragged.
std::string SpeedLabel(const std::string& caption, int speed, bool dragging);

// The preset swatches 206..213 and their colours; 0 for any other id.
constexpr int kFirstSwatch = 206;
constexpr int kLastSwatch = 213;
ColourRef SwatchColour(int id);
// What the seven slots show before a mode with slots is shown.
SlotColours InitialSlotColours();
SlotColours RowSlotColours(const LightRecord& row);

// A colour field's text as a component: its number clamped to 0..255;
// text that is no number counts as 0.
int ColourComponentOf(const std::string& text);
// 0x00BBGGRR from the three fields.
constexpr ColourRef ColourOfComponents(int red, int green, int blue) {
  return PackColour(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                    static_cast<std::uint8_t>(blue));
}

// A colour given to the row shown: color_value1 takes it; a mode with slots
// gives it to the selected slot (none when selectedSlot is outside 0..6)
// and then takes all seven colours from the slots, so only the selected
// slot changes. `slots` is updated in place.
void ApplyColourToRow(LightRecord& row, ColourRef colour, SlotColours& slots, int selectedSlot);

// The background area behind the page's controls in window coordinates,
// grown to the controls the mode offers: 658 (free colour), 430
// (brightness) or 170 (neither) tall at scale 1, 500 wide.
struct LightArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
LightArea LightBackgroundArea(int configFunc, double scale);

}  // namespace korvex
