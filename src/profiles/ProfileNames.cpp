#include "profiles/ProfileNames.h"

#include <string_view>

namespace korvex {
namespace {

constexpr std::string_view kEnglishPrefix = "Profile";
constexpr std::string_view kChinesePrefix = "配置";

std::string WordOrFallback(const std::string& word) {
  return word.empty() ? std::string(kFallbackProfileWord) : word;
}

}  // namespace

std::string DefaultProfileName(const std::string& profileWord, int n) {
  return WordOrFallback(profileWord) + " " + std::to_string(n);
}

std::string DisplayProfileName(const std::string& storedName, const std::string& profileWord) {
  std::string_view name = storedName;
  for (std::string_view prefix : {kEnglishPrefix, kChinesePrefix}) {
    if (name.substr(0, prefix.size()) == prefix)
      return profileWord + " " + std::string(name.substr(prefix.size()));
  }
  return storedName;
}

}  // namespace korvex
