// Feeds arbitrary bytes to every reply parser exactly as delivered (a heap
// buffer of the reply's own length, so a read past the end is caught), and
// reuses them as macro records and as a firmware image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "protocol/DpiConversion.h"
#include "protocol/FirmwareReport.h"
#include "protocol/MacroCommands.h"
#include "protocol/Replies.h"

namespace {

using namespace korvex;

void Check(bool condition) {
  if (!condition) std::abort();
}

void ParseAll(const std::uint8_t* data, std::size_t size) {
  const int sensor = size > 0 ? data[0] : 0;
  DeviceInfo info;
  if (ParseDeviceInfo(data, size, info)) {
    Check(info.deviceId.size() <= 4);
    ReportRateChoiceCount(info.reportRateCapability);
    SensorLimitsOf(info.sensorCode);
  }
  int rate = 0;
  ParseReportRate(data, size, rate);
  DpiStagesReply stages;
  if (ParseDpiStages(data, size, sensor, stages)) Check(stages.count <= 15 && stages.index <= 15);
  DpiColoursReply colours;
  if (ParseDpiColours(data, size, colours)) {
    for (ColourRef c : colours.colours) Check(c <= 0xFFFFFF);
  }
  LightingState light;
  ParseLightingState(data, size, light);
  LiftoffSensor lift;
  if (ParseLiftoffSensor(data, size, lift)) Check((lift.sensorFlag & ~0x0C) == 0);
  PowerOptions power;
  ParsePowerOptions(data, size, power);
  std::string version;
  if (ParseFirmwareVersion(data, size, version)) Check(version.size() >= 3 && version.size() <= 4);
  StatusReport status;
  ParseStatusReport(data, size, status);
  DpiChangeReport change;
  ParseDpiChangeReport(data, size, change);
}

void ParseAllFromFrame(const std::uint8_t* data, std::size_t size) {
  ReportFrame frame;
  std::memcpy(frame.data(), data, size < frame.bytes.size() ? size : frame.bytes.size());
  DeviceInfo info;
  ParseDeviceInfo(frame, size, info);
  DpiStagesReply stages;
  ParseDpiStages(frame, size, size > 1 ? data[1] : 0, stages);
  std::string version;
  ParseFirmwareVersion(frame, size, version);
  StatusReport status;
  ParseStatusReport(frame, size, status);
}

void EncodeMacro(const std::uint8_t* data, std::size_t size) {
  std::vector<MacroItem> records;
  for (std::size_t i = 0; i + 3 <= size; i += 3) {
    const int value = static_cast<std::int16_t>(data[i + 1] | (data[i + 2] << 8)) * (data[i] & 0x80 ? 7 : 1);
    records.push_back({data[i] % 7, value});
  }
  std::vector<ReportFrame> reports;
  const int count = BuildMacroReports(size > 0 ? data[0] : 0, records, reports);
  Check(count >= 0 && count <= kMaxMacroPackets && static_cast<std::size_t>(count) == reports.size());
  for (const ReportFrame& r : reports) Check(r[32] == r.ComputeChecksum() && r[4] <= 27);
}

void BuildFirmware(const std::uint8_t* data, std::size_t size) {
  std::vector<FirmwareReport> reports;
  const int count = BuildFirmwareDataReports(data, size, reports);
  Check(static_cast<std::size_t>(count) == (size + 47) / 48);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ParseAll(data, size);
  ParseAllFromFrame(data, size);
  EncodeMacro(data, size);
  BuildFirmware(data, size);
  if (size >= 8) {
    int a = 0, b = 0;
    std::memcpy(&a, data, 4);
    std::memcpy(&b, data + 4, 4);
    a %= 1000000;  // DPI and positions stay far from int overflow
    b %= 100000;
    DpiToRegister(b % 64, a);
    RegisterToDpi(b % 64, b);
    DpiToSlider(b % 64, a);
    SliderToDpi(b % 64, b);
  }
  return 0;
}
