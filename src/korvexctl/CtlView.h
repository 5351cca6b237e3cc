#pragma once
#include <mutex>
#include <string>

#include "app/DeviceView.h"

namespace korvex {

// The command-line tool shows nothing while the worker runs; it reads the
// results afterwards. Only the profile label is kept.
class CtlView : public DeviceView {
 public:
  std::string ProfileLabel() const;

  void ShowBattery(int, int) override {}
  void SetAllDeviceState(int) override {}
  void SetDeviceState(int, int, int) override {}
  void SetDeviceBattery(int, int, int) override {}
  void SetDeviceVersion(int, int) override {}
  void SelectDevice(int) override {}
  void ShowConnectionText(int) override {}
  void ShowDevicePages() override {}
  void ShowPagesForOnlineDevices() override {}
  void ClosePopups() override {}
  void ShowModel() override {}
  void ShowProfileName(const std::string& name) override;
  void ShowSensorLimits(int, const SensorLimits&, int) override {}
  void ShowDpiCount(int) override {}
  void ShowDpiStage(int, int, int) override {}
  void ShowDpiTip(int) override {}
  void SelectReportRate(int) override {}
  void ShowVersionRow(int, const std::string&, const std::string&) override {}
  void EnableFirmwareButtons(bool, bool) override {}
  void RefreshButtonPage() override {}
  void RefreshMacroList() override {}
  void RefreshPerformancePage() override {}
  void RefreshDpiControls() override {}
  void RefreshLightingPage() override {}
  void CloseWaitDialog() override {}
  void CloseUpdateTipDialog() override {}
  void PostUpdateAvailable(int, const std::string&) override {}

 private:
  mutable std::mutex mutex_;
  std::string profileLabel_;
};

}  // namespace korvex
