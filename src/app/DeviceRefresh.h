#pragma once
#include <cstdint>
#include <vector>

namespace korvex {

class HidDeviceManager;

// One classified interface as the device list shows it. (The catalogue's
// DeviceListItem is a different record: one model of config.xml.)
struct FoundDevice {
  int type = 0;
  int mode = 0;
  int onlineState = 0;
  int batteryState = 0;  // device-information byte 12
  int batteryLevel = 0;  // device-information byte 13
  std::uint32_t release = 0;
};

// Former name, kept for the transport tests. Only an alias: a second class
// of the catalogue's name would break the one-definition rule in programs
// that link both. Do not include this header together with
// catalogue/DeviceModelEntry.h while the alias exists.
using DeviceListItem = FoundDevice;

// What the window shows after a device refresh.
struct DeviceRefreshResult {
  // Classified interfaces (type above 0), in enumeration order. The list
  // control first sets every device to state 0, then applies these.
  std::vector<FoundDevice> devices;
  // The type made current; 0 when nothing was classified (then "DeviceType"
  // and the model stay as they were).
  int selectedType = 0;
  bool devicePresent = false;  // any supported interface at all
  int sessionMode = -1;
  int connectionText = 50;  // 50 no device, 51 wired, 52 receiver
};

// The wanted type when an interface of that type is listed, otherwise the
// first listed type above 0; 0 when there is none.
int SelectDeviceType(const std::vector<FoundDevice>& devices, int wantedType);

// Interface text of a session mode: -1 gives 50, 0 gives 51, 1 gives 52.
int ConnectionTextOf(int sessionMode);

// Rebuilds the manager's interface list from the devices present and picks
// the current type. The caller reads "DeviceType" for wantedType and, when
// selectedType is above 0, writes it back and loads that model. The caller
// also closes the open pop-up windows.
DeviceRefreshResult RefreshDevices(HidDeviceManager& manager, int wantedType);

}  // namespace korvex
