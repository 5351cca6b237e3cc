#include "i18n/Texts.h"

#include <sys/stat.h>

#include <map>
#include <mutex>

#include "i18n/LanguageFile.h"
#include "platform/AppFolders.h"
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

}  // namespace

std::string GetText(int number) {
  TextState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  const std::string path = FolderLocked(s) + std::to_string(s.current) + ".lan";
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    s.cache.erase(path);
    return {};
  }
  auto it = s.cache.find(path);
  if (it == s.cache.end() || !SameFile(it->second, st)) {
    CachedFile entry;
    entry.modified = st.st_mtim;
    entry.size = st.st_size;
    entry.inode = st.st_ino;
    entry.file.Load(path);
    it = s.cache.insert_or_assign(path, std::move(entry)).first;
  }
  return it->second.file.Text(number);
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
