#pragma once
// What a button can do and how the buttons page words it: the items of the
// function lists, the assignment row a choice becomes, the description of a
// stored row in the current language, the key-combination and fire rules,
// and the left-button guard. Shared by the window, korvexctl and the tests.

#include <functional>
#include <string>
#include <vector>

#include "store/StoreRecords.h"

namespace korvex {

// Interface text N of the current language.
using TextLookup = std::function<std::string(int)>;
// The shown form of a macro name stored with a binding (language rule of
// the macro subsystem); empty: the stored name as it is.
using MacroNameRule = std::function<std::string(const std::string&)>;

// Texts the page and korvexctl share.
enum ButtonText : int {
  kTextPageTitle = 100,
  kTextSectionTitle = 101,
  kTextResetAll = 102,
  kTextButton = 103,
  kTextResetButtonTip = 104,
  kTextMouseCaption = 105,
  kTextMediaCaption = 116,
  kTextMacroCaption = 125,
  kTextShortcutCaption = 126,
  kTextDisable = 139,
  kTextDpiCaption = 140,
  kTextSpecialCaption = 150,
  kTextKeyCombination = 160,
  kTextResetMessage = 170,
  kTextResetTitle = 171,
  kTextResetAllMessage = 172,
  kTextGuardMessage = 175,
  kTextGuardTitle = 177,
  kTextPressKey = 178,
  kTextFire = 182,
  kTextFireInterval = 183,
  kTextFireShots = 184,
  kTextKeyFieldHint = 185,
  kTextModifiers = 186,
  kTextKey = 187,
  kTextOpenPanel = 11,
};

// One item of a function list: a language text (textId > 0) or a literal
// label, and the code stored as macro_value.
struct FunctionItem {
  int textId = 0;
  const char* literal = "";
  int code = 0;
};

// Items of the list of category 1, 3, 5, 6 or 8 in display order; empty for
// the other categories (the macro list is filled from the store).
const std::vector<FunctionItem>& FunctionItems(int category);
std::string FunctionItemText(const FunctionItem& item, const TextLookup& text);
// Index of the item with `code` in the list of `category`, or -1.
int FunctionItemIndex(int category, int code);

// The first button keeps its click: assignments and the panels refuse it.
constexpr int kLeftButtonKey = 0;
inline bool LeftButtonGuarded(int selectedKey) { return selectedKey == kLeftButtonKey; }

// The row an assignment of the buttons page stores: fn_layer 0, layout
// value 0 and empty, macro_value3 0.
KeyAssignmentRecord MakeAssignment(ProfileId profile, int keyCode, int category, int value, int value2,
                                   const std::string& description);
// The stored form of "no assignment" (both values 0: the store removes the row).
KeyAssignmentRecord MakeReset(ProfileId profile, int keyCode);

// The description of a stored row in the current language: a language text
// where the category and value have one, otherwise the stored macro_desc
// (key combinations, DPI functions, unknown values). A macro binding shows
// its stored name through `macroName`.
std::string DescribeAssignment(const KeyAssignmentRecord& row, const TextLookup& text,
                               const MacroNameRule& macroName = {});

// --- key-combination panel ---------------------------------------------------

struct ModifierToggles {
  bool shift = false;
  bool ctrl = false;
  bool win = false;
  bool alt = false;
};

// Whether a decoded key becomes the captured key of the key field: a named
// keyboard key other than Shift, Ctrl and Alt of either side (those are the
// panel's toggles).
bool CapturesAsKey(int kind, int keyCode, const std::string& name);
// Mask of the toggles: Shift 0x02, Ctrl 0x01, Win 0x08, Alt 0x04.
int ModifierTogglesMask(const ModifierToggles& toggles);
// "Shift", then "Ctrl" / "+ Ctrl", "Win" / "+ Win", "Alt" / "+ Alt"; then
// "<modifiers> + <key>" when both are there, otherwise whichever is.
std::string KeyCombinationText(const ModifierToggles& toggles, const std::string& keyText);
// A combination is stored only when it has a usage or a modifier.
inline bool KeyCombinationStorable(int usage, int mask) { return usage > 0 || mask > 0; }

// --- fire panel --------------------------------------------------------------

constexpr int kFireFirstDefault = 5;
constexpr int kFireSecondDefault = 1;
// The first parameter is 5..255, the second 0..255; unreadable text is the
// lowest value.
int ClampFireFirst(long long value);
int ClampFireSecond(long long value);
// Decimal text of a fire field, clamped; out of range or unreadable text
// takes the nearest bound.
int FireFieldValue(const std::string& text, bool first);

}  // namespace korvex
