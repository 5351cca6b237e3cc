#include "profiles/ProfileNames.h"

#include <string_view>

namespace korvex {
namespace {

constexpr std::string_view kEnglishPrefix = "Profile";
constexpr std::string_view kChinesePrefix = "配置";

// The profile word of the other shipped languages. Only a name that is
// exactly such a word, a space and a number is a default name: these words
// are common enough that a prefix would catch names the user chose.
constexpr std::string_view kOtherWords[] = {"Cấu hình", "Профиль", "Profil", "Perfil", "Profilo", "プロファイル"};

bool IsNumber(std::string_view s) {
  if (s.empty() || s.size() > 3) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

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
  for (std::string_view word : kOtherWords) {
    if (name.size() > word.size() + 1 && name.substr(0, word.size()) == word && name[word.size()] == ' ' &&
        IsNumber(name.substr(word.size() + 1)))
      return profileWord + std::string(name.substr(word.size()));
  }
  return storedName;
}

}  // namespace korvex
