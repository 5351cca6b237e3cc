#include "app/PerformanceWriters.h"

#include "app/ProfileValues.h"
#include "app/ReadBack.h"
#include "platform/Log.h"
#include "protocol/Frames.h"
#include "protocol/PerformanceCommands.h"
#include "store/StoreFailures.h"

namespace korvex {
namespace {

// A value that could not be read must not go out as its default: the
// mouse would lose what the user set.
bool Send(DeviceContext& ctx, ReportFrame frame, const char* failure,
          const StoreFailureWatch& watch = StoreFailureWatch()) {
  if (watch.Failed()) {
    LogLine(2, "settings could not be read; nothing sent");
    return false;
  }
  if (ctx.hid.Exchange(frame)) return true;
  if (failure) LogLine(2, "%s", failure);
  return false;
}

}  // namespace

bool WriteDpiStages(DeviceContext& ctx) {
  const StoreFailureWatch watch;
  ProfileValues values(ctx.store, ctx.Profile());
  DpiStages stages;
  stages.count = values.Int("dpi_count");
  stages.index = values.Int("dpi_index");
  for (int k = 0; k < kDpiStageCount; ++k) stages.dpi[k] = values.Int(ProfileValues::StageValueKey(k));
  // What the mouse is told is what a DPI-button report is compared with.
  ctx.state.Update([&](DeviceMainDef& d) {
    d.stageCount = stages.count;
    d.currentStage = stages.index;
  });
  return Send(ctx, BuildDpiStages(ctx.SensorCode(), stages), "0x03: 设置鼠标DPI数据失败", watch);
}

bool WriteDpiColours(DeviceContext& ctx) {
  const StoreFailureWatch watch;
  ProfileValues values(ctx.store, ctx.Profile());
  std::array<ColourRef, kDpiStageCount> colours{};
  for (int k = 0; k < kDpiStageCount; ++k)
    colours[k] = static_cast<ColourRef>(values.Int(ProfileValues::StageColourKey(k)));
  return Send(ctx, BuildDpiColours(colours), "0x04: 设置鼠标DPI颜色数据失败", watch);
}

bool WriteReportRate(DeviceContext& ctx) {
  const StoreFailureWatch watch;
  ProfileValues values(ctx.store, ctx.Profile());
  return Send(ctx, BuildReportRate(values.Int("report_rate")), "0x02: 设置回报率失败", watch);
}

bool WriteLiftoffSensor(DeviceContext& ctx) {
  const StoreFailureWatch watch;
  ProfileValues values(ctx.store, ctx.Profile());
  LiftoffSensor settings;
  settings.liftoffHeight = values.Int("liftoff_height");
  settings.sensorFlag = values.Int("sensor_flag");
  return Send(ctx, BuildLiftoffSensor(settings), "0x06: 设置静默高度和传感器选项失败", watch);
}

bool WritePowerOptions(DeviceContext& ctx) {
  const StoreFailureWatch watch;
  ProfileValues values(ctx.store, ctx.Profile());
  PowerOptions options;
  options.sleepLight = values.Int("sleep_light");
  options.moveWakeup = values.Int("move_wakeup");
  options.moveCloseLight = values.Int("move_closelight");
  // The response time edited on its own (task 14) travels from here.
  options.buttonResponseTime = values.Int("button_respondtime");
  return Send(ctx, BuildPowerOptions(options), "0x07: 设置睡眠时间、移动关闭灯效使能", watch);
}

bool ResetReportRate(DeviceContext& ctx) {
  const bool ok = Send(ctx, BuildResetReportRate(), nullptr);
  ctx.sleep(100);
  int rateCode = 0;
  if (ReadReportRateInto(ctx, ctx.Profile(), rateCode)) ctx.view.SelectReportRate(rateCode);
  return ok;
}

bool ResetLighting(DeviceContext& ctx) {
  const bool ok = Send(ctx, BuildResetLighting(), nullptr);
  ctx.sleep(100);
  ReadLightingInto(ctx, ctx.Profile());
  ctx.view.RefreshLightingPage();
  return ok;
}

}  // namespace korvex
