#include "app/DeviceChangeRules.h"

#include "platform/Log.h"
#include "transport/HidDeviceManager.h"

namespace korvex {

DeviceChangeAction DecideDeviceChange(HidDeviceManager& manager, const HidDeviceEvent& event,
                                      bool devicePresent) {
  LogLine(2, "UpdateUSBDevice path: %s", event.path.c_str());
  if (!manager.IsSupported(event.vendorId, event.productId)) return DeviceChangeAction::kIgnore;

  if (event.kind == HidDeviceEvent::Kind::Arrival) {
    return manager.IsConfigurationInterface(event.path) ? DeviceChangeAction::kReconnectSync
                                                        : DeviceChangeAction::kIgnore;
  }
  if (!devicePresent || event.interfaceNumber != kConfigurationInterfaceNumber) {
    return DeviceChangeAction::kIgnore;
  }
  return manager.ModeOf(event.vendorId, event.productId) == 1
             ? DeviceChangeAction::kExitProgram
             : DeviceChangeAction::kRemovalRefresh;
}

}  // namespace korvex
