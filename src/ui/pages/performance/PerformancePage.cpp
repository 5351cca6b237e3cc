#include "ui/pages/performance/PerformancePage.h"

#include <QEvent>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "app/DeviceTask.h"
#include "app/EntryRules.h"
#include "app/PerformanceRules.h"
#include "app/ProfileValues.h"
#include "skinui/CCheckButton.h"
#include "skinui/CHelpButton.h"
#include "skinui/CImageButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/CRoundArea.h"
#include "skinui/DPIControl.h"
#include "skinui/DPISlider.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MPicture.h"
#include "skinui/MStyle.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "skinui/NumberEdit.h"
#include "skinui/ReporteCtrl.h"
#include "store/SettingsStore.h"
#include "ui/UiText.h"

namespace korvex {
namespace {

// List colours of the report-rate entries, in offer order (0x00BBGGRR).
constexpr ColourRef kRateColours[kReportRateChoices] = {0x0108F1, 0xED6B00, 0x4DF600, 0x20A3FF,
                                                        0xC9012B, 0xFFFF00, 0xFFFFFF};
// What the stage list shows before the first refresh.
constexpr int kPlaceholderDpi[6] = {800, 1600, 2400, 3200, 6400, 26000};
constexpr ColourRef kPlaceholderColours[6] = {0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFFFF00};
constexpr int kMaxCount = 6;
constexpr int kSensorHelpTexts[8] = {503, 505, 506, 509, 507, 508, 511, 512};
constexpr int kSensorBoxTexts[3] = {PerformancePage::kTextAngle, PerformancePage::kTextRipple,
                                    PerformancePage::kTextMotionSync};

// Layout, in pixels of the container.
constexpr int kCaptionHeight = 50;
constexpr int kMargin = 24;
constexpr int kGap = 12;
constexpr int kPad = 18;
constexpr int kSectionTitle = 40;
constexpr int kDpiHeight = 312;
constexpr int kLiftoffHeight = 84;
constexpr int kSensorHeight = 142;
constexpr int kPowerHeight = 150;
constexpr int kRow = 30;
constexpr int kRateHeight = 150;
constexpr int kShortcutHeight = 94;

}  // namespace

PerformancePage::PerformancePage(DUI::MWindow* window, QWidget* container, SettingsStore& store,
                                 PerformancePageHooks hooks)
    : QObject(container), window_(window), container_(container), store_(store), hooks_(std::move(hooks)) {
  Build();
  ShowInitialState();
  ApplyTexts();
  container_->installEventFilter(this);
  Layout();
}

PerformancePage::~PerformancePage() = default;

template <class T>
T* PerformancePage::Add(int id) {
  return window_->CreateControl<T>(id, QRect(), container_);
}

DUI::CRoundArea* PerformancePage::AddPanel() {
  auto* panel = Add<DUI::CRoundArea>(0);
  panel->SetColor(DUI::MStyle::Panel());
  panel->SetBorderColor(DUI::MStyle::Border());
  panels_[panelCount_++] = panel;
  return panel;
}

DUI::MText* PerformancePage::AddSectionTitle(int id) {
  auto* text = Add<DUI::MText>(id);
  text->SetFontSize(16);
  text->SetFontBold(true);
  return text;
}

DUI::CHelpButton* PerformancePage::AddHelp(int id) {
  auto* help = Add<DUI::CHelpButton>(id);
  help->SetImage(QStringLiteral("img_help.png"));
  return help;
}

void PerformancePage::Build() {
  background_ = Add<DUI::MPicture>(kBackground);
  background_->SetImage(QStringLiteral("img_area_bkg.png"));
  caption_ = Add<DUI::MPicture>(kCaption);
  caption_->SetImage(QStringLiteral("img_area_caption.png"));
  content_ = Add<DUI::MPicture>(kContent);
  content_->SetImage(QStringLiteral("img_area_content.png"));
  title_ = Add<DUI::MText>(kTitle);
  title_->SetFontSize(18);
  title_->SetFontBold(true);
  BuildDpi();
  BuildRates();
  BuildOptions();
}

void PerformancePage::BuildDpi() {
  AddPanel();
  dpiTitle_ = AddSectionTitle(kDpiTitle);
  dpiHelp_ = AddHelp(kDpiHelp);
  dpiReset_ = Add<DUI::CImageButton>(kDpiReset);
  dpiReset_->SetImage(QStringLiteral("btn_reset.png"));
  stages_ = Add<DUI::DPIControl>(kStages);
  slider_ = Add<DUI::DPISlider>(kSlider);
  slider_->SetImages(QStringLiteral("img_dpi_bar.png"), QStringLiteral("img_area2.png"));
  countLabel_ = Add<DUI::MText>(kCountLabel);
  countLabel_->SetTextAlign(Qt::AlignRight | Qt::AlignVCenter);
  countLabel_->SetTextColor(DUI::MStyle::TextDim());
  count_ = Add<DUI::MComboBox>(kCount);
  for (int n = 1; n <= kMaxCount; ++n) count_->AddString(QString::number(n), n);
  apply_ = Add<DUI::MButton>(kApply);
  apply_->SetImage(QStringLiteral("img_button.png"));
  apply_->SetPrimary(true);
  apply_->SetTextAlign(Qt::AlignCenter);
}

void PerformancePage::BuildRates() {
  AddPanel();
  rateTitle_ = AddSectionTitle(kRateTitle);
  rateHelp_ = AddHelp(kRateHelp);
  rateReset_ = Add<DUI::CImageButton>(kRateReset);
  rateReset_->SetImage(QStringLiteral("btn_reset.png"));
  rates_ = Add<DUI::ReporteCtrl>(kRates);
}

void PerformancePage::BuildOptions() {
  AddPanel();
  liftoffTitle_ = AddSectionTitle(kLiftoffTitle);
  liftoffHelp_ = AddHelp(kLiftoffHelp);
  liftoffOne_ = Add<DUI::CRadioButton>(kLiftoffOne);
  liftoffTwo_ = Add<DUI::CRadioButton>(kLiftoffTwo);
  for (DUI::CRadioButton* radio : {liftoffOne_, liftoffTwo_}) radio->SetGroup(QString::fromLatin1(kLiftoffGroup));
  liftoffOne_->SetTitle(QStringLiteral("1.0mm"));
  liftoffTwo_->SetTitle(QStringLiteral("2.0mm"));

  AddPanel();
  sensorTitle_ = AddSectionTitle(kSensorTitle);
  sensorHelp_ = AddHelp(kSensorHelp);
  for (auto*& box : sensorBoxes_) box = Add<DUI::CCheckButton>(kSensorOption);

  AddPanel();
  powerTitle_ = AddSectionTitle(kPowerTitle);
  sleepLabel_ = Add<DUI::MText>(kSleepLabel);
  sleepLabel_->SetTextColor(DUI::MStyle::TextDim());
  sleep_ = Add<DUI::MComboBox>(kSleep);
  for (const SleepItem& item : SleepItems()) sleep_->AddString(QString(), item.data);
  wake_ = Add<DUI::CCheckButton>(kWake);
  lightsOff_ = Add<DUI::CCheckButton>(kLightsOff);

  AddPanel();
  shortcutArea_ = Add<DUI::MPicture>(kShortcutArea);
  shortcutArea_->SetImage(QStringLiteral("img_area_content.png"));
  shortcutIcon_ = Add<DUI::MPicture>(kShortcutIcon);
  shortcutIcon_->SetImage(QStringLiteral("icon/icon_windows.png"));
  shortcutIcon_->SetDrawMode(DUI::MPicture::kCenter);
  shortcutCaption_ = Add<DUI::MText>(kShortcutCaption);
  shortcutCaption_->SetFontSize(15);
  mouseSettings_ = Add<DUI::MButton>(kMouseSettings);
  mouseSettings_->SetImage(QStringLiteral("img_button.png"));
  mouseSettings_->SetTextAlign(Qt::AlignCenter);
}

void PerformancePage::ShowInitialState() {
  for (int k = 0; k < kMaxCount; ++k) stages_->AddItem(kPlaceholderDpi[k], kPlaceholderColours[k]);
  count_->SetCurData(kMaxCount);
  FillRates();
  liftoffOne_->SetCheck(true);
  sensorBoxes_[2]->SetCheck(true);
}

// --- texts and layout -------------------------------------------------------

void PerformancePage::ApplyTexts() {
  title_->SetTitle(UiText(kTextTitle));
  dpiTitle_->SetTitle(UiText(kTextDpi));
  dpiHelp_->SetTooltip(UiText(kTextDpiHelp));
  dpiReset_->SetTooltip(UiText(kTextDpiReset));
  apply_->SetTitle(UiText(kTextApply));
  countLabel_->SetTitle(UiText(kTextCount));
  rateTitle_->SetTitle(UiText(kTextRate));
  rateHelp_->SetTooltip(UiText(kTextRateHelp));
  rateReset_->SetTooltip(UiText(kTextRateReset));
  liftoffTitle_->SetTitle(UiText(kTextLiftoff));
  liftoffHelp_->SetTooltip(UiText(kTextLiftoffHelp));
  sensorTitle_->SetTitle(UiText(kTextSensor));
  std::vector<std::string> help;
  for (int text : kSensorHelpTexts) help.push_back(GetText(text));
  sensorHelp_->SetTooltip(QString::fromStdString(SensorHelpText(help)));
  for (int i = 0; i < 3; ++i) sensorBoxes_[i]->SetTitle(UiText(kSensorBoxTexts[i]));
  powerTitle_->SetTitle(UiText(kTextPower));
  sleepLabel_->SetTitle(UiText(kTextSleep));
  const std::vector<SleepItem>& items = SleepItems();
  for (int i = 0; i < static_cast<int>(items.size()); ++i)
    sleep_->SetItemText(i, QStringLiteral("%1 %2").arg(items[i].minutes).arg(UiText(kTextMinutes)));
  wake_->SetTitle(UiText(kTextWake));
  lightsOff_->SetTitle(UiText(kTextLightsOff));
  shortcutCaption_->SetTitle(UiText(kTextShortcut));
  mouseSettings_->SetTitle(UiText(kTextMouseSettings));
}

namespace {

// Where a section's help mark goes: just after its title's text.
QRect HelpRectAfter(const QRect& titleRect, const QString& title) {
  const int width = QFontMetrics(DUI::MStyle::Font(16, true)).horizontalAdvance(title);
  return QRect(titleRect.left() + std::min(width, titleRect.width()) + 8, titleRect.top() + 5, 18, 18);
}

}  // namespace

void PerformancePage::Layout() {
  const int w = container_->width();
  const int h = container_->height();
  background_->SetRect(QRect(0, 0, w, h));
  caption_->SetRect(QRect(0, 0, w, kCaptionHeight));
  title_->SetRect(QRect(kMargin, 0, std::max(0, w - 2 * kMargin), kCaptionHeight));
  content_->SetRect(QRect(0, kCaptionHeight, w, std::max(0, h - kCaptionHeight)));

  // Two columns: the DPI stages and report rate on the left, the sensor and
  // power options on the right. Room beyond what the panels need goes to
  // the stage list on the left and between the panels on the right.
  const int top = kCaptionHeight + 16;
  const int bottom = h - 16;
  const int inner = std::max(0, w - 2 * kMargin - kGap);
  const int leftW = inner * 62 / 100;
  const int rightX = kMargin + leftW + kGap;
  const int rightW = inner - leftW;

  // DPI stages.
  const int extra = std::clamp(bottom - top - kDpiHeight - kGap - kRateHeight, 0, 40);
  QRect r(kMargin, top, leftW, kDpiHeight + extra);
  panels_[0]->SetRect(r);
  QRect titleRect(r.left() + kPad, r.top() + 8, leftW - 2 * kPad - 40, 28);
  dpiTitle_->SetRect(titleRect);
  dpiHelp_->SetRect(HelpRectAfter(titleRect, dpiTitle_->GetTitle()));
  dpiReset_->SetRect(QRect(r.right() - kPad - 28, r.top() + 8, 28, 28));
  stages_->SetRect(QRect(r.left() + kPad, r.top() + kSectionTitle + 4, leftW - 2 * kPad, 126 + extra));
  slider_->SetRect(QRect(r.left() + kPad, r.top() + 178 + extra, leftW - 2 * kPad, 70));
  countLabel_->SetRect(QRect(r.left() + kPad, r.top() + 266 + extra, 130, 34));
  count_->SetRect(QRect(r.left() + kPad + 140, r.top() + 266 + extra, 100, 34));
  apply_->SetRect(QRect(r.right() - kPad - 160, r.top() + 266 + extra, 160, 34));

  // Report rate, to the bottom of the column.
  const int rateTop = r.bottom() + 1 + kGap;
  r = QRect(kMargin, rateTop, leftW, std::max(kRateHeight, bottom - rateTop));
  panels_[1]->SetRect(r);
  titleRect = QRect(r.left() + kPad, r.top() + 8, leftW - 2 * kPad - 40, 28);
  rateTitle_->SetRect(titleRect);
  rateHelp_->SetRect(HelpRectAfter(titleRect, rateTitle_->GetTitle()));
  rateReset_->SetRect(QRect(r.right() - kPad - 28, r.top() + 8, 28, 28));
  rates_->SetRect(QRect(r.left() + kPad, r.top() + kSectionTitle + 4, leftW - 2 * kPad, 92));

  // Right column: the panels evenly spaced down to the bottom.
  const int used = kLiftoffHeight + kSensorHeight + kPowerHeight + kShortcutHeight;
  const int gap = std::clamp((bottom - top - used) / 3, kGap, 3 * kGap);
  r = QRect(rightX, top, rightW, kLiftoffHeight);
  panels_[2]->SetRect(r);
  titleRect = QRect(r.left() + kPad, r.top() + 8, rightW - 2 * kPad - 24, 28);
  liftoffTitle_->SetRect(titleRect);
  liftoffHelp_->SetRect(HelpRectAfter(titleRect, liftoffTitle_->GetTitle()));
  liftoffOne_->SetRect(QRect(r.left() + kPad, r.top() + 44, 110, 26));
  liftoffTwo_->SetRect(QRect(r.left() + kPad + 130, r.top() + 44, 110, 26));

  r = QRect(rightX, r.bottom() + 1 + gap, rightW, kSensorHeight);
  panels_[3]->SetRect(r);
  titleRect = QRect(r.left() + kPad, r.top() + 8, rightW - 2 * kPad - 24, 28);
  sensorTitle_->SetRect(titleRect);
  sensorHelp_->SetRect(HelpRectAfter(titleRect, sensorTitle_->GetTitle()));
  for (int i = 0; i < 3; ++i)
    sensorBoxes_[i]->SetRect(QRect(r.left() + kPad, r.top() + 42 + i * kRow, rightW - 2 * kPad, 26));

  r = QRect(rightX, r.bottom() + 1 + gap, rightW, kPowerHeight);
  panels_[4]->SetRect(r);
  powerTitle_->SetRect(QRect(r.left() + kPad, r.top() + 8, rightW - 2 * kPad, 28));
  sleepLabel_->SetRect(QRect(r.left() + kPad, r.top() + 44, rightW / 2 - kPad, 32));
  sleep_->SetRect(QRect(r.right() - kPad - 150, r.top() + 42, 150, 34));
  wake_->SetRect(QRect(r.left() + kPad, r.top() + 84, rightW - 2 * kPad, 26));
  lightsOff_->SetRect(QRect(r.left() + kPad, r.top() + 114, rightW - 2 * kPad, 26));

  // The desktop's mouse settings: caption with its icon, the button below.
  r = QRect(rightX, std::max(r.bottom() + 1 + gap, bottom - kShortcutHeight), rightW, kShortcutHeight);
  panels_[5]->SetRect(r);
  shortcutArea_->SetRect(r.adjusted(1, 1, -1, -1));
  shortcutIcon_->SetRect(QRect(r.left() + kPad, r.top() + 10, 28, 28));
  shortcutCaption_->SetRect(QRect(r.left() + kPad + 38, r.top() + 8, std::max(0, rightW - 2 * kPad - 38), 32));
  mouseSettings_->SetRect(QRect(r.right() - kPad - 190, r.top() + 46, 190, 34));
}

bool PerformancePage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == container_ && e->type() == QEvent::Resize) Layout();
  return QObject::eventFilter(watched, e);
}

