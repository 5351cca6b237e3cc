#pragma once
// What an event of a macro shows in the event list, and the five mouse
// buttons a macro can press.

#include <string>

namespace korvex {

// Arrow and two spaces before a key or button name.
inline constexpr const char* kPressPrefix = "\u2193  ";
inline constexpr const char* kReleasePrefix = "\u2191  ";

std::string DelayText(int ms);                     // "120 ms"
std::string PressText(const std::string& name);    // "↓  A"
std::string ReleaseText(const std::string& name);  // "↑  A"
// The key or button name of a press or release text (the text after its
// arrow prefix); the text itself when it has no prefix.
std::string NameOfEventText(const std::string& text);

// A mouse button: item code of the mouse-button list, the mask a record
// holds, the name its texts show and the language text of the list item.
struct MouseButtonInfo {
  int code;
  int mask;
  const char* name;
  int textId;
};

// Codes 1 left, 2 middle, 3 right, 5 forward, 6 back; null for any other.
const MouseButtonInfo* MouseButtonByCode(int code);
// Masks 1, 2, 4, 8, 16; null for any other.
const MouseButtonInfo* MouseButtonByMask(int mask);
// The list order of the mouse-button list (texts 106 to 110).
inline constexpr int kMouseButtonListCodes[] = {1, 3, 2, 5, 6};

}  // namespace korvex
