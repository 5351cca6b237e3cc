#pragma once
// The start-up choice of the interface language and the list of languages
// the settings page offers.

#include <set>
#include <string>
#include <vector>

namespace korvex {

struct LanguageDecision {
  int language = 1033;
  bool store = false;  // whether "LCID" must be written
};

// `stored` is the "LCID" preference (0 on first start); `systemLanguage` the
// user's interface language. An unavailable choice falls back to 1033.
LanguageDecision DecideStartupLanguage(int stored, int systemLanguage, const std::set<int>& available);

// Reads "LCID" (a preference file that cannot be read counts as 2052, a new
// one as first start), decides, stores when needed and makes the result the
// current language. Returns it.
int ChooseStartupLanguage(const std::set<int>& available);

struct OfferedLanguage {
  int lcid;
  std::string name;  // in its own language
};

// The available languages in the settings page's fixed order.
size_t OfferedLanguages(const std::set<int>& available, std::vector<OfferedLanguage>& out);

}  // namespace korvex
