#include "ui/pages/settings/SettingsPage.h"

#include <QEvent>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "i18n/LanguageChoice.h"
#include "i18n/Texts.h"
#include "prefs/AppPreferences.h"
#include "prefs/SystemShortcuts.h"
#include "skinui/CArea.h"
#include "skinui/CCheckButton.h"
#include "skinui/CImageButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/CTextButton.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MPicture.h"
#include "skinui/MStyle.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "skinui/Manager.h"

namespace korvex {
namespace {

QString Text(int number) { return QString::fromStdString(GetText(number)); }

enum TextId {
  kTextCopyright = 2,
  kTextWebsite = 3,
  kTextSoftwareVersion = 17,
  kTextLatest = 580,
  kTextNewer = 582,
  kTextLanguage = 600,
  kTextStartup = 603,
  kTextStartAtLogon = 604,
  kTextStartMinimised = 605,
  kTextCloseCaption = 607,
  kTextCloseHides = 608,
  kTextCloseExits = 609,
  kTextCheckUpdate = 612,
  kTextFeedback = 615,
  kTextQa = 616,
  kTextShowTips = 632,
  kTextBatteryNotice = 902,
};

// The layout's measures, in pixels of the container.
constexpr int kColumnWidth = 760;
constexpr int kCaptionWidth = 250;
constexpr int kPad = 28;
constexpr int kRow = 30;
constexpr int kRowGap = 10;
constexpr int kLinkGap = 36;
constexpr int kHeaderHeight = 72;
constexpr int kAreaGap = 20;
constexpr int kLinksGap = 36;
constexpr int kCopyrightRoom = 60;
// Header, the two areas with the gap between them, and the links.
constexpr int kGeneralHeight = 2 * kPad - 10 + 36 + kRowGap + 4 + 2 * kRow + kRowGap;
constexpr int kStartHeight = 2 * kPad - 10 + 4 * kRow + 3 * kRowGap + kPad;
constexpr int kContentHeight = kHeaderHeight + kGeneralHeight + kAreaGap + kStartHeight + kLinksGap + kRow;

}  // namespace

SettingsPage::SettingsPage(DUI::MWindow* window, QWidget* container, AppPreferences& prefs,
                           SettingsPageInfo info, SettingsPageHooks hooks)
    : window_(window), container_(container), prefs_(prefs), info_(std::move(info)), hooks_(std::move(hooks)) {
  Build();
  container_->installEventFilter(this);
  Refresh();
  ApplyTexts();
  Layout();
}

SettingsPage::~SettingsPage() {
  if (container_ != nullptr) container_->removeEventFilter(this);
}

template <class T>
T* SettingsPage::Add(int id) {
  return window_->CreateControl<T>(id, QRect(), container_);
}

void SettingsPage::Build() {
  // Created back to front: the backgrounds first.
  background_ = Add<DUI::MPicture>(kBackground);
  background_->SetImage("img_area_bkg.png");
  generalArea_ = Add<DUI::CArea>(kGeneralArea);
  startArea_ = Add<DUI::CArea>(kStartArea);
  for (DUI::CArea* area : {generalArea_, startArea_}) {
    area->SetColor(QColor(0xE6, 0xE6, 0xE6, 10));
    area->SetBorderColor(QColor(0xE6, 0xE6, 0xE6, 28));
    area->SetRadius(10);
  }

  return_ = Add<DUI::CImageButton>(kReturn);
  return_->SetImage("img_return.png");

  version_ = Add<DUI::MText>(kVersion);
  version_->SetFontSize(18);
  version_->SetFontBold(true);
  status_ = Add<DUI::MText>(kUpdateStatus);
  status_->SetTextColor(QColor(0x00, 0xC8, 0x00));
  updateCheck_ = Add<DUI::MButton>(kUpdateCheck);
  updateCheck_->SetImage("img_button.png");
  updateCheck_->SetTextAlign(Qt::AlignCenter);

  languageCaption_ = Add<DUI::MText>(kLanguageCaption);
  language_ = Add<DUI::MComboBox>(kLanguage);
  showTips_ = Add<DUI::CCheckButton>(kShowTips);
  batteryNotice_ = Add<DUI::CCheckButton>(kBatteryNotice);

  startCaption_ = Add<DUI::MText>(kStartCaption);
  startAtLogon_ = Add<DUI::CCheckButton>(kStartAtLogon);
  startMinimised_ = Add<DUI::CCheckButton>(kStartMinimised);
  closeCaption_ = Add<DUI::MText>(kCloseCaption);
  closeHides_ = Add<DUI::CRadioButton>(kCloseHides);
  closeExits_ = Add<DUI::CRadioButton>(kCloseExits);
  for (DUI::CRadioButton* radio : {closeHides_, closeExits_}) radio->SetGroup(kExitModeGroup);

  for (DUI::MText* caption : {languageCaption_, startCaption_, closeCaption_}) {
    caption->SetFontSize(16);
    caption->SetTextColor(DUI::MStyle::TextDim());
    caption->SetMultiLine(true);
    // Top-aligned, so a caption that wraps grows downwards beside its
    // options while its first line stays level with the first option.
    caption->SetTextAlign(Qt::AlignLeft | Qt::AlignTop);
  }
  for (DUI::CCheckButton* box : {showTips_, batteryNotice_, startAtLogon_, startMinimised_,
                                 static_cast<DUI::CCheckButton*>(closeHides_),
                                 static_cast<DUI::CCheckButton*>(closeExits_)})
    box->SetFontSize(15);
  language_->SetFontSize(15);

  copyright_ = Add<DUI::MText>(kCopyright);
  copyright_->SetTextAlign(Qt::AlignCenter);
  copyright_->SetTextColor(DUI::MStyle::TextDim());
  website_ = Add<DUI::CTextButton>(kWebsite);
  feedback_ = Add<DUI::CTextButton>(kFeedback);
  qa_ = Add<DUI::CTextButton>(kQa);
  for (DUI::CTextButton* link : {website_, feedback_, qa_}) {
    link->SetFontSize(15);
    link->SetTextAlign(Qt::AlignCenter);
  }
}

void SettingsPage::Refresh() {
  FillLanguages();
  prefs_.BuildSettingsPage();
  ShowPreferences();
}

void SettingsPage::FillLanguages() {
  std::vector<OfferedLanguage> offered;
  OfferedLanguages(AvailableLanguages(), offered);
  language_->ResetContent();
  for (const OfferedLanguage& entry : offered)
    language_->AddString(QString::fromStdString(entry.name), entry.lcid);
  language_->SetCurData(CurrentLanguage());
}

void SettingsPage::ShowPreferences() {
  const SettingsPageState& state = prefs_.PageState();
  startAtLogon_->SetCheck(state.startAtLogon);
  startMinimised_->SetCheck(state.startMinimised);
  startMinimised_->SetEnabled(state.startMinimisedEnabled);
  if (state.closeHides)
    closeHides_->SetCheck(true);
  else
    closeExits_->SetCheck(true);
  showTips_->SetCheck(state.showTips);
  batteryNotice_->SetCheck(state.batteryNotice);
}

void SettingsPage::ApplyTexts() {
  version_->SetTitle(QStringLiteral("%1: v%2").arg(Text(kTextSoftwareVersion),
                                                   QString::fromStdString(info_.softwareVersion)));
  SetNewerSoftware(newerSoftware_);
  updateCheck_->SetTitle(Text(kTextCheckUpdate));
  languageCaption_->SetTitle(Text(kTextLanguage));
  showTips_->SetTitle(Text(kTextShowTips));
  batteryNotice_->SetTitle(Text(kTextBatteryNotice));
  startCaption_->SetTitle(Text(kTextStartup));
  startAtLogon_->SetTitle(Text(kTextStartAtLogon));
  startMinimised_->SetTitle(Text(kTextStartMinimised));
  closeCaption_->SetTitle(Text(kTextCloseCaption));
  closeHides_->SetTitle(Text(kTextCloseHides));
  closeExits_->SetTitle(Text(kTextCloseExits));
  copyright_->SetTitle(Text(kTextCopyright));
  website_->SetTitle(Text(kTextWebsite));
  feedback_->SetTitle(Text(kTextFeedback));
  qa_->SetTitle(Text(kTextQa));
  Layout();  // the links are as wide as their texts
}

void SettingsPage::SetNewerSoftware(const std::string& version) {
  newerSoftware_ = version;
  if (version.empty())
    status_->SetTitle(Text(kTextLatest));
  else
    status_->SetTitle(QStringLiteral("%1: v%2").arg(Text(kTextNewer), QString::fromStdString(version)));
}

void SettingsPage::Layout() {
  const int w = container_->width();
  const int h = container_->height();
  background_->SetRect(0, 0, w, h);
  return_->SetRect(24, 20, 60, 56);

  const int column = std::min(kColumnWidth, std::max(0, w - 160));
  const int x = (w - column) / 2;
  const int right = x + column;
  const int field = x + kPad + kCaptionWidth + 12;
  // The block of settings sits in the middle of the room above the
  // copyright line.
  int y = std::max(20, (h - kCopyrightRoom - kContentHeight) / 2);

  // Software version and the update check.
  // The update button grows with a long text; the version lines give way.
  const int checkWidth =
      std::max(184, QFontMetrics(DUI::MStyle::Font(15, true)).horizontalAdvance(updateCheck_->GetTitle()) + 36);
  version_->SetRect(x + 4, y, right - checkWidth - 16, y + 26);
  status_->SetRect(x + 4, y + 26, right - checkWidth - 16, y + 48);
  updateCheck_->SetRect(right - checkWidth, y + 4, right, y + 42);
  y += kHeaderHeight;

  // Language and tips.
  const int generalTop = y;
  y += kPad - 4;
  languageCaption_->SetRect(x + kPad, y + 8, field - 12, y + 8 + 2 * kRow);
  language_->SetRect(field, y, field + 260, y + 36);
  y += 36 + kRowGap + 4;
  showTips_->SetRect(field, y, right - kPad, y + kRow);
  y += kRow + kRowGap;
  batteryNotice_->SetRect(field, y, right - kPad, y + kRow);
  y += kRow + kPad - 6;
  generalArea_->SetRect(x, generalTop, right, y);

  // Start options and the close button; each caption stands level with the
  // first of its options.
  y += kAreaGap;
  const int startTop = y;
  y += kPad - 4;
  startCaption_->SetRect(x + kPad, y + 5, field - 12, y + 5 + 2 * kRow);
  startAtLogon_->SetRect(field, y, right - kPad, y + kRow);
  y += kRow + kRowGap;
  startMinimised_->SetRect(field, y, right - kPad, y + kRow);
  y += kRow + kPad;
  closeCaption_->SetRect(x + kPad, y + 5, field - 12, y + 5 + 2 * kRow);
  closeHides_->SetRect(field, y, right - kPad, y + kRow);
  y += kRow + kRowGap;
  closeExits_->SetRect(field, y, right - kPad, y + kRow);
  y += kRow + kPad - 6;
  startArea_->SetRect(x, startTop, right, y);

  // The links in one centred row, the copyright line at the bottom.
  y += kLinksGap;
  // Measured in the bold face so that no font of the desktop cuts them.
  const QFontMetrics metrics(DUI::MStyle::Font(15, true));
  int total = 0;
  std::vector<int> widths;
  for (DUI::CTextButton* link : {website_, feedback_, qa_}) {
    widths.push_back(metrics.horizontalAdvance(link->GetTitle()) + 24);
    total += widths.back();
  }
  total += 2 * kLinkGap;
  int linkX = (w - total) / 2;
  int i = 0;
  for (DUI::CTextButton* link : {website_, feedback_, qa_}) {
    link->SetRect(linkX, y, linkX + widths[i], y + kRow);
    linkX += widths[i++] + kLinkGap;
  }
  const int copyrightTop = std::max(y + kRow + 16, h - 44);
  copyright_->SetRect(20, copyrightTop, w - 20, copyrightTop + 26);
}

bool SettingsPage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == container_ && e->type() == QEvent::Resize) Layout();
  return QObject::eventFilter(watched, e);
}

