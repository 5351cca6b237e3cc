#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "TempFolder.h"
#include "catalogue/ColourText.h"
#include "catalogue/DeviceCatalogue.h"
#include "catalogue/ModelSwitch.h"
#include "profiles/ProfileBootstrap.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(KORVEX_SOURCE_DIR) + "/data/";

struct SensorRange {
  int minimum;
  int maximum;
  int step;
};

// The sensor each model carries and the DPI range it allows.
const std::map<std::string, SensorRange> kSensors = {
    {"korvex_k1", {200, 10000, 200}},
    {"korvex_k3", {100, 16000, 100}},
    {"korvex_k5", {100, 24000, 100}},
    {"korvex_classic", {50, 26000, 50}},
};

const std::map<std::string, bool> kLighting = {
    {"korvex_k1", false}, {"korvex_k3", true}, {"korvex_k5", true}, {"korvex_classic", true}};

// "N=text" lines of a language file.
std::map<int, std::string> LanguageTexts(const std::string& path) {
  std::map<int, std::string> texts;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) {
    size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0 || !isdigit(static_cast<unsigned char>(line[0]))) continue;
    std::string text = line.substr(eq + 1);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    texts[std::stoi(line.substr(0, eq))] = text;
  }
  return texts;
}

class ShippedDescriptorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(catalogue_.LoadDeviceList(DeviceCatalogue::ConfigPath(kData), kData));
    ASSERT_FALSE(catalogue_.Models().empty());
  }

  DeviceCatalogue catalogue_;
};

TEST_F(ShippedDescriptorsTest, EveryModelHasADescriptorAndEveryDescriptorAModel) {
  std::set<std::string> attrs;
  for (const DeviceModelEntry& model : catalogue_.Models()) attrs.insert(model.deviceAttr);
  EXPECT_EQ(attrs, (std::set<std::string>{"korvex_k1", "korvex_k3", "korvex_k5", "korvex_classic"}));

  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(kData + "device")) {
    if (entry.path().extension() == ".xml") files.insert(entry.path().stem().string());
  }
  EXPECT_EQ(files, attrs);
}

TEST_F(ShippedDescriptorsTest, DescriptorsReadWithSoundButtonsAndLighting) {
  const std::map<int, std::string> english = LanguageTexts(kData + "language/1033.lan");
  const std::map<int, std::string> chinese = LanguageTexts(kData + "language/2052.lan");
  for (const DeviceModelEntry& model : catalogue_.Models()) {
    SCOPED_TRACE(model.deviceAttr);
    ModelDescriptor descriptor;
    ASSERT_TRUE(ReadModelDescriptor(DescriptorPath(kData, model.deviceAttr), nullptr, descriptor));
    EXPECT_EQ(descriptor.hasLighting, kLighting.at(model.deviceAttr));
    EXPECT_FALSE(descriptor.firmwareUrl.empty());
    EXPECT_FALSE(descriptor.mouseImage.empty());
    // The lighting modes offered agree with the lighting flag.
    for (bool enabled : descriptor.lightEnable) EXPECT_EQ(enabled, descriptor.hasLighting);

    ASSERT_GE(descriptor.buttons.size(), 6u);
    std::set<int> slots;
    for (const DescriptorButton& button : descriptor.buttons) {
      EXPECT_TRUE(slots.insert(button.keyValue).second) << "slot " << button.keyValue << " twice";
      EXPECT_GE(button.keyValue, 0);
      EXPECT_LE(button.keyValue, 8);
      // The callout stays inside the picture and its label sits on a known side.
      EXPECT_LT(button.rectA, button.rectB);
      EXPECT_GE(button.rectA, 0);
      EXPECT_LE(button.rectB, 400);
      EXPECT_GT(button.rectC, 0);
      EXPECT_LE(button.rectC, 500);
      EXPECT_TRUE(button.direction == 0 || button.direction == 1);
      for (int id : {button.nameId, button.funcDescId}) {
        EXPECT_FALSE(english.count(id) == 0 || english.at(id).empty()) << "English text " << id;
        EXPECT_FALSE(chinese.count(id) == 0 || chinese.at(id).empty()) << "Chinese text " << id;
      }
    }
    // Slots 0..5 carry the mouse's own defaults: left, right, middle, back,
    // forward and the DPI cycle.
    const std::map<int, std::pair<int, int>> expected = {
        {0, {1, 1}}, {1, {1, 3}}, {2, {1, 2}}, {3, {1, 6}}, {4, {1, 5}}, {5, {5, 3}}};
    for (const DescriptorButton& button : descriptor.buttons) {
      auto it = expected.find(button.keyValue);
      if (it == expected.end()) continue;
      EXPECT_EQ(button.funcType, it->second.first) << "slot " << button.keyValue;
      EXPECT_EQ(button.funcValue, it->second.second) << "slot " << button.keyValue;
    }
    for (int slot = 0; slot <= 5; ++slot) EXPECT_EQ(slots.count(slot), 1u) << "slot " << slot;
  }
}

TEST_F(ShippedDescriptorsTest, DefaultsFitEachModelsSensor) {
  test::TempFolder data;
  SettingsStore store;
  ModelSwitch models(store, kData, data.Path(), nullptr);
  for (const DeviceModelEntry& model : catalogue_.Models()) {
    SCOPED_TRACE(model.deviceAttr);
    ASSERT_TRUE(models.SwitchModel(catalogue_, model.deviceType));
    ProfileState state = BootstrapProfiles(store, "Profile");
    ASSERT_EQ(state.current, 1);
    DescriptorDefaultsResult result = models.ApplyDescriptorDefaults(catalogue_, model.deviceType, 1, false);
    ASSERT_TRUE(result.applied);
    // A report-rate code the page offers.
    EXPECT_TRUE(std::set<int>({1, 2, 4, 8, 16, 32, 64}).count(result.reportRate));

    auto number = [&](const std::string& key) {
      std::string value;
      EXPECT_TRUE(store.GetValue(1, key, value)) << key;
      return std::stoi(value);
    };
    const int count = number("dpi_count");
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 6);
    EXPECT_EQ(number("dpi_flag"), count);
    EXPECT_LT(number("dpi_index"), count);
    const SensorRange& range = kSensors.at(model.deviceAttr);
    int previous = 0;
    for (int stage = 0; stage < 6; ++stage) {
      const int dpi = number("dpi_group" + std::to_string(stage) + "_value");
      EXPECT_GE(dpi, range.minimum) << "stage " << stage;
      EXPECT_LE(dpi, range.maximum) << "stage " << stage;
      EXPECT_EQ(dpi % range.step, 0) << "stage " << stage;
      EXPECT_GT(dpi, previous) << "stage " << stage;
      previous = dpi;
      EXPECT_NE(number("dpi_group" + std::to_string(stage) + "_rgb"), 0) << "stage " << stage;
    }
    EXPECT_TRUE(std::set<int>({6, 12, 30, 60, 120, 180}).count(number("sleep_light")));
    EXPECT_TRUE(number("move_wakeup") == 0 || number("move_wakeup") == 1);
    EXPECT_TRUE(number("move_closelight") == 0 || number("move_closelight") == 1);
  }
}

}  // namespace
}  // namespace korvex
