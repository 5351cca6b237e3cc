// The interface and worker threads share the store; a model switch or a
// restore of defaults on one must never pull the connection from under the
// other's statement. Run under TSan and ASan as well.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "StoreTestSupport.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

using namespace std::chrono_literals;
using test::Inspector;
using test::TempDataFolder;

TEST(StoreThreads, InstanceIsOneObjectForEveryThread) {
  SettingsStore* seen = nullptr;
  std::thread other([&] { seen = &SettingsStore::Instance(); });
  other.join();
  EXPECT_EQ(seen, &SettingsStore::Instance());
}

TEST(StoreThreads, HeldLockKeepsOtherThreadsOut) {
  TempDataFolder folder;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  std::atomic<bool> finished{false};
  std::thread other;
  {
    auto lock = store.HoldLock();
    other = std::thread([&] {
      store.GetActiveProfile();
      finished = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(finished.load());
    // Re-entrant for the holder.
    EXPECT_EQ(store.GetActiveProfile(), 0);
  }
  other.join();
  EXPECT_TRUE(finished.load());
}

TEST(StoreThreads, SwitchAndRestoreWhileTheOtherThreadWrites) {
  TempDataFolder folder;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(folder.Path(), "K1WD"));
  ASSERT_EQ(store.CreateProfile(ProfileRecord{}), 1);

  const auto deadline = std::chrono::steady_clock::now() + 2s;
  std::atomic<int> workerSuccesses{0};
  std::atomic<int> switches{0};
  std::thread worker([&] {
    std::string value;
    std::vector<MacroEventRecord> events;
    std::vector<KeyAssignmentRecord> keys;
    KeyAssignmentRecord key;
    key.profile = 1;
    key.key_code = 2;
    for (int i = 0; std::chrono::steady_clock::now() < deadline; ++i) {
      workerSuccesses += store.SetValue(1, "dpi_group0_value", std::to_string(i));
      workerSuccesses += store.GetValue(1, "dpi_group0_value", value);
      key.macro_value = i % 3;
      store.SetKeyAssignment(key);
      store.ListKeyAssignments(1, 0, keys);
      store.ListMacroEvents(1, events);
      store.DeleteKeyAssignments(1);
    }
  });
  std::thread window([&] {
    std::vector<MacroEventRecord> events(30);
    for (auto& event : events) event.macro_id = 1;
    for (int i = 0; std::chrono::steady_clock::now() < deadline; ++i) {
      switch (i % 4) {
        case 0: store.SwitchModel(folder.Path(), "K3WL"); break;
        case 1: store.SwitchModel(folder.Path(), "K1WD"); break;
        case 2: store.RestoreDefaults(folder.Path(), "K1WD"); break;
        case 3:
          if (store.GetActiveProfile() == 0 && store.CreateProfile(ProfileRecord{}) > 0) {
            store.ActivateProfile(1);
          }
          store.InsertMacroEvents(events);
          break;
      }
      ++switches;
    }
  });
  worker.join();
  window.join();

  EXPECT_GT(switches.load(), 4);
  EXPECT_GT(workerSuccesses.load(), 0);
  EXPECT_TRUE(store.IsOpen());
  store.CloseIfOpen();
  for (const char* model : {"K1WD", "K3WL"}) {
    EXPECT_EQ(Inspector(folder.FileOf(model)).Text("PRAGMA integrity_check"), "ok") << model;
  }
}

}  // namespace
}  // namespace korvex
