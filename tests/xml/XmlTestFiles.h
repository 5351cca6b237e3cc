#pragma once
// Temporary files for the XML tests.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace korvex::test {

inline std::filesystem::path TempDir() {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("korvex-xml-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::string WriteTemp(const std::string& name, const std::string& bytes) {
  const auto path = TempDir() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Removes the folder when the test binary ends.
inline struct TempCleaner {
  ~TempCleaner() {
    std::error_code ec;
    std::filesystem::remove_all(TempDir(), ec);
  }
} tempCleaner;

}  // namespace korvex::test
