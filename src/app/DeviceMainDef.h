#pragma once
#include <cstdint>
#include <set>
#include <string>

#include "app/MouseSettings.h"
#include "store/StoreRecords.h"

namespace korvex {

// What the program knows about the current device: written by the worker's
// synchronisation and polls, read by the pages. A plain record; the worker
// keeps the live copy behind a lock and hands out copies.
struct DeviceMainDef {
  // Device type whose interfaces carry the connection; 0 = none.
  int currentType = 0;
  // At least one supported interface was found by the last device refresh.
  bool devicePresent = false;

  // From the stored device information of the active interface.
  int sensorCode = 0;
  int deviceWord = 0;
  int dpiMin = 50;
  int dpiMax = 26000;
  int sliderMax = 520;
  int rateChoiceCount = 4;
  bool mouseConnected = false;
  int batteryState = 0;
  int batteryLevel = 0;

  // Mouse firmware version text ("%X%02X"), compared by the update check.
  std::string mouseFirmwareVersion;
  // Receiver version text ("%X" of its release) on receiver connections.
  std::string receiverVersion;

  // Device types already read back during this run; emptied only by the
  // restore of defaults, together with the initial-sync flag.
  std::set<int> readBackTypes;
  bool initialSyncDone = false;
  // The answers of the last read-back of every setting.
  MouseSettings mouseSettings;

  ProfileId currentProfile = 0;
  // The current model's descriptor enables lighting.
  bool hasLighting = false;

  // Stage count and current stage as last shown, and the mouse-online flag
  // driven by the receiver's status reports.
  int stageCount = 0;
  int currentStage = 0;
  bool mouseOnline = false;
};

}  // namespace korvex
