#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "I18nTestEnv.h"
#include "i18n/LanguageFile.h"
#include "i18n/Texts.h"

namespace korvex {
namespace {

std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return out;
}

TEST(LanguageFile, ReadsOnlyTheLanSectionLikeAnIniReader) {
  LanguageFile file;
  file.Parse(
      "1=before any section\n"
      "[Other]\n2=wrong section\n"
      "[ lan ]\r\n"
      "; a comment\n"
      "  2 =  Two  \r\n"
      "3=\"quoted  \"\n"
      "4='x'\n"
      "2=second occurrence\n"
      "5=a=b\n"
      "no equals sign\n"
      "6=\n"
      "007=padded key\n"
      "[Later]\n8=after\n");
  EXPECT_EQ(file.Text(1), "");
  EXPECT_EQ(file.Text(2), "Two");
  EXPECT_EQ(file.Text(3), "quoted  ");
  EXPECT_EQ(file.Text(4), "x");
  EXPECT_EQ(file.Text(5), "a=b");
  EXPECT_EQ(file.Text(6), "");
  EXPECT_EQ(file.Text(7), "");  // the key is "007", not "7"
  EXPECT_EQ(file.Text(8), "");
  std::vector<int> numbers;
  EXPECT_EQ(file.Numbers(numbers), 5u);
  EXPECT_EQ(numbers, (std::vector<int>{2, 3, 4, 5, 6}));
}

TEST(LanguageFile, TextsAreCutAt259Characters) {
  LanguageFile file;
  const std::string ascii(300, 'a');
  std::string wide;
  for (int i = 0; i < 300; ++i) wide += "\xE4\xB8\xAD";  // 中, three bytes each
  file.Parse("[LAN]\n1=" + ascii + "\n2=" + wide + "\n3=" + std::string(259, 'b') + "\n");
  EXPECT_EQ(file.Text(1), std::string(259, 'a'));
  EXPECT_EQ(file.Text(2).size(), 259u * 3);
  EXPECT_EQ(file.Text(2), wide.substr(0, 259 * 3));
  EXPECT_EQ(file.Text(3), std::string(259, 'b'));
}

TEST(LanguageFile, EncodingsByByteOrderMark) {
  LanguageFile utf8;
  utf8.Parse("\xEF\xBB\xBF[LAN]\n1=\xE7\xAE\x80\xE4\xBD\x93\n");
  EXPECT_EQ(utf8.Text(1), "\xE7\xAE\x80\xE4\xBD\x93");
  LanguageFile le;
  le.Parse(Utf16(u"[LAN]\r\n1=\u7b80\u4f53\r\n2=\U0001F5B1\r\n", false));
  EXPECT_EQ(le.Text(1), "\xE7\xAE\x80\xE4\xBD\x93");
  EXPECT_EQ(le.Text(2), "\xF0\x9F\x96\xB1");
  LanguageFile be;
  be.Parse(Utf16(u"[LAN]\n1=\u7b80\u4f53\n", true));
  EXPECT_EQ(be.Text(1), "\xE7\xAE\x80\xE4\xBD\x93");
  LanguageFile broken;
  const char raw[] = "[LAN]\n1=a\xFF" "b\n2=x\0y\n";
  broken.Parse(std::string(raw, sizeof raw - 1));
  EXPECT_EQ(broken.Text(1), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(broken.Text(2), "xy");
}

TEST(Texts, LookupFollowsTheCurrentLanguageAndFileEdits) {
  test::I18nEnv env;
  env.WriteLanguage(1033, "[LAN]\n17=Software version\n");
  env.WriteLanguage(2052, "[LAN]\n17=\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\n");
  SetCurrentLanguage(1033);
  EXPECT_EQ(GetText(17), "Software version");
  EXPECT_EQ(GetText(18), "");
  SetCurrentLanguage(2052);
  EXPECT_EQ(GetText(17), "\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC");
  SetCurrentLanguage(1031);
  EXPECT_EQ(GetText(17), "Software version");  // no file: the English text

  // Same size, rewritten in place: the changed modification time is enough.
  SetCurrentLanguage(1033);
  const auto path = env.LanguageFile(1033);
  const auto stamp = std::filesystem::last_write_time(path);
  env.WriteLanguage(1033, "[LAN]\n17=Software VERSION\n");
  std::filesystem::last_write_time(path, stamp + std::chrono::seconds(1));
  EXPECT_EQ(GetText(17), "Software VERSION");
  // Replaced by another file, as editors that save by rename do.
  std::ofstream(env.Root() / "new.lan") << "[LAN]\n17=Replaced\n";
  std::filesystem::rename(env.Root() / "new.lan", path);
  EXPECT_EQ(GetText(17), "Replaced");
  std::filesystem::remove(path);
  EXPECT_EQ(GetText(17), "");
}

// A language that lacks a text, holds it empty, is damaged or is gone shows
// the English text instead of a blank label; with no file at all nothing
// is there to show, and that can be asked.
TEST(Texts, MissingOrEmptyTextsComeFromEnglish) {
  test::I18nEnv env;
  SetCurrentLanguage(2052);
  EXPECT_FALSE(HasAnyTexts());
  EXPECT_EQ(GetText(1), "");
  env.WriteLanguage(1033, "[LAN]\n1=Home\n2=Settings\n3=About\n");
  env.WriteLanguage(2052, "[LAN]\n1=\xE4\xB8\xBB\n2=\n");
  EXPECT_TRUE(HasAnyTexts());
  EXPECT_EQ(GetText(1), "\xE4\xB8\xBB");  // its own text wins
  EXPECT_EQ(GetText(2), "Settings");         // empty
  EXPECT_EQ(GetText(3), "About");            // missing
  EXPECT_EQ(GetText(4), "");                 // in neither
  env.WriteLanguage(2052, std::string("\x00\xFF\x00garbage", 10));
  EXPECT_EQ(GetText(1), "Home");             // damaged
  SetCurrentLanguage(1033);
  std::filesystem::remove(env.LanguageFile(1033));
  EXPECT_EQ(GetText(1), "");
}

}  // namespace
}  // namespace korvex
