#include "korvexctl/CtlSession.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <set>
#include <thread>

#include "i18n/LanguageChoice.h"
#include "i18n/Texts.h"
#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "platform/PreferenceStore.h"
#include "store/SettingsStore.h"
#include "store/StoreFailures.h"
#include "transport/HidDeviceManager.h"

namespace korvex {
namespace {

// Long enough for a synchronisation against a slow mouse (each exchange may
// wait 1.5 s), short enough that a hung device does not hang a script.
constexpr int kTaskTimeoutMs = 60000;
constexpr int kLockPollMs = 50;

// A lock file that cannot be made at all (an unwritable runtime folder) says
// nothing about other processes: go on without that guard, and say so.
void WarnUnavailable(const SingleInstanceLock& lock) {
  std::fprintf(stderr, "korvexctl: warning: cannot take the lock %s (%s)\n", lock.Path().c_str(),
               std::strerror(lock.LastError()));
}

// False only when another holder kept the lock for the whole wait.
bool AcquireWithin(SingleInstanceLock& lock, int waitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    const SingleInstanceLock::Outcome outcome = lock.Acquire();
    if (outcome == SingleInstanceLock::Outcome::kAcquired) return true;
    if (outcome == SingleInstanceLock::Outcome::kUnavailable) {
      WarnUnavailable(lock);
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kLockPollMs));
  }
}

std::string TypeList(const DeviceCatalogue& catalogue) {
  std::string text;
  for (const DeviceModelEntry& m : catalogue.Models()) {
    if (!text.empty()) text += ", ";
    text += std::to_string(m.deviceType) + " (" + m.name + ")";
  }
  return text.empty() ? "none" : text;
}

}  // namespace

CtlSession::CtlSession() = default;

CtlSession::~CtlSession() { Close(); }

SettingsStore& CtlSession::Store() { return SettingsStore::Instance(); }

HidDeviceManager& CtlSession::Hid() { return HidDeviceManager::Instance(); }

int CtlSession::AcquireLocks(std::string& error) {
  // Runs of the tool queue up behind each other; the tool's own lock is
  // taken first, so whoever holds the instance lock without it is a window.
  ctlLock_ = std::make_unique<SingleInstanceLock>(catalogue_.Caption(), kCommandLineLockSuffix);
  if (!AcquireWithin(*ctlLock_, kCtlWaitMs)) {
    error = "another korvexctl command is still running after " + std::to_string(kCtlWaitMs / 1000) +
            " s; try again when it has finished";
    return kExitBusy;
  }
  lock_ = std::make_unique<SingleInstanceLock>(catalogue_.Caption());
  const SingleInstanceLock::Outcome instance = lock_->Acquire();
  if (instance == SingleInstanceLock::Outcome::kUnavailable) WarnUnavailable(*lock_);
  if (instance == SingleInstanceLock::Outcome::kHeldByOther) {
    error = "the " + catalogue_.Caption() +
            " window is running and owns the mouse; close it (also from the tray) and try again";
    return kExitWindowRunning;
  }
  return kExitOk;
}

int CtlSession::Open(int wantedType, std::string& error) {
  const std::string appFolder = ApplicationFolder();
  const std::string config = DeviceCatalogue::ConfigPath(appFolder);
  if (!catalogue_.LoadApplicationConfig(config)) {
    error = "cannot read " + config;
    return kExitSetup;
  }
  SetCaption(catalogue_.Caption());
  if (!catalogue_.LoadDeviceList(config, DeviceCatalogue::DeviceImageFolder(appFolder, "default"))) {
    error = "cannot read the device list of " + config;
    return kExitSetup;
  }
  if (wantedType > 0 && !catalogue_.FindModel(wantedType)) {
    error = "config.xml lists no model with device type " + std::to_string(wantedType) +
            "; it lists " + TypeList(catalogue_);
    return kExitUsage;
  }
  if (const int locked = AcquireLocks(error); locked != kExitOk) return locked;

  ChooseStartupLanguage(catalogue_.AvailableLanguages());
  const std::string dataFolder = DataFolder();
  if (!CreateFolder(dataFolder + "db/") || !CreateFolder(dataFolder + "temp/")) {
    error = "cannot create the data folder " + dataFolder;
    return kExitSetup;
  }

  HidDeviceManager& hid = Hid();
  hid.ClearSupportedDevices();
  for (const SupportedDeviceRecord& r : catalogue_.SupportedDevices()) {
    hid.AddSupportedDevice(SupportedDevice{r.vendorId, r.productId, static_cast<std::uint32_t>(r.deviceType),
                                           static_cast<std::uint32_t>(r.mode), r.deviceId});
  }
  // Said once, where the user reads it: a damaged database was replaced.
  Store().SetSetAsideListener([](const std::string& from, const std::string& to) {
    std::fprintf(stderr, "korvexctl: the settings database %s was damaged; it was moved to %s and a new one made\n",
                 from.c_str(), to.c_str());
  });

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
  const std::uint64_t failuresBefore = TotalStoreFailures();
  worker_->RefreshDevices();
  if (const int found = CheckFound(wantedType, error); found != kExitOk) {
    // Commands that need no mouse (the software update check) still use the
    // worker's tasks.
    worker_->Start();
    return found;
  }
  const std::uint64_t first = worker_->QueueTask(kInitialSync);
  worker_->Start();
  std::string syncError;
  Wait(first, syncError);
  storeFailuresAfterSync_ = TotalStoreFailures();
  syncStoreFailed_ = storeFailuresAfterSync_ != failuresBefore;
  return kExitOk;
}

