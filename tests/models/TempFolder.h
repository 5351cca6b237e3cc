#pragma once
// A fresh folder under the system temp directory, removed with its contents.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace korvex::test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvex_models_XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) path_ = made;
    // A prepared data folder: the settings databases live in db/.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path_) / "db", ignored);
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }

  // Writes `text` to the relative path, creating folders on the way.
  std::string Write(const std::string& relative, const std::string& text) const {
    std::filesystem::path file = std::filesystem::path(path_) / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file.string();
  }

 private:
  std::string path_;
};

}  // namespace korvex::test
