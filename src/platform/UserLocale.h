#pragma once
// The user's interface language as a Windows language identifier (LCID),
// taken from the locale environment (LC_ALL, then LC_MESSAGES, then LANG).

#include <string_view>

namespace korvex {

// "de_DE.UTF-8" gives 1031, "zh_TW" 2052 (Chinese texts are Simplified),
// "C", "POSIX" and unknown languages give 1033.
int LcidFromLocaleName(std::string_view locale);

int UserDefaultUiLanguage();

}  // namespace korvex
