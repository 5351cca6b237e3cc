// What the device work shows: status reports, the DPI display, hot-plug,
// the profile switch, and the queued view the worker talks to.

#include <QGuiApplication>
#include <QScreen>
#include <functional>
#include <thread>

#include "skinui/CDeviceList.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MenuWnd.h"
#include "ui/WindowMessages.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/ProfileDlg.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/frame/MainNavigation.h"
#include "ui/pages/home/HomePage.h"
#include "ui/shell/AuxiliaryWindows.h"
#include "ui/shell/QueuedDeviceView.h"
#include <QFileDialog>

#include "WindowRig.h"
#include "profiles/ProfileNames.h"

namespace korvex::test {
namespace {

using namespace frame;

// Ends whatever modal run is still open after a while, so that a failure
// cannot leave the test waiting inside a nested loop.
class ModalGuard {
 public:
  explicit ModalGuard(int ms) {
    QTimer::singleShot(ms, &context_, [] {
      for (const char* title : {"MessageBox", "Menu Window"})
        DUI::Manager::CloseWindowByTitle(QString::fromLatin1(title), 3);
    });
  }

 private:
  QObject context_;
};

TEST(WindowStatusReport, ClosesTheAuxiliaryWindowsAndFollowsTheMouse) {
  RigOptions options;
  options.devices = "k3-receiver";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    DeviceMainDlg& w = rig.Window();
    rig.Notify(HomePage::kDeviceList, 2, 112);
    rig.Settle();
    w.Frame().Tabs()->SetSelectItem(kTabDevice);
    rig.Notify(kTabStrip, 2, kTabDevice);

    // A combo list and a message box are open when the mouse goes off.
    ModalGuard guard(8000);
    DUI::MWindow combo;
    combo.Create(&w, QStringLiteral("ComboWnd"), DUI::MWindow::kStyleToolWindow, QRect(100, 100, 200, 150));
    combo.ShowWindow(DUI::kShowNoActivate);
    ASSERT_TRUE(WaitUntil([&] { return combo.isVisible(); }, 2000));
    int boxResult = -1;
    QTimer::singleShot(0, &w, [&] {
      QTimer::singleShot(100, &w, [&] { rig.Hub().MouseOff("k3-receiver"); });
      boxResult = CUIMessageBox::ShowMessage(&w, 576, 57, CUIMessageBox::kTypeOkCancel);
    });
    ASSERT_TRUE(WaitUntil([&] { return boxResult != -1; }, 10000));
    EXPECT_EQ(2, boxResult) << "closed as if cancelled";
    EXPECT_FALSE(combo.isVisible()) << "hidden";

    // No mouse online: the home page with the device list.
    EXPECT_TRUE(WaitUntil([&] { return w.Navigation().CurrentTab() == kTabHome; }, 3000));
    EXPECT_EQ(kTextNoDevice, w.Frame().ConnectionText());
    EXPECT_FALSE(w.DeviceOnline());
    // Back on: the page it was on.
    rig.Hub().MouseOn("k3-receiver");
    EXPECT_TRUE(WaitUntil([&] { return w.Navigation().CurrentTab() == kTabDevice; }, 5000));
    EXPECT_EQ(kTextReceiver, w.Frame().ConnectionText());
    EXPECT_TRUE(w.DeviceOnline());
  });
}

