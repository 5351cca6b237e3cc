#include "profiles/ProfileBootstrap.h"

#include <vector>

#include "profiles/ProfileNames.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

// The first profile of a fresh database; its ids start at 1.
constexpr ProfileId kFirstProfile = 1;

void CreateDefaultProfiles(SettingsStore& store, const std::string& profileWord) {
  ProfileRecord record;
  for (int n = 1; n <= kProfileCount; ++n) {
    record.name = DefaultProfileName(profileWord, n);
    store.CreateProfile(record);
  }
  store.ActivateProfile(kFirstProfile);
}

}  // namespace

ProfileState BootstrapProfiles(SettingsStore& store, const std::string& profileWord) {
  auto lock = store.HoldLock();
  std::vector<ProfileRecord> profiles;
  if (store.ListProfiles(profiles) == 0) CreateDefaultProfiles(store, profileWord);

  ProfileState state;
  state.current = store.GetActiveProfile();
  if (state.current < 1) {
    store.ActivateProfile(kFirstProfile);
    state.current = store.GetActiveProfile();
  }
  if (state.current >= 1) store.GetProfileName(state.current, state.label);
  return state;
}

}  // namespace korvex
