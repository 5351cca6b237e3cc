#include "app/PerformanceWriters.h"

#include "app/ProfileValues.h"
#include "app/ReadBack.h"
#include "platform/Log.h"
#include "protocol/Frames.h"
#include "protocol/PerformanceCommands.h"

namespace korvex {
namespace {

bool Send(DeviceContext& ctx, ReportFrame frame, const char* failure) {
  if (ctx.hid.Exchange(frame)) return true;
  if (failure) LogLine(2, "%s", failure);
  return false;
}

}  // namespace

bool WriteDpiStages(DeviceContext& ctx) {
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
  return Send(ctx, BuildDpiStages(ctx.SensorCode(), stages), "0x03: 设置鼠标DPI数据失败");
}

bool WriteDpiColours(DeviceContext& ctx) {
  ProfileValues values(ctx.store, ctx.Profile());
  std::array<ColourRef, kDpiStageCount> colours{};
  for (int k = 0; k < kDpiStageCount; ++k)
    colours[k] = static_cast<ColourRef>(values.Int(ProfileValues::StageColourKey(k)));
  return Send(ctx, BuildDpiColours(colours), "0x04: 设置鼠标DPI颜色数据失败");
}

bool WriteReportRate(DeviceContext& ctx) {
  ProfileValues values(ctx.store, ctx.Profile());
  return Send(ctx, BuildReportRate(values.Int("report_rate")), "0x02: 设置回报率失败");
}

bool WriteLiftoffSensor(DeviceContext& ctx) {
  ProfileValues values(ctx.store, ctx.Profile());
  LiftoffSensor settings;
  settings.liftoffHeight = values.Int("liftoff_height");
  settings.sensorFlag = values.Int("sensor_flag");
  return Send(ctx, BuildLiftoffSensor(settings), "0x06: 设置静默高度和传感器选项失败");
}

bool WritePowerOptions(DeviceContext& ctx) {
  ProfileValues values(ctx.store, ctx.Profile());
  PowerOptions options;
  options.sleepLight = values.Int("sleep_light");
  options.moveWakeup = values.Int("move_wakeup");
  options.moveCloseLight = values.Int("move_closelight");
  // The response time edited on its own (task 14) travels from here.
  options.buttonResponseTime = values.Int("button_respondtime");
  return Send(ctx, BuildPowerOptions(options), "0x07: 设置睡眠时间、移动关闭灯效使能");
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
