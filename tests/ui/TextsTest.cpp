// A language change re-applies the texts to every part of the window.

#include <QAction>
#include <QFontMetrics>
#include <QMenu>

#include "skinui/CDeviceState.h"
#include "skinui/CImageButton.h"
#include "skinui/MButton.h"
#include "skinui/MStyle.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MText.h"
#include "ui/UiText.h"
#include "ui/WindowMessages.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/pages/PagePlaceholder.h"
#include "ui/pages/device/DevicePage.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/settings/SettingsPage.h"
#include "ui/shell/MainTrayIcon.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

using namespace frame;

QString TextOf(DeviceMainDlg& w, int id) {
  auto* c = w.GetControl<DUI::MControlFont>(id);
  return c != nullptr ? c->GetTitle() : QStringLiteral("<missing %1>").arg(id);
}

// Every looked-up text the window shows, paired with what it should be in
// the current language.
std::vector<std::pair<QString, QString>> Shown(DeviceMainDlg& w) {
  std::vector<std::pair<QString, QString>> out;
  const auto expect = [&](const QString& shown, const QString& wanted) { out.emplace_back(shown, wanted); };
  expect(TextOf(w, kTitle), UiText(kTextTitle));
  expect(TextOf(w, kCopyright), UiText(kTextCopyright));
  expect(TextOf(w, kVersion), UiText(kTextSoftwareVersion) + QStringLiteral(": v1.0.0"));
  expect(TextOf(w, kRestore), UiText(kTextRestore));
  expect(TextOf(w, kConnection), UiText(w.Frame().ConnectionText()));
  expect(w.GetControl(kClose)->GetTooltip(), UiText(kTextClose));
  expect(w.GetControl(kSettings)->GetTooltip(), UiText(kTextSettings));
  const int tabTexts[][2] = {{kTabHome, 71}, {kTabButtons, 72}, {kTabPerformance, 73},
                             {kTabMacros, 74}, {kTabLighting, 75}, {kTabDevice, 76}};
  for (const auto& t : tabTexts) expect(w.Frame().Tabs()->GetItemText(t[0]), UiText(t[1]));
  expect(TextOf(w, HomePage::kMessage), UiText(HomePage::kTextMessage));
  expect(TextOf(w, DevicePage::kRestoreCaption), UiText(DevicePage::kTextRestore));
  expect(TextOf(w, DevicePage::kFirmwareCheck), UiText(DevicePage::kTextCheck));
  expect(TextOf(w, DevicePage::kResponseCaption), UiText(DevicePage::kTextResponseTime));
  expect(TextOf(w, DevicePage::kMouseVersion).section(':', 0, 0), UiText(DevicePage::kTextMouseFirmware));
  for (const PlaceholderIds& ids : {PagePlaceholder::kButtons, PagePlaceholder::kPerformance,
                                    PagePlaceholder::kMacros})
    expect(TextOf(w, ids.title), UiText(ids.titleText));
  expect(TextOf(w, SettingsPage::kLanguageCaption), UiText(600));
  expect(w.Tray().Menu()->actions().front()->text(), UiText(kTextTrayExit));
  return out;
}

void ExpectAllShown(DeviceMainDlg& w, const char* language) {
  for (const auto& [shown, wanted] : Shown(w)) {
    EXPECT_FALSE(wanted.isEmpty()) << language;
    EXPECT_EQ(wanted, shown) << language;
  }
}

TEST(WindowTexts, LanguageSwitchReappliesEverywhere) {
  WindowRig rig;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    DeviceMainDlg& w = rig.Window();
    ExpectAllShown(w, "2052");
    const QString chineseTitle = TextOf(w, kTitle);

    w.SetLanguage(1033);
    EXPECT_EQ(1033, CurrentLanguage());
    EXPECT_EQ(1033, ReadPreference("LCID"));
    ExpectAllShown(w, "1033");
    EXPECT_NE(chineseTitle, TextOf(w, kTitle));
    // The version row keeps its version behind the new caption.
    EXPECT_TRUE(TextOf(w, DevicePage::kMouseVersion).startsWith(UiText(DevicePage::kTextMouseFirmware)));

    w.SetLanguage(2052);
    ExpectAllShown(w, "2052 again");
    EXPECT_EQ(chineseTitle, TextOf(w, kTitle));
  });
}

