#include "profiles/ProfileSwitch.h"

#include "store/SettingsStore.h"

namespace korvex {

ProfileState SwitchProfile(SettingsStore& store, ProfileId profile, const QueueTask& queueTask) {
  ProfileState state;
  if (profile < 1) return state;
  state.current = profile;
  store.ActivateProfile(profile);
  store.GetProfileName(profile, state.label);
  if (queueTask) queueTask(kApplyProfileTaskCode);
  return state;
}

bool RenameProfileText(SettingsStore& store, ProfileId profile, const std::string& text) {
  if (text.empty()) return false;
  return store.RenameProfile(profile, text);
}

}  // namespace korvex
