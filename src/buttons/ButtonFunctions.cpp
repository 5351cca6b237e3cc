#include "buttons/ButtonFunctions.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <utility>

#include "protocol/ButtonCommands.h"

namespace korvex {
namespace {

const std::vector<FunctionItem> kMouseItems = {{106, "", 1}, {107, "", 3}, {108, "", 2}, {109, "", 5},
                                               {110, "", 6}, {180, "", 4}, {112, "", 7}, {113, "", 8}};
const std::vector<FunctionItem> kMediaItems = {{117, "", 6}, {118, "", 7}, {119, "", 8}, {120, "", 1},
                                               {121, "", 2}, {122, "", 4}, {123, "", 5}, {124, "", 3}};
const std::vector<FunctionItem> kDpiItems = {{142, "", 3}, {0, "DPI +", 1}, {0, "DPI -", 2}};
const std::vector<FunctionItem> kSpecialItems = {{151, "", 1}, {181, "", 2}};
const std::vector<FunctionItem> kShortcutItems = {{127, "", 1}, {128, "", 2}, {129, "", 3}, {130, "", 4},
                                                  {131, "", 5}, {132, "", 6}, {133, "", 7}, {134, "", 8},
                                                  {31, "", 9},  {36, "", 11}, {32, "", 10}};
const std::vector<FunctionItem> kNoItems;

// Value to text of the description rule, per category.
const std::map<int, std::map<int, int>> kDescriptionTexts = {
    {kMouseFunction, {{1, 106}, {2, 108}, {3, 107}, {4, 180}, {5, 109}, {6, 110}, {7, 112}, {8, 113},
                      {9, 114}, {10, 115}}},
    {kMediaFunction, {{1, 120}, {2, 121}, {3, 124}, {4, 122}, {5, 123}, {6, 117}, {7, 118}, {8, 119}}},
    {kSpecialFunction, {{1, 151}, {3, 152}, {4, 153}, {5, 154}, {6, 155}}},
    {kSystemShortcut, {{1, 127}, {2, 128}, {3, 129}, {4, 130}, {5, 131}, {6, 132}, {7, 133}, {8, 134},
                       {9, 31}, {10, 32}, {11, 36}}},
};

void AppendModifier(std::string& text, const char* name) {
  text += text.empty() ? std::string(name) : std::string("+ ") + name;
}

}  // namespace

const std::vector<FunctionItem>& FunctionItems(int category) {
  switch (category) {
    case kMouseFunction: return kMouseItems;
    case kMediaFunction: return kMediaItems;
    case kDpiFunction: return kDpiItems;
    case kSpecialFunction: return kSpecialItems;
    case kSystemShortcut: return kShortcutItems;
    default: return kNoItems;
  }
}

std::string FunctionItemText(const FunctionItem& item, const TextLookup& text) {
  return item.textId > 0 ? text(item.textId) : std::string(item.literal);
}

int FunctionItemIndex(int category, int code) {
  const std::vector<FunctionItem>& items = FunctionItems(category);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].code == code) return static_cast<int>(i);
  return -1;
}

KeyAssignmentRecord MakeAssignment(ProfileId profile, int keyCode, int category, int value, int value2,
                                   const std::string& description) {
  KeyAssignmentRecord row;
  row.profile = profile;
  row.fn_layer = 0;
  row.key_code = keyCode;
  row.layout_value = 0;
  row.macro_type = category;
  row.macro_value = value;
  row.macro_value2 = value2;
  row.macro_value3 = 0;
  row.macro_desc = description;
  return row;
}

KeyAssignmentRecord MakeReset(ProfileId profile, int keyCode) {
  return MakeAssignment(profile, keyCode, 0, 0, 0, "");
}

std::string DescribeAssignment(const KeyAssignmentRecord& row, const TextLookup& text,
                               const MacroNameRule& macroName) {
  switch (row.macro_type) {
    case kFireFunction: return text(kTextFire);
    case kDisabled: return text(kTextDisable);
    case kMacroBinding: return macroName ? macroName(row.macro_desc) : row.macro_desc;
    default: break;
  }
  const auto category = kDescriptionTexts.find(row.macro_type);
  if (category == kDescriptionTexts.end()) return row.macro_desc;
  const auto value = category->second.find(row.macro_value);
  return value == category->second.end() ? row.macro_desc : text(value->second);
}

bool CapturesAsKey(int kind, int keyCode, const std::string& name) {
  if (kind != 2 || name.empty()) return false;
  return keyCode < 160 || keyCode > 165;
}

int ModifierTogglesMask(const ModifierToggles& t) {
  return (t.shift ? 0x02 : 0) | (t.ctrl ? 0x01 : 0) | (t.win ? 0x08 : 0) | (t.alt ? 0x04 : 0);
}

std::string KeyCombinationText(const ModifierToggles& t, const std::string& keyText) {
  std::string modifiers;
  if (t.shift) AppendModifier(modifiers, "Shift");
  if (t.ctrl) AppendModifier(modifiers, "Ctrl");
  if (t.win) AppendModifier(modifiers, "Win");
  if (t.alt) AppendModifier(modifiers, "Alt");
  if (!modifiers.empty() && !keyText.empty()) return modifiers + " + " + keyText;
  return modifiers.empty() ? keyText : modifiers;
}

int ClampFireFirst(long long value) { return static_cast<int>(std::clamp<long long>(value, 5, 255)); }
int ClampFireSecond(long long value) { return static_cast<int>(std::clamp<long long>(value, 0, 255)); }

int FireFieldValue(const std::string& text, bool first) {
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str()) value = 0;  // nothing readable: the lowest value
  // strtoll saturates on overflow, which the clamp then bounds.
  return first ? ClampFireFirst(value) : ClampFireSecond(value);
}

}  // namespace korvex
