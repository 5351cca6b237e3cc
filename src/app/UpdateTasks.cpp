#include "app/UpdateTasks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <vector>

#include "app/DeviceTask.h"
#include "platform/AppFolders.h"
#include "platform/Log.h"
#include "prefs/ProcessLauncher.h"
#include "transport/HidDeviceManager.h"
#include "update/UpdatePaths.h"
#include "update/VersionCompare.h"

namespace korvex {
namespace {

constexpr int kTextDownloading = 590;
constexpr int kTextUnpacking = 591;
constexpr int kTextDone = 593;
constexpr int kTextFailed = 810;

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The whole file, or empty when it cannot be read or is larger than limit.
std::vector<std::uint8_t> ReadImage(const std::string& path, std::int64_t limit) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return {};
  const std::streamoff size = in.tellg();
  if (size <= 0 || size > limit) return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return {};
  return bytes;
}

bool OpenWithDesktop(const std::string& path) {
  // Handed to the desktop's handler for Debian packages, where the user
  // confirms the installation; the package itself is never run.
  return StartDetached({"xdg-open", path}, DefaultSearchPath());
}

}  // namespace

UpdateTasks::UpdateTasks(UpdateSettings settings) : settings_(std::move(settings)) {
  if (!settings_.openPackage) settings_.openPackage = OpenWithDesktop;
}

UpdateStatus UpdateTasks::Status() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return status_;
}

