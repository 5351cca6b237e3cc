#pragma once
#include <array>

#include "store/StoreRecords.h"
#include "store/StoreSchema.h"

namespace korvex {

// What the device work needs of the current model: the remembered device
// type, the model switch (database and descriptor) and the descriptor's
// defaults. The program binds it to the device catalogue and the
// preferences; tests may bind it to anything.
class ModelAccess {
 public:
  virtual ~ModelAccess() = default;

  // The "DeviceType" preference: the device type last chosen.
  virtual int WantedDeviceType() = 0;
  // Remembers deviceType as "DeviceType" and makes its model current:
  // reopens its settings database and applies its descriptor.
  virtual void SwitchModel(int deviceType) = 0;
  // The current descriptor's lighting flag and lighting modes.
  virtual bool HasLighting() = 0;
  virtual std::array<bool, kLightModeCount> LightModes() = 0;
  // Restore of defaults: deletes the settings database of the remembered
  // device type's model and creates it anew (empty, with its schema).
  virtual void RecreateDatabase() = 0;
  // Writes the descriptor's defaults into the profile (only the DPI stages
  // when dpiOnly).
  virtual void ApplyDescriptorDefaults(ProfileId profile, bool dpiOnly) = 0;
};

}  // namespace korvex
