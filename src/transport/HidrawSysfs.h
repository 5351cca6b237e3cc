#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace korvex {

// The report descriptor of a hidraw node ("/dev/hidraw3") as the kernel
// publishes it in sysfs. Reading it touches no device and takes no lock, so
// any thread may ask while another one talks to the device. False when the
// path is no hidraw node or the file cannot be read.
bool ReadHidrawReportDescriptor(const std::string& devicePath, std::vector<std::uint8_t>& out,
                                const std::string& sysfsRoot = "/sys");

}  // namespace korvex
