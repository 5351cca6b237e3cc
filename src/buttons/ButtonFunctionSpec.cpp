#include "buttons/ButtonFunctionSpec.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <map>

#include "buttons/KeyDecoder.h"
#include "protocol/ButtonCommands.h"
#include "protocol/KeyUsage.h"

namespace korvex {
namespace {

const std::map<std::string, int> kMouseWords = {{"left", 1},    {"right", 3},    {"middle", 2},
                                                {"back", 6},    {"forward", 5},  {"wheel-up", 7},
                                                {"wheel-down", 8}, {"fire-preset", 4}};
const std::map<std::string, int> kMediaWords = {{"volume-up", 6}, {"volume-down", 7}, {"mute", 8},
                                                {"play-pause", 2}, {"stop", 3},      {"previous", 4},
                                                {"next", 5},      {"player", 1}};
const std::map<std::string, int> kDpiWords = {{"up", 1}, {"down", 2}, {"cycle", 3}};
const std::map<std::string, int> kShortcutWords = {
    {"brightness-up", 1}, {"brightness-down", 2}, {"calculator", 3}, {"computer", 4},
    {"home", 5},          {"email", 6},           {"show-desktop", 7}, {"task-view", 8},
    {"copy", 9},          {"paste", 10},          {"cut", 11}};

// Named keys of a combination (letters, digits and F-keys are ranges).
const std::map<std::string, int> kKeyWords = {
    {"enter", 13},      {"esc", 27},          {"backspace", 8},    {"tab", 9},
    {"space", 32},      {"minus", 189},       {"equal", 187},      {"home", 36},
    {"end", 35},        {"pageup", 33},       {"pagedown", 34},    {"insert", 45},
    {"delete", 46},     {"up", 38},           {"down", 40},        {"left", 37},
    {"right", 39},      {"kp-enter", 108},    {"kp-plus", 107},    {"kp-minus", 109},
    {"kp-multiply", 106}, {"kp-divide", 111}, {"kp-decimal", 110}, {"printscreen", 44},
    {"pause", 19},      {"menu", 93},         {"lctrl", 162},      {"lshift", 160},
    {"lalt", 164},      {"lwin", 91},         {"rctrl", 163},      {"rshift", 161},
    {"ralt", 165},      {"rwin", 92}};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool WholeNumber(const std::string& text, long long& value) {
  if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-')) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && end != text.c_str();
}

int KeyCodeOfWord(const std::string& word) {
  if (word.size() == 1 && word[0] >= 'a' && word[0] <= 'z') return std::toupper(word[0]);
  if (word.size() == 1 && word[0] >= '0' && word[0] <= '9') return word[0];
  long long n = 0;
  if (word.size() >= 2 && word[0] == 'f' && WholeNumber(word.substr(1), n) && n >= 1 && n <= 24)
    return static_cast<int>(111 + n);
  if (word.size() == 3 && word.rfind("kp", 0) == 0 && word[2] >= '0' && word[2] <= '9') return 96 + (word[2] - '0');
  const auto named = kKeyWords.find(word);
  return named == kKeyWords.end() ? 0 : named->second;
}

bool ParseKey(const std::string& combo, ButtonFunctionSpec& out, std::string& error) {
  std::string rest = combo;
  for (;;) {
    const std::size_t plus = rest.find('+');
    // "kp-plus" carries no '+', so a '+' always ends a modifier.
    if (plus == std::string::npos) break;
    const std::string word = rest.substr(0, plus);
    bool* toggle = word == "ctrl" ? &out.toggles.ctrl
                   : word == "shift" ? &out.toggles.shift
                   : word == "alt" ? &out.toggles.alt
                   : word == "win" ? &out.toggles.win
                                   : nullptr;
    if (toggle == nullptr || *toggle) {
      error = toggle ? "modifier " + word + " given twice" : "unknown modifier " + word;
      return false;
    }
    *toggle = true;
    rest = rest.substr(plus + 1);
  }
  out.keyCode = KeyCodeOfWord(rest);
  if (out.keyCode == 0) {
    error = rest.empty() ? "key: needs a key name after the modifiers" : "unknown key " + rest;
    return false;
  }
  out.category = kKeyCombination;
  out.value = VirtualKeyToUsage(out.keyCode);
  out.value2 = ModifierTogglesMask(out.toggles);
  return true;
}

bool FromWords(const std::map<std::string, int>& words, int category, const std::string& word,
               ButtonFunctionSpec& out, std::string& error, const char* what) {
  const auto found = words.find(word);
  if (found == words.end()) {
    error = std::string("unknown ") + what + " " + word;
    return false;
  }
  out.category = category;
  out.value = found->second;
  return true;
}

bool ParseFire(const std::string& params, ButtonFunctionSpec& out, std::string& error) {
  const std::size_t comma = params.find(',');
  long long first = 0, second = 0;
  if (comma == std::string::npos || !WholeNumber(params.substr(0, comma), first) ||
      !WholeNumber(params.substr(comma + 1), second)) {
    error = "fire: needs two numbers, fire:P1,P2";
    return false;
  }
  out.category = kFireFunction;
  out.value = ClampFireFirst(first);
  out.value2 = ClampFireSecond(second);
  return true;
}

}  // namespace

bool ParseButtonFunction(const std::string& original, ButtonFunctionSpec& out, std::string& error) {
  out = ButtonFunctionSpec{};
  const std::string text = Lower(original);
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) {
    if (text == "disable") {
      out.category = kDisabled;
      out.value = 1;
      return true;
    }
    if (text == "default") return true;
    return FromWords(kMouseWords, kMouseFunction, text, out, error, "function");
  }
  const std::string kind = text.substr(0, colon);
  const std::string arg = text.substr(colon + 1);
  if (kind == "key") return ParseKey(arg, out, error);
  if (kind == "media") return FromWords(kMediaWords, kMediaFunction, arg, out, error, "media function");
  if (kind == "dpi") return FromWords(kDpiWords, kDpiFunction, arg, out, error, "DPI function");
  if (kind == "shortcut") return FromWords(kShortcutWords, kSystemShortcut, arg, out, error, "shortcut");
  if (kind == "fire") return ParseFire(arg, out, error);
  if (kind == "special") {
    if (arg != "1" && arg != "2") {
      error = "special: takes 1 or 2";
      return false;
    }
    out.category = kSpecialFunction;
    out.value = arg == "1" ? 1 : 2;
    return true;
  }
  if (kind == "macro") {
    long long id = 0;
    if (!WholeNumber(arg, id) || id < 1 || id > 0x7FFFFFFF) {
      error = "macro: needs a macro id (a positive number)";
      return false;
    }
    out.category = kMacroBinding;
    out.value = static_cast<int>(id);
    return true;
  }
  error = "unknown function kind " + kind;
  return false;
}

std::string ButtonFunctionDescription(const ButtonFunctionSpec& chosen, const TextLookup& text,
                                      const std::string& macroName) {
  switch (chosen.category) {
    case kKeyCombination:
      return KeyCombinationText(chosen.toggles, KeyCodeName(chosen.keyCode, ""));
    case kMacroBinding:
      return macroName;
    case kFireFunction:
      return text(kTextFire);
    case kDisabled:
      return text(kTextDisable);
    default: {
      const int index = FunctionItemIndex(chosen.category, chosen.value);
      if (index < 0) return "";
      return FunctionItemText(FunctionItems(chosen.category)[static_cast<std::size_t>(index)], text);
    }
  }
}

}  // namespace korvex
