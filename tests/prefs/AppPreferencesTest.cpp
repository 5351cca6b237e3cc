#include <gtest/gtest.h>

#include <string>

#include "PrefsTestSupport.h"
#include "prefs/AppPreferences.h"

namespace korvex {
namespace {

using test::ReadFile;
namespace fs = std::filesystem;
using test::TempHome;
using test::WriteFile;

constexpr const char* kCaption = "Korvex Mouse";
constexpr const char* kExe = "/opt/Korvex Mouse/bin/korvex";

struct Fixture {
  TempHome home;
  fs::path prefFile = home.Root() / "config" / kCaption / "preferences.ini";
  fs::path entry = home.Root() / "config" / "autostart" / "Korvex Mouse.desktop";

  AppPreferences Make(const std::string& exe = kExe) const {
    return AppPreferences(PreferenceStore(prefFile.string()), LogonStart(entry.string(), exe, kCaption));
  }
  std::string Stored(const std::string& name) const { return PreferenceStore(prefFile.string()).ReadText(name); }
  void Store(const std::string& name, const std::string& value) const {
    ASSERT_TRUE(PreferenceStore(prefFile.string()).Write(name, value));
  }
};

std::string ExecLine(const std::string& entryText) {
  const size_t at = entryText.find("\nExec=");
  if (at == std::string::npos) return {};
  const size_t end = entryText.find('\n', at + 1);
  return entryText.substr(at + 6, end - at - 6);
}

TEST(AppPreferences, FirstRunWithoutAnyFileShowsEverythingOff) {
  Fixture f;
  AppPreferences prefs = f.Make();
  EXPECT_TRUE(prefs.ShowTips());  // until the stored value is read
  prefs.LoadShowTips();
  EXPECT_FALSE(prefs.ShowTips());
  EXPECT_TRUE(fs::exists(f.prefFile));  // the first read creates the key
  const SettingsPageState page = prefs.BuildSettingsPage();
  EXPECT_FALSE(page.startAtLogon);
  EXPECT_FALSE(page.startMinimisedEnabled);
  EXPECT_FALSE(page.startMinimised);
  EXPECT_FALSE(page.closeHides);
  EXPECT_FALSE(page.showTips);
  EXPECT_EQ(prefs.OnCloseButton(true), CloseAction::Exit);
}

TEST(AppPreferences, BatteryNoticeIsOnUntilSwitchedOff) {
  Fixture f;
  AppPreferences prefs = f.Make();
  prefs.LoadBatteryNotice();  // no file yet
  EXPECT_TRUE(prefs.BatteryNotice());
  EXPECT_TRUE(prefs.BuildSettingsPage().batteryNotice);
  ASSERT_TRUE(prefs.SetBatteryNotice(false));
  EXPECT_EQ(f.Stored(AppPreferences::kBatteryNotice), "0");
  AppPreferences again = f.Make();
  again.LoadBatteryNotice();
  EXPECT_FALSE(again.BatteryNotice());
  EXPECT_FALSE(again.BuildSettingsPage().batteryNotice);
  f.Store(AppPreferences::kBatteryNotice, "junk");
  again.LoadBatteryNotice();
  EXPECT_TRUE(again.BatteryNotice());
}

TEST(AppPreferences, StartAtLogonOnWritesTheEntryButNotTheMinimisedFlag) {
  Fixture f;
  AppPreferences prefs = f.Make();
  prefs.BuildSettingsPage();
  ASSERT_TRUE(prefs.SetStartAtLogon(true));
  EXPECT_TRUE(prefs.PageState().startAtLogon);
  EXPECT_TRUE(prefs.PageState().startMinimisedEnabled);
  EXPECT_FALSE(prefs.PageState().startMinimised);
  EXPECT_EQ(f.Stored("autorun_minimize"), "");
  const std::string text = ReadFile(f.entry);
  EXPECT_EQ(ExecLine(text), "\"/opt/Korvex Mouse/bin/korvex\" -autorun");
  EXPECT_NE(text.find("[Desktop Entry]\n"), std::string::npos);
  EXPECT_NE(text.find("\nName=Korvex Mouse\n"), std::string::npos);
  EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);

