// The low-battery notice from the virtual mouse's battery control.

#include "WindowRig.h"

namespace korvex::test {
namespace {

constexpr const char* kReceiver = "k3-receiver";

// Sets the battery and lets the status report reach the window.
void Battery(WindowRig& rig, int level, int state) {
  ASSERT_TRUE(rig.Hub().SetBattery(kReceiver, level, state));
  rig.Settle();
  Pump(50);
}

TEST(BatteryNotice, OncePerDischargeAndAgainAfterACharge) {
  RigOptions options;
  options.devices = kReceiver;
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    Battery(rig, 60, 0);
    EXPECT_TRUE(rig.notices.empty());

    Battery(rig, 12, 0);
    ASSERT_TRUE(WaitUntil([&] { return rig.notices.size() == 1; }, 5000));
    const std::string& notice = rig.notices.front();
    EXPECT_EQ(notice.substr(0, notice.find('|')), GetText(900));
    EXPECT_NE(notice.find("Korvex K3 Wireless"), std::string::npos) << notice;
    EXPECT_NE(notice.find("12 %"), std::string::npos) << notice;

    Battery(rig, 9, 0);
    Battery(rig, 18, 1);  // charging, not yet above 20 %
    Battery(rig, 14, 0);
    EXPECT_EQ(rig.notices.size(), 1u);

    Battery(rig, 40, 1);
    Battery(rig, 15, 0);
    EXPECT_TRUE(WaitUntil([&] { return rig.notices.size() == 2; }, 5000));
  });
}

TEST(BatteryNotice, SwitchedOffOnTheSettingsPageStaysQuiet) {
  RigOptions options;
  options.devices = kReceiver;
  options.preferences = {{"lowBatteryNotice", "0"}};
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    Battery(rig, 60, 0);
    Battery(rig, 5, 0);
    EXPECT_TRUE(rig.notices.empty());
  });
}

}  // namespace
}  // namespace korvex::test
