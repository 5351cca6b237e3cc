#include "protocol/KeyUsage.h"

#include <array>
#include <utility>

namespace korvex {
namespace {

struct Modifier {
  int keyCode;
  int usage;
  int bit;
};

constexpr std::array<Modifier, 8> kModifiers{{
    {162, 0xE0, kModLeftCtrl},
    {160, 0xE1, kModLeftShift},
    {164, 0xE2, kModLeftAlt},
    {91, 0xE3, kModLeftWin},
    {163, 0xE4, kModRightCtrl},
    {161, 0xE5, kModRightShift},
    {165, 0xE6, kModRightAlt},
    {92, 0xE7, kModRightWin},
}};

// Single keys whose usage does not follow from a range.
constexpr std::array<std::pair<int, int>, 48> kSingles{{
    {48, 0x27},  {13, 0x28},  {27, 0x29},  {8, 0x2A},   {9, 0x2B},   {32, 0x2C},
    {189, 0x2D}, {187, 0x2E}, {219, 0x2F}, {221, 0x30}, {220, 0x31}, {666, 0x32},
    {186, 0x33}, {222, 0x34}, {192, 0x35}, {188, 0x36}, {190, 0x37}, {191, 0x38},
    {20, 0x39},  {44, 0x46},  {145, 0x47}, {19, 0x48},  {45, 0x49},  {36, 0x4A},
    {33, 0x4B},  {46, 0x4C},  {35, 0x4D},  {34, 0x4E},  {39, 0x4F},  {37, 0x50},
    {40, 0x51},  {38, 0x52},  {144, 0x53}, {111, 0x54}, {106, 0x55}, {109, 0x56},
    {107, 0x57}, {108, 0x58}, {96, 0x62},  {110, 0x63}, {226, 0x64}, {93, 0x65},
    {254, 0xAF}, {301, 0xEC}, {302, 0xEB}, {136, 0x88}, {137, 0x89}, {138, 0x8A},
}};

}  // namespace

int VirtualKeyToUsage(int code) {
  if (code >= 65 && code <= 90) return code - 61;    // A..Z
  if (code >= 49 && code <= 57) return code - 19;    // 1..9
  if (code >= 112 && code <= 123) return code - 54;  // F1..F12
  if (code >= 97 && code <= 105) return code - 8;    // keypad 1..9
  if (code >= 124 && code <= 135) return code - 20;  // F13..F24
  if (code == 139) return 0x8B;
  for (const auto& [key, usage] : kSingles) {
    if (key == code) return usage;
  }
  for (const Modifier& m : kModifiers) {
    if (m.keyCode == code) return m.usage;
  }
  return 0;
}

int ModifierBitOf(int code) {
  for (const Modifier& m : kModifiers) {
    if (m.keyCode == code || m.usage == code) return m.bit;
  }
  return code;
}

bool IsModifierKeyCode(int keyCode) {
  for (const Modifier& m : kModifiers) {
    if (m.keyCode == keyCode) return true;
  }
  return false;
}

}  // namespace korvex
