// The macro commands of korvexctl, on the same rules and files as the
// window's macro page.
#include "korvexctl/CtlMacros.h"

#include <map>

#include "i18n/Texts.h"
#include "korvexctl/CtlArgs.h"
#include "korvexctl/CtlSession.h"
#include "macros/MacroFiles.h"
#include "macros/MacroNames.h"
#include "macros/MacroUploadState.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

constexpr int kTextCustom = 351;
constexpr int kTextCopy = 31;

struct SubCommand {
  std::size_t operands;
  const char* usage;
};
const std::map<std::string, SubCommand> kSubCommands = {
    {"list", {0, "macro list"}},
    {"show", {1, "macro show ID"}},
    {"import", {1, "macro import FILE"}},
    {"import-all", {1, "macro import-all FILE"}},
    {"export", {2, "macro export ID FILE"}},
    {"export-all", {1, "macro export-all FILE"}},
    {"delete", {1, "macro delete ID"}},
};

std::string Shown(const std::string& name) {
  return MacroDisplayName(name, GetText(kTextCustom), GetText(kTextCopy));
}

std::string PlayText(const MacroInfo& m) {
  if (m.play_type == 1 || m.play_type == 3) return "repeat while held";
  if (m.play_type == 2) return "press to start, press again to stop";
  return "play " + std::to_string(m.play_times) + (m.play_times == 1 ? " time" : " times");
}

std::string DelayModeText(const MacroInfo& m) {
  if (m.delay_type == 0) return "no delays";
  if (m.delay_type == 2) return "fixed delay " + std::to_string(m.delay_time) + " ms";
  return "recorded delays";
}

bool FindMacro(CtlSession& s, const std::string& text, MacroInfo& macro, CtlResult& failure) {
  long long id = 0;
  if (!ParseWholeNumber(text, id) || id < 1 || id > 0x7FFFFFFF || !s.Store().GetMacro(static_cast<int>(id), macro)) {
    failure = Fail(kExitUsage, "no macro with id " + text + " (see korvexctl macro list)");
    return false;
  }
  return true;
}

JsonObject MacroJson(const MacroInfo& m, int events) {
  JsonObject o;
  o.Add("id", m.macro_id)
      .Add("name", Shown(m.name))
      .Add("stored_name", m.name)
      .Add("events", events)
      .Add("play_type", m.play_type)
      .Add("play_times", m.play_times)
      .Add("delay_type", m.delay_type)
      .Add("delay_time", m.delay_time);
  return o;
}

CtlResult List(CtlSession& s) {
  CtlResult r;
  std::vector<MacroInfo> macros;
  s.Store().ListMacros(macros);
  std::vector<JsonObject> list;
  std::vector<MacroEventRecord> events;
  for (const MacroInfo& m : macros) {
    const int count = s.Store().ListMacroEvents(m.macro_id, events);
    r.text += std::to_string(m.macro_id) + "  " + Shown(m.name) + "  (" + std::to_string(count) + " events, " +
              PlayText(m) + ")\n";
    list.push_back(MacroJson(m, count));
  }
  if (macros.empty()) r.text = "no macros\n";
  r.json.Add("ok", true).Add("macros", list);
  return r;
}

std::string EventText(const MacroEventRecord& e) {
  static const char* const kKinds[] = {"", "delay", "key down", "key up", "button down", "button up"};
  const char* kind = e.type >= 1 && e.type <= 5 ? kKinds[e.type] : "unknown";
  return std::string(kind) + "  " + e.desc + "  (value " + std::to_string(e.value) + ")";
}

