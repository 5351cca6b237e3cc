#pragma once

namespace korvex {

// Codes of the device work queued by interface handlers and run in order by
// the worker. Codes without work (15, 16, 21, 25, ...) are consumed silently.
enum DeviceTask : int {
  kInitialSync = 1,
  kReconnectSync = 2,
  kRemovalRefresh = 3,
  kSelectedDeviceSync = 4,
  kApplyProfile = 5,
  kWriteButtons = 6,
  kWriteLighting = 8,
  kWriteDpiStages = 9,
  kWriteDpiColours = 10,
  kWriteReportRate = 11,
  kWriteLiftoffSensor = 12,
  kWritePowerOptions = 13,
  // The stored value reaches the mouse with the next power-options write
  // (codes 5 and 13); the code itself sends nothing.
  kButtonResponseTime = 14,
  kResetLighting = 17,
  kResetDpi = 18,
  kResetReportRate = 19,
  kFactoryReset = 20,
  kCheckSoftwareUpdate = 23,
  kCheckFirmwareUpdate = 24,
  kInstallSoftwareUpdate = 26,
  kInstallFirmwareUpdate = 27,
};

}  // namespace korvex
