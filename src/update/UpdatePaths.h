#pragma once
// Addresses and file names of the update server. The configured base
// addresses are used exactly as written: nothing is inserted between a base
// and what follows it unless shown.

#include <string>

namespace korvex {

// <upgradeUrl>version
std::string SoftwareVersionUrl(const std::string& upgradeUrl);
// Mouse-Setup-<version>.zip, fetched from <upgradeUrl>//<name>.
std::string SoftwarePackageName(const std::string& version);
std::string SoftwarePackageUrl(const std::string& upgradeUrl, const std::string& version);
// The Debian package inside it: Mouse-Setup-<version>.deb.
std::string SoftwareInstallerName(const std::string& version);

// <firmwareUrl>/mouse/version
std::string FirmwareVersionUrl(const std::string& firmwareUrl);
// firmware-<version>.zip, fetched from <firmwareUrl>//mouse//<name>.
std::string FirmwarePackageName(const std::string& version);
std::string FirmwarePackageUrl(const std::string& firmwareUrl, const std::string& version);
// The image inside it: firmware-<version>.bin.
std::string FirmwareImageName(const std::string& version);

// The address with its scheme and host (and port) replaced by origin, e.g.
// "https://update.example/firmware/k1" on "http://127.0.0.1:8080" gives
// "http://127.0.0.1:8080/firmware/k1". Empty addresses stay empty; an empty
// origin changes nothing.
std::string RebaseOrigin(const std::string& url, const std::string& origin);

// The update server the environment names in KORVEX_UPDATE_SERVER (an origin
// such as http://127.0.0.1:8080), or empty: lets the whole update flow run
// against a local server.
std::string UpdateServerOverride();

}  // namespace korvex
