// Connection synchronisation against the in-process virtual mouse.
#include <gtest/gtest.h>

#include "WorkerRig.h"

namespace korvex::test {
namespace {

const std::vector<int> kReadOrder = {0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};

// Puts settings on the K3 that differ from every store default, with frames
// written by hand (sensor 53: register = DPI / 100).
void ProgramK3(WorkerRig& rig, const std::string& device) {
  rig.SendRaw(device, {0, 0x02, 0, 1, 1, 0x04});
  rig.SendRaw(device, {0, 0x03, 0, 1, 0x25, 0x25, 4, 0, 4, 0, 9, 0, 9, 0, 14, 0, 14, 0,
                       19, 0, 19, 0, 120, 0, 120, 0, 160, 0, 160, 0});
  rig.SendRaw(device, {0, 0x04, 0, 1, 0x12, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 1, 2, 3,
                       4, 5, 6, 7, 8, 9, 10, 11, 12});
  rig.SendRaw(device, {0, 0x05, 0, 1, 5, 3, 0x31, 0x0A, 0x0B, 0x0C});
  rig.SendRaw(device, {0, 0x06, 0, 1, 5, 2, 1, 0, 0, 0});
  rig.SendRaw(device, {0, 0x07, 0, 1, 4, 18, 0, 1, 12});
}

TEST(SyncTest, InitialSyncReadsEverySettingOnceInOrderAndStoreMatchesMouse) {
  WorkerRig rig("k3");
  ProgramK3(rig, "k3");
  rig.StartLikeTheWindow();
  rig.Settle();

  EXPECT_EQ(kReadOrder, rig.TakeCommands());
  const DeviceMainDef state = rig.Worker().State();
  EXPECT_TRUE(state.initialSyncDone);
  EXPECT_EQ(112, state.currentType);
  EXPECT_EQ(53, state.sensorCode);
  EXPECT_EQ(100, state.dpiMin);
  EXPECT_EQ(16000, state.dpiMax);
  EXPECT_EQ(5, state.rateChoiceCount);  // capability 0x10
  EXPECT_EQ(1, state.currentProfile);

  const sim::SlotSettings mouse = rig.Mouse("k3");
  EXPECT_EQ(std::to_string(mouse.reportRate), rig.Value("report_rate"));
  EXPECT_EQ("4", rig.Value("report_rate_wireless"));
  EXPECT_EQ("5", rig.Value("dpi_count"));
  EXPECT_EQ("5", rig.Value("dpi_flag"));
  EXPECT_EQ("2", rig.Value("dpi_index"));
  const char* dpi[] = {"400", "900", "1400", "1900", "12000", "16000"};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(std::to_string(mouse.stageX[k] * 100), rig.Value("dpi_group" + std::to_string(k) + "_value"));
    EXPECT_EQ(dpi[k], rig.Value("dpi_group" + std::to_string(k) + "_value"));
    const auto& c = mouse.stageColour[k];
    EXPECT_EQ(std::to_string(c.r | c.g << 8 | c.b << 16), rig.Value("dpi_group" + std::to_string(k) + "_rgb"));
  }
  EXPECT_EQ(std::to_string(0x33 << 16 | 0x22 << 8 | 0x11), rig.Value("dpi_group0_rgb"));
  EXPECT_EQ("2", rig.Value("liftoff_height"));
  EXPECT_EQ("8", rig.Value("sensor_flag"));
  EXPECT_EQ("18", rig.Value("sleep_light"));
  EXPECT_EQ("0", rig.Value("move_wakeup"));
  EXPECT_EQ("1", rig.Value("move_closelight"));
  EXPECT_EQ("12", rig.Value("button_respondtime"));

  // Lighting: mode 3 became the active row with brightness 3, speed 1.
  EXPECT_EQ(3, rig.Store().GetActiveLightMode(1));
  LightRecord row;
  ASSERT_TRUE(rig.Store().GetLight(1, 3, row));
  EXPECT_EQ(3, row.brightness);
  EXPECT_EQ(1, row.speed);
  EXPECT_EQ(mouse.lightLevel[3], (row.brightness << 4) | row.speed);

