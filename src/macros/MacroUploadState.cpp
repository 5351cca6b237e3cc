#include "macros/MacroUploadState.h"

#include <algorithm>

#include "protocol/ButtonCommands.h"
#include "protocol/MacroCommands.h"
#include "store/SettingsStore.h"

namespace korvex {

std::vector<MacroBindingState> MacroBindings(SettingsStore& store, ProfileId profile, int macroId) {
  std::vector<MacroBindingState> out;
  std::vector<KeyAssignmentRecord> rows;
  store.ListKeyAssignments(profile, 0, rows);
  std::vector<MacroInfo> macros;
  store.ListMacros(macros);
  std::vector<MacroEventRecord> records;
  for (const KeyAssignmentRecord& row : rows) {
    if (row.macro_type != kMacroBinding || row.key_code < 0 || row.key_code >= kButtonSlots) continue;
    if (macroId != 0 && row.macro_value != macroId) continue;
    const bool exists = std::any_of(macros.begin(), macros.end(),
                                    [&](const MacroInfo& m) { return m.macro_id == row.macro_value; });
    if (!exists) continue;
    store.ListMacroEvents(row.macro_value, records);
    std::vector<MacroItem> items;
    items.reserve(records.size());
    for (const MacroEventRecord& r : records) items.push_back(MacroItem{r.type, r.value});
    std::string uploaded;
    const bool known = store.GetMacroUpload(row.key_code, uploaded);
    MacroBindingState state;
    state.keyCode = row.key_code;
    state.macroId = row.macro_value;
    state.onMouse = known && uploaded == MacroStreamHex(BuildMacroStream(row.key_code, items));
    out.push_back(state);
  }
  std::sort(out.begin(), out.end(),
            [](const MacroBindingState& a, const MacroBindingState& b) { return a.keyCode < b.keyCode; });
  return out;
}

std::vector<MacroBindingState> StaleMacroBindings(SettingsStore& store, ProfileId profile, int macroId) {
  std::vector<MacroBindingState> all = MacroBindings(store, profile, macroId);
  all.erase(std::remove_if(all.begin(), all.end(), [](const MacroBindingState& b) { return b.onMouse; }), all.end());
  return all;
}

std::string ButtonNumbers(const std::vector<MacroBindingState>& bindings) {
  std::string text;
  for (const MacroBindingState& b : bindings) {
    if (!text.empty()) text += ", ";
    text += std::to_string(b.keyCode + 1);
  }
  return text;
}

}  // namespace korvex