bool SettingsPage::OnNotify(int id, int event, intptr_t param) {
  if (!IsPageControl(id)) return false;
  if (event != DUI::kEventClick) return true;
  switch (id) {
    case kReturn:
      if (hooks_.leave) hooks_.leave();
      break;
    case kUpdateCheck:
      if (hooks_.checkSoftwareUpdate) hooks_.checkSoftwareUpdate();
      break;
    case kLanguage:
      OnLanguageChosen(int(param));
      break;
    case kShowTips:
      prefs_.SetShowTips(showTips_->GetCheck());
      ShowPreferences();
      break;
    case kBatteryNotice:
      prefs_.SetBatteryNotice(batteryNotice_->GetCheck());
      ShowPreferences();
      break;
    case kStartAtLogon:
      prefs_.SetStartAtLogon(startAtLogon_->GetCheck());
      ShowPreferences();
      break;
    case kStartMinimised:
      prefs_.SetStartMinimised(startMinimised_->GetCheck());
      ShowPreferences();
      break;
    case kCloseHides:
    case kCloseExits:
      prefs_.SetExitMode(closeHides_->GetCheck());
      break;
    case kWebsite:
      OnLink(info_.website);
      break;
    case kFeedback:
      OnLink(info_.feedback);
      break;
    case kQa:
      OnLink(info_.qa);
      break;
    default:
      break;
  }
  return true;
}

void SettingsPage::OnLanguageChosen(int index) {
  const intptr_t lcid = language_->GetItemData(index);
  if (lcid <= 0) return;
  SetLanguage(int(lcid));
  DUI::Manager::SetFontName(kFontName);
  ApplyTexts();
  if (hooks_.languageChanged) hooks_.languageChanged(int(lcid));
}

void SettingsPage::OnLink(const std::string& url) {
  if (hooks_.openLink)
    hooks_.openLink(url);
  else
    OpenLink(url);
}

}  // namespace korvex
