#pragma once
// A private temporary folder and XDG variables pointing into it, restored
// when the test ends.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace korvex::test {

class ScopedEnv {
 public:
  ScopedEnv() {
    root_ = std::filesystem::temp_directory_path() /
            ("korvex-platform-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    Set("XDG_DATA_HOME", (root_ / "data").string());
    Set("XDG_CONFIG_HOME", (root_ / "config").string());
    std::filesystem::create_directories(root_ / "run");
    Set("XDG_RUNTIME_DIR", (root_ / "run").string());
  }
  ~ScopedEnv() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

  void Set(const std::string& name, const std::string& value) {
    Remember(name);
    setenv(name.c_str(), value.c_str(), 1);
  }
  void Unset(const std::string& name) {
    Remember(name);
    unsetenv(name.c_str());
  }
  const std::filesystem::path& Root() const { return root_; }

 private:
  void Remember(const std::string& name) {
    if (saved_.count(name)) return;
    const char* old = std::getenv(name.c_str());
    saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
  }

  static inline int counter_ = 0;
  std::filesystem::path root_;
  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace korvex::test
