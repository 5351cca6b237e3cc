#include "buttons/KeyDecoder.h"

#include <linux/input-event-codes.h>

#include <array>
#include <cctype>
#include <utility>

namespace korvex {
namespace {

struct EvdevKey {
  int evdev;
  int keyCode;
};

// Physical key to key code. Letters, digits and F-keys are ranges in key-code
// space but scattered in evdev space, so every key is listed.
constexpr auto kEvdevKeys = std::to_array<EvdevKey>({
    {KEY_A, 65}, {KEY_B, 66}, {KEY_C, 67}, {KEY_D, 68}, {KEY_E, 69}, {KEY_F, 70},
    {KEY_G, 71}, {KEY_H, 72}, {KEY_I, 73}, {KEY_J, 74}, {KEY_K, 75}, {KEY_L, 76},
    {KEY_M, 77}, {KEY_N, 78}, {KEY_O, 79}, {KEY_P, 80}, {KEY_Q, 81}, {KEY_R, 82},
    {KEY_S, 83}, {KEY_T, 84}, {KEY_U, 85}, {KEY_V, 86}, {KEY_W, 87}, {KEY_X, 88},
    {KEY_Y, 89}, {KEY_Z, 90},
    {KEY_1, 49}, {KEY_2, 50}, {KEY_3, 51}, {KEY_4, 52}, {KEY_5, 53}, {KEY_6, 54},
    {KEY_7, 55}, {KEY_8, 56}, {KEY_9, 57}, {KEY_0, 48},
    {KEY_ENTER, 13}, {KEY_ESC, 27}, {KEY_BACKSPACE, 8}, {KEY_TAB, 9}, {KEY_SPACE, 32},
    {KEY_MINUS, 189}, {KEY_EQUAL, 187}, {KEY_LEFTBRACE, 219}, {KEY_RIGHTBRACE, 221},
    {KEY_BACKSLASH, 220}, {KEY_SEMICOLON, 186}, {KEY_APOSTROPHE, 222}, {KEY_GRAVE, 192},
    {KEY_COMMA, 188}, {KEY_DOT, 190}, {KEY_SLASH, 191}, {KEY_102ND, 226},
    {KEY_CAPSLOCK, 20},
    {KEY_F1, 112}, {KEY_F2, 113}, {KEY_F3, 114}, {KEY_F4, 115}, {KEY_F5, 116},
    {KEY_F6, 117}, {KEY_F7, 118}, {KEY_F8, 119}, {KEY_F9, 120}, {KEY_F10, 121},
    {KEY_F11, 122}, {KEY_F12, 123}, {KEY_F13, 124}, {KEY_F14, 125}, {KEY_F15, 126},
    {KEY_F16, 127}, {KEY_F17, 128}, {KEY_F18, 129}, {KEY_F19, 130}, {KEY_F20, 131},
    {KEY_F21, 132}, {KEY_F22, 133}, {KEY_F23, 134}, {KEY_F24, 135},
    {KEY_SYSRQ, 44}, {KEY_SCROLLLOCK, 145}, {KEY_PAUSE, 19},
    {KEY_INSERT, 45}, {KEY_HOME, 36}, {KEY_PAGEUP, 33}, {KEY_DELETE, 46},
    {KEY_END, 35}, {KEY_PAGEDOWN, 34},
    {KEY_RIGHT, 39}, {KEY_LEFT, 37}, {KEY_DOWN, 40}, {KEY_UP, 38},
    {KEY_NUMLOCK, 144}, {KEY_KPSLASH, 111}, {KEY_KPASTERISK, 106}, {KEY_KPMINUS, 109},
    {KEY_KPPLUS, 107}, {KEY_KPENTER, 108},
    {KEY_KP0, 96}, {KEY_KP1, 97}, {KEY_KP2, 98}, {KEY_KP3, 99}, {KEY_KP4, 100},
    {KEY_KP5, 101}, {KEY_KP6, 102}, {KEY_KP7, 103}, {KEY_KP8, 104}, {KEY_KP9, 105},
    {KEY_KPDOT, 110},
    {KEY_COMPOSE, 93}, {KEY_YEN, 137},
    {KEY_LEFTSHIFT, 160}, {KEY_RIGHTSHIFT, 161}, {KEY_LEFTCTRL, 162},
    {KEY_RIGHTCTRL, 163}, {KEY_LEFTALT, 164}, {KEY_RIGHTALT, 165},
    {KEY_LEFTMETA, 91}, {KEY_RIGHTMETA, 92},
});

// Fixed names of the keys that do not take the layout's character.
constexpr auto kFixedNames = std::to_array<std::pair<int, const char*>>({
    {13, "Enter"}, {27, "Esc"}, {8, "Backspace"}, {9, "Tab"}, {32, "Space"},
    {20, "Caps Lock"}, {44, "Print Screen"}, {145, "Scroll Lock"}, {19, "Pause"},
    {45, "Insert"}, {36, "Home"}, {33, "Page Up"}, {46, "Delete"}, {35, "End"},
    {34, "Page Down"}, {39, "Right"}, {37, "Left"}, {40, "Down"}, {38, "Up"},
    {144, "Num Lock"}, {111, "Num /"}, {106, "Num *"}, {109, "Num -"}, {107, "Num +"},
    {108, "Num Enter"}, {110, "Num Del"}, {93, "Application"},
    {137, "\xEF\xBF\xA5"},  // fullwidth yen sign
    {160, "Shift"}, {161, "RShift"}, {162, "Ctrl"}, {163, "RCtrl"}, {164, "Alt"},
    {165, "RAlt"}, {91, "Windows"}, {92, "RWindows"},
    // Character of the US position, for character keys without layout text.
    {189, "-"}, {187, "="}, {219, "["}, {221, "]"}, {220, "\\"}, {186, ";"},
    {222, "'"}, {192, "`"}, {188, ","}, {190, "."}, {191, "/"},
});

bool IsCharacterKey(int keyCode) {
  if ((keyCode >= 65 && keyCode <= 90) || (keyCode >= 48 && keyCode <= 57)) return true;
  switch (keyCode) {
    case 189: case 187: case 219: case 221: case 220: case 186:
    case 222: case 192: case 188: case 190: case 191: case 226:
      return true;
    default:
      return false;
  }
}

// A usable layout character: printable, not a control character (Ctrl+key
// texts) and not blank.
bool IsPrintable(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return false;
  }
  return text != " ";
}

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

const char* FixedName(int keyCode) {
  for (const auto& [code, name] : kFixedNames) {
    if (code == keyCode) return name;
  }
  return nullptr;
}

}  // namespace