int CtlSession::CheckFound(int wantedType, std::string& error) {
  const DeviceMainDef state = worker_->State();
  if (!state.devicePresent) {
    error = "no supported mouse or receiver found";
    return kExitNoMouse;
  }
  // Interfaces that opened but never said who they are: a mouse that is
  // there and silent, not an absent one.
  if (state.currentType == 0) {
    error = "a supported mouse or receiver is plugged in but did not answer when asked what it is; "
            "unplug it and plug it in again";
    return kExitRefused;
  }
  if (wantedType > 0 && state.currentType != wantedType) {
    const DeviceModelEntry* model = catalogue_.FindModel(wantedType);
    error = (model ? model->name : "device type " + std::to_string(wantedType)) + " (type " +
            std::to_string(wantedType) + ") is not plugged in";
    return kExitNoMouse;
  }
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

bool CtlSession::HasSilentInterfaces() {
  HidDeviceManager& hid = Hid();
  std::vector<HidInterfaceEntry> entries;
  {
    std::lock_guard<std::recursive_mutex> lock(hid.Mutex());
    const int current = hid.CurrentDeviceType();
    hid.SetCurrentDeviceType(0);  // every entry, whatever its type
    hid.CollectEntries(entries);
    hid.SetCurrentDeviceType(current);
  }
  for (const HidInterfaceEntry& e : entries)
    if (e.deviceType == 0) return true;
  return false;
}

bool CtlSession::StoreFailedSinceSync() const { return TotalStoreFailures() != storeFailuresAfterSync_; }

std::string CtlSession::StoreProblem() const {
  const int rc = LastStoreFailure();
  const std::string path = SettingsStore::Instance().Path();
  if (IsBusyFailure(rc))
    return "the settings database " + path + " is busy: another program held it for more than " +
           std::to_string(SQLiteDB::kBusyTimeoutMs / 1000) + " s; nothing was changed on the mouse";
  return "the settings database " + path + " cannot be used (" + StoreFailureText(rc) +
         "); nothing was changed on the mouse";
}

int CtlSession::ExplainFailure(const std::string& what, std::string& error, const bool* refused) {
  if (syncStoreFailed_ || StoreFailedSinceSync()) {
    error = what + ": " + StoreProblem();
    return kExitSetup;
  }
  HidDeviceManager& hid = Hid();
  const bool wasRefused =
      refused ? *refused : hid.LastExchangeOutcome() == HidDeviceManager::ExchangeOutcome::Refused;
  const DeviceMainDef before = worker_->State();
  const int modeBefore = hid.SessionMode();
  // Look again at what is plugged in, on the worker as a removal would: the
  // answer tells an unplug or a mouse that went away from one that is there
  // and refused or kept silent.
  std::string ignored;
  Run(kRemovalRefresh, ignored);
  const DeviceMainDef after = worker_->State();
  const int modeAfter = hid.SessionMode();
  const bool connectionGone = !after.devicePresent || modeAfter == -1 ||
                              after.currentType != before.currentType || modeAfter != modeBefore;
  // Interfaces that no longer say who they are belong to a mouse that is
  // there and silent; without them, the connection was unplugged.
  if (connectionGone && !HasSilentInterfaces()) {
    error = what + ": the mouse was unplugged during the command";
    return kExitNoMouse;
  }
  if (!connectionGone && !after.mouseConnected) {
    error = what + ": the mouse went out of reach during the command (switched off or out of the receiver's range)";
    return kExitNoMouse;
  }
  if (wasRefused) {
    error = what + ": the mouse did not accept the command";
    return kExitRefused;
  }
  error = what + ": the mouse did not answer";
  return kExitRefused;
}

}  // namespace korvex
