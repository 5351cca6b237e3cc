#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "TestHost.h"
#include "i18n/Texts.h"
#include "platform/PreferenceStore.h"
#include "prefs/AppPreferences.h"
#include "skinui/CCheckButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/CTextButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MTabLayout.h"
#include "skinui/MText.h"
#include "ui/pages/settings/SettingsPage.h"

using namespace korvex;

namespace {

class SettingsPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    SetCurrentLanguage(1033);
    prefsPath_ = dir_.filePath("prefs.ini").toStdString();
    entryPath_ = dir_.filePath("autostart/Korvex Mouse.desktop").toStdString();
  }

  void TearDown() override { SetCurrentLanguage(1033); }

  // Builds the page the way the main window does, on a fresh read of the
  // stored preferences.
  void Build() {
    page_.reset();
    host_ = std::make_unique<TestHost>();
    prefs_ = std::make_unique<AppPreferences>(PreferenceStore(prefsPath_),
                                              LogonStart(entryPath_, "/opt/korvex/korvex", "Korvex Mouse"));
    prefs_->LoadShowTips();
    prefs_->LoadBatteryNotice();
    container_ = host_->CreateControl<DUI::MTabLayout>(55, QRect(1, 50, 1398, 698));
    SettingsPageHooks hooks;
    hooks.languageChanged = [this](int lcid) { languages_.push_back(lcid); };
    hooks.checkSoftwareUpdate = [this] { ++updateChecks_; };
    hooks.leave = [this] { ++leaves_; };
    hooks.openLink = [this](const std::string& url) {
      links_.push_back(url);
      return true;
    };
    page_ = std::make_unique<SettingsPage>(host_.get(), container_, *prefs_,
                                           SettingsPageInfo{"1.0.0", "https://www.korvex.example/",
                                                            "https://support.korvex.example/feedback", ""},
                                           hooks);
    host_->onNotify = [this](int id, int event, intptr_t param) { page_->OnNotify(id, event, param); };
    host_->show();
  }

  template <class T>
  T* Control(int id) {
    return host_->GetControl<T>(id);
  }

  void Click(int id) { QTest::mouseClick(host_->GetControl(id), Qt::LeftButton); }

  std::string Stored(const std::string& name) { return PreferenceStore(prefsPath_).ReadText(name); }
  bool EntryExists() { return QFile::exists(QString::fromStdString(entryPath_)); }

  QTemporaryDir dir_;
  std::string prefsPath_;
  std::string entryPath_;
  std::unique_ptr<TestHost> host_;
  std::unique_ptr<AppPreferences> prefs_;
  DUI::MTabLayout* container_ = nullptr;
  std::unique_ptr<SettingsPage> page_;
  std::vector<int> languages_;
  std::vector<std::string> links_;
  int updateChecks_ = 0;
  int leaves_ = 0;
};

}  // namespace

TEST_F(SettingsPageTest, FirstRunShowsTheDefaults) {
  Build();
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartAtLogon)->GetCheck());
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->GetCheck());
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->IsEnabled());
  EXPECT_FALSE(Control<DUI::CRadioButton>(SettingsPage::kCloseHides)->GetCheck());
  EXPECT_TRUE(Control<DUI::CRadioButton>(SettingsPage::kCloseExits)->GetCheck());
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kShowTips)->GetCheck());
  EXPECT_FALSE(prefs_->ShowTips());
  EXPECT_EQ(Control<DUI::MText>(SettingsPage::kVersion)->GetTitle(),
            QString::fromStdString(GetText(17)) + ": v1.0.0");
  EXPECT_EQ(Control<DUI::MText>(SettingsPage::kUpdateStatus)->GetTitle(), QString::fromStdString(GetText(580)));
  EXPECT_EQ(Control<DUI::MText>(SettingsPage::kUpdateStatus)->GetTextColor(), QColor(0, 200, 0));
}