// --- store ------------------------------------------------------------------

bool PerformancePage::StoreInt(const std::string& key, long long value) {
  const ProfileId profile = hooks_.profile ? hooks_.profile() : 0;
  if (profile <= 0) return false;
  return ProfileValues(store_, profile).SetInt(key, value);
}

int PerformancePage::StoredInt(const std::string& key) const {
  const ProfileId profile = hooks_.profile ? hooks_.profile() : 0;
  return ProfileValues(store_, profile).Int(key);
}

void PerformancePage::AfterEdit(int code) {
  if (hooks_.queueTask) hooks_.queueTask(code);
  if (hooks_.tipsOn && hooks_.tipsOn() && hooks_.showSaved) hooks_.showSaved();
}

// --- what the device work shows --------------------------------------------

void PerformancePage::ShowSensorLimits(int sensorCode, const SensorLimits& limits, int rateChoiceCount) {
  sensorCode_ = sensorCode;
  maxRateLevel_ = rateChoiceCount;
  slider_->SetMaxProgress(limits.sliderMax);
  slider_->SetDPIDesc(QString::fromLatin1(limits.maxText), QString::fromLatin1(limits.stepText));
}

void PerformancePage::FillRates() {
  rates_->DeleteAllItems();
  const int shown = ReportRateEntriesShown(maxRateLevel_);
  for (int i = 0; i < shown; ++i) {
    const ReportRateChoice& choice = ReportRateChoiceAt(i);
    rates_->AddItem(QString::fromLatin1(choice.text), choice.code, kRateColours[i]);
  }
}

