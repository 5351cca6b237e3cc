#pragma once
// Temporary folders for language files and preferences, restored afterwards.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "i18n/Texts.h"
#include "platform/AppIdentity.h"

namespace korvex::test {

class I18nEnv {
 public:
  I18nEnv() {
    root_ = std::filesystem::temp_directory_path() / ("korvex-i18n-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "language");
    for (const char* name : {"XDG_CONFIG_HOME", "LANG", "LC_ALL", "LC_MESSAGES"}) Save(name);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    SetLanguageFolder((root_ / "language").string());
    SetCaption("Korvex Test");
  }
  ~I18nEnv() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    SetLanguageFolder("");
    SetCaption("");
    SetCurrentLanguage(2052);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  I18nEnv(const I18nEnv&) = delete;
  I18nEnv& operator=(const I18nEnv&) = delete;

  std::filesystem::path LanguageFile(int lcid) const { return root_ / "language" / (std::to_string(lcid) + ".lan"); }
  void WriteLanguage(int lcid, const std::string& bytes) const {
    std::ofstream(LanguageFile(lcid), std::ios::binary | std::ios::trunc) << bytes;
  }
  std::filesystem::path PreferenceFile() const { return root_ / "config" / "Korvex Test" / "preferences.ini"; }
  const std::filesystem::path& Root() const { return root_; }

 private:
  void Save(const char* name) {
    const char* value = std::getenv(name);
    saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
  }

  std::filesystem::path root_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace korvex::test
