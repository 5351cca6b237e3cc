#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "catalogue/DeviceCatalogue.h"
#include "catalogue/ModelSwitch.h"
#include "lighting/LightRows.h"
#include "profiles/ProfileBootstrap.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

const std::string kData = std::string(KORVEX_SOURCE_DIR) + "/data/";

// The interface thread and the worker may both reach these on first use of
// a profile; the rows and profiles must be created exactly once.
TEST(ConcurrencyTest, BootstrapAndLightRowsFromTwoThreadsCreateOnce) {
  test::TempFolder data;
  SettingsStore store;
  ASSERT_TRUE(store.OpenForModel(data.Path(), "korvex_k3"));
  const LightEnableFlags all{true, true, true, true, true, true};

  std::vector<ProfileState> states(2);
  std::vector<int> inserted(2);
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t) {
    threads.emplace_back([&, t] {
      states[t] = BootstrapProfiles(store, "Profile");
      inserted[t] = EnsureLightRows(store, states[t].current, 112, all);
    });
  }
  for (std::thread& thread : threads) thread.join();

  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store.ListProfiles(profiles), 4);
  EXPECT_EQ(states[0].current, 1);
  EXPECT_EQ(states[1].current, 1);
  EXPECT_EQ(inserted[0] + inserted[1], 6);
  EXPECT_EQ(store.CountLights(1), 6);
}

// Readers on the interface thread see a whole descriptor while the worker
// switches models back and forth.
TEST(ConcurrencyTest, ReadersSeeWholeDescriptorsDuringSwitches) {
  DeviceCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadDeviceList(DeviceCatalogue::ConfigPath(kData), kData));
  test::TempFolder data;
  SettingsStore store;
  ModelSwitch models(store, kData, data.Path(), [](int id) { return std::to_string(id); });
  ASSERT_TRUE(models.SwitchModel(catalogue, 113));

  std::atomic<bool> done{false};
  std::atomic<int> mismatches{0};
  std::thread reader([&] {
    while (!done) {
      ModelDescriptor descriptor = models.Descriptor();
      CurrentModel current = models.Current();
      // K1 has six buttons and no lighting, K5 eight and lighting.
      bool k1 = descriptor.buttons.size() == 6 && !descriptor.hasLighting;
      bool k5 = descriptor.buttons.size() == 8 && descriptor.hasLighting;
      if (!k1 && !k5) ++mismatches;
      if (current.deviceAttr != "korvex_k1" && current.deviceAttr != "korvex_k5") ++mismatches;
    }
  });
  for (int i = 0; i < 20; ++i) models.SwitchModel(catalogue, i % 2 ? 113 : 111);
  done = true;
  reader.join();
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(models.Current().deviceAttr, "korvex_k5");
  EXPECT_EQ(store.Path(), data.Path() + "/db/korvex_k5_data1.db");
}

}  // namespace
}  // namespace korvex
