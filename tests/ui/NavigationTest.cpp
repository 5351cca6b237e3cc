// The dispatch of the frame's controls, tab and settings navigation, and the
// device selection.

#include "skinui/BatteryCtrl.h"
#include "skinui/CDeviceList.h"
#include "skinui/CDeviceState.h"
#include "skinui/CIconButton.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MTabLayout.h"
#include "skinui/NumberEdit.h"
#include "ui/UiText.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/ProfileDlg.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/frame/MainNavigation.h"
#include "ui/pages/device/DevicePage.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/settings/SettingsPage.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

using namespace frame;

bool Shown(QWidget* w) { return !w->isHidden(); }

struct Frame {
  explicit Frame(DeviceMainDlg& w) : w(w), f(w.Frame()) {}
  bool TabsShown() const { return Shown(f.Tabs()); }
  bool DeviceControlsShown() const { return Shown(f.Connection()) && Shown(f.ProfileButton()); }
  bool BatteryShown() const { return Shown(f.Battery()); }
  bool SettingsShown() const { return Shown(f.Container(kSettingsContainer)); }
  bool PageShown(int container) const { return Shown(f.Container(container)); }
  bool ControlShown(int id) const { return Shown(w.GetControl(id)); }
  DeviceMainDlg& w;
  MainFrame& f;
};

TEST(WindowNavigation, StartsOnTheHomePageWithOnlyTheDeviceList) {
  WindowRig rig;
  rig.Run([&] {
    Pump(50);
    Frame f(rig.Window());
    for (int item : {1, 2, 3, 4, 5, 7})
      EXPECT_FALSE(f.f.Tabs()->GetItemText(item).isEmpty()) << item;
    // The K1 chosen at start has no lighting, so its tab is not offered.
    EXPECT_EQ(5, f.f.Tabs()->GetItemCount());
    EXPECT_EQ(kTabHome, f.f.Tabs()->GetSelectItem());
    EXPECT_TRUE(f.PageShown(kHomeContainer));
    EXPECT_FALSE(f.TabsShown());
    EXPECT_FALSE(f.DeviceControlsShown());
    EXPECT_FALSE(f.BatteryShown());
    EXPECT_FALSE(f.ControlShown(kSidePicture));
    EXPECT_FALSE(f.SettingsShown());
  });
}

TEST(WindowNavigation, ChoosingADeviceOpensTheButtonsPageAndHomeReturns) {
  WindowRig rig;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    Frame f(rig.Window());
    rig.Notify(HomePage::kDeviceList, 2, 112);  // the K3 has a battery
    rig.Settle();
    EXPECT_EQ(kTabButtons, f.f.Tabs()->GetSelectItem());
    EXPECT_TRUE(f.PageShown(kButtonsContainer));
    EXPECT_FALSE(f.PageShown(kHomeContainer));
    EXPECT_TRUE(f.TabsShown());
    EXPECT_TRUE(f.DeviceControlsShown());
    EXPECT_TRUE(f.BatteryShown());
    EXPECT_TRUE(f.ControlShown(kSidePicture));

    // Every tab shows its own page.
    for (int item : {3, 4, 7, 2}) {
      f.f.Tabs()->SetSelectItem(item);
      rig.Notify(kTabStrip, 2, item);
      EXPECT_EQ(item, rig.Window().Navigation().CurrentTab());
      EXPECT_TRUE(f.TabsShown());
    }
    EXPECT_TRUE(f.PageShown(kButtonsContainer));
    EXPECT_FALSE(f.PageShown(kDeviceContainer));

    // The home item hides the tabs; choosing a device comes back to buttons.
    f.f.Tabs()->SetSelectItem(kTabHome);
    rig.Notify(kTabStrip, 2, kTabHome);
    EXPECT_FALSE(f.TabsShown());
    EXPECT_FALSE(f.DeviceControlsShown());
    EXPECT_FALSE(f.BatteryShown());
    EXPECT_FALSE(f.ControlShown(kSidePicture));
    EXPECT_TRUE(f.PageShown(kHomeContainer));
    rig.Notify(HomePage::kDeviceList, 2, 112);
    rig.Settle();
    EXPECT_EQ(kTabButtons, f.f.Tabs()->GetSelectItem());
    EXPECT_TRUE(f.TabsShown());
    EXPECT_TRUE(f.BatteryShown());
    // The K1 has no battery: no gauge that would read as empty.
    rig.Notify(HomePage::kDeviceList, 2, 111);
    rig.Settle();
    EXPECT_TRUE(f.TabsShown());
    EXPECT_FALSE(f.BatteryShown());
    EXPECT_EQ(0, f.f.Battery()->GetLevel());
  });
}

