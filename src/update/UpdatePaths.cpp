#include "update/UpdatePaths.h"

#include <cstdlib>

namespace korvex {

std::string SoftwareVersionUrl(const std::string& upgradeUrl) { return upgradeUrl + "version"; }

std::string SoftwarePackageName(const std::string& version) { return "Mouse-Setup-" + version + ".zip"; }

std::string SoftwarePackageUrl(const std::string& upgradeUrl, const std::string& version) {
  return upgradeUrl + "//" + SoftwarePackageName(version);
}

std::string SoftwareInstallerName(const std::string& version) { return "Mouse-Setup-" + version + ".deb"; }

std::string FirmwareVersionUrl(const std::string& firmwareUrl) { return firmwareUrl + "/mouse/version"; }

std::string FirmwarePackageName(const std::string& version) { return "firmware-" + version + ".zip"; }

std::string FirmwarePackageUrl(const std::string& firmwareUrl, const std::string& version) {
  return firmwareUrl + "//mouse//" + FirmwarePackageName(version);
}

std::string FirmwareImageName(const std::string& version) { return "firmware-" + version + ".bin"; }

std::string RebaseOrigin(const std::string& url, const std::string& origin) {
  if (url.empty() || origin.empty()) return url;
  std::string base = origin;
  while (!base.empty() && base.back() == '/') base.pop_back();
  const std::size_t scheme = url.find("://");
  if (scheme == std::string::npos) return url;
  const std::size_t path = url.find('/', scheme + 3);
  return base + (path == std::string::npos ? std::string() : url.substr(path));
}

std::string UpdateServerOverride() {
  const char* value = std::getenv("KORVEX_UPDATE_SERVER");
  return value ? std::string(value) : std::string();
}

}  // namespace korvex