  // A fresh page sees it on, with the minimised box usable.
  AppPreferences again = f.Make();
  const SettingsPageState page = again.BuildSettingsPage();
  EXPECT_TRUE(page.startAtLogon);
  EXPECT_TRUE(page.startMinimisedEnabled);
  EXPECT_FALSE(page.startMinimised);
}

TEST(AppPreferences, StartMinimisedAddsHideAndSwitchingOffClearsEverything) {
  Fixture f;
  AppPreferences prefs = f.Make();
  prefs.BuildSettingsPage();
  ASSERT_TRUE(prefs.SetStartAtLogon(true));
  ASSERT_TRUE(prefs.SetStartMinimised(true));
  EXPECT_EQ(f.Stored("autorun_minimize"), "1");
  EXPECT_EQ(ExecLine(ReadFile(f.entry)), "\"/opt/Korvex Mouse/bin/korvex\" -autorun -hide");
  EXPECT_TRUE(f.Make().BuildSettingsPage().startMinimised);

  ASSERT_TRUE(prefs.SetStartMinimised(false));
  EXPECT_EQ(f.Stored("autorun_minimize"), "0");
  EXPECT_EQ(ExecLine(ReadFile(f.entry)), "\"/opt/Korvex Mouse/bin/korvex\" -autorun");

  ASSERT_TRUE(prefs.SetStartMinimised(true));
  ASSERT_TRUE(prefs.SetStartAtLogon(false));
  EXPECT_FALSE(fs::exists(f.entry));
  EXPECT_EQ(f.Stored("autorun_minimize"), "0");
  EXPECT_FALSE(prefs.PageState().startAtLogon);
  EXPECT_FALSE(prefs.PageState().startMinimisedEnabled);
  EXPECT_FALSE(prefs.PageState().startMinimised);
  // Switching off again (no entry left) is not a failure.
  EXPECT_TRUE(prefs.SetStartAtLogon(false));
}

TEST(AppPreferences, MinimisedFlagIsOnlyShownWhileStartAtLogonIsOn) {
  Fixture f;
  f.Store("autorun_minimize", "1");
  SettingsPageState page = f.Make().BuildSettingsPage();
  EXPECT_FALSE(page.startMinimisedEnabled);
  EXPECT_FALSE(page.startMinimised);
  WriteFile(f.entry, "[Desktop Entry]\nType=Application\nExec=korvex -autorun\n");
  page = f.Make().BuildSettingsPage();
  EXPECT_TRUE(page.startMinimisedEnabled);
  EXPECT_TRUE(page.startMinimised);
}

std::string EntryWithExecOfSize(size_t size) {
  std::string exec = "/x -autorun";
  exec.insert(1, std::string(size - exec.size(), 'a'));
  return "[Desktop Entry]\nType=Application\nName=Korvex Mouse\nExec=" + exec + "\n";
}

TEST(AppPreferences, AnEntryValueThatDoesNotFitTheBufferCountsAsAbsent) {
  Fixture f;
  // 511 bytes and the terminator fill the 512-byte buffer exactly.
  WriteFile(f.entry, EntryWithExecOfSize(511));
  EXPECT_TRUE(f.Make().BuildSettingsPage().startAtLogon);
  WriteFile(f.entry, EntryWithExecOfSize(512));
  SettingsPageState page = f.Make().BuildSettingsPage();
  EXPECT_FALSE(page.startAtLogon);
  EXPECT_FALSE(page.startMinimisedEnabled);
  WriteFile(f.entry, EntryWithExecOfSize(5000));
  EXPECT_FALSE(f.Make().BuildSettingsPage().startAtLogon);
}

TEST(AppPreferences, AProgramPathTooLongForTheEntryIsNotWrittenAndNotShownOn) {
  Fixture f;
  const std::string longExe = "/opt/" + std::string(600, 'k') + "/korvex";
  AppPreferences prefs = f.Make(longExe);
  prefs.BuildSettingsPage();
  EXPECT_FALSE(prefs.SetStartAtLogon(true));
  EXPECT_FALSE(fs::exists(f.entry));
  EXPECT_FALSE(prefs.PageState().startAtLogon);
  EXPECT_FALSE(prefs.PageState().startMinimisedEnabled);
}

TEST(AppPreferences, EntriesTheDesktopWouldSkipCountAsAbsentOthersAsOn) {
  Fixture f;
  const std::string head = "[Desktop Entry]\nType=Application\nName=Korvex Mouse\n";
  // Another install of the program: still this caption's entry.
  WriteFile(f.entry, head + "Exec=/usr/local/old/korvex -autorun\n");
  EXPECT_TRUE(f.Make().BuildSettingsPage().startAtLogon);
  WriteFile(f.entry, head + "Exec = /usr/local/old/korvex\nHidden=true\n");
  EXPECT_FALSE(f.Make().BuildSettingsPage().startAtLogon);
  WriteFile(f.entry, head + "Exec=/usr/local/old/korvex\nX-GNOME-Autostart-enabled=false\n");
  EXPECT_FALSE(f.Make().BuildSettingsPage().startAtLogon);
  WriteFile(f.entry, head + "Exec=\n");
  EXPECT_FALSE(f.Make().BuildSettingsPage().startAtLogon);
  // Exec outside the main group does not count.
  WriteFile(f.entry, head + "[Desktop Action x]\nExec=/bin/true\n");
  EXPECT_FALSE(f.Make().BuildSettingsPage().startAtLogon);
  fs::remove(f.entry);
  fs::create_directories(f.entry);  // a folder under the entry's name
  EXPECT_FALSE(f.Make().BuildSettingsPage().startAtLogon);
  fs::remove(f.entry);

  // Switching on replaces the other program's entry with this one.
  WriteFile(f.entry, head + "Exec=/usr/local/old/korvex -autorun\n");
  AppPreferences prefs = f.Make();
  prefs.BuildSettingsPage();
  ASSERT_TRUE(prefs.SetStartAtLogon(true));
  EXPECT_EQ(ExecLine(ReadFile(f.entry)), "\"/opt/Korvex Mouse/bin/korvex\" -autorun");
}

TEST(AppPreferences, AnUnwritableAutostartFolderLeavesTheBoxOffAndReportsIt) {
  Fixture f;
  WriteFile(f.entry.parent_path(), "not a folder");  // "autostart" is a file
  AppPreferences prefs = f.Make();
  prefs.BuildSettingsPage();
  EXPECT_FALSE(prefs.SetStartAtLogon(true));
  EXPECT_FALSE(prefs.PageState().startAtLogon);
  EXPECT_FALSE(prefs.PageState().startMinimisedEnabled);
  EXPECT_EQ(ReadFile(f.entry.parent_path()), "not a folder");
}

TEST(AppPreferences, ExitModeOnlyOneHidesTheWindow) {
  Fixture f;
  AppPreferences prefs = f.Make();
  ASSERT_TRUE(prefs.SetExitMode(true));
  EXPECT_EQ(f.Stored("exit_mode"), "1");
  EXPECT_TRUE(f.Make().BuildSettingsPage().closeHides);
  EXPECT_EQ(prefs.OnCloseButton(true), CloseAction::HideToTray);
  // Without a tray the hidden window could never be reached again.
  EXPECT_EQ(prefs.OnCloseButton(false), CloseAction::Minimise);

  ASSERT_TRUE(prefs.SetExitMode(false));
  EXPECT_EQ(f.Stored("exit_mode"), "0");
  EXPECT_EQ(prefs.OnCloseButton(true), CloseAction::Exit);

  for (const char* value : {"2", "-1", "abc", " 1x"}) {
    f.Store("exit_mode", value);
    const bool hides = std::string(value) == " 1x";  // the C conversion reads 1
    EXPECT_EQ(f.Make().BuildSettingsPage().closeHides, hides) << value;
    EXPECT_EQ(prefs.OnCloseButton(true), hides ? CloseAction::HideToTray : CloseAction::Exit) << value;
  }
}

TEST(AppPreferences, TipsFollowTheBoxAtOnceAndOnlyOneMeansOn) {
  Fixture f;
  AppPreferences prefs = f.Make();
  ASSERT_TRUE(prefs.SetShowTips(true));
  EXPECT_TRUE(prefs.ShowTips());
  EXPECT_TRUE(prefs.PageState().showTips);
  EXPECT_EQ(f.Stored("showDPITips"), "1");
  AppPreferences next = f.Make();
  next.LoadShowTips();
  EXPECT_TRUE(next.ShowTips());
  EXPECT_TRUE(next.BuildSettingsPage().showTips);

  ASSERT_TRUE(prefs.SetShowTips(false));
  EXPECT_FALSE(prefs.ShowTips());
  EXPECT_EQ(f.Stored("showDPITips"), "0");
  f.Store("showDPITips", "2");
  next.LoadShowTips();
  EXPECT_FALSE(next.ShowTips());
}

TEST(AppPreferences, ForCaptionUsesTheConfigHome) {
  Fixture f;
  AppPreferences prefs = AppPreferences::ForCaption(kCaption);
  EXPECT_EQ(prefs.Store().Path(), f.prefFile.string());
  EXPECT_EQ(prefs.Logon().Path(), f.entry.string());
  EXPECT_EQ(LogonStart::EntryPath("a/b"), (f.home.Root() / "config" / "autostart" / "a_b.desktop").string());
}

}  // namespace
}  // namespace korvex