void PerformancePage::FillStages(int count) {
  stages_->DeleteAllItems();
  for (int n = 0; n < count; ++n)
    stages_->AddItem(StoredInt(ProfileValues::StageValueKey(n)),
                     static_cast<ColourRef>(StoredInt(ProfileValues::StageColourKey(n))));
}

void PerformancePage::SelectStage(int stage) {
  stages_->SetSelectItem(stage);
  MoveSlider(stages_->GetDPIValue(stage));
}

void PerformancePage::MoveSlider(int dpi) {
  slider_->SetProgress(DpiToSlider(sensorCode_, dpi));
  slider_->SetValueText(QString::number(dpi));
}

void PerformancePage::Refresh() {
  const ProfileId profile = hooks_.profile ? hooks_.profile() : 0;
  if (profile <= 0) return;
  if (auto* response = window_->GetControl<DUI::NumberEdit>(kResponseTime))
    response->SetValue(ButtonResponseValue(StoredInt("button_respondtime")));
  FillRates();
  rates_->SetSelectItemValue(StoredInt("report_rate"));
  RefreshDpiControls();
  const int flag = StoredInt("sensor_flag");
  for (int i = 0; i < kSensorOptionCount; ++i) sensorBoxes_[i]->SetCheck(SensorOptionOn(flag, i));
  std::string liftoff;
  store_.GetValue(profile, "liftoff_height", liftoff);
  (LiftoffIsTwo(liftoff) ? liftoffTwo_ : liftoffOne_)->SetCheck(true);
  sleep_->SetCurData(StoredInt("sleep_light"));
  wake_->SetCheck(StoredInt("move_wakeup") == 1);
  lightsOff_->SetCheck(StoredInt("move_closelight") == 1);
}

