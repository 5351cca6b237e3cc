#include "catalogue/ModelSwitch.h"

#include <utility>

#include "catalogue/DeviceCatalogue.h"
#include "store/SettingsStore.h"

namespace korvex {

ModelSwitch::ModelSwitch(SettingsStore& store, std::string appFolder, std::string dataFolder, TextLookup text)
    : store_(store), appFolder_(std::move(appFolder)), dataFolder_(std::move(dataFolder)), text_(std::move(text)) {}

CurrentModel ModelSwitch::ModelOf(const DeviceCatalogue& catalogue, int deviceType) {
  CurrentModel model;
  model.deviceType = deviceType;
  if (const DeviceModelEntry* entry = catalogue.FindModel(deviceType)) {
    model.name = entry->name;
    model.deviceAttr = entry->deviceAttr;
  }
  return model;
}

bool ModelSwitch::SwitchModel(const DeviceCatalogue& catalogue, int deviceType) {
  std::lock_guard<std::mutex> switching(switchMutex_);
  CurrentModel model = ModelOf(catalogue, deviceType);
  bool opened = store_.SwitchModel(dataFolder_, model.deviceAttr);

  // Read outside the readers' lock: they must not wait on the file.
  ModelDescriptor descriptor = Descriptor();
  bool read = ReadModelDescriptor(DescriptorPath(appFolder_, model.deviceAttr), text_, descriptor);
  if (!read) descriptor.firmwareUrl.clear();

  std::lock_guard<std::mutex> lock(mutex_);
  current_ = std::move(model);
  descriptor_ = std::move(descriptor);
  databaseOpen_ = opened;
  return read;
}

DescriptorDefaultsResult ModelSwitch::ApplyDescriptorDefaults(const DeviceCatalogue& catalogue, int deviceType,
                                                              ProfileId profile, bool dpiOnly) {
  CurrentModel model = ModelOf(catalogue, deviceType);
  return korvex::ApplyDescriptorDefaults(store_, profile, DescriptorPath(appFolder_, model.deviceAttr), dpiOnly);
}

bool ModelSwitch::DatabaseOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return databaseOpen_;
}

CurrentModel ModelSwitch::Current() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return current_;
}

ModelDescriptor ModelSwitch::Descriptor() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return descriptor_;
}

bool ModelSwitch::HasLighting() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return descriptor_.hasLighting;
}

LightEnableFlags ModelSwitch::LightEnable() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return descriptor_.lightEnable;
}

std::string ModelSwitch::FirmwareUrl() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return descriptor_.firmwareUrl;
}

}  // namespace korvex
