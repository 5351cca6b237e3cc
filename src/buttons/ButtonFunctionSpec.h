#pragma once
// A button function written as text (korvexctl's FUNCTION operand): "left",
// "key:ctrl+shift+a", "media:mute", "dpi:up", "fire:50,3", "macro:7",
// "disable", "default", ... See ParseButtonFunction.

#include <string>

#include "buttons/ButtonFunctions.h"

namespace korvex {

struct ButtonFunctionSpec {
  int category = 0;     // macro_type; 0 for "default" (the row is removed)
  int value = 0;        // macro_value (for "macro:" the macro id)
  int value2 = 0;       // macro_value2
  int keyCode = 0;      // key combinations: the key's key code (0: modifiers only)
  ModifierToggles toggles;  // key combinations: the modifiers given
  bool isDefault() const { return category == 0; }
};

// False with error for anything not in the grammar. Key names and words are
// taken in any case; modifiers of a combination in any order, each once.
bool ParseButtonFunction(const std::string& text, ButtonFunctionSpec& out, std::string& error);

// The description the buttons page would store for the same choice in the
// current language. Macro bindings take macroName (the name as shown).
std::string ButtonFunctionDescription(const ButtonFunctionSpec& chosen, const TextLookup& text,
                                      const std::string& macroName = "");

}  // namespace korvex