CtlResult Show(CtlSession& s, const std::string& idText) {
  CtlResult r;
  MacroInfo m;
  if (!FindMacro(s, idText, m, r)) return r;
  std::vector<MacroEventRecord> events;
  s.Store().ListMacroEvents(m.macro_id, events);
  r.text = "macro " + std::to_string(m.macro_id) + ": " + Shown(m.name) + "\n";
  r.text += "playback: " + PlayText(m) + "\nrecording: " + DelayModeText(m) + "\n";
  r.text += "events: " + std::to_string(events.size()) + "\n";
  std::vector<JsonObject> eventJson;
  for (std::size_t i = 0; i < events.size(); ++i) {
    r.text += "  " + std::to_string(i + 1) + ". " + EventText(events[i]) + "\n";
    JsonObject e;
    eventJson.push_back(
        e.Add("type", events[i].type).Add("value", events[i].value).Add("desc", events[i].desc).Add("timestamp",
                                                                                                    events[i].delay_time));
  }
  // Edits reach the mouse only with a new binding: say where the mouse
  // still plays an older version.
  const ProfileId profile = s.Worker().State().currentProfile;
  std::vector<JsonObject> bindingJson;
  for (const MacroBindingState& b : MacroBindings(s.Store(), profile, m.macro_id)) {
    r.text += "button " + std::to_string(b.keyCode + 1) + ": " +
              (b.onMouse ? "on the mouse as shown\n"
                         : "changed since it was last sent to the mouse; bind it again to send it "
                           "(korvexctl set button " + std::to_string(b.keyCode + 1) + " macro:" +
                               std::to_string(m.macro_id) + ")\n");
    JsonObject o;
    bindingJson.push_back(o.Add("button", b.keyCode + 1).Add("on_mouse", b.onMouse));
  }
  JsonObject macro = MacroJson(m, static_cast<int>(events.size()));
  macro.Add("event_list", eventJson).Add("bindings", bindingJson);
  r.json.Add("ok", true).Add("macro", macro);
  return r;
}

CtlResult Import(CtlSession& s, const std::string& path, bool all) {
  const MacroImport result = all ? ImportAllMacrosFile(s.Store(), path) : ImportMacroFile(s.Store(), path);
  if (result.status != MacroFileStatus::kOk)
    return Fail(kExitUsage, path + ": " + MacroFileStatusText(result.status) + "; nothing was imported");
  if (result.macros.empty()) return Fail(kExitUsage, path + ": the store took none of its macros");
  CtlResult r;
  std::vector<int> ids;
  for (const ImportedMacro& m : result.macros) {
    ids.push_back(m.id);
    r.text += std::to_string(m.id) + "\n";
  }
  if (result.skippedItems > 0)
    r.text += "skipped " + std::to_string(result.skippedItems) + " events the mouse cannot play\n";
  r.json.Add("ok", true).AddNumbers("ids", ids).Add("skipped_events", result.skippedItems);
  return r;
}

CtlResult Export(CtlSession& s, const std::string& idText, const std::string& path) {
  CtlResult r;
  MacroInfo m;
  if (!FindMacro(s, idText, m, r)) return r;
  if (!ExportMacroFile(s.Store(), m.macro_id, Shown(m.name), path)) return Fail(kExitUsage, "cannot write " + path);
  r.text = "macro " + idText + " written to " + path + "\n";
  r.json.Add("ok", true).Add("id", m.macro_id).Add("file", path);
  return r;
}

CtlResult ExportAll(CtlSession& s, const std::string& path) {
  if (!ExportAllMacrosFile(s.Store(), path)) return Fail(kExitUsage, "cannot write " + path);
  std::vector<MacroInfo> macros;
  const int count = s.Store().ListMacros(macros);
  CtlResult r;
  r.text = std::to_string(count) + " macros written to " + path + "\n";
  r.json.Add("ok", true).Add("count", count).Add("file", path);
  return r;
}

CtlResult Delete(CtlSession& s, const std::string& idText) {
  CtlResult r;
  MacroInfo m;
  if (!FindMacro(s, idText, m, r)) return r;
  if (!s.Store().DeleteMacro(m.macro_id)) return Fail(kExitSetup, "the settings database refused the delete");
  // Bindings stay: the mouse then gets those buttons' default functions.
  r.text = "macro " + idText + " deleted\n";
  r.json.Add("ok", true).Add("deleted", m.macro_id);
  return r;
}

}  // namespace

CtlResult RunMacro(CtlSession& s, const std::vector<std::string>& op) {
  const auto sub = op.empty() ? kSubCommands.end() : kSubCommands.find(op[0]);
  if (sub == kSubCommands.end())
    return Fail(kExitUsage, "macro needs one of list, show, import, import-all, export, export-all, delete");
  if (op.size() - 1 != sub->second.operands) return Fail(kExitUsage, std::string("usage: korvexctl ") + sub->second.usage);
  if (op[0] == "list") return List(s);
  if (op[0] == "show") return Show(s, op[1]);
  if (op[0] == "import") return Import(s, op[1], false);
  if (op[0] == "import-all") return Import(s, op[1], true);
  if (op[0] == "export") return Export(s, op[1], op[2]);
  if (op[0] == "export-all") return ExportAll(s, op[1]);
  return Delete(s, op[1]);
}

}  // namespace korvex
