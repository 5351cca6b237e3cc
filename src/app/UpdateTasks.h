#pragma once
// The update work of the worker: the software and firmware checks (tasks 23
// and 24, the firmware check also after each initial and reconnect sync) and
// the two installs (tasks 26 and 27). Network failures change nothing that
// shows; only complete, sane answers move the labels.

#include <functional>
#include <mutex>
#include <string>

#include "app/DeviceContext.h"
#include "update/ArchiveUnpacker.h"
#include "update/FirmwareSender.h"
#include "update/HttpClient.h"

namespace korvex {

// Where the updates come from, read when a task runs (the model, and with it
// the firmware address, changes at run time).
struct UpdateAddresses {
  std::string softwareVersion;  // the program's own version
  std::string upgradeUrl;       // software base address
  std::string firmwareUrl;      // the current model's firmware base address; may be empty
};

struct UpdateSettings {
  std::function<UpdateAddresses()> addresses;
  // The data folder's "temp/" (made when needed).
  std::string tempFolder;
  HttpLimits textLimits = HttpLimits::ForText();
  HttpLimits packageLimits = HttpLimits::ForPackage();
  UnpackLimits unpackLimits;
  // Hands the unpacked package to the desktop's package installer; true once
  // it was handed over. Default: xdg-open, as a process of its own.
  std::function<bool(const std::string& path)> openPackage;
};

// What the checks found, for any thread.
struct UpdateStatus {
  static constexpr int kNoCheck = 0, kNewer = 1, kNotNewer = 2;
  std::string latestSoftware;
  int softwareState = kNoCheck;
  std::string latestFirmware = "130";
  int firmwareState = kNoCheck;
  // The mouse's version the last firmware check compared against.
  std::string deviceFirmware;
  // The last firmware install got its image (downloaded and unpacked) and
  // how its transfer ended.
  bool imageReady = false;
  FirmwareOutcome lastTransfer = FirmwareOutcome::kNoInterface;
  int lastReports = 0;
};

class UpdateTasks {
 public:
  static constexpr std::size_t kSoftwareVersionMax = 10;
  static constexpr std::size_t kFirmwareVersionMax = 9;

  explicit UpdateTasks(UpdateSettings settings);

  // Runs task 23, 24, 26 or 27 on the worker thread; true when its work
  // succeeded (a check: the server answered; an install: it was installed or
  // handed over). Other codes do nothing.
  bool Run(int code, DeviceContext& ctx);

  UpdateStatus Status() const;

 private:
  bool CheckSoftware(DeviceContext& ctx);
  bool CheckFirmware(DeviceContext& ctx);
  bool InstallSoftware(DeviceContext& ctx);
  bool InstallFirmware(DeviceContext& ctx);
  bool TransferImage(DeviceContext& ctx, const std::string& imagePath, int& reached);
  std::string TempFolder() const;
  template <class F>
  void Change(F&& f) {
    std::lock_guard<std::mutex> lock(mutex_);
    f(status_);
  }

  UpdateSettings settings_;
  mutable std::mutex mutex_;
  UpdateStatus status_;
};

}  // namespace korvex
