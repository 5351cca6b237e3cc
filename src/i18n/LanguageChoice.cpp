#include "i18n/LanguageChoice.h"

#include "i18n/Texts.h"
#include "platform/AppIdentity.h"
#include "platform/PreferenceStore.h"
#include "platform/UserLocale.h"

namespace korvex {
namespace {

// What an unreadable preference store yields, as if the language were stored.
constexpr int kUnreadableLanguage = 2052;

struct NamedLanguage {
  int lcid;
  const char* name;
};

constexpr NamedLanguage kOffered[] = {
    {2052, "简体中文"}, {1033, "English"},   {1066, "Tiếng Việt"}, {1049, "Русский язык"},
    {1031, "Deutsch"},  {1036, "Français"},  {1034, "Español"},    {1040, "Italiano"},
    {2070, "Português"}, {1041, "日本語にほんご"}};

}  // namespace

LanguageDecision DecideStartupLanguage(int stored, int systemLanguage, const std::set<int>& available) {
  const int wanted = stored == 0 ? systemLanguage : stored;
  if (available.count(wanted)) return {wanted, stored == 0};
  return {kFallbackLanguage, true};
}

int ChooseStartupLanguage(const std::set<int>& available) {
  PreferenceStore store(PreferenceFilePath(Caption()));
  int stored = 0;
  switch (store.EnsureKey()) {
    case PreferenceStore::KeyState::Unavailable: stored = kUnreadableLanguage; break;
    case PreferenceStore::KeyState::Created: stored = 0; break;
    case PreferenceStore::KeyState::Existing: stored = store.ReadInt("LCID"); break;
  }
  const LanguageDecision decision = DecideStartupLanguage(stored, UserDefaultUiLanguage(), available);
  if (decision.store) store.Write("LCID", std::to_string(decision.language));
  SetCurrentLanguage(decision.language);
  return decision.language;
}

size_t OfferedLanguages(const std::set<int>& available, std::vector<OfferedLanguage>& out) {
  out.clear();
  for (const NamedLanguage& entry : kOffered) {
    if (available.count(entry.lcid)) out.push_back({entry.lcid, entry.name});
  }
  return out.size();
}

}  // namespace korvex
