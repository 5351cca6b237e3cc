#include "korvexctl/CtlCommands.h"

#include <cstdio>

#include "app/EntryRules.h"
#include "app/ProfileValues.h"
#include "app/VersionDisplay.h"
#include "i18n/Texts.h"
#include "korvexctl/CtlArgs.h"
#include "korvexctl/CtlPerformance.h"
#include "korvexctl/CtlLighting.h"
#include "korvexctl/CtlSession.h"
#include "profiles/ProfileSwitch.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"

namespace korvex {

CtlResult Fail(int code, const std::string& error) {
  CtlResult r;
  r.exitCode = code;
  r.error = error;
  return r;
}

bool Reachable(CtlSession& s, CtlResult& failure) {
  std::string error;
  if (s.MouseReachable(error)) return true;
  failure = Fail(kExitNoMouse, error);
  return false;
}

CtlResult Send(CtlSession& s, int code, const std::string& what, CtlResult done) {
  std::string error;
  if (s.Run(code, error)) return done;
  const int exitCode = s.ExplainFailure(what, error);
  return Fail(exitCode, error);
}

namespace {

std::string ReadName(int command) {
  switch (command) {
    case 0x11: return "the first synchronisation (command 0x11)";
    case 0x12: return "the report rate (command 0x12)";
    case 0x13: return "the DPI stages (command 0x13)";
    case 0x14: return "the DPI colours (command 0x14)";
    case 0x15: return "the lighting (command 0x15)";
    case 0x16: return "the lift-off and sensor options (command 0x16)";
    case 0x17: return "the power options (command 0x17)";
    case 0x20: return "the mouse firmware version (command 0x20)";
    default: return "the settings";
  }
}

}  // namespace

bool Synced(CtlSession& s, CtlResult& failure) {
  if (!Reachable(s, failure)) return false;
  const MouseSettings m = s.Worker().State().mouseSettings;
  std::string error;
  if (!m.read || !m.complete) {
    failure = Fail(s.ExplainFailure("reading " + ReadName(m.unanswered), error, &m.refused), error);
    return false;
  }
  // What the mouse said never reached the store: the store is not the
  // mouse's copy, and nothing may be written from it.
  if (s.StoreFailedDuringSync() || !m.stored) {
    failure = Fail(kExitSetup, "storing the mouse's settings: " + s.StoreProblem());
    return false;
  }
  return true;
}

// A value the store did not take is not sent either.
CtlResult StoreFailure(CtlSession& s) { return Fail(kExitSetup, s.StoreProblem()); }

namespace {

std::string HexVersion(std::uint32_t release) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(release));
  return text;
}

// "1.30" from "130": the display rule of the device page, without caption.
std::string Dotted(const std::string& version) {
  const std::string row = FormatVersionRow("", version, false);
  return row.size() > 2 ? row.substr(2) : row;
}

std::string ColourText(int colour) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  return text;
}

std::string ModelName(const CtlSession& s, int type) {
  const DeviceModelEntry* model = s.Catalogue().FindModel(type);
  return model ? model->name : "device type " + std::to_string(type);
}


}  // namespace

CtlResult RunDevices(CtlSession& s) {
  CtlResult r;
  const DeviceMainDef state = s.Worker().State();
  HidDeviceManager& hid = s.Hid();
  // Every classified interface, not only those of the current type.
  std::vector<HidInterfaceEntry> entries;
  const int sessionMode = hid.SessionMode();
  {
    std::lock_guard<std::recursive_mutex> lock(hid.Mutex());
    const int current = hid.CurrentDeviceType();
    hid.SetCurrentDeviceType(0);
    hid.CollectEntries(entries);
    hid.SetCurrentDeviceType(current);
  }
  std::vector<JsonObject> list;
  for (const HidInterfaceEntry& e : entries) {
    if (e.deviceType <= 0) continue;
    // The interface that carries the connection (wired wins over receiver).
    const bool current = e.deviceType == state.currentType && e.mode == sessionMode;
    const bool online = e.onlineState == HidInterfaceEntry::kOnline && e.mouseConnected != 0;
    const std::string version = HexVersion(e.release);
    JsonObject item;
    item.Add("model", ModelName(s, e.deviceType))
        .Add("type", e.deviceType)
        .Add("mode", e.mode == 1 ? "receiver" : "wired")
        .Add("current", current)
        .Add("online", online)
        .Add("battery_level", e.batteryLevel)
        .Add("battery_state", e.batteryState);
    std::string line = std::string(current ? "* " : "  ") + ModelName(s, e.deviceType) + " (type " +
                       std::to_string(e.deviceType) + "), " + (e.mode == 1 ? "receiver" : "wired") + ", " +
                       (online ? "online" : "offline");
    if (e.batteryLevel > 0)
      line += ", battery " + std::to_string(e.batteryLevel) + "% (state " + std::to_string(e.batteryState) + ")";
    if (e.mode == 1) {
      item.Add("receiver_version", Dotted(version));
      line += ", receiver v" + Dotted(version);
      if (current && !state.mouseFirmwareVersion.empty()) {
        item.Add("mouse_version", Dotted(state.mouseFirmwareVersion));
        line += ", mouse v" + Dotted(state.mouseFirmwareVersion);
      }
    } else {
      item.Add("mouse_version", Dotted(version));
      line += ", firmware v" + Dotted(version);
    }
    r.text += line + "\n";
    list.push_back(item);
  }
  if (list.empty()) r.text = "no supported mouse or receiver found\n";
  r.json.Add("ok", true).Add("devices", list);
  return r;
}

