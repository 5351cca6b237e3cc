#pragma once
// Interface texts by number. The current language picks the file
// "<language folder><lcid>.lan"; each lookup checks the file's modification
// time, so a file edited while the program runs takes effect at the next
// lookup. Safe from any thread.

#include <set>
#include <string>

namespace korvex {

// The language whose file stands in for texts another language lacks.
inline constexpr int kFallbackLanguage = 1033;

// Text `number` of section "LAN" of the current language file; when that
// file or key is missing or empty, the English file's text; empty when
// neither has it.
std::string GetText(int number);

// Whether the current language's file or the English one holds any text.
bool HasAnyTexts();

// The process-wide interface language (an LCID); 2052 until chosen.
int CurrentLanguage();
void SetCurrentLanguage(int lcid);

// The user's choice on the settings page: becomes current and is stored as
// the "LCID" preference. Applying the texts to the windows is the caller's.
bool SetLanguage(int lcid);

// The languages config.xml lists.
std::set<int> AvailableLanguages();
void SetAvailableLanguages(const std::set<int>& languages);

// Default: the application folder's "language/".
std::string LanguageFolder();
void SetLanguageFolder(const std::string& folder);
std::string LanguageFilePath(int lcid);

}  // namespace korvex
