// korvexctl update: the software and firmware checks and the firmware
// install, run as the window runs them (tasks 23, 24 and 27 on the worker).
#include "korvexctl/CtlUpdate.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>

#include "app/DeviceTask.h"
#include "app/UpdateTasks.h"
#include "app/VersionDisplay.h"
#include "catalogue/ModelDescriptor.h"
#include "i18n/Texts.h"
#include "korvexctl/CtlSession.h"
#include "platform/AppFolders.h"
#include "update/UpdatePaths.h"

namespace korvex {
namespace {

// A firmware install gives up after this long (a 1 MiB image takes about
// 25 s at one report per millisecond, the download comes on top).
constexpr int kInstallTimeoutMs = 10 * 60 * 1000;

// What the update work shows, for the terminal: the progress on standard
// error when it is a terminal; the rest is read from the status afterwards.
class UpdateProgressView : public CtlView {
 public:
  void ShowUpdateProgress(const std::string& text, int percent) override {
    if (!::isatty(STDERR_FILENO)) return;
    std::fprintf(stderr, "\r%s: %d%%   ", text.c_str(), percent);
    if (percent >= 100) std::fputc('\n', stderr);
    std::fflush(stderr);
  }
};

std::string Dotted(const std::string& version) {
  const std::string row = FormatVersionRow("", version, false);
  return row.size() > 2 ? row.substr(2) : row;
}

std::string FirmwareUrlOf(CtlSession& s) {
  const DeviceModelEntry* model = s.CurrentModel();
  if (model == nullptr) return {};
  ModelDescriptor descriptor;
  if (!ReadModelDescriptor(DescriptorPath(ApplicationFolder(), model->deviceAttr), [](int id) { return GetText(id); },
                           descriptor))
    return {};
  return descriptor.firmwareUrl;
}

// The update work bound to the session's worker, its progress going to
// the terminal.
class CtlUpdater {
 public:
  explicit CtlUpdater(CtlSession& s) : session_(s) {
    UpdateSettings settings;
    const std::string server = UpdateServerOverride();
    const UpdateAddresses where{s.Catalogue().Software().version,
                                RebaseOrigin(s.Catalogue().Software().upgrade, server),
                                RebaseOrigin(FirmwareUrlOf(s), server)};
    settings.addresses = [where] { return where; };
    settings.tempFolder = DataFolder() + "temp/";
    tasks_ = std::make_shared<UpdateTasks>(std::move(settings));
    s.Worker().SetUpdateHook([tasks = tasks_, view = &view_](int code, DeviceContext& ctx) {
      DeviceContext local{ctx.hid, ctx.store, *view, ctx.state, ctx.text, ctx.sleep, ctx.stopping};
      return tasks->Run(code, local);
    });
  }
  ~CtlUpdater() { session_.Worker().SetUpdateHook({}); }

  bool Run(int code, int timeoutMs = 60000) {
    bool ok = false;
    return session_.Worker().WaitForTask(session_.Worker().QueueTask(code), timeoutMs, &ok) && ok;
  }
  UpdateStatus Status() const { return tasks_->Status(); }

