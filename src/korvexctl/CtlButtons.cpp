// korvexctl set button SLOT FUNCTION, reset buttons: the buttons page's
// assignments from the command line, stored as the page stores them and
// written to the mouse as one 0x09 report (with the macro first for a
// macro binding).
#include <string>
#include <vector>

#include "app/DeviceTask.h"
#include "buttons/ButtonFunctionSpec.h"
#include "buttons/ButtonFunctions.h"
#include "i18n/Texts.h"
#include "korvexctl/CtlArgs.h"
#include "korvexctl/CtlCommands.h"
#include "korvexctl/CtlSession.h"
#include "protocol/ButtonCommands.h"
#include "store/SettingsStore.h"

namespace korvex {
namespace {

constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 9;

std::string Text(int id) { return GetText(id); }

// The stored name of a macro, or false when the store has none with that id.
bool MacroName(CtlSession& s, int macroId, std::string& name) {
  MacroInfo info;
  if (!s.Store().GetMacro(macroId, info)) return false;
  name = info.name;
  return true;
}

}  // namespace

CtlResult RunSetButton(CtlSession& s, const std::string& slotText, const std::string& function) {
  long long slot = 0;
  if (!ParseWholeNumber(slotText, slot) || slot < kFirstSlot || slot > kLastSlot)
    return Fail(kExitUsage, "the button slot must be 1 to 9");
  ButtonFunctionSpec chosen;
  std::string error;
  if (!ParseButtonFunction(function, chosen, error)) return Fail(kExitUsage, error);
  const int keyCode = static_cast<int>(slot - 1);
  // Restoring the left button's own click is no reassignment; anything else is.
  if (LeftButtonGuarded(keyCode) && !chosen.isDefault())
    return Fail(kExitUsage, "slot 1 is the left button and keeps its click");
  CtlResult r;
  if (!Reachable(s, r)) return r;

  std::string macroName;
  if (chosen.category == kMacroBinding && !MacroName(s, chosen.value, macroName))
    return Fail(kExitUsage, "no macro with id " + std::to_string(chosen.value));
  const std::string description = ButtonFunctionDescription(chosen, Text, macroName);
  const ProfileId profile = s.Worker().State().currentProfile;
  const KeyAssignmentRecord row =
      chosen.isDefault() ? MakeReset(profile, keyCode)
                       : MakeAssignment(profile, keyCode, chosen.category, chosen.value, chosen.value2, description);
  // Both values 0 ("default") removes the row; anything else must be stored.
  const int stored = s.Store().SetKeyAssignment(row);
  if (!chosen.isDefault() && stored <= 0) return Fail(kExitSetup, "the assignment could not be stored");
  if (chosen.category == kMacroBinding) s.Worker().MarkMacroUpload(keyCode);

  CtlResult done;
  done.text = "button " + slotText + " set to " + (chosen.isDefault() ? "its default function" : description) + "\n";
  done.json.Add("ok", true)
      .Add("setting", "button")
      .Add("slot", static_cast<int>(slot))
      .Add("macro_type", row.macro_type)
      .Add("macro_value", row.macro_value)
      .Add("macro_value2", row.macro_value2)
      .Add("description", row.macro_desc);
  return Send(s, kWriteButtons, "buttons (command 0x09)", done);
}

CtlResult RunResetButtons(CtlSession& s) {
  CtlResult r;
  if (!Reachable(s, r)) return r;
  if (!s.Store().DeleteKeyAssignments(s.Worker().State().currentProfile))
    return Fail(kExitSetup, "the assignments could not be removed");
  CtlResult done;
  done.text = "every button is back to its default function\n";
  done.json.Add("ok", true).Add("reset", "buttons");
  return Send(s, kWriteButtons, "buttons (command 0x09)", done);
}

}  // namespace korvex
