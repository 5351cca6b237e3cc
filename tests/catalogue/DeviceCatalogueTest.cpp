#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "catalogue/DeviceCatalogue.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("korvex-catalogue-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& text) {
    const fs::path path = dir_ / ("config" + std::to_string(count_++) + ".xml");
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  fs::path dir_;
  int count_ = 0;
};

const std::string kImages = "/app/skins/default/device/";

TEST_F(CatalogueTest, ShippedConfigurationReads) {
  const std::string path = DeviceCatalogue::ConfigPath(std::string(KORVEX_SOURCE_DIR) + "/data/");
  DeviceCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadApplicationConfig(path));
  EXPECT_EQ(catalogue.Caption(), "Korvex Mouse");
  EXPECT_EQ(catalogue.AvailableLanguages(), (std::set<int>{2052, 1033, 1066, 1049, 1031, 1036, 1034, 1040, 2070, 1041}));
  EXPECT_EQ(catalogue.DefaultLanguage(), 1033);

  ASSERT_TRUE(catalogue.LoadDeviceList(path, DeviceCatalogue::DeviceImageFolder("/app/", "default")));
  ASSERT_EQ(catalogue.Models().size(), 4u);
  ASSERT_EQ(catalogue.Modes().size(), 6u);
  ASSERT_EQ(catalogue.SupportedDevices().size(), 6u);
  ASSERT_EQ(catalogue.DeviceListItems().size(), 4u);
  EXPECT_EQ(catalogue.DeviceListItems()[1].imagePath, kImages + "korvex_k3.png");
  const DeviceModelEntry& receiver = catalogue.Modes()[2];
  EXPECT_EQ(receiver.name, "Korvex K3 Wireless");
  EXPECT_EQ(receiver.deviceType, 112);
  EXPECT_EQ(receiver.deviceAttr, "korvex_k3");
  EXPECT_EQ(receiver.mode, 1);
  EXPECT_EQ(receiver.vid, 0x1209u);
  EXPECT_EQ(receiver.pid, 0x0003u);
  EXPECT_EQ(receiver.devId, "K3WL");
  EXPECT_EQ(receiver.desc, "2.4G receiver");
  EXPECT_EQ(receiver.hidInterface, "MI_02");
  const SupportedDeviceRecord& k5 = catalogue.SupportedDevices()[4];
  EXPECT_EQ(k5.vendorId, 0x1209u);
  EXPECT_EQ(k5.productId, 0x0003u);
  EXPECT_EQ(k5.deviceType, 113);
  EXPECT_EQ(k5.mode, 1);
  EXPECT_EQ(k5.deviceId, "K5PR");
  EXPECT_EQ(catalogue.Software().version, "1.0.0");
  EXPECT_EQ(catalogue.Software().qa, "https://support.korvex.example/faq");
  EXPECT_EQ(catalogue.Software().notice.rfind("Copyright", 0), 0u);
  ASSERT_NE(catalogue.FindModel(101), nullptr);
  EXPECT_EQ(catalogue.FindModel(101)->deviceAttr, "korvex_classic");
  EXPECT_EQ(catalogue.FindModel(4242), nullptr);
}

TEST_F(CatalogueTest, SoftwareBeforeDeviceIsNotSeenByTheDeviceListRead) {
  const std::string path = Write(
      "<config><language.info default_lan='2052'><lan value='2052'/></language.info>"
      "<software caption='Early' version='2.0'><website url='w'/></software>"
      "<device><mouse name='M' device_type='7' device_attr='m' image='m.png'/></device></config>");
  DeviceCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadApplicationConfig(path));
  EXPECT_EQ(catalogue.Caption(), "Early");  // software follows language.info
  ASSERT_TRUE(catalogue.LoadDeviceList(path, kImages));
  EXPECT_EQ(catalogue.Models().size(), 1u);
  EXPECT_EQ(catalogue.Software().version, "");
  EXPECT_EQ(catalogue.Software().website, "");
}