TEST(WindowNavigation, SettingsPageReturnsToTheTabOrToHome) {
  WindowRig rig;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    Frame f(rig.Window());
    rig.Notify(HomePage::kDeviceList, 2, 112);
    rig.Settle();
    f.f.Tabs()->SetSelectItem(kTabDevice);
    rig.Notify(kTabStrip, 2, kTabDevice);

    rig.Notify(kSettings);
    EXPECT_TRUE(f.SettingsShown());
    EXPECT_FALSE(f.TabsShown());
    EXPECT_FALSE(f.BatteryShown());
    EXPECT_FALSE(f.ControlShown(kSettings));
    EXPECT_FALSE(f.ControlShown(kMaximise));
    EXPECT_FALSE(f.ControlShown(kCopyright)) << "the page shows its own";
    EXPECT_FALSE(f.PageShown(kDeviceContainer));
    rig.Notify(SettingsPage::kReturn);
    EXPECT_FALSE(f.SettingsShown());
    EXPECT_TRUE(f.ControlShown(kSettings));
    EXPECT_TRUE(f.ControlShown(kMaximise));
    EXPECT_TRUE(f.ControlShown(kCopyright));
    EXPECT_TRUE(f.TabsShown());
    EXPECT_TRUE(f.BatteryShown());
    EXPECT_EQ(kTabDevice, f.f.Tabs()->GetSelectItem());
    EXPECT_TRUE(f.PageShown(kDeviceContainer));

    // From the home page the return goes home.
    f.f.Tabs()->SetSelectItem(kTabHome);
    rig.Notify(kTabStrip, 2, kTabHome);
    rig.Notify(kSettings);
    rig.Notify(SettingsPage::kReturn);
    EXPECT_EQ(kTabHome, f.f.Tabs()->GetSelectItem());
    EXPECT_TRUE(f.PageShown(kHomeContainer));
    EXPECT_FALSE(f.TabsShown());
  });
}

TEST(WindowNavigation, LeavingSettingsWithoutADeviceGoesHome) {
  RigOptions options;
  options.devices = "k1";
  WindowRig rig(options);
  rig.Hub().Unplug("k1");
  rig.Run([&] {
    Frame f(rig.Window());
    // A device page chosen earlier, then the device is gone.
    rig.Window().Navigation().ShowDeviceTabs();
    rig.Notify(kSettings);
    rig.Notify(SettingsPage::kReturn);
    EXPECT_EQ(kTabHome, f.f.Tabs()->GetSelectItem());
    EXPECT_TRUE(f.PageShown(kHomeContainer));
    EXPECT_FALSE(f.TabsShown());
  });
}

TEST(WindowDispatch, SystemButtons) {
  WindowRig rig;
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    rig.Notify(kMaximise);
    EXPECT_TRUE(WaitUntil([&] { return w.isMaximized(); }, 2000));
    rig.Notify(kMaximise);
    EXPECT_TRUE(WaitUntil([&] { return !w.isMaximized(); }, 2000));
    rig.Notify(kMinimise);
    EXPECT_TRUE(WaitUntil([&] { return w.isMinimized(); }, 2000));
    // Other events of the buttons are not clicks.
    rig.Notify(kClose, DUI::kEventChanging);
    Pump(20);
    EXPECT_EQ(0, rig.exits.load());
    rig.Notify(kClose);
    EXPECT_EQ(1, rig.exits.load());
  });
}

