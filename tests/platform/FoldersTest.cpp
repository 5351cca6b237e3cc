#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PlatformTestEnv.h"
#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "platform/DisplayScale.h"
#include "platform/UserLocale.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

TEST(Folders, DataFolderFollowsXdgDataHomeAndFallsBackToHome) {
  test::ScopedEnv env;
  EXPECT_EQ(DataFolder("Korvex Mouse"), (env.Root() / "data" / "Korvex Mouse Files").string() + "/");
  env.Set("XDG_DATA_HOME", "relative/path");  // not absolute: ignored
  env.Set("HOME", (env.Root() / "home").string());
  EXPECT_EQ(DataFolder("Korvex Mouse"), (env.Root() / "home" / ".local/share/Korvex Mouse Files").string() + "/");
  env.Unset("XDG_CONFIG_HOME");
  EXPECT_EQ(ConfigHome(), (env.Root() / "home" / ".config").string() + "/");
  SetCaption("A/B");
  EXPECT_EQ(DataFolder(), (env.Root() / "home" / ".local/share/A_B Files").string() + "/");
  SetCaption("");
}

TEST(Folders, CreateFolderMakesMissingParents) {
  test::ScopedEnv env;
  const fs::path deep = env.Root() / "a" / "b" / "c" / "db";
  EXPECT_TRUE(CreateFolder(deep.string()));
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_TRUE(CreateFolder(deep.string() + "/"));  // already there
  std::ofstream(env.Root() / "file") << "x";
  EXPECT_FALSE(CreateFolder((env.Root() / "file").string()));
  EXPECT_FALSE(CreateFolder((env.Root() / "file" / "below").string()));
  EXPECT_FALSE(CreateFolder(""));
}

TEST(Folders, ApplicationFolderIsTheExecutablesOrTheInstalledShare) {
  // The test binary runs from the build's bin folder, where the shipped
  // data is copied.
  EXPECT_EQ(ApplicationFolder(), fs::weakly_canonical(KORVEX_BIN_DIR).string() + "/");

  test::ScopedEnv env;
  const fs::path prefix = env.Root() / "usr";
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share" / "korvex");
  EXPECT_EQ(ResolveApplicationFolder((prefix / "bin").string()), (prefix / "bin").string() + "/");
  std::ofstream(prefix / "share" / "korvex" / "config.xml") << "<config/>";
  EXPECT_EQ(ResolveApplicationFolder((prefix / "bin").string()), (prefix / "share" / "korvex").string() + "/");
  std::ofstream(prefix / "bin" / "config.xml") << "<config/>";
  EXPECT_EQ(ResolveApplicationFolder((prefix / "bin").string()), (prefix / "bin").string() + "/");
}

TEST(DisplayScale, DpiAwarenessRule) {
  EXPECT_TRUE(ShouldDeclareDpiAware(1366, 768, 96));
  EXPECT_TRUE(ShouldDeclareDpiAware(2560, 799, 96));
  EXPECT_TRUE(ShouldDeclareDpiAware(1399, 1200, 96));
  EXPECT_FALSE(ShouldDeclareDpiAware(1400, 800, 96));
  EXPECT_FALSE(ShouldDeclareDpiAware(1920, 1080, 96));
  EXPECT_FALSE(ShouldDeclareDpiAware(1920, 1080, 120));  // 125 %
  EXPECT_TRUE(ShouldDeclareDpiAware(1920, 1080, 144));   // 150 %
  EXPECT_TRUE(ShouldDeclareDpiAware(1920, 1080, 168));
  EXPECT_TRUE(ShouldDeclareDpiAware(1920, 1080, 192));
  EXPECT_FALSE(ShouldDeclareDpiAware(1920, 1080, 150));  // not a known step: 100 %
  EXPECT_FALSE(ShouldDeclareDpiAware(1920, 1200, 192));
  EXPECT_FALSE(ShouldDeclareDpiAware(2560, 1440, 192));
  EXPECT_EQ(DisplayScaleFromDpi(72), 100);
  EXPECT_EQ(DisplayScaleFromDpi(120), 125);
}

TEST(UserLocale, LocaleNamesMapToLanguageIds) {
  EXPECT_EQ(LcidFromLocaleName("zh_CN.UTF-8"), 2052);
  EXPECT_EQ(LcidFromLocaleName("zh_TW"), 2052);
  EXPECT_EQ(LcidFromLocaleName("de_AT.UTF-8@euro"), 1031);
  EXPECT_EQ(LcidFromLocaleName("en_GB"), 1033);
  EXPECT_EQ(LcidFromLocaleName("ja"), 1041);
  EXPECT_EQ(LcidFromLocaleName("ko_KR"), 1042);
  EXPECT_EQ(LcidFromLocaleName("C"), 1033);
  EXPECT_EQ(LcidFromLocaleName("POSIX"), 1033);
  EXPECT_EQ(LcidFromLocaleName(""), 1033);

  test::ScopedEnv env;
  env.Set("LANG", "fr_FR.UTF-8");
  env.Set("LC_MESSAGES", "");
  env.Unset("LC_ALL");
  EXPECT_EQ(UserDefaultUiLanguage(), 1036);
  env.Set("LC_MESSAGES", "ru_RU.UTF-8");
  EXPECT_EQ(UserDefaultUiLanguage(), 1049);
  env.Set("LC_ALL", "zh_CN.UTF-8");
  EXPECT_EQ(UserDefaultUiLanguage(), 2052);
}

}  // namespace
}  // namespace korvex
