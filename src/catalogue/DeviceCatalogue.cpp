#include "catalogue/DeviceCatalogue.h"

#include <cctype>
#include <cstdint>

#include "platform/PreferenceStore.h"
#include "xml/XmlDocument.h"

namespace korvex {

int32_t ConfigDecimal(const std::string& text) { return DecimalValue(text); }

uint32_t ConfigHexadecimal(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (text.size() - i >= 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) i += 2;
  uint64_t value = 0;
  for (; i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    value = value * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    if (value > UINT32_MAX) return UINT32_MAX;
  }
  return static_cast<uint32_t>(value);
}

std::string DeviceCatalogue::ConfigPath(const std::string& appFolder) { return appFolder + "config.xml"; }

std::string DeviceCatalogue::DeviceImageFolder(const std::string& appFolder, const std::string& theme) {
  return appFolder + "skins/" + theme + "/device/";
}

bool DeviceCatalogue::LoadApplicationConfig(const std::string& configPath) {
  languages_.clear();
  XmlDocument doc;
  if (!doc.LoadFile(configPath)) return false;
  if (!doc.FindNext("config") || !doc.EnterElement()) return true;
  ReadLanguages(doc);
  // Searched after language.info: a software element before it is not seen.
  if (doc.FindNext("software")) caption_ = doc.GetAttribute("caption");
  return true;
}

void DeviceCatalogue::ReadLanguages(XmlDocument& doc) {
  if (!doc.FindNext("language.info")) return;
  defaultLanguage_ = ConfigDecimal(doc.GetAttribute("default_lan"));
  doc.EnterElement();
  while (doc.FindNext("lan")) languages_.insert(ConfigDecimal(doc.GetAttribute("value")));
  doc.LeaveElement();
}

bool DeviceCatalogue::LoadDeviceList(const std::string& configPath, const std::string& imageFolder) {
  models_.clear();
  modes_.clear();
  listItems_.clear();
  supported_.clear();
  XmlDocument doc;
  if (!doc.LoadFile(configPath)) return false;
  if (!doc.FindNext("config") || !doc.EnterElement()) return true;
  if (doc.FindNext("device")) {
    doc.EnterElement();
    ReadModels(doc, imageFolder);
    doc.LeaveElement();
  }
  // Searched after device: a software element before it is not seen.
  ReadSoftware(doc);
  return true;
}

void DeviceCatalogue::ReadModels(XmlDocument& doc, const std::string& imageFolder) {
  while (doc.FindNext("mouse")) {
    DeviceModelEntry model;
    model.name = doc.GetAttribute("name");
    model.deviceType = ConfigDecimal(doc.GetAttribute("device_type"));
    model.deviceAttr = doc.GetAttribute("device_attr");
    model.image = imageFolder + doc.GetAttribute("image");
    models_.push_back(model);
    listItems_.push_back({model.name, model.deviceType, model.image});
    doc.EnterElement();
    ReadModes(doc, model);
    doc.LeaveElement();
  }
}

void DeviceCatalogue::ReadModes(XmlDocument& doc, const DeviceModelEntry& model) {
  while (doc.FindNext("mode")) {
    DeviceModelEntry mode = model;
    mode.mode = ConfigDecimal(doc.GetAttribute("value"));
    mode.desc = doc.GetAttribute("desc");
    mode.vid = ConfigHexadecimal(doc.GetAttribute("vid"));
    mode.pid = ConfigHexadecimal(doc.GetAttribute("pid"));
    mode.devId = doc.GetAttribute("dev_id");
    mode.hidInterface = doc.GetAttribute("hid_interface");
    modes_.push_back(mode);
    supported_.push_back({mode.vid, mode.pid, mode.deviceType, mode.mode, mode.devId});
  }
}

void DeviceCatalogue::ReadSoftware(XmlDocument& doc) {
  if (!doc.FindNext("software")) return;
  software_.version = doc.GetAttribute("version");
  doc.EnterElement();
  struct Link {
    const char* element;
    const char* attribute;
    std::string* target;
  };
  const Link links[] = {{"website", "url", &software_.website}, {"feedback", "url", &software_.feedback},
                        {"qa", "url", &software_.qa},           {"store", "url", &software_.store},
                        {"upgrade", "url", &software_.upgrade}, {"copyright", "info", &software_.notice}};
  for (const Link& link : links) {
    if (doc.FindNext(link.element)) *link.target = doc.GetAttribute(link.attribute);
  }
  doc.LeaveElement();
}

const DeviceModelEntry* DeviceCatalogue::FindModel(int deviceType) const {
  for (const DeviceModelEntry& model : models_) {
    if (model.deviceType == deviceType) return &model;
  }
  return nullptr;
}

}  // namespace korvex
