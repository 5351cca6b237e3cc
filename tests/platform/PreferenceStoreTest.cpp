#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "PlatformTestEnv.h"
#include "platform/AppIdentity.h"
#include "platform/PreferenceStore.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Preferences, FirstReadCreatesTheFileAndEverythingReadsZero) {
  test::ScopedEnv env;
  SetCaption("Korvex Mouse");
  const fs::path file = env.Root() / "config" / "Korvex Mouse" / "preferences.ini";
  EXPECT_EQ(PreferenceFilePath("Korvex Mouse"), file.string());
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(ReadPreference("showDPITips"), 0);
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(ReadPreference("exit_mode"), 0);
  EXPECT_EQ(ReadPreferenceText("exit_mode"), "");
  EXPECT_EQ(PreferenceStore(file.string()).EnsureKey(), PreferenceStore::KeyState::Existing);
  SetCaption("");
}

TEST(Preferences, ValuesAreDecimalTextReadLikeTheCLibrary) {
  test::ScopedEnv env;
  PreferenceStore store((env.Root() / "p" / "preferences.ini").string());
  EXPECT_EQ(store.EnsureKey(), PreferenceStore::KeyState::Created);
  ASSERT_TRUE(store.Write("LCID", "2052"));
  ASSERT_TRUE(store.Write("exit_mode", "2"));
  ASSERT_TRUE(store.Write("junk", "abc"));
  ASSERT_TRUE(store.Write("prefix", "  12abc"));
  ASSERT_TRUE(store.Write("negative", "-7"));
  ASSERT_TRUE(store.Write("huge", "99999999999999"));
  ASSERT_TRUE(store.Write("empty", ""));
  EXPECT_EQ(store.ReadInt("LCID"), 2052);
  EXPECT_EQ(store.ReadInt("lcid"), 2052);  // names ignore letter case
  EXPECT_EQ(store.ReadInt("exit_mode"), 2);
  EXPECT_EQ(store.ReadInt("junk"), 0);
  EXPECT_EQ(store.ReadInt("prefix"), 12);
  EXPECT_EQ(store.ReadInt("negative"), -7);
  EXPECT_EQ(store.ReadInt("huge"), 2147483647);
  EXPECT_EQ(store.ReadInt("empty"), 0);
  EXPECT_EQ(store.ReadInt("missing"), 0);
  ASSERT_TRUE(store.Write("lcid", "1033"));  // replaces, no second entry
  EXPECT_EQ(store.ReadInt("LCID"), 1033);
  const std::string text = ReadAll(store.Path());
  EXPECT_EQ(text.find("2052"), std::string::npos) << text;

  EXPECT_FALSE(store.Write("a=b", "1"));
  EXPECT_FALSE(store.Write("", "1"));
  EXPECT_FALSE(store.Write("[x]", "1"));
  EXPECT_FALSE(store.Write("name", "1\nother=2"));
  EXPECT_EQ(store.ReadInt("other"), 0);
}

TEST(Preferences, DamagedFileReadsEmptyAndIsReplacedByTheNextWrite) {
  test::ScopedEnv env;
  const fs::path file = env.Root() / "p" / "preferences.ini";
  fs::create_directories(file.parent_path());
  const std::string damaged[] = {
      std::string("[Preferences]\nLCID=1033\n\0\x01\x02garbage", 33),
      "[Preferences]\nLCID=1033\nthis line has no equals sign\n",
      "[Preferences]\nLCID=1033\n[Other]\nx=1\n",
  };
  for (const std::string& bytes : damaged) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    PreferenceStore store(file.string());
    EXPECT_EQ(store.ReadInt("LCID"), 0);
    EXPECT_EQ(ReadAll(file), bytes);  // reading never rewrites
    ASSERT_TRUE(store.Write("exit_mode", "1"));
    EXPECT_EQ(ReadAll(file), "[Preferences]\nexit_mode=1\n");
    EXPECT_EQ(store.ReadInt("exit_mode"), 1);
  }
  // A hand-edited file without header, with comments and CR LF is fine.
  std::ofstream(file, std::ios::binary | std::ios::trunc) << "; mine\r\nLCID=2052\r\n\r\nexit_mode=1";
  EXPECT_EQ(PreferenceStore(file.string()).ReadInt("LCID"), 2052);
  EXPECT_EQ(PreferenceStore(file.string()).ReadInt("exit_mode"), 1);
}