  // What the window was told, in order of importance.
  EXPECT_EQ(1, rig.View().Count("ShowSensorLimits 53 100 16000 160 5"));
  EXPECT_EQ(1, rig.View().Count("ShowConnectionText 51"));
  EXPECT_EQ(1, rig.View().Count("ShowProfileName"));
  EXPECT_EQ(1, rig.View().Count("ShowVersionRow 0 [T551: v1.30] [T580]"));
  EXPECT_EQ(1, rig.View().Count("EnableFirmwareButtons 1 0"));
  EXPECT_EQ("130", state.mouseFirmwareVersion);
}

TEST(SyncTest, ReconnectingTheSameTypeReadsNothingUntilRestoreOfDefaults) {
  WorkerRig rig("k3");
  rig.StartLikeTheWindow();
  rig.Settle();
  EXPECT_EQ(kReadOrder, rig.TakeCommands());
  rig.Store().SetValue(1, "dpi_group0_value", "777");

  ASSERT_TRUE(rig.Hub().Unplug("k3"));
  rig.RunTask(kRemovalRefresh);
  EXPECT_FALSE(rig.Worker().State().devicePresent);
  ASSERT_TRUE(rig.Hub().Plug("k3"));
  EXPECT_TRUE(rig.RunTask(kReconnectSync));
  rig.RunTask(kSelectedDeviceSync);
  EXPECT_TRUE(rig.TakeCommands().empty());
  EXPECT_EQ("777", rig.Value("dpi_group0_value"));  // the store kept the user's value

  rig.View().Clear();
  const auto ticket = rig.Worker().RestoreDefaults();
  bool ok = false;
  ASSERT_TRUE(rig.Worker().WaitForTask(ticket, 20000, &ok));
  EXPECT_TRUE(ok);
  std::vector<int> expected = {0x0F};
  expected.insert(expected.end(), kReadOrder.begin(), kReadOrder.end());
  EXPECT_EQ(expected, rig.TakeCommands());
  EXPECT_EQ("400", rig.Value("dpi_group0_value"));  // the fresh database holds the mouse's stage 0
  EXPECT_EQ(1, rig.View().Count("CloseWaitDialog"));
  EXPECT_EQ(1, rig.Models().defaultsApplied.load());
}

TEST(SyncTest, ReceiverConnectionReadsTheMouseVersionAndWiredNever) {
  WorkerRig rig("k3-receiver");
  rig.StartLikeTheWindow();
  rig.Settle();
  std::vector<int> expected = kReadOrder;
  expected.push_back(0x20);
  EXPECT_EQ(expected, rig.TakeCommands());
  const DeviceMainDef state = rig.Worker().State();
  EXPECT_EQ("130", state.mouseFirmwareVersion);
  EXPECT_EQ("112", state.receiverVersion);
  EXPECT_EQ(1, rig.View().Count("ShowConnectionText 52"));
  // The 0x20 row (without the v) is replaced by the version display.
  const std::vector<std::string> rows = {
      "ShowVersionRow 0 [T551: 1.30] [T580]", "ShowVersionRow 0 [T551] []",
      "ShowVersionRow 1 [T552] []", "ShowVersionRow 1 [T552: v1.12] [T580]"};
  EXPECT_EQ(rows, rig.View().Matching("ShowVersionRow"));
  EXPECT_EQ(1, rig.View().Count("EnableFirmwareButtons 0 1"));
}

TEST(SyncTest, WiredWinsOverReceiverAndNeverSends0x20) {
  WorkerRig rig("k3,k3-receiver");
  rig.StartLikeTheWindow();
  rig.Settle();
  EXPECT_EQ(kReadOrder, rig.TakeCommands());
  EXPECT_EQ(1, rig.View().Count("ShowConnectionText 51"));
  ASSERT_TRUE(rig.Hub().Unplug("k3-receiver"));
  ASSERT_TRUE(rig.Hub().Plug("k3-receiver"));
  rig.RunTask(kReconnectSync);
  for (int c : rig.TakeCommands()) EXPECT_NE(0x20, c);
}

TEST(SyncTest, SwitchedOffReceiverMouseFailsTheSyncAndComesBackThroughThePoll) {
  WorkerRig rig("k3-receiver", kPolledTypeBase);
  ASSERT_TRUE(rig.Hub().MouseOff("k3-receiver"));
  rig.StartLikeTheWindow();
  rig.Settle();
  EXPECT_FALSE(rig.Worker().State().initialSyncDone);
  EXPECT_TRUE(rig.TakeCommands().empty());

  rig.View().Clear();
  ASSERT_TRUE(rig.Hub().MouseOn("k3-receiver"));
  for (int i = 0; i < 200 && rig.View().Count("ShowDevicePages") == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(1, rig.View().Count("ShowConnectionText 52"));
  EXPECT_EQ(1, rig.View().Count("SetDeviceState 12 1 1"));
  EXPECT_TRUE(rig.Worker().State().mouseOnline);
  EXPECT_TRUE(rig.Worker().State().mouseConnected);

  rig.View().Clear();
  ASSERT_TRUE(rig.Hub().MouseOff("k3-receiver"));
  for (int i = 0; i < 200 && rig.View().Count("ShowPagesForOnlineDevices") == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(1, rig.View().Count("ShowConnectionText 50"));
  EXPECT_EQ(1, rig.View().Count("SetDeviceState 12 1 0"));
  EXPECT_GE(rig.View().Count("ClosePopups"), 1);
  EXPECT_FALSE(rig.Worker().State().mouseOnline);
  // Offline: exchanges fail without touching the mouse.
  EXPECT_FALSE(rig.RunTask(kWriteReportRate));
  EXPECT_TRUE(rig.TakeCommands().empty());
}

// The read-back's guards: a stage that reads back below 50 DPI keeps its
// stored value, and so do all colours when reply bytes 4 to 7 are zero; a
// single non-zero byte there brings all six in.
TEST(SyncTest, ReadBackKeepsStoredStagesAndColoursThatTheMouseCannotHold) {
  {
    WorkerRig rig("k3");
    // Sensor 53 (register = DPI / 100): stage 5 holds register 0, stage 4 3000.
    rig.SendRaw("k3", {0, 0x03, 0, 1, 0x25, 0x36, 4, 0, 4, 0, 9, 0, 9, 0, 14, 0, 14, 0,
                       19, 0, 19, 0, 30, 0, 30, 0, 0, 0, 0, 0});
    rig.SendRaw("k3", {0, 0x04, 0, 1, 0x12, 0, 0, 0, 0, 0x80, 0xFF, 1, 2, 3, 4, 5, 6,
                       7, 8, 9, 10, 11, 12});
    rig.StartLikeTheWindow();
    rig.Settle();
    EXPECT_EQ("3000", rig.Value("dpi_group4_value"));
    EXPECT_EQ("26000", rig.Value("dpi_group5_value"));  // the profile's default stays
    EXPECT_EQ("255", rig.Value("dpi_group0_rgb"));       // no colour taken at all
    EXPECT_NE(std::to_string(0xFF8000), rig.Value("dpi_group1_rgb"));
  }
  WorkerRig rig("k3");
  rig.SendRaw("k3", {0, 0x04, 0, 1, 0x12, 0, 0, 0, 1, 0x80, 0xFF, 1, 2, 3, 4, 5, 6,
                     7, 8, 9, 10, 11, 12});
  rig.StartLikeTheWindow();
  rig.Settle();
  EXPECT_EQ("0", rig.Value("dpi_group0_rgb"));
  EXPECT_EQ(std::to_string(0xFF8001), rig.Value("dpi_group1_rgb"));
}

// A read the mouse refuses is skipped: its keys keep their values and the
// reads after it still run.
TEST(SyncTest, ReadBackSkipsARefusedReadAndGoesOn) {
  WorkerRig rig("k3");
  ProgramK3(rig, "k3");  // report rate code 4 and five stages on the mouse
  rig.Worker().RefreshDevices();
  rig.Hub().Nak(2);  // 0x11 and 0x12 are refused
  rig.Worker().QueueTask(kInitialSync);
  rig.Worker().Start();
  rig.Settle();
  EXPECT_EQ(kReadOrder, rig.TakeCommands());
  EXPECT_TRUE(rig.Worker().State().initialSyncDone);
  EXPECT_EQ("2", rig.Value("report_rate"));  // the store default, not the mouse's 4
  EXPECT_EQ("5", rig.Value("dpi_count"));
  EXPECT_EQ("1400", rig.Value("dpi_group2_value"));
  EXPECT_EQ("12", rig.Value("button_respondtime"));
}

TEST(SyncTest, NoDeviceKeepsTheWorkerIdle) {
  WorkerRig rig("k1");
  ASSERT_TRUE(rig.Hub().Unplug("k1"));
  rig.StartLikeTheWindow();
  rig.Settle();
  EXPECT_FALSE(rig.Worker().State().devicePresent);
  EXPECT_EQ(1, rig.View().Count("ShowConnectionText 50"));
  EXPECT_FALSE(rig.RunTask(kWriteDpiStages));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(rig.TakeCommands(true).empty());
}

}  // namespace
}  // namespace korvex::test
