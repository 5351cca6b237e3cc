#include <gtest/gtest.h>

#include <cstdlib>

#include "PrefsTestSupport.h"
#include "prefs/DesktopEntryText.h"
#include "prefs/LogonStart.h"
#include "prefs/ProcessLauncher.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::TempHome;
using test::WaitForRecord;
using test::WriteRecorder;

TEST(DesktopEntryText, ExecArgumentsAreQuotedOnlyWhenNeeded) {
  EXPECT_EQ(QuoteExecArgument("/usr/bin/korvex"), "/usr/bin/korvex");
  EXPECT_EQ(QuoteExecArgument("/opt/Korvex Mouse/korvex"), "\"/opt/Korvex Mouse/korvex\"");
  EXPECT_EQ(QuoteExecArgument(""), "\"\"");
  // Inside quotes " ` $ \ take a backslash; then the string escapes double
  // every backslash; '%' is doubled so that it is no field code.
  EXPECT_EQ(QuoteExecArgument("/a b/\"$`x`"), "\"/a b/\\\\\"\\\\$\\\\`x\\\\`\"");
  EXPECT_EQ(QuoteExecArgument("/a\\b"), "\"/a\\\\\\\\b\"");
  EXPECT_EQ(QuoteExecArgument("/100%/k"), "/100%%/k");
  EXPECT_EQ(QuoteExecArgument("/a\nb"), "\"/a\\nb\"");
  EXPECT_EQ(EscapeDesktopString("a\\b\tc\n"), "a\\\\b\\tc\\n");
}

// The entry is run by a real desktop-entry launcher (GLib's, through
// "gio launch") when one is installed: the program path with spaces,
// quotes, '$', '`' and a backslash must arrive as one intact argv[0].
TEST(LogonStart, ADesktopLauncherRunsTheEntryWithThePathIntact) {
  const std::string gio = FindExecutable("gio", DefaultSearchPath());
  if (gio.empty()) GTEST_SKIP() << "gio is not installed";
  TempHome home;
  const fs::path record = home.Root() / "record";
  const fs::path exe = home.Root() / "Korvex Mouse" / "run \"it\" $HOME `x` \\ now";
  WriteRecorder(exe, record);
  const fs::path entry = home.Root() / "config" / "autostart" / "Korvex Mouse.desktop";
  const LogonStart logon(entry.string(), exe.string(), "Korvex Mouse");
  ASSERT_TRUE(logon.Enable(true));
  ASSERT_TRUE(logon.IsOn());
  ASSERT_TRUE(StartDetached({gio, "launch", entry.string()}, DefaultSearchPath()));
  const std::vector<std::string> fields = WaitForRecord(record);
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_EQ(fields[0], exe.string());
  EXPECT_EQ(fields[1], "-autorun");
  EXPECT_EQ(fields[2], "-hide");
}

}  // namespace
}  // namespace korvex
