#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <utility>

#include "buttons/KeyDecoder.h"
#include "protocol/KeyUsage.h"

namespace korvex {
namespace {

struct Case {
  int evdev;
  const char* layoutText;
  int keyCode;
  const char* name;
};

void ExpectDecodes(const Case& c) {
  const KeyEvent e = DecodeKeyEvent(c.evdev, false, c.layoutText);
  EXPECT_EQ(e.kind, 2) << c.evdev;
  EXPECT_EQ(e.released, 0) << c.evdev;
  EXPECT_EQ(e.keyCode, c.keyCode) << c.evdev;
  EXPECT_EQ(e.name, c.name) << c.evdev;
}

TEST(KeyDecoderTest, ModifiersOfBothSidesKeepTheirSide) {
  const std::pair<Case, int> cases[] = {
      {{KEY_LEFTSHIFT, "", 160, "Shift"}, 0xE1},   {{KEY_RIGHTSHIFT, "", 161, "RShift"}, 0xE5},
      {{KEY_LEFTCTRL, "", 162, "Ctrl"}, 0xE0},     {{KEY_RIGHTCTRL, "", 163, "RCtrl"}, 0xE4},
      {{KEY_LEFTALT, "", 164, "Alt"}, 0xE2},       {{KEY_RIGHTALT, "", 165, "RAlt"}, 0xE6},
      {{KEY_LEFTMETA, "", 91, "Windows"}, 0xE3},   {{KEY_RIGHTMETA, "", 92, "RWindows"}, 0xE7},
  };
  for (const auto& [c, usage] : cases) {
    ExpectDecodes(c);
    EXPECT_EQ(VirtualKeyToUsage(c.keyCode), usage) << c.keyCode;
  }
}

TEST(KeyDecoderTest, KeypadKeepsItsCodesWhateverNumLockGives) {
  // With Num Lock on the layout gives "7", with it off nothing: same key.
  ExpectDecodes({KEY_KP7, "7", 103, "Num 7"});
  ExpectDecodes({KEY_KP7, "", 103, "Num 7"});
  ExpectDecodes({KEY_KP0, "0", 96, "Num 0"});
  ExpectDecodes({KEY_KPDOT, ",", 110, "Num Del"});
  ExpectDecodes({KEY_KPENTER, "\r", 108, "Num Enter"});
  ExpectDecodes({KEY_KPPLUS, "+", 107, "Num +"});
  EXPECT_EQ(VirtualKeyToUsage(103), 0x5F);
  EXPECT_EQ(VirtualKeyToUsage(108), 0x58);
  EXPECT_EQ(VirtualKeyToUsage(110), 0x63);
}

TEST(KeyDecoderTest, NavigationBlockAndMainEnterAreNotKeypad) {
  ExpectDecodes({KEY_HOME, "", 36, "Home"});
  ExpectDecodes({KEY_PAGEDOWN, "", 34, "Page Down"});
  ExpectDecodes({KEY_DELETE, "\x7f", 46, "Delete"});
  ExpectDecodes({KEY_UP, "", 38, "Up"});
  ExpectDecodes({KEY_ENTER, "\r", 13, "Enter"});
  ExpectDecodes({KEY_SYSRQ, "", 44, "Print Screen"});
  ExpectDecodes({KEY_PAUSE, "", 19, "Pause"});
  ExpectDecodes({KEY_NUMLOCK, "", 144, "Num Lock"});
  ExpectDecodes({KEY_COMPOSE, "", 93, "Application"});
  ExpectDecodes({KEY_F24, "", 135, "F24"});
}

TEST(KeyDecoderTest, YenKeyIsItsOwnCode) {
  ExpectDecodes({KEY_YEN, "\xC2\xA5", 137, "\xEF\xBF\xA5"});
  EXPECT_EQ(VirtualKeyToUsage(137), 0x89);
}

TEST(KeyDecoderTest, CharacterKeysAreNamedByTheLayoutButCodedByPosition) {
  // French layout: the key in the US "Q" place gives "a".
  ExpectDecodes({KEY_Q, "a", 81, "A"});
  ExpectDecodes({KEY_1, "&", 49, "&"});
  ExpectDecodes({KEY_102ND, "<", 226, "<"});
  // Non-ASCII text is kept as the layout gives it.
  ExpectDecodes({KEY_SEMICOLON, "\xC3\xB6", 186, "\xC3\xB6"});
  // No usable text (dead key, control character): the US position's name.
  ExpectDecodes({KEY_A, "", 65, "A"});
  ExpectDecodes({KEY_A, "\x01", 65, "A"});
  ExpectDecodes({KEY_MINUS, "", 189, "-"});
  ExpectDecodes({KEY_0, " ", 48, "0"});
  // Space and Tab are named, never taken from their text.
  ExpectDecodes({KEY_SPACE, " ", 32, "Space"});
  ExpectDecodes({KEY_TAB, "\t", 9, "Tab"});
}

TEST(KeyDecoderTest, ReleaseFlagAndUnknownKeys) {
  const KeyEvent up = DecodeKeyEvent(KEY_B, true, "b");
  EXPECT_EQ(up.released, 1);
  EXPECT_EQ(up.keyCode, 66);
  for (int unknown : {0, KEY_VOLUMEUP, KEY_RESERVED, -5, 100000}) {
    const KeyEvent e = DecodeKeyEvent(unknown, false, "x");
    EXPECT_EQ(e.keyCode, 0) << unknown;
    EXPECT_TRUE(e.name.empty()) << unknown;
  }
  EXPECT_EQ(KeyCodeName(0, "x"), "");
}

TEST(KeyDecoderTest, EveryDecodedKeyHasANameAndAUsage) {
  for (int evdev = 1; evdev < 256; ++evdev) {
    const int code = KeyCodeOfEvdev(evdev);
    if (code == 0) continue;
    EXPECT_FALSE(KeyCodeName(code, "").empty()) << evdev;
    EXPECT_NE(VirtualKeyToUsage(code), 0) << evdev;
  }
}

}  // namespace
}  // namespace korvex