void PerformancePage::RefreshDpiControls() {
  // A stored count outside 1..6 cannot be shown; the list keeps to it.
  const int count = std::clamp(StoredInt("dpi_count"), 1, kMaxCount);
  count_->SetCurData(count);
  FillStages(count);
  const int active = ActiveStageOf(StoredInt("dpi_index"), count);
  SelectStage(active);
  // The mouse is at the stage the store holds after a read-back, a profile
  // write or a reset: a click on it has nothing to send, a click on the
  // stage clicked before it has.
  lastSelectedStage_ = active;
}

void PerformancePage::ShowDpiCount(int count) {
  if (count < 1 || count > kMaxCount) return;
  count_->SetCurData(count);
  FillStages(count);
  SelectStage(ActiveStageOf(StoredInt("dpi_index"), count));
}

void PerformancePage::ShowDpiStage(int stage, int dpi, int sliderPosition) {
  stages_->SetSelectItem(stage);
  slider_->SetProgress(sliderPosition);
  slider_->SetValueText(QString::number(dpi));
  // The mouse moved there by itself.
  lastSelectedStage_ = stage;
}

void PerformancePage::SelectReportRate(int code) { rates_->SetSelectItemValue(code); }

// --- user actions -----------------------------------------------------------

bool PerformancePage::OnNotify(int id, int event, intptr_t param) {
  const bool click = event == DUI::kEventClick;
  switch (id) {
    case kStages: OnStage(event); break;
    case kApply: if (click) AfterEdit(kWriteDpiStages); break;
    case kCount: if (click) OnCount(); break;
    case kSlider: OnSlider(event, static_cast<int>(param)); break;
    case kRates: if (click) OnRate(); break;
    case kDpiReset: if (click) OnDpiReset(); break;
    case kRateReset: if (click) AfterEdit(kResetReportRate); break;
    case kLiftoffOne:
    case kLiftoffTwo: if (click) OnLiftoff(); break;
    case kSensorOption: if (click) OnSensorOption(); break;
    case kSleep: if (click) OnSleep(); break;
    case kWake:
    case kLightsOff: if (click) OnPowerBox(id); break;
    case kMouseSettings: if (click && hooks_.openMouseSettings) hooks_.openMouseSettings(); break;
    case kResponseTime: OnResponseTime(event); break;
    default: return false;
  }
  return true;
}

