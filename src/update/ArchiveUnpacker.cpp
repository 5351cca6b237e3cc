#include "update/ArchiveUnpacker.h"

#include <fcntl.h>
#include <minizip/unzip.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/Log.h"

namespace korvex {
namespace {

constexpr int kMadeByUnix = 3;
constexpr std::size_t kChunk = 64 * 1024;

bool StartsWithDrive(const std::string& s) { return s.size() >= 2 && s[1] == ':'; }
bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Unix file type bits of an entry made on Unix; 0 when the archive does not
// say.
unsigned UnixType(const unz_file_info64& info) {
  if ((info.version >> 8) != kMadeByUnix) return 0;
  return static_cast<unsigned>(info.external_fa >> 16) & S_IFMT;
}

// Folders below root for every part of relative, none of them a link.
bool MakeFolders(const std::string& root, const std::string& relative) {
  std::string path = root;
  std::size_t begin = 0;
  while (begin < relative.size()) {
    std::size_t slash = relative.find('/', begin);
    if (slash == std::string::npos) slash = relative.size();
    path += "/" + relative.substr(begin, slash - begin);
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    begin = slash + 1;
  }
  return true;
}

// The current entry into target, through a temporary file beside it; adds
// the bytes written to total.
bool ExtractCurrent(unzFile zip, const std::string& target, std::int64_t maxBytes, std::int64_t& written) {
  if (unzOpenCurrentFile(zip) != UNZ_OK) return false;
  std::string partial = target + ".part-XXXXXX";
  const int fd = ::mkstemp(partial.data());
  bool ok = fd >= 0;
  std::vector<char> buffer(kChunk);
  std::int64_t total = 0;
  while (ok) {
    const int n = unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(buffer.size()));
    if (n == 0) break;
    total += n;
    if (n < 0 || total > maxBytes) {
      ok = false;
      break;
    }
    ok = ::write(fd, buffer.data(), static_cast<std::size_t>(n)) == n;
  }
  // The CRC is checked when the entry is closed: a damaged entry is refused.
  ok = unzCloseCurrentFile(zip) == UNZ_OK && ok;
  if (fd >= 0) {
    ok = ::fchmod(fd, 0644) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(partial.c_str(), target.c_str()) != 0) {
      ::unlink(partial.c_str());
      ok = false;
    }
  }
  if (ok) written += total;
  return ok;
}

}  // namespace

std::string CleanEntryName(const std::string& name) {
  std::string s = name;
  for (;;) {
    const std::string before = s;
    if (StartsWithDrive(s)) s.erase(0, 2);
    if (!s.empty() && IsSeparator(s[0])) s.erase(0, 1);
    std::size_t cut = std::string::npos;
    for (const char* p : {"\\..\\", "\\../", "/../", "/..\\"}) cut = std::min(cut, s.find(p));
    if (cut != std::string::npos) s.erase(0, cut + 4);
    if (s == before) return s;
  }
}

std::string SafeEntryPath(const std::string& name) {
  if (name.empty() || IsSeparator(name[0]) || StartsWithDrive(name)) return {};
  std::string cleaned = CleanEntryName(name);
  for (char& c : cleaned)
    if (c == '\\') c = '/';
  std::string out;
  std::size_t begin = 0;
  while (begin <= cleaned.size()) {
    std::size_t slash = cleaned.find('/', begin);
    if (slash == std::string::npos) slash = cleaned.size();
    const std::string part = cleaned.substr(begin, slash - begin);
    if (part == "..") return {};
    if (!part.empty() && part != ".") out += (out.empty() ? "" : "/") + part;
    begin = slash + 1;
  }
  return out;
}

bool UnpackArchive(const std::string& archivePath, const std::string& folder, const UnpackLimits& limits,
                   UnpackReport* report) {
  UnpackReport local;
  UnpackReport& r = report ? *report : local;
  r = UnpackReport{};
  unzFile zip = unzOpen64(archivePath.c_str());
  if (zip == nullptr) return false;
  std::int64_t written = 0;
  std::string root = folder;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  for (int more = unzGoToFirstFile(zip); more == UNZ_OK; more = unzGoToNextFile(zip)) {
    unz_file_info64 info{};
    char name[1024] = {};
    // A name longer than the buffer would be cut to some other name.
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name - 1, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.size_filename >= sizeof name - 1) {
      ++r.refused;
      continue;
    }
    const std::string raw = name;
    const std::string path = SafeEntryPath(raw);
    const unsigned type = UnixType(info);
    const bool folderEntry = !raw.empty() && IsSeparator(raw.back());
    const bool plain = type == 0 || type == S_IFREG || (folderEntry && type == S_IFDIR);
    if (path.empty() || !plain || (info.flag & 1) != 0 ||
        static_cast<std::int64_t>(info.uncompressed_size) > limits.maxEntryBytes ||
        static_cast<std::int64_t>(info.uncompressed_size) > limits.maxTotalBytes - written) {
      LogLine(2, "Archive entry refused: %s", raw.c_str());
      ++r.refused;
      continue;
    }
    const std::size_t slash = path.rfind('/');
    const bool placed = folderEntry ? MakeFolders(root, path)
                                    : (slash == std::string::npos || MakeFolders(root, path.substr(0, slash))) &&
                                          ExtractCurrent(zip, root + "/" + path,
                                                         std::min(limits.maxEntryBytes, limits.maxTotalBytes - written),
                                                         written);
    if (folderEntry) continue;
    if (placed)
      ++r.written;
    else
      ++r.refused;
  }
  unzClose(zip);
  return true;
}

}  // namespace korvex