std::string UpdateTasks::TempFolder() const {
  std::string folder = settings_.tempFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool UpdateTasks::Run(int code, DeviceContext& ctx) {
  switch (code) {
    case kCheckSoftwareUpdate: return CheckSoftware(ctx);
    case kCheckFirmwareUpdate: return CheckFirmware(ctx);
    case kInstallSoftwareUpdate: return InstallSoftware(ctx);
    case kInstallFirmwareUpdate: return InstallFirmware(ctx);
    default: return true;
  }
}

bool UpdateTasks::CheckSoftware(DeviceContext& ctx) {
  const UpdateAddresses where = settings_.addresses ? settings_.addresses() : UpdateAddresses{};
  Change([](UpdateStatus& s) { s.latestSoftware.clear(); });
  std::string answer;
  if (where.upgradeUrl.empty() ||
      FetchText(SoftwareVersionUrl(where.upgradeUrl), answer, settings_.textLimits) != kHttpOk)
    return false;
  const std::string latest = AcceptVersionText(answer, kSoftwareVersionMax);
  if (latest.empty()) return false;
  const bool newer = CompareVersions(where.softwareVersion, latest) >= 1;
  Change([&](UpdateStatus& s) {
    s.latestSoftware = latest;
    s.softwareState = newer ? UpdateStatus::kNewer : UpdateStatus::kNotNewer;
  });
  if (newer)
    ctx.view.PostUpdateAvailable(0, latest);
  else
    ctx.view.ShowNoNewerVersion(0);
  return true;
}

bool UpdateTasks::CheckFirmware(DeviceContext& ctx) {
  const UpdateAddresses where = settings_.addresses ? settings_.addresses() : UpdateAddresses{};
  Change([](UpdateStatus& s) { s.latestFirmware.clear(); });
  // A model without a firmware address has nothing to ask for.
  std::string answer;
  if (where.firmwareUrl.empty() ||
      FetchText(FirmwareVersionUrl(where.firmwareUrl), answer, settings_.textLimits) != kHttpOk)
    return false;
  const std::string latest = AcceptVersionText(answer, kFirmwareVersionMax);
  Change([&](UpdateStatus& s) { s.latestFirmware = latest; });
  const std::string device = ctx.state.Read([](const DeviceMainDef& d) { return d.mouseFirmwareVersion; });
  if (latest.empty() || device.empty()) return false;
  const bool newer = CompareVersions(device, latest) >= 1;
  Change([&](UpdateStatus& s) {
    s.deviceFirmware = device;
    s.firmwareState = newer ? UpdateStatus::kNewer : UpdateStatus::kNotNewer;
  });
  if (newer)
    ctx.view.PostUpdateAvailable(1, latest);
  else
    ctx.view.ShowNoNewerVersion(1);
  return true;
}

bool UpdateTasks::InstallSoftware(DeviceContext& ctx) {
  const UpdateAddresses where = settings_.addresses ? settings_.addresses() : UpdateAddresses{};
  const std::string version = Status().latestSoftware;
  const std::string temp = TempFolder();
  if (version.empty() || temp.empty() || !CreateFolder(temp)) return false;
  const std::string package = temp + SoftwarePackageName(version);
  ::unlink(package.c_str());
  DownloadFile(SoftwarePackageUrl(where.upgradeUrl, version), package, settings_.packageLimits);
  if (!FileExists(package)) return false;
  if (UnpackArchive(package, temp, settings_.unpackLimits)) ::unlink(package.c_str());
  const std::string installer = temp + SoftwareInstallerName(version);
  if (!FileExists(installer)) return false;
  // The program only ends when the desktop took the package: ending without
  // anything to install would just lose the window.
  if (!settings_.openPackage(installer)) {
    LogLine(2, "Cannot hand %s to the package installer", installer.c_str());
    return false;
  }
  ctx.view.EndProgram();
  return true;
}

bool UpdateTasks::InstallFirmware(DeviceContext& ctx) {
  const auto progress = [&ctx](int text, int percent) { ctx.view.ShowUpdateProgress(ctx.text(text), percent); };
  Change([](UpdateStatus& s) { s.imageReady = false; });
  progress(kTextDownloading, 5);
  const UpdateAddresses where = settings_.addresses ? settings_.addresses() : UpdateAddresses{};
  const std::string version = Status().latestFirmware;
  const std::string temp = TempFolder();
  if (version.empty() || where.firmwareUrl.empty() || temp.empty() || !CreateFolder(temp)) return false;
  const std::string package = temp + FirmwarePackageName(version);
  ::unlink(package.c_str());
  DownloadFile(FirmwarePackageUrl(where.firmwareUrl, version), package, settings_.packageLimits);
  if (!FileExists(package)) return false;
  progress(kTextUnpacking, 7);
  if (UnpackArchive(package, temp, settings_.unpackLimits)) ::unlink(package.c_str());
  const std::string image = temp + FirmwareImageName(version);
  if (!FileExists(image)) return false;
  int reached = 10;
  const bool installed = TransferImage(ctx, image, reached);
  ::unlink(image.c_str());
  if (installed) {
    progress(kTextDone, 100);
  } else if (Status().imageReady) {
    // A refused or broken-off transfer is not "complete": the window shows
    // where it stopped, and the user hears that the old firmware stays.
    progress(kTextFailed, reached);
    ctx.view.ShowUpdateFailed();
  }
  return installed;
}

bool UpdateTasks::TransferImage(DeviceContext& ctx, const std::string& imagePath, int& reached) {
  const std::vector<std::uint8_t> image = ReadImage(imagePath, settings_.unpackLimits.maxEntryBytes);
  if (image.empty()) return false;
  Change([](UpdateStatus& s) { s.imageReady = true; });
  ctx.view.ShowUpdateProgress(ctx.text(kTextUnpacking), 10);
  std::uint16_t vendorId = 0, productId = 0;
  if (ctx.hid.ActiveIds(vendorId, productId)) ctx.hid.OpenUpdateInterface(vendorId, productId);
  FirmwareSender sender(ctx.hid, [&ctx](int ms) { ctx.sleep(ms); });
  const FirmwareOutcome outcome = sender.Transfer(image.data(), image.size(), [&](int text, int percent) {
    reached = percent;
    ctx.view.ShowUpdateProgress(ctx.text(text), percent);
  });
  LogLine(2, "Firmware transfer: %s after %d data reports", FirmwareOutcomeName(outcome), sender.ReportsSent());
  Change([&](UpdateStatus& s) {
    s.lastTransfer = outcome;
    s.lastReports = sender.ReportsSent();
  });
  return outcome == FirmwareOutcome::kInstalled;
}

}  // namespace korvex
