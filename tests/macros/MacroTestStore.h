#pragma once
// A settings store on a database in a private temporary folder.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "store/SettingsStore.h"

namespace korvex::test {

class TempStore {
 public:
  TempStore() {
    static std::atomic<int> counter{0};
    root_ = std::filesystem::temp_directory_path() /
            ("korvex-macros-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "db");
    store.SwitchModel(root_.string(), "test");
  }
  ~TempStore() {
    store.CloseIfOpen();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  std::string File(const std::string& name) const { return (root_ / name).string(); }

  SettingsStore store;

 private:
  std::filesystem::path root_;
};

}  // namespace korvex::test
