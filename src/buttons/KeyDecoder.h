#pragma once
#include <string>

namespace korvex {

// One decoded keyboard input, as the capture fields and the macro recorder
// consume it.
struct KeyEvent {
  int kind = 0;      // 2 keyboard input, 3 input of another HID device, 0 none
  int released = 0;  // 0 press, 1 release
  int keyCode = 0;   // virtual-key code: side-specific modifiers, keypad codes kept
  std::string name;  // display name; empty when the key has none (ignored)
};

// Key code of a physical key given by its evdev code (the X11 / Wayland
// native scan code minus 8); 0 for a key that has no code. The code follows
// the key's position, never the character it produces: keypad keys keep
// their keypad codes whatever Num Lock says, and the navigation block keeps
// its own codes.
int KeyCodeOfEvdev(int evdevCode);

// Display name of a key code. Character keys (letters, digits, punctuation)
// take layoutText, the character the current layout gives the key without
// modifiers, upper-cased; with no layoutText they fall back to the
// character of the US position. Every other key has a fixed name. Empty for
// a code without a name.
std::string KeyCodeName(int keyCode, const std::string& layoutText);

// Decodes one press or release of the physical key evdevCode. A key without
// a code gives an event with keyCode 0 and an empty name.
KeyEvent DecodeKeyEvent(int evdevCode, bool released, const std::string& layoutText);

}  // namespace korvex
