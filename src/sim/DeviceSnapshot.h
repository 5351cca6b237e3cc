#pragma once
#include <cstdint>
#include <string>

#include "sim/DeviceRoster.h"
#include "sim/FirmwareUpdater.h"
#include "sim/SlotSettings.h"

namespace korvex::sim {

// A copy of one device's state for tests and the status text.
struct DeviceSnapshot {
  std::string name;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t release = 0;
  bool plugged = false;
  bool receiver = false;
  bool mouseOn = true;          // always true for a wired mouse
  MouseIdentity identity;       // firmware version as it is now
  std::uint8_t batteryLevel = 0;
  std::uint8_t batteryState = 0;
  int activeSlot = 0;
  SlotSettings slot;            // the active slot
  bool macroUploadInProgress = false;
  UpdateStatus update;
};

// Multi-line, human-readable state of one device ("status" command).
std::string FormatDeviceStatus(const DeviceSnapshot& s);

}  // namespace korvex::sim