void PerformancePage::OnStage(int event) {
  const int n = stages_->GetSelectItem();
  if (n < 0) return;
  const bool tips = hooks_.tipsOn && hooks_.tipsOn();
  const int value = stages_->GetDPIValue(n);
  switch (event) {
    case DUI::kEventClick:
      StoreInt("dpi_index", n);
      MoveSlider(value);
      // The stage clicked last is already the mouse's.
      if (n == lastSelectedStage_) return;
      lastSelectedStage_ = n;
      if (hooks_.queueTask) hooks_.queueTask(kWriteDpiStages);
      if (tips && hooks_.showDpi) hooks_.showDpi(value);
      if (tips && hooks_.showSaved) hooks_.showSaved();
      return;
    case DUI::kEventColorClick: {
      const ColourRef chosen = hooks_.pickColour ? hooks_.pickColour(stages_->GetDPIColorValue(n)) : 0;
      if (chosen == 0) return;  // closed without a colour
      stages_->SetDPIColorValue(n, chosen);
      StoreInt(ProfileValues::StageColourKey(n), chosen);
      MoveSlider(value);
      AfterEdit(kWriteDpiColours);
      return;
    }
    case DUI::kEventEditChanged: {
      const int typed = ProfileValues::ParseInt(stages_->GetEditText().toStdString());
      const int entered = DpiEntryValue(sensorCode_, typed);
      stages_->SetDPIValue(n, entered);
      MoveSlider(entered);
      StoreInt(ProfileValues::StageValueKey(n), entered);
      if (hooks_.queueTask) hooks_.queueTask(kWriteDpiStages);
      if (tips && hooks_.showDpi) hooks_.showDpi(entered);
      if (tips && hooks_.showSaved) hooks_.showSaved();
      return;
    }
    case DUI::kEventSelChanged:
      StoreInt("dpi_index", n);
      if (hooks_.queueTask) hooks_.queueTask(kWriteDpiStages);
      MoveSlider(value);
      if (n == lastSelectedStage_) return;
      lastSelectedStage_ = n;
      if (hooks_.queueTask) hooks_.queueTask(kWriteDpiStages);
      if (tips && hooks_.showDpi) hooks_.showDpi(value);
      return;
    default:
      return;
  }
}

