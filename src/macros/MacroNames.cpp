#include "macros/MacroNames.h"

#include <vector>

namespace korvex {
namespace {

bool StartsWith(const std::string& s, const std::string& word) { return s.compare(0, word.size(), word) == 0; }

bool EndsWith(const std::string& s, const std::string& word) {
  return s.size() >= word.size() && s.compare(s.size() - word.size(), word.size(), word) == 0;
}

// Replaces the first matching leading word by `replacement`.
std::string ReplaceLeading(const std::string& name, const std::vector<const char*>& words,
                           const std::string& replacement) {
  for (const char* word : words)
    if (StartsWith(name, word)) return replacement + name.substr(std::string(word).size());
  return name;
}

// The text before the first matching trailing word, or false.
bool StripTrailing(const std::string& name, const std::vector<const char*>& words, std::string& before) {
  for (const char* word : words) {
    if (!EndsWith(name, word)) continue;
    before = name.substr(0, name.size() - std::string(word).size());
    // "Custom 1 Copy" is shown "<text 351> 1 <text 31>", not with two spaces.
    while (!before.empty() && before.back() == ' ') before.pop_back();
    return true;
  }
  return false;
}

struct DescriptionRule {
  int languageId;
  std::vector<const char*> leading;
  std::vector<const char*> trailing;
  const char* copyWord;
};

const DescriptionRule kRules[] = {
    {2052, {"Custom", "自定義", "カスタム", "Пользоват"}, {"Copy", "複製", "Копировать"}, "复制"},
    {1033, {"自定义", "自定義", "カスタム", "Пользоват"}, {"复制", "複製", "Копировать"}, "Copy"},
    {1028, {"自定义", "Custom", "カスタム", "Пользоват"}, {"复制", "Copy", "Копировать"}, "複製"},
    {1041, {"自定义", "Custom", "自定義", "Пользоват"}, {"复制", "Copy", "Копировать"}, "複製"},
    {1049, {"自定义", "Custom", "自定義", "カスタム"}, {"复制", "Copy"}, "Копировать"},
};

}  // namespace

std::string MacroDisplayName(const std::string& name, const std::string& customText,
                             const std::string& copyText) {
  std::string shown =
      ReplaceLeading(name,
                     {"Custom", "自定义", "Benutzerdefiniert", "Personalizado", "Personnalisé", "Personalizzato",
                      "カスタム", "Пользовательский", "Tùy chỉnh"},
                     customText);
  std::string before;
  if (StripTrailing(shown, {"Copy", "复制"}, before)) shown = before + " " + copyText;
  return shown;
}

std::string MacroDescription(const std::string& name, int languageId, const std::string& customText) {
  for (const DescriptionRule& rule : kRules) {
    if (rule.languageId != languageId) continue;
    std::string shown = ReplaceLeading(name, rule.leading, customText);
    std::string before;
    if (StripTrailing(shown, rule.trailing, before)) shown = before + " " + rule.copyWord;
    return shown;
  }
  return name;
}

std::string NewMacroName(const std::string& customText, int macroCount) {
  return customText + " " + std::to_string(macroCount + 1);
}

}  // namespace korvex
