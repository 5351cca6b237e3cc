#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "PrefsTestSupport.h"
#include "prefs/ProcessLauncher.h"
#include "prefs/SystemShortcuts.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::TempHome;
using test::WaitForRecord;
using test::WriteFile;
using test::WriteRecorder;

// A folder of fake desktop tools; each records its arguments to
// "<name>.record" beside the folder.
struct FakePath {
  TempHome home;
  fs::path bin = home.Root() / "bin";
  FakePath() { fs::create_directories(bin); }
  void Add(const std::string& name) { WriteRecorder(bin / name, Record(name)); }
  fs::path Record(const std::string& name) const { return home.Root() / (name + ".record"); }
  std::string Path() const { return bin.string(); }
};

TEST(OpenLink, TheUrlIsOneArgumentAndNeverShellText) {
  FakePath path;
  path.Add("xdg-open");
  const fs::path pwned = path.home.Root() / "pwned";
  const std::string url = "https://example.com/a b?x=1&y='2';touch " + pwned.string() + " $(touch " +
                          pwned.string() + ") `id` \"q\"";
  ASSERT_TRUE(OpenLink(url, path.Path()));
  const std::vector<std::string> fields = WaitForRecord(path.Record("xdg-open"));
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[0], (path.bin / "xdg-open").string());
  EXPECT_EQ(fields[1], url);
  EXPECT_FALSE(fs::exists(pwned));
}

