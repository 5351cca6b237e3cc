#include "platform/UserLocale.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace korvex {
namespace {

struct LanguageId {
  std::string_view language;
  int lcid;
};

// The primary identifier of each language; a region does not change it, so
// a de_AT user gets the German texts rather than English.
constexpr LanguageId kLanguages[] = {
    {"zh", 2052}, {"en", 1033}, {"vi", 1066}, {"ru", 1049}, {"de", 1031}, {"fr", 1036},
    {"es", 1034}, {"it", 1040}, {"pt", 2070}, {"ja", 1041}, {"ko", 1042}, {"nl", 1043},
    {"pl", 1045}, {"tr", 1055}, {"ar", 1025}, {"cs", 1029}, {"sv", 1053}, {"uk", 1058},
    {"th", 1054}, {"id", 1057}, {"hu", 1038}, {"el", 1032}, {"he", 1037}, {"da", 1030},
    {"fi", 1035}, {"nb", 1044}, {"no", 1044}, {"ro", 1048}};

}  // namespace

int LcidFromLocaleName(std::string_view locale) {
  std::string language;
  for (char c : locale) {
    if (!std::isalpha(static_cast<unsigned char>(c))) break;
    language.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  for (const LanguageId& entry : kLanguages) {
    if (entry.language == language) return entry.lcid;
  }
  return 1033;
}

int UserDefaultUiLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return LcidFromLocaleName(value);
  }
  return 1033;
}

}  // namespace korvex