TEST_F(CatalogueTest, SoftwareBeforeLanguagesIsNotSeenByTheStartUpRead) {
  const std::string path = Write(
      "<config><software caption='Hidden'/><language.info default_lan='1033'><lan value='1033'/></language.info>"
      "</config>");
  DeviceCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadApplicationConfig(path));
  EXPECT_EQ(catalogue.Caption(), "");
  EXPECT_EQ(catalogue.AvailableLanguages(), std::set<int>{1033});
}

TEST_F(CatalogueTest, ModesCopyTheirModelAndNumbersParseLeniently) {
  const std::string path = Write(
      "<config><device>"
      "<mouse name='Tri' device_type=' 42abc' device_attr='tri' image='tri.png'>"
      "<mode value='0' vid='046D' pid='0xC07e' dev_id='TRI1'/>"
      "<mode value='1' vid='0x046D' pid='12zz' dev_id='TRI1'/>"
      "<mode value='' vid='' pid='zz'/>"
      "</mouse>"
      "<mouse/>"
      "</device></config>");
  DeviceCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadDeviceList(path, kImages));
  ASSERT_EQ(catalogue.Models().size(), 2u);
  ASSERT_EQ(catalogue.Modes().size(), 3u);
  ASSERT_EQ(catalogue.SupportedDevices().size(), 3u);
  const DeviceModelEntry& model = catalogue.Models()[0];
  EXPECT_EQ(model.deviceType, 42);
  EXPECT_EQ(model.mode, 0);
  EXPECT_EQ(model.vid, 0u);
  EXPECT_EQ(model.devId, "");
  EXPECT_EQ(catalogue.Modes()[0].vid, 0x046Du);
  EXPECT_EQ(catalogue.Modes()[1].vid, 0x046Du);
  EXPECT_EQ(catalogue.Modes()[0].pid, 0xC07Eu);
  EXPECT_EQ(catalogue.Modes()[1].pid, 0x12u);
  EXPECT_EQ(catalogue.Modes()[2].pid, 0u);
  EXPECT_EQ(catalogue.Modes()[2].vid, 0u);
  for (const DeviceModelEntry& mode : catalogue.Modes()) {
    EXPECT_EQ(mode.name, "Tri");
    EXPECT_EQ(mode.deviceType, 42);
    EXPECT_EQ(mode.image, kImages + "tri.png");
  }
  EXPECT_EQ(catalogue.Modes()[1].mode, 1);
  EXPECT_EQ(catalogue.SupportedDevices()[1].deviceType, 42);
  const DeviceModelEntry& empty = catalogue.Models()[1];
  EXPECT_EQ(empty.deviceType, 0);
  EXPECT_EQ(empty.image, kImages);
  EXPECT_EQ(ConfigHexadecimal("FFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(ConfigDecimal("-3"), -3);
}

TEST_F(CatalogueTest, UnreadableFilesEmptyTheListsAndMissingElementsKeepOldData) {
  DeviceCatalogue catalogue;
  const std::string full = DeviceCatalogue::ConfigPath(std::string(KORVEX_SOURCE_DIR) + "/data/");
  ASSERT_TRUE(catalogue.LoadApplicationConfig(full));
  ASSERT_TRUE(catalogue.LoadDeviceList(full, kImages));

  const std::string broken = Write("<config><device><mouse name='x'></device></config>");
  EXPECT_FALSE(catalogue.LoadDeviceList(broken, kImages));
  EXPECT_TRUE(catalogue.Models().empty());
  EXPECT_TRUE(catalogue.Modes().empty());
  EXPECT_TRUE(catalogue.SupportedDevices().empty());
  EXPECT_FALSE(catalogue.LoadApplicationConfig((dir_ / "absent.xml").string()));
  EXPECT_TRUE(catalogue.AvailableLanguages().empty());
  EXPECT_EQ(catalogue.Caption(), "Korvex Mouse");

  // A file without software leaves version and links as they were.
  ASSERT_TRUE(catalogue.LoadDeviceList(Write("<config><device/></config>"), kImages));
  EXPECT_EQ(catalogue.Software().version, "1.0.0");
  EXPECT_EQ(catalogue.Software().website, "https://www.korvex.example/");
  catalogue.ClearModes();
  EXPECT_TRUE(catalogue.Modes().empty());
}

}  // namespace
}  // namespace korvex
