#include <gtest/gtest.h>

#include "buttons/ButtonFunctionSpec.h"
#include "buttons/ButtonFunctions.h"
#include "protocol/ButtonCommands.h"

namespace korvex {
namespace {

std::string Text(int id) { return "T" + std::to_string(id); }

KeyAssignmentRecord Row(int type, int value, const std::string& desc, int value2 = 0) {
  return MakeAssignment(1, 3, type, value, value2, desc);
}

TEST(ButtonFunctionsTest, ListsOfferTheirItemsInDisplayOrder) {
  std::vector<int> mouse;
  for (const FunctionItem& item : FunctionItems(kMouseFunction)) mouse.push_back(item.code);
  EXPECT_EQ((std::vector<int>{1, 3, 2, 5, 6, 4, 7, 8}), mouse);
  const auto& shortcuts = FunctionItems(kSystemShortcut);
  ASSERT_EQ(11u, shortcuts.size());
  EXPECT_EQ(36, shortcuts[9].textId);  // Cut before Paste
  EXPECT_EQ(11, shortcuts[9].code);
  EXPECT_EQ("DPI -", FunctionItemText(FunctionItems(kDpiFunction)[2], Text));
  EXPECT_EQ("T142", FunctionItemText(FunctionItems(kDpiFunction)[0], Text));
  EXPECT_EQ(1, FunctionItemIndex(kSpecialFunction, 2));
  EXPECT_EQ(-1, FunctionItemIndex(kSpecialFunction, 3));
  EXPECT_TRUE(FunctionItems(kMacroBinding).empty());
  EXPECT_TRUE(FunctionItems(kKeyCombination).empty());
}

TEST(ButtonFunctionsTest, AssignmentRowsCarryOnlyTheCategoryFields) {
  const KeyAssignmentRecord row = MakeAssignment(7, 5, kDpiFunction, 2, 0, "DPI -");
  EXPECT_EQ(7, row.profile);
  EXPECT_EQ(0, row.fn_layer);
  EXPECT_EQ(5, row.key_code);
  EXPECT_EQ(0, row.layout_value);
  EXPECT_TRUE(row.layout_desc.empty());
  EXPECT_EQ(kDpiFunction, row.macro_type);
  EXPECT_EQ(2, row.macro_value);
  EXPECT_EQ(0, row.macro_value3);
  EXPECT_EQ("DPI -", row.macro_desc);
  const KeyAssignmentRecord reset = MakeReset(7, 5);
  EXPECT_EQ(0, reset.macro_value);
  EXPECT_EQ(0, reset.macro_value2);
  EXPECT_TRUE(LeftButtonGuarded(0));
  EXPECT_FALSE(LeftButtonGuarded(1));
}

TEST(ButtonFunctionsTest, DescriptionsFollowTheLanguageWhereATextIsDefined) {
  // The mouse-function texts are not in list order: 2 is middle, 3 right.
  EXPECT_EQ("T108", DescribeAssignment(Row(kMouseFunction, 2, "old"), Text));
  EXPECT_EQ("T107", DescribeAssignment(Row(kMouseFunction, 3, "old"), Text));
  EXPECT_EQ("T115", DescribeAssignment(Row(kMouseFunction, 10, "old"), Text));
  EXPECT_EQ("old", DescribeAssignment(Row(kMouseFunction, 11, "old"), Text));
  EXPECT_EQ("T124", DescribeAssignment(Row(kMediaFunction, 3, "old"), Text));
  EXPECT_EQ("T36", DescribeAssignment(Row(kSystemShortcut, 11, "old"), Text));
  EXPECT_EQ("T32", DescribeAssignment(Row(kSystemShortcut, 10, "old"), Text));
  EXPECT_EQ("T182", DescribeAssignment(Row(kFireFunction, 50, "old", 3), Text));
  EXPECT_EQ("T139", DescribeAssignment(Row(kDisabled, 1, "old"), Text));
  // Kept as stored: key combinations, DPI functions, special code 2.
  EXPECT_EQ("Shift + A", DescribeAssignment(Row(kKeyCombination, 4, "Shift + A", 2), Text));
  EXPECT_EQ("DPI -", DescribeAssignment(Row(kDpiFunction, 2, "DPI -"), Text));
  EXPECT_EQ("T151", DescribeAssignment(Row(kSpecialFunction, 1, "old"), Text));
  EXPECT_EQ("old", DescribeAssignment(Row(kSpecialFunction, 2, "old"), Text));
  // Macro names go through the macro naming rule when there is one.
  EXPECT_EQ("Custom 1", DescribeAssignment(Row(kMacroBinding, 9, "Custom 1"), Text));
  EXPECT_EQ("<Custom 1>", DescribeAssignment(Row(kMacroBinding, 9, "Custom 1"), Text,
                                             [](const std::string& n) { return "<" + n + ">"; }));
  EXPECT_EQ("x", DescribeAssignment(Row(42, 1, "x"), Text));
}

TEST(ButtonFunctionsTest, KeyCombinationTextMaskAndCapture) {
  EXPECT_EQ("Shift+ Ctrl + A", KeyCombinationText({true, true, false, false}, "A"));
  EXPECT_EQ(0x03, ModifierTogglesMask({true, true, false, false}));
  EXPECT_EQ("Alt", KeyCombinationText({false, false, false, true}, ""));
  EXPECT_EQ(0x04, ModifierTogglesMask({false, false, false, true}));
  EXPECT_EQ("Shift+ Ctrl+ Win+ Alt + F5", KeyCombinationText({true, true, true, true}, "F5"));
  EXPECT_EQ(0x0F, ModifierTogglesMask({true, true, true, true}));
  EXPECT_EQ("Win + Num 3", KeyCombinationText({false, false, true, false}, "Num 3"));
  EXPECT_EQ("", KeyCombinationText({}, ""));
  EXPECT_TRUE(KeyCombinationStorable(0, 0x04));
  EXPECT_TRUE(KeyCombinationStorable(0x04, 0));
  EXPECT_FALSE(KeyCombinationStorable(0, 0));
  // Shift, Ctrl and Alt of both sides are the toggles' business; the
  // Windows keys, as any other named key, are captured.
  for (int code = 160; code <= 165; ++code) EXPECT_FALSE(CapturesAsKey(2, code, "x")) << code;
  EXPECT_TRUE(CapturesAsKey(2, 92, "RWindows"));
  EXPECT_TRUE(CapturesAsKey(2, 159, "x"));
  EXPECT_TRUE(CapturesAsKey(2, 166, "x"));
  EXPECT_FALSE(CapturesAsKey(2, 65, ""));
  EXPECT_FALSE(CapturesAsKey(3, 65, "A"));
}

TEST(ButtonFunctionsTest, FireFieldsAreClampedToTheirRanges) {
  EXPECT_EQ(5, FireFieldValue("2", true));
  EXPECT_EQ(255, FireFieldValue("300", true));
  EXPECT_EQ(5, FireFieldValue("5", true));
  EXPECT_EQ(255, FireFieldValue("255", true));
  EXPECT_EQ(5, FireFieldValue("", true));
  EXPECT_EQ(0, FireFieldValue("-4", false));
  EXPECT_EQ(255, FireFieldValue("256", false));
  EXPECT_EQ(0, FireFieldValue("abc", false));
  EXPECT_EQ(255, FireFieldValue("99999999999999999999999", false));
}

struct SpecCase {
  const char* text;
  int category;
  int value;
  int value2;
  const char* description;
};

TEST(ButtonFunctionSpecTest, EveryKindParsesToTheRowThePageWouldStore) {
  const SpecCase cases[] = {
      {"left", kMouseFunction, 1, 0, "T106"},
      {"back", kMouseFunction, 6, 0, "T110"},
      {"fire-preset", kMouseFunction, 4, 0, "T180"},
      {"wheel-down", kMouseFunction, 8, 0, "T113"},
      {"key:ctrl+shift+a", kKeyCombination, 0x04, 0x03, "Shift+ Ctrl + A"},
      {"key:WIN+Alt+f13", kKeyCombination, 0x68, 0x0C, "Win+ Alt + F13"},
      {"key:kp3", kKeyCombination, 0x5B, 0, "Num 3"},
      {"key:kp-enter", kKeyCombination, 0x58, 0, "Num Enter"},
      {"key:ctrl+lwin", kKeyCombination, 0xE3, 0x01, "Ctrl + Windows"},
      {"key:rshift", kKeyCombination, 0xE5, 0, "RShift"},
      {"key:minus", kKeyCombination, 0x2D, 0, "-"},
      {"media:play-pause", kMediaFunction, 2, 0, "T121"},
      {"media:player", kMediaFunction, 1, 0, "T120"},
      {"dpi:down", kDpiFunction, 2, 0, "DPI -"},
      {"dpi:cycle", kDpiFunction, 3, 0, "T142"},
      {"special:2", kSpecialFunction, 2, 0, "T181"},
      {"fire:2,300", kFireFunction, 5, 255, "T182"},
      {"fire:50,3", kFireFunction, 50, 3, "T182"},
      {"shortcut:cut", kSystemShortcut, 11, 0, "T36"},
      {"shortcut:home", kSystemShortcut, 5, 0, "T131"},
      {"macro:12", kMacroBinding, 12, 0, "Name"},
      {"disable", kDisabled, 1, 0, "T139"},
      {"default", 0, 0, 0, ""},
  };
  for (const SpecCase& c : cases) {
    ButtonFunctionSpec chosen;
    std::string error;
    ASSERT_TRUE(ParseButtonFunction(c.text, chosen, error)) << c.text << ": " << error;
    EXPECT_EQ(c.category, chosen.category) << c.text;
    EXPECT_EQ(c.value, chosen.value) << c.text;
    EXPECT_EQ(c.value2, chosen.value2) << c.text;
    EXPECT_EQ(c.description, ButtonFunctionDescription(chosen, Text, "Name")) << c.text;
  }
}

TEST(ButtonFunctionSpecTest, MalformedFunctionsAreRefusedWithAReason) {
  for (const char* text : {"", "click", "key:", "key:ctrl+", "key:ctrl+ctrl+a", "key:hyper+a", "key:f25",
                           "key:f0", "key:kp10", "key:aa", "media:loud", "dpi:2", "special:3", "fire:5",
                           "fire:a,b", "fire:5,", "macro:", "macro:0", "macro:-3", "macro:x", "shortcut:",
                           "wheel:up", "left:1"}) {
    ButtonFunctionSpec chosen;
    std::string error;
    EXPECT_FALSE(ParseButtonFunction(text, chosen, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

}  // namespace
}  // namespace korvex
