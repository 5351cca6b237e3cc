#include "lighting/LightingChange.h"

#include <cstdio>

#include "lighting/LightRules.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

constexpr const char* kModeNames[] = {"off", "flow", "breathing", "steady", "neon", "wave"};
constexpr int kModeCount = 6;
constexpr int kMaxLevel = 4;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool LevelInRange(const std::optional<int>& level) { return !level || (*level >= 0 && *level <= kMaxLevel); }

}  // namespace

bool LightModeOfName(const std::string& name, int& mode) {
  for (int m = 0; m < kModeCount; ++m) {
    if (name == kModeNames[m]) {
      mode = m;
      return true;
    }
  }
  return false;
}

const char* LightModeName(int mode) { return mode >= 0 && mode < kModeCount ? kModeNames[mode] : "unknown"; }

bool ParseWebColour(const std::string& text, ColourRef& colour) {
  if (text.size() != 7 || text[0] != '#') return false;
  int bytes[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[static_cast<std::size_t>(1 + 2 * i)]);
    const int low = HexDigit(text[static_cast<std::size_t>(2 + 2 * i)]);
    if (high < 0 || low < 0) return false;
    bytes[i] = high * 16 + low;
  }
  colour = ColourOfComponents(bytes[0], bytes[1], bytes[2]);
  return true;
}

std::string WebColourText(ColourRef colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", ColourRed(colour), ColourGreen(colour), ColourBlue(colour));
  return text;
}

std::string ApplyLightingChange(SettingsStore& store, ProfileId profile, const LightingChange& change) {
  if (!LevelInRange(change.brightness)) return "the brightness must be 0 to 4";
  if (!LevelInRange(change.speed)) return "the speed must be 0 to 4";
  auto lock = store.HoldLock();
  LightRecord row;
  if (profile < 1 || !store.GetLight(profile, change.mode, row))
    return std::string("this mouse has no lighting mode ") + LightModeName(change.mode);
  const bool slots = HasLightFunction(row.config_func, kLightColourSlots);
  if (!change.colours.empty() && !HasLightFunction(row.config_func, kLightFreeColour))
    return std::string("the lighting mode ") + LightModeName(change.mode) + " takes no colour on this mouse";
  const std::size_t room = slots ? kSlotCount : 1;
  if (change.colours.size() > room)
    return std::string("the lighting mode ") + LightModeName(change.mode) + " takes at most " +
           std::to_string(room) + (room == 1 ? " colour" : " colours");

  if (change.brightness) row.brightness = *change.brightness;
  if (change.speed) row.speed = *change.speed;
  // The page's own path: each colour goes to the next slot, as if that slot
  // were selected and the colour picked.
  SlotColours current = RowSlotColours(row);
  for (std::size_t i = 0; i < change.colours.size(); ++i)
    ApplyColourToRow(row, change.colours[i], current, static_cast<int>(i));
  if (!store.UpdateLight(profile, change.mode, row)) return "the settings store refused the lighting row";
  if (!store.SetActiveLightMode(profile, change.mode)) return "the settings store refused the active lighting mode";
  return {};
}

}  // namespace korvex
