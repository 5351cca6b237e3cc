// DeviceMainDlg: what the device work shows (the DeviceView side, always on
// the GUI thread) and the actions that hand work to the worker.

#include <QGuiApplication>
#include <QScreen>
#include <vector>

#include "app/DeviceWorker.h"
#include "app/EntryRules.h"
#include "app/VersionDisplay.h"
#include "catalogue/ModelSwitch.h"
#include "i18n/Texts.h"
#include "platform/Log.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileSwitch.h"
#include "skinui/BatteryCtrl.h"
#include "skinui/CDeviceList.h"
#include "skinui/CIconButton.h"
#include "skinui/Events.h"
#include "skinui/MTabCtrl.h"
#include "store/SettingsStore.h"
#include "ui/DeviceMainDlg.h"
#include "ui/UiText.h"
#include "ui/WindowMessages.h"
// AuxDialogs hands out its windows by pointer: their classes must be known.
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/SaveWaitDlg.h"
#include "ui/dialogs/UpdateTipDlg.h"
#include "ui/dialogs/WaitDlg.h"
#include "ui/dialogs/AuxDialogs.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/ProfileDlg.h"
#include "ui/dialogs/ProfileFileDialogs.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/frame/MainNavigation.h"
#include "ui/pages/device/DevicePage.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/lighting/LightingPage.h"
#include "ui/pages/settings/SettingsPage.h"
#include "ui/shell/AuxiliaryWindows.h"

