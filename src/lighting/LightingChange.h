#pragma once
// One change of a profile's lighting as a whole (mode, brightness, speed,
// colours), checked against the mode's row before anything is stored. The
// command-line tool uses it; the rules are those of the lighting page.

#include <optional>
#include <string>
#include <vector>

#include "store/ColourRef.h"
#include "store/StoreRecords.h"

namespace korvex {

class SettingsStore;

struct LightingChange {
  int mode = 0;
  std::optional<int> brightness;  // 0..4
  std::optional<int> speed;       // 0..4
  // Colours in slot order: one for a mode with free colour choice, up to
  // seven for a mode with colour slots; none for the others.
  std::vector<ColourRef> colours;
};

// off, flow, breathing, steady, neon, wave: modes 0 to 5.
bool LightModeOfName(const std::string& name, int& mode);
const char* LightModeName(int mode);
// "#RRGGBB" (web order, hexadecimal, either case) as 0x00BBGGRR.
bool ParseWebColour(const std::string& text, ColourRef& colour);
std::string WebColourText(ColourRef colour);

// Checks the change against the profile's row of that mode and stores it,
// making the mode the active one. Returns an empty text when stored, or why
// it was refused (no row for the mode, a level outside 0..4, colours for a
// mode without free colour choice, more colours than the mode holds); a
// refused change stores nothing.
std::string ApplyLightingChange(SettingsStore& store, ProfileId profile, const LightingChange& change);

}  // namespace korvex