CtlResult RunShow(CtlSession& s) {
  CtlResult r;
  if (!Synced(s, r)) return r;
  const DeviceMainDef state = s.Worker().State();
  // Printed from the mouse's own answers, not from the store.
  const MouseSettings& m = state.mouseSettings;
  const int count = m.dpiCount;
  const int index = m.dpiIndex;

  r.text = "model: " + ModelName(s, state.currentType) + "\n";
  r.text += "profile: " + std::to_string(state.currentProfile) + " (" + s.View().ProfileLabel() + ")\n";
  r.text += "dpi stages: " + std::to_string(count) + ", active " + std::to_string(index + 1) + "\n";
  std::vector<JsonObject> stages;
  for (int k = 0; k < count && k < 6; ++k) {
    const int value = m.dpi[k];
    const std::string colour = m.coloursPresent ? ColourText(static_cast<int>(m.colours[k])) : "none";
    r.text += "  " + std::to_string(k + 1) + ": " + std::to_string(value) + " dpi, colour " + colour + "\n";
    JsonObject stage;
    stages.push_back(stage.Add("dpi", value).Add("colour", colour));
  }
  const int rate = m.reportRate;
  const int sleep = m.sleepLight;
  const int sensor = m.sensorFlag;
  char sensorText[16];
  std::snprintf(sensorText, sizeof sensorText, "0x%02X", sensor);
  r.text += "report rate: " + std::to_string(ReportRateHertzOf(rate)) + " Hz\n";
  r.text += "lift-off: " + std::to_string(m.liftoffHeight) + " mm\n";
  r.text += "sensor options: " + std::string(sensorText) + "\n";
  r.text += "sleep: " + std::to_string(sleep * 10) + " s, wake on move: " + (m.moveWakeup == 1 ? "on" : "off") +
            ", lights off while moving: " + (m.moveCloseLight == 1 ? "on" : "off") + "\n";
  r.text += "button response: " + std::to_string(m.buttonResponseTime) + "\n";

  r.json.Add("ok", true)
      .Add("model", ModelName(s, state.currentType))
      .Add("type", state.currentType)
      .Add("profile", state.currentProfile)
      .Add("profile_name", s.View().ProfileLabel())
      .Add("dpi_count", count)
      .Add("dpi_index", index + 1)
      .Add("dpi_stages", stages)
      .Add("report_rate_hz", ReportRateHertzOf(rate))
      .Add("liftoff_mm", m.liftoffHeight)
      .Add("sensor_flag", sensor)
      .Add("sleep_seconds", sleep * 10)
      .Add("move_wakeup", m.moveWakeup == 1)
      .Add("move_closelight", m.moveCloseLight == 1)
      .Add("button_response", m.buttonResponseTime);

  if (state.hasLighting && m.lightingRead) {
    LightRecord row;
    std::string name;
    if (s.Store().GetLight(state.currentProfile, m.lightMode, row)) name = GetText(row.reserved);
    if (name.empty()) name = row.name.empty() ? "mode " + std::to_string(m.lightMode) : row.name;
    r.text += "lighting: " + name + " (mode " + std::to_string(m.lightMode) + "), brightness " +
              std::to_string(m.lightBrightness) + ", speed " + std::to_string(m.lightSpeed) + "\n";
    JsonObject light;
    light.Add("mode", m.lightMode).Add("name", name).Add("brightness", m.lightBrightness).Add("speed", m.lightSpeed);
    r.json.Add("lighting", light);
  }
  ShowLighting(s, r);
  return r;
}

