// What a desktop user is told instead of a silent exit or blank labels, and
// the synchronisation of every device chosen in the list.

#include <QProcess>
#include <fstream>

#include "i18n/LanguageFile.h"
#include "platform/SingleInstanceLock.h"
#include "skinui/MControlFont.h"
#include "skinui/MTabCtrl.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/pages/home/HomePage.h"
#include "ui/shell/StartupNotices.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

namespace fs = std::filesystem;

// Reads the message of the next message box once it shows, then closes it.
class BoxReader {
 public:
  BoxReader() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = dynamic_cast<CUIMessageBox*>(DUI::Manager::FindWindow(QString::fromLatin1(CUIMessageBox::kTitle)));
      if (box == nullptr || !box->isVisible()) return;
      auto* text = box->GetControl<DUI::MControlFont>(CUIMessageBox::kMessageText);
      message = text ? text->GetTitle() : QStringLiteral("<no text>");
      message.remove(QChar(0x200B));  // the wrap points in paths
      DUI::Manager::CloseWindowByTitle(QString::fromLatin1(CUIMessageBox::kTitle), 1);
      timer_.stop();
    });
    timer_.start();
  }
  QString message;

 private:
  QTimer timer_;
};

QProcessEnvironment PrivateEnvironment(const QString& dir) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", dir + "/config");
  env.insert("XDG_DATA_HOME", dir + "/data");
  env.insert("XDG_RUNTIME_DIR", dir + "/runtime");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.remove("KORVEX_VMOUSE");
  return env;
}

TEST(StartupNotices, AnUnreadableConfigIsShownWithItsPath) {
  App();
  DUI::Manager::SetInstance(QString::fromLatin1(KORVEX_BIN_DIR "/"));
  BoxReader reader;
  ShowConfigProblem("/nowhere/config.xml");
  EXPECT_TRUE(reader.message.contains("/nowhere/config.xml")) << reader.message.toStdString();
  EXPECT_FALSE(reader.message.startsWith("Cannot read")) << "the language file's text";
}

// The program itself without a config.xml beside it: it stays on screen
// with the box instead of ending at once.
TEST(StartupNotices, TheProgramWithoutConfigWaitsOnItsMessage) {
  const std::string root = KORVEX_BIN_DIR "/../notice-app";
  fs::remove_all(root);
  fs::create_directories(root + "/runtime");
  fs::create_hard_link(KORVEX_BIN_DIR "/korvex", root + "/korvex");
  for (const char* sub : {"language", "skins"})
    fs::copy(std::string(KORVEX_BIN_DIR "/") + sub, root + "/" + sub, fs::copy_options::recursive);
  QProcess app;
  app.setProcessEnvironment(PrivateEnvironment(QString::fromStdString(root)));
  app.start(QString::fromStdString(root + "/korvex"), {});
  ASSERT_TRUE(app.waitForStarted());
  EXPECT_FALSE(app.waitForFinished(1500)) << "ended without showing anything";
  EXPECT_TRUE(app.readAllStandardError().contains("cannot read"));
  app.kill();
  app.waitForFinished(3000);
  fs::remove_all(root);
}

