#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "TempFolder.h"
#include "profiles/ProfileBootstrap.h"
#include "profiles/ProfileNames.h"
#include "profiles/ProfileSwitch.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

class ProfilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store_.OpenForModel(folder_.Path(), "korvex_k3")); }

  std::vector<ProfileRecord> Profiles() {
    std::vector<ProfileRecord> list;
    store_.ListProfiles(list);
    return list;
  }

  test::TempFolder folder_;
  SettingsStore store_;
};

TEST(ProfileNamesTest, DefaultNamesUseTheLanguageWord) {
  EXPECT_EQ(DefaultProfileName("Profil", 3), "Profil 3");
  EXPECT_EQ(DefaultProfileName("配置", 1), "配置 1");
  EXPECT_EQ(DefaultProfileName("", 2), "Profile 2");
}

TEST(ProfileNamesTest, DisplayReplacesKnownDefaultPrefixesOnly) {
  // The rest keeps its own leading space.
  EXPECT_EQ(DisplayProfileName("Profile 1", "Profil"), "Profil  1");
  EXPECT_EQ(DisplayProfileName("配置2", "Profile"), "Profile 2");
  EXPECT_EQ(DisplayProfileName("配置 4", "Profil"), "Profil  4");
  EXPECT_EQ(DisplayProfileName("Profile", "Profil"), "Profil ");
  EXPECT_EQ(DisplayProfileName("Gaming", "Profil"), "Gaming");
  EXPECT_EQ(DisplayProfileName("profile 1", "Profil"), "profile 1");
  EXPECT_EQ(DisplayProfileName("", "Profil"), "");
}

TEST(ProfileNamesTest, DefaultNamesOfEveryShippedLanguageFollowTheCurrentWord) {
  int languages = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(KORVEX_SOURCE_DIR) + "/data/language")) {
    std::ifstream in(entry.path());
    std::string line, word;
    while (std::getline(in, line))
      if (line.rfind("61=", 0) == 0) word = line.substr(3);
    ASSERT_FALSE(word.empty()) << entry.path();
    ++languages;
    // Created in that language, shown in another.
    const std::string shown = DisplayProfileName(DefaultProfileName(word, 3), "X");
    EXPECT_TRUE(shown == "X 3" || shown == "X  3") << entry.path() << ": " << shown;
  }
  EXPECT_EQ(languages, 10);
  // Only exact default names of the other languages: a name of the user's
  // own stays as it is.
  EXPECT_EQ(DisplayProfileName("Profil Gaming", "X"), "Profil Gaming");
  EXPECT_EQ(DisplayProfileName("Perfil 12345", "X"), "Perfil 12345");
  EXPECT_EQ(DisplayProfileName("Профиль", "X"), "Профиль");
  EXPECT_EQ(DisplayProfileName("Profil 2 ", "X"), "Profil 2 ");
}

TEST_F(ProfilesTest, FirstBootstrapCreatesFourProfilesWithDefaultsAndActivatesTheFirst) {
  ProfileState state = BootstrapProfiles(store_, "Profile");
  EXPECT_EQ(state.current, 1);
  EXPECT_EQ(state.label, "Profile 1");

  std::vector<ProfileRecord> list = Profiles();
  ASSERT_EQ(list.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(list[i].profile, i + 1);
    EXPECT_EQ(list[i].name, "Profile " + std::to_string(i + 1));
    EXPECT_EQ(list[i].status, i == 0 ? 1 : 0);
    EXPECT_EQ(DisplayProfileName(list[i].name, "Profile"), "Profile  " + std::to_string(i + 1));
  }
  std::string value;
  EXPECT_TRUE(store_.GetValue(4, "dpi_group5_value", value));
  EXPECT_EQ(value, "26000");
}

TEST_F(ProfilesTest, LaterBootstrapsKeepProfilesAndTheActiveOne) {
  BootstrapProfiles(store_, "Profile");
  ProfileState switched = SwitchProfile(store_, 3, nullptr);
  ASSERT_EQ(switched.current, 3);

  ProfileState again = BootstrapProfiles(store_, "配置");
  EXPECT_EQ(again.current, 3);
  EXPECT_EQ(again.label, "Profile 3");
  EXPECT_EQ(Profiles().size(), 4u);
}

TEST_F(ProfilesTest, BootstrapWithoutActiveProfileActivatesProfileOne) {
  BootstrapProfiles(store_, "Profile");
  store_.ActivateProfile(99);  // clears every status, marks nothing
  ASSERT_EQ(store_.GetActiveProfile(), 0);

  ProfileState state = BootstrapProfiles(store_, "Profile");
  EXPECT_EQ(state.current, 1);
  EXPECT_EQ(store_.GetActiveProfile(), 1);
}

TEST(ProfilesNoDatabaseTest, BootstrapWithoutConnectionGivesNoProfile) {
  SettingsStore closed;
  ProfileState state = BootstrapProfiles(closed, "Profile");
  EXPECT_EQ(state.current, 0);
  EXPECT_TRUE(state.label.empty());
}

TEST_F(ProfilesTest, SwitchActivatesAndQueuesTheProfileWriteEvenForTheCurrentProfile) {
  BootstrapProfiles(store_, "Profile");
  std::vector<int> queued;
  auto queue = [&](int code) { queued.push_back(code); };

  ProfileState state = SwitchProfile(store_, 1, queue);
  EXPECT_EQ(state.current, 1);
  EXPECT_EQ(state.label, "Profile 1");
  state = SwitchProfile(store_, 2, queue);
  EXPECT_EQ(state.current, 2);
  EXPECT_EQ(store_.GetActiveProfile(), 2);
  EXPECT_EQ(queued, (std::vector<int>{5, 5}));

  int active = 0;
  for (const ProfileRecord& p : Profiles()) active += p.status;
  EXPECT_EQ(active, 1);
}

TEST_F(ProfilesTest, SwitchRefusesIdsBelowOne) {
  BootstrapProfiles(store_, "Profile");
  std::vector<int> queued;
  ProfileState state = SwitchProfile(store_, 0, [&](int code) { queued.push_back(code); });
  EXPECT_EQ(state.current, 0);
  EXPECT_TRUE(queued.empty());
  EXPECT_EQ(store_.GetActiveProfile(), 1);
}

TEST_F(ProfilesTest, RenameStoresTextAsTypedAndIgnoresEmptyText) {
  BootstrapProfiles(store_, "Profile");
  EXPECT_TRUE(RenameProfileText(store_, 3, "  Sniper 3 "));
  EXPECT_FALSE(RenameProfileText(store_, 2, ""));

  std::string name;
  store_.GetProfileName(3, name);
  EXPECT_EQ(name, "  Sniper 3 ");
  EXPECT_EQ(DisplayProfileName(name, "Profil"), "  Sniper 3 ");
  store_.GetProfileName(2, name);
  EXPECT_EQ(name, "Profile 2");
  // Renaming does not switch.
  EXPECT_EQ(store_.GetActiveProfile(), 1);
}

}  // namespace
}  // namespace korvex
