#pragma once
// The switch between mouse models: the settings database of the model and
// its descriptor become current together. Owned by the main window and used
// by the worker (device refresh) and the interface thread (device selection,
// pages); every member takes the object's own lock, and readers get copies.

#include <mutex>
#include <string>

#include "catalogue/DescriptorDefaults.h"
#include "catalogue/ModelDescriptor.h"
#include "store/StoreRecords.h"

namespace korvex {

class DeviceCatalogue;
class SettingsStore;

// The model in use; both texts are empty when the device type matches no model.
struct CurrentModel {
  int deviceType = 0;
  std::string name;
  std::string deviceAttr;
};

class ModelSwitch {
 public:
  // appFolder holds "device/<attr>.xml"; dataFolder holds "db/". `text`
  // names the buttons and their default functions in the current language.
  ModelSwitch(SettingsStore& store, std::string appFolder, std::string dataFolder, TextLookup text);
  ModelSwitch(const ModelSwitch&) = delete;
  ModelSwitch& operator=(const ModelSwitch&) = delete;

  // Makes the model of `deviceType` (the stored "DeviceType") current: the
  // first catalogue model with that type, or the empty model when none has
  // it. Its database is closed and reopened in any case; then its
  // descriptor is applied. True when the descriptor was read; when it was
  // not, the previous descriptor data stays except the firmware location,
  // which is cleared so another model's firmware is never offered.
  bool SwitchModel(const DeviceCatalogue& catalogue, int deviceType);

  // Writes the descriptor defaults of the model of `deviceType` into
  // `profile` (dpiOnly: only the DPI stages, count and index).
  DescriptorDefaultsResult ApplyDescriptorDefaults(const DeviceCatalogue& catalogue, int deviceType,
                                                   ProfileId profile, bool dpiOnly);

  // Whether the last database open succeeded.
  bool DatabaseOpen() const;
  CurrentModel Current() const;
  ModelDescriptor Descriptor() const;
  bool HasLighting() const;
  LightEnableFlags LightEnable() const;
  std::string FirmwareUrl() const;

 private:
  static CurrentModel ModelOf(const DeviceCatalogue& catalogue, int deviceType);

  SettingsStore& store_;
  const std::string appFolder_;
  const std::string dataFolder_;
  const TextLookup text_;
  std::mutex switchMutex_;  // one switch at a time: database and descriptor stay a pair
  mutable std::mutex mutex_;  // guards the fields below for readers
  CurrentModel current_;
  ModelDescriptor descriptor_;
  bool databaseOpen_ = false;
};

}  // namespace korvex
