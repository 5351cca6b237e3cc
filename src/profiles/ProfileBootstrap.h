#pragma once
// The profile bootstrap run by the synchronisation tasks: a model's database
// gets its four profiles the first time it is used, and the active one
// becomes the current profile.

#include <string>

#include "store/StoreRecords.h"

namespace korvex {

class SettingsStore;

inline constexpr int kProfileCount = 4;

// The current profile and the text the profile label shows for it (the
// stored name itself).
struct ProfileState {
  ProfileId current = 0;
  std::string label;
};

// When the database holds no profile, creates "<word> 1" to "<word> 4" (each
// with the default configuration values) and activates the first. Then the
// active profile becomes current; without one profile 1 is activated. The
// current profile is 0 when even that fails (the pages then work on their
// own defaults). The store's lock is held throughout, so the check for an
// empty table and the creation cannot interleave with the other thread.
ProfileState BootstrapProfiles(SettingsStore& store, const std::string& profileWord);

}  // namespace korvex