void PerformancePage::OnCount() {
  const int count = static_cast<int>(count_->GetCurData());
  if (count < 1 || count > kMaxCount) return;
  StoreInt("dpi_count", count);
  FillStages(count);
  const int stored = StoredInt("dpi_index");
  const int active = ActiveStageAfterCount(stored, count);
  if (active != stored) StoreInt("dpi_index", active);
  SelectStage(active);
  lastSelectedStage_ = active;  // the write below takes the mouse there
  AfterEdit(kWriteDpiStages);
}

void PerformancePage::OnSlider(int event, int position) {
  const int n = stages_->GetSelectItem();
  if (n < 0) return;
  const int value = SliderStageValue(sensorCode_, position);
  stages_->SetDPIValue(n, value);
  slider_->SetValueText(QString::number(value));
  StoreInt(ProfileValues::StageValueKey(n), value);
  if (event == DUI::kEventClick) AfterEdit(kWriteDpiStages);
}

void PerformancePage::OnRate() {
  const int code = rates_->GetSelectItemValue();
  if (code < 0) return;
  StoreInt("report_rate", code);
  StoreInt("report_rate_wireless", code);
  AfterEdit(kWriteReportRate);
}

void PerformancePage::OnDpiReset() {
  if (!hooks_.confirm || !hooks_.confirm(kTextDpiReset, kTextDpiResetQuestion)) return;
  AfterEdit(kResetDpi);
}

