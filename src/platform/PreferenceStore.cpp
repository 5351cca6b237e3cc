#include "platform/PreferenceStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <climits>

#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "platform/AtomicFile.h"
#include "platform/Log.h"

namespace korvex {
namespace {

constexpr std::string_view kHeader = "[Preferences]";
constexpr size_t kMaxFileSize = 1 << 20;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// Holds an exclusive advisory lock on the preference folder for one
// read-modify-write. The file itself is replaced by rename, so the lock
// cannot live on it.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder) {
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ >= 0) {
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool IsStorableName(const std::string& name) {
  if (name.empty() || name.front() == '[' || name.front() == ';') return false;
  for (char c : name) {
    if (c == '=' || c == '\r' || c == '\n' || c == '\0') return false;
  }
  return true;
}

bool IsStorableValue(const std::string& text) {
  for (char c : text) {
    if (c == '\r' || c == '\n' || c == '\0') return false;
  }
  return true;
}

bool LooksLikeText(std::string_view bytes) {
  for (char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 && c != '\n' && c != '\r' && c != '\t') return false;
  }
  return true;
}

// Parses "name=value" lines under an optional "[Preferences]" header. Any
// other line, a second section or control bytes make the whole file damaged.
bool Parse(std::string_view bytes, std::vector<std::pair<std::string, std::string>>& entries) {
  entries.clear();
  if (!LooksLikeText(bytes)) return false;
  size_t pos = 0;
  bool first = true;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;
    if (line == kHeader && first) {
      first = false;
      continue;
    }
    first = false;
    const size_t eq = line.find('=');
    if (eq == 0 || eq == std::string_view::npos || line.front() == '[') return false;
    entries.emplace_back(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
  }
  return true;
}

std::string Serialise(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string out(kHeader);
  out += '\n';
  for (const auto& [name, value] : entries) out += name + "=" + value + "\n";
  return out;
}

}  // namespace

int DecimalValue(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

PreferenceStore::PreferenceStore(std::string path) : path_(std::move(path)) {}

PreferenceStore::KeyState PreferenceStore::EnsureKey() const {
  std::string bytes;
  const FileReadStatus status = ReadWholeFile(path_, bytes, kMaxFileSize);
  if (status == FileReadStatus::Ok || status == FileReadStatus::TooLarge) return KeyState::Existing;
  if (status == FileReadStatus::Unreadable) return KeyState::Unavailable;
  const std::string folder = FolderOf(path_);
  if (!CreateFolder(folder)) return KeyState::Unavailable;
  FolderLock lock(folder);
  // Another process may have created it meanwhile.
  if (ReadWholeFile(path_, bytes, kMaxFileSize) != FileReadStatus::Missing) return KeyState::Existing;
  return WriteFileAtomically(path_, Serialise({}), 0600) ? KeyState::Created : KeyState::Unavailable;
}

bool PreferenceStore::Load(Entries& entries) const {
  std::string bytes;
  const FileReadStatus status = ReadWholeFile(path_, bytes, kMaxFileSize);
  if (status == FileReadStatus::Missing) {
    entries.clear();
    return true;
  }
  if (status != FileReadStatus::Ok || !Parse(bytes, entries)) {
    entries.clear();
    LogLine(2, "Preference file %s is damaged; it reads as empty", path_.c_str());
    return false;
  }
  return true;
}

std::string PreferenceStore::ReadText(const std::string& name) const {
  if (EnsureKey() == KeyState::Unavailable) return {};
  Entries entries;
  Load(entries);
  for (const auto& [key, value] : entries) {
    if (EqualNoCase(key, name)) return value;
  }
  return {};
}

int PreferenceStore::ReadInt(const std::string& name) const { return DecimalValue(ReadText(name)); }

bool PreferenceStore::Write(const std::string& name, const std::string& text) const {
  if (!IsStorableName(name) || !IsStorableValue(text)) return false;
  const std::string folder = FolderOf(path_);
  if (!CreateFolder(folder)) return false;
  FolderLock lock(folder);
  Entries entries;
  const bool intact = Load(entries);  // a damaged file is replaced by what can still be written
  bool replaced = false;
  for (auto& [key, value] : entries) {
    if (EqualNoCase(key, name)) {
      // The value is there already: no rewrite, whose flush to disk can take
      // tens of milliseconds on a busy disk (the device refresh writes the
      // device type between two reports).
      if (intact && value == text) return true;
      value = text;
      replaced = true;
      break;
    }
  }
  if (!replaced) entries.emplace_back(name, text);
  return WriteFileAtomically(path_, Serialise(entries), 0600);
}

std::string PreferenceFilePath(const std::string& caption) {
  return ConfigHome() + CaptionFileName(caption) + "/preferences.ini";
}

int ReadPreference(const std::string& name) { return PreferenceStore(PreferenceFilePath(Caption())).ReadInt(name); }

std::string ReadPreferenceText(const std::string& name) {
  return PreferenceStore(PreferenceFilePath(Caption())).ReadText(name);
}

bool WritePreference(const std::string& name, const std::string& text) {
  return PreferenceStore(PreferenceFilePath(Caption())).Write(name, text);
}

}  // namespace korvex
