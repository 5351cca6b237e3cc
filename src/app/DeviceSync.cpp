#include "app/DeviceSync.h"

#include <functional>

#include "app/ButtonWriter.h"
#include "app/DeviceRefresh.h"
#include "app/LightingWriter.h"
#include "app/PerformanceWriters.h"
#include "app/ProfileValues.h"
#include "app/ReadBack.h"
#include "app/VersionDisplay.h"
#include "lighting/LightRows.h"
#include "platform/Log.h"
#include "profiles/ProfileBootstrap.h"
#include "protocol/Frames.h"

namespace korvex {

DeviceSync::DeviceSync(DeviceContext& ctx, ModelAccess& models, MacroUploadMark& mark,
                       UpdateHook update)
    : ctx_(ctx), models_(models), mark_(mark), update_(std::move(update)) {}

void DeviceSync::RefreshDevices() {
  const DeviceRefreshResult result = korvex::RefreshDevices(ctx_.hid, models_.WantedDeviceType());
  ctx_.view.SetAllDeviceState(0);
  for (const FoundDevice& item : result.devices) {
    ctx_.view.SetDeviceState(item.type, item.mode, item.onlineState);
    ctx_.view.SetDeviceBattery(item.type, item.batteryState, item.batteryLevel);
    ctx_.view.SetDeviceVersion(item.type, static_cast<int>(item.release));
  }
  if (result.selectedType > 0) {
    ctx_.view.SelectDevice(result.selectedType);
    ctx_.state.Update([&](DeviceMainDef& d) { d.currentType = result.selectedType; });
    models_.SwitchModel(result.selectedType);
    const bool lighting = models_.HasLighting();
    ctx_.state.Update([&](DeviceMainDef& d) { d.hasLighting = lighting; });
    ctx_.view.ShowModel();
  }
  ctx_.state.Update([&](DeviceMainDef& d) { d.devicePresent = result.devicePresent; });
  ctx_.view.ShowConnectionText(result.connectionText);
  ctx_.view.ClosePopups();
}

void DeviceSync::BootstrapProfiles() {
  const ProfileState profiles = korvex::BootstrapProfiles(ctx_.store, ctx_.text(61));
  ctx_.state.Update([&](DeviceMainDef& d) { d.currentProfile = profiles.current; });
  ctx_.view.ShowProfileName(profiles.label);
}

void DeviceSync::RefreshLighting() {
  if (!ctx_.HasLighting()) return;
  // The page's first load creates the profile's lighting rows; the rows must
  // exist before the mouse's lighting state is read into them or the
  // profile's lighting is written, so they are made here, on this thread.
  EnsureLightRows(ctx_.store, ctx_.Profile(), ctx_.CurrentType(), models_.LightModes());
  ctx_.view.RefreshLightingPage();
}

void DeviceSync::RefreshPerformance() {
  ProfileValues values(ctx_.store, ctx_.Profile());
  const int count = values.Int("dpi_count");
  const int index = values.Int("dpi_index");
  ctx_.state.Update([&](DeviceMainDef& d) {
    d.stageCount = count;
    d.currentStage = index < count ? index : 0;
  });
  ctx_.view.RefreshPerformancePage();
}

void DeviceSync::RefreshPages() {
  ctx_.view.RefreshButtonPage();
  ctx_.view.RefreshMacroList();
  RefreshPerformance();
  RefreshLighting();
}

void DeviceSync::AfterReadBack(bool withFirmwareCheck) {
  RefreshPages();
  ShowVersions(ctx_);
  if (withFirmwareCheck) CheckFirmware();
}

bool DeviceSync::InitialSync() {
  const bool done = ctx_.state.Read([](const DeviceMainDef& d) { return d.initialSyncDone; });
  if (done || ctx_.hid.SessionMode() == -1) return true;
  BootstrapProfiles();
  RefreshLighting();
  if (!ReadBack(ctx_)) {
    LogLine(2, "获取鼠标数据异常, 当前模式: %d", ctx_.hid.SessionMode());
    return false;
  }
  AfterReadBack(true);
  ctx_.state.Update([](DeviceMainDef& d) { d.initialSyncDone = true; });
  return true;
}

bool DeviceSync::ReconnectSync() {
  // Give the new device time to settle before it is enumerated.
  if (!ctx_.sleep(1000)) return false;
  ctx_.state.Update([](DeviceMainDef& d) { d.mouseConnected = false; });
  RefreshDevices();
  if (ctx_.hid.SessionMode() == -1) return false;
  BootstrapProfiles();
  RefreshPages();
  if (!ReadBack(ctx_)) {
    LogLine(2, "获取鼠标数据异常, 当前模式: %d", ctx_.hid.SessionMode());
    return false;
  }
  AfterReadBack(true);
  return true;
}

bool DeviceSync::RemovalRefresh() {
  if (!ctx_.sleep(500)) return false;
  ctx_.state.Update([](DeviceMainDef& d) { d.mouseConnected = false; });
  RefreshDevices();
  if (ctx_.hid.SessionMode() == -1) return false;
  if (!ReadBack(ctx_)) {
    LogLine(2, "获取鼠标数据异常, 当前模式: %d", ctx_.hid.SessionMode());
    return false;
  }
  AfterReadBack(false);
  return true;
}

bool DeviceSync::SelectedDeviceSync() {
  BootstrapProfiles();
  RefreshPages();
  if (!ReadBack(ctx_)) {
    LogLine(2, "获取鼠标数据异常");
    return false;
  }
  AfterReadBack(false);
  return true;
}

bool DeviceSync::ApplyProfile() {
  ctx_.view.RefreshButtonPage();
  RefreshPerformance();
  RefreshLighting();
  const bool lighting = ctx_.HasLighting();
  const std::function<bool()> writes[] = {
      [&] { return WriteButtons(ctx_, mark_); },
      [&] { return !lighting || WriteLighting(ctx_); },
      [&] { return WriteDpiStages(ctx_); },
      [&] { return WriteDpiColours(ctx_); },
      [&] { return WriteReportRate(ctx_); },
      [&] { return WriteLiftoffSensor(ctx_); },
      [&] { return WritePowerOptions(ctx_); },
  };
  // Every command is sent even when one before it was refused.
  bool ok = true;
  for (const auto& write : writes) {
    if (ctx_.stopping()) return false;
    ok = write() && ok;
  }
  return ok;
}

bool DeviceSync::FactoryReset() {
  ReportFrame frame = BuildFactoryReset();
  const bool ok = ctx_.hid.Exchange(frame);
  BootstrapProfiles();
  RefreshLighting();
  const bool readOk = ReadBack(ctx_);
  ctx_.view.RefreshButtonPage();
  ctx_.view.RefreshMacroList();
  // The report-rate choices stay those the mouse reported: the descriptor's
  // default rate is a rate code, not a number of choices.
  models_.ApplyDescriptorDefaults(ctx_.Profile(), false);
  RefreshPerformance();
  RefreshLighting();
  ctx_.view.CloseWaitDialog();
  ctx_.sleep(100);
  return ok && readOk;
}

bool DeviceSync::ResetDpi() {
  ReportFrame frame = BuildResetDpi();
  const bool ok = ctx_.hid.Exchange(frame);
  models_.ApplyDescriptorDefaults(ctx_.Profile(), true);
  ProfileValues values(ctx_.store, ctx_.Profile());
  const int count = values.Int("dpi_count");
  const int index = values.Int("dpi_index");
  ctx_.state.Update([&](DeviceMainDef& d) {
    d.stageCount = count;
    d.currentStage = index < count ? index : 0;
  });
  ctx_.view.RefreshDpiControls();
  return ok;
}

bool DeviceSync::CheckFirmware() { return RunUpdate(24); }

bool DeviceSync::RunUpdate(int code) {
  UpdateHook update;
  {
    std::lock_guard<std::mutex> lock(updateMutex_);
    update = update_;
  }
  // Without the update subsystem there is nothing to check or install.
  if (!update) return true;
  return update(code, ctx_);
}

void DeviceSync::SetUpdateHook(UpdateHook update) {
  std::lock_guard<std::mutex> lock(updateMutex_);
  update_ = std::move(update);
}

}  // namespace korvex
