#pragma once
// Unpacking of downloaded zip packages. Archives come from the network and
// are not trusted: an entry is only written when its cleaned name stays
// inside the target folder, it is a plain file or folder (no symbolic link,
// no device), and it is not larger than the limit. Each file is written to a
// temporary name and renamed when it is complete, without execute bits.

#include <cstdint>
#include <string>

namespace korvex {

struct UnpackLimits {
  // Largest entry written (what it unpacks to, not what it takes packed).
  std::int64_t maxEntryBytes = 256LL * 1024 * 1024;
  // Largest sum over all entries: many entries just below the limit would
  // otherwise still fill the disk.
  std::int64_t maxTotalBytes = 512LL * 1024 * 1024;
};

struct UnpackReport {
  int written = 0;   // files written
  int refused = 0;   // entries left out (unsafe, too large, unreadable)
};

// The entry name cleaned, repeatedly until nothing changes: a leading drive
// prefix ("C:") and a leading "\" or "/" are dropped, and everything up to
// and including the first "\..\", "\../", "/../" or "/..\".
std::string CleanEntryName(const std::string& name);

// The path below the folder an entry may be written to ("a/b.bin"), or
// empty when the entry must be refused: an absolute or drive name, a name
// that after cleaning still has a ".." part, or nothing left.
std::string SafeEntryPath(const std::string& name);

// Extracts every acceptable entry of the archive into folder (which must
// exist). False only when the archive cannot be opened; refused entries are
// counted in report.
bool UnpackArchive(const std::string& archivePath, const std::string& folder,
                   const UnpackLimits& limits = {}, UnpackReport* report = nullptr);

}  // namespace korvex
