#include <gtest/gtest.h>

#include "FrameBytes.h"
#include "protocol/ButtonCommands.h"
#include "protocol/KeyUsage.h"

namespace korvex {
namespace {

using test::Bytes;
using test::Slice;

ButtonSlot Encode(int keyCode, int type, int v, int w = 0) {
  ButtonAssignment row;
  row.keyCode = keyCode;
  row.macroType = type;
  row.macroValue = v;
  row.macroValue2 = w;
  return EncodeButtonSlot(DefaultButtonSlot(keyCode), row);
}

Bytes Triple(const ButtonSlot& s) { return {s.function, s.a, s.b}; }

TEST(ButtonCommandsTest, NoRowsSendTheDefaultSlots) {
  const ReportFrame frame = BuildButtons(BuildButtonSlots({}));
  EXPECT_EQ(Slice(frame, 5, 27), (Bytes{0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00,
                                        0x10, 0x08, 0x00, 0x10, 0x10, 0x00, 0x40, 0x01, 0x00,
                                        0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ButtonCommandsTest, RowsLandAtThreeTimesTheirKeyCodeAndOthersAreIgnored) {
  std::vector<ButtonAssignment> rows(3);
  rows[0] = {3, kSystemShortcut, 9, 0, std::nullopt};  // Ctrl+C on slot 3
  rows[1] = {12, kDisabled, 1, 0, std::nullopt};       // not a slot
  rows[2] = {-1, kDisabled, 1, 0, std::nullopt};
  const ReportFrame frame = BuildButtons(BuildButtonSlots(rows));
  EXPECT_EQ(Slice(frame, 5 + 9, 3), (Bytes{0x70, 0x01, 0x06}));
  auto expected = BuildButtons(BuildButtonSlots({}));
  expected[14] = 0x70; expected[15] = 0x01; expected[16] = 0x06;
  expected.StoreChecksum();
  EXPECT_EQ(frame.bytes, expected.bytes);
}

TEST(ButtonCommandsTest, MouseFunctions) {
  const Bytes expected[] = {{0x10, 0x00, 0x00}, {0x10, 0x01, 0x00}, {0x10, 0x04, 0x00},
                            {0x10, 0x02, 0x00}, {0x30, 0x32, 0x03}, {0x10, 0x10, 0x00},
                            {0x10, 0x08, 0x00}, {0x20, 0x01, 0x00}, {0x20, 0xFF, 0x00},
                            {0x10, 0x00, 0xF5}, {0x10, 0x00, 0xF6}, {0x10, 0x00, 0x00}};
  for (int v = 0; v <= 11; ++v) EXPECT_EQ(Triple(Encode(2, kMouseFunction, v)), expected[v]) << v;
}

TEST(ButtonCommandsTest, KeyCombinationsFoldModifierKeysIntoTheMask) {
  EXPECT_EQ(Triple(Encode(1, kKeyCombination, 0xE3, 0x00)), (Bytes{0x70, 0x08, 0x00}));
  EXPECT_EQ(Triple(Encode(1, kKeyCombination, 0xE3, 0x01)), (Bytes{0x70, 0x09, 0x00}));
  EXPECT_EQ(Triple(Encode(1, kKeyCombination, 0x5B, 0x00)), (Bytes{0x70, 0x00, 0x5B}));
  EXPECT_EQ(Triple(Encode(1, kKeyCombination, 0x04, 0x03)), (Bytes{0x70, 0x03, 0x04}));
  EXPECT_EQ(Triple(Encode(1, kKeyCombination, 0xE7, 0x02)), (Bytes{0x70, 0x82, 0x00}));
  EXPECT_EQ(Triple(Encode(1, kKeyCombination, 0, 0x04)), (Bytes{0x70, 0x04, 0x00}));
}

TEST(ButtonCommandsTest, MediaDpiShortcutsFireAndDisable) {
  EXPECT_EQ(Triple(Encode(3, kMediaFunction, 1)), (Bytes{0x80, 0x83, 0x01}));
  EXPECT_EQ(Triple(Encode(3, kMediaFunction, 8)), (Bytes{0x80, 0xE2, 0x00}));
  EXPECT_EQ(Triple(Encode(3, kMediaFunction, 9)), (Bytes{0x80, 0x00, 0x00}));
  EXPECT_EQ(Triple(Encode(5, kDpiFunction, 1)), (Bytes{0x40, 0x02, 0x00}));
  EXPECT_EQ(Triple(Encode(5, kDpiFunction, 2)), (Bytes{0x40, 0x03, 0x00}));
  EXPECT_EQ(Triple(Encode(5, kDpiFunction, 3)), (Bytes{0x40, 0x01, 0x00}));
  EXPECT_EQ(Triple(Encode(5, kDpiFunction, 7)), (Bytes{0x40, 0x00, 0x00}));
  EXPECT_EQ(Triple(Encode(4, kSystemShortcut, 3)), (Bytes{0x80, 0x92, 0x01}));
  EXPECT_EQ(Triple(Encode(4, kSystemShortcut, 7)), (Bytes{0x70, 0x08, 0x07}));
  EXPECT_EQ(Triple(Encode(4, kSystemShortcut, 8)), (Bytes{0x70, 0x08, 0x2B}));
  EXPECT_EQ(Triple(Encode(4, kSystemShortcut, 11)), (Bytes{0x70, 0x01, 0x1B}));
  EXPECT_EQ(Triple(Encode(4, kSystemShortcut, 12)), (Bytes{0x80, 0x00, 0x00}));
  EXPECT_EQ(Triple(Encode(6, kFireFunction, 0x105, 0x203)), (Bytes{0x30, 0x05, 0x03}));
  EXPECT_EQ(Triple(Encode(6, kDisabled, 1)), (Bytes{0x60, 0x00, 0x00}));
}

TEST(ButtonCommandsTest, SpecialAndUnknownCategoriesKeepDefaultBytes) {
  EXPECT_EQ(Triple(Encode(4, kSpecialFunction, 1)), (Bytes{0x60, 0x04, 0x00}));
  EXPECT_EQ(Triple(Encode(4, kSpecialFunction, 2)), (Bytes{0x60, 0x01, 0x00}));
  EXPECT_EQ(Triple(Encode(4, kSpecialFunction, 5)), (Bytes{0x60, 0x10, 0x00}));  // A of slot 4
  EXPECT_EQ(Triple(Encode(7, kSpecialFunction, 5)), (Bytes{0x60, 0x00, 0x00}));
  EXPECT_EQ(Triple(Encode(5, 0, 1)), (Bytes{0x40, 0x01, 0x00}));
  EXPECT_EQ(Triple(Encode(5, 10, 1)), (Bytes{0x40, 0x01, 0x00}));
}

TEST(ButtonCommandsTest, MacroBindingsCarryPlayModeAndNeedAnExistingMacro) {
  ButtonAssignment row{4, kMacroBinding, 17, 0, MacroPlayMode{0, 3}};
  EXPECT_EQ(Triple(EncodeButtonSlot(DefaultButtonSlot(4), row)), (Bytes{0x90, 0x24, 0x03}));
  row.macro = MacroPlayMode{2, 3};
  EXPECT_EQ(Triple(EncodeButtonSlot(DefaultButtonSlot(4), row)), (Bytes{0x90, 0x44, 0x00}));
  row.macro = MacroPlayMode{1, 3};
  EXPECT_EQ(Triple(EncodeButtonSlot(DefaultButtonSlot(4), row)), (Bytes{0x90, 0x14, 0x00}));
  row.macro = MacroPlayMode{3, 0};
  EXPECT_EQ(Triple(EncodeButtonSlot(DefaultButtonSlot(4), row)), (Bytes{0x90, 0x14, 0x00}));
  row.macro = MacroPlayMode{0, 0};  // no count: neither bit
  EXPECT_EQ(Triple(EncodeButtonSlot(DefaultButtonSlot(4), row)), (Bytes{0x90, 0x04, 0x00}));
  row.macro = MacroPlayMode{0, 300};
  EXPECT_EQ(Triple(EncodeButtonSlot(DefaultButtonSlot(4), row)), (Bytes{0x90, 0x24, 0x2C}));
  row.macro.reset();  // the macro was deleted: the slot keeps its default
  EXPECT_EQ(Triple(EncodeButtonSlot(DefaultButtonSlot(4), row)), (Bytes{0x10, 0x10, 0x00}));
}

TEST(ButtonCommandsTest, KeyUsagesAndModifierBits) {
  EXPECT_EQ(VirtualKeyToUsage(49), 0x1E);
  EXPECT_EQ(VirtualKeyToUsage(108), 0x58);
  EXPECT_EQ(VirtualKeyToUsage(91), 0xE3);
  EXPECT_EQ(VirtualKeyToUsage(16), 0);
  EXPECT_EQ(VirtualKeyToUsage(65), 0x04);
  EXPECT_EQ(VirtualKeyToUsage(90), 0x1D);
  EXPECT_EQ(VirtualKeyToUsage(48), 0x27);
  EXPECT_EQ(VirtualKeyToUsage(123), 0x45);
  EXPECT_EQ(VirtualKeyToUsage(124), 0x68);
  EXPECT_EQ(VirtualKeyToUsage(135), 0x73);
  EXPECT_EQ(VirtualKeyToUsage(96), 0x62);
  EXPECT_EQ(VirtualKeyToUsage(105), 0x61);
  EXPECT_EQ(VirtualKeyToUsage(139), 0x8B);
  EXPECT_EQ(VirtualKeyToUsage(666), 0x32);
  EXPECT_EQ(VirtualKeyToUsage(301), 0xEC);
  EXPECT_EQ(VirtualKeyToUsage(0), 0);
  EXPECT_EQ(ModifierBitOf(160), 0x02);
  EXPECT_EQ(ModifierBitOf(0xE1), 0x02);
  EXPECT_EQ(ModifierBitOf(92), 0x80);
  EXPECT_EQ(ModifierBitOf(0xE7), 0x80);
  EXPECT_EQ(ModifierBitOf(0), 0);
  EXPECT_EQ(ModifierBitOf(65), 65);
}

}  // namespace
}  // namespace korvex
