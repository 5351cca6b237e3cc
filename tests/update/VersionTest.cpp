#include <gtest/gtest.h>

#include "update/UpdatePaths.h"
#include "update/VersionCompare.h"

namespace korvex {
namespace {

TEST(VersionTest, ComparesPartByPartAndCountsDifferentLengthsAsNewer) {
  EXPECT_EQ(2, CompareVersions("1.2", "1.2.3"));
  EXPECT_EQ(2, CompareVersions("1.2.3", "1.2"));  // any difference in parts
  EXPECT_EQ(1, CompareVersions("1.2.3", "1.2.4"));
  EXPECT_EQ(-1, CompareVersions("1.10", "1.9"));  // numbers, not text
  EXPECT_EQ(0, CompareVersions("1.0.0", "1.0.0"));
  EXPECT_EQ(1, CompareVersions("130", "131"));     // firmware texts have one part
}

TEST(VersionTest, EmptyPartsCountAndReadAsZero) {
  EXPECT_EQ(0, CompareVersions("1..0", "1.0.0"));
  EXPECT_EQ(0, CompareVersions("1.", "1.0"));  // the text after the last point is a part
  EXPECT_EQ(1, CompareVersions("", "1"));
  EXPECT_EQ(0, CompareVersions("1.2x", "1.2"));
}

TEST(VersionTest, AnswersAreTrimmedBoundedAndCannotNameFolders) {
  EXPECT_EQ("1.0.1", AcceptVersionText(" 1.0.1\r\n", 10));
  EXPECT_EQ("123456789", AcceptVersionText("123456789", 9));
  EXPECT_EQ("", AcceptVersionText("1234567890", 9));
  EXPECT_EQ("1234567890", AcceptVersionText("1234567890", 10));
  EXPECT_EQ("", AcceptVersionText("12345678901", 10));
  EXPECT_EQ("", AcceptVersionText("", 10));
  EXPECT_EQ("", AcceptVersionText("\n", 10));
  for (const char* hostile : {"../x", "a/b", "..", "1 0", "a\\b", "v1;rm"})
    EXPECT_EQ("", AcceptVersionText(hostile, 10)) << hostile;
}

TEST(VersionTest, ServerPathsKeepTheConfiguredBaseAsWritten) {
  EXPECT_EQ("https://u.example/version", SoftwareVersionUrl("https://u.example/"));
  EXPECT_EQ("https://u.example///Mouse-Setup-1.2.zip", SoftwarePackageUrl("https://u.example/", "1.2"));
  EXPECT_EQ("https://u.example/fw/k1/mouse/version", FirmwareVersionUrl("https://u.example/fw/k1"));
  EXPECT_EQ("https://u.example/fw/k1//mouse//firmware-131.zip", FirmwarePackageUrl("https://u.example/fw/k1", "131"));
  EXPECT_EQ("firmware-131.bin", FirmwareImageName("131"));
  EXPECT_EQ("Mouse-Setup-1.2.deb", SoftwareInstallerName("1.2"));
}

TEST(VersionTest, RebaseReplacesOnlySchemeAndHost) {
  EXPECT_EQ("http://127.0.0.1:9/fw/k1", RebaseOrigin("https://u.example/fw/k1", "http://127.0.0.1:9/"));
  EXPECT_EQ("http://127.0.0.1:9", RebaseOrigin("https://u.example", "http://127.0.0.1:9"));
  EXPECT_EQ("https://u.example/a", RebaseOrigin("https://u.example/a", ""));
  EXPECT_EQ("", RebaseOrigin("", "http://127.0.0.1:9"));
}

}  // namespace
}  // namespace korvex
