#pragma once
// Default macro names in the current language. Stored names keep the word
// of the language they were made in ("Custom 2", "自定义 3", "... Copy");
// what is shown replaces it by the current language's word.

#include <string>

namespace korvex {

// The macro list's rule, the same in every language: a leading default
// word becomes `customText` (text 351); then a trailing "Copy" or "复制"
// turns the name into "<text before it> <copyText>" (text 31).
std::string MacroDisplayName(const std::string& name, const std::string& customText,
                             const std::string& copyText);

// The rule of a button bound to a macro, by language id (2052, 1033, 1028,
// 1041, 1049); any other language shows the name unchanged.
std::string MacroDescription(const std::string& name, int languageId, const std::string& customText);

// "<customText> <count + 1>": the name of a new macro.
std::string NewMacroName(const std::string& customText, int macroCount);

}  // namespace korvex
