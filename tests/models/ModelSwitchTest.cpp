#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "catalogue/DeviceCatalogue.h"
#include "catalogue/ModelSwitch.h"
#include "lighting/LightRows.h"
#include "profiles/ProfileBootstrap.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

constexpr const char* kConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <device>
    <mouse name="Lit" device_type="7001" device_attr="lit" image="lit.png">
      <mode value="0" desc="Wired" vid="1209" pid="00A1" dev_id="" hid_interface="MI_02"/>
    </mouse>
    <mouse name="Dark" device_type="7002" device_attr="dark" image="dark.png"/>
    <mouse name="Bare" device_type="7003" device_attr="bare" image="bare.png"/>
    <mouse name="Lit again" device_type="7001" device_attr="other" image="x.png"/>
  </device>
</config>)";

constexpr const char* kLit = R"(<?xml version="1.0" encoding="UTF-8"?>
<mouse>
  <image_file mouse_img="lit_top.png"/>
  <menu light="1"/>
  <firmware url="https://fw.example/lit"/>
  <mouse_key>
    <key name="161" key_value="0" direction="0" rect="10#20#30" func_desc="106" func_type="1" func_value="1"/>
    <key name="162" key_value="1" direction="1" rect="40#50#60" func_desc="107" func_type="1" func_value="3"/>
  </mouse_key>
  <mouse_info>
    <light_info>
      <light_1 enable="1"/><light_2 enable="1"/><light_3 enable="1"/>
      <light_4 enable="1"/><light_5 enable="1"/><light_6 enable="1"/>
    </light_info>
    <dpi_info default_dpi="2" dpi_count="4">
      <dpi_1 value="400" color="#FF0000"/>
      <dpi_3 value="1200" color="#00FF00"/>
      <dpi_2 value="900" color="#F00"/>
      <dpi_4 color="#0000FF"/>
      <dpi_6 value="12000" color=""/>
    </dpi_info>
    <report_rate default_value="4"/>
    <sleep_light value="30"/>
    <move_wakeup value="0"/>
    <move_closelight/>
  </mouse_info>
</mouse>)";

constexpr const char* kDark = R"(<?xml version="1.0" encoding="UTF-8"?>
<mouse>
  <menu light="0"/>
  <mouse_key><key name="161" key_value="0"/></mouse_key>
  <mouse_info>
    <light_info>
      <light_1 enable="0"/><light_2 enable="0"/><light_3 enable="0"/>
      <light_4 enable="0"/><light_5 enable="0"/><light_6 enable="0"/>
    </light_info>
  </mouse_info>
</mouse>)";

class ModelSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_.Write("config.xml", kConfig);
    app_.Write("device/lit.xml", kLit);
    app_.Write("device/dark.xml", kDark);
    ASSERT_TRUE(catalogue_.LoadDeviceList(DeviceCatalogue::ConfigPath(app_.Path() + "/"), app_.Path() + "/"));
  }

  std::string Value(ProfileId profile, const std::string& key) {
    std::string value;
    store_.GetValue(profile, key, value);
    return value;
  }

  test::TempFolder app_;
  test::TempFolder data_;
  SettingsStore store_;
  DeviceCatalogue catalogue_;
  ModelSwitch switch_{store_, app_.Path(), data_.Path(), [](int id) { return "T" + std::to_string(id); }};
};

TEST_F(ModelSwitchTest, SwitchOpensTheFirstMatchingModelAndAppliesItsDescriptor) {
  EXPECT_TRUE(switch_.SwitchModel(catalogue_, 7001));
  EXPECT_TRUE(switch_.DatabaseOpen());
  EXPECT_EQ(store_.Path(), data_.Path() + "/db/lit_data1.db");
  CurrentModel model = switch_.Current();
  EXPECT_EQ(model.deviceType, 7001);
  EXPECT_EQ(model.name, "Lit");
  EXPECT_EQ(model.deviceAttr, "lit");

  ModelDescriptor descriptor = switch_.Descriptor();
  EXPECT_EQ(descriptor.mouseImage, "device/lit_top.png");
  EXPECT_TRUE(switch_.HasLighting());
  EXPECT_EQ(switch_.FirmwareUrl(), "https://fw.example/lit");
  ASSERT_EQ(descriptor.defaultAssignments.size(), 2u);
  EXPECT_EQ(descriptor.defaultAssignments[1].layout_desc, "T162");
  EXPECT_EQ(descriptor.defaultAssignments[1].macro_desc, "T107");
  EXPECT_EQ(switch_.LightEnable(), (LightEnableFlags{true, true, true, true, true, true}));
}

TEST_F(ModelSwitchTest, UnknownTypeOpensTheNamelessDatabaseAndKeepsDescriptorData) {
  ASSERT_TRUE(switch_.SwitchModel(catalogue_, 7001));
  EXPECT_FALSE(switch_.SwitchModel(catalogue_, 4242));
  EXPECT_TRUE(switch_.DatabaseOpen());
  EXPECT_EQ(store_.Path(), data_.Path() + "/db/_data1.db");
  EXPECT_EQ(switch_.Current().name, "");
  EXPECT_EQ(switch_.Current().deviceAttr, "");
  EXPECT_EQ(switch_.Descriptor().buttons.size(), 2u);
  EXPECT_TRUE(switch_.HasLighting());
  EXPECT_EQ(switch_.FirmwareUrl(), "");
}

