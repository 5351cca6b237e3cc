#include "profiles/ProfileValueRules.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "protocol/DpiConversion.h"

namespace korvex {
namespace {

struct Range {
  const char* key;
  std::int32_t min;
  std::int32_t max;
};

constexpr std::int32_t kMaxStages = 6;
constexpr std::int32_t kMaxColour = 0xFFFFFF;

// Keys with a plain range. The stage keys and report_rate are handled apart.
constexpr std::array<Range, 12> kRanges = {{
    {"dpi_flag", 1, kMaxStages},
    {"dpi_count", 1, kMaxStages},
    {"dpi_index", 0, kMaxStages - 1},
    {"button_respondtime", 0, 20},
    {"sensor_flag", 0, 0x3F},
    {"liftoff_height", 1, 2},
    {"scroll_flag", 0, 1},
    {"e-sports_flag", 0, 1},
    {"sleep_light", 1, 255},
    {"move_wakeup", 0, 1},
    {"move_closelight", 0, 1},
    {"lightmode", 0, 5},
}};

constexpr std::array<std::int32_t, 7> kReportRates = {8, 4, 2, 1, 16, 32, 64};

// "dpi_group<N>_<suffix>" with N 0..5: the stage, or -1.
int StageOf(const std::string& key, const char* suffix) {
  const std::string head = "dpi_group";
  const std::string tail = std::string("_") + suffix;
  if (key.size() != head.size() + 1 + tail.size() || key.compare(0, head.size(), head) != 0 ||
      key.compare(head.size() + 1, tail.size(), tail) != 0)
    return -1;
  const char digit = key[head.size()];
  return digit >= '0' && digit < '0' + kMaxStages ? digit - '0' : -1;
}

}  // namespace

bool ParseDecimal(const std::string& text, std::int32_t& value) {
  if (text.empty() || (text[0] != '-' && (text[0] < '0' || text[0] > '9'))) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || end != text.c_str() + text.size() || v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

bool ConfigValueAllowed(const std::string& key, std::int32_t value) {
  for (const Range& r : kRanges)
    if (key == r.key) return value >= r.min && value <= r.max;
  if (key == "report_rate") {
    for (std::int32_t code : kReportRates)
      if (value == code) return true;
    return false;
  }
  if (StageOf(key, "value") >= 0) {
    // The widest range any sensor offers; the sensor's own rule narrows it
    // when the value is sent.
    const SensorLimits& widest = SensorLimitsOf(-1);
    return value >= widest.dpiMin && value <= widest.dpiMax;
  }
  if (StageOf(key, "rgb") >= 0) return ColourValueAllowed(value);
  return false;
}

bool ButtonKeyCodeAllowed(std::int32_t keyCode) { return keyCode >= 0 && keyCode <= 8; }
bool FunctionCategoryAllowed(std::int32_t category) { return category >= 1 && category <= 9; }
bool LightLevelAllowed(std::int32_t level) { return level >= 0 && level <= 4; }
bool ColourValueAllowed(std::int32_t colour) { return colour >= 0 && colour <= kMaxColour; }

}  // namespace korvex