TEST(WindowDispatch, ProfileAndRestoreNeedTheMouse) {
  RigOptions options;
  options.devices = "k3-receiver";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    ASSERT_TRUE(rig.Window().DeviceOnline());
    rig.Hub().MouseOff("k3-receiver");
    ASSERT_TRUE(WaitUntil([&] { return !rig.Window().DeviceOnline(); }, 5000));
    // The report's own closing of the message boxes has happened.
    rig.Settle();
    for (int id : {int(kProfile), int(kRestore), int(DevicePage::kRestore)}) {
      ModalAnswer box(CUIMessageBox::kTitle, 1);
      rig.Notify(id);
      EXPECT_TRUE(box.seen) << id;
      EXPECT_FALSE(WindowShown(ProfileDlg::kTitle));
    }
  });
}

TEST(WindowDispatch, ProfileButtonOpensTheListAboveIt) {
  WindowRig rig;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Notify(HomePage::kDeviceList, 2, 111);
    ASSERT_TRUE(rig.Window().DeviceOnline());
    QRect dialogRect;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      if (DUI::MWindow* d = DUI::Manager::FindWindow(QString::fromLatin1(ProfileDlg::kTitle))) {
        if (!d->isVisible()) return;
        dialogRect = d->geometry();
        DUI::Manager::CloseWindowByTitle(QString::fromLatin1(ProfileDlg::kTitle), 2);
        probe.stop();
      }
    });
    probe.start();
    rig.Notify(kProfile);
    ASSERT_FALSE(dialogRect.isEmpty());
    DUI::CIconButton* button = rig.Window().Frame().ProfileButton();
    const QRect label(button->mapToGlobal(QPoint(0, 0)), button->size());
    EXPECT_EQ(label.width(), dialogRect.width());
    EXPECT_LE(dialogRect.bottom(), label.top());
  });
}

TEST(WindowDispatch, RestoreDefaultsAskedAndAnswered) {
  RigOptions options;
  options.devices = "k1";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Notify(HomePage::kDeviceList, 2, 111);
    rig.Settle();
    ASSERT_TRUE(rig.Window().DeviceOnline());
    rig.TakeCommands();
    {
      ModalAnswer cancel(CUIMessageBox::kTitle, 2);
      rig.Notify(DevicePage::kRestore);
      ASSERT_TRUE(cancel.seen);
    }
    rig.Settle();
    EXPECT_TRUE(rig.TakeCommands().empty()) << "a cancelled restore changes nothing";
    {
      ModalAnswer ok(CUIMessageBox::kTitle, 1);
      rig.Notify(kRestore);
      ASSERT_TRUE(ok.seen);
    }
    // The factory reset (0x0F) runs and ends the busy indicator.
    EXPECT_TRUE(WaitUntil([&] {
      rig.Settle();
      return !WindowShown("WaitDlg");
    }));
    const std::vector<int> sent = rig.TakeCommands("k1");
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(0x0F, sent.front());
  });
}

TEST(WindowDispatch, DevicePageButtons) {
  WindowRig rig;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    // The model has a firmware address: the check goes to the worker.
    rig.Notify(HomePage::kDeviceList, 2, 111);
    auto ticket = rig.Worker().QueueTask(25);
    rig.Notify(DevicePage::kFirmwareCheck);
    EXPECT_EQ(ticket + 2, rig.Worker().QueueTask(25));
    {
      ModalAnswer box(CUIMessageBox::kTitle, 1);
      rig.Notify(DevicePage::kReceiverCheck);
      EXPECT_TRUE(box.seen);
    }
    // The software check goes to the worker.
    const auto before = rig.Worker().QueueTask(25);
    rig.Notify(SettingsPage::kUpdateCheck);
    EXPECT_EQ(before + 2, rig.Worker().QueueTask(25));
  });
}

