#pragma once
#include <cstdint>

namespace korvex {

// HID keyboard modifier bits (the modifier byte of a keyboard report).
enum ModifierMask : std::uint8_t {
  kModLeftCtrl = 0x01,
  kModLeftShift = 0x02,
  kModLeftAlt = 0x04,
  kModLeftWin = 0x08,
  kModRightCtrl = 0x10,
  kModRightShift = 0x20,
  kModRightAlt = 0x40,
  kModRightWin = 0x80,
};

// Windows virtual-key code (side-specific modifiers 160..165, Windows keys
// 91/92, keypad codes kept) to its HID keyboard usage; 0 when it has none.
int VirtualKeyToUsage(int keyCode);

// Modifier bit of a modifier's virtual-key code or HID usage (0xE0..0xE7);
// 0 for 0; any other value is returned unchanged.
int ModifierBitOf(int code);

// True for the virtual-key codes of the eight modifier keys.
bool IsModifierKeyCode(int keyCode);

}  // namespace korvex
