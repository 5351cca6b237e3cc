// The low-battery notice: when it is due, and when it may come again.

#include <gtest/gtest.h>

#include "app/LowBatteryRule.h"

namespace korvex {
namespace {

constexpr int kMouse = 112;
constexpr int kOther = 113;
constexpr int kDischarging = 0;
constexpr int kCharging = LowBatteryRule::kChargingState;

TEST(LowBatteryRule, WarnsOnceAtTheThresholdPerDischarge) {
  LowBatteryRule rule;
  EXPECT_FALSE(rule.Observe(kMouse, 16, kDischarging));
  EXPECT_TRUE(rule.Observe(kMouse, 15, kDischarging));  // at the threshold
  EXPECT_FALSE(rule.Observe(kMouse, 15, kDischarging));
  EXPECT_FALSE(rule.Observe(kMouse, 3, kDischarging));
  // Wobbling up to 20 % is not a recharge.
  EXPECT_FALSE(rule.Observe(kMouse, 20, kDischarging));
  EXPECT_FALSE(rule.Observe(kMouse, 14, kDischarging));
  EXPECT_TRUE(rule.Warned(kMouse));
}

TEST(LowBatteryRule, ChargingAboveTwentyRearmsAndChargingNeverWarns) {
  LowBatteryRule rule;
  EXPECT_FALSE(rule.Observe(kMouse, 10, kCharging));
  EXPECT_FALSE(rule.Warned(kMouse));
  EXPECT_TRUE(rule.Observe(kMouse, 10, kDischarging));  // unplugged while still low
  EXPECT_FALSE(rule.Observe(kMouse, 18, kCharging));
  EXPECT_FALSE(rule.Observe(kMouse, 12, kDischarging));  // charged, but not above 20 %
  EXPECT_FALSE(rule.Observe(kMouse, 21, kCharging));
  EXPECT_FALSE(rule.Warned(kMouse));
  EXPECT_TRUE(rule.Observe(kMouse, 15, kDischarging));
}

TEST(LowBatteryRule, NoReadingIsNotAnEmptyBatteryAndMiceAreApart) {
  LowBatteryRule rule;
  // A status report without a level carries 0; junk above 100 is no reading.
  EXPECT_FALSE(rule.Observe(kMouse, 0, kDischarging));
  EXPECT_FALSE(rule.Observe(kMouse, -1, kDischarging));
  EXPECT_FALSE(rule.Observe(kMouse, 101, kDischarging));
  EXPECT_FALSE(rule.Warned(kMouse));
  EXPECT_TRUE(rule.Observe(kMouse, 1, kDischarging));
  EXPECT_FALSE(rule.Observe(kMouse, 0, kDischarging));
  EXPECT_TRUE(rule.Warned(kMouse));  // the empty report did not re-arm it
  EXPECT_TRUE(rule.Observe(kOther, 9, kDischarging));
}

}  // namespace
}  // namespace korvex
