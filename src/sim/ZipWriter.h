#pragma once
// Writes zip archives for the update server and the tests: ordinary
// packages, and hostile ones whose entries carry any name or Unix file type.

#include <string>
#include <vector>

namespace korvex::sim {

struct ZipEntry {
  std::string name;
  std::string data;
  // Unix mode with its file type (0100644 a plain file, 0120777 a symbolic
  // link whose data is the target, 020644 a character device).
  unsigned unixMode = 0100644;
  bool deflate = true;
};

// False when the archive cannot be written.
bool WriteZip(const std::string& path, const std::vector<ZipEntry>& entries);

}  // namespace korvex::sim
