#pragma once
// Records parsed from config.xml.

#include <cstdint>
#include <string>

namespace korvex {

// One supported model, or one connection mode of a model (then the model's
// fields are copied and the mode fields filled in; for a model entry the mode
// fields are zero or empty).
struct DeviceModelEntry {
  std::string name;          // display name
  int32_t deviceType = 0;    // model identifier, also the "DeviceType" preference
  std::string deviceAttr;    // base name of the descriptor and database files
  std::string image;         // full path of the device-list picture
  int32_t mode = 0;          // 0 wired, 1 receiver
  uint32_t vid = 0;
  uint32_t pid = 0;
  std::string devId;         // four characters when models share a receiver
  std::string desc;          // stored only
  std::string hidInterface;  // stored only
};

// A model as the device list shows it.
struct DeviceListItem {
  std::string name;
  int32_t deviceType = 0;
  std::string imagePath;
};

// What the HID device manager needs to recognise a mode of a model; the
// field names match the transport's own record.
struct SupportedDeviceRecord {
  uint32_t vendorId = 0;
  uint32_t productId = 0;
  int32_t deviceType = 0;
  int32_t mode = 0;
  std::string deviceId;
};

}  // namespace korvex
