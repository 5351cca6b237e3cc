#include "protocol/ButtonCommands.h"

#include "protocol/Frames.h"
#include "protocol/KeyUsage.h"

namespace korvex {
namespace {

std::uint8_t Low(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

ButtonSlot MouseFunctionSlot(int v) {
  switch (v) {
    case 1: return {0x10, 0x01, 0x00};
    case 2: return {0x10, 0x04, 0x00};
    case 3: return {0x10, 0x02, 0x00};
    case 4: return {0x30, 0x32, 0x03};  // the fire preset 50 / 3
    case 5: return {0x10, 0x10, 0x00};
    case 6: return {0x10, 0x08, 0x00};
    case 7: return {0x20, 0x01, 0x00};
    case 8: return {0x20, 0xFF, 0x00};
    case 9: return {0x10, 0x00, 0xF5};
    case 10: return {0x10, 0x00, 0xF6};
    default: return {0x10, 0x00, 0x00};
  }
}

ButtonSlot KeyCombinationSlot(int v, int w) {
  if (v >= 0xE0 && v <= 0xE7) return {0x70, Low(w | ModifierBitOf(v)), 0x00};
  return {0x70, Low(w), Low(v)};
}

ButtonSlot MediaSlot(int v) {
  switch (v) {
    case 1: return {0x80, 0x83, 0x01};
    case 2: return {0x80, 0xCD, 0x00};
    case 3: return {0x80, 0xB7, 0x00};
    case 4: return {0x80, 0xB6, 0x00};
    case 5: return {0x80, 0xB5, 0x00};
    case 6: return {0x80, 0xE9, 0x00};
    case 7: return {0x80, 0xEA, 0x00};
    case 8: return {0x80, 0xE2, 0x00};
    default: return {0x80, 0x00, 0x00};
  }
}

ButtonSlot DpiSlot(int v) {
  switch (v) {
    case 1: return {0x40, 0x02, 0x00};
    case 2: return {0x40, 0x03, 0x00};
    case 3: return {0x40, 0x01, 0x00};
    default: return {0x40, 0x00, 0x00};
  }
}

ButtonSlot SpecialSlot(const ButtonSlot& current, int v) {
  ButtonSlot slot = current;
  slot.function = 0x60;
  if (v == 1) slot.a = 0x04;
  if (v == 2) slot.a = 0x01;
  return slot;
}

ButtonSlot ShortcutSlot(int v) {
  switch (v) {
    case 1: return {0x80, 0x6F, 0x00};
    case 2: return {0x80, 0x70, 0x00};
    case 3: return {0x80, 0x92, 0x01};
    case 4: return {0x80, 0x94, 0x01};
    case 5: return {0x80, 0x23, 0x02};
    case 6: return {0x80, 0x8A, 0x01};
    case 7: return {0x70, kModLeftWin, 0x07};   // Windows+D
    case 8: return {0x70, kModLeftWin, 0x2B};   // Windows+Tab
    case 9: return {0x70, kModLeftCtrl, 0x06};  // Ctrl+C
    case 10: return {0x70, kModLeftCtrl, 0x19}; // Ctrl+V
    case 11: return {0x70, kModLeftCtrl, 0x1B}; // Ctrl+X
    default: return {0x80, 0x00, 0x00};
  }
}

}  // namespace

ButtonSlot DefaultButtonSlot(int keyCode) {
  switch (keyCode) {
    case 0: return {0x10, 0x01, 0x00};
    case 1: return {0x10, 0x02, 0x00};
    case 2: return {0x10, 0x04, 0x00};
    case 3: return {0x10, 0x08, 0x00};
    case 4: return {0x10, 0x10, 0x00};
    case 5: return {0x40, 0x01, 0x00};
    default: return {};
  }
}

std::array<ButtonSlot, kButtonSlots> DefaultButtonSlots() {
  std::array<ButtonSlot, kButtonSlots> slots{};
  for (int k = 0; k < kButtonSlots; ++k) slots[static_cast<std::size_t>(k)] = DefaultButtonSlot(k);
  return slots;
}

ButtonSlot MacroBindingSlot(int keyCode, const MacroPlayMode& mode) {
  ButtonSlot slot{0x90, Low(keyCode), 0x00};
  if (mode.playType == 1 || mode.playType == 3) {
    slot.a |= 0x10;
  } else if (mode.playType == 2) {
    slot.a |= 0x40;
  } else if (mode.playTimes >= 1) {
    slot.a |= 0x20;
    slot.b = Low(mode.playTimes);
  }
  return slot;
}

ButtonSlot EncodeButtonSlot(const ButtonSlot& current, const ButtonAssignment& row) {
  const int v = row.macroValue;
  const int w = row.macroValue2;
  switch (row.macroType) {
    case kMouseFunction: return MouseFunctionSlot(v);
    case kKeyCombination: return KeyCombinationSlot(v, w);
    case kMediaFunction: return MediaSlot(v);
    case kMacroBinding: return row.macro ? MacroBindingSlot(row.keyCode, *row.macro) : current;
    case kDpiFunction: return DpiSlot(v);
    case kSpecialFunction: return SpecialSlot(current, v);
    case kFireFunction: return {0x30, Low(v), Low(w)};
    case kSystemShortcut: return ShortcutSlot(v);
    case kDisabled: return {0x60, 0x00, 0x00};
    default: return current;
  }
}

std::array<ButtonSlot, kButtonSlots> BuildButtonSlots(const std::vector<ButtonAssignment>& rows) {
  std::array<ButtonSlot, kButtonSlots> slots = DefaultButtonSlots();
  for (const ButtonAssignment& row : rows) {
    if (row.keyCode < 0 || row.keyCode >= kButtonSlots) continue;
    ButtonSlot& slot = slots[static_cast<std::size_t>(row.keyCode)];
    slot = EncodeButtonSlot(slot, row);
  }
  return slots;
}

ReportFrame BuildButtons(const std::array<ButtonSlot, kButtonSlots>& slots) {
  // Byte 4 holds 0x0F, not the 27 payload bytes that follow: the firmware's
  // own marker for this command.
  ReportFrame frame = MakeWriteFrame(Command::ButtonFunctions, 0x0F);
  for (std::size_t n = 0; n < slots.size(); ++n) {
    frame[5 + 3 * n] = slots[n].function;
    frame[6 + 3 * n] = slots[n].a;
    frame[7 + 3 * n] = slots[n].b;
  }
  frame.StoreChecksum();
  return frame;
}

}  // namespace korvex