TEST_F(SettingsPageTest, StartAtLogonWritesAndRemovesTheAutostartEntry) {
  Build();
  auto* logon = Control<DUI::CCheckButton>(SettingsPage::kStartAtLogon);
  auto* minimised = Control<DUI::CCheckButton>(SettingsPage::kStartMinimised);
  Click(SettingsPage::kStartAtLogon);
  EXPECT_TRUE(logon->GetCheck());
  EXPECT_TRUE(EntryExists());
  EXPECT_TRUE(minimised->IsEnabled());
  EXPECT_EQ(Stored(AppPreferences::kStartMinimised), "");  // switching on writes nothing there

  Click(SettingsPage::kStartMinimised);
  EXPECT_TRUE(minimised->GetCheck());
  EXPECT_EQ(Stored(AppPreferences::kStartMinimised), "1");

  // Built again, the page shows what is stored.
  Build();
  EXPECT_TRUE(Control<DUI::CCheckButton>(SettingsPage::kStartAtLogon)->GetCheck());
  EXPECT_TRUE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->GetCheck());
  EXPECT_TRUE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->IsEnabled());

  Click(SettingsPage::kStartAtLogon);
  EXPECT_FALSE(EntryExists());
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->GetCheck());
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->IsEnabled());
  EXPECT_EQ(Stored(AppPreferences::kStartMinimised), "0");
}

TEST_F(SettingsPageTest, AnOverlongOrUnwritableEntryShowsAsOff) {
  // An entry whose command does not fit 512 bytes counts as absent.
  QDir().mkpath(dir_.filePath("autostart"));
  std::ofstream(entryPath_) << "[Desktop Entry]\nType=Application\nExec=/opt/" << std::string(600, 'k')
                            << " -autorun\n";
  PreferenceStore(prefsPath_).Write(AppPreferences::kStartMinimised, "1");
  Build();
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartAtLogon)->GetCheck());
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->GetCheck());
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->IsEnabled());

  // An autostart folder that cannot be written: the box does not claim "on".
  QFile::remove(QString::fromStdString(entryPath_));
  QDir(dir_.filePath("autostart")).removeRecursively();
  std::ofstream(dir_.filePath("autostart").toStdString()) << "a file, not a folder";
  Build();
  Click(SettingsPage::kStartAtLogon);
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartAtLogon)->GetCheck());
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kStartMinimised)->IsEnabled());
}

TEST_F(SettingsPageTest, ExitModeRadiosAndTips) {
  PreferenceStore(prefsPath_).Write(AppPreferences::kExitMode, "2");  // anything but 1 means exit
  Build();
  EXPECT_TRUE(Control<DUI::CRadioButton>(SettingsPage::kCloseExits)->GetCheck());

  Click(SettingsPage::kCloseHides);
  EXPECT_EQ(Stored(AppPreferences::kExitMode), "1");
  EXPECT_FALSE(Control<DUI::CRadioButton>(SettingsPage::kCloseExits)->GetCheck());
  EXPECT_EQ(prefs_->OnCloseButton(true), CloseAction::HideToTray);
  Click(SettingsPage::kCloseExits);
  EXPECT_EQ(Stored(AppPreferences::kExitMode), "0");
  EXPECT_EQ(prefs_->OnCloseButton(true), CloseAction::Exit);
  Click(SettingsPage::kCloseHides);
  Build();
  EXPECT_TRUE(Control<DUI::CRadioButton>(SettingsPage::kCloseHides)->GetCheck());

  Click(SettingsPage::kShowTips);
  EXPECT_TRUE(prefs_->ShowTips());
  EXPECT_EQ(Stored(AppPreferences::kShowTips), "1");
  Click(SettingsPage::kShowTips);
  EXPECT_FALSE(prefs_->ShowTips());
  EXPECT_EQ(Stored(AppPreferences::kShowTips), "0");
}

TEST_F(SettingsPageTest, BatteryNoticeBoxTurnsTheNoticeOffAndOn) {
  Build();
  auto* box = Control<DUI::CCheckButton>(SettingsPage::kBatteryNotice);
  EXPECT_TRUE(box->GetCheck());  // on by default
  EXPECT_EQ(box->GetTitle(), QString::fromStdString(GetText(902)));
  Click(SettingsPage::kBatteryNotice);
  EXPECT_FALSE(prefs_->BatteryNotice());
  EXPECT_EQ(Stored(AppPreferences::kBatteryNotice), "0");
  Build();
  EXPECT_FALSE(Control<DUI::CCheckButton>(SettingsPage::kBatteryNotice)->GetCheck());
  Click(SettingsPage::kBatteryNotice);
  EXPECT_TRUE(prefs_->BatteryNotice());
  EXPECT_EQ(Stored(AppPreferences::kBatteryNotice), "1");
}