TEST_F(ModelSwitchTest, ModelWithoutDescriptorStillGetsItsDatabase) {
  EXPECT_FALSE(switch_.SwitchModel(catalogue_, 7003));
  EXPECT_EQ(store_.Path(), data_.Path() + "/db/bare_data1.db");
  ProfileState state = BootstrapProfiles(store_, "Profile");
  EXPECT_EQ(state.current, 1);
  EXPECT_EQ(Value(1, "dpi_count"), "5");
}

TEST_F(ModelSwitchTest, ProfilesAreBootstrappedOncePerModelAndLightRowsFollowTheDescriptor) {
  ASSERT_TRUE(switch_.SwitchModel(catalogue_, 7001));
  ProfileState lit = BootstrapProfiles(store_, "Profile");
  EXPECT_EQ(EnsureLightRows(store_, lit.current, 7001, switch_.LightEnable()), 6);
  ASSERT_EQ(store_.RenameProfile(2, "Mine"), true);

  ASSERT_TRUE(switch_.SwitchModel(catalogue_, 7002));
  EXPECT_FALSE(switch_.HasLighting());
  ProfileState dark = BootstrapProfiles(store_, "Profil");
  EXPECT_EQ(dark.label, "Profil 1");
  EXPECT_EQ(EnsureLightRows(store_, dark.current, 7002, switch_.LightEnable()), 0);

  ASSERT_TRUE(switch_.SwitchModel(catalogue_, 7001));
  BootstrapProfiles(store_, "Profile");
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store_.ListProfiles(profiles), 4);
  EXPECT_EQ(profiles[1].name, "Mine");
  EXPECT_EQ(EnsureLightRows(store_, lit.current, 7001, switch_.LightEnable()), 0);
  EXPECT_EQ(store_.CountLights(lit.current), 6);
}

TEST_F(ModelSwitchTest, FullDefaultsFollowTheForwardSearchAndTheColourRule) {
  ASSERT_TRUE(switch_.SwitchModel(catalogue_, 7001));
  BootstrapProfiles(store_, "Profile");
  DescriptorDefaultsResult result = switch_.ApplyDescriptorDefaults(catalogue_, 7001, 2, false);
  EXPECT_TRUE(result.applied);
  EXPECT_EQ(result.reportRate, 4);

  EXPECT_EQ(Value(2, "dpi_index"), "2");
  EXPECT_EQ(Value(2, "dpi_flag"), "4");
  EXPECT_EQ(Value(2, "dpi_count"), "4");
  EXPECT_EQ(Value(2, "dpi_group0_value"), "400");
  EXPECT_EQ(Value(2, "dpi_group0_rgb"), "255");
  // dpi_2 is found after dpi_3, so dpi_3, standing before it, is skipped.
  EXPECT_EQ(Value(2, "dpi_group1_value"), "900");
  EXPECT_EQ(Value(2, "dpi_group1_rgb"), "240");
  EXPECT_EQ(Value(2, "dpi_group2_value"), "2400");
  EXPECT_EQ(Value(2, "dpi_group2_rgb"), "65280");
  // Missing or empty attributes leave the stored value.
  EXPECT_EQ(Value(2, "dpi_group3_value"), "3200");
  EXPECT_EQ(Value(2, "dpi_group3_rgb"), "16711680");
  EXPECT_EQ(Value(2, "dpi_group5_value"), "12000");
  EXPECT_EQ(Value(2, "dpi_group5_rgb"), "16776960");
  EXPECT_EQ(Value(2, "report_rate"), "4");
  EXPECT_EQ(Value(2, "report_rate_wireless"), "1");
  EXPECT_EQ(Value(2, "sleep_light"), "30");
  EXPECT_EQ(Value(2, "move_wakeup"), "0");
  EXPECT_EQ(Value(2, "move_closelight"), "1");
  // Only the profile asked for changes.
  EXPECT_EQ(Value(1, "dpi_group0_value"), "800");
  EXPECT_EQ(Value(1, "report_rate"), "2");
}

TEST_F(ModelSwitchTest, DpiOnlyDefaultsLeaveRateAndPower) {
  ASSERT_TRUE(switch_.SwitchModel(catalogue_, 7001));
  BootstrapProfiles(store_, "Profile");
  DescriptorDefaultsResult result = switch_.ApplyDescriptorDefaults(catalogue_, 7001, 1, true);
  EXPECT_TRUE(result.applied);
  EXPECT_EQ(result.reportRate, -1);
  EXPECT_EQ(Value(1, "dpi_group0_value"), "400");
  EXPECT_EQ(Value(1, "dpi_count"), "4");
  EXPECT_EQ(Value(1, "report_rate"), "2");
  EXPECT_EQ(Value(1, "sleep_light"), "1");
}

TEST_F(ModelSwitchTest, DefaultsOfAModelWithoutDescriptorOrInfoChangeNothing) {
  ASSERT_TRUE(switch_.SwitchModel(catalogue_, 7001));
  BootstrapProfiles(store_, "Profile");
  EXPECT_FALSE(switch_.ApplyDescriptorDefaults(catalogue_, 7003, 1, false).applied);
  EXPECT_FALSE(switch_.ApplyDescriptorDefaults(catalogue_, 9999, 1, false).applied);
  DescriptorDefaultsResult dark = switch_.ApplyDescriptorDefaults(catalogue_, 7002, 1, false);
  EXPECT_TRUE(dark.applied);
  EXPECT_EQ(dark.reportRate, -1);
  EXPECT_EQ(Value(1, "dpi_group0_value"), "800");
  EXPECT_EQ(Value(1, "dpi_index"), "1");
}

}  // namespace
}  // namespace korvex
