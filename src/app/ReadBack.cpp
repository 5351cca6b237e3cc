#include "app/ReadBack.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/ProfileValues.h"
#include "app/VersionDisplay.h"
#include "platform/Log.h"
#include "protocol/DpiConversion.h"
#include "protocol/Frames.h"
#include "protocol/Replies.h"
#include "store/StoreFailures.h"

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

// Each key's range: a reply with a value outside it did not answer the
// read (it is a stale or garbled report), and nothing of it is stored.
bool IsRateCode(int code) {
  return code == 1 || code == 2 || code == 4 || code == 8 || code == 16 || code == 32 || code == 64;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

using StoreValues = std::vector<std::pair<std::string, std::string>>;

void Put(StoreValues& values, const std::string& key, int value) {
  values.emplace_back(key, std::to_string(value));
}

bool ReadDpiStages(DeviceContext& ctx, MouseSettings& m, StoreValues& values, int sensor) {
  ReportFrame frame;
  DpiStagesReply reply;
  if (!Read(ctx, Command::ReadDpiStages, frame)) return false;
  if (!ParseDpiStages(frame, frame.length, sensor, reply)) return false;
  if (!InRange(reply.count, 1, kDpiStageCount) || !InRange(reply.index, 0, reply.count - 1)) return false;
  const int dpiMax = SensorLimitsOf(sensor).dpiMax;
  m.dpiCount = reply.count;
  m.dpiIndex = reply.index;
  Put(values, "dpi_flag", reply.count);
  Put(values, "dpi_count", reply.count);
  Put(values, "dpi_index", reply.index);
  for (int k = 0; k < kDpiStageCount; ++k) {
    m.dpi[k] = reply.dpi[k];
    // Empty or nonsensical registers come back below the smallest DPI.
    if (InRange(reply.dpi[k], 50, dpiMax)) Put(values, ProfileValues::StageValueKey(k), reply.dpi[k]);
  }
  return true;
}

bool ReadDpiColours(DeviceContext& ctx, MouseSettings& m, StoreValues& values) {
  ReportFrame frame;
  DpiColoursReply reply;
  if (!Read(ctx, Command::ReadDpiColours, frame)) return false;
  if (!ParseDpiColours(frame, frame.length, reply)) return false;
  m.coloursPresent = reply.present;
  if (!reply.present) return true;
  for (int k = 0; k < kDpiStageCount; ++k) {
    m.colours[k] = reply.colours[k];
    Put(values, ProfileValues::StageColourKey(k), static_cast<int>(reply.colours[k]));
  }
  return true;
}

bool ReadLiftoff(DeviceContext& ctx, MouseSettings& m, StoreValues& values) {
  ReportFrame frame;
  LiftoffSensor reply;
  if (!Read(ctx, Command::ReadLiftoffSensor, frame)) return false;
  if (!ParseLiftoffSensor(frame, frame.length, reply)) return false;
  if (!InRange(reply.liftoffHeight, 1, 2)) return false;
  m.liftoffHeight = reply.liftoffHeight;
  m.sensorFlag = reply.sensorFlag;
  Put(values, "liftoff_height", reply.liftoffHeight);
  Put(values, "sensor_flag", reply.sensorFlag);
  return true;
}

bool ReadPower(DeviceContext& ctx, MouseSettings& m, StoreValues& values) {
  ReportFrame frame;
  PowerOptions reply;
  if (!Read(ctx, Command::ReadPowerOptions, frame)) return false;
  if (!ParsePowerOptions(frame, frame.length, reply)) return false;
  // Sleep from 10 s to the longest choice, 30 min; switches 0 or 1; the
  // response time 0 to 20.
  if (!InRange(reply.sleepLight, 1, 180) || !InRange(reply.moveWakeup, 0, 1) ||
      !InRange(reply.moveCloseLight, 0, 1) || !InRange(reply.buttonResponseTime, 0, 20)) {
    return false;
  }
  m.sleepLight = reply.sleepLight;
  m.moveWakeup = reply.moveWakeup;
  m.moveCloseLight = reply.moveCloseLight;
  m.buttonResponseTime = reply.buttonResponseTime;
  Put(values, "sleep_light", reply.sleepLight);
  Put(values, "move_wakeup", reply.moveWakeup);
  Put(values, "move_closelight", reply.moveCloseLight);
  Put(values, "button_respondtime", reply.buttonResponseTime);
  return true;
}

bool ReadRate(DeviceContext& ctx, int& rateCode) {
  ReportFrame frame;
  if (!Read(ctx, Command::ReadReportRate, frame)) return false;
  return ParseReportRate(frame, frame.length, rateCode) && IsRateCode(rateCode);
}

bool ReadLightingState(DeviceContext& ctx, LightingState& reply) {
  ReportFrame frame;
  if (!Read(ctx, Command::ReadLighting, frame)) return false;
  return ParseLightingState(frame, frame.length, reply) && InRange(reply.mode, 0, 5);
}

void StoreLighting(DeviceContext& ctx, ProfileId profile, const LightingState& reply) {
  ctx.store.SetActiveLightMode(profile, reply.mode);
  LightRecord row;
  if (ctx.store.GetLight(profile, reply.mode, row)) {
    row.brightness = reply.brightness;
    row.speed = reply.speed;
    ctx.store.UpdateLight(profile, reply.mode, row);
  }
}

bool ReadMouseFirmware(DeviceContext& ctx) {
  ReportFrame frame;
  std::string version;
  if (!Read(ctx, Command::ReadMouseFirmware, frame)) return false;
  if (!ParseFirmwareVersion(frame, frame.length, version)) return false;
  ctx.state.Update([&](DeviceMainDef& d) { d.mouseFirmwareVersion = version; });
  ctx.view.ShowVersionRow(0, FormatVersionRow(ctx.text(551), version, false), ctx.text(580));
  return true;
}

// Step 4: every setting, in the mouse's read order. Only answered reads
// reach the store, all together once the reads are done, so a store that
// is busy costs one wait and not one per key.
void ReadAllSettings(DeviceContext& ctx) {
  const ProfileId profile = ctx.Profile();
  const int sensor = ctx.SensorCode();
  MouseSettings m;
  m.read = true;
  StoreValues values;
  LightingState lighting;
  const std::pair<Command, std::function<bool()>> steps[] = {
      // 0x11 opens the first synchronisation; its answer carries nothing we use.
      {Command::ReadFirstSync, [&] { ReportFrame frame; return Read(ctx, Command::ReadFirstSync, frame); }},
      {Command::ReadReportRate,
       [&] {
         if (!ReadRate(ctx, m.reportRate)) return false;
         Put(values, "report_rate", m.reportRate);
         Put(values, "report_rate_wireless", m.reportRate);
         return true;
       }},
      {Command::ReadDpiStages, [&] { return ReadDpiStages(ctx, m, values, sensor); }},
      {Command::ReadDpiColours, [&] { return ReadDpiColours(ctx, m, values); }},
      {Command::ReadLighting, [&] { return m.lightingRead = ReadLightingState(ctx, lighting); }},
      {Command::ReadLiftoffSensor, [&] { return ReadLiftoff(ctx, m, values); }},
      {Command::ReadPowerOptions, [&] { return ReadPower(ctx, m, values); }},
      // The mouse's own version is only reachable through the receiver.
      {Command::ReadMouseFirmware, [&] { return ctx.hid.SessionMode() != 1 || ReadMouseFirmware(ctx); }},
  };
  for (const auto& [command, step] : steps) {
    const bool answered = !ctx.stopping() && step();
    if (!answered && m.unanswered == 0) {
      m.unanswered = static_cast<int>(command);
      m.refused = ctx.hid.LastExchangeOutcome() == HidDeviceManager::ExchangeOutcome::Refused;
    }
  }
  m.complete = m.unanswered == 0;
  m.lightMode = lighting.mode;
  m.lightBrightness = lighting.brightness;
  m.lightSpeed = lighting.speed;

  const StoreFailureWatch watch;
  m.stored = values.empty() || ctx.store.SetValues(profile, values);
  if (m.stored && m.lightingRead) StoreLighting(ctx, profile, lighting);
  m.stored = m.stored && !watch.Failed();
  if (!m.stored) LogLine(2, "read-back could not be stored");
  ctx.state.Update([&](DeviceMainDef& d) { d.mouseSettings = m; });
}

}  // namespace

bool ReadReportRateInto(DeviceContext& ctx, ProfileId profile, int& rateCode) {
  if (!ReadRate(ctx, rateCode)) return false;
  ProfileValues values(ctx.store, profile);
  values.SetInt("report_rate", rateCode);
  values.SetInt("report_rate_wireless", rateCode);
  return true;
}

bool ReadLightingInto(DeviceContext& ctx, ProfileId profile) {
  LightingState reply;
  if (!ReadLightingState(ctx, reply)) return false;
  StoreLighting(ctx, profile, reply);
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