TEST_F(SettingsPageTest, LanguageListSwitchesTheLanguageAndTellsTheWindow) {
  Build();
  auto* list = Control<DUI::MComboBox>(SettingsPage::kLanguage);
  ASSERT_EQ(list->GetCount(), 10);
  EXPECT_EQ(list->GetItemText(0), QString::fromUtf8("简体中文"));
  EXPECT_EQ(list->GetItemData(0), 2052);
  EXPECT_EQ(list->GetItemText(1), QStringLiteral("English"));
  EXPECT_EQ(list->GetCurData(), 1033);

  list->ChooseFromList(0);
  EXPECT_EQ(CurrentLanguage(), 2052);
  EXPECT_EQ(ReadPreferenceText("LCID"), "2052");
  EXPECT_EQ(languages_, std::vector<int>{2052});
  EXPECT_EQ(DUI::Manager::GetFontName(), QString(SettingsPage::kFontName));
  // The page's own texts follow at once.
  EXPECT_EQ(Control<DUI::CCheckButton>(SettingsPage::kShowTips)->GetTitle(), QString::fromUtf8("显示提示"));
  EXPECT_EQ(Control<DUI::MText>(SettingsPage::kVersion)->GetTitle(), QString::fromUtf8("软件版本: v1.0.0"));

  list->ChooseFromList(1);
  EXPECT_EQ(CurrentLanguage(), 1033);
  EXPECT_EQ(languages_, (std::vector<int>{2052, 1033}));
  EXPECT_EQ(Control<DUI::CCheckButton>(SettingsPage::kShowTips)->GetTitle(), QStringLiteral("Show tips"));
}

TEST_F(SettingsPageTest, ButtonsReachTheirHooksAndLinksOpenTheirAddresses) {
  Build();
  Click(SettingsPage::kWebsite);
  Click(SettingsPage::kFeedback);
  Click(SettingsPage::kQa);  // an empty address is handed on as it is
  EXPECT_EQ(links_, (std::vector<std::string>{"https://www.korvex.example/",
                                              "https://support.korvex.example/feedback", ""}));
  Click(SettingsPage::kUpdateCheck);
  EXPECT_EQ(updateChecks_, 1);
  Click(SettingsPage::kReturn);
  EXPECT_EQ(leaves_, 1);
  EXPECT_FALSE(page_->OnNotify(45, DUI::kEventClick, 0));  // not the page's

  page_->SetNewerSoftware("1.2.0");
  EXPECT_EQ(Control<DUI::MText>(SettingsPage::kUpdateStatus)->GetTitle(),
            QString::fromStdString(GetText(582)) + ": v1.2.0");
}

TEST_F(SettingsPageTest, NothingIsCutOrOverlapsInEveryLanguageAndSize) {
  Build();
  for (int lcid : kShippedLanguages) {
    UseLanguage(lcid);
    page_->ApplyTexts();
    for (const QSize& size : {QSize(1398, 698), QSize(1918, 990)}) {
      container_->resize(size);
      QTest::qWait(10);
      const QList<int> captions{SettingsPage::kLanguageCaption, SettingsPage::kStartCaption,
                                SettingsPage::kCloseCaption};
      const QStringList cut = CutTexts(container_, 0, captions);
      EXPECT_TRUE(cut.isEmpty()) << lcid << ": " << cut.join(", ").toStdString();
      // The captions wrap, within the two lines they have.
      const QFontMetrics metrics(DUI::MStyle::Font(16, true));
      for (int id : captions) {
        auto* caption = Control<DUI::MText>(id);
        EXPECT_LE(metrics.boundingRect(QRect(0, 0, caption->width(), 1000), Qt::TextWordWrap,
                                       caption->GetTitle()).height(), caption->height())
            << lcid << ": " << caption->GetTitle().toStdString();
      }
      // Every control inside the page; no two foreground controls overlap.
      QList<DUI::MControl*> front;
      for (DUI::MControl* c : container_->findChildren<DUI::MControl*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(container_->rect().contains(c->geometry())) << c->GetId();
        if (c->GetId() != SettingsPage::kBackground && c->GetId() != SettingsPage::kGeneralArea &&
            c->GetId() != SettingsPage::kStartArea)
          front.append(c);
      }
      for (int i = 0; i < front.size(); ++i)
        for (int j = i + 1; j < front.size(); ++j)
          EXPECT_FALSE(front[i]->geometry().intersects(front[j]->geometry()))
              << front[i]->GetId() << " and " << front[j]->GetId();
    }
  }
}
