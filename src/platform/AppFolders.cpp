#include "platform/AppFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/AppIdentity.h"

namespace fs = std::filesystem;

namespace korvex {
namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* result = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result && result->pw_dir) {
    return result->pw_dir;
  }
  return "/tmp";
}

std::string XdgFolder(const char* variable, const char* fallbackBelowHome) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return WithSlash(value);
  return WithSlash(HomeFolder() + "/" + fallbackBelowHome);
}

bool HasConfig(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / "config.xml", ec);
}

}  // namespace

std::string ResolveApplicationFolder(const std::string& exeFolder) {
  const fs::path exe(exeFolder);
  if (HasConfig(exe)) return WithSlash(exeFolder);
  const fs::path installed = (exe / ".." / "share" / "korvex").lexically_normal();
  if (HasConfig(installed)) return WithSlash(installed.string());
  return WithSlash(exeFolder);
}

std::string ApplicationFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return WithSlash(fs::current_path(ec).string());
  return ResolveApplicationFolder(exe.parent_path().string());
}

std::string DataHome() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }

std::string ConfigHome() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string RuntimeFolder() {
  const char* value = std::getenv("XDG_RUNTIME_DIR");
  std::error_code ec;
  if (value && value[0] == '/' && fs::is_directory(value, ec)) return WithSlash(value);
  return "/tmp/";
}

std::string DataFolder(const std::string& caption) {
  return DataHome() + CaptionFileName(caption + " Files") + "/";
}

std::string DataFolder() { return DataFolder(Caption()); }

bool CreateFolder(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  fs::create_directories(path, ec);
  return fs::is_directory(path, ec);
}

}  // namespace korvex
