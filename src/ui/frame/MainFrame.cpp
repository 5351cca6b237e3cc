#include "ui/frame/MainFrame.h"

#include <QFontMetrics>
#include <algorithm>

#include "skinui/BatteryCtrl.h"
#include "skinui/CDeviceState.h"
#include "skinui/CIconButton.h"
#include "skinui/CImageButton.h"
#include "skinui/MButton.h"
#include "skinui/MPicture.h"
#include "skinui/MStyle.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MTabLayout.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "ui/UiText.h"
#include "ui/frame/FrameIds.h"

namespace korvex {

using namespace frame;

namespace {

constexpr int kBarHeight = 50;
constexpr int kSystemButton = 30;
constexpr int kTabWidth = 190;
constexpr int kTabItemHeight = 60;
constexpr int kTabTop = 120;
// The connection text: its left edge from the window's right edge, and its
// width, enough for the longest text of either language.
constexpr int kConnectionRight = 600;
constexpr int kConnectionWidth = 340;

struct TabDef {
  int item;
  int text;
  const char* icon;
  int container;
};

// Insertion order of the tab strip.
constexpr TabDef kTabs[] = {
    {kTabHome, 71, "icon/tab_home.png", kHomeContainer},
    {kTabButtons, 72, "icon/tab_key.png", kButtonsContainer},
    {kTabPerformance, 73, "icon/tab_dpi.png", kPerformanceContainer},
    {kTabMacros, 74, "icon/tab_macro.png", kMacrosContainer},
    {kTabLighting, 75, "icon/tab_light.png", kLightingContainer},
    {kTabDevice, 76, "icon/tab_set.png", kDeviceContainer},
};

QString VersionLine(const std::string& version) {
  return QStringLiteral("%1: v%2").arg(UiText(kTextSoftwareVersion), QString::fromStdString(version));
}

}  // namespace

MainFrame::MainFrame(DUI::MWindow* window, std::string softwareVersion)
    : window_(window), softwareVersion_(std::move(softwareVersion)) {}

void MainFrame::Build() {
  BuildBars();
  BuildSystemButtons();
  BuildDeviceControls();
  BuildTabs();
  ApplyTexts();
}

void MainFrame::BuildBars() {
  background_ = window_->CreateControl<DUI::MPicture>(kBackground);
  background_->SetImage(QStringLiteral("main_bkg.png"));
  background_->SetDrawMode(DUI::MPicture::kStretch);
  sidePicture_ = window_->CreateControl<DUI::MPicture>(kSidePicture);
  sidePicture_->SetVisible(false);
  titleBar_ = window_->CreateControl<DUI::MPicture>(kTitleBar);
  titleBar_->SetImage(QStringLiteral("img_area_caption.png"));
  bottomBar_ = window_->CreateControl<DUI::MPicture>(kBottomBar);
  bottomBar_->SetImage(QStringLiteral("img_area_caption.png"));
  logo_ = window_->CreateControl<DUI::MPicture>(kLogo);
  logo_->SetImage(QStringLiteral("logo/logo.png"));
  logo_->SetDrawMode(DUI::MPicture::kFit);

  title_ = window_->CreateControl<DUI::MText>(kTitle);
  title_->SetFontSize(18);
  title_->SetFontBold(true);
  title_->SetTextAlign(Qt::AlignCenter);
  version_ = window_->CreateControl<DUI::MText>(kVersion);
  version_->SetFontSize(12);
  version_->SetTextColor(DUI::MStyle::TextDim());
  copyright_ = window_->CreateControl<DUI::MText>(kCopyright);
  copyright_->SetFontSize(12);
  copyright_->SetTextColor(DUI::MStyle::TextDim());
  copyright_->SetTextAlign(Qt::AlignCenter);
}

void MainFrame::BuildSystemButtons() {
  const auto make = [this](int id, const char* image) {
    auto* b = window_->CreateControl<DUI::CImageButton>(id);
    b->SetImage(QString::fromLatin1(image));
    return b;
  };
  close_ = make(kClose, "sysbtn_close.png");
  maximise_ = make(kMaximise, "sysbtn_maximize.png");
  minimise_ = make(kMinimise, "sysbtn_min.png");
  settings_ = make(kSettings, "sysbtn_setting.png");
}

void MainFrame::BuildDeviceControls() {
  battery_ = window_->CreateControl<DUI::BatteryCtrl>(kBattery);
  battery_->SetImages(QStringLiteral("icon/icon_battery_bkg.png"),
                      QStringLiteral("icon/icon_batteryvalue.png"), QStringLiteral("icon/icon_charge.png"));
  battery_->SetFontSize(12);
  connection_ = window_->CreateControl<DUI::CDeviceState>(kConnection);
  connection_->SetImage(QStringLiteral("img_area.png"));
  connection_->SetFontSize(13);
  profile_ = window_->CreateControl<DUI::CIconButton>(kProfile);
  profile_->SetImage(QStringLiteral("img_button.png"));
  profile_->SetIcon(QStringLiteral("icon/icon_arrow_up.png"));
  profile_->SetIconSize(16);
  restore_ = window_->CreateControl<DUI::MButton>(kRestore);
  restore_->SetImage(QStringLiteral("img_button.png"));
}

void MainFrame::BuildTabs() {
  tabBackground_ = window_->CreateControl<DUI::MPicture>(kTabBackground);
  tabBackground_->SetImage(QStringLiteral("img_tab_bkg.png"));
  tabs_ = window_->CreateControl<DUI::MTabCtrl>(kTabStrip);
  tabs_->SetImage(QStringLiteral("img_tabitem_bkg.png"));
  tabs_->SetItemHeight(kTabItemHeight);
  for (int id = kHomeContainer; id <= kSettingsContainer; ++id)
    containers_[id - kHomeContainer] = window_->CreateControl<DUI::MTabLayout>(id);
  for (const TabDef& t : kTabs)
    tabs_->InsertItem(t.item, UiText(t.text), QString::fromLatin1(t.icon), Container(t.container));
  tabs_->SetSelectItem(kTabHome);
  Container(kSettingsContainer)->SetVisible(false);
}

DUI::MTabLayout* MainFrame::Container(int id) const {
  if (id < kHomeContainer || id > kSettingsContainer) return nullptr;
  return containers_[id - kHomeContainer];
}

void MainFrame::Layout(int w, int h) {
  PlaceBars(w, h);
  PlacePages(w, h);
}

void MainFrame::PlaceTitle() {
  // Centred on the window, or between the logo and the connection text
  // when the window is too narrow for that.
  const int w = window_->width();
  const int pillLeft = w - kConnectionRight;
  const int textWidth = QFontMetrics(DUI::MStyle::Font(18, true)).horizontalAdvance(title_->GetTitle()) + 24;
  QRect title(w / 2 - textWidth / 2, 0, textWidth, kBarHeight);
  if (!connection_->isHidden() && title.right() > pillLeft - 10)
    title = QRect(180, 0, std::max(0, pillLeft - 190), kBarHeight);
  title_->SetRect(title);
}

void MainFrame::PlaceBars(int w, int h) {
  background_->SetRect(QRect(0, 0, w, h));
  titleBar_->SetRect(QRect(0, 0, w, kBarHeight));
  bottomBar_->SetRect(QRect(0, h - kBarHeight, w, kBarHeight));
  logo_->SetRect(QRect(18, 9, 150, 32));

  // System buttons from the right: close, maximise, minimise, settings.
  const int top = (kBarHeight - kSystemButton) / 2;
  close_->SetRect(QRect(w - 50, top, kSystemButton, kSystemButton));
  maximise_->SetRect(QRect(w - 82, top, kSystemButton, kSystemButton));
  minimise_->SetRect(QRect(w - 114, top, kSystemButton, kSystemButton));
  settings_->SetRect(QRect(w - 146, top, kSystemButton, kSystemButton));
  // Connection text and battery left of the system buttons.
  battery_->SetRect(QRect(w - 250, 11, 92, 28));
  connection_->SetRect(QRect(w - kConnectionRight, 9, kConnectionWidth, 32));
  PlaceTitle();

  // Bottom bar: version left, copyright centred, profile and restore right.
  const int bottomTop = h - kBarHeight;
  version_->SetRect(QRect(24, bottomTop, 260, kBarHeight));
  copyright_->SetRect(QRect(w / 2 - 260, bottomTop, 520, kBarHeight));
  restore_->SetRect(QRect(w - 196, bottomTop + 8, 176, 34));
  profile_->SetRect(QRect(w - 396, bottomTop + 8, 190, 34));
}

void MainFrame::PlacePages(int w, int h) {
  tabBackground_->SetRect(QRect(1, kBarHeight, kTabWidth, h - 2 * kBarHeight));
  tabs_->SetRect(QRect(1, kTabTop, kTabWidth, 6 * kTabItemHeight));
  sidePicture_->SetRect(QRect(1, kTabTop + 6 * kTabItemHeight, kTabWidth,
                              std::max(0, h - kBarHeight - kTabTop - 6 * kTabItemHeight)));
  pageRect_ = QRect(200, 80, std::max(0, w - 220), std::max(0, h - 130));
  Container(kHomeContainer)->SetRect(QRect(20, 80, std::max(0, w - 40), std::max(0, h - 130)));
  for (int id = kButtonsContainer; id <= kDeviceContainer; ++id) Container(id)->SetRect(pageRect_);
  // Down to the bottom bar, which keeps the profile and restore buttons.
  Container(kSettingsContainer)->SetRect(QRect(1, kBarHeight, std::max(0, w - 2), std::max(0, h - 2 * kBarHeight)));
}

void MainFrame::ApplyTexts() {
  title_->SetTitle(UiText(kTextTitle));
  PlaceTitle();
  version_->SetTitle(VersionLine(softwareVersion_));
  copyright_->SetTitle(UiText(kTextCopyright));
  close_->SetTooltip(UiText(kTextClose));
  minimise_->SetTooltip(UiText(kTextMinimise));
  maximise_->SetTooltip(UiText(kTextMaximise));
  settings_->SetTooltip(UiText(kTextSettings));
  restore_->SetTitle(UiText(kTextRestore));
  connection_->SetTitle(UiText(connectionText_));
  profile_->SetTitle(profileLabel_.isEmpty() ? UiText(kTextProfile) : profileLabel_);
  for (const TabDef& t : kTabs) tabs_->SetItemText(t.item, UiText(t.text));
}

void MainFrame::ShowConnection(int textId) {
  connectionText_ = textId;
  connection_->SetTitle(UiText(textId));
  connection_->SetMode(textId == kTextWired      ? DUI::CDeviceState::kWired
                       : textId == kTextReceiver ? DUI::CDeviceState::kReceiver
                                                 : DUI::CDeviceState::kNone);
}

void MainFrame::ShowProfileLabel(const QString& name) {
  profileLabel_ = name;
  profile_->SetTitle(name.isEmpty() ? UiText(kTextProfile) : name);
}

void MainFrame::ShowMaximised(bool maximised) {
  maximise_->SetImage(maximised ? QStringLiteral("sysbtn_restore.png") : QStringLiteral("sysbtn_maximize.png"));
}

void MainFrame::SetTabStripVisible(bool visible) {
  tabs_->SetVisible(visible);
  tabBackground_->SetVisible(visible);
}

void MainFrame::SetDeviceControlsVisible(bool visible) {
  connection_->SetVisible(visible);
  profile_->SetVisible(visible);
  restore_->SetVisible(visible);
  PlaceTitle();
}

void MainFrame::SetSidePictureVisible(bool visible) { sidePicture_->SetVisible(visible); }

void MainFrame::ShowBattery(int level, int state) {
  battery_->SetBatteryInfo(level, state);
  // A mouse without a battery reports neither a level nor charging; an
  // empty gauge would read as a flat battery.
  batteryKnown_ = level > 0 || state == 1;
  battery_->SetVisible(batteryWanted_ && batteryKnown_);
}

void MainFrame::SetBatteryVisible(bool visible) {
  batteryWanted_ = visible;
  battery_->SetVisible(visible && batteryKnown_);
}

void MainFrame::SetSettingsButtonsVisible(bool visible) {
  settings_->SetVisible(visible);
  maximise_->SetVisible(visible);
}

void MainFrame::SetFooterTextsVisible(bool visible) {
  version_->SetVisible(visible);
  copyright_->SetVisible(visible);
}

}  // namespace korvex
