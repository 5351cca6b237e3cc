#include "i18n/Texts.h"

#include <sys/stat.h>

#include <map>
#include <mutex>
#include <vector>

#include "i18n/LanguageFile.h"
#include "platform/AppFolders.h"
#include "platform/Log.h"
#include "platform/PreferenceStore.h"

namespace korvex {
namespace {

struct CachedFile {
  timespec modified{};
  off_t size = 0;
  ino_t inode = 0;
  LanguageFile file;
};

struct TextState {
  std::mutex mutex;
  int current = 2052;
  std::set<int> available;
  std::string folder;
  std::map<std::string, CachedFile> cache;
  std::set<std::string> missingLogged;
};

TextState& State() {
  static TextState state;
  return state;
}

std::string FolderLocked(TextState& s) {
  if (s.folder.empty()) s.folder = ApplicationFolder() + "language/";
  return s.folder;
}

bool SameFile(const CachedFile& cached, const struct stat& st) {
  return cached.modified.tv_sec == st.st_mtim.tv_sec && cached.modified.tv_nsec == st.st_mtim.tv_nsec &&
         cached.size == st.st_size && cached.inode == st.st_ino;
}

// The cached file of one language, reloaded when it changed on disk; null
// when there is no file. A file that cannot be read, or holds no texts, is
// logged once per version of it.
const LanguageFile* FileLocked(TextState& s, int lcid) {
  const std::string path = FolderLocked(s) + std::to_string(lcid) + ".lan";
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    s.cache.erase(path);
    if (s.missingLogged.insert(path).second) LogLine(2, "Language file %s is missing", path.c_str());
    return nullptr;
  }
  s.missingLogged.erase(path);
  auto it = s.cache.find(path);
  if (it == s.cache.end() || !SameFile(it->second, st)) {
    CachedFile entry;
    entry.modified = st.st_mtim;
    entry.size = st.st_size;
    entry.inode = st.st_ino;
    std::vector<int> numbers;
    if (!entry.file.Load(path)) {
      LogLine(2, "Language file %s cannot be read", path.c_str());
    } else if (entry.file.Numbers(numbers) == 0) {
      LogLine(2, "Language file %s holds no texts", path.c_str());
    }
    it = s.cache.insert_or_assign(path, std::move(entry)).first;
  }
  return &it->second.file;
}

std::string TextLocked(TextState& s, int lcid, int number) {
  const LanguageFile* file = FileLocked(s, lcid);
  return file ? file->Text(number) : std::string();
}

}  // namespace

std::string GetText(int number) {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  std::string text = TextLocked(s, s.current, number);
  // A text the language lacks (or a file that is damaged or gone) comes
  // from English rather than leaving a blank label.
  if (text.empty() && s.current != kFallbackLanguage) text = TextLocked(s, kFallbackLanguage, number);
  return text;
}

bool HasAnyTexts() {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  std::vector<int> numbers;
  for (int lcid : {s.current, kFallbackLanguage}) {
    const LanguageFile* file = FileLocked(s, lcid);
    if (file && file->Numbers(numbers) > 0) return true;
  }
  return false;
}

int CurrentLanguage() {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.current;
}

void SetCurrentLanguage(int lcid) {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.current = lcid;
}

bool SetLanguage(int lcid) {
  SetCurrentLanguage(lcid);
  return WritePreference("LCID", std::to_string(lcid));
}

std::set<int> AvailableLanguages() {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.available;
}

void SetAvailableLanguages(const std::set<int>& languages) {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.available = languages;
}

std::string LanguageFolder() {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return FolderLocked(s);
}

void SetLanguageFolder(const std::string& folder) {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.folder = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  s.cache.clear();
}

std::string LanguageFilePath(int lcid) { return LanguageFolder() + std::to_string(lcid) + ".lan"; }

}  // namespace korvex