TEST(WindowTexts, EveryShippedLanguageShowsEveryText) {
  WindowRig rig;
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    const std::set<int> available = AvailableLanguages();
    EXPECT_EQ(10u, available.size());
    for (int lcid : available) {
      w.SetLanguage(lcid);
      ExpectAllShown(w, std::to_string(lcid).c_str());
    }
  });
}

// Width a text needs in the control's font.
int Needed(DUI::MControlFont* c, const QString& text) {
  return QFontMetrics(DUI::MStyle::Font(c->GetFontSize(), c->GetFontBold())).horizontalAdvance(text);
}

TEST(WindowTexts, FrameTextsFitInEveryLanguage) {
  WindowRig rig;
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    auto* restore = w.GetControl<DUI::MControlFont>(kRestore);
    auto* profile = w.GetControl<DUI::MControlFont>(kProfile);
    auto* connection = w.GetControl<DUI::MControlFont>(kConnection);
    auto* version = w.GetControl<DUI::MControlFont>(kVersion);
    auto* copyright = w.GetControl<DUI::MControlFont>(kCopyright);
    ASSERT_TRUE(restore && profile && connection && version && copyright);
    for (int lcid : AvailableLanguages()) {
      w.SetLanguage(lcid);
      const std::string in = std::to_string(lcid);
      EXPECT_LE(Needed(restore, UiText(kTextRestore)) + 16, restore->width()) << in;
      // The device page's buttons.
      for (int id : {DevicePage::kFirmwareCheck, DevicePage::kReceiverCheck, DevicePage::kRestore}) {
        auto* button = w.GetControl<DUI::MControlFont>(id);
        ASSERT_NE(button, nullptr);
        EXPECT_LE(Needed(button, button->GetTitle()) + 16, button->width()) << in << " control " << id;
      }
      // The arrow, its gap and the padding beside the longest default name.
      EXPECT_LE(Needed(profile, UiText(kTextProfile) + QStringLiteral(" 4")) + 16 + 8 + 16, profile->width()) << in;
      for (int text : {50, 51, 52})  // light and mode icon before the text
        EXPECT_LE(Needed(connection, UiText(text)) + 70, connection->width()) << in << " text " << text;
      EXPECT_LE(Needed(version, version->GetTitle()), version->width()) << in;
      EXPECT_LE(Needed(copyright, copyright->GetTitle()), copyright->width()) << in;
      for (int text = 71; text <= 76; ++text)  // icon room on the left
        EXPECT_LE(Needed(w.Frame().Tabs(), UiText(text)) + 72, w.Frame().Tabs()->width()) << in << " tab " << text;
    }
  });
}

TEST(WindowTexts, MessageReappliesTheCurrentLanguage) {
  WindowRig rig;
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    const QString before = TextOf(w, kTitle);
    SetCurrentLanguage(1033);  // changed behind the window's back
    EXPECT_EQ(before, TextOf(w, kTitle));
    w.PostMessage(kMsgApplyTexts);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(w, kTitle) == UiText(kTextTitle); }, 2000));
    ExpectAllShown(w, "1033 by message");
  });
}

TEST(WindowTexts, DefaultProfileNamesFollowTheLanguage) {
  WindowRig rig;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    DeviceMainDlg& w = rig.Window();
    // Created in Chinese: "配置 1".
    const QString stored = w.Frame().ProfileLabel();
    ASSERT_TRUE(stored.startsWith(QString::fromUtf8("配置")));
    w.SetLanguage(1033);
    EXPECT_EQ(QStringLiteral("Profile  1"), w.Frame().ProfileLabel());
  });
}

}  // namespace
}  // namespace korvex::test