 private:
  CtlSession& session_;
  UpdateProgressView view_;
  std::shared_ptr<UpdateTasks> tasks_;
};

JsonObject VersionJson(const std::string& current, const std::string& latest, bool newer) {
  JsonObject o;
  o.Add("current", current).Add("latest", latest).Add("newer", newer);
  return o;
}

std::string VersionLine(const char* what, const std::string& current, const std::string& latest, bool newer) {
  return std::string(what) + ": current " + current + ", latest " + latest + (newer ? ", newer" : ", not newer") +
         "\n";
}

CtlResult Check(CtlSession& s) {
  CtlUpdater updater(s);
  CtlResult r;
  const std::string current = s.Catalogue().Software().version;
  if (!updater.Run(kCheckSoftwareUpdate)) return Fail(kExitNoServer, "the software update server gave no usable answer");
  UpdateStatus status = updater.Status();
  const bool softwareNewer = status.softwareState == UpdateStatus::kNewer;
  r.text = VersionLine("software", "v" + current, "v" + status.latestSoftware, softwareNewer);
  r.json.Add("ok", true).Add("software", VersionJson(current, status.latestSoftware, softwareNewer));
  std::string unreachable;
  if (!s.MouseReachable(unreachable)) {
    r.text += "firmware: " + unreachable + "\n";
    r.json.Add("firmware", JsonObject().Add("error", unreachable));
    return r;
  }
  if (!updater.Run(kCheckFirmwareUpdate)) return Fail(kExitNoServer, "the firmware update server gave no usable answer");
  status = updater.Status();
  const bool firmwareNewer = status.firmwareState == UpdateStatus::kNewer;
  r.text += VersionLine("firmware", "v" + Dotted(status.deviceFirmware), "v" + Dotted(status.latestFirmware),
                        firmwareNewer);
  r.json.Add("firmware", VersionJson(status.deviceFirmware, status.latestFirmware, firmwareNewer));
  return r;
}

// Asks on the terminal; false unless the answer starts with y.
bool Confirm(const std::string& question) {
  std::fprintf(stderr, "%s [y/N] ", question.c_str());
  std::fflush(stderr);
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

CtlResult InstallFirmware(CtlSession& s, bool yes) {
  CtlResult r;
  if (!Reachable(s, r)) return r;
  CtlUpdater updater(s);
  if (!updater.Run(kCheckFirmwareUpdate)) return Fail(kExitNoServer, "the firmware update server gave no usable answer");
  UpdateStatus status = updater.Status();
  const std::string latest = status.latestFirmware;
  r.json.Add("ok", true).Add("current", status.deviceFirmware).Add("latest", latest);
  if (status.firmwareState != UpdateStatus::kNewer) {
    r.text = "firmware v" + Dotted(status.deviceFirmware) + " is up to date (server: v" + Dotted(latest) + ")\n";
    r.json.Add("installed", false);
    return r;
  }
  if (!yes) {
    if (!::isatty(STDIN_FILENO)) return Fail(kExitUsage, "not asking without a terminal: add --yes to install");
    if (!Confirm("Install firmware v" + Dotted(latest) + " (now v" + Dotted(status.deviceFirmware) + ")?")) {
      r.text = "firmware not installed\n";
      r.json.Add("installed", false);
      return r;
    }
  }
  const bool installed = updater.Run(kInstallFirmwareUpdate, kInstallTimeoutMs);
  status = updater.Status();
  if (!status.imageReady) return Fail(kExitNoServer, "the firmware package could not be downloaded or unpacked");
  if (!installed) {
    if (status.lastTransfer == FirmwareOutcome::kNoInterface) return Fail(kExitNoMouse, "the mouse's update interface is gone");
    return Fail(kExitRefused, std::string("the mouse refused the firmware (") + FirmwareOutcomeName(status.lastTransfer) +
                                  " after " + std::to_string(status.lastReports) + " data reports)");
  }
  // The mouse restarts with the new firmware; read it again to show it.
  updater.Run(kReconnectSync);
  const std::string now = s.Worker().State().mouseFirmwareVersion;
  r.text = "installed firmware v" + Dotted(latest) + " (" + std::to_string(status.lastReports) +
           " data reports); the mouse reports v" + Dotted(now) + "\n";
  r.json.Add("installed", true).Add("reports", status.lastReports).Add("reported", now);
  return r;
}

}  // namespace

CtlResult RunUpdate(CtlSession& s, const std::vector<std::string>& operands) {
  const std::string what = operands.empty() ? "" : operands[0];
  if (what == "check" && operands.size() == 1) return Check(s);
  if (what == "firmware" && operands.size() == 1) return InstallFirmware(s, false);
  if (what == "firmware" && operands.size() == 2 && operands[1] == "--yes") return InstallFirmware(s, true);
  return Fail(kExitUsage, "update takes check, or firmware with an optional --yes");
}

}  // namespace korvex
