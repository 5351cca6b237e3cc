// Unpacking untrusted archives: nothing may land outside the folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "sim/ZipWriter.h"
#include "update/ArchiveUnpacker.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using sim::ZipEntry;

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "korvex-zip-XXXXXX").string();
    ASSERT_NE(nullptr, mkdtemp(tmpl.data()));
    root_ = tmpl;
    target_ = root_ + "/a/b/temp";
    fs::create_directories(target_);
  }
  void TearDown() override { fs::remove_all(root_); }

  bool Unpack(const std::vector<ZipEntry>& entries, UnpackReport& report, UnpackLimits limits = {}) {
    const std::string zip = root_ + "/p.zip";
    EXPECT_TRUE(sim::WriteZip(zip, entries));
    return UnpackArchive(zip, target_, limits, &report);
  }
  // Every file below the test's root apart from the archive itself.
  std::vector<std::string> Files() const {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root_))
      if (!e.is_directory() && e.path().filename() != "p.zip") out.push_back(fs::relative(e.path(), root_).string());
    std::sort(out.begin(), out.end());
    return out;
  }

  std::string root_;
  std::string target_;
};

TEST(EntryNameTest, CleaningDropsDrivesLeadingSeparatorsAndClimbs) {
  EXPECT_EQ("x.bin", CleanEntryName("C:\\x.bin"));
  EXPECT_EQ("x.bin", CleanEntryName("C:/\\x.bin"));  // repeated until nothing changes
  EXPECT_EQ("b/x", CleanEntryName("a/../b/x"));
  EXPECT_EQ("x", CleanEntryName("a\\..\\b/../x"));
  EXPECT_EQ("../x", CleanEntryName("../x"));  // the cleaning alone leaves a leading climb
  EXPECT_EQ("", SafeEntryPath("../x"));
  EXPECT_EQ("", SafeEntryPath("a/.."));
  EXPECT_EQ("", SafeEntryPath("/etc/passwd"));
  EXPECT_EQ("", SafeEntryPath("C:x"));
  EXPECT_EQ("sub/x.bin", SafeEntryPath("sub\\.\\x.bin"));
  EXPECT_EQ("b/x", SafeEntryPath("a/../b/x"));
}

TEST_F(ArchiveTest, PlainPackageUnpacksWithFoldersAndNoExecuteBits) {
  UnpackReport report;
  ASSERT_TRUE(Unpack({{"firmware-131.bin", std::string(5000, 'f'), 0100755}, {"doc/", "", 040755},
                      {"doc/readme.txt", "hello", 0100644, false}},
                     report));
  EXPECT_EQ(2, report.written);
  EXPECT_EQ(0, report.refused);
  EXPECT_EQ((std::vector<std::string>{"a/b/temp/doc/readme.txt", "a/b/temp/firmware-131.bin"}), Files());
  EXPECT_EQ(5000u, fs::file_size(target_ + "/firmware-131.bin"));
  struct stat st {};
  ASSERT_EQ(0, ::stat((target_ + "/firmware-131.bin").c_str(), &st));
  EXPECT_EQ(0, st.st_mode & 0111);
}

TEST_F(ArchiveTest, HostileEntriesPutNothingOutsideTheFolder) {
  UnpackReport report;
  ASSERT_TRUE(Unpack({{"../escaped.txt", "x"},
                      {"..\\escaped.txt", "x"},
                      {"/tmp/absolute.txt", "x"},
                      {"C:\\absolute.txt", "x"},
                      {"link", "/etc/passwd", 0120777},
                      {"device", "", 020644},
                      {"fifo", "", 010644},
                      // The cleaning itself brings these back inside.
                      {"../../climb.txt", "x"},
                      {"sub/../../../climb2.txt", "x"},
                      {"good.bin", "ok"}},
                     report));
  EXPECT_EQ(3, report.written);
  EXPECT_EQ(7, report.refused);
  EXPECT_EQ((std::vector<std::string>{"a/b/temp/climb.txt", "a/b/temp/climb2.txt", "a/b/temp/good.bin"}), Files());
}

TEST_F(ArchiveTest, EntryLargerThanTheLimitIsRefusedWithoutALeftover) {
  UnpackReport report;
  UnpackLimits limits;
  limits.maxEntryBytes = 64 * 1024;
  // Deflated zeros: a few hundred bytes packed, 1 MiB unpacked.
  ASSERT_TRUE(Unpack({{"bomb.bin", std::string(1024 * 1024, '\0')}, {"small.bin", std::string(64 * 1024, 's')}},
                     report, limits));
  EXPECT_EQ(1, report.written);
  EXPECT_EQ(1, report.refused);
  EXPECT_EQ((std::vector<std::string>{"a/b/temp/small.bin"}), Files());

  // Entries each within the limit stop where their sum would pass its own.
  limits.maxTotalBytes = 100 * 1024;
  ASSERT_TRUE(Unpack({{"one.bin", std::string(60 * 1024, '1')}, {"two.bin", std::string(60 * 1024, '2')}}, report,
                     limits));
  EXPECT_EQ(1, report.written);
  EXPECT_EQ(1, report.refused);
}

TEST_F(ArchiveTest, WhatIsNotAnArchiveFailsAndAnEntryReplacesAnOldFile) {
  const std::string notZip = root_ + "/p.zip";
  std::ofstream(notZip) << "<html>404</html>";
  EXPECT_FALSE(UnpackArchive(notZip, target_));
  EXPECT_FALSE(UnpackArchive(root_ + "/missing.zip", target_));

  std::ofstream(target_ + "/firmware-131.bin") << "old contents";
  UnpackReport report;
  ASSERT_TRUE(Unpack({{"firmware-131.bin", "new"}}, report));
  std::ifstream in(target_ + "/firmware-131.bin");
  std::string text;
  std::getline(in, text);
  EXPECT_EQ("new", text);
}

}  // namespace
}  // namespace korvex
