#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "transport/ReportFrame.h"

namespace korvex {

constexpr int kButtonSlots = 9;

// Function byte and two parameter bytes of one button slot.
struct ButtonSlot {
  std::uint8_t function = 0;
  std::uint8_t a = 0;
  std::uint8_t b = 0;
  bool operator==(const ButtonSlot&) const = default;
};

// Function categories (macro_type of an assignment row).
enum FunctionCategory : int {
  kMouseFunction = 1,
  kKeyCombination = 2,
  kMediaFunction = 3,
  kMacroBinding = 4,
  kDpiFunction = 5,
  kSpecialFunction = 6,
  kFireFunction = 7,
  kSystemShortcut = 8,
  kDisabled = 9,
};

// Play mode of a bound macro (play_type, play_times of its macro row).
struct MacroPlayMode {
  int playType = 0;
  int playTimes = 0;
};

// One assignment row as the encoder needs it. For a macro binding the caller
// sets `macro` when the macro with id macroValue exists; without it the slot
// keeps its default.
struct ButtonAssignment {
  int keyCode = 0;
  int macroType = 0;
  int macroValue = 0;
  int macroValue2 = 0;
  std::optional<MacroPlayMode> macro;
};

// Slot the mouse gives key code 0..8 by default (00 00 00 outside).
ButtonSlot DefaultButtonSlot(int keyCode);
std::array<ButtonSlot, kButtonSlots> DefaultButtonSlots();

// The triple of one assignment applied over the slot's current triple; some
// categories keep bytes of `current` (macro binding to a missing macro,
// special function with an unknown code, unknown categories).
ButtonSlot EncodeButtonSlot(const ButtonSlot& current, const ButtonAssignment& row);

// Play-mode bits and count for a macro binding: A = keyCode | bits, B = count.
ButtonSlot MacroBindingSlot(int keyCode, const MacroPlayMode& mode);

// Default slots overwritten by each row in order; key codes outside 0..8 are
// ignored.
std::array<ButtonSlot, kButtonSlots> BuildButtonSlots(const std::vector<ButtonAssignment>& rows);

// 0x09: 00 09 00 01 0F, the nine triples (27 bytes); 33 bytes.
ReportFrame BuildButtons(const std::array<ButtonSlot, kButtonSlots>& slots);

}  // namespace korvex
