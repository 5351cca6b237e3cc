#pragma once
#include <cstdint>
#include <string>

namespace korvex {

// One configured mode of a supported model, as config.xml lists it.
struct SupportedDevice {
  std::uint32_t vendorId = 0;
  std::uint32_t productId = 0;
  std::uint32_t deviceType = 0;
  std::uint32_t mode = 0;  // 0 wired, 1 receiver
  std::string deviceId;    // four characters when the model is told apart by it
};

}  // namespace korvex
