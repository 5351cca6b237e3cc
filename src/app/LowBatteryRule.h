#pragma once
// When to warn that a wireless mouse runs flat: a reading at or below 15 %
// while not charging warns once; the warning comes again only after the
// battery has been above 20 % (charged), so a level that wobbles around
// 15 % does not warn over and over. Kept per device type, since the
// receiver and the cable may report different mice.

#include <map>

namespace korvex {

class LowBatteryRule {
 public:
  static constexpr int kWarnAtOrBelow = 15;
  static constexpr int kRearmAbove = 20;
  static constexpr int kChargingState = 1;

  // One battery reading (level 0..100, state as the mouse reports it). True
  // when the notice is due now. A level of 0 is "no reading" in the status
  // report and says nothing about the battery; levels above 100 are not
  // readings either.
  bool Observe(int deviceType, int level, int state);

  // Whether the notice for this type has been given in this discharge.
  bool Warned(int deviceType) const;

 private:
  std::map<int, bool> warned_;
};

}  // namespace korvex
