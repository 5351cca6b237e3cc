#pragma once
// The parsed application configuration (config.xml): languages, the caption,
// software version and links, and every supported model with the USB
// identities of its connection modes. Read with forward search, so the
// element order of the file is part of its format.

#include <set>
#include <string>
#include <vector>

#include "catalogue/DeviceModelEntry.h"

namespace korvex {

class XmlDocument;

struct SoftwareInfo {
  std::string version;
  std::string website;
  std::string feedback;
  std::string qa;
  std::string store;
  std::string upgrade;
  std::string notice;  // `info` of the copyright element
};

class DeviceCatalogue {
 public:
  // "<appFolder>config.xml" and "<appFolder>skins/<theme>/device/".
  static std::string ConfigPath(const std::string& appFolder);
  static std::string DeviceImageFolder(const std::string& appFolder, const std::string& theme);

  // Start-up read: the available languages, the default language and the
  // caption. False when the file cannot be read or is not well formed (the
  // language set is then empty). The caller hands the caption to the
  // identity and the default language to the texts before the stored choice
  // is applied.
  bool LoadApplicationConfig(const std::string& configPath);

  // Main-window read: models, modes, device-list items and supported-device
  // records (all cleared first), then version and links. Image paths are
  // `imageFolder` followed by each model's `image`.
  bool LoadDeviceList(const std::string& configPath, const std::string& imageFolder);

  // The window drops the mode entries when it closes.
  void ClearModes() { modes_.clear(); }

  const std::set<int>& AvailableLanguages() const { return languages_; }
  int DefaultLanguage() const { return defaultLanguage_; }
  const std::string& Caption() const { return caption_; }
  const SoftwareInfo& Software() const { return software_; }
  const std::vector<DeviceModelEntry>& Models() const { return models_; }
  const std::vector<DeviceModelEntry>& Modes() const { return modes_; }
  const std::vector<DeviceListItem>& DeviceListItems() const { return listItems_; }
  const std::vector<SupportedDeviceRecord>& SupportedDevices() const { return supported_; }

  // The first model entry with that device type, or null.
  const DeviceModelEntry* FindModel(int deviceType) const;

 private:
  void ReadLanguages(XmlDocument& doc);
  void ReadModels(XmlDocument& doc, const std::string& imageFolder);
  void ReadModes(XmlDocument& doc, const DeviceModelEntry& model);
  void ReadSoftware(XmlDocument& doc);

  std::set<int> languages_;
  int defaultLanguage_ = 0;
  std::string caption_;
  SoftwareInfo software_;
  std::vector<DeviceModelEntry> models_;
  std::vector<DeviceModelEntry> modes_;
  std::vector<DeviceListItem> listItems_;
  std::vector<SupportedDeviceRecord> supported_;
};

// Attribute numbers of config.xml: decimal like the C library (empty gives
// 0) and hexadecimal with or without "0x".
int32_t ConfigDecimal(const std::string& text);
uint32_t ConfigHexadecimal(const std::string& text);

}  // namespace korvex
