#pragma once
#include <functional>
#include <mutex>

#include "app/DeviceContext.h"
#include "app/MacroUploadMark.h"
#include "app/ModelAccess.h"

namespace korvex {

// Runs the update work of a task code (23, 24, 26, 27) on the worker; the
// update subsystem supplies it. True when it succeeded.
using UpdateHook = std::function<bool(int code, DeviceContext& ctx)>;

// The connection work of the worker: device refresh, read-back with its page
// refreshes, whole-profile writes and the device-side resets. Every body
// returns true when its device work succeeded.
class DeviceSync {
 public:
  DeviceSync(DeviceContext& ctx, ModelAccess& models, MacroUploadMark& mark, UpdateHook update);

  // The device refresh: re-enumerates, fills the device list, picks the
  // current type and switches to its model, shows the connection state.
  void RefreshDevices();

  bool InitialSync();         // task 1
  bool ReconnectSync();       // task 2
  bool RemovalRefresh();      // task 3
  bool SelectedDeviceSync();  // task 4
  bool ApplyProfile();        // task 5
  bool FactoryReset();        // task 20
  bool ResetDpi();            // task 18

  // The firmware version check (task 24), also run after a synchronisation.
  bool CheckFirmware();
  bool RunUpdate(int code);
  // Any thread; takes effect with the next update task.
  void SetUpdateHook(UpdateHook update);

 private:
  void BootstrapProfiles();
  void RefreshLighting();
  void RefreshPerformance();
  void RefreshPages();
  void AfterReadBack(bool withFirmwareCheck);

  DeviceContext& ctx_;
  ModelAccess& models_;
  MacroUploadMark& mark_;
  std::mutex updateMutex_;
  UpdateHook update_;
};

}  // namespace korvex
