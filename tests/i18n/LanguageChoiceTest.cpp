#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "I18nTestEnv.h"
#include "i18n/LanguageChoice.h"
#include "i18n/Texts.h"
#include "platform/PreferenceStore.h"

namespace korvex {
namespace {

const std::set<int> kShipped{1033, 2052};

TEST(LanguageChoice, Decisions) {
  // First start: the system language when available, else English; stored.
  EXPECT_EQ(DecideStartupLanguage(0, 1031, {1031, 1033}).language, 1031);
  EXPECT_TRUE(DecideStartupLanguage(0, 1031, {1031, 1033}).store);
  EXPECT_EQ(DecideStartupLanguage(0, 2057, kShipped).language, 1033);
  EXPECT_TRUE(DecideStartupLanguage(0, 2057, kShipped).store);
  // A stored choice that is available is kept as it is.
  EXPECT_EQ(DecideStartupLanguage(2052, 1033, kShipped).language, 2052);
  EXPECT_FALSE(DecideStartupLanguage(2052, 1033, kShipped).store);
  // A stored choice config.xml no longer lists falls back to English.
  EXPECT_EQ(DecideStartupLanguage(1041, 2052, kShipped).language, 1033);
  EXPECT_TRUE(DecideStartupLanguage(1041, 2052, kShipped).store);
  EXPECT_EQ(DecideStartupLanguage(0, 2052, {}).language, 1033);
}

TEST(LanguageChoice, StartUpReadsDecidesAndStores) {
  test::I18nEnv env;
  setenv("LANG", "de_DE.UTF-8", 1);
  EXPECT_EQ(ChooseStartupLanguage({1031, 1033}), 1031);
  EXPECT_EQ(CurrentLanguage(), 1031);
  PreferenceStore store(env.PreferenceFile().string());
  EXPECT_EQ(store.ReadInt("LCID"), 1031);

  // Next start: the stored language wins over the system one.
  setenv("LANG", "zh_CN.UTF-8", 1);
  EXPECT_EQ(ChooseStartupLanguage({1031, 1033, 2052}), 1031);

  // config.xml dropped German: English, and that is stored.
  EXPECT_EQ(ChooseStartupLanguage(kShipped), 1033);
  EXPECT_EQ(store.ReadInt("LCID"), 1033);
}

TEST(LanguageChoice, FirstStartOnAnUnavailableSystemLanguage) {
  test::I18nEnv env;
  setenv("LANG", "ko_KR.UTF-8", 1);
  EXPECT_EQ(ChooseStartupLanguage(kShipped), 1033);
  EXPECT_EQ(PreferenceStore(env.PreferenceFile().string()).ReadInt("LCID"), 1033);
}

TEST(LanguageChoice, UnreadablePreferencesCountAsChinese) {
  test::I18nEnv env;
  std::filesystem::create_directories(env.Root() / "config");
  std::ofstream(env.Root() / "config" / "Korvex Test") << "a file where the folder belongs";
  setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(ChooseStartupLanguage(kShipped), 2052);
  EXPECT_EQ(ChooseStartupLanguage({1033}), 1033);
}

TEST(LanguageChoice, SetLanguageStoresTheChoice) {
  test::I18nEnv env;
  EXPECT_TRUE(SetLanguage(1033));
  EXPECT_EQ(CurrentLanguage(), 1033);
  EXPECT_EQ(ReadPreference("LCID"), 1033);
}

TEST(LanguageChoice, OfferedInTheFixedOrderOnlyWhenAvailable) {
  std::vector<OfferedLanguage> offered{{1, "stale"}};
  EXPECT_EQ(OfferedLanguages({1041, 1033, 9999, 2052}, offered), 3u);
  ASSERT_EQ(offered.size(), 3u);
  EXPECT_EQ(offered[0].lcid, 2052);
  EXPECT_EQ(offered[0].name, "简体中文");
  EXPECT_EQ(offered[1].name, "English");
  EXPECT_EQ(offered[2].lcid, 1041);
  EXPECT_EQ(OfferedLanguages({}, offered), 0u);
  EXPECT_TRUE(offered.empty());
}

}  // namespace
}  // namespace korvex