namespace {

CtlResult SetDpi(CtlSession& s, ProfileValues& v, const std::string& stageText, const std::string& valueText) {
  long long stage = 0, typed = 0;
  const int count = v.Int("dpi_count");
  if (!ParseWholeNumber(stageText, stage) || stage < 1 || stage > count)
    return Fail(kExitUsage, "the stage must be 1 to " + std::to_string(count));
  if (!ParseWholeNumber(valueText, typed)) return Fail(kExitUsage, "the DPI value must be a number");
  const int value = DpiEntryValue(s.Worker().State().sensorCode, typed);
  if (!v.SetInt(ProfileValues::StageValueKey(static_cast<int>(stage - 1)), value)) return StoreFailure(s);
  CtlResult done;
  done.text = "DPI stage " + std::to_string(stage) + " set to " + std::to_string(value) +
              (value != typed ? " (the sensor's nearest value to " + valueText + ")" : "") + "\n";
  done.json.Add("ok", true).Add("setting", "dpi").Add("stage", static_cast<int>(stage)).Add("value", value);
  return Send(s, kWriteDpiStages, "DPI stages (command 0x03)", done);
}

CtlResult SetDpiCount(CtlSession& s, ProfileValues& v, const std::string& text) {
  long long n = 0;
  if (!ParseWholeNumber(text, n) || n < 1 || n > 6) return Fail(kExitUsage, "the stage count must be 1 to 6");
  if (!v.SetInt("dpi_count", n)) return StoreFailure(s);
  // The active stage must stay among the stages in use.
  if (v.Int("dpi_index") >= n && !v.SetInt("dpi_index", n - 1)) return StoreFailure(s);
  CtlResult done;
  done.text = "DPI stage count set to " + text + "\n";
  done.json.Add("ok", true).Add("setting", "dpi-count").Add("value", static_cast<int>(n));
  return Send(s, kWriteDpiStages, "DPI stages (command 0x03)", done);
}

CtlResult SetDpiIndex(CtlSession& s, ProfileValues& v, const std::string& text) {
  long long n = 0;
  const int count = v.Int("dpi_count");
  if (!ParseWholeNumber(text, n) || n < 1 || n > count)
    return Fail(kExitUsage, "the active stage must be 1 to " + std::to_string(count));
  if (!v.SetInt("dpi_index", n - 1)) return StoreFailure(s);
  CtlResult done;
  done.text = "active DPI stage set to " + text + "\n";
  done.json.Add("ok", true).Add("setting", "dpi-index").Add("value", static_cast<int>(n));
  return Send(s, kWriteDpiStages, "DPI stages (command 0x03)", done);
}

CtlResult SetReportRate(CtlSession& s, ProfileValues& v, const std::string& text) {
  long long hz = 0;
  const int choices = s.Worker().State().rateChoiceCount;
  const int code = ParseWholeNumber(text, hz) ? ReportRateCodeOf(static_cast<int>(hz), choices) : 0;
  if (code == 0)
    return Fail(kExitUsage, std::string("this mouse offers 125, 250, 500, 1000") +
                                (choices == 7 ? ", 2000, 4000 and 8000 Hz" : " Hz"));
  if (!v.SetInt("report_rate", code) || !v.SetInt("report_rate_wireless", code)) return StoreFailure(s);
  CtlResult done;
  done.text = "report rate set to " + text + " Hz\n";
  done.json.Add("ok", true).Add("setting", "report-rate").Add("value", static_cast<int>(hz));
  return Send(s, kWriteReportRate, "report rate (command 0x02)", done);
}

CtlResult SetLiftoff(CtlSession& s, ProfileValues& v, const std::string& text) {
  if (text != "1" && text != "2") return Fail(kExitUsage, "the lift-off distance is 1 or 2 (mm)");
  if (!v.SetInt("liftoff_height", text == "2" ? 2 : 1)) return StoreFailure(s);
  CtlResult done;
  done.text = "lift-off distance set to " + text + " mm\n";
  done.json.Add("ok", true).Add("setting", "liftoff").Add("value", text == "2" ? 2 : 1);
  return Send(s, kWriteLiftoffSensor, "lift-off and sensor options (command 0x06)", done);
}

CtlResult SetSleep(CtlSession& s, ProfileValues& v, const std::string& text) {
  long long minutes = 0;
  const int value = ParseWholeNumber(text, minutes) ? SleepValueOfMinutes(static_cast<int>(minutes)) : 0;
  if (value == 0) return Fail(kExitUsage, "the sleep time is 1, 2, 5, 10, 20 or 30 (minutes)");
  if (!v.SetInt("sleep_light", value)) return StoreFailure(s);
  CtlResult done;
  done.text = "sleep time set to " + text + " min\n";
  done.json.Add("ok", true).Add("setting", "sleep").Add("value", static_cast<int>(minutes));
  return Send(s, kWritePowerOptions, "power options (command 0x07)", done);
}

}  // namespace

