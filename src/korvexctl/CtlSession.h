#pragma once
#include <memory>
#include <string>

#include "app/CatalogueModels.h"
#include "app/DeviceWorker.h"
#include "catalogue/DeviceCatalogue.h"
#include "catalogue/ModelSwitch.h"
#include "korvexctl/CtlView.h"
#include "platform/SingleInstanceLock.h"

namespace korvex {

// Exit codes of korvexctl.
enum CtlExit : int {
  kExitOk = 0,
  kExitRefused = 1,        // the mouse did not accept a command
  kExitUsage = 2,          // the command line or a value is wrong
  kExitWindowRunning = 3,  // the window owns the mouse
  kExitNoMouse = 4,        // no supported mouse, or its receiver cannot reach it
  kExitSetup = 5,          // shipped files or the data folder are unusable
};

// The program's core as the command-line tool runs it: the same start-up as
// the window (config.xml, language, single-instance lock, device refresh,
// task 1), then tasks queued one at a time and waited for.
class CtlSession {
 public:
  CtlSession();
  ~CtlSession();

  // Returns kExitOk or the exit code, with error set. wantedType 0 keeps the
  // window's own choice (type 101 first, otherwise the first device found).
  int Open(int wantedType, std::string& error);

  // Queues code and waits for it; false with error when it failed or timed
  // out.
  bool Run(int code, std::string& error);
  bool Wait(std::uint64_t ticket, std::string& error);
  // Stops the worker (after its queue has run).
  void Close();

  DeviceWorker& Worker() { return *worker_; }
  SettingsStore& Store();
  HidDeviceManager& Hid();
  const DeviceCatalogue& Catalogue() const { return catalogue_; }
  CtlView& View() { return view_; }
  CatalogueModels& Models() { return *models_; }
  // The model of the current device type, or null.
  const DeviceModelEntry* CurrentModel() const;
  // The mouse can take commands: a device is present and the mouse connected.
  bool MouseReachable(std::string& error) const;

 private:
  DeviceCatalogue catalogue_;
  std::unique_ptr<SingleInstanceLock> lock_;
  std::unique_ptr<ModelSwitch> modelSwitch_;
  std::unique_ptr<CatalogueModels> models_;
  CtlView view_;
  std::unique_ptr<DeviceWorker> worker_;
};

}  // namespace korvex