// A command-line run holds the mouse: the window waits (and says so), then
// opens once the run is over.
TEST(StartupNotices, AWindowStartedDuringACommandLineRunWaitsAndOpens) {
  std::string tmpl = (fs::temp_directory_path() / "korvex-wait-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(tmpl.data()));
  const QString dir = QString::fromStdString(tmpl);
  fs::create_directories(tmpl + "/runtime");
  setenv("XDG_RUNTIME_DIR", (tmpl + "/runtime").c_str(), 1);
  auto ctl = std::make_unique<SingleInstanceLock>("Korvex Mouse", kCommandLineLockSuffix);
  auto instance = std::make_unique<SingleInstanceLock>("Korvex Mouse");
  ASSERT_TRUE(ctl->TryAcquire());
  ASSERT_TRUE(instance->TryAcquire());

  QProcess app;
  app.setProcessEnvironment(PrivateEnvironment(dir));
  app.start(QString::fromLatin1(KORVEX_BIN_DIR "/korvex"), {});
  ASSERT_TRUE(app.waitForStarted());
  EXPECT_FALSE(app.waitForFinished(4000)) << "gave up while the run held the mouse";
  EXPECT_FALSE(fs::exists(tmpl + "/runtime/Korvex Mouse.socket"));
  instance.reset();
  ctl.reset();
  EXPECT_TRUE(WaitUntil([&] { return fs::exists(tmpl + "/runtime/Korvex Mouse.socket"); }, 15000))
      << "the window did not open after the run ended";
  app.terminate();
  EXPECT_TRUE(app.waitForFinished(5000));
  fs::remove_all(tmpl);
}

TEST(StartupNotices, TheWaitEndsWhenTheLockFreesOrTheUserGivesUp) {
  App();
  DUI::Manager::SetInstance(QString::fromLatin1(KORVEX_BIN_DIR "/"));
  std::string tmpl = (fs::temp_directory_path() / "korvex-lock-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(tmpl.data()));
  setenv("XDG_RUNTIME_DIR", tmpl.c_str(), 1);
  auto held = std::make_unique<SingleInstanceLock>("Korvex Mouse");
  ASSERT_TRUE(held->TryAcquire());
  SingleInstanceLock window("Korvex Mouse");
  {
    BoxReader reader;  // the user closes the notice
    EXPECT_FALSE(WaitForCommandLine(window));
    EXPECT_FALSE(reader.message.isEmpty());
  }
  QTimer::singleShot(300, [&] { held.reset(); });
  EXPECT_TRUE(WaitForCommandLine(window));
  EXPECT_TRUE(window.IsHeld());
  fs::remove_all(tmpl);
}

// A damaged language file and a missing text read as English, not blank.
TEST(WindowTexts, ADamagedLanguageFileFallsBackToEnglish) {
  std::string tmpl = (fs::temp_directory_path() / "korvex-lan-XXXXXX").string();
  ASSERT_NE(nullptr, mkdtemp(tmpl.data()));
  fs::copy_file(KORVEX_BIN_DIR "/language/1033.lan", tmpl + "/1033.lan");
  std::ofstream(tmpl + "/2052.lan", std::ios::binary) << std::string("\xFF\xFE\x00\x00garbage", 11);
  SetLanguageFolder(tmpl);
  LanguageFile english;
  ASSERT_TRUE(english.Load(KORVEX_BIN_DIR "/language/1033.lan"));
  {
    WindowRig rig;  // starts in 2052
    rig.Run([&] {
      DeviceMainDlg& w = rig.Window();
      auto* title = w.GetControl<DUI::MControlFont>(frame::kTitle);
      ASSERT_NE(nullptr, title);
      EXPECT_EQ(QString::fromStdString(english.Text(frame::kTextTitle)), title->GetTitle());
      EXPECT_EQ(QString::fromStdString(english.Text(71)), w.Frame().Tabs()->GetItemText(frame::kTabHome));
    });
  }
  SetLanguageFolder("");
  fs::remove_all(tmpl);
}

TEST(WindowDatabase, ADamagedDatabaseIsAnnouncedWithWhereItWent) {
  RigOptions options;
  options.devices = "k1";
  WindowRig rig(options);
  const std::string db = rig.Dir() + "/data/Korvex Mouse Files/db/korvex_k1_data1.db";
  std::ofstream(db, std::ios::binary) << std::string(4096, '\x5A');
  BoxReader reader;
  rig.Run([&] {
    ASSERT_TRUE(WaitUntil([&] { return !reader.message.isEmpty(); }, 10000)) << "no message box";
    EXPECT_TRUE(reader.message.contains(QString::fromStdString(db + ".damaged-"))) << reader.message.toStdString();
  });
}

// Choosing a wired model after another bootstraps its profiles and reads
// the mouse, as a receiver choice does.
TEST(WindowDevices, AWiredModelChosenSecondGetsItsProfilesAndTheMouseValues) {
  RigOptions options;
  options.devices = "k1, k3";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    ASSERT_EQ(111, rig.Worker().State().currentType);
    rig.TakeCommands();
    rig.Notify(HomePage::kDeviceList, 2, 112);
    rig.Settle();
    std::vector<ProfileRecord> profiles;
    EXPECT_EQ(4, rig.Store().ListProfiles(profiles));
    EXPECT_EQ(1, rig.Worker().State().currentProfile);
    const std::vector<int> read = rig.TakeCommands("k3");
    EXPECT_EQ((std::vector<int>{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17}), read);
    // The page values are the mouse's: the K3 holds 4 stages.
    EXPECT_EQ(4, rig.Worker().State().stageCount);
  });
}

}  // namespace
}  // namespace korvex::test
