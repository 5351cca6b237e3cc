#pragma once
// Switching and renaming profiles (the profile dialog's actions).

#include <functional>
#include <string>

#include "profiles/ProfileBootstrap.h"
#include "store/StoreRecords.h"

namespace korvex {

class SettingsStore;

// Appends a device task code to the worker's queue.
using QueueTask = std::function<void(int)>;

// The code of the task that writes the whole active profile to the mouse.
inline constexpr int kApplyProfileTaskCode = 5;

// Makes `profile` current and active and queues the whole-profile write
// (also when it already was current). The returned label is the stored name.
// The current profile changes even when the activation fails in the store,
// so the pages follow the user's choice; ids below 1 are refused and leave
// everything as it was (`current` then stays 0 in the result).
ProfileState SwitchProfile(SettingsStore& store, ProfileId profile, const QueueTask& queueTask);

// Stores the name as typed; an empty text leaves the name unchanged and
// gives false. Renaming does not switch.
bool RenameProfileText(SettingsStore& store, ProfileId profile, const std::string& text);

}  // namespace korvex
