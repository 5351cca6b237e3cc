#include <gtest/gtest.h>

#include <array>
#include <string>

#include "TempFolder.h"
#include "catalogue/ModelDescriptor.h"

namespace korvex {
namespace {

using LightFlags = std::array<bool, kLightModeCount>;

std::string Text(int id) { return "T" + std::to_string(id); }

class DescriptorTest : public ::testing::Test {
 protected:
  bool Read(const std::string& body) {
    std::string path = folder_.Write("device/m.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body);
    return ReadModelDescriptor(path, Text, descriptor_);
  }

  test::TempFolder folder_;
  ModelDescriptor descriptor_;
};

constexpr const char* kFull = R"(<mouse>
  <image_file mouse_img="top.png"/>
  <menu light="1"/>
  <firmware url="https://fw.example/k"/>
  <mouse_key>
    <key name="161" key_value="0" direction="0" rect="10#20#30" func_desc="106" func_type="1" func_value="1"/>
    <key name="166" key_value="5" direction="1" rect="200#380#205" func_desc="142" func_type="5" func_value="3"/>
  </mouse_key>
  <mouse_info>
    <dpi_info default_dpi="1" dpi_count="5"/>
    <light_info><light_1 enable="1"/><light_2 enable="0"/><light_6 enable="1"/></light_info>
  </mouse_info>
</mouse>)";

TEST_F(DescriptorTest, ReadsEveryPartOfAWellOrderedFile) {
  ASSERT_TRUE(Read(kFull));
  EXPECT_EQ(descriptor_.mouseImage, "device/top.png");
  EXPECT_TRUE(descriptor_.hasLighting);
  EXPECT_EQ(descriptor_.firmwareUrl, "https://fw.example/k");
  ASSERT_EQ(descriptor_.buttons.size(), 2u);
  const DescriptorButton& left = descriptor_.buttons[0];
  EXPECT_EQ(left.nameId, 161);
  EXPECT_EQ(left.keyValue, 0);
  EXPECT_EQ(left.direction, 0);
  // Label points (10, 30) and (20, 30).
  EXPECT_EQ(left.rectA, 10);
  EXPECT_EQ(left.rectB, 20);
  EXPECT_EQ(left.rectC, 30);
  EXPECT_EQ(descriptor_.buttons[1].funcType, 5);
  EXPECT_EQ(descriptor_.buttons[1].funcValue, 3);

  ASSERT_EQ(descriptor_.defaultAssignments.size(), 2u);
  const KeyAssignmentRecord& dpi = descriptor_.defaultAssignments[1];
  EXPECT_EQ(dpi.key_code, 5);
  EXPECT_EQ(dpi.layout_value, 5);
  EXPECT_EQ(dpi.layout_desc, "T166");
  EXPECT_EQ(dpi.macro_type, 5);
  EXPECT_EQ(dpi.macro_value, 3);
  EXPECT_EQ(dpi.macro_desc, "T142");
  EXPECT_EQ(dpi.key_id + dpi.profile + dpi.fn_layer + dpi.macro_value2 + dpi.macro_value3, 0);

  // light_info may stand after dpi_info; missing light_3..5 stay off.
  EXPECT_EQ(descriptor_.lightEnable, (LightFlags{true, false, false, false, false, true}));
}

TEST_F(DescriptorTest, ElementsBeforeTheLastFoundAreNotSeen) {
  ASSERT_TRUE(Read(R"(<mouse>
    <firmware url="early"/>
    <menu light="1"/>
    <image_file mouse_img="late.png"/>
  </mouse>)"));
  // image_file is searched first and found last in the file, so menu and
  // firmware, standing before it, are never reached.
  EXPECT_EQ(descriptor_.mouseImage, "device/late.png");
  EXPECT_FALSE(descriptor_.hasLighting);
  EXPECT_EQ(descriptor_.firmwareUrl, "");
}

TEST_F(DescriptorTest, LaterLightFlagPlacedEarlierIsSkipped) {
  ASSERT_TRUE(Read(R"(<mouse><mouse_info><light_info>
    <light_1 enable="1"/><light_3 enable="1"/><light_2 enable="1"/><light_4 enable="1"/>
  </light_info></mouse_info></mouse>)"));
  EXPECT_EQ(descriptor_.lightEnable, (LightFlags{true, true, false, true, false, false}));
}

TEST_F(DescriptorTest, LightValueOtherThanOneMeansNoLighting) {
  descriptor_.hasLighting = true;
  ASSERT_TRUE(Read(R"(<mouse><menu light="2"/></mouse>)"));
  EXPECT_FALSE(descriptor_.hasLighting);
  descriptor_.hasLighting = true;
  ASSERT_TRUE(Read(R"(<mouse><menu/></mouse>)"));
  EXPECT_FALSE(descriptor_.hasLighting);
}

TEST_F(DescriptorTest, MissingElementsKeepPreviousDataExceptTheFirmwareLocation) {
  ASSERT_TRUE(Read(kFull));
  ASSERT_TRUE(Read(R"(<mouse><menu light="0"/><mouse_info/></mouse>)"));
  EXPECT_EQ(descriptor_.mouseImage, "device/top.png");
  EXPECT_FALSE(descriptor_.hasLighting);
  EXPECT_EQ(descriptor_.buttons.size(), 2u);
  EXPECT_EQ(descriptor_.lightEnable[0], true);
  // Another model's firmware must never be offered for this one.
  EXPECT_EQ(descriptor_.firmwareUrl, "");
}

TEST_F(DescriptorTest, EmptyButtonContainerClearsTheButtons) {
  ASSERT_TRUE(Read(kFull));
  ASSERT_TRUE(Read(R"(<mouse><mouse_key></mouse_key></mouse>)"));
  EXPECT_TRUE(descriptor_.buttons.empty());
  EXPECT_TRUE(descriptor_.defaultAssignments.empty());
}

TEST_F(DescriptorTest, MissingAttributesReadAsZeroAndEmpty) {
  ASSERT_TRUE(Read(R"(<mouse><image_file/><mouse_key>
    <key key_value="3" rect="10#20"/>
    <key rect="7"/>
    <key rect="#5#x"/>
  </mouse_key></mouse>)"));
  EXPECT_EQ(descriptor_.mouseImage, "device/");
  ASSERT_EQ(descriptor_.buttons.size(), 3u);
  const DescriptorButton& first = descriptor_.buttons[0];
  EXPECT_EQ(first.keyValue, 3);
  EXPECT_EQ(first.nameId, 0);
  EXPECT_EQ(first.rectA, 10);
  EXPECT_EQ(first.rectB, 20);
  EXPECT_EQ(first.rectC, 0);
  EXPECT_EQ(descriptor_.buttons[1].rectA, 7);
  EXPECT_EQ(descriptor_.buttons[1].rectB, 0);
  EXPECT_EQ(descriptor_.buttons[2].rectA, 0);
  EXPECT_EQ(descriptor_.buttons[2].rectB, 5);
  EXPECT_EQ(descriptor_.buttons[2].rectC, 0);
  EXPECT_EQ(descriptor_.defaultAssignments[0].layout_desc, "T0");
}

TEST_F(DescriptorTest, UnreadableFilesLeaveTheDescriptorUntouched) {
  ASSERT_TRUE(Read(kFull));
  ModelDescriptor before = descriptor_;
  EXPECT_FALSE(Read("<mouse><menu light=\"0\"></mouse>"));          // not well formed
  EXPECT_FALSE(Read("<config><menu light=\"0\"/></config>"));       // no mouse
  EXPECT_FALSE(Read("<mouse/><mouse/>"));                           // two roots
  EXPECT_FALSE(ReadModelDescriptor(folder_.Path() + "/none.xml", Text, descriptor_));
  EXPECT_EQ(descriptor_.firmwareUrl, before.firmwareUrl);
  EXPECT_EQ(descriptor_.buttons.size(), before.buttons.size());
  EXPECT_TRUE(descriptor_.hasLighting);
}

TEST(DescriptorDecimalTest, ReadsLeadingDecimalDigits) {
  EXPECT_EQ(DescriptorDecimal(""), 0);
  EXPECT_EQ(DescriptorDecimal("42"), 42);
  EXPECT_EQ(DescriptorDecimal(" -7x"), -7);
  EXPECT_EQ(DescriptorDecimal("abc"), 0);
  EXPECT_EQ(DescriptorDecimal("99999999999999"), 2147483647);
  EXPECT_EQ(DescriptorDecimal("-99999999999999"), -2147483647 - 1);
}

TEST(DescriptorPathTest, JoinsTheDeviceFolder) {
  EXPECT_EQ(DescriptorPath("/opt/k", "korvex_k1"), "/opt/k/device/korvex_k1.xml");
  EXPECT_EQ(DescriptorPath("/opt/k/", "korvex_k1"), "/opt/k/device/korvex_k1.xml");
}

}  // namespace
}  // namespace korvex
