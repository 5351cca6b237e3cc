#include "app/CatalogueModels.h"

#include "catalogue/DeviceCatalogue.h"
#include "catalogue/ModelSwitch.h"
#include "platform/PreferenceStore.h"
#include "store/SettingsStore.h"

namespace korvex {

CatalogueModels::CatalogueModels(const DeviceCatalogue& catalogue, ModelSwitch& models,
                                 SettingsStore& store, std::string dataFolder)
    : catalogue_(catalogue), models_(models), store_(store), dataFolder_(std::move(dataFolder)) {}

int CatalogueModels::WantedDeviceType() {
  return wantedOverride_ > 0 ? wantedOverride_ : ReadPreference("DeviceType");
}

void CatalogueModels::SwitchModel(int deviceType) {
  WritePreference("DeviceType", std::to_string(deviceType));
  models_.SwitchModel(catalogue_, deviceType);
}

bool CatalogueModels::HasLighting() { return models_.HasLighting(); }

std::array<bool, kLightModeCount> CatalogueModels::LightModes() { return models_.LightEnable(); }

void CatalogueModels::RecreateDatabase() {
  const DeviceModelEntry* model = catalogue_.FindModel(ReadPreference("DeviceType"));
  store_.RestoreDefaults(dataFolder_, model ? model->deviceAttr : kFallbackModelName);
}

void CatalogueModels::ApplyDescriptorDefaults(ProfileId profile, bool dpiOnly) {
  models_.ApplyDescriptorDefaults(catalogue_, ReadPreference("DeviceType"), profile, dpiOnly);
}

}  // namespace korvex
