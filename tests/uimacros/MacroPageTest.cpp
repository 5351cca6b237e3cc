// The macro page on its own, over a private store: files through the
// context menu, rename and delete, the limits and their message boxes, the
// play count clamp, and no save into another model's database.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <QLineEdit>
#include <fstream>

#include "MacroKeys.h"
#include "WindowRig.h"
#include "skinui/CRadioButton.h"
#include "skinui/CRecordList.h"
#include "skinui/MDialog.h"
#include "skinui/Events.h"
#include "skinui/MEdit.h"
#include "skinui/MacroList.h"
#include "ui/pages/macros/MacrosPage.h"
#include "ui/pages/macros/RecordEditDlg.h"

namespace korvex::test {
namespace {

class PageHost : public DUI::MDialog {
 public:
  PageHost() { Create(nullptr, QStringLiteral("PageHost"), 0, QRect(0, 0, 1200, 700)); }
  MacrosPage* page = nullptr;

 protected:
  void OnNotify(int id, int event, intptr_t param, DUI::MControl*) override {
    if (page != nullptr) page->OnNotify(id, event, param);
  }
};

class MacroPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    root_ = std::filesystem::temp_directory_path() / ("korvex-macropage-" + std::to_string(getpid()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "db");
    ASSERT_TRUE(store_.SwitchModel(root_.string(), "a"));
    profile_ = store_.CreateProfile(ProfileRecord{});
    container_ = new QWidget(&host_);
    container_->setGeometry(0, 0, 1180, 660);
    MacrosPageHooks hooks;
    hooks.activeProfile = [this] { return profile_; };
    hooks.deviceType = [this] { return deviceType_; };
    hooks.showMessage = [this](int title, int message) { messages_.emplace_back(title, message); };
    hooks.chooseFile = [this](bool) { return file_; };
    hooks.buttonTextChanged = [this](int key, const QString& text) { buttonTexts_.emplace_back(key, text); };
    page_ = new MacrosPage(&host_, container_, store_, std::move(hooks), [this] { return ++tick_; });
    host_.page = page_;
  }
  void TearDown() override {
    store_.CloseIfOpen();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  std::string Path(const char* name) const { return (root_ / name).string(); }
  int Events(int macroId) {
    std::vector<MacroEventRecord> e;
    return store_.ListMacroEvents(macroId, e);
  }

  std::filesystem::path root_;
  SettingsStore store_;
  ProfileId profile_ = 0;
  int deviceType_ = 111;
  std::uint32_t tick_ = 5000;
  std::string file_;
  std::vector<std::pair<int, int>> messages_;
  std::vector<std::pair<int, QString>> buttonTexts_;
  PageHost host_;
  QWidget* container_ = nullptr;
  MacrosPage* page_ = nullptr;
};

TEST_F(MacroPageTest, FilesThroughTheMenuAppendUnselectedAndRefusalsChangeNothing) {
  page_->NewMacro();
  page_->InsertEvent(InsertChoice::kMiddleButton);
  file_ = Path("one.xml");
  page_->OnMacroMenu(MacrosPage::kMenuExportOne);
  ASSERT_TRUE(std::filesystem::exists(file_));
  page_->OnMacroMenu(MacrosPage::kMenuImportOne);
  ASSERT_EQ(2, page_->List()->GetCount());
  EXPECT_EQ(0, page_->List()->GetCurSel()) << "the import is not selected";
  EXPECT_EQ(page_->List()->GetItemText(0), page_->List()->GetItemText(1));
  EXPECT_EQ(3, Events(static_cast<int>(page_->List()->GetItemData(1))));

  file_ = Path("all.xml");
  page_->OnMacroMenu(MacrosPage::kMenuExportAll);
  page_->OnMacroMenu(MacrosPage::kMenuImportAll);
  EXPECT_EQ(4, page_->List()->GetCount());

  std::ofstream(Path("bad.xml")) << "<macro><macroinfo macro_name=\"x\"><macroitems>";
  file_ = Path("bad.xml");
  page_->OnMacroMenu(MacrosPage::kMenuImportOne);
  file_.clear();  // a cancelled dialog
  page_->OnMacroMenu(MacrosPage::kMenuImportAll);
  EXPECT_EQ(4, page_->List()->GetCount());
  std::vector<MacroInfo> macros;
  EXPECT_EQ(4, store_.ListMacros(macros));
}

TEST_F(MacroPageTest, DeletingAMacroShowsTheOneBeforeSoAnEditCannotOverwriteIt) {
  page_->NewMacro();
  const int first = page_->SelectedMacro();
  page_->InsertEvent(InsertChoice::kLeftButton);
  page_->NewMacro();
  page_->RemoveMacro();
  ASSERT_EQ(1, page_->List()->GetCount());
  EXPECT_EQ(first, page_->SelectedMacro());
  EXPECT_EQ(3u, page_->Events().Items().size());
  page_->InsertEvent(InsertChoice::kDelay);
  EXPECT_EQ(4, Events(first)) << "the first macro's events are kept";
}

TEST_F(MacroPageTest, RenamingKeepsTheStoredNameForAnEmptyTextAndRenamesBoundButtons) {
  page_->NewMacro();
  const int id = page_->SelectedMacro();
  KeyAssignmentRecord row;
  row.profile = profile_;
  row.key_code = 4;
  row.macro_type = 4;
  row.macro_value = id;
  row.macro_desc = "old";
  store_.SetKeyAssignment(row);
  const QString shown = page_->List()->GetItemText(0);
  page_->RenameMacroEntry(0, QString());
  EXPECT_EQ(shown, page_->List()->GetItemText(0));
  page_->RenameMacroEntry(0, QStringLiteral("Jump"));
  MacroInfo m;
  store_.GetMacro(id, m);
  EXPECT_EQ("Jump", m.name);
  KeyAssignmentRecord back;
  ASSERT_TRUE(store_.GetKeyAssignment(profile_, 0, 4, back));
  EXPECT_EQ("Jump", back.macro_desc);
  ASSERT_EQ(1u, buttonTexts_.size());
  EXPECT_EQ(4, buttonTexts_[0].first);
}

TEST_F(MacroPageTest, LimitsShowTheirMessagesAndARecordingIsSavedWhenFull) {
  page_->ToggleRecording();
  ASSERT_EQ(1u, messages_.size());
  EXPECT_EQ(std::make_pair(358, 387), messages_[0]) << "no macro selected";
  EXPECT_FALSE(page_->Recording());

  page_->NewMacro();
  const int id = page_->SelectedMacro();
  host_.GetControl<DUI::CRadioButton>(MacrosPage::kDelayNone)->SetCheck(true);
  page_->ToggleRecording();
  for (int i = 0; i < 40 && page_->Recording(); ++i) page_->RecordKey(i % 2 == 1, 65, "A");
  EXPECT_FALSE(page_->Recording());
  ASSERT_EQ(2u, messages_.size());
  EXPECT_EQ(std::make_pair(355, 386), messages_[1]);
  EXPECT_EQ(30, Events(id));

  for (int i = 0; i < 57; ++i) page_->InsertEvent(InsertChoice::kLeftButton);  // 30 + 171 = 201 items
  EXPECT_EQ(201u, page_->Events().Items().size());
  page_->InsertEvent(InsertChoice::kDelay);
  EXPECT_EQ(std::make_pair(368, 386), messages_.back());
  EXPECT_EQ(201, Events(id));
}

TEST_F(MacroPageTest, PlayCountIsClampedByDeviceTypeAndStored) {
  page_->NewMacro();
  const int id = page_->SelectedMacro();
  host_.GetControl<DUI::CRadioButton>(MacrosPage::kPlayTimes)->SetCheck(true);
  page_->OnNotify(MacrosPage::kPlayTimes, 2, 0);
  deviceType_ = 201;
  page_->TimesField()->SetTitle("900");
  page_->OnNotify(MacrosPage::kTimesField, 8, 0);
  EXPECT_EQ(QStringLiteral("255"), page_->TimesField()->GetTitle());
  MacroInfo m;
  store_.GetMacro(id, m);
  EXPECT_EQ(255, m.play_times);
  host_.GetControl<DUI::CRadioButton>(MacrosPage::kDelayFixed)->SetCheck(true);
  page_->OnNotify(MacrosPage::kDelayFixed, 2, 0);
  page_->DelayField()->SetTitle("0");
  page_->OnNotify(MacrosPage::kDelayField, 8, 0);
  store_.GetMacro(id, m);
  EXPECT_EQ(2, m.delay_type);
  EXPECT_EQ(1, m.delay_time);
}

TEST_F(MacroPageTest, NothingIsSavedUnderAMacroIdOfAnotherModelsDatabase) {
  page_->NewMacro();
  const int id = page_->SelectedMacro();
  ASSERT_TRUE(store_.SwitchModel(root_.string(), "b"));
  const int other = store_.CreateMacro("other");
  ASSERT_EQ(id, other) << "the same id names another macro here";
  page_->InsertEvent(InsertChoice::kLeftButton);
  EXPECT_EQ(0, Events(other));
  page_->OnModelChanged();  // the window's model switch
  ASSERT_EQ(1, page_->List()->GetCount());
  EXPECT_EQ(QStringLiteral("other"), page_->List()->GetItemText(0));
  page_->InsertEvent(InsertChoice::kLeftButton);
  EXPECT_EQ(3, Events(other)) << "once shown again, edits are saved";
}

TEST_F(MacroPageTest, ARecordingCutByAModelSwitchKeepsWhatWasRecorded) {
  page_->NewMacro();
  const int id = page_->SelectedMacro();
  page_->ToggleRecording();
  page_->RecordKey(false, 65, "A");
  page_->RecordKey(true, 65, "A");
  ASSERT_TRUE(store_.SwitchModel(root_.string(), "b"));  // the worker's switch
  page_->OnModelChanged();
  EXPECT_FALSE(page_->Recording());
  ASSERT_TRUE(store_.SwitchModel(root_.string(), "a"));
  EXPECT_EQ(3, Events(id)) << "press, measured delay, release";
}

TEST_F(MacroPageTest, TheKeyDialogKeepsTheLastKeyPressedInItsField) {
  RecordEditDlg dlg;
  ASSERT_TRUE(dlg.Create(&host_));
  dlg.ShowWindow(DUI::kShowNoActivate);
  QWidget* field = dlg.KeyField()->GetEditor();
  SendKey(field, false, Qt::Key_A, kEvdevA, "a");  // not focused: not captured
  EXPECT_EQ(0, dlg.KeyCode());
  SendFocus(field, true);
  SendKey(field, false, Qt::Key_A, kEvdevA, "a");
  SendKey(field, true, Qt::Key_A, kEvdevA, "a");
  SendKey(field, false, Qt::Key_B, kEvdevB, "b");
  EXPECT_EQ(66, dlg.KeyCode());
  EXPECT_EQ("B", dlg.KeyName());
  EXPECT_EQ(QStringLiteral("B"), dlg.KeyField()->GetTitle());
  dlg.DestroyWindow();
}

}  // namespace
}  // namespace korvex::test