void PerformancePage::OnLiftoff() {
  StoreInt("liftoff_height", LiftoffValue(liftoffTwo_->GetCheck()));
  AfterEdit(kWriteLiftoffSensor);
}

void PerformancePage::OnSensorOption() {
  StoreInt("sensor_flag",
           SensorFlagOf(sensorBoxes_[0]->GetCheck(), sensorBoxes_[1]->GetCheck(), sensorBoxes_[2]->GetCheck()));
  AfterEdit(kWriteLiftoffSensor);
}

void PerformancePage::OnSleep() {
  const int data = static_cast<int>(sleep_->GetCurData());
  if (data < 0) return;
  StoreInt("sleep_light", data);
  AfterEdit(kWritePowerOptions);
}

void PerformancePage::OnPowerBox(int id) {
  DUI::CCheckButton* box = id == kWake ? wake_ : lightsOff_;
  StoreInt(id == kWake ? "move_wakeup" : "move_closelight", box->GetCheck() ? 1 : 0);
  AfterEdit(kWritePowerOptions);
}

void PerformancePage::OnResponseTime(int event) {
  auto* edit = window_->GetControl<DUI::NumberEdit>(kResponseTime);
  if (edit == nullptr || (event != DUI::kEventEditChanged && event != DUI::kEventClick)) return;
  const QString text = edit->GetTitle();
  const int value = ButtonResponseValue(ProfileValues::ParseInt(text.toStdString()));
  if (QString::number(value) != text) edit->SetValue(value);
  StoreInt("button_respondtime", value);
  if (event != DUI::kEventClick) return;
  if (hooks_.queueTask) {
    hooks_.queueTask(kButtonResponseTime);
    // Task 14 sends nothing by itself; the value travels in the power
    // options, so they go now rather than with some later change.
    hooks_.queueTask(kWritePowerOptions);
  }
  if (hooks_.tipsOn && hooks_.tipsOn() && hooks_.showSaved) hooks_.showSaved();
}

}  // namespace korvex
