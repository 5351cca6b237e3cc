#include <gtest/gtest.h>

#include <string>

#include "transport/DeviceText.h"
#include "transport/UdevIds.h"
#include "transport/WideText.h"

namespace korvex {
namespace {

TEST(UdevIds, HidIdGivesVendorAndProduct) {
  std::uint16_t vid = 0;
  std::uint16_t pid = 0;
  ASSERT_TRUE(ParseHidId("0003:00001209:00000003", vid, pid));
  EXPECT_EQ(vid, 0x1209);
  EXPECT_EQ(pid, 0x0003);
  ASSERT_TRUE(ParseHidId("0003:0000ABCD:0000fe01", vid, pid));
  EXPECT_EQ(vid, 0xABCD);
  EXPECT_EQ(pid, 0xFE01);
}

TEST(UdevIds, MalformedHidIdIsRefused) {
  std::uint16_t vid = 7;
  std::uint16_t pid = 7;
  for (const char* bad : {"", "0003", "0003:1209", "0003::0001", "0003:00001209:",
                          "0003:0001209X:0001", "0003:000012090:0001", "0003:00011209:0001"}) {
    EXPECT_FALSE(ParseHidId(bad, vid, pid)) << bad;
  }
  EXPECT_FALSE(ParseHidId(nullptr, vid, pid));
  EXPECT_EQ(vid, 7);
  EXPECT_EQ(pid, 7);
}

TEST(UdevIds, InterfaceNumberFromAttributeAndPhys) {
  EXPECT_EQ(ParseInterfaceNumber("02"), 2);
  EXPECT_EQ(ParseInterfaceNumber("0a\n"), 10);
  EXPECT_EQ(ParseInterfaceNumber(""), -1);
  EXPECT_EQ(ParseInterfaceNumber("zz"), -1);
  EXPECT_EQ(ParseInterfaceNumber("100"), -1);
  EXPECT_EQ(ParseInterfaceNumber(nullptr), -1);
  EXPECT_EQ(InterfaceFromPhys("usb-0000:00:14.0-1/input2"), 2);
  EXPECT_EQ(InterfaceFromPhys("usb-0000:00:14.0-1/input12"), 12);
  EXPECT_EQ(InterfaceFromPhys("usb-0000:00:14.0-1"), -1);
  EXPECT_EQ(InterfaceFromPhys("usb-0000:00:14.0-1/input"), -1);
  EXPECT_EQ(InterfaceFromPhys("usb-0000:00:14.0-1/input12345"), -1);
  EXPECT_EQ(InterfaceFromPhys(nullptr), -1);
}

TEST(DeviceText, TruncationKeepsWholeCharacters) {
  EXPECT_EQ(TruncateUtf8("abcdef", 3), "abc");
  EXPECT_EQ(TruncateUtf8("ab", 3), "ab");
  // Three two-byte characters cut to two: four bytes, no half character.
  EXPECT_EQ(TruncateUtf8("\xC3\xA4\xC3\xB6\xC3\xBC", 2), "\xC3\xA4\xC3\xB6");
  EXPECT_EQ(Utf8Length("\xC3\xA4\xC3\xB6\xC3\xBC"), 3u);
  EXPECT_EQ(Utf8Length(std::string(600, 'x')), 600u);
  EXPECT_EQ(Utf8Length(TruncateUtf8(std::string(600, 'x'), 512)), 512u);
}

TEST(DeviceText, DeviceIdIsBytesFourToSevenUpToZero) {
  ReportBuffer reply{};
  reply[4] = 'K';
  reply[5] = '3';
  reply[6] = 'W';
  reply[7] = 'L';
  reply[8] = 'X';
  EXPECT_EQ(DeviceIdFromReply(reply), "K3WL");
  reply[6] = 0;
  EXPECT_EQ(DeviceIdFromReply(reply), "K3");
}

TEST(WideText, ConvertsToUtf8AndReplacesNonCharacters) {
  EXPECT_EQ(WideToUtf8(L"K3 \u00e4\u4e2d"), "K3 \xC3\xA4\xE4\xB8\xAD");
  const wchar_t bad[] = {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), 0};
  EXPECT_EQ(WideToUtf8(bad), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(WideToUtf8(nullptr), "");
}

}  // namespace
}  // namespace korvex
