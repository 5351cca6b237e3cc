#pragma once
#include <string>

#include "app/ModelAccess.h"

namespace korvex {

class DeviceCatalogue;
class ModelSwitch;
class SettingsStore;

// ModelAccess over the program's own pieces: the "DeviceType" preference,
// the device catalogue (config.xml) and the model switch.
class CatalogueModels : public ModelAccess {
 public:
  // The name the restore of defaults uses when no model carries the
  // remembered device type.
  static constexpr const char* kFallbackModelName = "Drevana";

  CatalogueModels(const DeviceCatalogue& catalogue, ModelSwitch& models, SettingsStore& store,
                  std::string dataFolder);

  // The "DeviceType" preference, unless a type was given here instead.
  int WantedDeviceType() override;
  // A caller that picks the wanted type itself (the command-line tool) sets
  // it here rather than writing the preference first.
  void SetWantedDeviceType(int type) { wantedOverride_ = type; }
  void SwitchModel(int deviceType) override;
  bool HasLighting() override;
  std::array<bool, kLightModeCount> LightModes() override;
  void RecreateDatabase() override;
  void ApplyDescriptorDefaults(ProfileId profile, bool dpiOnly) override;

 private:
  const DeviceCatalogue& catalogue_;
  ModelSwitch& models_;
  SettingsStore& store_;
  std::string dataFolder_;
  int wantedOverride_ = 0;
};

}  // namespace korvex
