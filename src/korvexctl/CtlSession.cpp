#include "korvexctl/CtlSession.h"

#include <cstdio>
#include <cstring>

#include "i18n/LanguageChoice.h"
#include "i18n/Texts.h"
#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "platform/PreferenceStore.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"

namespace korvex {
namespace {

// Long enough for a synchronisation against a slow mouse (each exchange may
// wait 1.5 s), short enough that a hung device does not hang a script.
constexpr int kTaskTimeoutMs = 60000;

}  // namespace

CtlSession::CtlSession() = default;

CtlSession::~CtlSession() { Close(); }

SettingsStore& CtlSession::Store() { return SettingsStore::Instance(); }

HidDeviceManager& CtlSession::Hid() { return HidDeviceManager::Instance(); }

int CtlSession::Open(int wantedType, std::string& error) {
  const std::string appFolder = ApplicationFolder();
  const std::string config = DeviceCatalogue::ConfigPath(appFolder);
  if (!catalogue_.LoadApplicationConfig(config)) {
    error = "cannot read " + config;
    return kExitSetup;
  }
  SetCaption(catalogue_.Caption());

  lock_ = std::make_unique<SingleInstanceLock>(catalogue_.Caption());
  const SingleInstanceLock::Outcome lock = lock_->Acquire();
  if (lock == SingleInstanceLock::Outcome::kUnavailable) {
    // A runtime folder without room for the lock file says nothing about a
    // running window; go on, but say that the guard is missing.
    std::fprintf(stderr, "korvexctl: warning: cannot take the single-instance lock %s (%s)\n",
                 lock_->Path().c_str(), std::strerror(lock_->LastError()));
  } else if (lock == SingleInstanceLock::Outcome::kHeldByOther) {
    error = "the " + catalogue_.Caption() +
            " window is running and owns the mouse; close it (also from the tray) and try again";
    return kExitWindowRunning;
  }

  ChooseStartupLanguage(catalogue_.AvailableLanguages());
  const std::string dataFolder = DataFolder();
  if (!CreateFolder(dataFolder + "db/") || !CreateFolder(dataFolder + "temp/")) {
    error = "cannot create the data folder " + dataFolder;
    return kExitSetup;
  }
  if (!catalogue_.LoadDeviceList(config, DeviceCatalogue::DeviceImageFolder(appFolder, "default"))) {
    error = "cannot read the device list of " + config;
    return kExitSetup;
  }

  HidDeviceManager& hid = Hid();
  hid.ClearSupportedDevices();
  for (const SupportedDeviceRecord& r : catalogue_.SupportedDevices()) {
    hid.AddSupportedDevice(SupportedDevice{r.vendorId, r.productId, static_cast<std::uint32_t>(r.deviceType),
                                           static_cast<std::uint32_t>(r.mode), r.deviceId});
  }

  modelSwitch_ = std::make_unique<ModelSwitch>(Store(), appFolder, dataFolder,
                                               [](int id) { return GetText(id); });
  models_ = std::make_unique<CatalogueModels>(catalogue_, *modelSwitch_, Store(), dataFolder);
  WorkerOptions options;
  options.text = [](int id) { return GetText(id); };
  worker_ = std::make_unique<DeviceWorker>(hid, Store(), *models_, view_, options);

  // The window starts by asking for the generic type, so both pick the same
  // device; a type given on the command line is preferred instead. Handed
  // over, not written: the refresh then writes the type it chose, and only
  // when it changed, so no flush to disk lands between two reports.
  models_->SetWantedDeviceType(wantedType > 0 ? wantedType : 101);
  worker_->RefreshDevices();
  const std::uint64_t first = worker_->QueueTask(kInitialSync);
  worker_->Start();
  if (!worker_->State().devicePresent) {
    error = "no supported mouse or receiver found";
    return kExitNoMouse;
  }
  std::string syncError;
  Wait(first, syncError);
  return kExitOk;
}

bool CtlSession::Wait(std::uint64_t ticket, std::string& error) {
  bool ok = false;
  if (!worker_->WaitForTask(ticket, kTaskTimeoutMs, &ok)) {
    error = "the mouse did not finish in time";
    return false;
  }
  if (!ok) error = "the mouse did not accept the command";
  return ok;
}

bool CtlSession::Run(int code, std::string& error) { return Wait(worker_->QueueTask(code), error); }

void CtlSession::Close() {
  if (worker_) {
    worker_->Stop();
    worker_->Join();
  }
}

const DeviceModelEntry* CtlSession::CurrentModel() const {
  return catalogue_.FindModel(worker_->State().currentType);
}

bool CtlSession::MouseReachable(std::string& error) const {
  const DeviceMainDef state = worker_->State();
  if (!state.devicePresent || state.currentType == 0) {
    error = "no supported mouse or receiver found";
    return false;
  }
  if (!state.mouseConnected) {
    error = "the mouse is not connected (switched off or out of the receiver's range)";
    return false;
  }
  return true;
}

}  // namespace korvex