namespace korvex {

using namespace frame;

namespace {

constexpr const char* kResponseKey = "button_respondtime";
constexpr int kTextUpdateTitle = 581;
constexpr int kTextNewVersion = 582;
constexpr int kTextInstallQuestion = 583;

}  // namespace

// --- DeviceView -------------------------------------------------------------

void DeviceMainDlg::ShowBattery(int level, int state) { frame_->ShowBattery(level, state); }

void DeviceMainDlg::SetAllDeviceState(int state) { home_->List()->SetAllDeviceState(state); }

void DeviceMainDlg::SetDeviceState(int type, int mode, int online) {
  home_->List()->SetDeviceState(type, mode, online);
}

void DeviceMainDlg::SetDeviceBattery(int type, int state, int level) {
  home_->List()->SetDeviceBattery(type, state, level);
  batteries_[type] = {level, state};
}

void DeviceMainDlg::SetDeviceVersion(int type, int release) { home_->List()->SetDeviceVersion(type, release); }

void DeviceMainDlg::SelectDevice(int type) { selectedDevice_ = home_->List()->SetSelectDevice(type); }

void DeviceMainDlg::ShowConnectionText(int textId) { frame_->ShowConnection(textId); }

void DeviceMainDlg::ShowDevicePages() { navigation_->OnMouseOnline(); }

void DeviceMainDlg::ShowPagesForOnlineDevices() {
  navigation_->OnOnlineDeviceCount(home_->List()->GetOnlineDevCount());
}

void DeviceMainDlg::ClosePopups() {
  CloseAuxiliaryWindows();
  if (aux_) aux_->CloseWait();
}

void DeviceMainDlg::ShowModel() {
  // The lighting tab is there only for models with lighting.
  const bool lighting = modelSwitch_->HasLighting();
  frame_->Tabs()->SetItemVisible(kTabLighting, lighting);
  if (!lighting && navigation_->CurrentTab() == kTabLighting && !navigation_->SettingsShown()) {
    frame_->Tabs()->SetSelectItem(kTabButtons);
    navigation_->OnTabChanged(kTabButtons);
  }
}

void DeviceMainDlg::ShowProfileName(const std::string& name) {
  profileName_ = name;
  frame_->ShowProfileLabel(QString::fromStdString(name));
}

// The performance page takes the sensor limits, the DPI stages and the
// report rate; until it is built they have no control to go to.
void DeviceMainDlg::ShowSensorLimits(int, const SensorLimits&, int) {}
void DeviceMainDlg::ShowDpiCount(int) {}
void DeviceMainDlg::ShowDpiStage(int, int, int) {}
void DeviceMainDlg::SelectReportRate(int) {}
void DeviceMainDlg::RefreshButtonPage() {}
void DeviceMainDlg::RefreshMacroList() {}
void DeviceMainDlg::RefreshDpiControls() {}

void DeviceMainDlg::RefreshLightingPage() {
  if (lighting_) lighting_->LoadLightPage();
}

void DeviceMainDlg::ShowDpiTip(int dpi) {
  if (prefs_.ShowTips() && aux_) aux_->ShowDpi(dpi);
}

void DeviceMainDlg::ShowVersionRow(int row, const std::string& text, const std::string& status) {
  device_->ShowVersionRow(row, text, status);
}

void DeviceMainDlg::EnableFirmwareButtons(bool mouse, bool receiver) {
  device_->EnableFirmwareButtons(mouse, receiver);
}

void DeviceMainDlg::RefreshPerformancePage() {
  // The button response time is edited on the device page.
  const ProfileId profile = worker_->State().currentProfile;
  std::string value;
  if (profile > 0 && store_.GetValue(profile, kResponseKey, value))
    device_->ShowResponseTime(ButtonResponseValue(DecimalValue(value)));
}

void DeviceMainDlg::CloseWaitDialog() {
  if (aux_) aux_->CloseWait();
}

void DeviceMainDlg::CloseUpdateTipDialog() {
  if (aux_) aux_->CloseUpdateTip();
}

void DeviceMainDlg::PostUpdateAvailable(int kind, const std::string& version) {
  if (kind == 0) {
    newerSoftware_ = version;
    if (settingsPage_) settingsPage_->SetNewerSoftware(version);
  } else {
    newerFirmware_ = version;
    device_->ShowMouseStatus(QString::fromStdString(FormatVersionRow(GetText(kTextNewVersion), version, true)));
  }
  PostMessage(kMsgUpdateAvailable, kind == 0 ? 1 : 2, 1);
}

// --- actions ----------------------------------------------------------------

void DeviceMainDlg::OnUpdateAvailable(int kind) {
  if (kind == 1 && !newerSoftware_.empty()) {
    const QString message = QStringLiteral("%1:v%2, %3")
                                .arg(UiText(kTextNewVersion), QString::fromStdString(newerSoftware_),
                                     UiText(kTextInstallQuestion));
    if (CUIMessageBox::ShowMessage(this, UiText(kTextUpdateTitle), message, CUIMessageBox::kTypeOkCancel) == 1)
      QueueTask(kInstallSoftwareUpdate);
  } else if (kind == 2 && !newerFirmware_.empty()) {
    const std::string shown = FormatVersionRow("", newerFirmware_, true).substr(2);  // "v1.05"
    const QString message = QStringLiteral("%1:%2, %3")
                                .arg(UiText(kTextNewVersion), QString::fromStdString(shown),
                                     UiText(kTextInstallQuestion));
    if (CUIMessageBox::ShowMessage(this, UiText(DevicePage::kTextMouseFirmware), message,
                                   CUIMessageBox::kTypeOkCancel) == 1) {
      QueueTask(kInstallFirmwareUpdate);
      if (aux_) aux_->ShowUpdateTip();
    }
  }
}

void DeviceMainDlg::OnProfileButton() {
  DUI::CIconButton* button = frame_->ProfileButton();
  const QRect label(button->mapToGlobal(QPoint(0, 0)), button->size());
  ProfileDlg::Open(this, store_, worker_->State().currentProfile, label, DeviceOnline());
}

void DeviceMainDlg::OnProfileAction(int action, ProfileId profile) {
  if (action == ProfileDlg::kActionImport) return ImportProfileFile();
  if (action == ProfileDlg::kActionExport) return ExportProfileFile(profile);
  if (action != ProfileDlg::kActionSwitch) return;
  // The worker must know the new profile before it takes the write.
  std::vector<int> codes;
  const ProfileState state = SwitchProfile(store_, profile, [&codes](int code) { codes.push_back(code); });
  if (state.current < 1) return;
  worker_->SetCurrentProfile(state.current);
  ShowProfileName(state.label);
  for (int code : codes) QueueTask(code);
  if (aux_) aux_->ShowBusy();
}

void DeviceMainDlg::ImportProfileFile() {
  const ProfileId current = worker_->State().currentProfile;
  const QString path = ChooseProfileToImport(this);
  if (path.isEmpty() || current < 1) return;
  const ImportOutcome outcome =
      ImportProfile(store_, current, path.toStdString(), modelSwitch_->HasLighting());
  if (outcome.status != ImportStatus::kImported) {
    // The profile is as it was; nothing to show the user.
    LogLine(2, "Profile import of %s: %s", path.toUtf8().constData(), ImportStatusText(outcome.status));
    return;
  }
  ShowProfileName(outcome.name);
  QueueTask(kApplyProfile);
  RefreshButtonPage();
  RefreshMacroList();
  RefreshPerformancePage();
  RefreshDpiControls();
  RefreshLightingPage();
}

void DeviceMainDlg::ExportProfileFile(ProfileId profile) {
  const ProfileId current = worker_->State().currentProfile;
  if (profile < 1) profile = current;
  const QString path = ChooseProfileExportPath(this);
  if (path.isEmpty()) return;
  // The name the label shows for the current profile; another profile's
  // own stored name.
  std::string name = frame_->ProfileLabel().toStdString();
  if (profile != current) store_.GetProfileName(profile, name);
  if (!ExportProfile(store_, profile, name, modelSwitch_->HasLighting(), path.toStdString()))
    LogLine(2, "Profile export to %s failed", path.toUtf8().constData());
}

void DeviceMainDlg::OnRestoreDefaults() { RestoreDefaults(DeviceOnline(), *this); }

int DeviceMainDlg::AskUser(int titleText, int messageText, int buttons) {
  if (!aux_) return DUI::MDialog::kCancel;
  return aux_->ShowMessage(titleText, messageText,
                           buttons > 1 ? CUIMessageBox::kTypeOkCancel : CUIMessageBox::kTypeOk);
}

void DeviceMainDlg::ResetDatabaseAndMouse() { worker_->RestoreDefaults(); }

void DeviceMainDlg::ShowWaitWindow() {
  if (aux_) aux_->ShowBusy();
}

void DeviceMainDlg::OnFirmwareCheck() {
  if (modelSwitch_->FirmwareUrl().empty()) {
    ShowMessageText(DevicePage::kTextMouseFirmware, DevicePage::kTextLatest);
    return;
  }
  QueueTask(kCheckFirmwareUpdate);
}

void DeviceMainDlg::OnResponseTime(int event) {
  const ProfileId profile = worker_->State().currentProfile;
  const QString text = device_->ResponseText();
  const int value = ButtonResponseValue(text.toLongLong());
  if (QString::number(value) != text) device_->ShowResponseTime(value);
  if (profile > 0) store_.SetValue(profile, kResponseKey, std::to_string(value));
  if (event != DUI::kEventClick) return;
  QueueTask(kButtonResponseTime);
  ShowSaved();
}

}  // namespace korvex