TEST(WindowDispatch, ButtonResponseTimeIsLimitedStoredAndQueued) {
  RigOptions options;
  options.preferences = {{"showDPITips", "1"}};
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Notify(HomePage::kDeviceList, 2, 111);
    rig.Settle();
    auto* edit = rig.Window().GetControl<DUI::NumberEdit>(DevicePage::kResponseTime);
    ASSERT_NE(nullptr, edit);
    const ProfileId profile = rig.Worker().State().currentProfile;
    edit->SetTitle(QStringLiteral("35"));
    rig.Notify(DevicePage::kResponseTime, DUI::kEventEditChanged, 35);
    EXPECT_EQ(QStringLiteral("20"), edit->GetTitle());
    std::string stored;
    ASSERT_TRUE(rig.Store().GetValue(profile, "button_respondtime", stored));
    EXPECT_EQ("20", stored);

    edit->SetTitle(QStringLiteral("7"));
    const auto before = rig.Worker().QueueTask(25);
    rig.Notify(DevicePage::kResponseTime, DUI::kEventClick, 7);
    EXPECT_EQ(before + 2, rig.Worker().QueueTask(25)) << "task 14 queued";
    ASSERT_TRUE(rig.Store().GetValue(profile, "button_respondtime", stored));
    EXPECT_EQ("7", stored);
    EXPECT_TRUE(WindowShown("SaveWaitDlg")) << "tips on: the saved confirmation";
    // A synchronisation shows the stored value again.
    edit->SetTitle(QString());
    rig.Window().RefreshPerformancePage();
    EXPECT_EQ(QStringLiteral("7"), edit->GetTitle());
  });
}

TEST(WindowDeviceSelection, ThroughTheReceiverQueuesTheSelectionSync) {
  WindowRig rig;  // k1 by cable, k3 behind its receiver
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    rig.TakeCommands();
    auto* state = rig.Window().GetControl<DUI::CDeviceState>(kConnection);

    auto ticket = rig.Worker().QueueTask(25);
    rig.Notify(HomePage::kDeviceList, 2, 112);
    EXPECT_EQ(UiText(kTextReceiver), state->GetTitle());
    EXPECT_EQ(DUI::CDeviceState::kReceiver, state->GetMode());
    EXPECT_EQ(ticket + 2, rig.Worker().QueueTask(25)) << "task 4 queued";
    EXPECT_EQ(112, ReadPreference("DeviceType"));
    EXPECT_EQ(112, rig.Window().SelectedDevice());
    // The selection sync reads the K3 for the first time, over the receiver.
    rig.Settle();
    const std::vector<int> sent = rig.TakeCommands("k3-receiver");
    EXPECT_NE(sent.end(), std::find(sent.begin(), sent.end(), 0x13));

    ticket = rig.Worker().QueueTask(25);
    rig.Notify(HomePage::kDeviceList, 2, 111);
    EXPECT_EQ(UiText(kTextWired), state->GetTitle());
    EXPECT_EQ(DUI::CDeviceState::kWired, state->GetMode());
    EXPECT_EQ(ticket + 2, rig.Worker().QueueTask(25)) << "task 4 by cable too";
    EXPECT_EQ(111, ReadPreference("DeviceType"));
  });
}

TEST(WindowDeviceSelection, LightingTabFollowsTheModel) {
  WindowRig rig;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Notify(HomePage::kDeviceList, 2, 112);
    const int withK3 = rig.Window().Frame().Tabs()->GetItemCount();
    rig.Notify(HomePage::kDeviceList, 2, 111);
    const int withK1 = rig.Window().Frame().Tabs()->GetItemCount();
    // The K3 has lighting, the K1 has none.
    EXPECT_EQ(6, withK3);
    EXPECT_EQ(5, withK1);
  });
}

}  // namespace
}  // namespace korvex::test
