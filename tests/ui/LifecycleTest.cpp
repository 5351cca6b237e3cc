// Start-up, tray, window messages, close and teardown of the main window.

#include <QAction>
#include <fstream>
#include <QMenu>
#include <QProcess>
#include <thread>

#include "skinui/CDeviceList.h"
#include "skinui/MControlFont.h"
#include "skinui/Events.h"
#include "ui/UiText.h"
#include "ui/WindowMessages.h"
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/settings/SettingsPage.h"
#include "ui/shell/AppEntry.h"
#include "ui/shell/InstanceChannel.h"
#include "ui/shell/MainTrayIcon.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

TEST(WindowStart, RunsTheStartOrder) {
  // A stale choice of the K1 must not win: the start asks for the generic
  // type first, and the classic mouse is type 101.
  RigOptions options;
  options.devices = "k1, classic";
  options.preferences = {{"DeviceType", "111"}, {"showDPITips", "1"}};
  WindowRig rig(options);
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    EXPECT_TRUE(w.isVisible());
    // Tray icon with the caption as tip, the hidden DPI display, the socket.
    EXPECT_TRUE(w.Tray().IsShown());
    EXPECT_EQ(QStringLiteral("Korvex Mouse"), w.Tray().Tip());
    EXPECT_FALSE(w.windowIcon().isNull()) << "the tray icon is the window's icon";
    EXPECT_NE(nullptr, DUI::Manager::FindWindow(QString::fromLatin1(DPIMsgDlg::kTitle)));
    EXPECT_FALSE(WindowShown(DPIMsgDlg::kTitle));
    EXPECT_TRUE(std::filesystem::exists(rig.SocketPath()));
    // Tips were read before the settings page showed them.
    EXPECT_TRUE(w.Preferences().ShowTips());
    // The device list holds every model; the refresh picked the generic one
    // (its display calls are queued to this thread).
    Pump(50);
    EXPECT_EQ(4, w.Home().List()->GetDeviceCount());
    EXPECT_EQ(101, w.SelectedDevice());
    EXPECT_EQ(101, ReadPreference("DeviceType"));
    EXPECT_EQ(frame::kTextWired, w.Frame().ConnectionText());
    // Task 1 ran first and read the mouse.
    ASSERT_TRUE(rig.WaitForInitialSync());
    EXPECT_EQ(2u, w.Worker().QueueTask(25)) << "task 1 was the only code before";
    EXPECT_TRUE(w.Worker().IsRunning());
    rig.Settle();
    EXPECT_FALSE(w.Frame().ProfileLabel().isEmpty());
  });
}

TEST(WindowStart, WithoutDevicesShowsNoDeviceAndStaysIdle) {
  RigOptions options;
  options.devices = "k1";
  WindowRig rig(options);
  rig.Hub().Unplug("k1");
  rig.Run([&] {
    EXPECT_EQ(frame::kTextNoDevice, rig.Window().Frame().ConnectionText());
    EXPECT_FALSE(rig.Worker().State().devicePresent);
    EXPECT_EQ(0, rig.Window().Home().List()->GetPresentDevCount());
    rig.Settle();
    EXPECT_TRUE(rig.TakeCommands().empty());
  });
}

TEST(WindowStart, HiddenStartLivesInTheTray) {
  RigOptions options;
  options.tray = true;
  options.showFlag = 0;
  WindowRig rig(options);
  EXPECT_EQ(DUI::kShowHide, rig.Window().HiddenStartFlag());
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.Tray().IsShown());
    // A right click asks for the menu, anything else but a left click is
    // ignored, a left click brings the window.
    w.PostMessage(kMsgTrayCallback, kTrayIconId, 0x0200);
    Pump(30);
    EXPECT_FALSE(w.isVisible());
    w.PostMessage(kMsgTrayCallback, kTrayIconId, kTrayLeftDown);
    EXPECT_TRUE(WaitUntil([&] { return w.isVisible(); }, 2000));
  });
}

TEST(WindowStart, HiddenStartWithoutTrayIsMinimised) {
  RigOptions options;
  options.tray = false;
  WindowRig rig(options);
  ASSERT_EQ(DUI::kShowMinimized, rig.Window().HiddenStartFlag());
  rig.Run([&] {
    EXPECT_FALSE(rig.Window().Tray().IsShown());
    rig.Window().ShowWindow(rig.Window().HiddenStartFlag());
    EXPECT_TRUE(WaitUntil([&] { return rig.Window().isMinimized(); }, 2000));
  });
}

