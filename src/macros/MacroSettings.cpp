#include "macros/MacroSettings.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace korvex {

int MaxPlayTimes(int deviceType) { return deviceType < 201 ? 999 : 255; }

int ClampPlayTimes(long long typed, int deviceType) {
  return static_cast<int>(std::clamp<long long>(typed, 1, MaxPlayTimes(deviceType)));
}

int ClampFixedDelay(long long typed) {
  return static_cast<int>(std::clamp<long long>(typed, kMinFixedDelay, kMaxFixedDelay));
}

long long DecimalOf(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str()) return 0;
  return v;  // strtoll saturates at LLONG_MIN / LLONG_MAX on overflow
}

MacroRadios RadiosOf(const MacroInfo& info) {
  MacroRadios r;
  r.delayRadio = info.delay_type == 0 ? 0 : info.delay_type == 2 ? 2 : 1;
  r.delayText = r.delayRadio == 2 ? std::to_string(info.delay_time) : std::to_string(kDefaultFixedDelay);
  r.playRadio = info.play_type == 1 || info.play_type == 3 ? 0 : info.play_type == 2 ? 1 : 2;
  r.timesText = r.playRadio == 2 ? std::to_string(info.play_times) : "1";
  return r;
}

MacroInfo ApplyRadios(const MacroInfo& stored, const MacroRadios& radios) {
  MacroInfo info = stored;
  info.delay_type = std::clamp(radios.delayRadio, 0, 2);
  info.delay_time = 0;
  if (info.delay_type == 2)
    info.delay_time = static_cast<int>(std::clamp<long long>(
        radios.delayText.empty() ? kDefaultFixedDelay : DecimalOf(radios.delayText), INT_MIN, INT_MAX));
  info.play_type = radios.playRadio == 0 ? 1 : radios.playRadio == 1 ? 2 : 0;
  info.play_times = 1;
  if (info.play_type == 0)
    info.play_times = static_cast<int>(
        std::clamp<long long>(radios.timesText.empty() ? 1 : DecimalOf(radios.timesText), INT_MIN, INT_MAX));
  return info;
}

}  // namespace korvex