TEST(WindowStatusReport, AuxiliaryWindowsByTitle) {
  WindowRig rig;
  rig.Run([&] {
    ModalGuard guard(5000);
    DeviceMainDlg& w = rig.Window();
    // Every title of the list, shown; the ones that are closed run modally.
    std::vector<std::unique_ptr<DUI::MWindow>> windows;
    for (const char* title : kHiddenAuxiliaryTitles) {
      windows.push_back(std::make_unique<DUI::MWindow>());
      windows.back()->Create(&w, QString::fromLatin1(title), DUI::MWindow::kStyleToolWindow, QRect(0, 0, 50, 50));
      windows.back()->ShowWindow(DUI::kShowNoActivate);
    }
    ASSERT_TRUE(WaitUntil([&] { return windows.back()->isVisible(); }, 2000));
    std::vector<int> results;
    std::function<void(int)> openModal = [&](int index) {
      if (index == 4) {
        QTimer::singleShot(20, &w, [&] { CloseAuxiliaryWindows(); });
        return;
      }
      auto dialog = std::make_unique<DUI::MWindow>();
      dialog->Create(&w, QString::fromLatin1(kClosedAuxiliaryTitles[index]), DUI::MWindow::kStyleToolWindow,
                     QRect(0, 0, 50, 50));
      DUI::MWindow* raw = dialog.get();
      windows.push_back(std::move(dialog));
      QTimer::singleShot(0, &w, [&openModal, index] { openModal(index + 1); });
      results.push_back(raw->ShowModal(DUI::kShowNoActivate));
    };
    openModal(0);
    EXPECT_EQ(std::vector<int>(4, 2), results) << "each closed as if cancelled";
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(windows[i]->isVisible()) << kHiddenAuxiliaryTitles[i];
  });
}

TEST(WindowDpiDisplay, ShownAtTheWorkAreasBottomRightWhenTipsAreOn) {
  RigOptions options;
  options.devices = "k3-receiver";
  options.preferences = {{"showDPITips", "1"}};
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    ASSERT_TRUE(rig.Hub().PressDpiButton("k3-receiver"));
    ASSERT_TRUE(WaitUntil([] { return WindowShown(DPIMsgDlg::kTitle); }, 5000));
    DUI::MWindow* display = DUI::Manager::FindWindow(QString::fromLatin1(DPIMsgDlg::kTitle));
    const QRect work = display->screen()->availableGeometry();
    const QRect r = display->frameGeometry();
    // Two pixels off the work area's right and bottom edges.
    EXPECT_EQ(2, work.right() - r.right());
    EXPECT_EQ(2, work.bottom() - r.bottom());
    EXPECT_EQ(DPIMsgDlg::kWidth, r.width());
    EXPECT_EQ(DPIMsgDlg::kHeight, r.height());
  });
}

TEST(WindowDpiDisplay, NotShownWithTipsOff) {
  RigOptions options;
  options.devices = "k3-receiver";
  options.preferences = {{"showDPITips", "0"}};
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    ASSERT_TRUE(rig.Hub().PressDpiButton("k3-receiver"));
    Pump(300);
    rig.Settle();
    EXPECT_FALSE(WindowShown(DPIMsgDlg::kTitle));
  });
}

TEST(WindowHotPlug, ArrivalRemovalAndTheReceiverRule) {
  WindowRig rig;  // k1 by cable, k3 behind its receiver
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    DUI::CDeviceList* list = rig.Window().Home().List();
    ASSERT_TRUE(list->IsDevicePresent(111));
    // The cable mouse goes: the removal refresh drops it from the list.
    rig.Hub().Unplug("k1");
    EXPECT_TRUE(WaitUntil([&] { return !list->IsDevicePresent(111); }, 8000));
    // And comes back: the reconnect sync lists it again.
    rig.Hub().Plug("k1");
    EXPECT_TRUE(WaitUntil([&] { return list->IsDevicePresent(111); }, 8000));
    EXPECT_EQ(0, rig.exits.load());
    // Pulling the receiver ends the program.
    rig.Hub().Unplug("k3-receiver");
    EXPECT_TRUE(WaitUntil([&] { return rig.exits.load() == 1; }, 5000));
    EXPECT_FALSE(rig.Window().Tray().IsShown());
  });
}

