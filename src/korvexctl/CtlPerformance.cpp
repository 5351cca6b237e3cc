#include "korvexctl/CtlPerformance.h"

#include "app/DeviceTask.h"
#include "app/EntryRules.h"
#include "app/PerformanceRules.h"
#include "app/ProfileValues.h"
#include "korvexctl/CtlArgs.h"
#include "korvexctl/CtlSession.h"

namespace korvex {
namespace {

constexpr const char* kSensorCommand = "lift-off and sensor options (command 0x06)";
constexpr const char* kPowerCommand = "power options (command 0x07)";
const char* const kSensorNames[kSensorOptionCount] = {"angle", "ripple", "motion-sync"};

CtlResult Done(const std::string& text, const std::string& setting) {
  CtlResult done;
  done.text = text;
  done.json.Add("ok", true).Add("setting", setting);
  return done;
}

CtlResult SetSensor(CtlSession& s, ProfileValues& v, const std::string& name, const std::string& state) {
  const int box = SensorOptionOfName(name);
  bool on = false;
  if (box < 0) return Fail(kExitUsage, "the sensor option is angle, ripple or motion-sync");
  if (!ParseOnOff(state, on)) return Fail(kExitUsage, "sensor " + name + " takes on or off");
  const int bit = SensorOptionBit(box);
  const int flag = on ? (v.Int("sensor_flag") | bit) : (v.Int("sensor_flag") & ~bit);
  v.SetInt("sensor_flag", flag);
  std::string text = "sensor option " + name + " " + state + "\n";
  // The sensor command carries angle snapping and ripple control only.
  if (box == 2) text += "(stored in the profile only: the mouse's sensor command does not carry it, and the next read from the mouse clears it)\n";
  CtlResult done = Done(text, "sensor");
  done.json.Add("option", kSensorNames[box]).Add("on", on).Add("sensor_flag", flag);
  return Send(s, kWriteLiftoffSensor, kSensorCommand, done);
}

CtlResult SetPowerBox(CtlSession& s, ProfileValues& v, const std::string& setting, const std::string& state) {
  bool on = false;
  if (!ParseOnOff(state, on)) return Fail(kExitUsage, setting + " takes on or off");
  const bool wake = setting == "wake";
  v.SetInt(wake ? "move_wakeup" : "move_closelight", on ? 1 : 0);
  CtlResult done = Done(std::string(wake ? "wake on movement " : "lights off while moving ") + state + "\n", setting);
  done.json.Add("on", on);
  return Send(s, kWritePowerOptions, kPowerCommand, done);
}

CtlResult SetResponseTime(CtlSession& s, ProfileValues& v, const std::string& text) {
  long long n = 0;
  if (!ParseWholeNumber(text, n) || n != ButtonResponseValue(n))
    return Fail(kExitUsage, "the button response time is 0 to 20");
  v.SetInt("button_respondtime", n);
  CtlResult done = Done("button response time set to " + text + "\n", "response-time");
  done.json.Add("value", static_cast<int>(n));
  // The response time travels in the power options.
  return Send(s, kWritePowerOptions, kPowerCommand, done);
}

CtlResult SetDpiColour(CtlSession& s, ProfileValues& v, const std::string& stageText, const std::string& colourText) {
  long long stage = 0;
  const int count = v.Int("dpi_count");
  if (!ParseWholeNumber(stageText, stage) || stage < 1 || stage > count)
    return Fail(kExitUsage, "the stage must be 1 to " + std::to_string(count));
  ColourRef colour = 0;
  if (!ParseWebColour(colourText, colour)) return Fail(kExitUsage, "the colour is #RRGGBB (red, green, blue)");
  v.SetInt(ProfileValues::StageColourKey(static_cast<int>(stage - 1)), colour);
  const std::string shown = WebColourText(colour);
  CtlResult done = Done("DPI stage " + stageText + " colour set to " + shown + "\n", "dpi-colour");
  done.json.Add("stage", static_cast<int>(stage)).Add("colour", shown);
  return Send(s, kWriteDpiColours, "DPI colours (command 0x04)", done);
}

}  // namespace

bool IsPerformanceSetting(const std::string& name) {
  return name == "sensor" || name == "wake" || name == "lights-off-moving" || name == "response-time" ||
         name == "dpi-colour";
}

CtlResult RunSetPerformance(CtlSession& s, const std::vector<std::string>& op) {
  CtlResult r;
  if (!Reachable(s, r)) return r;
  ProfileValues v(s.Store(), s.Worker().State().currentProfile);
  const std::string& what = op[0];
  if (what == "sensor") return SetSensor(s, v, op[1], op[2]);
  if (what == "response-time") return SetResponseTime(s, v, op[1]);
  if (what == "dpi-colour") return SetDpiColour(s, v, op[1], op[2]);
  return SetPowerBox(s, v, what, op[1]);
}

bool IsPerformanceReset(const std::string& target) { return target == "dpi" || target == "report-rate"; }

CtlResult RunResetPerformance(CtlSession& s, const std::string& target) {
  CtlResult r;
  if (!Reachable(s, r)) return r;
  if (target == "dpi") {
    CtlResult done = Done("DPI stages back to the model's defaults\n", "dpi");
    done.json = JsonObject{};
    done.json.Add("ok", true).Add("reset", "dpi");
    CtlResult sent = Send(s, kResetDpi, "DPI reset (command 0x0C)", done);
    if (sent.exitCode != kExitOk) return sent;
    ProfileValues v(s.Store(), s.Worker().State().currentProfile);
    sent.json.Add("dpi_count", v.Int("dpi_count")).Add("dpi_index", v.Int("dpi_index") + 1);
    return sent;
  }
  CtlResult done;
  CtlResult sent = Send(s, kResetReportRate, "report-rate reset (command 0x0D)", done);
  if (sent.exitCode != kExitOk) return sent;
  const int hertz = ReportRateHertzOf(ProfileValues(s.Store(), s.Worker().State().currentProfile).Int("report_rate"));
  sent.text = "report rate back to the default: " + std::to_string(hertz) + " Hz\n";
  sent.json.Add("ok", true).Add("reset", "report-rate").Add("report_rate_hz", hertz);
  return sent;
}

}  // namespace korvex