// Writing the value a key already holds leaves the file alone (no rewrite,
// no flush); a new value, or a damaged file, is written as before.
TEST(Preferences, UnchangedValueIsNotRewritten) {
  test::ScopedEnv env;
  const fs::path file = env.Root() / "p" / "preferences.ini";
  PreferenceStore store(file.string());
  ASSERT_TRUE(store.Write("DeviceType", "112"));
  struct stat before {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  ASSERT_TRUE(store.Write("DeviceType", "112"));
  struct stat same {};
  ASSERT_EQ(::stat(file.c_str(), &same), 0);
  EXPECT_EQ(same.st_ino, before.st_ino);  // an atomic rewrite renames a new file in
  ASSERT_TRUE(store.Write("DeviceType", "101"));
  struct stat changed {};
  ASSERT_EQ(::stat(file.c_str(), &changed), 0);
  EXPECT_NE(changed.st_ino, before.st_ino);
  EXPECT_EQ(store.ReadInt("DeviceType"), 101);
  std::ofstream(file, std::ios::binary | std::ios::app) << "no equals sign\n";
  ASSERT_TRUE(store.Write("DeviceType", "101"));
  EXPECT_EQ(ReadAll(file), "[Preferences]\nDeviceType=101\n");
}

TEST(Preferences, UnusableLocationReadsZeroAndRefusesWrites) {
  test::ScopedEnv env;
  std::ofstream(env.Root() / "blocker") << "a file where a folder should be";
  PreferenceStore store((env.Root() / "blocker" / "preferences.ini").string());
  EXPECT_EQ(store.EnsureKey(), PreferenceStore::KeyState::Unavailable);
  EXPECT_EQ(store.ReadInt("LCID"), 0);
  EXPECT_FALSE(store.Write("LCID", "1033"));
}

TEST(Preferences, ConcurrentWritersLoseNothing) {
  test::ScopedEnv env;
  const std::string path = (env.Root() / "p" / "preferences.ini").string();
  std::vector<pid_t> children;
  for (int proc = 0; proc < 3; ++proc) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      PreferenceStore store(path);
      bool ok = true;
      for (int i = 0; i < 20; ++i) ok = store.Write("p" + std::to_string(proc) + "_" + std::to_string(i), std::to_string(i)) && ok;
      _exit(ok ? 0 : 1);
    }
    children.push_back(pid);
  }
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t) {
    threads.emplace_back([&, t] {
      PreferenceStore store(path);
      for (int i = 0; i < 20; ++i) store.Write("t" + std::to_string(t) + "_" + std::to_string(i), std::to_string(i));
    });
  }
  for (auto& t : threads) t.join();
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  PreferenceStore store(path);
  for (const char* prefix : {"p0_", "p1_", "p2_", "t0_", "t1_"}) {
    for (int i = 0; i < 20; ++i) EXPECT_EQ(store.ReadInt(prefix + std::to_string(i)), i) << prefix << i;
  }
}

TEST(Preferences, KilledWriterNeverLeavesAHalfWrittenFile) {
  test::ScopedEnv env;
  const std::string path = (env.Root() / "p" / "preferences.ini").string();
  const std::string big(4000, '7');
  for (int round = 0; round < 5; ++round) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      PreferenceStore store(path);
      for (int i = 0;; ++i) store.Write("v" + std::to_string(i % 50), big);
    }
    // Let the first write land, then kill at a different moment each round.
    for (int wait = 0; wait < 500 && !fs::exists(path); ++wait) usleep(2000);
    usleep(5000 + round * 7000);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const std::string text = ReadAll(path);
    ASSERT_EQ(text.rfind("[Preferences]\n", 0), 0u) << round;
    std::istringstream lines(text.substr(14));
    std::string line;
    while (std::getline(lines, line)) {
      const size_t eq = line.find('=');
      ASSERT_NE(eq, std::string::npos);
      EXPECT_EQ(line.substr(eq + 1), big) << "round " << round << " entry " << line.substr(0, eq);
    }
    EXPECT_EQ(text.back(), '\n');
    PreferenceStore store(path);
    EXPECT_EQ(store.ReadText("v0"), big);
  }
}

}  // namespace
}  // namespace korvex
