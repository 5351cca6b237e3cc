// The dispatcher's codes, the writers and the idle poll against the
// in-process virtual mouse.
#include <gtest/gtest.h>

#include "WorkerRig.h"
#include "protocol/DpiConversion.h"

namespace korvex::test {
namespace {

const std::vector<int> kProfileWrite = {0x09, 0x05, 0x03, 0x04, 0x02, 0x06, 0x07};

// A rig whose initial synchronisation has run, its commands taken.
void Synced(WorkerRig& rig) {
  rig.StartLikeTheWindow();
  rig.Settle();
  rig.TakeCommands();
  rig.View().Clear();
}

TEST(TasksTest, QueuedWritersRunInOrderDuplicatesTwiceAndSilentCodesSendNothing) {
  WorkerRig rig("k1");
  Synced(rig);
  for (int code : std::initializer_list<int>{kWriteDpiStages, kWriteDpiColours, kWriteReportRate, kWriteReportRate,
                   kButtonResponseTime, 25, 15, 21})
    rig.Worker().QueueTask(code);
  rig.Settle();
  EXPECT_EQ((std::vector<int>{0x03, 0x04, 0x02, 0x02}), rig.TakeCommands(true));
}

// Values that could not be read are not the defaults: a task whose store
// read failed sends nothing at all, and the mouse keeps what it holds.
TEST(TasksTest, AStoreThatCannotBeReadSendsNothing) {
  WorkerRig rig("k3");
  Synced(rig);
  const sim::SlotSettings before = rig.Mouse("k3");
  rig.Store().CloseIfOpen();
  for (int code : {kWriteDpiStages, kWriteDpiColours, kWriteReportRate, kWriteLiftoffSensor, kWritePowerOptions,
                   kWriteButtons, kWriteLighting, kApplyProfile})
    EXPECT_FALSE(rig.RunTask(code)) << code;
  EXPECT_EQ(std::vector<int>{}, rig.TakeCommands());
  EXPECT_EQ(before, rig.Mouse("k3"));
}

TEST(TasksTest, ApplyProfileWritesEveryGroupInOrderAndGoesOnAfterARefusal) {
  WorkerRig rig("k3");  // K3 has lighting in the test models
  Synced(rig);
  EXPECT_TRUE(rig.RunTask(kApplyProfile));
  EXPECT_EQ(kProfileWrite, rig.TakeCommands());
  EXPECT_EQ(1, rig.View().Count("CloseWaitDialog"));

  rig.Hub().Nak(1);  // the button report is refused
  EXPECT_FALSE(rig.RunTask(kApplyProfile));
  EXPECT_EQ(kProfileWrite, rig.TakeCommands());
}

TEST(TasksTest, ApplyProfileWithoutLightingSkipsTheLightingCommand) {
  WorkerRig rig("k1");
  Synced(rig);
  EXPECT_TRUE(rig.RunTask(kApplyProfile));
  EXPECT_EQ((std::vector<int>{0x09, 0x03, 0x04, 0x02, 0x06, 0x07}), rig.TakeCommands());
}

TEST(TasksTest, ApplyProfileCarriesTheStoredProfileToTheMouse) {
  WorkerRig rig("k3");
  Synced(rig);
  SettingsStore& store = rig.Store();
  // Profile 2 has never been shown, so it has no lighting rows yet.
  for (auto [key, value] : std::vector<std::pair<const char*, const char*>>{
           {"dpi_count", "3"}, {"dpi_index", "2"}, {"dpi_group0_value", "500"},
           {"dpi_group1_value", "20"}, {"dpi_group2_value", "99999"}, {"dpi_group0_rgb", "16744448"},
           {"report_rate", "8"}, {"liftoff_height", "2"}, {"sensor_flag", "12"},
           {"sleep_light", "30"}, {"move_wakeup", "0"}, {"button_respondtime", "17"}})
    store.SetValue(2, key, value);
  rig.Worker().SetCurrentProfile(2);
  EXPECT_TRUE(rig.RunTask(kApplyProfile));

  const sim::SlotSettings m = rig.Mouse("k3");
  EXPECT_EQ(3, m.stageCount);
  EXPECT_EQ(2, m.stageIndex);
  EXPECT_EQ(5, m.stageX[0]);     // 500 / 100 on sensor 53
  EXPECT_EQ(1, m.stageX[1]);     // 20 is below the minimum: sent as 100
  EXPECT_EQ(160, m.stageX[2]);   // above the maximum: sent as 16000
  EXPECT_EQ(m.stageX[2], m.stageY[2]);
  EXPECT_EQ((sim::Rgb{0x00, 0x80, 0xFF}), m.stageColour[0]);
  EXPECT_EQ(8, m.reportRate);
  EXPECT_EQ(2, m.liftoff);
  EXPECT_EQ(1, m.sensorA);
  EXPECT_EQ(1, m.sensorB);
  EXPECT_EQ(30, m.sleepTime);
  EXPECT_EQ(0, m.moveWakeup);
  EXPECT_EQ(17, m.buttonResponse);  // the response time travels with 0x07
  EXPECT_EQ(1, m.lightMode);        // the fresh profile's default row, mode 1
  EXPECT_EQ(0x42, m.lightLevel[1]);
  EXPECT_EQ(1, rig.Store().GetActiveLightMode(2));
  EXPECT_EQ(6, rig.Store().CountLights(2));
}

TEST(TasksTest, ButtonResponseTimeReachesTheMouseOnlyWithThePowerOptions) {
  WorkerRig rig("k1");
  Synced(rig);
  rig.Store().SetValue(1, "button_respondtime", "19");
  rig.RunTask(kButtonResponseTime);
  EXPECT_NE(19, rig.Mouse("k1").buttonResponse);
  EXPECT_TRUE(rig.TakeCommands(true).empty());
  rig.RunTask(kWritePowerOptions);
  EXPECT_EQ(19, rig.Mouse("k1").buttonResponse);
}

TEST(TasksTest, WriteButtonsUploadsTheMarkedMacroOnceThenTheButtons) {
  WorkerRig rig("k1");
  Synced(rig);
  SettingsStore& store = rig.Store();
  const int macro = store.CreateMacro("m");
  ASSERT_GT(macro, 0);
  MacroEventRecord e;
  e.macro_id = macro;
  for (int i = 0; i < 8; ++i) {  // 8 events: two 0x08 reports
    e.type = i % 2 == 0 ? 2 : 3;
    e.record_index = i;
    e.value = 0x41;
    store.InsertMacroEvent(e);
  }
  KeyAssignmentRecord row;
  row.profile = 1;
  row.key_code = 3;
  row.macro_type = 4;
  row.macro_value = macro;
  ASSERT_GT(store.SetKeyAssignment(row), 0);

  rig.Worker().MarkMacroUpload(3);
  EXPECT_TRUE(rig.RunTask(kWriteButtons));
  EXPECT_EQ((std::vector<int>{0x08, 0x08, 0x09}), rig.TakeCommands());
  const sim::SlotSettings m = rig.Mouse("k1");
  EXPECT_EQ(0x90, m.buttons[3].function);
  EXPECT_EQ(33u, m.macros[3].size());  // key code and 8 events
  // The mark is used up: the next write sends the buttons alone.
  EXPECT_TRUE(rig.RunTask(kWriteButtons));
  EXPECT_EQ((std::vector<int>{0x09}), rig.TakeCommands());
}

// A macro past what the upload can number (101 events) never reaches the
// mouse: its button must get the default triple, not a macro slot that
// would play an older macro.
TEST(TasksTest, AMacroTooLongToUploadLeavesItsButtonAtTheDefault) {
  WorkerRig rig("k1");
  Synced(rig);
  SettingsStore& store = rig.Store();
  auto bind = [&](int keyCode, int events) {
    const int macro = store.CreateMacro("m" + std::to_string(events));
    MacroEventRecord e;
    e.macro_id = macro;
    for (int i = 0; i < events; ++i) {
      e.type = i % 2 == 0 ? 2 : 3;
      e.record_index = i;
      e.value = 0x41;
      store.InsertMacroEvent(e);
    }
    KeyAssignmentRecord row;
    row.profile = 1;
    row.key_code = keyCode;
    row.macro_type = 4;
    row.macro_value = macro;
    EXPECT_GT(store.SetKeyAssignment(row), 0);
  };
  bind(3, 102);
  bind(4, 101);  // the longest macro that still fits

  rig.Worker().MarkMacroUpload(3);
  EXPECT_TRUE(rig.RunTask(kWriteButtons));
  EXPECT_EQ((std::vector<int>{0x09}), rig.TakeCommands());  // nothing uploaded
  sim::SlotSettings m = rig.Mouse("k1");
  EXPECT_EQ(0x10, m.buttons[3].function);
  EXPECT_EQ(0x08, m.buttons[3].a);
  EXPECT_EQ(0x90, m.buttons[4].function);

  rig.Worker().MarkMacroUpload(4);
  EXPECT_TRUE(rig.RunTask(kWriteButtons));
  std::vector<int> fifteenPacketsThenButtons(15, 0x08);
  fifteenPacketsThenButtons.push_back(0x09);
  EXPECT_EQ(fifteenPacketsThenButtons, rig.TakeCommands());
  m = rig.Mouse("k1");
  EXPECT_EQ(405u, m.macros[4].size());
  EXPECT_EQ(0x10, m.buttons[3].function);
}

TEST(TasksTest, WriteLightingSendsTheActiveRowAndNothingWithoutOne) {
  WorkerRig rig("k3");
  Synced(rig);
  LightRecord row;
  ASSERT_TRUE(rig.Store().GetLight(1, 3, row));
  row.brightness = 2;
  row.speed = 3;
  row.color_value1 = 0xFF0C00;
  rig.Store().UpdateLight(1, 3, row);
  rig.Store().SetActiveLightMode(1, 3);
  EXPECT_TRUE(rig.RunTask(kWriteLighting));
  sim::SlotSettings m = rig.Mouse("k3");
  EXPECT_EQ(3, m.lightMode);
  EXPECT_EQ(0x23, m.lightLevel[3]);
  EXPECT_EQ((sim::Rgb{0x00, 0x0C, 0xFF}), m.steadyColour);

  rig.TakeCommands();
  rig.Store().DeleteLights(1);
  EXPECT_FALSE(rig.RunTask(kWriteLighting));
  EXPECT_TRUE(rig.TakeCommands().empty());
}

TEST(TasksTest, ResetsRestoreTheMouseGroupAndFollowInTheStore) {
  WorkerRig rig("k3");
  // Programmed before the program opens the mouse: replies to another
  // reader's frames would reach the program's reader too.
  rig.SendRaw("k3", {0, 0x02, 0, 1, 1, 0x08});
  rig.SendRaw("k3", {0, 0x05, 0, 1, 2, 4, 0x13});
  Synced(rig);
  ASSERT_EQ("8", rig.Value("report_rate"));
  ASSERT_EQ(4, rig.Store().GetActiveLightMode(1));

  EXPECT_TRUE(rig.RunTask(kResetReportRate));
  EXPECT_EQ((std::vector<int>{0x0D, 0x12}), rig.TakeCommands());
  EXPECT_EQ("1", rig.Value("report_rate"));
  EXPECT_EQ("1", rig.Value("report_rate_wireless"));
  EXPECT_EQ(1, rig.View().Count("SelectReportRate 1"));

  EXPECT_TRUE(rig.RunTask(kResetLighting));
  EXPECT_EQ((std::vector<int>{0x0E, 0x15}), rig.TakeCommands());
  EXPECT_EQ(1, rig.Store().GetActiveLightMode(1));
  EXPECT_EQ(1, rig.View().Count("RefreshLightingPage"));

  rig.Store().SetValue(1, "dpi_group0_value", "3000");
  EXPECT_TRUE(rig.RunTask(kResetDpi));
  EXPECT_EQ((std::vector<int>{0x0C}), rig.TakeCommands());
  EXPECT_EQ("400", rig.Value("dpi_group0_value"));  // the model's defaults
  EXPECT_EQ(1, rig.View().Count("RefreshDpiControls"));
  EXPECT_EQ(4, rig.Mouse("k3").stageCount);
}

TEST(TasksTest, DpiButtonPressChangesTheStoredStageAndTheShownStageOnce) {
  WorkerRig rig("k1", kPolledTypeBase);
  Synced(rig);
  ASSERT_EQ("1", rig.Value("dpi_index"));
  ASSERT_TRUE(rig.Hub().PressDpiButton("k1"));  // stage 1 -> 2 of 4
  for (int i = 0; i < 300 && rig.View().Count("ShowDpiStage") == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ("2", rig.Value("dpi_index"));
  EXPECT_EQ("4", rig.Value("dpi_count"));
  // The stage shown carries the stored DPI of stage 2 and its slider spot.
  const std::string dpi = rig.Value("dpi_group2_value");
  const int slider = DpiToSlider(38, std::stoi(dpi));
  EXPECT_EQ((std::vector<std::string>{"ShowDpiStage 2 " + dpi + " " + std::to_string(slider)}),
            rig.View().Matching("ShowDpiStage"));
  EXPECT_EQ(1, rig.View().Count("ShowDpiTip " + dpi));
  EXPECT_EQ(0, rig.View().Count("ShowDpiCount"));

  // The same report again changes nothing.
  ASSERT_TRUE(rig.Hub().InjectReport("k1", 2, {0xC2, 0x24}));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(1, rig.View().Count("ShowDpiStage"));
  EXPECT_TRUE(rig.TakeCommands(true).empty());  // nothing goes back to the mouse
}

TEST(TasksTest, DpiReportOfAnotherDeviceTypeIsIgnored) {
  WorkerRig rig("k1,classic", kPolledTypeBase);
  Synced(rig);  // the generic Classic (101) is the selected device
  ASSERT_EQ(101, rig.Worker().State().currentType);
  const std::string before = rig.Value("dpi_index");
  ASSERT_TRUE(rig.Hub().PressDpiButton("k1"));
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(before, rig.Value("dpi_index"));
  EXPECT_EQ(0, rig.View().Count("ShowDpiStage"));
}

TEST(TasksTest, RestoreDefaultsWhileTasksRunLeavesAWorkingDatabase) {
  WorkerRig rig("k3");
  Synced(rig);
  rig.Hub().SetReplyDelay(3);  // stretch every exchange a little
  std::atomic<bool> done{false};
  std::thread restorer([&] {
    for (int i = 0; i < 3 && !done; ++i) {
      rig.Worker().RestoreDefaults();
      std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
  });
  // Writes that overlap a replacement may find no lighting row to send; a
  // profile the new database does not hold yet is written with the catalogue
  // defaults. Neither may crash or leave the store unusable.
  for (int i = 0; i < 4; ++i) rig.RunTask(kApplyProfile);
  done = true;
  restorer.join();
  rig.Settle();
  EXPECT_TRUE(rig.Store().IsOpen());
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(4, rig.Store().ListProfiles(profiles));
  EXPECT_EQ(1, rig.Worker().State().currentProfile);
  EXPECT_FALSE(rig.Value("dpi_count").empty());
  rig.Hub().SetReplyDelay(0);
  EXPECT_TRUE(rig.RunTask(kApplyProfile));
}

TEST(TasksTest, StopDuringALongTaskReturnsWithinTheBound) {
  WorkerRig rig("k3");
  Synced(rig);
  rig.Hub().SetReplyDelay(2000);  // every exchange now waits its full 1.5 s
  rig.Worker().QueueTask(kApplyProfile);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const auto begin = std::chrono::steady_clock::now();
  rig.Worker().Stop();
  const auto waited = std::chrono::steady_clock::now() - begin;
  EXPECT_LT(waited, std::chrono::milliseconds(1150));
  // The task gives up between two exchanges, so the thread ends soon after.
  const auto joinBegin = std::chrono::steady_clock::now();
  rig.Worker().Join();
  EXPECT_LT(std::chrono::steady_clock::now() - joinBegin, std::chrono::milliseconds(1700));
}

// A silent mouse keeps an exchange waiting up to 1.5 s for its answer; a
// stop breaks that wait off, so the thread has ended when Stop returns.
TEST(TasksTest, StopBreaksOffAnExchangeWaitingForItsAnswer) {
  WorkerRig rig("k3");
  Synced(rig);
  rig.Hub().SetReplyDelay(5000);
  rig.Worker().QueueTask(kWriteReportRate);
  for (int i = 0; i < 500 && rig.TakeCommands().empty(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_TRUE(rig.Worker().Stop());
  EXPECT_FALSE(rig.Worker().IsRunning());
}

}  // namespace
}  // namespace korvex::test
