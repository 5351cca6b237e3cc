#pragma once
// A profile's lighting rows are created on first use: one default row per
// lighting mode the model's descriptor enables, then mode 1 made active.

#include <array>

#include "store/StoreRecords.h"
#include "store/StoreSchema.h"

namespace korvex {

class SettingsStore;

// Which of light_1 .. light_6 the descriptor enables (modes 1 to 5 and 0).
using LightEnableFlags = std::array<bool, kLightModeCount>;

// When `profile` has no lighting rows, inserts the default row of every
// enabled mode in descriptor order and makes mode 1 the active mode (a model
// without light_1 is then left with no active mode). Rows that exist are
// never touched. Returns the number of rows inserted; nothing happens for a
// profile id below 1. The store's lock is held throughout, so two threads
// cannot both find the profile empty and insert twice.
int EnsureLightRows(SettingsStore& store, ProfileId profile, int deviceType,
                    const LightEnableFlags& enabled);

}  // namespace korvex

namespace korvex {

// The reset of the lighting: every profile's lighting rows are deleted and
// the active profile gets its default rows again (the others on their next
// use). Returns the number of rows inserted for the active profile.
int ResetLightRows(SettingsStore& store, ProfileId activeProfile, int deviceType,
                   const LightEnableFlags& enabled);

}  // namespace korvex
