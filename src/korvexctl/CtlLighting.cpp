#include "korvexctl/CtlLighting.h"

#include "app/DeviceTask.h"
#include "i18n/Texts.h"
#include "korvexctl/CtlArgs.h"
#include "korvexctl/CtlSession.h"
#include "lighting/LightRows.h"
#include "lighting/LightRules.h"
#include "lighting/LightingChange.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

bool ParseLevel(const std::vector<std::string>& op, std::size_t& i, std::optional<int>& level) {
  long long value = 0;
  if (i + 1 >= op.size() || !ParseWholeNumber(op[i + 1], value) || value < 0 || value > 4) return false;
  level = static_cast<int>(value);
  ++i;
  return true;
}

// The options after MODE; false with error for anything malformed.
bool ParseOptions(const std::vector<std::string>& op, LightingChange& change, std::string& error) {
  for (std::size_t i = 2; i < op.size(); ++i) {
    const std::string& word = op[i];
    if (word == "--brightness") {
      if (!ParseLevel(op, i, change.brightness)) return (error = "--brightness needs a level 0 to 4"), false;
    } else if (word == "--speed") {
      if (!ParseLevel(op, i, change.speed)) return (error = "--speed needs a level 0 to 4"), false;
    } else if (word == "--colour") {
      std::size_t taken = 0;
      for (; i + 1 < op.size() && op[i + 1].rfind("--", 0) != 0; ++i, ++taken) {
        ColourRef colour = 0;
        if (!ParseWebColour(op[i + 1], colour))
          return (error = "colours are written #RRGGBB (red, green, blue in hexadecimal), not " + op[i + 1]), false;
        change.colours.push_back(colour);
      }
      if (taken == 0) return (error = "--colour needs at least one #RRGGBB colour"), false;
    } else {
      return (error = "unknown lighting option " + word), false;
    }
  }
  return true;
}

std::string ModeDisplayName(const LightRecord& row) {
  std::string name = GetText(row.reserved);
  return name.empty() ? row.name : name;
}

// The colours a row's mode carries: seven slots, one free colour, or none.
std::string RowColours(const LightRecord& row) {
  const SlotColours slots = RowSlotColours(row);
  std::size_t count = 0;
  if (HasLightFunction(row.config_func, kLightColourSlots))
    count = kSlotCount;
  else if (HasLightFunction(row.config_func, kLightFreeColour))
    count = 1;
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += (i ? " " : "") + WebColourText(slots[i]);
  return text;
}

}  // namespace

CtlResult RunSetLighting(CtlSession& s, const std::vector<std::string>& op) {
  LightingChange change;
  if (op.size() < 2 || !LightModeOfName(op[1], change.mode))
    return Fail(kExitUsage, "the lighting mode is off, flow, breathing, steady, neon or wave");
  std::string error;
  if (!ParseOptions(op, change, error)) return Fail(kExitUsage, error);
  if (!s.Worker().State().hasLighting) return Fail(kExitUsage, "this mouse has no lighting");
  const ProfileId profile = s.Worker().State().currentProfile;
  error = ApplyLightingChange(s.Store(), profile, change);
  if (!error.empty()) return Fail(kExitUsage, error);

  LightRecord row;
  s.Store().GetLight(profile, change.mode, row);
  const std::string colours = RowColours(row);
  CtlResult done;
  done.text = std::string("lighting set to ") + LightModeName(change.mode) + ", brightness " +
              std::to_string(row.brightness) + ", speed " + std::to_string(row.speed) +
              (colours.empty() ? "" : ", colours " + colours) + "\n";
  done.json.Add("ok", true)
      .Add("setting", "lighting")
      .Add("mode", LightModeName(change.mode))
      .Add("brightness", row.brightness)
      .Add("speed", row.speed)
      .Add("colours", colours);
  return Send(s, kWriteLighting, "lighting (command 0x05)", done);
}

CtlResult RunResetLighting(CtlSession& s) {
  const DeviceMainDef state = s.Worker().State();
  if (!state.hasLighting) return Fail(kExitUsage, "this mouse has no lighting");
  ResetLightRows(s.Store(), state.currentProfile, state.currentType, s.Models().LightModes());
  CtlResult done;
  done.text = "the lighting of every profile is back to its defaults; the mouse's lighting was reset\n";
  done.json.Add("ok", true).Add("reset", "lighting");
  return Send(s, kResetLighting, "lighting reset (commands 0x0E, 0x15)", done);
}

void ShowLighting(CtlSession& s, CtlResult& r) {
  const DeviceMainDef state = s.Worker().State();
  if (!state.hasLighting) return;
  const int active = s.Store().GetActiveLightMode(state.currentProfile);
  std::vector<LightRecord> rows;
  s.Store().ListLights(state.currentProfile, rows);
  std::vector<JsonObject> list;
  std::string lines;
  for (const LightRecord& row : rows) {
    const std::string name = ModeDisplayName(row);
    const std::string colours = RowColours(row);
    const bool isActive = row.status == 1 && row.mode == active;
    if (isActive) {
      r.text += "lighting: " + name + " (mode " + std::to_string(row.mode) + "), brightness " +
                std::to_string(row.brightness) + ", speed " + std::to_string(row.speed) + "\n";
      JsonObject light;
      light.Add("mode", row.mode).Add("name", name).Add("brightness", row.brightness).Add("speed", row.speed);
      r.json.Add("lighting", light);
    }
    lines += std::string(isActive ? "  * " : "    ") + LightModeName(row.mode) + " (mode " + std::to_string(row.mode) +
             ", " + name + "): brightness " + std::to_string(row.brightness) + ", speed " +
             std::to_string(row.speed) + (colours.empty() ? "" : ", colours " + colours) + "\n";
    JsonObject item;
    list.push_back(item.Add("mode", row.mode)
                       .Add("key", LightModeName(row.mode))
                       .Add("name", name)
                       .Add("active", isActive)
                       .Add("brightness", row.brightness)
                       .Add("speed", row.speed)
                       .Add("colours", colours));
  }
  r.text += "lighting modes:\n" + lines;
  r.json.Add("lighting_modes", list);
}

}  // namespace korvex