CtlResult RunSet(CtlSession& s, const std::vector<std::string>& op) {
  if (IsPerformanceSetting(op[0])) return RunSetPerformance(s, op);
  if (op[0] == "button") return RunSetButton(s, op[1], op[2]);
  CtlResult r;
  if (!Synced(s, r)) return r;
  ProfileValues v(s.Store(), s.Worker().State().currentProfile);
  const std::string& what = op[0];
  if (what == "lighting") return RunSetLighting(s, op);
  if (what == "dpi") return SetDpi(s, v, op[1], op[2]);
  if (what == "dpi-count") return SetDpiCount(s, v, op[1]);
  if (what == "dpi-index") return SetDpiIndex(s, v, op[1]);
  if (what == "report-rate") return SetReportRate(s, v, op[1]);
  if (what == "liftoff") return SetLiftoff(s, v, op[1]);
  return SetSleep(s, v, op[1]);
}

CtlResult RunProfile(CtlSession& s, const std::string& number) {
  CtlResult r;
  if (!Synced(s, r)) return r;
  std::vector<ProfileRecord> profiles;
  s.Store().ListProfiles(profiles);
  long long n = 0;
  if (!ParseWholeNumber(number, n) || n < 1 || n > static_cast<long long>(profiles.size()))
    return Fail(kExitUsage, "the profile number must be 1 to " + std::to_string(profiles.size()));
  const ProfileId id = profiles[static_cast<std::size_t>(n - 1)].profile;
  std::uint64_t ticket = 0;
  DeviceWorker& worker = s.Worker();
  const ProfileState state = SwitchProfile(s.Store(), id, [&](int code) {
    // A profile the store did not make active is not written to the mouse.
    if (s.StoreFailedSinceSync()) return;
    // The current profile must be the new one before the worker takes the task.
    worker.SetCurrentProfile(id);
    ticket = worker.QueueTask(code);
  });
  if (ticket == 0) return Fail(kExitSetup, "activating profile " + number + ": " + s.StoreProblem());
  std::string error;
  if (!s.Wait(ticket, error)) {
    const int exitCode = s.ExplainFailure("writing profile " + number + " to the mouse", error);
    return Fail(exitCode, error);
  }
  r.text = "profile " + number + " (" + state.label + ") is active and written to the mouse\n";
  r.json.Add("ok", true).Add("profile", static_cast<int>(n)).Add("name", state.label);
  return r;
}

CtlResult RunReset(CtlSession& s, const std::vector<std::string>& operands) {
  CtlResult r;
  if (!operands.empty() && IsPerformanceReset(operands[0])) return RunResetPerformance(s, operands[0]);
  if (!operands.empty() && operands[0] == "buttons") return RunResetButtons(s);
  if (!operands.empty() && operands[0] == "lighting") return Reachable(s, r) ? RunResetLighting(s) : r;
  if (!operands.empty()) return Fail(kExitUsage, "unknown reset target " + operands[0]);
  if (!Synced(s, r)) return r;
  std::string error;
  if (!s.Wait(s.Worker().RestoreDefaults(), error)) {
    const int exitCode = s.ExplainFailure("restoring the defaults", error);
    return Fail(exitCode, error);
  }
  // The defaults are only known once the mouse has been read again.
  if (!Synced(s, r)) return r;
  r.text = "the mouse and its settings are back to their defaults\n";
  r.json.Add("ok", true).Add("reset", true);
  return r;
}

}  // namespace korvex
