// DeviceMainDlg: the performance page, its hooks into the window and what
// the device work shows on it (on the GUI thread).

#include "app/DeviceWorker.h"
#include "prefs/SystemShortcuts.h"
#include "ui/DeviceMainDlg.h"
// AuxDialogs hands out its windows by pointer: their classes must be known.
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/SaveWaitDlg.h"
#include "ui/dialogs/UpdateTipDlg.h"
#include "ui/dialogs/WaitDlg.h"
#include "ui/dialogs/AuxDialogs.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/MousePaletteDlg.h"
#include "ui/frame/FrameIds.h"
#include "skinui/MTabLayout.h"
#include "ui/frame/MainFrame.h"
#include "ui/pages/performance/PerformancePage.h"

namespace korvex {
namespace {

constexpr int kTextNoMouseSettings = 730;
constexpr int kTextMouseSettingsFailed = 731;

}  // namespace

void DeviceMainDlg::BuildPerformancePage() {
  PerformancePageHooks hooks;
  hooks.profile = [this] { return worker_->State().currentProfile; };
  hooks.queueTask = [this](int code) { QueueTask(code); };
  hooks.tipsOn = [this] { return prefs_.ShowTips(); };
  hooks.showSaved = [this] {
    if (aux_) aux_->ShowSaved();
  };
  hooks.showDpi = [this](int dpi) {
    if (aux_) aux_->ShowDpi(dpi);
  };
  hooks.confirm = [this](int titleText, int messageText) {
    return aux_ && aux_->ShowMessage(titleText, messageText, CUIMessageBox::kTypeOkCancel) == DUI::MDialog::kOK;
  };
  hooks.pickColour = [this](ColourRef initial) { return MousePaletteDlg::Choose(this, initial); };
  hooks.openMouseSettings = [this] { OnMouseSettings(); };
  performance_ = new PerformancePage(this, frame_->Container(frame::kPerformanceContainer), store_, std::move(hooks));
}

void DeviceMainDlg::OnMouseSettings() {
  const MouseSettingsResult result = OpenMouseControlPanel();
  // Nothing to open is said, not passed over in silence.
  if (result.status == MouseSettingsStatus::NotAvailable)
    ShowMessageText(PerformancePage::kTextShortcut, kTextNoMouseSettings);
  else if (result.status == MouseSettingsStatus::StartFailed)
    ShowMessageText(PerformancePage::kTextShortcut, kTextMouseSettingsFailed);
}

void DeviceMainDlg::ShowSensorLimits(int sensorCode, const SensorLimits& limits, int rateChoiceCount) {
  performance_->ShowSensorLimits(sensorCode, limits, rateChoiceCount);
}

void DeviceMainDlg::ShowDpiCount(int count) { performance_->ShowDpiCount(count); }

void DeviceMainDlg::ShowDpiStage(int stage, int dpi, int sliderPosition) {
  performance_->ShowDpiStage(stage, dpi, sliderPosition);
}

void DeviceMainDlg::SelectReportRate(int code) { performance_->SelectReportRate(code); }

void DeviceMainDlg::RefreshPerformancePage() { performance_->Refresh(); }

void DeviceMainDlg::RefreshDpiControls() { performance_->RefreshDpiControls(); }

}  // namespace korvex
