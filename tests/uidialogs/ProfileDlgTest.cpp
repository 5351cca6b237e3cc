#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <vector>

#include "TestHost.h"
#include "i18n/Texts.h"
#include "profiles/ProfileBootstrap.h"
#include "profiles/ProfileSwitch.h"
#include "skinui/DListBox.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MText.h"
#include "store/SettingsStore.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/ProfileDlg.h"

using namespace korvex;

namespace {

class ProfileDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QDir(dir_.path()).mkpath("db");
    ASSERT_TRUE(store_.OpenForModel(dir_.path().toStdString(), "profiles"));
    SetCurrentLanguage(1033);
    state_ = BootstrapProfiles(store_, GetText(ProfileDlg::kTextProfile));
    ASSERT_EQ(state_.current, 1);
    host_.show();
    // The owner's side of action 0: switch, with the task queue recorded.
    host_.onMessage = [this](const TestHost::Message& m) {
      if (m.message != ProfileDlg::kMsgProfileAction || m.wParam != ProfileDlg::kActionSwitch) return;
      state_ = SwitchProfile(store_, ProfileId(m.lParam), [this](int code) { queued_.push_back(code); });
    };
  }

  // The dialog above a profile label near the bottom of the window.
  std::unique_ptr<ProfileDlg> Make(ProfileId current) {
    auto dlg = std::make_unique<ProfileDlg>(store_, current);
    EXPECT_TRUE(dlg->Create(&host_, ProfileDlg::PlaceAbove(QRect(500, 700, 230, 40))));
    return dlg;
  }

  // Runs the dialog modally while `action` works on it.
  int Run(ProfileDlg& dlg, const std::function<void()>& action) {
    QTimer::singleShot(30, [&dlg, action] {
      action();
      QTimer::singleShot(3000, &dlg, [&dlg] { dlg.EndModal(3); });  // a hung run fails, not hangs
    });
    const int result = dlg.ShowModal();
    QTest::qWait(20);  // the posted requests reach the owner
    return result;
  }

  // Types `text` into the row's in-place editor; Enter unless `leaveOpen`.
  void Rename(ProfileDlg& dlg, int row, const QString& text, bool leaveOpen = false) {
    dlg.List()->SetCurSel(row);
    dlg.List()->EditItem(row);
    QTest::qWait(10);
    auto* editor = dlg.List()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    if (!text.isEmpty()) QTest::keyClicks(editor, text);
    if (!leaveOpen) QTest::keyClick(editor, Qt::Key_Return);
  }

  void ClickRow(ProfileDlg& dlg, int row) {
    const QRect r = dlg.List()->GetRowRect(row);
    QTest::mouseClick(dlg.List(), Qt::LeftButton, {}, QPoint(r.left() + 30, r.center().y()));
  }

  std::string StoredName(ProfileId id) {
    std::string name;
    store_.GetProfileName(id, name);
    return name;
  }

  QTemporaryDir dir_;
  SettingsStore store_;
  ProfileState state_;
  std::vector<int> queued_;
  TestHost host_;
};

}  // namespace

TEST_F(ProfileDlgTest, ListsTheProfilesWithTheCurrentSelectedAboveTheLabel) {
  auto dlg = Make(3);
  EXPECT_EQ(dlg->geometry(), QRect(500, 490, 230, 205));
  DUI::DListBox* list = dlg->List();
  ASSERT_EQ(list->GetCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(list->GetItemData(i), i + 1);
    // "Profile 1" stored shows as the word, a space, then " 1".
    EXPECT_EQ(list->GetItemText(i), QStringLiteral("Profile  %1").arg(i + 1));
  }
  EXPECT_EQ(list->GetCurData(), 3);
  // The import and export buttons wait for the profile files.
  EXPECT_FALSE(dlg->GetControl(ProfileDlg::kImport)->IsVisible());
  EXPECT_FALSE(dlg->GetControl(ProfileDlg::kExport)->IsVisible());
  EXPECT_EQ(list->geometry(), QRect(10, 10, 210, 185));

  // In Chinese a stored "配置2" shows with the Chinese word.
  store_.RenameProfile(2, "配置2");
  SetCurrentLanguage(2052);
  auto zh = Make(1);
  EXPECT_EQ(zh->List()->GetItemText(1), QString::fromUtf8("配置 2"));
  EXPECT_EQ(zh->List()->GetItemText(0), QString::fromUtf8("配置  1"));
  SetCurrentLanguage(1033);
}

TEST_F(ProfileDlgTest, ChoosingAProfileSwitchesToItAndCloses) {
  auto dlg = Make(1);
  EXPECT_EQ(Run(*dlg, [&] { ClickRow(*dlg, 1); }), 1);
  ASSERT_EQ(host_.messages.size(), 1);
  EXPECT_EQ(host_.messages[0].message, ProfileDlg::kMsgProfileAction);
  EXPECT_EQ(host_.messages[0].wParam, ProfileDlg::kActionSwitch);
  EXPECT_EQ(host_.messages[0].lParam, 2);
  EXPECT_EQ(state_.current, 2);
  EXPECT_EQ(store_.GetActiveProfile(), 2);
  EXPECT_EQ(queued_, std::vector<int>{kApplyProfileTaskCode});
  EXPECT_EQ(state_.label, "Profile 2");

  // The profile that already is current is switched to all the same.
  auto again = Make(2);
  EXPECT_EQ(Run(*again, [&] { ClickRow(*again, 1); }), 1);
  EXPECT_EQ(host_.messages.size(), 2);
  EXPECT_EQ(queued_.size(), 2u);
}

