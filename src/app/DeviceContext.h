#pragma once
#include <functional>
#include <string>

#include "app/DeviceStateBox.h"
#include "app/DeviceView.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"

namespace korvex {

// Interface text N of the current language.
using TextSource = std::function<std::string(int)>;
// Sleeps up to ms; false when the worker is being stopped and the caller
// should wind down.
using WorkerSleep = std::function<bool(int)>;
// True once the worker is being stopped.
using WorkerStopping = std::function<bool()>;

// What the task bodies work with. All references outlive the worker.
struct DeviceContext {
  HidDeviceManager& hid;
  SettingsStore& store;
  DeviceView& view;
  DeviceStateBox& state;
  TextSource text;
  WorkerSleep sleep;
  // Work made of several exchanges gives up between two of them when the
  // program is closing, so the owner's final wait for the thread stays short.
  WorkerStopping stopping;

  ProfileId Profile() const {
    return state.Read([](const DeviceMainDef& d) { return d.currentProfile; });
  }
  int CurrentType() const {
    return state.Read([](const DeviceMainDef& d) { return d.currentType; });
  }
  int SensorCode() const {
    return state.Read([](const DeviceMainDef& d) { return d.sensorCode; });
  }
  bool HasLighting() const {
    return state.Read([](const DeviceMainDef& d) { return d.hasLighting; });
  }
};

}  // namespace korvex
