// The shipped language files must carry a text for every number the
// interface shows, in every language, with the same printf fields.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "i18n/LanguageFile.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(KORVEX_SOURCE_DIR) / "data";

// Every text number the windows, pages and dialogs look up.
std::set<int> InterfaceTextNumbers() {
  std::set<int> numbers{1,  2,  3,  5,  6,  7,  11, 12,  15,  16,  17,  20,  22,  23,  25,  26,  27,  30,  31,  32,
                        36, 38, 39, 50, 51, 52, 56, 57, 61, 551, 552, 558, 570, 571, 576, 578, 596, 630, 631, 632};
  const std::pair<int, int> ranges[] = {{71, 76},   {100, 142}, {150, 187}, {250, 260}, {265, 285},
                                        {350, 411}, {501, 537}, {580, 583}, {590, 593}, {600, 616}};
  for (const auto& [first, last] : ranges) {
    for (int n = first; n <= last; ++n) numbers.insert(n);
  }
  return numbers;
}

// Button names and default descriptions that the model descriptors name.
std::set<int> DescriptorTextNumbers() {
  std::set<int> numbers;
  const std::regex attribute("(?:name|func_desc)=\"([0-9]+)\"");
  for (const auto& entry : fs::directory_iterator(kData / "device")) {
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    for (std::sregex_iterator it(s.begin(), s.end(), attribute), end; it != end; ++it) {
      numbers.insert(std::stoi((*it)[1]));
    }
  }
  return numbers;
}

TEST(ShippedLanguageFiles, BothLanguagesCoverTheSameNumbersWithoutGaps) {
  LanguageFile english;
  LanguageFile chinese;
  ASSERT_TRUE(english.Load((kData / "language" / "1033.lan").string()));
  ASSERT_TRUE(chinese.Load((kData / "language" / "2052.lan").string()));
  std::vector<int> englishNumbers;
  std::vector<int> chineseNumbers;
  ASSERT_GT(english.Numbers(englishNumbers), 0u);
  chinese.Numbers(chineseNumbers);
  EXPECT_EQ(englishNumbers, chineseNumbers);

  std::set<int> needed = InterfaceTextNumbers();
  const std::set<int> descriptor = DescriptorTextNumbers();
  EXPECT_FALSE(descriptor.empty());
  needed.insert(descriptor.begin(), descriptor.end());
  for (int n : needed) {
    EXPECT_FALSE(english.Text(n).empty()) << "English text " << n;
    EXPECT_FALSE(chinese.Text(n).empty()) << "Chinese text " << n;
  }
  for (int n : englishNumbers) {
    EXPECT_FALSE(english.Text(n).empty()) << n;
    EXPECT_FALSE(chinese.Text(n).empty()) << n;
  }
}

TEST(ShippedLanguageFiles, WordsThatNamingRulesDependOn) {
  // Default profile and macro names are recognised by these words.
  LanguageFile english;
  LanguageFile chinese;
  ASSERT_TRUE(english.Load((kData / "language" / "1033.lan").string()));
  ASSERT_TRUE(chinese.Load((kData / "language" / "2052.lan").string()));
  EXPECT_EQ(english.Text(61), "Profile");
  EXPECT_EQ(chinese.Text(61), "配置");
  EXPECT_EQ(english.Text(351), "Custom");
  EXPECT_EQ(chinese.Text(351), "自定义");
  EXPECT_EQ(english.Text(31), "Copy");
  EXPECT_EQ(chinese.Text(31), "复制");
}

std::map<int, LanguageFile> ShippedFiles() {
  std::map<int, LanguageFile> files;
  for (const auto& entry : fs::directory_iterator(kData / "language")) {
    if (entry.path().extension() != ".lan") continue;
    EXPECT_TRUE(files[std::stoi(entry.path().stem().string())].Load(entry.path().string())) << entry.path();
  }
  return files;
}

// The printf fields of a text in order ("%s", "%d", "%02X", ...); "%%" is
// text, not a field.
std::vector<std::string> Fields(const std::string& text) {
  static const std::regex field("%(%|[-+ #0]*[0-9]*(?:\\.[0-9]+)?(?:l|ll|h)?[diouxXsScfeEgG])");
  std::vector<std::string> out;
  for (std::sregex_iterator it(text.begin(), text.end(), field), end; it != end; ++it) {
    if ((*it)[1] != "%") out.push_back((*it)[0]);
  }
  return out;
}

TEST(ShippedLanguageFiles, EveryFileHasEveryNumberAnyFileHasWithTheSameFields) {
  const std::map<int, LanguageFile> files = ShippedFiles();
  ASSERT_GE(files.size(), 2u);
  ASSERT_TRUE(files.count(1033));
  std::set<int> all;
  for (const auto& [lcid, file] : files) {
    std::vector<int> numbers;
    file.Numbers(numbers);
    all.insert(numbers.begin(), numbers.end());
  }
  const LanguageFile& english = files.at(1033);
  for (const auto& [lcid, file] : files) {
    for (int n : all) {
      const std::string text = file.Text(n);
      EXPECT_FALSE(text.empty()) << lcid << ".lan lacks text " << n;
      EXPECT_EQ(Fields(text), Fields(english.Text(n))) << lcid << ".lan text " << n;
    }
  }
}

TEST(ShippedLanguageFiles, ConfigurationListsExactlyTheShippedLanguagesInTheOfferedOrder) {
  std::ifstream in(kData / "config.xml");
  std::stringstream text;
  text << in.rdbuf();
  const std::string s = text.str();
  const std::regex lan("<lan value=\"([0-9]+)\"");
  std::vector<int> listed;
  for (std::sregex_iterator it(s.begin(), s.end(), lan), end; it != end; ++it) listed.push_back(std::stoi((*it)[1]));
  EXPECT_EQ(listed, (std::vector<int>{2052, 1033, 1066, 1049, 1031, 1036, 1034, 1040, 2070, 1041}));
  std::set<int> shipped;
  for (const auto& [lcid, file] : ShippedFiles()) shipped.insert(lcid);
  EXPECT_EQ(shipped, std::set<int>(listed.begin(), listed.end()));
}

TEST(ShippedLanguageFiles, DefaultMacroWordIsOneTheNamingRuleKnows) {
  // A macro named in one language is shown in another only when its leading
  // word is one the list rule recognises.
  const std::set<std::string> known{"Custom", "自定义", "Benutzerdefiniert", "Personalizado", "Personnalisé",
                                    "Personalizzato", "カスタム", "Пользовательский", "Tùy chỉnh"};
  for (const auto& [lcid, file] : ShippedFiles()) EXPECT_TRUE(known.count(file.Text(351))) << lcid;
}

}  // namespace
}  // namespace korvex