TEST(WindowStart, HideOptionAnywhereInTheCommandLine) {
  EXPECT_TRUE(HasHideOption({"-hide"}));
  EXPECT_TRUE(HasHideOption({"-autorun", "-hide"}));
  EXPECT_TRUE(HasHideOption({"x-hidex"}));
  EXPECT_FALSE(HasHideOption({"-autorun"}));
  EXPECT_FALSE(HasHideOption({}));
}

TEST(WindowTray, MenuHasOneItemThatEndsTheProgram) {
  WindowRig rig;
  rig.Run([&] {
    QMenu* menu = rig.Window().Tray().Menu();
    ASSERT_EQ(1, menu->actions().size());
    EXPECT_EQ(UiText(frame::kTextTrayExit), menu->actions().front()->text());
    EXPECT_FALSE(menu->actions().front()->text().isEmpty());
    menu->actions().front()->trigger();
    EXPECT_TRUE(WaitUntil([&] { return rig.exits.load() == 1; }, 2000));
    EXPECT_FALSE(rig.Window().Tray().IsShown()) << "the icon goes before the process";
  });
}

TEST(WindowTray, TipIsCutToWhatATrayHolds) {
  const QString longCaption(200, QLatin1Char('x'));
  EXPECT_EQ(127, MainTrayIcon::TipText(longCaption).size());
  EXPECT_EQ(QStringLiteral("Korvex Mouse"), MainTrayIcon::TipText(QStringLiteral("Korvex Mouse")));
}

TEST(WindowMessages, ExitNeedsItsConfirmationValue) {
  WindowRig rig;
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    w.PostMessage(kMsgExit, 0, 611);
    w.PostMessage(kMsgExit, kExitConfirmation, 0);
    Pump(50);
    EXPECT_EQ(0, rig.exits.load());
    EXPECT_TRUE(w.Tray().IsShown());
    w.PostMessage(kMsgExit, 0, kExitConfirmation);
    EXPECT_TRUE(WaitUntil([&] { return rig.exits.load() == 1; }, 2000));
    EXPECT_FALSE(w.Tray().IsShown());
  });
}

TEST(WindowMessages, MacroEditorMessagesAreTakenWithoutEffect) {
  WindowRig rig;
  rig.Run([&] {
    for (int m = kMsgMacroEditorFirst; m <= kMsgMacroEditorLast; ++m) EXPECT_TRUE(rig.Window().SendMessage(m, 1, 1));
    EXPECT_TRUE(rig.Window().isVisible());
    EXPECT_EQ(0, rig.exits.load());
  });
}

TEST(WindowMessages, AboutCommandShowsTheAboutWindow) {
  WindowRig rig;
  rig.Run([&] {
    ModalAnswer about("About Window", 2);
    rig.Window().PostMessage(DUI::kMsgCommand, kCmdAbout, 0);
    EXPECT_TRUE(WaitUntil([&] { return about.seen; }, 3000));
    EXPECT_EQ(0, rig.exits.load());
  });
}

TEST(WindowMessages, NewerVersionsAreOfferedAndInstalledOnOk) {
  WindowRig rig;
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    auto* status = w.GetControl<DUI::MControlFont>(SettingsPage::kUpdateStatus);
    ASSERT_NE(nullptr, status);
    // Software: the status shows the version; the question's OK queues 26.
    {
      ModalAnswer ok("MessageBox", 1);
      const auto before = rig.Worker().QueueTask(25);
      w.PostUpdateAvailable(0, "2.1.0");
      EXPECT_TRUE(WaitUntil([&] { return ok.seen; }, 3000));
      EXPECT_EQ(before + 2, rig.Worker().QueueTask(25)) << "install queued";
    }
    EXPECT_TRUE(status->GetTitle().contains(QStringLiteral("2.1.0")));
    // Firmware answered with Cancel: nothing queued, no update window.
    {
      ModalAnswer cancel("MessageBox", 2);
      const auto before = rig.Worker().QueueTask(25);
      w.PostUpdateAvailable(1, "140");
      EXPECT_TRUE(WaitUntil([&] { return cancel.seen; }, 3000));
      Pump(20);
      EXPECT_EQ(before + 1, rig.Worker().QueueTask(25));
      EXPECT_FALSE(WindowShown("UpdateTipDlg"));
    }
  });
}

struct CloseCase {
  const char* exitMode;
  bool tray;
  bool exits;
  bool hidden;
  bool minimised;
};

class WindowClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(WindowClose, FollowsTheExitMode) {
  const CloseCase c = GetParam();
  RigOptions options;
  options.tray = c.tray;
  options.preferences = {{"exit_mode", c.exitMode}};
  WindowRig rig(options);
  rig.Run([&] {
    DeviceMainDlg& w = rig.Window();
    rig.Notify(frame::kClose);
    Pump(50);
    EXPECT_EQ(c.exits ? 1 : 0, rig.exits.load());
    EXPECT_EQ(c.hidden, !w.isVisible());
    EXPECT_EQ(c.minimised, w.isMinimized());
    // The desktop's own close request behaves the same.
    if (!c.exits) {
      w.ShowWindow(DUI::kShowNormal);
      Pump(20);
      w.close();
      Pump(50);
      EXPECT_EQ(0, rig.exits.load());
      EXPECT_EQ(c.hidden, !w.isVisible());
    }
  });
}

INSTANTIATE_TEST_SUITE_P(ExitModes, WindowClose,
                         ::testing::Values(CloseCase{"1", true, false, true, false},
                                           CloseCase{"1", false, false, false, true},
                                           CloseCase{"0", true, true, false, false},
                                           CloseCase{"2", true, true, false, false}));

TEST(WindowTeardown, StopsTheWorkerAndRemovesTheIcon) {
  WindowRig rig;
  bool stoppedInTime = false;
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    // A slow task in progress: the teardown waits at most a second for it.
    rig.Worker().QueueTask(2);  // waits a second before its refresh
    Pump(50);
    QElapsedTimer clock;
    clock.start();
    rig.Window().DestroyWindow();
    stoppedInTime = clock.elapsed() < 1500;
    EXPECT_FALSE(rig.Window().Tray().IsShown());
    EXPECT_TRUE(rig.Window().IsDestroyed());
  });
  EXPECT_TRUE(stoppedInTime);
  EXPECT_EQ(0, rig.exits.load());
}

TEST(WindowInstance, SecondStartBringsTheWindowForward) {
  RigOptions options;
  options.showFlag = 0;
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_FALSE(rig.Window().isVisible());
    bool delivered = false;
    std::thread second([&] {
      delivered = InstanceChannel::RequestActivation(QString::fromStdString(rig.SocketPath()), 2000);
    });
    EXPECT_TRUE(WaitUntil([&] { return rig.Window().isVisible(); }, 4000));
    second.join();
    EXPECT_TRUE(delivered);
  });
  // The window is gone: nobody answers any more.
  EXPECT_FALSE(InstanceChannel::RequestActivation(QString::fromStdString(rig.SocketPath()), 100));
}

TEST(WindowInstance, StaleSocketFileIsReplaced) {
  const std::string dir = std::filesystem::temp_directory_path() / "korvex-ui-stale.socket";
  {
    std::ofstream(dir) << "left by a crash";
  }
  InstanceChannel channel;
  EXPECT_TRUE(channel.Listen(QString::fromStdString(dir)));
  EXPECT_TRUE(channel.IsListening());
  channel.Close();
  std::filesystem::remove(dir);
}

// The built program, twice, against the virtual mouse process.
TEST(WindowProcess, SecondInstanceReturnsZero) {
  const std::string bin = KORVEX_BIN_DIR "/";
  std::string tmpl = (std::filesystem::temp_directory_path() / "korvex-proc-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(tmpl.data()));
  const QString dir = QString::fromStdString(tmpl);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", dir + "/config");
  env.insert("XDG_DATA_HOME", dir + "/data");
  env.insert("XDG_RUNTIME_DIR", dir + "/runtime");
  env.insert("KORVEX_VMOUSE", dir + "/vm.sock");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  std::filesystem::create_directories(tmpl + "/runtime");

  QProcess vmouse;
  vmouse.start(QString::fromStdString(bin + "korvex-vmouse"), {"serve", "--socket", dir + "/vm.sock"});
  ASSERT_TRUE(vmouse.waitForStarted());
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(tmpl + "/vm.sock"); }, 5000));

  QProcess first;
  first.setProcessEnvironment(env);
  first.start(QString::fromStdString(bin + "korvex"), {});
  ASSERT_TRUE(first.waitForStarted());
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(tmpl + "/runtime/Korvex Mouse.socket"); }, 15000));

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(QString::fromStdString(bin + "korvex"), {"-hide"});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(QProcess::NormalExit, second.exitStatus());
  EXPECT_EQ(0, second.exitCode());
  EXPECT_EQ(QProcess::Running, first.state()) << "the first instance keeps running";

  // A termination request ends the first one in order.
  first.terminate();
  EXPECT_TRUE(first.waitForFinished(5000));
  EXPECT_EQ(QProcess::NormalExit, first.exitStatus());
  EXPECT_EQ(0, first.exitCode());
  vmouse.terminate();
  vmouse.waitForFinished(3000);
  std::error_code ec;
  std::filesystem::remove_all(tmpl, ec);
}

}  // namespace
}  // namespace korvex::test
