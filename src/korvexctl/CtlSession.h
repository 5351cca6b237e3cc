#pragma once
#include <cstdint>
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
  kExitRefused = 1,        // the mouse refused a command or did not answer
  kExitUsage = 2,          // the command line or a value is wrong
  kExitWindowRunning = 3,  // the window owns the mouse
  kExitNoMouse = 4,        // no supported mouse, the one asked for is absent, or it went away
  kExitSetup = 5,          // shipped files, the data folder or the settings database unusable
  kExitBusy = 6,           // another korvexctl kept the mouse longer than the wait
};

// How long a second run waits for the first to end.
inline constexpr int kCtlWaitMs = 15000;

// The program's core as the command-line tool runs it: the same start-up as
// the window (config.xml, language, single-instance lock, device refresh,
// task 1), then tasks queued one at a time and waited for.
class CtlSession {
 public:
  CtlSession();
  ~CtlSession();

  // Returns kExitOk or the exit code, with error set. wantedType 0 keeps the
  // window's own choice (type 101 first, otherwise the first device found);
  // another type must be one config.xml lists, and present.
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

  // Why `what` failed, found out after the fact: the settings database
  // (exit 5), the mouse unplugged or gone out of reach (exit 4), or the
  // mouse refusing or not answering (exit 1). error gets the message.
  // `refused` tells, when known, whether the failing exchange was refused;
  // otherwise the last exchange's outcome is taken.
  int ExplainFailure(const std::string& what, std::string& error, const bool* refused = nullptr);
  // The store failed since the synchronisation ended (or during it).
  bool StoreFailedSinceSync() const;
  bool StoreFailedDuringSync() const { return syncStoreFailed_; }
  // The message for a store that failed: busy, or unusable and why.
  std::string StoreProblem() const;

 private:
  int AcquireLocks(std::string& error);
  int CheckFound(int wantedType, std::string& error);
  // Some opened interface did not answer the question who it is.
  bool HasSilentInterfaces();

  DeviceCatalogue catalogue_;
  std::unique_ptr<SingleInstanceLock> ctlLock_;
  std::unique_ptr<SingleInstanceLock> lock_;
  std::unique_ptr<ModelSwitch> modelSwitch_;
  std::unique_ptr<CatalogueModels> models_;
  CtlView view_;
  std::unique_ptr<DeviceWorker> worker_;
  bool syncStoreFailed_ = false;
  std::uint64_t storeFailuresAfterSync_ = 0;
};

}  // namespace korvex