TEST(OpenLink, StartsDetachedInItsOwnSession) {
  FakePath path;
  path.Add("xdg-open");
  ASSERT_TRUE(OpenLink("https://example.com/", path.Path()));
  const std::vector<std::string> fields = WaitForRecord(path.Record("xdg-open"));
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_NE(fields[2], "sid=" + std::to_string(::getsid(0)));
  // Nothing is left for the caller to reap.
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST(OpenLink, RefusesAddressesThatAreNotOneUrlAndFallsBackToGio) {
  FakePath path;
  path.Add("xdg-open");
  EXPECT_FALSE(OpenLink("", path.Path()));
  EXPECT_FALSE(OpenLink("--help", path.Path()));
  EXPECT_FALSE(OpenLink("https://a\nb", path.Path()));
  fs::remove(path.bin / "xdg-open");
  EXPECT_FALSE(OpenLink("https://example.com/", path.Path()));
  path.Add("gio");
  ASSERT_TRUE(OpenLink("https://example.com/", path.Path()));
  const std::vector<std::string> fields = WaitForRecord(path.Record("gio"));
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_EQ(fields[1], "open");
  EXPECT_EQ(fields[2], "https://example.com/");
  EXPECT_FALSE(fs::exists(path.Record("xdg-open")));
}

TEST(ProcessLauncher, OnlyExecutableFilesInAbsoluteFoldersAreFound) {
  FakePath path;
  WriteFile(path.bin / "plain", "#!/bin/sh\n", 0644);
  fs::create_directories(path.bin / "folder");
  const fs::path relative = fs::current_path() / "korvex-relative-bin";
  fs::create_directories(relative);
  WriteRecorder(relative / "tool", path.Record("tool"));
  const std::string searchPath = ":korvex-relative-bin:" + path.Path();
  EXPECT_EQ(FindExecutable("plain", searchPath), "");
  EXPECT_EQ(FindExecutable("folder", searchPath), "");
  EXPECT_EQ(FindExecutable("tool", searchPath), "");
  EXPECT_FALSE(StartDetached({"tool"}, searchPath));
  fs::remove_all(relative);
  path.Add("tool");
  EXPECT_EQ(FindExecutable("tool", searchPath), (path.bin / "tool").string());
}

TEST(ProcessLauncher, AFileTheSystemCannotExecuteIsReportedAsFailure) {
  FakePath path;
  WriteFile(path.bin / "broken", std::string("\x7f" "ELF garbage", 12), 0755);
  WriteFile(path.bin / "badinterp", "#!/nonexistent/interpreter\n", 0755);
  EXPECT_FALSE(StartDetached({"broken"}, path.Path()));
  EXPECT_FALSE(StartDetached({"badinterp"}, path.Path()));
  EXPECT_FALSE(StartDetached({}, path.Path()));
}

TEST(MouseSettings, DesktopNamesAreListsAliasesAndIgnoreCase) {
  FakePath path;
  for (const char* tool : {"gnome-control-center", "kcmshell5", "xfce4-mouse-settings", "cinnamon-settings"}) {
    path.Add(tool);
  }
  struct Case {
    const char* desktop;
    const char* expectDesktop;
    std::vector<std::string> argv;
  };
  const Case cases[] = {
      {"ubuntu:GNOME", "GNOME", {"gnome-control-center", "mouse"}},
      {"kde", "KDE", {"kcmshell5", "kcm_mouse"}},
      {"Cinnamon", "X-Cinnamon", {"cinnamon-settings", "mouse"}},
      {"XFCE", "XFCE", {"xfce4-mouse-settings"}},
  };
  for (Case c : cases) {
    MouseSettingsCommand command;
    ASSERT_TRUE(ChooseMouseSettings(c.desktop, path.Path(), command)) << c.desktop;
    EXPECT_EQ(command.desktop, c.expectDesktop);
    c.argv[0] = (path.bin / c.argv[0]).string();
    EXPECT_EQ(command.argv, c.argv) << c.desktop;
  }
}

TEST(MouseSettings, PlasmaPrefersSystemSettingsAndAKnownDesktopGetsNoStrangersTool) {
  FakePath path;
  path.Add("kcmshell5");
  path.Add("systemsettings");
  path.Add("gnome-control-center");
  MouseSettingsCommand command;
  ASSERT_TRUE(ChooseMouseSettings("KDE", path.Path(), command));
  EXPECT_EQ(command.argv[0], (path.bin / "systemsettings").string());
  EXPECT_FALSE(ChooseMouseSettings("XFCE", path.Path(), command));
  EXPECT_TRUE(command.argv.empty());
  // The first known desktop with its tool installed wins.
  ASSERT_TRUE(ChooseMouseSettings("XFCE:GNOME", path.Path(), command));
  EXPECT_EQ(command.desktop, "GNOME");
  // An unknown or unset desktop takes whatever is installed.
  ASSERT_TRUE(ChooseMouseSettings("SomethingNew", path.Path(), command));
  EXPECT_EQ(command.argv[0], (path.bin / "gnome-control-center").string());
  ASSERT_TRUE(ChooseMouseSettings("", path.Path(), command));
}

TEST(MouseSettings, OpeningStartsTheProgramOrSaysWhatIsMissing) {
  FakePath path;
  path.Add("xfce4-mouse-settings");
  MouseSettingsResult result = OpenMouseControlPanel("XFCE", path.Path());
  EXPECT_EQ(result.status, MouseSettingsStatus::Started);
  EXPECT_EQ(result.program, (path.bin / "xfce4-mouse-settings").string());
  const std::vector<std::string> fields = WaitForRecord(path.Record("xfce4-mouse-settings"));
  ASSERT_EQ(fields.size(), 2u);  // $0 and the session, no arguments
  EXPECT_EQ(fields[0], result.program);

  result = OpenMouseControlPanel("GNOME", path.Path());
  EXPECT_EQ(result.status, MouseSettingsStatus::NotAvailable);
  EXPECT_EQ(result.desktop, "GNOME");
  EXPECT_EQ(result.program, "");

  WriteFile(path.bin / "mate-mouse-properties", "#!/nonexistent/interpreter\n", 0755);
  result = OpenMouseControlPanel("MATE", path.Path());
  EXPECT_EQ(result.status, MouseSettingsStatus::StartFailed);
  EXPECT_EQ(result.program, (path.bin / "mate-mouse-properties").string());
}

}  // namespace
}  // namespace korvex
