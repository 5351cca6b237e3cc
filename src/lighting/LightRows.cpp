#include "lighting/LightRows.h"

#include "store/SettingsStore.h"

#include <vector>

namespace korvex {
namespace {

// The mode a profile starts in.
constexpr int kFirstLightMode = 1;

}  // namespace

int EnsureLightRows(SettingsStore& store, ProfileId profile, int deviceType,
                    const LightEnableFlags& enabled) {
  if (profile < 1) return 0;
  auto lock = store.HoldLock();
  if (store.CountLights(profile) > 0) return 0;
  int inserted = 0;
  for (const LightRecord& row : DefaultLightRows(profile, deviceType, enabled)) {
    if (store.InsertLight(row) != 0) ++inserted;
  }
  if (inserted > 0) store.SetActiveLightMode(profile, kFirstLightMode);
  return inserted;
}

}  // namespace korvex

namespace korvex {

int ResetLightRows(SettingsStore& store, ProfileId activeProfile, int deviceType,
                   const LightEnableFlags& enabled) {
  auto lock = store.HoldLock();
  std::vector<ProfileRecord> profiles;
  store.ListProfiles(profiles);
  for (const ProfileRecord& p : profiles) store.DeleteLights(p.profile);
  // An active profile missing from the list still loses its rows.
  store.DeleteLights(activeProfile);
  return EnsureLightRows(store, activeProfile, deviceType, enabled);
}

}  // namespace korvex
