#pragma once
// Whether the mouse plays what the store holds for the macros bound to the
// active profile's buttons. A macro reaches the mouse only when it is bound
// again (or sent on purpose), so an edit after the upload leaves the mouse
// playing the old events; this makes that visible.

#include <string>
#include <vector>

#include "store/StoreRecords.h"

namespace korvex {

class SettingsStore;

struct MacroBindingState {
  int keyCode = 0;   // the button (slot index)
  int macroId = 0;
  bool onMouse = false;  // the stream last acknowledged equals today's
};

// Every binding of the profile to an existing macro (macroId 0: all
// macros), in key-code order.
std::vector<MacroBindingState> MacroBindings(SettingsStore& store, ProfileId profile, int macroId = 0);
// The bindings whose macro changed since its last upload.
std::vector<MacroBindingState> StaleMacroBindings(SettingsStore& store, ProfileId profile, int macroId = 0);
// "4, 6": the buttons of the bindings as numbered for people (key code + 1).
std::string ButtonNumbers(const std::vector<MacroBindingState>& bindings);

}  // namespace korvex
