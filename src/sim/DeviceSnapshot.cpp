#include "sim/DeviceSnapshot.h"

#include <cstdarg>
#include <cstdio>

namespace korvex::sim {
namespace {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* fmt, ...) {
  char buf[256];
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(buf, sizeof buf, fmt, args);
  va_end(args);
  return buf;
}

std::string Hex(const Rgb& c) { return Format("%02X%02X%02X", c.r, c.g, c.b); }

std::string StageLine(const SlotSettings& s) {
  std::string line = Format("  dpi: count %d index %d registers", s.stageCount, s.stageIndex);
  for (int k = 0; k < kStageCount; ++k) line += Format(" %u", s.stageX[k]);
  line += " colours";
  for (const auto& c : s.stageColour) line += " " + Hex(c);
  return line + "\n";
}

std::string ButtonLine(const SlotSettings& s) {
  std::string line = "  buttons:";
  for (const auto& t : s.buttons) line += Format(" %02X%02X%02X", t.function, t.a, t.b);
  line += " macros:";
  for (const auto& m : s.macros) line += Format(" %zu", m.empty() ? 0 : (m.size() - 1) / 4);
  return line + "\n";
}

}  // namespace

std::string FormatDeviceStatus(const DeviceSnapshot& s) {
  std::string out = Format("%s %04x:%04x release %X %s%s\n", s.name.c_str(), s.vendorId,
                           s.productId, s.release, s.plugged ? "plugged" : "unplugged",
                           s.receiver ? (s.mouseOn ? " mouse-on" : " mouse-off") : "");
  out += Format("  mouse: %s sensor %d firmware %X%02X battery %d state %d slot %d\n",
                s.identity.devId.c_str(), s.identity.sensor, s.identity.firmwareMajor,
                s.identity.firmwareMinor, s.batteryLevel, s.batteryState, s.activeSlot);
  const SlotSettings& slot = s.slot;
  out += Format("  rate: %d liftoff: %d sensor: %d %d power: %d %d %d %d\n", slot.reportRate,
                slot.liftoff, slot.sensorA, slot.sensorB, slot.sleepTime, slot.moveWakeup,
                slot.moveCloseLight, slot.buttonResponse);
  out += StageLine(slot);
  const int mode = slot.lightMode < kLightModeCount ? slot.lightMode : 0;
  out += Format("  light: mode %d level %02X steady %s\n", slot.lightMode, slot.lightLevel[mode],
                Hex(slot.steadyColour).c_str());
  out += ButtonLine(slot);
  out += Format("  update: %s error %s blocks %d bytes %u installs %d\n",
                UpdatePhaseName(s.update.phase), UpdateResultName(s.update.lastError),
                s.update.blocks, s.update.imageBytes, s.update.installs);
  return out;
}

}  // namespace korvex::sim