TEST_F(ProfileDlgTest, RenameInPlaceThenClosingSwitchesToTheRenamedProfile) {
  auto dlg = Make(1);
  Run(*dlg, [&] {
    Rename(*dlg, 2, QStringLiteral("Sniper"));
    EXPECT_TRUE(dlg->Changed());
    EXPECT_EQ(dlg->DialogProfile(), 3);
    EXPECT_EQ(dlg->List()->GetItemText(2), QStringLiteral("Sniper"));
    EXPECT_TRUE(host_.messages.isEmpty());  // renaming alone does not switch
    // The user clicks elsewhere: the dialog loses the focus and closes.
    dlg->PostMessage(DUI::kMsgClose, 0, 0);
  });
  EXPECT_EQ(StoredName(3), "Sniper");
  ASSERT_EQ(host_.messages.size(), 1);
  EXPECT_EQ(host_.messages[0].lParam, 3);
  EXPECT_EQ(state_.current, 3);
  EXPECT_EQ(store_.GetActiveProfile(), 3);
  EXPECT_EQ(state_.label, "Sniper");
  EXPECT_EQ(queued_, std::vector<int>{kApplyProfileTaskCode});
}

TEST_F(ProfileDlgTest, LosingActivationAfterARenameSwitches) {
  TestHost other(QRect(0, 0, 200, 100));
  auto dlg = Make(1);
  Run(*dlg, [&] {
    dlg->activateWindow();
    QTest::qWait(20);
    // Still typing when the user clicks into another window: the edit is
    // kept and counts as a rename.
    Rename(*dlg, 3, QStringLiteral("Arena"), true);
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
  });
  EXPECT_EQ(StoredName(4), "Arena");
  ASSERT_EQ(host_.messages.size(), 1);
  EXPECT_EQ(host_.messages[0].lParam, 4);
  EXPECT_EQ(state_.current, 4);
}

TEST_F(ProfileDlgTest, EmptyRenameChangesNothing) {
  auto dlg = Make(1);
  Run(*dlg, [&] {
    Rename(*dlg, 1, QString());
    EXPECT_FALSE(dlg->Changed());
    dlg->PostMessage(DUI::kMsgClose, 0, 0);
  });
  EXPECT_EQ(StoredName(2), "Profile 2");
  EXPECT_TRUE(host_.messages.isEmpty());
  EXPECT_TRUE(queued_.empty());
  EXPECT_EQ(store_.GetActiveProfile(), 1);
}

TEST_F(ProfileDlgTest, ChoosingAfterARenameSwitchesOnlyToTheChosenProfile) {
  auto dlg = Make(1);
  Run(*dlg, [&] {
    Rename(*dlg, 2, QStringLiteral("Tracking"));
    ClickRow(*dlg, 1);
  });
  EXPECT_EQ(StoredName(3), "Tracking");
  // The closing does not add a switch to the renamed profile afterwards.
  ASSERT_EQ(host_.messages.size(), 1);
  EXPECT_EQ(host_.messages[0].lParam, 2);
  EXPECT_EQ(state_.current, 2);
}

TEST_F(ProfileDlgTest, ExchangeButtonsPostTheirActionAfterASwitchForARename) {
  auto dlg = std::make_unique<ProfileDlg>(store_, 1);
  dlg->ShowExchangeButtons(true);
  ASSERT_TRUE(dlg->Create(&host_, QRect(500, 490, 230, 205)));
  EXPECT_EQ(dlg->List()->geometry(), QRect(10, 10, 210, 150));
  Run(*dlg, [&] {
    Rename(*dlg, 1, QStringLiteral("Export me"));
    QTest::mouseClick(dlg->GetControl<DUI::MButton>(ProfileDlg::kExport), Qt::LeftButton);
  });
  ASSERT_EQ(host_.messages.size(), 2);
  EXPECT_EQ(host_.messages[0].wParam, ProfileDlg::kActionSwitch);
  EXPECT_EQ(host_.messages[0].lParam, 2);
  EXPECT_EQ(host_.messages[1].wParam, ProfileDlg::kActionExport);
  EXPECT_EQ(host_.messages[1].lParam, 2);
}

TEST_F(ProfileDlgTest, WithoutAMouseOnlyAMessageBoxOpens) {
  QString title;
  int profileWindows = -1;
  QTimer::singleShot(0, [&] {
    WaitUntil([] { return VisibleWindows(CUIMessageBox::kTitle) == 1; }, 3000);
    profileWindows = VisibleWindows(ProfileDlg::kTitle);
    if (auto* box = qobject_cast<CUIMessageBox*>(DUI::Manager::FindWindow(CUIMessageBox::kTitle))) {
      title = box->GetControl<DUI::MText>(CUIMessageBox::kTitleText)->GetTitle();
      box->PostMessage(DUI::kMsgClose, 2, 0);
    }
  });
  EXPECT_EQ(ProfileDlg::Open(&host_, store_, 1, QRect(500, 700, 230, 40), false), 0);
  EXPECT_EQ(title, QString::fromStdString(GetText(576)));
  EXPECT_EQ(profileWindows, 0);
  EXPECT_TRUE(host_.messages.isEmpty());
}
