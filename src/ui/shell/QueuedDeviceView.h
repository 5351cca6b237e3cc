#pragma once
// The DeviceView the worker is given: every call is queued to the GUI thread
// and forwarded there to the window's own DeviceView, in call order. It never
// blocks the caller (the GUI thread may itself be waiting for the worker to
// stop), and calls still queued when the context object dies are dropped.

#include <QMetaObject>
#include <QObject>
#include <string>
#include <utility>

#include "app/DeviceView.h"

namespace korvex {

class QueuedDeviceView : public DeviceView {
 public:
  // `context` lives on the GUI thread; `target` is only called there.
  QueuedDeviceView(QObject* context, DeviceView& target) : context_(context), target_(target) {}

  void ShowBattery(int level, int state) override {
    Post([=](DeviceView& v) { v.ShowBattery(level, state); });
  }
  void SetAllDeviceState(int state) override {
    Post([=](DeviceView& v) { v.SetAllDeviceState(state); });
  }
  void SetDeviceState(int type, int mode, int online) override {
    Post([=](DeviceView& v) { v.SetDeviceState(type, mode, online); });
  }
  void SetDeviceBattery(int type, int state, int level) override {
    Post([=](DeviceView& v) { v.SetDeviceBattery(type, state, level); });
  }
  void SetDeviceVersion(int type, int release) override {
    Post([=](DeviceView& v) { v.SetDeviceVersion(type, release); });
  }
  void SelectDevice(int type) override {
    Post([=](DeviceView& v) { v.SelectDevice(type); });
  }
  void ShowConnectionText(int textId) override {
    Post([=](DeviceView& v) { v.ShowConnectionText(textId); });
  }
  void ShowDevicePages() override {
    Post([](DeviceView& v) { v.ShowDevicePages(); });
  }
  void ShowPagesForOnlineDevices() override {
    Post([](DeviceView& v) { v.ShowPagesForOnlineDevices(); });
  }
  void ClosePopups() override {
    Post([](DeviceView& v) { v.ClosePopups(); });
  }
  void ShowModel() override {
    Post([](DeviceView& v) { v.ShowModel(); });
  }
  void ShowProfileName(const std::string& name) override {
    Post([name](DeviceView& v) { v.ShowProfileName(name); });
  }
  void ShowSensorLimits(int sensorCode, const SensorLimits& limits, int rateChoiceCount) override {
    Post([=](DeviceView& v) { v.ShowSensorLimits(sensorCode, limits, rateChoiceCount); });
  }
  void ShowDpiCount(int count) override {
    Post([=](DeviceView& v) { v.ShowDpiCount(count); });
  }
  void ShowDpiStage(int stage, int dpi, int sliderPosition) override {
    Post([=](DeviceView& v) { v.ShowDpiStage(stage, dpi, sliderPosition); });
  }
  void ShowDpiTip(int dpi) override {
    Post([=](DeviceView& v) { v.ShowDpiTip(dpi); });
  }
  void SelectReportRate(int code) override {
    Post([=](DeviceView& v) { v.SelectReportRate(code); });
  }
  void ShowVersionRow(int row, const std::string& text, const std::string& status) override {
    Post([=](DeviceView& v) { v.ShowVersionRow(row, text, status); });
  }
  void EnableFirmwareButtons(bool mouse, bool receiver) override {
    Post([=](DeviceView& v) { v.EnableFirmwareButtons(mouse, receiver); });
  }
  void RefreshButtonPage() override {
    Post([](DeviceView& v) { v.RefreshButtonPage(); });
  }
  void RefreshMacroList() override {
    Post([](DeviceView& v) { v.RefreshMacroList(); });
  }
  void RefreshPerformancePage() override {
    Post([](DeviceView& v) { v.RefreshPerformancePage(); });
  }
  void RefreshDpiControls() override {
    Post([](DeviceView& v) { v.RefreshDpiControls(); });
  }
  void RefreshLightingPage() override {
    Post([](DeviceView& v) { v.RefreshLightingPage(); });
  }
  void CloseWaitDialog() override {
    Post([](DeviceView& v) { v.CloseWaitDialog(); });
  }
  void CloseUpdateTipDialog() override {
    Post([](DeviceView& v) { v.CloseUpdateTipDialog(); });
  }
  void PostUpdateAvailable(int kind, const std::string& version) override {
    Post([=](DeviceView& v) { v.PostUpdateAvailable(kind, version); });
  }
  void ShowNoNewerVersion(int kind) override {
    Post([=](DeviceView& v) { v.ShowNoNewerVersion(kind); });
  }
  void ShowUpdateProgress(const std::string& text, int percent) override {
    Post([=](DeviceView& v) { v.ShowUpdateProgress(text, percent); });
  }
  void ShowUpdateFailed() override {
    Post([](DeviceView& v) { v.ShowUpdateFailed(); });
  }
  void EndProgram() override {
    Post([](DeviceView& v) { v.EndProgram(); });
  }

 private:
  template <class F>
  void Post(F&& call) {
    DeviceView* target = &target_;
    QMetaObject::invokeMethod(
        context_, [target, call = std::forward<F>(call)]() { call(*target); }, Qt::QueuedConnection);
  }

  QObject* context_;
  DeviceView& target_;
};

}  // namespace korvex
