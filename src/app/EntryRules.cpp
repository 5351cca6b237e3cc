#include "app/EntryRules.h"

#include <algorithm>

#include "protocol/DpiConversion.h"

namespace korvex {
namespace {

struct DpiRule {
  int step;
  int min;
  int max;
};

DpiRule RuleOf(int sensor) {
  switch (sensor) {
    case 4: return {100, 100, 8000};
    case 5: return {50, 50, 12000};
    case 16: case 18: return {100, 100, 4800};
    case 17: return {50, 50, 12000};
    case 37: return {100, 100, 10000};
    case 38: return {100, 200, 10000};
    case 49: return {100, 100, 24000};
    case 53: return {100, 100, 16000};
    default: return {50, 50, 26000};
  }
}

long long RoundDown(long long v, long long base, long long step) {
  return base + (v - base) / step * step;
}

}  // namespace

int DpiEntryValue(int sensorCode, long long typed) {
  const DpiRule rule = RuleOf(sensorCode);
  if (typed < rule.min) return rule.min;
  long long v = typed;
  if (sensorCode == 17 && v > 10000) {
    v = RoundDown(v, 0, 100);
  } else if (sensorCode == 37 && v > 5000) {
    v = RoundDown(v, 5000, 1000);  // the coarse step counts from 5000
  } else {
    v = RoundDown(v, 0, rule.step);
  }
  return static_cast<int>(std::clamp<long long>(v, rule.min, rule.max));
}

int ReportRateCodeOf(int hertz, int rateChoiceCount) {
  const int offered = rateChoiceCount == 7 ? kReportRateChoices : 4;
  for (int i = 0; i < offered; ++i) {
    const ReportRateChoice& choice = ReportRateChoiceAt(i);
    if (choice.hertz == hertz) return choice.code;
  }
  return 0;
}

int ReportRateHertzOf(int code) {
  for (int i = 0; i < kReportRateChoices; ++i) {
    const ReportRateChoice& choice = ReportRateChoiceAt(i);
    if (choice.code == code) return choice.hertz;
  }
  return 0;
}

const std::vector<int>& SleepMinutesOffered() {
  static const std::vector<int> minutes = {1, 2, 5, 10, 20, 30};
  return minutes;
}

int SleepValueOfMinutes(int minutes) {
  const auto& offered = SleepMinutesOffered();
  if (std::find(offered.begin(), offered.end(), minutes) == offered.end()) return 0;
  return minutes * 6;
}

int ButtonResponseValue(long long typed) { return static_cast<int>(std::clamp<long long>(typed, 0, 20)); }

}  // namespace korvex
