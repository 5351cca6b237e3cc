#pragma once
#include <string>

#include "protocol/DpiConversion.h"

namespace korvex {

// Everything the device work shows. The worker calls these from its own
// thread and never waits for an answer; a window implementation marshals each
// call to its interface thread (queued, never blocking: the interface thread
// may itself be waiting for the worker to stop). Calls arrive in the order
// the worker makes them.
class DeviceView {
 public:
  virtual ~DeviceView() = default;

  // Frame battery gauge.
  virtual void ShowBattery(int level, int state) = 0;

  // Device list of the home page: one entry per device type.
  virtual void SetAllDeviceState(int state) = 0;
  virtual void SetDeviceState(int type, int mode, int online) = 0;
  virtual void SetDeviceBattery(int type, int state, int level) = 0;
  virtual void SetDeviceVersion(int type, int release) = 0;
  virtual void SelectDevice(int type) = 0;

  // Connection text of the frame: interface text 50 (no device), 51 (wired)
  // or 52 (receiver).
  virtual void ShowConnectionText(int textId) = 0;
  // The mouse came online: show the tabbed device pages.
  virtual void ShowDevicePages() = 0;
  // The mouse went away: show the pages that suit the number of devices the
  // device list still shows online.
  virtual void ShowPagesForOnlineDevices() = 0;
  // Close the pop-up windows (tips, key dialog, message boxes, menus, combo
  // lists, palette), destroy the wait dialog and stop a macro recording.
  virtual void ClosePopups() = 0;

  // The current model (database and descriptor) changed: rebuild the
  // model-dependent controls (mouse picture, button list, lighting tab).
  virtual void ShowModel() = 0;
  virtual void ShowProfileName(const std::string& name) = 0;

  // The sensor code with its DPI limits (the slider takes sliderMax and the
  // two texts) and the report-rate choice count (4 to 7), as learnt from the
  // device information.
  virtual void ShowSensorLimits(int sensorCode, const SensorLimits& limits,
                                int rateChoiceCount) = 0;
  // A DPI-button press on the mouse changed the stage count or the stage.
  virtual void ShowDpiCount(int count) = 0;
  virtual void ShowDpiStage(int stage, int dpi, int sliderPosition) = 0;
  // Shown on a DPI-button press when the window's tip option is on.
  virtual void ShowDpiTip(int dpi) = 0;
  virtual void SelectReportRate(int code) = 0;

  // Version rows of the device page: row 0 the mouse, row 1 the receiver,
  // each with its status label; and the two firmware buttons.
  virtual void ShowVersionRow(int row, const std::string& text, const std::string& status) = 0;
  virtual void EnableFirmwareButtons(bool mouse, bool receiver) = 0;

  // Re-read the active profile from the settings store.
  virtual void RefreshButtonPage() = 0;
  virtual void RefreshMacroList() = 0;
  virtual void RefreshPerformancePage() = 0;
  virtual void RefreshDpiControls() = 0;
  virtual void RefreshLightingPage() = 0;

  // End the wait window (profile switch, restore of defaults) with OK, and
  // the firmware update window.
  virtual void CloseWaitDialog() = 0;
  virtual void CloseUpdateTipDialog() = 0;
  // A newer software (kind 0) or firmware (kind 1) exists.
  virtual void PostUpdateAvailable(int kind, const std::string& version) = 0;
  // A check found nothing newer: the settings page's update label (kind 0)
  // or the mouse's firmware status, with its button disabled (kind 1), show
  // that the version is the latest.
  virtual void ShowNoNewerVersion(int /*kind*/) {}
  // The firmware update window's status line ("<text>: <percent>%") and bar.
  virtual void ShowUpdateProgress(const std::string& /*text*/, int /*percent*/) {}
  // The mouse did not take the new firmware (it keeps the old one): told
  // once the update window has closed.
  virtual void ShowUpdateFailed() {}
  // The desktop's installer has the new package: the program ends (exit
  // code 0).
  virtual void EndProgram() {}
};

}  // namespace korvex
