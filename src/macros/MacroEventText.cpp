#include "macros/MacroEventText.h"

#include <cstring>

namespace korvex {
namespace {

constexpr MouseButtonInfo kButtons[] = {
    {1, 1, "LB", 106}, {3, 2, "RB", 107}, {2, 4, "MB", 108}, {5, 16, "Forward", 109}, {6, 8, "Backward", 110},
};

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

std::string DelayText(int ms) { return std::to_string(ms) + " ms"; }

std::string PressText(const std::string& name) { return kPressPrefix + name; }

std::string ReleaseText(const std::string& name) { return kReleasePrefix + name; }

std::string NameOfEventText(const std::string& text) {
  for (const char* prefix : {kPressPrefix, kReleasePrefix})
    if (StartsWith(text, prefix)) return text.substr(std::strlen(prefix));
  return text;
}

const MouseButtonInfo* MouseButtonByCode(int code) {
  for (const MouseButtonInfo& b : kButtons)
    if (b.code == code) return &b;
  return nullptr;
}

const MouseButtonInfo* MouseButtonByMask(int mask) {
  for (const MouseButtonInfo& b : kButtons)
    if (b.mask == mask) return &b;
  return nullptr;
}

}  // namespace korvex