int KeyCodeOfEvdev(int evdevCode) {
  for (const EvdevKey& k : kEvdevKeys) {
    if (k.evdev == evdevCode) return k.keyCode;
  }
  return 0;
}

std::string KeyCodeName(int keyCode, const std::string& layoutText) {
  if (IsCharacterKey(keyCode)) {
    if (IsPrintable(layoutText)) return UpperAscii(layoutText);
    if ((keyCode >= 65 && keyCode <= 90) || (keyCode >= 48 && keyCode <= 57)) {
      return std::string(1, static_cast<char>(keyCode));
    }
    if (keyCode == 226) return "\\";
  }
  if (keyCode >= 112 && keyCode <= 135) return "F" + std::to_string(keyCode - 111);
  if (keyCode >= 96 && keyCode <= 105) return "Num " + std::to_string(keyCode - 96);
  const char* name = FixedName(keyCode);
  return name ? name : std::string();
}

KeyEvent DecodeKeyEvent(int evdevCode, bool released, const std::string& layoutText) {
  KeyEvent event;
  event.kind = 2;
  event.released = released ? 1 : 0;
  event.keyCode = KeyCodeOfEvdev(evdevCode);
  if (event.keyCode != 0) event.name = KeyCodeName(event.keyCode, layoutText);
  return event;
}

}  // namespace korvex