TEST(WindowProfiles, SwitchFromTheDialogWritesTheProfile) {
  WindowRig rig;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Notify(HomePage::kDeviceList, 2, 111);
    rig.Settle();
    ASSERT_EQ(1, rig.Worker().State().currentProfile);
    ASSERT_TRUE(rig.Store().RenameProfile(3, "Arena"));
    rig.TakeCommands();
    rig.Window().PostMessage(kMsgProfileAction, ProfileDlg::kActionSwitch, 3);
    ASSERT_TRUE(WaitUntil([&] { return rig.Worker().State().currentProfile == 3; }, 2000));
    EXPECT_EQ(QStringLiteral("Arena"), rig.Window().Frame().ProfileLabel());
    EXPECT_EQ(3, rig.Store().GetActiveProfile());
    // The busy indicator shows until the whole-profile write has run.
    EXPECT_TRUE(WaitUntil([&] {
      rig.Settle();
      return !WindowShown("WaitDlg");
    }));
    const std::vector<int> sent = rig.TakeCommands("k1");
    EXPECT_NE(sent.end(), std::find(sent.begin(), sent.end(), 0x09)) << "buttons written";
    EXPECT_NE(sent.end(), std::find(sent.begin(), sent.end(), 0x03)) << "DPI stages written";
    // Export opens the save dialog; cancelled, nothing else happens.
    bool offered = false;
    QTimer cancel;
    cancel.setInterval(5);
    QObject::connect(&cancel, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        offered = true;
        dialog->reject();
      }
    });
    cancel.start();
    rig.Window().PostMessage(kMsgProfileAction, ProfileDlg::kActionExport, 2);
    EXPECT_TRUE(WaitUntil([&] { return offered; }, 5000));
    rig.Settle();
    EXPECT_EQ(3, rig.Worker().State().currentProfile);
  });
}

// The worker's view: every call reaches the window's thread, in order.
class RecordingTarget : public DeviceView {
 public:
  void ShowBattery(int level, int) override { Record("battery", level); }
  void SetAllDeviceState(int) override {}
  void SetDeviceState(int, int, int) override {}
  void SetDeviceBattery(int, int, int) override {}
  void SetDeviceVersion(int, int) override {}
  void SelectDevice(int type) override { Record("select", type); }
  void ShowConnectionText(int textId) override { Record("text", textId); }
  void ShowDevicePages() override {}
  void ShowPagesForOnlineDevices() override {}
  void ClosePopups() override {}
  void ShowModel() override {}
  void ShowProfileName(const std::string& name) override { Record("profile:" + name, 0); }
  void ShowSensorLimits(int, const SensorLimits&, int) override {}
  void ShowDpiCount(int) override {}
  void ShowDpiStage(int, int, int) override {}
  void ShowDpiTip(int) override {}
  void SelectReportRate(int) override {}
  void ShowVersionRow(int row, const std::string&, const std::string&) override { Record("row", row); }
  void EnableFirmwareButtons(bool, bool) override {}
  void RefreshButtonPage() override {}
  void RefreshMacroList() override {}
  void RefreshPerformancePage() override {}
  void RefreshDpiControls() override {}
  void RefreshLightingPage() override {}
  void CloseWaitDialog() override {}
  void CloseUpdateTipDialog() override {}
  void PostUpdateAvailable(int, const std::string&) override {}

  void Record(const std::string& what, int value) {
    calls.push_back(what + "=" + std::to_string(value));
    onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
  }
  std::vector<std::string> calls;
  bool onGuiThread = true;
};

TEST(QueuedView, CallsFromAnotherThreadRunOnTheGuiThreadInOrder) {
  App();
  QObject context;
  RecordingTarget target;
  QueuedDeviceView view(&context, target);
  std::thread worker([&] {
    view.ShowConnectionText(52);
    view.ShowBattery(80, 0);
    view.ShowProfileName("Profile 1");
    view.ShowVersionRow(1, "x", "y");
    view.SelectDevice(112);
  });
  worker.join();
  EXPECT_TRUE(target.calls.empty()) << "nothing runs on the worker";
  ASSERT_TRUE(WaitUntil([&] { return target.calls.size() == 5; }, 2000));
  EXPECT_TRUE(target.onGuiThread);
  const std::vector<std::string> expected{"text=52", "battery=80", "profile:Profile 1=0", "row=1", "select=112"};
  EXPECT_EQ(expected, target.calls);
}

TEST(QueuedView, CallsForAGoneWindowAreDropped) {
  App();
  RecordingTarget target;
  {
    QObject context;
    QueuedDeviceView view(&context, target);
    view.ShowBattery(10, 0);
  }
  Pump(20);
  EXPECT_TRUE(target.calls.empty());
}

}  // namespace
}  // namespace korvex::test
