#include "app/ReadBack.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "app/ProfileValues.h"
#include "app/VersionDisplay.h"
#include "platform/Log.h"
#include "protocol/DpiConversion.h"
#include "protocol/Frames.h"
#include "protocol/Replies.h"

namespace korvex {
namespace {

// Sends a read request; on success the frame holds the reply.
bool Read(DeviceContext& ctx, Command command, ReportFrame& frame) {
  frame = BuildReadRequest(command);
  return ctx.hid.Exchange(frame);
}

// Step 2: sensor, limits and battery from the stored device information.
void ApplyStoredDeviceInfo(DeviceContext& ctx) {
  ReportBuffer buffer{};
  DeviceInfo info;
  if (!ctx.hid.QueryDeviceInfo(buffer, nullptr)) return;
  if (!ParseDeviceInfo(buffer.data(), buffer.size(), info)) return;
  const SensorLimits& limits = SensorLimitsOf(info.sensorCode);
  const int rateChoices = ReportRateChoiceCount(info.reportRateCapability);
  const int type = ctx.state.Update([&](DeviceMainDef& d) {
    d.sensorCode = info.sensorCode;
    d.deviceWord = info.deviceWord;
    d.dpiMin = limits.dpiMin;
    d.dpiMax = limits.dpiMax;
    d.sliderMax = limits.sliderMax;
    d.rateChoiceCount = rateChoices;
    d.mouseConnected = info.mouseConnected;
    d.batteryState = info.batteryState;
    d.batteryLevel = info.batteryLevel;
    return d.currentType;
  });
  ctx.view.ShowSensorLimits(info.sensorCode, limits, rateChoices);
  ctx.view.ShowBattery(info.batteryLevel, info.batteryState);
  ctx.view.SetDeviceBattery(type, info.batteryState, info.batteryLevel);
}

// What the reads brought, stored in one go after the last read so that no
// database work sits between two exchanges.
struct ReadResults {
  std::vector<std::pair<std::string, long long>> values;
  std::optional<LightingState> lighting;
  void Set(std::string key, long long value) { values.emplace_back(std::move(key), value); }
};

void ReadReportRate(DeviceContext& ctx, ReadResults& out) {
  ReportFrame frame;
  int rateCode = 0;
  if (!Read(ctx, Command::ReadReportRate, frame)) return;
  if (!ParseReportRate(frame, frame.length, rateCode)) return;
  out.Set("report_rate", rateCode);
  out.Set("report_rate_wireless", rateCode);
}

void ReadDpiStages(DeviceContext& ctx, ReadResults& out, int sensor) {
  ReportFrame frame;
  DpiStagesReply reply;
  if (!Read(ctx, Command::ReadDpiStages, frame)) return;
  if (!ParseDpiStages(frame, frame.length, sensor, reply)) return;
  out.Set("dpi_flag", reply.count);
  out.Set("dpi_count", reply.count);
  out.Set("dpi_index", reply.index);
  for (int k = 0; k < kDpiStageCount; ++k) {
    // Empty or nonsensical registers come back below the smallest DPI.
    if (reply.dpi[k] >= 50) out.Set(ProfileValues::StageValueKey(k), reply.dpi[k]);
  }
}

void ReadDpiColours(DeviceContext& ctx, ReadResults& out) {
  ReportFrame frame;
  DpiColoursReply reply;
  if (!Read(ctx, Command::ReadDpiColours, frame)) return;
  if (!ParseDpiColours(frame, frame.length, reply) || !reply.present) return;
  for (int k = 0; k < kDpiStageCount; ++k) out.Set(ProfileValues::StageColourKey(k), reply.colours[k]);
}

void ReadLighting(DeviceContext& ctx, ReadResults& out) {
  ReportFrame frame;
  LightingState reply;
  if (!Read(ctx, Command::ReadLighting, frame)) return;
  if (ParseLightingState(frame, frame.length, reply)) out.lighting = reply;
}

void ReadLiftoff(DeviceContext& ctx, ReadResults& out) {
  ReportFrame frame;
  LiftoffSensor reply;
  if (!Read(ctx, Command::ReadLiftoffSensor, frame)) return;
  if (!ParseLiftoffSensor(frame, frame.length, reply)) return;
  out.Set("liftoff_height", reply.liftoffHeight);
  out.Set("sensor_flag", reply.sensorFlag);
}

void ReadPower(DeviceContext& ctx, ReadResults& out) {
  ReportFrame frame;
  PowerOptions reply;
  if (!Read(ctx, Command::ReadPowerOptions, frame)) return;
  if (!ParsePowerOptions(frame, frame.length, reply)) return;
  out.Set("sleep_light", reply.sleepLight);
  out.Set("move_wakeup", reply.moveWakeup);
  out.Set("move_closelight", reply.moveCloseLight);
  out.Set("button_respondtime", reply.buttonResponseTime);
}

void ApplyLighting(DeviceContext& ctx, ProfileId profile, const LightingState& reply) {
  ctx.store.SetActiveLightMode(profile, reply.mode);
  LightRecord row;
  if (ctx.store.GetLight(profile, reply.mode, row)) {
    row.brightness = reply.brightness;
    row.speed = reply.speed;
    ctx.store.UpdateLight(profile, reply.mode, row);
  }
}

void ReadMouseFirmware(DeviceContext& ctx) {
  ReportFrame frame;
  std::string version;
  if (!Read(ctx, Command::ReadMouseFirmware, frame)) return;
  if (!ParseFirmwareVersion(frame, frame.length, version)) return;
  ctx.state.Update([&](DeviceMainDef& d) { d.mouseFirmwareVersion = version; });
  ctx.view.ShowVersionRow(0, FormatVersionRow(ctx.text(551), version, false), ctx.text(580));
}

// Step 4: every setting, in the mouse's read order, the reads back to back;
// then everything they brought is stored as one transaction.
void ReadAllSettings(DeviceContext& ctx) {
  const ProfileId profile = ctx.Profile();
  const int sensor = ctx.SensorCode();
  ReadResults results;
  const std::function<void()> steps[] = {
      // 0x11 opens the first synchronisation; its answer carries nothing we use.
      [&] { ReportFrame frame; Read(ctx, Command::ReadFirstSync, frame); },
      [&] { ReadReportRate(ctx, results); },
      [&] { ReadDpiStages(ctx, results, sensor); },
      [&] { ReadDpiColours(ctx, results); },
      [&] { ReadLighting(ctx, results); },
      [&] { ReadLiftoff(ctx, results); },
      [&] { ReadPower(ctx, results); },
      // The mouse's own version is only reachable through the receiver.
      [&] { if (ctx.hid.SessionMode() == 1) ReadMouseFirmware(ctx); },
  };
  for (const auto& step : steps) {
    if (ctx.stopping()) break;
    step();
  }
  // What was read before a stop is kept all the same.
  ctx.store.RunInTransaction([&] {
    ProfileValues values(ctx.store, profile);
    for (const auto& [key, value] : results.values) values.SetInt(key, value);
    if (results.lighting) ApplyLighting(ctx, profile, *results.lighting);
  });
}

}  // namespace

bool ReadReportRateInto(DeviceContext& ctx, ProfileId profile, int& rateCode) {
  ReportFrame frame;
  if (!Read(ctx, Command::ReadReportRate, frame)) return false;
  if (!ParseReportRate(frame, frame.length, rateCode)) return false;
  ProfileValues values(ctx.store, profile);
  values.SetInt("report_rate", rateCode);
  values.SetInt("report_rate_wireless", rateCode);
  return true;
}

bool ReadLightingInto(DeviceContext& ctx, ProfileId profile) {
  ReportFrame frame;
  LightingState reply;
  if (!Read(ctx, Command::ReadLighting, frame)) return false;
  if (!ParseLightingState(frame, frame.length, reply)) return false;
  ApplyLighting(ctx, profile, reply);
  return true;
}

bool ReadBack(DeviceContext& ctx) {
  // Step 1: the display starts from what is stored until the mouse answers.
  const DeviceMainDef before = ctx.state.Update([](DeviceMainDef& d) {
    d.mouseConnected = false;
    return d;
  });
  ctx.view.ShowBattery(before.batteryLevel, 0);
  ctx.view.SetDeviceBattery(before.currentType, before.batteryState, 0);

  ApplyStoredDeviceInfo(ctx);

  const bool connected = ctx.state.Read([](const DeviceMainDef& d) { return d.mouseConnected; });
  if (!connected) {
    LogLine(2, "无线设备未连接");
    return false;
  }
  const bool firstTime = ctx.state.Update([](DeviceMainDef& d) {
    return d.readBackTypes.insert(d.currentType).second;
  });
  if (firstTime) ReadAllSettings(ctx);
  return true;
}

}  // namespace korvex
