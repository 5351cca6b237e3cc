#pragma once
#include "transport/HidBackend.h"

namespace korvex {

class HidDeviceManager;

// What the window does about one device arrival or removal.
enum class DeviceChangeAction {
  kIgnore,          // nothing to do
  kReconnectSync,   // queue task 2
  kRemovalRefresh,  // queue task 3
  kExitProgram,     // the receiver went: remove the tray icon and end at once
};

// The configuration interface of a supported mouse or receiver is USB
// interface 2; only its removal counts.
inline constexpr int kConfigurationInterfaceNumber = 2;

// Decides what an arrival or removal means. An arrival counts when its ids
// belong to a supported model and the node is the configuration collection;
// a removal counts only while a device is present and only for interface 2
// of a supported pair: a receiver's ends the program, anything else refreshes.
DeviceChangeAction DecideDeviceChange(HidDeviceManager& manager, const HidDeviceEvent& event,
                                      bool devicePresent);

}  // namespace korvex
