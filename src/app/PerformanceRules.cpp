#include "app/PerformanceRules.h"

#include <algorithm>
#include <cstdio>

#include "app/EntryRules.h"
#include "protocol/DpiConversion.h"

namespace korvex {

int ActiveStageOf(int storedIndex, int count) {
  return storedIndex >= 0 && storedIndex < count ? storedIndex : 0;
}

int ActiveStageAfterCount(int storedIndex, int count) {
  if (storedIndex >= 0 && storedIndex < count) return storedIndex;
  return std::max(0, count - 1);
}

int SliderStageValue(int sensorCode, int position) {
  return ClampDpi(sensorCode, SliderToDpi(sensorCode, std::max(0, position)));
}

int ReportRateEntriesShown(int rateChoiceCount) { return rateChoiceCount == 7 ? kReportRateChoices : 4; }

int SensorOptionBit(int box) {
  static const int kBits[kSensorOptionCount] = {0x04, 0x08, 0x10};
  return box >= 0 && box < kSensorOptionCount ? kBits[box] : 0;
}

int SensorFlagOf(bool first, bool second, bool third) {
  return (first ? SensorOptionBit(0) : 0) | (second ? SensorOptionBit(1) : 0) | (third ? SensorOptionBit(2) : 0);
}

bool SensorOptionOn(int sensorFlag, int box) {
  const int bit = SensorOptionBit(box);
  return bit != 0 && (sensorFlag & bit) != 0;
}

int SensorOptionOfName(std::string_view name) {
  if (name == "angle") return 0;
  if (name == "ripple") return 1;
  if (name == "motion-sync") return 2;
  return -1;
}

int LiftoffValue(bool twoMillimetres) { return twoMillimetres ? 2 : 1; }

bool LiftoffIsTwo(const std::string& stored) { return stored == "2"; }

const std::vector<SleepItem>& SleepItems() {
  static const std::vector<SleepItem> items = [] {
    std::vector<SleepItem> out;
    for (int minutes : SleepMinutesOffered()) out.push_back({minutes, SleepValueOfMinutes(minutes)});
    return out;
  }();
  return items;
}

std::string SensorHelpText(const std::vector<std::string>& texts) {
  // Title and the first option with its two lines; a blank line before each
  // further option.
  static const char* const kJoins[] = {"\n", "\n", "\n", "\n\n", "\n", "\n\n", "\n"};
  std::string out;
  for (std::size_t i = 0; i < 8; ++i) {
    if (i > 0) out += kJoins[i - 1];
    if (i < texts.size()) out += texts[i];
  }
  return out;
}

bool ParseOnOff(std::string_view text, bool& on) {
  if (text == "on") {
    on = true;
    return true;
  }
  if (text == "off") {
    on = false;
    return true;
  }
  return false;
}

}  // namespace korvex
