#include "app/LowBatteryRule.h"

namespace korvex {

bool LowBatteryRule::Observe(int deviceType, int level, int state) {
  if (level <= 0 || level > 100) return false;
  bool& warned = warned_[deviceType];
  if (level > kRearmAbove) {
    warned = false;
    return false;
  }
  if (state == kChargingState || level > kWarnAtOrBelow || warned) return false;
  warned = true;
  return true;
}

bool LowBatteryRule::Warned(int deviceType) const {
  const auto it = warned_.find(deviceType);
  return it != warned_.end() && it->second;
}

}  // namespace korvex
