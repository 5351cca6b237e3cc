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
#include "ui/pages/macros/MacrosPage.h"
#include "ui/pages/lighting/LightingPage.h"
#include "ui/pages/settings/SettingsPage.h"
#include "ui/pages/buttons/ButtonsPage.h"
#include "ui/shell/AuxiliaryWindows.h"

namespace korvex {

using namespace frame;

namespace {

constexpr int kTextUpdateTitle = 581;
constexpr int kTextNewVersion = 582;
constexpr int kTextInstallQuestion = 583;
constexpr int kTextUpdateFailed = 811;

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
  // The list hears every reading of every mouse, so the notice rule is fed
  // here; switched off, it still keeps count so that switching it on again
  // does not warn twice in one discharge.
  if (batteryRule_.Observe(type, level, state) && prefs_.BatteryNotice()) ShowLowBatteryNotice(type, level);
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
  // The device set changed or the mouse went away: a recording ends and is
  // kept.
  if (macros_) macros_->StopRecording();
}

void DeviceMainDlg::RefreshMacroList() {
  if (macros_) macros_->ReloadMacroList();
}

void DeviceMainDlg::ShowModel() {
  // Macros live in the model's database: a list of another model's macros
  // would save under ids that mean other macros there.
  if (macros_) macros_->OnModelChanged();
  // The lighting tab is there only for models with lighting.
  if (buttons_) buttons_->ShowModel(modelSwitch_->Descriptor());
  const bool lighting = modelSwitch_->HasLighting();
  frame_->Tabs()->SetItemVisible(kTabLighting, lighting);
  if (!lighting && navigation_->CurrentTab() == kTabLighting && !navigation_->SettingsShown()) {
    frame_->Tabs()->SetSelectItem(kTabButtons);
    navigation_->OnTabChanged(kTabButtons);
  }
}

void DeviceMainDlg::RefreshButtonPage() {
  if (!buttons_) return;
  // The macro list of the page offers the stored macros by name.
  std::vector<MacroInfo> macros;
  store_.ListMacros(macros);
  std::vector<std::pair<QString, int>> items;
  for (const MacroInfo& m : macros) items.emplace_back(QString::fromStdString(m.name), m.macro_id);
  buttons_->SetMacros(items);
  buttons_->LoadButtonPage();
}

void DeviceMainDlg::ShowProfileName(const std::string& name) {
  profileName_ = name;
  frame_->ShowProfileLabel(QString::fromStdString(name));
}

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

void DeviceMainDlg::ShowNoNewerVersion(int kind) {
  if (kind == 0) {
    newerSoftware_.clear();
    if (settingsPage_) settingsPage_->SetNewerSoftware("");
  } else {
    newerFirmware_.clear();
    device_->ShowMouseLatest();
  }
}

void DeviceMainDlg::ShowUpdateProgress(const std::string& text, int percent) {
  if (aux_) aux_->ShowUpdateProgress(QString::fromStdString(text), percent);
}

void DeviceMainDlg::ShowUpdateFailed() {
  // Queued after the window's close, so the update window is gone first.
  ShowMessageText(DevicePage::kTextMouseFirmware, kTextUpdateFailed);
}

void DeviceMainDlg::EndProgram() { ExitNow(); }

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

}  // namespace korvex
