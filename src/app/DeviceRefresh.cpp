#include "app/DeviceRefresh.h"

#include <mutex>

#include "transport/HidDeviceManager.h"

namespace korvex {

int SelectDeviceType(const std::vector<FoundDevice>& devices, int wantedType) {
  int first = 0;
  for (const auto& device : devices) {
    if (device.type <= 0) continue;
    if (device.type == wantedType) return wantedType;
    if (first == 0) first = device.type;
  }
  return first;
}

int ConnectionTextOf(int sessionMode) {
  switch (sessionMode) {
    case 0:
      return 51;
    case 1:
      return 52;
    default:
      return 50;
  }
}

DeviceRefreshResult RefreshDevices(HidDeviceManager& manager, int wantedType) {
  // One lock over the whole refresh: a poll or exchange must not see the
  // list half rebuilt or the type not yet chosen.
  std::lock_guard<std::recursive_mutex> lock(manager.Mutex());
  manager.ClearActiveCache();
  manager.CloseAll();
  manager.Enumerate();
  manager.SetOpened(true);
  manager.SetCurrentDeviceType(0);

  std::vector<HidInterfaceEntry> entries;
  manager.CollectEntries(entries);

  DeviceRefreshResult result;
  for (const auto& entry : entries) {
    if (entry.deviceType <= 0) continue;
    result.devices.push_back({entry.deviceType, entry.mode, entry.onlineState,
                              entry.batteryState, entry.batteryLevel, entry.release});
  }
  result.selectedType = SelectDeviceType(result.devices, wantedType);
  if (result.selectedType > 0) manager.SetCurrentDeviceType(result.selectedType);
  result.devicePresent = !entries.empty();
  result.sessionMode = manager.SessionMode();
  result.connectionText = ConnectionTextOf(result.sessionMode);
  return result;
}

}  // namespace korvex
