#pragma once
#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "app/DeviceView.h"

namespace korvex::test {

// A DeviceView that writes every call down as one line of text, e.g.
// "ShowConnectionText 52" or "ShowDpiStage 2 1600 16".
class RecordingView : public DeviceView {
 public:
  std::vector<std::string> Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
  }
  // Calls starting with prefix.
  std::vector<std::string> Matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& c : Calls())
      if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
  }
  int Count(const std::string& prefix) const { return static_cast<int>(Matching(prefix).size()); }

  void ShowBattery(int level, int state) override { Add("ShowBattery", level, state); }
  void SetAllDeviceState(int state) override { Add("SetAllDeviceState", state); }
  void SetDeviceState(int type, int mode, int online) override { Add("SetDeviceState", type, mode, online); }
  void SetDeviceBattery(int type, int state, int level) override { Add("SetDeviceBattery", type, state, level); }
  void SetDeviceVersion(int type, int release) override { Add("SetDeviceVersion", type, release); }
  void SelectDevice(int type) override { Add("SelectDevice", type); }
  void ShowConnectionText(int textId) override { Add("ShowConnectionText", textId); }
  void ShowDevicePages() override { Add("ShowDevicePages"); }
  void ShowPagesForOnlineDevices() override { Add("ShowPagesForOnlineDevices"); }
  void ClosePopups() override { Add("ClosePopups"); }
  void ShowModel() override { Add("ShowModel"); }
  void ShowProfileName(const std::string& name) override { AddText("ShowProfileName", name); }
  void ShowSensorLimits(int sensorCode, const SensorLimits& limits, int rateChoiceCount) override {
    Add("ShowSensorLimits", sensorCode, limits.dpiMin, limits.dpiMax, limits.sliderMax, rateChoiceCount);
  }
  void ShowDpiCount(int count) override { Add("ShowDpiCount", count); }
  void ShowDpiStage(int stage, int dpi, int sliderPosition) override {
    Add("ShowDpiStage", stage, dpi, sliderPosition);
  }
  void ShowDpiTip(int dpi) override { Add("ShowDpiTip", dpi); }
  void SelectReportRate(int code) override { Add("SelectReportRate", code); }
  void ShowVersionRow(int row, const std::string& text, const std::string& status) override {
    AddText("ShowVersionRow", std::to_string(row) + " [" + text + "] [" + status + "]");
  }
  void EnableFirmwareButtons(bool mouse, bool receiver) override {
    Add("EnableFirmwareButtons", mouse ? 1 : 0, receiver ? 1 : 0);
  }
  void RefreshButtonPage() override { Add("RefreshButtonPage"); }
  void RefreshMacroList() override { Add("RefreshMacroList"); }
  void RefreshPerformancePage() override { Add("RefreshPerformancePage"); }
  void RefreshDpiControls() override { Add("RefreshDpiControls"); }
  void RefreshLightingPage() override { Add("RefreshLightingPage"); }
  void CloseWaitDialog() override { Add("CloseWaitDialog"); }
  void CloseUpdateTipDialog() override { Add("CloseUpdateTipDialog"); }
  void PostUpdateAvailable(int kind, const std::string& version) override {
    AddText("PostUpdateAvailable", std::to_string(kind) + " " + version);
  }
  void ShowNoNewerVersion(int kind) override { Add("ShowNoNewerVersion", kind); }
  void ShowUpdateProgress(const std::string& text, int percent) override {
    AddText("ShowUpdateProgress", text + " " + std::to_string(percent));
  }
  void EndProgram() override { Add("EndProgram"); }
  void ShowUpdateFailed() override { Add("ShowUpdateFailed"); }

 private:
  template <typename... Ints>
  void Add(const char* name, Ints... values) {
    std::string line = name;
    ((line += " " + std::to_string(values)), ...);
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(line);
  }
  void AddText(const char* name, const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::string(name) + " " + text);
  }

  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace korvex::test
