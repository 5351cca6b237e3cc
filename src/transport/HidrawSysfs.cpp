#include "transport/HidrawSysfs.h"

#include <fstream>
#include <iterator>

namespace korvex {
namespace {

// The kernel's own bound on a report descriptor.
constexpr std::size_t kMaxDescriptorSize = 4096;

}  // namespace

bool ReadHidrawReportDescriptor(const std::string& devicePath, std::vector<std::uint8_t>& out,
                                const std::string& sysfsRoot) {
  out.clear();
  const std::size_t slash = devicePath.rfind('/');
  const std::string node = slash == std::string::npos ? devicePath : devicePath.substr(slash + 1);
  if (node.rfind("hidraw", 0) != 0 || node.size() == 6 || node.find("..") != std::string::npos)
    return false;
  std::ifstream file(sysfsRoot + "/class/hidraw/" + node + "/device/report_descriptor",
                     std::ios::binary);
  if (!file) return false;
  char buffer[kMaxDescriptorSize];
  file.read(buffer, sizeof buffer);
  const std::streamsize n = file.gcount();
  if (n <= 0) return false;
  out.assign(buffer, buffer + n);
  return true;
}

}  // namespace korvex
