#include "lighting/LightRows.h"

#include "store/SettingsStore.h"

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
