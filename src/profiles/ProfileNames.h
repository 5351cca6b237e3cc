#pragma once
// How profiles are named: the default names given at creation and the name
// shown for a stored one.

#include <string>

namespace korvex {

// The word used when the language has no text for "profile".
inline constexpr const char* kFallbackProfileWord = "Profile";

// "<word> <n>": the default name of profile n (1 to 4). An empty word (no
// language text) falls back to "Profile" so that no profile is born nameless.
std::string DefaultProfileName(const std::string& profileWord, int n);

// A stored name that begins with "Profile" or "配置" (a default name in one
// of the shipped languages) is shown as the current language's word, a space
// and the rest of the stored name, which keeps its own leading characters:
// "Profile 1" shows as "<word>  1". A default name of another shipped
// language ("Profil 2", "Профиль 3") shows as "<word> 2". Any other name is
// shown as stored.
std::string DisplayProfileName(const std::string& storedName, const std::string& profileWord);

}  // namespace korvex
