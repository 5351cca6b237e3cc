// The udev rule must open every vendor/product pair the shipped
// configuration supports, or a real mouse of a missing pair stays root-only.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string FourDigitHex(std::string id) {
  if (id.rfind("0x", 0) == 0 || id.rfind("0X", 0) == 0) id = id.substr(2);
  for (auto& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  while (id.size() < 4) id = "0" + id;
  return id;
}

TEST(PackagingRules, EveryConfiguredPairGetsSeatAccess) {
  const std::string config = ReadAll(std::string(KORVEX_SOURCE_DIR) + "/data/config.xml");
  const std::string rules =
      ReadAll(std::string(KORVEX_SOURCE_DIR) + "/packaging/70-korvex-mouse.rules");
  ASSERT_FALSE(config.empty());
  ASSERT_FALSE(rules.empty());

  std::set<std::string> configured;
  const std::regex mode(R"re(<mode[^>]*\bvid="([^"]+)"[^>]*\bpid="([^"]+)")re");
  for (std::sregex_iterator it(config.begin(), config.end(), mode), end; it != end; ++it) {
    configured.insert(FourDigitHex((*it)[1]) + ":" + FourDigitHex((*it)[2]));
  }
  ASSERT_GE(configured.size(), 5u);

  std::set<std::string> granted;
  const std::regex rule(
      R"re(SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="([0-9a-f]{4})", ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess")re");
  for (std::sregex_iterator it(rules.begin(), rules.end(), rule), end; it != end; ++it) {
    granted.insert(std::string((*it)[1]) + ":" + std::string((*it)[2]));
  }
  EXPECT_EQ(granted, configured);
}

}  // namespace
